#include "elements/display/child_controls.h"

#include "elements/core/element_context.h"
#include "elements/core/tgraph.h"
#include "elements/display/display_geometry.h"
#include "platform/canvas.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace ovanto {
namespace {

constexpr long long kLargestControl = 1 << 24;

class MouseForwarder final : public QObject {
public:
    MouseForwarder(QWidget* control, ElementContext& window) : QObject(control), m_window(window) {
        control->installEventFilter(this);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) area->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
            return QObject::eventFilter(watched, event);
        auto* from = static_cast<QWidget*>(watched);
        QWidget* target = m_window.controlParent();
        // Outside design mode the list keeps its own moves (selection, scrolling).
        if (!target || (type == QEvent::MouseMove && !m_window.designMode())) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF at = from->mapTo(target, mouse->position());
        QMouseEvent forwarded(type == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : type, at,
                              mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers());
        QCoreApplication::sendEvent(target, &forwarded);
        // In design mode the control is a picture to select and drag, not to operate.
        return m_window.designMode();
    }

private:
    ElementContext& m_window;
};

} // namespace

GroupPlace GroupOf(const ElementContext& window, const TGraph& element, int groupProperty) {
    auto* const self = const_cast<TGraph*>(&element);
    const int group = element.intValue(groupProperty);
    if (group == -1) return {self, 1, 1};
    GroupPlace place{nullptr, 0, 0};
    bool found = false;
    for (const auto& other : window.elementList()) {
        TGraph* const e = other.get();
        if (e != self && (e->Keyword() != element.Keyword() || e->intValue(groupProperty) != group)) continue;
        if (!place.head) place.head = e;
        ++place.size;
        if (e == self) found = true;
        if (!found) ++place.member;
    }
    if (!found) return {self, 1, 1};
    ++place.member;
    return place;
}

QFont ControlFont(const QString& name, int points) {
    QFont font(canvasFontFamily(name));
    font.setPixelSize(canvasFontPixelSize(points));
    return font;
}

void ForwardMouseToWindow(QWidget* control, ElementContext& window) { new MouseForwarder(control, window); }

void PlaceControl(QWidget* control, int x, int y, long long w, long long h, bool visible) {
    w = std::clamp<long long>(w, 0, kLargestControl);
    h = std::clamp<long long>(h, 0, kLargestControl);
    const QRect geometry(x, ToPixel(y - h), static_cast<int>(w), static_cast<int>(h));
    if (control->geometry() != geometry) control->setGeometry(geometry);
    if (control->isVisibleTo(control->parentWidget()) != visible) control->setVisible(visible);
}

} // namespace ovanto
