#pragma once

#include "elements/core/tgraph.h"
#include "elements/display/kept_result.h"
#include "elements/core/formula/evaluate.h"
#include "platform/canvas.h"
#include "platform/colors.h"

#include <QString>

#include <cmath>
#include <optional>
#include <vector>

namespace ovanto {

class Canvas;

// Fixed colours of the instruments.
inline constexpr TColor kLightGrey = 12632256;
inline constexpr TColor kDarkGrey = 8421504;
inline constexpr TColor kRed = 255;

// Instruments whose grid shows "Input" in row 3. The record keeps the common
// "LType" field there (always 1) and carries the input as a class field, so
// the grid rows are a permutation of the properties: rows 1..6 with the
// input in row 3, the class rows without the input, and "LType" last.
class TInputRowGraph : public TGraph {
public:
    struct GridDefaults {
        const char* row1; // "RGBBack" or "RGBStroke"
        const char* row2; // "RGBFill"
    };

    TInputRowGraph(ElementContext& window, const ElementSchema& schema, int inputProperty, GridDefaults defaults);

    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) override;
    void GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) override;

    // The property a grid row (1-based) shows.
    int propertyOfRow(int row) const { return m_rows[static_cast<std::size_t>(row - 1)]; }

private:
    std::vector<int> m_rows;
    GridDefaults m_defaults;
};

// Font sizes above 7 use "ARIAL", smaller ones "Small Fonts".
QString InstrumentFontName(int size);
void SetInstrumentFont(Canvas& canvas, int size);

// Text extents for laying out labels, from the canvas while drawing and from
// the same font without a canvas for the bounds.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width(const QString& text) = 0;
    virtual int height() = 0;
};

class CanvasTextMeasure final : public TextMeasure {
public:
    explicit CanvasTextMeasure(Canvas& canvas) : m_canvas(canvas) {}
    int width(const QString& text) override;
    int height() override;

private:
    Canvas& m_canvas;
};

class FontTextMeasure final : public TextMeasure {
public:
    FontTextMeasure(const QString& name, int size);
    int width(const QString& text) override { return m_metrics.width(text); }
    int height() override { return m_metrics.height(); }

private:
    CanvasFontMetrics m_metrics;
};

// A text placed by its top left corner.
struct PlacedText {
    QString text;
    long long left = 0;
    long long top = 0;
    long long width = 0;
    long long height = 0;
};
void DrawPlacedText(Canvas& canvas, const PlacedText& t);

// The labels of a scale with n marks (n > 1): label k shows MarkValue(k, n,
// low, high) and sits at the position Round(base + k * span / (n - 1)).
struct LabelRun {
    long long n = 0;
    long double low = 0, high = 1;
    long double base = 0, span = 0;

    long long position(long long k) const;
    // The labels whose position lies in [lo, hi], one per position.
    std::vector<long long> indexes(long long lo, long long hi) const;
    // For the bounds, where no picture limits them: the first few thousand
    // positions and the last label.
    std::vector<long long> boundsIndexes() const;
};
// A label's text and its position along the scale.
struct ScaleMark {
    QString text;
    long long position = 0;
};
// The labels a scale shows in a window of positions, or for the bounds.
std::vector<ScaleMark> ScaleMarks(const LabelRun& run, const std::vector<long long>& ks);

// Upright scale: the label's top is y - position; right-aligned at x or starting at x.
std::vector<PlacedText> VerticalLabels(TextMeasure& measure, const std::vector<ScaleMark>& marks, long long y,
                                       long long x, bool rightAligned);
// Lying scale: centred on x + position, top at y.
std::vector<PlacedText> HorizontalLabels(TextMeasure& measure, const std::vector<ScaleMark>& marks, long long x,
                                         long long y);

// The smallest box around everything an element paints.
class Extent {
public:
    void add(long long left, long long top, long long right, long long bottom);
    // Empty texts paint nothing and add nothing.
    void add(const PlacedText& t) {
        if (!t.text.isEmpty()) add(t.left, t.top, t.left + t.width, t.top + t.height);
    }
    // A line drawn with a pen of the given width.
    void addLine(long long x1, long long y1, long long x2, long long y2, int penWidth);
    // Raises when the box leaves the int range.
    Rect rect() const;

private:
    bool m_any = false;
    long long m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
};

// A caption used as a format pattern with the shown value; nothing when the
// pattern does not fit a float.
std::optional<QString> FormatCaption(const QString& pattern, long double value);

// A colour kept as free text and evaluated on use, its formula compiled once per text.
class ColourText {
public:
    TColor value(const QString& text, const SignalTable& table) const;

private:
    mutable PropertyText m_text;
};

// Background with a black outline and a sunken edge, as bars and bar graphs have it.
void DrawSunkenBar(Canvas& canvas, long long x, long long y, long long w, long long h, TColor back);

// A rectangle in the fill colour without outline, one pixel short on the
// right and at the bottom as a pen-less rectangle always was: bars and
// mercury stop inside the bevel and the tube walls. A negative colour fills nothing.
void FillPlain(Canvas& canvas, TColor fill, long long left, long long top, long long right, long long bottom);

// Scale labels in a window of positions (drawing) or for the bounds, kept while
// the run and the window stay: formatting them is most of a scale's work.
// Drawing and bounds alternate at every paint, so each wants its own.
class KeptScaleMarks {
public:
    const std::vector<ScaleMark>& inWindow(const LabelRun& run, long long lo, long long hi);
    const std::vector<ScaleMark>& forBounds(const LabelRun& run);

private:
    struct Key {
        long long n = 0;
        KeyNumber low, high, base, span;
        long long lo = 0, hi = 0;
        bool bounds = false;
        friend bool operator==(const Key&, const Key&) = default;
    };
    KeptResult<Key, std::vector<ScaleMark>> m_kept;
};

// The positions of the marks MarkIndexes finds in a window, with their indexes,
// kept while count, spread and window stay.
struct WindowMarks {
    std::vector<long long> ks;
    std::vector<long long> positions;
};
class KeptMarks {
public:
    const WindowMarks& get(long long count, long double base, long double span, long double divisor, long long lo,
                           long long hi);

private:
    struct Key {
        long long count = 0;
        KeyNumber base, span, divisor;
        long long lo = 0, hi = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    KeptResult<Key, WindowMarks> m_kept;
};

// FormatCaption's last answer, kept while pattern and value stay.
// What an instrument's outline box follows: place, size, ticks, font,
// alignment, range, the value shown and the caption.
struct InstrumentOutlineKey {
    long long x = 0, y = 0, w = 0, h = 0, ticks = 0;
    int fontSize = 0, scaleAlign = 0;
    KeyNumber low, high, value;
    QString caption;
    friend bool operator==(const InstrumentOutlineKey&, const InstrumentOutlineKey&) = default;
};

class KeptCaption {
public:
    const std::optional<QString>& get(const QString& pattern, long double value) {
        return m_kept.get(Key{pattern, {value}}, [&] { return FormatCaption(pattern, value); });
    }

private:
    struct Key {
        QString pattern;
        KeyNumber value;
        friend bool operator==(const Key&, const Key&) = default;
    };
    KeptResult<Key, std::optional<QString>> m_kept;
};

// Int helpers for sums of evaluated coordinates.
int Px(long long value);

} // namespace ovanto
