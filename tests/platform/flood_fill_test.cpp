// The solid surface fill paints while it searches; these pictures make it turn
// back on itself (spirals, combs, a random maze) and compare with a plain
// four-connected search of the same picture.
#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <random>

namespace ovanto {
namespace {

using namespace test;

// Every pixel four-connected to (x, y) with its colour, inside the area, in the new colour.
QImage referenceFill(QImage image, int x, int y, TColor color, const QRect& area) {
    const QRgb old = image.pixel(x, y);
    const QRgb rgb = toQRgb(color) | 0xFF000000u;
    if ((old & 0xFFFFFFu) == (rgb & 0xFFFFFFu)) return image;
    std::deque<QPoint> open{QPoint(x, y)};
    while (!open.empty()) {
        const QPoint p = open.front();
        open.pop_front();
        if (!area.contains(p) || image.pixel(p) != old) continue;
        image.setPixel(p, rgb);
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) open.push_back(p + d);
    }
    return image;
}

struct Picture {
    const char* name;
    std::function<void(QImage&)> draw;
    QPoint seed;
};

void wall(QImage& image, int x, int y) { image.setPixel(x, y, toQRgb(kBlack)); }

TEST(FloodFill, SolidFillMatchesAFourConnectedSearch) {
    const Picture pictures[] = {
        {"empty", [](QImage&) {}, {20, 20}},
        {"spiral",
         [](QImage& image) {
             for (int r = 2; r < 30; r += 4)
                 for (int k = 30 - r; k <= 30 + r; ++k) {
                     wall(image, k, 30 - r);
                     wall(image, 30 + r, k);
                     wall(image, k, 30 + r);
                     if (k > 30 - r + 2) wall(image, 30 - r, k);
                 }
         },
         {31, 31}},
        {"comb opening down and up",
         [](QImage& image) {
             for (int x = 4; x < 60; x += 4)
                 for (int y = 0; y < 50; ++y) wall(image, x, (x / 4) % 2 ? y : 63 - y);
         },
         {1, 1}},
        {"random maze",
         [](QImage& image) {
             std::mt19937 random(7);
             for (int y = 0; y < 64; ++y)
                 for (int x = 0; x < 64; ++x)
                     if (random() % 5 < 2) wall(image, x, y);
             image.setPixel(32, 32, toQRgb(kWhite));
         },
         {32, 32}},
    };
    const QRect clips[] = {QRect(0, 0, 64, 64), QRect(5, 9, 40, 33)};
    for (const Picture& picture : pictures) {
        for (const QRect& clip : clips) {
            SCOPED_TRACE(std::string(picture.name) + (clip.width() == 64 ? "" : ", clipped"));
            QImage image = whiteImage(64, 64);
            picture.draw(image);
            const QImage expected = referenceFill(image, picture.seed.x(), picture.seed.y(), kRed, clip);
            paint(image, [&](Canvas& c) {
                c.setClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
                c.setBrushColor(kRed);
                c.floodFill(picture.seed.x(), picture.seed.y(), kWhite, FloodFillMode::Surface);
            });
            EXPECT_EQ(image, expected);
        }
    }
}

} // namespace
} // namespace ovanto
