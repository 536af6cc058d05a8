#pragma once

#include "platform/injectable.h"

#include <QString>

namespace ovanto {

class Canvas;

// The printer as a text output: one line after the other, a new page when
// the page is full. Opened without asking, since it opens during a run.
class LinePrinter : public Injectable<LinePrinter> {
public:
    LinePrinter() = default;
    virtual ~LinePrinter();
    LinePrinter(const LinePrinter&) = delete;
    LinePrinter& operator=(const LinePrinter&) = delete;

    // False when no job could be started.
    virtual bool open();
    virtual bool isOpen() const { return m_canvas != nullptr; }
    virtual void writeLine(const QString& line);
    virtual void close();

    static LinePrinter& instance();

private:
    Canvas* m_canvas = nullptr;
    int m_y = 0;
};

} // namespace ovanto
