#include "chart/kxgraphic.h"

#include "platform/canvas.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace ovanto {
namespace {

int g_processMinFont = 0;

constexpr double kPixelLimit = 2147483647.0;

int LimitPixel(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(v), -kPixelLimit, kPixelLimit));
}

// Canvas coordinates beyond this are clamped by the canvas anyway; staying
// inside keeps integer arithmetic on the pixels safe.
int CanvasCoord(double v) {
    constexpr double kLimit = 1e6;
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(v), -kLimit, kLimit));
}

struct Dash {
    float a, b, gap;
};
Dash DashOf(int style) {
    switch (style) {
    case 1: return {10, 10, 10};
    case 2: return {25, 1, 10};
    case 3: return {10, 25, 10};
    case 4: return {10, 1, 10};
    case 5: return {1, 1, 10};
    case 6: return {25, 25, 10};
    default: return {10, 10, 5};
    }
}

int Outcode(double x, double y, const QRect& r) {
    int code = 0;
    if (x < r.left()) code |= 1;
    else if (x > r.right()) code |= 2;
    if (y < r.top()) code |= 4;
    else if (y > r.bottom()) code |= 8;
    return code;
}

// Cohen-Sutherland; false when nothing of the segment is inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const QRect& r) {
    int c1 = Outcode(x1, y1, r);
    int c2 = Outcode(x2, y2, r);
    for (int guard = 0; guard < 8; ++guard) {
        if ((c1 | c2) == 0) return true;
        if (c1 & c2) return false;
        const int out = c1 ? c1 : c2;
        double x = 0;
        double y = 0;
        if (out & 8) {
            x = x1 + (x2 - x1) * (r.bottom() - y1) / (y2 - y1);
            y = r.bottom();
        } else if (out & 4) {
            x = x1 + (x2 - x1) * (r.top() - y1) / (y2 - y1);
            y = r.top();
        } else if (out & 2) {
            y = y1 + (y2 - y1) * (r.right() - x1) / (x2 - x1);
            x = r.right();
        } else {
            y = y1 + (y2 - y1) * (r.left() - x1) / (x2 - x1);
            x = r.left();
        }
        if (out == c1) {
            x1 = x;
            y1 = y;
            c1 = Outcode(x1, y1, r);
        } else {
            x2 = x;
            y2 = y;
            c2 = Outcode(x2, y2, r);
        }
    }
    return (c1 | c2) == 0;
}

} // namespace

TKXGraphic::TKXGraphic(Canvas& canvas, const QRect& page, bool onPrinter, int gridStyle)
    : m_canvas(&canvas), m_printer(onPrinter), m_gridStyle(gridStyle) {
    SetTarget(canvas, page);
}

void TKXGraphic::SetTarget(Canvas& canvas, const QRect& page, float worldHeight, float worldWidth) {
    m_canvas = &canvas;
    m_left = page.left();
    m_top = page.top();
    m_w = std::max(1, page.width());
    m_h = std::max(1, page.height());
    // A printer page higher than wide keeps a landscape chart at the top of the sheet.
    if (m_printer && m_h > m_w) m_h = std::max(1, LimitPixel(static_cast<double>(m_w) * m_w / m_h));
    m_wx = worldWidth > 0 && std::isfinite(worldWidth) ? worldWidth : 1;
    m_wy = worldHeight > 0 && std::isfinite(worldHeight) ? worldHeight : 1;
    m_sx = static_cast<float>(m_w) / m_wx;
    m_sy = static_cast<float>(m_h) / m_wy;
    m_canvas->setFontName(QStringLiteral("Arial"));
}

void TKXGraphic::SetMinFontSize(int points) {
    m_minSize = points;
    m_minOn = true;
}

int TKXGraphic::processMinFontSize() { return g_processMinFont; }
void TKXGraphic::resetProcessMinFontSize() { g_processMinFont = 0; }

