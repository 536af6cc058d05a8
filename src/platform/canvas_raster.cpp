// Filled polygons rasterised here, pixel for pixel as Qt's aliased scan
// converter does it, and written straight into the image's rows.
#include "platform/canvas.h"

#include "platform/canvas_painter_p.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace ovanto {

using namespace canvas_detail;

namespace {

// An upright rectangle needs no edge walk: its vertical edges cross every row
// at their own column, so the rows left..right - 1 of top..bottom - 1 are filled.
bool rectangleRuns(std::span<const QPoint> p, const QRect& area, std::vector<PixelRun>& runs) {
    if (p.size() != 4) return false;
    const bool across = p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y() && p[3].x() == p[0].x();
    const bool down = p[0].x() == p[1].x() && p[1].y() == p[2].y() && p[2].x() == p[3].x() && p[3].y() == p[0].y();
    if (!across && !down) return false;
    const auto [minX, maxX] = std::minmax({p[0].x(), p[2].x()});
    const auto [minY, maxY] = std::minmax({p[0].y(), p[2].y()});
    const int left = std::max(minX, area.left()), right = std::min(maxX - 1, area.right());
    if (left > right) return true;
    const int last = std::min(maxY - 1, area.bottom());
    for (int y = std::max(minY, area.top()); y <= last; ++y) runs.push_back({y, left, right});
    return true;
}

} // namespace

namespace canvas_detail {

bool polygonRuns(std::span<const QPoint> points, const QRect& area, PolygonScratch& scratch,
                 std::vector<PixelRun>& runs) {
    for (const QPoint& p : points) {
        if (std::abs(p.x()) > kExactPolygonLimit || std::abs(p.y()) > kExactPolygonLimit) return false;
    }
    if (points.size() < 2 || area.isEmpty()) return true;
    if (rectangleRuns(points, area, runs)) return true;
    std::vector<PolygonScratch::Edge>& edges = scratch.edges;
    edges.clear();
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        QPoint a = points[i];
        QPoint b = points[(i + 1) % n];
        if (a.y() == b.y()) continue;
        if (a.y() > b.y()) std::swap(a, b);
        // Rows are sampled through their centres; the crossing is kept in 16.16
        // with half a pixel added, so its integer part is the first pixel right of it.
        const int first = std::max(a.y(), area.top());
        const int last = std::min(b.y() - 1, area.bottom());
        if (first > last) continue;
        std::int64_t slope = 0;
        if (b.y() - a.y() == 1) {
            // A one-row edge (curves are made of them): the quotient is exact.
            slope = std::int64_t{b.x() - a.x()} * 65536;
        } else if (a.x() != b.x()) {
            // Qt's own arithmetic: the slope in double, truncated to 16.16.
            const double exact = (b.x() - a.x()) / static_cast<double>(b.y() - a.y());
            slope = static_cast<std::int64_t>(exact * 65536.0);
        }
        // Offset from the vertex to the first row's centre, floored like Qt's multiply.
        const std::int64_t offset = std::int64_t{first - a.y()} * 65536 + 32768;
        const std::int64_t x = 32768 + std::int64_t{a.x()} * 65536 + ((slope * offset) >> 16);
        edges.push_back({first, last, x, slope});
    }
    if (edges.empty()) return true;
    // Edges bucketed by their first row: no sort, one pass.
    int top = edges.front().first, bottom = edges.front().last;
    for (const auto& e : edges) {
        top = std::min(top, e.first);
        bottom = std::max(bottom, e.last);
    }
    std::vector<int>& starting = scratch.starting;
    starting.assign(static_cast<std::size_t>(bottom - top + 1), -1);
    std::vector<int>& following = scratch.following;
    following.resize(edges.size());
    for (std::size_t i = edges.size(); i-- > 0;) {
        int& head = starting[static_cast<std::size_t>(edges[i].first - top)];
        following[i] = head;
        head = static_cast<int>(i);
    }
    std::vector<int>& active = scratch.active;
    std::vector<int>& crossings = scratch.crossings;
    active.clear();
    for (int y = top; y <= bottom; ++y) {
        for (int i = starting[static_cast<std::size_t>(y - top)]; i >= 0; i = following[static_cast<std::size_t>(i)])
            active.push_back(i);
        crossings.clear();
        std::size_t kept = 0;
        for (const int i : active) {
            const auto& e = edges[static_cast<std::size_t>(i)];
            if (e.last < y) continue;
            active[kept++] = i;
            const int x = static_cast<int>((e.x + e.slope * (y - e.first)) >> 16);
            // Insertion: a row crosses only a few edges.
            crossings.push_back(x);
            for (std::size_t k = crossings.size() - 1; k > 0 && crossings[k - 1] > x; --k)
                std::swap(crossings[k - 1], crossings[k]);
        }
        active.resize(kept);
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const int left = std::max(crossings[k], area.left());
            const int right = std::min(crossings[k + 1] - 1, area.right());
            if (left <= right) runs.push_back({y, left, right});
        }
    }
    return true;
}

