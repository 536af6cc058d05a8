// The checked formatter on arbitrary patterns and values: it must either
// refuse with ConversionError or return a text of bounded length.
#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 10) return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);
    qint64 integer = 0;
    std::memcpy(&integer, data + 2, 8);
    const QString pattern =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 10), static_cast<qsizetype>(size - 10));
    const qsizetype bound = pattern.size() + ovanto::kMaxFormatWidth + 5000;
    try {
        if (ovanto::FormatValue(pattern, value).size() > bound) std::abort();
    } catch (const ovanto::ConversionError&) {
    }
    try {
        if (ovanto::FormatValue(pattern, integer).size() > bound) std::abort();
    } catch (const ovanto::ConversionError&) {
    }
    try {
        if (ovanto::FormatNumberValue(pattern, value).size() > bound) std::abort();
    } catch (const ovanto::ConversionError&) {
    }
    return 0;
}
