#include "elements/display/process_geometry.h"

#include "elements/display/shape_geometry.h"
#include "elements/display/round_half_even.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace ovanto {
namespace {

using std::numbers::pi_v;

QPoint pointAt(long double x, long double y) { return {ToCoord(x), ToCoord(y)}; }

// Curved vessel ends are drawn through at most this many rows per side.
constexpr int kMaxArcRows = 64;
// Beyond these counts more zigzags or wheels cannot be told apart on any screen.
constexpr int kMaxSpringSections = 4096;
constexpr int kMaxWheels = 4096;

// Half-width of an elliptic end of half-width t and depth d at height m above its tip.
long double arcHalfWidth(long double t, long double d, long double m) {
    if (d <= 0) return t;
    const long double q = (d - m) / d;
    return t * std::sqrt(std::max(0.0L, 1.0L - q * q));
}

// The rows m (0 = tip) at which a curved end of depth d is sampled.
std::vector<long double> arcRows(long double d) {
    std::vector<long double> rows;
    const int count = static_cast<int>(std::clamp<long double>(std::ceil(d), 1.0L, kMaxArcRows));
    for (int i = 0; i <= count; ++i) rows.push_back(d * i / count);
    return rows;
}

} // namespace

int StrokeMargin(int penWidth) { return std::max(penWidth, 1) / 2 + 1; }

Rect PaintBox(std::span<const QPoint> points, int margin) {
    const Rect box = PointBox(points);
    const long double m = margin;
    return {ToCoord(box.left - m), ToCoord(box.top - m), ToCoord(box.right + 1.0L + m),
            ToCoord(box.bottom + 1.0L + m)};
}

Rect UniteBoxes(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Rect CornerBox(int x, int y, long long w, long long h) {
    return Rect{x, ToCoord(static_cast<long double>(y) - h), ToCoord(static_cast<long double>(x) + w), y}
        .normalized();
}

// --- tank ----------------------------------------------------------------------------------

int FillLevel(long double percent, int h) {
    const long double f = percent * h / 100.0L;
    if (!(f == f)) return 0;
    return ToCoord(std::clamp<long double>(RoundHalfEven(f), std::min(0, h), std::max(0, h)));
}

VesselOutline TankVessel(int shape, int x, int y, int w, int h) {
    VesselOutline v;
    if (shape < 0 || shape > 5) return v;
    v.openTop = shape % 2 == 0;
    const long double left = x, right = static_cast<long double>(x) + w, top = static_cast<long double>(y) - h;
    const long double bottom = y;
    const long double t = w / 2.0L;
    const long double cx = left + t;
    std::vector<QPoint>& p = v.points;
    if (shape <= 1) {
        p = {pointAt(left, top), pointAt(left, bottom), pointAt(right, bottom), pointAt(right, top)};
        return v;
    }
    if (shape >= 4) {
        const long double depth = std::min<long double>(w / 2, std::abs(static_cast<long double>(h)));
        const long double tip = static_cast<long double>(x) + w / 2;
        p = {pointAt(left, top), pointAt(left, bottom - depth), pointAt(tip, bottom), pointAt(right, bottom - depth),
             pointAt(right, top)};
        return v;
    }
    // Round ends are half ellipses that flatten when the vessel is too low for a circle.
    const long double height = std::abs(static_cast<long double>(h));
    const long double depth = std::min(std::abs(t), shape == 3 ? height / 2 : height);
    const std::vector<long double> rows = arcRows(depth); // 0 = tip .. depth = wall
    if (shape == 2) p.push_back(pointAt(left, top));
    for (auto m = rows.rbegin(); m != rows.rend(); ++m) p.push_back(pointAt(cx - arcHalfWidth(t, depth, *m), bottom - *m));
    for (auto m = rows.begin() + 1; m != rows.end(); ++m) p.push_back(pointAt(cx + arcHalfWidth(t, depth, *m), bottom - *m));
    if (shape == 2) {
        p.push_back(pointAt(right, top));
        return v;
    }
    for (auto m = rows.rbegin(); m != rows.rend(); ++m) p.push_back(pointAt(cx + arcHalfWidth(t, depth, *m), top + *m));
    for (auto m = rows.begin() + 1; m != rows.end(); ++m) p.push_back(pointAt(cx - arcHalfWidth(t, depth, *m), top + *m));
    return v;
}

std::vector<QPoint> ClipBelow(std::span<const QPoint> polygon, int level) {
    std::vector<QPoint> out;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const QPoint a = polygon[i];
        const QPoint b = polygon[(i + 1) % n];
        const bool aIn = a.y() >= level;
        const bool bIn = b.y() >= level;
        if (aIn) out.push_back(a);
        if (aIn != bIn) {
            const long double x =
                a.x() + static_cast<long double>(level - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            out.push_back(pointAt(x, level));
        }
    }
    return out;
}

std::optional<std::vector<QPoint>> ClipAboveExact(std::span<const QPoint> polygon, int level) {
    // Keeps the products below in range.
    constexpr long long kLimit = 1 << 24;
    std::vector<QPoint> out;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const QPoint a = polygon[i];
        const QPoint b = polygon[(i + 1) % n];
        if (std::abs(a.x()) > kLimit || std::abs(a.y()) > kLimit || std::abs(level) > kLimit) return std::nullopt;
        const bool aIn = a.y() <= level;
        const bool bIn = b.y() <= level;
        if (aIn) out.push_back(a);
        if (aIn == bIn) continue;
        const long long dx = b.x() - a.x(), dy = b.y() - a.y(), rise = level - a.y();
        const bool strict = a.y() != level && b.y() != level;
        if (rise * dx % dy != 0 || (strict && dx * 65536 % dy != 0)) return std::nullopt;
        out.emplace_back(static_cast<int>(a.x() + rise * dx / dy), level);
    }
    return out;
}

