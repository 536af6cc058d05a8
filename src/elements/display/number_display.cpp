#include "elements/display/number_display.h"

#include "elements/core/element_registry.h"
#include "elements/display/display_geometry.h"
#include "elements/display/display_painting.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"

namespace ovanto {
namespace {

// Border fields came with record version 202, the fixed width with 382.
constexpr int kBorderVersion = 201;
constexpr int kWidthVersion = 381;

constexpr PropertyDef kNumberRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("Size", "10"),
    rows::Text("Font", "ARIAL"),
    rows::Text("Format", "%4.1f"),
    rows::Float("Input", "1"),
    rows::Plain("BorderType", "0", kBorderVersion),
    rows::Plain("BorderWidth", "1", kBorderVersion),
    rows::Plain("Width (0=auto)", "0", kWidthVersion),
};
static_assert(RowsMatch<TNumberGraph>(kNumberRows));
constexpr ElementSchema kNumber{.keyword = "NUMBER", .rows = kNumberRows};

bool framed(int borderType) { return borderType >= 1 && borderType <= 4; }

} // namespace

TNumberGraph::TNumberGraph(ElementContext& window) : TGraph(window, kNumber) {}

QString TNumberGraph::displayText() const { return shown().text; }

Rect TNumberGraph::textBox(int textWidth, int textHeight) const {
    const int x = evaluateInt(kX), y = evaluateInt(kY);
    const int fixed = intValue(kWidth);
    return {x, ToPixel(1LL * y - textHeight), ToPixel(1LL * x + (fixed > 0 ? fixed : textWidth)), y};
}

const TNumberGraph::Shown& TNumberGraph::shown() const {
    const ShownKey key{{ChannelValue(kInput)}, evaluateInt(kSize), text(kFormat), text(kFont)};
    return m_shown.get(key, [&] {
        const QString shownText = NumberText(key.format, key.value.value);
        return Shown{shownText, MeasureText(key.font, key.size, shownText)};
    });
}

// The frame is part of the picture, so the bounds hold all of it.
std::optional<Rect> TNumberGraph::outlineBox() const {
    const QSize extent = shown().extent;
    const Rect box = textBox(extent.width(), extent.height());
    const int type = intValue(kBorderType);
    if (!framed(type)) return box;
    return GrowBox(box, NumberFrameMargin(type, intValue(kBorderWidth)));
}

void TNumberGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Shown& kept = shown();
        UseDisplayFont(canvas, text(kFont), evaluateInt(kSize));
        // Measured on this canvas: a printer's may differ from the screen's.
        const int textWidth = canvas.textWidth(kept.text), textHeight = canvas.textHeight(kept.text);
        const Rect box = textBox(textWidth, textHeight);
        const int type = intValue(kBorderType);
        if (framed(type)) {
            const int borderWidth = intValue(kBorderWidth);
            const Rect frame = GrowBox(box, NumberFrameMargin(type, borderWidth));
            const int fill = evaluateInt(kRGBFill);
            canvas.setPenStyle(PenStyle::Solid);
            canvas.setPenWidth(borderWidth);
            canvas.setPenColor(type <= 2 ? evaluateInt(kRGBStroke) : kBlack);
            const bool filled = (type == 2 || type == 4) && fill >= 0;
            canvas.setBrushColor(fill);
            canvas.setBrushStyle(filled ? BrushStyle::Solid : BrushStyle::Clear);
            canvas.rectangle(frame.left, frame.top, frame.right, frame.bottom);
            if (type >= 3) DrawSunkenBevel(canvas, frame, type == 4 && fill == kLightGrey ? kWhite : kLightGrey);
        }
        // Centred in a fixed width, ties to even.
        canvas.textOut(ToCoord(box.left + (static_cast<long double>(box.right) - box.left - textWidth) * 0.5L), box.top,
                       kept.text);
    });
}

void RegisterNumberDisplay() { RegisterElementClass<TNumberGraph>(kNumber); }

} // namespace ovanto
