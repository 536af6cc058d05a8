#include "elements/core/formula/evaluate.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/functions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <limits>
#include <numbers>
#include <set>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace formula_error;
constexpr long double kPi = std::numbers::pi_v<long double>;

struct ValueCase {
    std::string formula;
    long double value;
};

struct ErrorCase {
    std::string formula;
    int error;
};

// Compiles and runs with the given signals; the code is 0 after success.
int errorOf(const std::string& formula, const SignalTable& table = {}) {
    CompiledFormula program;
    if (!CompileFormula(formula, program)) return LastFormulaError();
    long double value = 1.0L;
    const bool ok = RunFormula(program, table, false, value);
    EXPECT_EQ(ok, LastFormulaError() == 0);
    if (!ok) {
        EXPECT_EQ(value, 0.0L) << formula;
    }
    return LastFormulaError();
}

void expectValues(const std::vector<ValueCase>& cases, const SignalTable& table = {}) {
    for (const ValueCase& c : cases) {
        EXPECT_EQ(errorOf(c.formula, table), 0) << c.formula;
        EXPECT_EQ(Evaluate(c.formula, table), c.value) << c.formula;
    }
}

void expectNear(const std::vector<ValueCase>& cases) {
    for (const ValueCase& c : cases) {
        EXPECT_EQ(errorOf(c.formula), 0) << c.formula;
        EXPECT_NEAR(static_cast<double>(Evaluate(c.formula, {})), static_cast<double>(c.value), 1e-15) << c.formula;
    }
}

void expectErrors(const std::vector<ErrorCase>& cases, const SignalTable& table = {}) {
    for (const ErrorCase& c : cases) {
        EXPECT_EQ(errorOf(c.formula, table), c.error) << c.formula;
        EXPECT_EQ(Evaluate(c.formula, table), 0.0L) << c.formula;
    }
}

TEST(Formula, PrecedenceAndGrouping) {
    expectValues({
        {"1+2*3", 7},          {"(1+2)*3", 9},         {"10-4-3", 3},          {"100/10/5", 2},
        {"2*3^2", 18},         {"2^3*2", 16},          {"2^3^2", 64},          {"2^(3^2)", 512},
        {"-2^2", -4},          {"(-2)^2", 4},          {"(-2)^3", -8},         {"2*(-3)", -6},
        {"-2*3^2", -18},       {"-8/2/2", -2},         {"-2+3", 1},            {"+5", 5},
        {"(+5)", 5},           {"-(2+3)*2", -10},      {"2-(-(3))", 5},        {"-(-(-1))", -1},
        {"((((1))))", 1},      {"SQR(2)^3", 64},       {"2^SQR(2)", 16},       {"-SQR(2)", -4},
        {"SIN(0)*2+1", 1},     {"2^(-1)", 0.5},        {"4^0.5", 2},           {"1e2+1", 101},
        {".5*4", 2},           {"1.*3", 3},            {"  1 + 2  ", 3},       {"1 2 + 3", 15},
        {"s in(0)+1", 1},      {"abs(-(2))", 2},       {"2*(3+4)*5", 70},      {"(2+3)*(4-1)^2", 45},
        {"0^0", 0},            {"0^(-1)", 0},          {"(-3)^2", 9},
        {"1E4000/1E4000", 1}, {"2*PI/PI", 2},
    });
}

TEST(Formula, FunctionsAndTheirValues) {
    expectValues({
        {"LN(1)", 0},       {"EXP(0)", 1},      {"LOG(1)", 0},     {"SQRT(16)", 4},     {"ABS(-2.5)", 2.5},
        {"INT(-2.7)", -2},  {"INT(2.7)", 2},    {"FRAC(-2.75)", -0.75}, {"SIGN(-3)", -1},  {"SIGN(0)", 0},
        {"SIGN(2)", 1},     {"SIN(PI/2)", 1},   {"COS(0)", 1},        {"TAN(0)", 0},       {"ATAN(1)", kPi / 4},
        {"ASIN(1)", kPi / 2}, {"ASIN(-1)", -kPi / 2}, {"ACOS(0)", kPi / 2}, {"SINH(0)", 0}, {"COSH(0)", 1},
        {"TANH(0)", 0},     {"SQR(-3)", 9},     {"STEP(-0.1)", 0},    {"STEP(0)", 1},      {"STEP(3)", 1},
        {"ROUND(2.5)", 2},  {"ROUND(3.5)", 4},  {"ROUND(-2.5)", -2},  {"ROUND(2.4999)", 2}, {"DEG(PI)", 180},
        {"PI", kPi},        {"2^10", 1024},
    });
    expectNear({
        {"ASIN(0.5)", kPi / 6}, {"ACOS(-0.5)", 2 * kPi / 3}, {"ACOS(0.5)", kPi / 3},
        {"TAN(PI/4)", 1},       {"LOG(1000)", 3}, {"LOG(0.01)", -2},       {"RAD(180)", kPi}, {"deg(rad(45))", 45},       {"EXP(1)", std::numbers::e_v<long double>}, {"10^600/10^599", 10},
    });
    EXPECT_TRUE(std::isfinite(Evaluate("EXP(1400)", {})));
    EXPECT_TRUE(std::isfinite(Evaluate("SINH(-1400)", {})));
}

