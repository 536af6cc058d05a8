#pragma once

#include <QColor>
#include <QRgb>

namespace ovanto {

// A colour as the configuration stores it: 0x00BBGGRR in an int. Negative
// values are flags of the callers (no fill); the helpers below use the low 24 bits.
using TColor = int;

inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kWhite = 0xFFFFFF;
// What a pixel read answers outside the picture or the clip rectangle.
inline constexpr TColor kInvalidColor = -1;

constexpr TColor rgbColor(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

constexpr int redOf(TColor color) {
    return color & 0xFF;
}
constexpr int greenOf(TColor color) {
    return (color >> 8) & 0xFF;
}
constexpr int blueOf(TColor color) {
    return (color >> 16) & 0xFF;
}

// Opaque QRgb (0xAARRGGBB) of a TColor.
constexpr QRgb toQRgb(TColor color) {
    return 0xFF000000u | (static_cast<QRgb>(redOf(color)) << 16) | (static_cast<QRgb>(greenOf(color)) << 8) |
           static_cast<QRgb>(blueOf(color));
}

constexpr TColor fromQRgb(QRgb rgb) {
    return rgbColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF));
}

inline QColor toQColor(TColor color) {
    return QColor::fromRgb(toQRgb(color));
}
inline TColor fromQColor(const QColor& color) {
    return fromQRgb(color.rgb());
}

} // namespace ovanto
