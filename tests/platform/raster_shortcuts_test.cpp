// Shapes the canvas writes into the image by a shorter way than the general
// one (upright rectangles as polygons, hatched and patterned rectangles,
// straight thin lines) against QPainter on an image the canvas cannot write
// into, over random boxes, clips, brushes and origins.
#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

QImage stripes(int size) {
    QImage pattern(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pattern.setPixel(x, y, (x + 2 * y) % 3 == 0 ? 0xFF102030u : 0xFFF0E0D0u);
    return pattern;
}

TEST(RasterShortcuts, MatchQtPixelForPixel) {
    std::mt19937 engine(20261209);
    const auto rnd = [&engine](int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); };
    const CanvasBrush brushes[] = {
        {kRed, BrushStyle::Solid, {}},     {kBlue, BrushStyle::Vertical, {}},   {kBlue, BrushStyle::Horizontal, {}},
        {kGreen, BrushStyle::Cross, {}},   {kGreen, BrushStyle::BDiagonal, {}}, {kWhite, BrushStyle::Pattern, stripes(8)},
        {kWhite, BrushStyle::Pattern, stripes(3)},
    };
    using Shape = std::function<void(Canvas&, int, int, int, int, int)>;
    const std::vector<std::pair<std::string, Shape>> shapes = {
        {"upright polygon, clockwise",
         [](Canvas& c, int l, int t, int r, int b, int) {
             const QPoint p[] = {{l, t}, {r, t}, {r, b}, {l, b}};
             c.polygon(p);
         }},
        {"upright polygon, from a side",
         [](Canvas& c, int l, int t, int r, int b, int) {
             const QPoint p[] = {{r, b}, {r, t}, {l, t}, {l, b}};
             c.polygon(p);
         }},
        {"rectangle", [](Canvas& c, int l, int t, int r, int b, int) { c.rectangle(l, t, r, b); }},
        {"fillRect", [](Canvas& c, int l, int t, int r, int b, int) { c.fillRect(l, t, r, b); }},
        {"straight line",
         [](Canvas& c, int l, int t, int r, int b, int across) {
             c.moveTo(l, t);
             if (across) c.lineTo(r, t);
             else c.lineTo(l, b);
         }},
    };
    for (const auto& [name, shape] : shapes) {
        for (int round = 0; round < 200; ++round) {
            const int l = rnd(-10, 50), t = rnd(-10, 40), r = rnd(-10, 70), b = rnd(-10, 50), across = rnd(0, 1);
            const CanvasBrush& brush = brushes[rnd(0, static_cast<int>(std::size(brushes)) - 1)];
            const QPoint origin(rnd(-20, 20), rnd(-20, 20));
            const bool clipped = rnd(0, 1) == 1, outlined = rnd(0, 1) == 1;
            const QRect clip(rnd(-5, 40), rnd(-5, 30), rnd(0, 60), rnd(0, 40));
            const auto paintOn = [&](QImage& image) {
                image.fill(Qt::white);
                Canvas canvas(image);
                if (clipped) canvas.setClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
                canvas.setBrush(brush);
                canvas.setBrushOrigin(origin.x(), origin.y());
                canvas.setPenColor(kBlack);
                if (!outlined && name != "straight line") canvas.setPenStyle(PenStyle::Clear);
                shape(canvas, l, t, r, b, across);
            };
            QImage ours(64, 48, QImage::Format_RGB32);
            paintOn(ours);
            QImage theirs(64, 48, QImage::Format_RGB888);
            paintOn(theirs);
            ASSERT_TRUE(ours == theirs.convertToFormat(QImage::Format_RGB32)) << name << " round " << round;
        }
    }
}

} // namespace
} // namespace ovanto
