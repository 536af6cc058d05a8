#include "elements/core/element_registry.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "elements/display/process_equipment.h"
#include "elements/display/shape_geometry.h"
#include "platform/canvas.h"
#include "platform/picture_library.h"

#include <limits>

namespace ovanto {
namespace {

constexpr PropertyDef kPneumaticRows[] = {
    rows::X("x", "40"), rows::Y("y", "50"), rows::Int("w", "120"), rows::Int("h", "27"),
    rows::Float("OnValue", "5.0"), rows::Plain("Mode (0/1)", "0"),
};
static_assert(RowsMatch<TPneumaticValveGraph>(kPneumaticRows));
constexpr std::array<const char*, 3> kPneumaticCaptions{"RGBStroke", "RGBFill", "Input"};
constexpr ElementSchema k32Valve{.keyword = "3/2-VALVE", .rows = kPneumaticRows, .commonCaptions = kPneumaticCaptions};
constexpr ElementSchema k52Valve{.keyword = "5/2-VALVE", .rows = kPneumaticRows, .commonCaptions = kPneumaticCaptions};

constexpr int kInputRow = TGraph::kLType + 1;
constexpr const char* kDefaultInput = "1";
// Record fields before "Input": six common ones, the comment, x, y, w, h, "OnValue".
constexpr int kFieldsBeforeInput = TGraph::kFirstClassProperty + 1 + 5;
constexpr int k32First = 657;
constexpr int k52First = 661;

// The property grid with row 3 showing "LType" again, so that the common rows
// read back as they always do while the real row 3 holds "Input".
class LTypeRowGrid final : public TextGrid {
public:
    LTypeRowGrid(const TextGrid& grid, QString lineType) : m_grid(grid), m_lineType(std::move(lineType)) {}
    QString cell(int column, int row) const override {
        return column == 1 && row == kInputRow ? m_lineType : m_grid.cell(column, row);
    }
    void setCell(int, int, const QString&) override {}
    int rowCount() const override { return m_grid.rowCount(); }
    void setRowCount(int) override {}

private:
    const TextGrid& m_grid;
    QString m_lineType;
};

// --- the library pictures ------------------------------------------------------------------

constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 27;
constexpr int kSquare = 21;
constexpr int kSquareTop = 3;
constexpr int kFirstSquare = 30;  // left edge of the actuated position when off
constexpr int kSpringEnd = 112;
constexpr TColor kPaper = kWhite; // left out when drawn
constexpr TColor kInk = kBlack;
constexpr TColor kFlow = rgbColor(0, 64, 192);
constexpr TColor kIdle = rgbColor(128, 128, 128);
constexpr TColor kCoil = rgbColor(255, 200, 0);

void line(Canvas& c, int x1, int y1, int x2, int y2) { StrokeSegment(c, {{x1, y1}, {x2, y2}}); }

// A flow arrow from (x1, y1) to (x2, y2) with a small head at the end.
void arrow(Canvas& c, int x1, int y1, int x2, int y2) {
    line(c, x1, y1, x2, y2);
    const int dy = y2 > y1 ? -1 : 1;
    const QPoint head[] = {{x2, y2}, {x2 - 2, y2 + 3 * dy}, {x2 + 2, y2 + 3 * dy}};
    c.setBrushColor(c.pen().color);
    c.setBrushStyle(BrushStyle::Solid);
    c.polygon(head);
}

// A port that ends inside the square: a stub with a cross bar.
void blocked(Canvas& c, int x, bool fromTop) {
    const int edge = fromTop ? kSquareTop : kSquareTop + kSquare - 1;
    const int end = fromTop ? edge + 3 : edge - 3;
    line(c, x, edge, x, end);
    line(c, x - 2, end, x + 2, end);
}

// Ports across a square at `left`: offsets from its left edge.
struct Path {
    int from;     // offset of the start port
    bool fromTop; // start on the upper edge
    int to;       // offset of the end port on the other edge
};

void square(Canvas& c, int left, bool active, std::initializer_list<Path> paths, std::initializer_list<int> blockedBottom,
            std::initializer_list<int> blockedTop) {
    c.setPenColor(kInk);
    c.setBrushStyle(BrushStyle::Clear);
    // One pixel wider than the step between squares, so neighbours share a wall.
    c.rectangle(left, kSquareTop, left + kSquare + 1, kSquareTop + kSquare);
    c.setPenColor(active ? kFlow : kIdle);
    const int top = kSquareTop + 1, bottom = kSquareTop + kSquare - 2;
    for (const Path& p : paths) {
        if (p.fromTop) arrow(c, left + p.from, top, left + p.to, bottom);
        else arrow(c, left + p.from, bottom, left + p.to, top);
    }
    for (const int x : blockedBottom) blocked(c, left + x, false);
    for (const int x : blockedTop) blocked(c, left + x, true);
}

void spring(Canvas& c, int from) {
    c.setPenColor(kInk);
    const int teeth = 6;
    const int step = std::max(1, (kSpringEnd - from) / teeth);
    QPoint previous(from, 13);
    for (int i = 0; i < teeth; ++i) {
        const QPoint next(from + step * i + step / 2, i % 2 == 0 ? 7 : 19);
        line(c, previous.x(), previous.y(), next.x(), next.y());
        previous = next;
    }
    line(c, previous.x(), previous.y(), kSpringEnd, 13);
    line(c, kSpringEnd, 5, kSpringEnd, 21);
}

// Mode 0 is a solenoid, mode 1 a pilot line with a pressure triangle.
void actuator(Canvas& c, int right, int mode, bool on) {
    c.setPenColor(kInk);
    if (mode == 0) {
        c.setBrushColor(on ? kCoil : kPaper);
        c.setBrushStyle(BrushStyle::Solid);
        c.rectangle(right - 12, 7, right + 1, 20);
        line(c, right - 12, 19, right, 7);
        line(c, right - 22, 13, right - 12, 13);
    } else {
        c.setPenColor(on ? kFlow : kIdle);
        for (int x = right - 24; x < right - 8; x += 4) line(c, x, 13, x + 1, 13);
        c.setPenColor(kInk);
        c.setBrushColor(on ? kFlow : kPaper);
        c.setBrushStyle(BrushStyle::Solid);
        const QPoint pilot[] = {{right - 8, 8}, {right - 1, 13}, {right - 8, 18}};
        c.polygon(pilot);
    }
}

// The ports stay where the valve is piped; the squares slide by one position when it switches.
QImage drawValve(bool fiveWay, int mode, bool on) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    Canvas c(image);
    const int shift = on ? kSquare : 0;
    const int actuated = kFirstSquare + shift, normal = actuated + kSquare;
    const int ports = kFirstSquare + kSquare; // the piped position
    c.setPenColor(kInk);
    if (fiveWay) {
        for (const int x : {4, 16}) line(c, ports + x, 0, ports + x, kSquareTop);
        // Working ports above, supply and exhausts below, the outer ones straight under them.
        for (const int x : {4, 10, 16}) line(c, ports + x, kSquareTop + kSquare, ports + x, kPictureHeight - 1);
        square(c, actuated, on, {{10, false, 4}, {16, true, 16}}, {4}, {});
        square(c, normal, !on, {{10, false, 16}, {4, true, 4}}, {16}, {});
    } else {
        line(c, ports + 10, 0, ports + 10, kSquareTop);
        for (const int x : {5, 15}) line(c, ports + x, kSquareTop + kSquare, ports + x, kPictureHeight - 1);
        square(c, actuated, on, {{5, false, 10}}, {15}, {});
        square(c, normal, !on, {{10, true, 15}}, {5}, {});
    }
    actuator(c, actuated, mode, on);
    spring(c, normal + kSquare);
    return image;
}

template <int Id>
QImage makePicture() {
    return DrawPneumaticValvePicture(Id);
}

} // namespace

