#include "elements/core/element_registry.h"
#include "elements/display/drives.h"
#include "elements/display/instrument_common.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

constexpr const char* kSilver = "12632256";

constexpr PropertyDef kPumpRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "50"),
    rows::Int("Input", "-1"),
    rows::Number("OnValue", "5"),
    rows::Int("RGBRunning", kSilver),
    rows::Int("RGBStopped", kSilver),
    rows::Plain("Orientation", "0"),
};
static_assert(RowsMatch<TPumpGraph>(kPumpRows));
constexpr ElementSchema kPump{.keyword = "PUMP", .rows = kPumpRows};

constexpr PropertyDef kMotorRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "50"),
    rows::Int("Input", "-1"),
    rows::Int("RGBRunning", kSilver),
    rows::Int("RGBStopped", kSilver),
    rows::Plain("Animated (0/1)", "0"),
    rows::Int("Delay", "50"),
};
static_assert(RowsMatch<TMotorGraph>(kMotorRows));
constexpr ElementSchema kMotor{.keyword = "MOTOR", .rows = kMotorRows};

constexpr long double kTurn = 0.1L;
constexpr int kSmallestLetter = 7;
// Beyond this the letter is larger than any window; Qt need not rasterise more.
constexpr int kLargestLetter = 2000;

// The circle of both symbols stands on (x, y) with diameter w.
Rect circleBox(const TGraph& e, int kx, int ky, int kw) {
    return CornerBox(e.evaluateInt(kx), e.evaluateInt(ky), e.evaluateInt(kw), e.evaluateInt(kw));
}

} // namespace

// --- PUMP ---------------------------------------------------------------------------------

TPumpGraph::TPumpGraph(ElementContext& window) : TGraph(window, kPump) { setText(kRGBFill, QString::fromLatin1(kSilver)); }

std::optional<Rect> TPumpGraph::outlineBox() const {
    return circleBox(*this, kX, kY, kW).inflated(StrokeMargin(PenWidthOf(lineType())));
}

void TPumpGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW);
        const auto arrow = PumpArrow(intValue(kOrientation), x, y, w);
        if (!arrow) return;
        TColor brush = evaluateInt(kRGBFill);
        if (!IsUnbound(*this, kInput))
            brush = evaluateInt(ChannelValue(kInput) < number(kOnValue) ? kRGBStopped : kRGBRunning);
        UseFill(canvas, brush);
        const Rect box = CornerBox(x, y, w, w);
        canvas.ellipse(box.left, box.top, box.right, box.bottom);
        canvas.polyline(*arrow);
    });
}

// --- MOTOR --------------------------------------------------------------------------------

TMotorGraph::TMotorGraph(ElementContext& window) : TGraph(window, kMotor), m_step(window) {
    setText(kRGBFill, QString::fromLatin1(kSilver));
    setText(kLType, QStringLiteral("2"));
}

std::optional<Rect> TMotorGraph::outlineBox() const {
    return circleBox(*this, kX, kY, kW).inflated(StrokeMargin(PenWidthOf(lineType())));
}

void TMotorGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW);
        const bool bound = !IsUnbound(*this, kInput);
        const long double v = bound ? ChannelValue(kInput) : 1;
        TColor brush = evaluateInt(kRGBFill);
        if (bound) brush = evaluateInt(v == 0 ? kRGBStopped : kRGBRunning);
        UseFill(canvas, brush);
        const Rect box = CornerBox(x, y, w, w);
        canvas.ellipse(box.left, box.top, box.right, box.bottom);
        const bool animated = intValue(kAnimated) == 1;
        if (animated) {
            canvas.setPenWidth(1);
            StrokeSegments(canvas, MotorSpokes(x, y, w, m_spokes.turns(w / 2, m_phase)));
        } else {
            canvas.setFontName(QStringLiteral("ARIAL"));
            canvas.setFontSize(letterSize(w));
            canvas.setTextOpaque(false);
            CanvasTextMeasure measure(canvas);
            const Rect at = letterBox(measure, x, y, w);
            canvas.textOut(at.left, at.top, QString::fromLatin1(kLetter));
        }
        if (animated && m_step.due(window(), evaluate(kDelay))) {
            if (v > 0) m_phase += kTurn;
            else if (v < 0) m_phase -= kTurn;
        }
    });
}

int TMotorGraph::letterSize(int w) { return std::clamp(w / 3, kSmallestLetter, kLargestLetter); }

Rect TMotorGraph::letterBox(TextMeasure& measure, int x, int y, int w) {
    const long long tw = measure.width(QString::fromLatin1(kLetter)), th = measure.height();
    const int left = ToCoord(x + static_cast<long double>((w - tw) / 2));
    const int top = ToCoord(y - static_cast<long double>((w + th) / 2));
    return {left, top, ToCoord(left + static_cast<long double>(tw)), ToCoord(top + static_cast<long double>(th))};
}

void TMotorGraph::GetPaintBounds(Rect& r) {
    GetBounds(r);
    if (r == kNoBounds || intValue(kAnimated) == 1) return;
    guarded([&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW);
        FontTextMeasure measure(QStringLiteral("ARIAL"), letterSize(w));
        // A little over, should the canvas's font style measure wider.
        r = r.united(letterBox(measure, x, y, w).inflated(2));
    });
}

void RegisterPumpsAndMotors() {
    RegisterElementClass<TPumpGraph>(kPump);
    RegisterElementClass<TMotorGraph>(kMotor);
}

void RegisterDrives() {
    RegisterPumpsAndMotors();
    RegisterBelts();
    RegisterRolls();
    RegisterCoils();
}

} // namespace ovanto
