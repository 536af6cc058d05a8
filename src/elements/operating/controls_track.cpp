#include "elements/core/element_registry.h"
#include "elements/core/number_text.h"
#include "elements/operating/control_geometry.h"
#include "elements/operating/control_widgets.h"
#include "elements/operating/controls.h"

#include "elements/core/formula/parse_float.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace ovanto {
namespace {

// Tick marks came with record version 380, the run switch with 390.
constexpr int kTickVersion = 379;
constexpr int kSimEnabledVersion = 389;

constexpr PropertyDef kTrackbarRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "50"),
    rows::Int("w", "100"),
    rows::Int("h", "40"),
    rows::Float("Min", "0.0"),
    rows::Float("Max", "1.0"),
    rows::Int("Output", "1"),
    rows::Plain("TickMode (0-2)", "0", kTickVersion),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TTrackbarGraph>(kTrackbarRows));
constexpr ElementSchema kTrackbar{.keyword = "TRACKBAR", .rows = kTrackbarRows};

constexpr PropertyDef kVTrackbarRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "120"),
    rows::Int("w", "40"),
    rows::Int("h", "100"),
    rows::Float("Min", "0.0"),
    rows::Float("Max", "1.0"),
    rows::Int("Output", "1"),
    rows::Plain("TickMode (0-2)", "0", kTickVersion),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TVTrackbarGraph>(kVTrackbarRows));
constexpr ElementSchema kVTrackbar{.keyword = "VTRACKBAR", .rows = kVTrackbarRows};
constexpr int kTrackbarGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3, 13, 14};
static_assert(std::size(kTrackbarGrid) == TTrackbarGraph::kPropertyEnd);

constexpr PropertyDef kUpDownRows[] = {
    rows::X("x", "50"),
    {.caption = "y", .gridDefault = "50", .axis = Axis::Y, .initial = "60"},
    {.caption = "w", .gridDefault = "100", .initial = "20"},
    {.caption = "h", .gridDefault = "30", .initial = "40"},
    {.caption = "Min", .gridDefault = "-1.0", .kind = PropKind::FloatFormula, .initial = "-1"},
    {.caption = "Max", .gridDefault = "1.0", .kind = PropKind::FloatFormula, .initial = "1"},
    rows::Int("Output", "1"),
    rows::Float("Increment", "0.1"),
    rows::Plain("Orientation (0/1)", "0"),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TUpDownGraph>(kUpDownRows));
constexpr ElementSchema kUpDown{.keyword = "UPDOWN", .rows = kUpDownRows};
constexpr int kUpDownGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3, 13, 14, 15};
static_assert(std::size(kUpDownGrid) == TUpDownGraph::kPropertyEnd);

int ReadPosition(const QString& field, int fallback) {
    int v = fallback;
    return TryParseInt(field.trimmed().toStdString(), v) ? v : fallback;
}

} // namespace

// --- TRACKBAR, VTRACKBAR ---------------------------------------------------------------

TTrackbarGraph::TTrackbarGraph(ElementContext& window) : TTrackbarGraph(window, kTrackbar, false) {}

// A new vertical bar starts with its slider at the bottom, on Min, like the horizontal one.
TTrackbarGraph::TTrackbarGraph(ElementContext& window, const ElementSchema& schema, bool vertical)
    : TWinControlGraph(window, schema, kTrackbarGrid,
                       {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                       {.stateBefore = kTickMode}, false),
      m_vertical(vertical), m_position(vertical ? 100 : 0) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    m_slider->setRange(0, 100);
    m_slider->setTickInterval(10);
    m_slider->setPageStep(10);
    // Position 0 is at the top, and the up key moves towards it.
    m_slider->setInvertedAppearance(vertical);
    m_slider->setInvertedControls(vertical);
    adopt(m_slider, true);
    QObject::connect(m_slider, &QSlider::valueChanged, m_slider, [this](int p) {
        m_position = p;
        UpdateOutput();
    });
}

void TTrackbarGraph::readStateField(const QString& field) { m_position = TrackPosition(ReadPosition(field, 0)); }

long double TTrackbarGraph::value() const {
    long double v = 0;
    guarded([&] { v = TrackValue(m_position, evaluate(kMin), evaluate(kMax), m_vertical); });
    return v;
}

void TTrackbarGraph::UpdateOutput() {
    placeAndStyle();
    if (m_slider) {
        const int mode = intValue(kTickMode);
        if (mode != m_tickMode) {
            m_tickMode = mode;
            // Ticks below a horizontal bar sit right of a vertical one.
            m_slider->setTickPosition(mode == 2 ? QSlider::TicksBothSides
                                      : mode == 1 ? QSlider::TicksAbove
                                                  : QSlider::TicksBelow);
        }
        if (m_slider->value() != m_position) {
            const QSignalBlocker quiet(m_slider);
            m_slider->setValue(m_position);
        }
    }
    writeValue(value());
}

void TTrackbarGraph::DescribeOutput(QString& s) const { s = describe(FloatToText(value())); }

TVTrackbarGraph::TVTrackbarGraph(ElementContext& window) : TTrackbarGraph(window, kVTrackbar, true) {}

// --- UPDOWN ----------------------------------------------------------------------------

TUpDownGraph::TUpDownGraph(ElementContext& window)
    : TWinControlGraph(window, kUpDown, kUpDownGrid,
                       {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                       {.stateBefore = kIncrement}, false) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_updown = new UpDownControl(parent);
    adopt(m_updown, true);
    forwardMouseOf(m_updown->upButton());
    forwardMouseOf(m_updown->downButton());
    QObject::connect(m_updown, &UpDownControl::positionChanged, m_updown, [this](int p) {
        m_position = p;
        UpdateOutput();
    });
}

void TUpDownGraph::readStateField(const QString& field) { m_position = UpDownPosition(ReadPosition(field, 0)); }

void TUpDownGraph::UpdateOutput() {
    placeAndStyle();
    long double increment = 0;
    const bool stepKnown = [&] {
        try {
            increment = evaluate(kIncrement);
            return true;
        } catch (...) {
            return false;
        }
    }();
    const auto limit = [&](int property) {
        try {
            return stepKnown ? UpDownLimit(evaluate(property), increment) : 1;
        } catch (...) {
            return 1;
        }
    };
    const int low = limit(kMin), high = limit(kMax);
    // The control keeps its position inside its range, as the arrows do.
    m_position = std::clamp(m_position, std::min(low, high), std::max(low, high));
    m_value = increment * m_position;
    if (!std::isfinite(m_value)) m_value = 0;
    if (m_updown) {
        m_updown->setRange(low, high);
        m_updown->setHorizontal(intValue(kOrientation) == 1);
        m_updown->setPosition(m_position);
        const QString tip = window().simulationRunning() ? QString() : FloatToText(m_value);
        if (m_updown->toolTip() != tip) m_updown->setToolTip(tip);
    }
    writeValue(m_value);
}

void TUpDownGraph::DescribeOutput(QString& s) const { s = describe(FloatToText(m_value)); }

void RegisterTrackControls() {
    RegisterElementClass<TTrackbarGraph>(kTrackbar);
    RegisterElementClass<TVTrackbarGraph>(kVTrackbar);
    RegisterElementClass<TUpDownGraph>(kUpDown);
}

} // namespace ovanto
