#pragma once

#include <QImage>

namespace ovanto {

constexpr int kPaletteIconSize = 24;

// The 24 x 24 picture of a palette button: the kind's default look drawn by
// the element itself and scaled into the square, on a transparent ground.
// Drawn once per process on first use and kept. A null image for an unknown tag.
const QImage& PaletteIcon(int tag);

} // namespace ovanto
