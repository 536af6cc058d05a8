#include "chart/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ovanto::chart {
namespace {

// 400 pixels of axis at one world unit, digits of 10 pixels, text of 15.
AxisRoom Room(bool isX = true, int timeMode = 0, bool tight = false) {
    AxisRoom r;
    r.length = 1;
    r.pixel = 1.0f / 400;
    r.labelUnit = (isX ? 10.0f : 15.0f) / 400;
    r.isX = isX;
    r.timeMode = timeMode;
    r.tight = tight;
    return r;
}

struct NiceCase {
    double a, b;
    int timeMode;
    bool tight;
    float low, high, step;
};

TEST(ChartAxisScale, NiceLinearAxesOverManyRanges) {
    const NiceCase cases[] = {
        {0, 1, 0, false, 0, 1, 0.2f},
        {0, 10, 0, false, 0, 10, 2},
        {-3.2, 7.5, 0, false, -4, 8, 2},
        {7.5, -3.2, 0, false, -4, 8, 2}, // swapped ends
        {0, 120000, 0, false, 0, 120000, 20000},
        {100, 101, 0, false, 100, 101, 0.2f},
        {-10, -2, 0, false, -10, -2, 1},
        {0, 600, 1, false, 0, 600, 120},
        {0, 50, 1, false, 0, 50, 10},      // below 60: decimal steps
        {0, 360, 2, false, 0, 360, 90},
        {0.3, 0.9, 0, true, 0.3f, 0.9f, 0.1f},
    };
    for (const NiceCase& c : cases) {
        const AxisScale s = NiceLinearAxis(c.a, c.b, Room(true, c.timeMode, c.tight));
        SCOPED_TRACE(testing::Message() << c.a << ".." << c.b << " mode " << c.timeMode);
        EXPECT_FLOAT_EQ(s.low, c.low);
        EXPECT_FLOAT_EQ(s.high, c.high);
        EXPECT_FLOAT_EQ(s.step, c.step);
        EXPECT_LE(s.firstTick, static_cast<float>(std::min(c.a, c.b)) + 1e-4f);
        EXPECT_GE(s.lastTick + 1e-4f, c.tight ? s.firstTick : static_cast<float>(std::max(c.a, c.b)));
    }
}

TEST(ChartAxisScale, SeriesSpreadAndBadValues) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::vector<float> values;
        double min, max;
    } cases[] = {
        {{0, 0, 0}, -1, 1},
        {{5, 5}, 4.75, 5.25},
        {{-2}, -2.1, -1.9},
        {{}, 0, 1},
        {{nan, inf}, 0, 1},
        {{nan, 3, -inf, 4}, 3, 4},
    };
    for (const Case& c : cases) {
        const DataRange r = ValueRange(c.values);
        EXPECT_NEAR(r.min, c.min, 1e-6);
        EXPECT_NEAR(r.max, c.max, 1e-6);
    }
}

TEST(ChartAxisScale, LogarithmicQualificationAndDecades) {
    EXPECT_FALSE(QualifiesLog(1, 5));
    EXPECT_FALSE(QualifiesLog(0, 1000));
    EXPECT_FALSE(QualifiesLog(-1, 1000));
    EXPECT_TRUE(QualifiesLog(1, 9.999));
    EXPECT_FALSE(AutoAxis(1, 5, Room(), true).log);
    const AxisScale s = AutoAxis(2, 3000, Room(), true);
    ASSERT_TRUE(s.log);
    EXPECT_FLOAT_EQ(s.firstTick, 0);
    EXPECT_FLOAT_EQ(s.lastTick, 4);
    EXPECT_FLOAT_EQ(s.low, 0);
    EXPECT_FLOAT_EQ(s.high, 4);
    const AxisScale tight = AutoAxis(2, 3000, Room(true, 0, true), true);
    EXPECT_NEAR(tight.low, std::log10(2.0f), 1e-6);
}

TEST(ChartAxisScale, FixedRangeIntervals) {
    struct Case {
        double low, high;
        int count;
        float step;
    } cases[] = {
        {0, 10, 5, 2},
        {2, 3, 0, 1.0f / 9},  // from the room: rnd(1 / (3 * 15/400)) = 9
        {-1, 1, 1, 1},        // at least two intervals across zero
        {5, 5, 2, 0.25f},     // an empty range is spread
        {0, 1, 100000, 1.0f / kMaxMajorTicks},
    };
    for (const Case& c : cases) {
        const AxisScale s = FixedAxis(c.low, c.high, c.count, 0, Room(false));
        EXPECT_FLOAT_EQ(s.step, c.step) << c.low << ".." << c.high;
        EXPECT_EQ(s.subdivisions, 1);
    }
}

TEST(ChartAxisScale, TicksStayBoundedAndInside) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const AxisScale cases[] = {
        NiceLinearAxis(0, 1e30, Room()),
        NiceLinearAxis(-3e38, 3e38, Room()),
        NiceLinearAxis(nan, 1, Room()),
        NiceLinearAxis(1e7, 1e7 + 1, Room()),
        AutoAxis(1e-30, 1e30, Room(), true),
        FixedAxis(0, 1, 5, 9, Room()),
    };
    for (const AxisScale& s : cases) {
        const std::vector<Tick> ticks = AxisTicks(s, 1, 1.0f / 400);
        EXPECT_LE(ticks.size(), static_cast<size_t>(kMaxMajorTicks * 10 * 9));
        for (const Tick& t : ticks) {
            EXPECT_GE(t.position, -0.01f);
            EXPECT_LE(t.position, 1.01f);
        }
    }
    // minor and medium ticks of 0..10 step 2 in four subdivisions, medium every second
    AxisScale s = NiceLinearAxis(0, 10, Room());
    s.subdivisions = 4;
    s.medium = 2;
    int levels[3] = {0, 0, 0};
    for (const Tick& t : AxisTicks(s, 1)) ++levels[t.level];
    EXPECT_EQ(levels[2], 6);
    EXPECT_EQ(levels[1], 5);
    EXPECT_EQ(levels[0], 10);
}

TEST(ChartAxisScale, LabelFormats) {
    struct Case {
        float low, high;
        std::vector<float> labels;
        int exponent, decimals;
        const char* first;
    } cases[] = {
        {0, 120000, {0, 20000, 120000}, 3, 0, "0"},
        {0, 1, {0, 0.2f, 0.4f}, 0, 1, "0.0"},
        {0, 0.0005f, {0, 0.0001f}, -3, 1, "0.0"},
        {0, 0, {0}, 0, 0, "0"},
        {-1.5f, 1.5f, {-1.5f, 0}, 0, 1, "-1.5"},
        {0, 1, {0.123456f}, 0, 5, "0.12346"},
    };
    for (const Case& c : cases) {
        const LabelFormat f = ChooseLabelFormat(c.low, c.high, c.labels);
        EXPECT_EQ(f.exponent, c.exponent) << c.low << ".." << c.high;
        EXPECT_EQ(f.decimals, c.decimals) << c.low << ".." << c.high;
        EXPECT_EQ(FormatLabel(c.labels.front(), f), c.first);
    }
}

TEST(ChartAxisScale, LabelCollisions) {
    const Span xs[] = {{0, 20}, {25, 45}, {30, 50}, {53, 70}, {60, 80}};
    EXPECT_EQ(KeepXLabels(xs), (std::vector<bool>{true, false, true, false, true}));
    const int baselines[] = {300, 280, 275, 250, 0};
    EXPECT_EQ(KeepYLabels(baselines, 15), (std::vector<bool>{true, false, true, true, true}));
}

} // namespace
} // namespace ovanto::chart