// Our own reduction and polynomials against the library: within two units
// in the last place wherever the result is not close to a zero crossing.
TEST(Formula, SineAndCosineAgreeWithTheLibrary) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> exponent(-20.0, 31.0);
    SignalTable table;
    for (int k = 0; k < 20000; ++k) {
        const long double x = (k % 2 ? -1 : 1) * std::pow(2.0L, static_cast<long double>(exponent(rng))) *
                              (1 + static_cast<long double>(k % 977) / 977);
        table[1] = x;
        const std::pair<const char*, long double> cases[] = {{"SIN(I1)", std::sin(x)}, {"COS(I1)", std::cos(x)}};
        for (const auto& [f, expected] : cases) {
            const long double tolerance = 2 * LDBL_EPSILON * std::fmax(std::fabs(expected), 1e-3L);
            ASSERT_NEAR(static_cast<double>(Evaluate(f, table) - expected), 0.0, static_cast<double>(tolerance))
                << f << " at " << static_cast<double>(x);
        }
    }
    table[1] = 1e300L; // beyond the fast reduction: the library answers
    EXPECT_EQ(Evaluate("SIN(I1)", table), std::sin(1e300L));
    EXPECT_EQ(Evaluate("COS(PI)", {}), -1);
    EXPECT_EQ(Evaluate("SIN(0)", {}), 0);
    EXPECT_EQ(Evaluate("COS(0)", {}), 1);
}

TEST(Formula, DomainAndOverflowErrorsGiveZero) {
    expectErrors({
        {"LN(0)", kDomain},           {"LN(-1)", kDomain},         {"LOG(0)", kDomain},
        {"SQRT(-1)", kDomain},        {"1/0", kDivisionByZero},    {"0/0", kDivisionByZero},
        {"1/(2-2)", kDivisionByZero}, {"ACOS(1)", kDomain},        {"ACOS(-1)", kDomain},
        {"ACOS(2)", kDomain},         {"ASIN(1.5)", kDomain},      {"ASIN(-1.0001)", kDomain},
        {"EXP(1401)", kOverflow},     {"SQR(1E2467)", kOverflow},  {"SINH(1401)", kOverflow},
        {"COSH(-1401)", kOverflow},   {"TANH(1401)", kOverflow},   {"(-8)^(1/3)", kDomain},
        {"10^700", kDomain},          {"(-10)^701", kDomain},      {"1E4000*1E4000", kOverflow},
        {"1E4000*1E4000/1E4000", kOverflow}, {"1E4932+1E4932", kOverflow}, {"2+LN(0)*0", kDomain},
    });
    SignalTable zero;
    expectErrors({{"I1/I2", kDivisionByZero}, {"5/I1", kDivisionByZero}, {"LN(I1)", kDomain}}, zero);
}

TEST(Formula, SignalNamesReadTheirPositions) {
    SignalTable table;
    for (int pos = 1; pos <= kSignalCount; ++pos) table[pos] = pos * 10;
    expectValues({
        {"i1", 10},    {"I50", 500},  {"i51", 510},  {"I54", 540},   {"cw", 550},      {"CH", 560},
        {"o1", 570},   {"O50", 1060}, {"c1", 1070},  {"C20", 1260},  {"e1", 1270},     {"E200", 3260},
        {"i1+o1", 580}, {"cw/2", 275}, {"-i2", -20}, {"I1*I2", 200}, {"C1-I1/10", 1069}, {"2^(I1/10)", 2},
    }, table);
}

