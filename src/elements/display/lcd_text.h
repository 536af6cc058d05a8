#pragma once

#include "elements/core/tgraph.h"
#include "platform/picture.h"

#include <map>

namespace ovanto {

// Formatted text on a dot-matrix LCD, one character cell per character.
class TLCDTextGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kFormat, kInput, kBorderType, kBorderWidth, kSize, kPropertyEnd };

    explicit TLCDTextGraph(ElementContext& window);
    void InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) override;
    void Draw(Canvas& canvas) override;

    // The text for the current input; raises when the pattern does not take a float.
    QString displayText() const;

private:
    std::optional<Rect> outlineBox() const override;
    // The character's picture in the current colour; characters without one show an asterisk.
    const Picture& character(int code, bool small, TColor stroke);

    // Recoloured characters of the last stroke colour, dropped when it changes.
    std::map<int, Picture> m_characters;
    TColor m_charactersColor = -1;
};

void RegisterLcdText();

} // namespace ovanto
