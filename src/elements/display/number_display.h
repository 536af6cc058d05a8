#pragma once

#include "elements/core/tgraph.h"
#include "elements/display/kept_result.h"

#include <QSize>

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
    struct Shown {
        QString text;
        QSize extent;
    };
    struct ShownKey {
        KeyNumber value;
        int size = 0;
        QString format, font;
        friend bool operator==(const ShownKey&, const ShownKey&) = default;
    };
    // The text and its measure, worked out again only when what they come from changes.
    const Shown& shown() const;

    std::optional<Rect> outlineBox() const override;
    // The text box for a text of the given size: the fixed width or the text's own.
    Rect textBox(int textWidth, int textHeight) const;

    mutable KeptResult<ShownKey, Shown> m_shown;
};

void RegisterNumberDisplay();

} // namespace ovanto
