#include "elements/core/tgraph.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/number_text.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "platform/canvas.h"
#include "platform/key_state.h"
#include "platform/picture_library.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovanto {
namespace {

const PropertyDef kCommonRows[TGraph::kFirstClassProperty] = {
    {"RGBStroke", "0", PropKind::IntFormula},
    {"RGBFill", "16777215", PropKind::IntFormula},
    {"LType", "1", PropKind::PlainInt},
    {"CIn", "-1", PropKind::IntText},
    {"CInMin", "0", PropKind::FloatFormula},
    {"CInMax", "0", PropKind::FloatFormula},
};

constexpr int kGreyFrame = 8421504;
constexpr int kCurrentFrame = 0xFFFF00;
constexpr int kSelectedFrame = 65280;
constexpr int kSelectionMargin = 6;

// Ties to even, as the default rounding mode does; lrint avoids nearbyint's
// cost of saving and restoring the floating-point environment.
int roundToInt(long double v) {
    if (!(v > std::numeric_limits<int>::min() - 0.5L && v < std::numeric_limits<int>::max() + 0.5L))
        throw ConversionError("value out of integer range");
    return static_cast<int>(std::lrint(v));
}

// Towards zero, held to the int range; NaN gives 0.
int truncatedInt(long double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp<long double>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Property texts are almost always ASCII: narrow them without the detour
// through a UTF-8 byte array.
std::string toStd(QStringView text) {
    std::string result(static_cast<std::size_t>(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) return text.toString().toStdString();
        result[static_cast<std::size_t>(i)] = static_cast<char>(c);
    }
    return result;
}

// The field reader of a whole record: like NextField, but the consumed text is
// cut from the record once at the end instead of once per field.
class FieldCursor {
public:
    explicit FieldCursor(QString& s) : m_s(s) {}
    ~FieldCursor() { m_s.remove(0, m_at); }
    FieldCursor(const FieldCursor&) = delete;
    FieldCursor& operator=(const FieldCursor&) = delete;

    QStringView next() {
        const qsizetype tab = m_s.indexOf(QLatin1Char('\t'), m_at);
        if (tab < 0) return QStringView(m_s).mid(m_at);
        const QStringView field = QStringView(m_s).mid(m_at, tab - m_at);
        m_at = tab + 1;
        return field;
    }

private:
    QString& m_s;
    qsizetype m_at = 0;
};

} // namespace

// The channels an input-bound element may name: inputs, counters, time and
// window size (1..56), and the block outputs as 101..150.
int SignalPositionOfChannel(int channel) {
    if (channel >= 1 && channel <= 56) return channel;
    if (channel >= 100 && channel <= 150) return channel - 44;
    return 0;
}

TGraph::TGraph(ElementContext& window, const ElementSchema& schema)
    : m_window(window), m_schema(schema), m_keyword(QString::fromLatin1(schema.keyword)),
      m_values(static_cast<std::size_t>(kFirstClassProperty) + schema.rows.size()) {
    for (int p = 0; p < propertyCount(); ++p) {
        const PropertyDef& d = def(p);
        setText(p, d.initial ? d.initial : d.gridDefault);
    }
}

TGraph::~TGraph() = default;

const PropertyDef& TGraph::def(int property) const {
    if (property < kFirstClassProperty) return kCommonRows[property];
    return m_schema.rows[static_cast<std::size_t>(property - kFirstClassProperty)];
}

const PropertyDef& TGraph::propertyDef(int property) const { return def(property); }

QString TGraph::text(int property) const {
    const PropertyValue& v = m_values[static_cast<std::size_t>(property)];
    switch (def(property).kind) {
    case PropKind::PlainInt:
        return QString::number(static_cast<long long>(v.number));
    case PropKind::Number:
        return FloatToText(v.number, true);
    case PropKind::Text:
        return v.freeText;
    default:
        return QString::fromStdString(v.text.text());
    }
}

void TGraph::setText(int property, const QString& value) { setText(property, QStringView(value)); }

void TGraph::setText(int property, const char* value) {
    ++m_edits;
    if (def(property).kind == PropKind::Text) {
        m_values[static_cast<std::size_t>(property)].freeText = QString::fromUtf8(value);
        return;
    }
    setText(property, std::string(value));
}

void TGraph::setText(int property, QStringView value) {
    ++m_edits;
    if (def(property).kind == PropKind::Text) {
        m_values[static_cast<std::size_t>(property)].freeText = value.toString();
        return;
    }
    setText(property, toStd(value));
}

void TGraph::setText(int property, std::string value) {
    ++m_edits;
    PropertyValue& v = m_values[static_cast<std::size_t>(property)];
    switch (def(property).kind) {
    case PropKind::PlainInt: {
        int n = 0;
        v.integer = TryParseInt(value, n) ? n : 0;
        if (property == kLType) v.integer = static_cast<int16_t>(v.integer);
        v.number = v.integer;
        break;
    }
    case PropKind::Number: {
        long double n = 0;
        v.number = TryParseFloat(value, n) ? n : Evaluate(value, signalTable());
        v.integer = truncatedInt(v.number);
        break;
    }
    case PropKind::Text:
        v.freeText = QString::fromStdString(value);
        break;
    default:
        v.text.setText(std::move(value));
        break;
    }
}

long double TGraph::evaluate(int property) const {
    const auto p = static_cast<std::size_t>(property);
    if (m_keptPeriod == KeptValuesPeriod() && m_lookInputs.edits == m_edits && m_lookInputs.kept[p])
        return m_lookInputs.values[p];
    return m_values[p].text.evaluate(signalTable());
}

int TGraph::evaluateInt(int property) const { return roundToInt(evaluate(property)); }

int TGraph::intValue(int property) const { return m_values[static_cast<std::size_t>(property)].integer; }

long double TGraph::number(int property) const { return m_values[static_cast<std::size_t>(property)].number; }

// --- property grid -------------------------------------------------------------

void TGraph::InitPropGrid(TextGrid& elementGrid, TextGrid& propGrid, int row, bool withDefaults) {
    propGrid.setRowCount(kFirstClassProperty + 1 + static_cast<int>(m_schema.rows.size()));
    for (int p = 0; p < propertyCount(); ++p) {
        const char* caption = p < 3 ? m_schema.commonCaptions[static_cast<std::size_t>(p)] : def(p).caption;
        propGrid.setCell(0, p + 1, QString::fromUtf8(caption));
        if (withDefaults) propGrid.setCell(1, p + 1, QString::fromUtf8(def(p).gridDefault));
    }
    if (withDefaults) elementGrid.setCell(0, row, m_keyword);
}

void TGraph::PropsToGrid(TextGrid& elementGrid, TextGrid& propGrid, int row) {
    elementGrid.setCell(0, row, m_keyword);
    elementGrid.setCell(1, row, m_comment);
    for (int p = 0; p < propertyCount(); ++p) propGrid.setCell(1, p + 1, text(p));
}

void TGraph::GridToProps(const TextGrid& elementGrid, const TextGrid& propGrid, int row) {
    m_comment = elementGrid.cell(1, row);
    for (int p = 0; p < propertyCount(); ++p) {
        const QString cell = propGrid.cell(1, p + 1);
        QString validated;
        switch (def(p).kind) {
        case PropKind::IntFormula:
            ValidateInt(cell, elementGrid, propGrid, validated, true, p + 1, row);
            break;
        case PropKind::IntText:
        case PropKind::PlainInt:
            ValidateInt(cell, elementGrid, propGrid, validated, false, p + 1, row);
            break;
        case PropKind::FloatFormula:
        case PropKind::Number:
            ValidateFloat(cell, elementGrid, propGrid, validated, p + 1, row);
            break;
        case PropKind::Text:
            validated = cell;
            break;
        }
        setText(p, validated);
    }
}

// --- record ----------------------------------------------------------------------

QString TGraph::recordField(int property) const { return text(property); }

void TGraph::SaveToString(QString& s) const {
    s = m_keyword;
    for (int p = 0; p < kFirstClassProperty; ++p) s += QLatin1Char('\t') + recordField(p);
    s += QLatin1Char('\t') + m_comment;
    for (int p = kFirstClassProperty; p < propertyCount(); ++p) s += QLatin1Char('\t') + recordField(p);
}

void TGraph::readField(int property, QStringView field) {
    ++m_edits;
    switch (def(property).kind) {
    case PropKind::PlainInt: {
        const int n = ParseInt(toStd(field));
        PropertyValue& v = m_values[static_cast<std::size_t>(property)];
        v.integer = property == kLType ? static_cast<int16_t>(n) : n;
        v.number = v.integer;
        break;
    }
    case PropKind::Number: {
        PropertyValue& v = m_values[static_cast<std::size_t>(property)];
        v.number = ParseFloat(toStd(field));
        v.integer = truncatedInt(v.number);
        break;
    }
    default:
        setText(property, field);
        break;
    }
}

void TGraph::LoadFromString(QString& s) {
    FieldCursor fields(s);
    for (int p = 0; p < kFirstClassProperty; ++p) readField(p, fields.next());
    m_comment = fields.next().toString();
    const int version = RecordVersion();
    for (int p = kFirstClassProperty; p < propertyCount(); ++p) {
        if (version <= def(p).readAboveVersion) continue;
        readField(p, fields.next());
    }
}

// --- drawing ---------------------------------------------------------------------

int TGraph::visibilityPosition() const {
    const int channel = ParseInt(m_values[kCIn].text.text());
    if (channel >= 1 && channel <= 56) return channel;
    if (channel >= 101 && channel <= 150) return channel - 44;
    return 0;
}

bool TGraph::IsVisible() const {
    const int position = visibilityPosition();
    if (position == 0) return true;
    const long double v = signalTable()[position];
    return v <= ParseFloat(m_values[kCInMax].text.text()) && v >= ParseFloat(m_values[kCInMin].text.text());
}

void TGraph::DrawSelection(Canvas& canvas) {
    guarded([&] {
        if (const std::optional<Rect> box = outlineBox()) drawSelectionAround(canvas, *box);
    });
}

void TGraph::Draw(Canvas& canvas) { PrepareCanvas(canvas); }

void TGraph::PrepareCanvas(Canvas& canvas) {
    if (m_window.designMode() && m_selected) DrawSelection(canvas);
    try {
        canvas.setPenColor(0);
        canvas.setPenWidth(1);
        canvas.setPenStyle(PenStyle::Solid);
        const int stroke = evaluateInt(kRGBStroke);
        canvas.setPenColor(stroke);
        canvas.setFontColor(stroke);
        const int fill = evaluateInt(kRGBFill);
        canvas.setBrushColor(fill);
        canvas.setBrushStyle(fill < 0 ? BrushStyle::Clear : BrushStyle::Solid);
        ApplyLineType(canvas, lineType());
    } catch (...) {
        // A property that does not evaluate leaves the canvas as it was.
    }
}

void ApplyLineType(Canvas& canvas, int lineType) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    switch (lineType) {
    case 0: canvas.setPenStyle(PenStyle::Clear); break;
    case -1: canvas.setPenStyle(PenStyle::Dash); break;
    case -2: canvas.setPenStyle(PenStyle::Dot); break;
    case -3: canvas.setPenStyle(PenStyle::DashDot); break;
    case -4: canvas.setPenStyle(PenStyle::DashDotDot); break;
    default:
        // Other negative types draw a solid one-pixel line.
        if (lineType > 0) canvas.setPenWidth(lineType);
        break;
    }
}

