#include "process_scene.h"

#include "elements/display/drives.h"
#include "elements/display/process_equipment.h"

#include <cmath>
#include <limits>
#include <vector>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

TEST(PumpGraph, StateColourAndOrientations) {
    struct Case {
        const char* orientation;
        long double input;
        TColor centre;
    };
    const Case cases[] = {{"0", 5, kRed}, {"1", 4.9L, kBlue}, {"3", 5, kRed}, {"4", 5, kWhite}, {"-1", 5, kWhite}};
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = c.input;
        scene.draw(scene.add("PUMP", {{"Input", "1"}, {"RGBRunning", "255"}, {"RGBStopped", "16711680"},
                                      {"Orientation", c.orientation}}));
        // x 40, y 60, w 50: centre (65, 35); the arrow does not pass (52, 40).
        EXPECT_EQ(scene.at(52, 40), c.centre) << c.orientation;
    }
}

TEST(MotorGraph, TurnsWithTheSignOfTheInputAndStopsAtZero) {
    struct Case {
        const char* input;
        long double phase; // after two steps
        TColor brush;
    };
    const Case cases[] = {{"-1", 0.2L, 12632256}, {"1", -0.2L, kBlue}, {"2", 0, kRed}, {"3", 0, kBlue}}; // a NaN drive runs but does not turn
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = -2;
        scene.window.table[2] = 0;
        scene.window.table[3] = std::numeric_limits<long double>::quiet_NaN();
        auto& motor = dynamic_cast<TMotorGraph&>(scene.add(
            "MOTOR", {{"Input", c.input}, {"RGBRunning", "16711680"}, {"RGBStopped", "255"}, {"Animated (0/1)", "1"}}));
        scene.paintAfter(motor, 51);
        scene.paintAfter(motor, 51);
        EXPECT_NEAR(static_cast<double>(motor.phase()), static_cast<double>(c.phase), 1e-12) << c.input;
        EXPECT_EQ(scene.at(50, 30), c.brush) << c.input;
    }
    ProcessScene scene;
    TGraph& still = scene.add("MOTOR");
    scene.paintAfter(still, 51);
    EXPECT_EQ(dynamic_cast<TMotorGraph&>(still).phase(), 0) << "not animated";
    EXPECT_GT(scene.count(kBlack), 20) << "the letter";
}

TEST(BeltGraph, DirectionsTwoAndThreeNeedAFullDrive) {
    struct Case {
        const char* direction;
        long double input;
        long double turn;
    };
    const Case cases[] = {{"0", 0.5L, 0.1L}, {"1", 0.5L, -0.1L}, {"2", 0.5L, 0}, {"2", 1, 0.1L}, {"3", 1, -0.1L},
                          {"0", -1, -0.1L},  {"1", -1, 0.1L},    {"2", -1, 0},   {"0", 0, 0},     {"7", 1, 0}};
    for (const Case& c : cases) {
        ProcessScene scene(300, 100);
        scene.window.table[1] = c.input;
        auto& belt = dynamic_cast<TBeltGraph&>(
            scene.add("BELT", {{"Input", "1"}, {"Animated (0/1)", "1"}, {"Direction (0-3)", c.direction}}));
        scene.paintAfter(belt, 51);
        EXPECT_NEAR(static_cast<double>(belt.phase()), static_cast<double>(c.turn), 1e-12)
            << c.direction << " " << static_cast<double>(c.input);
    }
}

TEST(BeltGraph, StatusStripColoursAndVersions) {
    const std::tuple<const char*, long double, TColor> cases[] = {
        {"0", 0.5L, 32768}, {"0", 0, 255}, {"1", 1, 32768}, {"1", 0.5L, 255}, {"1", -1, 65535}};
    for (const auto& [mode, input, color] : cases) {
        ProcessScene scene(300, 100);
        scene.window.table[1] = input;
        scene.draw(scene.add("BELT", {{"Input", "1"}, {"ColorRect (0/1)", "1"}, {"ColorMode (0/1)", mode}}));
        EXPECT_EQ(scene.at(140, 62), color) << mode << " " << static_cast<double>(input);
    }
    ProcessScene scene;
    TGraph& belt = scene.add("BELT", {{"ColorRect (0/1)", "1"}, {"ColorMode (0/1)", "1"}});
    EXPECT_EQ(ShapeScene::get(scene.reread(belt, 355), "ColorRect (0/1)"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(belt, 405), "ColorRect (0/1)"), "1");
    EXPECT_EQ(ShapeScene::get(scene.reread(belt, 405), "ColorMode (0/1)"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(belt, 406), "ColorMode (0/1)"), "1");
}

