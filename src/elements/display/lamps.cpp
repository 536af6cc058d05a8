#include "elements/display/lamps.h"

#include "elements/core/element_registry.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "elements/display/display_geometry.h"
#include "elements/display/display_painting.h"
#include "elements/display/glyphs.h"
#include "platform/canvas.h"

#include <algorithm>

namespace ovanto {
namespace {

// "OffAtSimEnd (0/1)" came with record version 422.
constexpr int kOffAtSimEndVersion = 421;

constexpr PropertyDef kLedRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Float("OnValue", "5.0"),
    rows::Plain("OffAtSimEnd (0/1)", "0", kOffAtSimEndVersion),
};
static_assert(RowsMatch<TLEDGraph>(kLedRows));
constexpr std::array<const char*, 3> kInputCaptions{"RGBStroke", "RGBFill", "Input"};
constexpr ElementSchema kLed{.keyword = "LED", .rows = kLedRows, .commonCaptions = kInputCaptions};
constexpr ElementSchema kRectLed{.keyword = "RECTLED", .rows = kLedRows, .commonCaptions = kInputCaptions};

constexpr PropertyDef kPhotoSensorRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("w", "100"),
    rows::Int("h", "16"),
    rows::Float("OnValue", "5.0"),
    rows::Plain("Direction (0-3)", "0"),
};
static_assert(RowsMatch<TPhotoSensorGraph>(kPhotoSensorRows));
constexpr ElementSchema kPhotoSensor{
    .keyword = "PHOTOSENSOR", .rows = kPhotoSensorRows, .commonCaptions = kInputCaptions};

constexpr int kInputRow = 1 + TGraph::kLType;
constexpr TColor kLedGreen = 65280;
constexpr TColor kSensorAmber = 52479;

// The property grid with one cell of column 1 answered from elsewhere.
class CellReplaced final : public TextGrid {
public:
    CellReplaced(const TextGrid& grid, int row, QString text) : m_grid(grid), m_row(row), m_text(std::move(text)) {}
    QString cell(int column, int row) const override {
        return column == 1 && row == m_row ? m_text : m_grid.cell(column, row);
    }
    void setCell(int, int, const QString&) override {}
    int rowCount() const override { return m_grid.rowCount(); }
    void setRowCount(int) override {}

private:
    const TextGrid& m_grid;
    int m_row;
    QString m_text;
};

} // namespace

// --- Input in row 3 --------------------------------------------------------------------

long double RowThreeInput::value(const TGraph& owner) const {
    int channel = 0;
    if (TryParseInt(m_text.text(), channel))
        return SignalPositionOfChannel(channel) ? owner.GetSignal(channel) : TGraph::kNoChannel;
    return m_text.evaluate(owner.signalTable());
}

void RowThreeInput::initPropGrid(TextGrid& propGrid, bool withDefaults) const {
    if (withDefaults) propGrid.setCell(1, kInputRow, QStringLiteral("1"));
}

void RowThreeInput::propsToGrid(TextGrid& propGrid) const { propGrid.setCell(1, kInputRow, text()); }

void RowThreeInput::gridToProps(TGraph& owner, const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    QString validated;
    ValidateFloat(propGrid.cell(1, kInputRow), elementGrid, propGrid, validated, kInputRow, row);
    setText(validated);
    const CellReplaced withLineType(propGrid, kInputRow, owner.text(TGraph::kLType));
    owner.TGraph::GridToProps(elementGrid, withLineType, row);
}

void RowThreeInput::save(QString& record) const {
    record.insert(record.lastIndexOf(QLatin1Char('\t')), QLatin1Char('\t') + text());
}

void RowThreeInput::take(QString& fields, int classFieldsBefore) {
    // Six common fields and the comment come first.
    const int index = TGraph::kFirstClassProperty + 1 + classFieldsBefore;
    QStringList list = fields.split(QLatin1Char('\t'));
    if (index < list.size()) {
        setText(list.takeAt(index));
        fields = list.join(QLatin1Char('\t'));
    } else {
        // A record that ends early repeats its last field, as the field reader does.
        setText(list.last());
    }
}

// --- LED and RECTLED -----------------------------------------------------------------------

TLEDGraph::TLEDGraph(ElementContext& window) : TLEDGraph(window, kLed, false) {}

TLEDGraph::TLEDGraph(ElementContext& window, const ElementSchema& schema, bool rectangular)
    : TGraph(window, schema), m_rectangular(rectangular) {
    setText(kRGBFill, QString::number(kLedGreen));
}

TRectLEDGraph::TRectLEDGraph(ElementContext& window) : TLEDGraph(window, kRectLed, true) {}

void TLEDGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    if (withDefaults) propGrid.setCell(1, 1 + kRGBFill, QString::number(kLedGreen));
    m_input.initPropGrid(propGrid, withDefaults);
}

void TLEDGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    TGraph::PropsToGrid(elementGrid, propGrid, row);
    m_input.propsToGrid(propGrid);
}

void TLEDGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    m_input.gridToProps(*this, elementGrid, propGrid, row);
}

void TLEDGraph::SaveToString(QString& s) const {
    TGraph::SaveToString(s);
    m_input.save(s);
}

void TLEDGraph::LoadFromString(QString& s) {
    m_input.take(s, kOnValue + 1 - kFirstClassProperty);
    TGraph::LoadFromString(s);
}

