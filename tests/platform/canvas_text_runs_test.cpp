#include "platform/canvas.h"

#include "canvas_probe.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto {
namespace {

using namespace test;

struct TextCase {
    const char* name;
    CanvasFont font;
    QString text;
    bool opaque;
    CanvasClip clip;
};

// Text as the canvas draws it on a painter that is shifted by a pixel: such a
// painter never takes the kept text images, so it is the plain Qt drawing.
QImage drawnDirectly(const TextCase& t, int x, int y) {
    QImage image = filledImage(kBlue, 120, 48);
    QPainter painter(&image);
    painter.translate(1, 0);
    Canvas c(painter);
    if (t.clip.enabled) c.setClipRect(t.clip.left - 1, t.clip.top, t.clip.right - 1, t.clip.bottom);
    c.setFont(t.font);
    c.setBrushColor(kGreen);
    c.setTextOpaque(t.opaque);
    c.textOut(x - 1, y, t.text);
    return image;
}

QImage drawnOnImage(const TextCase& t, int x, int y, int times) {
    QImage image = filledImage(kBlue, 120, 48);
    for (int i = 0; i < times; ++i) {
        paint(image, [&](Canvas& c) {
            if (t.clip.enabled) c.setClipRect(t.clip.left, t.clip.top, t.clip.right, t.clip.bottom);
            c.setFont(t.font);
            c.setBrushColor(kGreen);
            c.setTextOpaque(t.opaque);
            c.textOut(x, y, t.text);
        });
    }
    return image;
}

// Kept text images must give exactly the pixels Qt draws, on the first paint and
// on later ones, for every face, style and colour, clipped or not.
TEST(CanvasTextRuns, KeptTextDrawsTheSamePixelsAsQt) {
    const std::vector<TextCase> cases = {
        {"small", {"Small Fonts", 6, kBlack, {}}, "0.25", false, {}},
        {"arial", {"ARIAL", 10, kRed, {}}, "Druck bar", false, {}},
        {"same text, other colour", {"ARIAL", 10, kWhite, {}}, "Druck bar", false, {}},
        {"bold italic overhang", {"Times New Roman", 14, kRed, FontStyle::Bold | FontStyle::Italic}, "fjW", false, {}},
        {"underline and strike-out", {"COURIER NEW", 9, kBlack, FontStyle::Underline | FontStyle::StrikeOut}, "A_g", false, {}},
        {"opaque", {"ARIAL", 8, kBlack, {}}, "Füllstand", true, {}},
        {"clipped through the glyphs", {"ARIAL", 12, kRed, {}}, "Temperatur", true, {true, 20, 8, 47, 19}},
    };
    for (const TextCase& t : cases) {
        SCOPED_TRACE(t.name);
        for (const QPoint at : {QPoint(10, 8), QPoint(-6, 30), QPoint(100, -5)}) {
            const QImage expected = drawnDirectly(t, at.x(), at.y());
            EXPECT_EQ(drawnOnImage(t, at.x(), at.y(), 1), expected) << at.x() << "," << at.y();
            EXPECT_EQ(drawnOnImage(t, at.x(), at.y(), 2), drawnOnImage(t, at.x(), at.y(), 1));
        }
    }
}

// A text is passed over only when nothing of it can reach the clip: a thin clip
// swept past the text, overhangs included, gets exactly what Qt draws there.
TEST(CanvasTextRuns, ClipsBesideTheTextGetWhatQtDraws) {
    TextCase t{"overhang", {"Times New Roman", 14, kRed, FontStyle::Bold | FontStyle::Italic}, "fjW", false, {}};
    for (int edge = 0; edge < 120; edge += 2) {
        const int row = edge * 48 / 120;
        for (const CanvasClip clip : {CanvasClip{true, edge, 0, edge + 2, 48}, CanvasClip{true, 0, row, 120, row + 2}}) {
            t.clip = clip;
            EXPECT_EQ(drawnOnImage(t, 40, 14, 1), drawnDirectly(t, 40, 14)) << clip.left << "," << clip.top;
        }
    }
}

// Widths come from a memo; a font change must not answer with another font's width.
TEST(CanvasTextRuns, WidthsFollowTheFont) {
    QImage image = whiteImage(8, 8);
    paint(image, [](Canvas& c) {
        const QString text = QStringLiteral("WWWW");
        c.setFontSize(8);
        const int small = c.textWidth(text);
        c.setFontSize(20);
        const int large = c.textWidth(text);
        c.setFontStyle(FontStyle::Bold);
        const int bold = c.textWidth(text);
        c.setFontSize(8);
        c.setFontStyle({});
        EXPECT_LT(small, large);
        EXPECT_NE(large, bold);
        EXPECT_EQ(c.textWidth(text), small);
    });
}


// Boxed text taken from the kept images lies exactly where Qt's layout puts it,
// for every alignment and for boxes of odd and even size, tight ones included.
TEST(CanvasTextRuns, BoxedTextMatchesQt) {
    const TextFormats aligns[] = {TextFormat::SingleLine,
                                  TextFormat::SingleLine | TextFormat::HCenter | TextFormat::VCenter,
                                  TextFormat::SingleLine | TextFormat::Right | TextFormat::Bottom,
                                  TextFormat::HCenter | TextFormat::Bottom, TextFormat::Right | TextFormat::VCenter,
                                  TextFormat::WordBreak | TextFormat::HCenter};
    const CanvasFont fonts[] = {{"ARIAL", 8, kBlack, {}}, {"ARIAL", 10, kRed, {FontStyle::Bold}}, {"Small Fonts", 6, kBlack, {}}};
    for (const CanvasFont& font : fonts) {
        for (const TextFormats format : aligns) {
            for (int w : {26, 27, 28, 29, 30, 31, 32, 33, 34, 40, 41, 42, 43}) {
                for (int h : {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}) {
                    QImage kept = filledImage(kBlue, 120, 48), plain = filledImage(kBlue, 120, 48);
                    paint(kept, [&](Canvas& c) {
                        c.setFont(font);
                        c.textRect(10, 5, 10 + w, 5 + h, QStringLiteral("Pumpe 2"), format);
                    });
                    QPainter painter(&plain);
                    painter.translate(1, 0);
                    Canvas c(painter);
                    c.setFont(font);
                    c.textRect(9, 5, 9 + w, 5 + h, QStringLiteral("Pumpe 2"), format);
                    painter.end();
                    EXPECT_EQ(kept, plain) << font.name.toStdString() << " " << format.toInt() << " " << w << "x" << h;
                }
            }
        }
    }
}

} // namespace
} // namespace ovanto