TEST(Belt2Graph, StripesTravelWithTheSignedDrive) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"0", "0", 0}, {"1", "0", 1}, {"1", "1", 7}, {"1", "2", 7}, {"1", "3", 1}, {"2", "0", 7}};
    for (const auto& [input, direction, phase] : cases) {
        ProcessScene scene;
        scene.window.table[1] = 3;
        scene.window.table[2] = -3;
        auto& belt = dynamic_cast<TBelt2Graph&>(scene.add("BELT2", {{"Input", input}, {"Direction (0-3)", direction}}));
        scene.paintAfter(belt, 51);
        EXPECT_EQ(belt.phase(), phase) << input << " " << direction;
    }
}

TEST(RollGraph, ElevenStepsPerTurnInBothDirections) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"ROLL", "0", 1}, {"ROLL", "1", 10}, {"HROLLBELT", "0", 1}, {"VROLLBELT", "1", 10}};
    for (const auto& [keyword, direction, first] : cases) {
        ProcessScene scene;
        scene.window.table[1] = 1;
        TGraph& roll = scene.add(keyword, {{"Direction (0/1)", direction}});
        const auto step = [&] {
            if (auto* r = dynamic_cast<TRollGraph*>(&roll)) return r->rotationStep();
            return dynamic_cast<TRollBeltGraph&>(roll).rotationStep();
        };
        scene.paintAfter(roll, 51);
        EXPECT_EQ(step(), first) << keyword;
        for (int i = 0; i < 10; ++i) scene.paintAfter(roll, 51);
        EXPECT_EQ(step(), 0) << keyword << ": back round after eleven steps";
    }
    ProcessScene scene;
    TGraph& still = scene.add("ROLL", {{"Input", "0"}});
    scene.paintAfter(still, 51);
    EXPECT_EQ(dynamic_cast<TRollGraph&>(still).rotationStep(), 0);
}

TEST(HeatingGraph, GlowsInTheOnColourFromOnValue) {
    // "5" names input 5 (0 here); the formula "5+0" is the number.
    const std::pair<const char*, TColor> cases[] = {{"-1", 200}, {"4.9", 5263440}, {"5+0", 200}, {"5", 5263440}};
    for (const auto& [input, color] : cases) {
        ProcessScene scene;
        scene.draw(scene.add("HEATING", {{"Input", input}}));
        EXPECT_EQ(scene.at(100, 77), color) << input; // a corner of the zigzag at the left wall
    }
}

TEST(SpringGraph, PinsAndSectionsAndVersion) {
    ProcessScene scene;
    TGraph& spring = scene.add("SPRING", {{"PinLength", "10"}});
    scene.draw(spring);
    EXPECT_EQ(scene.at(60, 95), kBlack); // the lower pin on the middle line
    EXPECT_EQ(scene.at(60, 55), kBlack); // the upper pin
    EXPECT_EQ(ShapeScene::get(scene.reread(spring, 374), "PinLength"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(spring, 375), "PinLength"), "10");
}

// Everything a symbol paints lies inside its bounds, so a later partial repaint can rely on them.
TEST(ProcessFamily, PaintsOnlyInsideItsBounds) {
    using Set = std::vector<std::pair<const char*, const char*>>;
    const std::pair<const char*, Set> cases[] = {
        {"TANK", {{"Agitator (0/1)", "1"}, {"Shape", "3"}}}, {"TANK", {{"Shape", "4"}, {"FillPattern", "2"}}},
        {"HPIPE", {{"LeftEnd", "2"}, {"RightEnd", "5"}}},   {"VPIPE", {{"TopEnd", "1"}, {"BottomEnd", "4"}}},
        {"VALVE", {{"Orientation", "11"}}},                  {"VALVE", {{"Orientation", "8"}}},
        {"VALVE3", {{"Orientation", "9"}}},                  {"3/2-VALVE", {}},
        {"5/2-VALVE", {{"w", "60"}}},                        {"HYDCYL", {{"Orientation (0-3)", "3"}}},
        {"HYDCYL", {{"SliderPos [%]", "100"}, {"SliderSize", "40"}}}, {"PUMP", {{"Orientation", "2"}}},
        {"MOTOR", {}},                                       {"MOTOR", {{"Animated (0/1)", "1"}}},
        {"BELT", {{"Angle", "0.5"}, {"ColorRect (0/1)", "1"}, {"Wheels", "5"}}},
        {"BELT2", {{"Direction (0-3)", "2"}}},               {"ROLL", {{"Alpha", "0.7"}, {"AxisWidth", "3"}}},
        {"HROLLBELT", {{"AxisWidth", "2"}}},                 {"VROLLBELT", {{"Rolls", "3"}}},
        {"HEATING", {{"Orientation (0-3)", "1"}}},           {"SPRING", {{"PinLength", "40"}, {"Orientation (0/1)", "1"}}},
    };
    for (const auto& [keyword, values] : cases) {
        for (const char* lineType : {"1", "6"}) {
            ProcessScene scene(320, 320);
            TGraph& e = scene.add(keyword);
            for (const auto& [caption, value] : values) e.setText(ShapeScene::property(e, caption), value);
            e.setText(ShapeScene::property(e, "x"), "100");
            e.setText(ShapeScene::property(e, "y"), "200");
            e.setText(TGraph::kLType, lineType);
            scene.draw(e);
            Rect bounds;
            e.GetBounds(bounds);
            int outside = 0;
            for (int y = 0; y < 320; ++y)
                for (int x = 0; x < 320; ++x) outside += scene.at(x, y) != kWhite && !bounds.contains(x, y);
            EXPECT_EQ(outside, 0) << keyword << " LType " << lineType;
            EXPECT_GT(scene.painted(), 0) << keyword;
        }
    }
}