void TKXGraphic::SetPlotArea(bool computeFonts, float x0, float y0, float lx, float ly) {
    m_x0 = x0;
    m_y0 = y0;
    m_lx = lx;
    m_ly = ly;
    if (!computeFonts) return;
    const float t = static_cast<float>(textWidth(20, QStringLiteral("1234567890"))) / m_sx;
    if (m_minOn) g_processMinFont = m_minSize;
    const auto derive = [&](float per) {
        const float size = t > 0 ? chart::Rnd(lx * (20.0f / per) / t) : 0;
        const int s = std::isfinite(size) ? static_cast<int>(std::clamp(size, 0.0f, 200.0f)) : 0;
        return std::max(s, g_processMinFont);
    };
    m_labelSize = derive(7.0f);
    m_exponentSize = derive(8.5f);
    m_titleSize = derive(6.5f);
}

void TKXGraphic::SetLog(AxisId axis, bool on) { (axis == AxisId::X ? m_xLog : m_yLog) = on; }
void TKXGraphic::SetTight(AxisId axis, bool on) { (axis == AxisId::X ? m_xTight : m_yTight) = on; }
void TKXGraphic::SetMaxIntervals(AxisId axis, int count) { (axis == AxisId::X ? m_xMax : m_yMax) = count; }

void TKXGraphic::SetGrid(int style, int width, TColor color) {
    m_gridStyle = style;
    m_gridWidth = width;
    m_gridColor = color;
}

TKXGraphic::TextMetrics TKXGraphic::metrics(int size) const {
    // Sizes are converted at a fixed 96 DPI, so the metrics of a size never change.
    static std::array<std::optional<TextMetrics>, 201> cache;
    size = std::clamp(size, 1, 200);
    std::optional<TextMetrics>& cached = cache[static_cast<size_t>(size)];
    if (!cached) cached = measure(size);
    return *cached;
}

TKXGraphic::TextMetrics TKXGraphic::measure(int size) {
    QFont font(canvasFontFamily(QStringLiteral("Arial")));
    font.setPixelSize(canvasFontPixelSize(std::max(1, size)));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetricsF fm(font);
    return {static_cast<float>(fm.horizontalAdvance(QStringLiteral("1234567890")) / 10.0),
            static_cast<float>(fm.height()), static_cast<float>(fm.ascent())};
}

int TKXGraphic::textWidth(int size, const QString& text) const {
    CanvasStateSaver saver(*m_canvas);
    m_canvas->setFontName(QStringLiteral("Arial"));
    m_canvas->setFontSize(std::max(1, size));
    return m_canvas->textWidth(text);
}

chart::AxisRoom TKXGraphic::room(AxisId axis) const {
    const TextMetrics m = metrics(m_labelSize);
    chart::AxisRoom r;
    if (axis == AxisId::X) {
        r.length = m_lx;
        r.labelUnit = m.digitWidth / m_sx;
        r.pixel = 1 / m_sx;
        r.isX = true;
        r.tight = m_xTight;
        r.maxIntervals = m_xMax;
    } else {
        r.length = m_ly;
        r.labelUnit = m.height / m_sy;
        r.pixel = 1 / m_sy;
        r.isX = false;
        r.tight = m_yTight;
        r.maxIntervals = m_yMax;
    }
    r.timeMode = m_timeMode;
    return r;
}

void TKXGraphic::SetXRange(bool autoCount, int count, int subdivisions, double low, double high) {
    m_x = chart::FixedAxis(low, high, autoCount ? 0 : count, subdivisions, room(AxisId::X));
}

void TKXGraphic::SetYRange(bool autoCount, int count, int subdivisions, double low, double high) {
    m_y = chart::FixedAxis(low, high, autoCount ? 0 : count, subdivisions, room(AxisId::Y));
}

void TKXGraphic::AutoScaleX(std::span<const float> values) {
    const chart::DataRange r = chart::ValueRange(values);
    AutoScaleXRange(r.min, r.max);
}

void TKXGraphic::AutoScaleXRange(double low, double high) {
    m_x = chart::AutoAxis(low, high, room(AxisId::X), m_xLog);
}

void TKXGraphic::AutoScaleYRange(double low, double high) {
    m_y = chart::AutoAxis(low, high, room(AxisId::Y), m_yLog);
}

// --- conversions ---------------------------------------------------------------------

