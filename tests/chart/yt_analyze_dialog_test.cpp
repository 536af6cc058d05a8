#include "chart/yt_analyze_dialog.h"
#include "platform/colors.h"
#include "platform/printer.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace ovanto {
namespace {

using R = TYTAnalyzeDialog::ReadOut;

constexpr TColor kNavy = rgbColor(0, 0, 128);
constexpr TColor kGreen = rgbColor(0, 128, 0);

PlotCurve Curve(TColor color, float offset) {
    PlotCurve c;
    for (int i = 0; i <= 100; ++i) {
        c.xs.push_back(static_cast<float>(i) / 10);
        c.ys.push_back(offset + static_cast<float>(i % 20) / 100);
    }
    c.pen.color = color;
    return c;
}

// Axes fixed to 0..10 and 0..1, so marker values follow from world positions alone.
PlotView FixedView(int curves = 1) {
    PlotView v;
    v.x = {.automatic = false, .low = 0, .high = 10};
    v.y = {.automatic = false, .low = 0, .high = 1};
    const TColor colors[] = {rgbColor(255, 0, 0), rgbColor(0, 0, 255), rgbColor(255, 0, 255)};
    for (int i = 0; i < curves; ++i) v.curves.push_back(Curve(colors[i], 0.2f + 0.25f * static_cast<float>(i)));
    return v;
}

struct Shown {
    TYTAnalyzeDialog dialog;
    explicit Shown(PlotView view = FixedView()) : dialog(std::move(view)) {
        dialog.show();
        dialog.PaintChart(false);
    }
    QWidget* box() { return dialog.paintBox(); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(box(), Qt::LeftButton, {}, from);
        QTest::mouseMove(box(), to);
        QTest::mouseRelease(box(), Qt::LeftButton, {}, to);
    }
    int count(TColor color) const {
        const QImage& p = dialog.picture();
        int n = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) n += fromQRgb(p.pixel(x, y)) == color;
        return n;
    }
    int column(float t) const {
        const QRect a = dialog.plotArea();
        return a.left() + qRound(static_cast<float>(a.right() - a.left()) * t / 10);
    }
    int row(float y) const {
        const QRect a = dialog.plotArea();
        return a.bottom() - qRound(static_cast<float>(a.bottom() - a.top()) * y);
    }
};

TEST(YTAnalyzeDialog, MarkersStartAtAFifthAndFourFifthsOfThePage) {
    Shown s;
    EXPECT_EQ(s.dialog.windowTitle(), "Auswertung");
    ASSERT_TRUE(s.dialog.markersPlaced());
    // world 0.2 and 0.8 of the 1 x 1 page over a plot area 0.1..0.9 x 0.15..0.95
    const struct {
        R field;
        const char* text;
    } cases[] = {{R::kT1, "1.25"}, {R::kY1, "0.0625"}, {R::kT2, "8.75"}, {R::kY2, "0.812"}, {R::kDt, "7.5"},
                 {R::kDy, "0.75"}, {R::kDyDt, "0.1"},  {R::kY2Y1, "13"},  {R::kDtDy, "10"}};
    for (const auto& c : cases) EXPECT_EQ(s.dialog.readOut(c.field), c.text) << c.field;
    // XOR on white: marker 1 navy, marker 2 green, the connection black
    EXPECT_GT(s.count(kNavy), 100);
    EXPECT_GT(s.count(kGreen), 100);
    const QImage& p = s.dialog.picture();
    const int x = s.column(1.25f), y = s.row(0.5f);
    EXPECT_TRUE(fromQRgb(p.pixel(x - 1, y)) == kNavy || fromQRgb(p.pixel(x, y)) == kNavy ||
                fromQRgb(p.pixel(x + 1, y)) == kNavy);
}

