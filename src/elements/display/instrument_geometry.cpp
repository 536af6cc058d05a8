#include "elements/display/instrument_geometry.h"

#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/tgraph.h"
#include "elements/display/shape_geometry.h"
#include "elements/display/round_half_even.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace ovanto {
namespace {

constexpr long double kPixelLimit = 1LL << 30;
constexpr long double kOverRange = 0.1L;

// size * part / (high - low), as the scales write it; the caller has checked the range.
long long Scaled(long long size, long double part, long double low, long double high) {
    return PixelLength(static_cast<long double>(size) * part / (high - low));
}

bool UsableRange(long double low, long double high) {
    const long double d = high - low;
    return d != 0 && std::isfinite(d);
}

} // namespace

long double ShownValue(long double value, long double low) { return value == TGraph::kNoChannel ? low : value; }

std::optional<long double> RangeFraction(long double value, long double low, long double high) {
    if (!UsableRange(low, high)) return std::nullopt;
    const long double f = (value - low) / (high - low);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

long long PixelLength(long double value) {
    if (std::isnan(value)) throw ConversionError("length is not a number");
    // Whole and within 2^30: through double the conversion needs no x87 mode switch.
    return static_cast<long long>(static_cast<double>(RoundHalfEven(std::clamp(value, -kPixelLimit, kPixelLimit))));
}

// --- marks -----------------------------------------------------------------------------

long long MarkPosition(long long k, long double base, long double span, long double divisor) {
    return PixelLength(base + static_cast<long double>(k) * span / divisor);
}

std::vector<long long> MarkIndexes(long long count, long double base, long double span, long double divisor,
                                   long long lo, long long hi) {
    std::vector<long long> out;
    if (count <= 0 || lo > hi || divisor == 0) return out;
    const long double step = span / divisor;
    if (!std::isfinite(step) || !std::isfinite(base)) return out;
    long long kmin = 0, kmax = 0;
    if (step != 0) {
        long double a = (static_cast<long double>(lo) - 1 - base) / step;
        long double b = (static_cast<long double>(hi) + 1 - base) / step;
        if (a > b) std::swap(a, b);
        a = std::max(a, 0.0L);
        b = std::min(b, static_cast<long double>(count - 1));
        if (a > b) return out;
        kmin = static_cast<long long>(std::ceil(a));
        kmax = static_cast<long long>(std::floor(b));
    }
    bool any = false;
    long long last = 0;
    const auto consider = [&](long long k) {
        const long long p = MarkPosition(k, base, span, divisor);
        if (p < lo || p > hi || (any && p == last)) return;
        if (!out.empty() && k <= out.back()) return;
        out.push_back(k);
        last = p;
        any = true;
    };
    if (std::fabs(step) >= 1 || kmax - kmin <= hi - lo + 2) {
        for (long long k = kmin; k <= kmax; ++k) consider(k);
        return out;
    }
    // Several marks share a pixel: walk the pixels instead, in rising k.
    const auto at = [&](long long p) {
        const long double k = RoundHalfEven((static_cast<long double>(p) - base) / step);
        consider(static_cast<long long>(std::clamp(k, static_cast<long double>(kmin), static_cast<long double>(kmax))));
    };
    if (step > 0)
        for (long long p = lo; p <= hi; ++p) at(p);
    else
        for (long long p = hi; p >= lo; --p) at(p);
    return out;
}

long double MarkValue(long long k, long long n, long double low, long double high) {
    return static_cast<long double>(k) * (high - low) / static_cast<long double>(n - 1) + low;
}

// Scales show the same few values at every paint; formatting them is most of a
// scale's cost, so the last labels are kept.
QString ScaleLabel(long double value) {
    struct Kept {
        long double value = 0;
        bool negative = false;
        bool set = false;
        QString text;
    };
    constexpr std::size_t kSlots = 256;
    thread_local std::array<Kept, kSlots> kept;
    Kept& slot = kept[std::hash<long double>{}(value) % kSlots];
    const bool negative = std::signbit(value);
    if (slot.set && slot.value == value && slot.negative == negative) return slot.text;
    QString text = FormatFloatField(value, 'g', 6, 3).trimmed();
    if (!std::isnan(value)) slot = {value, negative, true, text};
    return text;
}

// --- analog meter ------------------------------------------------------------------------

long long MeterRadius(long long h, long long scaleHeightPercent) {
    return PixelLength(static_cast<long double>(scaleHeightPercent) * 0.01L * static_cast<long double>(h));
}

MeterLayout MeterLayoutFor(long long x, long long y, long long w, long long h, long long scaleHeightPercent,
                           bool showScale) {
    MeterLayout m;
    m.d = MeterRadius(h, scaleHeightPercent);
    m.needle = PixelLength((showScale ? 1.05L : 1.1L) * static_cast<long double>(m.d));
    m.f = PixelLength(3.0L * static_cast<long double>(h) * 0.25L);
    if (w != 0) m.a0 = std::atan(2.0L * static_cast<long double>(m.f) / static_cast<long double>(w));
    else if (m.f != 0) m.a0 = std::copysign(std::numbers::pi_v<long double> / 2, static_cast<long double>(m.f));
    m.sweep = std::numbers::pi_v<long double> - 2 * m.a0;
    m.cx = x + w / 2;
    m.cy = y;
    m.m = h <= 50 ? 0 : h <= 150 ? 1 : 2;
    m.t = m.d / 10;
    return m;
}

QPoint MeterPoint(const MeterLayout& meter, long double a, long double r) {
    return {ToCoord(static_cast<long double>(meter.cx) - std::cos(a) * r),
            ToCoord(static_cast<long double>(meter.cy) - std::sin(a) * r)};
}

long double MeterTickAngle(const MeterLayout& meter, int k) { return meter.a0 + meter.sweep * k * 0.25L; }

bool HasRedZone(long double low, long double red, long double high) { return low < red && red < high; }

std::optional<long double> RedZoneAngle(const MeterLayout& meter, long double low, long double red,
                                        long double high) {
    if (!HasRedZone(low, red, high)) return std::nullopt;
    const std::optional<long double> f = RangeFraction(red, low, high);
    if (!f) return std::nullopt;
    return meter.a0 + meter.sweep * *f;
}

std::optional<long double> NeedleAngle(const MeterLayout& meter, long double value, long double low,
                                       long double high) {
    long double v = value;
    if (v < low) v = low;
    if (v > high) v = high;
    const std::optional<long double> f = RangeFraction(v, low, high);
    if (!f) return std::nullopt;
    long double a = meter.a0 + meter.sweep * *f;
    if (value < low) a -= kOverRange;
    if (value > high) a += kOverRange;
    return a;
}

ArcBox ArcExtent(long double cx, long double cy, long double r, QPoint from, QPoint to) {
    constexpr long double pi = std::numbers::pi_v<long double>;
    // Mathematical angles (y up), so counter-clockwise on screen is rising angle.
    const auto angleOf = [&](QPoint p) { return std::atan2(cy - p.y(), p.x() - cx); };
    const long double start = angleOf(from);
    long double sweep = angleOf(to) - start;
    if (sweep <= 0) sweep += 2 * pi;
    ArcBox box{cx + r * std::cos(start), cy - r * std::sin(start), cx + r * std::cos(start), cy - r * std::sin(start)};
    const auto take = [&](long double a) {
        const long double px = cx + r * std::cos(a), py = cy - r * std::sin(a);
        box.left = std::min(box.left, px);
        box.right = std::max(box.right, px);
        box.top = std::min(box.top, py);
        box.bottom = std::max(box.bottom, py);
    };
    take(start + sweep);
    for (int q = -4; q <= 8; ++q) {
        const long double a = q * pi / 2;
        if (a > start && a < start + sweep) take(a);
    }
    return box;
}

// --- plain bars ----------------------------------------------------------------------------

std::optional<long long> BarLength(long long size, int inset, long double value, long double low,
                                   long double high) {
    if (!UsableRange(low, high) || std::isnan(value)) return std::nullopt;
    const long long n = Scaled(size, value - low, low, high) - inset;
    return std::clamp(n, 0LL, std::max(0LL, size - inset));
}

// --- scaled bar graphs -----------------------------------------------------------------------

BarGraphLayout BarGraphPieces(const BarGraphInput& in) {
    BarGraphLayout out;
    const long double low = in.low, high = in.high, v = in.value;
    const long double t2 = in.threshold2, t3 = in.threshold3;
    const int mode = in.symmMode;
    const long long h = in.length;
    const long long usable = h - 2;
    out.symmetric = (mode == 1 || mode == 2) && low < 0 && 0 < high;
    if (!UsableRange(low, high) || std::isnan(v)) {
        out.zeroRow = -1;
        return out;
    }
    const long double base = out.symmetric ? 0 : low;
    const long long yb = out.symmetric ? Scaled(usable, low, low, high) - 1 : -1;
    out.zeroRow = yb;
    if (out.symmetric && !(mode == 2 && in.showZeroLine != 1)) out.zeroLineWidth = mode == 2 ? 1 : 3;
    out.drawBar = true;

    const long long topLimit = -h + 2;
    const long long bottomLimit = -1;
    const auto off = [&](long double part) { return Scaled(usable, part, low, high); };
    const auto within = [&](long long row) { return std::clamp(row, topLimit, 0LL); };

    if (!out.symmetric || v > 0) {
        const bool cap = v >= t2 && t2 > base && mode != 2;
        const long long top1 = std::clamp(yb - off((cap ? t2 : v) - base), topLimit, std::max(topLimit, yb));
        out.pieces.push_back({mode == 2 ? yb + 1 : yb, top1, 1});
        if (v > t2 && t2 > base && mode != 2) {
            const long double v2 = t3 > base ? std::min(v, t3) : v;
            const long long top2 = within(top1 - off(v2 - t2));
            out.pieces.push_back({top1 + 1, top2, 2});
            if (v > t3 && t3 > base) out.pieces.push_back({top2 + 1, within(top2 - off(v - t3)), 3});
        }
        return out;
    }
    // Below the zero line the thresholds are mirrored.
    if (mode == 2) {
        const long long start = yb + 1;
        out.pieces.push_back({start, std::clamp(yb + off(-v), std::min(start, bottomLimit), bottomLimit), 2});
        return out;
    }
    const long long start = yb + 2;
    const bool cap = v <= -t2 && t2 > 0;
    const long long end1 = std::clamp(yb + off(-(cap ? -t2 : v)), std::min(start, bottomLimit), bottomLimit);
    out.pieces.push_back({start, end1, 1});
    if (v < -t2 && t2 > 0) {
        const long double v2 = t3 > 0 ? std::max(v, -t3) : v;
        const long long end2 = within(end1 + off(-t2 - v2));
        out.pieces.push_back({end1 - 1, std::min(end2, bottomLimit), 2});
        if (v < -t3 && t3 > 0) out.pieces.push_back({end2 - 1, std::min(within(end2 + off(-t3 - v)), bottomLimit), 3});
    }
    return out;
}

// --- thermometer ---------------------------------------------------------------------------

long long ThermometerScale(long long w, long long h) { return h - w - h / 10; }

std::optional<long long> MercuryHeight(long long w, long long h, long double value, long double low,
                                       long double high) {
    if (!UsableRange(low, high) || std::isnan(value)) return std::nullopt;
    const long long n = Scaled(ThermometerScale(w, h), value - low, low, high);
    return std::clamp(n, 0LL, std::max(0LL, h - w - 1));
}

std::vector<Rect> PixelBoxes(std::vector<QPoint> pixels) {
    const auto byColumn = [](QPoint a, QPoint b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); };
    const auto byRow = [](QPoint a, QPoint b) { return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x()); };
    std::sort(pixels.begin(), pixels.end(), byColumn);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    std::vector<Rect> boxes;
    std::vector<QPoint> single;
    // Runs down the columns or across the rows of the sorted pixels; those of
    // one pixel go to `rest` when there is one.
    const auto runs = [&boxes](const std::vector<QPoint>& sorted, bool down, std::vector<QPoint>* rest) {
        for (std::size_t i = 0; i < sorted.size();) {
            std::size_t j = i + 1;
            while (j < sorted.size() && (down ? sorted[j].x() == sorted[i].x() && sorted[j].y() == sorted[j - 1].y() + 1
                                              : sorted[j].y() == sorted[i].y() && sorted[j].x() == sorted[j - 1].x() + 1))
                ++j;
            const QPoint first = sorted[i], last = sorted[j - 1];
            if (j - i == 1 && rest != nullptr) rest->push_back(first);
            // The last pixel is in the int range, so one past it is too unless it is the very last int.
            else if (last.x() < std::numeric_limits<int>::max() && last.y() < std::numeric_limits<int>::max())
                boxes.push_back({first.x(), first.y(), last.x() + 1, last.y() + 1});
            i = j;
        }
    };
    runs(pixels, true, &single);
    std::sort(single.begin(), single.end(), byRow);
    runs(single, false, nullptr);
    return boxes;
}

// --- progress bar ------------------------------------------------------------------------------

std::optional<int> ProgressPosition(long double value, long double low, long double high) {
    if (!UsableRange(low, high) || std::isnan(value)) return std::nullopt;
    return static_cast<int>(std::clamp(Scaled(100, value - low, low, high), 0LL, 100LL));
}

} // namespace ovanto
