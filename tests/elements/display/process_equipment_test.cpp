#include "process_scene.h"

#include "elements/core/text_grid.h"
#include "elements/display/process_equipment.h"
#include "platform/random_source.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

// --- TANK --------------------------------------------------------------------------------

TEST(TankGraph, LiquidFillsThePercentageOfTheHeightFromTheBottom) {
    // x 100, y 150, w 50, h 80; the bottom wall is row 149.
    struct Case {
        const char* percent;
        int topRow; // first liquid row at column 125, 0 for none
    };
    const Case cases[] = {{"50", 110}, {"150", 70}, {"-10", 0}, {"I1", 0}, {"12.5*I2", 142}};
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = std::numeric_limits<long double>::quiet_NaN();
        scene.window.table[2] = 0.8L; // 10 %: 8 rows
        TGraph& tank = scene.add("TANK", {{"FillHeight [%]", c.percent}, {"FillPattern", "5"}});
        tank.setText(TGraph::kRGBFill, "255");
        scene.draw(tank);
        if (c.topRow == 0) {
            EXPECT_EQ(scene.at(125, 148), kWhite) << c.percent;
            continue;
        }
        EXPECT_EQ(scene.at(125, 148), kRed) << c.percent;
        EXPECT_EQ(scene.at(125, c.topRow), kRed) << c.percent;
        EXPECT_EQ(scene.at(125, c.topRow - 1), kWhite) << c.percent;
    }
}

// The outline is kept between paints: a tank that moves, grows or changes its
// shape must draw exactly as a new tank at the new place and shape.
TEST(TankGraph, KeptOutlineFollowsBoxAndShape) {
    const Props moving = {{"x", "100+I3"}, {"w", "50+I4"}, {"Shape", "I5"}};
    struct Step {
        long double dx, dw, shape;
    };
    const Step steps[] = {{0, 0, 0}, {0, 0, 0}, {7, 0, 0}, {7, -20, 0}, {7, -20, 2}, {0, 0, 1}};
    ProcessScene kept;
    TGraph& tank = kept.add("TANK", moving);
    for (const Step& s : steps) {
        ProcessScene fresh;
        for (ProcessScene* scene : {&kept, &fresh}) {
            scene->window.table[3] = s.dx;
            scene->window.table[4] = s.dw;
            scene->window.table[5] = s.shape;
            scene->image.fill(Qt::white);
        }
        kept.draw(tank);
        fresh.draw(fresh.add("TANK", moving));
        EXPECT_EQ(kept.image, fresh.image) << s.dx << " " << s.dw << " " << s.shape;
    }
}

TEST(TankGraph, RoundBottomLiquidSurfaceIsTheChord) {
    ProcessScene scene;
    // w 50: t = 25; at m = 9 the chord half-width is round(sqrt(625 - 256)) = 19.
    TGraph& tank = scene.add("TANK", {{"FillHeight [%]", "11.25"}, {"FillPattern", "5"}, {"Shape", "2"}});
    tank.setText(TGraph::kRGBFill, "255");
    scene.draw(tank);
    int width = 0;
    for (int x = 95; x < 160; ++x) width += scene.at(x, 141) == kRed;
    EXPECT_NEAR(width, 2 * 19, 3);
    EXPECT_EQ(scene.at(125, 140), kWhite);
}

