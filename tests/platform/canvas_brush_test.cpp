#include "platform/canvas.h"

#include "canvas_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

struct HatchCase {
    std::string name;
    BrushStyle style;
    QPoint origin;
    std::vector<QPoint> lines;  // pixels on a hatch line
    std::vector<QPoint> gaps;   // pixels between the lines
};

// The hatch cell's pixel (0, 0) sits on the brush origin, modulo 8.
TEST(CanvasBrush, HatchesFollowTheBrushOrigin) {
    const std::vector<HatchCase> cases = {
        {"horizontal", BrushStyle::Horizontal, {0, 0}, {{5, 0}, {5, 8}, {20, 16}}, {{5, 1}, {5, 7}}},
        {"horizontal shifted", BrushStyle::Horizontal, {0, 3}, {{5, 3}, {5, 11}}, {{5, 0}, {5, 8}}},
        {"origin taken modulo 8", BrushStyle::Horizontal, {0, 19}, {{5, 3}, {5, 11}}, {{5, 0}}},
        {"negative origin", BrushStyle::Horizontal, {0, -5}, {{5, 3}, {5, 11}}, {{5, 0}}},
        {"vertical", BrushStyle::Vertical, {5, 0}, {{5, 2}, {13, 30}}, {{4, 2}, {6, 2}}},
        {"forward diagonal", BrushStyle::FDiagonal, {2, 1}, {{2, 1}, {3, 2}, {10, 9}}, {{2, 2}, {3, 1}}},
        {"backward diagonal", BrushStyle::BDiagonal, {0, 0}, {{0, 0}, {7, 1}, {1, 7}}, {{1, 1}, {0, 1}}},
        {"cross", BrushStyle::Cross, {1, 1}, {{1, 5}, {5, 1}, {9, 9}}, {{2, 2}, {5, 5}}},
        {"diagonal cross", BrushStyle::DiagCross, {0, 0}, {{3, 3}, {5, 3}, {8, 8}}, {{3, 4}, {0, 4}}},
    };
    // The same pattern through each path that paints with the brush.
    const std::vector<std::pair<std::string, std::function<void(Canvas&)>>> painters = {
        {"fillRect", [](Canvas& c) { c.fillRect(0, 0, 32, 32); }},
        {"rectangle", [](Canvas& c) { c.setPenStyle(PenStyle::Clear); c.rectangle(0, 0, 32, 32); }},
        {"polygon",
         [](Canvas& c) {
             c.setPenStyle(PenStyle::Clear);
             const QPoint all[] = {{0, 0}, {32, 0}, {32, 32}, {0, 32}};
             c.polygon(all);
         }},
        {"floodFill", [](Canvas& c) { c.floodFill(16, 16, kWhite, FloodFillMode::Surface); }},
    };
    for (const auto& [painterName, draw] : painters) {
        for (const HatchCase& hatch : cases) {
            SCOPED_TRACE(painterName + ": " + hatch.name);
            QImage image = whiteImage();
            paint(image, [&](Canvas& c) {
                c.setBrushColor(kRed);
                c.setBrushStyle(hatch.style);
                c.setBrushOrigin(hatch.origin.x(), hatch.origin.y());
                draw(c);
            });
            for (const QPoint& p : hatch.lines) EXPECT_EQ(at(image, p.x(), p.y()), kRed) << p.x() << "," << p.y();
            for (const QPoint& p : hatch.gaps) EXPECT_EQ(at(image, p.x(), p.y()), kWhite) << p.x() << "," << p.y();
        }
    }
}

TEST(CanvasBrush, HatchGapsKeepWhatWasBelow) {
    QImage image = filledImage(kBlue);
    paint(image, [](Canvas& c) {
        c.setBrushColor(kRed);
        c.setBrushStyle(BrushStyle::Cross);
        c.setPenStyle(PenStyle::Clear);
        c.ellipse(0, 0, 32, 32);
    });
    EXPECT_EQ(at(image, 16, 16), kRed);
    EXPECT_EQ(at(image, 17, 17), kBlue);
    EXPECT_EQ(countColor(image, kRed) + countColor(image, kBlue), 32 * 32);
}

