#include "platform/canvas.h"

#include "platform/canvas_p.h"
#include "platform/picture.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>

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

Canvas::Canvas(QImage& image) : m_ownPainter(std::make_unique<QPainter>(&image)) {
    m_painter = m_ownPainter.get();
    init(&image);
}

Canvas::Canvas(QPaintDevice& device) : m_ownPainter(std::make_unique<QPainter>(&device)) {
    m_painter = m_ownPainter.get();
    init(&device);
}

Canvas::Canvas(QPainter& painter) : m_painter(&painter) {
    if (painter.isActive()) painter.save();
    init(painter.device());
}

Canvas::~Canvas() {
    if (!m_painter->isActive()) return;
    if (m_ownPainter)
        m_ownPainter->end();
    else
        m_painter->restore();
}

void Canvas::init(QPaintDevice* device) {
    m_active = m_painter->isActive() && device != nullptr;
    if (!m_active) return;
    m_width = device->width();
    m_height = device->height();
    if (device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        if (hasPixelAccess(*image)) m_image = image;
    }
    const QPaintEngine* engine = m_painter->paintEngine();
    m_rasterOps = engine != nullptr && engine->hasFeature(QPaintEngine::RasterOpModes);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->setBackgroundMode(Qt::TransparentMode);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->setBrushOrigin(0, 0);
    m_painter->setClipping(false);
    updateVisibleRows();
}

void Canvas::updateVisibleRows() {
    // Under a transform (a borrowed printer painter) device rows say nothing.
    if (!m_active || !m_painter->worldTransform().isIdentity()) {
        m_visibleTop = -kCoordLimit;
        m_visibleBottom = kCoordLimit;
        return;
    }
    m_visibleTop = 0;
    m_visibleBottom = m_height;
    if (!m_state.clip.enabled) return;
    m_visibleTop = std::max(m_visibleTop, m_state.clip.top);
    m_visibleBottom = std::min(m_visibleBottom, m_state.clip.bottom);
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
    if (m_active) m_painter->setClipRect(QRect(box.left, box.top, box.width(), box.height()));
    updateVisibleRows();
}

void Canvas::clearClipRect() {
    if (!m_state.clip.enabled) return;
    m_state.clip = CanvasClip{};
    if (m_active) m_painter->setClipping(false);
    updateVisibleRows();
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
    if (before.clip == m_state.clip || !m_active) return;
    const CanvasClip& clip = m_state.clip;
    if (clip.enabled)
        m_painter->setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    else
        m_painter->setClipping(false);
    updateVisibleRows();
}

// --- painter set-up -----------------------------------------------------------

int Canvas::penWidth() const {
    return std::clamp(m_state.pen.width, 1, kMaxPenWidth);
}

