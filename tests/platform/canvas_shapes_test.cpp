#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

struct Probe {
    int x;
    int y;
    TColor color;
};

struct ShapeCase {
    std::string name;
    std::function<void(Canvas&)> draw;
    QRect ink;                  // expected ink bounds (right/bottom exclusive box)
    std::vector<Probe> probes;  // single pixels worth pinning
};

void setRedFill(Canvas& c) {
    c.setPenColor(kBlack);
    c.setBrushColor(kRed);
}

// Every box shape covers exactly l..r-1 x t..b-1, whatever pen it has.
TEST(CanvasShapes, BoxShapesCoverExclusiveRightAndBottom) {
    const std::vector<ShapeCase> cases = {
        {"rectangle pen 1",
         [](Canvas& c) { setRedFill(c); c.rectangle(2, 3, 12, 9); },
         QRect(2, 3, 10, 6),
         {{2, 3, kBlack}, {11, 8, kBlack}, {11, 3, kBlack}, {3, 4, kRed}, {10, 7, kRed}}},
        {"rectangle reversed corners",
         [](Canvas& c) { setRedFill(c); c.rectangle(12, 9, 2, 3); },
         QRect(2, 3, 10, 6),
         {{2, 3, kBlack}, {3, 4, kRed}}},
        {"rectangle pen 3 inside",
         [](Canvas& c) { setRedFill(c); c.setPenWidth(3); c.rectangle(2, 2, 20, 20); },
         QRect(2, 2, 18, 18),
         {{4, 10, kBlack}, {5, 10, kRed}, {17, 10, kBlack}, {16, 10, kRed}, {10, 4, kBlack}, {10, 5, kRed},
          {10, 17, kBlack}, {10, 16, kRed}}},
        {"rectangle pen clear fills whole box",
         [](Canvas& c) { setRedFill(c); c.setPenStyle(PenStyle::Clear); c.rectangle(2, 2, 10, 10); },
         QRect(2, 2, 8, 8),
         {{2, 2, kRed}, {9, 9, kRed}}},
        {"rectangle brush clear",
         [](Canvas& c) { setRedFill(c); c.setBrushStyle(BrushStyle::Clear); c.rectangle(2, 2, 10, 10); },
         QRect(2, 2, 8, 8),
         {{2, 2, kBlack}, {5, 5, kWhite}}},
        {"rectangle pen wider than box", [](Canvas& c) { setRedFill(c); c.setPenWidth(5); c.rectangle(2, 2, 8, 20); },
         QRect(2, 2, 6, 18), {{4, 10, kBlack}, {5, 10, kBlack}}},
        {"rectangle dashed outline", [](Canvas& c) { setRedFill(c); c.setPenStyle(PenStyle::Dash); c.rectangle(2, 2, 30, 30); },
         QRect(2, 2, 28, 28), {{2, 2, kBlack}, {3, 3, kRed}}},
        {"fillRect", [](Canvas& c) { setRedFill(c); c.fillRect(4, 4, 9, 7); }, QRect(4, 4, 5, 3), {{4, 4, kRed}}},
        {"frameRect uses the brush",
         [](Canvas& c) { setRedFill(c); c.frameRect(4, 4, 12, 10); },
         QRect(4, 4, 8, 6),
         {{4, 4, kRed}, {11, 9, kRed}, {5, 5, kWhite}}},
        {"ellipse pen 1", [](Canvas& c) { setRedFill(c); c.ellipse(3, 5, 27, 21); }, QRect(3, 5, 24, 16),
         {{15, 13, kRed}, {3, 13, kBlack}, {4, 5, kWhite}}},
        {"ellipse pen 3", [](Canvas& c) { setRedFill(c); c.setPenWidth(3); c.ellipse(3, 5, 27, 21); }, QRect(3, 5, 24, 16),
         {{15, 13, kRed}, {3, 13, kBlack}, {5, 13, kBlack}}},
        {"ellipse pen clear", [](Canvas& c) { setRedFill(c); c.setPenStyle(PenStyle::Clear); c.ellipse(3, 5, 27, 21); },
         QRect(3, 5, 24, 16), {{3, 13, kRed}}},
        {"round rect", [](Canvas& c) { setRedFill(c); c.roundRect(2, 2, 30, 20, 10, 10); }, QRect(2, 2, 28, 18),
         {{2, 2, kWhite}, {16, 2, kBlack}, {16, 10, kRed}}},
        {"pie with equal rays is the whole ellipse",
         [](Canvas& c) { setRedFill(c); c.pie(4, 4, 28, 28, 28, 16, 28, 16); },
         QRect(4, 4, 24, 24),
         {{8, 16, kRed}, {24, 12, kRed}, {16, 24, kRed}, {22, 16, kBlack}}},
    };
    for (const ShapeCase& shape : cases) {
        SCOPED_TRACE(shape.name);
        QImage image = whiteImage();
        paint(image, shape.draw);
        EXPECT_EQ(inkBounds(image), shape.ink);
        for (const Probe& p : shape.probes) EXPECT_EQ(at(image, p.x, p.y), p.color) << p.x << "," << p.y;
    }
}

