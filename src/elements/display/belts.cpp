#include "elements/core/element_registry.h"
#include "elements/display/drives.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

#include <cmath>

namespace ovanto {
namespace {

// The status strip came with record version 356, its three-colour mode with 406.
constexpr int kColorRectVersion = 355;
constexpr int kColorModeVersion = 405;
constexpr const char* kSilver = "12632256";

constexpr PropertyDef kBeltRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "200"),
    rows::Int("h", "20"),
    rows::Int("Input", "-1"),
    rows::Plain("Animated (0/1)", "0"),
    rows::Float("Angle", "0"),
    rows::Plain("Direction (0-3)", "0"),
    rows::Plain("Wheels", "2"),
    rows::Int("Delay", "50"),
    rows::Plain("ColorRect (0/1)", "0", kColorRectVersion),
    rows::Plain("ColorMode (0/1)", "0", kColorModeVersion),
};
static_assert(RowsMatch<TBeltGraph>(kBeltRows));
constexpr ElementSchema kBelt{.keyword = "BELT", .rows = kBeltRows};

constexpr PropertyDef kBelt2Rows[] = {
    rows::X("x", "40"),    rows::Y("y", "60"),   rows::Int("w", "50"),    rows::Int("h", "30"),
    rows::Int("Input", "1"), rows::Plain("Direction (0-3)", "0"), rows::Int("Delay", "50"),
};
static_assert(RowsMatch<TBelt2Graph>(kBelt2Rows));
constexpr ElementSchema kBelt2{.keyword = "BELT2", .rows = kBelt2Rows};

constexpr long double kTurn = 0.1L;
constexpr int kPhases = 8;
constexpr TColor kGreen = 32768;
constexpr TColor kRed = 255;
constexpr TColor kYellow = 65535;

TColor statusColor(int mode, long double v) {
    if (mode != 1) return v != 0 ? kGreen : kRed;
    if (v >= 1) return kGreen;
    if (v <= -1) return kYellow;
    return kRed;
}

// The turn of one step; directions 2 and 3 move only from a drive of 1 on.
long double beltTurn(int direction, long double v) {
    if (v > 0) {
        switch (direction) {
        case 0: return kTurn;
        case 1: return -kTurn;
        case 2: return v >= 1 ? kTurn : 0;
        case 3: return v >= 1 ? -kTurn : 0;
        default: return 0;
        }
    }
    if (v < 0) {
        if (direction == 0) return -kTurn;
        if (direction == 1) return kTurn;
    }
    return 0;
}

} // namespace

// --- BELT ---------------------------------------------------------------------------------

TBeltGraph::TBeltGraph(ElementContext& window) : TGraph(window, kBelt), m_step(window) {
    setText(kRGBFill, QString::fromLatin1(kSilver));
}

long double TBeltGraph::drive() const { return IsUnbound(*this, kInput) ? 1 : ChannelValue(kInput); }

const BeltLayout& TBeltGraph::layout(int x, int y, int w, int h, long double angle, int wheels) const {
    return m_layout.get({{x, y, w, h, wheels}, {angle}}, [&] { return Belt(x, y, w, h, angle, wheels); });
}

std::optional<Rect> TBeltGraph::outlineBox() const {
    const int h = evaluateInt(kH);
    // The first and last wheel lie at the ends of the axis whatever the count.
    const BeltLayout& belt =
        layout(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), h, evaluate(kAngle), intValue(kWheels));
    const QPoint ends[] = {belt.wheels.front(), belt.wheels.back()};
    const long double reach = std::ceil(std::abs(h / 2.0L)) + StrokeMargin(PenWidthOf(lineType()));
    return PaintBox(ends, ToCoord(reach));
}

void TBeltGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int h = evaluateInt(kH);
        const BeltLayout& belt =
            layout(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), h, evaluate(kAngle), intValue(kWheels));
        const long double v = drive();
        const CanvasPen pen = canvas.pen();
        const TColor fill = evaluateInt(kRGBFill);
        if (intValue(kColorRect) == 1) {
            const TColor status = statusColor(intValue(kColorMode), v);
            canvas.setPen({status, 1, PenStyle::Solid, PenMode::Copy});
            UseFill(canvas, status);
            canvas.polygon(belt.strip);
        }
        const long long diameter = h, corner = h / 2;
        const std::array<SpokeTurn, 3>& spokes = m_spokes.turns(belt.radius, m_phase);
        for (const QPoint& c : belt.wheels) {
            canvas.setPen(pen);
            UseFill(canvas, fill);
            const long double left = c.x() - corner, top = c.y() - corner;
            canvas.ellipse(ToCoord(left), ToCoord(top), ToCoord(left + diameter), ToCoord(top + diameter));
            canvas.setPenWidth(1);
            for (const SpokeTurn& spoke : spokes) StrokeSegment(canvas, SpokeLine(c.x(), c.y(), spoke));
        }
        canvas.setPen(pen);
        StrokeSegment(canvas, belt.upper);
        StrokeSegment(canvas, belt.lower);
        if (intValue(kAnimated) == 1 && m_step.due(window(), evaluate(kDelay)))
            m_phase += beltTurn(intValue(kDirection), v);
    });
}

// --- BELT2 --------------------------------------------------------------------------------

TBelt2Graph::TBelt2Graph(ElementContext& window) : TGraph(window, kBelt2), m_step(window) {
    setText(kRGBFill, QString::fromLatin1(kSilver));
}

std::optional<Rect> TBelt2Graph::outlineBox() const {
    return CornerBox(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
}

void TBelt2Graph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY);
        const Rect box = CornerBox(x, y, evaluateInt(kW), evaluateInt(kH));
        const int direction = intValue(kDirection);
        long double v = InputOrZero(*this, kInput);
        if (direction == 1 || direction == 2) v = -v;
        canvas.rectangle(box.left, box.top, box.right, box.bottom);
        if (direction >= 0 && direction <= 3) {
            canvas.setBrushColor(canvas.pen().color);
            canvas.setBrushStyle(direction <= 1 ? BrushStyle::Vertical : BrushStyle::Horizontal);
            if (direction <= 1) canvas.setBrushOrigin(m_phase, y);
            else canvas.setBrushOrigin(x, m_phase);
            canvas.rectangle(box.left, box.top, box.right, box.bottom);
            canvas.setBrushStyle(BrushStyle::Solid);
        }
        if (m_step.due(window(), evaluate(kDelay))) {
            if (v > 0) m_phase = WrapPhase(m_phase + 1LL, kPhases);
            else if (v < 0) m_phase = WrapPhase(m_phase - 1LL, kPhases);
        }
    });
}

void RegisterBelts() {
    RegisterElementClass<TBeltGraph>(kBelt);
    RegisterElementClass<TBelt2Graph>(kBelt2);
}

} // namespace ovanto
