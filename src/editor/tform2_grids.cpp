// The page "Grafik- und Bedienelemente": element grid, property grid and the value editor beside it.

#include "editor/grid_delegates.h"
#include "editor/grid_rules.h"
#include "editor/tform2.h"
#include "elements/core/formula/evaluate.h"
#include "elements/core/validators.h"
#include "platform/dialogs.h"
#include "platform/key_state.h"
#include "platform/picture.h"
#include "window/tform1.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace ovanto {
namespace {

constexpr auto kEditing = QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;

QTableWidget* makeGrid(QWidget* parent, const char* name, int widthA, int widthB) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QLatin1String(name));
    table->setColumnCount(2);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, widthA);
    table->setColumnWidth(1, widthB);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setHighlightSections(false);
    // Both columns at their widths, with room for the scroll bar.
    table->setMinimumWidth(widthA + widthB + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    return table;
}

QToolButton* valueButton(QWidget* parent, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(QStringLiteral("..."));
    b->setFixedSize(16, 14);
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    return b;
}

QPushButton* listButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setEnabled(false);
    return b;
}

// Snapshot of an element's texts, so a refused value leaves it as it was.
struct ElementTexts {
    QString comment;
    std::vector<QString> values;

    explicit ElementTexts(const TGraph& element) : comment(element.Comment()) {
        values.reserve(static_cast<std::size_t>(element.propertyCount()));
        for (int p = 0; p < element.propertyCount(); ++p) values.push_back(element.text(p));
    }
    void restore(TGraph& element) const {
        element.setComment(comment);
        for (int p = 0; p < element.propertyCount() && p < static_cast<int>(values.size()); ++p)
            if (element.text(p) != values[static_cast<std::size_t>(p)]) element.setText(p, values[static_cast<std::size_t>(p)]);
    }
};

} // namespace

