// The list operations of the element page: insert, delete, reorder, copy and
// paste, moving on the window, search; and the palette and I/O windows.

#include "editor/editing_ops.h"
#include "editor/element_clipboard.h"
#include "editor/element_palette.h"
#include "editor/grid_rules.h"
#include "editor/io_control_window.h"
#include "editor/palette_table.h"
#include "editor/tform2.h"
#include "elements/core/element_list.h"
#include "elements/core/record.h"
#include "elements/core/tgraph.h"
#include "platform/dialogs.h"
#include "platform/key_state.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "window/tform1.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace ovanto {
namespace {

constexpr char kElementRowMime[] = "application/x-ovanto-element-row";
constexpr int kScrollInterval = 100;

QString plainTitle() { return QStringLiteral("QEV-Konfigurierung"); }

} // namespace

void TForm2::createEditingControls(QWidget* page, QBoxLayout* under) {
    auto* row = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    m_deleteAllButton = button("DeleteAllButton", QStringLiteral("Komplett löschen"));
    m_pasteButton = button("PasteButton", QStringLiteral("Eintrag einfügen"));
    row->addSpacing(8);
    const struct {
        const char* name;
        Qt::ArrowType arrow;
        const char* hint;
    } arrows[] = {{"MoveUpButton", Qt::UpArrow, "Selektion nach oben verschieben"},
                  {"MoveRightButton", Qt::RightArrow, "Selektion nach rechts verschieben"},
                  {"MoveDownButton", Qt::DownArrow, "Selektion nach unten verschieben"},
                  {"MoveLeftButton", Qt::LeftArrow, "Selektion nach links verschieben"}};
    m_moveTimer = new QTimer(this);
    m_moveTimer->setObjectName(QStringLiteral("MoveTimer"));
    for (int k = 0; k < 4; ++k) {
        auto* b = new QToolButton(page);
        b->setObjectName(QLatin1String(arrows[k].name));
        b->setArrowType(arrows[k].arrow);
        b->setToolTip(QString::fromUtf8(arrows[k].hint));
        b->setFocusPolicy(Qt::NoFocus);
        const auto direction = static_cast<MoveDirection>(k + 1);
        m_moveButtons[static_cast<std::size_t>(k)] = b;
        row->addWidget(b);
        connect(b, &QToolButton::pressed, this, [this, direction] {
            m_moveDirection = direction;
            m_moveTimer->setInterval(kFirstMoveInterval);
            m_moveTimer->start();
        });
        connect(b, &QToolButton::released, m_moveTimer, &QTimer::stop);
        connect(b, &QToolButton::clicked, this, [this, direction] { MoveSelection(direction); });
    }
    connect(m_moveTimer, &QTimer::timeout, this, [this] { MoveTimerTimer(); });
    row->addSpacing(8);
    m_searchEdit = new QLineEdit(page);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->setToolTip(QStringLiteral("Suche nach Zeichenfolge"));
    m_searchEdit->setMinimumWidth(120);
    row->addWidget(m_searchEdit, 1);
    QPushButton* search = button("SearchButton", QStringLiteral("Start"));
    under->addLayout(row);

    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    m_scrollTimer->setInterval(kScrollInterval);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] { ScrollTimerTimer(); });
    m_elTable->viewport()->setAcceptDrops(true);

    connect(m_deleteAllButton, &QPushButton::clicked, this, [this] { DeleteAllButtonClick(); });
    connect(m_pasteButton, &QPushButton::clicked, this, [this] { PasteButtonClick(); });
    connect(m_copyButton, &QPushButton::clicked, this, [this] { CopyButtonClick(); });
    connect(m_upButton, &QPushButton::clicked, this, [this] { UpButtonClick(); });
    connect(m_downButton, &QPushButton::clicked, this, [this] { DownButtonClick(); });
    connect(search, &QPushButton::clicked, this, [this] { SearchButtonClick(); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] { SearchButtonClick(); });
}

