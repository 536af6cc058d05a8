#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

TEST(CanvasText, FontNamesAndSizes) {
    const std::vector<std::pair<QString, QString>> families = {
        {"ARIAL", "Liberation Sans"},         {" arial ", "Liberation Sans"},
        {"COURIER NEW", "Liberation Mono"},   {"Times New Roman", "Liberation Serif"},
        {"MS Sans Serif", "Liberation Sans"}, {"Small Fonts", "Liberation Sans"},
        {"Wingdings", "Liberation Sans"},
    };
    for (const auto& [name, family] : families)
        EXPECT_EQ(canvasFontFamily(name), family) << name.toStdString();
    // Pixels at 96 DPI, kept within sane bounds.
    const std::vector<std::pair<int, int>> sizes = {{6, 8}, {8, 11},   {10, 13},         {12, 16},
                                                    {0, 1}, {-10, 13}, {1'000'000, 2000}};
    for (const auto& [points, pixels] : sizes)
        EXPECT_EQ(canvasFontPixelSize(points), pixels) << points;
}

TEST(CanvasText, TenPointArialIsThirteenPixelsHigh) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    ASSERT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans")) << "fonts-liberation2 is missing";
    QImage image = whiteImage(64, 40);
    paint(image, [](Canvas& c) {
        c.setFontName(QStringLiteral("ARIAL"));
        c.setFontSize(10);
        // Liberation Sans at 13 px: ascent 12, descent 3. Advances are whole pixels.
        EXPECT_EQ(c.textHeight(QStringLiteral("H")), 15);
        EXPECT_EQ(c.textWidth(QStringLiteral("HH")), 2 * c.textWidth(QStringLiteral("H")));
        c.setFontColor(kRed);
        c.setPenMode(PenMode::Xor); // text ignores the pen
        c.textOut(6, 9, QStringLiteral("H"));
    });
    // The top-left corner of the text at the point; the foot of the "H" on the baseline.
    const QRect ink = inkBounds(image);
    EXPECT_EQ(countColor(image, kRed) + countColor(image, kWhite), 64 * 40); // no antialiasing
    EXPECT_GE(ink.left(), 6);
    EXPECT_LE(ink.left(), 8);
    EXPECT_GE(ink.top(), 9);
    EXPECT_LE(ink.top(), 9 + 4);
    EXPECT_EQ(ink.bottom(), 9 + 12 - 1);
}

TEST(CanvasText, BackgroundIsTransparentUnlessOpaque) {
    QImage image = filledImage(kBlue, 64, 32);
    int width = 0;
    paint(image, [&](Canvas& c) {
        c.setBrushColor(kGreen);
        c.textOut(2, 2, QStringLiteral("Ab"));
        c.setTextOpaque(true);
        width = c.textWidth(QStringLiteral("Ab"));
        c.textOut(30, 2, QStringLiteral("Ab"));
    });
    EXPECT_EQ(countColor(image.copy(0, 0, 30, 32), kGreen), 0);
    EXPECT_EQ(at(image, 30, 2), kGreen);
    EXPECT_EQ(at(image, 30 + width - 1, 2), kGreen);
    EXPECT_EQ(at(image, 30 + width, 2), kBlue);
}

TEST(CanvasText, TextRectAlignsWrapsAndClips) {
    struct Case {
        TextFormats format;
        QRect expectInside;
    };
    const std::vector<Case> cases = {
        {TextFormat::Left | TextFormat::Top | TextFormat::SingleLine, {10, 10, 30, 15}},
        {TextFormat::Right | TextFormat::Bottom | TextFormat::SingleLine, {60, 25, 30, 15}},
        {TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine, {35, 17, 30, 16}},
    };
    for (const Case& test : cases) {
        QImage image = whiteImage(100, 50);
        paint(image, [&](Canvas& c) { c.textRect(10, 10, 90, 40, QStringLiteral("Mm"), test.format); });
        const QRect ink = inkBounds(image);
        EXPECT_TRUE(!ink.isEmpty() && test.expectInside.contains(ink))
            << test.format.toInt() << ": " << ink.x() << "," << ink.y() << " " << ink.width() << "x"
            << ink.height();
    }

    const QString text = QStringLiteral("one two three four five six seven");
    QImage wrapped = whiteImage(100, 80);
    QImage clipped = whiteImage(100, 80);
    QImage unclipped = whiteImage(100, 80);
    paint(wrapped, [&](Canvas& c) { c.textRect(0, 0, 60, 80, text, TextFormat::WordBreak); });
    paint(clipped, [&](Canvas& c) { c.textRect(0, 0, 30, 10, text, TextFormat::SingleLine); });
    paint(unclipped,
          [&](Canvas& c) { c.textRect(0, 0, 30, 10, text, TextFormat::SingleLine | TextFormat::NoClip); });
    EXPECT_LE(inkBounds(wrapped).right(), 59);
    EXPECT_GT(inkBounds(wrapped).height(), 20);
    EXPECT_TRUE(QRect(0, 0, 30, 10).contains(inkBounds(clipped)));
    EXPECT_GT(inkBounds(unclipped).right(), 40);
}

} // namespace
} // namespace ovanto
