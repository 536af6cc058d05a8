#pragma once

#include "platform/canvas.h"

namespace ovanto {

// The hatch a "FillPattern (0=none)" value names: 1 backward diagonal,
// 2 forward diagonal, 3 cross, 4 diagonal cross, 5 horizontal, 6 vertical.
// Any other value names none and gives false.
bool FillPatternBrush(int pattern, BrushStyle& style);

// Draws a shape a second time with the hatch in the pen colour, anchored at
// (x, y), so the hatch moves with the shape. The brush is solid afterwards.
template <class DrawShape>
void DrawFillPattern(Canvas& canvas, int pattern, int x, int y, DrawShape drawShape) {
    BrushStyle hatch = BrushStyle::Solid;
    if (!FillPatternBrush(pattern, hatch)) return;
    canvas.setBrushColor(canvas.pen().color);
    canvas.setBrushStyle(hatch);
    canvas.setBrushOrigin(x, y);
    drawShape();
    canvas.setBrushStyle(BrushStyle::Solid);
}

} // namespace ovanto
