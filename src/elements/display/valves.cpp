#include "elements/core/element_registry.h"
#include "elements/core/record.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

// Records up to 350 know neither the display mode nor the first four
// orientations, which were added in front of the old ones.
constexpr int kDisplayModeVersion = 350;
constexpr int kShiftedOrientationBelow = 351;
constexpr int kFixJunctionVersion = 353;
constexpr int kOrientations = 12;
constexpr const char* kSilver = "12632256";

constexpr PropertyDef kValveRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "50"),
    rows::Int("h", "25"),
    rows::Int("Input", "-1"),
    rows::Number("OnValue", "5"),
    rows::Int("RGBOpen", "0"),
    rows::Int("RGBClosed", "16777215"),
    rows::Plain("Orientation", "0"),
    rows::Plain("DisplayMode", "0", kDisplayModeVersion),
};
static_assert(RowsMatch<TValveGraph>(kValveRows));
constexpr ElementSchema kValve{.keyword = "VALVE", .rows = kValveRows};

constexpr PropertyDef kValve3Rows[] = {
    rows::X("x", "40"),
    rows::Y("y", "60"),
    rows::Int("w", "48"),
    rows::Int("h", "48"),
    rows::Int("Input", "-1"),
    rows::Number("OnValue", "5"),
    rows::Int("RGBOpen", "0"),
    rows::Int("RGBClosed", "16777215"),
    rows::Plain("Orientation", "0"),
    rows::Plain("DisplayMode", "0", kDisplayModeVersion),
    rows::Plain("FixJunction", "1", kFixJunctionVersion),
};
static_assert(RowsMatch<TValve3Graph>(kValve3Rows));
constexpr ElementSchema kValve3{.keyword = "VALVE3", .rows = kValve3Rows};

bool knownOrientation(int orientation) { return orientation >= 0 && orientation < kOrientations; }

// The valve outline is always solid, at least one pixel wide.
void useValvePen(Canvas& canvas, const TGraph& valve) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(PenWidthOf(valve.lineType()));
    canvas.setPenColor(valve.evaluateInt(TGraph::kRGBStroke));
}

Rect valveBounds(const TGraph& valve, int kx, int ky, int kw, int kh) {
    const Rect box = CornerBox(valve.evaluateInt(kx), valve.evaluateInt(ky), valve.evaluateInt(kw), valve.evaluateInt(kh));
    return box.inflated(StrokeMargin(PenWidthOf(valve.lineType())));
}

} // namespace

// --- VALVE -------------------------------------------------------------------------------

TValveGraph::TValveGraph(ElementContext& window) : TGraph(window, kValve) {
    setText(kRGBFill, QString::fromLatin1(kSilver));
}

void TValveGraph::LoadFromString(QString& s) {
    TGraph::LoadFromString(s);
    if (RecordVersion() < kShiftedOrientationBelow)
        setText(kOrientation, QString::number(static_cast<long long>(intValue(kOrientation)) + 4));
}

std::optional<Rect> TValveGraph::outlineBox() const { return valveBounds(*this, kX, kY, kW, kH); }

void TValveGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int o = intValue(kOrientation);
        if (!knownOrientation(o)) return;
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
        const bool bound = !IsUnbound(*this, kInput);
        const long double v = bound ? ChannelValue(kInput) : 0;
        const bool proportional = bound && intValue(kDisplayMode) == 1;
        TColor brush = evaluateInt(kRGBFill);
        if (bound) brush = evaluateInt(v < number(kOnValue) || intValue(kDisplayMode) == 1 ? kRGBClosed : kRGBOpen);
        useValvePen(canvas, *this);
        UseFill(canvas, brush);
        const std::array<QPoint, 4> body = ValveBody(o, x, y, w, h);
        canvas.polygon(body);
        StrokeSegments(canvas, ValveActuator(o, x, y, w, h));
        if (!proportional) return;
        if (const auto open = ValveOpening(o, x, y, w, h, v / number(kOnValue))) {
            const CanvasPen pen = canvas.pen();
            canvas.setPenStyle(PenStyle::Clear);
            UseFill(canvas, evaluateInt(kRGBOpen));
            canvas.polygon(*open);
            canvas.setPen(pen);
            canvas.setBrushStyle(BrushStyle::Clear);
            canvas.polygon(body);
        }
    });
}

// --- VALVE3 ------------------------------------------------------------------------------

TValve3Graph::TValve3Graph(ElementContext& window) : TGraph(window, kValve3) {
    setText(kRGBFill, QString::fromLatin1(kSilver));
}

std::optional<Rect> TValve3Graph::outlineBox() const { return valveBounds(*this, kX, kY, kW, kH); }

void TValve3Graph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const int o = intValue(kOrientation);
        if (!knownOrientation(o)) return;
        const int x = evaluateInt(kX), y = evaluateInt(kY), w = evaluateInt(kW), h = evaluateInt(kH);
        useValvePen(canvas, *this);
        const auto branch = [&](int b, TColor color) {
            UseFill(canvas, color);
            canvas.polygon(Valve3Branch(b, x, y, w, h));
        };
        if (IsUnbound(*this, kInput)) {
            const TColor fill = evaluateInt(kRGBFill);
            for (int b = 1; b <= 4; ++b)
                if (b != Valve3MissingBranch(o)) branch(b, fill);
        } else if (const auto ports = Valve3PortsFor(o, intValue(kFixJunction))) {
            const long double v = ChannelValue(kInput);
            const bool below = v < number(kOnValue);
            const TColor open = evaluateInt(kRGBOpen), closed = evaluateInt(kRGBClosed);
            // A negative junction opens A while below, a positive one B.
            const int openBelow = intValue(kFixJunction) < 0 ? ports->a : ports->b;
            const int openAbove = openBelow == ports->a ? ports->b : ports->a;
            if (intValue(kDisplayMode) != 1) {
                branch(ports->common, open);
                branch(openBelow, below ? open : closed);
                branch(openAbove, below ? closed : open);
            } else {
                branch(ports->common, closed);
                branch(openBelow, closed);
                branch(openAbove, closed);
                branch(ports->common, open);
                const int half = std::min(w, h) / 2;
                const int reach = OpenReach(v / number(kOnValue), half, half);
                const CanvasPen pen = canvas.pen();
                canvas.setPenStyle(PenStyle::Clear);
                UseFill(canvas, open);
                if (half - reach > 0) canvas.polygon(Valve3BranchPart(openBelow, x, y, w, h, half - reach));
                if (reach > 0) canvas.polygon(Valve3BranchPart(openAbove, x, y, w, h, reach));
                canvas.setPen(pen);
            }
        }
        StrokeSegments(canvas, ValveActuator(o, x, y, w, h));
    });
}

void RegisterValves() {
    RegisterElementClass<TValveGraph>(kValve);
    RegisterElementClass<TValve3Graph>(kValve3);
}

} // namespace ovanto
