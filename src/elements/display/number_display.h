#pragma once

#include "elements/core/tgraph.h"

namespace ovanto {

// A value as formatted text standing on (x, y), with an optional border.
class TNumberGraph final : public TGraph {
public:
    enum { kX = kFirstClassProperty, kY, kSize, kFont, kFormat, kInput, kBorderType, kBorderWidth, kWidth, kPropertyEnd };

    explicit TNumberGraph(ElementContext& window);
    void Draw(Canvas& canvas) override;

    // The text shown for the current input.
    QString displayText() const;

private:
    std::optional<Rect> outlineBox() const override;
    // The text box for a text of the given size: the fixed width or the text's own.
    Rect textBox(int textWidth, int textHeight) const;
};

void RegisterNumberDisplay();

} // namespace ovanto
