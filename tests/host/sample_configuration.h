#pragma once

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "fake_block_window.h"

namespace ovanto::testing {

// Every stored field with a value other than its default.
inline void fillSample(FakeBlockWindow& w) {
    RegisterAllElements();
    BlockConfiguration& c = w.config;
    WindowOptions& o = w.windowOptions;
    o.Caption = QStringLiteral("Kessel Süd – Übersicht");
    o.BackgroundColor = 12632256;
    o.Border = BorderStyle::ToolWindow;
    o.HelpMenu = o.Expanded = o.WindowManager = true;
    o.ActivateOnKeyMessage = false;
    o.HelpFile = QStringLiteral("anlage.chm#12");
    o.PixelFormat = 6;
    w.frame = QRect(12, 34, 400, 300);
    w.state = WindowState::Minimized;
    c.InputCount = 3;
    c.OutputCount = 2;
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        c.InputNames[i] = QStringLiteral("Füllstand %1").arg(k);
        c.InputFactor[i] = 0.25L * (k + 1);
        c.InputOffset[i] = -1.5L;
        c.InputMin[i] = -10.0L - k;
        c.InputMax[i] = 1e6L;
        w.context.table[k + 1] = 3.125L * k;
    }
    c.OutputNames[1] = QStringLiteral("Ventil");
    c.CounterCycle = {5.0L, 100.0L, 0.5L};
    c.CounterIncrement[2].setText("SIN(I54)");
    c.RefreshInterval = 7;
    c.StaticContent = c.VisibilityControl = c.ActivationControl = c.RefreshControl = c.ActiveSignal = true;
    c.AlwaysOnTop = c.SaveExternalIOs = true;
    c.VisibleBeforeSimulation = c.VisibleAfterSimulation = false;
    c.VisibilityInput = 2, c.ActivationInput = 3, c.RefreshInput = 4, c.ActiveSignalOutput = 5;
    for (int j = 0; j < kConstantCount; ++j) w.context.table[107 + j] = 1.5L * j - 4;
    c.ConstantComments[1] = QStringLiteral("Sollwert 1");
    for (int k = 0; k < 200; ++k) w.context.table[127 + k] = k * 0.5L;
    CreateElement(w.context, QStringLiteral("SEPARATOR"))->setComment(QStringLiteral("Behälter"));
    CreateElement(w.context, QStringLiteral("SEPARATOR"))->setText(TGraph::kRGBStroke, QStringLiteral("I1*100"));
}

} // namespace ovanto::testing
