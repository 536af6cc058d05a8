#include "editor/editor_entry.h"

#include "editor/tform2.h"
#include "window/tform1.h"

#include <QApplication>
#include <QEventLoop>

namespace ovanto {
namespace {

// Modal for the host, not for the animation window: the user drags elements
// in the window while the dialog is open, so input is held back only from
// windows that belong to neither of the two.
class HostInputGate final : public QObject {
public:
    HostInputGate(QWidget& window, QWidget& dialog) : m_window(window), m_dialog(dialog) {
        qApp->installEventFilter(this);
    }
    ~HostInputGate() override { qApp->removeEventFilter(this); }
    HostInputGate(const HostInputGate&) = delete;
    HostInputGate& operator=(const HostInputGate&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
            break;
        default:
            return false;
        }
        if (!watched->isWidgetType()) return false;
        for (QObject* o = watched; o; o = o->parent())
            if (o == &m_window || o == &m_dialog) return false;
        // Dialogs opened from here without a parent (message boxes) stay usable too.
        return QApplication::activeModalWidget() == nullptr;
    }

private:
    QWidget& m_window;
    QWidget& m_dialog;
};

} // namespace

void RunConfigurationDialog(BlockWindow& window) {
    auto* form = dynamic_cast<TForm1*>(&window);
    if (!form) return;
    form->setDesignMode(true);
    {
        TForm2 dialog(*form, TForm2::Role::Host);
        form->setConfigDialog(&dialog);
        HostInputGate gate(*form, dialog);
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        dialog.show();
        dialog.raise();
        dialog.activateWindow();
        loop.exec(QEventLoop::DialogExec);
        form->setConfigDialog(nullptr);
    }
    form->setDesignMode(false);
    form->setSoundMuted(false);
}

std::unique_ptr<QDialog> ShowStandaloneEditor(BlockWindow& window) {
    auto* form = dynamic_cast<TForm1*>(&window);
    if (!form) return nullptr;
    form->setDesignMode(true);
    auto dialog = std::make_unique<TForm2>(*form, TForm2::Role::Standalone);
    form->setConfigDialog(dialog.get());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

} // namespace ovanto