void TForm2::createToolWindows() {
    m_elementForm = new TElementForm(this);
    connect(m_elementForm, &TElementForm::insertRequested, this, [this](int tag) { PaletteButtonClick(tag); });
    connect(m_elementForm, &TElementForm::dragFinished, m_scrollTimer, &QTimer::stop);
    connect(m_elementForm, &TElementForm::showDialogRequested, this, [this] { showConfigurationDialog(); });
    m_ioForm = new TQEVIOForm(this, m_window.signalTable(), m_window.configuration(), [this] { Preview(); });
    m_ioForm->hide();
}

// --- helpers ---------------------------------------------------------------------------

bool TForm2::readBackCurrent() {
    return !(m_previousRow >= 1 && m_previousRow <= elementCount()) || readBack(m_previousRow);
}

void TForm2::refillAndSelect(int row) {
    // Everything in the grids was read back before the list changed.
    m_previousRow = 0;
    const int column = std::max(0, m_elTable->currentColumn());
    row = std::clamp(row, 1, elementCount() + 1);
    m_filling = true;
    m_elGrid->setRowCount(ElementGridRowCount(elementCount()));
    m_elTable->setCurrentCell(row - 1, column);
    m_filling = false;
    const bool before = m_multiUpdate;
    m_multiUpdate = true;
    FillGrids();
    m_multiUpdate = before;
}

void TForm2::selectAfterMultiUpdate(int row) {
    const bool before = m_multiUpdate;
    m_multiUpdate = true;
    selectElementRow(row, false);
    m_multiUpdate = before;
}

// --- insert ----------------------------------------------------------------------------

bool TForm2::InsertElement(int tag, int row) {
    if (!readBackCurrent()) return false;
    const int n = elementCount();
    if (row < 1 || row > n + 1) return false;
    std::unique_ptr<TGraph> element = MakePaletteElement(m_window, tag);
    if (!element) return false;
    std::vector<std::unique_ptr<TGraph>> one;
    one.push_back(std::move(element));
    m_window.elementList().insert(row - 1, std::move(one));
    m_previousRow = 0;
    if (row == n + 1) {
        // Appending changes no other row: the grid only grows.
        m_filling = true;
        m_elGrid->setRowCount(std::max(m_elGrid->rowCount(), ElementGridRowCount(n + 1)));
        m_window.elementAt(n)->PropsToGrid(*m_elGrid, *m_propGrid, row);
        m_filling = false;
    } else {
        m_filling = true;
        m_elGrid->setRowCount(ElementGridRowCount(n + 1));
        for (int r = row; r <= n + 1; ++r) m_window.elementAt(r - 1)->PropsToGrid(*m_elGrid, *m_propGrid, r);
        m_filling = false;
    }
    m_deferredPaint = true;
    selectElementRow(row, false);
    m_deferredPaint = false;
    return true;
}

void TForm2::PaletteButtonClick(int tag) {
    m_pages->setCurrentIndex(0);
    if (!InsertElement(tag, elementCount() + 1)) return;
    m_elTable->setFocus();
    m_elTable->setCurrentCell(m_elTable->currentRow(), 1);
}

bool TForm2::DropOnElementGrid(int tag, int sourceRow, int dropRow) {
    const int n = elementCount();
    if (dropRow < 1 || dropRow > n + 1) return false;
    if (tag >= 0) return InsertElement(tag, dropRow);
    const int to = DropTargetIndex(sourceRow - 1, dropRow, n);
    if (to < 0 || !readBackCurrent()) return false;
    m_window.elementList().move(sourceRow - 1, to);
    refillAndSelect(to + 1);
    return true;
}

// --- delete, order -------------------------------------------------------------------------

void TForm2::DeleteAllButtonClick() {
    if (Dialogs::instance().messageBox(this, QStringLiteral("Bestätigung"), QStringLiteral("Sind Sie sicher?"),
                                       MessageIcon::Question, MessageButtons::YesNo,
                                       MessageButton::No) != MessageButton::Yes)
        return;
    m_window.clearElements();
    refillAndSelect(1);
}

void TForm2::UpButtonClick() {
    if (!readBackCurrent()) return;
    std::vector<bool> selected;
    for (int i = 0; i < elementCount(); ++i) selected.push_back(m_window.elementAt(i)->isSelected());
    ApplyMoves(m_window.elementList(), MoveSelectedUp(selected));
    refillAndSelect(std::max(1, m_elTable->currentRow()));
}

