#include "elements/core/format_pattern.h"

#include "elements/core/formula/conversion_error.h"

#include <QProcess>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <locale.h>
#include <random>
#include <stdio.h>
#include <string>

namespace ovanto {
namespace {

struct Case {
    const char* pattern;
    long double value;
    const char* expected;
};

TEST(FormatPattern, FloatSpecifiers) {
    const Case cases[] = {
        {"Level %8.3f", 2.5L, "Level    2.500"},
        {"%f", 2, "2.00"},
        {"%-6.1f|", 1.25L, "1.2   |"},
        {"%.0f", 3.5L, "4"},
        {"%8.3F", 2.5L, "   2.500"},
        {"%.2f", -0.001L, "0.00"},
        {"%e", 1234.5L, "1.23450000000000E+003"},
        {"%.3e", -0.000123456L, "-1.23E-004"},
        {"%.1e", 5, "5E+000"},
        {"%.3e", 9.9996L, "1.00E+001"},
        {"%.3e", LDBL_TRUE_MIN, "3.65E-4951"},
        {"%g", 0.1L, "0.1"},
        {"%g", 0, "0"},
        {"%.3g", 1234, "1.23E+003"},
        {"%.3g", 999.6L, "1E+003"},
        {"%g", 0.00001L, "0.00001"},
        {"%g", 0.000001L, "1E-006"},
        {"%16.10g", 1.0L / 3, "    0.3333333333"},
        {"%n", 1234567.891L, "1,234,567.89"},
        {"%.0n", -1000, "-1,000"},
        {"%n", 999.999L, "1,000.00"},
        {"%12m|", 1234.5L, "  1,234.50 €|"},
        {"%6e", -INFINITY, "  -INF"},
        {"%f", NAN, "NAN"},
        {"100%% %.0f", 5, "100% 5"},
        {"50%% voll", 5, "50% voll"},
        {"Wert", 5, "Wert"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected) << c.pattern;
    EXPECT_EQ(FormatValue(QStringLiteral("%.0f"), LDBL_MAX).size(), 4933);
    EXPECT_EQ(FormatValue(QStringLiteral("%.1f|%%"), 2.25), QStringLiteral("2.2|%"));
    EXPECT_EQ(FormatValue(QStringLiteral("%3d"), 7), QStringLiteral("  7"));
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
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected) << c.pattern;
}

TEST(FormatPattern, RejectsPatternsThatDoNotFitTheArgument) {
    for (const char* pattern : {"%d", "%5.1x", "%s", "%5.1q", "%.*f", "%f%f", "abc %", "%5.", "%-", "%lf",
                                "%05.1f %", "%999999f", "%.65f", "%99999999999999999999f", "%€"})
        EXPECT_THROW(FormatValue(QString::fromUtf8(pattern), 1.5L), ConversionError) << pattern;
    for (const char* pattern : {"%f", "%g", "%p", "%c", "%*d", "%d %d", "%+d", "%4097d"})
        EXPECT_THROW(FormatValue(QString::fromUtf8(pattern), qint64{1}), ConversionError) << pattern;
    EXPECT_EQ(FormatValue(QStringLiteral("%4096d"), qint64{1}).size(), 4096);
    EXPECT_EQ(FormatValue(QStringLiteral("%.64f"), 1.0L).size(), 66);
}

TEST(FormatPattern, NumberDisplayRule) {
    const Case cases[] = {
        {"%5d m", 12.5L, "   12 m"},   {"%5d m", 13.5L, "   14 m"},          {"Wert: %d", -2.5L, "Wert: -2"},
        {"%6.2f", 3.14159L, "  3.14"}, {"Temp %5.1f d", 20, "Temp  20.0 d"}, {"day", 3, "day"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumberValue(QString::fromUtf8(c.pattern), c.value).toStdString(), c.expected)
            << c.pattern;
    for (long double v : {1e30L, 0x1p63L, static_cast<long double>(NAN)})
        EXPECT_THROW(FormatNumberValue(QStringLiteral("%d"), v), ConversionError);
    EXPECT_EQ(FormatNumberValue(QStringLiteral("%d"), -0x1p63L), QStringLiteral("-9223372036854775808"));
}

// Fixed and scientific digits must match the C library's (the exponent is written differently).
TEST(FormatPattern, AgreesWithCLibraryOnRandomValues) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> exponent(-40, 40), field(0, 20);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    char buffer[512];
    for (int i = 0; i < 3000; ++i) {
        const long double value = std::ldexp(static_cast<long double>(mantissa(random)), exponent(random));
        const int width = field(random), precision = field(random);
        snprintf(buffer, sizeof buffer, "%.*Lf", precision, value);
        std::string want = buffer;
        if (want[0] == '-' && want.find_first_of("123456789") == std::string::npos) want.erase(0, 1);
        if (want.size() < static_cast<size_t>(width))
            want.insert(0, static_cast<size_t>(width) - want.size(), ' ');
        const std::string fixed = "%" + std::to_string(width) + "." + std::to_string(precision) + "f";
        ASSERT_EQ(FormatValue(QString::fromStdString(fixed), value).toStdString(), want) << fixed;

        snprintf(buffer, sizeof buffer, "%.*Le", precision, value);
        const std::string c = buffer;
        const std::string ours = FormatValue(QStringLiteral("%.%1e").arg(precision + 1), value).toStdString();
        ASSERT_EQ(ours.substr(0, ours.find('E')), c.substr(0, c.find('e')));
        ASSERT_EQ(std::stoi(ours.substr(ours.find('E') + 1)), std::stoi(c.substr(c.find('e') + 1)));
    }
    uselocale(previous);
}

// Whatever users type, the formatter either refuses or returns a bounded text.
TEST(FormatPattern, RandomPatternsNeverMisbehave) {
    const QString alphabet = QStringLiteral("%%%-.0123456789*dDuxXeEfFgGnNmMspcl %€ab");
    std::mt19937 random(4711);
    std::uniform_int_distribution<qsizetype> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 5000; ++i) {
        QString pattern;
        for (int n = length(random); n > 0; --n)
            pattern += alphabet[letter(random)];
        for (long double v : {0.0L, -1.5L, LDBL_MAX, -LDBL_TRUE_MIN, static_cast<long double>(NAN)}) {
            try {
                EXPECT_LE(FormatValue(pattern, v).size(), pattern.size() + kMaxFormatWidth + 5000);
            } catch (const ConversionError&) {
            }
        }
        try {
            EXPECT_LE(FormatValue(pattern, qint64{i} - 2500).size(), pattern.size() + kMaxFormatWidth + 64);
        } catch (const ConversionError&) {
        }
    }
}

TEST(FormatPattern, QevtoolFormatCommand) {
    const struct {
        QStringList arguments;
        int exitCode;
        const char* output;
    } cases[] = {
        {{"%5d m", "12.5"}, 0, "   12 m\n"},
        {{"Level %8.3f", " 2.5"}, 0, "Level    2.500\n"},
        {{"%5s", "1"}, 1, ""},
        {{"%d", "1e30"}, 1, ""},
        {{"%f", "1,5"}, 0, "1.50\n"}, // the number parser reads a decimal comma too
        {{"%f"}, 2, ""},
    };
    for (const auto& c : cases) {
        QProcess tool;
        tool.start(QStringLiteral(QEVTOOL_PATH), QStringList{QStringLiteral("format")} + c.arguments);
        ASSERT_TRUE(tool.waitForFinished(-1));
        EXPECT_EQ(tool.exitCode(), c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(tool.readAllStandardOutput().toStdString(), c.output);
        EXPECT_EQ(tool.readAllStandardError().isEmpty(), c.exitCode == 0);
    }
}

} // namespace
} // namespace ovanto
