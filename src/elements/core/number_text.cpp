#include "elements/core/number_text.h"

#include "elements/core/family_settings.h"
#include "elements/core/format_pattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ovanto {

QString FloatToText(long double value, bool trim) {
    const FamilySettings& s = CurrentFamilySettings();
    return FloatToText(value, trim, s.defaultFloatNotation, s.defaultFloatWidth, s.defaultFloatPrecision);
}

QString FloatToText(long double value, bool trim, int notation, int width, int precision) {
    static constexpr char kTypes[] = {'g', 'e', 'f'};
    if (notation < 0 || notation > 2) return {};
    const QString text = FormatFloatField(value, kTypes[notation], width, precision);
    return trim ? text.trimmed() : text;
}

QString FloatToFileText(long double value) {
    if (std::isnan(value)) return QStringLiteral(" NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral(" INF");
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::scientific, 14);
    // to_chars gives "d.dddddddddddddde±x..."; the exponent takes four digits here.
    const char* e = std::find(digits, result.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);
    const bool negative = std::signbit(value) && value != 0;
    char text[32];
    std::snprintf(text, sizeof text, "%c%.*sE%c%04d", negative ? '-' : ' ', static_cast<int>(e - digits),
                  digits, exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return QString::fromLatin1(text);
}

} // namespace ovanto
