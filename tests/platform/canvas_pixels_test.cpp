#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;
using Draw = std::function<void(Canvas&)>;

TEST(CanvasPixels, FloodFillModes) {
    QImage image = whiteImage();
    paint(image, [](Canvas& c) {
        c.setBrushStyle(BrushStyle::Clear);
        c.rectangle(4, 4, 20, 20);
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColor(kRed);
        c.floodFill(10, 10, kBlack, FloodFillMode::Border);
        c.floodFill(4, 4, kBlack, FloodFillMode::Border); // starts on the border: nothing
    });
    EXPECT_EQ(inkBounds(image), QRect(4, 4, 16, 16));
    EXPECT_EQ(countColor(image, kRed), 14 * 14);

    // Surface fills are four-connected: a diagonal of single pixels is a wall.
    image = whiteImage();
    paint(image, [](Canvas& c) {
        c.moveTo(0, 0);
        c.lineTo(32, 32);
        c.setPixel(31, 31, kBlack);
        c.setBrushColor(kRed);
        c.floodFill(20, 5, kWhite, FloodFillMode::Surface);
    });
    EXPECT_EQ(at(image, 31, 30), kRed);
    EXPECT_EQ(at(image, 5, 20), kWhite);
    EXPECT_EQ(countColor(image, kRed), 32 * 31 / 2);
}

// A brush that leaves the region's colour behind must not make the fill run forever.
TEST(CanvasPixels, FloodFillEndsWhenTheBrushKeepsTheColour) {
    const std::vector<std::pair<Draw, int>> cases = {
        {[](Canvas& c) { c.setBrushColor(kWhite); }, 0},
        {[](Canvas& c) {
             c.setBrushColor(kRed);
             c.setBrushStyle(BrushStyle::Horizontal);
         },
         4 * 32},
        {[](Canvas& c) { c.setBrushStyle(BrushStyle::Clear); }, 0},
    };
    for (const auto& [brush, red] : cases) {
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            brush(c);
            c.floodFill(0, 0, kWhite, FloodFillMode::Surface);
            c.floodFill(0, 0, kBlue, FloodFillMode::Border);
        });
        EXPECT_EQ(countColor(image, kRed), red);
        EXPECT_EQ(countColor(image, kRed) + countColor(image, kWhite), 32 * 32);
    }
}

// One canvas keeps its fill marks between fills: a fill must find the region
// whole again, whatever fills and clips came before it on the same canvas.
TEST(CanvasPixels, SuccessiveFillsOnOneCanvasEachFillTheWholeRegion) {
    const std::vector<std::pair<std::string, Draw>> before = {
        {"nothing", [](Canvas&) {}},
        {"a fill of the same region", [](Canvas& c) { c.floodFill(10, 10, kWhite, FloodFillMode::Surface); }},
        {"a fill of the frame around it", [](Canvas& c) { c.floodFill(1, 1, kWhite, FloodFillMode::Surface); }},
        {"a clipped fill", [](Canvas& c) {
             c.setClipRect(0, 0, 12, 12);
             c.floodFill(10, 10, kWhite, FloodFillMode::Surface);
             c.clearClipRect();
         }},
    };
    for (const auto& [name, first] : before) {
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setBrushStyle(BrushStyle::Clear);
            c.rectangle(4, 4, 20, 20);
            c.setBrushStyle(BrushStyle::Solid);
            c.setBrushColor(kRed);
            first(c);
            c.setBrushColor(kGreen);
            c.floodFill(10, 10, kBlack, FloodFillMode::Border);
        });
        EXPECT_EQ(countColor(image, kGreen), 14 * 14) << name;
    }
}

