#include "chart/axis_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ovanto::chart {
namespace {

struct StepEntry {
    float m;
    std::array<int, 4> subdivisions;
    std::array<int, 4> medium;
};

constexpr std::array<StepEntry, 4> kDecimal{{
    {1.0f, {1, 2, 5, 10}, {0, 1, 0, 5}},
    {2.0f, {1, 2, 4, 10}, {0, 1, 2, 5}},
    {5.0f, {1, 5, 10, 10}, {0, 0, 2, 2}},
    {10.0f, {1, 2, 5, 10}, {0, 1, 0, 5}},
}};
constexpr std::array<StepEntry, 4> kSexagesimal{{
    {1.2f, {1, 2, 4, 8}, {0, 1, 1, 2}},
    {3.0f, {1, 1, 3, 6}, {0, 0, 1, 2}},
    {6.0f, {1, 2, 3, 6}, {0, 1, 1, 2}},
    {12.0f, {1, 2, 4, 8}, {0, 1, 2, 4}},
}};
constexpr std::array<StepEntry, 4> kDegrees{{
    {1.8f, {1, 2, 4, 6}, {0, 0, 2, 3}},
    {1.8f, {1, 2, 4, 6}, {0, 0, 2, 3}},
    {9.0f, {1, 2, 3, 9}, {0, 0, 0, 3}},
    {18.0f, {1, 2, 4, 6}, {0, 0, 2, 3}},
}};

constexpr float kFloatMax = std::numeric_limits<float>::max();

float ClampFloat(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<float>(std::clamp(v, -static_cast<double>(kFloatMax), static_cast<double>(kFloatMax)));
}

int ClampRnd(float v, int lo, int hi) {
    if (!std::isfinite(v)) return v > 0 ? hi : lo;
    const float r = Rnd(v);
    if (r <= static_cast<float>(lo)) return lo;
    if (r >= static_cast<float>(hi)) return hi;
    return static_cast<int>(r);
}

// A usable scale even for degenerate axes: drawing then puts everything at the origin.
float SafeScale(float length, float span) {
    const float s = length / span;
    return std::isfinite(s) && span > 0 ? s : 0.0f;
}

void ChooseSubdivisions(AxisScale& axis, const StepEntry& entry, const AxisRoom& room) {
    const float minPixels = (room.isX ? 8.0f : 5.0f) * room.pixel;
    int chosen = 0;
    for (int k = 3; k >= 0; --k) {
        if (minPixels * static_cast<float>(entry.subdivisions[static_cast<size_t>(k)]) <= axis.step * axis.scale) {
            chosen = k;
            break;
        }
    }
    axis.subdivisions = entry.subdivisions[static_cast<size_t>(chosen)];
    axis.medium = entry.medium[static_cast<size_t>(chosen)];
}

} // namespace

float Rnd(float x) {
    return std::nearbyint(x); // the default rounding mode is to nearest, ties to even
}