QWidget* TForm2::createElementPage() {
    auto* page = new QWidget;
    auto* split = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    m_elTable = makeGrid(page, "ElStringGrid", 70, 216);
    m_elGrid = std::make_unique<TableGrid>(*m_elTable);
    m_elTable->setItemDelegate(new ElementGridDelegate(*this, m_elTable));
    left->addWidget(m_elTable, 1);
    auto* listRow = new QHBoxLayout;
    m_upButton = listButton(page, "UpButton", QStringLiteral("Auf"));
    m_downButton = listButton(page, "DownButton", QStringLiteral("Ab"));
    m_deleteButton = listButton(page, "DeleteButton", QStringLiteral("Eintrag löschen"));
    m_copyButton = listButton(page, "CopyButton", QStringLiteral("Eintrag kopieren"));
    for (QPushButton* b : {m_upButton, m_downButton, m_deleteButton, m_copyButton}) listRow->addWidget(b);
    listRow->addStretch(1);
    left->addLayout(listRow);
    createEditingControls(page, left);
    split->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    m_propTable = makeGrid(page, "PropStringGrid", 105, 230);
    m_propGrid = std::make_unique<TableGrid>(*m_propTable);
    m_propTable->setItemDelegate(new PropertyGridDelegate(*this, m_propTable));
    m_propTable->setRowCount(12);
    right->addWidget(m_propTable, 1);
    auto* spinRow = new QHBoxLayout;
    m_upDown3 = new QSpinBox(page);
    m_upDown3->setObjectName(QStringLiteral("IntegerEdit3"));
    m_upDown3->setRange(-32000, 32000);
    m_upDown3->setKeyboardTracking(false);
    m_upDown3->findChild<QLineEdit*>()->setReadOnly(true);
    m_upDown3->setEnabled(false);
    m_upDown3->setMinimumWidth(80);
    spinRow->addWidget(new QLabel(QStringLiteral("Wert:"), page));
    spinRow->addWidget(m_upDown3);
    spinRow->addStretch(1);
    right->addLayout(spinRow);
    split->addLayout(right, 1);

    m_colorButton = valueButton(m_propTable->viewport(), "ColorButton");
    m_fontButton = valueButton(m_propTable->viewport(), "FontButton");
    m_fileButton = valueButton(m_propTable->viewport(), "FileButton");
    m_aviFileButton = valueButton(m_propTable->viewport(), "AVIFileButton");

    // Tab walks from the element list to its properties, not from cell to cell.
    m_elTable->setTabKeyNavigation(false);
    m_propTable->setTabKeyNavigation(false);
    setTabOrder(m_elTable, m_propTable);
    m_elTable->setFocus();

    connect(m_elTable, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_filling) ElStringGridSelectCell(row + 1, column);
    });
    connect(m_propTable, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_filling) PropStringGridSelectCell(row + 1, column);
    });
    connect(m_propTable, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling) propertyCellEdited(row + 1, column);
    });
    connect(m_elTable, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling) elementCellEdited(row + 1, column);
    });
    connect(m_propTable->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { UpdateValueEditor(m_elTable->currentRow() + 1, currentPropertyRow()); });
    for (QTableWidget* t : {m_elTable, m_propTable}) {
        t->viewport()->installEventFilter(this);
        t->setMouseTracking(true);
    }
    connect(m_colorButton, &QToolButton::clicked, this, [this] { ColorButtonClick(); });
    connect(m_fontButton, &QToolButton::clicked, this, [this] { FontButtonClick(); });
    connect(m_fileButton, &QToolButton::clicked, this, [this] { FileButtonClick(); });
    connect(m_aviFileButton, &QToolButton::clicked, this, [this] { AVIFileButtonClick(); });
    connect(m_upDown3, &QSpinBox::valueChanged, this, [this](int v) { stepSpinner(v); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    return page;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_elTable->viewport() && elementGridDragEvent(event)) {
        if (event->type() == QEvent::MouseMove)
            showFullTextHint(*m_elTable, static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    if (watched == m_propTable->viewport() && event->type() == QEvent::Resize)
        QTimer::singleShot(0, this, [this] { UpdateValueEditor(m_elTable->currentRow() + 1, currentPropertyRow()); });
    if (event->type() == QEvent::MouseMove && (watched == m_elTable->viewport() || watched == m_propTable->viewport()))
        showFullTextHint(watched == m_elTable->viewport() ? *m_elTable : *m_propTable,
                         static_cast<QMouseEvent*>(event)->position().toPoint());
    return QDialog::eventFilter(watched, event);
}

void TForm2::showFullTextHint(QTableWidget& table, const QPoint& at) {
    const QModelIndex index = table.indexAt(at);
    const QRect cell = table.visualRect(index);
    const QString text = index.data().toString();
    if (!index.isValid() || table.fontMetrics().horizontalAdvance(text) <= cell.width() - 4) {
        QToolTip::hideText();
        m_hintCell = QPersistentModelIndex();
        return;
    }
    if (m_hintCell == index) return; // once per cell
    m_hintCell = index;
    QToolTip::showText(table.viewport()->mapToGlobal(cell.topLeft() - QPoint(0, 20)), text, table.viewport(), QRect(),
                       kHintMilliseconds);
}

int TForm2::elementCount() const { return m_window.elementCount(); }

TGraph* TForm2::elementAtRow(int row) const {
    return row >= 1 && row <= elementCount() ? m_window.elementAt(row - 1) : nullptr;
}

int TForm2::currentPropertyRow() const { return m_propTable->currentRow() + 1; }

QColor TForm2::propertyTextColor(int propertyRow) const {
    switch (ClassifyCellText(m_propGrid->cell(1, propertyRow))) {
    case CellTextKind::Number: return QColor(0, 0, 0);
    case CellTextKind::Formula: return QColor(0, 128, 0);
    case CellTextKind::Broken: return QColor(0, 0, 255);
    }
    return QColor(0, 0, 0);
}

void TForm2::FillGrids() {
    m_filling = true;
    const int n = elementCount();
    // Clearing resets the model and with it the current cell, which the refill keeps.
    const int keptRow = m_elTable->currentRow();
    const int keptColumn = std::max(0, m_elTable->currentColumn());
    m_elTable->clearContents();
    m_elGrid->setCell(0, 0, QStringLiteral("Elementtyp"));
    m_elGrid->setCell(1, 0, QStringLiteral("Comment"));
    m_elGrid->setRowCount(ElementGridRowCount(n));
    for (int r = 1; r <= n; ++r) m_window.elementAt(r - 1)->PropsToGrid(*m_elGrid, *m_propGrid, r);
    m_elTable->setCurrentCell(std::clamp(keptRow, 0, std::max(0, m_elTable->rowCount() - 1)), keptColumn);
    m_filling = false;
    SelectElementRow(m_elTable->currentRow() + 1, std::max(0, m_elTable->currentColumn()));
    m_propGrid->setCell(0, 0, QStringLiteral("Eigenschaft"));
    m_propGrid->setCell(1, 0, QStringLiteral("Wert"));
}

void TForm2::ElStringGridSelectCell(int row, int column) {
    m_elTable->setEditTriggers(row <= elementCount() && column == 1 ? kEditing : QAbstractItemView::NoEditTriggers);
    SelectElementRow(row, column);
}

bool TForm2::SelectElementRow(int row, int /*column*/) {
    const int n = elementCount();
    const int previous = m_previousRow;
    if (previous >= 1 && previous <= n && row != previous && !readBack(previous)) return false;

    if (!m_keepProperties) {
        m_filling = true;
        if (TGraph* element = elementAtRow(row)) {
            element->InitPropGrid(*m_elGrid, *m_propGrid, 0, false);
            element->PropsToGrid(*m_elGrid, *m_propGrid, row);
        } else {
            for (int r = 1; r < m_propGrid->rowCount(); ++r) {
                m_propGrid->setCell(0, r, QString());
                m_propGrid->setCell(1, r, QString());
            }
        }
        m_filling = false;
        PropStringGridSelectCell(currentPropertyRow(), 1);
    }
    UpdateValueEditor(row, currentPropertyRow());

    for (int i = 0; i < n; ++i) m_window.elementAt(i)->setCurrent(i == row - 1);
    if (!m_multiUpdate) {
        KeyState& keys = KeyState::instance();
        std::vector<bool> selected(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) selected[static_cast<std::size_t>(i)] = m_window.elementAt(i)->isSelected();
        selected = SelectionAfterClick(selected, row <= n ? row - 1 : -1, keys.isDown(VirtualKey::Shift),
                                       keys.isDown(VirtualKey::Control));
        for (int i = 0; i < n; ++i) m_window.elementAt(i)->setSelected(selected[static_cast<std::size_t>(i)]);
    }

    if (row == previous || row == validationState().elementRow) {
        m_window.invalidate();
    } else {
        m_previousRow = row;
        Preview();
    }
    m_previousRow = row;
    m_elTable->viewport()->update();
    return true;
}

void TForm2::PropStringGridSelectCell(int row, int column) {
    if (column == 0 && row >= 1) {
        // The name column is fixed: a click there means the value beside it.
        QTimer::singleShot(0, this, [this, row] { m_propTable->setCurrentCell(row - 1, 1); });
        return;
    }
    TGraph* element = elementAtRow(m_elTable->currentRow() + 1);
    const bool editable = element && row >= 1 && PropertyCellEditable(element->Keyword(), row);
    m_propTable->setEditTriggers(editable ? kEditing : QAbstractItemView::NoEditTriggers);
    UpdateValueEditor(m_elTable->currentRow() + 1, row);
    m_propTable->viewport()->update();
}

void TForm2::propertyCellEdited(int row, int column) {
    if (column != 1 || row < 1) return;
    UpdateValueEditor(m_elTable->currentRow() + 1, currentPropertyRow());
    Preview();
}

void TForm2::elementCellEdited(int row, int column) {
    if (column == 1 && row == m_previousRow) Preview();
}

bool TForm2::readBack(int row) {
    TGraph* element = elementAtRow(row);
    if (!element) return true;
    const ElementTexts before(*element);
    QString message;
    try {
        element->GridToProps(*m_elGrid, *m_propGrid, row);
        return true;
    } catch (const std::exception& e) {
        message = validationState().pendingMessage.isEmpty() ? QString::fromUtf8(e.what())
                                                             : validationState().pendingMessage;
    } catch (...) {
        message = validationState().pendingMessage;
    }
    before.restore(*element);
    showValidationError(message, true);
    return false;
}

void TForm2::showValidationError(const QString& message, bool reselect) {
    if (m_errorShown) return;
    m_errorShown = true;
    Dialogs::instance().messageBox(this, QStringLiteral("QEV-Konfigurierung"), message, MessageIcon::Information,
                                   MessageButtons::Ok, MessageButton::Ok);
    m_errorShown = false;
    if (reselect) QMetaObject::invokeMethod(this, [this] { reselectErrorCells(); }, Qt::QueuedConnection);
}

void TForm2::reselectErrorCells() {
    const ValidationState& state = validationState();
    const int elementRow = state.elementRow;
    const int propertyRow = state.propertyRow;
    if (elementRow >= 1 && elementRow <= elementCount()) {
        m_keepProperties = true;
        if (m_elTable->currentRow() != elementRow - 1) m_elTable->setCurrentCell(elementRow - 1, 0);
        m_keepProperties = false;
    }
    if (propertyRow >= 1 && propertyRow < m_propGrid->rowCount()) m_propTable->setCurrentCell(propertyRow - 1, 1);
    m_propTable->setFocus();
}

void TForm2::UpdateValueEditor(int elementRow, int propertyRow) {
    TGraph* element = elementAtRow(elementRow);
    const QString keyword = element ? element->Keyword() : QString();
    const QRect cell = propertyRow >= 1 ? m_propTable->visualRect(m_propTable->model()->index(propertyRow - 1, 1)) : QRect();
    const std::pair<QToolButton*, ValueButton> buttons[] = {{m_colorButton, ValueButton::Color},
                                                            {m_fileButton, ValueButton::PictureFile},
                                                            {m_aviFileButton, ValueButton::MediaFile},
                                                            {m_fontButton, ValueButton::Font}};
    for (const auto& [button, kind] : buttons) {
        const bool visible = element && propertyRow >= 1 && cell.isValid() &&
                             ValueButtonVisible(kind, keyword, propertyRow, true);
        if (visible)
            button->move(cell.right() - button->width() + 1, cell.top() + (cell.height() - button->height()) / 2);
        button->setVisible(visible);
    }

    int number = 0;
    const bool spinnable = element && propertyRow >= 1 && SpinnerValue(m_propGrid->cell(1, propertyRow), number);
    {
        const QSignalBlocker quiet(m_upDown3);
        if (spinnable) m_upDown3->setValue(number);
        m_upDown3->setEnabled(spinnable);
    }

    const int n = elementCount();
    int first = -1;
    int last = -1;
    for (int i = 0; i < n; ++i)
        if (m_window.elementAt(i)->isSelected()) {
            if (first < 0) first = i;
            last = i;
        }
    m_deleteButton->setEnabled(element != nullptr);
    m_copyButton->setEnabled(element != nullptr);
    m_upButton->setEnabled(first > 0);
    m_downButton->setEnabled(last >= 0 && last < n - 1);
}

void TForm2::stepSpinner(int value) {
    const int row = currentPropertyRow();
    if (!elementAtRow(m_elTable->currentRow() + 1) || row < 1) return;
    m_propGrid->setCell(1, row, QString::number(value));
}

// --- value editor buttons ------------------------------------------------------------

void TForm2::ColorButtonClick() {
    const int row = currentPropertyRow();
    const long double value = Evaluate(m_propGrid->cell(1, row).toUpper().toStdString(), m_window.signalTable());
    int color = 0;
    if (std::isfinite(static_cast<double>(value)) && value > -2147483648.0L && value < 2147483648.0L)
        color = static_cast<int>(std::nearbyint(static_cast<double>(value)));
    if (!Dialogs::instance().color(this, color)) return;
    m_propGrid->setCell(1, row, QString::number(color));
}

void TForm2::FontButtonClick() {
    const int row = currentPropertyRow();
    FontChoice font;
    font.name = m_propGrid->cell(1, row);
    if (!Dialogs::instance().font(this, font)) return;
    m_propGrid->setCell(1, row, font.name);
}

void TForm2::FileButtonClick() {
    const int row = currentPropertyRow();
    TGraph* element = elementAtRow(m_elTable->currentRow() + 1);
    if (!element || row < 1) return;
    const QString keyword = element->Keyword();
    const FileDialogPreset preset = PictureFilePreset(keyword);
    QString name = preset.fileName;
    if (Dialogs::instance().openFileName(this, QStringLiteral("Öffnen"), preset.filter, name)) {
        m_filling = true;
        m_propGrid->setCell(1, row, name);
        if (keyword == QLatin1String("BITMAP") && row > 3) {
            const Picture picture = Picture::fromFile(name);
            m_propGrid->setCell(1, row - 3, QString::number(picture.width()));
            m_propGrid->setCell(1, row - 2, QString::number(picture.height()));
        } else if (keyword == QLatin1String("WMF") && row > 5) {
            const char* texts[] = {"0", "CH", "CW", "CH"};
            for (int k = 0; k < 4; ++k) m_propGrid->setCell(1, row - 5 + k, QLatin1String(texts[k]));
        }
        m_filling = false;
    }
    // Preview runs after the dialog also when it was cancelled.
    Preview();
    UpdateValueEditor(m_elTable->currentRow() + 1, row);
}

void TForm2::AVIFileButtonClick() {
    const int row = currentPropertyRow();
    TGraph* element = elementAtRow(m_elTable->currentRow() + 1);
    if (!element || row < 1) return;
    const FileDialogPreset preset = MediaFilePreset(element->Keyword());
    QString name = preset.fileName;
    if (Dialogs::instance().openFileName(this, QStringLiteral("Öffnen"), preset.filter, name))
        m_propGrid->setCell(1, row, name);
}

void TForm2::DeleteButtonClick() {
    if (!Preview()) return;
    for (int i = elementCount() - 1; i >= 0; --i)
        if (m_window.elementAt(i)->isSelected()) m_window.removeElement(i);
    m_previousRow = 0; // the grid no longer shows the element that was there
    FillGrids();
    Preview();
}

} // namespace ovanto
