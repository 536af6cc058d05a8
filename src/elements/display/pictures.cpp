#include "elements/core/element_registry.h"
#include "elements/core/text_grid.h"
#include "elements/display/pictures.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

#include <cmath>

namespace ovanto {
namespace {

constexpr PropertyDef kBitmapRows[] = {
    rows::X("x", "40"), rows::Y("y", "60"), rows::Int("w", "50"), rows::Int("h", "30"), rows::FillPattern(),
    rows::Text("File or Id", "*.BMP"),
};
static_assert(RowsMatch<TBitmapGraph>(kBitmapRows));
constexpr ElementSchema kBitmap{
    .keyword = "BITMAP", .rows = kBitmapRows, .commonCaptions = {"RGBStroke", "RGBFill", "Transp"}};

// Record order; the grid shows the channel in row 3.
constexpr PropertyDef kStateRows[] = {
    rows::X("x", "40"), rows::Y("y", "50"), rows::Int("w", "80"), rows::Int("h", "25"),
    rows::Float("OnValue", "5.0"), rows::Int("Input", "1"), rows::Text("OnBMPFile or ID", "*.BMP"),
    rows::Text("OffBMPFile or ID", "*.BMP"), rows::Plain("Transparent (0/1)", "0"),
};
static_assert(RowsMatch<TStateBMPGraph>(kStateRows));
constexpr ElementSchema kStateBmp{.keyword = "STATEBMP", .rows = kStateRows};
constexpr int kStateGridRows[] = {1, 2, 15, 4, 5, 6, 7, 8, 9, 10, 11, 3, 12, 13, 14};

constexpr PropertyDef kDynRows[] = {
    rows::X("x", "40"), rows::Y("y", "50"), rows::Int("w", "80"), rows::Int("h", "25"),
    rows::Float("OnValue", "5.0"), rows::Int("Output", "1"), rows::Plain("State", "0"),
    rows::Text("OnBMPFile or Id", "*.BMP"), rows::Text("OffBMPFile or Id", "*.BMP"),
    rows::Plain("Transparent (0/1)", "0", 295), rows::Plain("Mode (0/1)", "0", 317),
    rows::Plain("SimEnabled (0/1)", "1", 389),
};
static_assert(RowsMatch<TDynBMPGraph>(kDynRows));
constexpr ElementSchema kDynBmp{.keyword = "DYNBMP", .rows = kDynRows};
constexpr int kDynGridRows[] = {1, 2, 17, 4, 5, 6, 7, 8, 9, 10, 11, 3, 18, 12, 13, 14, 15, 16};

static_assert(std::size(kStateGridRows) == TStateBMPGraph::kPropertyEnd);
static_assert(std::size(kDynGridRows) == TDynBMPGraph::kPropertyEnd);

Rect ElementBox(const TGraph& e, int x, int y, int w, int h) {
    const long double left = e.evaluateInt(x);
    const long double bottom = e.evaluateInt(y);
    return {ToCoord(left), ToCoord(bottom - e.evaluateInt(h)), ToCoord(left + e.evaluateInt(w)), ToCoord(bottom)};
}

Rect Normalised(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

} // namespace

int OutputPositionOf(long double number) {
    if (std::isfinite(number)) {
        const long double n = std::nearbyint(number);
        if (n >= 1 && n <= 50) return signal_pos::kFirstOutput - 1 + static_cast<int>(n);
        if (n > 99) return n + 26 <= kSignalCount ? static_cast<int>(n) + 26 : 0;
    }
    return signal_pos::kFirstOutput;
}

// --- BITMAP --------------------------------------------------------------------------------

TBitmapGraph::TBitmapGraph(ElementContext& window) : TRectGraph(window, kBitmap) { setText(kLType, "0"); }

void TBitmapGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TRectGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    if (withDefaults) propGrid.setCell(1, kLType + 1, QStringLiteral("0"));
}

void TBitmapGraph::LoadFromString(QString& s) {
    TRectGraph::LoadFromString(s);
    const QString name = text(kFile);
    if (!PictureNameResolves(window(), name))
        window().dialogs().showError(window().controlParent(),
                                     QStringLiteral("Datei bzw. Bitmap ") + name +
                                         QStringLiteral(" kann nicht geöffnet werden!"));
}

void TBitmapGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect r = Normalised(box());
        const QString name = text(kFile);
        const Picture* picture = m_slot.load(window(), name, lineType() != 0);
        if (!picture) {
            DrawFailedPicture(canvas, r);
            return;
        }
        if (picture->width() == r.right - r.left && picture->height() == r.bottom - r.top)
            canvas.draw(r.left, r.top, *picture);
        else
            canvas.stretchDraw(r.left, r.top, r.right, r.bottom, *picture);
        m_slot.drawn(name);
    });
}

