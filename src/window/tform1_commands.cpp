#include "window/tform1.h"

#include "host/window_manager.h"
#include "platform/canvas.h"
#include "platform/picture.h"
#include "platform/printer.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ovanto {

// The printer runs at screen resolution, so the client area goes onto the page pixel for pixel.
void TForm1::printWindow() {
    const QImage picture = grabClientArea();
    Printer& printer = Printer::instance();
    if (!printer.setup(this)) return;
    if (Canvas* canvas = printer.beginJob()) {
        canvas->draw(0, 0, Picture(picture));
        printer.endJob();
    }
}

void TForm1::copyWindowToClipboard() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(grabClientArea());
}

void TForm1::showManagedWindow(const QString& name) {
    WindowManager::instance().ShowQEVForm(name.toLocal8Bit().constData());
}

void TForm1::activateForKey() {
    if (!m_options.ActivateOnKeyMessage || !isVisible()) return;
    show();
    raise();
    activateWindow();
}

} // namespace ovanto
