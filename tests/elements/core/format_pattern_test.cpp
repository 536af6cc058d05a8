#include "elements/core/format_pattern.h"

#include "elements/core/formula/conversion_error.h"

#include <QProcess>
#include <QString>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <locale.h>
#include <random>
#include <stdio.h>
#include <string>

namespace ovanto {
namespace {

struct FloatCase {
    const char* pattern;
    long double value;
    const char* expected;
};

TEST(FormatPattern, FloatSpecifiers) {
    const FloatCase cases[] = {
        {"Level %8.3f", 2.5L, "Level    2.500"},
        {"%4.1f", 1, " 1.0"},
        {"%f", 2, "2.00"},
        {"%-6.1f|", 1.25L, "1.2   |"},
        {"%.0f", 2.5L, "2"},
        {"%.0f", 3.5L, "4"},
        {"%8.3F", 2.5L, "   2.500"},
        {"%5.1f day", 3, "  3.0 day"},
        {"%.2f", -0.001L, "0.00"},
        {"%.1f", -0.25L, "-0.2"},
        {"%e", 1234.5L, "1.23450000000000E+003"},
        {"%.3e", -0.000123456L, "-1.23E-004"},
        {"%.1e", 5, "5E+000"},
        {"%.0e", 5, "5E+000"},
        {"%.3e", 9.9996L, "1.00E+001"},
        {"%.3E", 0, "0.00E+000"},
        {"%.3e", LDBL_TRUE_MIN, "3.65E-4951"},
        {"%g", 0.1L, "0.1"},
        {"%g", 100, "100"},
        {"%g", 0, "0"},
        {"%g", -0.0L, "0"},
        {"%.3g", 1234, "1.23E+003"},
        {"%.3g", 999.6L, "1E+003"},
        {"%.3g", 123, "123"},
        {"%g", 0.00001L, "0.00001"},
        {"%g", 0.000001L, "1E-006"},
        {"%g", -1e20L, "-1E+020"},
        {"%6.3g", 2.5L, "   2.5"},
        {"%16.10g", 1.0L / 3, "    0.3333333333"},
        {"%n", 1234567.891L, "1,234,567.89"},
        {"%.0n", -1000, "-1,000"},
        {"%n", 999.999L, "1,000.00"},
        {"%N", 12, "12.00"},
        {"%m", 1234.5L, "1,234.50 €"},
        {"%12m|", 1, "      1.00 €|"},
        {"%f", NAN, "NAN"},
        {"%6e", -INFINITY, "  -INF"},
        {"%-4g|", INFINITY, "INF |"},
        {"100%% %.0f", 5, "100% 5"},
        {"no specifier", 5, "no specifier"},
        {"50%% voll", 5, "50% voll"},
        {"", 5, ""},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FormatValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected) << c.pattern;
}

TEST(FormatPattern, IntegerSpecifiers) {
    const struct {
        const char* pattern;
        qint64 value;
        const char* expected;
    } cases[] = {
        {"%5d m", 12, "   12 m"},
        {"%-5d|", -7, "-7   |"},
        {"%4.4d", 1, "0001"},
        {"%.3d", -5, "-005"},
        {"%d", INT64_MIN, "-9223372036854775808"},
        {"%D", 3, "3"},
        {"%x", 255, "FF"},
        {"%X", -1, "FFFFFFFFFFFFFFFF"},
        {"%u", -1, "18446744073709551615"},
        {"%.0d", 0, "0"},
        {"Wert", 4, "Wert"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected) << c.pattern;
}

TEST(FormatPattern, RejectsPatternsThatDoNotFitTheArgument) {
    const struct {
        const char* pattern;
        bool floatArgument;
    } cases[] = {
        {"%d", true},      {"%5.1x", true},  {"%f", false},     {"%g", false},    {"%s", true},
        {"%p", false},     {"%c", false},    {"%5.1q", true},   {"%*d", false},   {"%.*f", true},
        {"%d %d", false},  {"%f%f", true},   {"abc %", true},   {"%5.", true},    {"%-", true},
        {"%lf", true},     {"%+d", false},   {"%05.1f %", true}, {"%999999f", true}, {"%.65f", true},
        {"%4097d", false}, {"%99999999999999999999f", true}, {"%€", true},
    };
    for (const auto& c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        if (c.floatArgument)
            EXPECT_THROW(FormatValue(pattern, 1.5L), ConversionError) << c.pattern;
        else
            EXPECT_THROW(FormatValue(pattern, qint64{1}), ConversionError) << c.pattern;
    }
    EXPECT_EQ(FormatValue(QStringLiteral("%4096d"), qint64{1}).size(), 4096);
    EXPECT_EQ(FormatValue(QStringLiteral("%.64f"), 1.0L).size(), 66);
}

TEST(FormatPattern, LargestValueInFixedNotation) {
    const QString text = FormatValue(QStringLiteral("%.0f"), LDBL_MAX);
    EXPECT_EQ(text.size(), 4933);
    EXPECT_TRUE(text.startsWith(QStringLiteral("118973149535723176502")));
}

TEST(FormatPattern, NumberDisplayRule) {
    EXPECT_TRUE(PatternTakesInteger(QStringLiteral("%5d m")));
    EXPECT_TRUE(PatternTakesInteger(QStringLiteral("Wert: %d")));
    EXPECT_FALSE(PatternTakesInteger(QStringLiteral("%6.2f dm")));
    EXPECT_FALSE(PatternTakesInteger(QStringLiteral("d %f")));
    EXPECT_FALSE(PatternTakesInteger(QStringLiteral("day")));

    const FloatCase cases[] = {
        {"%5d m", 12.5L, "   12 m"},
        {"%5d m", 13.5L, "   14 m"},
        {"%5d m", -2.5L, "   -2 m"},
        {"Wert: %d", 7.4999L, "Wert: 7"},
        {"%6.2f", 3.14159L, "  3.14"},
        {"Temp %5.1f d", 20, "Temp  20.0 d"},
        {"day", 3, "day"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FormatNumberValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected) << c.pattern;

    for (long double v : {1e30L, -1e19L, 0x1p63L, static_cast<long double>(NAN), static_cast<long double>(INFINITY)})
        EXPECT_THROW(FormatNumberValue(QStringLiteral("%d"), v), ConversionError) << static_cast<double>(v);
    EXPECT_EQ(FormatNumberValue(QStringLiteral("%d"), -0x1p63L), QStringLiteral("-9223372036854775808"));
}

// Fixed and scientific output must agree digit for digit with the C library
// (only the exponent is written differently).
TEST(FormatPattern, AgreesWithCLibraryOnRandomValues) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> exponent(-40, 40);
    std::uniform_int_distribution<int> field(0, 20);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    char expected[512];
    for (int i = 0; i < 3000; ++i) {
        const long double value = std::ldexp(static_cast<long double>(mantissa(random)), exponent(random));
        const int width = field(random);
        const int precision = field(random);
        snprintf(expected, sizeof expected, "%.*Lf", precision, value);
        std::string body = expected;
        if (body[0] == '-' && body.find_first_of("123456789") == std::string::npos) body.erase(0, 1);
        if (body.size() < static_cast<size_t>(width)) body.insert(0, static_cast<size_t>(width) - body.size(), ' ');
        const std::string pattern = "%" + std::to_string(width) + "." + std::to_string(precision);
        ASSERT_EQ(FormatValue(QString::fromStdString(pattern + "f"), value).toStdString(), body)
            << static_cast<double>(value) << " " << width << "." << precision;

        snprintf(expected, sizeof expected, "%.*Le", precision, value);
        const std::string sci = expected;
        const std::string got =
            FormatValue(QString::fromStdString("%." + std::to_string(precision + 1) + "e"), value).toStdString();
        const size_t e = sci.find('e');
        const size_t gotE = got.find('E');
        ASSERT_EQ(got.substr(0, gotE), sci.substr(0, e)) << static_cast<double>(value);
        ASSERT_EQ(std::stoi(got.substr(gotE + 1)), std::stoi(sci.substr(e + 1)));
    }
    uselocale(previous);
}

// Whatever users type, the formatter either refuses or returns a bounded text.
TEST(FormatPattern, RandomPatternsNeverMisbehave) {
    const QString alphabet = QStringLiteral("%%%-.0123456789*dDuxXeEfFgGnNmMspcl %€ab");
    std::mt19937 random(4711);
    std::uniform_int_distribution<qsizetype> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    const long double values[] = {0, -1.5L, 1e300L, LDBL_MAX, -LDBL_TRUE_MIN, NAN};
    int accepted = 0;
    for (int i = 0; i < 5000; ++i) {
        QString pattern;
        for (int n = length(random); n > 0; --n) pattern += alphabet[letter(random)];
        for (long double v : values) {
            try {
                const QString text = FormatValue(pattern, v);
                EXPECT_LE(text.size(), pattern.size() + kMaxFormatWidth + 5000) << pattern.toStdString();
                ++accepted;
            } catch (const ConversionError&) {
            }
        }
        try {
            FormatValue(pattern, static_cast<qint64>(i) - 10000);
            ++accepted;
        } catch (const ConversionError&) {
        }
    }
    EXPECT_GT(accepted, 250);
}

TEST(FormatPattern, QevtoolFormatCommand) {
    const struct {
        QStringList arguments;
        int exitCode;
        QByteArray output;
    } cases[] = {
        {{"%5d m", "12.5"}, 0, "   12 m\n"},
        {{"Level %8.3f", " 2.5"}, 0, "Level    2.500\n"},
        {{"%m", "-1234.5"}, 0, "-1,234.50 \u20ac\n"},
        {{"%5s", "1"}, 1, ""},
        {{"%d", "1e30"}, 1, ""},
        {{"%f", "1,5"}, 1, ""},
        {{"%f"}, 2, ""},
    };
    for (const auto& c : cases) {
        QProcess tool;
        tool.start(QStringLiteral(QEVTOOL_PATH), QStringList{QStringLiteral("format")} + c.arguments);
        ASSERT_TRUE(tool.waitForFinished(-1));
        EXPECT_EQ(tool.exitCode(), c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(tool.readAllStandardOutput().toStdString(), c.output.toStdString());
        EXPECT_EQ(tool.readAllStandardError().isEmpty(), c.exitCode == 0);
    }
}

} // namespace
} // namespace ovanto
