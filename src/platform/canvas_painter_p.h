#pragma once

#include "platform/canvas.h"
#include "platform/canvas_p.h"
#include "platform/canvas_text_cache_p.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

namespace ovanto {

// The QPainter and what it was last handed, kept out of canvas.h so that the
// elements never see a painter type.
struct Canvas::Painter {
    enum class Pen { Unknown, Shape, ShapeSquare, Text, None };
    enum class Brush { Unknown, Shape, Color, None };

    // Declared first so that it goes last.
    std::optional<QPainter> own;
    QPainter* painter = nullptr;
    bool rasterOps = false;
    // An image painted without transform or opacity: pixels may be written directly.
    bool exactPixels = false;

    // Built lazily from the canvas state; the canvas's dirty flags say when to rebuild.
    QPen pen;
    QPen penSquare;
    QBrush brush;
    QSize tileSize;
    bool brushPaints = false;
    std::shared_ptr<canvas_detail::CachedFont> font;
    // Text may be drawn from the font's images of whole runs.
    bool textRuns = false;

    // What the painter currently holds.
    Pen painterPen = Pen::Unknown;
    Brush painterBrush = Brush::Unknown;
    TColor textPenColor = kInvalidColor;
    TColor brushColor = kInvalidColor;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    QPoint origin;
    bool fontSet = false;
    // The canvas's clipBounds, renewed at every clip change.
    QRect pixelBounds;

    // Scratch space reused by every shape, so that drawing does not allocate.
    std::vector<QPoint> points;
    std::vector<QPointF> pointsF;
    std::vector<QPoint> linePixels;
    std::vector<QRect> rects;
    std::vector<canvas_detail::RowSpan> outerSpans;
    std::vector<canvas_detail::RowSpan> innerSpans;
    std::vector<canvas_detail::PixelRun> runs;
    canvas_detail::PolygonScratch polygon;
};

} // namespace ovanto
