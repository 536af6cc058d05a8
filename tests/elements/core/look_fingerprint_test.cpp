#include "elements/core/look_fingerprint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace ovanto {
namespace {

std::uint64_t hashOf(long double v) {
    LookHash hash;
    hash.add(std::uint64_t{7});
    hash.add(v);
    hash.add(std::uint64_t{9});
    return hash.value();
}

// A look that changes in one value must never keep its hash: every bit of an
// 80-bit value counts, sign and exponent as much as the last mantissa bit.
TEST(LookHash, EveryBitOfAValueCounts) {
    constexpr int kBits = std::numeric_limits<long double>::digits == 64 ? 80 : 8 * sizeof(long double);
    for (const long double v : {0.0L, 1.0L, -3.5L, 1e300L, std::numeric_limits<long double>::denorm_min()}) {
        const std::uint64_t before = hashOf(v);
        EXPECT_NE(hashOf(std::nextafter(v, 2e300L)), before) << static_cast<double>(v);
        for (int bit = 0; bit < kBits; ++bit) {
            long double flipped = v;
            unsigned char bytes[sizeof(long double)];
            std::memcpy(bytes, &flipped, sizeof bytes);
            bytes[bit / 8] = static_cast<unsigned char>(bytes[bit / 8] ^ (1u << (bit % 8)));
            std::memcpy(&flipped, bytes, sizeof bytes);
            EXPECT_NE(hashOf(flipped), before) << static_cast<double>(v) << " bit " << bit;
        }
    }
}

} // namespace
} // namespace ovanto
