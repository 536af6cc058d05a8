#include "elements/display/plots.h"

#include "chart/kxgraphic.h"
#include "elements/core/element_list.h"
#include "elements/core/element_registry.h"
#include "elements/core/family_settings.h"
#include "elements/core/formula/signal_table.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/printer.h"
#include "platform/value_files.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <new>

namespace ovanto {
namespace {

// Grid defaults are smaller than what a new element starts with.
constexpr PropertyDef kPlotX{.caption = "x", .gridDefault = "20", .kind = PropKind::IntFormula, .axis = Axis::X};
constexpr PropertyDef kPlotY{
    .caption = "y", .gridDefault = "100", .kind = PropKind::IntFormula, .axis = Axis::Y, .initial = "150"};
constexpr PropertyDef kPlotW{.caption = "w", .gridDefault = "100", .kind = PropKind::IntFormula, .initial = "200"};
constexpr PropertyDef kPlotH{.caption = "h", .gridDefault = "80", .kind = PropKind::IntFormula, .initial = "120"};

// Old records end before these fields.
constexpr int kGridVersion = 224;

constexpr PropertyDef kYTRows[] = {
    kPlotX,
    kPlotY,
    kPlotW,
    kPlotH,
    rows::Float("Input", "1"),
    rows::Plain("Group", "-1"),
    rows::Plain("DrawAxes (0/1)", "1"),
    rows::Plain("AutoTimeScale (0/1)", "1"),
    rows::Plain("AutoAmpScale (0/1)", "1"),
    rows::Plain("LogAmpScale (0/1)", "0"),
    rows::Float("TimeMin", "0.0"),
    rows::Float("TimeMax", "10.0"),
    rows::Float("AmpMin", "0.0"),
    rows::Float("AmpMax", "1.0"),
    rows::Plain("FrameWidth", "1"),
    rows::Text("TimeText", "t"),
    rows::Text("AmpText", "y"),
    rows::Plain("DrawGrid (0/1)", "0", kGridVersion),
    rows::Plain("RecorderMode (0/1)", "0", 271),
    rows::Plain("TimeMode (0/1/2)", "0", 371),
};
static_assert(RowsMatch<TYTPlotGraph>(kYTRows));
constexpr ElementSchema kYTPlot{.keyword = "YTPLOT", .rows = kYTRows, .paintSpill = 2};

constexpr PropertyDef kXYRows[] = {
    kPlotX,
    kPlotY,
    kPlotW,
    kPlotH,
    rows::Float("x-Input", "1"),
    rows::Float("y-Input", "2"),
    rows::Plain("Group", "-1"),
    rows::Plain("DrawAxes (0/1)", "1"),
    rows::Plain("AutoScale (0/1)", "1"),
    rows::Float("xMin", "0.0"),
    rows::Float("xMax", "1.0"),
    rows::Float("yMin", "0.0"),
    rows::Float("yMax", "1.0"),
    rows::Plain("FrameWidth", "1"),
    rows::Text("xText", "x"),
    rows::Text("yText", "y"),
    rows::Plain("DrawGrid (0/1)", "0", kGridVersion),
    rows::Float("UpdateRate (0=auto)", "0.0"),
};
static_assert(RowsMatch<TXYPlotGraph>(kXYRows));
constexpr ElementSchema kXYPlot{.keyword = "XYPLOT", .rows = kXYRows, .paintSpill = 2};

// The y title sits inside the plot area beside the axis top, so nothing leaves the element's rectangle.
constexpr int kTitleInside = 4;

float ToFloat(long double v) {
    if (std::isnan(v)) return static_cast<float>(v);
    constexpr long double kMax = 3.4e38L;
    return static_cast<float>(std::clamp(v, -kMax, kMax));
}

// Evaluated range ends: max replaced by min + 1 when it is not greater.
void RangeOf(long double min, long double max, double& lo, double& hi) {
    lo = std::isfinite(min) ? static_cast<double>(min) : 0.0;
    hi = std::isfinite(max) ? static_cast<double>(max) : lo + 1;
    if (!(hi > lo)) hi = lo + 1;
}

std::vector<long double> Extended(const std::vector<float>& values) {
    return {values.begin(), values.end()};
}

} // namespace

// --- the common part ---------------------------------------------------------------------

TPlotGraph::TPlotGraph(ElementContext& window, const ElementSchema& schema, int group, int drawAxes,
                       int frameWidth, int drawGrid)
    : TGraph(window, schema), m_group(group), m_drawAxes(drawAxes), m_frameWidth(frameWidth), m_drawGrid(drawGrid) {}

Rect TPlotGraph::ownRect() const {
    const int x = evaluateInt(kFirstClassProperty);
    const int y = evaluateInt(kFirstClassProperty + 1);
    const int w = evaluateInt(kFirstClassProperty + 2);
    const int h = evaluateInt(kFirstClassProperty + 3);
    return {x, ToCoord(static_cast<long double>(y) - h), ToCoord(static_cast<long double>(x) + w), y};
}

TPlotGraph* TPlotGraph::master() const {
    const int group = intValue(m_group);
    if (group == -1) return const_cast<TPlotGraph*>(this);
    for (const auto& owned : window().elementList()) {
        TGraph* e = owned.get();
        if (e == this) break;
        if (typeid(*e) != typeid(*this)) continue;
        auto* plot = static_cast<TPlotGraph*>(e);
        if (plot->intValue(plot->m_group) == group) return plot;
    }
    return const_cast<TPlotGraph*>(this);
}

void TPlotGraph::rebuildMembers() {
    m_memberRows.clear();
    const int group = intValue(m_group);
    if (group == -1) return;
    const ElementList& list = window().elementList();
    const int self = list.indexOf(this);
    if (self < 0) return;
    for (int row = self + 1; row < list.count(); ++row) {
        const TGraph* e = list.at(row);
        if (typeid(*e) == typeid(*this) && static_cast<const TPlotGraph*>(e)->intValue(m_group) == group)
            m_memberRows.push_back(row);
    }
}

std::vector<TPlotGraph*> TPlotGraph::members() const {
    std::vector<TPlotGraph*> out;
    const ElementList& list = window().elementList();
    const int group = intValue(m_group);
    // rows may be stale after an edit: only plots of this kind and group count
    for (int row : m_memberRows) {
        if (row >= list.count()) continue;
        TGraph* e = list.at(row);
        if (e == this || typeid(*e) != typeid(*this)) continue;
        auto* plot = static_cast<TPlotGraph*>(e);
        if (plot->intValue(plot->m_group) == group) out.push_back(plot);
    }
    return out;
}

void TPlotGraph::Init() {
    m_xs.clear();
    m_ys.clear();
    recomputeExtents();
    rebuildMembers();
}

void TPlotGraph::UpdateOutput() {
    if (window().designMode()) rebuildMembers();
}

std::optional<Rect> TPlotGraph::outlineBox() const { return master()->ownRect(); }

void TPlotGraph::GetBounds(Rect& r) {
    if (master() != this) {
        r = kNoBounds;
        return;
    }
    boundsFrom(r, [&] { return ownRect(); });
}

void TPlotGraph::record(float x, float y) {
    try {
        m_xs.push_back(x);
        m_ys.push_back(y);
    } catch (const std::bad_alloc&) {
        m_xs.resize(m_ys.size());
        return;
    }
    m_xExtent.add(x);
    m_yExtent.add(y);
}

void TPlotGraph::recomputeExtents() {
    m_xExtent = {};
    m_yExtent = {};
    for (float v : m_xs) m_xExtent.add(v);
    for (float v : m_ys) m_yExtent.add(v);
}

chart::DataRange TPlotGraph::ownRange(bool xValues) const {
    const Extent& e = xValues ? m_xExtent : m_yExtent;
    if (e.lo > e.hi) return {0, 1};
    return chart::SpreadRange({e.lo, e.hi});
}

// The extents are kept while recording, so a paint never walks the samples for its axes.
void TPlotGraph::groupRange(bool xValues, double& min, double& max) const {
    std::vector<const TPlotGraph*> plots{this};
    for (const TPlotGraph* m : members()) plots.push_back(m);
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    for (const TPlotGraph* p : plots) {
        const Extent& e = xValues ? p->m_xExtent : p->m_yExtent;
        if (e.lo > e.hi) continue;
        lo = std::min(lo, static_cast<double>(e.lo));
        hi = std::max(hi, static_cast<double>(e.hi));
    }
    const chart::DataRange r = lo > hi ? chart::DataRange{0, 1} : chart::SpreadRange({lo, hi});
    min = r.min;
    max = r.max;
}

void TPlotGraph::curveLook(CanvasPen& pen, int& style) const {
    const int type = lineType();
    pen = {};
    pen.color = evaluateInt(kRGBStroke);
    pen.width = type >= 1 ? type : 1;
    style = type >= 1 ? 0 : std::abs(type);
}

void TPlotGraph::styleCurve(TKXGraphic& chart) const {
    CanvasPen pen;
    int style = 0;
    curveLook(pen, style);
    chart.SetCurvePen(pen);
    chart.SetCurveStyle(style);
}

void TPlotGraph::scaleAxes(TKXGraphic& chart) const {
    AxisChoice x;
    AxisChoice y;
    scales(x, y);
    ApplyAxisChoice(chart, TKXGraphic::AxisId::X, x);
    ApplyAxisChoice(chart, TKXGraphic::AxisId::Y, y);
}

PlotView TPlotGraph::view() const {
    const TPlotGraph* m = master();
    PlotView v;
    try {
        m->scales(v.x, v.y);
    } catch (...) {
        v.x = {};
        v.y = {};
    }
    v.xTitle = m->xTitle();
    v.yTitle = m->yTitle();
    v.drawAxes = m->intValue(m->m_drawAxes) == 1;
    v.frameWidth = m->intValue(m->m_frameWidth);
    std::vector<const TPlotGraph*> plots{m};
    for (const TPlotGraph* p : m->members()) plots.push_back(p);
    for (const TPlotGraph* p : plots) {
        PlotCurve c;
        c.xs = p->m_xs;
        c.ys = p->m_ys;
        // a curve whose colour does not evaluate is drawn in black rather than lost
        try {
            p->curveLook(c.pen, c.style);
        } catch (...) {
            c.pen = {};
            c.style = 0;
        }
        v.curves.push_back(std::move(c));
    }
    return v;
}

void TPlotGraph::drawChart(TKXGraphic& chart, bool grid) {
    TPlotGraph* m = master();
    const bool axes = m == this && intValue(m_drawAxes) == 1;
    if (axes) {
        chart.DrawXAxis(xTitle(), 3);
        chart.DrawYAxis(yTitle(), 1, kTitleInside);
        if (grid && intValue(m_drawGrid) > 0) chart.DrawGrid();
    }
    styleCurve(chart);
    chart.DrawCurve(m_xs, m_ys);
    if (axes && intValue(m_frameWidth) > 0) chart.DrawBorder(intValue(m_frameWidth));
}

void TPlotGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        TPlotGraph* m = master();
        const Rect r = m->ownRect();
        if (r.right <= r.left || r.bottom <= r.top || canvas.width() <= 0 || canvas.height() <= 0) return;
        CanvasStateSaver saver(canvas);
        canvas.setClipRect(r.left, r.top, r.right + 1, r.bottom + 1);
        const float wc = static_cast<float>(canvas.width());
        const float hc = static_cast<float>(canvas.height());
        const float wm = static_cast<float>(r.right - r.left);
        const float hm = static_cast<float>(r.bottom - r.top);
        TKXGraphic chart(canvas, QRect(0, 0, canvas.width(), canvas.height()), false,
                         CurrentFamilySettings().defaultGridMode);
        chart.SetMinFontSize(7);
        chart.SetPlotArea(true, (static_cast<float>(r.left) + 0.15f * wm) / wc,
                          1 - static_cast<float>(r.bottom) / hc + 0.2f * hm / hc, 0.8f * wm / wc, 0.8f * hm / hc);
        m->scaleAxes(chart);
        drawChart(chart, true);
    });
}

