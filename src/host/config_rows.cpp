#include "host/config_rows.h"

#include "elements/core/record.h"
#include "platform/text_codec_1252.h"

#include <cstdio>
#include <exception>

namespace ovanto {

TGraph* ReadRecordLine(ElementContext& context, const QByteArray& line, const QString& source, int row,
                       bool& dropped) {
    const QString record = DecodeWindows1252(line);
    try {
        return ReadRecord(context, record);
    } catch (const std::exception& e) {
        dropped = true;
        const QString keyword = record.left(record.indexOf(QLatin1Char('\t')));
        std::fprintf(stderr, "Ovanto: %s: element %d (%s) dropped: %s\n", source.toLocal8Bit().constData(), row,
                     keyword.toLocal8Bit().constData(), e.what());
        std::fflush(stderr);
        return nullptr;
    }
}

void WriteInputRows(ConfigLineWriter& out, const BlockConfiguration& config) {
    const int inputs = std::clamp(config.InputCount, 0, kMaxInputs);
    out.integer(inputs);
    for (int k = 0; k < inputs; ++k) {
        const auto i = static_cast<std::size_t>(k);
        out.text(config.InputNames[i]);
        out.number(config.InputFactor[i]);
        out.number(config.InputOffset[i]);
        out.number(config.InputMin[i]);
        out.number(config.InputMax[i]);
    }
}

void WriteCounterRows(ConfigLineWriter& out, const BlockConfiguration& config) {
    for (long double cycle : config.CounterCycle) out.number(cycle);
    for (const PropertyText& increment : config.CounterIncrement) out.text(QString::fromStdString(increment.text()));
}

void WriteOutputRows(ConfigLineWriter& out, const BlockConfiguration& config) {
    const int outputs = std::clamp(config.OutputCount, 0, kMaxOutputs);
    out.integer(outputs);
    for (int k = 0; k < outputs; ++k) out.text(config.OutputNames[static_cast<std::size_t>(k)]);
}

void WriteWindowRows(ConfigLineWriter& out, const BlockConfiguration& config, const WindowOptions& options) {
    out.integer(config.RefreshInterval);
    out.flag(config.StaticContent);
    out.flag(options.HelpMenu);
    out.text(options.HelpFile);
    out.flag(options.CenterWindow);
    out.flag(options.AlwaysMaximized);
    out.flag(options.Expanded);
}

void WriteControlRows(ConfigLineWriter& out, const BlockConfiguration& config, const WindowOptions& options) {
    out.integer(config.VisibilityInput);
    out.flag(config.VisibilityControl);
    out.integer(config.ActivationInput);
    out.flag(config.ActivationControl);
    out.integer(config.RefreshInput);
    out.flag(config.RefreshControl);
    out.integer(config.ActiveSignalOutput);
    out.flag(config.ActiveSignal);
    out.flag(config.VisibleBeforeSimulation);
    out.flag(config.VisibleAfterSimulation);
    out.flag(options.ActivateOnKeyMessage);
    out.flag(config.AlwaysOnTop);
}

} // namespace ovanto
