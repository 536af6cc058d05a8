#pragma once

#include "elements/core/formula/functions.h"
#include "elements/core/formula/signal_table.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ovanto {

inline constexpr int kMaxFormulaLength = 255;

namespace formula_error {
constexpr int kDivisionByZero = 200;
constexpr int kOverflow = 205;
constexpr int kDomain = 207;
constexpr int kEmpty = 401;
constexpr int kBadCharacter = 402;
constexpr int kUnknownName = 403;
constexpr int kTooLong = 404;
constexpr int kParentheses = 405;
constexpr int kSyntax = 406; // a token where its predecessor does not allow it
constexpr int kTooManyOperators = 450;
} // namespace formula_error

namespace formula_detail {
struct Instruction {
    std::uint8_t op;
    std::uint8_t unused;
    std::uint16_t arg; // signal position, constant or function slot, error code
};
class Compiler;
} // namespace formula_detail

class CompiledFormula;
namespace formula_detail {
inline int g_lastError = 0;

// RunFormula returning the value (0 on failure), the way the hot callers
// want it: an 80-bit value through memory costs more than the whole run.
long double runValue(const CompiledFormula& program, const SignalTable& signalTable, bool report);
} // namespace formula_detail

// A formula compiled to a flat accumulator program. Fixed capacity, no heap:
// sized for the worst a 255-character source can produce.
class CompiledFormula {
public:
    static constexpr int kMaxInstructions = 272;
    static constexpr int kMaxConstants = 136;
    static constexpr int kMaxFunctions = 56;
    static constexpr int kMaxStack = 32;

    CompiledFormula() noexcept {}
    CompiledFormula(const CompiledFormula& other) noexcept { copyFrom(other); }
    CompiledFormula& operator=(const CompiledFormula& other) noexcept {
        if (this != &other) copyFrom(other);
        return *this;
    }

    bool empty() const noexcept { return m_size == 0; }
    int instructionCount() const noexcept { return m_size; }
    int constantCount() const noexcept { return m_constantCount; }

    void clear() noexcept { m_size = m_constantCount = m_functionCount = 0; }

    // True when the program computes signal * factor + offset with exactly
    // those two roundings (factor 1 and offset -0 are exact identities), so
    // a caller may compute it inline.
    bool isAffine(int& signal, long double& factor, long double& offset) const noexcept;

    // Adds the signal positions the program reads to `out`. False when it
    // calls a function whose result may change with more than its argument.
    bool collectInputs(std::vector<std::uint16_t>& out) const;

private:
    friend class formula_detail::Compiler;
    friend long double formula_detail::runValue(const CompiledFormula&, const SignalTable&, bool);

    void copyFrom(const CompiledFormula& other) noexcept;

    // Only the first m_size / m_constantCount / m_functionCount entries are
    // ever written or read; the rest stays uninitialised on purpose, since
    // Evaluate builds one of these on the stack per call.
    std::uint16_t m_size = 0;
    std::uint16_t m_constantCount = 0;
    std::uint16_t m_functionCount = 0;
    formula_detail::Instruction m_code[kMaxInstructions];
    FormulaFunction m_functions[kMaxFunctions];
    long double m_constants[kMaxConstants];
};

// Compiles a formula (at most kMaxFormulaLength characters; longer sources
// fail with kTooLong). Sets the last error code; on failure `out` is empty.
bool CompileFormula(std::string_view source, CompiledFormula& out);

// Runs a program over the signal table. On failure the value is 0 and the
// last error code says why; with `report` set the report hook hears of it.
bool RunFormula(const CompiledFormula& program, const SignalTable& signalTable, bool report, long double& value);

// Process-wide code of the last compile or run, 0 after success.
inline int LastFormulaError() noexcept { return formula_detail::g_lastError; }
inline void SetLastFormulaError(int code) noexcept { formula_detail::g_lastError = code; }

// 200 -> 1207, 205 -> 1208, 207 -> 1209, 401..406 -> 1210..1215, other -> 1216.
int FormulaMessageNumber(int errorCode) noexcept;

// Hears the message number of a reported run error. Default: nobody listens.
using FormulaReportHook = void (*)(int messageNumber);
FormulaReportHook SetFormulaReportHook(FormulaReportHook hook) noexcept;

} // namespace ovanto
