#include "platform/canvas.h"

#include "platform/canvas_painter_p.h"
#include "platform/canvas_text_cache_p.h"

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

} // namespace

QString canvasFontFamily(const QString& name) {
    static const QString sans = QStringLiteral("Liberation Sans");
    static const QString mono = QStringLiteral("Liberation Mono");
    static const QString serif = QStringLiteral("Liberation Serif");
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("courier new") || key == QLatin1String("liberation mono")) return mono;
    if (key == QLatin1String("times new roman") || key == QLatin1String("liberation serif")) return serif;
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
        if (const CachedFont::Run* run = font.run(text, m_state.font.color)) {
            m_paint->painter->drawImage(QPoint(x - run->origin.x(), y - run->origin.y()), run->image);
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
    if (m_paint->textRuns && !m_state.textOpaque && !format.testFlag(TextFormat::WordBreak) && textRectFromRun(rect, text, format))
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

// One line that fits its box is a kept text image placed where Qt's layout
// puts it; anything else goes to Qt.
bool Canvas::textRectFromRun(const QRect& box, const QString& text, TextFormats format) {
    for (const QChar c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t')) return false;
    CachedFont& font = *m_paint->font;
    const int w = font.width(text), h = font.height();
    if (w > box.width() || h > box.height()) return false;
    int x = box.left(), y = box.top();
    if (format.testFlag(TextFormat::HCenter)) x += (box.width() - w + 1) / 2;
    else if (format.testFlag(TextFormat::Right)) x += box.width() - w;
    if (format.testFlag(TextFormat::VCenter)) y += (box.height() - h + 1) / 2;
    else if (format.testFlag(TextFormat::Bottom)) y += box.height() - h;
    const CachedFont::Run* run = font.run(text, m_state.font.color);
    if (run == nullptr) return false;
    const QPoint at(x - run->origin.x(), y - run->origin.y());
    if (!format.testFlag(TextFormat::NoClip) && !box.contains(QRect(at, run->image.size()))) return false;
    m_paint->painter->drawImage(at, run->image);
    return true;
}

} // namespace ovanto
