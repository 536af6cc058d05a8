#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;
using Draw = std::function<void(Canvas&)>;

struct Probe {
    int x, y;
    TColor color;
};

// Every box shape covers exactly l..r-1 x t..b-1, whatever its pen.
TEST(CanvasShapes, BoxShapesCoverExclusiveRightAndBottom) {
    struct Case {
        std::string name;
        Draw draw;
        QRect ink;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases = {
        {"rectangle",
         [](Canvas& c) { c.rectangle(2, 3, 12, 9); },
         {2, 3, 10, 6},
         {{11, 8, kBlack}, {3, 4, kRed}}},
        {"reversed corners", [](Canvas& c) { c.rectangle(12, 9, 2, 3); }, {2, 3, 10, 6}, {{2, 3, kBlack}}},
        {"pen 3 inside",
         [](Canvas& c) {
             c.setPenWidth(3);
             c.rectangle(2, 2, 20, 20);
         },
         {2, 2, 18, 18},
         {{4, 10, kBlack},
          {5, 10, kRed},
          {17, 10, kBlack},
          {16, 10, kRed},
          {10, 17, kBlack},
          {10, 16, kRed}}},
        {"pen clear",
         [](Canvas& c) {
             c.setPenStyle(PenStyle::Clear);
             c.rectangle(2, 2, 10, 10);
         },
         {2, 2, 8, 8},
         {{2, 2, kRed}, {9, 9, kRed}}},
        {"brush clear",
         [](Canvas& c) {
             c.setBrushStyle(BrushStyle::Clear);
             c.rectangle(2, 2, 10, 10);
         },
         {2, 2, 8, 8},
         {{5, 5, kWhite}}},
        {"pen wider than box",
         [](Canvas& c) {
             c.setPenWidth(5);
             c.rectangle(2, 2, 8, 20);
         },
         {2, 2, 6, 18},
         {{5, 10, kBlack}}},
        {"frameRect paints the brush",
         [](Canvas& c) { c.frameRect(4, 4, 12, 10); },
         {4, 4, 8, 6},
         {{11, 9, kRed}, {5, 5, kWhite}}},
        {"ellipse pen 3",
         [](Canvas& c) {
             c.setPenWidth(3);
             c.ellipse(3, 5, 27, 21);
         },
         {3, 5, 24, 16},
         {{5, 13, kBlack}, {6, 13, kRed}}},
        {"round rect",
         [](Canvas& c) { c.roundRect(2, 2, 30, 20, 10, 10); },
         {2, 2, 28, 18},
         {{2, 2, kWhite}, {16, 2, kBlack}}},
        {"pie with equal rays",
         [](Canvas& c) { c.pie(4, 4, 28, 28, 28, 16, 28, 16); },
         {4, 4, 24, 24},
         {{8, 16, kRed}, {16, 24, kRed}, {22, 16, kBlack}}},
    };
    for (const Case& shape : cases) {
        SCOPED_TRACE(shape.name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setBrushColor(kRed);
            shape.draw(c);
        });
        EXPECT_EQ(inkBounds(image), shape.ink);
        for (const Probe& p : shape.probes)
            EXPECT_EQ(at(image, p.x, p.y), p.color) << p.x << "," << p.y;
    }
}

// Exact at every size: the box is met on all four sides, nothing lies outside,
// and the picture is mirror-symmetric.
TEST(CanvasShapes, EllipsesFitTheirBoxAtEverySize) {
    for (const int pen : {0, 1, 3}) {
        for (int width = 1; width <= 30; ++width) {
            for (int height = 1; height <= 30; ++height) {
                QImage image = whiteImage(34, 34);
                paint(image, [&](Canvas& c) {
                    c.setBrushColor(kRed);
                    c.setPenWidth(pen);
                    if (pen == 0) c.setPenStyle(PenStyle::Clear);
                    c.ellipse(2, 2, 2 + width, 2 + height);
                });
                const QRect box(2, 2, width, height);
                ASSERT_EQ(inkBounds(image), box) << "pen " << pen << ", " << width << " x " << height;
                for (int y = box.top(); y <= box.bottom(); ++y) {
                    for (int x = box.left(); x <= box.right(); ++x) {
                        const TColor color = at(image, x, y);
                        ASSERT_EQ(color, at(image, box.right() + box.left() - x, y))
                            << width << "x" << height;
                        ASSERT_EQ(color, at(image, x, box.bottom() + box.top() - y))
                            << width << "x" << height;
                    }
                }
            }
        }
    }
}