TEST(Formula, CompileErrorCodes) {
    expectErrors({
        {"", kEmpty},              {"    ", kEmpty},          {"1+$", kBadCharacter},     {"1,5,5", kBadCharacter},
        {"\t1", kBadCharacter},    {"1\xB2", kBadCharacter},  {std::string("1+\0", 3), kBadCharacter},
        {"I1I", kUnknownName},     {"I55", kUnknownName},     {"FOO(1)", kUnknownName},   {"ABCDE", kUnknownName},
        {"X", kUnknownName},       {"PIX", kUnknownName},     {"(I1", kParentheses},      {"I1)", kParentheses},
        {"(1))", kParentheses},    {"((1)", kParentheses},    {"()", kSyntax},            {"2*-3", kSyntax},
        {"*2", kSyntax},           {")", kSyntax},            {"1+", kSyntax},            {"SIN1", kSyntax},
        {"SIN", kSyntax},          {"2(3)", kSyntax},         {"(1)(2)", kSyntax},        {"PI(1)", kSyntax},
        {"1..2", kSyntax},         {".", kSyntax},            {"+-3", kSyntax},           {"(+-3)", kSyntax},
        {"--3", kSyntax},          {"1**2", kSyntax},         {"2^-1", kSyntax},          {"I1 I2", kUnknownName},
        {"1E5000", kOverflow},     {"+", kSyntax},            {"-", kSyntax},
    });
    CompiledFormula program;
    ASSERT_TRUE(CompileFormula("I1+2", program));
    EXPECT_FALSE(program.empty());
    EXPECT_FALSE(CompileFormula("I1+", program));
    EXPECT_TRUE(program.empty());
}

// Width of the compact form: number 2/3/5/11 bytes, variable 3, registered
// function 5, everything else 1; more than 255 is too long.
TEST(Formula, LengthLimitCountsTheCompactForm) {
    std::string ones = "1";
    for (int k = 1; k < 84; ++k) ones += "+1"; // 84 * 2 + 83 = 251 bytes
    const ErrorCase cases[] = {
        {ones + "+1", 0},                  {ones + "+1+1", kTooLong},
        {ones + "+255", 0},                {ones + "+256", 0},
        {ones + "+65535", 0},              {ones + "+65536", kTooLong},
        {ones + "+2147483647", kTooLong},  {ones + "+1.5", kTooLong},
        {ones + "+I1", 0},                 {ones + "+PI", 0},
        {ones + "+(1)", kTooLong},         {ones + "*(1)", kTooLong},
        {ones.substr(0, 163) + "*STEP(1)", 0}, {ones.substr(0, 161) + "+256*STEP(1)", kTooLong},
    };
    for (const ErrorCase& c : cases) EXPECT_EQ(errorOf(c.formula), c.error) << c.formula.size() << " " << c.formula;
    EXPECT_EQ(Evaluate(ones + "+1", {}), 85);

    const std::string padded = "1" + std::string(254, ' ');
    EXPECT_EQ(errorOf(padded), 0);
    EXPECT_EQ(errorOf(padded + "+5"), kTooLong);
    // Evaluate cuts the text to 255 characters before compiling.
    EXPECT_EQ(Evaluate(padded + "+5", {}), 1);
}

std::string nested(const std::string& open, int levels, const std::string& inner = "1") {
    std::string f;
    for (int k = 0; k < levels; ++k) f += open;
    f += inner;
    f += std::string(static_cast<std::size_t>(levels), ')');
    return f;
}

