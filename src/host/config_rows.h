#pragma once

// The row groups that the system-file section and the animation file share:
// the same lines in the same order, read and written once here. A reader is
// any class with integer(), number(), text() and flag() for the next line,
// each with its file's own leniency.

#include "host/block_configuration.h"
#include "host/config_lines.h"

#include <QByteArray>

#include <algorithm>

namespace ovanto {

class ElementContext;
class TGraph;

// Creates the element of one record line. A record that raises is dropped and
// reported on stderr with the source and element row, and the caller reads on:
// one broken element must not cost every setting after it. `dropped` is set then.
TGraph* ReadRecordLine(ElementContext& context, const QByteArray& line, const QString& source, int row,
                       bool& dropped);

// Inputs: count, then name, factor, offset and (above version 351) limits.
// Returns the number of input lines in the file; values past 50 are read and dropped.
template <class Reader>
int ReadInputRows(Reader& in, BlockConfiguration& config, int version) {
    const int inputLines = std::max(in.integer(), 0);
    config.InputCount = std::min(inputLines, kMaxInputs);
    for (int k = 0; k < inputLines; ++k) {
        // Each value takes effect as it is read, so a cut file keeps what it had.
        long double scratch = 0;
        const bool kept = k < kMaxInputs;
        const auto i = static_cast<std::size_t>(kept ? k : 0);
        QString name = in.text();
        if (kept) config.InputNames[i] = name;
        (kept ? config.InputFactor[i] : scratch) = in.number();
        (kept ? config.InputOffset[i] : scratch) = in.number();
        if (version > 351) {
            (kept ? config.InputMin[i] : scratch) = in.number();
            (kept ? config.InputMax[i] : scratch) = in.number();
        }
    }
    return inputLines;
}

// Counter cycle limits (above version 84) and increments (above 88).
template <class Reader>
void ReadCounterRows(Reader& in, BlockConfiguration& config, int version) {
    if (version > 84)
        for (int j = 0; j < kCounterCount; ++j) config.CounterCycle[static_cast<std::size_t>(j)] = in.number();
    if (version > 88)
        for (int j = 0; j < kCounterCount; ++j)
            config.CounterIncrement[static_cast<std::size_t>(j)].setText(in.text().toStdString());
}

// Output count and names.
template <class Reader>
void ReadOutputRows(Reader& in, BlockConfiguration& config) {
    const int outputLines = std::max(in.integer(), 0);
    config.OutputCount = std::min(outputLines, kMaxOutputs);
    for (int k = 0; k < outputLines; ++k) {
        const QString name = in.text();
        if (k < kMaxOutputs) config.OutputNames[static_cast<std::size_t>(k)] = name;
    }
}

// Visibility, activation, refresh and window-active controls, then the
// visible-before and visible-after flags, each group from its own version on.
template <class Reader>
void ReadControlRows(Reader& in, BlockConfiguration& config, int version) {
    if (version > 341) {
        config.VisibilityInput = in.integer();
        config.VisibilityControl = in.flag();
    }
    if (version > 361) {
        config.ActivationInput = in.integer();
        config.ActivationControl = in.flag();
    }
    if (version > 358) {
        config.RefreshInput = in.integer();
        config.RefreshControl = in.flag();
    }
    if (version > 369) {
        config.ActiveSignalOutput = in.integer();
        config.ActiveSignal = in.flag();
    }
    if (version > 341) {
        config.VisibleBeforeSimulation = in.flag();
        config.VisibleAfterSimulation = in.flag();
    }
}

// Writers of the same groups; a writer of this build writes every line.
void WriteInputRows(ConfigLineWriter& out, const BlockConfiguration& config);
void WriteCounterRows(ConfigLineWriter& out, const BlockConfiguration& config);
void WriteOutputRows(ConfigLineWriter& out, const BlockConfiguration& config);
// Refresh interval, static content, help entry and file, centring, maximising, expanded.
void WriteWindowRows(ConfigLineWriter& out, const BlockConfiguration& config, const WindowOptions& options);
// The controls as ReadControlRows reads them, then key activation and always-on-top.
void WriteControlRows(ConfigLineWriter& out, const BlockConfiguration& config, const WindowOptions& options);

} // namespace ovanto