struct LineCase {
    std::string name;
    QPoint from;
    QPoint to;
    std::vector<QPoint> painted;
};

TEST(CanvasShapes, LineToLeavesOutTheEndPixel) {
    const std::vector<LineCase> cases = {
        {"horizontal", {2, 5}, {10, 5}, {{2, 5}, {9, 5}}},
        {"horizontal backwards", {10, 5}, {2, 5}, {{10, 5}, {3, 5}}},
        {"vertical", {4, 2}, {4, 12}, {{4, 2}, {4, 11}}},
        {"vertical upwards", {4, 12}, {4, 2}, {{4, 12}, {4, 3}}},
        {"diagonal", {2, 2}, {9, 9}, {{2, 2}, {5, 5}, {8, 8}}},
        {"anti-diagonal", {20, 2}, {13, 9}, {{20, 2}, {14, 8}}},
    };
    for (const LineCase& line : cases) {
        SCOPED_TRACE(line.name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.moveTo(line.from.x(), line.from.y());
            c.lineTo(line.to.x(), line.to.y());
            EXPECT_EQ(c.penPos(), line.to);
        });
        for (const QPoint& p : line.painted) EXPECT_EQ(at(image, p.x(), p.y()), kBlack) << p.x() << "," << p.y();
        EXPECT_EQ(at(image, line.to.x(), line.to.y()), kWhite);
    }
}

TEST(CanvasShapes, WideAndDashedLines) {
    QImage image = whiteImage(40, 32);
    paint(image, [](Canvas& c) {
        c.setPenWidth(3);
        c.moveTo(5, 10);
        c.lineTo(30, 10);
        c.setPenWidth(1);
        c.setPenStyle(PenStyle::Dot);
        c.moveTo(0, 20);
        c.lineTo(40, 20);
        c.setPenStyle(PenStyle::Dash);
        c.setPenWidth(3);  // dashes only for one-pixel pens
        c.moveTo(0, 28);
        c.lineTo(40, 28);
    });
    // Width 3 spreads one pixel to each side of the line.
    for (int y : {9, 10, 11}) EXPECT_EQ(at(image, 15, y), kBlack) << y;
    EXPECT_EQ(at(image, 15, 8), kWhite);
    EXPECT_EQ(at(image, 15, 12), kWhite);
    int dots = 0;
    for (int x = 0; x < 40; ++x) dots += at(image, x, 20) == kBlack ? 1 : 0;
    EXPECT_GT(dots, 10);
    EXPECT_LT(dots, 30);
    for (int x = 2; x < 38; ++x) EXPECT_EQ(at(image, x, 28), kBlack) << x;
}

// Counterclockwise as seen on screen, from the start ray to the end ray.
TEST(CanvasShapes, ArcLikeShapesRunCounterclockwise) {
    struct Quadrants {
        bool upperRight, upperLeft, lowerLeft, lowerRight;
    };
    struct ArcCase {
        std::string name;
        std::function<void(Canvas&)> draw;
        Quadrants filled;
    };
    const std::vector<ArcCase> cases = {
        {"pie quarter right to top", [](Canvas& c) { c.pie(4, 4, 28, 28, 28, 16, 16, 4); }, {true, false, false, false}},
        {"pie three quarters top to right", [](Canvas& c) { c.pie(4, 4, 28, 28, 16, 4, 28, 16); }, {false, true, true, true}},
        {"pie left to bottom", [](Canvas& c) { c.pie(4, 4, 28, 28, 0, 16, 16, 40); }, {false, false, true, false}},
        {"chord upper half", [](Canvas& c) { c.chord(4, 4, 28, 28, 28, 16, 4, 16); }, {true, true, false, false}},
    };
    for (const ArcCase& arc : cases) {
        SCOPED_TRACE(arc.name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setPenStyle(PenStyle::Clear);
            c.setBrushColor(kRed);
            arc.draw(c);
        });
        EXPECT_EQ(at(image, 22, 10) == kRed, arc.filled.upperRight);
        EXPECT_EQ(at(image, 10, 10) == kRed, arc.filled.upperLeft);
        EXPECT_EQ(at(image, 10, 22) == kRed, arc.filled.lowerLeft);
        EXPECT_EQ(at(image, 22, 22) == kRed, arc.filled.lowerRight);
    }

    QImage image = whiteImage();
    paint(image, [](Canvas& c) { c.arc(4, 4, 28, 28, 28, 16, 16, 4); });
    const QRect ink = inkBounds(image);
    EXPECT_GE(ink.left(), 15);
    EXPECT_LE(ink.bottom(), 17);
    EXPECT_EQ(at(image, 16, 4), kBlack);
}

