#include "elements/core/element_registry.h"
#include "elements/core/number_text.h"
#include "elements/operating/control_geometry.h"
#include "elements/operating/controls.h"
#include "elements/operating/operating_geometry.h"

#include "elements/core/formula/parse_float.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace ovanto {
namespace {

constexpr int kFontVersion = 348;
constexpr int kSimEnabledVersion = 389;
// More items than this would only make the window slow; nobody can pick among them.
constexpr int kMostItems = 2000;
constexpr int kMostRadioButtons = 200;

constexpr PropertyDef kFontRow{
    .caption = "Font", .gridDefault = "MS Sans Serif", .kind = PropKind::Text, .readAboveVersion = kFontVersion};
constexpr PropertyDef kFontSizeRow = rows::Plain("FontSize", "8", kFontVersion);
constexpr PropertyDef kSimEnabledRow = rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion);

constexpr PropertyDef Initial(PropertyDef def, const char* initial) {
    def.initial = initial;
    return def;
}

constexpr PropertyDef kCheckboxRows[] = {
    rows::Text("Caption", "Caption"),
    rows::X("x", "40"),
    rows::Y("y", "40"),
    Initial(rows::Int("w", "60"), "80"),
    rows::Int("h", "21"),
    rows::Float("OnValue", "5.0"),
    rows::Int("Output", "1"),
    kFontRow,
    kFontSizeRow,
    kSimEnabledRow,
};
static_assert(RowsMatch<TCheckboxGraph>(kCheckboxRows));
constexpr ElementSchema kCheckbox{.keyword = "CHECKBOX", .rows = kCheckboxRows};
constexpr int kCheckboxGrid[] = {1, 2, 0, 4, 5, 6, 12, 7, 8, 9, 10, 11, 3, 13, 14, 15};
static_assert(std::size(kCheckboxGrid) == TCheckboxGraph::kPropertyEnd);

constexpr PropertyDef kComboboxRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    Initial(rows::Int("w", "60"), "80"),
    rows::Int("h", "21"),
    rows::Text("Items", "Item1#Item2#Item3"),
    rows::Text("Values", "0.0#5.0#10.0"),
    rows::Int("Output", "1"),
    kFontRow,
    kFontSizeRow,
    kSimEnabledRow,
};
static_assert(RowsMatch<TComboboxGraph>(kComboboxRows));
constexpr ElementSchema kCombobox{.keyword = "COMBOBOX", .rows = kComboboxRows};

constexpr PropertyDef kListboxRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "120"),
    Initial(rows::Int("w", "60"), "80"),
    rows::Int("h", "60"),
    rows::Text("Items", "Item1#Item2#Item3"),
    rows::Text("Values", "0.0#5.0#10.0"),
    rows::Int("Output", "1"),
    kFontRow,
    kFontSizeRow,
    kSimEnabledRow,
};
static_assert(RowsMatch<TListboxGraph>(kListboxRows));
constexpr ElementSchema kListbox{.keyword = "LISTBOX", .rows = kListboxRows};
constexpr int kListGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3, 13, 14, 15};
static_assert(std::size(kListGrid) == TComboboxGraph::kPropertyEnd);
static_assert(std::size(kListGrid) == TListboxGraph::kPropertyEnd);

constexpr PropertyDef kRadioGroupRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "120"),
    Initial(rows::Int("w", "60"), "80"),
    rows::Int("h", "60"),
    rows::Text("Items", "Item1#Item2#Item3"),
    rows::Text("Values", "0.0#5.0#10.0"),
    rows::Int("Output", "1"),
    rows::Text("Caption", "Caption"),
    rows::Plain("Columns", "1"),
    kFontRow,
    kFontSizeRow,
    kSimEnabledRow,
};
static_assert(RowsMatch<TRadioGroupGraph>(kRadioGroupRows));
constexpr ElementSchema kRadioGroup{.keyword = "RADIOGROUP", .rows = kRadioGroupRows};
constexpr int kRadioGroupGrid[] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3, 13, 14, 15, 16, 17};
static_assert(std::size(kRadioGroupGrid) == TRadioGroupGraph::kPropertyEnd);

constexpr OperatingRows kChoiceRows{.x = TChoiceGraph::kX, .y = TChoiceGraph::kY, .w = TChoiceGraph::kW,
                                    .h = TChoiceGraph::kH, .output = TChoiceGraph::kOutput,
                                    .simEnabled = TComboboxGraph::kSimEnabled};

int ReadIndex(const QString& field, int fallback) {
    int v = fallback;
    return TryParseInt(field.trimmed().toStdString(), v) ? v : fallback;
}

} // namespace

// --- CHECKBOX --------------------------------------------------------------------------

TCheckboxGraph::TCheckboxGraph(ElementContext& window)
    : TWinControlGraph(window, kCheckbox, kCheckboxGrid,
                       {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                       {.font = kFont, .fontSize = kFontSize, .stateBefore = kFont}, true) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_box = new QCheckBox(parent);
    adopt(m_box, true);
    QObject::connect(m_box, &QCheckBox::clicked, m_box, [this](bool checked) {
        m_ticked = checked;
        UpdateOutput();
    });
}

void TCheckboxGraph::readStateField(const QString& field) { m_ticked = ReadIndex(field, 0) != 0; }

void TCheckboxGraph::UpdateOutput() {
    placeAndStyle();
    if (m_box) {
        if (m_box->text() != text(kCaption)) m_box->setText(text(kCaption));
        if (m_box->isChecked() != m_ticked) m_box->setChecked(m_ticked);
    }
    long double v = 0;
    if (m_ticked) guarded([&] { v = evaluate(kOnValue); });
    writeValue(v);
}

