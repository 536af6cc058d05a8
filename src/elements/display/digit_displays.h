#pragma once

#include "elements/core/tgraph.h"
#include "elements/display/display_geometry.h"
#include "platform/picture.h"

#include <array>

namespace ovanto {

// An element's own copies of the glyphs of one display kind, recoloured only
// when the realised stroke colour changes, so that elements never share a
// recolouring and the per-pixel work is not paid every paint.
class DigitGlyphCopies {
public:
    explicit DigitGlyphCopies(DigitKind kind);

    // The lit colour as the glyphs were drawn; the element's first stroke colour.
    TColor litColor() const { return m_lit; }
    // Brings the copies to `stroke`: lit pixels become it, dim ones half of it.
    void recolour(TColor stroke);
    const Picture& glyph(DigitFace face, int index) const;

private:
    DigitKind m_kind;
    TColor m_lit;
    // [0] the normal list, [1] the small LCD or the big seven-segment list.
    std::array<std::array<Picture, kDigitGlyphCount>, 2> m_copies;
};

// A number of FormatWidth digits standing on (x, y), built from LCD glyphs.
class TLCDGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kFormatWidth, kFormatPrecision, kInput, kBorderType, kBorderWidth, kSize, kPropertyEnd };

    explicit TLCDGraph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
    DigitGlyphCopies m_glyphs;
};

// The same from seven-segment glyphs.
class TSeg7Graph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kFormatWidth, kFormatPrecision, kInput, kBorderType, kBorderWidth, kSize, kPropertyEnd };

    explicit TSeg7Graph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void Draw(Canvas& canvas) override;

private:
    std::optional<Rect> outlineBox() const override;
    DigitGlyphCopies m_glyphs;
};

// Rows 1..3 of the displays that start cyan show that colour as their default.
void WriteCyanStrokeDefault(TextGrid& propGrid, bool withDefaults);

void RegisterDigitDisplays();

} // namespace ovanto
