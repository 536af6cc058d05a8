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
    // Load pushes the accumulator first; Set is the program's first load,
    // where nothing is live yet.
    LoadConst, LoadSignal, SetConst, SetSignal,
    // Binary operators in five forms each: S takes the left operand from the
    // stack and the right one from the accumulator; C and V take the right
    // one from a constant or a signal; RC and RV take the left one from
    // there instead, the accumulator being the right one.
    AddS, AddC, AddV, AddRC, AddRV,
    SubS, SubC, SubV, SubRC, SubRV,
    MulS, MulC, MulV, MulRC, MulRV,
    DivS, DivC, DivV, DivRC, DivRV,
    PowS, PowC, PowV, PowRC, PowRV,
    Negate,
    Ln, Sqr, Exp, Sin, Cos, Tan, Log, Abs, Int, Sqrt, Asin, Acos, Atan, Sinh, Cosh, Tanh, Frac, Sign,
    Call, // arg: function slot
};

enum class Form : int { S = 0, C = 1, V = 2, RC = 3, RV = 4 };

inline Op withForm(Op base, Form form) { return static_cast<Op>(static_cast<int>(base) + static_cast<int>(form)); }

inline constexpr long double kPi = std::numbers::pi_v<long double>;
inline constexpr long double kExpLimit = 1400.0L;
inline constexpr long double kSqrLimit = 1E2466L;

// x - x is 0 exactly for every finite x and NaN otherwise; unlike a compare
// with LDBL_MAX it needs no 80-bit load from memory.
inline bool isFinite(long double x) { return x - x == 0.0L; }

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
// Helpers return the value and report errors through `error`; they are
// inlined, as an 80-bit argument or result through memory is slow.
[[gnu::always_inline]] inline long double power(long double x, long double y, int& error) {
    using namespace formula_error;
    if (x == 0.0L) return 0.0L;
    if (isFinite(y) && y == std::trunc(y)) {
        const long double m = std::pow(std::fabs(x), y);
        if (!(m <= expLimitValue())) {
            error = kDomain;
            return 0.0L;
        }
        return (x < 0.0L && std::fmod(y, 2.0L) != 0.0L) ? -m : m;
    }
    const long double m = x < 0.0L ? 0.0L : std::pow(x, y);
    if (x < 0.0L || !(m <= expLimitValue())) {
        error = kDomain;
        return 0.0L;
    }
    return m;
}

// Sine and cosine by reduction modulo pi/2 in three parts and Taylor
// polynomials on [-pi/4, pi/4]: accurate to about one unit in the last place
// and many times faster than the x87 sinl/cosl. Huge or non-finite arguments
// go to the library.
namespace trig {
inline constexpr long double kHalfPi1 = 0xc90fdaa2p-31L; // 32 bits: k * kHalfPi1 is exact
inline constexpr long double kHalfPi2 = 0x85a308d3p-65L;
inline constexpr long double kHalfPi3 = 0x98cc51701b839a25p-132L;
inline constexpr long double kReduceLimit = 1073741824.0L; // 2^30

constexpr long double inverseFactorial(int n) {
    long double f = 1.0L;
    for (int k = 2; k <= n; ++k) f *= k;
    return 1.0L / f;
}

// Coefficients whose terms stay far below the last place can be doubles,
// which load much faster than 80-bit constants.
constexpr long double shortInverseFactorial(int n) { return static_cast<double>(inverseFactorial(n)); }

// a[0] + a[1] z + ... + a[8] z^8 by Estrin's scheme: independent pairs keep
// the x87 pipeline busy instead of one long Horner chain.
[[gnu::always_inline]] inline long double estrin9(long double z, long double a0, long double a1, long double a2,
                                                  long double a3, long double a4, long double a5, long double a6,
                                                  long double a7, long double a8) {
    const long double z2 = z * z;
    const long double z4 = z2 * z2;
    const long double low = (a0 + a1 * z) + (a2 + a3 * z) * z2;
    const long double high = (a4 + a5 * z) + (a6 + a7 * z) * z2;
    return low + (high + a8 * z4) * z4;
}

// sin y = y + y z (-1/3! + z/5! - ...), z = y^2
[[gnu::always_inline]] inline long double sinPoly(long double y, long double z) {
    const long double p =
        estrin9(z, -inverseFactorial(3), inverseFactorial(5), -shortInverseFactorial(7), shortInverseFactorial(9),
                -shortInverseFactorial(11), shortInverseFactorial(13), -shortInverseFactorial(15),
                shortInverseFactorial(17), -shortInverseFactorial(19));
    return y + y * z * p;
}

// cos y = 1 - z (1/2! - z/4! + ...), z = y^2
[[gnu::always_inline]] inline long double cosPoly(long double z) {
    const long double p =
        estrin9(z, inverseFactorial(2), -inverseFactorial(4), inverseFactorial(6), -shortInverseFactorial(8),
                shortInverseFactorial(10), -shortInverseFactorial(12), shortInverseFactorial(14),
                -shortInverseFactorial(16), shortInverseFactorial(18));
    return 1.0L - z * p;
}

// quarterTurns 0 gives the sine, 1 the cosine. Always inlined: an 80-bit
// argument passed through memory costs more than the polynomial.
[[gnu::always_inline]] inline long double sinCos(long double x, int quarterTurns) {
    if (!(std::fabs(x) <= kReduceLimit)) return quarterTurns == 0 ? std::sin(x) : std::cos(x);
    // The quadrant from a double estimate is at worst one off near a
    // boundary; the polynomials stay accurate a little beyond pi/4.
    const double estimate = static_cast<double>(x) * 0.63661977236758134308 + 0x1.8p52;
    const long long k = static_cast<long long>(estimate - 0x1.8p52);
    const long double kl = static_cast<long double>(k);
    const long double y = ((x - kl * kHalfPi1) - kl * kHalfPi2) - kl * kHalfPi3;
    const long double z = y * y;
    switch ((k + quarterTurns) & 3) {
    case 0: return sinPoly(y, z);
    case 1: return cosPoly(z);
    case 2: return -sinPoly(y, z);
    default: return -cosPoly(z);
    }
}
} // namespace trig