void TForm2::DownButtonClick() {
    if (!readBackCurrent()) return;
    std::vector<bool> selected;
    for (int i = 0; i < elementCount(); ++i) selected.push_back(m_window.elementAt(i)->isSelected());
    ApplyMoves(m_window.elementList(), MoveSelectedDown(selected));
    refillAndSelect(std::min(elementCount(), m_elTable->currentRow() + 2));
}

// --- clipboard -----------------------------------------------------------------------------

void TForm2::CopyButtonClick() {
    if (!readBackCurrent()) return;
    QStringList records;
    for (int i = 0; i < elementCount(); ++i)
        if (m_window.elementAt(i)->isSelected()) records << WriteRecord(*m_window.elementAt(i));
    // Nothing selected: what was copied before stays to be pasted.
    if (records.isEmpty()) return;
    if (!WriteElementClipboard(m_clipboardFile, Module::recordVersion(), records))
        Dialogs::instance().showError(
            this, QStringLiteral("Die Einträge konnten nicht in die Datei %1 kopiert werden!")
                      .arg(QDir::toNativeSeparators(m_clipboardFile)));
}

void TForm2::PasteButtonClick() {
    const ClipboardContent content = ReadElementClipboard(m_clipboardFile);
    if (!content.exists || content.empty ||
        (content.readable && content.records.isEmpty() && content.skippedLines == 0)) {
        Dialogs::instance().showError(this, QStringLiteral("Keine Daten zum Einfügen vorhanden!"));
        return;
    }
    if (!readBackCurrent()) return;
    int pasted = 0;
    int refused = content.skippedLines;
    if (content.readable) {
        for (int i = 0; i < elementCount(); ++i) m_window.elementAt(i)->setSelected(false);
        RecordVersionScope scope;
        SetRecordVersion(content.version);
        for (const QString& record : content.records) {
            try {
                if (TGraph* element = ReadRecord(m_window, record)) {
                    element->setSelected(true);
                    ++pasted;
                    continue;
                }
            } catch (const std::exception&) {
                // the half-read element is gone again; the next record may be fine
            }
            ++refused;
        }
        if (pasted > 0) refillAndSelect(elementCount());
    }
    if (!content.readable) {
        Dialogs::instance().showError(this, QStringLiteral("Die Datei %1 enthält keine einfügbaren Einträge!")
                                                .arg(QDir::toNativeSeparators(m_clipboardFile)));
    } else if (refused > 0) {
        QString text = QStringLiteral("%1 von %2 Einträgen konnten nicht eingefügt werden.")
                           .arg(refused)
                           .arg(refused + pasted);
        if (content.version > Module::recordVersion())
            text += QStringLiteral(" Die Daten stammen von einer neueren Programmversion.");
        Dialogs::instance().messageBox(this, plainTitle(), text, MessageIcon::Warning, MessageButtons::Ok,
                                       MessageButton::Ok);
    }
}

// --- moving on the window ------------------------------------------------------------------------

void TForm2::MoveSelection(MoveDirection direction) {
    if (!readBackCurrent()) return;
    const int step = KeyState::instance().isDown(VirtualKey::Shift) ? 10 : 1;
    for (int i = 0; i < elementCount(); ++i) {
        TGraph* element = m_window.elementAt(i);
        if (!element->isSelected() || !element->CanMove()) continue;
        Rect r;
        element->GetBounds(r);
        element->SetBounds(ShiftedBounds(r, direction, step));
        if (element->isCurrent()) {
            refreshPropertyGrid(element);
            m_propTable->viewport()->update();
        }
    }
    Preview();
}

void TForm2::MoveTimerTimer() {
    m_moveTimer->setInterval(NextMoveInterval(m_moveTimer->interval()));
    QToolButton* button = moveButton(m_moveDirection);
    if (button->rect().contains(button->mapFromGlobal(QCursor::pos()))) MoveSelection(m_moveDirection);
}

// --- search --------------------------------------------------------------------------------------

