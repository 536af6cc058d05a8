#include "elements/display/shape_geometry.h"

#include <gtest/gtest.h>

#include <numbers>

namespace ovanto {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(ShapeGeometry, ArrowHeadCornersAreRoundedOneByOne) {
    struct Case {
        float angle;
        int size;
        QPoint a, b; // base corners for a tip at (100, 100)
    };
    const Case cases[] = {
        {0.0f, 2, {82, 106}, {82, 94}},
        {static_cast<float>(kPi / 2), 1, {97, 91}, {103, 91}}, // pointing down
        {static_cast<float>(kPi / 4), 1, {92, 96}, {96, 92}},  // 100 - 6.364 -+ 2.121
    };
    for (const Case& c : cases) {
        const auto head = ArrowHead({100, 100}, c.angle, c.size);
        EXPECT_EQ(head[0], QPoint(100, 100));
        EXPECT_EQ(head[1], c.a) << c.angle;
        EXPECT_EQ(head[2], c.b) << c.angle;
    }
}

TEST(ShapeGeometry, RingSectorHas204PointsFromAlphaToBetaAndBack) {
    const auto points = RingSector(40, 60, 20, 30, 0, kPi / 2);
    ASSERT_EQ(points.size(), 204u);
    const std::pair<int, QPoint> probes[] = {{0, {60, 60}},   {50, {54, 46}},  {100, {40, 40}}, {101, {40, 40}},
                                             {102, {40, 30}}, {202, {70, 60}}, {203, {70, 60}}};
    for (const auto& [i, p] : probes) EXPECT_EQ(points[static_cast<std::size_t>(i)], p) << i;
}

} // namespace
} // namespace ovanto
