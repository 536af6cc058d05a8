// The operations that work on the image's pixels directly: single pixels,
// flood fill, pattern invert and the XOR focus rectangle.
#include "platform/canvas.h"

#include "platform/canvas_p.h"
#include "platform/canvas_painter_p.h"

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace ovanto {

using namespace canvas_detail;

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFFu;

QRgb* pixelRow(QImage* image, int y) {
    return reinterpret_cast<QRgb*>(image->scanLine(y));
}
const QRgb* constPixelRow(const QImage* image, int y) {
    return reinterpret_cast<const QRgb*>(image->constScanLine(y));
}

void floodSolid(QImage* image, const QRect& bounds, int x, int y, QRgb key, QRgb rgb) {
    // One pass: each span is painted when it is found, and the rows above and
    // below are searched for the spans it touches. A pixel is a seed at most
    // twice (from above and from below), so the stack stays bounded.
    const int left = bounds.left();
    const int right = bounds.right();
    uchar* const bits = image->bits();
    const auto stride = static_cast<std::size_t>(image->bytesPerLine());
    auto row = [&](int py) { return reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(py) * stride); };
    auto belongs = [key](QRgb p) { return (p & kRgbMask) == key; };
    // A seed remembers the span it was found from: that span is painted, so the
    // search of its row may skip it.
    struct Seed {
        int x, y, fromY, fromLeft, fromRight;
    };
    std::vector<Seed> seeds{{x, y, y, x, x - 1}};
    while (!seeds.empty()) {
        const Seed seed = seeds.back();
        seeds.pop_back();
        QRgb* line = row(seed.y);
        if (!belongs(line[seed.x])) continue;
        int xl = seed.x;
        int xr = seed.x;
        while (xl > left && belongs(line[xl - 1]))
            --xl;
        while (xr < right && belongs(line[xr + 1]))
            ++xr;
        fillRow(line, xl, xr, rgb);
        for (const int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < bounds.top() || ny > bounds.bottom()) continue;
            const QRgb* next = row(ny);
            for (int px = xl; px <= xr; ++px) {
                if (ny == seed.fromY && px >= seed.fromLeft && px <= seed.fromRight) {
                    px = seed.fromRight;
                    continue;
                }
                if (!belongs(next[px])) continue;
                seeds.push_back({px, ny, seed.y, xl, xr});
                while (px < xr && belongs(next[px + 1]))
                    ++px;
            }
        }
    }
}

} // namespace

namespace canvas_detail {

bool hatchBit(BrushStyle style, int x, int y) {
    switch (style) {
    case BrushStyle::Horizontal:
        return y == 0;
    case BrushStyle::Vertical:
        return x == 0;
    case BrushStyle::FDiagonal:
        return x == y;
    case BrushStyle::BDiagonal:
        return (x + y) % kHatchSize == 0;
    case BrushStyle::Cross:
        return x == 0 || y == 0;
    case BrushStyle::DiagCross:
        return x == y || (x + y) % kHatchSize == 0;
    case BrushStyle::Solid:
        return true;
    case BrushStyle::Clear:
    case BrushStyle::Pattern:
        break;
    }
    return false;
}

QImage hatchImage(BrushStyle style, TColor color) {
    QImage cell(kHatchSize, kHatchSize, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::transparent);
    const QRgb rgb = toQRgb(color);
    for (int y = 0; y < kHatchSize; ++y) {
        QRgb* row = pixelRow(&cell, y);
        for (int x = 0; x < kHatchSize; ++x) {
            if (hatchBit(style, x, y)) row[x] = rgb;
        }
    }
    return cell;
}

BrushSampler::BrushSampler(const CanvasBrush& brush, QPoint origin)
    : m_style(brush.style), m_rgb(toQRgb(brush.color)) {
    int tileWidth = kHatchSize;
    int tileHeight = kHatchSize;
    if (m_style == BrushStyle::Pattern) {
        m_pattern = brush.pattern.convertToFormat(QImage::Format_RGB32);
        m_clear = m_pattern.isNull();
        tileWidth = std::max(1, m_pattern.width());
        tileHeight = std::max(1, m_pattern.height());
    } else {
        m_clear = m_style == BrushStyle::Clear;
    }
    // Reduced to one tile so that x - origin cannot overflow.
    m_originX = floorMod(origin.x(), tileWidth);
    m_originY = floorMod(origin.y(), tileHeight);
}

} // namespace canvas_detail

QRect Canvas::pixelBounds() const {
    if (m_image == nullptr) return {};
    return m_paint->pixelBounds;
}

TColor Canvas::pixel(int x, int y) const {
    if (!pixelBounds().contains(x, y)) return kInvalidColor;
    return fromQRgb(constPixelRow(m_image, y)[x]);
}

void Canvas::setPixel(int x, int y, TColor color) {
    if (!pixelBounds().contains(x, y)) return;
    pixelRow(m_image, y)[x] = toQRgb(color);
}