void TCheckboxGraph::DescribeOutput(QString& s) const { s = describe(m_ticked ? QStringLiteral("1") : QStringLiteral("0")); }

// --- the item lists --------------------------------------------------------------------

void TChoiceGraph::readStateField(const QString& field) { m_index = ReadIndex(field, 0); }

void TChoiceGraph::picked(int index) {
    m_index = index;
    m_appliedIndex = index;
    UpdateOutput();
}

// Items and selection are put into the control only when they changed, so
// the user's scrolling and focus survive the steps.
void TChoiceGraph::UpdateOutput() {
    placeAndStyle();
    if (control()) {
        const QString items = text(kItems);
        if (!m_itemsApplied || items != m_appliedItems) {
            QStringList list = ControlItems(items);
            if (list.size() > kMostItems) list = list.mid(0, kMostItems);
            replaceItems(list);
            m_appliedItems = items;
            m_itemsApplied = true;
            m_appliedIndex = -2;
        }
        if (m_index != m_appliedIndex) {
            selectItem(m_index);
            m_appliedIndex = m_index;
        }
        updateExtras();
    }
    m_lastValue = m_index >= 0 && m_index < INT32_MAX ? BmpButtonValue(text(kValues), m_index + 1) : 0;
    writeValue(m_lastValue);
}

void TChoiceGraph::DescribeOutput(QString& s) const { s = describe(FloatToText(m_lastValue)); }

// --- COMBOBOX --------------------------------------------------------------------------

TComboboxGraph::TComboboxGraph(ElementContext& window)
    : TChoiceGraph(window, kCombobox, kListGrid, kChoiceRows,
                   {.font = kFont, .fontSize = kFontSize, .stateBefore = kFont}, true) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_combo = new QComboBox(parent);
    m_combo->setEditable(false);
    // The list drops down over the window; it is operated, never dragged.
    adopt(m_combo, false);
    QObject::connect(m_combo, &QComboBox::activated, m_combo, [this](int index) { picked(index); });
}

void TComboboxGraph::replaceItems(const QStringList& items) {
    const QSignalBlocker quiet(m_combo);
    m_combo->clear();
    m_combo->addItems(items);
}

void TComboboxGraph::selectItem(int index) {
    const QSignalBlocker quiet(m_combo);
    m_combo->setCurrentIndex(index < m_combo->count() ? index : -1);
}

// --- LISTBOX ---------------------------------------------------------------------------

TListboxGraph::TListboxGraph(ElementContext& window)
    : TChoiceGraph(window, kListbox, kListGrid, kChoiceRows,
                   {.font = kFont, .fontSize = kFontSize, .stateBefore = kFont}, true) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_list = new QListWidget(parent);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    adopt(m_list, true);
    QObject::connect(m_list, &QListWidget::currentRowChanged, m_list, [this](int row) {
        if (row >= 0) picked(row);
    });
}

void TListboxGraph::replaceItems(const QStringList& items) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(items);
}

void TListboxGraph::selectItem(int index) {
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentRow(index < m_list->count() ? index : -1);
}

// --- RADIOGROUP ------------------------------------------------------------------------

TRadioGroupGraph::TRadioGroupGraph(ElementContext& window)
    : TChoiceGraph(window, kRadioGroup, kRadioGroupGrid,
                   {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                   {.font = kFont, .fontSize = kFontSize, .stateBefore = kCaption}, true) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_group = new QGroupBox(parent);
    m_buttons = new QButtonGroup(m_group);
    new QGridLayout(m_group);
    adopt(m_group, true);
    QObject::connect(m_buttons, &QButtonGroup::idClicked, m_group, [this](int id) { picked(id); });
}

void TRadioGroupGraph::replaceItems(const QStringList& items) {
    for (QAbstractButton* b : m_buttons->buttons()) delete b;
    const int count = std::min<int>(static_cast<int>(items.size()), kMostRadioButtons);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(items[i], m_group);
        m_buttons->addButton(button, i);
        forwardMouseOf(button);
    }
    m_columns = 0;
    arrange();
}

void TRadioGroupGraph::selectItem(int index) {
    if (QAbstractButton* b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item chosen: every button off.
    m_buttons->setExclusive(false);
    for (QAbstractButton* b : m_buttons->buttons()) b->setChecked(false);
    m_buttons->setExclusive(true);
}

void TRadioGroupGraph::updateExtras() {
    if (m_group->title() != text(kCaption)) m_group->setTitle(text(kCaption));
    arrange();
}

// Filled column by column, as many rows as the columns need.
void TRadioGroupGraph::arrange() {
    const QList<QAbstractButton*> buttons = m_buttons->buttons();
    const int count = static_cast<int>(buttons.size());
    const int columns = std::clamp(intValue(kColumns), 1, std::max(1, count));
    if (columns == m_columns) return;
    m_columns = columns;
    auto* grid = static_cast<QGridLayout*>(m_group->layout());
    grid->setContentsMargins(6, 2, 2, 2);
    grid->setSpacing(0);
    const int perColumn = std::max(1, (count + columns - 1) / columns);
    for (int i = 0; i < count; ++i) {
        grid->removeWidget(buttons[i]);
        grid->addWidget(buttons[i], i % perColumn, i / perColumn);
    }
}

void RegisterChoiceControls() {
    RegisterElementClass<TCheckboxGraph>(kCheckbox);
    RegisterElementClass<TComboboxGraph>(kCombobox);
    RegisterElementClass<TListboxGraph>(kListbox);
    RegisterElementClass<TRadioGroupGraph>(kRadioGroup);
}

} // namespace ovanto
