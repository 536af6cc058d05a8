#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;
using Draw = std::function<void(Canvas&)>;

// The hatch cell's pixel (0, 0) sits on the brush origin modulo 8, on every
// path that paints with the brush; the gaps keep what was below.
TEST(CanvasBrush, HatchesFollowTheBrushOrigin) {
    struct Case {
        std::string name;
        BrushStyle style;
        QPoint origin;
        std::vector<QPoint> lines, gaps;
    };
    const std::vector<Case> cases = {
        {"horizontal", BrushStyle::Horizontal, {0, 3}, {{5, 3}, {5, 11}}, {{5, 0}, {5, 8}}},
        {"origin modulo 8", BrushStyle::Horizontal, {0, 19}, {{5, 3}, {5, 11}}, {{5, 0}}},
        {"negative origin", BrushStyle::Horizontal, {0, -5}, {{5, 3}, {5, 11}}, {{5, 0}}},
        {"vertical", BrushStyle::Vertical, {5, 0}, {{5, 2}, {13, 30}}, {{4, 2}, {6, 2}}},
        {"forward diagonal", BrushStyle::FDiagonal, {2, 1}, {{2, 1}, {3, 2}, {10, 9}}, {{2, 2}, {3, 1}}},
        {"backward diagonal", BrushStyle::BDiagonal, {0, 0}, {{0, 0}, {7, 1}, {1, 7}}, {{1, 1}, {0, 1}}},
        {"cross", BrushStyle::Cross, {1, 1}, {{1, 5}, {5, 1}, {9, 9}}, {{2, 2}, {5, 5}}},
        {"diagonal cross", BrushStyle::DiagCross, {0, 0}, {{3, 3}, {5, 3}, {8, 8}}, {{3, 4}, {0, 4}}},
    };
    const std::vector<std::pair<std::string, Draw>> painters = {
        {"fillRect", [](Canvas& c) { c.fillRect(0, 0, 32, 32); }},
        {"ellipse",
         [](Canvas& c) {
             c.setPenStyle(PenStyle::Clear);
             c.ellipse(-20, -20, 52, 52);
         }},
        {"floodFill", [](Canvas& c) { c.floodFill(16, 16, kBlue, FloodFillMode::Surface); }},
    };
    for (const auto& [painterName, draw] : painters) {
        for (const Case& hatch : cases) {
            SCOPED_TRACE(painterName + ": " + hatch.name);
            QImage image = filledImage(kBlue);
            paint(image, [&](Canvas& c) {
                c.setBrushColor(kRed);
                c.setBrushStyle(hatch.style);
                c.setBrushOrigin(hatch.origin.x(), hatch.origin.y());
                draw(c);
            });
            for (const QPoint& p : hatch.lines)
                EXPECT_EQ(at(image, p.x(), p.y()), kRed) << p.x() << "," << p.y();
            for (const QPoint& p : hatch.gaps)
                EXPECT_EQ(at(image, p.x(), p.y()), kBlue) << p.x() << "," << p.y();
        }
    }
}

TEST(CanvasBrush, PatternBrushTilesFromTheOrigin) {
    QImage pattern = filledImage(kBlue, 8, 8);
    pattern.setPixel(0, 0, toQRgb(kRed));
    QImage image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setBrushPattern(pattern);
        c.setBrushOrigin(3, 2);
        c.fillRect(0, 0, 32, 32);
    });
    EXPECT_EQ(at(image, 3, 2), kRed);
    EXPECT_EQ(at(image, 11, 26), kRed);
    EXPECT_EQ(countColor(image, kRed), 16);
}

