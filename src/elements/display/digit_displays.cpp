#include "elements/display/digit_displays.h"

#include "elements/core/element_registry.h"
#include "elements/core/text_grid.h"
#include "elements/display/display_painting.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

// The size row came with record version 357.
constexpr int kSizeVersion = 356;

constexpr PropertyDef kLcdRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Plain("FormatWidth", "4"),
    rows::Plain("FormatPrecision", "1"),
    rows::Float("Input", "1"),
    rows::Plain("BorderType", "0"),
    rows::Plain("BorderWidth", "1"),
    rows::Plain("Size (0-10)", "1", kSizeVersion),
};
static_assert(RowsMatch<TLCDGraph>(kLcdRows));
constexpr ElementSchema kLcd{.keyword = "LCD", .rows = kLcdRows};

constexpr PropertyDef kSeg7Rows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Plain("FormatWidth", "4"),
    rows::Plain("FormatPrecision", "1"),
    rows::Float("Input", "1"),
    rows::Plain("BorderType", "0"),
    rows::Plain("BorderWidth", "1"),
    rows::Plain("Size (1-10)", "1", kSizeVersion),
};
static_assert(RowsMatch<TSeg7Graph>(kSeg7Rows));
constexpr ElementSchema kSeg7{.keyword = "7SEG", .rows = kSeg7Rows};

// Both kinds keep their rows at the same places, so one drawing serves them.
static_assert(int(TLCDGraph::kSize) == int(TSeg7Graph::kSize) && int(TLCDGraph::kX) == int(TSeg7Graph::kX));
enum Row { kX = TLCDGraph::kX, kY, kFormatWidth, kFormatPrecision, kInput, kBorderType, kBorderWidth, kSize };

std::array<DigitFace, 2> facesOf(DigitKind kind) {
    if (kind == DigitKind::Lcd) return {DigitFace::LcdNormal, DigitFace::LcdSmall};
    return {DigitFace::Seg7Normal, DigitFace::Seg7Big};
}

TColor dimOf(DigitFace face) {
    return face == DigitFace::LcdNormal || face == DigitFace::LcdSmall ? kLcdDim : kSeg7Dim;
}

TColor halved(TColor c) { return rgbColor(redOf(c) >> 1, greenOf(c) >> 1, blueOf(c) >> 1); }

// The surface is 24-bit, so a colour is realised as its low three bytes.
TColor realised(TColor c) { return c & 0xFFFFFF; }

Rect digitFrameBox(const TGraph& e, DigitKind kind) {
    const DigitCell cell = DigitCellFor(kind, e.intValue(kSize));
    return CellRowBox(e.evaluateInt(kX), e.evaluateInt(kY), cell.size, e.intValue(kFormatWidth),
                      DigitFrameMargin(e.intValue(kBorderType), e.intValue(kBorderWidth)));
}

void drawDigits(const TGraph& e, Canvas& canvas, DigitGlyphCopies& glyphs, DigitKind kind) {
    const int width = e.intValue(kFormatWidth);
    const QString shown = DigitText(e.ChannelValue(kInput), width, e.intValue(kFormatPrecision));
    glyphs.recolour(e.evaluateInt(TGraph::kRGBStroke));
    const int type = e.intValue(kBorderType);
    DrawDigitFrame(canvas, digitFrameBox(e, kind), type, e.intValue(kBorderWidth));

    const DigitCell cell = DigitCellFor(kind, e.intValue(kSize));
    const int x = e.evaluateInt(kX);
    const int top = ToPixel(1LL * e.evaluateInt(kY) - cell.size.height());
    if (top >= canvas.height() || top + cell.size.height() <= 0) return;
    // Only the cells that reach the picture are drawn, however wide the display.
    const PositionRange visible = VisiblePositions(x, cell.size.width(), width, canvas.width());
    if (visible.last < visible.first) return;
    const std::vector<int> row = DigitGlyphs(shown, static_cast<int>(visible.last));
    for (long long p = visible.first; p <= visible.last; ++p) {
        const Picture& glyph = glyphs.glyph(cell.face, GlyphAtPosition(row, p));
        const int left = static_cast<int>(x + cell.size.width() * (p - 1));
        if (cell.stretched)
            canvas.stretchDraw(left, top, left + cell.size.width(), top + cell.size.height(), glyph);
        else
            canvas.draw(left, top, glyph);
    }
}

} // namespace