TEST(CanvasBrush, PatternBrushTilesFromTheOrigin) {
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(toQRgb(kBlue));
    pattern.setPixel(0, 0, toQRgb(kRed));
    QImage image = whiteImage();
    paint(image, [&](Canvas& c) {
        c.setBrushPattern(pattern);
        c.setBrushOrigin(3, 2);
        c.fillRect(0, 0, 32, 32);
        EXPECT_EQ(c.brush().style, BrushStyle::Pattern);
    });
    EXPECT_EQ(at(image, 3, 2), kRed);
    EXPECT_EQ(at(image, 11, 26), kRed);
    EXPECT_EQ(at(image, 4, 2), kBlue);
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
        // The brush is combined as well: the whole rectangle is XOR.
        c.setPenMode(PenMode::Xor);
        c.setPenStyle(PenStyle::Clear);
        c.setBrushColor(pen);
        c.rectangle(0, 12, 32, 16);
        // fillRect paints the brush as it is, whatever the mode.
        c.fillRect(0, 20, 32, 24);
    });
    EXPECT_EQ(at(image, 10, 4), background ^ pen);
    EXPECT_EQ(at(image, 10, 8), background ^ 0xFFFFFF);
    EXPECT_EQ(at(image, 10, 14), background ^ pen);
    EXPECT_EQ(at(image, 10, 22), pen);
    EXPECT_EQ(at(image, 10, 0), background);
}

TEST(CanvasBrush, XorDrawingTwiceRestoresThePicture) {
    const std::vector<std::pair<std::string, std::function<void(Canvas&)>>> shapes = {
        {"line", [](Canvas& c) { c.moveTo(1, 1); c.lineTo(30, 17); }},
        {"backwards polyline",
         [](Canvas& c) {
             const QPoint points[] = {{30, 2}, {3, 2}, {3, 29}, {29, 29}};
             c.polyline(points);
         }},
        {"rectangle", [](Canvas& c) { c.rectangle(2, 2, 30, 30); }},
        {"wide rectangle", [](Canvas& c) { c.setPenWidth(4); c.rectangle(2, 2, 30, 30); }},
        {"ellipse", [](Canvas& c) { c.ellipse(2, 4, 30, 26); }},
        {"pie", [](Canvas& c) { c.pie(2, 2, 30, 30, 30, 16, 16, 2); }},
        {"hatched polygon",
         [](Canvas& c) {
             c.setBrushStyle(BrushStyle::DiagCross);
             const QPoint points[] = {{2, 2}, {30, 8}, {12, 30}};
             c.polygon(points);
         }},
    };
    for (const auto& [name, draw] : shapes) {
        SCOPED_TRACE(name);
        QImage original = whiteImage();
        paint(original, [](Canvas& c) {
            c.setPenColor(kBlue);
            c.moveTo(0, 0);
            c.lineTo(32, 32);
            c.setBrushColor(kGreen);
            c.fillRect(0, 16, 16, 32);
        });
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
            c.setFontName(QStringLiteral("Arial"));
            c.setFontSize(20);
            c.setClipRect(0, 0, 4, 4);
            c.moveTo(0, 0);
            c.lineTo(3, 3);  // the QPen now in the painter is the blue one
        }
        EXPECT_EQ(c.pen(), before.pen);
        EXPECT_TRUE(c.brush() == before.brush);
        EXPECT_EQ(c.brushOrigin(), before.brushOrigin);
        EXPECT_EQ(c.font(), before.font);
        EXPECT_EQ(c.penPos(), before.penPos);
        EXPECT_FALSE(c.state().clip.enabled);
        // Drawing after the restore uses the restored pen and no clip.
        c.moveTo(10, 20);
        c.lineTo(30, 20);
        c.restore();  // nothing saved: no effect
    });
    for (int y : {19, 20, 21}) EXPECT_EQ(at(image, 20, y), kRed) << y;
}

} // namespace
} // namespace ovanto
