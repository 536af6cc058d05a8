#pragma once

#include <span>
#include <string>
#include <vector>

namespace ovanto::chart {

// The scale arithmetic of the chart in plain values: no canvas, no Qt.
// Lengths are world units; every count and loop is bounded so that any
// input (NaN, infinities, empty ranges) gives an axis and never hangs.

// Nearest integer, halves to even, in single precision as the chart computes.
float Rnd(float x);
// Int(): truncation toward zero, clamped to the int range.
int TruncInt(double x);

enum class LogMarks { Decades, OneTwoFive, All };

struct AxisScale {
    float low = 0;   // axis ends in axis units (decades on a logarithmic axis)
    float high = 1;
    float step = 1;
    float firstTick = 0;
    float lastTick = 1;
    float dataMin = 0;
    float dataMax = 1;
    float scale = 1; // world units per axis unit
    int subdivisions = 1;
    int medium = 0;  // every this many minor ticks a longer one; 0 none
    bool log = false;
    LogMarks logLabels = LogMarks::Decades;
    LogMarks logMinors = LogMarks::Decades;
    bool timeTable = false;
};

// What the automatic scaling needs to know of the axis and the label font.
struct AxisRoom {
    float length = 1;       // axis length in world units
    float labelUnit = 0.05f; // x: one digit's width; y: the text height (world units)
    float pixel = 0.005f;   // one pixel in world units along the axis
    bool isX = true;
    bool tight = false;
    int maxIntervals = 10;
    int timeMode = 0; // 0 decimal, 1 sexagesimal from 60, 2 degrees from 90
};

// Above this many major ticks an axis is thinned; keeps every loop short.
inline constexpr int kMaxMajorTicks = 200;

// The nice linear axis over a..b.
AxisScale NiceLinearAxis(double a, double b, const AxisRoom& room);
// min..max of the finite values, spread when they (nearly) coincide; 0..1 when there are none.
struct DataRange {
    double min = 0;
    double max = 1;
};
DataRange ValueRange(std::span<const float> values);
DataRange SpreadRange(DataRange range);
// Both ends positive and at least about a decade apart.
bool QualifiesLog(double min, double max);
AxisScale LogAxis(double min, double max, const AxisRoom& room);
// The logarithmic method when asked and the range qualifies, else the linear one.
AxisScale AutoAxis(double min, double max, const AxisRoom& room, bool logarithmic);
// A fixed axis low..high; count <= 0 chooses the interval count from the room.
AxisScale FixedAxis(double low, double high, int count, int subdivisions, const AxisRoom& room);

struct Tick {
    float value = 0;
    float position = 0; // world units from the axis origin
    int level = 0;      // 0 minor, 1 medium, 2 major
    int label = 0;      // logarithmic axes: 0 none, 1 decade, 2..9 the sub-tick digit
};
// The ticks inside the axis in ascending order.
std::vector<Tick> AxisTicks(const AxisScale& axis, float length, float pixel = 0);

struct LabelFormat {
    int exponent = 0; // labels show value * 10^-exponent
    int decimals = 0;
    int width = 0;    // the widest label, for right-aligned columns
};
LabelFormat ChooseLabelFormat(float low, float high, std::span<const float> labelValues);
// The label text of a value under a format (no exponent suffix).
std::string FormatLabel(float value, const LabelFormat& format);

// Which labels are drawn: x labels (start, end in pixels, left to right) need
// `gap` pixels after the previous drawn one; y labels (baselines in pixels,
// bottom to top) need height + gap above the previous drawn baseline.
struct Span {
    int start = 0;
    int end = 0;
};
std::vector<bool> KeepXLabels(std::span<const Span> labels, int gap = 8);
std::vector<bool> KeepYLabels(std::span<const int> baselines, int height, int gap = 8);

// The world position of an axis value and back (logarithmic axes through log10).
float AxisToWorld(const AxisScale& axis, float origin, double value);
double WorldToAxis(const AxisScale& axis, float origin, float world);

} // namespace ovanto::chart
