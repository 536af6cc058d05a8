#include "elements/display/bars.h"

#include "elements/core/element_registry.h"
#include "elements/display/instrument_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

constexpr PropertyDef kHBarRows[] = {
    rows::X("x", "40"),        rows::Y("y", "40"),        rows::Int("w", "100"), rows::Int("h", "16"),
    rows::Float("Min", "0.0"), rows::Float("Max", "1.0"), rows::Float("Input", "1"),
};
static_assert(RowsMatch<THBarGraph>(kHBarRows));
constexpr ElementSchema kHBar{.keyword = "HBAR", .rows = kHBarRows, .commonCaptions = {"RGBBack", "RGBFill", "Input"}, .paintSpill = 2};

constexpr PropertyDef kVBarRows[] = {
    rows::X("x", "40"),        rows::Y("y", "120"),       rows::Int("w", "16"), rows::Int("h", "100"),
    rows::Float("Min", "0.0"), rows::Float("Max", "1.0"), rows::Float("Input", "1"),
};
static_assert(RowsMatch<TVBarGraph>(kVBarRows));
constexpr ElementSchema kVBar{.keyword = "VBAR", .rows = kVBarRows, .commonCaptions = {"RGBBack", "RGBFill", "Input"}, .paintSpill = 2};

constexpr TInputRowGraph::GridDefaults kBarDefaults{"16777215", "8421376"};

} // namespace

THBarGraph::THBarGraph(ElementContext& window) : THBarGraph(window, kHBar) {}

THBarGraph::THBarGraph(ElementContext& window, const ElementSchema& schema)
    : TInputRowGraph(window, schema, kInput, kBarDefaults) {
    setText(kRGBStroke, QString::fromLatin1(kBarDefaults.row1));
    setText(kRGBFill, QString::fromLatin1(kBarDefaults.row2));
}

std::optional<Rect> THBarGraph::outlineBox() const {
    const long long x = evaluateInt(kX), y = evaluateInt(kY);
    return Rect{Px(x), Px(y - evaluateInt(kH)), Px(x + evaluateInt(kW)), Px(y)};
}

void THBarGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const long long x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
        DrawSunkenBar(canvas, x, y, w, h, evaluateInt(kRGBStroke));
        const long double low = evaluate(kMin);
        drawLevel(canvas, x, y, w, h, ShownValue(ChannelValue(kInput), low), low, evaluate(kMax),
                  evaluateInt(kRGBFill));
    });
}

void THBarGraph::drawLevel(Canvas& canvas, long long x, long long y, long long w, long long h, long double value,
                           long double low, long double high, TColor fill) {
    const std::optional<long long> length = BarLength(w, 3, value, low, high);
    if (!length) return;
    FillPlain(canvas, fill, x + 2, y - 1, x + 2 + *length, y - h + 2);
}

TVBarGraph::TVBarGraph(ElementContext& window) : THBarGraph(window, kVBar) {}

void TVBarGraph::drawLevel(Canvas& canvas, long long x, long long y, long long w, long long h, long double value,
                           long double low, long double high, TColor fill) {
    const std::optional<long long> length = BarLength(h, 4, value, low, high);
    if (!length) return;
    FillPlain(canvas, fill, x + 2, y - 1, x + w - 1, y - *length - 2);
}

void RegisterBars() {
    RegisterElementClass<THBarGraph>(kHBar);
    RegisterElementClass<TVBarGraph>(kVBar);
}

} // namespace ovanto
