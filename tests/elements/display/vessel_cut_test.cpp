// The tank paints its back only above the liquid and its outlines without
// straight in-between points; both must leave every pixel as the whole inside
// under the liquid and the full outline gave.
#include "process_scene.h"

#include "elements/display/process_geometry.h"
#include "platform/canvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <vector>

namespace ovanto {
namespace {

constexpr TColor kBack = 0x00FFFF;
constexpr TColor kLiquid = 0xFF0000;

QImage Blank() {
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Fill(Canvas& canvas, std::span<const QPoint> points, TColor color) {
    canvas.setPenStyle(PenStyle::Clear);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(color);
    canvas.polygon(points);
}

void Stroke(QImage& image, std::span<const QPoint> points, int width, bool closed) {
    Canvas canvas(image);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(width);
    canvas.setBrushStyle(BrushStyle::Clear);
    if (closed) canvas.polygon(points);
    else canvas.polyline(points);
}

struct Vessel {
    int shape, w, h;
};
// Round ends of whole and half rows, cones steep and flat, a vessel upside down.
constexpr Vessel kVessels[] = {{0, 40, 50}, {1, 33, 21}, {2, 60, 45}, {2, 31, 80}, {3, 45, 45}, {3, 40, 23},
                               {4, 60, 45}, {5, 34, 90}, {5, 50, 17}, {2, 40, -50}};

TEST(VesselCut, BackAboveTheSurfaceAndLiquidBelowGiveTheWholeInsideUnderTheLiquid) {
    int exact = 0, whole = 0;
    for (const Vessel& v : kVessels) {
        const std::vector<QPoint> inside = TankVessel(v.shape, 10, 100, v.w, v.h).points;
        const std::vector<QPoint> joined = WithoutStraightVertices(inside);
        for (int row = 100 - std::max(v.h, 0) - 1; row <= 100 - std::min(v.h, 0) + 1; ++row) {
            const std::optional<std::vector<QPoint>> above = ClipAboveExact(joined, row);
            if (!above) {
                ++whole;
                continue;
            }
            ++exact;
            QImage before = Blank(), after = Blank();
            {
                Canvas canvas(before);
                Fill(canvas, inside, kBack);
                Fill(canvas, ClipBelow(inside, row), kLiquid);
            }
            {
                Canvas canvas(after);
                Fill(canvas, *above, kBack);
                Fill(canvas, ClipBelow(joined, row), kLiquid);
            }
            ASSERT_EQ(before, after) << v.shape << " " << v.w << "x" << v.h << " row " << row;
        }
    }
    // Most surfaces cut exactly; slanted cone walls sometimes do not.
    EXPECT_GT(exact, 10 * whole);
    EXPECT_GT(whole, 0);
}

TEST(VesselCut, CutsOffThePixelGridOrWithRoundedSlopesAreRefused) {
    const std::vector<QPoint> square = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    EXPECT_EQ(ClipAboveExact(square, 4), (std::vector<QPoint>{{0, 0}, {0, 4}, {10, 4}, {10, 0}}));
    // A 10-row edge crossing 3 columns: row 4 lies between pixels.
    EXPECT_EQ(ClipAboveExact(std::vector<QPoint>{{0, 0}, {3, 10}, {10, 0}}, 4), std::nullopt);
    // A vertex on the row is a cut on a pixel; without it the edge still meets
    // the row at (2, 3), but steps 4/6 of a pixel per row, which 16.16 rounds.
    EXPECT_TRUE(ClipAboveExact(std::vector<QPoint>{{0, 0}, {2, 3}, {4, 6}, {10, 0}}, 3).has_value());
    EXPECT_EQ(ClipAboveExact(std::vector<QPoint>{{0, 0}, {4, 6}, {10, 0}}, 3), std::nullopt);
}

TEST(VesselCut, OnlyPointsOnExactlySteppedStraightRunsAreLeftOut) {
    using Points = std::vector<QPoint>;
    const std::pair<Points, Points> cases[] = {
        {{{0, 0}, {0, 3}, {0, 7}, {5, 7}, {9, 7}}, {{0, 0}, {0, 7}, {9, 7}}},
        {{{0, 0}, {2, 1}, {4, 2}, {6, 3}}, {{0, 0}, {6, 3}}},
        // Back the way it came, a kink, and steps of 1/3 that 16.16 rounds.
        {{{0, 0}, {0, 5}, {0, 2}}, {{0, 0}, {0, 5}, {0, 2}}},
        {{{0, 0}, {1, 1}, {3, 2}}, {{0, 0}, {1, 1}, {3, 2}}},
        {{{0, 0}, {1, 3}, {2, 6}}, {{0, 0}, {1, 3}, {2, 6}}},
    };
    for (const auto& [points, joined] : cases) EXPECT_EQ(WithoutStraightVertices(points), joined);
}

TEST(VesselCut, JoinedOutlinesDrawTheSamePixels) {
    for (const Vessel& v : kVessels) {
        const VesselOutline walls = TankVessel(v.shape, 10, 99, v.w - 1, v.h - 1);
        const std::vector<QPoint> joined = WithoutStraightVertices(walls.points);
        if (v.shape == 2 || v.shape == 3) {
            EXPECT_LT(joined.size(), walls.points.size()) << v.shape;
        }
        EXPECT_EQ(joined.front(), walls.points.front());
        EXPECT_EQ(joined.back(), walls.points.back());
        for (const int width : {1, 3}) {
            QImage before = Blank(), after = Blank();
            Stroke(before, walls.points, width, !walls.openTop);
            Stroke(after, joined, width, !walls.openTop);
            EXPECT_EQ(before, after) << v.shape << " " << v.w << "x" << v.h << " pen " << width;
        }
    }
}

// A tank over an empty tank of the same back must look as the tank alone: no
// pixel of the inside is left to the back below it, at any level and pattern.
TEST(VesselCut, TankLeavesNoPixelOfItsInsideUnpainted) {
    for (const char* shape : {"0", "2", "3", "4", "5"}) {
        for (int percent = 1; percent <= 100; percent += 7) {
            for (const char* pattern : {"5", "2"}) {
                const std::string level = std::to_string(percent);
                const auto add = [&](testing::ProcessScene& scene, const char* fill) -> TGraph& {
                    return scene.add("TANK", {{"Shape", shape}, {"FillHeight [%]", fill}, {"FillPattern", pattern},
                                              {"RGBBack", "65535"}});
                };
                testing::ProcessScene alone, over;
                over.draw(add(over, "0"));
                over.draw(add(over, level.c_str()));
                alone.draw(add(alone, level.c_str()));
                ASSERT_EQ(alone.image, over.image) << "shape " << shape << " " << percent << "% pattern " << pattern;
            }
        }
    }
}

} // namespace
} // namespace ovanto
