#include "elements/core/element_registry.h"
#include "elements/core/number_text.h"
#include "elements/operating/control_geometry.h"
#include "elements/operating/control_widgets.h"
#include "elements/operating/controls.h"

#include <QLineEdit>

namespace ovanto {
namespace {

// Fonts came with record version 349, the edit limits with 358, the run switch with 390.
constexpr int kFontVersion = 348;
constexpr int kLimitVersion = 357;
constexpr int kSimEnabledVersion = 389;

constexpr PropertyDef FontRow() {
    return {.caption = "Font", .gridDefault = "MS Sans Serif", .kind = PropKind::Text, .readAboveVersion = kFontVersion};
}
constexpr PropertyDef FontSizeRow(const char* size) { return rows::Plain("FontSize", size, kFontVersion); }
constexpr PropertyDef LimitRow(const char* caption) {
    return {.caption = caption, .gridDefault = "0", .kind = PropKind::Number, .readAboveVersion = kLimitVersion};
}

constexpr PropertyDef kEditRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("w", "60"),
    rows::Int("h", "21"),
    rows::Int("Output", "1"),
    FontRow(),
    FontSizeRow("8"),
    LimitRow("MinValue"),
    LimitRow("MaxValue"),
    rows::Plain("UpdateMode", "0", kLimitVersion),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TEditGraph>(kEditRows));
constexpr ElementSchema kEdit{.keyword = "EDIT", .rows = kEditRows};
// Per property its grid row; 0 hides the line type behind "Output".
constexpr int kEditGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 3, 11, 12, 13, 14, 15, 16};
static_assert(std::size(kEditGrid) == TEditGraph::kPropertyEnd);

constexpr PropertyDef kSpinEditRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("w", "60"),
    rows::Int("h", "27"),
    rows::Int("Output", "1"),
    rows::Number("Increment", "0.1"),
    rows::Text("Format", "%7.3g"),
    rows::Number("MinValue", "0.0"),
    rows::Number("MaxValue", "1E30"),
    rows::Plain("NoBlanks (0/1)", "1"),
    FontRow(),
    FontSizeRow("10"),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TSpinEditGraph>(kSpinEditRows));
constexpr ElementSchema kSpinEdit{.keyword = "SPINEDIT", .rows = kSpinEditRows};
constexpr int kSpinEditGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 3, 11, 14, 12, 13, 15, 16, 17, 18};
static_assert(std::size(kSpinEditGrid) == TSpinEditGraph::kPropertyEnd);

constexpr int kRed = 255;
constexpr int kMagenta = 16711935;

} // namespace

// --- EDIT ------------------------------------------------------------------------------

TEditGraph::TEditGraph(ElementContext& window)
    : TWinControlGraph(window, kEdit, kEditGrid,
                       {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                       {.font = kFont, .fontSize = kFontSize, .stateBefore = kX}, false) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_edit = new QLineEdit(parent);
    adopt(m_edit, true);
    QObject::connect(m_edit, &QLineEdit::textEdited, m_edit, [this] {
        if (updateMode() == 0) takeOverText();
    });
    QObject::connect(m_edit, &QLineEdit::editingFinished, m_edit, [this] {
        if (updateMode() == 1) takeOverText();
    });
}

QString TEditGraph::stateField() const { return m_valueText; }

void TEditGraph::takeOverText() {
    if (m_edit) m_valueText = m_edit->text();
    m_takeOver = true;
    UpdateOutput();
}

// While a run goes on, what is being typed stays out of the output until it is taken over.
void TEditGraph::UpdateOutput() {
    const bool acting = !window().simulationRunning() || updateMode() == 0 || m_takeOver;
    if (acting) {
        if (m_edit && m_edit->text() != m_valueText) m_edit->setText(m_valueText);
        long double min = 0, max = 0;
        guarded([&] {
            min = number(kMinValue);
            max = number(kMaxValue);
        });
        const EditReading reading = ReadEditText(m_valueText, min, max);
        setTextColourOverride(!reading.number ? kRed : reading.limited ? kMagenta : -1);
        placeAndStyle();
        writeValue(reading.value);
        m_takeOver = false;
    } else {
        placeAndStyle();
    }
}

void TEditGraph::DescribeOutput(QString& s) const { s = describe(m_valueText); }

// --- SPINEDIT --------------------------------------------------------------------------

TSpinEditGraph::TSpinEditGraph(ElementContext& window)
    : TWinControlGraph(window, kSpinEdit, kSpinEditGrid,
                       {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                       {.font = kFont, .fontSize = kFontSize, .stateBefore = kX}, false) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    auto* spin = new RealSpinBox(window.dialogs(), parent);
    m_spin = spin;
    adopt(spin, true);
    for (QWidget* part : spin->findChildren<QWidget*>()) forwardMouseOf(part);
    QObject::connect(spin, &RealSpinBox::changed, spin, [this, spin] {
        m_valueText = spin->formatted();
        update(true);
    });
}

QString TSpinEditGraph::stateField() const { return m_valueText; }

void TSpinEditGraph::UpdateOutput() { update(false); }

void TSpinEditGraph::update(bool fromChange) {
    placeAndStyle();
    const long double min = number(kMinValue), max = number(kMaxValue);
    RealSpinBox* const spin = m_spin.data();
    if (!spin) {
        long double v = 0;
        CheckSpinText(m_valueText, min, max, v);
        writeValue(v);
        return;
    }
    spin->setRules(number(kIncrement), min, max, text(kFormat), intValue(kNoBlanks) == 1);
    if (m_stateLoaded) {
        m_stateLoaded = false;
        spin->setValueText(m_valueText);
    }
    if (!window().simulationRunning() && !fromChange) spin->setValueText(spin->formatted());
    writeValue(spin->value());
}

void TSpinEditGraph::DescribeOutput(QString& s) const { s = describe(m_valueText); }

void RegisterEditControls() {
    RegisterElementClass<TEditGraph>(kEdit);
    RegisterElementClass<TSpinEditGraph>(kSpinEdit);
}

} // namespace ovanto
