#pragma once

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "fake_block_window.h"

#include <gtest/gtest.h>

namespace ovanto::testing {

// Gives every stored field a value other than its default.
inline void fillSample(FakeBlockWindow& w) {
    RegisterAllElements();
    BlockConfiguration& c = w.config;
    WindowOptions& o = w.windowOptions;
    o.Caption = QStringLiteral("Kessel Süd – Übersicht");
    o.BackgroundColor = 12632256;
    o.Border = BorderStyle::ToolWindow;
    o.HelpMenu = true;
    o.HelpFile = QStringLiteral("anlage.chm#12");
    o.Expanded = true;
    o.ActivateOnKeyMessage = false;
    o.WindowManager = true;
    o.PixelFormat = 6;
    w.frame = QRect(12, 34, 400, 300);
    w.state = WindowState::Minimized;
    c.InputCount = 3;
    c.OutputCount = 2;
    for (std::size_t k = 0; k < 3; ++k) {
        c.InputNames[k] = QStringLiteral("Füllstand %1").arg(k);
        c.InputFactor[k] = 0.25L * static_cast<long double>(k + 1);
        c.InputOffset[k] = -1.5L;
        c.InputMin[k] = -10.0L - static_cast<long double>(k);
        c.InputMax[k] = 1e6L;
        w.context.table[static_cast<int>(k) + 1] = 3.125L * static_cast<long double>(k);
    }
    c.OutputNames[0] = QStringLiteral("Pumpe");
    c.OutputNames[1] = QStringLiteral("Ventil");
    c.CounterCycle = {5.0L, 100.0L, 0.5L};
    c.CounterIncrement[0].setText("0.5");
    c.CounterIncrement[1].setText("I1*2");
    c.CounterIncrement[2].setText("SIN(I54)");
    c.RefreshInterval = 7;
    c.StaticContent = true;
    for (int j = 0; j < kConstantCount; ++j) {
        w.context.table[107 + j] = 1.5L * j - 4;
        c.ConstantComments[static_cast<std::size_t>(j)] = j % 2 ? QStringLiteral("Sollwert %1").arg(j) : QString();
    }
    c.VisibilityControl = true;
    c.VisibilityInput = 2;
    c.ActivationControl = true;
    c.ActivationInput = 3;
    c.RefreshControl = true;
    c.RefreshInput = 1;
    c.ActiveSignal = true;
    c.ActiveSignalOutput = 2;
    c.VisibleBeforeSimulation = false;
    c.VisibleAfterSimulation = false;
    c.AlwaysOnTop = true;
    c.SaveExternalIOs = true;
    for (int k = 0; k < 200; ++k) w.context.table[127 + k] = k * 0.5L;

    TGraph* a = CreateElement(w.context, QStringLiteral("SEPARATOR"));
    a->setComment(QStringLiteral("Behälter"));
    TGraph* b = CreateElement(w.context, QStringLiteral("SEPARATOR"));
    b->setText(TGraph::kRGBStroke, QStringLiteral("I1*100"));
}

struct Carried {
    bool placement = true;   // window position and state
    bool inputValues = true; // current inputs and external I/O values
};

inline void expectSameConfiguration(FakeBlockWindow& a, FakeBlockWindow& b, Carried carried) {
    const BlockConfiguration &x = a.config, &y = b.config;
    const WindowOptions &p = a.windowOptions, &q = b.windowOptions;
    EXPECT_EQ(p.Caption, q.Caption);
    EXPECT_EQ(p.BackgroundColor, q.BackgroundColor);
    EXPECT_EQ(p.Border, q.Border);
    EXPECT_EQ(p.HelpMenu, q.HelpMenu);
    EXPECT_EQ(p.HelpFile, q.HelpFile);
    EXPECT_EQ(p.CenterWindow, q.CenterWindow);
    EXPECT_EQ(p.AlwaysMaximized, q.AlwaysMaximized);
    EXPECT_EQ(p.Expanded, q.Expanded);
    EXPECT_EQ(p.ActivateOnKeyMessage, q.ActivateOnKeyMessage);
    EXPECT_EQ(p.WindowManager, q.WindowManager);
    EXPECT_EQ(p.PixelFormat, q.PixelFormat);
    EXPECT_EQ(a.frame.size(), b.frame.size());
    if (carried.placement) {
        EXPECT_EQ(a.frame, b.frame);
        EXPECT_EQ(a.state, b.state);
    }
    EXPECT_EQ(x.InputCount, y.InputCount);
    EXPECT_EQ(x.OutputCount, y.OutputCount);
    for (std::size_t k = 0; k < kMaxInputs; ++k) {
        EXPECT_EQ(x.InputNames[k], y.InputNames[k]) << k;
        EXPECT_EQ(x.InputFactor[k], y.InputFactor[k]) << k;
        EXPECT_EQ(x.InputOffset[k], y.InputOffset[k]) << k;
        EXPECT_EQ(x.InputMin[k], y.InputMin[k]) << k;
        EXPECT_EQ(x.InputMax[k], y.InputMax[k]) << k;
        EXPECT_EQ(x.OutputNames[k], y.OutputNames[k]) << k;
    }
    for (std::size_t j = 0; j < kCounterCount; ++j) {
        EXPECT_EQ(x.CounterCycle[j], y.CounterCycle[j]);
        EXPECT_EQ(x.CounterIncrement[j].text(), y.CounterIncrement[j].text());
    }
    for (std::size_t j = 0; j < kConstantCount; ++j) EXPECT_EQ(x.ConstantComments[j], y.ConstantComments[j]) << j;
    EXPECT_EQ(x.RefreshInterval, y.RefreshInterval);
    EXPECT_EQ(x.StaticContent, y.StaticContent);
    EXPECT_EQ(x.VisibilityControl, y.VisibilityControl);
    EXPECT_EQ(x.VisibilityInput, y.VisibilityInput);
    EXPECT_EQ(x.ActivationControl, y.ActivationControl);
    EXPECT_EQ(x.ActivationInput, y.ActivationInput);
    EXPECT_EQ(x.RefreshControl, y.RefreshControl);
    EXPECT_EQ(x.RefreshInput, y.RefreshInput);
    EXPECT_EQ(x.ActiveSignal, y.ActiveSignal);
    EXPECT_EQ(x.ActiveSignalOutput, y.ActiveSignalOutput);
    EXPECT_EQ(x.VisibleBeforeSimulation, y.VisibleBeforeSimulation);
    EXPECT_EQ(x.VisibleAfterSimulation, y.VisibleAfterSimulation);
    EXPECT_EQ(x.AlwaysOnTop, y.AlwaysOnTop);
    EXPECT_EQ(x.SaveExternalIOs, y.SaveExternalIOs);

    const SignalTable &s = a.context.table, &t = b.context.table;
    for (int j = 107; j <= 126; ++j) EXPECT_EQ(s[j], t[j]) << j;
    if (carried.inputValues) {
        for (int k = 1; k <= 50; ++k) EXPECT_EQ(s[k], t[k]) << k;
        for (int k = 127; k <= 326; ++k) EXPECT_EQ(s[k], t[k]) << k;
    }

    ASSERT_EQ(a.elementCount(), b.elementCount());
    for (int i = 0; i < a.elementCount(); ++i) {
        QString ra, rb;
        a.elementAt(i)->SaveToString(ra);
        b.elementAt(i)->SaveToString(rb);
        EXPECT_EQ(ra, rb) << i;
    }
}

} // namespace ovanto::testing