void TPlotGraph::DrawInto(Canvas& canvas, const QRect& page, double yHigh, double yLow, bool fixedY,
                          bool onPrinter) {
    guarded([&] {
        TKXGraphic chart(canvas, page, onPrinter, CurrentFamilySettings().defaultGridMode);
        chart.SetMinFontSize(7);
        chart.SetPlotArea(true, 0.1f, 0.15f, 0.8f, 0.8f);
        master()->scaleAxes(chart);
        if (fixedY) chart.SetYRange(true, 0, 0, yLow, yHigh);
        drawChart(chart, false);
    });
}

void TPlotGraph::dropBefore(float start) {
    const auto keep = std::find_if(m_xs.begin(), m_xs.end(), [&](float x) { return !(x < start); });
    const auto n = keep - m_xs.begin();
    m_xs.erase(m_xs.begin(), keep);
    m_ys.erase(m_ys.begin(), m_ys.begin() + std::min<std::ptrdiff_t>(n, std::ssize(m_ys)));
    recomputeExtents();
}

bool TPlotGraph::PrintPlot(QWidget* parent) {
    if (master() != this) return false;
    Printer& printer = Printer::instance();
    if (!printer.setup(parent)) return false;
    Canvas* canvas = printer.beginJob();
    guarded([&] {
        TKXGraphic chart(*canvas, printer.pageRect(), true, CurrentFamilySettings().defaultGridMode);
        chart.SetMinFontSize(7);
        chart.SetPlotArea(true, 0.15f, 0.15f, 0.8f, 0.8f);
        scaleAxes(chart);
        drawChart(chart, true);
        for (TPlotGraph* m : members()) {
            m->styleCurve(chart);
            chart.DrawCurve(m->m_xs, m->m_ys);
        }
    });
    printer.endJob();
    return true;
}

