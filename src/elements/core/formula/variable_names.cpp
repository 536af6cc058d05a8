#include "elements/core/formula/variable_names.h"

#include "elements/core/formula/signal_table.h"

#include <array>
#include <string>

namespace ovanto {
namespace {

struct NameTable {
    std::array<std::string, kSignalCount + 1> names;

    NameTable() {
        for (int pos = 1; pos <= kSignalCount; ++pos)
            names[static_cast<std::size_t>(pos)] = nameOf(pos);
    }

    static std::string nameOf(int pos) {
        using namespace signal_pos;
        if (pos < kClientWidth) return "I" + std::to_string(pos);
        if (pos == kClientWidth) return "CW";
        if (pos == kClientHeight) return "CH";
        if (pos < kFirstConstant) return "O" + std::to_string(pos - kFirstOutput + 1);
        if (pos < kFirstExternal) return "C" + std::to_string(pos - kFirstConstant + 1);
        return "E" + std::to_string(pos - kFirstExternal + 1);
    }
};

const NameTable& table() {
    static const NameTable t;
    return t;
}

int parseIndex(std::string_view digits, int max) {
    if (digits.empty() || digits.size() > 3 || digits.front() == '0') return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n <= max ? n : 0;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

int LookupVariable(std::string_view name) noexcept {
    using namespace signal_pos;
    if (name.size() < 2 || name.size() > 4) return 0;
    const char first = upper(name[0]);
    if (name.size() == 2 && first == 'C') {
        const char second = upper(name[1]);
        if (second == 'W') return kClientWidth;
        if (second == 'H') return kClientHeight;
    }
    const std::string_view digits = name.substr(1);
    switch (first) {
    case 'I': {
        const int n = parseIndex(digits, kClientWidth - 1);
        return n;
    }
    case 'O': {
        const int n = parseIndex(digits, kFirstConstant - kFirstOutput);
        return n ? kFirstOutput + n - 1 : 0;
    }
    case 'C': {
        const int n = parseIndex(digits, kFirstExternal - kFirstConstant);
        return n ? kFirstConstant + n - 1 : 0;
    }
    case 'E': {
        const int n = parseIndex(digits, kSignalCount - kFirstExternal + 1);
        return n ? kFirstExternal + n - 1 : 0;
    }
    default:
        return 0;
    }
}

std::string_view VariableName(int position) noexcept {
    if (!SignalTable::isValidPosition(position)) return {};
    return table().names[static_cast<std::size_t>(position)];
}

} // namespace ovanto
