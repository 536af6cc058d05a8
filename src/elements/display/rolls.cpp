#include "elements/core/element_registry.h"
#include "elements/display/drives.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <cmath>
#include <vector>

namespace ovanto {
namespace {

constexpr PropertyDef kRollRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "10"),
    rows::Int("h", "40"),
    rows::Float("Alpha", "0.0"),
    rows::Int("Input", "1"),
    rows::Plain("Direction (0/1)", "0"),
    rows::Int("Delay", "50"),
    rows::Plain("AxisWidth", "0"),
};
static_assert(RowsMatch<TRollGraph>(kRollRows));
constexpr ElementSchema kRoll{.keyword = "ROLL", .rows = kRollRows};

constexpr PropertyDef kRollBeltRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "10"),
    rows::Int("h", "40"),
    rows::Plain("Rolls", "5"),
    rows::Int("Input", "1"),
    rows::Plain("Direction (0/1)", "0"),
    rows::Int("Delay", "50"),
    rows::Plain("AxisWidth", "0"),
};
static_assert(RowsMatch<THRollBeltGraph>(kRollBeltRows));
constexpr ElementSchema kHRollBelt{.keyword = "HROLLBELT", .rows = kRollBeltRows};
constexpr ElementSchema kVRollBelt{.keyword = "VROLLBELT", .rows = kRollBeltRows};

constexpr int kLastStep = 10;
// An axis wider than this would only paint over the whole window.
constexpr int kWidestAxis = 255;

int axisPen(int axisWidth) { return std::min(axisWidth, kWidestAxis); }

// The points a roll paints, for its bounds: corners and axis ends.
std::vector<QPoint> rollReach(const RollFrame& f, int w, int h) {
    const std::array<QPoint, 4> c = RollCorners(f, w, h);
    std::vector<QPoint> points(c.begin(), c.end());
    points.push_back(f.at(w / 2.0L, -h / 12.0L));
    points.push_back(f.at(w / 2.0L, h + h / 12.0L));
    return points;
}

int rollMargin(const TGraph& e, int axisWidth) {
    return std::max(StrokeMargin(PenWidthOf(e.lineType())), axisWidth > 0 ? StrokeMargin(axisPen(axisWidth)) : 0);
}

long double rollDrive(const TGraph& e, int input, int direction) {
    const long double v = InputOrZero(e, input);
    return direction == 1 ? -v : v;
}

// One roll: body with the element's pen and brush, a highlight, the turning stripe and the axis.
void drawRoll(Canvas& canvas, const RollShape& shape, int axisWidth) {
    const CanvasPen pen = canvas.pen();
    if (shape.parts > 0) {
        canvas.polygon(shape.corners);
        canvas.setPen({kWhite, 1, PenStyle::Solid, PenMode::Copy});
    }
    if (shape.highlight) StrokeSegment(canvas, *shape.highlight);
    if (shape.stripe) {
        canvas.setPenColor(pen.color);
        StrokeSegment(canvas, *shape.stripe);
    }
    if (shape.axis) {
        canvas.setPen({kBlack, axisPen(axisWidth), PenStyle::Solid, PenMode::Copy});
        StrokeSegment(canvas, *shape.axis);
    }
    if (shape.failure) std::rethrow_exception(shape.failure);
    canvas.setPen(pen);
}

} // namespace

void TRollStepper::advance(ElementContext& window, long double delay, long double v) {
    if (!m_step.due(window, delay)) return;
    if (v > 0) m_value = m_value >= kLastStep ? 0 : m_value + 1;
    else if (v < 0) m_value = m_value <= 0 ? kLastStep : m_value - 1;
}

// --- ROLL -----------------------------------------------------------------------------------

TRollGraph::TRollGraph(ElementContext& window) : TGraph(window, kRoll), m_roll(window) {
    setText(kRGBFill, QStringLiteral("15917768"));
}

std::optional<Rect> TRollGraph::outlineBox() const {
    const RollFrame f = RollAt(evaluateInt(kX), evaluateInt(kY), evaluate(kAlpha));
    return PaintBox(rollReach(f, evaluateInt(kW), evaluateInt(kH)), rollMargin(*this, intValue(kAxisWidth)));
}

void TRollGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY);
        const long double alpha = evaluate(kAlpha);
        const long double v = rollDrive(*this, kInput, intValue(kDirection));
        const int axisWidth = intValue(kAxisWidth);
        const ShapeKey key{{x, y, evaluateInt(kW), evaluateInt(kH), axisWidth, m_roll.step(), v != 0}, {alpha}};
        const RollShape& shape = m_shape.get(key, [&] {
            return RollShapeOf(RollAt(x, y, alpha), key.at[2], key.at[3], axisWidth, key.at[5], v != 0);
        });
        drawRoll(canvas, shape, axisWidth);
        m_roll.advance(window(), evaluate(kDelay), v);
    });
}

// --- HROLLBELT and VROLLBELT --------------------------------------------------------------

TRollBeltGraph::TRollBeltGraph(ElementContext& window, const ElementSchema& schema, bool horizontal)
    : TGraph(window, schema), m_horizontal(horizontal), m_roll(window) {}

THRollBeltGraph::THRollBeltGraph(ElementContext& window) : TRollBeltGraph(window, kHRollBelt, true) {}

TVRollBeltGraph::TVRollBeltGraph(ElementContext& window) : TRollBeltGraph(window, kVRollBelt, false) {}

namespace {

// Roll k of a row: upright rolls side by side, or lying rolls stacked upwards.
RollFrame rollOfRow(bool horizontal, int x, int y, long double offset) {
    if (horizontal) return {x + offset, static_cast<long double>(y), 1, 0, 0, -1};
    return {static_cast<long double>(x), y - offset, 0, -1, 1, 0};
}

} // namespace

std::optional<Rect> TRollBeltGraph::outlineBox() const {
    const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
    const long double last = static_cast<long double>(std::max(intValue(kRolls), 1) - 1) * RollPitch(w);
    std::vector<QPoint> reach = rollReach(rollOfRow(m_horizontal, x, y, 0), w, h);
    const std::vector<QPoint> end = rollReach(rollOfRow(m_horizontal, x, y, last), w, h);
    reach.insert(reach.end(), end.begin(), end.end());
    return PaintBox(reach, rollMargin(*this, intValue(kAxisWidth)));
}

void TRollBeltGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
        const long double v = rollDrive(*this, kInput, intValue(kDirection));
        const long long rolls = intValue(kRolls);
        const long double pitch = RollPitch(w);
        // Only the rolls that can reach the picture are drawn, however many there are.
        const long double size = std::abs(static_cast<long double>(w)) + std::abs(static_cast<long double>(h));
        const long double from = m_horizontal ? (-size - x) / pitch : (y - canvas.height() - size) / pitch;
        const long double to = m_horizontal ? (canvas.width() + size - x) / pitch : (y + size) / pitch;
        const long long first = static_cast<long long>(std::max<long double>(0, std::floor(from)));
        const long long last = static_cast<long long>(std::min<long double>(rolls - 1, std::ceil(to)));
        const int axisWidth = intValue(kAxisWidth);
        const std::array<long long, 9> key{x, y, w, h, axisWidth, m_roll.step(), v != 0, first, last};
        if (m_shapes.key != key) {
            m_shapes.key = key;
            m_shapes.rolls.assign(static_cast<std::size_t>(std::max(0LL, last - first + 1)), std::nullopt);
        }
        for (long long k = first; k <= last; ++k) {
            // Each roll is worked out just before it is drawn, so a roll beyond
            // the coordinate range leaves the ones before it on the picture.
            std::optional<RollShape>& shape = m_shapes.rolls[static_cast<std::size_t>(k - first)];
            if (!shape) shape = RollShapeOf(rollOfRow(m_horizontal, x, y, k * pitch), w, h, axisWidth, m_roll.step(), v != 0);
            drawRoll(canvas, *shape, axisWidth);
        }
        m_roll.advance(window(), evaluate(kDelay), v);
    });
}

void RegisterRolls() {
    RegisterElementClass<TRollGraph>(kRoll);
    RegisterElementClass<THRollBeltGraph>(kHRollBelt);
    RegisterElementClass<TVRollBeltGraph>(kVRollBelt);
}

} // namespace ovanto
