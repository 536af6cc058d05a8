#pragma once

// Opcodes of the compiled program and the arithmetic shared by the run loop
// and the compiler's constant folding, so both always agree.

#include "elements/core/formula/formula.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace ovanto::formula_detail {

enum class Op : std::uint8_t {
    End,
    Fail, // arg: error code
    LoadConst,
    LoadSignal,
    // Binary operators: S takes the left operand from the stack and the right
    // one from the accumulator; C and V take the right one from a constant or
    // a signal instead.
    AddS, AddC, AddV,
    SubS, SubC, SubV,
    MulS, MulC, MulV,
    DivS, DivC, DivV,
    PowS, PowC, PowV,
    Negate,
    // Built-in functions, in the order of kFunctionNames.
    Ln, Sqr, Exp, Sin, Cos, Tan, Log, Abs, Int, Sqrt, Asin, Acos, Atan, Sinh, Cosh, Tanh, Frac, Sign,
    Call, // arg: function slot
};

inline constexpr long double kPi = std::numbers::pi_v<long double>;
inline constexpr long double kExpLimit = 1400.0L;
inline constexpr long double kSqrLimit = 1E2466L;

inline bool isFinite(long double x) { return std::fabs(x) <= LDBL_MAX; }

// The error a non-finite result stands for.
inline int nonFiniteError(long double x) {
    return std::isnan(x) ? formula_error::kDomain : formula_error::kOverflow;
}

inline long double expLimitValue() {
    static const long double limit = std::exp(kExpLimit);
    return limit;
}

// x ^ y with 0 ^ y = 0, integer exponents for negative bases, and the
// e^1400 guard. powl rather than exp(y ln x) so that 2^3 is exactly 8.
inline int power(long double x, long double y, long double& r) {
    using namespace formula_error;
    if (x == 0.0L) {
        r = 0.0L;
        return 0;
    }
    if (isFinite(y) && y == std::trunc(y)) {
        const long double m = std::pow(std::fabs(x), y);
        if (!(m <= expLimitValue())) return kDomain;
        r = (x < 0.0L && std::fmod(y, 2.0L) != 0.0L) ? -m : m;
        return 0;
    }
    if (x < 0.0L) return kDomain;
    const long double m = std::pow(x, y);
    if (!(m <= expLimitValue())) return kDomain;
    r = m;
    return 0;
}

// A built-in one-argument function; returns 0 or the error code.
inline int applyFunction(Op op, long double x, long double& r) {
    using namespace formula_error;
    switch (op) {
    case Op::Negate: r = -x; return 0;
    case Op::Ln:
        if (!(x > 0.0L)) return kDomain;
        r = std::log(x);
        return 0;
    case Op::Log:
        if (!(x > 0.0L)) return kDomain;
        r = std::log10(x);
        return 0;
    case Op::Exp:
        if (x > kExpLimit) return kOverflow;
        r = std::exp(x);
        return 0;
    case Op::Sqr:
        if (std::fabs(x) > kSqrLimit) return kOverflow;
        r = x * x;
        return 0;
    case Op::Sqrt:
        if (x < 0.0L) return kDomain;
        r = std::sqrt(x);
        return 0;
    case Op::Sin: r = std::sin(x); return 0;
    case Op::Cos: r = std::cos(x); return 0;
    case Op::Tan: {
        const long double c = std::cos(x);
        if (c == 0.0L) return kDomain;
        r = std::sin(x) / c;
        return 0;
    }
    case Op::Asin:
        if (x == 1.0L) r = kPi / 2;
        else if (x == -1.0L) r = -kPi / 2;
        else if (x > -1.0L && x < 1.0L) r = std::asin(x);
        else return kDomain;
        return 0;
    case Op::Acos:
        // Unlike ASIN, the ends 1 and -1 are outside the domain.
        if (x == 0.0L) r = kPi / 2;
        else if (x > -1.0L && x < 1.0L) r = std::acos(x);
        else return kDomain;
        return 0;
    case Op::Atan: r = std::atan(x); return 0;
    case Op::Sinh:
    case Op::Cosh:
    case Op::Tanh:
        if (std::fabs(x) > kExpLimit) return kOverflow;
        r = op == Op::Sinh ? std::sinh(x) : op == Op::Cosh ? std::cosh(x) : std::tanh(x);
        return 0;
    case Op::Abs: r = std::fabs(x); return 0;
    case Op::Int: r = std::trunc(x); return 0;
    case Op::Frac: r = x - std::trunc(x); return 0;
    case Op::Sign: r = x > 0.0L ? 1.0L : x < 0.0L ? -1.0L : 0.0L; return 0;
    default: return kSyntax;
    }
}

// Binary operator on two values; `base` is the S form of the operator.
inline int applyBinary(Op base, long double x, long double y, long double& r) {
    switch (base) {
    case Op::AddS: r = x + y; return 0;
    case Op::SubS: r = x - y; return 0;
    case Op::MulS: r = x * y; return 0;
    case Op::DivS:
        if (y == 0.0L) return formula_error::kDivisionByZero;
        r = x / y;
        return 0;
    case Op::PowS: return power(x, y, r);
    default: return formula_error::kSyntax;
    }
}

} // namespace ovanto::formula_detail