// A built-in one-argument function.
[[gnu::always_inline]] inline long double applyFunction(Op op, long double x, int& error) {
    using namespace formula_error;
    const auto fail = [&error](int code) {
        error = code;
        return 0.0L;
    };
    switch (op) {
    case Op::Negate: return -x;
    case Op::Ln:
        if (!(x > 0.0L)) return fail(kDomain);
        return std::log(x);
    case Op::Log:
        if (!(x > 0.0L)) return fail(kDomain);
        return std::log10(x);
    case Op::Exp:
        if (x > kExpLimit) return fail(kOverflow);
        return std::exp(x);
    case Op::Sqr:
        if (std::fabs(x) > kSqrLimit) return fail(kOverflow);
        return x * x;
    case Op::Sqrt:
        if (x < 0.0L) return fail(kDomain);
        return std::sqrt(x);
    case Op::Sin: return trig::sinCos(x, 0);
    case Op::Cos: return trig::sinCos(x, 1);
    case Op::Tan: {
        const long double c = trig::sinCos(x, 1);
        if (c == 0.0L) return fail(kDomain);
        return trig::sinCos(x, 0) / c;
    }
    case Op::Asin:
        if (x == 1.0L) return kPi / 2;
        if (x == -1.0L) return -kPi / 2;
        if (x > -1.0L && x < 1.0L) return std::asin(x);
        return fail(kDomain);
    case Op::Acos:
        // Unlike ASIN, the ends 1 and -1 are outside the domain.
        if (x == 0.0L) return kPi / 2;
        if (x > -1.0L && x < 1.0L) return std::acos(x);
        return fail(kDomain);
    case Op::Atan: return std::atan(x);
    case Op::Sinh:
    case Op::Cosh:
    case Op::Tanh:
        if (std::fabs(x) > kExpLimit) return fail(kOverflow);
        return op == Op::Sinh ? std::sinh(x) : op == Op::Cosh ? std::cosh(x) : std::tanh(x);
    case Op::Abs: return std::fabs(x);
    case Op::Int: return std::trunc(x);
    case Op::Frac: return x - std::trunc(x);
    case Op::Sign: return x > 0.0L ? 1.0L : x < 0.0L ? -1.0L : 0.0L;
    default: return fail(kSyntax);
    }
}

// Binary operator on two values; `base` is the S form of the operator.
inline long double applyBinary(Op base, long double x, long double y, int& error) {
    switch (base) {
    case Op::AddS: return x + y;
    case Op::SubS: return x - y;
    case Op::MulS: return x * y;
    case Op::DivS:
        if (y == 0.0L) {
            error = formula_error::kDivisionByZero;
            return 0.0L;
        }
        return x / y;
    case Op::PowS: return power(x, y, error);
    default: error = formula_error::kSyntax; return 0.0L;
    }
}

} // namespace ovanto::formula_detail