int TruncInt(double x) {
    if (std::isnan(x)) return 0;
    const double t = std::trunc(x);
    if (t >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (t <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

DataRange SpreadRange(DataRange r) {
    if (!std::isfinite(r.min) || !std::isfinite(r.max)) return {0, 1};
    if (r.max - r.min < 1e-15) {
        const double v = r.min;
        if (std::fabs(v) < 1e-30) return {-1, 1};
        if (v > 0) return {0.95 * v, 1.05 * v};
        return {1.05 * v, 0.95 * v};
    }
    return r;
}

DataRange ValueRange(std::span<const float> values) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (float v : values) {
        if (!std::isfinite(v)) continue;
        lo = std::min(lo, static_cast<double>(v));
        hi = std::max(hi, static_cast<double>(v));
    }
    if (lo > hi) return {0, 1};
    return SpreadRange({lo, hi});
}

AxisScale NiceLinearAxis(double ad, double bd, const AxisRoom& room) {
    float a = ClampFloat(ad);
    float b = ClampFloat(bd);
    if (a > b) std::swap(a, b);
    if (b - a < 1e-30f || !std::isfinite(b - a)) {
        if (!std::isfinite(b - a)) {
            a /= 2; // both halves stay finite, so does their difference
            b /= 2;
        } else if (a > 1e-30f) {
            a *= 0.95f;
            b *= 1.05f;
        } else if (a < -1e-30f) {
            a *= 1.05f;
            b *= 0.95f;
        } else {
            a = -1e-29f;
            b = 1e-29f;
        }
    }
    const float d = b - a;
    const int sign = (a >= 0 && b > 0) ? 1 : (a < 0 && b <= 0) ? -1 : 0;

    float e = 0.001f;
    int j = 3;
    if (sign != 0) {
        const float relative = 0.5f * std::fabs(d / (b + a));
        while (e * 10 >= relative && j <= 5) {
            e /= 10;
            ++j;
        }
    }

    const int lowerBound = room.tight ? (sign == 0 ? 4 : 3) : (sign == 0 ? 2 : 1);
    const float unit = room.isX ? static_cast<float>(j + 2) * room.labelUnit : 3 * room.labelUnit;
    int n = ClampRnd(room.length / unit, 0, std::max(1, room.maxIntervals));
    n = std::max(n, lowerBound);

    const std::array<StepEntry, 4>* table = &kDecimal;
    if (room.timeMode == 1 && d >= 60) table = &kSexagesimal;
    else if (room.timeMode == 2 && d >= 90) table = &kDegrees;

    const float s = d / static_cast<float>(n);
    const float p = std::pow(10.0f, std::floor(std::log10(s)));
    const StepEntry* entry = &(*table)[3];
    for (const StepEntry& candidate : *table) {
        if (candidate.m >= s / p - 10 * e) {
            entry = &candidate;
            break;
        }
    }

    AxisScale axis;
    axis.timeTable = table != &kDecimal;
    axis.step = entry->m * p;
    axis.dataMin = a;
    axis.dataMax = b;
    if (room.tight) {
        axis.firstTick = static_cast<float>(TruncInt(a / axis.step - e + (sign == 1 ? 1 : 0))) * axis.step;
        axis.lastTick =
            static_cast<float>(TruncInt((b - axis.firstTick) / axis.step + e / 10)) * axis.step + axis.firstTick;
        axis.low = a;
        axis.high = b;
    } else {
        axis.firstTick = static_cast<float>(TruncInt(a / axis.step + e - (sign == 1 ? 0 : 1))) * axis.step;
        axis.lastTick =
            static_cast<float>(TruncInt((b - axis.firstTick) / axis.step + 1 - e / 10)) * axis.step + axis.firstTick;
        axis.low = axis.firstTick;
        axis.high = axis.lastTick;
    }
    axis.scale = SafeScale(room.length, axis.high - axis.low);
    ChooseSubdivisions(axis, *entry, room);
    return axis;
}

bool QualifiesLog(double min, double max) {
    return std::isfinite(min) && std::isfinite(max) && max > 0 && min > 0 && max / min >= 9.999;
}

AxisScale LogAxis(double min, double max, const AxisRoom& room) {
    AxisScale axis;
    axis.log = true;
    const float lo = ClampFloat(min);
    const float hi = ClampFloat(max);
    axis.dataMin = lo;
    axis.dataMax = hi;
    axis.firstTick = std::floor(std::log10(lo * 1.001f));
    axis.lastTick = std::floor(std::log10(hi * 0.999f)) + 1;
    if (room.tight) {
        axis.low = std::log10(lo);
        axis.high = std::log10(hi);
    } else {
        axis.low = axis.firstTick;
        axis.high = axis.lastTick;
    }
    axis.step = axis.lastTick - axis.firstTick;
    axis.scale = SafeScale(room.length, axis.high - axis.low);

    const float w = room.labelUnit;
    const float smallest = std::log10(10.0f / 9.0f) * axis.scale;
    const float firstSub = std::log10(2.0f) * axis.scale;
    axis.logLabels = 2 * w < smallest ? LogMarks::All : 3 * w >= firstSub ? LogMarks::Decades : LogMarks::OneTwoFive;
    axis.logMinors = w / 2 < smallest ? LogMarks::All : w / 2 >= firstSub ? LogMarks::Decades : LogMarks::OneTwoFive;
    return axis;
}

AxisScale AutoAxis(double min, double max, const AxisRoom& room, bool logarithmic) {
    if (logarithmic && QualifiesLog(min, max)) return LogAxis(min, max, room);
    return NiceLinearAxis(min, max, room);
}

AxisScale FixedAxis(double lowD, double highD, int count, int subdivisions, const AxisRoom& room) {
    DataRange r{static_cast<double>(ClampFloat(lowD)), static_cast<double>(ClampFloat(highD))};
    if (r.min > r.max) std::swap(r.min, r.max);
    r = SpreadRange(r);
    AxisScale axis;
    axis.low = axis.dataMin = axis.firstTick = static_cast<float>(r.min);
    axis.high = axis.dataMax = axis.lastTick = static_cast<float>(r.max);
    const bool containsZero = axis.low <= 0 && axis.high >= 0;
    int n = count;
    if (count <= 0) {
        const float unit = 3 * room.labelUnit;
        n = ClampRnd(room.length / unit, 0, std::max(1, room.maxIntervals));
    }
    n = std::clamp(n, containsZero ? 2 : 1, kMaxMajorTicks);
    axis.step = (axis.high - axis.low) / static_cast<float>(n);
    axis.scale = SafeScale(room.length, axis.high - axis.low);
    axis.subdivisions = std::clamp(subdivisions, 0, 9) + 1;
    axis.medium = 1;
    return axis;
}

std::vector<Tick> AxisTicks(const AxisScale& axis, float length, float pixel) {
    std::vector<Tick> ticks;
    const float tolerance = std::max(pixel, 1e-6f * std::fabs(length)) * 0.5f;
    const auto inside = [&](float pos) { return pos >= -tolerance && pos <= length + tolerance; };
    if (!(axis.scale > 0) || !std::isfinite(axis.scale)) return ticks;

    if (axis.log) {
        const int first = TruncInt(axis.firstTick);
        const int last = std::min(TruncInt(axis.lastTick), first + kMaxMajorTicks);
        static constexpr bool kOneTwoFive[10] = {false, true, true, false, false, true, false, false, false, false};
        for (int decade = first; decade <= last; ++decade) {
            const float base = static_cast<float>(decade);
            const float pos = (base - axis.low) * axis.scale;
            if (inside(pos)) ticks.push_back({std::pow(10.0f, base), pos, 2, 1});
            if (decade == last) break;
            for (int k = 2; k <= 9; ++k) {
                const bool labelled = axis.logLabels == LogMarks::All ||
                                      (axis.logLabels == LogMarks::OneTwoFive && kOneTwoFive[k]);
                const bool marked = labelled || axis.logMinors == LogMarks::All ||
                                    (axis.logMinors == LogMarks::OneTwoFive && kOneTwoFive[k]);
                const float sub = base + std::log10(static_cast<float>(k));
                const float p = (sub - axis.low) * axis.scale;
                if (marked && inside(p))
                    ticks.push_back({std::pow(10.0f, sub), p, labelled ? 1 : 0, labelled ? k : 0});
                // finer ticks between k-1 and k when they are at least four pixels apart
                const float fine = (std::log10(static_cast<float>(k)) - std::log10(static_cast<float>(k) - 0.1f)) *
                                   axis.scale;
                if (pixel > 0 && fine >= 4 * pixel && axis.logMinors == LogMarks::All) {
                    for (int l = 2; l <= 9; ++l) {
                        const float f = base + std::log10(static_cast<float>(k) - 1 + static_cast<float>(l) / 10);
                        const float fp = (f - axis.low) * axis.scale;
                        if (inside(fp)) ticks.push_back({std::pow(10.0f, f), fp, 0, 0});
                    }
                }
            }
        }
        std::sort(ticks.begin(), ticks.end(), [](const Tick& x, const Tick& y) { return x.position < y.position; });
        return ticks;
    }

    if (!(axis.step > 0) || !std::isfinite(axis.step)) return ticks;
    const float majors = Rnd((axis.lastTick - axis.firstTick) / axis.step);
    if (!std::isfinite(majors) || majors < 0) return ticks;
    const int count = static_cast<int>(std::min(majors, static_cast<float>(kMaxMajorTicks)));
    const int subdivisions = std::clamp(axis.subdivisions, 1, 10);
    for (int i = 0; i <= count; ++i) {
        const float value = axis.firstTick + static_cast<float>(i) * axis.step;
        const float pos = (value - axis.low) * axis.scale;
        if (inside(pos)) ticks.push_back({value, pos, 2, 0});
        if (i == count) break;
        for (int m = 1; m < subdivisions; ++m) {
            const float v = value + axis.step * static_cast<float>(m) / static_cast<float>(subdivisions);
            const float p = (v - axis.low) * axis.scale;
            const int level = axis.medium > 0 && m % axis.medium == 0 ? 1 : 0;
            if (inside(p)) ticks.push_back({v, p, level, 0});
        }
    }
    return ticks;
}

LabelFormat ChooseLabelFormat(float low, float high, std::span<const float> labelValues) {
    LabelFormat format;
    float l = std::fabs(low);
    float h = std::fabs(high);
    const auto ordinary = [](float v) { return v >= 9.99e-4f && v <= 10000.0f; };
    if (!(ordinary(l) && ordinary(h)) && std::isfinite(l) && std::isfinite(h) && (l > 0 || h > 0)) {
        for (int guard = 0; guard < 30 && l < 0.001f && h < 0.001f; ++guard) {
            l *= 1000;
            h *= 1000;
            format.exponent -= 3;
        }
        for (int guard = 0; guard < 30 && (l >= 10000 || h >= 10000); ++guard) {
            l /= 1000;
            h /= 1000;
            format.exponent += 3;
        }
    }
    const double factor = std::pow(10.0, -format.exponent);
    for (float raw : labelValues) {
        const double v = static_cast<double>(raw) * factor;
        if (!std::isfinite(v)) continue;
        int k = 5;
        for (double limit = 1; std::fabs(v) > limit && k > -40; limit *= 10) --k;
        const double tolerance = std::pow(10.0, -(k + 1));
        int d = 0;
        for (; d < 5; ++d) {
            const double p = std::pow(10.0, d);
            const double reduced = std::trunc(v * p + (v < 0 ? -0.5 : 0.5)) / p;
            if (std::fabs(reduced - v) < tolerance) break;
        }
        format.decimals = std::max(format.decimals, d);
    }
    for (float raw : labelValues) {
        format.width = std::max(format.width, static_cast<int>(FormatLabel(raw, format).size()));
    }
    return format;
}

std::string FormatLabel(float value, const LabelFormat& format) {
    const double v = static_cast<double>(value) * std::pow(10.0, -format.exponent);
    if (!std::isfinite(v)) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(format.decimals, 0, 5), v);
    std::string text(buffer);
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1); // no "-0"
    return text;
}

