#include "platform/canvas.h"

#include "platform/canvas_painter_p.h"
#include "platform/picture.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>

#include <cstdint>

#include <cmath>

namespace ovanto {

using namespace canvas_detail;

namespace {

QPainter::CompositionMode compositionOf(PenMode mode) {
    switch (mode) {
    case PenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case PenMode::Not:
        return QPainter::RasterOp_NotDestination;
    case PenMode::Copy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

bool hasPixelAccess(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return !image.isNull();
    default:
        return false;
    }
}

// Cuts a segment to the coordinate limit so that its direction survives;
// false when nothing of it is left.
bool clipSegment(double& x1, double& y1, double& x2, double& y2) {
    const double limit = kCoordLimit;
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + limit, limit - x1, y1 + limit, limit - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double sx = x1;
    const double sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return true;
}

} // namespace

// --- construction -------------------------------------------------------------

Canvas::Canvas(QImage& image) : m_paint(std::make_unique<Painter>()) {
    m_paint->painter = &m_paint->own.emplace(&image);
    init(&image);
}

Canvas::Canvas(QPaintDevice& device) : m_paint(std::make_unique<Painter>()) {
    m_paint->painter = &m_paint->own.emplace(&device);
    init(&device);
}

Canvas::Canvas(QPainter& painter) : m_paint(std::make_unique<Painter>()) {
    m_paint->painter = &painter;
    if (painter.isActive()) painter.save();
    init(painter.device());
}

Canvas::~Canvas() {
    QPainter& painter = *m_paint->painter;
    if (!painter.isActive()) return;
    if (m_paint->own)
        painter.end();
    else
        painter.restore();
}

void Canvas::init(QPaintDevice* device) {
    QPainter& painter = *m_paint->painter;
    m_active = painter.isActive() && device != nullptr;
    if (!m_active) return;
    m_width = device->width();
    m_height = device->height();
    if (device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        if (hasPixelAccess(*image)) m_image = image;
    }
    const QPaintEngine* engine = painter.paintEngine();
    m_paint->rasterOps = engine != nullptr && engine->hasFeature(QPaintEngine::RasterOpModes);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrushOrigin(0, 0);
    painter.setClipping(false);
    // Whole text runs are kept as images only where pixels equal pixels.
    m_paint->textRuns = m_image != nullptr && painter.worldTransform().isIdentity();
    m_paint->exactPixels = m_paint->textRuns && !(painter.opacity() < 1.0);
    updateVisibleRows();
}

void Canvas::updateVisibleRows() {
    // Every clip change passes here: the pixel operations ask for the bounds at every shape.
    if (m_active) m_paint->pixelBounds = clipBounds();
    // Under a transform (a borrowed printer painter) device rows say nothing.
    if (!m_active || !m_paint->painter->worldTransform().isIdentity()) {
        m_visibleTop = -kCoordLimit;
        m_visibleBottom = kCoordLimit;
        return;
    }
    const QRect visible = clipBounds();
    m_visibleTop = visible.top();
    m_visibleBottom = visible.top() + visible.height();
}

QRect Canvas::clipBounds() const {
    QRect bounds(0, 0, m_width, m_height);
    const CanvasClip& clip = m_state.clip;
    if (clip.enabled) bounds &= QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    if (m_baseClip) bounds &= *m_baseClip;
    return bounds;
}

void Canvas::applyClip() {
    if (!m_active) return;
    if (m_state.clip.enabled || m_baseClip) m_paint->painter->setClipRect(clipBounds());
    else m_paint->painter->setClipping(false);
    updateVisibleRows();
}

void Canvas::setBaseClip(const QRect& area) {
    m_baseClip = area;
    applyClip();
}

void Canvas::clearBaseClip() {
    m_baseClip.reset();
    applyClip();
}

// --- state --------------------------------------------------------------------

void Canvas::setPen(const CanvasPen& pen) {
    if (m_state.pen == pen) return;
    m_state.pen = pen;
    m_penDirty = true;
}

void Canvas::setPenColor(TColor color) {
    if (m_state.pen.color == color) return;
    m_state.pen.color = color;
    m_penDirty = true;
}

void Canvas::setPenWidth(int width) {
    if (m_state.pen.width == width) return;
    m_state.pen.width = width;
    m_penDirty = true;
}

void Canvas::setPenStyle(PenStyle style) {
    if (m_state.pen.style == style) return;
    m_state.pen.style = style;
    m_penDirty = true;
}

// The mode lives in the composition, not in the QPen, so nothing to rebuild.
void Canvas::setPenMode(PenMode mode) {
    m_state.pen.mode = mode;
}

void Canvas::setBrush(const CanvasBrush& brush) {
    if (m_state.brush == brush) return;
    m_state.brush = brush;
    m_brushDirty = true;
}

void Canvas::setBrushColor(TColor color) {
    if (m_state.brush.color == color) return;
    m_state.brush.color = color;
    m_brushDirty = true;
}

void Canvas::setBrushStyle(BrushStyle style) {
    if (m_state.brush.style == style) return;
    m_state.brush.style = style;
    m_brushDirty = true;
}

void Canvas::setBrushPattern(const QImage& pattern) {
    if (m_state.brush.style == BrushStyle::Pattern && m_state.brush.pattern.cacheKey() == pattern.cacheKey())
        return;
    m_state.brush.pattern = pattern;
    m_state.brush.style = BrushStyle::Pattern;
    m_brushDirty = true;
}

void Canvas::setBrushOrigin(int x, int y) {
    m_state.brushOrigin = QPoint(x, y);
}

void Canvas::moveTo(int x, int y) {
    m_state.penPos = QPoint(x, y);
}

void Canvas::setClipRect(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    const CanvasClip clip{true, box.left, box.top, box.right, box.bottom};
    if (m_state.clip == clip) return;
    m_state.clip = clip;
    applyClip();
}

void Canvas::clearClipRect() {
    if (!m_state.clip.enabled) return;
    m_state.clip = CanvasClip{};
    applyClip();
}

void Canvas::save() {
    m_stack.push_back(m_state);
}

void Canvas::restore() {
    if (m_stack.empty()) return;
    const CanvasState before = m_state;
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
    stateChanged(before);
}

void Canvas::stateChanged(const CanvasState& before) {
    if (!(before.pen == m_state.pen)) m_penDirty = true;
    if (!(before.brush == m_state.brush)) m_brushDirty = true;
    if (!(before.font == m_state.font)) m_fontDirty = true;
    if (before.clip == m_state.clip) return;
    applyClip();
}

// --- painter set-up -----------------------------------------------------------

int Canvas::penWidth() const {
    return std::clamp(m_state.pen.width, 1, kMaxPenWidth);
}

void Canvas::useShapePen(bool squareCaps) {
    Painter& p = *m_paint;
    if (m_penDirty) {
        const CanvasPen& pen = m_state.pen;
        const int width = penWidth();
        if (width == 1) {
            // A cosmetic pen with flat caps is the rasteriser's exact analogue of a
            // GDI line: one pixel wide, end pixel left out.
            p.pen = QPen(toQColor(pen.color), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            p.pen.setCosmetic(true);
            switch (pen.style) {
            case PenStyle::Dash:
                p.pen.setDashPattern({18, 6});
                break;
            case PenStyle::Dot:
                p.pen.setDashPattern({3, 3});
                break;
            case PenStyle::DashDot:
                p.pen.setDashPattern({9, 6, 3, 6});
                break;
            case PenStyle::DashDotDot:
                p.pen.setDashPattern({9, 3, 3, 3, 3, 3});
                break;
            case PenStyle::Solid:
            case PenStyle::Clear:
                break;
            }
        } else {
            p.pen = QPen(toQColor(pen.color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        }
        p.penSquare = p.pen;
        p.penSquare.setCapStyle(Qt::SquareCap);
        m_penDirty = false;
        if (p.painterPen == Painter::Pen::Shape || p.painterPen == Painter::Pen::ShapeSquare) {
            p.painterPen = Painter::Pen::Unknown;
        }
    }
    const Painter::Pen wanted = squareCaps ? Painter::Pen::ShapeSquare : Painter::Pen::Shape;
    if (p.painterPen == wanted) return;
    p.painter->setPen(squareCaps ? p.penSquare : p.pen);
    p.painterPen = wanted;
}

void Canvas::useTextPen() {
    const TColor color = m_state.font.color;
    if (m_paint->painterPen == Painter::Pen::Text && m_paint->textPenColor == color) return;
    m_paint->painter->setPen(QPen(toQColor(color)));
    m_paint->painterPen = Painter::Pen::Text;
    m_paint->textPenColor = color;
}

void Canvas::useNoPen() {
    if (m_paint->painterPen == Painter::Pen::None) return;
    m_paint->painter->setPen(Qt::NoPen);
    m_paint->painterPen = Painter::Pen::None;
}

void Canvas::useShapeBrush() {
    Painter& p = *m_paint;
    if (m_brushDirty) {
        const CanvasBrush& brush = m_state.brush;
        p.tileSize = QSize(kHatchSize, kHatchSize);
        p.brushPaints = true;
        if (brush.style == BrushStyle::Solid) {
            p.brush = QBrush(toQColor(brush.color));
        } else if (brush.style == BrushStyle::Pattern && !brush.pattern.isNull()) {
            p.brush = QBrush(brush.pattern.convertToFormat(QImage::Format_RGB32));
            p.tileSize = brush.pattern.size();
        } else if (isHatch(brush.style)) {
            p.brush = QBrush(hatchImage(brush.style, brush.color));
        } else {
            p.brush = QBrush(Qt::NoBrush);
            p.brushPaints = false;
        }
        m_brushDirty = false;
        if (p.painterBrush == Painter::Brush::Shape) p.painterBrush = Painter::Brush::Unknown;
    }
    useBrushOrigin();
    if (p.painterBrush == Painter::Brush::Shape) return;
    p.painter->setBrush(p.brush);
    p.painterBrush = Painter::Brush::Shape;
}

void Canvas::useNoBrush() {
    if (m_paint->painterBrush == Painter::Brush::None) return;
    m_paint->painter->setBrush(Qt::NoBrush);
    m_paint->painterBrush = Painter::Brush::None;
}

void Canvas::useColorBrush(TColor color) {
    if (m_paint->painterBrush == Painter::Brush::Color && m_paint->brushColor == color) return;
    m_paint->painter->setBrush(toQColor(color));
    m_paint->painterBrush = Painter::Brush::Color;
    m_paint->brushColor = color;
}

void Canvas::useShapeMode() {
    const QPainter::CompositionMode mode =
        m_paint->rasterOps ? compositionOf(m_state.pen.mode) : QPainter::CompositionMode_SourceOver;
    if (m_paint->mode == mode) return;
    m_paint->painter->setCompositionMode(mode);
    m_paint->mode = mode;
}

void Canvas::useCopyMode() {
    if (m_paint->mode == QPainter::CompositionMode_SourceOver) return;
    m_paint->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_paint->mode = QPainter::CompositionMode_SourceOver;
}

void Canvas::useBrushOrigin() {
    // Reduced to one tile: the same picture, and no overflow in the rasteriser.
    const QPoint origin(floorMod(m_state.brushOrigin.x(), std::max(1, m_paint->tileSize.width())),
                        floorMod(m_state.brushOrigin.y(), std::max(1, m_paint->tileSize.height())));
    if (m_paint->origin == origin) return;
    m_paint->painter->setBrushOrigin(origin);
    m_paint->origin = origin;
}

void Canvas::fillWithBrush(const QRect& rect) {
    if (rect.isEmpty() || !brushVisible()) return;
    // Row by row into the image, as filled polygons are: Qt's fill costs
    // several times a plain one, its texture fill more.
    if (writesPixels()) {
        const QRect area = rect & pixelBounds();
        std::vector<PixelRun>& runs = m_paint->runs;
        runs.clear();
        for (int y = area.top(); y <= area.bottom() && !area.isEmpty(); ++y) runs.push_back({y, area.left(), area.right()});
        writeRuns(runs, false);
        return;
    }
    useShapeBrush();
    if (m_paint->brushPaints) m_paint->painter->fillRect(rect, m_paint->brush);
}

void Canvas::fillSolid(const QRect& rect, TColor color) {
    if (rect.isEmpty()) return;
    if (writesPixels()) {
        const QRect area = rect & pixelBounds();
        std::vector<PixelRun>& runs = m_paint->runs;
        runs.clear();
        for (int y = area.top(); y <= area.bottom() && !area.isEmpty(); ++y) runs.push_back({y, area.left(), area.right()});
        fillRunsAt(*m_image, runs, QPoint(0, 0), area, toQRgb(color));
        return;
    }
    m_paint->painter->fillRect(rect, toQColor(color));
}

// --- shapes -------------------------------------------------------------------

void Canvas::lineTo(int x, int y) {
    const QPoint from = m_state.penPos;
    m_state.penPos = QPoint(x, y);
    if (!m_active || !penVisible() || from == m_state.penPos) return;
    const auto near = [](int v) { return v >= -kCoordLimit && v <= kCoordLimit; };
    if (penWidth() == 1 && near(from.x()) && near(from.y()) && near(x) && near(y)) {
        // Within the limit the cut leaves both ends where they are.
        useShapeMode();
        drawThinLine(from, m_state.penPos);
        return;
    }
    double x1 = from.x();
    double y1 = from.y();
    double x2 = x;
    double y2 = y;
    if (!clipSegment(x1, y1, x2, y2)) return;
    useShapeMode();
    if (penWidth() == 1) {
        drawThinLine(QPoint(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1))),
                     QPoint(static_cast<int>(std::lround(x2)), static_cast<int>(std::lround(y2))));
    } else {
        // Unclipped ends are whole numbers: the line is then a stamp at its start.
        if (x1 == from.x() && y1 == from.y() && x2 == x && y2 == y &&
            stampPenShape({StampKey::Kind::Line, penWidth(), x - from.x(), y - from.y()}, from))
            return;
        useShapePen();
        const double at = strokeOffset();
        m_paint->painter->drawLine(QPointF(x1 + at, y1 + at), QPointF(x2 + at, y2 + at));
    }
}

void Canvas::drawThinLine(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0 && dy == 0) return;
    if (m_state.pen.style == PenStyle::Solid) {
        appendLinePixels(from, to);
        flushLinePixels();
        return;
    }
    const int major = std::abs(dx) >= std::abs(dy) ? dx : dy;
    if (major > 0) {
        useShapePen();
        m_paint->painter->drawLine(from, to);
        return;
    }
    // QPainter always leaves out the end with the larger coordinate. Running
    // backwards, stop one step short of the end and include both ends instead.
    useShapePen(true);
    const int steps = -major;
    if (steps == 1) {
        m_paint->painter->drawPoint(from);
        return;
    }
    const double t = (steps - 1.0) / steps;
    m_paint->painter->drawLine(QPointF(from), QPointF(from.x() + dx * t, from.y() + dy * t));
}

namespace {
// Nearest integer of num / den (den > 0); a tie goes to the smaller one, so a
// line covers the same pixels whichever end it starts from.
std::int64_t nearestOf(std::int64_t num, std::int64_t den) {
    const std::int64_t twice = 2 * num - den;
    const std::int64_t q = twice / (2 * den);
    return twice % (2 * den) > 0 ? q + 1 : q;
}
} // namespace

// Solid thin lines pixel by pixel: Qt samples its lines half a pixel off the
// grid, so a shape mirrored on the grid came out lopsided.
void Canvas::appendLinePixels(QPoint from, QPoint to) {
    const bool xMajor = std::abs(std::int64_t{to.x()} - from.x()) >= std::abs(std::int64_t{to.y()} - from.y());
    const std::int64_t a0 = xMajor ? from.x() : from.y();
    const std::int64_t b0 = xMajor ? from.y() : from.x();
    const std::int64_t da = (xMajor ? to.x() : to.y()) - a0;
    const std::int64_t db = (xMajor ? to.y() : to.x()) - b0;
    const std::int64_t steps = std::abs(da);
    const std::int64_t step = da > 0 ? 1 : -1;
    // Only the stretch over the picture is walked, however long the line.
    const std::int64_t extent = xMajor ? m_width : m_height;
    std::int64_t first = step > 0 ? -1 - a0 : a0 - extent;
    std::int64_t last = step > 0 ? extent - a0 : a0 + 1;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, steps - 1);
    if (first > last) return;
    if (m_image != nullptr && m_state.pen.mode == PenMode::Copy) {
        // Straight into the pixels: the same ones the painter would set, at a fraction of the cost.
        const QRect bounds = pixelBounds();
        const int left = bounds.left(), right = bounds.right(), top = bounds.top(), bottom = bounds.bottom();
        const QRgb rgb = toQRgb(m_state.pen.color);
        uchar* const bits = m_image->bits();
        const auto stride = static_cast<std::size_t>(m_image->bytesPerLine());
        if (db == 0) {
            // Straight across or down: one row or one column, no stepping.
            const std::int64_t lowA = a0 + step * (step > 0 ? first : last);
            const std::int64_t highA = a0 + step * (step > 0 ? last : first);
            const int low = static_cast<int>(std::max<std::int64_t>(lowA, xMajor ? left : top));
            const int high = static_cast<int>(std::min<std::int64_t>(highA, xMajor ? right : bottom));
            if (b0 < (xMajor ? top : left) || b0 > (xMajor ? bottom : right)) return;
            const auto b = static_cast<int>(b0);
            if (xMajor) {
                QRgb* line = reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(b) * stride);
                fillRow(line, low, high, rgb);
            } else {
                for (int a = low; a <= high; ++a)
                    reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(a) * stride)[b] = rgb;
            }
            return;
        }
        // nearestOf stepped without a division: twice the numerator less the
        // steps is 2 * steps * b - rest with 0 <= rest < 2 * steps.
        // From the start the nearest row is the start's own: no division.
        std::int64_t b = first == 0 ? b0 : nearestOf(b0 * steps + db * first, steps);
        std::int64_t rest = 2 * steps * b - (2 * (b0 * steps + db * first) - steps);
        for (std::int64_t i = first; i <= last; ++i) {
            const auto a = static_cast<int>(a0 + step * i);
            const int px = xMajor ? a : static_cast<int>(b), py = xMajor ? static_cast<int>(b) : a;
            if (px >= left && px <= right && py >= top && py <= bottom)
                reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(py) * stride)[px] = rgb;
            rest -= 2 * db;
            if (rest < 0) {
                rest += 2 * steps;
                ++b;
            } else if (rest >= 2 * steps) {
                rest -= 2 * steps;
                --b;
            }
        }
        return;
    }
    std::vector<QPoint>& pixels = m_paint->linePixels;
    for (std::int64_t i = first; i <= last; ++i) {
        const auto a = static_cast<int>(a0 + step * i);
        const auto b = static_cast<int>(nearestOf(b0 * steps + db * i, steps));
        pixels.push_back(xMajor ? QPoint(a, b) : QPoint(b, a));
    }
}