QImage DrawPneumaticValvePicture(int id) {
    if (id < k32First || id > k52First + 3) return {};
    const int n = id - k32First;
    return drawValve(n >= 4, (n / 2) % 2, n % 2 == 1);
}

TPneumaticValveGraph::TPneumaticValveGraph(ElementContext& window, const ElementSchema& schema, int firstPicture)
    : TGraph(window, schema), m_firstPicture(firstPicture), m_input(kDefaultInput) {}

T32ValveGraph::T32ValveGraph(ElementContext& window) : TPneumaticValveGraph(window, k32Valve, k32First) {}

T52ValveGraph::T52ValveGraph(ElementContext& window) : TPneumaticValveGraph(window, k52Valve, k52First) {}

void TPneumaticValveGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    TGraph::InitPropGrid(elementGrid, propGrid, row, withDefaults);
    if (withDefaults) propGrid.setCell(1, kInputRow, QString::fromLatin1(kDefaultInput));
}

void TPneumaticValveGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    TGraph::PropsToGrid(elementGrid, propGrid, row);
    propGrid.setCell(1, kInputRow, inputText());
}

void TPneumaticValveGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    TGraph::GridToProps(elementGrid, LTypeRowGrid(propGrid, text(kLType)), row);
    QString input;
    ValidateInt(propGrid.cell(1, kInputRow), elementGrid, propGrid, input, true, kInputRow, row);
    setInputText(input);
}

