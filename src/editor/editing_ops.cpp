#include "editor/editing_ops.h"

#include "elements/core/element_list.h"
#include "elements/core/tgraph.h"

namespace ovanto {

std::vector<std::pair<int, int>> MoveSelectedUp(std::vector<bool>& selected) {
    std::vector<std::pair<int, int>> moves;
    for (std::size_t i = 1; i < selected.size(); ++i)
        if (selected[i] && !selected[i - 1]) {
            selected[i - 1] = true;
            selected[i] = false;
            moves.emplace_back(static_cast<int>(i), static_cast<int>(i - 1));
        }
    return moves;
}

std::vector<std::pair<int, int>> MoveSelectedDown(std::vector<bool>& selected) {
    std::vector<std::pair<int, int>> moves;
    for (std::size_t i = selected.size(); i-- > 1;)
        if (selected[i - 1] && !selected[i]) {
            selected[i] = true;
            selected[i - 1] = false;
            moves.emplace_back(static_cast<int>(i - 1), static_cast<int>(i));
        }
    return moves;
}

int DropTargetIndex(int from, int dropRow, int count) {
    if (from < 0 || from >= count || dropRow < 1 || dropRow > count + 1) return -1;
    const int before = dropRow - 1;
    // Taking the element out first shifts everything after it one place up.
    return before > from ? before - 1 : before;
}

Rect ShiftedBounds(const Rect& r, MoveDirection direction, int step) {
    switch (direction) {
    case MoveDirection::Up: return r.translated(0, -step);
    case MoveDirection::Right: return r.translated(step, 0);
    case MoveDirection::Down: return r.translated(0, step);
    case MoveDirection::Left: return r.translated(-step, 0);
    }
    return r;
}

int DragScrollDirection(int y, int viewportHeight) {
    if (y <= 9) return 1;
    if (y >= viewportHeight - 10) return -1;
    return 0;
}

int FindComment(const QStringList& comments, const QString& text, int after) {
    const int n = static_cast<int>(comments.size());
    if (text.isEmpty() || n == 0) return -1;
    const int start = after < 0 || after >= n ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (comments[i].contains(text, Qt::CaseInsensitive)) return i;
    }
    return -1;
}

void ApplyMoves(ElementList& list, const std::vector<std::pair<int, int>>& moves) {
    for (const auto& [from, to] : moves) list.move(from, to);
}

} // namespace ovanto
