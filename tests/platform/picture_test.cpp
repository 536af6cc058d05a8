#include "platform/picture.h"

#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using namespace test;

constexpr TColor kMagenta = rgbColor(255, 0, 255);

// 4 x 3, red, with a magenta bottom row and a green pixel at (1, 0).
QImage sample() {
    QImage image = filledImage(kRed, 4, 3);
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 2, toQRgb(kMagenta));
    image.setPixel(1, 0, toQRgb(kGreen));
    return image;
}

TEST(Picture, LoadsBmpAndPng) {
    QTemporaryDir dir;
    for (const char* format : {"BMP", "PNG"}) {
        const QString path = dir.filePath(QStringLiteral("sample.") + QString::fromLatin1(format));
        ASSERT_TRUE(sample().save(path, format));
        const Picture picture = Picture::fromFile(path);
        EXPECT_EQ(picture.width(), 4) << format;
        EXPECT_EQ(picture.height(), 3) << format;
        EXPECT_EQ(picture.pixel(1, 0), kGreen) << format;
        EXPECT_EQ(picture.pixel(4, 0), kInvalidColor) << format;
        EXPECT_EQ(picture.transparentColor(), kMagenta) << format; // the bottom-left pixel
    }
    EXPECT_TRUE(Picture::fromFile(dir.filePath(QStringLiteral("missing.bmp"))).isEmpty());
    QFile garbage(dir.filePath(QStringLiteral("garbage.bmp")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM this is not a bitmap");
    garbage.close();
    Picture picture(sample());
    EXPECT_FALSE(picture.load(garbage.fileName()));
    EXPECT_TRUE(picture.isEmpty());
}

TEST(Picture, TransparentDrawLeavesOutTheTransparentColour) {
    Picture picture(sample());
    QImage image = filledImage(kBlue);
    paint(image, [&](Canvas& c) {
        c.draw(2, 2, picture);
        picture.setTransparent(true);
        c.setPenMode(PenMode::Xor); // pictures are copied, whatever the pen does
        c.draw(10, 2, picture);
    });
    EXPECT_EQ(at(image, 2, 4), kMagenta);
    EXPECT_EQ(at(image, 3, 2), kGreen);
    EXPECT_EQ(at(image, 10, 4), kBlue);
    EXPECT_EQ(at(image, 10, 2), kRed);
    EXPECT_EQ(at(image, 11, 2), kGreen);
}

// The cut-out copy follows changes of the pixels and of the transparent colour.
TEST(Picture, TransparencyFollowsChanges) {
    Picture picture(sample());
    picture.setTransparent(true);
    EXPECT_EQ(picture.paintImage().pixel(0, 2), 0u);
    picture.setPixel(0, 0, kMagenta);
    EXPECT_EQ(picture.paintImage().pixel(0, 0), 0u);
    picture.setTransparentColor(kRed);
    EXPECT_EQ(qAlpha(picture.paintImage().pixel(0, 2)), 255);
    EXPECT_EQ(picture.paintImage().pixel(2, 0), 0u);
    picture.resetTransparentColor();
    picture.replaceColor(kMagenta, kBlue);
    EXPECT_EQ(picture.transparentColor(), kBlue);
    EXPECT_EQ(picture.paintImage().pixel(3, 2), 0u);
}

TEST(Picture, StretchDrawScalesWithoutSmoothing) {
    const Picture picture(sample());
    QImage image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.stretchDraw(2, 2, 10, 8, picture);              // twice the size
        c.stretchDraw(24, 20, 20, 17, picture);           // reversed corners, natural size
        c.stretchDraw(0, 30, 1'000'000'000, 30, picture); // empty
    });
    EXPECT_EQ(inkBounds(image), QRect(2, 2, 22, 18));
    EXPECT_EQ(at(image, 5, 3), kGreen);
    EXPECT_EQ(at(image, 6, 2), kRed);
    EXPECT_EQ(countColor(image, kGreen), 4 + 1);
}

TEST(Picture, AlphaIsKept) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, 0x00000000u);
    image.setPixel(1, 0, 0xFF00FF00u);
    QImage target = filledImage(kBlue, 4, 4);
    paint(target, [&](Canvas& c) { c.draw(0, 0, Picture(image)); });
    EXPECT_EQ(at(target, 0, 0), kBlue);
    EXPECT_EQ(at(target, 1, 0), rgbColor(0, 255, 0));
}

} // namespace
} // namespace ovanto
