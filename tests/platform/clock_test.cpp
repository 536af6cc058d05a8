#include "platform/clock.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

TEST(Clock, ElapsedSurvivesTheWrap) {
    EXPECT_EQ(Clock::elapsed(100, 350), 250u);
    EXPECT_EQ(Clock::elapsed(0xFFFFFFF0u, 0x10u), 0x20u);
    ManualClock clock(0xFFFFFF00u);
    const std::uint32_t start = clock.ticks();
    clock.advance(0x200);
    EXPECT_EQ(clock.ticks(), 0x100u);
    EXPECT_EQ(Clock::elapsed(start, clock.ticks()), 0x200u);
}

} // namespace
} // namespace ovanto
