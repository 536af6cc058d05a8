#pragma once

#include "elements/core/formula/evaluate.h"

#include <QString>

#include <array>

namespace ovanto {

inline constexpr int kMaxInputs = 50;
inline constexpr int kMaxOutputs = 50;
inline constexpr int kCounterCount = 3;
inline constexpr int kConstantCount = 20;

// The per-instance settings that feed the signal table. Arrays are 0-based:
// InputNames[0] is input 1. Constant values live in the signal table (107..126).
struct BlockConfiguration {
    int InputCount = 0;
    int OutputCount = 0;
    std::array<QString, kMaxInputs> InputNames;
    std::array<long double, kMaxInputs> InputFactor;
    std::array<long double, kMaxInputs> InputOffset;
    std::array<long double, kMaxInputs> InputMin;
    std::array<long double, kMaxInputs> InputMax;
    std::array<QString, kMaxOutputs> OutputNames;
    std::array<long double, kCounterCount> CounterCycle;
    std::array<PropertyText, kCounterCount> CounterIncrement;
    std::array<QString, kConstantCount> ConstantComments;
    bool SaveExternalIOs = false;
    int RefreshInterval = 1;
    bool StaticContent = false;
    bool RefreshControl = false;
    int RefreshInput = 1;
    bool VisibilityControl = false;
    int VisibilityInput = 1;
    bool ActivationControl = false;
    int ActivationInput = 1;
    bool ActiveSignal = false;
    int ActiveSignalOutput = 1;
    bool AlwaysOnTop = false;
    bool VisibleBeforeSimulation = true;
    bool VisibleAfterSimulation = true;

    BlockConfiguration() {
        for (int k = 0; k < kMaxInputs; ++k) {
            InputNames[k] = QStringLiteral("I%1").arg(k + 1);
            InputFactor[k] = 1.0L;
            InputOffset[k] = 0.0L;
            InputMin[k] = -1e30L;
            InputMax[k] = 1e30L;
        }
        for (int k = 0; k < kMaxOutputs; ++k) OutputNames[k] = QStringLiteral("O%1").arg(k + 1);
        for (int j = 0; j < kCounterCount; ++j) {
            CounterCycle[j] = 10.0L;
            CounterIncrement[j].setText("1");
        }
    }
};

// Border styles as stored: 0 none, 1 single (fixed size), 2 sizeable, 3 dialog,
// 4 tool window, 5 sizeable tool window.
enum class BorderStyle { None = 0, Single = 1, Sizeable = 2, Dialog = 3, ToolWindow = 4, SizeToolWindow = 5 };

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The animation window's own options.
struct WindowOptions {
    QString Caption = QStringLiteral("Ovanto");
    int BackgroundColor = 16777215;
    BorderStyle Border = BorderStyle::Sizeable;
    bool HelpMenu = false;
    QString HelpFile;
    bool CenterWindow = false;
    bool AlwaysMaximized = false;
    bool ActivateOnKeyMessage = true;
    bool WindowManager = false;
    int PixelFormat = 0; // 0 as the screen, 1..7: 1, 4, 8, 15, 16, 24, 32 bits
    bool Expanded = false;
};

// What a simulation run changes in the window.
struct RunState {
    bool SimulationRunning = false;
    long double StepSize = 0;
    int StepCounter = 0;
    bool DependsOnInputs = true;
    bool RepaintOnOutputChange = true;
};

} // namespace ovanto