bool TLEDGraph::isLit() const { return !m_forcedOff && m_input.value(*this) >= evaluate(kOnValue); }

std::optional<Rect> TLEDGraph::outlineBox() const {
    const int x = evaluateInt(kX), y = evaluateInt(kY);
    return Rect{x, ToPixel(1LL * y - kLampSize), ToPixel(1LL * x + kLampSize), y};
}

void TLEDGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const TColor color = isLit() ? evaluateInt(kRGBFill) : kDarkGrey;
        const Rect box = *outlineBox();
        canvas.draw(box.left, box.bottom - kLampPictureSize, LampPicture(m_rectangular));
        const QPoint seed = m_rectangular ? QPoint(box.left + 3, box.bottom - 7) : QPoint(box.left + 5, box.bottom - 5);
        // The fill stays inside the lamp whatever the picture shows around the seed.
        CanvasStateSaver saver(canvas);
        Rect clip = box;
        if (const CanvasClip& c = canvas.state().clip; c.enabled)
            clip = {std::max(clip.left, c.left), std::max(clip.top, c.top), std::min(clip.right, c.right),
                    std::min(clip.bottom, c.bottom)};
        if (clip.left >= clip.right || clip.top >= clip.bottom) return;
        canvas.setClipRect(clip.left, clip.top, clip.right, clip.bottom);
        const TColor found = canvas.pixel(seed.x(), seed.y());
        if (found == kInvalidColor) return;
        canvas.setBrushColor(color);
        canvas.setBrushStyle(color < 0 ? BrushStyle::Clear : BrushStyle::Solid);
        canvas.floodFill(seed.x(), seed.y(), found, FloodFillMode::Surface);
    });
}

void TLEDGraph::SimulationStart() { m_forcedOff = false; }

void TLEDGraph::SimulationEnd() {
    if (intValue(kOffAtSimEnd) != 1) return;
    m_forcedOff = true;
    window().requestRepaint();
}

// --- PHOTOSENSOR -----------------------------------------------------------------------

TPhotoSensorGraph::TPhotoSensorGraph(ElementContext& window) : TGraph(window, kPhotoSensor) {
    setText(kRGBFill, QString::number(kSensorAmber));
}

void TPhotoSensorGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    m_input.initPropGrid(propGrid, withDefaults);
}

void TPhotoSensorGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    TGraph::PropsToGrid(elementGrid, propGrid, row);
    m_input.propsToGrid(propGrid);
}

void TPhotoSensorGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    m_input.gridToProps(*this, elementGrid, propGrid, row);
}

void TPhotoSensorGraph::SaveToString(QString& s) const {
    TGraph::SaveToString(s);
    m_input.save(s);
}

void TPhotoSensorGraph::LoadFromString(QString& s) {
    m_input.take(s, kOnValue + 1 - kFirstClassProperty);
    TGraph::LoadFromString(s);
}

std::optional<Rect> TPhotoSensorGraph::outlineBox() const {
    return PhotoSensorBounds(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH),
                             intValue(kDirection));
}

namespace {

// The two-pixel beam as a bar: it is always straight across or up; on a
// short sensor it runs back past the emitter.
Rect beamBox(const PhotoSensorLayout& s) {
    const QPoint a = s.beamFrom, b = s.beamTo;
    if (a.y() == b.y()) return {std::min(a.x(), b.x()), a.y(), std::max(a.x(), b.x()) + 1, a.y() + 2};
    return {a.x(), std::min(a.y(), b.y()), a.x() + 2, std::max(a.y(), b.y()) + 1};
}

} // namespace

void TPhotoSensorGraph::GetPaintBounds(Rect& r) {
    GetBounds(r);
    if (r == kNoBounds) return;
    try {
        if (const std::optional<PhotoSensorLayout> s = PhotoSensorGeometry(
                evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH), intValue(kDirection)))
            r = r.united(s->circle.normalized()).united(s->receiver.normalized()).united(beamBox(*s));
    } catch (...) {
    }
}

void TPhotoSensorGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const std::optional<PhotoSensorLayout> s = PhotoSensorGeometry(
            evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH), intValue(kDirection));
        if (!s) return;
        const TColor state = m_input.value(*this) >= evaluate(kOnValue) ? evaluateInt(kRGBFill) : kDarkGrey;
        canvas.chord(s->circle.left, s->circle.top, s->circle.right, s->circle.bottom, s->chordFrom.x(),
                     s->chordFrom.y(), s->chordTo.x(), s->chordTo.y());
        canvas.setBrushColor(state);
        canvas.setBrushStyle(state < 0 ? BrushStyle::Clear : BrushStyle::Solid);
        canvas.rectangle(s->receiver.left, s->receiver.top, s->receiver.right, s->receiver.bottom);
        if (state < 0) return;
        canvas.setBrushColor(state);
        const Rect beam = beamBox(*s);
        canvas.fillRect(beam.left, beam.top, beam.right, beam.bottom);
    });
}

void RegisterLamps() {
    RegisterElementClass<TLEDGraph>(kLed);
    RegisterElementClass<TRectLEDGraph>(kRectLed);
    RegisterElementClass<TPhotoSensorGraph>(kPhotoSensor);
}

} // namespace ovanto