float TKXGraphic::AxisToWorld(AxisId axis, double value) const {
    return axis == AxisId::X ? chart::AxisToWorld(m_x, m_x0, value) : chart::AxisToWorld(m_y, m_y0, value);
}

double TKXGraphic::WorldToAxis(AxisId axis, float world) const {
    return axis == AxisId::X ? chart::WorldToAxis(m_x, m_x0, world) : chart::WorldToAxis(m_y, m_y0, world);
}

int TKXGraphic::WorldToPixel(AxisId axis, float world) const {
    if (axis == AxisId::X) return LimitPixel(m_left + static_cast<double>(chart::Rnd(world * m_sx)));
    return LimitPixel(m_top + m_h - static_cast<double>(chart::Rnd(world * m_sy)));
}

float TKXGraphic::PixelToWorld(AxisId axis, int pixel) const {
    if (axis == AxisId::X) return static_cast<float>(pixel - m_left) / m_sx;
    return static_cast<float>(m_top + m_h - pixel) / m_sy;
}

int TKXGraphic::devX(float x) const { return WorldToPixel(AxisId::X, x); }
int TKXGraphic::devY(float y) const { return WorldToPixel(AxisId::Y, y); }

QRect TKXGraphic::visibleRect() const {
    const QRect page(m_left, m_top, m_w, m_h);
    const CanvasClip& clip = m_canvas->state().clip;
    if (!clip.enabled) return page;
    const QRect clipped = page & QRect(QPoint(clip.left, clip.top), QPoint(clip.right - 1, clip.bottom - 1));
    return clipped.isEmpty() ? page : clipped;
}

QRect TKXGraphic::plotRect() const {
    const int l = devX(m_x0);
    const int r = devX(m_x0 + m_lx);
    const int b = devY(m_y0);
    const int t = devY(m_y0 + m_ly);
    return QRect(QPoint(std::min(l, r), std::min(t, b)), QPoint(std::max(l, r), std::max(t, b)));
}

// --- lines -----------------------------------------------------------------------------

void TKXGraphic::lineDevice(double x1, double y1, double x2, double y2, const QRect& clip) {
    if (!ClipSegment(x1, y1, x2, y2, clip)) return;
    m_canvas->moveTo(CanvasCoord(x1), CanvasCoord(y1));
    m_canvas->lineTo(CanvasCoord(x2), CanvasCoord(y2));
}

void TKXGraphic::MoveTo(float x, float y) {
    m_curX = std::clamp(std::isnan(x) ? 0.0f : x, -20 * m_wx, 20 * m_wx);
    m_curY = std::clamp(std::isnan(y) ? 0.0f : y, -20 * m_wy, 20 * m_wy);
}

void TKXGraphic::LineTo(float x, float y) {
    const float fx = m_curX;
    const float fy = m_curY;
    MoveTo(x, y);
    CanvasStateSaver saver(*m_canvas);
    m_canvas->setPenMode(m_penMode);
    lineDevice(devX(fx), devY(fy), devX(m_curX), devY(m_curY), QRect(m_left, m_top, m_w, m_h));
}

void TKXGraphic::DrawSegment(int penWidth, TColor color, float x, float y) {
    CanvasStateSaver saver(*m_canvas);
    m_canvas->setPen({color, std::max(1, penWidth), PenStyle::Solid, m_penMode});
    const float fx = m_curX;
    const float fy = m_curY;
    MoveTo(x, y);
    lineDevice(devX(fx), devY(fy), devX(m_curX), devY(m_curY), QRect(m_left, m_top, m_w, m_h));
}

void TKXGraphic::textAtBaseline(int size, TColor color, int x, int baselineY, const QString& text) {
    m_canvas->setFontName(QStringLiteral("Arial"));
    m_canvas->setFontSize(std::max(1, size));
    m_canvas->setFontColor(color);
    m_canvas->setTextOpaque(false);
    m_canvas->textOut(x, baselineY - static_cast<int>(metrics(size).ascent), text);
}

