#include "elements/core/formula/formula.h"
#include "elements/core/formula/formula_ops_p.h"

#include <algorithm>

namespace ovanto {
namespace {

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

bool CompiledFormula::isAffine(int& signal, long double& factor, long double& offset) const noexcept {
    const auto is = [this](int k, Op op) { return m_code[k].op == static_cast<std::uint8_t>(op); };
    if (m_size < 2 || m_size > 4 || !is(0, Op::SetSignal) || !is(m_size - 1, Op::End)) return false;
    const auto constant = [this](int k) { return m_constants[m_code[k].arg]; };
    long double f = 1.0L;
    long double a = -0.0L;
    int k = 1;
    if (k < m_size - 1) {
        int exponent = 0;
        if (is(k, Op::MulC) || is(k, Op::MulRC)) {
            f = constant(k);
            ++k;
        } else if (is(k, Op::DivC) && std::fabs(std::frexp(constant(k), &exponent)) == 0.5L && exponent > -16000 &&
                   exponent < 16000) {
            f = 1.0L / constant(k); // exact for a power of two, so x / c == x * f
            ++k;
        }
    }
    if (k < m_size - 1) {
        if (is(k, Op::AddC) || is(k, Op::AddRC)) {
            a = constant(k);
        } else if (is(k, Op::SubC)) {
            a = -constant(k);
        } else if (is(k, Op::SubRC)) {
            // c - x*f == x*(-f) + c: negation is exact.
            f = -f;
            a = constant(k);
        } else {
            return false;
        }
        ++k;
    }
    if (k != m_size - 1) return false;
    signal = m_code[0].arg;
    factor = f;
    offset = a;
    return true;
}

bool CompiledFormula::collectInputs(std::vector<std::uint16_t>& out) const {
    constexpr int kForms = 5;
    for (int k = 0; k < m_size; ++k) {
        const Op op = static_cast<Op>(m_code[k].op);
        const std::uint16_t arg = m_code[k].arg;
        if (op == Op::LoadSignal || op == Op::SetSignal) {
            out.push_back(arg);
        } else if (op == Op::Call) {
            if (!IsPureFunction(m_functions[arg])) return false;
        } else if (op >= Op::AddS && op <= Op::PowRV) {
            const int form = (static_cast<int>(op) - static_cast<int>(Op::AddS)) % kForms;
            if (form == static_cast<int>(formula_detail::Form::V) || form == static_cast<int>(formula_detail::Form::RV))
                out.push_back(arg);
        }
    }
    return true;
}

namespace {

// The run loop proper: the value, or 0 with the error code set. The
// accumulator is never passed by reference, so it can stay in a register.
long double fail(int& error, int code) {
    error = code;
    return 0.0L;
}

long double execute(const Instruction* ip, const long double* constants, const FormulaFunction* functions,
                    const long double* signals, int& error) {
    using namespace formula_error;
    using formula_detail::power;
    long double stack[CompiledFormula::kMaxStack];
    int sp = 0;
    long double acc = 0.0L;
    int e = 0;
    for (;; ++ip) {
        const Instruction in = *ip;
        switch (static_cast<Op>(in.op)) {
        case Op::End:
            if (!isFinite(acc)) return fail(error, formula_detail::nonFiniteError(acc));
            return acc;
        case Op::Fail: return fail(error, in.arg);
        case Op::SetConst: acc = constants[in.arg]; continue;
        case Op::SetSignal: acc = signals[in.arg]; continue;
        case Op::LoadConst:
            stack[sp++] = acc;
            acc = constants[in.arg];
            continue;
        case Op::LoadSignal:
            stack[sp++] = acc;
            acc = signals[in.arg];
            continue;
        case Op::AddS: acc = stack[--sp] + acc; break;
        case Op::AddC:
        case Op::AddRC: acc += constants[in.arg]; break;
        case Op::AddV:
        case Op::AddRV: acc += signals[in.arg]; break;
        case Op::SubS: acc = stack[--sp] - acc; break;
        case Op::SubC: acc -= constants[in.arg]; break;
        case Op::SubV: acc -= signals[in.arg]; break;
        case Op::SubRC: acc = constants[in.arg] - acc; break;
        case Op::SubRV: acc = signals[in.arg] - acc; break;
        case Op::MulS: acc = stack[--sp] * acc; break;
        case Op::MulC:
        case Op::MulRC: acc *= constants[in.arg]; break;
        case Op::MulV:
        case Op::MulRV: acc *= signals[in.arg]; break;
        case Op::DivS: {
            const long double x = stack[--sp];
            if (acc == 0.0L) return fail(error, kDivisionByZero);
            acc = x / acc;
            break;
        }
        case Op::DivC:
        case Op::DivV: {
            const long double y = in.op == static_cast<std::uint8_t>(Op::DivC) ? constants[in.arg] : signals[in.arg];
            if (y == 0.0L) return fail(error, kDivisionByZero);
            acc /= y;
            break;
        }
        case Op::DivRC:
        case Op::DivRV: {
            if (acc == 0.0L) return fail(error, kDivisionByZero);
            acc = (in.op == static_cast<std::uint8_t>(Op::DivRC) ? constants[in.arg] : signals[in.arg]) / acc;
            break;
        }
        case Op::PowS: {
            const long double x = stack[--sp];
            acc = power(x, acc, e);
            if (e) return fail(error, e);
            break;
        }
        case Op::PowC:
        case Op::PowV: {
            const long double y = in.op == static_cast<std::uint8_t>(Op::PowC) ? constants[in.arg] : signals[in.arg];
            acc = power(acc, y, e);
            if (e) return fail(error, e);
            break;
        }
        case Op::PowRC:
        case Op::PowRV: {
            const long double x = in.op == static_cast<std::uint8_t>(Op::PowRC) ? constants[in.arg] : signals[in.arg];
            acc = power(x, acc, e);
            if (e) return fail(error, e);
            break;
        }
        case Op::Negate: acc = -acc; continue;
        case Op::Sin:
        case Op::Cos: acc = formula_detail::trig::sinCos(acc, in.op == static_cast<std::uint8_t>(Op::Cos)); break;
        case Op::Abs: acc = std::fabs(acc); break;
        case Op::Call: acc = functions[in.arg](acc); break;
        default:
            acc = formula_detail::applyFunction(static_cast<Op>(in.op), acc, e);
            if (e) return fail(error, e);
            break;
        }
        // Overflow of +, -, *, / and NaN or infinite signals end here, so a
        // formula never hands a non-finite value to its element.
        if (!isFinite(acc)) return fail(error, formula_detail::nonFiniteError(acc));
    }
}

} // namespace

long double formula_detail::runValue(const CompiledFormula& program, const SignalTable& signalTable, bool report) {
    int error = 0;
    const long double value =
        program.empty() ? 0.0L
                        : execute(program.m_code, program.m_constants, program.m_functions,
                                  signalTable.values.data(), error);
    formula_detail::g_lastError = error;
    if (error != 0 && report && g_reportHook) g_reportHook(FormulaMessageNumber(error));
    return value;
}

bool RunFormula(const CompiledFormula& program, const SignalTable& signalTable, bool report, long double& value) {
    value = formula_detail::runValue(program, signalTable, report);
    return formula_detail::g_lastError == 0;
}


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
