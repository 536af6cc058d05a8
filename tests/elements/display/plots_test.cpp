#include "elements/core/text_grid.h"
#include "elements/display/plots.h"
#include "elements/display/shape_scene.h"
#include "platform/printer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 255;
constexpr TColor kBlue = 0xFF0000;

struct PlotScene : ShapeScene {
    PlotScene() : ShapeScene(300, 200) {}
    TYTPlotGraph& yt(Props values = {}) { return static_cast<TYTPlotGraph&>(add("YTPLOT", values)); }
    TXYPlotGraph& xy(Props values = {}) { return static_cast<TXYPlotGraph&>(add("XYPLOT", values)); }
    void init() {
        for (const auto& e : window.elements) e->Init();
    }
    // One step: inputs 1 and 2 and the time channel, then every element records.
    void step(long double t, long double i1, long double i2 = 0) {
        window.table[1] = i1;
        window.table[2] = i2;
        window.table[54] = t;
        for (const auto& e : window.elements) e->UpdateInputs(t);
    }
    int paintedOutside(const Rect& r) const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!(x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)) n += at(x, y) != kWhite;
        return n;
    }
};

TEST(Plots, StartValuesDifferFromGridDefaults) {
    for (const char* keyword : {"YTPLOT", "XYPLOT"}) {
        PlotScene s;
        TGraph& plot = s.add(keyword);
        EXPECT_EQ(PlotScene::get(plot, "y"), "150");
        EXPECT_EQ(PlotScene::get(plot, "w"), "200");
        MemoryGrid elements(2, 2);
        MemoryGrid props(2, 30);
        plot.InitPropGrid(elements, props, 1, true);
        EXPECT_EQ(props.cell(1, 7), "20");
        EXPECT_EQ(props.cell(1, 8), "100");
        EXPECT_EQ(props.cell(1, 9), "100");
        EXPECT_EQ(props.cell(1, 10), "80");
    }
}

TEST(Plots, YtRecordsTimeInItsModeAndNothingWithoutAChannel) {
    struct Case {
        const char* input;
        const char* mode;
        long double t;
        size_t count;
        float time;
    } cases[] = {
        {"1", "0", 120, 1, 120},
        {"1", "1", 120, 1, 2},
        {"1", "2", 7200, 1, 2},
        {"0", "0", 1, 0, 0},     // no channel
        {"I1*2", "0", 3, 1, 3},  // a formula
    };
    for (const Case& c : cases) {
        PlotScene s;
        TYTPlotGraph& plot = s.yt({{"Input", c.input}, {"TimeMode (0/1/2)", c.mode}});
        s.init();
        s.step(c.t, 4);
        ASSERT_EQ(plot.xs().size(), c.count) << c.input;
        if (c.count) {
            EXPECT_FLOAT_EQ(plot.xs()[0], c.time);
        }
    }
}

TEST(Plots, RecorderMovesOnByHalfAWindowAndTrimsTheGroup) {
    PlotScene s;
    TYTPlotGraph& master = s.yt({{"Group", "1"}, {"RecorderMode (0/1)", "1"}, {"TimeMax", "10"}});
    TYTPlotGraph& member = s.yt({{"Group", "1"}, {"Input", "2"}});
    s.init();
    for (int t = 0; t <= 10; ++t) s.step(t, t, -t);
    EXPECT_FLOAT_EQ(master.windowStart(), 0);
    s.step(11, 11, -11);
    EXPECT_FLOAT_EQ(master.windowStart(), 5);
    EXPECT_FLOAT_EQ(master.xs().front(), 5);
    EXPECT_FLOAT_EQ(member.xs().front(), 5);
    EXPECT_EQ(master.xs().size(), master.ys().size());
    EXPECT_EQ(member.xs().size(), 7u); // 5..11
}

TEST(Plots, XyKeepsItsUpdateRate) {
    struct Case {
        const char* rate;
        size_t pairs;
    } cases[] = {{"0", 9}, {"0.5", 4}, {"10", 0}};
    for (const Case& c : cases) {
        PlotScene s;
        TXYPlotGraph& plot = s.xy({{"UpdateRate (0=auto)", c.rate}});
        s.init();
        for (int i = 0; i <= 8; ++i) s.step(i * 0.25L, i, -i);
        EXPECT_EQ(plot.xs().size(), c.pairs) << c.rate;
    }
}