void Canvas::floodFill(int x, int y, TColor color, FloodFillMode mode) {
    const QRect bounds = pixelBounds();
    if (!bounds.contains(x, y)) return;
    const BrushSampler brush(m_state.brush, m_state.brushOrigin);
    if (brush.isClear()) return;
    const QRgb key = toQRgb(color) & kRgbMask;
    const bool surface = mode == FloodFillMode::Surface;
    auto belongs = [key, surface](QRgb p) { return ((p & kRgbMask) == key) == surface; };
    if (!belongs(constPixelRow(m_image, y)[x])) return;
    QRgb solid = 0;
    if (surface && m_state.brush.style == BrushStyle::Solid && brush.colorAt(x, y, solid)) {
        // The region has the brush's colour already: nothing would change.
        if ((solid & kRgbMask) == key) return;
        // A painted pixel leaves the region, so the pixels themselves say what is done.
        floodSolid(m_image, bounds, x, y, key, solid | 0xFF000000u);
        return;
    }
    // The region is marked first and painted afterwards: a brush that keeps the
    // region's colour (hatch gaps, a pattern, a border fill) must not make the
    // fill run forever. The marks live in a buffer kept with the canvas; only the
    // runs found are cleared again, so a small region costs little on a large picture.
    const int left = bounds.left();
    const int right = bounds.right();
    const auto width = static_cast<std::size_t>(bounds.width());
    std::vector<std::uint8_t>& marked = m_fillMarks;
    const std::size_t cells = width * static_cast<std::size_t>(bounds.height());
    if (marked.size() != cells) marked.assign(cells, 0);
    auto markRow = [&](int py) {
        return marked.data() + static_cast<std::size_t>(py - bounds.top()) * width - static_cast<std::size_t>(left);
    };
    struct Run {
        int y, left, right;
    };
    std::vector<Run> runs;
    std::vector<QPoint> seeds{QPoint(x, y)};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        const int sy = seed.y();
        const QRgb* row = constPixelRow(m_image, sy);
        std::uint8_t* marks = markRow(sy);
        if (marks[seed.x()] || !belongs(row[seed.x()])) continue;
        int xl = seed.x();
        int xr = seed.x();
        while (xl > left && !marks[xl - 1] && belongs(row[xl - 1]))
            --xl;
        while (xr < right && !marks[xr + 1] && belongs(row[xr + 1]))
            ++xr;
        std::fill(marks + xl, marks + xr + 1, std::uint8_t{1});
        runs.push_back({sy, xl, xr});
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < bounds.top() || ny > bounds.bottom()) continue;
            const QRgb* next = constPixelRow(m_image, ny);
            const std::uint8_t* nextMarks = markRow(ny);
            bool inRun = false;
            for (int px = xl; px <= xr; ++px) {
                const bool open = !nextMarks[px] && belongs(next[px]);
                if (open && !inRun) seeds.emplace_back(px, ny);
                inRun = open;
            }
        }
    }

    for (const Run& r : runs) {
        QRgb* row = pixelRow(m_image, r.y);
        for (int px = r.left; px <= r.right; ++px) {
            QRgb rgb = 0;
            if (brush.colorAt(px, r.y, rgb)) row[px] = rgb | 0xFF000000u;
        }
        std::uint8_t* marks = markRow(r.y);
        std::fill(marks + r.left, marks + r.right + 1, std::uint8_t{0});
    }
}


void Canvas::patternInvert(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    const QRect area = pixelBounds() & QRect(box.left, box.top, box.width(), box.height());
    if (area.isEmpty()) return;
    const BrushSampler brush(m_state.brush, m_state.brushOrigin);
    if (brush.isClear()) return;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = pixelRow(m_image, y);
        for (int x = area.left(); x <= area.right(); ++x) {
            QRgb rgb = 0;
            if (brush.colorAt(x, y, rgb)) row[x] ^= rgb & kRgbMask;
        }
    }
}

void Canvas::drawFocusRect(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    const QRect bounds = pixelBounds();
    if (box.isEmpty() || bounds.isEmpty()) return;
    // Dots on the pixels with even x + y: each frame pixel is visited once, so a
    // second call undoes the first exactly.
    auto toggle = [this, &bounds](int x, int y) {
        if (((x + y) & 1) == 0 && bounds.contains(x, y)) pixelRow(m_image, y)[x] ^= kRgbMask;
    };
    const int lastX = box.right - 1;
    const int lastY = box.bottom - 1;
    const int fromX = std::max(box.left, bounds.left());
    const int toX = std::min(lastX, bounds.right());
    for (int x = fromX; x <= toX; ++x) {
        toggle(x, box.top);
        if (lastY != box.top) toggle(x, lastY);
    }
    const int fromY = std::max(box.top + 1, bounds.top());
    const int toY = std::min(lastY - 1, bounds.bottom());
    for (int y = fromY; y <= toY; ++y) {
        toggle(box.left, y);
        if (lastX != box.left) toggle(lastX, y);
    }
}

} // namespace ovanto