void Canvas::flushLinePixels() {
    std::vector<QPoint>& pixels = m_paint->linePixels;
    if (pixels.empty()) return;
    useShapePen();
    m_paint->painter->drawPoints(pixels.data(), static_cast<int>(pixels.size()));
    pixels.clear();
}

// One call for a whole outline; each edge leaves out its end pixel.
void Canvas::drawThinPath(bool closed) {
    const std::vector<QPoint>& loaded = m_paint->points;
    const std::size_t edges = closed ? loaded.size() : loaded.size() - 1;
    const bool solid = m_state.pen.style == PenStyle::Solid;
    for (std::size_t i = 0; i < edges; ++i) {
        const QPoint from = loaded[i], to = loaded[(i + 1) % loaded.size()];
        if (from == to) continue;
        if (solid) appendLinePixels(from, to);
        else drawThinLine(from, to);
    }
    flushLinePixels();
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty()) return;
    useShapeMode();
    const QRect all(box.left, box.top, box.width(), box.height());
    if (!penVisible()) {
        fillWithBrush(all);
        return;
    }
    const int w = penWidth();
    if (w == 1 && m_state.pen.style != PenStyle::Solid) {
        fillWithBrush(all.adjusted(1, 1, -1, -1));
        useShapePen();
        useNoBrush();
        m_paint->painter->drawRect(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
        return;
    }
    if (2 * w >= box.width() || 2 * w >= box.height()) {
        fillSolid(all, m_state.pen.color);
        return;
    }
    // Interior and the four frame strips never overlap, so XOR drawing stays exact.
    fillWithBrush(all.adjusted(w, w, -w, -w));
    const TColor color = m_state.pen.color;
    fillSolid(QRect(box.left, box.top, box.width(), w), color);
    fillSolid(QRect(box.left, box.bottom - w, box.width(), w), color);
    fillSolid(QRect(box.left, box.top + w, w, box.height() - 2 * w), color);
    fillSolid(QRect(box.right - w, box.top + w, w, box.height() - 2 * w), color);
}

