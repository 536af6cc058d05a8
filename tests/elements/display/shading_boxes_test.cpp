#include "elements/display/instrument_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ovanto {
namespace {

using Points = std::vector<QPoint>;

Points Sorted(Points points) {
    std::sort(points.begin(), points.end(),
              [](QPoint a, QPoint b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

// The thermometer fills its shading as boxes: they must paint each shading
// pixel once and nothing else, in as few boxes as columns and rows allow.
TEST(ShadingBoxes, CoverEveryPixelOnceInFewBoxes) {
    struct Case {
        Points pixels;
        std::size_t boxes;
    };
    const Case cases[] = {
        {{}, 0},
        {{{3, 4}}, 1},
        // A glass edge down one column, walked twice.
        {{{7, 10}, {7, 11}, {7, 12}, {7, 13}, {7, 11}}, 1},
        // A bulb bottom across a row, then a column with one pixel beside it.
        {{{2, 9}, {3, 9}, {4, 9}, {6, 9}}, 2},
        {{{5, 1}, {5, 2}, {5, 3}, {6, 3}, {8, 3}, {9, 3}}, 3},
        {{{-2, -1}, {0, 0}, {1, 1}, {2, 2}}, 4},
    };
    for (const Case& c : cases) {
        const std::vector<Rect> boxes = PixelBoxes(c.pixels);
        EXPECT_EQ(boxes.size(), c.boxes);
        Points painted;
        for (const Rect& r : boxes) {
            ASSERT_TRUE(r.right - r.left == 1 || r.bottom - r.top == 1);
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) painted.emplace_back(x, y);
        }
        EXPECT_EQ(painted.size(), Sorted(painted).size()) << "a pixel painted twice";
        EXPECT_EQ(Sorted(painted), Sorted(c.pixels));
    }
}

} // namespace
} // namespace ovanto
