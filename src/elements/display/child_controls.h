#pragma once

#include <QFont>

class QWidget;

namespace ovanto {

class ElementContext;
class TGraph;

// What the logging elements (message list, value table) share: groups and
// their child controls on the window.

// An element's group: its head, the element that shows the group's control
// (the first element of the same keyword and group in the list; group -1 and
// an element not yet in the list are their own head), its 1-based place among
// the elements of its keyword and group, and how many there are.
struct GroupPlace {
    TGraph* head = nullptr;
    int member = 1;
    int size = 1;
};
GroupPlace GroupOf(const ElementContext& window, const TGraph& element, int groupProperty);
inline TGraph* GroupHead(const ElementContext& window, const TGraph& element, int groupProperty) {
    return GroupOf(window, element, groupProperty).head;
}

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
