#include "elements/display/shape_geometry.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/display/round_half_even.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace ovanto {
namespace {

constexpr int kRingSteps = 100;
constexpr long double kShade = 1.4L;

int shadeComponent(long double value) {
    return static_cast<int>(std::clamp(RoundHalfEven(value), 0.0L, 255.0L));
}

} // namespace

int ToCoord(long double value) {
    const long double r = RoundHalfEven(value);
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
        throw ConversionError("coordinate out of range");
    // Whole already; through double the conversion needs no x87 mode switch.
    return static_cast<int>(static_cast<double>(r));
}

float ToSingle(long double angle) {
    if (!(std::fabs(angle) <= std::numeric_limits<float>::max())) throw ConversionError("angle out of range");
    return static_cast<float>(angle);
}

Rect InflateBox(const Rect& r, int d) {
    const long double ld = d;
    return {ToCoord(r.left - ld), ToCoord(r.top - ld), ToCoord(r.right + ld), ToCoord(r.bottom + ld)};
}

std::array<QPoint, 3> ArrowHead(QPoint tip, float angle, int size) {
    const long double dx = std::cos(static_cast<long double>(angle));
    const long double dy = std::sin(static_cast<long double>(angle));
    const long double length = 9.0L * size;
    const long double halfWidth = 3.0L * size;
    const long double baseX = tip.x() - length * dx;
    const long double baseY = tip.y() - length * dy;
    return {tip, QPoint(ToCoord(baseX - halfWidth * dy), ToCoord(baseY + halfWidth * dx)),
            QPoint(ToCoord(baseX + halfWidth * dy), ToCoord(baseY - halfWidth * dx))};
}

float LineAngle(QPoint p0, QPoint p1) {
    const long double dx = static_cast<long double>(p1.x()) - p0.x();
    const long double dy = static_cast<long double>(p1.y()) - p0.y();
    if (dx == 0) return static_cast<float>(dy < 1 ? -std::numbers::pi_v<long double> / 2 : std::numbers::pi_v<long double> / 2);
    return static_cast<float>(std::atan2(dy, dx));
}

BarLayout BarLayoutFor(int lineType) {
    BarLayout bar;
    bar.edge = lineType < 6 ? 1 : lineType < 10 ? 2 : 3;
    bar.core = lineType - 2 * bar.edge;
    bar.half = bar.core / 2;
    return bar;
}

TColor LighterColor(TColor color) {
    return rgbColor(shadeComponent(redOf(color) * kShade), shadeComponent(greenOf(color) * kShade),
                    shadeComponent(blueOf(color) * kShade));
}

TColor DarkerColor(TColor color) {
    return rgbColor(shadeComponent(redOf(color) / kShade), shadeComponent(greenOf(color) / kShade),
                    shadeComponent(blueOf(color) / kShade));
}

QPoint PolarPoint(int x, int y, int r, long double phi) {
    return {ToCoord(x + RoundHalfEven(r * std::cos(phi))), ToCoord(y - RoundHalfEven(r * std::sin(phi)))};
}

std::vector<QPoint> RingSector(int x, int y, int r1, int r2, long double alpha, long double beta) {
    std::vector<QPoint> points;
    points.reserve(2 * kRingSteps + 4);
    const long double step = (beta - alpha) / kRingSteps;
    points.push_back(PolarPoint(x, y, r1, alpha));
    for (int i = 1; i <= kRingSteps; ++i) points.push_back(PolarPoint(x, y, r1, alpha + i * step));
    points.push_back(PolarPoint(x, y, r1, beta));
    points.push_back(PolarPoint(x, y, r2, beta));
    for (int i = 1; i <= kRingSteps; ++i) points.push_back(PolarPoint(x, y, r2, beta - i * step));
    points.push_back(PolarPoint(x, y, r2, alpha));
    return points;
}

std::array<QPoint, 4> Parallelogram(int x, int y, int w, int h, long double alpha, long double beta) {
    const long double side1X = RoundHalfEven(w * std::cos(alpha));
    const long double side1Y = -RoundHalfEven(w * std::sin(alpha));
    const long double side2X = RoundHalfEven(h * std::cos(alpha + beta));
    const long double side2Y = -RoundHalfEven(h * std::sin(alpha + beta));
    return {QPoint(x, y), QPoint(ToCoord(x + side1X), ToCoord(y + side1Y)),
            QPoint(ToCoord(x + side1X + side2X), ToCoord(y + side1Y + side2Y)),
            QPoint(ToCoord(x + side2X), ToCoord(y + side2Y))};
}

Rect PointBox(std::span<const QPoint> points) {
    Rect box{points.front().x(), points.front().y(), points.front().x(), points.front().y()};
    for (const QPoint& p : points) {
        box.left = std::min(box.left, p.x());
        box.top = std::min(box.top, p.y());
        box.right = std::max(box.right, p.x());
        box.bottom = std::max(box.bottom, p.y());
    }
    return box;
}

} // namespace ovanto
