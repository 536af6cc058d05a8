#pragma once

#include "elements/display/instrument_common.h"

namespace ovanto {

// Instrument bubbles of process diagrams: a rounded two-line label on a stem
// that ends at the measuring point.
class TMeasureGraph : public TGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kTopCaption,
        kBottomCaption,
        kFontSize,
        kLabelSize, // LabelHeight or LabelWidth
        kMode,
        kPropertyEnd
    };

    void Draw(Canvas& canvas) override;

    // Everything but the texts, in pixels.
    struct Shape {
        long long left = 0, top = 0, right = 0, bottom = 0; // the label
        long long separator = 0;                            // row of the separator line
        long long stemX1 = 0, stemY1 = 0, stemX2 = 0, stemY2 = 0;
        long long dotLeft = 0, dotTop = 0;                  // 5 x 5
    };

protected:
    using TGraph::TGraph;
    virtual Shape shape(int mode) const = 0;
    std::optional<Rect> outlineBox() const override;
};

class TVMeasureGraph final : public TMeasureGraph {
public:
    explicit TVMeasureGraph(ElementContext& window);

protected:
    Shape shape(int mode) const override;
};

class THMeasureGraph final : public TMeasureGraph {
public:
    explicit THMeasureGraph(ElementContext& window);

protected:
    Shape shape(int mode) const override;
};

void RegisterMeasuringPoints();

} // namespace ovanto