TEST(Plots, GroupMembersShareTheMasterAndHideTheirBounds) {
    PlotScene s;
    TYTPlotGraph& a = s.yt({{"Group", "1"}});
    TYTPlotGraph& lone = s.yt({{"Group", "7"}}); // a group of one is its own master
    TYTPlotGraph& b = s.yt({{"Group", "1"}, {"x", "50"}});
    s.add("XYPLOT", {{"Group", "1"}}); // another kind never joins
    s.init();
    EXPECT_EQ(b.master(), &a);
    EXPECT_EQ(lone.master(), &lone);
    EXPECT_EQ(a.members(), (std::vector<TPlotGraph*>{&b}));
    Rect r;
    b.GetBounds(r);
    EXPECT_EQ(r, kNoBounds);
    a.GetBounds(r);
    EXPECT_EQ(r, (Rect{20, 30, 220, 150}));
}

TEST(Plots, CurvesOfAGroupInTheirOwnPensInsideTheRectangle) {
    PlotScene s;
    TYTPlotGraph& a = s.yt({{"Group", "1"}, {"RGBStroke", "255"}, {"x", "10"}, {"y", "190"}, {"w", "280"},
                            {"h", "180"}, {"DrawGrid (0/1)", "1"}});
    TYTPlotGraph& b = s.yt({{"Group", "1"}, {"RGBStroke", "16711680"}, {"Input", "2"}});
    s.init();
    for (int t = 0; t <= 100; ++t) s.step(t / 10.0L, std::sin(t / 10.0), 0.5);
    s.draw(a);
    s.draw(b);
    EXPECT_GT(s.count(kRed), 50);
    EXPECT_GT(s.count(kBlue), 100);
    EXPECT_EQ(s.paintedOutside({10, 10, 290, 190}), 0);
    // plot area from 0.15 w to 0.95 w: the border's left edge at x = 10 + 42
    EXPECT_EQ(s.at(52, 100), kBlack);
    EXPECT_EQ(s.at(51, 100), kWhite);
}

TEST(Plots, BadDataDrawsWithoutCrashing) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* w;
        const char* log;
        long double value;
    } cases[] = {{"200", "1", -5}, {"0", "0", 1}, {"-10", "0", 1}, {"200", "1", nan},
                 {"200", "0", std::numeric_limits<long double>::infinity()}};
    for (const Case& c : cases) {
        PlotScene s;
        TYTPlotGraph& plot = s.yt({{"w", c.w}, {"LogAmpScale (0/1)", c.log}});
        s.init();
        s.step(0, c.value);
        s.step(1, c.value);
        s.draw(plot);
    }
    PlotScene s;
    TYTPlotGraph& big = s.yt();
    s.init();
    for (int i = 0; i < 1'000'000; ++i) s.step(i, i % 7);
    s.draw(big);
    EXPECT_EQ(big.xs().size(), 1'000'000u);
}

TEST(Plots, DrawIntoAnotherCanvasWithAFixedOrdinate) {
    PlotScene s;
    TYTPlotGraph& plot = s.yt({{"RGBStroke", "255"}});
    s.init();
    for (int t = 0; t <= 10; ++t) s.step(t, 5);
    QImage other(200, 200, QImage::Format_RGB32);
    other.fill(Qt::white);
    Canvas canvas(other);
    plot.DrawInto(canvas, QRect(0, 0, 200, 200), 10, 0, true, false);
    // 5 of 0..10 lies half way up the plot area 0.15 + 0.4 of the page
    EXPECT_EQ(fromQRgb(other.pixel(100, 90)), kRed);
    EXPECT_NE(fromQRgb(other.pixel(100, 89)), kRed);
}

TEST(Plots, AMasterPrintsItsGroupAMemberNothing) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
    Printer printer;
    printer.setOutputFile(pdf);
    ScopedOverride<Printer> use(printer);
    PlotScene s;
    TYTPlotGraph& master = s.yt({{"Group", "2"}, {"DrawGrid (0/1)", "1"}});
    TYTPlotGraph& member = s.yt({{"Group", "2"}, {"Input", "2"}});
    s.init();
    for (int t = 0; t < 50; ++t) s.step(t, t, -t);
    EXPECT_FALSE(member.PrintPlot());
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(master.PrintPlot());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
}

} // namespace
} // namespace ovanto::testing
