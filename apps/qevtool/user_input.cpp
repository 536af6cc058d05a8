#include "user_input.h"

#include "platform/key_state.h"
#include "window/tform1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

void UserInput::mouse(QEvent::Type type, QPoint client, Qt::MouseButton button) {
    QWidget* box = m_form.paintBox();
    QWidget* target = m_grabber;
    if (!target) {
        target = box->childAt(client);
        if (!target) target = box;
    }
    const QPointF local = target->mapFrom(box, QPointF(client));
    const QPointF global = box->mapToGlobal(QPointF(client));
    if (type == QEvent::MouseButtonPress) m_buttons |= button;
    if (type == QEvent::MouseButtonRelease) m_buttons &= ~Qt::MouseButtons(button);
    QMouseEvent event(type, local, local, global, button, m_buttons, QApplication::keyboardModifiers());
    QPointer<QWidget> guard(target);
    QApplication::sendEvent(target, &event);
    if (type == QEvent::MouseButtonPress) {
        if (target->focusPolicy() & Qt::ClickFocus) target->setFocus(Qt::MouseFocusReason);
        m_grabber = guard.data();
    }
    if (m_buttons == Qt::NoButton) m_grabber = nullptr;
    QApplication::processEvents();
}

void UserInput::press(QPoint client, Qt::MouseButton button) { mouse(QEvent::MouseButtonPress, client, button); }

void UserInput::release(QPoint client, Qt::MouseButton button) { mouse(QEvent::MouseButtonRelease, client, button); }

void UserInput::move(QPoint client) { mouse(QEvent::MouseMove, client, Qt::NoButton); }

QWidget* UserInput::focusTarget() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &m_form || m_form.isAncestorOf(focus)) ? focus : &m_form;
}

bool UserInput::key(QEvent::Type type, int virtualKey) {
    int qtKey = 0;
    Qt::KeyboardModifiers modifiers;
    if (!ovanto::QtKeyFromVirtualKey(virtualKey, qtKey, modifiers)) return false;
    const QString text = qtKey >= 0x20 && qtKey < 0x7F && type == QEvent::KeyPress ? QString(QChar(qtKey)).toLower() : QString();
    QKeyEvent event(type, qtKey, modifiers | QApplication::keyboardModifiers(), text);
    QApplication::sendEvent(focusTarget(), &event);
    QApplication::processEvents();
    return true;
}

bool UserInput::keyDown(int virtualKey) { return key(QEvent::KeyPress, virtualKey); }

bool UserInput::keyUp(int virtualKey) { return key(QEvent::KeyRelease, virtualKey); }

void UserInput::type(const QString& text) {
    for (const QChar c : text) {
        QKeyEvent down(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(focusTarget(), &down);
        QKeyEvent up(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(focusTarget(), &up);
    }
    QApplication::processEvents();
}