// On a flat ellipse the end lies where the ray through the radial point meets it.
TEST(CanvasShapes, ArcEndsFollowTheRayOnFlatEllipses) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kRed);
        c.pie(0, 8, 32, 24, 32, 16, 32, 8);  // from 3 o'clock to the ray through the corner
    });
    EXPECT_EQ(at(image, 26, 12), kRed);    // below the ray
    EXPECT_EQ(at(image, 24, 11), kWhite);  // above it
    EXPECT_EQ(at(image, 26, 18), kWhite);  // below 3 o'clock
}

TEST(CanvasShapes, PolygonsFillOddEvenAndPolylinesStroke) {
    const std::array<QPoint, 10> twice = {QPoint(2, 2),   QPoint(30, 2),  QPoint(30, 30), QPoint(2, 30),
                                          QPoint(2, 2),   QPoint(10, 10), QPoint(22, 10), QPoint(22, 22),
                                          QPoint(10, 22), QPoint(10, 10)};
    QImage image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kRed);
        c.polygon(twice);
    });
    EXPECT_EQ(at(image, 5, 16), kRed);
    EXPECT_EQ(at(image, 16, 16), kWhite);  // wound twice: outside under the alternate rule

    const std::array<QPoint, 4> square = {QPoint(4, 4), QPoint(28, 4), QPoint(28, 28), QPoint(4, 28)};
    image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setBrushColor(kRed);
        c.setPenWidth(3);
        c.polygon(square);
    });
    for (int x : {3, 4, 5}) EXPECT_EQ(at(image, x, 16), kBlack) << x;  // wide outline centred on the edge
    EXPECT_EQ(at(image, 2, 16), kWhite);
    EXPECT_EQ(at(image, 6, 16), kRed);

    const std::array<QPoint, 3> corner = {QPoint(2, 2), QPoint(10, 2), QPoint(10, 10)};
    image = whiteImage();
    paint(image, [&](Canvas& c) { c.polyline(corner); });
    EXPECT_EQ(at(image, 2, 2), kBlack);
    EXPECT_EQ(at(image, 10, 2), kBlack);
    EXPECT_EQ(at(image, 10, 9), kBlack);
    EXPECT_EQ(at(image, 10, 10), kWhite);
    EXPECT_EQ(at(image, 5, 5), kWhite);  // a polyline never fills
}

TEST(CanvasShapes, HugeAndDegenerateCoordinatesAreSafe) {
    constexpr int big = 1'000'000'000;
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setBrushColor(kRed);
        for (int width : {1, 4}) {
            c.setPenWidth(width);
            c.rectangle(-big, -big, big, big);
            c.ellipse(-big, -big, big, big);
            c.roundRect(-big, 3, big, 3, big, -big);
            c.arc(-big, -big, big, big, big, 0, -big, 0);
            c.pie(5, 5, 5, 9, big, big, -big, -big);
            c.chord(big, big, big - 1, big - 1, 0, 0, 0, 0);
            c.moveTo(-big, big);
            c.lineTo(big, -big);
            const std::array<QPoint, 3> points = {QPoint(-big, -big), QPoint(big, 0), QPoint(0, big)};
            c.polygon(points);
            c.polyline(points);
            c.frameRect(big, big, -big, -big);
            c.fillRect(3, 3, 3, 30);
            c.rectangle(3, 3, 3, 3);
            c.ellipse(7, 7, 7, 20);
        }
    });

    // Cut to the limits, not clamped: the line keeps its direction.
    image = whiteImage();
    paint(image, [](Canvas& c) {
        c.moveTo(-big, -big + 4);
        c.lineTo(big, big + 4);
    });
    EXPECT_EQ(at(image, 10, 14), kBlack);
    EXPECT_EQ(at(image, 20, 24), kBlack);

    image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(kBlue);
        c.rectangle(-big, -big, big, big);
    });
    EXPECT_EQ(countColor(image, kBlue), 32 * 32);
}

} // namespace
} // namespace ovanto
