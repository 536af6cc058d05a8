#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QPicture>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

TEST(CanvasPixels, PixelsReadAndWriteInsideOnly) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setPixel(3, 4, kRed);
        EXPECT_EQ(c.pixel(3, 4), kRed);
        EXPECT_EQ(c.pixel(4, 4), kWhite);
        for (const QPoint& p : {QPoint(-1, 0), QPoint(0, -1), QPoint(32, 0), QPoint(0, 32), QPoint(-2000000000, 5)}) {
            EXPECT_EQ(c.pixel(p.x(), p.y()), kInvalidColor) << p.x() << "," << p.y();
            c.setPixel(p.x(), p.y(), kRed);
        }
    });
    EXPECT_EQ(countColor(image, kRed), 1);
}

TEST(CanvasPixels, FloodFillBorderStopsAtTheBorderColour) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setBrushStyle(BrushStyle::Clear);
        c.rectangle(4, 4, 20, 20);
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColor(kRed);
        c.floodFill(10, 10, kBlack, FloodFillMode::Border);
        c.floodFill(4, 4, kBlack, FloodFillMode::Border);  // starts on the border: nothing
    });
    EXPECT_EQ(at(image, 5, 5), kRed);
    EXPECT_EQ(at(image, 18, 18), kRed);
    EXPECT_EQ(at(image, 4, 4), kBlack);
    EXPECT_EQ(at(image, 19, 10), kBlack);
    EXPECT_EQ(at(image, 2, 2), kWhite);
    EXPECT_EQ(countColor(image, kRed), 14 * 14);
}

// Four-connected: a diagonal line of single pixels is a wall.
TEST(CanvasPixels, FloodFillSurfaceFillsTheConnectedRegion) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.moveTo(0, 0);
        c.lineTo(32, 32);
        c.setPixel(31, 31, kBlack);
        c.setBrushColor(kRed);
        c.floodFill(20, 5, kWhite, FloodFillMode::Surface);
    });
    EXPECT_EQ(at(image, 31, 0), kRed);
    EXPECT_EQ(at(image, 31, 30), kRed);
    EXPECT_EQ(at(image, 0, 31), kWhite);
    EXPECT_EQ(at(image, 5, 20), kWhite);
    EXPECT_EQ(countColor(image, kRed), 32 * 31 / 2);
}

// A brush that leaves the region's colour behind must not make the fill loop.
TEST(CanvasPixels, FloodFillEndsWhenTheBrushKeepsTheColour) {
    struct Case {
        std::string name;
        std::function<void(Canvas&)> brush;
        int expectedRed;
    };
    const std::vector<Case> cases = {
        {"same colour", [](Canvas& c) { c.setBrushColor(kWhite); }, 0},
        {"hatch", [](Canvas& c) { c.setBrushColor(kRed); c.setBrushStyle(BrushStyle::Horizontal); }, 4 * 32},
        {"clear brush", [](Canvas& c) { c.setBrushStyle(BrushStyle::Clear); }, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            test.brush(c);
            c.floodFill(0, 0, kWhite, FloodFillMode::Surface);
            c.floodFill(0, 0, kBlue, FloodFillMode::Border);
        });
        EXPECT_EQ(countColor(image, kRed), test.expectedRed);
        EXPECT_EQ(countColor(image, kRed) + countColor(image, kWhite), 32 * 32);
    }
}

TEST(CanvasPixels, ClipRectangleBoundsEveryOperation) {
    const std::vector<std::pair<std::string, std::function<void(Canvas&)>>> operations = {
        {"fillRect", [](Canvas& c) { c.fillRect(0, 0, 32, 32); }},
        {"rectangle", [](Canvas& c) { c.setPenColor(kRed); c.rectangle(0, 0, 32, 32); }},
        {"line", [](Canvas& c) { c.setPenColor(kRed); c.setPenWidth(5); c.moveTo(0, 12); c.lineTo(32, 12); }},
        {"ellipse", [](Canvas& c) { c.ellipse(-10, -10, 42, 42); }},
        {"text",
         [](Canvas& c) {
             c.setFontColor(kRed);
             c.setFontSize(30);
             for (int x = -20; x < 32; x += 3) c.textOut(x, -5, QStringLiteral("WWW"));
         }},
        {"floodFill", [](Canvas& c) { c.floodFill(10, 10, kWhite, FloodFillMode::Surface); }},
        {"floodFill from outside", [](Canvas& c) { c.floodFill(2, 2, kWhite, FloodFillMode::Surface); }},
        {"pixels",
         [](Canvas& c) {
             for (int i = 0; i < 32; ++i) c.setPixel(i, i, kRed);
             EXPECT_EQ(c.pixel(2, 2), kInvalidColor);
             EXPECT_EQ(c.pixel(10, 10), kRed);
         }},
        {"patternInvert", [](Canvas& c) { c.setBrushColor(0xFFFFFF ^ kRed); c.patternInvert(0, 0, 32, 32); }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setBrushColor(kRed);
            c.setClipRect(16, 16, 8, 8);  // reversed corners are normalised
            operation(c);
        });
        const QRect ink = inkBounds(image);
        EXPECT_EQ(ink.isEmpty(), name == "floodFill from outside");
        EXPECT_TRUE(QRect(8, 8, 8, 8).contains(ink) || ink.isEmpty()) << ink.x() << "," << ink.y() << " "
                                                                       << ink.width() << "x" << ink.height();
    }
}

