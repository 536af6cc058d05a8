#pragma once

#include "elements/core/rect.h"

#include <QPoint>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace ovanto {

// The scale arithmetic of the measuring instruments, apart from any canvas.
// Coordinates come in as 64-bit integers so that sums of huge properties do
// not overflow; results that must become pixels go through ToCoord and raise
// ConversionError when they leave the int range.

// A value read through ChannelValue: the no-channel mark shows as the low end.
long double ShownValue(long double value, long double low);

// (value - low) / (high - low); nothing when the range is empty or the
// result is not finite (NaN inputs, infinite values).
std::optional<long double> RangeFraction(long double value, long double low, long double high);

// A pixel length from a value that may be absurd: rounded ties to even and
// held within +-2^30, so huge values saturate instead of overflowing; NaN raises.
long long PixelLength(long double value);

// Marks spread over a span: mark k (0-based) sits at Round(base + k * span / divisor).
long long MarkPosition(long long k, long double base, long double span, long double divisor);
// The marks among k = 0..count-1 whose position lies in [lo, hi], in rising k,
// at most one per position, so the work is bounded by hi - lo as well as count.
std::vector<long long> MarkIndexes(long long count, long double base, long double span, long double divisor,
                                   long long lo, long long hi);
// The value of mark k of n spread from low to high.
long double MarkValue(long long k, long long n, long double low, long double high);
// A scale label: "%6.3g", blanks trimmed.
QString ScaleLabel(long double value);

// --- analog meter ------------------------------------------------------------------

struct MeterLayout {
    long long cx = 0, cy = 0; // pivot
    long long d = 0;          // scale radius
    long long needle = 0;     // needle length
    long long f = 0;          // pivot height of the scale ends
    long long m = 0;          // half thickness of the scale arc
    long long t = 0;          // half length of a tick
    long double a0 = 0;       // angle of the low end, from the left
    long double sweep = 0;    // pi - 2 a0
};
// The scale radius: ScaleHeight percent of h.
long long MeterRadius(long long h, long long scaleHeightPercent);
MeterLayout MeterLayoutFor(long long x, long long y, long long w, long long h, long long scaleHeightPercent,
                           bool showScale);
// The point at angle a (clockwise from the left) and radius r around the pivot.
QPoint MeterPoint(const MeterLayout& meter, long double a, long double r);
// Angle of tick k = 0..4.
long double MeterTickAngle(const MeterLayout& meter, int k);
// The red zone runs from RedValue to the high end, and only strictly inside the range.
bool HasRedZone(long double low, long double red, long double high);
std::optional<long double> RedZoneAngle(const MeterLayout& meter, long double low, long double red, long double high);
// The needle clamps to the range and rests 0.1 rad beyond a stop when the
// unclamped value passes it; nothing when the range is empty.
std::optional<long double> NeedleAngle(const MeterLayout& meter, long double value, long double low,
                                       long double high);

// The box around a circular arc of radius r around (cx, cy), drawn
// counter-clockwise on screen from the ray towards `from` to the ray towards
// `to` (equal rays give the whole circle): the end points and every
// quarter point the arc passes.
struct ArcBox {
    long double left = 0, top = 0, right = 0, bottom = 0;
};
ArcBox ArcExtent(long double cx, long double cy, long double r, QPoint from, QPoint to);

// --- plain bars ----------------------------------------------------------------------

// The filled length of "HBAR" (w) and "VBAR" (h): Round(size * fraction) - inset,
// held within 0..size - inset; nothing when the range gives no fraction.
std::optional<long long> BarLength(long long size, int inset, long double value, long double low,
                                   long double high);

// --- scaled bar graphs ---------------------------------------------------------------

// One filled piece of a bar graph along its length, as the rows of an upright
// bar whose bottom edge is row 0 (rows grow downwards, so the bar lies at
// negative rows): the rectangle between rows `start` and `end` (either order,
// the larger exclusive), in fill colour 1, 2 or 3.
struct BarPiece {
    long long start = 0;
    long long end = 0;
    int fill = 1;
    friend bool operator==(const BarPiece&, const BarPiece&) = default;
};

