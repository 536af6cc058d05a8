#include "elements/core/element_registry.h"
#include "elements/display/shape_geometry.h"
#include "elements/operating/operating.h"
#include "platform/canvas.h"
#include "platform/key_state.h"

namespace ovanto {
namespace {

// Grid "1", constructor "0": a new key is momentary until its grid is applied.
constexpr PropertyDef kKeyRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("w", "20"),
    rows::Int("h", "20"),
    rows::Float("OnValue", "5.0"),
    rows::Int("Output", "1"),
    rows::Plain("KeyCode", "0"),
    {.caption = "ToggleMode (0/1)", .gridDefault = "1", .kind = PropKind::PlainInt, .initial = "0"},
};
static_assert(RowsMatch<TKeyGraph>(kKeyRows));
constexpr ElementSchema kKey{.keyword = "KEY", .rows = kKeyRows};
constexpr ElementSchema kKeyState{.keyword = "KEYSTATE", .rows = kKeyRows};
constexpr int kKeyGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 11, 3, 12, 13};
static_assert(std::size(kKeyGrid) == TKeyGraph::kPropertyEnd);

constexpr int kCapSize = 24;
constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;

} // namespace

TKeyGraph::TKeyGraph(ElementContext& window) : TKeyGraph(window, kKey) {}

TKeyGraph::TKeyGraph(ElementContext& window, const ElementSchema& schema)
    : TOperatingGraph(window, schema, kKeyGrid, {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .stateAfter = kOutput},
                      nullptr) {
    m_quiet = true;
    write();
    m_quiet = false;
}

// w and h are kept for the record only: the key is a 24 x 24 symbol.
std::optional<Rect> TKeyGraph::outlineBox() const {
    const long double x = evaluateInt(kX);
    const long double y = evaluateInt(kY);
    return Rect{ToCoord(x), ToCoord(y - kCapSize), ToCoord(x + kCapSize), ToCoord(y)};
}

void TKeyGraph::LoadFromString(QString& s) {
    TOperatingGraph::LoadFromString(s);
    // A key saved "on" must react to its first press.
    m_armed = stateOn();
}

// Our own key cap: a raised key with a dot in its face for the polled kind.
void TKeyGraph::drawKeyCap(Canvas& canvas, bool polled) {
    const Rect r = *outlineBox();
    CanvasStateSaver saver(canvas);
    canvas.setPen({kBlack, 1, PenStyle::Solid, PenMode::Copy});
    canvas.setBrush({kSilver, BrushStyle::Solid, {}});
    canvas.roundRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, 6, 6);
    canvas.setPen({kWhite, 1, PenStyle::Solid, PenMode::Copy});
    canvas.moveTo(r.left + 4, r.bottom - 6);
    canvas.lineTo(r.left + 4, r.top + 4);
    canvas.lineTo(r.right - 5, r.top + 4);
    canvas.setPen({kGrey, 1, PenStyle::Solid, PenMode::Copy});
    canvas.lineTo(r.right - 5, r.bottom - 5);
    canvas.lineTo(r.left + 3, r.bottom - 5);
    if (polled) {
        canvas.setPen({kBlack, 1, PenStyle::Solid, PenMode::Copy});
        canvas.setBrush({kBlack, BrushStyle::Solid, {}});
        canvas.ellipse(r.left + 9, r.top + 9, r.left + 15, r.top + 15);
    } else {
        canvas.setPen({kBlack, 1, PenStyle::Solid, PenMode::Copy});
        canvas.moveTo(r.left + 8, r.top + 15);
        canvas.lineTo(r.left + 16, r.top + 15);
    }
}

void TKeyGraph::Draw(Canvas& canvas) {
    // A held key calls the window forward while the run goes on.
    if (window().simulationRunning()) {
        guarded([&] {
            if (window().keyState().isDown(intValue(kKeyCode))) window().activateForKey();
        });
    }
    if (!window().designMode()) return;
    drawIfVisible(canvas, [&] { drawKeyCap(canvas, false); });
}

void TKeyGraph::write() {
    writeOutput(stateOn(), kOnValue);
}

void TKeyGraph::UpdateOutput() {
    // Only the editor shows the key, so only there is a repaint worth it.
    const bool quiet = m_quiet;
    m_quiet = quiet || !window().designMode();
    write();
    m_quiet = quiet;
}

void TKeyGraph::KeyDown(int key) {
    if (key != intValue(kKeyCode)) return;
    if (intValue(kToggleMode) == 1) {
        // Auto-repeat sends more key-downs without a key-up: they find the key already toggled.
        if (stateOn() == m_armed) setState(!stateOn());
    } else {
        setState(true);
    }
    UpdateOutput();
}

void TKeyGraph::KeyUp(int key) {
    if (key != intValue(kKeyCode)) return;
    if (intValue(kToggleMode) == 1) m_armed = stateOn();
    else setState(false);
    UpdateOutput();
}

// --- KEYSTATE -------------------------------------------------------------------------------

TKeyStateGraph::TKeyStateGraph(ElementContext& window) : TKeyGraph(window, kKeyState) {}

void TKeyStateGraph::Draw(Canvas& canvas) {
    if (!window().designMode()) return;
    drawIfVisible(canvas, [&] { drawKeyCap(canvas, true); });
}

void TKeyStateGraph::UpdateOutput() {
    const bool down = window().keyState().isDown(intValue(kKeyCode));
    if (intValue(kToggleMode) == 1) {
        if (down && !m_wasDown) setState(!stateOn());
    } else {
        setState(down);
    }
    m_wasDown = down;
    write();
}

void RegisterKeys() {
    RegisterElementClass<TKeyGraph>(kKey);
    RegisterElementClass<TKeyStateGraph>(kKeyState);
}

} // namespace ovanto