TEST(YTAnalyzeDialog, DraggingMovesTheNearerMarkerAndStaysOnThePlotArea) {
    const struct {
        const char* name;
        float fromT;      // press column, as a time
        float toT, toY;   // mouse release, axis values (outside means beyond the area)
        int moved;
        float t, y;       // expected marker values
    } cases[] = {
        {"near marker 1", 2, 4, 0.5f, 1, 4, 0.5f},
        {"near marker 2", 7, 6, 0.25f, 2, 6, 0.25f},
        {"midway takes marker 2", 5, 3, 0.75f, 2, 3, 0.75f},
        {"beyond the right bottom corner", 8, 14, -0.5f, 2, 10, 0},
        {"beyond the left top corner", 1, -3, 1.5f, 1, 0, 1},
    };
    for (const auto& c : cases) {
        Shown s;
        const TYTAnalyzeDialog::Marker other = s.dialog.marker(3 - c.moved);
        s.drag({s.column(c.fromT), s.row(0.5f)}, {s.column(c.toT), s.row(c.toY)});
        const TYTAnalyzeDialog::Marker m = s.dialog.marker(c.moved);
        EXPECT_NEAR(m.t, c.t, 0.05) << c.name;
        EXPECT_NEAR(m.y, c.y, 0.01) << c.name;
        EXPECT_TRUE(m.t >= 0 && m.t <= 10 && m.y >= 0 && m.y <= 1) << c.name << " " << m.t << " " << m.y;
        EXPECT_EQ(s.dialog.marker(3 - c.moved).t, other.t) << c.name;
        // the XOR erase leaves exactly what a fresh paint draws
        const QImage dragged = s.dialog.picture().copy();
        s.dialog.PaintChart(false);
        EXPECT_EQ(dragged, s.dialog.picture()) << c.name;
    }
}

TEST(YTAnalyzeDialog, FailedDivisionsRead99999_99) {
    Shown s;
    // both markers onto one pixel: dt and dy are 0
    const QPoint p(s.column(5), s.row(0.5f));
    s.drag({s.column(8), p.y()}, p);
    s.drag({s.column(2), p.y()}, p);
    ASSERT_EQ(s.dialog.marker(1).t, s.dialog.marker(2).t);
    for (const R field : {R::kDyDt, R::kDtDy}) EXPECT_EQ(s.dialog.readOut(field), "99999.99") << field;
    EXPECT_EQ(s.dialog.readOut(R::kY2Y1), "1");
}

TEST(YTAnalyzeDialog, ManualOrdinateOnlyForAConvertingRisingRange) {
    const struct {
        const char* yMin;
        const char* yMax;
        float top; // the ordinate value at the top of the plot area
    } cases[] = {
        {"0", "10", 10}, {"-2,5", "2.5", 2.5f}, {"0", "-3", 1}, {"abc", "10", 1}, {"5", "5", 1},
    };
    for (const auto& c : cases) {
        Shown s;
        s.dialog.findChild<QCheckBox*>("yManCB")->setChecked(true);
        s.dialog.findChild<QLineEdit*>("yMinEdit")->setText(c.yMin);
        s.dialog.findChild<QLineEdit*>("yMaxEdit")->setText(c.yMax);
        const QRect area = s.dialog.plotArea();
        s.drag({s.column(1.25f), area.center().y()}, area.topLeft() - QPoint(20, 20));
        EXPECT_NEAR(s.dialog.marker(1).y, c.top, 0.01) << c.yMin << ".." << c.yMax;
    }
}

TEST(YTAnalyzeDialog, EveryCurveOfTheGroupIsDrawnAndPrinted) {
    Shown s(FixedView(3));
    for (const TColor c : {rgbColor(255, 0, 0), rgbColor(0, 0, 255), rgbColor(255, 0, 255)})
        EXPECT_GT(s.count(c), 50) << c;

    EXPECT_FALSE(s.dialog.findChild<QPushButton*>("SaveButton")->isEnabled());
    int saved = 0;
    s.dialog.setSaveAction([&](QWidget* parent) { saved += parent == &s.dialog; });
    QTest::mouseClick(s.dialog.findChild<QPushButton*>("SaveButton"), Qt::LeftButton);
    EXPECT_EQ(saved, 1);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("chart.pdf");
    Printer::instance().setOutputFile(pdf);
    QTest::mouseClick(s.dialog.findChild<QPushButton*>("PrintButton"), Qt::LeftButton);
    Printer::instance().setOutputFile({});
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_EQ(s.dialog.readOut(R::kT1), "1.25") << "printing keeps the markers";
}

TEST(YTAnalyzeDialog, HeadlessRunHandsTheOpenDialogToTheVisitorAndCloses) {
    bool visited = false;
    TYTAnalyzeDialog::setHeadlessVisitor([&](TYTAnalyzeDialog& d) {
        visited = d.isVisible() && d.markersPlaced();
        d.findChild<QPushButton*>("OKButton")->click();
    });
    TYTAnalyzeDialog dialog(FixedView());
    EXPECT_EQ(dialog.Run(), QDialog::Accepted);
    TYTAnalyzeDialog::setHeadlessVisitor({});
    EXPECT_TRUE(visited);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace ovanto
