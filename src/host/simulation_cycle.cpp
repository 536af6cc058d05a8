#include "host/simulation_cycle.h"

#include "elements/core/tgraph.h"
#include "host/block_window.h"
#include "host/host_abi.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace ovanto {
namespace {

// Input numbers of the control options come from files; one outside the
// table reads as 0, which never counts as "greater than 0".
long double signalOrZero(const SignalTable& table, int position) {
    return SignalTable::isValidPosition(position) ? table[position] : 0.0L;
}

int clampedCount(int count, int limit) { return std::clamp(count, 0, limit); }

} // namespace

void UpdateOutputsWithoutRepaint(BlockWindow& window) {
    RunState& run = window.runState();
    struct Restore {
        RunState& run;
        ~Restore() { run.RepaintOnOutputChange = true; }
    } restore{run};
    run.RepaintOnOutputChange = false;
    window.UpdateOutputs();
}

void InitSimulation(BlockWindow& window, long double stepSize, const void* inputs, void* outputs) {
    RunState& run = window.runState();
    run.SimulationRunning = true;
    run.StepCounter = -1;
    run.StepSize = stepSize;
    window.Init();

    SignalTable& table = window.signalTable();
    for (int j = 0; j < 3; ++j) table[signal_pos::kCounter1 + j] = 0.0L;

    run.DependsOnInputs = false;
    for (int i = 0; i < window.elementCount() && !run.DependsOnInputs; ++i)
        run.DependsOnInputs = window.elementAt(i)->DependsOnInputs();

    for (int i = 0; i < window.elementCount(); ++i) window.elementAt(i)->SimulationStart();

    SimulateStep(window, 0.0L, inputs, outputs);
}

void SimulateStep(BlockWindow& window, long double t, const void* inputs, void* outputs) {
    const BlockConfiguration& config = window.configuration();
    RunState& run = window.runState();
    SignalTable& table = window.signalTable();

    const bool repaintAllowed = run.DependsOnInputs && !config.StaticContent;
    if (run.StepCounter < INT_MAX) ++run.StepCounter;

    // Increments see the inputs of the previous step.
    for (int j = 0; j < kCounterCount; ++j) {
        const std::size_t k = static_cast<std::size_t>(j);
        long double& counter = table[signal_pos::kCounter1 + j];
        counter += config.CounterIncrement[k].evaluate(table);
        if (counter > config.CounterCycle[k]) counter = 0.0L;
    }

    table[signal_pos::kTime] = t;

    const int inputCount = inputs ? clampedCount(config.InputCount, kMaxInputs) : 0;
    for (int k = 0; k < inputCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        table[k + 1] = abi::readExtended(inputs, i) * config.InputFactor[i] + config.InputOffset[i];
    }
    for (int k = 0; k < inputCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        // Upper limit first, so a lower limit above the upper one wins.
        table[k + 1] = std::max(std::min(table[k + 1], config.InputMax[i]), config.InputMin[i]);
    }

    window.UpdateInputs(t);
    UpdateOutputsWithoutRepaint(window);

    bool due = run.StepCounter == 0 || run.StepCounter >= config.RefreshInterval;
    if (config.RefreshControl) due = due && signalOrZero(table, config.RefreshInput) > 0.0L;
    if (due && repaintAllowed) window.paintNow();
    if (due || run.StepCounter > config.RefreshInterval) run.StepCounter = 0;

    if (config.VisibilityControl) {
        if (signalOrZero(table, config.VisibilityInput) > 0.0L) {
            if (!window.isWindowVisible()) window.showWindow();
        } else if (window.isWindowVisible()) {
            window.hideWindow();
        }
    }
    if (config.ActivationControl && signalOrZero(table, config.ActivationInput) > 0.0L) {
        if (window.isMinimized()) window.restoreWindow();
        window.showWindow();
    }
    if (config.AlwaysOnTop && window.isWindowVisible()) window.raiseWithoutActivating();

    const int outputCount = outputs ? clampedCount(config.OutputCount, kMaxOutputs) : 0;
    for (int k = 0; k < outputCount; ++k)
        abi::writeExtended(outputs, static_cast<std::size_t>(k), table[signal_pos::kFirstOutput + k]);
}

void EndSimulation(BlockWindow& window) {
    window.runState().SimulationRunning = false;
    for (int i = 0; i < window.elementCount(); ++i) window.elementAt(i)->SimulationEnd();
    if (window.configuration().VisibleAfterSimulation) window.showWindow();
}

int OutputSignalPosition(int outputNumber) {
    if (outputNumber > 99) return outputNumber <= 300 ? outputNumber + 26 : 0;
    const int position = outputNumber + 56;
    return position >= signal_pos::kFirstOutput && position < signal_pos::kFirstOutput + kMaxOutputs
               ? position
               : signal_pos::kFirstOutput;
}

void WriteOutput(SignalTable& table, int outputNumber, long double value) {
    const int position = OutputSignalPosition(outputNumber);
    if (SignalTable::isValidPosition(position)) table[position] = value;
}

void SetWindowActiveSignal(BlockWindow& window, bool active) {
    const BlockConfiguration& config = window.configuration();
    if (!config.ActiveSignal) return;
    // The option's output number is 1..50; one from a damaged file may point anywhere.
    const int n = config.ActiveSignalOutput;
    if (n >= 1 && n <= kSignalCount - signal_pos::kFirstOutput + 1)
        window.signalTable()[signal_pos::kFirstOutput - 1 + n] = active ? 5.0L : 0.0L;
}

} // namespace ovanto
