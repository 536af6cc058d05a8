#pragma once

#include "elements/core/fake_element_context.h"
#include "host/block_window.h"

#include <QWidget>

#include <string>
#include <vector>

namespace ovanto::testing {

// An animation window without a screen: the element side is a
// FakeElementContext, the window side logs what was asked of it.
class FakeBlockWindow : public BlockWindow {
public:
    FakeElementContext context;
    BlockConfiguration config;
    WindowOptions windowOptions;
    RunState run;
    QWidget topLevel;
    std::vector<std::string> log;
    std::vector<bool> repaintFlagAtUpdateOutputs;
    bool visible = true;
    bool minimized = false;
    QRect frame{100, 50, 273, 238};
    WindowState state = WindowState::Normal;
    std::uintptr_t hostHandle = 0;
    int paints = 0;

    BlockConfiguration& configuration() override { return config; }
    WindowOptions& options() override { return windowOptions; }
    RunState& runState() override { return run; }
    SignalTable& signalTable() override { return context.table; }
    ElementContext& elementContext() override { return context; }
    int elementCount() const override { return context.elementCount(); }
    TGraph* elementAt(int index) const override { return context.elementAt(index); }
    void clearElements() override { context.elements.clear(); }
    void Init() override {
        for (auto& e : context.elements) e->Init();
    }
    void UpdateInputs(long double t) override {
        for (auto& e : context.elements) e->UpdateInputs(t);
    }
    void UpdateOutputs() override {
        repaintFlagAtUpdateOutputs.push_back(run.RepaintOnOutputChange);
        for (auto& e : context.elements) e->UpdateOutput();
    }
    void paintNow() override { ++paints, log.push_back("paint"); }
    void invalidate() override { log.push_back("invalidate"); }
    QWidget* widget() override { return &topLevel; }
    bool isWindowVisible() const override { return visible; }
    void showWindow() override { visible = true, log.push_back("show"); }
    void hideWindow() override { visible = false, log.push_back("hide"); }
    bool isMinimized() const override { return minimized; }
    void restoreWindow() override { minimized = false, log.push_back("restore"); }
    void raiseWithoutActivating() override { log.push_back("raise"); }
    QRect frameGeometry() const override { return frame; }
    void setFrameGeometry(const QRect& r) override { frame = r; }
    WindowState windowState() const override { return state; }
    void setWindowState(WindowState s) override { state = s; }
    void applyBorderStyle() override {}
    void applyCaption() override {}
    void applyBackground() override { log.push_back("background:" + std::to_string(elementCount())); }
    void applyHelpMenu() override {}
    QRect screenGeometry() const override { return {0, 0, 1920, 1080}; }
    std::uintptr_t hostWindowHandle() const override { return hostHandle; }
};

} // namespace ovanto::testing