struct BarGraphInput {
    long long length = 0; // h of the upright bar, w of the lying one
    long double low = 0, high = 1, value = 0;
    long double threshold2 = 0.5, threshold3 = 0.75;
    int symmMode = 0;
    int showZeroLine = 0;
};

struct BarGraphLayout {
    bool symmetric = false;
    long long zeroRow = -1;      // the base line
    int zeroLineWidth = 0;       // 0 none, 1 or 3
    bool drawBar = false;        // false when the range gives no scale
    std::vector<BarPiece> pieces;
};
BarGraphLayout BarGraphPieces(const BarGraphInput& in);

// --- thermometer -----------------------------------------------------------------------

// Usable scale height h - w - h/10.
long long ThermometerScale(long long w, long long h);
// Mercury height above the bulb: Round(U * fraction), held within 0..h - w - 1.
std::optional<long long> MercuryHeight(long long w, long long h, long double value, long double low,
                                       long double high);

// The glass shading of the thermometer: from the bulb centre, the rows are
// walked up and then down and the columns right and then left (each walk
// ends at the first row or column whose centre pixel is black); in each the
// pixel just inside the black outline to the right and below gets the first
// colour, the one to the left and above the second unless it has the first.
// isBlack is asked only inside `area`, and nothing outside it is coloured.
struct ShadingPixels {
    std::vector<QPoint> first, second;
};
template <class IsBlack>
ShadingPixels WalkShading(QPoint centre, const Rect& area, IsBlack isBlack);
// Pixels as upright boxes (right and bottom exclusive) covering each of them
// once: runs down a column first, the pixels left single joined across a row.
std::vector<Rect> PixelBoxes(std::vector<QPoint> pixels);

// --- progress bar ----------------------------------------------------------------------

// Round((value - low) * 100 / (high - low)) held within 0..100; nothing when undefined.
std::optional<int> ProgressPosition(long double value, long double low, long double high);

} // namespace ovanto

namespace ovanto {

template <class IsBlack>
ShadingPixels WalkShading(QPoint centre, const Rect& area, IsBlack isBlack) {
    ShadingPixels out;
    const auto before = [](QPoint a, QPoint b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); };
    const auto inside = [&](int x, int y) { return area.contains(x, y); };
    const auto open = [&](int x, int y) { return inside(x, y) && !isBlack(x, y); };
    // From (x, y) step by (dx, dy) until a black pixel; the last open pixel before it, if any.
    const auto lastBefore = [&](int x, int y, int dx, int dy, QPoint& found) {
        while (open(x, y)) {
            x += dx;
            y += dy;
        }
        if (!inside(x, y)) return false; // no outline before the edge
        found = QPoint(x - dx, y - dy);
        return true;
    };
    // The rows (dy = 0) or columns (dx = 0) walked from the centre, first one way then the other.
    const auto walk = [&](bool rows, int along, std::vector<QPoint>& into, const std::vector<QPoint>* skip) {
        for (const int direction : {-1, 1}) {
            for (int k = direction < 0 ? 0 : 1;; k += 1) {
                const int lineX = rows ? centre.x() : centre.x() + direction * k;
                const int lineY = rows ? centre.y() + direction * k : centre.y();
                if (!open(lineX, lineY)) break;
                QPoint p;
                if (!lastBefore(lineX, lineY, rows ? along : 0, rows ? 0 : along, p)) continue;
                if (skip && std::binary_search(skip->begin(), skip->end(), p, before)) continue;
                into.push_back(p);
            }
        }
    };
    walk(true, 1, out.first, nullptr);   // right edge of every row
    walk(false, 1, out.first, nullptr);  // lower edge of every column
    std::vector<QPoint> firsts = out.first;
    std::sort(firsts.begin(), firsts.end(), before);
    walk(true, -1, out.second, &firsts);
    walk(false, -1, out.second, &firsts);
    return out;
}

} // namespace ovanto
