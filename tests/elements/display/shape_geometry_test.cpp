#include "elements/core/formula/conversion_error.h"
#include "elements/display/shape_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace ovanto {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(ShapeGeometry, ArrowHeadTipAndBaseCorners) {
    struct Case {
        float angle;
        int size;
        QPoint a, b; // base corners for a tip at (100, 100)
    };
    const Case cases[] = {
        {0.0f, 1, {91, 103}, {91, 97}},
        {0.0f, 2, {82, 106}, {82, 94}},
        {static_cast<float>(kPi / 2), 1, {97, 91}, {103, 91}}, // pointing down
        {static_cast<float>(kPi), 1, {109, 97}, {109, 103}},
        // At 45 degrees the corners are rounded one by one: 100 - 6.364 -+ 2.121.
        {static_cast<float>(kPi / 4), 1, {92, 96}, {96, 92}},
    };
    for (const Case& c : cases) {
        const auto head = ArrowHead({100, 100}, c.angle, c.size);
        EXPECT_EQ(head[0], QPoint(100, 100));
        EXPECT_EQ(head[1], c.a) << c.angle;
        EXPECT_EQ(head[2], c.b) << c.angle;
    }
}

TEST(ShapeGeometry, LineAngleOfVerticalLinesPointsUpUnlessItGoesDown) {
    struct Case {
        QPoint p1;
        long double expected;
    };
    const Case cases[] = {
        {{10, 0}, 0}, {{0, 10}, kPi / 2}, {{0, -10}, -kPi / 2}, {{0, 0}, -kPi / 2}, {{-10, 0}, kPi}, {{10, 10}, kPi / 4},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(LineAngle({0, 0}, c.p1), static_cast<float>(c.expected)) << c.p1.x() << "," << c.p1.y();
}

TEST(ShapeGeometry, BarLayoutByLineType) {
    struct Case {
        int type, edge, core, half;
    };
    const Case cases[] = {{3, 1, 1, 0}, {5, 1, 3, 1}, {6, 2, 2, 1}, {9, 2, 5, 2}, {10, 3, 4, 2}, {15, 3, 9, 4}};
    for (const Case& c : cases) {
        const BarLayout bar = BarLayoutFor(c.type);
        EXPECT_EQ(bar.edge, c.edge) << c.type;
        EXPECT_EQ(bar.core, c.core) << c.type;
        EXPECT_EQ(bar.half, c.half) << c.type;
    }
}

TEST(ShapeGeometry, ShadesScaleEachComponent) {
    EXPECT_EQ(LighterColor(rgbColor(100, 50, 200)), rgbColor(140, 70, 255));
    EXPECT_EQ(LighterColor(rgbColor(0, 183, 182)), rgbColor(0, 255, 255)); // 256.2 clamps, 254.8 rounds up
    EXPECT_EQ(DarkerColor(rgbColor(100, 50, 200)), rgbColor(71, 36, 143));
    EXPECT_EQ(DarkerColor(rgbColor(255, 1, 0)), rgbColor(182, 1, 0));
}

TEST(ShapeGeometry, RingSectorHas204PointsFromAlphaToBetaAndBack) {
    const auto points = RingSector(40, 60, 20, 30, 0, kPi / 2);
    ASSERT_EQ(points.size(), 204u);
    EXPECT_EQ(points[0], QPoint(60, 60));
    EXPECT_EQ(points[100], QPoint(40, 40));
    EXPECT_EQ(points[101], QPoint(40, 40));
    EXPECT_EQ(points[102], QPoint(40, 30));
    EXPECT_EQ(points[202], QPoint(70, 60));
    EXPECT_EQ(points[203], QPoint(70, 60));
    EXPECT_EQ(points[50], QPoint(54, 46)); // 45 degrees: 14.14 each way

    const auto flat = RingSector(0, 0, 5, 10, 1, 1);
    EXPECT_EQ(flat.size(), 204u);
    EXPECT_EQ(PointBox(flat), (Rect{3, -8, 5, -4}));
}

TEST(ShapeGeometry, ParallelogramCorners) {
    const auto upright = Parallelogram(40, 60, 50, 30, 0, kPi / 2);
    EXPECT_EQ(upright[1], QPoint(90, 60));
    EXPECT_EQ(upright[2], QPoint(90, 30));
    EXPECT_EQ(upright[3], QPoint(40, 30));
    const auto turned = Parallelogram(0, 0, 10, 10, kPi / 2, kPi / 2);
    EXPECT_EQ(turned[1], QPoint(0, -10));
    EXPECT_EQ(turned[2], QPoint(-10, -10));
}

TEST(ShapeGeometry, CoordinatesOutsideTheIntRangeRaise) {
    EXPECT_EQ(ToCoord(2.5L), 2);
    EXPECT_EQ(ToCoord(-3.5L), -4);
    EXPECT_EQ(ToCoord(2147483647.0L), 2147483647);
    EXPECT_THROW(ToCoord(2147483648.0L), ConversionError);
    EXPECT_THROW(ToCoord(std::numeric_limits<long double>::quiet_NaN()), ConversionError);
    EXPECT_THROW(RingSector(2000000000, 0, 2000000000, 2000000000, 0, 0), ConversionError);
    EXPECT_THROW(ToSingle(1e300L), ConversionError);
    EXPECT_THROW(InflateBox({2147483640, 0, 2147483647, 0}, 5), ConversionError);
}

} // namespace
} // namespace ovanto