std::vector<PixelRun> learnStamp(const StampKey& key) {
    const bool line = key.kind == StampKey::Kind::Line;
    const int pad = key.width + 4;
    const int spanX = line ? std::abs(key.a) : key.a;
    const int spanY = line ? std::abs(key.b) : key.b;
    const QPoint origin(pad + (line ? std::max(0, -key.a) : 0), pad + (line ? std::max(0, -key.b) : 0));
    QImage scratch(spanX + 2 * pad + 1, spanY + 2 * pad + 1, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(0);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // The pens of Canvas::useShapePen for a solid line.
        QPen pen(Qt::black, key.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (key.width == 1) {
            pen = QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            pen.setCosmetic(true);
        }
        painter.setPen(pen);
        const double x = origin.x();
        const double y = origin.y();
        const Box box{origin.x(), origin.y(), origin.x() + key.a, origin.y() + key.b};
        switch (key.kind) {
        case StampKey::Kind::Line: {
            const double at = key.width % 2 ? 0.5 : 0.0;
            painter.drawLine(QPointF(x + at, y + at), QPointF(x + key.a + at, y + key.b + at));
            break;
        }
        case StampKey::Kind::Arc:
            painter.drawArc(outlinedRect(box, key.width), key.c, key.d);
            break;
        case StampKey::Kind::RoundRectFill:
        case StampKey::Kind::RoundRectOutline: {
            if (key.kind == StampKey::Kind::RoundRectFill) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Qt::black);
            }
            const RoundedRectPath path = roundedRectPath(box, key.width, key.c, key.d);
            painter.drawRoundedRect(path.rect, path.rx, path.ry);
            break;
        }
        }
    }
    std::vector<PixelRun> runs;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (qAlpha(row[x]) == 0) continue;
            const int from = x;
            while (x + 1 < scratch.width() && qAlpha(row[x + 1]) != 0)
                ++x;
            runs.push_back({y - origin.y(), from - origin.x(), x - origin.x()});
        }
    }
    return runs;
}

} // namespace canvas_detail

namespace {

struct StampHash {
    std::size_t operator()(const StampKey& k) const {
        std::size_t h = static_cast<std::size_t>(k.kind);
        for (const int v : {k.width, k.a, k.b, k.c, k.d})
            h = h * 1000003u ^ std::hash<int>{}(v);
        return h;
    }
};

// Shared by all canvases of the thread; a window draws the same few shapes every paint.
const std::vector<PixelRun>& stampOf(const StampKey& key) {
    thread_local std::unordered_map<StampKey, std::vector<PixelRun>, StampHash> stamps;
    constexpr std::size_t kMaxStamps = 1024;
    if (const auto found = stamps.find(key); found != stamps.end()) return found->second;
    if (stamps.size() >= kMaxStamps) stamps.clear();
    return stamps.emplace(key, learnStamp(key)).first->second;
}

} // namespace

namespace {

// Every pixel a stamp can set once placed at origin.
QRect stampExtent(const StampKey& key, QPoint origin) {
    const QRect shape = key.kind == StampKey::Kind::Line ? QRect(origin, origin + QPoint(key.a, key.b)).normalized()
                                                         : QRect(origin.x(), origin.y(), key.a, key.b);
    const int reach = key.width + 1;
    return shape.adjusted(-reach, -reach, reach, reach);
}

} // namespace

bool Canvas::stampPenShape(const StampKey& key, QPoint origin, const QRect& reach) {
    if (!stampFits(key, origin, reach)) return false;
    // An arc flattened to a line or a point is left to Qt.
    if (key.kind == StampKey::Kind::Arc && (key.a <= key.width || key.b <= key.width)) return false;
    // Outside the clip (a partial repaint elsewhere) there is nothing to look up.
    if (!pixelBounds().intersects(stampExtent(key, origin))) return true;
    fillRunsAt(*m_image, stampOf(key), origin, pixelBounds(), toQRgb(m_state.pen.color));
    return true;
}

bool Canvas::stampRoundRect(const Box& box, int ellipseWidth, int ellipseHeight) {
    const int pen = penVisible() ? penWidth() : 0;
    const QPoint origin(box.left, box.top);
    const StampKey outline{StampKey::Kind::RoundRectOutline, pen, box.width(), box.height(), ellipseWidth,
                           ellipseHeight};
    if (!stampFits(outline, origin)) return false;
    if (!pixelBounds().intersects(stampExtent(outline, origin))) return true;
    if (brushVisible()) {
        StampKey fill = outline;
        fill.kind = StampKey::Kind::RoundRectFill;
        const QRect bounds = pixelBounds();
        std::vector<PixelRun>& runs = m_paint->runs;
        runs.clear();
        for (const PixelRun& r : stampOf(fill)) {
            const int y = origin.y() + r.y;
            const int left = std::max(origin.x() + r.left, bounds.left());
            const int right = std::min(origin.x() + r.right, bounds.right());
            if (y >= bounds.top() && y <= bounds.bottom() && left <= right) runs.push_back({y, left, right});
        }
        writeRuns(runs, false);
    }
    if (pen > 0) fillRunsAt(*m_image, stampOf(outline), origin, pixelBounds(), toQRgb(m_state.pen.color));
    return true;
}

