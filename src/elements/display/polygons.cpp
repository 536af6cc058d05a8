#include "elements/display/basic_shapes.h"
#include "elements/display/fill_pattern.h"
#include "elements/display/shape_geometry.h"
#include "elements/display/shapes_p.h"

namespace ovanto {
namespace {

using shapes_detail::drawIfVisible;
using shapes_detail::drawOnlyVisible;
using shapes_detail::guarded;

const ElementSchema kArcSchema{{
    {"x", "40", PropKind::IntFormula, Axis::X},
    {"y", "60", PropKind::IntFormula, Axis::Y},
    {"r1", "20", PropKind::IntFormula},
    {"r2", "30", PropKind::IntFormula},
    {"Alpha", "0.0", PropKind::IntFormula},
    {"Beta", "1.57", PropKind::IntFormula},
    // The ring sector had its fill pattern from the start.
    {"FillPattern (0=none)", "0", PropKind::PlainInt},
}};

const ElementSchema kParallSchema{{
    {"x", "40", PropKind::IntFormula, Axis::X},
    {"y", "60", PropKind::IntFormula, Axis::Y},
    {"w", "50", PropKind::IntFormula},
    {"h", "30", PropKind::IntFormula},
    {"Alpha", "0", PropKind::IntFormula},
    {"Beta", "Pi/2", PropKind::IntFormula},
    {"FillPattern (0=none)", "0", PropKind::PlainInt, Axis::None, kFillPatternVersion},
}};

const ElementSchema kTriangleSchema{{
    {"x1", "30", PropKind::IntFormula, Axis::X},
    {"y1", "30", PropKind::IntFormula, Axis::Y},
    {"x2", "40", PropKind::IntFormula, Axis::X},
    {"y2", "30", PropKind::IntFormula, Axis::Y},
    {"x3", "35", PropKind::IntFormula, Axis::X},
    {"y3", "40", PropKind::IntFormula, Axis::Y},
    {"FillPattern (0=none)", "0", PropKind::PlainInt, Axis::None, kFillPatternVersion},
}};

} // namespace

// --- ARC ---------------------------------------------------------------------------------

TArcGraph::TArcGraph(ElementContext& window) : TGraph(window, QStringLiteral("ARC"), kArcSchema) {}

std::vector<QPoint> TArcGraph::outline() const {
    return RingSector(evaluateInt(kX), evaluateInt(kY), evaluateInt(kR1), evaluateInt(kR2), evaluate(kAlpha),
                      evaluate(kBeta));
}

void TArcGraph::Draw(Canvas& canvas) {
    drawIfVisible(*this, canvas, [&] {
        const std::vector<QPoint> points = outline();
        canvas.polygon(points);
        DrawFillPattern(canvas, intValue(kFillPattern), evaluateInt(kX), evaluateInt(kY),
                        [&] { canvas.polygon(points); });
    });
}

void TArcGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, PointBox(outline())); });
}

void TArcGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return PointBox(outline()); });
}

// --- PARALL ------------------------------------------------------------------------------

TParallGraph::TParallGraph(ElementContext& window) : TGraph(window, QStringLiteral("PARALL"), kParallSchema) {}

std::array<QPoint, 4> TParallGraph::corners() const {
    return Parallelogram(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH), evaluate(kAlpha),
                         evaluate(kBeta));
}

void TParallGraph::Draw(Canvas& canvas) {
    drawIfVisible(*this, canvas, [&] {
        const std::array<QPoint, 4> points = corners();
        canvas.polygon(points);
        DrawFillPattern(canvas, intValue(kFillPattern), points[0].x(), points[0].y(),
                        [&] { canvas.polygon(points); });
    });
}

void TParallGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, PointBox(corners())); });
}

void TParallGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return PointBox(corners()); });
}

// --- TRIANG and POLYLINE -----------------------------------------------------------------

TTriangleGraph::TTriangleGraph(ElementContext& window) : TTriangleGraph(window, QStringLiteral("TRIANG")) {}

TTriangleGraph::TTriangleGraph(ElementContext& window, QString keyword)
    : TGraph(window, std::move(keyword), kTriangleSchema) {}

std::array<QPoint, 3> TTriangleGraph::corners() const {
    return {QPoint(evaluateInt(kX1), evaluateInt(kY1)), QPoint(evaluateInt(kX2), evaluateInt(kY2)),
            QPoint(evaluateInt(kX3), evaluateInt(kY3))};
}

void TTriangleGraph::Draw(Canvas& canvas) {
    drawIfVisible(*this, canvas, [&] {
        const std::array<QPoint, 3> points = corners();
        canvas.polygon(points);
        DrawFillPattern(canvas, intValue(kFillPattern), points[0].x(), points[0].y(),
                        [&] { canvas.polygon(points); });
    });
}

void TTriangleGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, PointBox(corners())); });
}

void TTriangleGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return PointBox(corners()); });
}

TPolyLineGraph::TPolyLineGraph(ElementContext& window) : TTriangleGraph(window, QStringLiteral("POLYLINE")) {}

void TPolyLineGraph::Draw(Canvas& canvas) {
    drawOnlyVisible(*this, canvas, [&] {
        const std::array<QPoint, 3> points = corners();
        canvas.polyline(points);
    });
}

} // namespace ovanto
