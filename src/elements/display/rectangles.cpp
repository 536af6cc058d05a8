#include "elements/display/basic_shapes.h"
#include "elements/display/fill_pattern.h"
#include "elements/display/shape_geometry.h"
#include "elements/display/shapes_p.h"

namespace ovanto {
namespace {

using shapes_detail::drawIfVisible;
using shapes_detail::drawOnlyVisible;
using shapes_detail::guarded;

const ElementSchema kRectSchema{{
    {"x", "40", PropKind::IntFormula, Axis::X},
    {"y", "60", PropKind::IntFormula, Axis::Y},
    {"w", "50", PropKind::IntFormula},
    {"h", "30", PropKind::IntFormula},
    {"FillPattern (0=none)", "0", PropKind::PlainInt, Axis::None, kFillPatternVersion},
}};

const ElementSchema kCircleSchema{{
    {"xM", "50", PropKind::IntFormula, Axis::X},
    {"yM", "50", PropKind::IntFormula, Axis::Y},
    {"r", "20", PropKind::IntFormula},
    {"FillPattern (0=none)", "0", PropKind::PlainInt, Axis::None, kFillPatternVersion},
}};

constexpr int kCornerEllipse = 20;
constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;

} // namespace

// --- RECT and its subclasses -------------------------------------------------------------

TRectGraph::TRectGraph(ElementContext& window) : TRectGraph(window, QStringLiteral("RECT")) {}

TRectGraph::TRectGraph(ElementContext& window, QString keyword) : TGraph(window, std::move(keyword), kRectSchema) {}

Rect TRectGraph::box() const {
    const long double x = evaluateInt(kX);
    const long double y = evaluateInt(kY);
    return {ToCoord(x), ToCoord(y - evaluateInt(kH)), ToCoord(x + evaluateInt(kW)), ToCoord(y)};
}

void TRectGraph::drawBox(Canvas& canvas, bool visibleFirst) {
    const auto shape = [&] {
        const Rect b = box();
        drawShape(canvas, b);
        DrawFillPattern(canvas, intValue(kFillPattern), b.left, b.bottom, [&] { drawShape(canvas, b); });
        drawOver(canvas, b);
    };
    if (visibleFirst) drawOnlyVisible(*this, canvas, shape);
    else drawIfVisible(*this, canvas, shape);
}

void TRectGraph::drawShape(Canvas& canvas, const Rect& b) { canvas.rectangle(b.left, b.top, b.right, b.bottom); }

void TRectGraph::Draw(Canvas& canvas) { drawBox(canvas, false); }

void TRectGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, box()); });
}

void TRectGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return box(); });
}

TRoundRectGraph::TRoundRectGraph(ElementContext& window) : TRectGraph(window, QStringLiteral("RRECT")) {}

void TRoundRectGraph::Draw(Canvas& canvas) { drawBox(canvas, true); }

void TRoundRectGraph::drawShape(Canvas& canvas, const Rect& b) {
    canvas.roundRect(b.left, b.top, b.right, b.bottom, kCornerEllipse, kCornerEllipse);
}

TShadowRectGraph::TShadowRectGraph(ElementContext& window) : TRectGraph(window, QStringLiteral("SHADRECT")) {}

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

TEllipseGraph::TEllipseGraph(ElementContext& window) : TRectGraph(window, QStringLiteral("ELLIPSE")) {}

void TEllipseGraph::Draw(Canvas& canvas) { drawBox(canvas, true); }

void TEllipseGraph::drawShape(Canvas& canvas, const Rect& b) { canvas.ellipse(b.left, b.top, b.right, b.bottom); }

// --- CIRCLE ------------------------------------------------------------------------------

TCircleGraph::TCircleGraph(ElementContext& window) : TGraph(window, QStringLiteral("CIRCLE"), kCircleSchema) {}

Rect TCircleGraph::box() const {
    const long double x = evaluateInt(kXM);
    const long double y = evaluateInt(kYM);
    const long double r = evaluateInt(kR);
    return {ToCoord(x - r), ToCoord(y - r), ToCoord(x + r), ToCoord(y + r)};
}

void TCircleGraph::Draw(Canvas& canvas) {
    drawIfVisible(*this, canvas, [&] {
        const Rect b = box();
        const auto shape = [&] { canvas.ellipse(b.left, b.top, b.right, b.bottom); };
        shape();
        DrawFillPattern(canvas, intValue(kFillPattern), evaluateInt(kXM), evaluateInt(kYM), shape);
    });
}

void TCircleGraph::DrawSelection(Canvas& canvas) {
    guarded([&] { drawSelectionAround(canvas, box()); });
}

void TCircleGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return box(); });
}

} // namespace ovanto
