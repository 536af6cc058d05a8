#include "elements/display/fill_pattern.h"

namespace ovanto {

bool FillPatternBrush(int pattern, BrushStyle& style) {
    static constexpr BrushStyle kHatches[] = {BrushStyle::BDiagonal, BrushStyle::FDiagonal, BrushStyle::Cross,
                                              BrushStyle::DiagCross, BrushStyle::Horizontal, BrushStyle::Vertical};
    if (pattern < 1 || pattern > 6) return false;
    style = kHatches[pattern - 1];
    return true;
}

} // namespace ovanto
