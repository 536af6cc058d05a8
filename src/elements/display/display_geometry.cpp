#include "elements/display/display_geometry.h"

#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/tgraph.h"

#include <algorithm>
#include <limits>

namespace ovanto {

int ToPixel(long long value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw ConversionError("coordinate out of range");
    return static_cast<int>(value);
}

Rect GrowBox(const Rect& r, long long d) {
    return {ToPixel(r.left - d), ToPixel(r.top - d), ToPixel(r.right + d), ToPixel(r.bottom + d)};
}

// --- digit displays ----------------------------------------------------------------

int DigitGlyphIndex(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    switch (u) {
    case 'E': return 10;
    case '-': return 11;
    case '+': return 12;
    case '.': return 13;
    case '*': return 14;
    case ' ': return kBlankGlyph;
    default: return -1;
    }
}

std::vector<int> DigitGlyphs(const QString& text, int count) {
    const qsizetype n = std::clamp<qsizetype>(std::min<qsizetype>(count, text.size()), 0, text.size());
    std::vector<int> glyphs;
    glyphs.reserve(static_cast<std::size_t>(n));
    int previous = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int g = DigitGlyphIndex(text[i]);
        previous = g < 0 ? previous : g;
        glyphs.push_back(previous);
    }
    return glyphs;
}

QString DigitText(long double value, int width, int precision) { return FormatFloatField(value, 'f', width, precision); }

int ClampDigitSize(DigitKind kind, int size) { return std::clamp(size, kind == DigitKind::Lcd ? 0 : 1, 10); }

DigitCell DigitCellFor(DigitKind kind, int size) {
    size = ClampDigitSize(kind, size);
    if (kind == DigitKind::Lcd) {
        if (size == 0) return {DigitFace::LcdSmall, {11, 15}, false};
        return {DigitFace::LcdNormal, {16 * size, 22 * size}, size > 1};
    }
    if (size == 2) return {DigitFace::Seg7Big, {32, 44}, false};
    return {DigitFace::Seg7Normal, {16 * size, 22 * size}, size > 1};
}

QSize LcdTextCell(int size) {
    size = std::clamp(size, 0, 10);
    return size == 0 ? QSize(11, 15) : QSize(16 * size, 22 * size);
}

long long DigitFrameMargin(int borderType, int borderWidth) {
    return 2LL * borderWidth + (borderType == 2 ? 2 : 0);
}

Rect CellRowBox(int x, int y, QSize cell, long long count, long long margin) {
    // count is at most an int and a cell at most 160 wide, so nothing here overflows 64 bits.
    const long long right = x + static_cast<long long>(cell.width()) * count;
    return Rect{ToPixel(x - margin), ToPixel(1LL * y - cell.height() - margin), ToPixel(right + margin),
                ToPixel(y + margin)}
        .normalized();
}

PositionRange VisiblePositions(int x, int cellWidth, long long count, int canvasWidth) {
    if (cellWidth <= 0 || count <= 0) return {};
    // Cell p covers x + cellWidth * (p - 1) .. x + cellWidth * p - 1.
    const long long first = std::max(1LL, (0LL - x) / cellWidth + 1);
    const long long last = std::min(count, (static_cast<long long>(canvasWidth) - 1 - x) / cellWidth + 1);
    if (static_cast<long long>(canvasWidth) - 1 - x < 0) return {};
    return {first, last};
}

// --- NUMBER --------------------------------------------------------------------------

QString NumberText(const QString& pattern, long double value) {
    if (value == TGraph::kNoChannel) return QStringLiteral("***");
    try {
        return FormatNumberValue(pattern, value);
    } catch (const ConversionError&) {
        return QStringLiteral("***");
    }
}

long long NumberFrameMargin(int borderType, int borderWidth) {
    return 2LL * borderWidth + (borderType == 3 || borderType == 4 ? 4 : 2);
}

// --- time and date -------------------------------------------------------------------

