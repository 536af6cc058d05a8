#include "platform/picture.h"

#include <QImageReader>

namespace ovanto {

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFFu;

QRgb* pixelRow(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

} // namespace

Picture::Picture(const QImage& image) {
    adopt(image);
}

Picture Picture::fromFile(const QString& path) {
    Picture picture;
    picture.load(path);
    return picture;
}

bool Picture::load(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(false);
    adopt(reader.read());
    return !isEmpty();
}

// Two 32-bit layouts only, so pixel access is one word per pixel.
void Picture::adopt(const QImage& image) {
    if (image.isNull())
        m_image = QImage();
    else if (image.hasAlphaChannel())
        m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else
        m_image = image.convertToFormat(QImage::Format_RGB32);
    changed();
}

TColor Picture::pixel(int x, int y) const {
    if (!m_image.valid(x, y)) return kInvalidColor;
    const QRgb p = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return fromQRgb(m_image.format() == QImage::Format_RGB32 ? p : qUnpremultiply(p));
}

void Picture::setPixel(int x, int y, TColor color) {
    if (!m_image.valid(x, y)) return;
    pixelRow(m_image, y)[x] = toQRgb(color);
    changed();
}

void Picture::replaceColor(TColor from, TColor to) {
    if (isEmpty()) return;
    const QRgb key = toQRgb(from) & kRgbMask;
    const QRgb value = toQRgb(to);
    const bool premultiplied = m_image.format() != QImage::Format_RGB32;
    for (int y = 0; y < m_image.height(); ++y) {
        QRgb* row = pixelRow(m_image, y);
        for (int x = 0; x < m_image.width(); ++x) {
            const QRgb p = premultiplied ? qUnpremultiply(row[x]) : row[x];
            if ((p & kRgbMask) == key && qAlpha(p) == 255) row[x] = value;
        }
    }
    changed();
}

TColor Picture::transparentColor() const {
    if (m_fixedTransparent) return *m_fixedTransparent;
    return pixel(0, height() - 1);
}

const QImage& Picture::paintImage() const {
    if (!m_transparent || isEmpty()) return m_image;
    const TColor color = transparentColor();
    if (!m_masked.isNull() && m_maskedColor == color) return m_masked;
    m_masked = m_image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb key = toQRgb(color) & kRgbMask;
    const bool premultiplied = m_image.format() != QImage::Format_RGB32;
    for (int y = 0; y < m_masked.height(); ++y) {
        QRgb* row = pixelRow(m_masked, y);
        for (int x = 0; x < m_masked.width(); ++x) {
            const QRgb p = premultiplied ? qUnpremultiply(row[x]) : row[x];
            if ((p & kRgbMask) == key) row[x] = 0;
        }
    }
    m_maskedColor = color;
    return m_masked;
}

} // namespace ovanto
