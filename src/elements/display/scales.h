#pragma once

#include "elements/display/instrument_common.h"

namespace ovanto {

// A stand-alone scale: axis, major ticks with labels and minor ticks between them.
class TScaleGraph : public TGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kMin,
        kMax,
        kTicks,
        kSmallTicks,
        kFontSize,
        kScaleAlign,
        kPropertyEnd
    };

    void Draw(Canvas& canvas) override;

protected:
    TScaleGraph(ElementContext& window, const ElementSchema& schema);

    struct Values {
        long long x = 0, y = 0, w = 0, h = 0;
        long double low = 0, high = 1;
        long long ticks = 0, smallTicks = 0;
        int fontSize = 8;
        int align = 0;
        int penWidth = 1; // from LType
    };
    Values values() const;
    std::optional<Rect> outlineBox() const override;

    virtual void drawScale(Canvas& canvas, const Values& v) = 0;
    virtual std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const = 0;
    virtual void addLines(Extent& e, const Values& v) const = 0;

    KeptMarks m_majors;
    mutable KeptScaleMarks m_drawLabels, m_boundsLabels;

private:
    struct OutlineKey {
        long long x = 0, y = 0, w = 0, h = 0, ticks = 0, smallTicks = 0;
        int fontSize = 0, align = 0, penWidth = 0;
        KeyNumber low, high;
        friend bool operator==(const OutlineKey&, const OutlineKey&) = default;
    };
    mutable KeptResult<OutlineKey, Rect> m_outline;
};

// Upright: w is the tick length, h the scale length.
class TVScaleGraph final : public TScaleGraph {
public:
    explicit TVScaleGraph(ElementContext& window);

protected:
    void drawScale(Canvas& canvas, const Values& v) override;
    std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const override;
    void addLines(Extent& e, const Values& v) const override;

private:
    struct MinorKey {
        long long ticks = 0, smallTicks = 0;
        KeyNumber span;
        long long lo = 0, hi = 0;
        friend bool operator==(const MinorKey&, const MinorKey&) = default;
    };
    KeptResult<MinorKey, std::vector<long long>> m_minors;
};

// Lying: w is the scale length, h the tick length.
class THScaleGraph final : public TScaleGraph {
public:
    explicit THScaleGraph(ElementContext& window);

protected:
    void drawScale(Canvas& canvas, const Values& v) override;
    std::vector<PlacedText> labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const override;
    void addLines(Extent& e, const Values& v) const override;

private:
    KeptMarks m_minors;
};

void RegisterScales();

} // namespace ovanto
