#include "shape_scene.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 65280;

TEST(ArcGraph, QuarterRingInTheUpperRightQuadrant) {
    ShapeScene scene;
    TGraph& arc = scene.add("ARC", {{"Beta", "Pi/2"}});
    arc.setText(TGraph::kRGBFill, "255");
    scene.draw(arc);
    // Centre (40, 60), radii 20 and 30: the ring at 45 degrees, near Alpha and near Beta.
    for (const QPoint p : {QPoint(58, 42), QPoint(65, 58), QPoint(42, 35)}) EXPECT_EQ(scene.at(p.x(), p.y()), kRed);
    // Other quadrants and the hole.
    for (const QPoint p : {QPoint(22, 42), QPoint(22, 78), QPoint(58, 78), QPoint(48, 52)})
        EXPECT_EQ(scene.at(p.x(), p.y()), kWhite) << p.x() << "," << p.y();
    Rect r;
    arc.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 30, 70, 60}));
}

TEST(ParallGraph, DefaultsGiveAnUprightBoxOnItsLowerLeftCorner) {
    ShapeScene scene;
    TGraph& parall = scene.add("PARALL");
    parall.setText(TGraph::kRGBFill, "255");
    scene.draw(parall);
    EXPECT_EQ(scene.at(60, 45), kRed);
    EXPECT_EQ(scene.at(40, 45), kBlack);
    EXPECT_EQ(scene.at(60, 30), kBlack);
    Rect r;
    parall.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 30, 90, 60}));
    parall.setText(ShapeScene::property(parall, "Beta"), "Pi/4"); // leans right: (40,60) (90,60) (111,39) (61,39)
    parall.GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 39, 111, 60}));
}

TEST(TriangleGraph, FilledTriangleAndOpenPolyline) {
    const Props corners = {{"x1", "10"}, {"y1", "80"}, {"x2", "90"},  {"y2", "80"},
                           {"x3", "50"}, {"y3", "10"}, {"FillPattern (0=none)", "1"}};
    for (const char* keyword : {"TRIANG", "POLYLINE"}) {
        ShapeScene scene;
        TGraph& shape = scene.add(keyword, corners);
        shape.setText(TGraph::kRGBFill, "255");
        shape.setText(TGraph::kRGBStroke, QString::number(kGreen));
        scene.draw(shape);
        const bool filled = QLatin1String(keyword) == QLatin1String("TRIANG");
        EXPECT_EQ(scene.at(50, 80), kGreen) << keyword;
        EXPECT_EQ(scene.at(70, 45), kGreen) << keyword;
        EXPECT_EQ(scene.at(30, 45), filled ? kGreen : kWhite) << keyword; // closed or open
        EXPECT_EQ(scene.at(18, 72), filled ? kGreen : kWhite) << keyword; // hatch from (x1, y1)
        EXPECT_EQ(scene.count(kRed) > 0, filled) << keyword;
    }
}

} // namespace
} // namespace ovanto::testing