TEST(Formula, PendingOperatorLimitIsARunError) {
    EXPECT_EQ(Evaluate(nested("1+(", 20), {}), 21);
    EXPECT_EQ(Evaluate(nested("SIN(", 20, "0"), {}), 0);
    EXPECT_EQ(errorOf(nested("SIN(", 20, "0")), 0);
    EXPECT_EQ(Evaluate(nested("-(", 20), {}), 1);
    EXPECT_EQ(Evaluate("2*(" + nested("1+(", 19) + ")", {}), 40);

    const std::string tooDeep[] = {nested("1+(", 21), nested("SIN(", 21, "0"), nested("-(", 21),
                                   "2*(" + nested("1+(", 20) + ")", nested("1+(", 25) + "*3"};
    for (const std::string& f : tooDeep) {
        CompiledFormula program;
        EXPECT_TRUE(CompileFormula(f, program)) << f;
        EXPECT_EQ(errorOf(f), kTooManyOperators) << f;
        EXPECT_EQ(Evaluate(f, {}), 0) << f;
    }
    // Errors raised before the run gets that deep come first.
    EXPECT_EQ(errorOf("1/0+" + nested("1+(", 21)), kDivisionByZero);
    EXPECT_EQ(errorOf(nested("1+(", 21) + "+1/0"), kTooManyOperators);
    // Compile errors further on still count.
    EXPECT_EQ(errorOf(nested("1+(", 21) + "+$"), kBadCharacter);
    // Left to right chains never pile up.
    std::string chain = "1";
    for (int k = 0; k < 60; ++k) chain += "+1";
    EXPECT_EQ(Evaluate(chain, {}), 61);
}

TEST(Formula, EdgeCasesOfTheLanguage) {
    EXPECT_EQ(Evaluate("1,5", {}), 1.5);
    expectValues({{"1.5", 1.5}, {"2*(-3)", -6}, {"-2^2", -4}, {"2^3^2", 64}, {"(-2)^3", -8},
                  {"0^0", 0}, {"SIN(PI/2)", 1}, {"STEP(-0.1)", 0}, {"ROUND(2.5)", 2}, {"DEG(PI)", 180},
                  {"ASIN(1)", kPi / 2}, {"ASIN(-1)", -kPi / 2}, {"ACOS(0)", kPi / 2}});
    EXPECT_EQ(Evaluate("1,5,5", {}), 0);
    EXPECT_EQ(Evaluate("2*-3", {}), 0);
    EXPECT_EQ(Evaluate("(-8)^(1/3)", {}), 0);
    SignalTable table;
    table[1] = 3;
    table[57] = 4;
    table[55] = 640;
    table[326] = 7;
    EXPECT_EQ(Evaluate("i1+o1", table), 7);
    EXPECT_EQ(Evaluate("cw/2", table), 320);
    EXPECT_EQ(Evaluate("E200", table), 7);
}

TEST(Formula, NonFiniteSignalsNeverLeak) {
    const long double specials[] = {std::numeric_limits<long double>::quiet_NaN(),
                                    std::numeric_limits<long double>::infinity(),
                                    -std::numeric_limits<long double>::infinity(),
                                    std::numeric_limits<long double>::max()};
    const char* formulas[] = {"I1", "I1+1", "-I1", "I1*0", "I1-I1", "STEP(I1)", "ROUND(I1)", "RANDOM(I1)",
                              "INT(I1)", "FRAC(I1)", "SIGN(I1)", "ATAN(I1)", "SIN(I1)", "I1^2", "2^I1",
                              "SQR(I1)", "ASIN(I1)", "ACOS(I1)", "LN(I1)", "EXP(I1)", "TANH(I1)", "1/I1"};
    for (long double special : specials) {
        SignalTable table;
        table[1] = special;
        for (const char* f : formulas) {
            const long double v = Evaluate(f, table);
            EXPECT_TRUE(std::isfinite(v)) << f << " with " << static_cast<double>(special);
            if (LastFormulaError() != 0) {
                EXPECT_EQ(v, 0.0L) << f;
            }
        }
    }
    SignalTable nan;
    nan[1] = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_EQ(errorOf("I1", nan), kDomain);
    EXPECT_EQ(errorOf("I1+1", nan), kDomain);
    SignalTable inf;
    inf[1] = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(errorOf("I1", inf), kOverflow);
}

TEST(Formula, RandomDrawsIntegersBelowTheRoundedArgument) {
    SeedRandom(7);
    std::set<long double> seen;
    for (int k = 0; k < 1000; ++k) {
        const long double r = Evaluate("RANDOM(9.6)", {});
        ASSERT_EQ(r, std::trunc(r));
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 10);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 10u);
    for (const char* f : {"RANDOM(0)", "RANDOM(-5)", "RANDOM(0.4)", "RANDOM(1)", "RANDOM(0.5)"})
        EXPECT_EQ(Evaluate(f, {}), 0) << f;
    const long double huge = Evaluate("RANDOM(1E4000)", {});
    EXPECT_GE(huge, 0);
    EXPECT_LT(huge, 1E4000L);

    SeedRandom(99);
    const long double a = Evaluate("RANDOM(1000000)", {});
    SeedRandom(99);
    EXPECT_EQ(Evaluate("RANDOM(1000000)", {}), a);
    EXPECT_EQ(errorOf("RANDOM(2)+RANDOM(2)"), 0);
}