// Belts, motors and rolls keep their points between paints: after a change
// the element must paint what a new element with the new values paints.
TEST(ProcessFamily, KeptGeometryFollowsEveryInput) {
    using Set = std::vector<std::pair<const char*, const char*>>;
    struct Case {
        const char* keyword;
        Set before, after;
    };
    const Case cases[] = {
        {"BELT", {{"Animated (0/1)", "1"}}, {{"Animated (0/1)", "1"}, {"Angle", "0.3"}}},
        {"BELT", {{"Wheels", "3"}}, {{"Wheels", "5"}}},
        {"BELT", {{"h", "20"}}, {{"h", "31"}}},
        {"BELT", {{"x", "40"}}, {{"x", "47"}, {"w", "150"}}},
        {"MOTOR", {{"Animated (0/1)", "1"}}, {{"Animated (0/1)", "1"}, {"w", "61"}}},
        {"ROLL", {{"Alpha", "0"}}, {{"Alpha", "0.4"}}},
        {"ROLL", {{"AxisWidth", "0"}}, {{"AxisWidth", "3"}, {"h", "60"}}},
        {"ROLL", {{"Input", "1"}}, {{"Input", "0"}}},
        {"HROLLBELT", {{"Rolls", "5"}}, {{"Rolls", "2"}}},
        {"HROLLBELT", {{"w", "10"}}, {{"w", "14"}, {"y", "90"}}},
        {"VROLLBELT", {{"Input", "1"}}, {{"Input", "0"}, {"AxisWidth", "2"}}},
    };
    for (const Case& c : cases) {
        ProcessScene kept(240, 160), fresh(240, 160);
        kept.window.table[1] = 1;
        fresh.window.table[1] = 1;
        TGraph& e = kept.add(c.keyword);
        for (const auto& [caption, value] : c.before) e.setText(ShapeScene::property(e, caption), value);
        kept.draw(e);
        kept.image.fill(Qt::white);
        for (const auto& [caption, value] : c.after) e.setText(ShapeScene::property(e, caption), value);
        kept.draw(e);
        TGraph& other = fresh.add(c.keyword);
        for (const auto& [caption, value] : c.after) other.setText(ShapeScene::property(other, caption), value);
        fresh.draw(other);
        EXPECT_TRUE(kept.image == fresh.image) << c.keyword << " " << c.after.back().first;
    }
}

// A roll's parts are drawn in order up to the first one beyond the int range.
TEST(ProcessGeometry, RollPartsStopAtTheFirstCoordinateOutOfRange) {
    struct Case {
        int y, w, h, axis;
        int parts;
        bool highlight;
    };
    const int low = std::numeric_limits<int>::min() + 700;
    const Case cases[] = {
        {100, 10, 40, 2, 4, true},
        {100, 3, 40, 0, 4, false},  // too narrow for a highlight
        {low, 10, 650, 2, 3, true}, // only the axis reaches beyond the top
        {low, 10, 800, 0, 0, false},
    };
    for (const Case& c : cases) {
        const RollShape shape = RollShapeOf(RollAt(10, c.y, 0), c.w, c.h, c.axis, 0, true);
        EXPECT_EQ(shape.parts, c.parts) << c.h;
        EXPECT_EQ(shape.failure != nullptr, c.parts < 4) << c.h;
        if (c.parts >= 2) {
            EXPECT_EQ(shape.highlight.has_value(), c.highlight) << c.h;
        }
    }
}

} // namespace
} // namespace ovanto::testing