void TKXGraphic::TextAt(const QString& text, int size, float x, float y, int angle) {
    CanvasStateSaver saver(*m_canvas);
    if (angle == 0) {
        textAtBaseline(size, m_titleColor, devX(x), devY(y), text);
        return;
    }
    m_canvas->setFontName(QStringLiteral("Arial"));
    m_canvas->setFontSize(std::max(1, size));
    m_canvas->setFontColor(m_titleColor);
    m_canvas->setTextOpaque(false);
    m_canvas->textOutTurned(devX(x), devY(y), text, (angle % 360) * 10);
}

// --- axes ------------------------------------------------------------------------------

void TKXGraphic::DrawXAxis(const QString& title, int position) {
    drawLinear(true, m_x, title, position, 0);
}

void TKXGraphic::DrawYAxis(const QString& title, int position, int titleMode) {
    drawLinear(false, m_y, title, position, titleMode);
}

void TKXGraphic::drawLinear(bool isX, const chart::AxisScale& axis, const QString& title, int position,
                            int titleMode) {
    CanvasStateSaver saver(*m_canvas);
    m_canvas->setPen({kBlack, 1, PenStyle::Solid, m_penMode});
    m_canvas->setBrushStyle(BrushStyle::Clear);
    const QRect page(m_left, m_top, m_w, m_h);
    const QRect visible = visibleRect();
    const TextMetrics label = metrics(m_labelSize);
    const TextMetrics titleFont = metrics(m_titleSize);

    // x: bottom (3) or top (2); y: left (1) or right (0).
    const bool far = isX ? position == 2 : position == 0;
    const float along = isX ? m_x0 : m_y0;
    const float length = isX ? m_lx : m_ly;
    const float across = isX ? (far ? m_y0 + m_ly : m_y0) : (far ? m_x0 + m_lx : m_x0);
    const float base = isX ? 0.004f * m_ly : 0.004f * m_lx;
    const float tickLen[3] = {isX ? 2 * base : base, isX ? 4 * base : 2 * base, isX ? 6 * base : 4 * base};
    const float outward = far ? 1.0f : -1.0f;
    const auto point = [&](float a, float c) {
        return isX ? QPoint(devX(a), devY(c)) : QPoint(devX(c), devY(a));
    };

    const QPoint from = point(along, across);
    const QPoint to = point(along + length, across);
    lineDevice(from.x(), from.y(), to.x(), to.y(), page);

    const std::vector<chart::Tick> ticks = chart::AxisTicks(axis, length, isX ? 1 / m_sx : 1 / m_sy);
    if (titleMode != 3) {
        for (const chart::Tick& t : ticks) {
            const QPoint p0 = point(along + t.position, across);
            const QPoint p1 = point(along + t.position, across + outward * tickLen[t.level]);
            lineDevice(p0.x(), p0.y(), p1.x(), p1.y(), page);
        }
    }

    const float major = tickLen[2];
    chart::LabelFormat format;
    if (!axis.log) {
        std::vector<float> values;
        for (const chart::Tick& t : ticks)
            if (t.level == 2) values.push_back(t.value);
        format = chart::ChooseLabelFormat(axis.low, axis.high, values);
    }

    int widestLabel = 0;
    if (titleMode != 3) {
        if (axis.log) {
            widestLabel = drawLogLabels(isX, ticks, position, across, major);
        } else if (isX) {
            const int lineY = devY(across + outward * (1.2f * major) - (far ? 0 : label.height / m_sy));
            const int minus = textWidth(m_labelSize, QStringLiteral("-"));
            std::vector<chart::Span> spans;
            std::vector<QString> texts;
            for (const chart::Tick& t : ticks) {
                if (t.level != 2) continue;
                const QString text = QString::fromStdString(chart::FormatLabel(t.value, format));
                const int w = textWidth(m_labelSize, text);
                const int centre = devX(along + t.position);
                int start = t.value < 0 ? centre - (w + minus) / 2 + minus : centre - w / 2;
                // the label at the axis end would be cut by the window's clip: it moves inside
                start = std::max(std::min(start, visible.right() + 1 - w), visible.left());
                spans.push_back({start, start + w});
                texts.push_back(text);
            }
            const std::vector<bool> keep = chart::KeepXLabels(spans);
            for (size_t i = 0; i < texts.size(); ++i)
                if (keep[i]) textAtBaseline(m_labelSize, kBlack, spans[i].start, lineY, texts[i]);
        } else {
            const int halfHeight = static_cast<int>(label.height / 2);
            std::vector<int> baselines;
            std::vector<QString> texts;
            for (const chart::Tick& t : ticks) {
                if (t.level != 2) continue;
                QString text = QString::fromStdString(chart::FormatLabel(t.value, format));
                if (far) text = text.rightJustified(format.width);
                const int baseline = devY(along + t.position) + halfHeight - static_cast<int>(label.height - label.ascent);
                baselines.push_back(std::max(baseline, visible.top() + static_cast<int>(label.ascent)));
                texts.push_back(text);
            }
            const std::vector<bool> keep = chart::KeepYLabels(baselines, static_cast<int>(label.height));
            for (size_t i = 0; i < texts.size(); ++i) {
                if (!keep[i]) continue;
                const int w = textWidth(m_labelSize, texts[i]);
                widestLabel = std::max(widestLabel, w);
                const int x = far ? devX(across + 1.4f * major) : devX(across - 1.2f * major) - w;
                textAtBaseline(m_labelSize, kBlack, x, baselines[i], texts[i]);
            }
        }
    }

    const QString exponentText = QString::number(format.exponent);
    if (isX) {
        const float labelLine = far ? across + 1.2f * major : across - 1.2f * major - label.height / m_sy;
        const float titleLine = far ? labelLine + 1.5f * label.height / m_sy : labelLine - 1.2f * label.height / m_sy;
        const float expLine = far ? labelLine + 2.0f * label.height / m_sy : labelLine - 1.0f * label.height / m_sy;
        const float right = along + length;
        const float titleDigit = titleFont.digitWidth / m_sx;
        if (!title.isEmpty())
            textAtBaseline(m_titleSize, m_titleColor,
                           devX(right - static_cast<float>(title.size() + 5) * titleDigit), devY(titleLine), title);
        if (format.exponent != 0 && titleMode != 3) {
            textAtBaseline(m_labelSize, kBlack, devX(right - 4.5f * label.digitWidth / m_sx), devY(titleLine),
                           QStringLiteral(" * 10"));
            textAtBaseline(m_exponentSize, kBlack, devX(right), devY(expLine), exponentText);
        }
    } else {
        const int top = devY(along + length);
        const int labelRoom = textWidth(m_labelSize, QStringLiteral("*103"));
        if (format.exponent != 0 && titleMode != 3) {
            int x = far ? devX(across + 1.4f * major) : devX(across - 1.2f * major) - labelRoom;
            int baseline = top - static_cast<int>(label.height / 2);
            // without room above the axis the exponent goes inside the plot area, beside the axis top
            if (baseline - static_cast<int>(label.height / 2 + metrics(m_exponentSize).ascent) < m_top) {
                x = far ? devX(across - 1.4f * major) - labelRoom : devX(across + 1.4f * major);
                baseline = top + static_cast<int>(label.height / 2 + label.ascent);
            }
            textAtBaseline(m_labelSize, kBlack, x, baseline, QStringLiteral("*10"));
            textAtBaseline(m_exponentSize, kBlack, x + textWidth(m_labelSize, QStringLiteral("*10")),
                           baseline - static_cast<int>(label.height / 2), exponentText);
        }
        if (!title.isEmpty() && titleMode == 4) {
            const int x = far ? devX(across - 1.4f * major) - textWidth(m_titleSize, title)
                              : devX(across + 1.4f * major);
            textAtBaseline(m_titleSize, m_titleColor, x, top + static_cast<int>(titleFont.ascent) + 2, title);
        } else if (!title.isEmpty()) {
            const int w = textWidth(m_titleSize, title);
            const int x = far ? devX(across) : devX(across) - w / 2;
            const int baseline = top - static_cast<int>(label.height) - static_cast<int>(titleFont.height - titleFont.ascent);
            // the page top counts too: a title cut off above the page is no better than one too wide
            const bool fits = x >= m_left && x + w <= m_left + m_w && baseline - titleFont.ascent >= m_top;
            if (titleMode == 2 || (titleMode != 1 && !fits)) {
                const int gap = std::max(2, static_cast<int>(titleFont.height / 4));
                const int turnedHeight = static_cast<int>(titleFont.height);
                int tx = far ? devX(across + 1.4f * major) + widestLabel + gap
                             : devX(across - 1.2f * major) - widestLabel - gap - turnedHeight;
                tx = std::clamp(tx, m_left, std::max(m_left, m_left + m_w - turnedHeight));
                const int ty = std::clamp(devY(along + length / 2) + w / 2, m_top, m_top + m_h);
                m_canvas->setFontName(QStringLiteral("Arial"));
                m_canvas->setFontSize(std::max(1, m_titleSize));
                m_canvas->setFontColor(m_titleColor);
                m_canvas->setTextOpaque(false);
                m_canvas->textOutTurned(tx, ty, title, 900);
            } else {
                textAtBaseline(m_titleSize, m_titleColor, std::clamp(x, m_left, std::max(m_left, m_left + m_w - w)),
                               baseline, title);
            }
        }
    }
}

