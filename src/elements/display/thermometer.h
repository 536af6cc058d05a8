#pragma once

#include "elements/display/instrument_common.h"
#include "elements/display/instrument_geometry.h"

namespace ovanto {

// A thermometer: bulb and tube, mercury rising with the value, ticks and
// labels beside the tube, and optionally a shaded glass edge.
class TThMeterGraph final : public TInputRowGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kMin,
        kMax,
        kInput,
        kShadow,
        kTicks,
        kFontSize,
        kScaleAlign,
        kCaption,
        kPropertyEnd
    };

    explicit TThMeterGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    // The shading pixels are walked once per geometry and replayed after.
    int shadingWalks() const { return m_walks; }

    // The shading walks the outline it finds drawn.
    LookTraits lookTraits() const override { return {.readsBack = true}; }

protected:
    std::optional<Rect> outlineBox() const override;

private:
    struct Values {
        long long x = 0, y = 0, w = 0, h = 0;
        long long ticks = 0;
        int fontSize = 8;
        int scaleAlign = 0;
    };
    Values values() const;
    std::vector<PlacedText> texts(TextMeasure& measure, const Values& v, long double shown, const Canvas* canvas) const;
    bool shade(Canvas& canvas, const Values& v, TColor back);

    struct ShadingCache {
        bool valid = false;
        long long x = 0, y = 0, w = 0, h = 0;
        std::vector<Rect> first, second; // the two shades' pixels as boxes
    };
    ShadingCache m_shading;
    // The texts as last drawn, while everything they follow stays.
    struct TextsKey {
        InstrumentOutlineKey at;
        int canvasHeight = 0;
        friend bool operator==(const TextsKey&, const TextsKey&) = default;
    };
    KeptResult<TextsKey, std::vector<PlacedText>> m_drawTexts;
    KeptMarks m_ticks;
    mutable KeptScaleMarks m_drawLabels, m_boundsLabels;
    mutable KeptCaption m_caption;
    mutable KeptResult<InstrumentOutlineKey, Rect> m_outline;
    int m_walks = 0;
};

void RegisterThermometer();

} // namespace ovanto
