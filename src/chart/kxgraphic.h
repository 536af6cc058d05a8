#pragma once

#include "chart/axis_scale.h"
#include "platform/canvas_state.h"

#include <QRect>
#include <QString>

#include <span>

namespace ovanto {

class Canvas;

// Draws an x/y chart into a rectangle of a canvas. Built for one paint:
// configure the plot area and both axes, draw, let it go. Coordinates of the
// drawing operations are world units (y upward); axis operations take axis
// values. Every drawing operation leaves the canvas's pen, brush and font
// as it found them.
class TKXGraphic {
public:
    enum class AxisId { X, Y };

    TKXGraphic(Canvas& canvas, const QRect& page, bool onPrinter = false, int gridStyle = 0);

    void SetTarget(Canvas& canvas, const QRect& page, float worldHeight = 1, float worldWidth = 1);
    void SetMinFontSize(int points);
    void SetPlotArea(bool computeFonts, float x0, float y0, float lx, float ly);

    void SetLog(AxisId axis, bool on);
    void SetTight(AxisId axis, bool on);
    void SetMaxIntervals(AxisId axis, int count);
    void SetTimeMode(int mode) { m_timeMode = mode; }
    void SetGrid(int style, int width = 1, TColor color = rgbColor(128, 128, 128));
    void SetCurveStyle(int style) { m_curveStyle = style; }
    void SetCurvePen(const CanvasPen& pen) { m_curvePen = pen; }
    void SetPenMode(PenMode mode) { m_penMode = mode; }
    void SetClipping(bool on) { m_clipCurves = on; }

    void SetXRange(bool autoCount, int count, int subdivisions, double low, double high);
    void SetYRange(bool autoCount, int count, int subdivisions, double low, double high);
    void AutoScaleX(std::span<const float> values);
    void AutoScaleXRange(double low, double high);
    void AutoScaleYRange(double low, double high);

    // x: position 2 top, 3 bottom; y: position 0 right, 1 left. The y title stands above the axis
    // when it fits on the page, else turned beside the labels; titleMode 1 keeps it horizontal,
    // 2 always turns it, 3 draws no ticks or labels, 4 puts it inside the plot area beside the top of the axis.
    void DrawXAxis(const QString& title, int position);
    void DrawYAxis(const QString& title, int position, int titleMode);
    void DrawGrid();
    void DrawBorder(int penWidth);
    // Points first..last (both 0: all) of the two lists in axis values.
    void DrawCurve(std::span<const float> xs, std::span<const float> ys, int last = 0, int first = 0);
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    // A line from the current point in its own pen.
    void DrawSegment(int penWidth, TColor color, float x, float y);
    // Without an angle (degrees, counter-clockwise) (x, y) is the baseline start, with one the top-left corner.
    void TextAt(const QString& text, int size, float x, float y, int angle = 0);

    // Conversions for cursors.
    float AxisToWorld(AxisId axis, double value) const;
    double WorldToAxis(AxisId axis, float world) const;
    int WorldToPixel(AxisId axis, float world) const;
    float PixelToWorld(AxisId axis, int pixel) const;
    double PixelToAxis(AxisId axis, int pixel) const { return WorldToAxis(axis, PixelToWorld(axis, pixel)); }

    const chart::AxisScale& xAxis() const { return m_x; }
    const chart::AxisScale& yAxis() const { return m_y; }
    float x0() const { return m_x0; }
    float y0() const { return m_y0; }
    float lx() const { return m_lx; }
    float ly() const { return m_ly; }
    int labelSize() const { return m_labelSize; }
    QRect plotRect() const;
    chart::AxisRoom room(AxisId axis) const;

    // The process-wide lower bound of derived font sizes.
    static int processMinFontSize();
    static void resetProcessMinFontSize();

private:
    struct TextMetrics {
        float digitWidth = 0; // pixels
        float height = 0;
        float ascent = 0;
    };
    TextMetrics metrics(int size) const;
    static TextMetrics measure(int size);
    int textWidth(int size, const QString& text) const;
    // Text with its baseline at device (x, y).
    void textAtBaseline(int size, TColor color, int x, int baselineY, const QString& text);
    // The page as far as the canvas's clip leaves it.
    QRect visibleRect() const;
    int devX(float x) const;
    int devY(float y) const;
    void lineDevice(double x1, double y1, double x2, double y2, const QRect& clip);
    void drawLinear(bool isX, const chart::AxisScale& axis, const QString& title, int position, int titleMode);
    // Answers the width of the widest label drawn.
    int drawLogLabels(bool isX, const std::vector<chart::Tick>& ticks, int position, float axisWorld,
                       float labelGap);

    Canvas* m_canvas;
    bool m_printer = false;
    int m_left = 0;
    int m_top = 0;
    int m_w = 1;
    int m_h = 1;
    float m_wx = 1;
    float m_wy = 1;
    float m_sx = 1;
    float m_sy = 1;

    float m_x0 = 0.1f;
    float m_y0 = 0.1f;
    float m_lx = 0.8f;
    float m_ly = 0.8f;

    chart::AxisScale m_x;
    chart::AxisScale m_y;
    bool m_xLog = false;
    bool m_yLog = false;
    bool m_xTight = false;
    bool m_yTight = false;
    int m_xMax = 10;
    int m_yMax = 10;
    int m_timeMode = 0;

    int m_gridStyle = 0;
    int m_gridWidth = 1;
    TColor m_gridColor = rgbColor(128, 128, 128);
    int m_curveStyle = 0;
    CanvasPen m_curvePen;
    PenMode m_penMode = PenMode::Copy;
    bool m_clipCurves = true;

    int m_labelSize = 12;
    int m_exponentSize = 10;
    int m_titleSize = 14;
    int m_minSize = 8;
    bool m_minOn = false;
    TColor m_titleColor = kBlack;

    float m_curX = 0;
    float m_curY = 0;
};

} // namespace ovanto