TEST(CanvasBrush, PenModesCombineWithTheDestination) {
    const TColor background = rgbColor(10, 200, 30);
    const TColor pen = rgbColor(255, 0, 255);
    QImage image = filledImage(background);
    paint(image, [&](Canvas& c) {
        c.setPenColor(pen);
        c.setPenMode(PenMode::Xor);
        c.moveTo(0, 4);
        c.lineTo(32, 4);
        c.setPenMode(PenMode::Not);
        c.moveTo(0, 8);
        c.lineTo(32, 8);
        c.setPenMode(PenMode::Xor); // the brush of a shape is combined as well...
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(pen);
        c.rectangle(0, 12, 32, 16);
        c.fillRect(0, 20, 32, 24); // ...but fillRect paints the brush as it is
    });
    EXPECT_EQ(at(image, 10, 4), background ^ pen);
    EXPECT_EQ(at(image, 10, 8), background ^ 0xFFFFFF);
    EXPECT_EQ(at(image, 10, 14), background ^ pen);
    EXPECT_EQ(at(image, 10, 22), pen);
    EXPECT_EQ(at(image, 10, 0), background);
}

TEST(CanvasBrush, XorDrawingTwiceRestoresThePicture) {
    const std::vector<std::pair<std::string, Draw>> shapes = {
        {"backwards polyline",
         [](Canvas& c) {
             const QPoint points[] = {{30, 2}, {3, 2}, {3, 29}, {29, 29}, {1, 1}};
             c.polyline(points);
         }},
        {"wide rectangle",
         [](Canvas& c) {
             c.setPenWidth(4);
             c.rectangle(2, 2, 30, 30);
         }},
        {"ellipse", [](Canvas& c) { c.ellipse(2, 4, 30, 26); }},
        {"pie", [](Canvas& c) { c.pie(2, 2, 30, 30, 30, 16, 16, 2); }},
        {"hatched polygon",
         [](Canvas& c) {
             c.setBrushStyle(BrushStyle::DiagCross);
             const QPoint points[] = {{2, 2}, {30, 8}, {12, 30}};
             c.polygon(points);
         }},
    };
    QImage original = whiteImage();
    paint(original, [](Canvas& c) {
        c.setBrushColor(kGreen);
        c.fillRect(0, 16, 16, 32);
    });
    for (const auto& [name, draw] : shapes) {
        SCOPED_TRACE(name);
        QImage image = original.copy();
        auto xorDraw = [&](Canvas& c) {
            c.setPenMode(PenMode::Xor);
            c.setPenColor(rgbColor(200, 100, 50));
            c.setBrushColor(rgbColor(60, 90, 120));
            draw(c);
        };
        paint(image, xorDraw);
        EXPECT_NE(image, original);
        paint(image, xorDraw);
        EXPECT_EQ(image, original);
    }
}

TEST(CanvasBrush, StateSaverRestoresEverything) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setPenColor(kRed);
        c.setPenWidth(3);
        c.setBrushStyle(BrushStyle::Horizontal);
        c.setBrushOrigin(1, 2);
        c.setFontName(QStringLiteral("Courier New"));
        c.moveTo(4, 5);
        const CanvasState before = c.state();
        {
            CanvasStateSaver saver(c);
            c.setPenColor(kBlue);
            c.setPenWidth(1);
            c.setPenMode(PenMode::Xor);
            c.setBrushStyle(BrushStyle::Solid);
            c.setBrushOrigin(0, 0);
            c.setFontSize(20);
            c.setClipRect(0, 0, 4, 4);
            c.moveTo(0, 0);
            c.lineTo(3, 3); // puts the blue pen into the painter
        }
        EXPECT_EQ(c.pen(), before.pen);
        EXPECT_TRUE(c.brush() == before.brush);
        EXPECT_EQ(c.brushOrigin(), before.brushOrigin);
        EXPECT_EQ(c.font(), before.font);
        EXPECT_EQ(c.penPos(), before.penPos);
        EXPECT_FALSE(c.state().clip.enabled);
        c.moveTo(10, 20);
        c.lineTo(30, 20);
    });
    for (int y : {19, 20, 21})
        EXPECT_EQ(at(image, 20, y), kRed) << y;
}

} // namespace
} // namespace ovanto
