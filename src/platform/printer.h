#pragma once

#include "platform/injectable.h"

#include <QRect>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace ovanto {

class Canvas;

// Printing: a set-up dialog, then one page drawn through a Canvas.
class Printer : public Injectable<Printer> {
public:
    Printer();
    virtual ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The printer set-up; false when cancelled. Without a screen, or when
    // printing to a file, it answers true without asking.
    virtual bool setup(QWidget* parent);
    // Prints into this PDF instead of a printer.
    void setOutputFile(const QString& pdf);

    // A job of one page: the canvas lives until endJob (or the next beginJob).
    Canvas* beginJob();
    // The printable area in device pixels.
    QRect pageRect() const;
    // Starts the next page of the job; false without a job.
    bool newPage();
    void endJob();

    static Printer& instance();

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Canvas> m_canvas;
};

} // namespace ovanto
