#include "elements/display/basic_shapes.h"
#include "elements/display/shape_geometry.h"
#include "shape_scene.h"

#include <limits>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;

TEST(LineGraph, AngleTurnsClockwiseOnScreen) {
    ShapeScene scene;
    TGraph& line = scene.add("LINE", {{"Angle", "Pi/2"}});
    scene.draw(line);
    // Straight down from (30, 30), 50 pixels, the end pixel left out.
    for (int y = 30; y < 80; ++y) EXPECT_EQ(scene.at(30, y), kBlack) << y;
    EXPECT_EQ(scene.at(30, 80), kWhite);
    EXPECT_EQ(scene.at(31, 50), kWhite);
    EXPECT_EQ(scene.at(29, 50), kWhite);
    EXPECT_EQ(scene.count(kBlack), 50);
}

TEST(LineGraph, ArrowheadsInTheFillColourAtBothEnds) {
    ShapeScene scene;
    TGraph& line = scene.add("LINE", {{"x", "10"}, {"y", "50"}, {"L", "60"}});
    line.setText(TGraph::kRGBFill, "255");
    ShapeScene::set(line, "RightArrow (0=none)", "2");
    scene.draw(line);
    // Tip (70, 50), base 18 pixels back and 12 wide.
    EXPECT_EQ(scene.at(60, 52), kRed);
    EXPECT_EQ(scene.at(55, 54), kRed);
    EXPECT_EQ(scene.at(60, 56), kWhite);
    EXPECT_EQ(scene.at(20, 52), kWhite); // no left arrow yet

    ShapeScene::set(line, "LeftArrow (0=none)", "2");
    scene.clear();
    scene.draw(line);
    EXPECT_EQ(scene.at(20, 52), kRed);
    EXPECT_EQ(scene.at(25, 46), kRed);
    EXPECT_EQ(scene.at(40, 50), kBlack); // the line itself keeps the stroke colour
}

TEST(Line2Graph, ArrowFollowsTheDirectionOfTheSecondPoint) {
    struct Case {
        const char *x2, *y2;
        int probeX, probeY; // inside the arrowhead at (x2, y2), off the line
    };
    const Case cases[] = {
        {"80", "50", 74, 51}, // right
        {"20", "50", 26, 51}, // left
        {"50", "90", 51, 84}, // down
        {"50", "10", 51, 16}, // up
        {"50", "50", 51, 56}, // a point: up, so the head lies below
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& line = scene.add("LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", c.x2}, {"y2", c.y2},
                                           {"RightArrow (0=none)", "1"}});
        line.setText(TGraph::kRGBFill, "255");
        line.setText(TGraph::kRGBStroke, "65280");
        scene.draw(line);
        EXPECT_EQ(scene.at(c.probeX, c.probeY), kRed) << c.x2 << "," << c.y2;
    }
}

TEST(LineGraph, BoundsAndSelectionWidenWithThePen) {
    ShapeScene scene;
    TGraph& line = scene.add("LINE");
    Rect r;
    line.GetBounds(r);
    EXPECT_EQ(r, (Rect{27, 27, 83, 33}));
    line.setText(TGraph::kLType, "5");
    line.GetBounds(r);
    EXPECT_EQ(r, (Rect{25, 25, 85, 35}));

    TGraph& reversed = scene.add("LINE2", {{"x1", "70"}, {"y1", "60"}, {"x2", "20"}, {"y2", "10"}});
    reversed.GetBounds(r);
    EXPECT_EQ(r, (Rect{17, 7, 73, 63}));

    // The selection frame lies 6 pixels outside the box without the 3-pixel margin.
    scene.window.design = true;
    line.setSelected(true);
    scene.draw(line);
    EXPECT_NE(scene.at(22, 22), kWhite);
    EXPECT_EQ(scene.at(21, 21), kWhite);
}

// --- DYNLINE -------------------------------------------------------------------------

constexpr TColor kOnColor = 10485760;
constexpr TColor kOffColor = 8421504;

