#include "elements/display/bar_graphs.h"

#include "elements/core/element_registry.h"
#include "elements/display/instrument_geometry.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

// The zero line option came with record version 381.
constexpr int kZeroLineVersion = 380;

constexpr PropertyDef kVBarGraphRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "140"),
    rows::Int("w", "16"),
    rows::Int("h", "100"),
    rows::Float("Min", "0.0"),
    rows::Float("Max", "1.0"),
    rows::Plain("SymmMode (0-2)", "0"),
    rows::Float("Input", "1"),
    rows::Text("RGBFill2", "65535"),
    rows::Text("RGBFill3", "255"),
    rows::Number("Threshold2", "0.5"),
    rows::Number("Threshold3", "0.75"),
    rows::Plain("Ticks", "6"),
    rows::Plain("FontSize", "8"),
    rows::Plain("ScaleAlign (0=none)", "1"),
    rows::Text("Caption", "Caption"),
    rows::Plain("ShowZeroLine (0/1)", "0", kZeroLineVersion),
};
// A new lying bar graph starts symmetric and without labels, unlike what its grid shows.
constexpr PropertyDef kHBarGraphRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "140"),
    rows::Int("w", "100"),
    rows::Int("h", "16"),
    rows::Float("Min", "0.0"),
    rows::Float("Max", "1.0"),
    {.caption = "SymmMode (0-2)", .gridDefault = "0", .kind = PropKind::PlainInt, .initial = "1"},
    rows::Float("Input", "1"),
    rows::Text("RGBFill2", "65535"),
    rows::Text("RGBFill3", "255"),
    rows::Number("Threshold2", "0.5"),
    rows::Number("Threshold3", "0.75"),
    rows::Plain("Ticks", "6"),
    rows::Plain("FontSize", "8"),
    {.caption = "ScaleAlign (0=none)", .gridDefault = "1", .kind = PropKind::PlainInt, .initial = "0"},
    rows::Text("Caption", "Caption"),
    rows::Plain("ShowZeroLine (0/1)", "0", kZeroLineVersion),
};
static_assert(RowsMatch<TVExtBarGraphGraph>(kVBarGraphRows));
static_assert(RowsMatch<THExtBarGraphGraph>(kHBarGraphRows));
constexpr ElementSchema kVBarGraph{
    .keyword = "VBARGRAPH", .rows = kVBarGraphRows, .commonCaptions = {"RGBBack", "RGBFill", "Input"}, .paintSpill = 2};
constexpr ElementSchema kHBarGraph{
    .keyword = "HBARGRAPH", .rows = kHBarGraphRows, .commonCaptions = {"RGBBack", "RGBFill", "Input"}, .paintSpill = 2};

constexpr TInputRowGraph::GridDefaults kBarGraphDefaults{"16777215", "32768"};

void line(Canvas& canvas, long long x1, long long y1, long long x2, long long y2) {
    canvas.moveTo(Px(x1), Px(y1));
    canvas.lineTo(Px(x2), Px(y2));
}

} // namespace

TExtBarGraphGraph::TExtBarGraphGraph(ElementContext& window, const ElementSchema& schema)
    : TInputRowGraph(window, schema, kInput, kBarGraphDefaults) {
    setText(kRGBStroke, QStringLiteral("16777215"));
    setText(kRGBFill, QStringLiteral("65280"));
}

TExtBarGraphGraph::Values TExtBarGraphGraph::values() const {
    Values v;
    v.x = evaluateInt(kX), v.y = evaluateInt(kY), v.w = evaluateInt(kW), v.h = evaluateInt(kH);
    v.low = evaluate(kMin);
    v.high = evaluate(kMax);
    v.value = ShownValue(ChannelValue(kInput), v.low);
    v.ticks = intValue(kTicks);
    v.fontSize = intValue(kFontSize);
    v.scaleAlign = intValue(kScaleAlign);
    return v;
}

