#pragma once

#include "elements/display/instrument_common.h"
#include "elements/display/instrument_geometry.h"

#include <memory>

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
    ~TAnaDispGraph() override;
    void Draw(Canvas& canvas) override;
    void DrawSelection(Canvas& canvas) override;
    void GetBounds(Rect& r) override;

    struct Face;
    struct FaceKey;
    struct NeedleKey;
    struct Texts;
    struct TextsKey;

private:
    struct Scene;
    // keepTexts: the texts as last placed while what places them stays (drawing only).
    Scene scene(TextMeasure& measure, bool keepTexts) const;
    int fontSize() const;
    void drawHousing(Canvas& canvas, const Scene& s);
    Rect paintedBox() const;

    std::unique_ptr<KeptResult<FaceKey, Face>> m_face;
    std::unique_ptr<KeptResult<NeedleKey, QPoint>> m_needle;
    std::unique_ptr<KeptResult<TextsKey, Texts>> m_drawTexts;
};

void RegisterMeters();

} // namespace ovanto
