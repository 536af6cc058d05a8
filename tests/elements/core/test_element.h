#pragma once

#include "elements/core/tgraph.h"

namespace ovanto::testing {

// A small element with a position, a versioned integer and a stored number,
// for exercising the base class without a real family.
class TTestGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kArrow, kOnValue, kCaption, kPropertyEnd };

    static constexpr PropertyDef kRows[] = {
        rows::X("x", "30"),
        rows::Y("y", "40"),
        rows::Int("w", "20"),
        rows::Plain("Arrow (0=none)", "0", 302),
        rows::Number("OnValue", "5"),
        rows::Text("Caption", "Caption"),
    };
    static constexpr ElementSchema kSchema{.keyword = "LINE", .rows = kRows};

    explicit TTestGraph(ElementContext& window) : TGraph(window, kSchema) {}

protected:
    std::optional<Rect> outlineBox() const override {
        const int x = evaluateInt(kX), y = evaluateInt(kY);
        return Rect{x, y - 10, x + evaluateInt(kW), y};
    }
};

} // namespace ovanto::testing
