#include "platform/printer.h"

#include "platform/canvas.h"

#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace ovanto {

// Screen resolution keeps point sizes and pixel rules as on the window.
Printer::Printer() : m_printer(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {}

Printer::~Printer() { endJob(); }

bool Printer::setup(QWidget* parent) {
    if (!m_printer->outputFileName().isEmpty()) return true;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return true;
    QPrintDialog dialog(m_printer.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

void Printer::setOutputFile(const QString& pdf) {
    m_printer->setOutputFormat(pdf.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    m_printer->setOutputFileName(pdf);
}

Canvas* Printer::beginJob() {
    endJob();
    m_canvas = std::make_unique<Canvas>(static_cast<QPaintDevice&>(*m_printer));
    return m_canvas.get();
}

QRect Printer::pageRect() const {
    const QRectF r = m_printer->pageRect(QPrinter::DevicePixel);
    return QRect(0, 0, static_cast<int>(r.width()), static_cast<int>(r.height()));
}

bool Printer::newPage() { return m_canvas && m_printer->newPage(); }

void Printer::endJob() { m_canvas.reset(); }

Printer& Printer::instance() {
    if (Printer* p = installed()) return *p;
    static Printer printer;
    return printer;
}

} // namespace ovanto
