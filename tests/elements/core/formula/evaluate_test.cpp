#include "elements/core/formula/evaluate.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace ovanto {
namespace {

const std::vector<std::string> kFormulas = {
    "120", " 1,5 ", "-0.25e1", "I1*2+30", "50+40*SIN(I54)", "C1*CW/2", "STEP(I3-0.5)*255", "(I1+I2)/2-ABS(O1)",
    "RANDOM(10)+RANDOM(I1)", "ROUND(I2*10)/10", "1/I1", "LN(I2)", "SQRT(I3)", "I1^I2", "(-I1)^3", "2*-3", "",
    "I1I", "(I1", "E200-C20+CH", "TAN(I4)/COS(I5)", "ACOS(I6/1000)", "EXP(I7/10)", "SQR(I8)^2", "2^3^2",
    "FRAC(I1)+INT(I2)+SIGN(I3)", "DEG(ATAN(I1))+RAD(I2)", "1" + std::string(300, ' ') + "+5",
    // Shapes computed inline by the cache, and near misses that are not.
    "I1", "I1*0", "2*I1", "2+I1", "I1-7", "7-I1", "100-I1*0.5", "CW/2", "CW/3", "I1/0.25", "-I1", "I1*2*3",
    "I1*1E4000", "I1*2+30-1", "E20/E20/C20", "I1-I2*3", "CW/I1",
};

SignalTable randomTable(std::mt19937_64& rng, bool specials) {
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::uniform_int_distribution<int> pick(0, 9);
    SignalTable table;
    for (int pos = 1; pos <= kSignalCount; ++pos) {
        const int p = pick(rng);
        if (p == 0) table[pos] = pos % 2 ? 0.0L : -0.0L;
        else if (specials && p == 1) table[pos] = std::numeric_limits<long double>::quiet_NaN();
        else if (specials && p == 2) table[pos] = -std::numeric_limits<long double>::infinity();
        else table[pos] = static_cast<long double>(value(rng));
    }
    return table;
}

// Same value bits and same last error; NaN never comes out, so == suffices.
void expectSame(const PropertyText& cached, const SignalTable& table, std::uint64_t seed) {
    SeedRandom(seed);
    SetLastFormulaError(-1);
    const long double expected = Evaluate(cached.text(), table);
    const int expectedError = LastFormulaError();
    SeedRandom(seed);
    SetLastFormulaError(-1);
    const long double actual = cached.evaluate(table);
    EXPECT_EQ(std::memcmp(&actual, &expected, 10), 0) << cached.text() << ": " << static_cast<double>(actual)
                                                      << " vs " << static_cast<double>(expected);
    EXPECT_EQ(LastFormulaError(), expectedError) << cached.text();
}

TEST(PropertyText, GivesWhatEvaluateGives) {
    std::mt19937_64 rng(20240611);
    std::vector<PropertyText> texts;
    for (const std::string& f : kFormulas) texts.emplace_back(f);
    for (int round = 0; round < 50; ++round) {
        const SignalTable table = randomTable(rng, round % 2 == 1);
        for (const PropertyText& t : texts) expectSame(t, table, static_cast<std::uint64_t>(round));
    }
}

TEST(PropertyText, FollowsTextChangesCopiesAndTheRegistry) {
    SignalTable table;
    table[1] = 4;
    PropertyText text("I1*2");
    EXPECT_FALSE(text.isPlainNumber());
    EXPECT_EQ(text.evaluate(table), 8);
    text.setText("I1*3");
    EXPECT_EQ(text.evaluate(table), 12);
    text.setText(" 7,5 ");
    EXPECT_TRUE(text.isPlainNumber());
    EXPECT_EQ(text.evaluate(table), 7.5);
    EXPECT_EQ(text.text(), " 7,5 ");

    PropertyText copy = text;
    text.setText("I1");
    EXPECT_EQ(copy.evaluate(table), 7.5);
    EXPECT_EQ(text.evaluate(table), 4);
    copy = text;
    table[1] = 5;
    EXPECT_EQ(copy.evaluate(table), 5);

    PropertyText empty;
    EXPECT_EQ(empty.text(), "");
    EXPECT_FALSE(empty.isPlainNumber());
    EXPECT_EQ(empty.evaluate(table), 0);
    EXPECT_EQ(LastFormulaError(), formula_error::kEmpty);

    // Preparing alone leaves the error code alone; evaluating sets it.
    SetLastFormulaError(0);
    PropertyText broken("I1+");
    EXPECT_EQ(LastFormulaError(), 0);
    EXPECT_EQ(broken.evaluate(table), 0);
    EXPECT_EQ(LastFormulaError(), formula_error::kSyntax);

    // A function registered after the text was compiled is found.
    PropertyText later("HALFOF(I1)");
    EXPECT_EQ(later.evaluate(table), 0);
    RegisterFunction("HalfOf", [](long double x) { return x / 2; });
    EXPECT_EQ(later.evaluate(table), 2.5);
}

std::string randomBytes(std::mt19937_64& rng, bool printable) {
    std::uniform_int_distribution<int> length(0, 300);
    std::uniform_int_distribution<int> byte(printable ? 32 : 0, printable ? 126 : 255);
    std::string s(static_cast<std::size_t>(length(rng)), ' ');
    for (char& c : s) c = static_cast<char>(byte(rng));
    return s;
}

// Mostly well-formed expressions, with the odd token inserted or dropped.
class SoupMaker {
public:
    explicit SoupMaker(std::mt19937_64& rng) : m_rng(rng) {}

