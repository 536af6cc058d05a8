#include "elements/core/element_registry.h"
#include "elements/display/basic_shapes.h"
#include "elements/display/fill_pattern.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

constexpr PropertyDef kArcRows[] = {
    rows::X("x", "40"), rows::Y("y", "60"), rows::Int("r1", "20"), rows::Int("r2", "30"),
    rows::Int("Alpha", "0.0"), rows::Int("Beta", "1.57"),
    // The ring sector had its fill pattern from the start.
    rows::FillPattern(0),
};
static_assert(RowsMatch<TArcGraph>(kArcRows));
constexpr ElementSchema kArc{.keyword = "ARC", .rows = kArcRows};

constexpr PropertyDef kParallRows[] = {
    rows::X("x", "40"),        rows::Y("y", "60"),         rows::Int("w", "50"), rows::Int("h", "30"),
    rows::Int("Alpha", "0"), rows::Int("Beta", "Pi/2"), rows::FillPattern(),
};
static_assert(RowsMatch<TParallGraph>(kParallRows));
constexpr ElementSchema kParall{.keyword = "PARALL", .rows = kParallRows};

constexpr PropertyDef kTriangleRows[] = {
    rows::X("x1", "30"), rows::Y("y1", "30"), rows::X("x2", "40"), rows::Y("y2", "30"),
    rows::X("x3", "35"), rows::Y("y3", "40"), rows::FillPattern(),
};
static_assert(RowsMatch<TTriangleGraph>(kTriangleRows));

// Half the pen beyond the box, and a pixel for its rounding.
void StrokedPaintBounds(TGraph& shape, Rect& r) {
    shape.GetBounds(r);
    if (r != kNoBounds) r = r.normalized().inflated(std::max(shape.lineType(), 1) / 2 + 1);
}
constexpr ElementSchema kTriangle{.keyword = "TRIANG", .rows = kTriangleRows};
constexpr ElementSchema kPolyLine{.keyword = "POLYLINE", .rows = kTriangleRows};

} // namespace

// --- ARC ---------------------------------------------------------------------------------

TArcGraph::TArcGraph(ElementContext& window) : TGraph(window, kArc) {}

std::vector<QPoint> TArcGraph::outline() const {
    return RingSector(evaluateInt(kX), evaluateInt(kY), evaluateInt(kR1), evaluateInt(kR2), evaluate(kAlpha),
                      evaluate(kBeta));
}

void TArcGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const std::vector<QPoint> points = outline();
        canvas.polygon(points);
        DrawFillPattern(canvas, evaluateInt(kFillPattern), evaluateInt(kX), evaluateInt(kY),
                        [&] { canvas.polygon(points); });
    });
}

std::optional<Rect> TArcGraph::outlineBox() const { return PointBox(outline()); }

void TArcGraph::GetPaintBounds(Rect& r) { StrokedPaintBounds(*this, r); }

// --- PARALL ------------------------------------------------------------------------------

TParallGraph::TParallGraph(ElementContext& window) : TGraph(window, kParall) {}

std::array<QPoint, 4> TParallGraph::corners() const {
    return Parallelogram(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH), evaluate(kAlpha),
                         evaluate(kBeta));
}

void TParallGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const std::array<QPoint, 4> points = corners();
        canvas.polygon(points);
        DrawFillPattern(canvas, evaluateInt(kFillPattern), points[0].x(), points[0].y(),
                        [&] { canvas.polygon(points); });
    });
}

std::optional<Rect> TParallGraph::outlineBox() const { return PointBox(corners()); }

void TParallGraph::GetPaintBounds(Rect& r) { StrokedPaintBounds(*this, r); }

// --- TRIANG and POLYLINE -----------------------------------------------------------------

TTriangleGraph::TTriangleGraph(ElementContext& window) : TTriangleGraph(window, kTriangle) {}

TTriangleGraph::TTriangleGraph(ElementContext& window, const ElementSchema& schema) : TGraph(window, schema) {}

std::array<QPoint, 3> TTriangleGraph::corners() const {
    return {QPoint(evaluateInt(kX1), evaluateInt(kY1)), QPoint(evaluateInt(kX2), evaluateInt(kY2)),
            QPoint(evaluateInt(kX3), evaluateInt(kY3))};
}

void TTriangleGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const std::array<QPoint, 3> points = corners();
        canvas.polygon(points);
        DrawFillPattern(canvas, evaluateInt(kFillPattern), points[0].x(), points[0].y(),
                        [&] { canvas.polygon(points); });
    });
}

std::optional<Rect> TTriangleGraph::outlineBox() const { return PointBox(corners()); }

void TTriangleGraph::GetPaintBounds(Rect& r) { StrokedPaintBounds(*this, r); }

TPolyLineGraph::TPolyLineGraph(ElementContext& window) : TTriangleGraph(window, kPolyLine) {}

void TPolyLineGraph::Draw(Canvas& canvas) {
    drawOnlyVisible(canvas, [&] {
        const std::array<QPoint, 3> points = corners();
        canvas.polyline(points);
    });
}

void RegisterPolygons() {
    RegisterElementClass<TArcGraph>(kArc);
    RegisterElementClass<TParallGraph>(kParall);
    RegisterElementClass<TTriangleGraph>(kTriangle);
    RegisterElementClass<TPolyLineGraph>(kPolyLine);
}

} // namespace ovanto
