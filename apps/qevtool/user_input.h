#pragma once

#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <QWidget>

namespace ovanto {
class TForm1;
}

// Mouse and keyboard input delivered to the animation window the way a
// user's would arrive: to the child control under the pointer (or the
// window's client area) and to the widget with the focus, through the
// application's event filters.
class UserInput {
public:
    explicit UserInput(ovanto::TForm1& form) : m_form(form) {}

    void press(QPoint client, Qt::MouseButton button);
    void release(QPoint client, Qt::MouseButton button);
    void move(QPoint client);
    // False when no key gives that virtual-key code.
    bool keyDown(int virtualKey);
    bool keyUp(int virtualKey);
    void type(const QString& text);

private:
    void mouse(QEvent::Type type, QPoint client, Qt::MouseButton button);
    bool key(QEvent::Type type, int virtualKey);
    QWidget* focusTarget() const;

    ovanto::TForm1& m_form;
    Qt::MouseButtons m_buttons;
    QPointer<QWidget> m_grabber; // the widget that took the press gets the moves and the release
};
