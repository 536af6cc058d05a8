#include "elements/display/basic_shapes.h"
#include "elements/display/shape_geometry.h"
#include "elements/display/shapes_p.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ovanto {
namespace {

using shapes_detail::drawIfVisible;
using shapes_detail::guarded;

// Arrow sizes were added later: records up to version 302 do not carry them.
constexpr int kArrowVersion = 302;

const ElementSchema kLineSchema{{
    {"x", "30", PropKind::IntFormula, Axis::X},
    {"y", "30", PropKind::IntFormula, Axis::Y},
    {"L", "50", PropKind::IntFormula},
    {"Angle", "0", PropKind::FloatFormula},
    {"LeftArrow (0=none)", "0", PropKind::PlainInt, Axis::None, kArrowVersion},
    {"RightArrow (0=none)", "0", PropKind::PlainInt, Axis::None, kArrowVersion},
}};

const ElementSchema kLine2Schema{{
    {"x1", "30", PropKind::IntFormula, Axis::X},
    {"y1", "30", PropKind::IntFormula, Axis::Y},
    {"x2", "50", PropKind::IntFormula, Axis::X},
    {"y2", "30", PropKind::IntFormula, Axis::Y},
    {"LeftArrow (0=none)", "0", PropKind::PlainInt, Axis::None, kArrowVersion},
    {"RightArrow (0=none)", "0", PropKind::PlainInt, Axis::None, kArrowVersion},
}};

// The grid shows "-1" for Input for an instant before the new element's own values.
const ElementSchema kDynLineSchema{
    {
        {"x1", "100", PropKind::IntFormula, Axis::X},
        {"y1", "100", PropKind::IntFormula, Axis::Y},
        {"x2", "100", PropKind::IntFormula, Axis::X},
        {"y2", "200", PropKind::IntFormula, Axis::Y},
        {"Input", "-1", PropKind::IntFormula, Axis::None, 0, "1"},
        {"OnValue", "5", PropKind::Number},
        {"LTypeOff", "5", PropKind::PlainInt},
        {"Style3D (0/1)", "1", PropKind::PlainInt},
    },
    {"RGBStrokeOn", "RGBStrokeOff", "LTypeOn"}};

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

// Arrowheads are filled in the fill colour and outlined in it with a thin pen.
void drawArrowHeads(Canvas& canvas, QPoint p0, QPoint p1, float angle, int leftSize, int rightSize) {
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(canvas.brush().color);
    if (rightSize > 0) canvas.polygon(ArrowHead(p1, angle, rightSize));
    if (leftSize > 0) canvas.polygon(ArrowHead(p0, ToSingle(angle - std::numbers::pi_v<long double>), leftSize));
}

void setLinePen(Canvas& canvas, int lineType) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    switch (lineType) {
    case 0: canvas.setPenStyle(PenStyle::Clear); break;
    case -1: canvas.setPenStyle(PenStyle::Dash); break;
    case -2: canvas.setPenStyle(PenStyle::Dot); break;
    case -3: canvas.setPenStyle(PenStyle::DashDot); break;
    case -4: canvas.setPenStyle(PenStyle::DashDotDot); break;
    default:
        if (lineType > 0) canvas.setPenWidth(lineType);
        break;
    }
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

TLineGraph::TLineGraph(ElementContext& window) : TGraph(window, QStringLiteral("LINE"), kLineSchema) {
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
    drawIfVisible(*this, canvas, [&] {
        QPoint p0, p1;
        endPoints(p0, p1);
        canvas.setBrushStyle(BrushStyle::Clear);
        drawLine(canvas, p0, p1);
        drawArrowHeads(canvas, p0, p1, ToSingle(evaluate(kAngle)), intValue(kLeftArrow), intValue(kRightArrow));
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

TLine2Graph::TLine2Graph(ElementContext& window) : TGraph(window, QStringLiteral("LINE2"), kLine2Schema) {
    setText(kRGBFill, QStringLiteral("0"));
}

void TLine2Graph::Draw(Canvas& canvas) {
    drawIfVisible(*this, canvas, [&] {
        const QPoint p0(evaluateInt(kX1), evaluateInt(kY1));
        const QPoint p1(evaluateInt(kX2), evaluateInt(kY2));
        canvas.setBrushStyle(BrushStyle::Clear);
        drawLine(canvas, p0, p1);
        drawArrowHeads(canvas, p0, p1, LineAngle(p0, p1), intValue(kLeftArrow), intValue(kRightArrow));
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

TDynLineGraph::TDynLineGraph(ElementContext& window) : TGraph(window, QStringLiteral("DYNLINE"), kDynLineSchema) {
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
    drawIfVisible(*this, canvas, [&] {
        const bool on = isOn();
        const TColor color = evaluateInt(on ? kRGBStroke : kRGBFill);
        const int type = on ? lineType() : intValue(kLTypeOff);
        m_lineTypeInEffect = type;
        setLinePen(canvas, type);
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

} // namespace ovanto
