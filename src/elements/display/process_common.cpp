#include "elements/display/process_common.h"

#include "elements/core/formula/parse_float.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {

bool IsUnbound(const TGraph& element, int input) { return element.text(input) == QLatin1String("-1"); }

long double InputOrZero(const TGraph& element, int input) {
    int code = 0;
    if (TryParseInt(element.text(input).toStdString(), code) && code == 0) return 0;
    return element.ChannelValue(input);
}

long double FreeFormula::value(const QString& text, const SignalTable& table) {
    if (text != m_source || m_program.text().empty()) {
        m_source = text;
        m_program.setText(text.toStdString());
    }
    return m_program.evaluate(table);
}

int FreeFormula::intValue(const QString& text, const SignalTable& table) { return ToCoord(value(text, table)); }

int PenWidthOf(int lineType) { return lineType > 0 ? lineType : 1; }

void StrokeSegment(Canvas& canvas, const Segment& s) {
    canvas.moveTo(s.from.x(), s.from.y());
    canvas.lineTo(s.to.x(), s.to.y());
    const CanvasPen& pen = canvas.pen();
    if (pen.width <= 1 && pen.style == PenStyle::Solid && pen.mode == PenMode::Copy)
        canvas.setPixel(s.to.x(), s.to.y(), pen.color);
}

void StrokeSegments(Canvas& canvas, std::span<const Segment> segments) {
    for (const Segment& s : segments) StrokeSegment(canvas, s);
}

void UseFill(Canvas& canvas, TColor color) {
    canvas.setBrushColor(color);
    canvas.setBrushStyle(color < 0 ? BrushStyle::Clear : BrushStyle::Solid);
}

} // namespace ovanto