// --- STATEBMP ------------------------------------------------------------------------------

TStateBMPGraph::TStateBMPGraph(ElementContext& window) : TReorderedGraph(window, kStateBmp, kStateGridRows) {}

std::optional<Rect> TStateBMPGraph::outlineBox() const { return ElementBox(*this, kX, kY, kW, kH); }

bool TStateBMPGraph::isOn() const {
    const long double v = ChannelValue(kInput);
    return v != kNoChannel && v >= evaluate(kOnValue);
}

void TStateBMPGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect r = *outlineBox();
        const bool on = isOn();
        DrawCentredPicture(canvas, window(), on ? m_on : m_off, text(on ? kOnFile : kOffFile),
                           intValue(kTransparent) != 0, r);
    });
}

// --- DYNBMP --------------------------------------------------------------------------------

TDynBMPGraph::TDynBMPGraph(ElementContext& window) : TReorderedGraph(window, kDynBmp, kDynGridRows) {
    guarded([&] {
        if (const int position = OutputPositionOf(evaluate(kOutput)))
            signalTable()[position] = intValue(kState) == 1 ? evaluate(kOnValue) : 0.0L;
    });
}

bool TDynBMPGraph::DependsOnInputs() const { return text(kCIn) != QLatin1String("-1"); }

std::optional<Rect> TDynBMPGraph::outlineBox() const { return ElementBox(*this, kX, kY, kW, kH); }

void TDynBMPGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect r = *outlineBox();
        const bool on = intValue(kState) == 1;
        DrawCentredPicture(canvas, window(), on ? m_on : m_off, text(on ? kOnFile : kOffFile),
                           intValue(kTransparent) != 0, r);
    });
}

void TDynBMPGraph::UpdateOutput() {
    bool written = false;
    guarded([&] {
        const int position = OutputPositionOf(evaluate(kOutput));
        if (!position) return;
        signalTable()[position] = intValue(kState) == 1 ? evaluate(kOnValue) : 0.0L;
        written = true;
    });
    if (written && window().repaintOnOutputChange()) window().paintNow();
}

void TDynBMPGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (window().designMode()) return;
    bool inside = false;
    guarded([&] { inside = Normalised(*outlineBox()).contains(x, y); });
    if (!inside) return;
    if (window().simulationRunning() && intValue(kSimEnabled) != 1) {
        window().sound().beep();
        return;
    }
    setText(kState, intValue(kState) == 1 ? "0" : "1");
    UpdateOutput();
}

void TDynBMPGraph::MouseUp(int x, int y) {
    TGraph::MouseUp(x, y);
    if (window().designMode() || intValue(kMode) != 1 || intValue(kState) != 1) return;
    setText(kState, "0");
    UpdateOutput();
}

void TDynBMPGraph::DescribeOutput(QString& s) const {
    s = Keyword() + QStringLiteral(" (OUTPUT = ") + text(kOutput) + QStringLiteral(", VALUE = ") +
        QString::number(intValue(kState)) + QStringLiteral(")\n\r");
}

void RegisterPictures() {
    RegisterElementClass<TBitmapGraph>(kBitmap);
    RegisterElementClass<TStateBMPGraph>(kStateBmp);
    RegisterElementClass<TDynBMPGraph>(kDynBmp);
}

} // namespace ovanto
