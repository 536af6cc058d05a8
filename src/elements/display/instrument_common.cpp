#include "elements/display/instrument_common.h"

#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "elements/display/instrument_geometry.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"


#include <algorithm>
#include <limits>

namespace ovanto {

// --- grid rows ------------------------------------------------------------------------

TInputRowGraph::TInputRowGraph(ElementContext& window, const ElementSchema& schema, int inputProperty,
                               GridDefaults defaults)
    : TGraph(window, schema), m_defaults(defaults) {
    m_rows = {kRGBStroke, kRGBFill, inputProperty, kCIn, kCInMin, kCInMax};
    for (int p = kFirstClassProperty; p < propertyCount(); ++p)
        if (p != inputProperty) m_rows.push_back(p);
}

void TInputRowGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    propGrid.setRowCount(static_cast<int>(m_rows.size()) + 1);
    for (int r = 1; r <= static_cast<int>(m_rows.size()); ++r) {
        const int p = propertyOfRow(r);
        const char* caption =
            r <= 3 ? schema().commonCaptions[static_cast<std::size_t>(r - 1)] : propertyDef(p).caption;
        propGrid.setCell(0, r, QString::fromUtf8(caption));
        if (!withDefaults) continue;
        const char* value = r == 1 ? m_defaults.row1 : r == 2 ? m_defaults.row2 : propertyDef(p).gridDefault;
        propGrid.setCell(1, r, QString::fromUtf8(value));
    }
    if (withDefaults) elementGrid.setCell(0, row, Keyword());
}

void TInputRowGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    elementGrid.setCell(0, row, Keyword());
    elementGrid.setCell(1, row, Comment());
    for (int r = 1; r <= static_cast<int>(m_rows.size()); ++r) propGrid.setCell(1, r, text(propertyOfRow(r)));
}

void TInputRowGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    setComment(elementGrid.cell(1, row));
    for (int r = 1; r <= static_cast<int>(m_rows.size()); ++r) {
        const int p = propertyOfRow(r);
        const QString cell = propGrid.cell(1, r);
        QString validated;
        switch (propertyDef(p).kind) {
        case PropKind::IntFormula:
            ValidateInt(cell, elementGrid, propGrid, validated, true, r, row);
            break;
        case PropKind::IntText:
        case PropKind::PlainInt:
            ValidateInt(cell, elementGrid, propGrid, validated, false, r, row);
            break;
        case PropKind::FloatFormula:
        case PropKind::Number:
            ValidateFloat(cell, elementGrid, propGrid, validated, r, row);
            break;
        case PropKind::Text:
            validated = cell;
            break;
        }
        setText(p, validated);
    }
}

// --- text --------------------------------------------------------------------------------

QString InstrumentFontName(int size) {
    return size > 7 ? QStringLiteral("ARIAL") : QStringLiteral("Small Fonts");
}

void SetInstrumentFont(Canvas& canvas, int size) {
    canvas.setFontName(InstrumentFontName(size));
    canvas.setFontSize(size);
}

int CanvasTextMeasure::width(const QString& text) { return m_canvas.textWidth(text); }
int CanvasTextMeasure::height() { return m_canvas.textHeight(); }

FontTextMeasure::FontTextMeasure(const QString& name, int size) : m_metrics(CanvasFont{.name = name, .size = size, .color = kBlack, .style = {}}) {}

void DrawPlacedText(Canvas& canvas, const PlacedText& t) { canvas.textOut(Px(t.left), Px(t.top), t.text); }

// --- scale labels ---------------------------------------------------------------------

namespace {
constexpr long long kBoundsPositions = 4096;
} // namespace

long long LabelRun::position(long long k) const {
    return MarkPosition(k, base, span, static_cast<long double>(n - 1));
}

std::vector<long long> LabelRun::indexes(long long lo, long long hi) const {
    if (n < 2) return {};
    return MarkIndexes(n, base, span, static_cast<long double>(n - 1), lo, hi);
}

std::vector<long long> LabelRun::boundsIndexes() const {
    if (n < 2) return {};
    // Labels crowded onto one pixel are drawn one per pixel, and which one
    // depends on the window: the box holds them all.
    if (n <= kBoundsPositions) {
        std::vector<long long> all(static_cast<std::size_t>(n));
        for (long long k = 0; k < n; ++k) all[static_cast<std::size_t>(k)] = k;
        return all;
    }
    const long long first = position(0), last = position(n - 1);
    const long long lo = std::min(first, last);
    std::vector<long long> ks = indexes(lo, std::min(std::max(first, last), lo + kBoundsPositions));
    if (ks.empty() || ks.back() != n - 1) ks.push_back(n - 1);
    return ks;
}

std::vector<ScaleMark> ScaleMarks(const LabelRun& run, const std::vector<long long>& ks) {
    std::vector<ScaleMark> out;
    out.reserve(ks.size());
    for (const long long k : ks) out.push_back({ScaleLabel(MarkValue(k, run.n, run.low, run.high)), run.position(k)});
    return out;
}