std::vector<QPoint> WithoutStraightVertices(std::span<const QPoint> points) {
    constexpr long long kLimit = 1 << 24;
    std::vector<QPoint> out;
    out.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && i + 1 < points.size()) {
            const QPoint a = out.back(), p = points[i], b = points[i + 1];
            const long long ux = p.x() - a.x(), uy = p.y() - a.y(), vx = b.x() - p.x(), vy = b.y() - p.y();
            const bool near = std::abs(a.x()) <= kLimit && std::abs(a.y()) <= kLimit && std::abs(b.x()) <= kLimit &&
                              std::abs(b.y()) <= kLimit && std::abs(p.x()) <= kLimit && std::abs(p.y()) <= kLimit;
            // Onward in the same direction, and a slope the scan converter
            // steps without rounding: the joined edge crosses every row where
            // its two pieces did.
            const bool straight = near && ux * vy == uy * vx && ux * vx + uy * vy > 0 &&
                                  (uy + vy == 0 || (ux + vx) * 65536 % (uy + vy) == 0);
            if (straight) continue;
        }
        out.push_back(points[i]);
    }
    return out;
}

Agitator TankAgitator(int x, int y, int w, int h) {
    const long long c = x + static_cast<long long>(w) / 2;
    const long long q = w / 4;
    const long long a = y - 2LL * h / 9;
    const long long e = h / 20;
    const auto at = [](long long px, long long py) { return pointAt(px, py); };
    return {{at(c, a), at(c, y - 7LL * h / 8)}, {at(c - q, a - e), at(c - q, a + e), at(c + q, a - e), at(c + q, a + e)}};
}

// --- pipes -----------------------------------------------------------------------------------

std::vector<Segment> PipeStrokes(bool horizontal, const Rect& box, int startEnd, int finishEnd) {
    const long long a0 = horizontal ? box.left : box.top;
    const long long a1 = (horizontal ? box.right : box.bottom) - 1LL;
    const long long first = horizontal ? box.bottom - 1LL : box.left;
    const long long second = horizontal ? box.top : box.right - 1LL;
    const long long thickness = horizontal ? box.bottom - 1LL * box.top : box.right - 1LL * box.left;
    const auto at = [horizontal](long long along, long long across) {
        return horizontal ? pointAt(along, across) : pointAt(across, along);
    };
    const auto valid = [](int code) { return code >= 0 && code <= 5 ? code : 0; };
    const int s = valid(startEnd), f = valid(finishEnd);
    const auto firstShort = [](int code) { return code == 2 || code >= 4; };
    const auto secondShort = [](int code) { return code >= 3; };
    const auto capped = [](int code) { return code >= 1 && code <= 4; };
    std::vector<Segment> out;
    const auto side = [&](long long across, bool shortStart, bool shortFinish) {
        const long long from = a0 + (shortStart ? thickness : 0);
        const long long to = a1 - (shortFinish ? thickness : 0);
        if (from <= to) out.push_back({at(from, across), at(to, across)});
    };
    side(first, firstShort(s), firstShort(f));
    side(second, secondShort(s), secondShort(f));
    if (capped(s)) out.push_back({at(a0, second), at(a0, first)});
    if (capped(f)) out.push_back({at(a1, second), at(a1, first)});
    return out;
}

