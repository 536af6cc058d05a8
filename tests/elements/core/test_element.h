#pragma once

#include "elements/core/tgraph.h"

namespace ovanto::testing {

// A small element with a position, a versioned integer and a stored number,
// for exercising the base class without a real family.
class TTestGraph : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kArrow, kOnValue, kCaption };

    explicit TTestGraph(ElementContext& window) : TGraph(window, QStringLiteral("LINE"), schemaRows()) {}

    static const ElementSchema& schemaRows() {
        static const ElementSchema schema{{
            {"x", "30", PropKind::IntFormula, Axis::X},
            {"y", "40", PropKind::IntFormula, Axis::Y},
            {"w", "20", PropKind::IntFormula},
            {"Arrow (0=none)", "0", PropKind::PlainInt, Axis::None, 302},
            {"OnValue", "5", PropKind::Number},
            {"Caption", "Caption", PropKind::Text},
        }};
        return schema;
    }

    void DrawSelection(Canvas& canvas) override {
        Rect r;
        GetBounds(r);
        drawSelectionAround(canvas, r);
    }

    void GetBounds(Rect& r) override {
        boundsFrom(r, [&] {
            const int x = evaluateInt(kX), y = evaluateInt(kY);
            return Rect{x, y - 10, x + evaluateInt(kW), y};
        });
    }
};

} // namespace ovanto::testing
