#include "elements/display/clock_displays.h"

#include "elements/core/element_registry.h"
#include "elements/display/display_geometry.h"
#include "elements/display/display_painting.h"
#include "platform/canvas.h"
#include "platform/clock.h"

namespace ovanto {
namespace {

constexpr PropertyDef kTimeRows[] = {
    rows::X("x", "40"), rows::Y("y", "40"), rows::Int("Size", "10"), rows::Text("Font", "ARIAL"),
    rows::Text("TimeFormat", "hh:mm:ss"),
};
static_assert(RowsMatch<TTimeGraph>(kTimeRows));
constexpr ElementSchema kTime{.keyword = "TIME", .rows = kTimeRows};

constexpr PropertyDef kDateRows[] = {
    rows::X("x", "40"), rows::Y("y", "40"), rows::Int("Size", "10"), rows::Text("Font", "ARIAL"),
    rows::Text("DateFormat", "dd.mm.yyyy"),
};
static_assert(RowsMatch<TDateGraph>(kDateRows));
constexpr ElementSchema kDate{.keyword = "DATE", .rows = kDateRows};

// Both kinds keep their rows at the same places.
static_assert(int(TTimeGraph::kTimeFormat) == int(TDateGraph::kDateFormat));
enum Row { kX = TTimeGraph::kX, kY, kSize, kFont, kPattern };

QString clockText(const TGraph& e) { return ClockText(e.text(kPattern), e.window().clock().localTime()); }

Rect clockBox(const TGraph& e) {
    const QSize extent = MeasureText(e.text(kFont), e.evaluateInt(kSize), clockText(e));
    const int x = e.evaluateInt(kX), y = e.evaluateInt(kY);
    return {x, ToPixel(1LL * y - extent.height()), ToPixel(1LL * x + extent.width()), y};
}

void drawClock(const TGraph& e, Canvas& canvas) {
    const QString shown = clockText(e);
    UseDisplayFont(canvas, e.text(kFont), e.evaluateInt(kSize));
    canvas.textOut(e.evaluateInt(kX), ToPixel(1LL * e.evaluateInt(kY) - canvas.textHeight(shown)),
                   shown);
}

} // namespace

TTimeGraph::TTimeGraph(ElementContext& window) : TGraph(window, kTime) {}
QString TTimeGraph::displayText() const { return clockText(*this); }
std::optional<Rect> TTimeGraph::outlineBox() const { return clockBox(*this); }
void TTimeGraph::Draw(Canvas& canvas) { drawIfVisible(canvas, [&] { drawClock(*this, canvas); }); }

TDateGraph::TDateGraph(ElementContext& window) : TGraph(window, kDate) {}
QString TDateGraph::displayText() const { return clockText(*this); }
std::optional<Rect> TDateGraph::outlineBox() const { return clockBox(*this); }
void TDateGraph::Draw(Canvas& canvas) { drawIfVisible(canvas, [&] { drawClock(*this, canvas); }); }

void RegisterClockDisplays() {
    RegisterElementClass<TTimeGraph>(kTime);
    RegisterElementClass<TDateGraph>(kDate);
}

} // namespace ovanto
