#include "elements/core/record.h"
#include "elements/display/basic_shapes.h"
#include "shape_scene.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kSilver = 12632256;
constexpr TColor kGrey = 8421504;

TEST(RectGraph, StandsOnItsLowerLeftCornerWithTheBottomRowExclusive) {
    ShapeScene scene;
    TGraph& rect = scene.add("RECT");
    rect.setText(TGraph::kRGBFill, "255");
    scene.draw(rect);
    // x 40, y 60, w 50, h 30: columns 40..89, rows 30..59.
    EXPECT_EQ(scene.at(60, 29), kWhite);
    EXPECT_EQ(scene.at(60, 30), kBlack);
    EXPECT_EQ(scene.at(60, 45), kRed);
    EXPECT_EQ(scene.at(60, 59), kBlack);
    EXPECT_EQ(scene.at(60, 60), kWhite);
    EXPECT_EQ(scene.at(39, 45), kWhite);
    EXPECT_EQ(scene.at(40, 45), kBlack);
    EXPECT_EQ(scene.at(89, 45), kBlack);
    EXPECT_EQ(scene.at(90, 45), kWhite);
    Rect r;
    rect.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 30, 90, 60}));
}

TEST(RectGraph, FillPatternHatchesInTheStrokeColourFromTheCorner) {
    struct Case {
        const char* pattern;
        const char* x;
        int hatched; // a pixel on the hatch, or -1 when there is none
    };
    const Case cases[] = {
        {"0", "40", -1}, {"7", "40", -1}, {"-1", "40", -1},
        {"1", "40", 48}, // backward diagonal through the corner (40, 60): (48, 44)
        {"1", "43", 51}, // moves with the shape
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& rect = scene.add("RECT", {{"x", c.x}, {"FillPattern (0=none)", c.pattern}});
        rect.setText(TGraph::kRGBStroke, "255");
        QImage before = scene.image;
        Canvas canvas(scene.image);
        rect.Draw(canvas);
        EXPECT_EQ(canvas.brush().style, BrushStyle::Solid) << c.pattern;
        if (c.hatched < 0) {
            EXPECT_EQ(scene.count(kRed), 2 * 50 + 2 * 28) << "outline only for " << c.pattern;
            continue;
        }
        EXPECT_EQ(scene.at(c.hatched, 44), kRed) << c.pattern << " " << c.x;
        EXPECT_EQ(scene.at(c.hatched + 1, 44), kWhite);
        EXPECT_EQ(scene.at(c.hatched - 1, 45), kRed); // the next row of the same diagonal
        EXPECT_EQ(scene.at(c.hatched + 1, 43), kRed);
    }
}

TEST(RectGraph, FillPatternsNameSixHatches) {
    // Count hatch pixels inside a 24 x 24 interior for each pattern.
    struct Case {
        const char* pattern;
        int interiorHits;
    };
    const Case cases[] = {{"1", 72}, {"2", 72}, {"3", 135}, {"4", 126}, {"5", 72}, {"6", 72}};
    for (const Case& c : cases) {
        ShapeScene scene(40, 40);
        TGraph& rect = scene.add("RECT", {{"x", "0"}, {"y", "26"}, {"w", "26"}, {"h", "26"},
                                          {"FillPattern (0=none)", c.pattern}});
        rect.setText(TGraph::kRGBStroke, "255");
        scene.draw(rect);
        int hits = 0;
        for (int y = 1; y < 25; ++y)
            for (int x = 1; x < 25; ++x) hits += scene.at(x, y) == kRed;
        EXPECT_EQ(hits, c.interiorHits) << c.pattern;
    }
}

TEST(RectGraph, VariantsDrawTheirOwnShape) {
    ShapeScene scene;
    for (const char* keyword : {"RRECT", "ELLIPSE"}) {
        scene.clear();
        TGraph& shape = scene.add(keyword);
        shape.setText(TGraph::kRGBFill, "255");
        scene.draw(shape);
        EXPECT_EQ(scene.at(65, 45), kRed) << keyword;
        EXPECT_EQ(scene.at(40, 30), kWhite) << keyword; // the corner is cut
        EXPECT_EQ(scene.at(65, 30), kBlack) << keyword;
        EXPECT_EQ(scene.at(65, 60), kWhite) << keyword;
    }
}

TEST(ShadowRectGraph, SunkenEdgeLightBelowGreyAbove) {
    struct Case {
        const char* fill;
        TColor light;
    };
    for (const Case& c : {Case{"16777215", kSilver}, Case{"12632256", kWhite}}) {
        ShapeScene scene;
        TGraph& shadow = scene.add("SHADRECT");
        shadow.setText(TGraph::kRGBFill, c.fill);
        scene.draw(shadow);
        EXPECT_EQ(scene.at(60, 58), c.light) << c.fill; // bottom edge, y - 2
        EXPECT_EQ(scene.at(88, 45), c.light) << c.fill; // right edge, x + w - 2
        EXPECT_EQ(scene.at(60, 32), kGrey) << c.fill;   // top edge, y - h + 2
        EXPECT_EQ(scene.at(42, 45), kGrey) << c.fill;   // left edge, x + 2
        EXPECT_EQ(scene.at(60, 30), kBlack);            // the rectangle's own outline
    }
}

TEST(RectGraph, SomeVariantsHideTheSelectionFrameWhenInvisible) {
    struct Case {
        const char* keyword;
        bool frame;
    };
    const Case cases[] = {{"RECT", true},    {"RRECT", false},  {"ELLIPSE", false}, {"SHADRECT", false},
                          {"CIRCLE", true},  {"POLYLINE", false}, {"TRIANG", true},  {"LINE", true}};
    for (const Case& c : cases) {
        ShapeScene scene(120, 120);
        scene.window.design = true;
        scene.window.table[5] = 1; // outside the visibility window 0..0
        TGraph& shape = scene.add(c.keyword);
        shape.setText(TGraph::kCIn, "5");
        shape.setSelected(true);
        scene.draw(shape);
        const int nonWhite = scene.image.width() * scene.image.height() - scene.count(kWhite);
        EXPECT_EQ(nonWhite > 0, c.frame) << c.keyword;
        EXPECT_LT(nonWhite, 200) << c.keyword; // the frame, not the shape
    }
}

TEST(CircleGraph, CentreAndRadius) {
    ShapeScene scene;
    TGraph& circle = scene.add("CIRCLE");
    circle.setText(TGraph::kRGBFill, "255");
    scene.draw(circle);
    EXPECT_EQ(scene.at(50, 50), kRed);
    EXPECT_EQ(scene.at(50, 32), kRed);
    EXPECT_EQ(scene.at(50, 30), kBlack);
    EXPECT_EQ(scene.at(50, 28), kWhite);
    EXPECT_EQ(scene.at(33, 33), kWhite);
    Rect r;
    circle.GetBounds(r);
    EXPECT_EQ(r, (Rect{30, 30, 70, 70}));
}

} // namespace
} // namespace ovanto::testing
