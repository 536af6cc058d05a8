#include "platform/canvas.h"

#include "platform/canvas_painter_p.h"
#include "platform/canvas_text_cache_p.h"

#include <algorithm>
#include <cmath>

namespace ovanto {

using namespace canvas_detail;

namespace {

// Beyond this a glyph cache entry is larger than any window.
constexpr int kMaxFontPixels = 2000;

int textFlagsOf(TextFormats format) {
    int flags = 0;
    if (format.testFlag(TextFormat::HCenter))
        flags |= Qt::AlignHCenter;
    else if (format.testFlag(TextFormat::Right))
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format.testFlag(TextFormat::VCenter))
        flags |= Qt::AlignVCenter;
    else if (format.testFlag(TextFormat::Bottom))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format.testFlag(TextFormat::SingleLine)) flags |= Qt::TextSingleLine;
    if (format.testFlag(TextFormat::WordBreak)) flags |= Qt::TextWordWrap;
    if (format.testFlag(TextFormat::NoClip)) flags |= Qt::TextDontClip;
    return flags;
}

// Opaque pixels over the picture are the text's own: written straight into the
// image (when given) they come out as the painter would blend them, without its
// per-image setup.
void drawRun(const CachedFont::Run& run, QPoint at, QImage* image, const QRect& bounds, QPainter& painter) {
    if (!run.solid || image == nullptr) {
        painter.drawImage(at, run.image);
        return;
    }
    fillRunsAt(*image, run.cover, at, bounds, run.rgb);
}

} // namespace

QString canvasFontFamily(const QString& name) {
    static const QString sans = QStringLiteral("Liberation Sans");
    static const QString mono = QStringLiteral("Liberation Mono");
    static const QString serif = QStringLiteral("Liberation Serif");
    // Asked at every font change: compared in place rather than lower-cased into a copy.
    const QStringView key = QStringView(name).trimmed();
    const auto is = [&](const char* known) { return key.compare(QLatin1StringView(known), Qt::CaseInsensitive) == 0; };
    if (is("courier new") || is("liberation mono")) return mono;
    if (is("times new roman") || is("liberation serif")) return serif;
    // Arial, "MS Sans Serif", "Small Fonts" and every name we do not know.
    return sans;
}

int canvasFontPixelSize(int points) {
    // Always 96 DPI, whatever the screen says, so that renders match everywhere.
    const long long pixels = std::llround(std::abs(static_cast<double>(points)) * 96.0 / 72.0);
    return static_cast<int>(std::clamp<long long>(pixels, 1, kMaxFontPixels));
}

void Canvas::setFont(const CanvasFont& font) {
    if (m_state.font == font) return;
    m_state.font = font;
    m_fontDirty = true;
}

void Canvas::setFontName(const QString& name) {
    if (m_state.font.name == name) return;
    m_state.font.name = name;
    m_fontDirty = true;
}

void Canvas::setFontSize(int points) {
    if (m_state.font.size == points) return;
    m_state.font.size = points;
    m_fontDirty = true;
}

// Text takes its colour from a pen of its own; the QFont does not change.
void Canvas::setFontColor(TColor color) {
    m_state.font.color = color;
}

void Canvas::setFontStyle(FontStyles style) {
    if (m_state.font.style == style) return;
    m_state.font.style = style;
    m_fontDirty = true;
}

void Canvas::setTextOpaque(bool opaque) {
    m_state.textOpaque = opaque;
}

void Canvas::ensureFont() {
    if (!m_fontDirty) return;
    // A font set back after a restore is usually the one this canvas holds.
    if (!m_paint->font || !m_paint->font->answers(m_state.font))
        m_paint->font = cachedFont(m_state.font, m_active ? m_paint->painter->device() : nullptr);
    m_fontDirty = false;
    m_paint->fontSet = false;
}