TEST(TankGraph, PatternMovesOneStepPerPaintOnlyDuringARun) {
    struct Case {
        const char* move;
        bool design;
        std::vector<double> random;
        QPoint after[3]; // phase after paints at +31, +10, +21 ms
    };
    const Case cases[] = {
        {"1", false, {}, {{1, 0}, {1, 0}, {2, 0}}},
        {"2", false, {}, {{7, 0}, {7, 0}, {6, 0}}},
        {"1", true, {}, {{0, 0}, {0, 0}, {0, 0}}},
        {"4", false, {0.1, 0.9}, {{1, 7}, {1, 7}, {2, 6}}},
        {"6", false, {0.9, 0.9}, {{6, 6}, {6, 6}, {4, 4}}},
        {"9", false, {}, {{0, 0}, {0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        SequenceRandom random(c.random);
        ScopedOverride<RandomSource> use(random);
        ProcessScene scene;
        scene.window.design = c.design;
        auto& tank = dynamic_cast<TTankGraph&>(scene.add("TANK", {{"Move", c.move}, {"Delay", "30"}, {"FillPattern", "1"}}));
        const std::uint32_t waits[] = {31, 10, 21};
        for (int i = 0; i < 3; ++i) {
            scene.paintAfter(tank, waits[i]);
            EXPECT_EQ(tank.patternPhase(), c.after[i]) << "Move " << c.move << " paint " << i;
        }
    }
}

TEST(TankGraph, AgitatorAndDelayDefaultsAndVersion) {
    ProcessScene scene;
    TGraph& tank = scene.add("TANK", {{"Agitator (0/1)", "1"}});
    EXPECT_EQ(ShapeScene::get(tank, "Delay"), "50");
    MemoryGrid elements(2, 2), props(2);
    tank.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.cell(1, TTankGraph::kDelay + 1), "30");
    EXPECT_EQ(ShapeScene::get(scene.reread(tank, 363), "Agitator (0/1)"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(tank, 364), "Agitator (0/1)"), "1");
    scene.draw(tank);
    EXPECT_EQ(scene.at(125, 100), kBlack); // the shaft
}

// --- HPIPE and VPIPE ----------------------------------------------------------------------

TEST(PipeGraph, FlowCodesAndDirectionMoveThePattern) {
    struct Case {
        const char* keyword;
        const char* input;
        const char* direction;
        double random;
        int phase; // after one step
    };
    const Case cases[] = {
        {"HPIPE", "-1", "0", 0, 1}, {"HPIPE", "-1", "1", 0, 7}, {"HPIPE", "0", "0", 0, 0},
        {"HPIPE", "-3", "0", 0, 0}, {"HPIPE", "-2", "0", 0.9, 1}, {"HPIPE", "-4", "0", 0.1, 7},
        {"VPIPE", "-1", "0", 0, 1}, {"VPIPE", "2*I1", "1", 0, 1}, {"HPIPE", "-5", "0", 0, 7},
    };
    for (const Case& c : cases) {
        SequenceRandom random({c.random});
        ScopedOverride<RandomSource> use(random);
        ProcessScene scene;
        scene.window.table[1] = -3;
        auto& pipe = dynamic_cast<TPipeGraph&>(scene.add(c.keyword, {{"Input", c.input}, {"Direction (0/1)", c.direction}}));
        scene.paintAfter(pipe, 51);
        EXPECT_EQ(pipe.flowPhase(), c.phase) << c.keyword << " " << c.input;
    }
}

TEST(PipeGraph, PlainFillShowsTheNoFlowColourAndIgnoresCodes) {
    const std::pair<const char*, TColor> cases[] = {{"0", kBlue}, {"-1", kBlue}, {"1+1", kRed}, {"-1+0", kBlue}};
    for (const auto& [input, color] : cases) {
        ProcessScene scene;
        TGraph& pipe = scene.add("HPIPE", {{"Input", input}, {"FillPattern", "5"}, {"RGBFill-", "16711680"},
                                           {"Direction (0/1)", "1"}});
        pipe.setText(TGraph::kRGBFill, "255");
        scene.paintAfter(pipe, 51);
        EXPECT_EQ(scene.at(90, 56), color) << input;
        // Without a pattern the codes do not apply: "-1" and "0" name no channel and run backwards.
        EXPECT_EQ(dynamic_cast<TPipeGraph&>(pipe).flowPhase(), color == kRed ? 1 : 7) << input;
    }
}

TEST(PipeGraph, OldRecordsCopyTheFlowColourAndNegativeLineTypeIsAWidth) {
    ProcessScene scene;
    TGraph& pipe = scene.add("VPIPE", {{"RGBFill-", "255"}});
    pipe.setText(TGraph::kRGBFill, "777");
    EXPECT_EQ(ShapeScene::get(scene.reread(pipe, 349), "RGBFill-"), "777");
    EXPECT_EQ(ShapeScene::get(scene.reread(pipe, 350), "RGBFill-"), "255");

    TGraph& wide = scene.add("HPIPE", {{"y", "100"}, {"LeftEnd", "1"}});
    wide.setText(TGraph::kLType, "-3");
    scene.draw(wide);
    // A solid three-pixel side centred on row 93, and a cap at column 40.
    for (const int row : {92, 93, 94}) EXPECT_EQ(scene.at(90, row), kBlack) << row;
    EXPECT_EQ(scene.at(40, 97), kBlack);
}

// --- VALVE and VALVE3 ---------------------------------------------------------------------

TEST(ValveGraph, OpensAtOnValueAndFillsProportionallyFromTheCentre) {
    struct Case {
        long double input;
        const char* mode;
        std::pair<QPoint, TColor> probes[2];
    };
    // x 40, y 60, w 50, h 25: centre (65, 47); 2.5 of 5 opens 12 pixels on each side.
    const Case cases[] = {
        {4.9L, "0", {{{42, 48}, kBlue}, {{88, 48}, kBlue}}},
        {5, "0", {{{42, 48}, kRed}, {{88, 48}, kRed}}},
        {2.5L, "1", {{{57, 47}, kRed}, {{50, 47}, kBlue}}},
        {2.5L, "1", {{{74, 47}, kRed}, {{80, 47}, kBlue}}},
        {50, "1", {{{42, 48}, kRed}, {{88, 48}, kRed}}},
    };
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = c.input;
        scene.draw(scene.add("VALVE", {{"Input", "1"}, {"RGBOpen", "255"}, {"RGBClosed", "16711680"},
                                       {"DisplayMode", c.mode}}));
        for (const auto& [p, color] : c.probes)
            EXPECT_EQ(scene.at(p.x(), p.y()), color) << static_cast<double>(c.input) << " at " << p.x();
    }
}

TEST(ValveGraph, OldOrientationsShiftAndUnknownOnesDrawNothing) {
    ProcessScene scene;
    TGraph& valve = scene.add("VALVE", {{"Orientation", "1"}, {"DisplayMode", "1"}});
    TGraph& old = scene.reread(valve, 350);
    EXPECT_EQ(ShapeScene::get(old, "Orientation"), "5");
    EXPECT_EQ(ShapeScene::get(old, "DisplayMode"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(valve, 351), "Orientation"), "1");
    for (const char* o : {"12", "-1", "2000000000"}) {
        ProcessScene blank;
        blank.draw(blank.add("VALVE", {{"Orientation", o}}));
        EXPECT_EQ(blank.painted(), 0) << o;
    }
    ProcessScene stem;
    stem.draw(stem.add("VALVE", {{"Orientation", "8"}}));
    EXPECT_EQ(stem.at(65, 40), kBlack); // the stem from the centre up
    EXPECT_EQ(stem.at(55, 35), kBlack); // the bar across its end
}

TEST(Valve3Graph, PortsTakeTheirColoursFromJunctionAndInput) {
    // x 40, y 60, w 48, h 48: left branch at (46, 36), right (82, 36), down (64, 54), up (64, 18).
    struct Case {
        const char* junction;
        long double input;
        TColor left, right, down;
    };
    const Case cases[] = {
        {"1", 0, kRed, kRed, kBlue},   {"1", 5, kRed, kBlue, kRed}, {"-1", 0, kRed, kBlue, kRed},
        {"0", 0, kWhite, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = c.input;
        scene.draw(scene.add("VALVE3", {{"Input", "1"}, {"RGBOpen", "255"}, {"RGBClosed", "16711680"},
                                        {"FixJunction", c.junction}}));
        EXPECT_EQ(scene.at(46, 36), c.left) << c.junction;
        EXPECT_EQ(scene.at(82, 36), c.right) << c.junction;
        EXPECT_EQ(scene.at(64, 54), c.down) << c.junction;
        EXPECT_EQ(scene.at(64, 18), kWhite) << c.junction;
    }
    ProcessScene scene;
    TGraph& valve = scene.add("VALVE3", {{"FixJunction", "-2"}});
    EXPECT_EQ(ShapeScene::get(scene.reread(valve, 353), "FixJunction"), "1");
    EXPECT_EQ(ShapeScene::get(scene.reread(valve, 354), "FixJunction"), "-2");
}

// --- 3/2-VALVE and 5/2-VALVE --------------------------------------------------------------

TEST(PneumaticValveGraph, InputSitsInRowThreeAndAfterOnValueInTheRecord) {
    ProcessScene scene;
    auto& valve = dynamic_cast<TPneumaticValveGraph&>(scene.add("3/2-VALVE"));
    valve.setText(TGraph::kLType, "3");
    valve.setInputText("7");
    const QString record = WriteRecord(valve);
    EXPECT_TRUE(record.startsWith("3/2-VALVE\t0\t16777215\t3\t")) << record.toStdString();
    EXPECT_TRUE(record.endsWith("\t40\t50\t120\t27\t5.0\t7\t0")) << record.toStdString();
    auto& copy = dynamic_cast<TPneumaticValveGraph&>(*ReadRecord(scene.window, record));
    EXPECT_EQ(copy.inputText(), "7");
    EXPECT_EQ(copy.lineType(), 3);

    MemoryGrid elements(2, 2), props(2);
    valve.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.cell(0, 3), "Input");
    EXPECT_EQ(props.rowCount(), 13);
    valve.PropsToGrid(elements, props, 1);
    props.setCell(1, 3, "i1*2");
    valve.GridToProps(elements, props, 1);
    EXPECT_EQ(valve.inputText(), "I1*2");
    EXPECT_EQ(valve.lineType(), 3);
}

TEST(PneumaticValveGraph, SwitchesPicturesAndStaysOffOnAnInvalidChannel) {
    struct Case {
        const char* keyword;
        const char* input;
        const char* mode;
        long long picture;
    };
    const Case cases[] = {{"3/2-VALVE", "1", "0", 658}, {"3/2-VALVE", "2", "1", 659}, {"5/2-VALVE", "1", "1", 664},
                          {"5/2-VALVE", "200", "0", 661}, {"3/2-VALVE", "I1", "0", 658}};
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = 5;
        // An invalid channel stays off even below a very low "OnValue".
        const char* onValue = std::string(c.input) == "200" ? "-1E6" : "5.0";
        auto& valve = dynamic_cast<TPneumaticValveGraph&>(scene.add(c.keyword, {{"Mode (0/1)", c.mode}, {"OnValue", onValue}}));
        valve.setInputText(c.input);
        EXPECT_EQ(valve.pictureId(), c.picture) << c.keyword << " " << c.input;
        scene.draw(valve);
        EXPECT_GT(scene.painted(), 100) << c.keyword;
        EXPECT_EQ(scene.at(40, 49), kWhite) << "transparent corner";
    }
}