// --- valves -------------------------------------------------------------------------------------

std::array<QPoint, 4> ValveBody(int orientation, int x, int y, int w, int h) {
    const long double l = x, r = static_cast<long double>(x) + w, b = y, t = static_cast<long double>(y) - h;
    if (orientation % 2 == 0) return {pointAt(l, b), pointAt(l, t), pointAt(r, b), pointAt(r, t)};
    return {pointAt(l, b), pointAt(r, t), pointAt(l, t), pointAt(r, b)};
}

std::vector<Segment> ValveActuator(int orientation, int x, int y, int w, int h) {
    if (orientation < 4 || orientation > 11) return {};
    const long long cx = x + static_cast<long long>(w) / 2, cy = y - static_cast<long long>(h) / 2;
    const long long r = x + 1LL * w, t = y - 1LL * h;
    const long long w4 = w / 4, h4 = h / 4;
    const QPoint c = pointAt(cx, cy);
    const int stem = 4 + (orientation - 4) % 4;
    std::vector<Segment> out;
    switch (stem) {
    case 4: out.push_back({c, pointAt(cx, t)}); break;
    case 5: out.push_back({c, pointAt(r, cy)}); break;
    case 6: out.push_back({c, pointAt(cx, y)}); break;
    default: out.push_back({c, pointAt(x, cy)}); break;
    }
    if (orientation >= 8) {
        switch (stem) {
        case 4: out.push_back({pointAt(x + w4, t), pointAt(r - w4, t)}); break;
        case 5: out.push_back({pointAt(r, y - h4), pointAt(r, t + h4)}); break;
        case 6: out.push_back({pointAt(x + w4, y), pointAt(r - w4, y)}); break;
        default: out.push_back({pointAt(x, y - h4), pointAt(x, t + h4)}); break;
        }
    }
    return out;
}

int OpenReach(long double ratio, long double full, int limit) {
    const long double v = ratio * full;
    if (!(v > 0) || limit <= 0) return 0;
    return ToCoord(std::min<long double>(RoundHalfEven(v), limit));
}

std::optional<std::array<QPoint, 4>> ValveOpening(int orientation, int x, int y, int w, int h, long double ratio) {
    if (w == 0 || h == 0) return std::nullopt;
    const long double cx = x + static_cast<long long>(w) / 2, cy = y - static_cast<long long>(h) / 2;
    if (orientation % 2 == 0) {
        const int l = OpenReach(ratio, w / 2.0L, w / 2);
        if (l == 0) return std::nullopt;
        const long double lo = y - (w / 2.0L - l) * h / w, hi = y - h + (w / 2.0L - l) * h / w;
        return std::array{pointAt(cx - l, lo), pointAt(cx - l, hi), pointAt(cx + l, lo), pointAt(cx + l, hi)};
    }
    const int l = OpenReach(ratio, h / 2.0L, h / 2);
    if (l == 0) return std::nullopt;
    const long double half = static_cast<long double>(l) * w / h;
    return std::array{pointAt(cx - half, cy + l), pointAt(cx + half, cy - l), pointAt(cx - half, cy - l),
                      pointAt(cx + half, cy + l)};
}

std::array<QPoint, 3> Valve3Branch(int branch, int x, int y, int w, int h) {
    const QPoint c = pointAt(x + static_cast<long long>(w) / 2, y - static_cast<long long>(h) / 2);
    const long double X = x, Y = y, W = w, H = h;
    switch (branch) {
    case 1: return {c, pointAt(X, Y - H / 2 - H / 4), pointAt(X, Y - H / 2 + H / 4)};
    case 2: return {c, pointAt(X + W / 2 + W / 4, Y - H), pointAt(X + W / 2 - W / 4, Y - H)};
    case 3: return {c, pointAt(X + W, Y - H / 2 - H / 4), pointAt(X + W, Y - H / 2 + H / 4)};
    default: return {c, pointAt(X + W / 2 - W / 4, Y), pointAt(X + W / 2 + W / 4, Y)};
    }
}

