#include "elements/display/basic_shapes.h"
#include "shape_scene.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;

TEST(ArcGraph, QuarterRingInTheUpperRightQuadrant) {
    ShapeScene scene;
    TGraph& arc = scene.add("ARC", {{"Beta", "Pi/2"}});
    arc.setText(TGraph::kRGBFill, "255");
    scene.draw(arc);
    // Centre (40, 60), radii 20 and 30: the ring at 45 degrees and radius 25.
    EXPECT_EQ(scene.at(58, 42), kRed);
    EXPECT_EQ(scene.at(65, 58), kRed); // near Alpha = 0
    EXPECT_EQ(scene.at(42, 35), kRed); // near Beta = Pi/2
    for (const auto& [x, y] : {std::pair{22, 42}, std::pair{22, 78}, std::pair{58, 78}, std::pair{48, 52}})
        EXPECT_EQ(scene.at(x, y), kWhite) << x << "," << y; // other quadrants and the hole
    Rect r;
    arc.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 30, 70, 60}));
}

TEST(ArcGraph, FillPatternIsReadFromEveryRecordAndAnchoredAtTheCentre) {
    ShapeScene scene;
    TGraph& arc = scene.add("ARC", {{"Alpha", "0"}, {"Beta", "2*Pi"}, {"r1", "0"}, {"r2", "30"},
                                    {"FillPattern (0=none)", "5"}});
    arc.setText(TGraph::kRGBStroke, "255");
    scene.draw(arc);
    // Horizontal hatch rows at y = 60 + 8k.
    EXPECT_EQ(scene.at(30, 52), kRed);
    EXPECT_EQ(scene.at(30, 53), kWhite);
    EXPECT_EQ(scene.at(50, 68), kRed);
}

TEST(ParallGraph, DefaultsGiveAnUprightBoxOnItsLowerLeftCorner) {
    ShapeScene scene;
    TGraph& parall = scene.add("PARALL");
    parall.setText(TGraph::kRGBFill, "255");
    scene.draw(parall);
    EXPECT_EQ(scene.at(60, 45), kRed);
    EXPECT_EQ(scene.at(40, 45), kBlack);
    EXPECT_EQ(scene.at(60, 30), kBlack);
    EXPECT_EQ(scene.at(60, 28), kWhite);
    EXPECT_EQ(scene.at(60, 62), kWhite);
    EXPECT_EQ(scene.at(92, 45), kWhite);
    Rect r;
    parall.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 30, 90, 60}));
}

TEST(ParallGraph, BetaLeansTheSecondSide) {
    ShapeScene scene;
    TGraph& parall = scene.add("PARALL", {{"Beta", "Pi/4"}, {"h", "40"}});
    parall.setText(TGraph::kRGBFill, "255");
    scene.draw(parall);
    // Second side (28, -28): corners (40,60) (90,60) (118,32) (68,32).
    Rect r;
    parall.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 32, 118, 60}));
    EXPECT_EQ(scene.at(45, 35), kWhite);
    EXPECT_EQ(scene.at(75, 35), kRed);
}

TEST(TriangleGraph, FilledTriangleAndOpenPolyline) {
    ShapeScene scene;
    const std::initializer_list<std::pair<const char*, const char*>> corners = {
        {"x1", "10"}, {"y1", "80"}, {"x2", "90"}, {"y2", "80"}, {"x3", "50"}, {"y3", "10"},
        {"FillPattern (0=none)", "1"}};
    TGraph& triangle = scene.add("TRIANG", corners);
    triangle.setText(TGraph::kRGBFill, "255");
    triangle.setText(TGraph::kRGBStroke, "65280");
    scene.draw(triangle);
    EXPECT_EQ(scene.at(50, 80), 65280);     // base edge in the stroke colour
    EXPECT_NE(scene.count(kRed), 0);        // fill
    EXPECT_EQ(scene.at(10 + 8, 80 - 8), 65280); // hatch from (x1, y1): (18, 72)
    EXPECT_EQ(scene.at(50, 40) == kRed || scene.at(50, 40) == 65280, true);

    scene.clear();
    TGraph& polyline = scene.add("POLYLINE", corners);
    polyline.setText(TGraph::kRGBFill, "255");
    polyline.setText(TGraph::kRGBStroke, "65280");
    scene.draw(polyline);
    EXPECT_EQ(scene.count(kRed), 0); // neither fill nor hatch
    EXPECT_EQ(scene.at(50, 80), 65280);
    EXPECT_EQ(scene.at(70, 45), 65280);
    EXPECT_EQ(scene.at(30, 45), kWhite); // open: no edge back to the first point
}

} // namespace
} // namespace ovanto::testing
