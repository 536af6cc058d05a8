#include "elements/core/element_registry.h"
#include "elements/display/basic_shapes.h"
#include "elements/display/fill_pattern.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

constexpr PropertyDef kRectRows[] = {
    rows::X("x", "40"), rows::Y("y", "60"), rows::Int("w", "50"), rows::Int("h", "30"), rows::FillPattern(),
};
static_assert(RowsMatch<TRectGraph>(kRectRows));
constexpr ElementSchema kRect{.keyword = "RECT", .rows = kRectRows};
constexpr ElementSchema kRoundRect{.keyword = "RRECT", .rows = kRectRows};
constexpr ElementSchema kShadowRect{.keyword = "SHADRECT", .rows = kRectRows};
constexpr ElementSchema kEllipse{.keyword = "ELLIPSE", .rows = kRectRows};

constexpr PropertyDef kCircleRows[] = {
    rows::X("xM", "50"), rows::Y("yM", "50"), rows::Int("r", "20"), rows::FillPattern(),
};
static_assert(RowsMatch<TCircleGraph>(kCircleRows));
constexpr ElementSchema kCircle{.keyword = "CIRCLE", .rows = kCircleRows};

constexpr int kCornerEllipse = 20;
constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;

} // namespace

// --- RECT and its subclasses -------------------------------------------------------------

TRectGraph::TRectGraph(ElementContext& window) : TRectGraph(window, kRect) {}

TRectGraph::TRectGraph(ElementContext& window, const ElementSchema& schema) : TGraph(window, schema) {}

Rect TRectGraph::box() const {
    const long double x = evaluateInt(kX);
    const long double y = evaluateInt(kY);
    return {ToCoord(x), ToCoord(y - evaluateInt(kH)), ToCoord(x + evaluateInt(kW)), ToCoord(y)};
}

void TRectGraph::drawBox(Canvas& canvas, bool visibleFirst) {
    const auto shape = [&] {
        const Rect b = box();
        drawShape(canvas, b);
        DrawFillPattern(canvas, evaluateInt(kFillPattern), b.left, b.bottom, [&] { drawShape(canvas, b); });
        drawOver(canvas, b);
    };
    if (visibleFirst) drawOnlyVisible(canvas, shape);
    else drawIfVisible(canvas, shape);
}

void TRectGraph::drawShape(Canvas& canvas, const Rect& b) { canvas.rectangle(b.left, b.top, b.right, b.bottom); }

void TRectGraph::Draw(Canvas& canvas) { drawBox(canvas, false); }

TRoundRectGraph::TRoundRectGraph(ElementContext& window) : TRectGraph(window, kRoundRect) {}

void TRoundRectGraph::Draw(Canvas& canvas) { drawBox(canvas, true); }

void TRoundRectGraph::drawShape(Canvas& canvas, const Rect& b) {
    canvas.roundRect(b.left, b.top, b.right, b.bottom, kCornerEllipse, kCornerEllipse);
}

TShadowRectGraph::TShadowRectGraph(ElementContext& window) : TRectGraph(window, kShadowRect) {}

void TShadowRectGraph::Draw(Canvas& canvas) { drawBox(canvas, true); }

// A sunken edge: light along the bottom and right, grey along the top and left.
void TShadowRectGraph::drawOver(Canvas& canvas, const Rect& b) {
    const int left = ToCoord(b.left + 2.0L);
    const int right = ToCoord(b.right - 2.0L);
    const int top = ToCoord(b.top + 2.0L);
    const int bottom = ToCoord(b.bottom - 2.0L);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(2);
    canvas.setPenColor(evaluateInt(kRGBFill) == kSilver ? kWhite : kSilver);
    canvas.moveTo(left, bottom);
    canvas.lineTo(right, bottom);
    canvas.lineTo(right, top);
    canvas.setPenColor(kGrey);
    canvas.lineTo(left, top);
    canvas.lineTo(left, bottom);
}

TEllipseGraph::TEllipseGraph(ElementContext& window) : TRectGraph(window, kEllipse) {}

void TEllipseGraph::Draw(Canvas& canvas) { drawBox(canvas, true); }

void TEllipseGraph::drawShape(Canvas& canvas, const Rect& b) { canvas.ellipse(b.left, b.top, b.right, b.bottom); }

// --- CIRCLE ------------------------------------------------------------------------------

TCircleGraph::TCircleGraph(ElementContext& window) : TGraph(window, kCircle) {}

Rect TCircleGraph::box() const {
    const long double x = evaluateInt(kXM);
    const long double y = evaluateInt(kYM);
    const long double r = evaluateInt(kR);
    return {ToCoord(x - r), ToCoord(y - r), ToCoord(x + r), ToCoord(y + r)};
}

void TCircleGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect b = box();
        const auto shape = [&] { canvas.ellipse(b.left, b.top, b.right, b.bottom); };
        shape();
        DrawFillPattern(canvas, evaluateInt(kFillPattern), evaluateInt(kXM), evaluateInt(kYM), shape);
    });
}

void RegisterRectangles() {
    RegisterElementClass<TRectGraph>(kRect);
    RegisterElementClass<TRoundRectGraph>(kRoundRect);
    RegisterElementClass<TShadowRectGraph>(kShadowRect);
    RegisterElementClass<TEllipseGraph>(kEllipse);
    RegisterElementClass<TCircleGraph>(kCircle);
}

} // namespace ovanto
