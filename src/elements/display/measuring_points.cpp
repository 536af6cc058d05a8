#include "elements/display/measuring_points.h"

#include "elements/core/element_registry.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

constexpr PropertyDef kVMeasureRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "100"),
    rows::Int("w", "25"),
    rows::Int("h", "50"),
    rows::Text("TopCaption", "xx"),
    rows::Text("BottomCaption", "0000"),
    rows::Plain("FontSize", "6"),
    rows::Int("LabelHeight", "25"),
    rows::Plain("Mode (0-7)", "0"),
};
static_assert(RowsMatch<TVMeasureGraph>(kVMeasureRows));
constexpr ElementSchema kVMeasure{.keyword = "VMEASURE", .rows = kVMeasureRows};

constexpr PropertyDef kHMeasureRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "100"),
    rows::Int("w", "50"),
    rows::Int("h", "25"),
    rows::Text("TopCaption", "xx"),
    rows::Text("BottomCaption", "0000"),
    rows::Plain("FontSize", "6"),
    rows::Int("LabelWidth", "25"),
    rows::Plain("Mode (0-7)", "0"),
};
static_assert(RowsMatch<THMeasureGraph>(kHMeasureRows));
constexpr ElementSchema kHMeasure{.keyword = "HMEASURE", .rows = kHMeasureRows};

constexpr int kDot = 5;

// Mode bits: 4 puts the label at the far end, 2 drops the separator, 1 drops the dot.
bool labelAtFarEnd(int mode) { return (mode & 4) != 0; }
bool hasSeparator(int mode) { return (mode & 2) == 0; }
bool hasDot(int mode) { return (mode & 1) == 0; }

} // namespace

void TMeasureGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int mode = intValue(kMode);
        const Shape s = shape(mode);
        const int l = Px(s.left), t = Px(s.top), r = Px(s.right), b = Px(s.bottom);
        const long long d = s.bottom - s.top, g = d / 2;
        const TColor fill = evaluateInt(kRGBFill);
        const CanvasPen pen = canvas.pen();
        // The inside is filled as a shape of its own, so a gap in the outline
        // (no pen, dashes, a label half off the picture) cannot flood the window.
        if (fill >= 0) {
            canvas.setPenStyle(PenStyle::Clear);
            canvas.setBrushColor(fill);
            canvas.setBrushStyle(BrushStyle::Solid);
            canvas.roundRect(l, t, r, b, Px(d), Px(d));
        }
        canvas.setPen(pen);
        canvas.setBrushStyle(BrushStyle::Clear);
        const int middle = Px(s.left + g);
        canvas.arc(l, t, Px(s.left + d), b, middle, t, middle, b);
        const int rightMiddle = Px(s.right - g);
        canvas.arc(Px(s.right - d), t, r, b, rightMiddle, b, rightMiddle, t);
        if (d < s.right - s.left) {
            canvas.moveTo(middle, t);
            canvas.lineTo(rightMiddle, t);
            canvas.moveTo(middle, Px(s.bottom - 1));
            canvas.lineTo(rightMiddle, Px(s.bottom - 1));
        }
        if (hasSeparator(mode)) {
            canvas.moveTo(l, Px(s.separator));
            canvas.lineTo(r, Px(s.separator));
        }
        SetInstrumentFont(canvas, intValue(kFontSize));
        const TextFormats centred = TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine;
        canvas.textRect(l, t, r, Px(s.top + g), text(kTopCaption), centred);
        canvas.textRect(l, Px(s.top + g), r, b, text(kBottomCaption), centred);
        canvas.moveTo(Px(s.stemX1), Px(s.stemY1));
        canvas.lineTo(Px(s.stemX2), Px(s.stemY2));
        if (hasDot(mode)) {
            canvas.setPenStyle(PenStyle::Solid);
            canvas.setPenWidth(1);
            canvas.setPenColor(kBlack);
            canvas.setBrushColor(kBlack);
            canvas.setBrushStyle(BrushStyle::Solid);
            canvas.rectangle(Px(s.dotLeft), Px(s.dotTop), Px(s.dotLeft + kDot), Px(s.dotTop + kDot));
        }
    });
}

std::optional<Rect> TMeasureGraph::outlineBox() const {
    const int mode = intValue(kMode);
    const Shape s = shape(mode);
    const long long x = evaluateInt(kX), y = evaluateInt(kY);
    const int type = lineType();
    const int pen = type > 0 ? type : 1;
    Extent e;
    e.add(x, y - evaluateInt(kH), x + evaluateInt(kW), y);
    // The half circles stand out of a label narrower than it is high.
    const long long d = s.bottom - s.top;
    e.add(std::min(s.left, s.right - d) - pen / 2 - 1, s.top - pen / 2 - 1, std::max(s.right, s.left + d) + pen / 2 + 1,
          s.bottom + pen / 2 + 1);
    e.addLine(s.stemX1, s.stemY1, s.stemX2, s.stemY2, pen);
    if (hasDot(mode)) e.add(s.dotLeft, s.dotTop, s.dotLeft + kDot, s.dotTop + kDot);
    return e.rect();
}

TVMeasureGraph::TVMeasureGraph(ElementContext& window) : TMeasureGraph(window, kVMeasure) {}

TMeasureGraph::Shape TVMeasureGraph::shape(int mode) const {
    const long long x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
    const long long f = evaluateInt(kLabelSize), g = f / 2;
    const bool below = labelAtFarEnd(mode);
    Shape s;
    s.left = x, s.right = x + w;
    s.top = below ? y - f : y - h;
    s.bottom = s.top + f;
    s.separator = below ? y - g : s.top + g;
    s.stemX1 = s.stemX2 = x + w / 2;
    s.stemY1 = below ? y - f : s.top + f;
    s.stemY2 = below ? y - h : y;
    s.dotLeft = x + w / 2 - 2;
    s.dotTop = below ? y - h : y - kDot;
    return s;
}

THMeasureGraph::THMeasureGraph(ElementContext& window) : TMeasureGraph(window, kHMeasure) {}

TMeasureGraph::Shape THMeasureGraph::shape(int mode) const {
    const long long x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
    const long long labelWidth = evaluateInt(kLabelSize);
    const bool left = labelAtFarEnd(mode);
    Shape s;
    s.top = y - h, s.bottom = y;
    s.left = left ? x : x + w - labelWidth;
    s.right = s.left + labelWidth;
    s.separator = s.top + h / 2;
    s.stemY1 = s.stemY2 = s.top + h / 2;
    s.stemX1 = left ? s.right : s.left;
    s.stemX2 = left ? x + w : x;
    s.dotLeft = left ? x + w - kDot : x;
    s.dotTop = s.stemY1 - 2;
    return s;
}

void RegisterMeasuringPoints() {
    RegisterElementClass<TVMeasureGraph>(kVMeasure);
    RegisterElementClass<THMeasureGraph>(kHMeasure);
}

} // namespace ovanto