bool TPlotGraph::SaveData(QWidget* parent) {
    if (!hasData()) return false;
    saveOne(parent);
    for (TPlotGraph* m : members()) m->saveOne(parent);
    return true;
}

// --- YTPLOT ----------------------------------------------------------------------------

TYTPlotGraph::TYTPlotGraph(ElementContext& window)
    : TPlotGraph(window, kYTPlot, kGroup, kDrawAxes, kFrameWidth, kDrawGrid) {}

void TYTPlotGraph::Init() {
    TPlotGraph::Init();
    m_windowStart = 0;
    const QTime now = QTime::currentTime();
    m_startHours = now.hour() + now.minute() / 60.0 + now.second() / 3600.0;
}

void TYTPlotGraph::UpdateInputs(long double t) {
    guarded([&] {
        const long double v = ChannelValue(kInput);
        if (v == kNoChannel) return;
        // The switches hold whole numbers: compared as stored, a step costs no conversion to int.
        const long double mode = number(kTimeMode);
        long double time = t;
        if (mode == 1) time = t / 60;
        else if (mode == 2) time = t / 3600;
        else if (mode == 3) time = t / 3600 + m_startHours;
        record(ToFloat(time), ToFloat(v));
        if (number(kRecorderMode) != 0 && master() == this) trimRecorder(ToFloat(evaluate(kTimeMax)));
    });
}

