#include "elements/display/display_painting.h"

#include "platform/canvas.h"

#include <QImage>

namespace ovanto {

// Filled pieces in place of the two-pixel lines of the sunken edge: the same
// pixels as the lines with their round ends, without a stroker per paint.
// Boxes too small for an inside keep the lines.
void DrawSunkenBevel(Canvas& canvas, const Rect& box, TColor light) {
    const Rect b = box.normalized();
    const int left = b.left + 2, right = b.right - 2, top = b.top + 2, bottom = b.bottom - 2;
    if (right - left < 1 || bottom - top < 1) {
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenWidth(2);
        canvas.setPenColor(light);
        canvas.moveTo(left, bottom);
        canvas.lineTo(right, bottom);
        canvas.lineTo(right, top);
        canvas.setPenColor(kDarkGrey);
        canvas.lineTo(left, top);
        canvas.lineTo(left, bottom);
        return;
    }
    CanvasStateSaver saver(canvas);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(light);
    // A 2-pixel pen covers the row (column) of its line and the one above (left of) it.
    canvas.fillRect(left - 1, bottom - 1, right + 1, bottom + 1);
    canvas.fillRect(right - 1, top - 1, right + 1, bottom + 1);
    canvas.setBrushColor(kDarkGrey);
    canvas.fillRect(left - 1, top - 1, right + 1, top + 1);
    canvas.fillRect(left - 1, top - 1, left + 1, bottom + 1);
}

void DrawDigitFrame(Canvas& canvas, const Rect& box, int borderType, int borderWidth) {
    if (borderType != 1 && borderType != 2) return;
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenColor(kBlack);
    canvas.setPenWidth(borderWidth);
    canvas.setBrushColor(kBlack);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.rectangle(box.left, box.top, box.right, box.bottom);
    if (borderType == 2) DrawSunkenBevel(canvas, box, kLightGrey);
}

void UseDisplayFont(Canvas& canvas, const QString& fontName, int size) {
    canvas.setFontName(fontName);
    canvas.setFontSize(size);
    canvas.setTextOpaque(false);
}

QSize MeasureText(const QString& fontName, int size, const QString& text) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    Canvas canvas(scratch);
    UseDisplayFont(canvas, fontName, size);
    return {canvas.textWidth(text), canvas.textHeight(text)};
}

} // namespace ovanto
