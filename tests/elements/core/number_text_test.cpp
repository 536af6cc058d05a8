#include "elements/core/number_text.h"

#include "elements/core/family_settings.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <random>
#include <string>

namespace ovanto {
namespace {

TEST(NumberText, FamilyNotations) {
    SetFamilySettings(FamilySettings());
    const struct {
        long double value;
        int notation, width, precision;
        std::string expected;
    } cases[] = {
        {0.1L, 0, 16, 12, "0.1"},
        {2, 0, 16, 12, "2"},
        {123456789012.0L, 0, 16, 12, "123456789012"},
        {1234567890123.0L, 0, 16, 12, "1.23456789012E+012"},
        {0.000001234L, 0, 16, 12, "1.234E-006"},
        {2, 2, 16, 3, "2.000"},
        {1234.5L, 1, 16, 12, "1.23450000000E+003"},
        {2, 5, 16, 12, ""},
        {2, 2, 16, -1, "2.00"},
        {2, 2, 100000, 100000, "2." + std::string(64, '0')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToText(c.value, true, c.notation, c.width, c.precision).toStdString(), c.expected)
            << static_cast<double>(c.value) << " notation " << c.notation;
    EXPECT_EQ(FloatToText(0.1L), QStringLiteral("0.1"));
    EXPECT_EQ(FloatToText(0.1L, false), QStringLiteral("             0.1"));
    EXPECT_EQ(FloatToText(0.1L, false, 0, -6, 12), QStringLiteral("0.1   "));
}

// General notation must read back through a plain decimal reader.
TEST(NumberText, GeneralNotationReadsBack) {
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    std::mt19937_64 random(99);
    std::uniform_int_distribution<int> exponent(-16000, 16000);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const long double value = std::ldexp(static_cast<long double>(mantissa(random)), exponent(random));
        for (int precision : {21, 12}) {
            const QByteArray text = FloatToText(value, true, 0, 16, precision).toLatin1();
            char* end = nullptr;
            const long double back = strtold_l(text.constData(), &end, cLocale);
            ASSERT_EQ(*end, '\0') << text.constData();
            EXPECT_LE(std::fabs(back - value), precision == 21 ? 0 : std::fabs(value) * 5e-12L)
                << text.constData();
        }
    }
}

TEST(NumberText, FileForm) {
    const struct {
        long double value;
        const char* expected;
    } cases[] = {
        {1, " 1.00000000000000E+0000"},
        {-0.001L, "-1.00000000000000E-0003"},
        {-0.0L, " 0.00000000000000E+0000"},
        {123.456L, " 1.23456000000000E+0002"},
        {9.9999999999999951L, " 1.00000000000000E+0001"},
        {9.9999999999999949L, " 9.99999999999999E+0000"},
        {-LDBL_MAX, "-1.18973149535723E+4932"},
        {LDBL_MIN, " 3.36210314311209E-4932"},
        {LDBL_TRUE_MIN, " 3.64519953188247E-4951"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToFileText(c.value).toStdString(), c.expected);
        EXPECT_EQ(FloatToFileText(c.value).size(), 23);
    }
    EXPECT_EQ(FloatToFileText(NAN), QStringLiteral(" NAN"));
    EXPECT_EQ(FloatToFileText(-INFINITY), QStringLiteral("-INF"));
}

} // namespace
} // namespace ovanto