void TForm2::SearchButtonClick() {
    if (!readBackCurrent()) return;
    QStringList comments;
    for (int i = 0; i < elementCount(); ++i) comments << m_window.elementAt(i)->Comment();
    const int found = FindComment(comments, m_searchEdit->text(), m_elTable->currentRow());
    if (found < 0) {
        Dialogs::instance().messageBox(this, plainTitle(), QStringLiteral("Zeichenfolge wurde nicht gefunden!"),
                                       MessageIcon::Information, MessageButtons::Ok, MessageButton::Ok);
        return;
    }
    m_elTable->setCurrentCell(found, 1);
}

// --- drag and drop in the element grid -------------------------------------------------------------

void TForm2::ScrollTimerTimer() {
    QScrollBar* bar = m_elTable->verticalScrollBar();
    if (m_scrollDirection > 0 && bar->value() > bar->minimum()) bar->setValue(bar->value() - 1);
    else if (m_scrollDirection < 0 && bar->value() < bar->maximum()) bar->setValue(bar->value() + 1);
}

bool TForm2::elementGridDragEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressPoint = mouse->position().toPoint();
        m_dragSourceRow = m_elTable->rowAt(m_pressPoint.y()) + 1;
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) return false;
        // The grid's own drag-selection would move the current row under the drag.
        if (m_dragSourceRow < 1 || m_dragSourceRow > elementCount()) return true;
        if ((mouse->position().toPoint() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
            return true;
        auto* drag = new QDrag(m_elTable);
        auto* payload = new QMimeData;
        payload->setData(QString::fromLatin1(kElementRowMime), QByteArray::number(m_dragSourceRow));
        drag->setMimeData(payload);
        m_dragSourceRow = 0;
        drag->exec(Qt::MoveAction);
        m_scrollTimer->stop();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const QMimeData* payload = drag->mimeData();
        const int y = drag->position().toPoint().y();
        const int row = m_elTable->rowAt(y) + 1;
        const bool known = payload->hasFormat(QString::fromLatin1(kPaletteTagMime)) ||
                           payload->hasFormat(QString::fromLatin1(kElementRowMime));
        m_scrollDirection = DragScrollDirection(y, m_elTable->viewport()->height());
        if (m_scrollDirection != 0 && !m_scrollTimer->isActive()) m_scrollTimer->start();
        if (m_scrollDirection == 0) m_scrollTimer->stop();
        if (known && row >= 1 && row <= elementCount() + 1) drag->acceptProposedAction();
        else if (event->type() == QEvent::DragMove) drag->ignore();
        else drag->acceptProposedAction(); // enter: the row is judged while moving
        return true;
    }
    case QEvent::DragLeave:
        m_scrollTimer->stop();
        return true;
    case QEvent::Drop: {
        m_scrollTimer->stop();
        auto* drop = static_cast<QDropEvent*>(event);
        const QMimeData* payload = drop->mimeData();
        const int row = m_elTable->rowAt(drop->position().toPoint().y()) + 1;
        bool ok = false;
        if (payload->hasFormat(QString::fromLatin1(kPaletteTagMime))) {
            const int tag = payload->data(QString::fromLatin1(kPaletteTagMime)).toInt(&ok);
            ok = ok && DropOnElementGrid(tag, -1, row);
        } else if (payload->hasFormat(QString::fromLatin1(kElementRowMime))) {
            const int source = payload->data(QString::fromLatin1(kElementRowMime)).toInt(&ok);
            ok = ok && DropOnElementGrid(-1, source, row);
        }
        if (ok) drop->acceptProposedAction();
        else drop->ignore();
        return true;
    }
    default:
        return false;
    }
}

// --- palette, I/O window, help ------------------------------------------------------------------

void TForm2::raiseElementPalette() {
    m_elementForm->show();
    m_elementForm->raise();
}

void TForm2::showIOWindow() {
    m_ioForm->RefreshInputs();
    m_ioForm->RefreshOutputs();
    m_ioForm->show();
    m_ioForm->raise();
}

void TForm2::refreshIOWindow() {
    if (m_ioForm && m_ioForm->isVisible()) m_ioForm->RefreshOutputs();
}

void TForm2::ShowHelp() {
    // Help that is not there is no error worth a message.
    const QString help = QDir(Module::directory()).filePath(QStringLiteral("QEV.HLP"));
    if (QFileInfo::exists(help)) Shell::instance().openDocument(help);
}

} // namespace ovanto
