#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

namespace ovanto {
namespace {

struct FloatCase {
    std::string text;
    long double value;
};

// The expected values are compiler literals, which are correctly rounded;
// the list mixes texts for the exact fast path and for the full conversion.
TEST(ParseFloat, AcceptsPlainDecimalsCorrectlyRounded) {
    const FloatCase cases[] = {
        {"120", 120.0L},
        {"  1.5  ", 1.5L},
        {"-3", -3.0L},
        {"+.5", 0.5L},
        {"1.", 1.0L},
        {"-0", -0.0L},
        {"1e3", 1000.0L},
        {"1E+3", 1000.0L},
        {"2.5e-3", 2.5e-3L},
        {"0.1", 0.1L},
        {"0.3", 0.3L},
        {"3.14159265358979323846264338327950288", 3.14159265358979323846264338327950288L},
        {"18446744073709551615", 18446744073709551615.0L},
        {"18446744073709551617", 18446744073709551617.0L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"1e27", 1e27L},
        {"1e28", 1e28L},
        {"0.000000000000000000000000000001", 1e-30L},
        {"1.7976931348623157e308", 1.7976931348623157e308L},
        {"4.9e-324", 4.9e-324L},
        {"1.18e4932", 1.18e4932L},
        {"3.6e-4951", 3.6e-4951L},
        {"00000000000000000000000012.5", 12.5L},
        {"1,5", 1.5L},
        {"-0,25", -0.25L},
        {" 2,5e2 ", 250.0L},
    };
    for (const FloatCase& c : cases) {
        long double v = -999.0L;
        ASSERT_TRUE(TryParseFloat(c.text, v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(ParseFloat(c.text), c.value) << c.text;
    }
}

TEST(ParseFloat, RejectsEverythingElse) {
    const std::string cases[] = {
        "", "   ", "abc", "1.2.3", "1e", "1e+", "e5", ".", "-", "+", "--1", "0x10", "inf", "-inf", "nan",
        "1,5,5", "1 000", "1.5x", "1e5000", "-1e5000", "1,5 ,3", "1\t", std::string("1\0", 2), "\xC2\xB1" "1",
        "1e99999999999999999999", "١",
    };
    for (const std::string& text : cases) {
        long double v = 42.0L;
        EXPECT_FALSE(TryParseFloat(text, v)) << text;
        EXPECT_EQ(v, 42.0L) << text;
        EXPECT_THROW(ParseFloat(text), ConversionError) << text;
    }
}

TEST(ParseFloat, ErrorMessageIsPrintableUtf8) {
    try {
        ParseFloat("x\xFF");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x?' ist kein gültiger Gleitkommawert");
    }
}

TEST(ParseFloat, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    long double v = 0.0L;
    const bool ok = TryParseFloat("1234.0001234567890123", v);
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_TRUE(ok);
    EXPECT_EQ(v, 1234.0001234567890123L);
}

TEST(ParseInt, StrictDecimalThirtyTwoBit) {
    const std::pair<const char*, int> good[] = {
        {"0", 0}, {" 42 ", 42}, {"+7", 7}, {"-2147483648", -2147483647 - 1}, {"2147483647", 2147483647}, {"007", 7},
    };
    for (const auto& [text, value] : good) {
        int v = -1;
        ASSERT_TRUE(TryParseInt(text, v)) << text;
        EXPECT_EQ(v, value) << text;
        EXPECT_EQ(ParseInt(text), value) << text;
    }
    for (const char* text : {"", " ", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "1.0", "1e3",
                             "12a", "0x1F", "1 2", "--1"}) {
        int v = 5;
        EXPECT_FALSE(TryParseInt(text, v)) << text;
        EXPECT_EQ(v, 5) << text;
        EXPECT_THROW(ParseInt(text), ConversionError) << text;
    }
}

} // namespace
} // namespace ovanto