void Canvas::useShapePen(bool squareCaps) {
    if (m_penDirty) {
        const CanvasPen& pen = m_state.pen;
        const int width = penWidth();
        if (width == 1) {
            // A cosmetic pen with flat caps is the rasteriser's exact analogue of a
            // GDI line: one pixel wide, end pixel left out.
            m_qpen = QPen(toQColor(pen.color), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            m_qpen.setCosmetic(true);
            switch (pen.style) {
            case PenStyle::Dash:
                m_qpen.setDashPattern({18, 6});
                break;
            case PenStyle::Dot:
                m_qpen.setDashPattern({3, 3});
                break;
            case PenStyle::DashDot:
                m_qpen.setDashPattern({9, 6, 3, 6});
                break;
            case PenStyle::DashDotDot:
                m_qpen.setDashPattern({9, 3, 3, 3, 3, 3});
                break;
            case PenStyle::Solid:
            case PenStyle::Clear:
                break;
            }
        } else {
            m_qpen = QPen(toQColor(pen.color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        }
        m_qpenSquare = m_qpen;
        m_qpenSquare.setCapStyle(Qt::SquareCap);
        m_penDirty = false;
        if (m_painterPen == PainterPen::Shape || m_painterPen == PainterPen::ShapeSquare) {
            m_painterPen = PainterPen::Unknown;
        }
    }
    const PainterPen wanted = squareCaps ? PainterPen::ShapeSquare : PainterPen::Shape;
    if (m_painterPen == wanted) return;
    m_painter->setPen(squareCaps ? m_qpenSquare : m_qpen);
    m_painterPen = wanted;
}

void Canvas::useTextPen() {
    const TColor color = m_state.font.color;
    if (m_painterPen == PainterPen::Text && m_textPenColor == color) return;
    m_painter->setPen(QPen(toQColor(color)));
    m_painterPen = PainterPen::Text;
    m_textPenColor = color;
}

void Canvas::useNoPen() {
    if (m_painterPen == PainterPen::None) return;
    m_painter->setPen(Qt::NoPen);
    m_painterPen = PainterPen::None;
}

void Canvas::useShapeBrush() {
    if (m_brushDirty) {
        const CanvasBrush& brush = m_state.brush;
        m_tileSize = QSize(kHatchSize, kHatchSize);
        m_brushPaints = true;
        if (brush.style == BrushStyle::Solid) {
            m_qbrush = QBrush(toQColor(brush.color));
        } else if (brush.style == BrushStyle::Pattern && !brush.pattern.isNull()) {
            m_qbrush = QBrush(brush.pattern.convertToFormat(QImage::Format_RGB32));
            m_tileSize = brush.pattern.size();
        } else if (isHatch(brush.style)) {
            m_qbrush = QBrush(hatchImage(brush.style, brush.color));
        } else {
            m_qbrush = QBrush(Qt::NoBrush);
            m_brushPaints = false;
        }
        m_brushDirty = false;
        if (m_painterBrush == PainterBrush::Shape) m_painterBrush = PainterBrush::Unknown;
    }
    useBrushOrigin();
    if (m_painterBrush == PainterBrush::Shape) return;
    m_painter->setBrush(m_qbrush);
    m_painterBrush = PainterBrush::Shape;
}

void Canvas::useNoBrush() {
    if (m_painterBrush == PainterBrush::None) return;
    m_painter->setBrush(Qt::NoBrush);
    m_painterBrush = PainterBrush::None;
}

void Canvas::useColorBrush(TColor color) {
    if (m_painterBrush == PainterBrush::Color && m_brushColor == color) return;
    m_painter->setBrush(toQColor(color));
    m_painterBrush = PainterBrush::Color;
    m_brushColor = color;
}

void Canvas::useShapeMode() {
    const QPainter::CompositionMode mode =
        m_rasterOps ? compositionOf(m_state.pen.mode) : QPainter::CompositionMode_SourceOver;
    if (m_painterMode == mode) return;
    m_painter->setCompositionMode(mode);
    m_painterMode = mode;
}

void Canvas::useCopyMode() {
    if (m_painterMode == QPainter::CompositionMode_SourceOver) return;
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painterMode = QPainter::CompositionMode_SourceOver;
}

void Canvas::useBrushOrigin() {
    // Reduced to one tile: the same picture, and no overflow in the rasteriser.
    const QPoint origin(floorMod(m_state.brushOrigin.x(), std::max(1, m_tileSize.width())),
                        floorMod(m_state.brushOrigin.y(), std::max(1, m_tileSize.height())));
    if (m_painterOrigin == origin) return;
    m_painter->setBrushOrigin(origin);
    m_painterOrigin = origin;
}

void Canvas::fillWithBrush(const QRect& rect) {
    if (rect.isEmpty() || !brushVisible()) return;
    useShapeBrush();
    if (m_brushPaints) m_painter->fillRect(rect, m_qbrush);
}

void Canvas::fillSolid(const QRect& rect, TColor color) {
    if (!rect.isEmpty()) m_painter->fillRect(rect, toQColor(color));
}

// --- shapes -------------------------------------------------------------------

void Canvas::lineTo(int x, int y) {
    const QPoint from = m_state.penPos;
    m_state.penPos = QPoint(x, y);
    if (!m_active || !penVisible() || from == m_state.penPos) return;
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
        // Wide strokes are centred on the pixel centres, so they spread evenly on both sides.
        useShapePen();
        m_painter->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    }
}

void Canvas::drawThinLine(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0 && dy == 0) return;
    const int major = std::abs(dx) >= std::abs(dy) ? dx : dy;
    if (major > 0) {
        useShapePen();
        m_painter->drawLine(from, to);
        return;
    }
    // QPainter always leaves out the end with the larger coordinate. Running
    // backwards, stop one step short of the end and include both ends instead.
    useShapePen(true);
    const int steps = -major;
    if (steps == 1) {
        m_painter->drawPoint(from);
        return;
    }
    const double t = (steps - 1.0) / steps;
    m_painter->drawLine(QPointF(from), QPointF(from.x() + dx * t, from.y() + dy * t));
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
        m_painter->drawRect(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
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
    m_points.clear();
    for (const QPoint& p : points)
        m_points.emplace_back(clampCoord(p.x()), clampCoord(p.y()));
}

void Canvas::strokeWide(bool closed) {
    m_pointsF.clear();
    for (const QPoint& p : m_points)
        m_pointsF.emplace_back(p.x() + 0.5, p.y() + 0.5);
    useShapePen();
    useNoBrush();
    if (closed)
        m_painter->drawPolygon(m_pointsF.data(), static_cast<int>(m_pointsF.size()));
    else
        m_painter->drawPolyline(m_pointsF.data(), static_cast<int>(m_pointsF.size()));
}

void Canvas::polygon(std::span<const QPoint> points) {
    if (!m_active || points.size() < 2 || (!penVisible() && !brushVisible())) return;
    loadPoints(points);
    const int count = static_cast<int>(m_points.size());
    useShapeMode();
    if (brushVisible())
        useShapeBrush();
    else
        useNoBrush();
    if (!penVisible() || penWidth() > 1) {
        useNoPen();
        if (brushVisible()) m_painter->drawPolygon(m_points.data(), count, Qt::OddEvenFill);
        if (penVisible()) strokeWide(true);
        return;
    }
    useShapePen();
    m_painter->drawPolygon(m_points.data(), count, Qt::OddEvenFill);
}

void Canvas::polyline(std::span<const QPoint> points) {
    if (!m_active || points.size() < 2 || !penVisible()) return;
    loadPoints(points);
    useShapeMode();
    if (penWidth() > 1) {
        strokeWide(false);
        return;
    }
    for (std::size_t i = 1; i < m_points.size(); ++i)
        drawThinLine(m_points[i - 1], m_points[i]);
}

// --- pictures -----------------------------------------------------------------

void Canvas::draw(int x, int y, const Picture& picture) {
    if (!m_active || picture.isEmpty()) return;
    useCopyMode();
    m_painter->drawImage(QPoint(clampCoord(x), clampCoord(y)), picture.paintImage());
}

void Canvas::stretchDraw(int left, int top, int right, int bottom, const Picture& picture) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || box.isEmpty() || picture.isEmpty()) return;
    useCopyMode();
    const QImage& image = picture.paintImage();
    if (box.width() == image.width() && box.height() == image.height()) {
        m_painter->drawImage(QPoint(box.left, box.top), image);
        return;
    }
    m_painter->drawImage(QRect(box.left, box.top, box.width(), box.height()), image);
}

} // namespace ovanto