TEST(CanvasPixels, FocusRectangleIsDottedAndUndoesItself) {
    const std::vector<QRect> boxes = {QRect(2, 2, 10, 8), QRect(3, 5, 9, 1), QRect(7, 2, 1, 9), QRect(4, 4, 1, 1),
                                      QRect(-5, -5, 20, 20)};
    for (const QRect& box : boxes) {
        SCOPED_TRACE(std::to_string(box.x()) + "," + std::to_string(box.y()) + " " + std::to_string(box.width()) +
                     "x" + std::to_string(box.height()));
        QImage original = whiteImage();
        paint(original, [](Canvas& c) {
            c.setBrushColor(kGreen);
            c.fillRect(0, 0, 16, 32);
        });
        QImage image = original.copy();
        auto focus = [&](Canvas& c) { c.drawFocusRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1); };
        paint(image, focus);
        EXPECT_NE(image, original);
        paint(image, focus);
        EXPECT_EQ(image, original);
    }

    QImage image = whiteImage();
    paint(image, [](Canvas& c) { c.drawFocusRect(2, 2, 12, 10); });
    EXPECT_EQ(at(image, 2, 2), kBlack);
    EXPECT_EQ(at(image, 3, 2), kWhite);
    EXPECT_EQ(at(image, 4, 2), kBlack);
    EXPECT_EQ(at(image, 11, 9), kBlack);
    EXPECT_EQ(at(image, 2, 3), kWhite);
    EXPECT_EQ(at(image, 12, 10), kWhite);
    EXPECT_EQ(inkBounds(image), QRect(2, 2, 10, 8));
}

// The disabled look: a checker pattern XOR-ed over the destination.
TEST(CanvasPixels, PatternInvertTogglesWhereThePatternIsSet) {
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) checker.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u);
    }
    const QImage original = filledImage(kGreen);
    QImage image = original.copy();
    auto invert = [&](Canvas& c) {
        c.setBrushPattern(checker);
        c.setBrushOrigin(1, 0);
        c.patternInvert(4, 4, 20, 20);
    };
    paint(image, invert);
    EXPECT_EQ(at(image, 5, 4), kGreen ^ 0xFFFFFF);
    EXPECT_EQ(at(image, 4, 4), kGreen);
    EXPECT_EQ(at(image, 3, 3), kGreen);
    EXPECT_EQ(countColor(image, kGreen ^ 0xFFFFFF), 16 * 16 / 2);
    paint(image, invert);
    EXPECT_EQ(image, original);
}

// A device without pixel access (a printer, a recording) still takes the
// shapes; the pixel operations do nothing.
TEST(CanvasPixels, DevicesWithoutPixelsIgnorePixelOperations) {
    QPicture recording;
    {
        Canvas c(recording);
        EXPECT_FALSE(c.hasPixels());
        c.rectangle(0, 0, 10, 10);
        c.setPixel(1, 1, kRed);
        EXPECT_EQ(c.pixel(1, 1), kInvalidColor);
        c.floodFill(1, 1, kWhite, FloodFillMode::Surface);
        c.patternInvert(0, 0, 10, 10);
        c.drawFocusRect(0, 0, 10, 10);
    }
    QImage replay = whiteImage();
    {
        QPainter painter(&replay);
        recording.play(&painter);
    }
    EXPECT_EQ(at(replay, 0, 0), kBlack);
    EXPECT_EQ(at(replay, 1, 1), kWhite);

    QImage packed(16, 16, QImage::Format_RGB888);
    packed.fill(Qt::white);
    {
        Canvas c(packed);
        EXPECT_FALSE(c.hasPixels());
        c.fillRect(0, 0, 4, 4);
        c.setPixel(8, 8, kRed);
    }
    EXPECT_EQ(packed.pixel(8, 8), 0xFFFFFFFFu);
}

} // namespace
} // namespace ovanto
