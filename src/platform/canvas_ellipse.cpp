// Ellipses are rasterised here as exact rows of pixels (pixel centres inside the
// inscribed ellipse), painted as row rectangles; arcs and rounded rectangles are
// stamped from the pixels QPainter drew for them once; chords and pies go
// through QPainter's curves.
#include "platform/canvas.h"

#include "platform/canvas_painter_p.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>

namespace ovanto {

using namespace canvas_detail;

namespace {

// Angle of the ray from the box centre through (x, y), as the parameter of the
// ellipse point on that ray (QPainter measures arcs by that parameter). The
// box lies at (0, 0); the point is relative to it.
double rayAngle(int width, int height, long long x, long long y) {
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double angle =
        std::atan2(-(static_cast<double>(y) - cy) / height, (static_cast<double>(x) - cx) / width);
    return angle * 180.0 / std::numbers::pi;
}

// The pixels an arc of the box's ellipse can set, from `start` over `span`
// degrees of the parameter: its ends and the axis points it passes, and a margin.
QRect arcReach(int width, int height, double start, double span) {
    const double a = (width - 1) / 2.0, b = (height - 1) / 2.0;
    const double cx = 0.5 + a, cy = 0.5 + b;
    double minX = cx, maxX = cx, minY = cy, maxY = cy;
    bool first = true;
    const auto add = [&](double degrees) {
        const double t = degrees * std::numbers::pi / 180.0;
        const double x = cx + a * std::cos(t), y = cy - b * std::sin(t);
        minX = first ? x : std::min(minX, x), maxX = first ? x : std::max(maxX, x);
        minY = first ? y : std::min(minY, y), maxY = first ? y : std::max(maxY, y);
        first = false;
    };
    add(start);
    add(start + span);
    for (double k = std::ceil(start / 90.0); k * 90.0 < start + span; ++k) add(k * 90.0);
    constexpr int kMargin = 2;
    const int left = static_cast<int>(std::floor(minX)) - kMargin, top = static_cast<int>(std::floor(minY)) - kMargin;
    return QRect(QPoint(left, top),
                 QPoint(static_cast<int>(std::ceil(maxX)) + kMargin, static_cast<int>(std::ceil(maxY)) + kMargin));
}

// An arc's angles in 1/16 degree as QPainter takes them, and its reach relative to its box.
struct ArcSweep {
    int start16;
    int span16;
    QRect reach;
};

struct SweepKey {
    int width, height;
    long long x3, y3, x4, y4; // relative to the box
    friend bool operator==(const SweepKey&, const SweepKey&) = default;
};

struct SweepHash {
    std::size_t operator()(const SweepKey& k) const {
        std::size_t h = std::hash<int>{}(k.width) * 1000003u ^ std::hash<int>{}(k.height);
        for (const long long v : {k.x3, k.y3, k.x4, k.y4})
            h = h * 1000003u ^ std::hash<long long>{}(v);
        return h;
    }
};

ArcSweep makeSweep(const SweepKey& k) {
    const double start = rayAngle(k.width, k.height, k.x3, k.y3);
    double span = rayAngle(k.width, k.height, k.x4, k.y4) - start;
    while (span <= 0.0)
        span += 360.0;
    // Equal rays give a span of exactly 360; a sliver stays a sliver when rounded.
    const int start16 = static_cast<int>(std::lround(start * 16.0));
    const int span16 = std::clamp(static_cast<int>(std::lround(span * 16.0)), 1, 360 * 16);
    return {start16, span16, arcReach(k.width, k.height, start16 / 16.0, span16 / 16.0)};
}

// A picture draws the same few arcs at many places: the trigonometry is done once per shape.
const ArcSweep& sweepOf(const Box& box, int x3, int y3, int x4, int y4) {
    thread_local std::unordered_map<SweepKey, ArcSweep, SweepHash> sweeps;
    constexpr std::size_t kMaxSweeps = 1024;
    const SweepKey key{box.width(),
                       box.height(),
                       std::int64_t{x3} - box.left,
                       std::int64_t{y3} - box.top,
                       std::int64_t{x4} - box.left,
                       std::int64_t{y4} - box.top};
    if (const auto found = sweeps.find(key); found != sweeps.end()) return found->second;
    if (sweeps.size() >= kMaxSweeps) sweeps.clear();
    return sweeps.emplace(key, makeSweep(key)).first->second;
}

} // namespace

namespace canvas_detail {

QRectF outlinedRect(const Box& box, int penWidth) {
    if (penWidth == 0) return QRectF(box.left, box.top, box.width(), box.height());
    // A one-pixel curve runs through the centres of the box's outer pixels;
    // wider pens are drawn inside the box, centred on a box inset by half the width.
    if (penWidth == 1) return QRectF(box.left + 0.5, box.top + 0.5, box.width() - 1, box.height() - 1);
    const double insetX = std::min(penWidth, box.width()) / 2.0;
    const double insetY = std::min(penWidth, box.height()) / 2.0;
    return QRectF(box.left + insetX, box.top + insetY, box.width() - 2 * insetX, box.height() - 2 * insetY);
}

RoundedRectPath roundedRectPath(const Box& box, int penWidth, int ellipseWidth, int ellipseHeight) {
    const QRectF rect = outlinedRect(box, penWidth);
    const double shrink = (box.width() - rect.width()) / 2.0;
    return {rect, std::max(0.0, ellipseWidth / 2.0 - shrink), std::max(0.0, ellipseHeight / 2.0 - shrink)};
}

void ellipseSpans(const Box& box, int fromRow, int toRow, std::vector<RowSpan>& spans) {
    spans.clear();
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    // The centre in pixel-index units: a pixel's centre is its index + 0.5.
    const double cx = box.left + a - 0.5;
    const double cy = box.top + b - 0.5;
    // The middle columns run the full height and the middle rows the full width,
    // so that even a very flat ellipse meets all four sides of its box.
    const double least = box.width() % 2 == 0 ? 0.5 : 0.0;
    const int middleTop = box.top + (box.height() - 1) / 2;
    const int middleBottom = box.top + box.height() / 2;
    const int first = std::max(fromRow, box.top);
    for (int y = first; y < std::min(toRow, box.bottom); ++y) {
        // The lower half mirrors the upper one exactly: y - cy only changes its sign.
        const int mirror = box.top + box.bottom - 1 - y;
        if (mirror < y && mirror >= first) {
            const RowSpan same = spans[static_cast<std::size_t>(mirror - first)];
            spans.push_back(same);
            continue;
        }
        const double dy = (y - cy) / b;
        double half = std::max(least, a * std::sqrt(std::max(0.0, 1.0 - dy * dy)));
        if (y == middleTop || y == middleBottom) half = std::max(half, a - 0.5);
        spans.push_back({static_cast<int>(std::ceil(cx - half)), static_cast<int>(std::floor(cx + half))});
    }
}

void innerSpans(const std::vector<RowSpan>& outer, std::vector<RowSpan>& inner, int& top) {
    inner.clear();
    int first = -1;
    for (std::size_t i = 1; i + 1 < outer.size(); ++i) {
        const RowSpan span{std::max({outer[i].left + 1, outer[i - 1].left, outer[i + 1].left}),
                           std::min({outer[i].right - 1, outer[i - 1].right, outer[i + 1].right})};
        if (span.left > span.right) {
            // Rows widen towards the middle and narrow after it: the inside is one block.
            if (first >= 0) break;
            continue;
        }
        if (first < 0) first = static_cast<int>(i);
        inner.push_back(span);
    }
    top += std::max(first, 0);
}

} // namespace canvas_detail

QRectF Canvas::prepareOutlined(const Box& box, bool filled) {
    if (filled && brushVisible())
        useShapeBrush();
    else
        useNoBrush();
    if (!penVisible()) {
        useNoPen();
        return outlinedRect(box, 0);
    }
    useShapePen();
    return outlinedRect(box, penWidth());
}

void Canvas::roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty() || (!penVisible() && !brushVisible())) return;
    useShapeMode();
    if (fillTinyOutlined(box)) return;
    const int ew = std::clamp(ellipseWidth, 0, box.width()), eh = std::clamp(ellipseHeight, 0, box.height());
    if (stampRoundRect(box, ew, eh)) return;
    prepareOutlined(box, true);
    const RoundedRectPath path = roundedRectPath(box, penVisible() ? penWidth() : 0, ew, eh);
    m_paint->painter->drawRoundedRect(path.rect, path.rx, path.ry);
}

