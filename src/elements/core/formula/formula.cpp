#include "elements/core/formula/formula.h"
#include "elements/core/formula/formula_ops_p.h"

#include <algorithm>

namespace ovanto {
namespace {

int g_lastError = 0;
FormulaReportHook g_reportHook = nullptr;

using formula_detail::Instruction;
using formula_detail::Op;
using formula_detail::isFinite;

} // namespace

void CompiledFormula::copyFrom(const CompiledFormula& other) noexcept {
    m_size = other.m_size;
    m_constantCount = other.m_constantCount;
    m_functionCount = other.m_functionCount;
    std::copy_n(other.m_code, m_size, m_code);
    std::copy_n(other.m_constants, m_constantCount, m_constants);
    std::copy_n(other.m_functions, m_functionCount, m_functions);
}

namespace {

// The run loop proper: returns 0 and the value, or the error code.
int execute(const Instruction* ip, const long double* constants, const FormulaFunction* functions,
            const long double* signals, long double& result) {
    using namespace formula_error;
    long double stack[CompiledFormula::kMaxStack];
    int sp = 0;
    long double acc = 0.0L;
    for (;; ++ip) {
        const Instruction in = *ip;
        switch (static_cast<Op>(in.op)) {
        case Op::End:
            if (!isFinite(acc)) return formula_detail::nonFiniteError(acc);
            result = acc;
            return 0;
        case Op::Fail: return in.arg;
        case Op::LoadConst:
            stack[sp++] = acc;
            acc = constants[in.arg];
            continue;
        case Op::LoadSignal:
            stack[sp++] = acc;
            acc = signals[in.arg];
            continue;
        case Op::AddS: acc = stack[--sp] + acc; break;
        case Op::AddC: acc += constants[in.arg]; break;
        case Op::AddV: acc += signals[in.arg]; break;
        case Op::SubS: acc = stack[--sp] - acc; break;
        case Op::SubC: acc -= constants[in.arg]; break;
        case Op::SubV: acc -= signals[in.arg]; break;
        case Op::MulS: acc = stack[--sp] * acc; break;
        case Op::MulC: acc *= constants[in.arg]; break;
        case Op::MulV: acc *= signals[in.arg]; break;
        case Op::DivS: {
            const long double x = stack[--sp];
            if (acc == 0.0L) return kDivisionByZero;
            acc = x / acc;
            break;
        }
        case Op::DivC:
        case Op::DivV: {
            const long double y = in.op == static_cast<std::uint8_t>(Op::DivC) ? constants[in.arg] : signals[in.arg];
            if (y == 0.0L) return kDivisionByZero;
            acc /= y;
            break;
        }
        case Op::PowS: {
            const long double x = stack[--sp];
            if (int e = formula_detail::power(x, acc, acc)) return e;
            break;
        }
        case Op::PowC:
        case Op::PowV: {
            const long double y = in.op == static_cast<std::uint8_t>(Op::PowC) ? constants[in.arg] : signals[in.arg];
            if (int e = formula_detail::power(acc, y, acc)) return e;
            break;
        }
        case Op::Negate: acc = -acc; continue;
        case Op::Call: acc = functions[in.arg](acc); break;
        default:
            if (int e = formula_detail::applyFunction(static_cast<Op>(in.op), acc, acc)) return e;
            break;
        }
        // Overflow of +, -, *, / and NaN or infinite signals end here, so a
        // formula never hands a non-finite value to its element.
        if (!isFinite(acc)) return formula_detail::nonFiniteError(acc);
    }
}

} // namespace

bool RunFormula(const CompiledFormula& program, const SignalTable& signalTable, bool report, long double& value) {
    long double result = 0.0L;
    const int error = program.empty()
                          ? 0
                          : execute(program.m_code, program.m_constants, program.m_functions, signalTable.values.data(),
                                    result);
    g_lastError = error;
    if (error != 0) {
        value = 0.0L;
        if (report && g_reportHook) g_reportHook(FormulaMessageNumber(error));
        return false;
    }
    value = result;
    return true;
}

int LastFormulaError() noexcept { return g_lastError; }
void SetLastFormulaError(int code) noexcept { g_lastError = code; }

int FormulaMessageNumber(int errorCode) noexcept {
    using namespace formula_error;
    switch (errorCode) {
    case kDivisionByZero: return 1207;
    case kOverflow: return 1208;
    case kDomain: return 1209;
    case kEmpty:
    case kBadCharacter:
    case kUnknownName:
    case kTooLong:
    case kParentheses:
    case kSyntax: return 1210 + (errorCode - kEmpty);
    default: return 1216;
    }
}

FormulaReportHook SetFormulaReportHook(FormulaReportHook hook) noexcept {
    const FormulaReportHook previous = g_reportHook;
    g_reportHook = hook;
    return previous;
}

} // namespace ovanto
