#include "elements/display/instrument_geometry.h"

#include "elements/core/format_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace ovanto {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

TEST(InstrumentGeometry, MarksAreOnePerPixelAndOnlyWhereAsked) {
    struct Case {
        long long count;
        long double base, span;
        long long lo, hi;
        std::vector<long long> expected;
    };
    const Case cases[] = {
        {6, 0, 97, -1000, 1000, {0, 1, 2, 3, 4, 5}},        // 0, 19.4, ... 97
        {6, 0, 97, 30, 60, {2, 3}},                         // 38.8 and 58.2 only
        {5, 0, 5, 0, 10, {0, 1, 2, 3, 4}},                  // 2.5 rounds to 2, 3.75 to 4
        {3, 0, -10, -20, 0, {0, 1, 2}},                     // a negative span runs downwards
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkIndexes(c.count, c.base, c.span, static_cast<long double>(c.count - 1), c.lo, c.hi), c.expected)
            << c.count << " " << static_cast<double>(c.span);
    }
    // A billion marks over ten pixels: ten marks, each on its own pixel, in rising order.
    const std::vector<long long> dense = MarkIndexes(1000000000, 0, 9, 999999999, 0, 9);
    ASSERT_EQ(dense.size(), 10u);
    for (std::size_t i = 0; i < dense.size(); ++i)
        EXPECT_EQ(MarkPosition(dense[i], 0, 9, 999999999), static_cast<long long>(i));
    EXPECT_TRUE(MarkIndexes(0, 0, 10, 1, 0, 10).empty());
    EXPECT_TRUE(MarkIndexes(5, kNaN, 10, 4, 0, 10).empty());
}