long double twice(long double x) { return 2 * x; }
long double thrice(long double x) { return 3 * x; }

TEST(Formula, RegisteredFunctions) {
    EXPECT_EQ(errorOf("TWICE(1)"), kUnknownName);
    RegisterFunction("Twice", twice);
    EXPECT_EQ(Evaluate("twice(3)+TWICE(1)", {}), 8);
    RegisterFunction("TWICE", thrice);
    EXPECT_EQ(Evaluate("TWICE(3)", {}), 9);
    const unsigned generation = FunctionRegistryGeneration();
    RegisterFunction("", twice);
    RegisterFunction("A1", twice);
    RegisterFunction("NULLROUTINE", nullptr);
    RegisterFunction(std::string(81, 'Q'), twice);
    EXPECT_EQ(FunctionRegistryGeneration(), generation);
    EXPECT_EQ(FindFunction("A1"), nullptr);
    RegisterFunction(std::string(80, 'Q'), twice);
    EXPECT_EQ(FindFunction(std::string(80, 'Q')), &twice);
    // Built-in names come first; registered ones cannot shadow them.
    RegisterFunction("SIN", twice);
    EXPECT_EQ(Evaluate("SIN(0)", {}), 0);
    // A name that a built-in's letters begin does not match the built-in.
    RegisterFunction("SINE", thrice);
    EXPECT_EQ(Evaluate("SINE(2)", {}), 6);
}

std::vector<int> g_reported;
void recordReport(int messageNumber) { g_reported.push_back(messageNumber); }

TEST(Formula, ReportHookHearsRunErrorsOnlyWhenAsked) {
    const FormulaReportHook previous = SetFormulaReportHook(recordReport);
    g_reported.clear();
    CompiledFormula program;
    long double value = 5;
    ASSERT_TRUE(CompileFormula("1/I1", program));
    EXPECT_FALSE(RunFormula(program, {}, false, value));
    EXPECT_TRUE(g_reported.empty());
    EXPECT_FALSE(RunFormula(program, {}, true, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(CompileFormula("LN(0)", program));
    EXPECT_FALSE(RunFormula(program, {}, true, value));
    ASSERT_TRUE(CompileFormula("2+3", program));
    EXPECT_TRUE(RunFormula(program, {}, true, value));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(LastFormulaError(), 0);
    EXPECT_EQ(g_reported, (std::vector<int>{1207, 1209}));
    EXPECT_EQ(SetFormulaReportHook(previous), recordReport);

    const std::pair<int, int> numbers[] = {{200, 1207}, {205, 1208}, {207, 1209}, {401, 1210}, {402, 1211},
                                           {403, 1212}, {404, 1213}, {405, 1214}, {406, 1215}, {450, 1216},
                                           {0, 1216},   {201, 1216}};
    for (const auto& [code, message] : numbers) EXPECT_EQ(FormulaMessageNumber(code), message) << code;
}

TEST(Formula, ProgramsCopyAndEmptyRunsGiveZero) {
    SignalTable table;
    table[3] = 2;
    CompiledFormula a;
    ASSERT_TRUE(CompileFormula("I3*SIN(I3)+STEP(I3-1)/4", a));
    const CompiledFormula b = a;
    CompiledFormula c;
    c = b;
    long double va = 0, vc = 0;
    ASSERT_TRUE(RunFormula(a, table, false, va));
    ASSERT_TRUE(RunFormula(c, table, false, vc));
    EXPECT_EQ(va, vc);
    EXPECT_EQ(va, 2 * std::sin(2.0L) + 0.25L);

    CompiledFormula empty;
    long double v = 3;
    EXPECT_TRUE(RunFormula(empty, table, false, v));
    EXPECT_EQ(v, 0);
    // Constant parts fold away, so a constant formula is one load.
    ASSERT_TRUE(CompileFormula("(2+3)*4-SQRT(16)", a));
    EXPECT_EQ(a.constantCount(), 1);
    EXPECT_EQ(a.instructionCount(), 2);
}

} // namespace
} // namespace ovanto