TEST(CanvasShapes, LinesLeaveOutTheEndPixel) {
    struct Case {
        QPoint from, to;
        std::vector<QPoint> painted;
    };
    const std::vector<Case> cases = {
        {{2, 5}, {10, 5}, {{2, 5}, {9, 5}}},  {{10, 5}, {2, 5}, {{10, 5}, {3, 5}}},
        {{4, 2}, {4, 12}, {{4, 2}, {4, 11}}}, {{4, 12}, {4, 2}, {{4, 12}, {4, 3}}},
        {{2, 2}, {9, 9}, {{2, 2}, {8, 8}}},   {{20, 2}, {13, 9}, {{20, 2}, {14, 8}}},
        {{6, 6}, {5, 6}, {{6, 6}}},
    };
    for (const Case& line : cases) {
        SCOPED_TRACE(std::to_string(line.from.x()) + "," + std::to_string(line.from.y()) + " to " +
                     std::to_string(line.to.x()) + "," + std::to_string(line.to.y()));
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.moveTo(line.from.x(), line.from.y());
            c.lineTo(line.to.x(), line.to.y());
            EXPECT_EQ(c.penPos(), line.to);
        });
        for (const QPoint& p : line.painted)
            EXPECT_EQ(at(image, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
        EXPECT_EQ(at(image, line.to.x(), line.to.y()), kWhite);
    }

    // Wide pens spread to both sides; dash styles apply to one-pixel pens only.
    QImage image = whiteImage(40, 32);
    paint(image, [](Canvas& c) {
        c.setPenWidth(3);
        c.moveTo(5, 10);
        c.lineTo(30, 10);
        c.setPenStyle(PenStyle::Dash);
        c.moveTo(0, 28);
        c.lineTo(40, 28);
    });
    EXPECT_EQ(inkBounds(image.copy(0, 0, 40, 20)), QRect(4, 9, 28, 3));
    for (int x = 2; x < 38; ++x)
        EXPECT_EQ(at(image, x, 28), kBlack) << x;
}

// A line covers the same pixels whichever end it starts from (apart from the
// left-out end), so shapes mirrored on the grid stay mirrored.
TEST(CanvasShapes, ThinLinesAreTheSameBothWays) {
    const std::array<QPoint, 6> ends = {QPoint(31, 7), QPoint(31, 13), QPoint(22, 4), QPoint(3, 17), QPoint(9, 30),
                                        QPoint(26, 29)};
    const QPoint centre(16, 16);
    for (const QPoint& end : ends) {
        SCOPED_TRACE(std::to_string(end.x()) + "," + std::to_string(end.y()));
        QImage out = whiteImage(), back = whiteImage();
        paint(out, [&](Canvas& c) {
            c.moveTo(centre.x(), centre.y());
            c.lineTo(end.x(), end.y());
            c.setPixel(end.x(), end.y(), kBlack);
        });
        paint(back, [&](Canvas& c) {
            c.moveTo(end.x(), end.y());
            c.lineTo(centre.x(), centre.y());
            c.setPixel(centre.x(), centre.y(), kBlack);
        });
        EXPECT_EQ(out, back);
    }
}

