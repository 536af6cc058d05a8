#include "library/io_names.h"

#include "host/block_window.h"
#include "host/host_abi.h"
#include "platform/text_codec_1252.h"

#include <algorithm>
#include <cstring>

namespace ovanto {
namespace {

void writeName(unsigned char* slot, const QString& name) {
    const QByteArray bytes = EncodeHostText(name).left(abi::kIoNameSlot - 1);
    std::memcpy(slot, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    slot[bytes.size()] = 0;
}

} // namespace

void WriteIoNames(const BlockConfiguration& c, unsigned char* record) {
    const int inputs = std::clamp(c.InputCount, 0, kMaxInputs);
    const int outputs = std::clamp(c.OutputCount, 0, kMaxOutputs);
    record[0] = static_cast<unsigned char>(inputs);
    record[1] = static_cast<unsigned char>(outputs);
    for (int k = 0; k < inputs; ++k)
        writeName(record + abi::kInputNamesOffset + abi::kIoNameSlot * static_cast<std::size_t>(k), c.InputNames[k]);
    for (int k = 0; k < outputs; ++k)
        writeName(record + abi::kOutputNamesOffset + abi::kIoNameSlot * static_cast<std::size_t>(k), c.OutputNames[k]);
}

QByteArray EncodeHostText(const QString& text) { return EncodeWindows1252(text); }

} // namespace ovanto