std::array<QPoint, 3> Valve3BranchPart(int branch, int x, int y, int w, int h, long double reach) {
    const std::array<QPoint, 3> full = Valve3Branch(branch, x, y, w, h);
    const QPoint c = full[0];
    const bool horizontal = branch == 1 || branch == 3;
    const long double length = std::abs(horizontal ? full[1].x() - c.x() : full[1].y() - c.y());
    const long double s = length > 0 ? reach / length : 0;
    const auto scaled = [&](QPoint p) {
        return pointAt(c.x() + (p.x() - c.x()) * s, c.y() + (p.y() - c.y()) * s);
    };
    return {c, scaled(full[1]), scaled(full[2])};
}

int Valve3MissingBranch(int orientation) {
    static constexpr int kMissing[] = {2, 3, 4, 1};
    return kMissing[((orientation % 4) + 4) % 4];
}

std::optional<Valve3Ports> Valve3PortsFor(int orientation, int fixJunction) {
    // [orientation mod 4][|FixJunction| - 1] = common; a, b
    static constexpr Valve3Ports kPorts[4][3] = {
        {{1, 4, 3}, {3, 4, 1}, {4, 3, 1}},
        {{2, 1, 4}, {4, 1, 2}, {1, 4, 2}},
        {{3, 2, 1}, {1, 2, 3}, {2, 1, 3}},
        {{4, 3, 2}, {2, 3, 4}, {3, 2, 4}},
    };
    if (fixJunction == 0 || fixJunction < -3 || fixJunction > 3) return std::nullopt;
    return kPorts[((orientation % 4) + 4) % 4][std::abs(fixJunction) - 1];
}

// --- cylinder ------------------------------------------------------------------------------------

std::optional<CylinderLayout> HydCylinder(int orientation, int x, int y, int w, int h, long double percent,
                                          int sliderSize) {
    if (orientation < 0 || orientation > 3) return std::nullopt;
    const long long length = h, across = w;
    // (along from the closed end, across) to the pixel, both counted from 0.
    const auto at = [&](long long a, long long s) {
        switch (orientation) {
        case 0: return pointAt(1.0L * x + s, 1.0L * y - 1 - a);
        case 1: return pointAt(1.0L * x + a, 1.0L * y - 1 - s);
        case 2: return pointAt(1.0L * x + s, 1.0L * y - length + a);
        default: return pointAt(1.0L * x + length - 1 - a, 1.0L * y - 1 - s);
        }
    };
    const auto box = [&](long long a0, long long a1) {
        const QPoint corners[] = {at(a0, 0), at(a1, across - 1)};
        return PaintBox(corners, 0);
    };
    const int c = FillLevel(percent, h);
    CylinderLayout out;
    out.box = box(0, length - 1);
    out.chamber = c > 0 ? box(0, c - 1) : Rect{};
    out.outline = {at(length - 1, 0), at(0, 0), at(0, across - 1), at(length - 1, across - 1)};
    const long long stroke = std::max(c, 2) - 1LL;
    const long long middle = across / 2;
    out.piston = {at(stroke, 2), at(stroke, across - 3)};
    out.rod = {at(stroke, middle), at(stroke + length, middle)};
    const long long capStart = middle - sliderSize / 2;
    out.cap = {at(stroke + length, capStart), at(stroke + length, capStart + sliderSize - 1LL)};
    return out;
}

// --- fill colour --------------------------------------------------------------------------------------

TColor FillColorFor(int mode, long double v, long double onValue, long double offValue, TColor on, TColor off) {
    if (mode != 1) return v < onValue ? off : on;
    long double f = (v - offValue) / (onValue - offValue);
    if (!std::isfinite(f)) f = 0;
    f = std::clamp(f, 0.0L, 1.0L);
    const auto mix = [f](int a, int b) { return static_cast<int>(RoundHalfEven(a + (b - a) * f)); };
    return rgbColor(mix(redOf(off), redOf(on)), mix(greenOf(off), greenOf(on)), mix(blueOf(off), blueOf(on)));
}

// --- drives ---------------------------------------------------------------------------------------------