std::vector<bool> KeepXLabels(std::span<const Span> labels, int gap) {
    std::vector<bool> keep(labels.size(), false);
    bool any = false;
    long long lastEnd = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (any && static_cast<long long>(labels[i].start) < lastEnd + gap) continue;
        keep[i] = true;
        any = true;
        lastEnd = labels[i].end;
    }
    return keep;
}

std::vector<bool> KeepYLabels(std::span<const int> baselines, int height, int gap) {
    std::vector<bool> keep(baselines.size(), false);
    bool any = false;
    long long last = 0;
    for (size_t i = 0; i < baselines.size(); ++i) {
        if (any && last - static_cast<long long>(baselines[i]) < static_cast<long long>(height) + gap) continue;
        keep[i] = true;
        any = true;
        last = baselines[i];
    }
    return keep;
}

float AxisToWorld(const AxisScale& axis, float origin, double value) {
    double v = value;
    if (axis.log) v = value > 0 ? std::log10(value) : -100.0;
    return ClampFloat(origin + (v - axis.low) * axis.scale);
}

double WorldToAxis(const AxisScale& axis, float origin, float world) {
    if (!(axis.scale != 0)) return axis.low;
    const double v = axis.low + (static_cast<double>(world) - origin) / axis.scale;
    return axis.log ? std::pow(10.0, v) : v;
}

} // namespace ovanto::chart
