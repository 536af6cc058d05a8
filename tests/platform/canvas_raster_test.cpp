// The canvas writes some shapes into a 32-bit image itself. On an image it
// cannot write into, the same calls go through QPainter: both must agree on
// every pixel, over many random shapes, pens, brushes and clips.
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

struct Random {
    std::mt19937 engine;
    int operator()(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
    QPoint point(int low, int high) {
        const int x = (*this)(low, high);
        return {x, (*this)(low, high)};
    }
};

QImage checker(int size) {
    QImage pattern(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pattern.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? 0xFF204080u : 0xFFE0C000u);
    return pattern;
}

const CanvasBrush kBrushes[] = {
    {kRed, BrushStyle::Solid, {}},        {kBlue, BrushStyle::Horizontal, {}}, {kBlue, BrushStyle::FDiagonal, {}},
    {kGreen, BrushStyle::DiagCross, {}},  {kWhite, BrushStyle::Pattern, checker(8)},
    {kWhite, BrushStyle::Pattern, checker(5)},
};

// Size, clip, brush origin, pen and brush at random, then the shape.
void randomCanvas(Canvas& canvas, Random& rnd) {
    canvas.setBrushOrigin(rnd(-20, 20), rnd(-20, 20));
    if (rnd(0, 1) == 1) canvas.setClipRect(rnd(-5, canvas.width()), rnd(-5, canvas.height()), rnd(-5, 70), rnd(-5, 50));
    canvas.setPenColor(rgbColor(rnd(0, 255), 0, 128));
    canvas.setBrush(kBrushes[rnd(0, std::size(kBrushes) - 1)]);
}

TEST(CanvasRaster, OwnRasterisationMatchesQtPixelForPixel) {
    struct Case {
        std::string name;
        std::function<void(Canvas&, Random&)> draw;
    };
    const auto polygon = [](int vertices, int low, int high, bool outlined) {
        return [=](Canvas& c, Random& rnd) {
            std::vector<QPoint> points;
            for (int i = 0; i < vertices; ++i) points.push_back(rnd.point(low, high));
            if (!outlined) c.setPenStyle(PenStyle::Clear);
            c.polygon(points);
        };
    };
    const auto line = [](int widest, int reach) {
        return [=](Canvas& c, Random& rnd) {
            c.setPenWidth(rnd(2, widest));
            const QPoint from = rnd.point(-10, 70);
            // Straight and diagonal lines come up as often as the rest.
            const int d = rnd(-reach, reach);
            const QPoint by[] = {{d, 0}, {0, d}, {d, d}, {d, -d}, rnd.point(-reach, reach)};
            c.moveTo(from.x(), from.y());
            const QPoint to = from + by[rnd(0, 4)];
            c.lineTo(to.x(), to.y());
        };
    };
    const auto ellipse = [](int widest, bool arc) {
        return [=](Canvas& c, Random& rnd) {
            c.setPenWidth(rnd(1, widest));
            const QPoint a = rnd.point(-10, 70), b = rnd.point(-10, 70);
            if (!arc) {
                c.ellipse(a.x(), a.y(), b.x(), b.y());
                return;
            }
            const QPoint p = rnd.point(-20, 90), q = rnd(0, 5) == 0 ? p : rnd.point(-20, 90);
            c.arc(a.x(), a.y(), b.x(), b.y(), p.x(), p.y(), q.x(), q.y());
        };
    };
    const auto roundRect = [](Canvas& c, Random& rnd) {
        c.setPenWidth(rnd(1, 6));
        if (rnd(0, 3) == 0) c.setPenStyle(PenStyle::Clear);
        const QPoint a = rnd.point(-10, 70), b = rnd.point(-10, 70);
        c.roundRect(a.x(), a.y(), b.x(), b.y(), rnd(-2, 50), rnd(-2, 50));
    };
    const std::vector<Case> cases = {
        {"small polygons", polygon(5, -5, 30, false)},
        {"large polygons", polygon(9, -30, 100, false)},
        {"many edges", polygon(24, -10, 70, true)},
        {"vertices too far out", polygon(4, -20000, 20000, false)},
        {"thick lines", line(12, 40)},
        {"thin-ish long lines", line(3, 90)},
        {"ellipses", ellipse(6, false)},
        {"arcs", ellipse(7, true)},
        {"rounded rectangles", roundRect},
    };
    Random rnd{std::mt19937(20261209)};
    for (const Case& c : cases) {
        for (int round = 0; round < 300; ++round) {
            const int width = rnd(1, 64), height = rnd(1, 48);
            const std::mt19937 seed(rnd.engine());
            const auto paintOn = [&](QImage& image) {
                image.fill(Qt::white);
                Random same{seed};
                Canvas canvas(image);
                randomCanvas(canvas, same);
                c.draw(canvas, same);
            };
            QImage ours(width, height, QImage::Format_RGB32);
            paintOn(ours);
            // No pixel access on a 24-bit image: everything goes through the painter.
            QImage theirs(width, height, QImage::Format_RGB888);
            paintOn(theirs);
            ASSERT_TRUE(ours == theirs.convertToFormat(QImage::Format_RGB32)) << c.name << " round " << round;
        }
    }
}

} // namespace
} // namespace ovanto
