#pragma once

#include "platform/canvas_state.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <algorithm>
#include <cstdint>

namespace ovanto::canvas_detail {

// Beyond this the rasteriser's fixed-point arithmetic is no longer safe, and no
// window is that large anyway.
inline constexpr int kCoordLimit = 1'000'000;
inline constexpr int kMaxPenWidth = 10'000;
inline constexpr int kHatchSize = 8;

inline int clampCoord(int v) {
    return std::clamp(v, -kCoordLimit, kCoordLimit);
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