int TKXGraphic::drawLogLabels(bool isX, const std::vector<chart::Tick>& ticks, int position, float across,
                              float major) {
    int widest = 0;
    const TextMetrics label = metrics(m_labelSize);
    const bool far = isX ? position == 2 : position == 0;
    int lastEnd = std::numeric_limits<int>::min();
    int lastBaseline = std::numeric_limits<int>::max();
    for (const chart::Tick& t : ticks) {
        if (t.label == 0) continue;
        const QString main = t.label == 1 ? QStringLiteral("10") : QString();
        const QString small =
            t.label == 1 ? QString::number(static_cast<int>(std::lround(std::log10(t.value)))) : QString::number(t.label);
        const int w = textWidth(m_labelSize, main) + textWidth(m_exponentSize, small);
        int x = 0;
        int baseline = 0;
        if (isX) {
            const float along = m_x0 + t.position;
            x = devX(along) - w / 2;
            baseline = devY(far ? across + 1.2f * major : across - 1.2f * major - label.height / m_sy);
            if (lastEnd != std::numeric_limits<int>::min() && x < lastEnd + 8) continue;
            lastEnd = x + w;
        } else {
            baseline = devY(m_y0 + t.position) + static_cast<int>(label.height / 2 - (label.height - label.ascent));
            x = far ? devX(across + 1.4f * major) : devX(across - 1.2f * major) - w;
            if (lastBaseline != std::numeric_limits<int>::max() &&
                lastBaseline - baseline < static_cast<int>(label.height) + 8)
                continue;
            lastBaseline = baseline;
        }
        if (!main.isEmpty()) textAtBaseline(m_labelSize, kBlack, x, baseline, main);
        const int raise = t.label == 1 ? static_cast<int>(label.height / 2) : 0;
        textAtBaseline(m_exponentSize, kBlack, x + textWidth(m_labelSize, main), baseline - raise, small);
        widest = std::max(widest, w);
    }
    return widest;
}

