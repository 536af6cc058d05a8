#include "elements/display/progress_bar.h"

#include "elements/core/element_registry.h"
#include "elements/display/instrument_geometry.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QProgressBar>

namespace ovanto {
namespace {

// A new bar starts with the plain range texts "0" and "1".
constexpr PropertyDef kProgressBarRows[] = {
    rows::X("x", "50"),
    rows::Y("y", "80"),
    rows::Int("w", "150"),
    rows::Int("h", "16"),
    {.caption = "Min", .gridDefault = "0.0", .kind = PropKind::FloatFormula, .initial = "0"},
    {.caption = "Max", .gridDefault = "1.0", .kind = PropKind::FloatFormula, .initial = "1"},
    rows::Float("Input", "1"),
};
static_assert(RowsMatch<TProgressBarGraph>(kProgressBarRows));
constexpr ElementSchema kProgressBar{
    .keyword = "PROGRESSBAR", .rows = kProgressBarRows, .commonCaptions = {"RGBStroke", "RGBFill", "Input"}};

constexpr TInputRowGraph::GridDefaults kProgressDefaults{"0", "16777215"};
constexpr int kLargestControl = 1 << 24;

} // namespace

// Presses, releases and (in design mode) moves on the bar reach the window
// as if the bar were drawn there, so it can be selected and dragged.
class TProgressBarGraph::MouseForwarder final : public QObject {
public:
    MouseForwarder(QProgressBar* bar, ElementContext& window) : QObject(bar), m_window(window) {
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
            return QObject::eventFilter(watched, event);
        auto* bar = static_cast<QWidget*>(watched);
        QWidget* target = bar->parentWidget();
        if (!target || (type == QEvent::MouseMove && !m_window.designMode())) return true;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF at = bar->mapTo(target, mouse->position());
        QMouseEvent forwarded(type == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : type, at,
                              mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers());
        QCoreApplication::sendEvent(target, &forwarded);
        return true;
    }

private:
    ElementContext& m_window;
};

TProgressBarGraph::TProgressBarGraph(ElementContext& window)
    : TInputRowGraph(window, kProgressBar, kInput, kProgressDefaults) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_bar = new QProgressBar(parent);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    new MouseForwarder(m_bar, window); // owned by the bar
    UpdateOutput();
}

TProgressBarGraph::~TProgressBarGraph() { delete m_bar.data(); }

std::optional<Rect> TProgressBarGraph::outlineBox() const {
    const long long x = evaluateInt(kX), y = evaluateInt(kY);
    return Rect{Px(x), Px(y - evaluateInt(kH)), Px(x + evaluateInt(kW)), Px(y)};
}

void TProgressBarGraph::UpdateOutput() {
    if (!m_bar) return;
    guarded([&] {
        bool visible = false;
        guarded([&] { visible = IsVisible(); });
        const long long w = std::clamp<long long>(evaluateInt(kW), 0, kLargestControl);
        const long long h = std::clamp<long long>(evaluateInt(kH), 0, kLargestControl);
        const long long x = evaluateInt(kX), y = evaluateInt(kY);
        m_bar->setGeometry(Px(x), Px(y - h), static_cast<int>(w), static_cast<int>(h));
        m_bar->setVisible(visible);
        const long double low = evaluate(kMin);
        // Qt ignores a value outside the range instead of clamping it.
        if (const std::optional<int> p = ProgressPosition(ShownValue(ChannelValue(kInput), low), low, evaluate(kMax)))
            m_bar->setValue(*p);
    });
}

void TProgressBarGraph::SetBounds(const Rect& r) {
    TInputRowGraph::SetBounds(r);
    UpdateOutput();
}

void RegisterProgressBar() { RegisterElementClass<TProgressBarGraph>(kProgressBar); }

} // namespace ovanto
