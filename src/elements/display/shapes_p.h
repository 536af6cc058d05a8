#pragma once

#include "elements/core/tgraph.h"
#include "platform/canvas.h"

namespace ovanto::shapes_detail {

// A property that does not evaluate ends the shape silently; what was drawn stays.
template <class Step>
void guarded(Step step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

// Pen, brush and the selection frame first, then the shape when visible.
template <class Shape>
void drawIfVisible(TGraph& element, Canvas& canvas, Shape shape) {
    element.TGraph::Draw(canvas);
    guarded([&] {
        if (element.IsVisible()) shape();
    });
}

// Visibility first: an invisible element draws not even its selection frame.
template <class Shape>
void drawOnlyVisible(TGraph& element, Canvas& canvas, Shape shape) {
    bool visible = false;
    guarded([&] { visible = element.IsVisible(); });
    if (!visible) return;
    element.TGraph::Draw(canvas);
    guarded(shape);
}

} // namespace ovanto::shapes_detail
