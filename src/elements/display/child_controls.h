#pragma once

#include <QFont>

class QWidget;

namespace ovanto {

class ElementContext;
class TGraph;

// What the logging elements (message list, value table) share: groups and
// their child controls on the window.

// The element that shows a group's control: the first element of the same
// keyword earlier in the list with the same group; group -1 and an element
// without such a predecessor are their own head.
TGraph* GroupHead(const ElementContext& window, const TGraph& element, int groupProperty);

// The 1-based place of an element among the elements of its keyword and
// group, and how many there are (1 and 1 for group -1).
struct GroupPlace {
    int member = 1;
    int size = 1;
};
GroupPlace GroupPlaceOf(const ElementContext& window, const TGraph& element, int groupProperty);

// The font of a control: the family that stands in for the name, at the
// pixel height the canvas would use for the point size.
QFont ControlFont(const QString& name, int points);

// Mouse presses and releases on the control (and, in design mode, moves)
// reach the window as if they were made on it, so the element can be
// selected and dragged like a drawn one. Owned by the control.
void ForwardMouseToWindow(QWidget* control, ElementContext& window);

// Left x, top y - h, size w x h, clamped to what a widget can take.
void PlaceControl(QWidget* control, int x, int y, long long w, long long h, bool visible);

} // namespace ovanto
