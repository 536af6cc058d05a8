#include "platform/host_window.h"

#include <QApplication>
#include <QWidget>

namespace ovanto {

QWidget* FindHostWindow() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle().contains(QLatin1String("VELOR")) &&
            QLatin1String(widget->metaObject()->className()).contains(QLatin1String("TMainForm")))
            return widget;
    }
    return nullptr;
}

} // namespace ovanto
