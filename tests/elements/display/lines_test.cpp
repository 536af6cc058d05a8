#include "elements/display/shape_geometry.h"
#include "shape_scene.h"


namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

TEST(LineGraph, AngleTurnsClockwiseOnScreen) {
    ShapeScene scene;
    scene.draw(scene.add("LINE", {{"Angle", "Pi/2"}}));
    // Straight down from (30, 30), 50 pixels, the end pixel left out.
    for (int y = 30; y < 80; ++y) EXPECT_EQ(scene.at(30, y), kBlack) << y;
    EXPECT_EQ(scene.count(kBlack), 50);
}

TEST(LineGraph, ArrowheadsInTheFillColourAlongTheLine) {
    struct Case {
        const char* keyword;
        Props props;
        int x, y; // inside the head, off the line
    };
    const Case cases[] = {
        {"LINE", {{"x", "10"}, {"y", "50"}, {"L", "60"}, {"RightArrow (0=none)", "2"}}, 60, 52},
        {"LINE", {{"x", "10"}, {"y", "50"}, {"L", "60"}, {"LeftArrow (0=none)", "2"}}, 20, 52},
        {"LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", "20"}, {"y2", "50"}, {"RightArrow (0=none)", "1"}}, 26, 51},
        {"LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", "20"}, {"y2", "50"}, {"LeftArrow (0=none)", "1"}}, 44, 51},
        {"LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", "50"}, {"y2", "90"}, {"RightArrow (0=none)", "1"}}, 51, 84},
        {"LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", "50"}, {"y2", "10"}, {"RightArrow (0=none)", "1"}}, 51, 16},
        // A line of no length points up, so its head lies below the point.
        {"LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", "50"}, {"y2", "50"}, {"RightArrow (0=none)", "1"}}, 51, 56},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& line = scene.add(c.keyword, c.props);
        line.setText(TGraph::kRGBFill, "255");
        line.setText(TGraph::kRGBStroke, QString::number(kGreen));
        scene.draw(line);
        EXPECT_EQ(scene.at(c.x, c.y), kRed) << c.keyword << " " << c.x << "," << c.y;
        if (qstrcmp(c.keyword, "LINE") == 0) {
            EXPECT_EQ(scene.at(40, 50), kGreen); // the line keeps its colour
        }
        // A fill colour of -1 is no colour: no head at all, the whole line stays.
        ShapeScene uncoloured, headless;
        TGraph& withHeads = uncoloured.add(c.keyword, c.props);
        withHeads.setText(TGraph::kRGBFill, "-1");
        uncoloured.draw(withHeads);
        TGraph& plain = headless.add(c.keyword, c.props);
        plain.setText(TGraph::kRGBFill, "-1");
        plain.setText(ShapeScene::property(plain, "LeftArrow (0=none)"), "0");
        plain.setText(ShapeScene::property(plain, "RightArrow (0=none)"), "0");
        headless.draw(plain);
        EXPECT_EQ(uncoloured.image, headless.image) << c.keyword << " " << c.x << "," << c.y;
    }
}

TEST(LineGraph, ArrowheadsAreMirrorSymmetric) {
    struct Case {
        const char* x2;
        const char* y2;
        const char* size;
    };
    const Case cases[] = {{"90", "50", "1"}, {"90", "50", "2"}, {"10", "50", "1"},
                          {"50", "90", "1"}, {"50", "10", "2"}};
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& line = scene.add("LINE2", {{"x1", "50"}, {"y1", "50"}, {"x2", c.x2}, {"y2", c.y2},
                                           {"RightArrow (0=none)", c.size}});
        line.setText(TGraph::kRGBFill, "255");
        scene.draw(line);
        const bool horizontal = qstrcmp(c.y2, "50") == 0;
        // Mirrored across the line's own axis, every head pixel meets another.
        for (int y = 0; y < scene.image.height(); ++y) {
            for (int x = 0; x < scene.image.width(); ++x) {
                if (scene.at(x, y) != kRed) continue;
                const int mx = horizontal ? x : 100 - x, my = horizontal ? 100 - y : y;
                EXPECT_EQ(scene.at(mx, my), kRed) << c.x2 << "," << c.y2 << " size " << c.size << " at " << x << ","
                                                  << y;
            }
        }
    }
}

constexpr TColor kOnColor = 10485760;
constexpr TColor kOffColor = 8421504;

TEST(DynLineGraph, SwitchesAtTheOnValueAndBoundsFollowTheLook) {
    struct Case {
        const char* input;
        long double signal;
        TColor expected;
    };
    const Case cases[] = {
        {"1", 4.99L, kOffColor},  {"1", 5.0L, kOnColor},   {"-1", 7.0L, kOffColor},
        {"I1*2", 2.5L, kOnColor}, {"200", 7.0L, kOffColor}, // no channel reads as -99999
    };
    for (const Case& c : cases) {
        ShapeScene scene(120, 220);
        TGraph& line = scene.add("DYNLINE", {{"Input", c.input}, {"Style3D (0/1)", "0"}, {"LTypeOff", "1"}});
        scene.window.table[1] = c.signal;
        scene.draw(line);
        EXPECT_EQ(scene.at(100, 150), c.expected) << c.input << " " << static_cast<double>(c.signal);
        const bool on = c.expected == kOnColor;
        EXPECT_EQ(scene.at(102, 150), on ? kOnColor : kWhite); // width 5 on, 1 off
        Rect r;
        line.GetBounds(r);
        EXPECT_EQ(r, on ? (Rect{95, 95, 105, 205}) : (Rect{97, 97, 103, 203}));
    }
}

TEST(DynLineGraph, ThickStraightLineIsAShadedBar) {
    const TColor color = rgbColor(100, 50, 200);
    const TColor light = rgbColor(140, 70, 255), dark = rgbColor(71, 36, 143);
    for (const bool horizontal : {true, false}) {
        ShapeScene scene(60, 60);
        TGraph& line = scene.add("DYNLINE", {{"x1", horizontal ? "10" : "20"}, {"y1", horizontal ? "20" : "10"},
                                             {"x2", horizontal ? "50" : "20"}, {"y2", horizontal ? "20" : "50"}});
        line.setText(TGraph::kRGBStroke, QString::number(color));
        line.setText(TGraph::kLType, "6");
        scene.window.table[1] = 10;
        scene.draw(line);
        // Width 6: edge 2, core 2 starting one pixel before the line; light above or left.
        const TColor expected[] = {kWhite, light, light, color, color, dark, dark, kWhite};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(horizontal ? scene.at(30, 16 + k) : scene.at(16 + k, 30), expected[k]) << horizontal << k;
    }
    // Slanted, thin or without the option: one plain line.
    for (const Props& props : {Props{{"x2", "104"}}, Props{{"Style3D (0/1)", "0"}}, Props{{"LTypeOff", "2"}}}) {
        ShapeScene scene(120, 220);
        scene.draw(scene.add("DYNLINE", props));
        EXPECT_EQ(scene.count(LighterColor(kOffColor)), 0);
    }
}

} // namespace
} // namespace ovanto::testing