// The recorder keeps a window of `length` time units: when the data leave it,
// the window moves on by half its length and older samples of the group go.
void TYTPlotGraph::trimRecorder(float length) {
    if (!(length > 0) || !std::isfinite(length) || m_xs.empty()) return;
    const float last = m_xs.back();
    if (!(last - m_windowStart > length)) return;
    const float half = length / 2;
    const float jumps = std::floor((last - m_windowStart - length) / half) + 1;
    if (!std::isfinite(jumps)) return;
    m_windowStart += jumps * half;
    std::vector<TPlotGraph*> plots = members();
    plots.push_back(this);
    for (TPlotGraph* p : plots) p->dropBefore(m_windowStart);
}

void TYTPlotGraph::scales(AxisChoice& x, AxisChoice& y) const {
    double tmin = 0, tmax = 1, amin = 0, amax = 1;
    RangeOf(evaluate(kTimeMin), evaluate(kTimeMax), tmin, tmax);
    RangeOf(evaluate(kAmpMin), evaluate(kAmpMax), amin, amax);
    y.log = intValue(kLogAmpScale) == 1;
    x.log = false;
    if (m_xs.empty()) {
        x = {.automatic = true, .low = 0, .high = 1};
        y.automatic = true;
        y.low = 0;
        y.high = 1;
        return;
    }
    if (intValue(kRecorderMode) != 0) {
        const double length = tmax;
        x = {.automatic = false, .low = m_windowStart, .high = m_windowStart + (length > 0 ? length : 1)};
    } else if (intValue(kAutoTimeScale) == 1) {
        const chart::DataRange r = ownRange(true);
        x = {.automatic = true, .low = r.min, .high = r.max};
    } else {
        x = {.automatic = false, .low = tmin, .high = tmax};
    }
    if (intValue(kAutoAmpScale) == 1) {
        y.automatic = true;
        groupRange(false, y.low, y.high);
    } else {
        y.automatic = false;
        y.low = amin;
        y.high = amax;
    }
}

