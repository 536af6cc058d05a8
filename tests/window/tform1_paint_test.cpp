#include "window/window_fixture.h"

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using namespace ovanto::testing;

constexpr int kRed = 0x0000FF;  // TColor 0x00BBGGRR
constexpr int kBlue = 0xFF0000;

QRgb rgbOf(int color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TEST(WindowPaint, ClientSizeGoesToWidthAndHeightSignalsAndBackgroundFillsAll) {
    TForm1 form;
    form.options().BackgroundColor = kBlue;
    form.setClientSize(QSize(300, 200));
    const QImage image = form.renderToImage();
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(form.signalTable()[55], 300.0L);
    EXPECT_EQ(form.signalTable()[56], 200.0L);
    EXPECT_EQ(image.pixel(0, 0), rgbOf(kBlue));
    EXPECT_EQ(image.pixel(299, 199), rgbOf(kBlue));
}

TEST(WindowPaint, ABrokenElementDoesNotStopThePaintAndLaterElementsLieOnTop) {
    TForm1 form;
    form.setClientSize(QSize(120, 80));
    addFilled(form, 10, 40, 30, kRed);
    form.addElement(std::make_unique<ThrowingGraph>(form));
    addFilled(form, 30, 40, 30, kBlue); // overlaps the red one from x = 30
    const QImage image = form.renderToImage();
    EXPECT_EQ(image.pixel(20, 35), rgbOf(kRed));
    EXPECT_EQ(image.pixel(45, 35), rgbOf(kBlue));
    EXPECT_EQ(image.pixel(35, 35), rgbOf(kBlue));
}

class DesignGrid : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(QSize(250, 120));
        form.setDesignMode(true);
        image = form.renderToImage();
    }
    TForm1 form;
    QImage image;
};

TEST_F(DesignGrid, DotsSitOnEveryMultipleOfTwentyFiveOutsideTheRulers) {
    for (int x = 50; x < 250; x += 25)
        for (int y = 50; y <= 100; y += 25) {
            EXPECT_TRUE(isBlack(image, x, y)) << x << "," << y;
            EXPECT_FALSE(isBlack(image, x + 1, y)) << x << "," << y;
            EXPECT_FALSE(isBlack(image, x, y + 1)) << x << "," << y;
        }
    EXPECT_FALSE(isBlack(image, 60, 60));
}

TEST_F(DesignGrid, TopRulerLabels100And200LeftRuler100) {
    // Top labels: left edge at x + 2, bottom at 10.
    EXPECT_TRUE(anyBlack(image, 102, 1, 122, 10));
    EXPECT_TRUE(anyBlack(image, 202, 1, 222, 10));
    EXPECT_FALSE(anyBlack(image, 52, 1, 72, 10));  // 50 has a short tick and no number
    EXPECT_FALSE(anyBlack(image, 152, 1, 172, 10));
    // Long ticks at the labelled positions, short ones elsewhere.
    EXPECT_TRUE(isBlack(image, 100, 9));
    EXPECT_TRUE(isBlack(image, 75, 2));
    EXPECT_FALSE(isBlack(image, 75, 6));
    // Left label 100 above y = 100, none at 50.
    EXPECT_TRUE(anyBlack(image, 0, 90, 12, 100));
    EXPECT_FALSE(anyBlack(image, 0, 41, 12, 50));
    EXPECT_TRUE(isBlack(image, 9, 100));
    EXPECT_FALSE(isBlack(image, 6, 75));
    // Ruler brush.
    EXPECT_EQ(image.pixel(160, 5), rgbOf(TForm1::kGridBrushColor));
}

TEST_F(DesignGrid, IsDrawnOnlyInDesignModeWithTheGridOn) {
    form.setDesignGrid(false);
    EXPECT_FALSE(isBlack(form.renderToImage(), 100, 50));
    form.setDesignGrid(true);
    form.setDesignMode(false);
    EXPECT_FALSE(isBlack(form.renderToImage(), 100, 50));
}

TEST(WindowPaint, ReducedPixelFormatsKeepTheGeometryAndLoseColours) {
    TForm1 form;
    form.setClientSize(QSize(60, 40));
    addFilled(form, 10, 30, 20, 0x3070B0);
    const QImage full = form.renderToImage();
    for (int format = 1; format <= 7; ++format) {
        form.options().PixelFormat = format;
        const QImage reduced = form.renderToImage();
        EXPECT_EQ(reduced.format(), QImage::Format_RGB32) << format;
        EXPECT_EQ(reduced.size(), full.size()) << format;
        EXPECT_EQ(reduced.pixel(0, 0), qRgb(255, 255, 255)) << format;
        EXPECT_TRUE(isBlack(reduced, 10, 20)) << format; // the outline
    }
    form.options().PixelFormat = 1;
    const QRgb mono = form.renderToImage().pixel(20, 25);
    EXPECT_TRUE(mono == qRgb(0, 0, 0) || mono == qRgb(255, 255, 255));
}

} // namespace
} // namespace ovanto
