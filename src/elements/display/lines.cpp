#include "elements/core/element_registry.h"
#include "elements/display/basic_shapes.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ovanto {
namespace {

// Arrow sizes were added later: records up to version 302 do not carry them.
constexpr int kArrowVersion = 302;

constexpr PropertyDef kLineRows[] = {
    rows::X("x", "30"),
    rows::Y("y", "30"),
    rows::Int("L", "50"),
    rows::Float("Angle", "0"),
    rows::Plain("LeftArrow (0=none)", "0", kArrowVersion),
    rows::Plain("RightArrow (0=none)", "0", kArrowVersion),
};
static_assert(RowsMatch<TLineGraph>(kLineRows));
constexpr ElementSchema kLine{.keyword = "LINE", .rows = kLineRows};

constexpr PropertyDef kLine2Rows[] = {
    rows::X("x1", "30"),
    rows::Y("y1", "30"),
    rows::X("x2", "50"),
    rows::Y("y2", "30"),
    // The two-point line had its arrows from the start.
    rows::Plain("LeftArrow (0=none)", "0"),
    rows::Plain("RightArrow (0=none)", "0"),
};
static_assert(RowsMatch<TLine2Graph>(kLine2Rows));
constexpr ElementSchema kLine2{.keyword = "LINE2", .rows = kLine2Rows};

constexpr PropertyDef kDynLineRows[] = {
    rows::X("x1", "100"),
    rows::Y("y1", "100"),
    rows::X("x2", "100"),
    rows::Y("y2", "200"),
    // The grid shows "-1" for an instant before the new element's own values.
    {.caption = "Input", .gridDefault = "-1", .initial = "1"},
    rows::Number("OnValue", "5"),
    rows::Plain("LTypeOff", "5"),
    rows::Plain("Style3D (0/1)", "1"),
};
static_assert(RowsMatch<TDynLineGraph>(kDynLineRows));
constexpr ElementSchema kDynLine{
    .keyword = "DYNLINE", .rows = kDynLineRows, .commonCaptions = {"RGBStrokeOn", "RGBStrokeOff", "LTypeOn"}};

// Line-like elements widen their box by half a thick pen.
int penMargin(int lineType) { return lineType > 1 ? lineType / 2 : 0; }

Rect lineBox(QPoint p0, QPoint p1) {
    const QPoint ends[] = {p0, p1};
    return PointBox(ends);
}

void drawLine(Canvas& canvas, QPoint p0, QPoint p1) {
    canvas.moveTo(p0.x(), p0.y());
    canvas.lineTo(p1.x(), p1.y());
}

// Arrowheads are filled in the fill colour and outlined in it with a thin pen;
// a negative fill colour is no colour, so there are none.
void drawArrowHeads(Canvas& canvas, QPoint p0, QPoint p1, float angle, int leftSize, int rightSize, TColor fill) {
    if (fill < 0) return;
    canvas.setBrushColor(fill);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(canvas.brush().color);
    if (rightSize > 0) canvas.polygon(ArrowHead(p1, angle, rightSize));
    if (leftSize > 0) canvas.polygon(ArrowHead(p0, ToSingle(angle - std::numbers::pi_v<long double>), leftSize));
}

// A thick horizontal or vertical line as one-pixel lines, lit from above or the left.
void drawBar(Canvas& canvas, QPoint p0, QPoint p1, int lineType, TColor color) {
    const BarLayout bar = BarLayoutFor(lineType);
    const bool horizontal = p0.x() != p1.x();
    const long long across = horizontal ? p0.y() : p0.x();
    // Only lines that can reach the picture are drawn, so an absurd width costs nothing.
    const long long limit = horizontal ? canvas.height() : canvas.width();
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    const auto lines = [&](long long first, long long count, TColor lineColor) {
        canvas.setPenColor(lineColor);
        const long long from = std::max(first, -1LL);
        const long long to = std::min(first + count - 1, limit);
        for (long long at = from; at <= to; ++at) {
            const int pos = static_cast<int>(at);
            if (horizontal) drawLine(canvas, {p0.x(), pos}, {p1.x(), pos});
            else drawLine(canvas, {pos, p0.y()}, {pos, p1.y()});
        }
    };
    const long long start = across - bar.half;
    lines(start, bar.core, color);
    lines(start - bar.edge, bar.edge, LighterColor(color));
    lines(start + bar.core, bar.edge, DarkerColor(color));
}

} // namespace

// --- LINE ----------------------------------------------------------------------------

TLineGraph::TLineGraph(ElementContext& window) : TGraph(window, kLine) {
    setText(kRGBFill, QStringLiteral("0"));
}

