#include "elements/core/formula/conversion_error.h"
#include "elements/display/process_geometry.h"
#include "elements/display/process_patterns.h"

#include <gtest/gtest.h>

#include <limits>

namespace ovanto {
namespace {

TEST(ProcessGeometry, FillLevelRoundsTiesToEvenAndStaysInTheVessel) {
    constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
    const std::tuple<long double, int, int> cases[] = {
        {50, 80, 40}, {150, 80, 80}, {-10, 80, 0}, {kNaN, 80, 0}, {1e300L, 80, 80}, {62.5L, 4, 2}, {87.5L, 4, 4},
        {50, -80, -40},
    };
    for (const auto& [percent, h, f] : cases) EXPECT_EQ(FillLevel(percent, h), f) << static_cast<double>(percent);
}

TEST(ProcessGeometry, IntegerDivisionsAreTakenOnTheProduct) {
    // h = 70: Y(5) = y - 350 div 6 = y - 58, not y - 5 * (70 div 6) = y - 55.
    const auto coil = HeatingCoil(0, 100, 100, 30, 70);
    ASSERT_TRUE(coil);
    EXPECT_EQ((*coil)[6], QPoint(115, 42));
    EXPECT_EQ((*coil)[2], QPoint(115, 89));
    // h = 80: the agitator hub at y - 160 div 9 = y - 17, the shaft top at y - 560 div 8 = y - 70.
    const Agitator a = TankAgitator(100, 150, 50, 80);
    EXPECT_EQ(a.shaft.from, QPoint(125, 133));
    EXPECT_EQ(a.shaft.to, QPoint(125, 80));
    EXPECT_EQ(a.blade[0], QPoint(113, 129));
    EXPECT_EQ(a.blade[3], QPoint(137, 137));
    EXPECT_FALSE(HeatingCoil(4, 0, 0, 30, 70));
}

TEST(ProcessGeometry, ThreeWayPortsFollowOrientationAndJunction) {
    struct Case {
        int orientation, junction, common, a, b;
    };
    const Case cases[] = {{0, 1, 1, 4, 3},  {0, -2, 3, 4, 1}, {1, 3, 1, 4, 2}, {2, 2, 1, 2, 3},
                          {3, -1, 4, 3, 2}, {7, 1, 4, 3, 2},  {4, 3, 4, 3, 1}};
    for (const Case& c : cases) {
        const auto ports = Valve3PortsFor(c.orientation, c.junction);
        ASSERT_TRUE(ports) << c.orientation << " " << c.junction;
        EXPECT_EQ(ports->common, c.common);
        EXPECT_EQ(ports->a, c.a);
        EXPECT_EQ(ports->b, c.b);
    }
    for (const int junction : {0, 4, -4, 1000000000}) EXPECT_FALSE(Valve3PortsFor(0, junction)) << junction;
    const std::pair<int, int> missing[] = {{0, 2}, {1, 3}, {2, 4}, {3, 1}, {9, 3}};
    for (const auto& [o, branch] : missing) EXPECT_EQ(Valve3MissingBranch(o), branch) << o;
}

TEST(ProcessGeometry, FillColourBlendsOrSwitches) {
    constexpr TColor kOn = 0x00C800, kOff = 0x000064;
    const std::tuple<int, long double, long double, long double, TColor> cases[] = {
        {1, 5, 10, 0, 0x006432},  // halfway: (0 + 100) / 2 red, 200 / 2 green
        {1, 20, 10, 0, kOn},      {1, -5, 10, 0, kOff},
        {1, 5, 3, 3, kOff},       // OnValue = OffValue: the off colour
        {0, 4.99L, 5, 0, kOff},   {0, 5, 5, 0, kOn},
    };
    for (const auto& [mode, v, on, off, expected] : cases)
        EXPECT_EQ(FillColorFor(mode, v, on, off, kOn, kOff), expected) << static_cast<double>(v);
}

TEST(ProcessGeometry, PipeEndsCapAndShortenTheSides) {
    const Rect box{40, 53, 140, 60}; // HPIPE x 40, y 60, w 100, h 7
    struct Case {
        int left;
        int bottomFrom, topFrom;
        bool cap;
    };
    const Case cases[] = {{0, 40, 40, false}, {1, 40, 40, true}, {2, 47, 40, true},
                          {3, 40, 47, true},  {4, 47, 47, true}, {5, 47, 47, false}, {9, 40, 40, false}};
    for (const Case& c : cases) {
        const std::vector<Segment> s = PipeStrokes(true, box, c.left, 0);
        ASSERT_GE(s.size(), 2u);
        EXPECT_EQ(s[0].from, QPoint(c.bottomFrom, 59)) << c.left;
        EXPECT_EQ(s[1].from, QPoint(c.topFrom, 53)) << c.left;
        EXPECT_EQ(s[0].to.x(), 139);
        EXPECT_EQ(s.size(), c.cap ? 3u : 2u) << c.left;
    }
}

TEST(ProcessGeometry, AbsurdCountsAreBoundedByThePixels) {
    const auto spring = SpringLine(0, 0, 100, 20, 50, 1000000000, 0);
    ASSERT_TRUE(spring);
    EXPECT_LE(spring->size(), 60u);
    EXPECT_LE(Belt(0, 0, 200, 20, 0, 1000000000).wheels.size(), 201u);
    EXPECT_EQ(Belt(0, 0, 200, 20, 0, -5).wheels.size(), 2u);
    EXPECT_THROW(TankAgitator(2000000000, 0, 2000000000, 10), ConversionError);
}

TEST(ProcessPatterns, BitmapsAreTheTablesAndCopiesAreKeptWhileColoursStay) {
    // Horizontal 4, row 3 is ".#..#..#"; vertical 3, row 6 is ".#.....#".
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(PatternDot(PatternSet::Horizontal, 4, x, 3), x == 1 || x == 4 || x == 7) << x;
        EXPECT_EQ(PatternDot(PatternSet::Vertical, 3, x, 6), x == 1 || x == 7) << x;
    }
    int dots = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) dots += PatternDot(PatternSet::Horizontal, 2, x, y);
    EXPECT_EQ(dots, 16);
    EXPECT_FALSE(PatternDot(PatternSet::Horizontal, 5, 0, 4));

    PatternCopy copy;
    const QImage* first = copy.image(PatternSet::Horizontal, 1, 0x0000FF, 0xFFFFFF);
    ASSERT_NE(first, nullptr);
    const qint64 key = first->cacheKey();
    EXPECT_EQ(first->pixel(0, 4), 0xFFFF0000u); // "#" in the stroke colour (red)
    EXPECT_EQ(first->pixel(1, 4), 0xFFFFFFFFu);
    EXPECT_EQ(copy.image(PatternSet::Horizontal, 1, 0x0000FF, 0xFFFFFF)->cacheKey(), key);
    EXPECT_NE(copy.image(PatternSet::Horizontal, 1, 0x0000FF, 0xFFFFFE)->cacheKey(), key);
    EXPECT_EQ(copy.image(PatternSet::Vertical, 5, 0, 0), nullptr);
    EXPECT_EQ(copy.image(PatternSet::Vertical, -1, 0, 0), nullptr);
}

} // namespace
} // namespace ovanto
