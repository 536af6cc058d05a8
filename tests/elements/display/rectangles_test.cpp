#include "shape_scene.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kSilver = 12632256;

TEST(RectGraph, StandsOnItsLowerLeftCornerWithTheBottomRowExclusive) {
    ShapeScene scene;
    TGraph& rect = scene.add("RECT");
    rect.setText(TGraph::kRGBFill, "255");
    scene.draw(rect);
    // x 40, y 60, w 50, h 30: columns 40..89, rows 30..59.
    const std::pair<QPoint, TColor> probes[] = {
        {{60, 29}, kWhite}, {{60, 30}, kBlack}, {{60, 45}, kRed},   {{60, 59}, kBlack},
        {{60, 60}, kWhite}, {{40, 45}, kBlack}, {{89, 45}, kBlack}, {{90, 45}, kWhite},
    };
    for (const auto& [p, color] : probes) EXPECT_EQ(scene.at(p.x(), p.y()), color) << p.x() << "," << p.y();
}

TEST(RectGraph, FillPatternHatchesInTheStrokeColourFromTheCorner) {
    struct Case {
        const char* pattern;
        const char* x;
        int hatchX; // where the hatch crosses row 44, or -1 for none
    };
    // Backward diagonals through the corner (x, 60), so the hatch moves with the shape.
    // The pattern is a formula like every geometry row (input 1 is 1 here).
    const Case cases[] = {{"0", "40", -1}, {"7", "40", -1}, {"1", "40", 48}, {"1", "43", 51}, {"I1*1", "40", 48}, {"I1-1", "40", -1}};
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.table[1] = 1;
        TGraph& rect = scene.add("RECT", {{"x", c.x}, {"FillPattern (0=none)", c.pattern}});
        rect.setText(TGraph::kRGBStroke, "255");
        Canvas canvas(scene.image);
        rect.Draw(canvas);
        EXPECT_EQ(canvas.brush().style, BrushStyle::Solid) << c.pattern;
        if (c.hatchX < 0) {
            EXPECT_EQ(scene.count(kRed), 2 * 50 + 2 * 28) << "outline only for " << c.pattern;
            continue;
        }
        EXPECT_EQ(scene.at(c.hatchX, 44), kRed) << c.x;
        EXPECT_EQ(scene.at(c.hatchX + 1, 44), kWhite) << c.x;
        EXPECT_EQ(scene.at(c.hatchX + 1, 43), kRed) << c.x;
    }
}

TEST(RectGraph, VariantsAndCircleDrawTheirOwnShape) {
    for (const char* keyword : {"RRECT", "ELLIPSE", "SHADRECT", "CIRCLE"}) {
        ShapeScene scene;
        TGraph& shape = QLatin1String(keyword) == QLatin1String("CIRCLE")
                            ? scene.add(keyword, {{"xM", "65"}, {"yM", "45"}, {"r", "15"}})
                            : scene.add(keyword);
        shape.setText(TGraph::kRGBFill, QString::number(kSilver));
        scene.draw(shape);
        const bool cornered = QLatin1String(keyword) == QLatin1String("SHADRECT");
        EXPECT_EQ(scene.at(65, 45), kSilver) << keyword;
        EXPECT_EQ(scene.at(41, 31) != kWhite, cornered) << keyword;
    }
    // The sunken edge: grey along the top and left, light along the bottom and right.
    for (const auto& [fill, light] : {std::pair{"16777215", kSilver}, std::pair{"12632256", kWhite}}) {
        ShapeScene scene;
        TGraph& shadow = scene.add("SHADRECT");
        shadow.setText(TGraph::kRGBFill, fill);
        scene.draw(shadow);
        EXPECT_EQ(scene.at(60, 58), light) << fill;
        EXPECT_EQ(scene.at(88, 45), light) << fill;
        EXPECT_EQ(scene.at(60, 32), 8421504) << fill;
        EXPECT_EQ(scene.at(42, 45), 8421504) << fill;
    }
}

TEST(RectGraph, SomeKindsHideTheSelectionFrameWhenInvisible) {
    const std::pair<const char*, bool> cases[] = {{"RECT", true},     {"RRECT", false}, {"ELLIPSE", false},
                                                  {"SHADRECT", false}, {"POLYLINE", false}, {"LINE", true}};
    for (const auto& [keyword, frame] : cases) {
        ShapeScene scene(120, 120);
        scene.window.design = true;
        scene.window.table[5] = 1; // outside the visibility window 0..0
        TGraph& shape = scene.add(keyword);
        shape.setText(TGraph::kCIn, "5");
        shape.setSelected(true);
        scene.draw(shape);
        const int marked = 120 * 120 - scene.count(kWhite);
        EXPECT_EQ(marked > 0, frame) << keyword;
        EXPECT_LT(marked, 200) << keyword; // the frame, not the shape
    }
}

} // namespace
} // namespace ovanto::testing