TEST(PneumaticValveGraph, LibraryHoldsTheDrawnPicturesUnlessAFileTakesTheirPlace) {
    RegisterAllElements();
    PictureLibrary library{QString(), QStringList()};
    for (int id = 657; id <= 664; ++id) {
        ASSERT_TRUE(library.contains(id)) << id;
        EXPECT_EQ(library.storeOf(id), PictureStore::BuiltIn);
        const Picture p = library.load(id);
        EXPECT_EQ(QSize(p.width(), p.height()), QSize(120, 27)) << id;
    }
    EXPECT_NE(library.load(657).image(), library.load(658).image());
    EXPECT_FALSE(library.contains(665));
    const std::vector<int> drawn = PictureLibrary::generatedIds();
    for (int id = 657; id <= 664; ++id) EXPECT_NE(std::find(drawn.begin(), drawn.end(), id), drawn.end()) << id;
    ProcessScene scene;
    scene.window.library = nullptr;
    scene.draw(scene.add("5/2-VALVE"));
    EXPECT_EQ(scene.at(40, 40), kBlack); // without a library: the frame of the box
}

// --- HYDCYL and FILLCOLOR -----------------------------------------------------------------

TEST(HydCylGraph, ChamberFromTheClosedEndAndRodBeyondIt) {
    // x 100, y 150, w 30, h 80, 50 %: chamber 40 pixels.
    struct Case {
        const char* orientation;
        QPoint chamber, back, rodEnd;
    };
    const Case cases[] = {
        {"0", {115, 120}, {105, 100}, {115, 31}},
        {"1", {130, 135}, {150, 125}, {219, 135}},
        {"2", {115, 80}, {105, 130}, {115, 189}},
    };
    for (const Case& c : cases) {
        ProcessScene scene(260, 260);
        scene.draw(scene.add("HYDCYL", {{"Orientation (0-3)", c.orientation}, {"y", "150"}}));
        EXPECT_EQ(scene.at(c.chamber.x(), c.chamber.y()), 8421376) << c.orientation;
        EXPECT_EQ(scene.at(c.back.x(), c.back.y()), 8421504) << c.orientation;
        EXPECT_EQ(scene.at(c.rodEnd.x(), c.rodEnd.y()), kBlack) << c.orientation;
    }
}

