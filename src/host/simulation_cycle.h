#pragma once

#include "elements/core/formula/signal_table.h"

namespace ovanto {

class BlockWindow;

// The three steps a host drives a run with. `inputs` and `outputs` are host
// arrays of packed 10-byte extended values; a null array is neither read nor
// written.
void InitSimulation(BlockWindow& window, long double stepSize, const void* inputs, void* outputs);
void SimulateStep(BlockWindow& window, long double t, const void* inputs, void* outputs);
void EndSimulation(BlockWindow& window);

// The window's UpdateOutputs with repaint-on-output-change off, so element
// output writes do not paint one by one; the flag is on again afterwards.
void UpdateOutputsWithoutRepaint(BlockWindow& window);

// The table position an operating element's output number writes: above 99
// the external I/Os (and C20 for 100), otherwise the block outputs with
// output 1 standing in for numbers outside 1..50. 0 when the number lies
// beyond the table, so the caller drops the write.
int OutputSignalPosition(int outputNumber);
void WriteOutput(SignalTable& table, int outputNumber, long double value);

// The window tells the simulation that it became (or stopped being) the
// active window: 5.0 or 0.0 on the configured output, when the option is on.
void SetWindowActiveSignal(BlockWindow& window, bool active);

} // namespace ovanto
