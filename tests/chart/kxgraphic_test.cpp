#include "chart/kxgraphic.h"
#include "platform/canvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ovanto {
namespace {

struct ChartScene {
    QImage image{200, 100, QImage::Format_RGB32};
    ChartScene() { image.fill(Qt::white); }
    TColor at(int x, int y) const { return fromQRgb(image.pixel(x, y)); }
    int count(TColor c, QRect r) const {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += at(x, y) == c;
        return n;
    }
};

TEST(ChartDrawing, MappingAndConversions) {
    ChartScene s;
    Canvas canvas(s.image);
    TKXGraphic chart(canvas, QRect(0, 0, 200, 100));
    chart.SetPlotArea(false, 0.1f, 0.2f, 0.8f, 0.6f);
    chart.SetXRange(false, 5, 0, 0, 10);
    chart.SetYRange(false, 2, 0, -1, 1);
    using A = TKXGraphic::AxisId;
    EXPECT_EQ(chart.WorldToPixel(A::X, chart.AxisToWorld(A::X, 0)), 20);
    EXPECT_EQ(chart.WorldToPixel(A::X, chart.AxisToWorld(A::X, 10)), 180);
    EXPECT_EQ(chart.WorldToPixel(A::Y, chart.AxisToWorld(A::Y, -1)), 80);
    EXPECT_EQ(chart.WorldToPixel(A::Y, chart.AxisToWorld(A::Y, 1)), 20);
    EXPECT_NEAR(chart.PixelToAxis(A::X, 100), 5.0, 1e-4);
    EXPECT_NEAR(chart.PixelToAxis(A::Y, 50), 0.0, 1e-4);
    EXPECT_EQ(chart.WorldToPixel(A::X, 1e30f), 2147483647);
}

TEST(ChartDrawing, CurveIsClippedToThePlotAreaAndStateRestored) {
    ChartScene s;
    Canvas canvas(s.image);
    canvas.setPen({rgbColor(1, 2, 3), 3, PenStyle::Dot, PenMode::Copy});
    canvas.setFontSize(17);
    const CanvasState before = canvas.state();
    TKXGraphic chart(canvas, QRect(0, 0, 200, 100));
    chart.SetPlotArea(false, 0.1f, 0.2f, 0.8f, 0.6f);
    chart.SetXRange(false, 5, 0, 0, 10);
    chart.SetYRange(false, 2, 0, -1, 1);
    chart.SetCurvePen({kBlack, 1, PenStyle::Solid, PenMode::Copy});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> xs{-5, 5, 15, 16, nan, 17};
    const std::vector<float> ys{0, 0, 0, 5, 1, 1};
    chart.DrawCurve(xs, ys);
    chart.DrawBorder(1);
    chart.DrawXAxis(QStringLiteral("t"), 3);
    chart.DrawYAxis(QStringLiteral("y"), 1, 1);
    EXPECT_EQ(canvas.pen(), before.pen);
    EXPECT_EQ(canvas.font().size, before.font.size);
    EXPECT_EQ(s.at(100, 50), kBlack);    // the curve inside
    EXPECT_EQ(s.at(10, 50), kWhite);     // clipped left of the plot area
    EXPECT_EQ(s.at(190, 50), kWhite);    // and right of it
    EXPECT_EQ(s.at(181, 30), kBlack);    // border's right edge one pixel further
    EXPECT_EQ(s.at(100, 20), kBlack);    // border top
}

TEST(ChartDrawing, BadInputDrawsNothingOrSomethingButNeverHangs) {
    const float inf = std::numeric_limits<float>::infinity();
    const QRect pages[] = {QRect(0, 0, 0, 0), QRect(0, 0, -5, 10), QRect(0, 0, 200, 100)};
    for (const QRect& page : pages) {
        ChartScene s;
        Canvas canvas(s.image);
        TKXGraphic chart(canvas, page);
        chart.SetPlotArea(true, 0.1f, 0.1f, 0.8f, 0.8f);
        chart.SetLog(TKXGraphic::AxisId::Y, true);
        chart.AutoScaleX(std::vector<float>{inf, -inf});
        chart.AutoScaleYRange(-5, 0);
        for (int grid = 0; grid <= 5; ++grid) {
            chart.SetGrid(grid);
            chart.DrawGrid();
        }
        chart.DrawXAxis(QStringLiteral("x"), 2);
        chart.DrawYAxis(QStringLiteral("y"), 0, 0);
        chart.DrawCurve(std::vector<float>{0, 1}, std::vector<float>{inf, 1});
        for (int style = 1; style <= 7; ++style) {
            chart.SetCurveStyle(style);
            chart.DrawCurve(std::vector<float>{0, 1e30f}, std::vector<float>{0, -1e30f});
        }
    }
    SUCCEED();
}

TEST(ChartDrawing, XorMarkersDrawnTwiceLeaveNoTrace) {
    ChartScene s;
    Canvas canvas(s.image);
    TKXGraphic chart(canvas, QRect(0, 0, 200, 100));
    chart.SetPenMode(PenMode::Xor);
    for (int pass = 0; pass < 2; ++pass) {
        chart.MoveTo(0.2f, 0.2f);
        chart.DrawSegment(1, rgbColor(255, 255, 127), 0.8f, 0.2f);
        if (pass == 0) {
            EXPECT_EQ(s.at(100, 80), rgbColor(0, 0, 128)); // navy on white
        }
    }
    EXPECT_EQ(s.count(kWhite, s.image.rect()), 200 * 100);
}

TEST(ChartDrawing, APrinterPageHigherThanWideKeepsALandscapeChart) {
    const struct {
        QRect page;
        bool printer;
        int worldZeroY; // device row of world y 0: the page height in use
    } cases[] = {{QRect(0, 0, 800, 1100), true, 582},
                 {QRect(0, 0, 800, 1100), false, 1100},
                 {QRect(0, 0, 1100, 800), true, 800}};
    for (const auto& c : cases) {
        ChartScene s;
        Canvas canvas(s.image);
        const TKXGraphic chart(canvas, c.page, c.printer);
        EXPECT_EQ(chart.WorldToPixel(TKXGraphic::AxisId::Y, 0), c.worldZeroY) << c.page.height() << c.printer;
    }
}

TEST(ChartDrawing, YTitleAboveTheAxisOrTurnedBesideTheLabels) {
    const struct {
        int titleMode;
        float y0; // the axis top is y0 + 0.4 of a 200 pixel high page
        bool above;
    } cases[] = {{1, 0.1f, true}, {2, 0.1f, false}, {0, 0.1f, true}, {0, 0.55f, false}};
    for (const auto& c : cases) {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        Canvas canvas(image);
        TKXGraphic chart(canvas, image.rect());
        chart.SetPlotArea(false, 0.5f, c.y0, 0.4f, 0.4f);
        chart.SetYRange(false, 2, 0, 0, 1);
        chart.DrawYAxis(QStringLiteral("Amplitude"), 1, c.titleMode);
        const int top = chart.WorldToPixel(TKXGraphic::AxisId::Y, c.y0 + 0.4f);
        const int bottom = chart.WorldToPixel(TKXGraphic::AxisId::Y, c.y0);
        int aboveInk = 0, besideInk = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 120; ++x) {
                if (fromQRgb(image.pixel(x, y)) != kBlack) continue;
                if (y < top - 4) ++aboveInk;
                else if (y > top && y < bottom) ++besideInk; // the labels lie right of x 120
            }
        EXPECT_EQ(aboveInk > 20, c.above) << c.titleMode << " " << c.y0;
        EXPECT_EQ(besideInk > 20, !c.above) << c.titleMode << " " << c.y0;
    }
}

} // namespace
} // namespace ovanto