void Canvas::fillRect(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty()) return;
    useCopyMode();
    fillWithBrush(QRect(box.left, box.top, box.width(), box.height()));
}

void Canvas::frameRect(int left, int top, int right, int bottom) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty()) return;
    useCopyMode();
    if (box.width() <= 2 || box.height() <= 2) {
        fillWithBrush(QRect(box.left, box.top, box.width(), box.height()));
        return;
    }
    fillWithBrush(QRect(box.left, box.top, box.width(), 1));
    fillWithBrush(QRect(box.left, box.bottom - 1, box.width(), 1));
    fillWithBrush(QRect(box.left, box.top + 1, 1, box.height() - 2));
    fillWithBrush(QRect(box.right - 1, box.top + 1, 1, box.height() - 2));
}

void Canvas::loadPoints(std::span<const QPoint> points) {
    std::vector<QPoint>& loaded = m_paint->points;
    loaded.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        loaded[i] = QPoint(clampCoord(points[i].x()), clampCoord(points[i].y()));
}

// Odd widths are centred on the pixel centres and spread evenly; even widths
// are centred on the pixel corner, so they take one row more above and left,
// as GDI's wide pens do, and a 2-pixel line inside a framed box leaves the frame.
double Canvas::strokeOffset() const { return penWidth() % 2 ? 0.5 : 0.0; }