std::vector<PlacedText> VerticalLabels(TextMeasure& measure, const std::vector<ScaleMark>& marks, long long y,
                                       long long x, bool rightAligned) {
    std::vector<PlacedText> out;
    out.reserve(marks.size());
    const int th = measure.height();
    for (const ScaleMark& m : marks) {
        const long long tw = measure.width(m.text);
        out.push_back({m.text, rightAligned ? x - tw : x, y - m.position, tw, th});
    }
    return out;
}

std::vector<PlacedText> HorizontalLabels(TextMeasure& measure, const std::vector<ScaleMark>& marks, long long x,
                                         long long y) {
    std::vector<PlacedText> out;
    out.reserve(marks.size());
    const int th = measure.height();
    for (const ScaleMark& m : marks) {
        const long long tw = measure.width(m.text);
        out.push_back({m.text, x + m.position - tw / 2, y, tw, th});
    }
    return out;
}

const std::vector<ScaleMark>& KeptScaleMarks::inWindow(const LabelRun& run, long long lo, long long hi) {
    const Key key{run.n, {run.low}, {run.high}, {run.base}, {run.span}, lo, hi, false};
    return m_kept.get(key, [&] { return ScaleMarks(run, run.indexes(lo, hi)); });
}

const std::vector<ScaleMark>& KeptScaleMarks::forBounds(const LabelRun& run) {
    const Key key{run.n, {run.low}, {run.high}, {run.base}, {run.span}, 0, 0, true};
    return m_kept.get(key, [&] { return ScaleMarks(run, run.boundsIndexes()); });
}

const WindowMarks& KeptMarks::get(long long count, long double base, long double span, long double divisor,
                                  long long lo, long long hi) {
    const Key key{count, {base}, {span}, {divisor}, lo, hi};
    return m_kept.get(key, [&] {
        WindowMarks marks;
        marks.ks = MarkIndexes(count, base, span, divisor, lo, hi);
        marks.positions.reserve(marks.ks.size());
        for (const long long k : marks.ks) marks.positions.push_back(MarkPosition(k, base, span, divisor));
        return marks;
    });
}

// --- extent ------------------------------------------------------------------------------

void Extent::add(long long left, long long top, long long right, long long bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (!m_any) {
        m_left = left, m_top = top, m_right = right, m_bottom = bottom;
        m_any = true;
        return;
    }
    m_left = std::min(m_left, left);
    m_top = std::min(m_top, top);
    m_right = std::max(m_right, right);
    m_bottom = std::max(m_bottom, bottom);
}

void Extent::addLine(long long x1, long long y1, long long x2, long long y2, int penWidth) {
    const long long half = std::max(penWidth, 1) / 2 + 1;
    add(std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + half, std::max(y1, y2) + half);
}

Rect Extent::rect() const {
    if (!m_any) return kNoBounds;
    return {Px(m_left), Px(m_top), Px(m_right), Px(m_bottom)};
}

// --- values --------------------------------------------------------------------------------

std::optional<QString> FormatCaption(const QString& pattern, long double value) {
    try {
        return FormatValue(pattern, value);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

TColor ColourText::value(const QString& text, const SignalTable& table) const {
    const std::string s = text.toStdString();
    if (s != m_text.text()) m_text.setText(s);
    return ToCoord(m_text.evaluate(table));
}

// What ToCoord gives for a whole number, without its long double rounding.
int Px(long long value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw ConversionError("coordinate out of range");
    return static_cast<int>(value);
}

void FillPlain(Canvas& canvas, TColor fill, long long left, long long top, long long right, long long bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (fill < 0 || right - 1 <= left || bottom - 1 <= top) return;
    canvas.setBrushColor(fill);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.fillRect(Px(left), Px(top), Px(right - 1), Px(bottom - 1));
}

// --- sunken bar ----------------------------------------------------------------------------

void DrawSunkenBar(Canvas& canvas, long long x, long long y, long long w, long long h, TColor back) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenColor(kBlack);
    canvas.setPenWidth(1);
    canvas.setBrushColor(back);
    canvas.setBrushStyle(back < 0 ? BrushStyle::Clear : BrushStyle::Solid);
    canvas.rectangle(Px(x), Px(y - h), Px(x + w), Px(y));
    canvas.setPenColor(back == kLightGrey ? kWhite : kLightGrey);
    canvas.moveTo(Px(x + 1), Px(y - 2));
    canvas.lineTo(Px(x + w - 2), Px(y - 2));
    canvas.lineTo(Px(x + w - 2), Px(y - h + 1));
    canvas.setPenColor(kDarkGrey);
    canvas.lineTo(Px(x + 1), Px(y - h + 1));
    canvas.lineTo(Px(x + 1), Px(y - 1));
}

} // namespace ovanto