bool Canvas::stampFits(const StampKey& key, QPoint origin, const QRect& reach) const {
    if (!writesPixels() || key.width > kStampPenWidth) return false;
    if (key.width == 1 && m_state.pen.style != PenStyle::Solid) return false;
    if (std::abs(key.a) > kStampExtent || std::abs(key.b) > kStampExtent) return false;
    // Qt cuts a one-pixel curve at the image's edges before it steps along it,
    // which moves pixels near the cut; a clip inside the image moves none.
    if (key.width == 1 && !m_image->rect().contains(reach.isNull() ? QRect(origin.x(), origin.y(), key.a, key.b) : reach))
        return false;
    // Far-off shapes go to Qt, which may cut them before stroking.
    const int farthest = kStampExtent + kStampPenWidth;
    return std::abs(origin.x()) <= farthest && std::abs(origin.y()) <= farthest;
}

bool Canvas::writesPixels() const {
    return m_image != nullptr && m_paint->exactPixels && m_paint->mode == QPainter::CompositionMode_SourceOver;
}

bool Canvas::fillPolygonPixels() {
    if (!writesPixels() || m_state.brush.style == BrushStyle::Clear) return false;
    std::vector<PixelRun>& runs = m_paint->runs;
    runs.clear();
    if (!polygonRuns(m_paint->points, pixelBounds(), m_paint->polygon, runs)) return false;
    writeRuns(runs, false);
    return true;
}

void Canvas::writeRuns(const std::vector<PixelRun>& runs, bool pen) {
    uchar* const bits = m_image->bits();
    const auto stride = static_cast<std::size_t>(m_image->bytesPerLine());
    auto row = [&](int y) { return reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(y) * stride); };
    if (pen || m_state.brush.style == BrushStyle::Solid) {
        const QRgb rgb = toQRgb(pen ? m_state.pen.color : m_state.brush.color);
        for (const PixelRun& r : runs)
            fillRow(row(r.y), r.left, r.right, rgb);
        return;
    }
    const CanvasBrush& brush = m_state.brush;
    if (brush.style != BrushStyle::Pattern) {
        // A hatch row is a bit mask of the eight columns; only the set columns
        // are visited, eight pixels apart.
        std::array<unsigned, kHatchSize> masks{};
        for (int y = 0; y < kHatchSize; ++y)
            for (int x = 0; x < kHatchSize; ++x)
                if (hatchBit(brush.style, x, y)) masks[static_cast<std::size_t>(y)] |= 1u << x;
        const QRgb hatchRgb = toQRgb(brush.color);
        const int originX = floorMod(m_state.brushOrigin.x(), kHatchSize);
        const int originY = floorMod(m_state.brushOrigin.y(), kHatchSize);
        for (const PixelRun& r : runs) {
            const unsigned mask = masks[static_cast<std::size_t>(floorMod(r.y - originY, kHatchSize))];
            if (mask == 0) continue;
            QRgb* line = row(r.y);
            if (mask == (1u << kHatchSize) - 1) {
                fillRow(line, r.left, r.right, hatchRgb);
                continue;
            }
            for (int c = 0; c < kHatchSize; ++c) {
                if ((mask & (1u << c)) == 0) continue;
                for (int x = r.left + floorMod(c + originX - r.left, kHatchSize); x <= r.right; x += kHatchSize)
                    line[x] = hatchRgb;
            }
        }
        return;
    }
    // The pattern tile walked along each run, as Qt's texture fill walks it.
    const QImage tile = brush.pattern.convertToFormat(QImage::Format_RGB32);
    if (tile.isNull()) return;
    const int tileWidth = tile.width(), tileHeight = tile.height();
    const int originX = floorMod(m_state.brushOrigin.x(), tileWidth);
    const int originY = floorMod(m_state.brushOrigin.y(), tileHeight);
    for (const PixelRun& r : runs) {
        QRgb* line = row(r.y);
        const auto* source = reinterpret_cast<const QRgb*>(tile.constScanLine(floorMod(r.y - originY, tileHeight)));
        int at = floorMod(r.left - originX, tileWidth);
        // A run is whole tiles after its first piece: once one whole tile lies
        // in the row, the row is its own source, in copies that double.
        int tileStart = -1;
        for (int x = r.left; x <= r.right;) {
            if (tileStart >= 0) {
                const int n = std::min(x - tileStart, r.right - x + 1);
                std::memcpy(line + x, line + tileStart, static_cast<std::size_t>(n) * sizeof(QRgb));
                x += n;
                continue;
            }
            const int n = std::min(tileWidth - at, r.right - x + 1);
            std::transform(source + at, source + at + n, line + x, [](QRgb c) { return c | 0xFF000000u; });
            if (at == 0) tileStart = x;
            x += n;
            at = 0;
        }
    }
}

} // namespace ovanto
