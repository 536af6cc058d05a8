#include "elements/core/format_pattern.h"

#include "elements/core/formula/conversion_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <string>

namespace ovanto {
namespace {

enum class ArgumentKind { Integer, Float };

struct Field {
    bool leftAlign = false;
    int width = 0;
    int precision = -1; // -1: the type's default
    char type = 0;      // lower case
};

struct ParsedPattern {
    QString prefix;
    QString suffix;
    std::optional<Field> field;
};

[[noreturn]] void fail(const QString& pattern, const QString& reason) {
    throw ConversionError(QStringLiteral("Ungültiges Format \"%1\": %2").arg(pattern, reason).toStdString());
}

ArgumentKind kindOf(char type) {
    return (type == 'd' || type == 'u' || type == 'x') ? ArgumentKind::Integer : ArgumentKind::Float;
}

bool isKnownType(char type) {
    return type == 'd' || type == 'u' || type == 'x' || type == 'e' || type == 'f' || type == 'g' ||
           type == 'n' || type == 'm';
}

// Reads digits at pos, saturating far above any accepted limit so that long
// digit runs cannot overflow.
int readNumber(const QString& pattern, qsizetype& pos) {
    int value = 0;
    while (pos < pattern.size() && pattern[pos].isDigit() && pattern[pos].unicode() < 128) {
        value = std::min(value * 10 + (pattern[pos].unicode() - '0'), 100'000'000);
        ++pos;
    }
    return value;
}

ParsedPattern parsePattern(const QString& pattern) {
    ParsedPattern parsed;
    QString* text = &parsed.prefix;
    qsizetype pos = 0;
    const qsizetype size = pattern.size();
    while (pos < size) {
        const QChar c = pattern[pos++];
        if (c != QLatin1Char('%')) {
            text->append(c);
            continue;
        }
        if (pos < size && pattern[pos] == QLatin1Char('%')) {
            text->append(c);
            ++pos;
            continue;
        }
        if (parsed.field) fail(pattern, QStringLiteral("mehr als eine Angabe"));
        Field field;
        if (pos < size && pattern[pos] == QLatin1Char('-')) {
            field.leftAlign = true;
            ++pos;
        }
        field.width = readNumber(pattern, pos);
        if (pos < size && pattern[pos] == QLatin1Char('.')) {
            ++pos;
            field.precision = readNumber(pattern, pos);
        }
        if (pos >= size) fail(pattern, QStringLiteral("unvollständige Angabe am Ende"));
        const QChar letter = pattern[pos++];
        if (letter == QLatin1Char('*')) fail(pattern, QStringLiteral("\"*\" wird nicht unterstützt"));
        const char type = letter.unicode() < 128 ? static_cast<char>(letter.toLower().unicode()) : 0;
        if (!isKnownType(type)) fail(pattern, QStringLiteral("unbekannter Typ \"%1\"").arg(letter));
        if (field.width > kMaxFormatWidth)
            fail(pattern, QStringLiteral("Breite über %1").arg(kMaxFormatWidth));
        if (field.precision > kMaxFormatPrecision)
            fail(pattern, QStringLiteral("Genauigkeit über %1").arg(kMaxFormatPrecision));
        field.type = type;
        parsed.field = field;
        text = &parsed.suffix;
    }
    return parsed;
}

QString pad(QString body, int width, bool leftAlign) {
    const qsizetype missing = width - body.size();
    if (missing <= 0) return body;
    const QString blanks(missing, QLatin1Char(' '));
    return leftAlign ? body + blanks : blanks + body;
}

bool allZero(const std::string& digits) {
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.' || c == ','; });
}

// Digits of |value| rounded to `count` significant digits, and the decimal
// exponent of the first one, as in d.ddd * 10^exponent.
struct Scientific {
    std::string digits;
    int exponent = 0;
};

Scientific scientificDigits(long double magnitude, int count) {
    std::array<char, 128> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, count - 1);
    Scientific sci;
    const char* p = buffer.data();
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.') sci.digits.push_back(*p);
    if (p < result.ptr) {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, result.ptr, sci.exponent);
    }
    return sci;
}

std::string exponentText(int exponent) {
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return std::string(exponent < 0 ? "E-" : "E+") + digits;
}

std::string scientificText(const Scientific& sci, bool trimZeros) {
    std::string mantissa = sci.digits.substr(0, 1);
    std::string fraction = sci.digits.substr(1);
    if (trimZeros) {
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
    }
    if (!fraction.empty()) mantissa += '.' + fraction;
    return mantissa + exponentText(sci.exponent);
}

std::string generalText(long double magnitude, int precision) {
    if (magnitude == 0) return "0";
    const Scientific sci = scientificDigits(magnitude, precision);
    if (sci.exponent < -5 || sci.exponent >= precision) return scientificText(sci, true);
    std::string text;
    if (sci.exponent < 0) {
        text = "0." + std::string(static_cast<size_t>(-sci.exponent - 1), '0') + sci.digits;
    } else {
        const size_t point = static_cast<size_t>(sci.exponent) + 1;
        text = sci.digits.substr(0, point);
        if (point < sci.digits.size()) text += '.' + sci.digits.substr(point);
    }
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string fixedText(long double magnitude, int precision) {
    // The largest long double has 4933 integer digits.
    std::array<char, 5120> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, precision);
    return std::string(buffer.data(), result.ptr);
}