void TGraph::drawSelectionAround(Canvas& canvas, const Rect& r) {
    m_selectionRect = r;
    DrawSelectionFrame(canvas);
}

void TGraph::DrawSelectionFrame(Canvas& canvas) {
    const Rect n = m_selectionRect.normalized();
    // In 64 bits, and walked only where the canvas is: a shape far off screen
    // must neither overflow nor cost a pixel call per unit of its size.
    const long long left = n.left - 1LL * kSelectionMargin, right = n.right + 1LL * kSelectionMargin;
    const long long top = n.top - 1LL * kSelectionMargin, bottom = n.bottom + 1LL * kSelectionMargin;
    int frame = kGreyFrame;
    if (CanMove()) frame = m_current ? kCurrentFrame : kSelectedFrame;
    const int color = frame ^ m_window.backgroundColor();
    const auto onCanvas = [](long long v, int size) { return v >= 0 && v < size; };
    // The first of every second position from `from` that is not left of the canvas.
    const auto firstVisible = [](long long from) { return from >= 0 ? from : from + (-from) / 2 * 2; };
    for (long long x = firstVisible(left); x <= std::min<long long>(right, canvas.width()); x += 2) {
        if (onCanvas(top, canvas.height())) canvas.setPixel(static_cast<int>(x), static_cast<int>(top), color);
        if (onCanvas(bottom, canvas.height())) canvas.setPixel(static_cast<int>(x), static_cast<int>(bottom), color);
    }
    for (long long y = firstVisible(top); y <= std::min<long long>(bottom, canvas.height()); y += 2) {
        if (onCanvas(left, canvas.width())) canvas.setPixel(static_cast<int>(left), static_cast<int>(y), color);
        if (onCanvas(right, canvas.width())) canvas.setPixel(static_cast<int>(right), static_cast<int>(y), color);
    }
}

