#pragma once

#include "platform/canvas_p.h"
#include "platform/canvas_state.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ovanto::canvas_detail {

// Building a QFont and shaping text cost far more than the drawing of a short
// label, and a window draws the same few fonts and labels on every paint. So a
// font is built once per face, size, style and resolution, and measured or drawn
// text is remembered per font.
class CachedFont {
public:
    CachedFont(const QFont& font, const QPaintDevice* device, int dpiX, int dpiY);

    const QFont& font() const { return m_font; }
    // Whether cachedFont last answered this font for the same name, size and
    // style: a canvas that asks again needs no lookup.
    bool answers(const CanvasFont& font) const {
        return font.size == m_askedSize && font.style == m_askedStyle && font.name == m_askedName;
    }
    void noteAsked(const CanvasFont& font) {
        m_askedName = font.name;
        m_askedSize = font.size;
        m_askedStyle = font.style;
    }
    const QFontMetrics& metrics() const { return m_metrics; }
    int ascent() const { return m_ascent; }
    int height() const { return m_height; }
    int width(const QString& text);

    // The text drawn in `color` on a transparent image; `origin` is where the
    // top left of the text lies in it. Null when the text is too large to keep.
    struct Run {
        QImage image;
        QPoint origin;
        // Text without antialiasing covers a pixel fully or not at all: then
        // `solid` is set and the covered pixels, all of colour `rgb`, are
        // `cover` (relative to the image), to be written without blending.
        bool solid = false;
        QRgb rgb = 0;
        std::vector<PixelRun> cover;
    };
    const Run* run(const QString& text, TColor color);
    // Every pixel that run() of the text, placed with its top left at `at`,
    // can set; nullopt when no run would be kept for it.
    std::optional<QRect> runReach(const QString& text, QPoint at);
    // The text laid out by Qt in a box of `size` with Qt's alignment `flags`;
    // `origin` is where the box's top left lies in the image.
    const Run* boxedRun(const QString& text, TColor color, QSize size, int flags);

private:
    // A run's image around a text of `size` at (0, 0), or nullopt when too large to keep.
    std::optional<QRect> runFrame(QSize size) const;
    template <class DrawText>
    const Run* keep(const QString& text, TColor color, QSize size, int flags, DrawText&& draw);

    QFont m_font;
    QFontMetrics m_metrics;
    int m_dpiX;
    int m_dpiY;
    int m_ascent;
    int m_height;
    quint64 m_serial;
    std::unordered_map<QString, int> m_widths;
    QString m_askedName;
    int m_askedSize = 0;
    FontStyles m_askedStyle;
};

// 0 for both resolutions: measured without a device.
std::shared_ptr<CachedFont> cachedFont(const CanvasFont& font, const QPaintDevice* device);

} // namespace ovanto::canvas_detail
