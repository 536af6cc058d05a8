#pragma once

#include "platform/colors.h"

#include <QImage>

namespace ovanto {

// The 8 x 8 two-colour patterns of liquids and flows: one set for tanks and
// horizontal pipes, one for vertical pipes. Numbers 0..4; any other number
// means a plain fill.
enum class PatternSet { Horizontal, Vertical };
inline constexpr int kPatternCount = 5;
inline constexpr int kPatternSize = 8;

bool IsPatternNumber(int number);
// True where the pattern has a stroke-coloured pixel.
bool PatternDot(PatternSet set, int number, int x, int y);

// One element's recoloured copy of the pattern it uses; it recolours only
// when the pattern or one of its two colours changes, so the canvas sees the
// same image from paint to paint.
class PatternCopy {
public:
    // Null for a number that names no pattern.
    const QImage* image(PatternSet set, int number, TColor stroke, TColor fill);

private:
    QImage m_image;
    PatternSet m_set = PatternSet::Horizontal;
    int m_number = -1;
    TColor m_stroke = kInvalidColor;
    TColor m_fill = kInvalidColor;
};

} // namespace ovanto