// --- signals ---------------------------------------------------------------------

long double TGraph::GetSignal(int channel) const {
    const int position = SignalPositionOfChannel(channel);
    return position ? signalTable()[position] : 0.0L;
}

long double TGraph::ChannelValue(const QString& value) const {
    int channel = 0;
    const std::string s = value.toStdString();
    if (TryParseInt(s, channel)) return SignalPositionOfChannel(channel) ? GetSignal(channel) : kNoChannel;
    return Evaluate(s, signalTable());
}

long double TGraph::ChannelValue(int property) const {
    const PropertyText& p = m_values[static_cast<std::size_t>(property)].text;
    int channel = 0;
    if (TryParseInt(p.text(), channel)) return SignalPositionOfChannel(channel) ? GetSignal(channel) : kNoChannel;
    return p.evaluate(signalTable());
}

bool TGraph::IsLibraryBitmap(QString& fileName) const {
    if (QFileInfo::exists(fileName)) return false;
    const int cut = std::max(fileName.lastIndexOf(QLatin1Char('\\')), fileName.lastIndexOf(QLatin1Char('/')));
    fileName = fileName.mid(cut + 1);
    bool ok = false;
    const int id = fileName.toInt(&ok);
    PictureLibrary* library = m_window.pictureLibrary();
    return ok && library && library->contains(id);
}

