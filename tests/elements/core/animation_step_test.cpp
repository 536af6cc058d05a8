#include "elements/core/animation_step.h"
#include "elements/core/fake_element_context.h"
#include "platform/random_source.h"

#include <gtest/gtest.h>

#include <limits>

namespace ovanto::testing {
namespace {

TEST(AnimationStep, StepsOnlyInARunOutsideDesignModeAfterMoreThanTheDelay) {
    constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        bool design, running;
        std::uint32_t elapsed;
        long double delay;
        bool due;
    };
    const Case cases[] = {
        {false, true, 31, 30, true},  {false, true, 30, 30, false}, {false, true, 0, -1, true},
        {true, true, 1000, 30, false}, {false, false, 1000, 30, false}, {false, true, 1000, kNaN, false},
        {false, true, 1000, 1e300L, false}, {false, true, 31, 30.4L, true}, {false, true, 30, 29.6L, false},
    };
    for (const Case& c : cases) {
        FakeElementContext window;
        window.manualClock.setTicks(0xFFFFFFF0u); // the step spans the wrap of the tick counter
        AnimationStep step(window);
        window.design = c.design;
        window.running = c.running;
        window.manualClock.advance(c.elapsed);
        EXPECT_EQ(step.due(window, c.delay), c.due) << c.elapsed << " ms, delay " << static_cast<double>(c.delay);
        // At most one step per paint: the same tick never steps twice unless the delay is negative.
        if (c.due && c.delay >= 0) {
            EXPECT_FALSE(step.due(window, c.delay));
        }
    }
}

TEST(AnimationStep, PhasesWrapInBothDirections) {
    const std::pair<long long, int> cases[][2] = {{{8, 0}, {-1, 7}}, {{-2, 6}, {17, 1}}};
    for (const auto& pair : cases)
        for (const auto& [phase, wrapped] : pair) EXPECT_EQ(WrapPhase(phase, 8), wrapped) << phase;
    EXPECT_EQ(WrapPhase(5, 0), 0);
}

TEST(RandomSource, SequenceDoubleAnswersInTurnAndStaysInRange) {
    SequenceRandom random({0.0, 0.999, 1.5, -3.0});
    ScopedOverride<RandomSource> use(random);
    RandomSource& r = RandomSource::instance();
    EXPECT_EQ(r.below(2), 0);
    EXPECT_EQ(r.below(2), 1);
    EXPECT_EQ(r.below(8), 7); // 1.5 is clamped below 1
    EXPECT_EQ(r.below(8), 0);
    EXPECT_EQ(r.below(0), 0);
    EXPECT_EQ(random.calls(), 4u);
}

} // namespace
} // namespace ovanto::testing
