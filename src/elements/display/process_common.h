#pragma once

#include "elements/core/formula/evaluate.h"
#include "elements/core/tgraph.h"
#include "elements/display/kept_result.h"
#include "elements/display/process_geometry.h"

#include <QString>

#include <array>
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

// The three spoke turns of a phase and radius, worked out again only when one
// of them changes: sine and cosine in long double cost more than the lines.
class KeptSpokes {
public:
    const std::array<SpokeTurn, 3>& turns(long double r, long double phase) {
        return m_turns.get({{r}, {phase}}, [&] { return SpokeTurns(r, phase); });
    }

private:
    struct Key {
        KeyNumber r, phase;
        friend bool operator==(const Key&, const Key&) = default;
    };
    KeptResult<Key, std::array<SpokeTurn, 3>> m_turns;
};

// The pen width a line type gives (dash styles and "no line" count as 1).
int PenWidthOf(int lineType);
// Lines with both end points painted; LineTo alone leaves out the last one.
void StrokeSegment(Canvas& canvas, const Segment& segment);
void StrokeSegments(Canvas& canvas, std::span<const Segment> segments);
// Brush colour, cleared for a negative colour.
void UseFill(Canvas& canvas, TColor color);

} // namespace ovanto