void TKXGraphic::DrawGrid() {
    if (m_gridStyle < 0 || m_gridStyle > 4) return;
    CanvasStateSaver saver(*m_canvas);
    const int width = std::max(1, m_gridWidth);
    m_canvas->setPen({m_gridColor, width, m_gridStyle == 1 ? PenStyle::Dash : PenStyle::Solid, m_penMode});
    m_canvas->setBrush({m_gridColor, BrushStyle::Solid, {}});
    const QRect area = plotRect();
    const auto xt = chart::AxisTicks(m_x, m_lx, 1 / m_sx);
    const auto yt = chart::AxisTicks(m_y, m_ly, 1 / m_sy);
    const QRect inner = area.adjusted(1, 1, -1, -1);
    if (m_gridStyle <= 1) {
        for (const chart::Tick& t : xt) {
            if (t.level != 2) continue;
            const int x = devX(m_x0 + t.position);
            if (x > area.left() && x < area.right()) lineDevice(x, inner.bottom(), x, inner.top() - 1, inner);
        }
        for (const chart::Tick& t : yt) {
            if (t.level != 2) continue;
            const int y = devY(m_y0 + t.position);
            if (y > area.top() && y < area.bottom()) lineDevice(inner.left(), y, inner.right() + 1, y, inner);
        }
        return;
    }
    const auto dot = [&](int x, int y) {
        if (width == 1) {
            m_canvas->moveTo(x, y);
            m_canvas->lineTo(x + 1, y);
        } else {
            m_canvas->ellipse(x - width / 2, y - width / 2, x - width / 2 + width, y - width / 2 + width);
        }
    };
    const auto cross = [&](int x, int y) {
        lineDevice(x - 2, y, x + 3, y, inner);
        lineDevice(x, y - 2, x, y + 3, inner);
    };
    for (const chart::Tick& tx : xt) {
        for (const chart::Tick& ty : yt) {
            const int x = devX(m_x0 + tx.position);
            const int y = devY(m_y0 + ty.position);
            if (!inner.contains(x, y)) continue;
            const bool bothMajor = tx.level == 2 && ty.level == 2;
            if (m_gridStyle == 2) {
                if (bothMajor) cross(x, y);
                else if (tx.level >= 1 && ty.level >= 1) dot(x, y);
            } else if (m_gridStyle == 3) {
                if (bothMajor) cross(x, y);
            } else {
                dot(x, y);
            }
        }
    }
}

