#pragma once

#include "elements/core/rect.h"
#include "platform/colors.h"

#include <QPoint>

#include <array>
#include <span>
#include <vector>

namespace ovanto {

// The arithmetic of the basic shapes, apart from any canvas. Every function
// that yields a pixel coordinate rounds ties to even and raises
// ConversionError when the result leaves the int range, so absurd
// inputs make the shape disappear instead of wrapping around.

int ToCoord(long double value);
// An angle held in single precision; raises beyond the float range.
float ToSingle(long double angle);
// r grown by d on every side.
Rect InflateBox(const Rect& r, int d);

// Filled triangle with its tip at `tip`, pointing along `angle` (screen
// angle, clockwise), 9 * size long and 6 * size wide at its base.
std::array<QPoint, 3> ArrowHead(QPoint tip, float angle, int size);

// Direction of the line from p0 to p1 as a screen angle; a vertical line
// points up unless it goes down by at least one pixel.
float LineAngle(QPoint p0, QPoint p1);

// A thick straight line drawn as a bar of one-pixel lines: `core` lines in
// the colour, `edge` lighter lines before them and `edge` darker ones after,
// the core starting `half` pixels before the line's own position.
struct BarLayout {
    int edge = 0;
    int core = 0;
    int half = 0;
};
BarLayout BarLayoutFor(int lineType);
// Each of red, green and blue times 1.4 (clamped) or divided by 1.4.
TColor LighterColor(TColor color);
TColor DarkerColor(TColor color);

// The point at radius r and counter-clockwise angle phi around (x, y).
QPoint PolarPoint(int x, int y, int r, long double phi);
// The 204-point outline of a ring sector.
std::vector<QPoint> RingSector(int x, int y, int r1, int r2, long double alpha, long double beta);
// Corners of the parallelogram in drawing order.
std::array<QPoint, 4> Parallelogram(int x, int y, int w, int h, long double alpha, long double beta);

// The normalised box from the smallest to the largest coordinates.
Rect PointBox(std::span<const QPoint> points);

} // namespace ovanto
