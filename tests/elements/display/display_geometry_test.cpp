#include "elements/display/display_geometry.h"

#include "elements/core/formula/conversion_error.h"

#include <gtest/gtest.h>

#include <limits>

namespace ovanto {
namespace {

TEST(DisplayGeometry, DigitRowsCutOnTheRightRepeatUnknownCharactersAndPadWithBlanks) {
    struct Case {
        long double value;
        int width, precision;
        std::vector<int> glyphs; // positions 1..width
    };
    const Case cases[] = {
        {12345.6L, 4, 1, {1, 2, 3, 4}},
        {-3.14L, 6, 2, {15, 11, 3, 13, 1, 4}},
        {-99999, 4, 1, {11, 9, 9, 9}}, // the no-channel value is shown as it is
        {7, 2, 0, {15, 7}},
        {0.5L, 5, 1, {15, 15, 0, 13, 5}},
        {std::numeric_limits<long double>::quiet_NaN(), 4, 1, {15, 15, 15, 15}}, // " NAN": letters repeat the blank
    };
    for (const Case& c : cases) {
        const QString text = DigitText(c.value, c.width, c.precision);
        const std::vector<int> row = DigitGlyphs(text, c.width);
        std::vector<int> shown;
        for (int p = 1; p <= c.width; ++p) shown.push_back(GlyphAtPosition(row, p));
        EXPECT_EQ(shown, c.glyphs) << text.toStdString();
    }
    EXPECT_EQ(DigitGlyphs(QStringLiteral("x1y2"), 4), (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(GlyphAtPosition(DigitGlyphs(QStringLiteral("12"), 1'000'000'000), 3), kBlankGlyph);
    EXPECT_EQ(DigitGlyphs(QStringLiteral("E+*"), 3), (std::vector<int>{10, 12, 14}));
}

TEST(DisplayGeometry, CellSizesFollowTheSizeWithinEachKindsRange) {
    struct Case {
        DigitKind kind;
        int size;
        DigitFace face;
        QSize cell;
        bool stretched;
    };
    const Case cases[] = {
        {DigitKind::Lcd, 0, DigitFace::LcdSmall, {11, 15}, false},
        {DigitKind::Lcd, -4, DigitFace::LcdSmall, {11, 15}, false},
        {DigitKind::Lcd, 1, DigitFace::LcdNormal, {16, 22}, false},
        {DigitKind::Lcd, 2, DigitFace::LcdNormal, {32, 44}, true},
        {DigitKind::Lcd, 11, DigitFace::LcdNormal, {160, 220}, true},
        {DigitKind::Seg7, 0, DigitFace::Seg7Normal, {16, 22}, false},
        {DigitKind::Seg7, 2, DigitFace::Seg7Big, {32, 44}, false},
        {DigitKind::Seg7, 3, DigitFace::Seg7Normal, {48, 66}, true},
        {DigitKind::Seg7, 2'000'000'000, DigitFace::Seg7Normal, {160, 220}, true},
    };
    for (const Case& c : cases) {
        const DigitCell cell = DigitCellFor(c.kind, c.size);
        EXPECT_EQ(cell.face, c.face) << c.size;
        EXPECT_EQ(cell.size, c.cell) << c.size;
        EXPECT_EQ(cell.stretched, c.stretched) << c.size;
    }
    EXPECT_EQ(LcdTextCell(0), QSize(11, 15));
    EXPECT_EQ(LcdTextCell(3), QSize(48, 66));
    EXPECT_EQ(LcdTextCell(99), QSize(160, 220));
}

TEST(DisplayGeometry, OnlyCellsThatReachThePictureAreVisited) {
    struct Case {
        int x, cellWidth;
        long long count;
        long long first, last;
    };
    const Case cases[] = {
        {40, 16, 4, 1, 4},
        {-20, 16, 4, 2, 4},        // the first cell lies left of the picture
        {90, 16, 4, 1, 1},         // cells from 106 on lie right of it
        {0, 16, 2'000'000'000, 1, 7},
        {-2'000'000'000, 16, 2'000'000'000, 125'000'001, 125'000'007},
    };
    for (const Case& c : cases) {
        const PositionRange r = VisiblePositions(c.x, c.cellWidth, c.count, 100);
        EXPECT_EQ(r.first, c.first) << c.x;
        EXPECT_EQ(r.last, c.last) << c.x;
    }
    for (const Case& none : {Case{100, 16, 4, 0, 0}, Case{0, 16, 0, 0, 0}, Case{-65, 16, 4, 0, 0}}) {
        const PositionRange r = VisiblePositions(none.x, none.cellWidth, none.count, 100);
        EXPECT_LT(r.last, r.first) << none.x;
    }
}

TEST(DisplayGeometry, NumberTextChoosesIntegerOrFloatFromTheCutPattern) {
    struct Case {
        const char* pattern;
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {"Menge %5d Stück", 2.5L, "Menge     2 Stück"}, // ties to even
        {"Menge %5d Stück", 3.5L, "Menge     4 Stück"},
        {"Druck %6.2f bar", 3.14159L, "Druck   3.14 bar"},
        {"ohne Angabe", 7, "ohne Angabe"},
        {"%4.1f", -99999, "***"},
        {"%5.1fd", 2, "***"},       // a "d" before the first blank asks for an integer
        {"%d", 1e30L, "***"},       // no integer holds it
        {"%s", 1, "***"},
        {"%d und %d", 1, "***"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberText(QString::fromUtf8(c.pattern), c.value), QString::fromUtf8(c.text)) << c.pattern;
}

TEST(DisplayGeometry, ClockPatternsUseTheOldLetters) {
    const QDateTime at(QDate(2024, 3, 5), QTime(7, 8, 9));
    const std::pair<const char*, const char*> cases[] = {
        {"hh:mm:ss", "07:08:09"}, {"dd.mm.yyyy", "05.03.2024"}, {"d.m.yy", "5.3.24"},
        {"h:n:s", "7:8:9"},       {"hh:nn", "07:08"},            {"mm/hh", "03/07"},
        {"HH:MM", "07:08"},       {"'Uhr' hh", "Uhr 07"},         {"yyyy-mm-dd hh:mm", "2024-03-05 07:08"},
        {"", ""},                 {"x", "x"},
    };
    for (const auto& [pattern, text] : cases)
        EXPECT_EQ(ClockText(QString::fromLatin1(pattern), at), QString::fromLatin1(text)) << pattern;
}

TEST(DisplayGeometry, LightBarrierPartsForEachDirection) {
    // x 40, y 40, w 100, h 16: g = 8.
    const auto right = PhotoSensorGeometry(40, 40, 100, 16, 0);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->circle, (Rect{32, 24, 48, 40}));
    EXPECT_EQ(right->receiver, (Rect{132, 24, 140, 40}));
    EXPECT_EQ(right->beamFrom, QPoint(50, 32));
    EXPECT_EQ(right->beamTo, QPoint(129, 32));
    EXPECT_EQ(right->bounds, (Rect{40, 24, 140, 40}));

    const auto up = PhotoSensorGeometry(40, 140, 100, 16, 2);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->circle, (Rect{40, 132, 56, 148}));
    EXPECT_EQ(up->receiver, (Rect{40, 40, 56, 48}));
    EXPECT_EQ(up->beamFrom, QPoint(48, 129));
    EXPECT_EQ(up->beamTo, QPoint(48, 50));
    EXPECT_EQ(up->bounds, (Rect{40, 40, 56, 141})); // one more row for the emitter's flat side

    EXPECT_FALSE(PhotoSensorGeometry(40, 40, 100, 16, 4));
    EXPECT_FALSE(PhotoSensorGeometry(40, 40, 100, 16, -1));
    EXPECT_THROW(PhotoSensorGeometry(2'000'000'000, 40, 2'000'000'000, 16, 0), ConversionError);
}

} // namespace
} // namespace ovanto