void Canvas::strokeWide(bool closed) {
    std::vector<QPointF>& centres = m_paint->pointsF;
    centres.clear();
    const double at = strokeOffset();
    for (const QPoint& p : m_paint->points)
        centres.emplace_back(p.x() + at, p.y() + at);
    useShapePen();
    useNoBrush();
    if (closed)
        m_paint->painter->drawPolygon(centres.data(), static_cast<int>(centres.size()));
    else
        m_paint->painter->drawPolyline(centres.data(), static_cast<int>(centres.size()));
}

void Canvas::polygon(std::span<const QPoint> points) {
    if (!m_active || points.size() < 2 || (!penVisible() && !brushVisible())) return;
    loadPoints(points);
    useShapeMode();
    if (brushVisible()) fillPolygon();
    if (!penVisible()) return;
    if (penWidth() > 1) {
        strokeWide(true);
        return;
    }
    // Edge by edge with the line rule: each vertex once, and a shape that is
    // symmetric on the grid stays symmetric (Qt's own outline is not).
    drawThinPath(true);
}

void Canvas::fillPolygon() {
    if (fillPolygonPixels()) return;
    useShapeBrush();
    useNoPen();
    m_paint->painter->drawPolygon(m_paint->points.data(), static_cast<int>(m_paint->points.size()), Qt::OddEvenFill);
}

void Canvas::polyline(std::span<const QPoint> points) {
    if (!m_active || points.size() < 2 || !penVisible()) return;
    loadPoints(points);
    useShapeMode();
    if (penWidth() > 1) {
        strokeWide(false);
        return;
    }
    drawThinPath(false);
}

// --- pictures -----------------------------------------------------------------

void Canvas::draw(int x, int y, const Picture& picture) {
    if (!m_active || picture.isEmpty()) return;
    useCopyMode();
    m_paint->painter->drawImage(QPoint(clampCoord(x), clampCoord(y)), picture.paintImage());
}

void Canvas::stretchDraw(int left, int top, int right, int bottom, const Picture& picture) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty() || picture.isEmpty()) return;
    useCopyMode();
    const QImage& image = picture.paintImage();
    if (box.width() == image.width() && box.height() == image.height()) {
        m_paint->painter->drawImage(QPoint(box.left, box.top), image);
        return;
    }
    m_paint->painter->drawImage(QRect(box.left, box.top, box.width(), box.height()), image);
}

} // namespace ovanto
