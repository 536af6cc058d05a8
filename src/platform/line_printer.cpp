#include "platform/line_printer.h"

#include "platform/canvas.h"
#include "platform/printer.h"

#include <algorithm>

namespace ovanto {
namespace {

constexpr int kPointSize = 10;

} // namespace

LinePrinter::~LinePrinter() { close(); }

bool LinePrinter::open() {
    close();
    m_canvas = Printer::instance().beginJob();
    if (!m_canvas) return false;
    m_canvas->setFontName(QStringLiteral("COURIER NEW"));
    m_canvas->setFontSize(kPointSize);
    m_canvas->setFontColor(0);
    m_canvas->setTextOpaque(false);
    m_y = 0;
    return true;
}

void LinePrinter::writeLine(const QString& line) {
    if (!m_canvas) return;
    const int height = std::max(1, m_canvas->textHeight());
    if (m_y > 0 && m_y + height > Printer::instance().pageRect().height()) {
        if (!Printer::instance().newPage()) return;
        m_y = 0;
    }
    // Tabs as the list box shows them: to the next multiple of eight.
    QString expanded;
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            expanded += QString(8 - expanded.size() % 8, QLatin1Char(' '));
        else
            expanded += c;
    }
    m_canvas->textOut(0, m_y, expanded);
    m_y += height;
}

void LinePrinter::close() {
    if (!m_canvas) return;
    m_canvas = nullptr;
    Printer::instance().endJob();
}

LinePrinter& LinePrinter::instance() {
    if (LinePrinter* p = installed()) return *p;
    // Never destroyed: at exit the printer it would close may be gone already.
    static LinePrinter* const printer = new LinePrinter;
    return *printer;
}

} // namespace ovanto