void TKXGraphic::DrawBorder(int penWidth) {
    CanvasStateSaver saver(*m_canvas);
    m_canvas->setPen({kBlack, std::max(1, penWidth), PenStyle::Solid, m_penMode});
    m_canvas->setBrushStyle(BrushStyle::Clear);
    const QRect area = plotRect();
    m_canvas->rectangle(area.left(), area.top(), area.right() + 2, area.bottom() + 1);
}

// --- curves ----------------------------------------------------------------------------

void TKXGraphic::DrawCurve(std::span<const float> xs, std::span<const float> ys, int last, int first) {
    const int size = static_cast<int>(std::min(xs.size(), ys.size()));
    if (first == 0 && last == 0) last = size - 1;
    first = std::max(first, 0);
    last = std::min(last, size - 1);
    if (last - first < 1) return;

    chart::AxisScale ax = m_x;
    chart::AxisScale ay = m_y;
    // a logarithmic switch over a range that does not qualify draws linear
    if (ax.log && !chart::QualifiesLog(ax.dataMin, ax.dataMax)) ax.log = false;
    if (ay.log && !chart::QualifiesLog(ay.dataMin, ay.dataMax)) ay.log = false;

    CanvasStateSaver saver(*m_canvas);
    CanvasPen pen = m_curvePen;
    pen.mode = m_penMode;
    if (m_curveStyle != 0) pen.style = PenStyle::Solid;
    m_canvas->setPen(pen);
    const QRect clip = m_clipCurves ? plotRect() : QRect(m_left, m_top, m_w, m_h);

    // Linear axes map straight; the logarithmic ones go through AxisToWorld.
    const auto world = [](const chart::AxisScale& a, float origin, float v) {
        if (a.log) return chart::AxisToWorld(a, origin, v);
        const float w = origin + (v - a.low) * a.scale;
        return std::isfinite(w) ? w : (w > 0 ? 3e38f : -3e38f);
    };
    const auto deviceX = [&](float v) {
        return static_cast<double>(m_left) + chart::Rnd(world(ax, m_x0, v) * m_sx);
    };
    const auto deviceY = [&](float v) {
        return static_cast<double>(m_top + m_h) - chart::Rnd(world(ay, m_y0, v) * m_sy);
    };

    std::vector<QPoint> run;
    run.reserve(static_cast<size_t>(std::min(last - first + 1, 65536)));
    const auto flush = [&] {
        if (run.size() >= 2) m_canvas->polyline(run);
        run.clear();
    };
    const Dash dash = DashOf(m_curveStyle);
    float dashLeft = dash.a;
    int phase = 0; // 0 dash A, 1 gap, 2 dash B, 3 gap

    // Device points; NaN marks a gap. Solid curves keep of each run of points in one
    // pixel column only the first, lowest, highest and last: the same pixels, far fewer lines.
    std::vector<QPointF> points;
    points.reserve(static_cast<size_t>(std::min(last - first + 1, 65536)));
    const double gap = std::numeric_limits<double>::quiet_NaN();
    int columnStart = -1; // index in points of the current column's first point
    for (int i = first; i <= last; ++i) {
        const float vx = xs[static_cast<size_t>(i)];
        const float vy = ys[static_cast<size_t>(i)];
        if (!std::isfinite(vx) || !std::isfinite(vy)) {
            if (!points.empty() && !std::isnan(points.back().x())) points.emplace_back(gap, gap);
            columnStart = -1;
            continue;
        }
        const QPointF p(std::clamp(deviceX(vx), -1e6, 1e6), std::clamp(deviceY(vy), -1e6, 1e6));
        if (m_curveStyle == 0 && columnStart >= 0 && points[static_cast<size_t>(columnStart)].x() == p.x()) {
            // column: first, then up to three more (extremes in order, last)
            auto begin = points.begin() + columnStart;
            const size_t have = points.size() - static_cast<size_t>(columnStart);
            if (have < 4) {
                if (points.back() != p) points.push_back(p);
                continue;
            }
            // keep first, min and max (in order), and p as the new last
            double lo = begin->y(), hi = begin->y();
            for (auto it = begin + 1; it != points.end(); ++it) {
                lo = std::min(lo, it->y());
                hi = std::max(hi, it->y());
            }
            std::array<QPointF, 3> kept{*begin, {}, {}};
            size_t count = 1;
            for (auto it = begin + 1; it != points.end() && count < 3; ++it)
                if ((it->y() == lo || it->y() == hi) && it->y() != begin->y() && kept[count - 1].y() != it->y())
                    kept[count++] = *it;
            points.resize(static_cast<size_t>(columnStart));
            points.insert(points.end(), kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count));
            if (points.back() != p) points.push_back(p);
            continue;
        }
        columnStart = static_cast<int>(points.size());
        points.push_back(p);
    }

    bool havePrev = false;
    double px = 0;
    double py = 0;
    for (const QPointF& point : points) {
        if (std::isnan(point.x())) {
            flush();
            havePrev = false;
            continue;
        }
        const double cx = point.x();
        const double cy = point.y();
        if (!havePrev) {
            px = cx;
            py = cy;
            havePrev = true;
            continue;
        }
        double x1 = px, y1 = py, x2 = cx, y2 = cy;
        px = cx;
        py = cy;
        if (m_curveStyle == 0) {
            if (!ClipSegment(x1, y1, x2, y2, clip)) {
                flush();
                continue;
            }
            const QPoint a(static_cast<int>(x1), static_cast<int>(y1));
            const QPoint b(static_cast<int>(x2), static_cast<int>(y2));
            if (run.empty() || run.back() != a) {
                flush();
                run.push_back(a);
            }
            if (run.back() != b) run.push_back(b);
            const bool clipped = x2 != cx || y2 != cy;
            if (clipped) flush();
            continue;
        }
        // dashes walk along the segment in pixels and carry over to the next one
        const double length = std::hypot(x2 - x1, y2 - y1);
        double done = 0;
        for (int guard = 0; done < length && guard < 100000; ++guard) {
            const double part = std::min(static_cast<double>(dashLeft), length - done);
            if (phase % 2 == 0) {
                double sx = x1 + (x2 - x1) * done / length, sy = y1 + (y2 - y1) * done / length;
                double ex = x1 + (x2 - x1) * (done + part) / length, ey = y1 + (y2 - y1) * (done + part) / length;
                if (ClipSegment(sx, sy, ex, ey, clip)) {
                    m_canvas->moveTo(static_cast<int>(std::nearbyint(sx)), static_cast<int>(std::nearbyint(sy)));
                    m_canvas->lineTo(static_cast<int>(std::nearbyint(ex)), static_cast<int>(std::nearbyint(ey)));
                }
            }
            done += part;
            dashLeft -= static_cast<float>(part);
            if (dashLeft <= 0) {
                phase = (phase + 1) % 4;
                dashLeft = phase == 0 ? dash.a : phase == 2 ? dash.b : dash.gap;
            }
        }
    }
    flush();
}

} // namespace ovanto