// --- glyph copies ------------------------------------------------------------------

DigitGlyphCopies::DigitGlyphCopies(DigitKind kind) : m_kind(kind) {
    const std::array<DigitFace, 2> faces = facesOf(kind);
    for (std::size_t i = 0; i < faces.size(); ++i)
        for (int g = 0; g < kDigitGlyphCount; ++g)
            m_copies[i][static_cast<std::size_t>(g)] = Picture(DigitImages(faces[i])[static_cast<std::size_t>(g)]);
    // The lit colour is learnt from a pixel of the normal zero that is always lit.
    const QPoint litPixel = kind == DigitKind::Lcd ? QPoint(11, 8) : QPoint(9, 1);
    m_lit = m_copies[0][0].pixel(litPixel.x(), litPixel.y());
}

// Always from the untouched lists: recolouring in place would merge the lit
// and dim pixels for good once a stroke colour made them equal (black, say).
void DigitGlyphCopies::recolour(TColor stroke) {
    const TColor lit = realised(stroke);
    if (lit == m_lit) return;
    m_lit = lit;
    const std::array<DigitFace, 2> faces = facesOf(m_kind);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const QRgb fromLit = toQRgb(kGlyphLit), fromDim = toQRgb(dimOf(faces[i]));
        const QRgb toLit = toQRgb(lit), toDim = toQRgb(realised(halved(lit)));
        for (int g = 0; g < kDigitGlyphCount; ++g) {
            QImage image = DigitImages(faces[i])[static_cast<std::size_t>(g)];
            if (lit != kGlyphLit) {
                image.detach();
                for (int y = 0; y < image.height(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = 0; x < image.width(); ++x) {
                        if (line[x] == fromLit) line[x] = toLit;
                        else if (line[x] == fromDim) line[x] = toDim;
                    }
                }
            }
            m_copies[i][static_cast<std::size_t>(g)] = Picture(image);
        }
    }
}

const Picture& DigitGlyphCopies::glyph(DigitFace face, int index) const {
    const std::size_t list = face == DigitFace::LcdNormal || face == DigitFace::Seg7Normal ? 0 : 1;
    return m_copies[list][static_cast<std::size_t>(std::clamp(index, 0, kDigitGlyphCount - 1))];
}

void WriteCyanStrokeDefault(TextGrid& propGrid, bool withDefaults) {
    if (withDefaults) propGrid.setCell(1, 1 + TGraph::kRGBStroke, QString::number(kGlyphLit));
}

// --- LCD -------------------------------------------------------------------------------

TLCDGraph::TLCDGraph(ElementContext& window) : TGraph(window, kLcd), m_glyphs(DigitKind::Lcd) {
    setText(kRGBStroke, QString::number(m_glyphs.litColor()));
}

void TLCDGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    WriteCyanStrokeDefault(propGrid, withDefaults);
}

std::optional<Rect> TLCDGraph::outlineBox() const { return digitFrameBox(*this, DigitKind::Lcd); }

void TLCDGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] { drawDigits(*this, canvas, m_glyphs, DigitKind::Lcd); });
}

// --- 7SEG ------------------------------------------------------------------------------

TSeg7Graph::TSeg7Graph(ElementContext& window) : TGraph(window, kSeg7), m_glyphs(DigitKind::Seg7) {
    setText(kRGBStroke, QString::number(m_glyphs.litColor()));
}

void TSeg7Graph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    WriteCyanStrokeDefault(propGrid, withDefaults);
}

std::optional<Rect> TSeg7Graph::outlineBox() const { return digitFrameBox(*this, DigitKind::Seg7); }

void TSeg7Graph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] { drawDigits(*this, canvas, m_glyphs, DigitKind::Seg7); });
}

void RegisterDigitDisplays() {
    RegisterElementClass<TLCDGraph>(kLcd);
    RegisterElementClass<TSeg7Graph>(kSeg7);
}

} // namespace ovanto
