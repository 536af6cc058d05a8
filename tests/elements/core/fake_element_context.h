#pragma once

#include "elements/core/element_context.h"
#include "elements/core/tgraph.h"
#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/scripted_dialogs.h"
#include "platform/shell.h"
#include "platform/sound.h"

#include <memory>
#include <vector>

namespace ovanto::testing {

// A window without a window: owns the list and the signals, records the dialog hooks.
class FakeElementContext : public ElementContext {
public:
    SignalTable table;
    bool design = false;
    bool running = false;
    int background = 16777215;
    bool grab = false;
    bool lockDown = false;
    bool expandedState = false;
    ElementList elements;
    bool pauseDone = true;
    bool muted = false;
    QString foundFile;
    std::vector<int> selectedRows;
    std::vector<TGraph*> refreshedGrids;
    int repaintRequests = 0;
    int paints = 0;
    QString status;
    FakeKeyState keys;
    ManualClock manualClock;
    CountingSound countingSound;
    ScriptedDialogs scriptedDialogs;
    PictureLibrary* library = nullptr;

    SignalTable& signalTable() override { return table; }
    bool designMode() const override { return design; }
    bool simulationRunning() const override { return running; }
    bool pauseElapsed() const override { return pauseDone; }
    void startPauseTimer() override { pauseDone = false; }
    bool soundMuted() const override { return muted; }
    void setSoundMuted(bool on) override { muted = on; }
    int backgroundColor() const override { return background; }
    double stepSize() const override { return 0.1; }
    bool grabFlag() const override { return grab; }
    void setGrabFlag(bool grabbed) override { grab = grabbed; }
    bool repaintOnOutputChange() const override { return true; }
    void paintNow() override { ++paints; }
    void requestRepaint() override { ++repaintRequests; }
    ElementList& elementList() override { return elements; }
    const ElementList& elementList() const override { return elements; }
    void selectElementRow(int row) override { selectedRows.push_back(row); }
    bool lockButtonDown() const override { return lockDown; }
    void setStatusText(const QString& text) override { status = text; }
    void refreshPropertyGrid(TGraph* element) override { refreshedGrids.push_back(element); }
    bool expanded() const override { return expandedState; }
    void requestSizeChange(TGraph*, int) override {}
    PictureLibrary* pictureLibrary() override { return library; }
    QString findFile(const QString&) override { return foundFile; }
    Clock& clock() override { return manualClock; }
    KeyState& keyState() override { return keys; }
    Sound& sound() override { return countingSound; }
    Shell& shell() override { return Shell::instance(); }
    Dialogs& dialogs() override { return scriptedDialogs; }
    QWidget* controlParent() override { return nullptr; }
};

} // namespace ovanto::testing
