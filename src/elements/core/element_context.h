#pragma once

#include "elements/core/element_list.h"
#include "elements/core/formula/signal_table.h"

#include <QString>

#include <memory>

class QWidget;

namespace ovanto {

class TGraph;
class PictureLibrary;
class Clock;
class KeyState;
class Sound;
class Shell;
class Dialogs;

// Everything an element may know about the window that owns it. The animation
// window implements it; tests and tools use light doubles.
class ElementContext {
public:
    virtual ~ElementContext() = default;

    virtual SignalTable& signalTable() = 0;

    // Run states.
    virtual bool designMode() const = 0;
    virtual bool simulationRunning() const = 0;
    // The window's 500 ms pause timer: buttons start it, and refuse a second press until it has run out.
    virtual bool pauseElapsed() const = 0;
    virtual void startPauseTimer() = 0;
    virtual bool soundMuted() const = 0;
    virtual void setSoundMuted(bool muted) = 0;
    virtual int backgroundColor() const = 0;
    virtual double stepSize() const = 0;

    // The first element that takes a design-mode press sets this flag.
    virtual bool grabFlag() const = 0;
    virtual void setGrabFlag(bool grabbed) = 0;

    // Operating elements repaint at once when their output changes, except
    // while a simulation step publishes its outputs.
    virtual bool repaintOnOutputChange() const = 0;
    virtual void paintNow() = 0;
    virtual void requestRepaint() = 0;

    // The element list, in drawing order (groups look at their neighbours).
    virtual ElementList& elementList() = 0;
    virtual const ElementList& elementList() const = 0;
    int elementCount() const { return elementList().count(); }
    TGraph* elementAt(int index) const { return elementList().at(index); }
    int indexOf(const TGraph* element) const { return elementList().indexOf(element); }
    void appendElement(std::unique_ptr<TGraph> element) { elementList().append(std::move(element)); }

    // Hooks into the configuration dialog; without a dialog they do nothing.
    virtual void selectElementRow(int row) = 0; // with the "selected from the window" flag raised
    virtual bool lockButtonDown() const = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void refreshPropertyGrid(TGraph* element) = 0; // PropsToGrid of the current element

    // Window size toggling (message 2049) and its expanded state.
    virtual bool expanded() const = 0;
    virtual void requestSizeChange(TGraph* sender, int code) = 0;

    // Services.
    virtual PictureLibrary* pictureLibrary() = 0;
    // A file named in a property, looked up through the search paths; empty when not found.
    virtual QString findFile(const QString& name) = 0;
    virtual Clock& clock() = 0;
    virtual KeyState& keyState() = 0;
    virtual Sound& sound() = 0;
    virtual Shell& shell() = 0;
    virtual Dialogs& dialogs() = 0;

    // Parent of the child controls that operating elements place on the window.
    virtual QWidget* controlParent() = 0;

    // Window commands of push buttons and keys; a window without a screen may ignore them.
    virtual void printWindow() {}
    virtual void copyWindowToClipboard() {}
    virtual void showHelp() {}
    virtual void showManagedWindow(const QString& /*name*/) {}
    // Shows and raises the window for a held key when its options ask for that.
    virtual void activateForKey() {}
};

} // namespace ovanto
