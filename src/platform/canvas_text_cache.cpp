#include "platform/canvas_text_cache_p.h"

#include "platform/canvas.h"

#include <QCache>
#include <QCoreApplication>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace ovanto::canvas_detail {

namespace {

// A few fonts per window; more than this means fonts animated by formulas.
constexpr qsizetype kMaxFonts = 64;
constexpr qsizetype kMaxWidths = 4096;
// In pixels: about 8 MB of text images in all.
constexpr qsizetype kRunPixels = 2 * 1024 * 1024;
constexpr qsizetype kMaxRunPixels = 64 * 1024;
constexpr qsizetype kMaxRunText = 256;

struct FontKey {
    QString family;
    int pixelSize;
    unsigned style;
    int dpiX;
    int dpiY;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

struct FontKeyHash {
    size_t operator()(const FontKey& k) const { return qHashMulti(0, k.family, k.pixelSize, k.style, k.dpiX, k.dpiY); }
};

// A plain run has an empty box and flags -1.
struct RunKey {
    quint64 font;
    TColor color;
    QString text;
    int boxWidth;
    int boxHeight;
    int flags;
    friend bool operator==(const RunKey&, const RunKey&) = default;
};

size_t qHash(const RunKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.font, k.color, k.text, k.boxWidth, k.boxHeight, k.flags);
}

struct Caches {
    std::unordered_map<FontKey, std::shared_ptr<CachedFont>, FontKeyHash> fonts;
    QCache<RunKey, CachedFont::Run> runs{kRunPixels};
    quint64 nextSerial = 1;
};

Caches* theCaches = nullptr;

// Fonts must go before the application that owns the font database does.
void dropCaches() {
    delete theCaches;
    theCaches = nullptr;
}

Caches& caches() {
    if (theCaches == nullptr) {
        theCaches = new Caches;
        qAddPostRoutine(dropCaches);
    }
    return *theCaches;
}

QFont makeFont(const CanvasFont& font) {
    QFont f(canvasFontFamily(font.name));
    f.setPixelSize(canvasFontPixelSize(font.size));
    f.setBold(font.style.testFlag(FontStyle::Bold));
    f.setItalic(font.style.testFlag(FontStyle::Italic));
    f.setUnderline(font.style.testFlag(FontStyle::Underline));
    f.setStrikeOut(font.style.testFlag(FontStyle::StrikeOut));
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFontMetrics makeMetrics(const QFont& font, const QPaintDevice* device) {
    return device != nullptr ? QFontMetrics(font, device) : QFontMetrics(font);
}

constexpr int kDotsPerMeterPerDpi = 3937; // in 1/100: 39.37 inches per metre

void findCover(CachedFont::Run& run) {
    const QImage& image = run.image;
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            const QRgb p = row[x];
            if (qAlpha(p) == 0) {
                ++x;
                continue;
            }
            if (qAlpha(p) != 255 || (any && p != run.rgb)) {
                run.cover.clear();
                return;
            }
            run.rgb = p;
            any = true;
            const int left = x;
            while (x < image.width() && row[x] == p) ++x;
            run.cover.push_back({y, left, x - 1});
        }
    }
    run.solid = true;
}

} // namespace

CachedFont::CachedFont(const QFont& font, const QPaintDevice* device, int dpiX, int dpiY)
    : m_font(font),
      m_metrics(makeMetrics(font, device)),
      m_dpiX(dpiX),
      m_dpiY(dpiY),
      m_ascent(m_metrics.ascent()),
      m_height(m_metrics.ascent() + m_metrics.descent()),
      m_serial(caches().nextSerial++) {}

int CachedFont::width(const QString& text) {
    if (const auto it = m_widths.find(text); it != m_widths.end()) return it->second;
    if (m_widths.size() >= kMaxWidths) m_widths.clear();
    const int w = m_metrics.horizontalAdvance(text);
    m_widths.emplace(text, w);
    return w;
}

const CachedFont::Run* CachedFont::run(const QString& text, TColor color) {
    return keep(text, color, QSize(width(text), m_height), -1,
                [&](QPainter& p, int pad) { p.drawText(QPoint(pad, pad + m_ascent), text); });
}

const CachedFont::Run* CachedFont::boxedRun(const QString& text, TColor color, QSize size, int flags) {
    if (size.isEmpty()) return nullptr;
    return keep(text, color, size, flags,
                [&](QPainter& p, int pad) { p.drawText(QRect(QPoint(pad, pad), size), flags, text); });
}

std::optional<QRect> CachedFont::runFrame(QSize size) const {
    // Room for overhangs: italics, underlines and glyphs that reach past their advance.
    const int pad = std::max(4, m_font.pixelSize());
    const qsizetype w = qsizetype(size.width()) + 2 * qsizetype(pad);
    const qsizetype h = qsizetype(size.height()) + 2 * qsizetype(pad);
    if (w * h > kMaxRunPixels) return std::nullopt;
    return QRect(-pad, -pad, int(w), int(h));
}

std::optional<QRect> CachedFont::runReach(const QString& text, QPoint at) {
    if (text.size() > kMaxRunText || m_dpiX <= 0 || m_dpiY <= 0) return std::nullopt;
    const std::optional<QRect> frame = runFrame(QSize(width(text), m_height));
    if (!frame) return std::nullopt;
    return frame->translated(at);
}

template <class DrawText>
const CachedFont::Run* CachedFont::keep(const QString& text, TColor color, QSize size, int flags, DrawText&& draw) {
    if (text.size() > kMaxRunText || m_dpiX <= 0 || m_dpiY <= 0) return nullptr;
    Caches& c = caches();
    const bool boxed = flags >= 0;
    RunKey key{m_serial, color, text, boxed ? size.width() : 0, boxed ? size.height() : 0, flags};
    if (const Run* found = c.runs.object(key)) return found;
    const std::optional<QRect> frame = runFrame(size);
    if (!frame) return nullptr;
    const int pad = -frame->left();
    auto run = std::make_unique<Run>();
    run->image = QImage(frame->size(), QImage::Format_ARGB32_Premultiplied);
    run->image.setDotsPerMeterX(m_dpiX * kDotsPerMeterPerDpi / 100);
    run->image.setDotsPerMeterY(m_dpiY * kDotsPerMeterPerDpi / 100);
    run->image.fill(Qt::transparent);
    run->origin = QPoint(pad, pad);
    {
        QPainter p(&run->image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(m_font);
        p.setPen(QPen(toQColor(color)));
        draw(p, pad);
    }
    findCover(*run);
    const Run* kept = run.get();
    if (!c.runs.insert(key, run.release(), qsizetype(frame->width()) * frame->height())) return nullptr;
    return kept;
}

std::shared_ptr<CachedFont> cachedFont(const CanvasFont& font, const QPaintDevice* device) {
    const int dpiX = device != nullptr ? device->logicalDpiX() : 0;
    const int dpiY = device != nullptr ? device->logicalDpiY() : 0;
    FontKey key{canvasFontFamily(font.name), canvasFontPixelSize(font.size), unsigned(font.style.toInt()), dpiX,
                dpiY};
    Caches& c = caches();
    if (const auto it = c.fonts.find(key); it != c.fonts.end()) {
        it->second->noteAsked(font);
        return it->second;
    }
    if (c.fonts.size() >= kMaxFonts) c.fonts.clear();
    auto made = std::make_shared<CachedFont>(makeFont(font), device, dpiX, dpiY);
    made->noteAsked(font);
    c.fonts.emplace(std::move(key), made);
    return made;
}

} // namespace ovanto::canvas_detail