bool TYTPlotGraph::saveOne(QWidget* parent) {
    QString name = Comment() + QStringLiteral(".sim");
    return SaveSimFile(Extended(m_xs), Extended(m_ys), name, parent);
}

// --- XYPLOT ----------------------------------------------------------------------------

TXYPlotGraph::TXYPlotGraph(ElementContext& window)
    : TPlotGraph(window, kXYPlot, kGroup, kDrawAxes, kFrameWidth, kDrawGrid) {}

void TXYPlotGraph::Init() {
    TPlotGraph::Init();
    m_lastTime = 0;
}

void TXYPlotGraph::UpdateInputs(long double) {
    guarded([&] {
        const long double x = ChannelValue(kXInput);
        const long double y = ChannelValue(kYInput);
        if (x == kNoChannel || y == kNoChannel) return;
        const long double rate = evaluate(kUpdateRate);
        const long double now = signalTable()[signal_pos::kTime];
        if (rate != 0 && !(rate <= now - m_lastTime)) return;
        record(ToFloat(x), ToFloat(y));
        m_lastTime = now;
    });
}

void TXYPlotGraph::scales(AxisChoice& x, AxisChoice& y) const {
    x = {};
    y = {};
    if (m_xs.empty()) return;
    if (intValue(kAutoScale) == 1) {
        groupRange(true, x.low, x.high);
        groupRange(false, y.low, y.high);
        return;
    }
    x.automatic = false;
    y.automatic = false;
    RangeOf(evaluate(kXMin), evaluate(kXMax), x.low, x.high);
    RangeOf(evaluate(kYMin), evaluate(kYMax), y.low, y.high);
}

bool TXYPlotGraph::saveOne(QWidget* parent) {
    QString name = Comment() + QStringLiteral(".xy");
    return SaveXYFile(Extended(m_xs), Extended(m_ys), name, parent);
}

void RegisterPlots() {
    RegisterElementClass<TYTPlotGraph>(kYTPlot);
    RegisterElementClass<TXYPlotGraph>(kXYPlot);
}

} // namespace ovanto