std::optional<std::array<QPoint, 3>> PumpArrow(int orientation, int x, int y, int w) {
    const long long k = ToCoord(RoundHalfEven(w * 0.4330127L));
    const long long e = w / 2, q = w / 4, g = y - e, q3 = 3LL * w / 4;
    const long long X = x, Y = y, W = w;
    const auto at = [](long long px, long long py) { return pointAt(px, py); };
    switch (orientation) {
    case 0: return std::array{at(X + q, g + k - 1), at(X + W - 1, g), at(X + q, g - k - 1)};
    case 1: return std::array{at(X + e - k, Y - q3), at(X + e, Y - 1), at(X + e + k, Y - q3)};
    case 2: return std::array{at(X + q3, g + k - 1), at(X, g), at(X + q3, g - k - 1)};
    case 3: return std::array{at(X + e - k, Y - q - 1), at(X + e, Y - W + 1), at(X + e + k, Y - q - 1)};
    default: return std::nullopt;
    }
}

SpokeTurn SpokeTurnOf(long double r, long double angle) {
    return {RoundHalfEven(r * std::sin(angle)), RoundHalfEven(r * std::cos(angle))};
}

Segment SpokeLine(int cx, int cy, const SpokeTurn& t) {
    return {pointAt(cx - t.s, cy + t.c), pointAt(cx + t.s, cy - t.c)};
}

Segment SpokeLine(int cx, int cy, long double r, long double angle) {
    return SpokeLine(cx, cy, SpokeTurnOf(r, angle));
}

std::array<SpokeTurn, 3> SpokeTurns(long double r, long double phase) {
    return {SpokeTurnOf(r, phase), SpokeTurnOf(r, phase + pi_v<long double> / 3),
            SpokeTurnOf(r, phase + 2 * pi_v<long double> / 3)};
}

std::array<Segment, 3> MotorSpokes(int x, int y, int w, const std::array<SpokeTurn, 3>& turns) {
    const int cx = ToCoord(x + static_cast<long double>(w / 2)), cy = ToCoord(y - static_cast<long double>(w / 2));
    return {SpokeLine(cx, cy, turns[0]), SpokeLine(cx, cy, turns[1]), SpokeLine(cx, cy, turns[2])};
}

std::array<Segment, 3> MotorSpokes(int x, int y, int w, long double phase) {
    return MotorSpokes(x, y, w, SpokeTurns(w / 2, phase));
}

std::optional<std::array<QPoint, 9>> HeatingCoil(int orientation, int x, int y, int w, int h) {
    const long long X = x, Y = y, W = w, H = h;
    const long long m = X + W / 2, e = Y - H / 2;
    const auto Yk = [&](long long k) { return Y - k * H / 6; };
    const auto Xk = [&](long long k) { return X + k * W / 6; };
    const auto at = [](long long px, long long py) { return pointAt(px, py); };
    switch (orientation) {
    case 0:
        return std::array{at(X + W, Y), at(X, Y),      at(m, Yk(1)),  at(X, Yk(2)), at(m, Yk(3)),
                          at(X, Yk(4)), at(m, Yk(5)),  at(X, Y - H),  at(X + W, Y - H)};
    case 2:
        return std::array{at(X, Y),         at(X + W, Y), at(m, Yk(1)),     at(X + W, Yk(2)), at(m, Yk(3)),
                          at(X + W, Yk(4)), at(m, Yk(5)), at(X + W, Y - H), at(X, Y - H)};
    case 1:
        return std::array{at(X, Y),        at(X, Y - H), at(Xk(1), e),     at(Xk(2), Y - H), at(Xk(3), e),
                          at(Xk(4), Y - H), at(Xk(5), e), at(X + W, Y - H), at(X + W, Y)};
    case 3:
        return std::array{at(X, Y - H), at(X, Y),     at(Xk(1), e), at(Xk(2), Y),     at(Xk(3), e),
                          at(Xk(4), Y), at(Xk(5), e), at(X + W, Y), at(X + W, Y - H)};
    default:
        return std::nullopt;
    }
}

