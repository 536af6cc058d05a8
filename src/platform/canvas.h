#pragma once

#include "platform/canvas_state.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;
class QRectF;

namespace ovanto {

class Picture;
namespace canvas_detail {
struct Box;
struct RowSpan;
struct PixelRun;
struct StampKey;
class CachedFont;
} // namespace canvas_detail

// A drawing surface with the state and pixel rules of a GDI device context,
// painted through QPainter with antialiasing off. One Canvas per paint.
//
// Rectangles are (left, top, right, bottom) with right and bottom exclusive;
// reversed corners are normalised. Coordinates beyond +-1e6 are clipped or
// clamped so that absurd values never reach the rasteriser.
//
// Pixel operations (pixel, setPixel, floodFill, patternInvert, drawFocusRect)
// work on a 32-bit QImage only; on other devices they do nothing and reads give -1.
class Canvas {
public:
    explicit Canvas(QImage& image);
    explicit Canvas(QPaintDevice& device);
    // Borrows an active painter; its state is restored when the canvas goes.
    explicit Canvas(QPainter& painter);
    ~Canvas();

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool hasPixels() const { return m_image != nullptr; }

    // --- state --------------------------------------------------------------
    const CanvasState& state() const { return m_state; }
    const CanvasPen& pen() const { return m_state.pen; }
    const CanvasBrush& brush() const { return m_state.brush; }
    const CanvasFont& font() const { return m_state.font; }

    void setPen(const CanvasPen& pen);
    void setPenColor(TColor color);
    void setPenWidth(int width);
    void setPenStyle(PenStyle style);
    void setPenMode(PenMode mode);

    void setBrush(const CanvasBrush& brush);
    void setBrushColor(TColor color);
    void setBrushStyle(BrushStyle style);
    // Sets the style to BrushStyle::Pattern as well.
    void setBrushPattern(const QImage& pattern);
    // The pattern's pixel (0, 0) lies on (x mod 8, y mod 8) for 8 x 8 patterns and hatches.
    void setBrushOrigin(int x, int y);
    QPoint brushOrigin() const { return m_state.brushOrigin; }

    void setFont(const CanvasFont& font);
    void setFontName(const QString& name);
    void setFontSize(int points);
    void setFontColor(TColor color);
    void setFontStyle(FontStyles style);
    void setTextOpaque(bool opaque);

    QPoint penPos() const { return m_state.penPos; }
    void moveTo(int x, int y);

    void setClipRect(int left, int top, int right, int bottom);
    void clearClipRect();
    // A clip below every clip the drawing sets: nothing is painted outside
    // area until clearBaseClip, whatever the drawing code does with its own.
    void setBaseClip(const QRect& area);
    void clearBaseClip();

    // Push and pop the whole state; see CanvasStateSaver.
    void save();
    void restore();

    // --- shapes -------------------------------------------------------------
    // Leaves out the end pixel; the pen position becomes (x, y).
    void lineTo(int x, int y);
    // Outline inside the box with the pen, interior with the brush.
    void rectangle(int left, int top, int right, int bottom);
    // Brush only, pen mode ignored.
    void fillRect(int left, int top, int right, int bottom);
    // One-pixel frame painted with the brush.
    void frameRect(int left, int top, int right, int bottom);
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void ellipse(int left, int top, int right, int bottom);
    // Arc-like shapes run counterclockwise (as seen on screen) from the ray towards
    // (x3, y3) to the ray towards (x4, y4); equal rays give the whole ellipse.
    void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    void chord(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    void pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    // Filled with the alternate (odd-even) rule, outlined with the pen.
    void polygon(std::span<const QPoint> points);
    void polyline(std::span<const QPoint> points);

    // --- text ---------------------------------------------------------------
    // The text's top-left corner at (x, y).
    void textOut(int x, int y, const QString& text);
    // The same with the text turned counter-clockwise by tenths of a degree about
    // (x, y), which stays its top-left corner (a font's escapement). Never opaque.
    void textOutTurned(int x, int y, const QString& text, int tenthsOfDegree);
    int textWidth(const QString& text);
    // The line height of the font (ascent + descent), whatever the text.
    int textHeight(const QString& text = {});
    void textRect(int left, int top, int right, int bottom, const QString& text, TextFormats format);

    // --- pixels -------------------------------------------------------------
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);
    // Paints the region with the current brush.
    void floodFill(int x, int y, TColor color, FloodFillMode mode);
    // Destination XOR the brush where the brush has colour.
    void patternInvert(int left, int top, int right, int bottom);
    // Dotted frame, every second pixel inverted; drawing it twice restores the picture.
    void drawFocusRect(int left, int top, int right, int bottom);