    std::string make() {
        std::string s = expression(0);
        std::uniform_int_distribution<int> mutate(0, 3);
        if (mutate(m_rng) == 0 && !s.empty()) {
            std::uniform_int_distribution<std::size_t> at(0, s.size() - 1);
            s.insert(at(m_rng), pick(kNoise));
        }
        if (mutate(m_rng) == 0 && !s.empty()) {
            std::uniform_int_distribution<std::size_t> at(0, s.size() - 1);
            s.erase(at(m_rng), 1);
        }
        return s;
    }

private:
    static constexpr const char* kOperands[] = {"1", "0", "2.5", "1E300", "1E4000", ".5", "I1", "I2", "O1", "CW",
                                                "E200", "PI", "99999999999", "0.000001", "C20", "I54"};
    static constexpr const char* kOperators[] = {"+", "-", "*", "/", "^"};
    static constexpr const char* kFunctions[] = {"SIN", "LN", "SQRT", "ACOS", "EXP", "SQR", "RANDOM", "ROUND",
                                                 "STEP", "TAN", "ASIN", "FRAC", "SINH", "COSH", "TANH", "LOG",
                                                 "ABS", "INT", "SIGN", "ATAN", "DEG", "RAD"};
    static constexpr const char* kNoise[] = {"(", ")", "+", "-", "*", ",", " ", "I1I", "\x80", "1/0", "-(", "$"};

    template <std::size_t N>
    const char* pick(const char* const (&list)[N]) {
        std::uniform_int_distribution<std::size_t> d(0, N - 1);
        return list[d(m_rng)];
    }

    std::string expression(int depth) {
        std::uniform_int_distribution<int> terms(1, 3);
        std::string s = term(depth);
        for (int n = terms(m_rng); n > 1; --n) s += std::string(pick(kOperators)) + term(depth);
        return s;
    }

    std::string term(int depth) {
        std::uniform_int_distribution<int> kind(0, depth > 3 ? 0 : 3);
        switch (kind(m_rng)) {
        case 1: return "(" + expression(depth + 1) + ")";
        case 2: return std::string(pick(kFunctions)) + "(" + expression(depth + 1) + ")";
        case 3: return "(-" + expression(depth + 1) + ")";
        default: return pick(kOperands);
        }
    }

    std::mt19937_64& m_rng;
};

// Whatever the text and whatever the signals: no crash, a finite value, 0
// after any error, and the cached path agreeing with the plain one.
TEST(FormulaRobustness, RandomTextsAndHostileSignals) {
    std::mt19937_64 rng(0x5EED);
    std::vector<SignalTable> tables;
    for (int k = 0; k < 4; ++k) tables.push_back(randomTable(rng, true));
    SignalTable extreme;
    for (int pos = 1; pos <= kSignalCount; ++pos)
        extreme[pos] = pos % 3 == 0 ? std::numeric_limits<long double>::max()
                                    : pos % 3 == 1 ? -std::numeric_limits<long double>::denorm_min()
                                                   : std::numeric_limits<long double>::infinity();
    tables.push_back(extreme);

    SoupMaker soup(rng);
    int compiled = 0;
    for (int k = 0; k < 6000; ++k) {
        const std::string text = k % 3 == 0 ? randomBytes(rng, k % 2 == 0) : soup.make();
        CompiledFormula program;
        const bool ok = CompileFormula(text, program);
        if (ok) ++compiled;
        const SignalTable& table = tables[static_cast<std::size_t>(k) % tables.size()];
        long double value = 1;
        if (ok) {
            const bool ran = RunFormula(program, table, true, value);
            ASSERT_TRUE(std::isfinite(value)) << text;
            if (!ran) {
                ASSERT_EQ(value, 0) << text;
            }
        }
        const long double v = Evaluate(text, table);
        ASSERT_TRUE(std::isfinite(v)) << text;
        expectSame(PropertyText(text), table, static_cast<std::uint64_t>(k));
    }
    // The soup must reach the run loop often enough to mean something.
    EXPECT_GT(compiled, 1000);
}

} // namespace
} // namespace ovanto
