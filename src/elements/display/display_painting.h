#pragma once

#include "elements/core/rect.h"
#include "platform/colors.h"

#include <QSize>
#include <QString>

namespace ovanto {

class Canvas;

// Drawing shared by the digital displays.

inline constexpr TColor kLightGrey = 12632256;
inline constexpr TColor kDarkGrey = 8421504;

// A sunken edge inside box, pen width 2: light along the bottom and up the
// right side, dark grey back along the top and down the left side.
void DrawSunkenBevel(Canvas& canvas, const Rect& box, TColor light);

// The black frame of the digit and text LCDs over the grown box: type 1 a
// black box, type 2 a black box with a sunken edge, any other type nothing.
void DrawDigitFrame(Canvas& canvas, const Rect& box, int borderType, int borderWidth);

// Width and line height of a text in a font, measured as a paint would
// measure it, for bounds asked for outside a paint.
QSize MeasureText(const QString& fontName, int size, const QString& text);

// Sets the font of the text displays: name, size in points, no background.
void UseDisplayFont(Canvas& canvas, const QString& fontName, int size);

} // namespace ovanto
