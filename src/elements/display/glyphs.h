#pragma once

#include "platform/colors.h"
#include "platform/picture.h"

#include <QImage>

#include <array>

namespace ovanto {

// The pictures of the digital displays, drawn by our own code on first use.
// Lit parts are cyan on black; unlit segments and dots show in a dimmer cyan,
// so that an element can recolour both from the stroke colour.

// Each digit list holds 16 glyphs: 0..9, E, minus, plus, point, asterisk, blank.
enum class DigitFace { LcdNormal, LcdSmall, Seg7Normal, Seg7Big };
inline constexpr int kDigitGlyphCount = 16;
inline constexpr int kBlankGlyph = 15;
using DigitImageList = std::array<QImage, kDigitGlyphCount>;

inline constexpr TColor kGlyphLit = rgbColor(0, 255, 255); // 16776960
// Half of the lit colour, as recolouring computes it.
inline constexpr TColor kLcdDim = rgbColor(0, 127, 127);
// Seven-segment and text glyphs were drawn with a rounded-up dim colour.
inline constexpr TColor kSeg7Dim = rgbColor(0, 128, 128);
inline constexpr TColor kTextDim = rgbColor(0, 128, 128);

// Shared by every element of the process; elements copy what they recolour.
const DigitImageList& DigitImages(DigitFace face);
// Draws all four lists now, so the first paint does not pay for them.
void PrepareDigitImageLists();

// One character of the text LCD: 11 x 15 (small) or 16 x 22, a 5 x 7 dot
// matrix. Null for the codes that have no picture (see HasLcdCharacter).
bool HasLcdCharacter(int code);
const QImage& LcdCharacterImage(int code, bool small);

// The 18 x 18 lamp pictures, drawn transparently. The lamp itself covers
// the lower left 16 x 16 pixels; its glass is one colour around the fill
// seeds (5, 13) of the round lamp and (3, 11) of the square one.
const Picture& LampPicture(bool rectangular);
inline constexpr int kLampPictureSize = 18;
inline constexpr int kLampSize = 16;
inline constexpr TColor kLampGlass = rgbColor(96, 96, 96);

} // namespace ovanto