TEST(InstrumentGeometry, NeedleClampsRestsBeyondTheStopsAndNeedsARange) {
    const MeterLayout m = MeterLayoutFor(100, 150, 100, 60, 60, true);
    const long double top = m.a0 + m.sweep;
    struct Case {
        long double value;
        std::optional<long double> angle;
    };
    const Case cases[] = {
        {ShownValue(-99999, -1), m.a0},  // no channel: exactly the low stop, no over-range offset
        {-1, m.a0},
        {0, m.a0 + m.sweep / 2},
        {5, top + 0.1L},
        {-1.5, m.a0 - 0.1L},
        {kNaN, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto a = NeedleAngle(m, c.value, -1, 1);
        ASSERT_EQ(a.has_value(), c.angle.has_value()) << static_cast<double>(c.value);
        if (a) {
            EXPECT_NEAR(static_cast<double>(*a), static_cast<double>(*c.angle), 1e-12);
        }
    }
    EXPECT_FALSE(NeedleAngle(m, 3, 2, 2));
    EXPECT_NEAR(static_cast<double>(m.a0), std::atan(90.0 / 100.0), 1e-12); // f = 45
    EXPECT_EQ(m.cx, 150);
    EXPECT_EQ(m.d, 36);
    EXPECT_EQ(m.needle, 38); // 1.05 * 36 = 37.8
    EXPECT_EQ(MeterLayoutFor(0, 0, 100, 60, 60, false).needle, 40); // 1.1 * 36
}

TEST(InstrumentGeometry, ScaleArcThicknessAndRedZoneLimits) {
    const std::pair<long long, long long> thickness[] = {{49, 0}, {50, 0}, {51, 1}, {150, 1}, {151, 2}};
    for (const auto& [h, m] : thickness) EXPECT_EQ(MeterLayoutFor(0, 0, 100, h, 60, true).m, m) << h;
    EXPECT_FALSE(HasRedZone(-1, -10000, 1));
    EXPECT_FALSE(HasRedZone(-1, -1, 1));
    EXPECT_FALSE(HasRedZone(-1, 1, 1));
    EXPECT_FALSE(HasRedZone(1, 0.5, 1));
    EXPECT_TRUE(HasRedZone(-1, 0.5, 1));
    // A zero width meter does not divide by zero.
    EXPECT_TRUE(std::isfinite(MeterLayoutFor(0, 0, 0, 60, 60, true).a0));
}

TEST(InstrumentGeometry, BarLengthsSaturateAndRefuseUndefinedValues) {
    struct Case {
        long long size;
        int inset;
        long double value, low, high;
        std::optional<long long> length;
    };
    const Case cases[] = {
        {100, 3, 0, 0, 1, 0},    {100, 3, 0.5, 0, 1, 47},  {100, 3, 1, 0, 1, 97},     {100, 3, 2, 0, 1, 97},
        {100, 3, -1, 0, 1, 0},   {100, 3, 1e300, 0, 1, 97}, {100, 4, 1, 0, 1, 96},    {100, 3, kNaN, 0, 1, std::nullopt},
        {100, 3, 1, 1, 1, std::nullopt}, {2, 4, 1, 0, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BarLength(c.size, c.inset, c.value, c.low, c.high), c.length) << static_cast<double>(c.value);
}

TEST(InstrumentGeometry, BarGraphPiecesPerMode) {
    struct Case {
        const char* name;
        BarGraphInput in;
        bool symmetric;
        long long zeroRow;
        int zeroLine;
        std::vector<BarPiece> pieces;
    };
    const auto input = [](long double low, long double high, long double v, int mode, int zero = 0) {
        return BarGraphInput{.length = 102, .low = low, .high = high, .value = v, .symmMode = mode, .showZeroLine = zero};
    };
    const Case cases[] = {
        {"three ranges", input(0, 1, 0.9, 0), false, -1, 0, {{-1, -51, 1}, {-50, -76, 2}, {-75, -91, 3}}},
        {"mode 1 without a negative range", input(0, 1, 0.9, 1), false, -1, 0, {{-1, -51, 1}, {-50, -76, 2}, {-75, -91, 3}}},
        {"below the first threshold", input(0, 1, 0.3, 0), false, -1, 0, {{-1, -31, 1}}},
        {"symmetric up", input(-1, 1, 0.6, 1), true, -51, 3, {{-51, -76, 1}, {-75, -81, 2}}},
        {"symmetric down", input(-1, 1, -0.6, 1), true, -51, 3, {{-49, -26, 1}, {-27, -21, 2}}},
        {"mode 2 down, no zero line", input(-1, 1, -0.6, 2), true, -51, 0, {{-50, -21, 2}}},
        {"mode 2 with zero line", input(-1, 1, 0.9, 2, 1), true, -51, 1, {{-50, -96, 1}}},
        {"huge value stays in the bar", input(0, 1, 1e300, 0), false, -1, 0, {{-1, -51, 1}, {-50, -76, 2}, {-75, -100, 3}}},
    };
    for (const Case& c : cases) {
        const BarGraphLayout l = BarGraphPieces(c.in);
        EXPECT_TRUE(l.drawBar) << c.name;
        EXPECT_EQ(l.symmetric, c.symmetric) << c.name;
        EXPECT_EQ(l.zeroRow, c.zeroRow) << c.name;
        EXPECT_EQ(l.zeroLineWidth, c.zeroLine) << c.name;
        EXPECT_EQ(l.pieces, c.pieces) << c.name;
    }
    EXPECT_FALSE(BarGraphPieces(input(1, 1, 1, 0)).drawBar);
    EXPECT_FALSE(BarGraphPieces(input(0, 1, kNaN, 0)).drawBar);
}

TEST(InstrumentGeometry, MercuryStopsBelowTheTubeTopNotAtTheScaleTop) {
    EXPECT_EQ(ThermometerScale(20, 100), 70);
    EXPECT_EQ(MercuryHeight(20, 100, 100, 0, 100), 70);
    EXPECT_EQ(MercuryHeight(20, 100, 200, 0, 100), 79); // h - w - 1
    EXPECT_EQ(MercuryHeight(20, 100, -5, 0, 100), 0);
    EXPECT_EQ(MercuryHeight(20, 100, 5, 7, 7), std::nullopt);
}

TEST(InstrumentGeometry, ProgressPositionIsHeldWithinTheControlRange) {
    const std::pair<long double, std::optional<int>> cases[] = {
        {0.5, 50}, {2, 100}, {-1, 0}, {1e300, 100}, {-1e300, 0}, {kNaN, std::nullopt}};
    for (const auto& [v, p] : cases) EXPECT_EQ(ProgressPosition(v, 0, 1), p) << static_cast<double>(v);
    EXPECT_EQ(ProgressPosition(1, 1, 1), std::nullopt);
}

TEST(InstrumentGeometry, ShadingFindsTheInnerEdgesAndNeverLeavesItsArea) {
    // A black frame around (2, 2)..(8, 8) inside a 12 x 12 area.
    const auto frame = [](int x, int y) { return x == 1 || x == 9 || y == 1 || y == 9; };
    const ShadingPixels s = WalkShading({5, 5}, Rect{0, 0, 12, 12}, frame);
    ASSERT_FALSE(s.first.empty());
    for (const QPoint& p : s.first) EXPECT_TRUE(p.x() == 8 || p.y() == 8) << p.x() << "," << p.y();
    for (const QPoint& p : s.second) EXPECT_TRUE(p.x() == 2 || p.y() == 2) << p.x() << "," << p.y();
    EXPECT_EQ(s.first.size(), 14u); // 7 rows + 7 columns
    // Without an outline nothing is found, and nothing outside the area is asked for.
    bool outside = false;
    const ShadingPixels none = WalkShading({5, 5}, Rect{0, 0, 12, 12}, [&](int x, int y) {
        outside = outside || x < 0 || y < 0 || x >= 12 || y >= 12;
        return false;
    });
    EXPECT_TRUE(none.first.empty() && none.second.empty());
    EXPECT_FALSE(outside);
}

TEST(InstrumentGeometry, ScaleLabelsAreShortAndTrimmed) {
    EXPECT_EQ(ScaleLabel(0.5L), "0.5");
    EXPECT_EQ(ScaleLabel(MarkValue(2, 5, 0, 1)), "0.5");
    EXPECT_EQ(ScaleLabel(100), "100");
    EXPECT_EQ(ScaleLabel(-0.25L), "-0.25");
    EXPECT_EQ(ScaleLabel(1.0L / 3), "0.333");
}

// Labels are kept per value: asked again, in any order, a value keeps its own
// text, zero and minus zero included.
TEST(InstrumentGeometry, KeptScaleLabelsStayWithTheirValue) {
    const long double values[] = {0.0L, -0.0L, 0.5L, 1e-7L, 1e-7L + 1e-25L, -1e30L, 256.0L, 0.0L};
    std::vector<QString> first;
    for (const long double v : values) first.push_back(FormatFloatField(v, 'g', 6, 3).trimmed());
    for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(ScaleLabel(values[i]), first[i]) << i;
}

} // namespace
} // namespace ovanto
