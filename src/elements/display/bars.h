#pragma once

#include "elements/display/instrument_common.h"

namespace ovanto {

// A sunken box filled from the left by the value between Min and Max.
class THBarGraph : public TInputRowGraph {
public:
    enum { kX = kFirstClassProperty, kY, kW, kH, kMin, kMax, kInput, kPropertyEnd };

    explicit THBarGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

protected:
    THBarGraph(ElementContext& window, const ElementSchema& schema);
    std::optional<Rect> outlineBox() const override;
    // The filled part inside the sunken box.
    virtual void drawLevel(Canvas& canvas, long long x, long long y, long long w, long long h, long double value,
                           long double low, long double high, TColor fill);
};

// The same box filled from the bottom.
class TVBarGraph final : public THBarGraph {
public:
    explicit TVBarGraph(ElementContext& window);

protected:
    void drawLevel(Canvas& canvas, long long x, long long y, long long w, long long h, long double value,
                   long double low, long double high, TColor fill) override;
};

void RegisterBars();

} // namespace ovanto