void TPneumaticValveGraph::SaveToString(QString& s) const {
    TGraph::SaveToString(s);
    // "Input" goes between "OnValue" and "Mode (0/1)", the last field.
    s.insert(s.lastIndexOf(QLatin1Char('\t')), QLatin1Char('\t') + inputText());
}

void TPneumaticValveGraph::LoadFromString(QString& s) {
    QStringList fields = s.split(QLatin1Char('\t'));
    // A record that ends early repeats its last field, as every reader does.
    const QString input = fields.size() > kFieldsBeforeInput ? fields.takeAt(kFieldsBeforeInput) : fields.last();
    s = fields.join(QLatin1Char('\t'));
    TGraph::LoadFromString(s);
    setInputText(input);
}

bool TPneumaticValveGraph::isOn() const {
    int channel = 0;
    long double v = 0;
    if (TryParseInt(m_input.text(), channel)) v = ChannelValue(inputText());
    else v = m_input.evaluate(signalTable());
    return v != kNoChannel && v >= evaluate(kOnValue);
}

long long TPneumaticValveGraph::pictureId() const {
    return m_firstPicture + 2LL * intValue(kMode) + (isOn() ? 1 : 0);
}

std::optional<Rect> TPneumaticValveGraph::outlineBox() const {
    return CornerBox(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
}

void TPneumaticValveGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect box = *outlineBox();
        const long long id = pictureId();
        PictureLibrary* library = window().pictureLibrary();
        if (id != m_pictureId || library != m_pictureSource) {
            m_pictureId = id;
            m_pictureSource = library;
            m_picture = library && id > 0 && id <= std::numeric_limits<int>::max() ? library->load(static_cast<int>(id))
                                                                                   : Picture();
            m_picture.setTransparent(true);
        }
        if (m_picture.isEmpty()) {
            // Without its picture the valve shows where it is.
            canvas.setBrushStyle(BrushStyle::Clear);
            canvas.rectangle(box.left, box.top, box.right, box.bottom);
            return;
        }
        if (m_picture.width() == box.right - box.left && m_picture.height() == box.bottom - box.top)
            canvas.draw(box.left, box.top, m_picture);
        else
            canvas.stretchDraw(box.left, box.top, box.right, box.bottom, m_picture);
    });
}

void RegisterPneumaticValves() {
    RegisterElementClass<T32ValveGraph>(k32Valve);
    RegisterElementClass<T52ValveGraph>(k52Valve);
    PictureLibrary::registerBuiltIn(657, makePicture<657>);
    PictureLibrary::registerBuiltIn(658, makePicture<658>);
    PictureLibrary::registerBuiltIn(659, makePicture<659>);
    PictureLibrary::registerBuiltIn(660, makePicture<660>);
    PictureLibrary::registerBuiltIn(661, makePicture<661>);
    PictureLibrary::registerBuiltIn(662, makePicture<662>);
    PictureLibrary::registerBuiltIn(663, makePicture<663>);
    PictureLibrary::registerBuiltIn(664, makePicture<664>);
}

} // namespace ovanto
