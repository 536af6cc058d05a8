#pragma once

#include "platform/colors.h"

#include <QImage>
#include <QString>

#include <optional>

namespace ovanto {

// A bitmap as the elements use it: loaded from BMP or PNG, drawn on a Canvas,
// optionally transparent. Copies share the pixels until one of them changes.
class Picture {
public:
    Picture() = default;
    explicit Picture(const QImage& image);

    // An empty picture when the file cannot be read.
    static Picture fromFile(const QString& path);
    bool load(const QString& path);

    bool isEmpty() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

    // kInvalidColor outside the picture.
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);
    // Every pixel of colour `from` becomes `to` (recolouring of glyphs and symbols).
    void replaceColor(TColor from, TColor to);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent) { m_transparent = transparent; }
    // The colour left out when transparent: the bottom-left pixel unless one was set.
    TColor transparentColor() const;
    void setTransparentColor(TColor color) { m_fixedTransparent = color; }
    void resetTransparentColor() { m_fixedTransparent.reset(); }

    // What a Canvas paints: the image itself, or a copy with the transparent
    // colour cut out (kept until the picture or its transparent colour changes).
    const QImage& paintImage() const;

private:
    void adopt(const QImage& image);
    void changed() { m_masked = QImage(); }

    QImage m_image;
    bool m_transparent = false;
    std::optional<TColor> m_fixedTransparent;
    mutable QImage m_masked;
    mutable TColor m_maskedColor = kInvalidColor;
};

} // namespace ovanto
