#include "elements/core/element_registry.h"
#include "elements/display/drives.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

// Pins came with record version 375.
constexpr int kPinLengthVersion = 374;

constexpr PropertyDef kHeatingRows[] = {
    rows::X("x", "100"), rows::Y("y", "100"),     rows::Int("w", "30"),
    rows::Int("h", "70"), rows::Int("Input", "-1"), rows::Number("OnValue", "5"),
    rows::Plain("Orientation (0-3)", "0"),
};
static_assert(RowsMatch<THeatingGraph>(kHeatingRows));
constexpr ElementSchema kHeating{
    .keyword = "HEATING", .rows = kHeatingRows, .commonCaptions = {"RGBStrokeOn", "RGBStrokeOff", "LType"}};

constexpr PropertyDef kSpringRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "100"),
    rows::Int("w", "20"),
    rows::Int("h", "50"),
    rows::Plain("Orientation (0/1)", "0"),
    rows::Plain("Sections", "7"),
    rows::Plain("PinLength", "0", kPinLengthVersion),
};
static_assert(RowsMatch<TSpringGraph>(kSpringRows));
constexpr ElementSchema kSpring{.keyword = "SPRING", .rows = kSpringRows};

} // namespace

// --- HEATING ------------------------------------------------------------------------------

THeatingGraph::THeatingGraph(ElementContext& window) : TGraph(window, kHeating) {
    setText(kRGBStroke, QStringLiteral("200"));
    setText(kRGBFill, QStringLiteral("5263440"));
    setText(kLType, QStringLiteral("4"));
}

std::optional<Rect> THeatingGraph::outlineBox() const {
    const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
    const auto coil = HeatingCoil(intValue(kOrientation), x, y, w, h);
    if (!coil) return CornerBox(x, y, w, h);
    return PaintBox(*coil, StrokeMargin(PenWidthOf(lineType())));
}

void THeatingGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const auto coil = HeatingCoil(intValue(kOrientation), evaluateInt(kX), evaluateInt(kY), evaluateInt(kW),
                                      evaluateInt(kH));
        if (!coil) return;
        const bool on = IsUnbound(*this, kInput) || !(ChannelValue(kInput) < number(kOnValue));
        canvas.setPenColor(evaluateInt(on ? kRGBStroke : kRGBFill));
        canvas.polyline(*coil);
    });
}

// --- SPRING -------------------------------------------------------------------------------

TSpringGraph::TSpringGraph(ElementContext& window) : TGraph(window, kSpring) {}

std::optional<Rect> TSpringGraph::outlineBox() const {
    const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
    const auto line = SpringLine(intValue(kOrientation), x, y, w, h, intValue(kSections), intValue(kPinLength));
    const Rect box = CornerBox(x, y, w, h);
    if (!line) return box;
    return UniteBoxes(box, PaintBox(*line, StrokeMargin(PenWidthOf(lineType()))));
}

void TSpringGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const auto line = SpringLine(intValue(kOrientation), evaluateInt(kX), evaluateInt(kY), evaluateInt(kW),
                                     evaluateInt(kH), intValue(kSections), intValue(kPinLength));
        if (line) canvas.polyline(*line);
    });
}

void RegisterCoils() {
    RegisterElementClass<THeatingGraph>(kHeating);
    RegisterElementClass<TSpringGraph>(kSpring);
}

} // namespace ovanto
