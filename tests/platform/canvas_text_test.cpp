#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

TEST(CanvasText, FontNamesMapToTheMetricTwins) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"ARIAL", "Liberation Sans"},         {"Arial", "Liberation Sans"},
        {" arial ", "Liberation Sans"},       {"COURIER NEW", "Liberation Mono"},
        {"Courier New", "Liberation Mono"},   {"TIMES NEW ROMAN", "Liberation Serif"},
        {"Times New Roman", "Liberation Serif"}, {"MS Sans Serif", "Liberation Sans"},
        {"Small Fonts", "Liberation Sans"},   {"Wingdings", "Liberation Sans"},
        {"", "Liberation Sans"},
    };
    for (const auto& [name, family] : cases) EXPECT_EQ(canvasFontFamily(name), family) << name.toStdString();
}

TEST(CanvasText, PointSizesConvertAtNinetySixDpi) {
    const std::vector<std::pair<int, int>> cases = {{6, 8},   {8, 11},  {10, 13}, {12, 16},
                                                    {72, 96}, {0, 1},   {-10, 13}, {1'000'000, 2000}};
    for (const auto& [points, pixels] : cases) EXPECT_EQ(canvasFontPixelSize(points), pixels) << points;
}

TEST(CanvasText, TenPointArialIsThirteenPixels) {
    QImage image = whiteImage(64, 32);
    Canvas canvas(image);
    canvas.setFontName(QStringLiteral("ARIAL"));
    canvas.setFontSize(10);
    // Liberation Sans at 13 px: ascent 12, descent 3.
    EXPECT_EQ(canvas.textHeight(QStringLiteral("H")), 15);
    EXPECT_EQ(canvas.textHeight(), 15);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans")) << "fonts-liberation2 is missing";
    EXPECT_EQ(canvas.textWidth(QStringLiteral("HH")), 2 * canvas.textWidth(QStringLiteral("H")));
    EXPECT_GT(canvas.textWidth(QStringLiteral("H")), 5);
    EXPECT_EQ(canvas.textWidth(QString()), 0);
    canvas.setFontStyle(FontStyle::Bold);
    EXPECT_GT(canvas.textWidth(QStringLiteral("HHHH")), 0);
}

TEST(CanvasText, TextOutPutsTheTopLeftCornerAtThePoint) {
    QImage image = whiteImage(64, 40);
    int height = 0;
    paint(image, [&](Canvas& c) {
        c.setFontName(QStringLiteral("Arial"));
        c.setFontSize(10);
        c.setFontColor(kRed);
        c.setPenColor(kBlue);  // text ignores the pen
        c.setPenMode(PenMode::Xor);
        height = c.textHeight();
        c.textOut(6, 9, QStringLiteral("H"));
        EXPECT_EQ(c.penPos(), QPoint(0, 0));
    });
    const QRect ink = inkBounds(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(countColor(image, kRed) + countColor(image, kWhite), 64 * 40);  // solid, no antialias
    EXPECT_GE(ink.left(), 6);
    EXPECT_LE(ink.left(), 8);
    // The cap of the "H" sits below the top by the internal leading, the foot on the baseline.
    EXPECT_GE(ink.top(), 9);
    EXPECT_LE(ink.top(), 9 + 4);
    EXPECT_EQ(ink.bottom(), 9 + 12 - 1);
    EXPECT_LT(ink.bottom(), 9 + height);
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
    const QImage left = image.copy(0, 0, 30, 32);
    EXPECT_EQ(countColor(left, kGreen), 0);
    EXPECT_GT(countColor(left, kBlack), 0);
    EXPECT_EQ(at(image, 30, 2), kGreen);
    EXPECT_EQ(at(image, 30 + width - 1, 2), kGreen);
    EXPECT_EQ(at(image, 30 + width, 2), kBlue);
}

TEST(CanvasText, TextRectAlignsAndClips) {
    struct Case {
        std::string name;
        TextFormats format;
        QRect expectInside;  // where the ink must be
    };
    const QRect box(10, 10, 80, 30);
    const std::vector<Case> cases = {
        {"left top", TextFormat::Left | TextFormat::Top | TextFormat::SingleLine, QRect(10, 10, 30, 15)},
        {"right bottom", TextFormat::Right | TextFormat::Bottom | TextFormat::SingleLine, QRect(60, 25, 30, 15)},
        {"centred", TextFormat::HCenter | TextFormat::VCenter | TextFormat::SingleLine, QRect(35, 17, 30, 16)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        QImage image = whiteImage(100, 50);
        paint(image, [&](Canvas& c) {
            c.setFontName(QStringLiteral("Arial"));
            c.setFontSize(10);
            c.textRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1, QStringLiteral("Mm"), test.format);
        });
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(test.expectInside.contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }

    const QString longText = QStringLiteral("one two three four five six seven");
    QImage wrapped = whiteImage(100, 80);
    QImage clipped = whiteImage(100, 80);
    QImage unclipped = whiteImage(100, 80);
    paint(wrapped, [&](Canvas& c) { c.textRect(0, 0, 60, 80, longText, TextFormat::WordBreak); });
    paint(clipped, [&](Canvas& c) { c.textRect(0, 0, 30, 10, longText, TextFormat::SingleLine); });
    paint(unclipped, [&](Canvas& c) {
        c.textRect(0, 0, 30, 10, longText, TextFormat::SingleLine | TextFormat::NoClip);
    });
    EXPECT_LE(inkBounds(wrapped).right(), 59);
    EXPECT_GT(inkBounds(wrapped).height(), 20);  // several lines
    EXPECT_TRUE(QRect(0, 0, 30, 10).contains(inkBounds(clipped)));
    EXPECT_GT(inkBounds(unclipped).right(), 40);
}

} // namespace
} // namespace ovanto
