#pragma once

#include "platform/canvas.h"
#include "platform/colors.h"

#include <QImage>
#include <QRect>

#include <functional>

namespace ovanto::test {

inline constexpr TColor kRed = rgbColor(255, 0, 0);
inline constexpr TColor kBlue = rgbColor(0, 0, 255);
inline constexpr TColor kGreen = rgbColor(0, 160, 0);

inline QImage filledImage(TColor color, int width = 32, int height = 32) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toQRgb(color));
    return image;
}

inline QImage whiteImage(int width = 32, int height = 32) {
    return filledImage(kWhite, width, height);
}

// Paints through a Canvas that is gone again when the image is probed.
inline void paint(QImage& image, const std::function<void(Canvas&)>& draw) {
    Canvas canvas(image);
    draw(canvas);
}

inline TColor at(const QImage& image, int x, int y) {
    return fromQRgb(image.pixel(x, y));
}

// The smallest rectangle holding every pixel that differs from the background.
inline QRect inkBounds(const QImage& image, TColor background = kWhite) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (at(image, x, y) != background) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline int countColor(const QImage& image, TColor color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += at(image, x, y) == color ? 1 : 0;
    }
    return count;
}

} // namespace ovanto::test