QString ClockText(const QString& pattern, const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    QString out;
    bool afterHour = false;
    const auto number = [&](int value, int digits) { out += QString::number(value).rightJustified(digits, QLatin1Char('0')); };
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const char16_t letter = c.toLower().unicode();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c.toLower()) ++run;
        switch (letter) {
        case 'y': {
            const int year = date.year();
            if (run >= 3) number(year, 4);
            else number(((year % 100) + 100) % 100, 2);
            i += run;
            afterHour = false;
            continue;
        }
        case 'd':
        case 'm':
        case 'h':
        case 'n':
        case 's': {
            const int count = static_cast<int>(std::min<qsizetype>(run, 2));
            int value = 0;
            if (letter == 'd') value = date.day();
            else if (letter == 'm') value = afterHour ? clock.minute() : date.month();
            else if (letter == 'h') value = clock.hour();
            else if (letter == 'n') value = clock.minute();
            else value = clock.second();
            number(value, count);
            afterHour = letter == 'h';
            i += count;
            continue;
        }
        default:
            out += c;
            ++i;
            break;
        }
    }
    return out;
}

// --- light barrier ---------------------------------------------------------------------

// The emitter's flat side lies on the right edge for direction 1 and on the
// bottom edge for direction 2; the bounds reach one pixel further to hold it.
Rect PhotoSensorBounds(int x, int y, int w, int h, int direction) {
    const long long lx = x, ly = y;
    if (direction == 2 || direction == 3)
        return Rect{x, ToPixel(ly - w), ToPixel(lx + h), ToPixel(ly + (direction == 2 ? 1 : 0))}.normalized();
    return Rect{x, ToPixel(ly - h), ToPixel(lx + w + (direction == 1 ? 1 : 0)), y}.normalized();
}

std::optional<PhotoSensorLayout> PhotoSensorGeometry(int x, int y, int w, int h, int direction) {
    if (direction < 0 || direction > 3) return std::nullopt;
    const long long lx = x, ly = y, lw = w, lh = h;
    const long long g = h / 2; // integer halving, toward zero
    const auto point = [](long long px, long long py) { return QPoint(ToPixel(px), ToPixel(py)); };
    const auto box = [](long long l, long long t, long long r, long long b) {
        return Rect{ToPixel(l), ToPixel(t), ToPixel(r), ToPixel(b)};
    };
    PhotoSensorLayout s;
    s.bounds = PhotoSensorBounds(x, y, w, h, direction);
    switch (direction) {
    case 0: // beam to the right; the emitter's right half at the left end
        s.circle = box(lx - g, ly - 2 * g, lx + g, ly);
        s.chordFrom = point(lx, ly);
        s.chordTo = point(lx, ly - 2 * g);
        s.receiver = box(lx + lw - g, ly - lh, lx + lw, ly);
        break;
    case 1: // beam to the left; the emitter's left half at the right end
        s.circle = box(lx + lw - g, ly - 2 * g, lx + lw + g, ly);
        s.chordFrom = point(lx + lw, ly - 2 * g);
        s.chordTo = point(lx + lw, ly);
        s.receiver = box(lx, ly - lh, lx + g, ly);
        break;
    case 2: // beam upwards; w is the length, h the thickness
        s.circle = box(lx, ly - g, lx + 2 * g, ly + g);
        s.chordFrom = point(lx + 2 * g, ly);
        s.chordTo = point(lx, ly);
        s.receiver = box(lx, ly - lw, lx + lh, ly - lw + g);
        break;
    default: // 3, beam downwards
        s.circle = box(lx, ly - lw - g, lx + 2 * g, ly - lw + g);
        s.chordFrom = point(lx, ly - lw);
        s.chordTo = point(lx + 2 * g, ly - lw);
        s.receiver = box(lx, ly - g, lx + lh, ly);
        break;
    }
    if (direction < 2) {
        s.beamFrom = point(lx + g + 2, ly - g);
        s.beamTo = point(lx + lw - g - 3, ly - g);
    } else {
        s.beamFrom = point(lx + g, ly - g - 3);
        s.beamTo = point(lx + g, ly - lw + g + 2);
    }
    return s;
}

} // namespace ovanto