bool Canvas::fillTinyOutlined(const Box& box) {
    // Two pixels or less across, the outline is the whole shape; the curve
    // rasteriser would put it a pixel off.
    if (!penVisible() || (box.width() > 2 && box.height() > 2)) return false;
    fillSolid(QRect(box.left, box.top, box.width(), box.height()), m_state.pen.color);
    return true;
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty() || (!penVisible() && !brushVisible())) return;
    useShapeMode();
    if (fillTinyOutlined(box)) return;
    // Only the rows that can show, and one more on each side for the outline's neighbours.
    const int fromRow = std::max(box.top, m_visibleTop - 1);
    const int toRow = std::min(box.bottom, m_visibleBottom + 1);
    if (fromRow >= toRow) return;
    std::vector<RowSpan>& outer = m_paint->outerSpans;
    ellipseSpans(box, fromRow, toRow, outer);
    if (!penVisible()) {
        fillSpans(fromRow, outer);
        return;
    }
    const int w = penWidth();
    if (w == 1 && m_state.pen.style != PenStyle::Solid) {
        fillSpans(fromRow, outer);
        useShapePen();
        useNoBrush();
        m_paint->painter->drawEllipse(QRectF(box.left + 0.5, box.top + 0.5, box.width() - 1, box.height() - 1));
        return;
    }
    // The outline is the ring between the ellipse and its inside: the pixels
    // with a neighbour outside for a one-pixel pen, the ellipse of a box inset
    // by the width for wider ones. Ring and inside never overlap (XOR stays exact).
    std::vector<RowSpan>& inner = m_paint->innerSpans;
    int innerTop = fromRow;
    if (w == 1) {
        innerSpans(outer, inner, innerTop);
    } else {
        const Box inset{box.left + w, box.top + w, box.right - w, box.bottom - w};
        inner.clear();
        if (!inset.isEmpty()) ellipseSpans(inset, fromRow, toRow, inner);
        innerTop = std::max(fromRow, inset.top);
    }
    fillSpans(innerTop, inner);
    // The ring: per row what lies left and right of the inside, as runs
    // straight away when they go into the image.
    const bool direct = writesPixels();
    const QRect bounds = direct ? pixelBounds() : QRect();
    std::vector<PixelRun>& runs = m_paint->runs;
    std::vector<QRect>& rects = m_paint->rects;
    runs.clear();
    rects.clear();
    const auto ring = [&](int y, int from, int to) {
        if (!direct) {
            rects.emplace_back(from, y, to - from + 1, 1);
            return;
        }
        if (y < bounds.top() || y > bounds.bottom()) return;
        from = std::max(from, bounds.left());
        to = std::min(to, bounds.right());
        if (from <= to) runs.push_back({y, from, to});
    };
    for (std::size_t i = 0; i < outer.size(); ++i) {
        const int y = fromRow + static_cast<int>(i);
        const RowSpan& o = outer[i];
        const int k = y - innerTop;
        if (k < 0 || k >= static_cast<int>(inner.size())) {
            ring(y, o.left, o.right);
            continue;
        }
        const RowSpan& in = inner[static_cast<std::size_t>(k)];
        if (in.left > o.left) ring(y, o.left, in.left - 1);
        if (in.right < o.right) ring(y, in.right + 1, o.right);
    }
    if (direct) {
        writeRuns(runs, true);
        return;
    }
    useNoPen();
    useColorBrush(m_state.pen.color);
    m_paint->painter->drawRects(rects.data(), static_cast<int>(rects.size()));
}

