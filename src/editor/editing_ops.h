#pragma once

#include "elements/core/rect.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace ovanto {

class ElementList;

// One place toward the start for every selected element, first to last. An
// element never passes a selected neighbour, so a block keeps its order.
// Returns the (from, to) moves in the order they were made.
std::vector<std::pair<int, int>> MoveSelectedUp(std::vector<bool>& selected);
// The same toward the end, last to first.
std::vector<std::pair<int, int>> MoveSelectedDown(std::vector<bool>& selected);

// Where the element at index `from` ends up when dropped on 1-based grid row
// `dropRow` of a list of `count` (row count + 1 is the empty row after the
// last element); -1 when the drop is not on the list.
int DropTargetIndex(int from, int dropRow, int count);

// The arrow buttons by tag.
enum class MoveDirection { Up = 1, Right = 2, Down = 3, Left = 4 };
Rect ShiftedBounds(const Rect& r, MoveDirection direction, int step);

// Auto-repeat of the arrow buttons: 500 ms, then 100 ms faster per tick down to 100.
constexpr int kFirstMoveInterval = 500;
constexpr int NextMoveInterval(int interval) { return interval > 100 ? interval - 100 : 100; }

// Auto-scroll of the element grid during a drag: +1 up near the top edge,
// -1 down near the bottom edge, 0 elsewhere.
int DragScrollDirection(int y, int viewportHeight);

// The next row index after `after` (wrapping, `after` itself last) whose text
// contains `text`, case-insensitive; -1 for none or an empty text.
int FindComment(const QStringList& comments, const QString& text, int after);

// Applies moves made by MoveSelectedUp/Down to the list.
void ApplyMoves(ElementList& list, const std::vector<std::pair<int, int>>& moves);

} // namespace ovanto
