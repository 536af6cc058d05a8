#include "elements/display/scales.h"

#include "elements/core/element_registry.h"
#include "elements/display/instrument_geometry.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

// A new scale starts with its axis on the right and without labels on the left.
constexpr PropertyDef kScaleRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "140"),
    rows::Int("w", "6"),
    rows::Int("h", "100"),
    {.caption = "Min", .gridDefault = "0.0", .kind = PropKind::FloatFormula, .initial = "0"},
    {.caption = "Max", .gridDefault = "1.0", .kind = PropKind::FloatFormula, .initial = "1"},
    rows::Int("Ticks", "6"),
    rows::Int("SmallTicks", "4"),
    rows::Int("FontSize", "8"),
    {.caption = "ScaleAlign (0-3)", .gridDefault = "1", .kind = PropKind::IntFormula, .initial = "0"},
};
static_assert(RowsMatch<TVScaleGraph>(kScaleRows));
constexpr ElementSchema kVScale{.keyword = "VSCALE", .rows = kScaleRows};
constexpr ElementSchema kHScale{.keyword = "HSCALE", .rows = kScaleRows};

void line(Canvas& canvas, long long x1, long long y1, long long x2, long long y2) {
    canvas.moveTo(Px(x1), Px(y1));
    canvas.lineTo(Px(x2), Px(y2));
}

bool ticksOnTheLeft(int align) { return align == 1 || align == 3; }

// Minor ticks are the marks of the finer run (S + 1 steps per major step) that are not majors.
struct MinorRun {
    long long perMajor = 0; // S + 1
    long long total = 0;    // marks in the finer run
    long double divisor = 0;

    MinorRun(long long majors, long long smallTicks) {
        if (majors < 2 || smallTicks < 1) return;
        perMajor = smallTicks + 1;
        divisor = static_cast<long double>(majors - 1) * static_cast<long double>(perMajor);
        total = (majors - 1) * perMajor + 1;
    }
    bool any() const { return total > 0; }
};

} // namespace

TScaleGraph::TScaleGraph(ElementContext& window, const ElementSchema& schema) : TGraph(window, schema) {}

TScaleGraph::Values TScaleGraph::values() const {
    Values v;
    v.x = evaluateInt(kX), v.y = evaluateInt(kY), v.w = evaluateInt(kW), v.h = evaluateInt(kH);
    v.low = evaluate(kMin);
    v.high = evaluate(kMax);
    v.ticks = evaluateInt(kTicks);
    v.smallTicks = evaluateInt(kSmallTicks);
    v.fontSize = evaluateInt(kFontSize);
    v.align = evaluateInt(kScaleAlign);
    v.penWidth = lineType() > 0 ? lineType() : 1;
    return v;
}

void TScaleGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Values v = values();
        drawScale(canvas, v);
        SetInstrumentFont(canvas, v.fontSize);
        CanvasTextMeasure measure(canvas);
        for (const PlacedText& label : labels(measure, v, &canvas)) DrawPlacedText(canvas, label);
    });
}

std::optional<Rect> TScaleGraph::outlineBox() const {
    const Values v = values();
    const OutlineKey key{v.x, v.y, v.w, v.h, v.ticks, v.smallTicks, v.fontSize, v.align, v.penWidth, {v.low}, {v.high}};
    return m_outline.get(key, [&] {
        Extent e;
        e.add(v.x, v.y - v.h, v.x + v.w, v.y);
        addLines(e, v);
        FontTextMeasure measure(InstrumentFontName(v.fontSize), v.fontSize);
        for (const PlacedText& label : labels(measure, v, nullptr)) e.add(label);
        return e.rect();
    });
}

// --- VSCALE --------------------------------------------------------------------------------

TVScaleGraph::TVScaleGraph(ElementContext& window) : TScaleGraph(window, kVScale) {}

void TVScaleGraph::drawScale(Canvas& canvas, const Values& v) {
    const long long x = v.x, y = v.y, w = v.w, h = v.h;
    const bool left = ticksOnTheLeft(v.align);
    const int axisWidth = 2 * v.penWidth;
    const long long axisX = left ? x : x + w - 1 + axisWidth / 2;
    canvas.setPenWidth(axisWidth);
    line(canvas, axisX, y - h + 2, axisX, y - 2);
    if (v.ticks < 2) return;
    canvas.setPenWidth(v.penWidth / 2);
    // Offsets above the bottom whose rows can reach the picture.
    const long long lo = y - 2 - canvas.height() - v.penWidth, hi = y - 2 + v.penWidth;
    const long double span = static_cast<long double>(h - 3), majorDivisor = static_cast<long double>(v.ticks - 1);
    for (const long long position : m_majors.get(v.ticks, 0, span, majorDivisor, lo, hi).positions) {
        const long long row = y - position - 2;
        line(canvas, x, row, x + w, row);
    }
    const MinorRun minor(v.ticks, v.smallTicks);
    if (!minor.any()) return;
    const MinorKey key{v.ticks, v.smallTicks, {span}, lo, hi};
    // A minor tick sits at its major's offset plus its own share of the step.
    const std::vector<long long>& offsets = m_minors.get(key, [&] {
        std::vector<long long> out;
        for (const long long m : MarkIndexes(minor.total, 0, span, minor.divisor, lo - 1, hi + 1)) {
            const long long major = m / minor.perMajor, j = m % minor.perMajor;
            if (j == 0) continue;
            out.push_back(MarkPosition(major, 0, span, majorDivisor) +
                          PixelLength(span * static_cast<long double>(j) / majorDivisor /
                                      static_cast<long double>(minor.perMajor)));
        }
        return out;
    });
    for (const long long offset : offsets) {
        const long long row = y - offset - 2;
        if (left) line(canvas, x, row, x + w / 2, row);
        else line(canvas, x + w, row, x + w - w / 2, row);
    }
}

