#pragma once

#include "elements/display/instrument_common.h"

namespace ovanto {

struct BarGraphLayout;

// A bar graph with a scale, up to three colour ranges split at two
// thresholds, and symmetric modes that grow the bar both ways from zero.
class TExtBarGraphGraph : public TInputRowGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kMin,
        kMax,
        kSymmMode,
        kInput,
        kRGBFill2,
        kRGBFill3,
        kThreshold2,
        kThreshold3,
        kTicks,
        kFontSize,
        kScaleAlign,
        kCaption,
        kShowZeroLine,
        kPropertyEnd
    };

    void Draw(Canvas& canvas) override;

protected:
    TExtBarGraphGraph(ElementContext& window, const ElementSchema& schema);

    struct Values {
        long long x = 0, y = 0, w = 0, h = 0;
        long double low = 0, high = 1, value = 0;
        long long ticks = 0;
        int fontSize = 8;
        int scaleAlign = 0;
    };
    Values values() const;
    std::optional<Rect> outlineBox() const override;
    // The shown value through the caption pattern, or nothing.
    std::optional<PlacedText> caption(TextMeasure& measure, const Values& v) const;
    TColor pieceColour(int fill) const;

    // h of the upright bar, w of the lying one.
    virtual long long barLength(const Values& v) const = 0;
    virtual void drawTicks(Canvas& canvas, const Values& v) = 0;
    virtual void drawBar(Canvas& canvas, const Values& v, const BarGraphLayout& layout) = 0;
    virtual std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const = 0;
    virtual void addTicks(Extent& e, const Values& v) const = 0;

private:
    ColourText m_fill2, m_fill3;

protected:
    KeptMarks m_ticks;
    mutable KeptScaleMarks m_drawLabels, m_boundsLabels;
    mutable KeptCaption m_caption;
    mutable KeptResult<InstrumentOutlineKey, Rect> m_outline;
};

// Upright, growing upwards, labels beside it.
class TVExtBarGraphGraph final : public TExtBarGraphGraph {
public:
    explicit TVExtBarGraphGraph(ElementContext& window);

protected:
    long long barLength(const Values& v) const override;
    void drawTicks(Canvas& canvas, const Values& v) override;
    void drawBar(Canvas& canvas, const Values& v, const BarGraphLayout& layout) override;
    std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const override;
    void addTicks(Extent& e, const Values& v) const override;
};

// Lying, growing to the right, ticks and labels below it.
class THExtBarGraphGraph final : public TExtBarGraphGraph {
public:
    explicit THExtBarGraphGraph(ElementContext& window);

protected:
    long long barLength(const Values& v) const override;
    void drawTicks(Canvas& canvas, const Values& v) override;
    void drawBar(Canvas& canvas, const Values& v, const BarGraphLayout& layout) override;
    std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const override;
    void addTicks(Extent& e, const Values& v) const override;
};

void RegisterBarGraphs();

} // namespace ovanto
