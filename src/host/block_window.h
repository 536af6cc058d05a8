#pragma once

#include "host/block_configuration.h"

#include <QRect>
#include <QString>

#include <cstdint>

class QWidget;

namespace ovanto {

class ElementContext;
class TGraph;

// The animation window as the simulation cycle and the configuration readers
// and writers drive it. The real window implements it; tests use a double.
class BlockWindow {
public:
    virtual ~BlockWindow() = default;

    virtual BlockConfiguration& configuration() = 0;
    virtual WindowOptions& options() = 0;
    virtual RunState& runState() = 0;
    virtual SignalTable& signalTable() = 0;

    // The element list; CreateElement appends through the element context.
    virtual ElementContext& elementContext() = 0;
    virtual int elementCount() const = 0;
    virtual TGraph* elementAt(int index) const = 0;
    virtual void clearElements() = 0;

    // Element sweeps in list order.
    virtual void Init() = 0;
    virtual void UpdateInputs(long double t) = 0;
    virtual void UpdateOutputs() = 0;

    // Paints synchronously (the window's paint routine).
    virtual void paintNow() = 0;
    virtual void invalidate() = 0;

    // Top-level window control.
    virtual QWidget* widget() = 0; // registered with the window manager
    virtual bool isWindowVisible() const = 0;
    virtual void showWindow() = 0;          // show (and bring to the front)
    virtual void hideWindow() = 0;
    virtual bool isMinimized() const = 0;
    virtual void restoreWindow() = 0;       // out of the minimised state
    virtual void raiseWithoutActivating() = 0;
    virtual QRect frameGeometry() const = 0; // outer window, screen pixels
    virtual void setFrameGeometry(const QRect& r) = 0;
    virtual WindowState windowState() const = 0;
    virtual void setWindowState(WindowState state) = 0;
    virtual void applyBorderStyle() = 0;    // from options().Border
    virtual void applyCaption() = 0;        // from options().Caption
    virtual void applyBackground() = 0;     // from options().BackgroundColor
    virtual void applyHelpMenu() = 0;       // from options().HelpMenu
    virtual QRect screenGeometry() const = 0;
    virtual std::uintptr_t hostWindowHandle() const = 0; // 0 without a host window
};

} // namespace ovanto
