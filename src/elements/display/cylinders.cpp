#include "elements/core/element_registry.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

constexpr PropertyDef kHydCylRows[] = {
    rows::X("x", "100"),
    rows::Y("y", "150"),
    rows::Int("w", "30"),
    rows::Int("h", "80"),
    rows::Float("SliderPos [%]", "50"),
    rows::Text("RGBBack", "8421504"),
    rows::Plain("Orientation (0-3)", "0"),
    rows::Text("RGBSlider", "0"),
    rows::Plain("SliderSize", "11"),
};
static_assert(RowsMatch<THydCylGraph>(kHydCylRows));
constexpr ElementSchema kHydCyl{.keyword = "HYDCYL", .rows = kHydCylRows};

constexpr int kRodPen = 3;
constexpr int kThinCapBelow = 5;

} // namespace

THydCylGraph::THydCylGraph(ElementContext& window) : TGraph(window, kHydCyl) {
    setText(kRGBFill, QStringLiteral("8421376"));
}

std::optional<CylinderLayout> THydCylGraph::layout() const {
    return HydCylinder(intValue(kOrientation), evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH),
                       evaluate(kSliderPos), intValue(kSliderSize));
}

std::optional<Rect> THydCylGraph::outlineBox() const {
    const std::optional<CylinderLayout> l = layout();
    if (!l) return CornerBox(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
    const QPoint reach[] = {l->rod.from, l->rod.to, l->cap.from, l->cap.to, l->piston.from, l->piston.to};
    const Rect rod = PaintBox(reach, StrokeMargin(kRodPen));
    return UniteBoxes(l->box.inflated(StrokeMargin(PenWidthOf(lineType()))), rod);
}

void THydCylGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const std::optional<CylinderLayout> l = layout();
        if (!l) return;
        const TColor back = m_back.intValue(freeText(kRGBBack), signalTable());
        const TColor slider = m_slider.intValue(text(kRGBSlider), signalTable());
        const Rect& box = l->box;
        const Rect& chamber = l->chamber;
        UseFill(canvas, back);
        canvas.fillRect(box.left, box.top, box.right, box.bottom);
        UseFill(canvas, evaluateInt(kRGBFill));
        canvas.fillRect(chamber.left, chamber.top, chamber.right, chamber.bottom);
        for (std::size_t i = 1; i < l->outline.size(); ++i) StrokeSegment(canvas, {l->outline[i - 1], l->outline[i]});

        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColor(slider);
        canvas.setPenWidth(kRodPen);
        StrokeSegment(canvas, l->piston);
        StrokeSegment(canvas, l->rod);
        if (intValue(kSliderSize) < kThinCapBelow) canvas.setPenWidth(2);
        StrokeSegment(canvas, l->cap);
    });
}

void THydCylGraph::addLookState(LookHash& hash) const {
    guarded([&] { hash.add(m_back.value(freeText(kRGBBack), signalTable())); });
    guarded([&] { hash.add(m_slider.value(text(kRGBSlider), signalTable())); });
}

void RegisterCylinders() { RegisterElementClass<THydCylGraph>(kHydCyl); }

} // namespace ovanto