TEST(FillColorGraph, FloodsTheRegionWithTheStateColour) {
    struct Case {
        const char* mode;
        const char* on;
        const char* off;
        long double input;
        TColor color;
    };
    const Case cases[] = {
        {"1", "10", "0", 5, 0x004040},  // halfway between 128 (dark red) and 32768 (green)
        {"1", "3", "3", 5, 128},        {"0", "5", "0", 5, 32768}, {"0", "5", "0", 4.9L, 128},
    };
    for (const Case& c : cases) {
        ProcessScene scene;
        scene.window.table[1] = c.input;
        TGraph& rect = scene.add("RECT");
        scene.draw(rect);
        TGraph& fill = scene.add("FILLCOLOR", {{"x", "60"}, {"y", "45"}, {"Mode (0/1)", c.mode},
                                               {"OnValue", c.on}, {"OffValue", c.off}});
        scene.draw(fill);
        EXPECT_EQ(scene.at(41, 31), c.color) << c.mode << " " << static_cast<double>(c.input);
        EXPECT_EQ(scene.at(40, 31), kBlack);
        EXPECT_EQ(scene.at(20, 20), kWhite);
        scene.draw(fill); // the same colour again: nothing to do, and it returns
        EXPECT_EQ(scene.at(88, 58), c.color);
    }
    ProcessScene scene;
    TGraph& fill = scene.add("FILLCOLOR", {{"x", "7"}, {"Mode (0/1)", "1"}});
    TGraph& old = scene.reread(fill, 365);
    EXPECT_EQ(ShapeScene::get(old, "x"), "40");
    EXPECT_EQ(ShapeScene::get(old, "Mode (0/1)"), "0");
    EXPECT_EQ(ShapeScene::get(scene.reread(fill, 366), "x"), "7");
}

} // namespace
} // namespace ovanto::testing