TEST(CanvasPixels, ClipRectangleBoundsEveryOperation) {
    const std::vector<std::pair<std::string, Draw>> operations = {
        {"rectangle",
         [](Canvas& c) {
             c.setPenWidth(3);
             c.rectangle(0, 0, 32, 32);
         }},
        {"line",
         [](Canvas& c) {
             c.setPenWidth(5);
             c.moveTo(0, 12);
             c.lineTo(32, 12);
         }},
        {"ellipse", [](Canvas& c) { c.ellipse(-10, -10, 42, 42); }},
        {"text",
         [](Canvas& c) {
             c.setFontSize(30);
             for (int x = -20; x < 32; x += 3)
                 c.textOut(x, -5, QStringLiteral("WWW"));
         }},
        {"floodFill", [](Canvas& c) { c.floodFill(10, 10, kWhite, FloodFillMode::Surface); }},
        {"floodFill from outside", [](Canvas& c) { c.floodFill(2, 2, kWhite, FloodFillMode::Surface); }},
        {"pixels",
         [](Canvas& c) {
             for (int i = -1; i <= 32; ++i)
                 c.setPixel(i, i, kRed);
             for (const QPoint& p : {QPoint(2, 2), QPoint(-1, 9), QPoint(32, 9), QPoint(9, -2'000'000'000)}) {
                 EXPECT_EQ(c.pixel(p.x(), p.y()), kInvalidColor) << p.x() << "," << p.y();
             }
             EXPECT_EQ(c.pixel(10, 10), kRed);
         }},
        {"patternInvert",
         [](Canvas& c) {
             c.setBrushColor(0xFFFFFF ^ kRed);
             c.patternInvert(0, 0, 32, 32);
         }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        QImage image = whiteImage();
        paint(image, [&](Canvas& c) {
            c.setPenColor(kRed);
            c.setFontColor(kRed);
            c.setBrushColor(kRed);
            c.setClipRect(16, 16, 8, 8); // reversed corners are normalised
            operation(c);
        });
        const QRect ink = inkBounds(image);
        EXPECT_EQ(ink.isEmpty(), name == "floodFill from outside");
        EXPECT_TRUE(ink.isEmpty() || QRect(8, 8, 8, 8).contains(ink));
    }
}

TEST(CanvasPixels, FocusRectangleIsDottedAndUndoesItself) {
    QImage original = whiteImage();
    paint(original, [](Canvas& c) {
        c.setBrushColor(kGreen);
        c.fillRect(0, 0, 16, 32);
    });
    for (const QRect& box : {QRect(2, 2, 10, 8), QRect(3, 5, 9, 1), QRect(7, 2, 1, 9), QRect(4, 4, 1, 1),
                             QRect(-5, -5, 20, 20)}) {
        SCOPED_TRACE(std::to_string(box.x()) + "," + std::to_string(box.y()) + " " +
                     std::to_string(box.width()) + "x" + std::to_string(box.height()));
        QImage image = original.copy();
        auto focus = [&](Canvas& c) {
            c.drawFocusRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
        };
        paint(image, focus);
        EXPECT_NE(image, original);
        paint(image, focus);
        EXPECT_EQ(image, original);
    }

    QImage image = whiteImage();
    paint(image, [](Canvas& c) { c.drawFocusRect(2, 2, 12, 10); });
    EXPECT_EQ(inkBounds(image), QRect(2, 2, 10, 8));
    EXPECT_EQ(at(image, 2, 2), kBlack);
    EXPECT_EQ(at(image, 3, 2), kWhite);
    EXPECT_EQ(at(image, 11, 9), kBlack);
    EXPECT_EQ(countColor(image, kBlack), (10 + 10 + 6 + 6) / 2);
}

// The disabled look: a checker pattern XOR-ed over the destination.
TEST(CanvasPixels, PatternInvertTogglesWhereThePatternIsSet) {
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u);
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
    EXPECT_EQ(countColor(image, kGreen ^ 0xFFFFFF), 16 * 16 / 2);
    paint(image, invert);
    EXPECT_EQ(image, original);
}

// A device without pixel access (a printer, a recording) takes the shapes and
// ignores the pixel operations.
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
    QImage replay = filledImage(kBlue);
    {
        QPainter painter(&replay);
        recording.play(&painter);
    }
    EXPECT_EQ(at(replay, 0, 0), kBlack);
    EXPECT_EQ(at(replay, 1, 1), kWhite);

    QImage null; // no device at all: everything is a no-op
    Canvas c(null);
    c.rectangle(0, 0, 10, 10);
    c.textOut(0, 0, QStringLiteral("x"));
    c.setClipRect(0, 0, 5, 5);
    EXPECT_EQ(c.pixel(0, 0), kInvalidColor);
    EXPECT_GT(c.textHeight(), 0);
}

} // namespace
} // namespace ovanto
