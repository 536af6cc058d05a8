#pragma once

#include "elements/display/instrument_common.h"
#include "elements/display/instrument_geometry.h"

namespace ovanto {

// An analog panel meter: a needle over a five-tick scale, with a red zone
// from RedValue to the high end, in a rectangular or round housing.
class TAnaDispGraph final : public TGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kInput,
        kMinValue,
        kMaxValue,
        kRedValue,
        kCaption,
        kUnit,
        kBorderType,
        kBorderWidth,
        kScaleHeight,
        kShowScale,
        kPropertyEnd
    };

    explicit TAnaDispGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;
    void DrawSelection(Canvas& canvas) override;
    void GetBounds(Rect& r) override;

private:
    struct Scene;
    Scene scene(TextMeasure& measure) const;
    int fontSize() const;
    void drawHousing(Canvas& canvas, const Scene& s);
    Rect paintedBox() const;
};

void RegisterMeters();

} // namespace ovanto