// Counterclockwise as seen on screen, from the start ray to the end ray.
TEST(CanvasShapes, ArcLikeShapesRunCounterclockwise) {
    struct Case {
        std::string name;
        Draw draw;
        std::array<bool, 4> filled; // upper right, upper left, lower left, lower right
    };
    const std::vector<Case> cases = {
        {"pie right to top",
         [](Canvas& c) { c.pie(4, 4, 28, 28, 28, 16, 16, 4); },
         {true, false, false, false}},
        {"pie top to right",
         [](Canvas& c) { c.pie(4, 4, 28, 28, 16, 4, 28, 16); },
         {false, true, true, true}},
        {"pie left to bottom",
         [](Canvas& c) { c.pie(4, 4, 28, 28, 0, 16, 16, 40); },
         {false, false, true, false}},
        {"chord right to left",
         [](Canvas& c) { c.chord(4, 4, 28, 28, 28, 16, 4, 16); },
         {true, true, false, false}},
    };
    const std::array<QPoint, 4> quadrants = {QPoint(22, 10), QPoint(10, 10), QPoint(10, 22), QPoint(22, 22)};
    for (const Case& arc : cases) {
        SCOPED_TRACE(arc.name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setPenStyle(PenStyle::Clear);
            c.setBrushColor(kRed);
            arc.draw(c);
        });
        for (std::size_t q = 0; q < 4; ++q)
            EXPECT_EQ(at(image, quadrants[q].x(), quadrants[q].y()) == kRed, arc.filled[q]) << q;
    }

    QImage image = whiteImage();
    paint(image, [](Canvas& c) { c.arc(4, 4, 28, 28, 28, 16, 16, 4); });
    EXPECT_EQ(inkBounds(image), QRect(16, 4, 12, 12));

    // On a flat ellipse the arc ends where the ray through the radial point meets it.
    image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kRed);
        c.pie(0, 8, 32, 24, 32, 16, 32, 8); // from 3 o'clock to the ray through the corner
    });
    EXPECT_EQ(at(image, 26, 12), kRed);   // below the ray
    EXPECT_EQ(at(image, 24, 11), kWhite); // above it
    EXPECT_EQ(at(image, 26, 18), kWhite); // below 3 o'clock
}

TEST(CanvasShapes, PolygonsFillOddEvenAndPolylinesStroke) {
    const std::array<QPoint, 10> twice = {QPoint(2, 2),   QPoint(30, 2),  QPoint(30, 30), QPoint(2, 30),
                                          QPoint(2, 2),   QPoint(10, 10), QPoint(22, 10), QPoint(22, 22),
                                          QPoint(10, 22), QPoint(10, 10)};
    const std::array<QPoint, 4> square = {QPoint(4, 4), QPoint(28, 4), QPoint(28, 28), QPoint(4, 28)};
    const std::array<QPoint, 3> corner = {QPoint(10, 2), QPoint(2, 2), QPoint(2, 10)};
    QImage image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kRed);
        c.polygon(twice);
    });
    EXPECT_EQ(at(image, 5, 16), kRed);
    EXPECT_EQ(at(image, 16, 16), kWhite); // wound twice: outside under the alternate rule

    image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setBrushColor(kRed);
        c.setPenWidth(3);
        c.polygon(square);
    });
    EXPECT_EQ(inkBounds(image), QRect(3, 3, 27, 27)); // wide outline centred on the edges
    EXPECT_EQ(at(image, 5, 16), kBlack);
    EXPECT_EQ(at(image, 6, 16), kRed);

    image = whiteImage();
    paint(image, [&](Canvas& c) { c.polyline(corner); });
    EXPECT_EQ(inkBounds(image), QRect(2, 2, 9, 8));
    EXPECT_EQ(at(image, 2, 10), kWhite);
    EXPECT_EQ(countColor(image, kBlack), 8 + 8);
}

TEST(CanvasShapes, HugeAndDegenerateCoordinatesAreSafe) {
    constexpr int big = 1'000'000'000;
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        for (int width : {1, 4}) {
            c.setPenWidth(width);
            c.rectangle(-big, -big, big, big);
            c.ellipse(-big, -big, big, big);
            c.roundRect(-big, 3, big, 3, big, -big);
            c.arc(-big, -big, big, big, big, 0, -big, 0);
            c.pie(5, 5, 5, 9, big, big, -big, -big);
            c.chord(big, big, big - 1, big - 1, 0, 0, 0, 0);
            const std::array<QPoint, 3> points = {QPoint(-big, -big), QPoint(big, 0), QPoint(0, big)};
            c.polygon(points);
            c.polyline(points);
            c.frameRect(big, big, -big, -big);
            c.fillRect(3, 3, 3, 30);
        }
    });

    // Cut at the limits rather than clamped, so the line keeps its direction.
    image = whiteImage();
    paint(image, [](Canvas& c) {
        c.moveTo(-big, -big + 4);
        c.lineTo(big, big + 4);
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kBlue);
        c.rectangle(-big, 20, big, big);
    });
    EXPECT_EQ(at(image, 10, 14), kBlack);
    EXPECT_EQ(at(image, 13, 17), kBlack);
    EXPECT_EQ(countColor(image, kBlue), 32 * 12);
}

} // namespace
} // namespace ovanto
