#include "elements/core/element_registry.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

// The region colouring came with record version 366; older records hold only the base.
constexpr int kFillColorVersion = 365;

constexpr PropertyDef kFillColorRows[] = {
    {.caption = "x", .gridDefault = "40", .axis = Axis::X, .readAboveVersion = kFillColorVersion},
    {.caption = "y", .gridDefault = "40", .axis = Axis::Y, .readAboveVersion = kFillColorVersion},
    {.caption = "Input", .gridDefault = "1", .readAboveVersion = kFillColorVersion},
    {.caption = "OnValue", .gridDefault = "5.0", .kind = PropKind::Number, .readAboveVersion = kFillColorVersion},
    {.caption = "OffValue", .gridDefault = "0.0", .kind = PropKind::Number, .readAboveVersion = kFillColorVersion},
    rows::Plain("Mode (0/1)", "0", kFillColorVersion),
};
static_assert(RowsMatch<TFillColorGraph>(kFillColorRows));
constexpr ElementSchema kFillColor{
    .keyword = "FILLCOLOR", .rows = kFillColorRows, .commonCaptions = {"RGBOn", "RGBOff", "LType"}};

constexpr int kMarkerWidth = 16;
constexpr int kMarkerHeight = 14;
constexpr TColor kMarkerPaper = rgbColor(255, 0, 255);

const Picture& marker() {
    static const Picture picture = [] {
        Picture p(FillColorMarker());
        p.setTransparent(true);
        p.setTransparentColor(kMarkerPaper);
        return p;
    }();
    return picture;
}

} // namespace

// A tipped paint bucket pouring a drop.
QImage FillColorMarker() {
    QImage image(kMarkerWidth, kMarkerHeight, QImage::Format_RGB32);
    image.fill(toQRgb(kMarkerPaper));
    Canvas c(image);
    c.setPenColor(kBlack);
    c.setBrushColor(rgbColor(192, 192, 192));
    const QPoint bucket[] = {{2, 6}, {7, 1}, {13, 7}, {8, 12}};
    c.polygon(bucket);
    c.setBrushColor(rgbColor(0, 96, 255));
    c.setPenColor(rgbColor(0, 96, 255));
    const QPoint paint[] = {{10, 4}, {14, 8}, {14, 12}, {12, 12}, {12, 9}};
    c.polygon(paint);
    c.setPenColor(kBlack);
    c.moveTo(5, 4);
    c.lineTo(1, 0);
    return image;
}

TFillColorGraph::TFillColorGraph(ElementContext& window) : TGraph(window, kFillColor) {
    setText(kRGBStroke, QStringLiteral("32768"));
    setText(kRGBFill, QStringLiteral("128"));
}

std::optional<Rect> TFillColorGraph::outlineBox() const {
    const long double x = evaluateInt(kX), y = evaluateInt(kY);
    return Rect{ToCoord(x), ToCoord(y - kMarkerHeight), ToCoord(x + kMarkerWidth), ToCoord(y)};
}

TColor TFillColorGraph::fillColor() const {
    const TColor on = evaluateInt(kRGBStroke), off = evaluateInt(kRGBFill);
    if (IsUnbound(*this, kInput)) return off;
    return FillColorFor(intValue(kMode), ChannelValue(kInput), number(kOnValue), number(kOffValue), on, off);
}

void TFillColorGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY);
        if (window().designMode()) canvas.draw(x, ToCoord(y - 1.0L * kMarkerHeight), marker());
        const TColor color = fillColor();
        const TColor old = canvas.pixel(x, y);
        // Nothing to do when the region has the colour already, or (x, y) is off the picture.
        if (color < 0 || old == kInvalidColor || old == color) return;
        canvas.setBrushColor(color);
        canvas.setBrushStyle(BrushStyle::Solid);
        canvas.setBrushOrigin(0, 0);
        canvas.floodFill(x, y, old, FloodFillMode::Surface);
    });
}

void RegisterFillColor() { RegisterElementClass<TFillColorGraph>(kFillColor); }

} // namespace ovanto
