#include "elements/display/round_half_even.h"
#include "elements/display/shape_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace ovanto {
namespace {

// Rounding is done without nearbyint; it must agree with it (ties to even) everywhere.
TEST(CoordRounding, AgreesWithNearbyInt) {
    const long double tiny = 1e-15L;
    const long double cases[] = {0.5L,  1.5L,   2.5L,   -0.5L,   -1.5L,       -2.5L,        0.49999999999L,
                                 -0.49999999999L, 2.5L + tiny, 2.5L - tiny, -3.5L + tiny, 1048575.5L, -1048576.5L,
                                 0.0L,  -0.0L,  7.0L,   2147483647.4L, -2147483648.4L};
    for (const long double v : cases) EXPECT_EQ(ToCoord(v), static_cast<int>(std::nearbyint(v))) << static_cast<double>(v);
    for (const long double v : {0x1p62L + 0.5L, -0x1p62L - 1.5L, 0x1p70L, -0x1p63L + 0.5L, 1e-30L, -2.5L})
        EXPECT_EQ(RoundHalfEven(v), std::nearbyint(v)) << static_cast<double>(v);
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> halves(-4'000'000, 4'000'000);
    std::uniform_int_distribution<int> thirds(-3, 3);
    for (int i = 0; i < 20'000; ++i) {
        const long double v = halves(engine) / 2.0L + thirds(engine) * 1e-12L;
        ASSERT_EQ(ToCoord(v), static_cast<int>(std::nearbyint(v))) << static_cast<double>(v);
        ASSERT_EQ(RoundHalfEven(v * 1024.0L), std::nearbyint(v * 1024.0L)) << static_cast<double>(v);
    }
    EXPECT_THROW(ToCoord(2147483648.0L), std::exception);
    EXPECT_THROW(ToCoord(NAN), std::exception);
}

} // namespace
} // namespace ovanto