TEST(DynLineGraph, SwitchesAtTheOnValue) {
    struct Case {
        const char* input;
        long double signal;
        TColor expected;
    };
    const Case cases[] = {
        {"1", 4.99L, kOffColor},
        {"1", 5.0L, kOnColor},
        {"1", 7.0L, kOnColor},
        {"-1", 7.0L, kOffColor},
        {"I1*2", 2.5L, kOnColor},
        {"I1", std::numeric_limits<long double>::quiet_NaN(), kOffColor},
        {"200", 7.0L, kOffColor}, // no channel reads as -99999
    };
    for (const Case& c : cases) {
        ShapeScene scene(120, 220);
        TGraph& line = scene.add("DYNLINE", {{"Input", c.input}, {"Style3D (0/1)", "0"}});
        scene.window.table[1] = c.signal;
        scene.draw(line);
        EXPECT_EQ(scene.at(100, 150), c.expected) << c.input << " " << static_cast<double>(c.signal);
        EXPECT_EQ(scene.at(102, 150), c.expected); // width 5 both ways
        EXPECT_EQ(scene.at(103, 150), kWhite);
    }
}

TEST(DynLineGraph, ThickStraightLineIsAShadedBar) {
    const TColor color = rgbColor(100, 50, 200);
    const TColor light = rgbColor(140, 70, 255);
    const TColor dark = rgbColor(71, 36, 143);
    struct Case {
        const char *x1, *y1, *x2, *y2;
        bool horizontal;
    };
    for (const Case& c : {Case{"10", "20", "50", "20", true}, Case{"20", "10", "20", "50", false}}) {
        ShapeScene scene(60, 60);
        TGraph& line = scene.add("DYNLINE", {{"x1", c.x1}, {"y1", c.y1}, {"x2", c.x2}, {"y2", c.y2}});
        line.setText(TGraph::kRGBStroke, QString::number(color));
        line.setText(TGraph::kLType, "6");
        scene.window.table[1] = 10;
        scene.draw(line);
        // Width 6: edge 2, core 2 starting one pixel before the line.
        const TColor expected[] = {kWhite, light, light, color, color, dark, dark, kWhite};
        for (int k = 0; k < 8; ++k) {
            const int across = 16 + k;
            const TColor got = c.horizontal ? scene.at(30, across) : scene.at(across, 30);
            EXPECT_EQ(got, expected[k]) << (c.horizontal ? "row " : "column ") << across;
        }
    }
}

TEST(DynLineGraph, BarOnlyForThickStraightLinesWithStyle3D) {
    struct Case {
        const char* lineType;
        const char* style3D;
        const char* y2;
        bool bar;
    };
    const Case cases[] = {
        {"3", "1", "20", true},  {"2", "1", "20", false}, {"6", "0", "20", false},
        {"6", "1", "24", false}, {"12", "1", "20", true},
    };
    for (const Case& c : cases) {
        ShapeScene scene(60, 60);
        TGraph& line = scene.add(
            "DYNLINE", {{"x1", "10"}, {"y1", "20"}, {"x2", "50"}, {"y2", c.y2}, {"Style3D (0/1)", c.style3D}});
        line.setText(TGraph::kLType, c.lineType);
        scene.window.table[1] = 10;
        scene.draw(line);
        EXPECT_EQ(scene.count(LighterColor(kOnColor)) > 0, c.bar) << c.lineType << " " << c.style3D << " " << c.y2;
    }
}

TEST(DynLineGraph, OffLookUsesItsOwnLineTypeAndBoundsFollowIt) {
    ShapeScene scene(60, 60);
    TGraph& line = scene.add("DYNLINE", {{"x1", "10"}, {"y1", "30"}, {"x2", "50"}, {"y2", "30"},
                                         {"Style3D (0/1)", "0"}, {"LTypeOff", "-2"}});
    scene.window.table[1] = 0;
    scene.draw(line);
    EXPECT_EQ(scene.at(10, 30), kOffColor);
    EXPECT_EQ(scene.at(10, 31), kWhite); // a dotted one-pixel line
    EXPECT_LT(scene.count(kOffColor), 40);
    Rect r;
    line.GetBounds(r);
    EXPECT_EQ(r, (Rect{7, 27, 53, 33}));

    scene.window.table[1] = 9;
    scene.draw(line);
    line.GetBounds(r);
    EXPECT_EQ(r, (Rect{5, 25, 55, 35})); // the on width 5 is remembered
}

} // namespace
} // namespace ovanto::testing