void TLineGraph::endPoints(QPoint& p0, QPoint& p1) const {
    const int x = evaluateInt(kX);
    const int y = evaluateInt(kY);
    const int length = evaluateInt(kL);
    const long double a = evaluate(kAngle);
    p0 = {x, y};
    p1 = {ToCoord(x + length * std::cos(a)), ToCoord(y + length * std::sin(a))};
}

void TLineGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        QPoint p0, p1;
        endPoints(p0, p1);
        canvas.setBrushStyle(BrushStyle::Clear);
        drawLine(canvas, p0, p1);
        drawArrowHeads(canvas, p0, p1, ToSingle(evaluate(kAngle)), intValue(kLeftArrow), intValue(kRightArrow),
                       evaluateInt(kRGBFill));
    });
}

void TLineGraph::DrawSelection(Canvas& canvas) {
    guarded([&] {
        QPoint p0, p1;
        endPoints(p0, p1);
        drawSelectionAround(canvas, InflateBox(lineBox(p0, p1), penMargin(lineType())));
    });
}

void TLineGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] {
        QPoint p0, p1;
        endPoints(p0, p1);
        return InflateBox(lineBox(p0, p1), 3 + penMargin(lineType()));
    });
}

// --- LINE2 ---------------------------------------------------------------------------

TLine2Graph::TLine2Graph(ElementContext& window) : TGraph(window, kLine2) {
    setText(kRGBFill, QStringLiteral("0"));
}

void TLine2Graph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const QPoint p0(evaluateInt(kX1), evaluateInt(kY1));
        const QPoint p1(evaluateInt(kX2), evaluateInt(kY2));
        canvas.setBrushStyle(BrushStyle::Clear);
        drawLine(canvas, p0, p1);
        drawArrowHeads(canvas, p0, p1, LineAngle(p0, p1), intValue(kLeftArrow), intValue(kRightArrow),
                       evaluateInt(kRGBFill));
    });
}

void TLine2Graph::DrawSelection(Canvas& canvas) {
    guarded([&] {
        const Rect box = lineBox({evaluateInt(kX1), evaluateInt(kY1)}, {evaluateInt(kX2), evaluateInt(kY2)});
        drawSelectionAround(canvas, InflateBox(box, penMargin(lineType())));
    });
}

void TLine2Graph::GetBounds(Rect& r) {
    boundsFrom(r, [&] {
        const Rect box = lineBox({evaluateInt(kX1), evaluateInt(kY1)}, {evaluateInt(kX2), evaluateInt(kY2)});
        return InflateBox(box, 3 + penMargin(lineType()));
    });
}

// --- DYNLINE -------------------------------------------------------------------------

TDynLineGraph::TDynLineGraph(ElementContext& window) : TGraph(window, kDynLine) {
    setText(kRGBStroke, QStringLiteral("10485760"));
    setText(kRGBFill, QStringLiteral("8421504"));
    setText(kLType, QStringLiteral("5"));
}

bool TDynLineGraph::isOn() const {
    if (text(kInput) == QLatin1String("-1")) return false;
    return ChannelValue(kInput) >= number(kOnValue);
}

Rect TDynLineGraph::endPointBox() const {
    return lineBox({evaluateInt(kX1), evaluateInt(kY1)}, {evaluateInt(kX2), evaluateInt(kY2)});
}

void TDynLineGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const bool on = isOn();
        const TColor color = evaluateInt(on ? kRGBStroke : kRGBFill);
        const int type = on ? lineType() : intValue(kLTypeOff);
        m_lineTypeInEffect = type;
        ApplyLineType(canvas, type);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.setPenColor(color);
        const QPoint p0(evaluateInt(kX1), evaluateInt(kY1));
        const QPoint p1(evaluateInt(kX2), evaluateInt(kY2));
        const bool straight = p0.x() == p1.x() || p0.y() == p1.y();
        if (intValue(kStyle3D) == 1 && type >= 3 && straight) drawBar(canvas, p0, p1, type, color);
        else drawLine(canvas, p0, p1);
    });
}

void TDynLineGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, InflateBox(endPointBox(), penMargin(m_lineTypeInEffect))); });
}

void TDynLineGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return InflateBox(endPointBox(), 3 + penMargin(m_lineTypeInEffect)); });
}

void RegisterLines() {
    RegisterElementClass<TLineGraph>(kLine);
    RegisterElementClass<TLine2Graph>(kLine2);
    RegisterElementClass<TDynLineGraph>(kDynLine);
}

} // namespace ovanto