// Row rectangles: QPainter fills them as fast as its own ellipse, and exactly.
void Canvas::fillSpans(int top, const std::vector<RowSpan>& spans) {
    if (spans.empty() || !brushVisible()) return;
    if (writesPixels()) {
        const QRect bounds = pixelBounds();
        std::vector<PixelRun>& runs = m_paint->runs;
        runs.clear();
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const int y = top + static_cast<int>(i);
            if (y < bounds.top() || y > bounds.bottom()) continue;
            const int left = std::max(spans[i].left, bounds.left()), right = std::min(spans[i].right, bounds.right());
            if (left <= right) runs.push_back({y, left, right});
        }
        writeRuns(runs, false);
        return;
    }
    std::vector<QRect>& rects = m_paint->rects;
    rects.clear();
    for (std::size_t i = 0; i < spans.size(); ++i)
        rects.emplace_back(spans[i].left, top + static_cast<int>(i), spans[i].right - spans[i].left + 1, 1);
    useNoPen();
    useShapeBrush();
    if (m_paint->brushPaints) m_paint->painter->drawRects(rects.data(), static_cast<int>(rects.size()));
}

void Canvas::ellipticShape(EllipticShape shape, int left, int top, int right, int bottom, int x3, int y3,
                           int x4, int y4) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty()) return;
    const bool filled = shape != EllipticShape::Arc;
    if (!penVisible() && !(filled && brushVisible())) return;
    const ArcSweep& sweep = sweepOf(box, x3, y3, x4, y4);
    const int start16 = sweep.start16, span16 = sweep.span16;
    useShapeMode();
    if (filled && fillTinyOutlined(box)) return;
    if (!filled && stampPenShape({StampKey::Kind::Arc, penWidth(), box.width(), box.height(), start16, span16},
                                 QPoint(box.left, box.top), sweep.reach.translated(box.left, box.top)))
        return;
    const QRectF rect = prepareOutlined(box, filled);
    switch (shape) {
    case EllipticShape::Arc:
        m_paint->painter->drawArc(rect, start16, span16);
        break;
    case EllipticShape::Chord:
        m_paint->painter->drawChord(rect, start16, span16);
        break;
    case EllipticShape::Pie:
        m_paint->painter->drawPie(rect, start16, span16);
        break;
    }
}

void Canvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    ellipticShape(EllipticShape::Arc, left, top, right, bottom, x3, y3, x4, y4);
}

void Canvas::chord(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    ellipticShape(EllipticShape::Chord, left, top, right, bottom, x3, y3, x4, y4);
}

void Canvas::pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    ellipticShape(EllipticShape::Pie, left, top, right, bottom, x3, y3, x4, y4);
}

} // namespace ovanto