TColor TExtBarGraphGraph::pieceColour(int fill) const {
    if (fill == 2) return m_fill2.value(text(kRGBFill2), signalTable());
    if (fill == 3) return m_fill3.value(text(kRGBFill3), signalTable());
    return evaluateInt(kRGBFill);
}

std::optional<PlacedText> TExtBarGraphGraph::caption(TextMeasure& measure, const Values& v) const {
    const std::optional<QString>& text = m_caption.get(this->text(kCaption), v.value);
    if (!text) return std::nullopt;
    const int th = measure.height();
    const long long tw = measure.width(*text);
    return PlacedText{*text, v.x + (v.w - tw) / 2, v.y - v.h - 3LL * th / 2, tw, th};
}

void TExtBarGraphGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Values v = values();
        const TColor back = evaluateInt(kRGBStroke);
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColor(kBlack);
        canvas.setPenWidth(1);
        if (v.ticks > 1) drawTicks(canvas, v);
        DrawSunkenBar(canvas, v.x, v.y, v.w, v.h, back);
        const BarGraphLayout layout = BarGraphPieces({.length = barLength(v),
                                                      .low = v.low,
                                                      .high = v.high,
                                                      .value = v.value,
                                                      .threshold2 = number(kThreshold2),
                                                      .threshold3 = number(kThreshold3),
                                                      .symmMode = intValue(kSymmMode),
                                                      .showZeroLine = intValue(kShowZeroLine)});
        drawBar(canvas, v, layout);

        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenWidth(1);
        canvas.setFontColor(kBlack);
        SetInstrumentFont(canvas, v.fontSize);
        CanvasTextMeasure measure(canvas);
        if (const auto text = caption(measure, v)) DrawPlacedText(canvas, *text);
        if (v.scaleAlign != 0 && v.ticks > 1)
            for (const PlacedText& label : labels(measure, v, &canvas)) DrawPlacedText(canvas, label);
    });
}

std::optional<Rect> TExtBarGraphGraph::outlineBox() const {
    const Values v = values();
    const InstrumentOutlineKey key{v.x, v.y, v.w, v.h, v.ticks, v.fontSize, v.scaleAlign,
                         {v.low}, {v.high}, {v.value}, text(kCaption)};
    return m_outline.get(key, [&] {
        Extent e;
        e.add(v.x, v.y - v.h, v.x + v.w, v.y);
        if (v.ticks > 1) addTicks(e, v);
        FontTextMeasure measure(InstrumentFontName(v.fontSize), v.fontSize);
        if (const auto text = caption(measure, v)) e.add(*text);
        if (v.scaleAlign != 0 && v.ticks > 1)
            for (const PlacedText& label : labels(measure, v, nullptr)) e.add(label);
        return e.rect();
    });
}

// --- VBARGRAPH ----------------------------------------------------------------------------

TVExtBarGraphGraph::TVExtBarGraphGraph(ElementContext& window) : TExtBarGraphGraph(window, kVBarGraph) {}

long long TVExtBarGraphGraph::barLength(const Values& v) const { return v.h; }

void TVExtBarGraphGraph::drawTicks(Canvas& canvas, const Values& v) {
    // Drawn before the bar, which hides their middle.
    for (const long long position : m_ticks
                                        .get(v.ticks, 0, static_cast<long double>(v.h - 3),
                                             static_cast<long double>(v.ticks - 1), v.y - 3 - canvas.height(), v.y - 1)
                                        .positions) {
        const long long row = v.y - position - 2;
        line(canvas, v.x - v.w / 6, row, v.x + v.w + v.w / 6, row);
    }
}

void TVExtBarGraphGraph::addTicks(Extent& e, const Values& v) const {
    e.add(v.x - v.w / 6, v.y - 2 - std::max(0LL, v.h - 3), v.x + v.w + v.w / 6, v.y - 2 - std::min(0LL, v.h - 3) + 1);
}

