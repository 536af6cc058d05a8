#include "elements/display/display_painting.h"

#include "platform/canvas.h"

#include <QImage>

namespace ovanto {

void DrawSunkenBevel(Canvas& canvas, const Rect& box, TColor light) {
    const Rect b = box.normalized();
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(2);
    canvas.setPenColor(light);
    canvas.moveTo(b.left + 2, b.bottom - 2);
    canvas.lineTo(b.right - 2, b.bottom - 2);
    canvas.lineTo(b.right - 2, b.top + 2);
    canvas.setPenColor(kDarkGrey);
    canvas.lineTo(b.left + 2, b.top + 2);
    canvas.lineTo(b.left + 2, b.bottom - 2);
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