    // --- pictures -----------------------------------------------------------
    // A transparent picture leaves out the pixels of its transparent colour.
    void draw(int x, int y, const Picture& picture);
    void stretchDraw(int left, int top, int right, int bottom, const Picture& picture);

private:
    struct Painter;
    enum class EllipticShape { Arc, Chord, Pie };

    void init(QPaintDevice* device);
    void stateChanged(const CanvasState& before);
    void updateVisibleRows();

    // Bring the painter's pen, brush, composition and font into line with the
    // canvas state; each costs a comparison when nothing changed.
    void useShapePen(bool squareCaps = false);
    void useTextPen();
    void useNoPen();
    void useShapeBrush();
    void useNoBrush();
    void useColorBrush(TColor color);
    void useShapeMode();
    void useCopyMode();
    void useBrushOrigin();
    void useFont();
    void ensureFont();

    bool penVisible() const { return m_state.pen.style != PenStyle::Clear; }
    bool brushVisible() const { return m_state.brush.style != BrushStyle::Clear; }
    int penWidth() const;
    double strokeOffset() const;
    void fillWithBrush(const QRect& rect);
    void fillSolid(const QRect& rect, TColor color);
    // Sets pen and brush for a shape in a box and answers the rectangle to hand to QPainter.
    QRectF prepareOutlined(const canvas_detail::Box& box, bool filled);
    void ellipticShape(EllipticShape shape, int left, int top, int right, int bottom, int x3, int y3, int x4,
                       int y4);
    bool fillTinyOutlined(const canvas_detail::Box& box);
    void drawThinLine(QPoint from, QPoint to);
    bool textRectFromRun(const QRect& box, const QString& text, TextFormats format);
    void appendLinePixels(QPoint from, QPoint to);
    void flushLinePixels();
    void drawThinPath(bool closed);
    void fillSpans(int top, const std::vector<canvas_detail::RowSpan>& spans);
    void loadPoints(std::span<const QPoint> points);
    void strokeWide(bool closed);
    void fillPolygon();
    // Own rasterisation straight into the image where it gives Qt's pixels
    // exactly (canvas_raster.cpp); false leaves the shape to the painter.
    bool writesPixels() const;
    bool fillPolygonPixels();
    // In the pen colour, or with the brush.
    void writeRuns(const std::vector<canvas_detail::PixelRun>& runs, bool pen);
    // A pen-only shape placed at `origin`, stamped from the pixels Qt drew for it once.
    // `reach`, where given, holds every pixel the shape can set.
    bool stampPenShape(const canvas_detail::StampKey& key, QPoint origin, const QRect& reach = {});
    // A rounded rectangle in a solid pen (or none), stamped the same way.
    bool stampRoundRect(const canvas_detail::Box& box, int ellipseWidth, int ellipseHeight);
    // Whether the shape's stamp gives Qt's pixels where it is placed.
    bool stampFits(const canvas_detail::StampKey& key, QPoint origin, const QRect& reach = {}) const;

    // Pixel access (canvas_pixels.cpp): the image and clip intersected.
    QRect pixelBounds() const;
    // The device, the clip and the base clip intersected.
    QRect clipBounds() const;
    void applyClip();

    std::unique_ptr<Painter> m_paint;
    QImage* m_image = nullptr;
    bool m_active = false;
    int m_width = 0;
    int m_height = 0;
    // Rows that can receive paint (device and clip), for the shapes rasterised here.
    int m_visibleTop = 0;
    int m_visibleBottom = 0;

    CanvasState m_state;
    std::optional<QRect> m_baseClip;
    std::vector<CanvasState> m_stack;
    // A state change since the painter's pen, brush or font was last built.
    bool m_penDirty = true;
    bool m_brushDirty = true;
    bool m_fontDirty = true;
    // Flood-fill marks, all zero between fills.
    std::vector<std::uint8_t> m_fillMarks;
};

// Saves the canvas state on construction and restores it on destruction.
class CanvasStateSaver {
public:
    explicit CanvasStateSaver(Canvas& canvas) : m_canvas(canvas) { m_canvas.save(); }
    ~CanvasStateSaver() { m_canvas.restore(); }
    CanvasStateSaver(const CanvasStateSaver&) = delete;
    CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

private:
    Canvas& m_canvas;
};

// The family that stands in for a configured font name ("ARIAL" -> "Liberation Sans").
QString canvasFontFamily(const QString& name);
// Pixel height of a font size in points at 96 DPI.
int canvasFontPixelSize(int points);

// Text measured in a font as a canvas on no device measures it, from the fonts
// and widths the canvases keep: no font is built per use.
class CanvasFontMetrics {
public:
    explicit CanvasFontMetrics(const CanvasFont& font);
    int width(const QString& text) const;
    int height() const; // ascent + descent

private:
    std::shared_ptr<canvas_detail::CachedFont> m_font;
};

} // namespace ovanto
