#pragma once

#include "platform/canvas_state.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace ovanto::canvas_detail {

// Beyond this the rasteriser's fixed-point arithmetic is no longer safe, and no
// window is that large anyway.
inline constexpr int kCoordLimit = 1'000'000;
inline constexpr int kMaxPenWidth = 10'000;
inline constexpr int kHatchSize = 8;

inline int clampCoord(int v) {
    return std::clamp(v, -kCoordLimit, kCoordLimit);
}

// Pixels left..right of a row in one colour, four to a store: the compiler
// leaves a plain fill loop at one pixel per store.
inline void fillRow(QRgb* row, int left, int right, QRgb rgb) {
    if (left > right) return;
    QRgb* p = row + left;
    const auto n = static_cast<std::size_t>(right - left) + 1;
    const QRgb four[4] = {rgb, rgb, rgb, rgb};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4)
        std::memcpy(p + i, four, sizeof four);
    for (; i < n; ++i)
        p[i] = rgb;
}

inline int floorMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

// A normalised, clamped rectangle with exclusive right and bottom.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
};

inline Box normalisedBox(int left, int top, int right, int bottom) {
    Box box{clampCoord(left), clampCoord(top), clampCoord(right), clampCoord(bottom)};
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    return box;
}

// One row of a rasterised shape: columns left..right inclusive.
struct RowSpan {
    int left;
    int right;
};

// The rows of pixels whose centres lie inside the ellipse inscribed in the box,
// from row max(fromRow, top) to row min(toRow, bottom) - 1.
void ellipseSpans(const Box& box, int fromRow, int toRow, std::vector<RowSpan>& spans);
// The pixels of `outer` (starting at row `top`) whose four neighbours are all
// inside it; `top` moves to the first row of the result.
void innerSpans(const std::vector<RowSpan>& outer, std::vector<RowSpan>& inner, int& top);
// Pixels y, left..right inclusive.
struct PixelRun {
    int y;
    int left;
    int right;
};

// Runs placed at `at`, kept to `bounds`, written in one colour.
inline void fillRunsAt(QImage& image, std::span<const PixelRun> runs, QPoint at, const QRect& bounds, QRgb rgb) {
    uchar* const bits = image.bits();
    const auto stride = static_cast<std::size_t>(image.bytesPerLine());
    for (const PixelRun& r : runs) {
        const int y = at.y() + r.y;
        if (y < bounds.top() || y > bounds.bottom()) continue;
        const int left = std::max(at.x() + r.left, bounds.left());
        const int right = std::min(at.x() + r.right, bounds.right());
        if (left > right) continue;
        fillRow(reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(y) * stride), left, right, rgb);
    }
}

// Vertices further out than this leave the polygon to Qt: its fixed-point
// slopes would overflow.
inline constexpr int kExactPolygonLimit = 16'383;

// Working space of polygonRuns, kept between calls so that filling does not allocate.
struct PolygonScratch {
    struct Edge {
        int first;     // first and last row it crosses
        int last;
        std::int64_t x; // 16.16 fixed point, pixel boundary at the first row
        std::int64_t slope;
    };
    std::vector<Edge> edges;
    std::vector<int> starting;
    std::vector<int> following;
    std::vector<int> active;
    std::vector<int> crossings;
};

// Appends the runs of the polygon filled with the odd-even rule, exactly the
// pixels Qt's aliased rasteriser sets, limited to the area; false (and nothing
// appended) when a vertex lies beyond kExactPolygonLimit.
bool polygonRuns(std::span<const QPoint> points, const QRect& area, PolygonScratch& scratch,
                 std::vector<PixelRun>& runs);

// A pen-only shape relative to its integer origin: the pixels Qt draws for it
// move with the origin, so they are learnt once and stamped after that.
struct StampKey {
    // A rounded rectangle's fill and outline are learnt apart: the fill takes the brush.
    enum class Kind { Line, Arc, RoundRectFill, RoundRectOutline };
    Kind kind;
    // The pen width; 0 for a rounded rectangle without an outline.
    int width;
    // Line: the end minus the start. Arc: box width and height, start and span in
    // 1/16 degree. Rounded rectangle: box width and height, corner ellipse width and height.
    int a;
    int b;
    int c = 0;
    int d = 0;

    friend bool operator==(const StampKey&, const StampKey&) = default;
};

// Stamps are learnt only for shapes up to this size.
inline constexpr int kStampExtent = 2048;
inline constexpr int kStampPenWidth = 64;

// The pixels of the shape with its origin at (0, 0), as Qt draws it with the canvas's pen.
std::vector<PixelRun> learnStamp(const StampKey& key);

// What QPainter is given for a rounded rectangle in the box: with a pen the
// curve runs inside the box, shrunk by half the pen width (penWidth 0: no pen).
struct RoundedRectPath {
    QRectF rect;
    double rx;
    double ry;
};
// The rectangle a curve in the box is given to QPainter as (penWidth 0: no pen).
QRectF outlinedRect(const Box& box, int penWidth);
RoundedRectPath roundedRectPath(const Box& box, int penWidth, int ellipseWidth, int ellipseHeight);

inline bool isHatch(BrushStyle style) {
    return style != BrushStyle::Solid && style != BrushStyle::Clear && style != BrushStyle::Pattern;
}

// The hatch lines of an 8 x 8 cell; every line passes through the cell's pixel (0, 0).
bool hatchBit(BrushStyle style, int x, int y);
// The hatch in the given colour on a transparent cell.
QImage hatchImage(BrushStyle style, TColor color);

// Answers what the brush puts on a device pixel, for the operations that work
// on the pixels themselves.
class BrushSampler {
public:
    BrushSampler(const CanvasBrush& brush, QPoint origin);

    bool isClear() const { return m_clear; }
    // False where the brush leaves the pixel alone (clear brush, hatch gap).
    bool colorAt(int x, int y, QRgb& rgb) const {
        if (m_clear) return false;
        if (m_style == BrushStyle::Solid) {
            rgb = m_rgb;
            return true;
        }
        if (m_style == BrushStyle::Pattern) {
            const int px = floorMod(x - m_originX, m_pattern.width());
            const int py = floorMod(y - m_originY, m_pattern.height());
            rgb = reinterpret_cast<const QRgb*>(m_pattern.constScanLine(py))[px];
            return true;
        }
        if (!hatchBit(m_style, floorMod(x - m_originX, kHatchSize), floorMod(y - m_originY, kHatchSize)))
            return false;
        rgb = m_rgb;
        return true;
    }

private:
    BrushStyle m_style;
    bool m_clear = false;
    QRgb m_rgb = 0;
    QImage m_pattern;
    int m_originX = 0;
    int m_originY = 0;
};

} // namespace ovanto::canvas_detail