// --- mouse and geometry ---------------------------------------------------------------

void TGraph::MouseDown(int x, int y) {
    KeyState& keys = m_window.keyState();
    const bool shift = keys.isDown(VirtualKey::Shift);
    const bool ctrl = keys.isDown(VirtualKey::Control);
    Rect bounds;
    GetBounds(bounds);
    const bool hit = m_window.designMode() && bounds.contains(x, y) && validationState().elementRow == -1;
    m_pressed = hit;
    if (hit && !m_window.grabFlag()) {
        m_window.setGrabFlag(true);
        m_current = true;
        if (!shift && !ctrl && !m_selected) m_window.elementList().clearSelection();
        m_selected = true;
        m_window.selectElementRow(m_window.indexOf(this) + 1);
    }
    m_lastMouseX = x;
    m_lastMouseY = y;
}

void TGraph::DragMove(int x, int y) {
    if (!m_window.grabFlag() || !m_selected || !CanMove() || m_window.lockButtonDown()) return;
    Rect r;
    GetBounds(r);
    SetBounds(r.translated(x - m_lastMouseX, y - m_lastMouseY));
    m_lastMouseX = x;
    m_lastMouseY = y;
    if (m_current) m_window.refreshPropertyGrid(this);
}

void TGraph::MouseUp(int, int) {
    m_pressed = false;
    m_window.setGrabFlag(false);
}

bool TGraph::CanMove() const {
    bool any = false;
    for (int p = kFirstClassProperty; p < propertyCount(); ++p) {
        if (def(p).axis == Axis::None) continue;
        int ignored = 0;
        if (!TryParseInt(m_values[static_cast<std::size_t>(p)].text.text(), ignored)) return false;
        any = true;
    }
    return any;
}

void TGraph::SetBounds(const Rect& r) {
    const int dx = r.left - m_lastBounds.left;
    const int dy = r.top - m_lastBounds.top;
    bool moved = false;
    for (int p = kFirstClassProperty; p < propertyCount(); ++p) {
        const Axis axis = def(p).axis;
        if (axis == Axis::None) continue;
        int value = 0;
        if (!TryParseInt(m_values[static_cast<std::size_t>(p)].text.text(), value)) continue;
        setText(p, QString::number(static_cast<long long>(value) + (axis == Axis::X ? dx : dy)));
        moved = true;
    }
    if (moved) m_window.requestRepaint();
}

void TGraph::GetBounds(Rect& r) {
    boundsFrom(r, [&] { return outlineBox().value_or(kNoBounds); });
}

bool TControlGraph::DependsOnInputs() const { return text(kCIn) != QLatin1String("-1"); }

} // namespace ovanto