void TVExtBarGraphGraph::drawBar(Canvas& canvas, const Values& v, const BarGraphLayout& layout) {
    if (layout.zeroLineWidth) {
        canvas.setPenColor(evaluateInt(kRGBFill));
        canvas.setPenWidth(layout.zeroLineWidth);
        const long long row = v.y + layout.zeroRow;
        if (layout.zeroLineWidth == 1) line(canvas, v.x + 2, row, v.x + v.w - 2, row);
        else line(canvas, v.x + 3, row, v.x + v.w - 4, row);
    }
    for (const BarPiece& piece : layout.pieces)
        FillPlain(canvas, pieceColour(piece.fill), v.x + 2, v.y + piece.start, v.x + v.w - 1, v.y + piece.end);
}

std::vector<PlacedText> TVExtBarGraphGraph::labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const {
    const int th = measure.height();
    const LabelRun run{v.ticks, v.low, v.high, 0.5L * th + 1, static_cast<long double>(v.h - 2)};
    const std::vector<ScaleMark>& marks =
        canvas ? m_drawLabels.inWindow(run, v.y - canvas->height() - 1, v.y + th + 1) : m_boundsLabels.forBounds(run);
    const bool left = v.scaleAlign == 1;
    return VerticalLabels(measure, marks, v.y, left ? v.x - v.w / 4 : v.x + v.w + v.w / 4, left);
}

// --- HBARGRAPH ------------------------------------------------------------------------------

THExtBarGraphGraph::THExtBarGraphGraph(ElementContext& window) : TExtBarGraphGraph(window, kHBarGraph) {}

long long THExtBarGraphGraph::barLength(const Values& v) const { return v.w; }

void THExtBarGraphGraph::drawTicks(Canvas& canvas, const Values& v) {
    const long double span = static_cast<long double>(v.w - 3), divisor = static_cast<long double>(v.ticks - 1);
    for (const long long position : m_ticks.get(v.ticks, 0, span, divisor, -v.x - 2, canvas.width() - v.x).positions) {
        const long long column = v.x + 1 + position;
        line(canvas, column, v.y, column, v.y + v.h / 4);
    }
}

void THExtBarGraphGraph::addTicks(Extent& e, const Values& v) const {
    e.add(v.x + 1 + std::min(0LL, v.w - 3), v.y, v.x + 2 + std::max(0LL, v.w - 3), v.y + v.h / 4 + 1);
}

// The upright bar turned a quarter: its row r becomes the column x - r.
void THExtBarGraphGraph::drawBar(Canvas& canvas, const Values& v, const BarGraphLayout& layout) {
    if (layout.zeroLineWidth) {
        canvas.setPenColor(evaluateInt(kRGBFill));
        canvas.setPenWidth(layout.zeroLineWidth);
        const long long column = v.x - layout.zeroRow;
        if (layout.zeroLineWidth == 1) line(canvas, column, v.y - 2, column, v.y - v.h + 2);
        else line(canvas, column, v.y - 3, column, v.y - v.h + 4);
    }
    for (const BarPiece& piece : layout.pieces) {
        const long long lo = std::min(piece.start, piece.end), hi = std::max(piece.start, piece.end);
        FillPlain(canvas, pieceColour(piece.fill), v.x - hi + 1, v.y - v.h + 2, v.x - lo + 1, v.y - 1);
    }
}

std::vector<PlacedText> THExtBarGraphGraph::labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const {
    const LabelRun run{v.ticks, v.low, v.high, 0, static_cast<long double>(v.w - 3)};
    // A label reaches at most this far from its tick.
    const long long reach = 12LL * measure.height();
    const std::vector<ScaleMark>& marks =
        canvas ? m_drawLabels.inWindow(run, -v.x - 1 - reach, canvas->width() - v.x + reach) : m_boundsLabels.forBounds(run);
    return HorizontalLabels(measure, marks, v.x + 1, v.y + v.h / 4);
}

void RegisterBarGraphs() {
    RegisterElementClass<TVExtBarGraphGraph>(kVBarGraph);
    RegisterElementClass<THExtBarGraphGraph>(kHBarGraph);
}

} // namespace ovanto
