#pragma once

#include "elements/core/formula/evaluate.h"
#include "elements/core/tgraph.h"
#include "elements/display/process_geometry.h"

#include <QString>

#include <span>

namespace ovanto {

class Canvas;

// An "Input" of "-1" binds no signal: the element shows its neutral look.
bool IsUnbound(const TGraph& element, int input);
// The channel value of an input, except that the text "0" reads as 0 (no
// flow) rather than as the sentinel of an invalid channel.
long double InputOrZero(const TGraph& element, int input);

// A free-text property ("RGBBack", "RGBSlider", "RGBFill-") evaluated as a
// formula; the compiled program is kept until the text changes.
class FreeFormula {
public:
    long double value(const QString& text, const SignalTable& table);
    // Rounded ties to even; raises when not finite or beyond the int range.
    int intValue(const QString& text, const SignalTable& table);

private:
    QString m_source;
    PropertyText m_program;
};

// The pen width a line type gives (dash styles and "no line" count as 1).
int PenWidthOf(int lineType);
// Lines with both end points painted; LineTo alone leaves out the last one.
void StrokeSegment(Canvas& canvas, const Segment& segment);
void StrokeSegments(Canvas& canvas, std::span<const Segment> segments);
// Brush colour, cleared for a negative colour.
void UseFill(Canvas& canvas, TColor color);

} // namespace ovanto
