#include "elements/core/record.h"
#include "elements/display/plot_button.h"
#include "elements/display/plots.h"
#include "elements/display/shape_scene.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

struct Opened {
    TPlotGraph* plot = nullptr;
    bool save = false;
    bool print = false;
    int count = 0;
};

struct ButtonScene : ShapeScene {
    Opened opened;
    ButtonScene() : ShapeScene(200, 100) {
        TYTAnalyzeGraph::setOpener([this](TPlotGraph& p, bool save, bool print) {
            opened = {&p, save, print, opened.count + 1};
        });
    }
    ~ButtonScene() { TYTAnalyzeGraph::setOpener({}); }
    void click(TGraph& e, int x, int y) {
        e.MouseDown(x, y);
        e.MouseUp(x, y);
    }
};

TEST(PlotButton, RecordKeepsItsOwnFieldOrder) {
    ButtonScene s;
    RecordVersionScope scope;
    SetRecordVersion(435);
    TGraph* e = ReadRecord(s.window, QStringLiteral("YTANALYZE\t0\t123\t1\t-1\t0\t0\tnote\tGo#Auswerten\t7\t60\t90\t30\t0\tpic.bmp\t1\t11\t0\t1\t0"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(ShapeScene::get(*e, "Caption"), "Go#Auswerten");
    EXPECT_EQ(ShapeScene::get(*e, "x"), "7");
    EXPECT_EQ(ShapeScene::get(*e, "h"), "30");
    EXPECT_EQ(ShapeScene::get(*e, "BMPFile or Id"), "pic.bmp");
    EXPECT_EQ(ShapeScene::get(*e, "FontSize"), "11");
    EXPECT_EQ(ShapeScene::get(*e, "SaveButton (0/1)"), "0");
    EXPECT_EQ(ShapeScene::get(*e, "SimEnabled (0/1)"), "0");
    QString saved;
    e->SaveToString(saved);
    EXPECT_EQ(saved, "YTANALYZE\t0\t123\t1\t-1\t0\t0\tnote\tGo#Auswerten\t7\t60\t90\t30\t0\tpic.bmp\t1\t11\t0\t1\t0");
    SetRecordVersion(389); // SimEnabled came later and keeps its start value
    TGraph* old = ReadRecord(s.window, QStringLiteral("YTANALYZE\t0\t123\t1\t-1\t0\t0\t\tA\t7\t60\t90\t30\t0\tx\t0\t8\t1\t1"));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(ShapeScene::get(*old, "SimEnabled (0/1)"), "1");
    EXPECT_EQ(ShapeScene::get(*old, "PrintButton (0/1)"), "1");
}

TEST(PlotButton, OpensTheNearestYtGroupMasterBeforeIt) {
    struct Case {
        bool plotBefore;
        bool running;
        const char* simEnabled;
        int opens;
        int beeps;
    } cases[] = {
        {true, false, "1", 1, 0},
        {false, false, "1", 0, 0}, // no plot before it: nothing
        {true, true, "0", 0, 1},   // refused during a run
        {true, true, "1", 1, 0},
    };
    for (const Case& c : cases) {
        ButtonScene s;
        TGraph* master = nullptr;
        if (c.plotBefore) {
            master = &s.add("YTPLOT", {{"Group", "3"}});
            s.add("YTPLOT", {{"Group", "3"}});
        }
        TGraph& button = s.add("YTANALYZE", {{"SimEnabled (0/1)", c.simEnabled}, {"PrintButton (0/1)", "0"}});
        s.add("YTPLOT"); // after the button: never taken
        s.window.running = c.running;
        s.click(button, 50, 40);
        EXPECT_EQ(s.opened.count, c.opens);
        EXPECT_EQ(s.window.countingSound.beeps(), c.beeps);
        if (c.opens) {
            EXPECT_EQ(s.opened.plot, master);
            EXPECT_TRUE(s.opened.save);
            EXPECT_FALSE(s.opened.print);
        }
        s.click(button, 5, 5); // outside
        EXPECT_EQ(s.opened.count, c.opens);
    }
}

TEST(PlotButton, RaisedLookAndCaptionAfterTheHash) {
    ButtonScene s;
    TGraph& button = s.add("YTANALYZE", {{"Caption", "x#Auswerten"}, {"RGBStroke", "255"}});
    s.draw(button);
    EXPECT_EQ(s.at(40, 25), kWhite);           // top-left outer edge
    EXPECT_EQ(s.at(119, 49), kBlack);          // bottom-right outer edge
    EXPECT_EQ(s.at(60, 30), rgbColor(192, 192, 192));
    EXPECT_GT(s.count(255), 10);               // the caption in the stroke colour
}

} // namespace
} // namespace ovanto::testing
