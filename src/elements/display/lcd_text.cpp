#include "elements/display/lcd_text.h"

#include "elements/core/element_registry.h"
#include "elements/core/format_pattern.h"
#include "elements/display/digit_displays.h"
#include "elements/display/display_geometry.h"
#include "elements/display/display_painting.h"
#include "elements/display/glyphs.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

constexpr PropertyDef kLcdTextRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Text("Format", "%4.1f"),
    rows::Float("Input", "1"),
    rows::Plain("BorderType", "0"),
    rows::Plain("BorderWidth", "1"),
    rows::Plain("Size (0-10)", "1"),
};
static_assert(RowsMatch<TLCDTextGraph>(kLcdTextRows));
constexpr ElementSchema kLcdText{.keyword = "LCDTEXT", .rows = kLcdTextRows};

constexpr int kAsterisk = 42;

int clampedSize(int size) { return std::clamp(size, 0, 10); }

} // namespace

TLCDTextGraph::TLCDTextGraph(ElementContext& window) : TGraph(window, kLcdText) {
    setText(kRGBStroke, QString::number(kGlyphLit));
}

void TLCDTextGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    WriteCyanStrokeDefault(propGrid, withDefaults);
}

QString TLCDTextGraph::displayText() const { return FormatValue(text(kFormat), ChannelValue(kInput)); }

std::optional<Rect> TLCDTextGraph::outlineBox() const {
    const QSize cell = LcdTextCell(intValue(kSize));
    return CellRowBox(evaluateInt(kX), evaluateInt(kY), cell, displayText().size(),
                      DigitFrameMargin(intValue(kBorderType), intValue(kBorderWidth)));
}

const Picture& TLCDTextGraph::character(int code, bool small, TColor stroke) {
    if (stroke != m_charactersColor) {
        m_characters.clear();
        m_charactersColor = stroke;
    }
    if (!HasLcdCharacter(code)) code = kAsterisk;
    const int key = small ? -1 - code : code;
    auto it = m_characters.find(key);
    if (it != m_characters.end()) return it->second;
    QImage image = LcdCharacterImage(code, small);
    if (stroke != kGlyphLit) {
        image.detach();
        const QRgb fromLit = toQRgb(kGlyphLit), fromDim = toQRgb(kTextDim);
        const QRgb toLit = toQRgb(stroke), toDim = toQRgb(rgbColor(redOf(stroke) >> 1, greenOf(stroke) >> 1, blueOf(stroke) >> 1));
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == fromLit) line[x] = toLit;
                else if (line[x] == fromDim) line[x] = toDim;
            }
        }
    }
    return m_characters.emplace(key, Picture(image)).first->second;
}

// A pattern that does not take a float ends this paint of the element only.
void TLCDTextGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const QString shown = displayText();
        const int size = clampedSize(intValue(kSize));
        const QSize cell = LcdTextCell(size);
        const int x = evaluateInt(kX);
        DrawDigitFrame(canvas,
                       CellRowBox(x, evaluateInt(kY), cell, shown.size(),
                                  DigitFrameMargin(intValue(kBorderType), intValue(kBorderWidth))),
                       intValue(kBorderType), intValue(kBorderWidth));
        const int top = ToPixel(1LL * evaluateInt(kY) - cell.height());
        if (top >= canvas.height() || top + cell.height() <= 0) return;
        const TColor stroke = evaluateInt(kRGBStroke) & 0xFFFFFF;
        const PositionRange visible = VisiblePositions(x, cell.width(), shown.size(), canvas.width());
        for (long long p = visible.first; p <= visible.last; ++p) {
            const Picture& picture = character(shown[static_cast<qsizetype>(p - 1)].unicode(), size == 0, stroke);
            const int left = static_cast<int>(x + cell.width() * (p - 1));
            if (size <= 1) canvas.draw(left, top, picture);
            else canvas.stretchDraw(left, top, left + cell.width(), top + cell.height(), picture);
        }
    });
}

void RegisterLcdText() { RegisterElementClass<TLCDTextGraph>(kLcdText); }

} // namespace ovanto