void Canvas::useFont() {
    ensureFont();
    if (m_paint->fontSet) return;
    m_paint->painter->setFont(m_paint->font->font());
    m_paint->fontSet = true;
}

int Canvas::textWidth(const QString& text) {
    ensureFont();
    return m_paint->font->width(text);
}

int Canvas::textHeight(const QString&) {
    ensureFont();
    return m_paint->font->height();
}

void Canvas::textOut(int x, int y, const QString& text) {
    if (!m_active || text.isEmpty()) return;
    x = clampCoord(x);
    y = clampCoord(y);
    ensureFont();
    useCopyMode();
    CachedFont& font = *m_paint->font;
    if (m_state.textOpaque)
        m_paint->painter->fillRect(QRect(x, y, font.width(text), font.height()), toQColor(m_state.brush.color));
    if (m_paint->textRuns) {
        // A text wholly outside the clip (a label beside a repainted area) is not looked up.
        if (!m_state.textOpaque)
            if (const std::optional<QRect> reach = font.runReach(text, QPoint(x, y)); reach && !reach->intersects(pixelBounds()))
                return;
        if (const CachedFont::Run* run = font.run(text, m_state.font.color)) {
            drawRun(*run, QPoint(x - run->origin.x(), y - run->origin.y()), writesPixels() ? m_image : nullptr,
                    pixelBounds(), *m_paint->painter);
            return;
        }
    }
    useFont();
    useTextPen();
    m_paint->painter->drawText(QPoint(x, y + font.ascent()), text);
}

void Canvas::textOutTurned(int x, int y, const QString& text, int tenthsOfDegree) {
    if (!m_active || text.isEmpty()) return;
    x = clampCoord(x);
    y = clampCoord(y);
    useFont();
    useCopyMode();
    useTextPen();
    QPainter& painter = *m_paint->painter;
    const QTransform before = painter.transform();
    painter.translate(x, y);
    painter.rotate(-static_cast<double>(tenthsOfDegree % 3600) / 10.0);
    painter.drawText(QPoint(0, m_paint->font->ascent()), text);
    painter.setTransform(before);
}

void Canvas::textRect(int left, int top, int right, int bottom, const QString& text, TextFormats format) {
    const Box box = normalisedBox(left, top, right, bottom);
    if (!m_active || text.isEmpty()) return;
    useFont();
    useCopyMode();
    const QRect rect(box.left, box.top, box.width(), box.height());
    if (m_paint->textRuns && !m_state.textOpaque && textRectFromRun(rect, text, format))
        return;
    const int flags = textFlagsOf(format);
    if (m_state.textOpaque) {
        QRect behind = m_paint->painter->boundingRect(rect, flags, text);
        if (!format.testFlag(TextFormat::NoClip)) behind &= rect;
        m_paint->painter->fillRect(behind, toQColor(m_state.brush.color));
    }
    useTextPen();
    m_paint->painter->drawText(rect, flags, text);
}

// Qt lays out a boxed text the same way wherever the box lies, so the layout
// is drawn once per text, font and box size and kept as an image. Text that may
// run out of an unclipped box goes to Qt.
bool Canvas::textRectFromRun(const QRect& box, const QString& text, TextFormats format) {
    if (format.testFlag(TextFormat::NoClip)) return false;
    const CachedFont::Run* run = m_paint->font->boxedRun(text, m_state.font.color, box.size(), textFlagsOf(format));
    if (run == nullptr) return false;
    drawRun(*run, QPoint(box.left() - run->origin.x(), box.top() - run->origin.y()), writesPixels() ? m_image : nullptr,
            pixelBounds(), *m_paint->painter);
    return true;
}

CanvasFontMetrics::CanvasFontMetrics(const CanvasFont& font) : m_font(cachedFont(font, nullptr)) {}

int CanvasFontMetrics::width(const QString& text) const { return m_font->width(text); }

int CanvasFontMetrics::height() const { return m_font->height(); }

} // namespace ovanto