std::string groupThousands(const std::string& fixed) {
    const size_t point = std::min(fixed.find('.'), fixed.size());
    std::string grouped;
    for (size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0) grouped += ',';
        grouped += fixed[i];
    }
    return grouped + fixed.substr(point);
}

int defaultPrecision(char type) {
    return (type == 'e' || type == 'g') ? 15 : 2;
}

QString floatBody(long double value, char type, int precision) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (precision < 0) precision = defaultPrecision(type);
    const long double magnitude = std::fabs(value);
    std::string text;
    switch (type) {
    case 'e':
        text = scientificText(scientificDigits(magnitude, std::max(precision, 1)), false);
        break;
    case 'g':
        text = generalText(magnitude, std::max(precision, 1));
        break;
    case 'f':
        text = fixedText(magnitude, precision);
        break;
    case 'n':
    case 'm':
        text = groupThousands(fixedText(magnitude, precision));
        break;
    default:
        return {};
    }
    const std::string mantissa = text.substr(0, text.find('E'));
    if (std::signbit(value) && !allZero(mantissa)) text.insert(0, 1, '-');
    QString body = QString::fromLatin1(text);
    if (type == 'm') body += QStringLiteral(" €");
    return body;
}

QString integerBody(qint64 value, char type, int precision) {
    const quint64 bits = static_cast<quint64>(value);
    std::array<char, 24> buffer{};
    const bool negative = type == 'd' && value < 0;
    const quint64 shown = negative ? 0 - bits : bits;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), shown, type == 'x' ? 16 : 10);
    std::string digits(buffer.data(), result.ptr);
    if (type == 'x')
        std::transform(digits.begin(), digits.end(), digits.begin(),
                       [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (precision > 0 && digits.size() < static_cast<size_t>(precision))
        digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    if (negative) digits.insert(0, 1, '-');
    return QString::fromLatin1(digits);
}

const Field& requireField(const QString& pattern, const ParsedPattern& parsed, ArgumentKind kind) {
    const Field& field = *parsed.field;
    if (kindOf(field.type) != kind)
        fail(pattern,
             kind == ArgumentKind::Float
                 ? QStringLiteral("Typ \"%1\" passt nicht zu einer Gleitkommazahl")
                       .arg(QLatin1Char(field.type))
                 : QStringLiteral("Typ \"%1\" passt nicht zu einer Ganzzahl").arg(QLatin1Char(field.type)));
    return field;
}

long double roundHalfEven(long double value) {
    const long double below = std::floor(value);
    const long double fraction = value - below; // exact for binary floats
    if (fraction > 0.5L) return below + 1;
    if (fraction < 0.5L) return below;
    return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

} // namespace

QString FormatValue(const QString& pattern, long double value) {
    const ParsedPattern parsed = parsePattern(pattern);
    if (!parsed.field) return parsed.prefix;
    const Field& field = requireField(pattern, parsed, ArgumentKind::Float);
    return parsed.prefix + pad(floatBody(value, field.type, field.precision), field.width, field.leftAlign) +
           parsed.suffix;
}

QString FormatValue(const QString& pattern, qint64 value) {
    const ParsedPattern parsed = parsePattern(pattern);
    if (!parsed.field) return parsed.prefix;
    const Field& field = requireField(pattern, parsed, ArgumentKind::Integer);
    return parsed.prefix +
           pad(integerBody(value, field.type, field.precision), field.width, field.leftAlign) + parsed.suffix;
}

bool PatternTakesInteger(const QString& pattern) {
    const qsizetype percent = pattern.indexOf(QLatin1Char('%'));
    if (percent < 0) return false;
    QStringView rest = QStringView(pattern).mid(percent);
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    if (blank >= 0) rest = rest.left(blank);
    return rest.contains(QLatin1Char('d'));
}

QString FormatNumberValue(const QString& pattern, long double value) {
    if (!PatternTakesInteger(pattern)) return FormatValue(pattern, value);
    const long double rounded = std::isfinite(value) ? roundHalfEven(value) : value;
    // Exactly representable bounds of qint64; NaN fails both comparisons.
    if (!(rounded >= -0x1p63L && rounded < 0x1p63L))
        throw ConversionError(
            QStringLiteral("Wert für \"%1\" nicht als Ganzzahl darstellbar").arg(pattern).toStdString());
    return FormatValue(pattern, static_cast<qint64>(rounded));
}

QString FormatFloatField(long double value, char type, int width, int precision) {
    const char lower = (type >= 'A' && type <= 'Z') ? static_cast<char>(type - 'A' + 'a') : type;
    if (!isKnownType(lower) || kindOf(lower) != ArgumentKind::Float) return {};
    const bool leftAlign = width < 0;
    width = std::min(leftAlign ? (width == INT_MIN ? kMaxFormatWidth : -width) : width, kMaxFormatWidth);
    precision = std::min(precision, kMaxFormatPrecision);
    return pad(floatBody(value, lower, precision), width, leftAlign);
}

} // namespace ovanto