void TVScaleGraph::addLines(Extent& e, const Values& v) const {
    const bool left = ticksOnTheLeft(v.align);
    const int axisWidth = 2 * v.penWidth;
    const long long axisX = left ? v.x : v.x + v.w - 1 + axisWidth / 2;
    e.addLine(axisX, v.y - v.h + 2, axisX, v.y - 2, axisWidth);
    if (v.ticks < 2) return;
    const long long top = v.y - 2 - std::max(0LL, v.h - 3), bottom = v.y - 2 - std::min(0LL, v.h - 3);
    e.addLine(v.x, top, v.x + v.w, bottom, v.penWidth);
}

std::vector<PlacedText> TVScaleGraph::labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const {
    if (v.ticks < 2 || (v.align != 0 && v.align != 1)) return {};
    const int th = measure.height();
    const LabelRun run{v.ticks, v.low, v.high, 0.5L * th + 1, static_cast<long double>(v.h - 2)};
    const std::vector<ScaleMark>& marks =
        canvas ? m_drawLabels.inWindow(run, v.y - canvas->height() - 1, v.y + th + 1) : m_boundsLabels.forBounds(run);
    if (v.align == 0) return VerticalLabels(measure, marks, v.y, v.x - v.w / 4 - 3, true);
    return VerticalLabels(measure, marks, v.y, v.x + v.w + v.w / 4 + 3, false);
}

// --- HSCALE --------------------------------------------------------------------------------

THScaleGraph::THScaleGraph(ElementContext& window) : TScaleGraph(window, kHScale) {}

void THScaleGraph::drawScale(Canvas& canvas, const Values& v) {
    const long long x = v.x, y = v.y, w = v.w, h = v.h;
    const bool low = ticksOnTheLeft(v.align); // axis along the bottom, ticks rising from it
    const long long axisY = low ? y : y - h;
    canvas.setPenWidth(2 * v.penWidth);
    line(canvas, x, axisY, x + w - 1, axisY);
    if (v.ticks < 2) return;
    canvas.setPenWidth(v.penWidth / 2);
    const long long lo = -x - v.penWidth, hi = canvas.width() - x + v.penWidth;
    const long double span = static_cast<long double>(w), majorDivisor = static_cast<long double>(v.ticks - 1);
    for (const long long position : m_majors.get(v.ticks, -1, span, majorDivisor, lo, hi).positions) {
        const long long column = x + position;
        line(canvas, column, y, column, y - h);
    }
    const MinorRun minor(v.ticks, v.smallTicks);
    if (!minor.any()) return;
    const WindowMarks& minors = m_minors.get(minor.total, -1, span, minor.divisor, lo, hi);
    for (std::size_t i = 0; i < minors.ks.size(); ++i) {
        if (minors.ks[i] % minor.perMajor == 0) continue;
        const long long column = x + minors.positions[i];
        if (low) line(canvas, column, y, column, y - h / 2);
        else line(canvas, column, y - h / 2, column, y - h);
    }
}

void THScaleGraph::addLines(Extent& e, const Values& v) const {
    const long long axisY = ticksOnTheLeft(v.align) ? v.y : v.y - v.h;
    e.addLine(v.x, axisY, v.x + v.w - 1, axisY, 2 * v.penWidth);
    if (v.ticks < 2) return;
    e.addLine(v.x - 1 + std::min(0LL, v.w), v.y - v.h, v.x - 1 + std::max(0LL, v.w), v.y, v.penWidth);
}

std::vector<PlacedText> THScaleGraph::labels(TextMeasure& measure, const Values& v, const Canvas* canvas) const {
    if (v.ticks < 2 || (v.align != 0 && v.align != 1)) return {};
    const int th = measure.height();
    const LabelRun run{v.ticks, v.low, v.high, -1, static_cast<long double>(v.w)};
    const long long reach = 12LL * th;
    const std::vector<ScaleMark>& marks =
        canvas ? m_drawLabels.inWindow(run, -v.x - reach, canvas->width() - v.x + reach) : m_boundsLabels.forBounds(run);
    return HorizontalLabels(measure, marks, v.x, v.align == 0 ? v.y + 3 : v.y - v.h - th - 3);
}

void RegisterScales() {
    RegisterElementClass<TVScaleGraph>(kVScale);
    RegisterElementClass<THScaleGraph>(kHScale);
}

} // namespace ovanto
