#include "elements/core/formula/parse_float.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float_p.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace ovanto {
namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Powers of ten that a 64-bit mantissa holds exactly (5^27 < 2^64).
constexpr int kExactPowers = 28;
constexpr std::array<long double, kExactPowers> makePowers() {
    std::array<long double, kExactPowers> p{};
    long double v = 1.0L;
    for (long double& e : p) {
        e = v;
        v *= 10.0L;
    }
    return p;
}
constexpr std::array<long double, kExactPowers> kPowers = makePowers();

// The process locale follows the environment once Qt is up, so the library's
// conversion must be pinned to "C" to read "." as the separator.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

// Converts a trimmed text whose separator sits at `separator` (npos: none
// expected, any "," fails). Syntax is checked here so that strtold never sees
// hex, inf or nan spellings. The value comes back by value: an 80-bit result
// through memory costs more than the conversion.
long double formula_detail::parseDecimal(std::string_view t, std::size_t separator, bool& ok) noexcept {
    ok = false;
    std::size_t i = 0;
    const std::size_t n = t.size();
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';

    std::uint64_t mantissa = 0;
    int significant = 0;    // digits taken into the mantissa (leading zeros skipped)
    int droppedDigits = 0;  // integer digits beyond the mantissa's 19
    int fractionDigits = 0; // fraction digits taken into the mantissa
    bool anyDigit = false;
    bool seenPoint = false;
    bool exact = true;
    for (; i < n; ++i) {
        const char c = t[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (mantissa == 0 && c == '0') {
                if (seenPoint) ++fractionDigits;
                continue;
            }
            if (significant < 19) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
                ++significant;
                if (seenPoint) ++fractionDigits;
            } else if (c != '0') {
                exact = false;
            } else if (!seenPoint) {
                ++droppedDigits;
            }
            continue;
        }
        const bool point = c == '.' || (c == ',' && i == separator);
        if (point && !seenPoint) {
            seenPoint = true;
            continue;
        }
        break;
    }
    if (!anyDigit) return 0.0L;
    long exponent = 0;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) negativeExponent = t[i++] == '-';
        if (i == n || !isDigit(t[i])) return 0.0L;
        for (; i < n && isDigit(t[i]); ++i)
            if (exponent < 100000) exponent = exponent * 10 + (t[i] - '0');
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return 0.0L;

    const long scale = exponent + droppedDigits - fractionDigits;
    if (exact && scale > -kExactPowers && scale < kExactPowers) {
        // Both factors exact, one rounding: the result is correctly rounded.
        long double v = static_cast<long double>(mantissa);
        if (scale > 0) v *= kPowers[static_cast<std::size_t>(scale)];
        else if (scale < 0) v /= kPowers[static_cast<std::size_t>(-scale)];
        ok = true;
        return negative ? -v : v;
    }

    char small[128];
    std::string large;
    char* buffer = small;
    if (n >= sizeof small) {
        try {
            large.assign(n + 1, '\0');
        } catch (...) {
            return 0.0L;
        }
        buffer = large.data();
    }
    for (std::size_t k = 0; k < n; ++k) buffer[k] = (k == separator) ? '.' : t[k];
    buffer[n] = '\0';
    char* end = nullptr;
    const long double v = strtold_l(buffer, &end, cLocale());
    if (end != buffer + n || std::isinf(v) || std::isnan(v)) return 0.0L;
    ok = true;
    return v;
}

namespace {

// Keeps messages valid UTF-8 whatever bytes the text held.
std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        out.push_back(u >= 0x20 && u < 0x7F ? c : '?');
    }
    return out;
}

} // namespace

bool TryParseFloat(std::string_view text, long double& value) noexcept {
    const std::string_view t = trimBlanks(text);
    // Most texts that are not numbers are formulas starting with a name or
    // "(": turn them away before any work.
    if (t.empty()) return false;
    const char first = t.front();
    if (!isDigit(first) && first != '+' && first != '-' && first != '.' && first != ',') return false;
    bool ok = false;
    long double v = formula_detail::parseDecimal(t, std::string_view::npos, ok);
    if (!ok) {
        const std::size_t comma = t.find(',');
        if (comma == std::string_view::npos) return false;
        v = formula_detail::parseDecimal(t, comma, ok);
        if (!ok) return false;
    }
    value = v;
    return true;
}

long double ParseFloat(std::string_view text) {
    long double value = 0.0L;
    if (!TryParseFloat(text, value))
        throw ConversionError("'" + printable(text) + "' ist kein gültiger Gleitkommawert");
    return value;
}

bool TryParseInt(std::string_view text, int& value) noexcept {
    const std::string_view t = trimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return false;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i])) return false;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<int>(v);
    return true;
}

int ParseInt(std::string_view text) {
    int value = 0;
    if (!TryParseInt(text, value))
        throw ConversionError("'" + printable(text) + "' ist kein gültiger Integerwert");
    return value;
}

} // namespace ovanto