std::optional<std::vector<QPoint>> SpringLine(int orientation, int x, int y, int w, int h, int sections,
                                              int pinLength) {
    if (orientation != 0 && orientation != 1) return std::nullopt;
    const long double X = x, Y = y, W = w, H = h, p = pinLength;
    const long double length = (orientation == 0 ? H : W) - 2 * p;
    const long double pixels = std::clamp<long double>(std::abs(length), 1, kMaxSpringSections);
    const int n = static_cast<int>(std::min<long double>(std::max(sections, 1), pixels));
    const long double f = n + 2;
    std::vector<QPoint> out;
    out.reserve(static_cast<std::size_t>(n) + 5);
    if (orientation == 0) {
        const long double c = x + static_cast<long long>(w) / 2;
        out = {pointAt(c, Y), pointAt(c, Y - p), pointAt(X + W, Y - p - length / f)};
        for (int i = 0; i < n; ++i) out.push_back(pointAt(i % 2 == 0 ? X : X + W, Y - p - length * (i + 2) / f));
        out.push_back(pointAt(c, Y - H + p));
        out.push_back(pointAt(c, Y - H));
    } else {
        const long double e = y - static_cast<long long>(h) / 2;
        out = {pointAt(X, e), pointAt(X + p, e), pointAt(X + p + length / f, Y - H)};
        for (int i = 0; i < n; ++i) out.push_back(pointAt(X + p + length * (i + 2) / f, i % 2 == 0 ? Y : Y - H));
        out.push_back(pointAt(X + W - p, e));
        out.push_back(pointAt(X + W, e));
    }
    return out;
}

BeltLayout Belt(int x, int y, int w, int h, long double angle, int wheels) {
    const long double dx = std::cos(angle), dy = std::sin(angle);
    const long double W = w, half = h / 2.0L;
    const long double pixels = std::clamp<long double>(std::abs(W) + 1, 2, kMaxWheels);
    const int n = static_cast<int>(std::min<long double>(std::max(wheels, 2), pixels));
    BeltLayout out;
    out.radius = half;
    for (int k = 0; k < n; ++k) {
        const long double t = W * k / (n - 1);
        out.wheels.push_back(pointAt(x + t * dx, y + t * dy));
    }
    const auto along = [&](long double t, long double side) {
        return pointAt(x + t * dx - side * dy, y + t * dy + side * dx);
    };
    out.upper = {along(0, -half), along(W, -half)};
    out.lower = {along(0, half), along(W, half)};
    const long double quarter = h / 4.0L;
    out.strip = {along(W * 0.1L, -quarter), along(W * 0.9L, -quarter), along(W * 0.9L, quarter),
                 along(W * 0.1L, quarter)};
    return out;
}

QPoint RollFrame::at(long double across, long double along) const {
    return pointAt(x + across * ux + along * vx, y + across * uy + along * vy);
}

RollFrame RollAt(int x, int y, long double alpha) {
    const long double beta = alpha + pi_v<long double> / 2;
    return {static_cast<long double>(x), static_cast<long double>(y), std::cos(alpha), -std::sin(alpha), std::cos(beta),
            -std::sin(beta)};
}

std::array<QPoint, 4> RollCorners(const RollFrame& frame, int w, int h) {
    return {frame.at(0, 0), frame.at(w, 0), frame.at(w, h), frame.at(0, h)};
}

long double RollStripe(int w, int step) {
    // Inside the outline, so that no step hides the stripe under the edge.
    const long double inner = std::abs(static_cast<long double>(w)) - 2;
    if (inner <= 0) return w / 2.0L;
    return (w < 0 ? -1 : 1) * (1 + inner * (step + 0.5L) / 11.0L);
}

RollShape RollShapeOf(const RollFrame& f, int w, int h, int axisWidth, int step, bool turning) {
    constexpr int kHighlightInset = 2;
    RollShape out;
    try {
        out.corners = RollCorners(f, w, h);
        ++out.parts;
        if (std::abs(w) >= 4 && std::abs(h) > 2 * kHighlightInset)
            out.highlight = Segment{f.at(w / 4.0L, kHighlightInset), f.at(w / 4.0L, h - kHighlightInset)};
        ++out.parts;
        if (turning) {
            const long double across = RollStripe(w, step);
            out.stripe = Segment{f.at(across, 1), f.at(across, h - 1)};
        }
        ++out.parts;
        if (axisWidth > 0) out.axis = Segment{f.at(w / 2.0L, -h / 12.0L), f.at(w / 2.0L, h + h / 12.0L)};
        ++out.parts;
    } catch (...) {
        out.failure = std::current_exception();
    }
    return out;
}

int RollPitch(int w) {
    const long long a = std::abs(static_cast<long long>(w));
    return ToCoord(static_cast<long double>(a + std::max(2LL, a / 2)));
}

} // namespace ovanto
