#pragma once

#include <cmath>

namespace ovanto {

// Ties to even, as std::nearbyint in the default rounding mode, without its
// round trip through the floating-point environment, which made rounding the
// dearest step of drawing curved outlines and scale marks. Adding 1.5 * 2^63
// leaves no fraction bits, so the hardware rounds the sum and the difference
// is exact.
inline long double RoundHalfEven(long double value) {
    if (!(std::fabs(value) < 0x1p62L)) return std::nearbyint(value);
    constexpr long double kShift = 0x1.8p63L;
    return (value + kShift) - kShift;
}

} // namespace ovanto
