#pragma once

#include "elements/core/rect.h"
#include "elements/display/glyphs.h"
#include "platform/colors.h"

#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace ovanto {

// The arithmetic of the digital displays, apart from any canvas. Boxes are
// computed wide and converted with ToCoord, so absurd sizes make an element
// disappear instead of wrapping around.

// An integer pixel coordinate; raises ConversionError outside the int range.
// (Everything here is integer arithmetic, so nothing needs rounding.)
int ToPixel(long long value);
// r grown by d on every side.
Rect GrowBox(const Rect& r, long long d);

// --- digit displays ----------------------------------------------------------------

// Glyph of a character: 0..9, E 10, minus 11, plus 12, point 13, asterisk 14,
// blank 15; -1 for any other character.
int DigitGlyphIndex(QChar c);

// The glyphs of the first `count` positions: past the text the blank glyph, a
// character outside the table repeats the glyph before it (0 at the start).
// Costs the text's length at most, whatever the count.
std::vector<int> DigitGlyphs(const QString& text, int count);
// The glyph at 1-based position p of a row DigitGlyphs made for enough positions.
inline int GlyphAtPosition(const std::vector<int>& glyphs, long long p) {
    return p >= 1 && p <= static_cast<long long>(glyphs.size()) ? glyphs[static_cast<std::size_t>(p - 1)]
                                                                 : kBlankGlyph;
}

// The text of the numeric displays: "%*.*f" with the given width and precision.
QString DigitText(long double value, int width, int precision);

enum class DigitKind { Lcd, Seg7 };

// Which glyph list a size draws from and how large one cell is.
struct DigitCell {
    DigitFace face;
    QSize size;
    bool stretched;
};
// LCD: 0 small, 1 normal, 2..10 normal stretched; seven segments: 1 normal,
// 2 big, 3..10 normal stretched. The size is clamped to the kind's range first.
DigitCell DigitCellFor(DigitKind kind, int size);
int ClampDigitSize(DigitKind kind, int size);

// The text LCD's character cell: 11 x 15 for size 0, else 16 x 22 times the size (clamped to 0..10).
QSize LcdTextCell(int size);

// How far the black frame of the digit and text LCDs reaches beyond the
// digits: 2 x width + 2 for type 2, 2 x width for the others.
long long DigitFrameMargin(int borderType, int borderWidth);
// The box of `count` cells standing on (x, y), grown by the margin.
Rect CellRowBox(int x, int y, QSize cell, long long count, long long margin);

// The positions p (1-based, at most count) whose cells of width cellWidth
// starting at x can reach columns 0..canvasWidth-1; empty when none.
struct PositionRange {
    long long first = 1, last = 0;
};
PositionRange VisiblePositions(int x, int cellWidth, long long count, int canvasWidth);

// --- NUMBER --------------------------------------------------------------------------

// The formatted number, or "***" for the no-channel value and for a pattern that
// does not fit the value.
QString NumberText(const QString& pattern, long double value);
// The frame of "NUMBER" lies 2 x width + 4 (types 3 and 4) or 2 x width + 2 beyond the text.
long long NumberFrameMargin(int borderType, int borderWidth);

// --- time and date -------------------------------------------------------------------

// The clock displays' patterns: d dd day, m mm month (minutes right after an
// hour), yy yyyy year, h hh hour, n nn minutes, s ss seconds, letters in
// either case; text in quotes and every other character are copied.
QString ClockText(const QString& pattern, const QDateTime& time);

// --- light barrier ---------------------------------------------------------------------

struct PhotoSensorLayout {
    Rect circle;          // the emitter's circle; half of it is drawn
    QPoint chordFrom, chordTo; // the half runs counter-clockwise from here to there
    Rect receiver;
    QPoint beamFrom, beamTo;
    Rect bounds;
};
// Nothing for directions other than 0..3.
std::optional<PhotoSensorLayout> PhotoSensorGeometry(int x, int y, int w, int h, int direction);
Rect PhotoSensorBounds(int x, int y, int w, int h, int direction);

} // namespace ovanto
