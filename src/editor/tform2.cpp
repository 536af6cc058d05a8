#include "editor/tform2.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/qev_bmp_lib_dialog.h"
#include "dialogs/qev_info_dialog.h"

#include "editor/editor_icons.h"
#include "editor/element_palette.h"
#include "editor/io_control_window.h"
#include "editor/real_edit.h"
#include "elements/core/tgraph.h"
#include "elements/core/validators.h"
#include "host/animation_file.h"
#include "host/window_manager.h"
#include "platform/dialogs.h"
#include "platform/key_state.h"
#include "platform/settings_store.h"
#include "window/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace ovanto {

TForm2::TForm2(TForm1& window, Role role)
    : QDialog(&window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint),
      m_window(window), m_role(role) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(role == Role::Standalone ? QStringLiteral("Ovanto") : QStringLiteral("QEV-Konfigurierung"));
    m_previouslyActive = QApplication::activeWindow();

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    auto* bar = new QWidget(this);
    createToolBar(bar);
    top->addWidget(bar);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setUsesScrollButtons(false);
    m_pages->addTab(createElementPage(), QStringLiteral("Grafik- und Bedienelemente"));
    m_pages->addTab(createIOPage(), QStringLiteral("Blockein-/ausgänge"));
    m_pages->addTab(createCounterPage(), QStringLiteral("Zähler"));
    m_pages->addTab(createConstantsPage(), QStringLiteral("Konstanten"));
    m_pages->addTab(createWindowPage(), QStringLiteral("Visualisierungsfenster"));
    m_pages->addTab(createExternalPage(), QStringLiteral("Externe I/Os"));
    auto* pageFrame = new QVBoxLayout;
    pageFrame->setContentsMargins(4, 2, 4, 2);
    pageFrame->addWidget(m_pages);
    top->addLayout(pageFrame, 1);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(true);
    const QString panelTexts[3] = {QStringLiteral("Hilfe zu Element mit <F1>"), QString(),
                                   QStringLiteral("<Shift>-Taste drücken für schnelles Scrollen mit Navi-Tasten     ")};
    for (int i = 0; i < 3; ++i) {
        m_panels[static_cast<std::size_t>(i)] = new QLabel(panelTexts[i], m_statusBar);
        m_panels[static_cast<std::size_t>(i)]->setFrameShape(QFrame::StyledPanel);
    }
    m_panels[0]->setMinimumWidth(140);
    m_panels[1]->setMinimumWidth(100);
    m_panels[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_statusBar->addWidget(m_panels[0]);
    m_statusBar->addWidget(m_panels[1]);
    m_statusBar->addWidget(m_panels[2], 1);
    top->addWidget(m_statusBar);

    // Return belongs to the grids and edits, never to a list button.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    createToolWindows();
    LoadControls();
    FillGrids();

    // The dialog bottom left, the window top right, as the editor has always opened.
    resize(sizeHint().expandedTo(QSize(640, 520)));
    const QRect screenRect = m_window.screenGeometry();
    move(screenRect.left(), screenRect.top() + screenRect.height() - height() - 30);
    m_windowPlace = m_window.pos();
    m_window.move(screenRect.left() + screenRect.width() - m_window.frameGeometry().width(), screenRect.top());

    m_windowColor = m_window.options().BackgroundColor;
    m_titleEdit->setText(m_window.options().Caption);

    createBackup();
    m_clipboardFile = QDir(QDir::tempPath()).filePath(QStringLiteral("QEV.TMP"));

    m_previousRow = 1;
    validationState().elementRow = validationState().propertyRow = -1;
    m_errorShown = false;
    WindowManager::instance().HideQEVManForm();

    restoreLayout();
    UpdateValueEditor(m_elTable->currentRow() + 1, currentPropertyRow());
    m_changed = false;
}

TForm2::~TForm2() {
    m_closing = true;
    if (m_window.configDialog() == this) m_window.setConfigDialog(nullptr);
    WindowManager::instance().ShowQEVManForm();
    if (m_previouslyActive) m_previouslyActive->activateWindow();
}

void TForm2::createToolBar(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 2);
    row->setSpacing(2);
    auto add = [&](const char* name, EditorIcon icon, const QString& hint, bool checkable = false) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setIcon(DrawEditorIcon(icon));
        b->setIconSize(QSize(20, 20));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setCheckable(checkable);
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    m_button1 = add("Button1", EditorIcon::Ok, m_role == Role::Standalone ? QStringLiteral("Schließen") : QStringLiteral("OK"));
    m_button7 = add("Button7", EditorIcon::Cancel, QStringLiteral("Abbrechen"));
    m_button7->setVisible(m_role == Role::Host);
    m_button6 = add("Button6", EditorIcon::Preview, QStringLiteral("Vorschau"));
    row->addSpacing(8);
    QToolButton* open = add("Button2", EditorIcon::Open, QStringLiteral("QEV-Datei öffnen"));
    QToolButton* save = add("Button4", EditorIcon::Save, QStringLiteral("QEV-Datei speichern"));
    row->addSpacing(8);
    m_ioButton = add("Button3", EditorIcon::IOWindow, QStringLiteral("I/O-Fenster ein-/ausblenden"));
    QToolButton* library = add("SpeedButton1", EditorIcon::Library, QStringLiteral("Bitmap Library Viewer"));
    m_soundOnButton = add("SoundOnButton", EditorIcon::Sound, QStringLiteral("Sound aktivieren"), true);
    m_gridButton = add("GridButton", EditorIcon::Grid, QStringLiteral("Entwurfsraster einblenden"), true);
    m_lockButton = add("LockButton", EditorIcon::Lock, QStringLiteral("Elemente verriegeln"), true);
    row->addSpacing(8);
    QToolButton* info = add("Button8", EditorIcon::Info, QStringLiteral("Info über QEV"));
    QToolButton* help = add("HelpButton", EditorIcon::Help, QStringLiteral("Hilfe"));
    row->addStretch(1);

    connect(m_button1, &QToolButton::clicked, this, [this] { Button1Click(); });
    connect(m_button7, &QToolButton::clicked, this, [this] { Button7Click(); });
    connect(m_button6, &QToolButton::clicked, this, [this] { Preview(); });
    connect(open, &QToolButton::clicked, this, [this] { Button2Click(); });
    connect(library, &QToolButton::clicked, this, [this] {
        if (PictureLibrary* pictures = m_window.pictureLibrary()) {
            TQEVBMPLibDialog dialog(*pictures, this);
            ExecModal(dialog);
        }
    });
    connect(info, &QToolButton::clicked, this, [this] {
        TQEVInfoDialog dialog(this);
        ExecModal(dialog);
    });
    connect(save, &QToolButton::clicked, this, [this] { Button4Click(); });
    connect(m_ioButton, &QToolButton::clicked, this, [this] {
        if (m_ioForm->isVisible()) m_ioForm->hide();
        else showIOWindow();
    });
    connect(help, &QToolButton::clicked, this, [this] { ShowHelp(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [this] { ShowHelp(); });
    connect(m_gridButton, &QToolButton::toggled, this, [this](bool down) {
        m_window.setDesignGrid(down);
        Preview();
    });
    connect(m_soundOnButton, &QToolButton::toggled, this, [this](bool down) { m_window.setSoundMuted(!down); });
    // Keyboard ways to the file buttons, so the editor works without a mouse.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, [this] { Button4Click(); });
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, [this] { Button2Click(); });
}

// --- backup and layout ------------------------------------------------------------

void TForm2::createBackup() {
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("QEVXXXXXX")));
    file.setAutoRemove(false);
    if (!file.open()) return;
    m_backupFile = file.fileName();
    file.close();
    if (!SaveConfiguration(m_backupFile, m_window)) removeBackup();
}

void TForm2::removeBackup() {
    if (!m_backupFile.isEmpty()) QFile::remove(m_backupFile);
    m_backupFile.clear();
}

void TForm2::restoreLayout() {
    const DesktopLayout layout = ReadDesktopLayout(SettingsStore::current());
    constexpr int unset = DesktopLayout::kUnset;
    QRect r = geometry();
    if (layout.LastLeftDlg != unset) r.moveLeft(layout.LastLeftDlg);
    if (layout.LastTopDlg != unset) r.moveTop(layout.LastTopDlg);
    // A size from another screen must still leave a usable dialog.
    if (layout.LastWidthDlg != unset) r.setWidth(std::clamp(layout.LastWidthDlg, 320, 4000));
    if (layout.LastHeightDlg != unset) r.setHeight(std::clamp(layout.LastHeightDlg, 240, 4000));
    move(r.topLeft());
    resize(r.size());
    const QPoint palette(layout.LastLeftElForm != unset ? layout.LastLeftElForm : r.right() + 8,
                         layout.LastTopElForm != unset ? layout.LastTopElForm : r.top());
    m_elementForm->move(palette);
    m_elementForm->pages()->setCurrentIndex(std::clamp(layout.LastActiveElPage, 0, m_elementForm->pages()->count() - 1));
    if (layout.LastLeftIOForm != unset && layout.LastTopIOForm != unset)
        m_ioForm->move(layout.LastLeftIOForm, layout.LastTopIOForm);
    if (layout.LastHeightIOForm != unset) m_ioForm->resize(m_ioForm->width(), std::clamp(layout.LastHeightIOForm, 80, 4000));
    m_showIOForm = layout.LastStateIOForm == 1;
    m_lockButton->setChecked(layout.Locked);
    m_soundOnButton->setChecked(layout.Sound);
    m_gridButton->setChecked(layout.Grid);
    m_window.setDesignGrid(layout.Grid);
    m_window.setSoundMuted(!layout.Sound);
}

void TForm2::saveLayout() {
    DesktopLayout layout = ReadDesktopLayout(SettingsStore::current());
    layout.LastLeftDlg = pos().x();
    layout.LastTopDlg = pos().y();
    layout.LastWidthDlg = width();
    layout.LastHeightDlg = height();
    layout.LastLeftElForm = m_elementForm->pos().x();
    layout.LastTopElForm = m_elementForm->pos().y();
    layout.LastActiveElPage = m_elementForm->pages()->currentIndex();
    layout.LastLeftIOForm = m_ioForm->pos().x();
    layout.LastTopIOForm = m_ioForm->pos().y();
    layout.LastHeightIOForm = m_ioForm->height();
    layout.LastStateIOForm = m_ioForm->isVisible() ? 1 : 0;
    layout.Locked = m_lockButton->isChecked();
    layout.Sound = m_soundOnButton->isChecked();
    layout.Grid = m_gridButton->isChecked();
    WriteDesktopLayout(SettingsStore::current(), layout);
}

void TForm2::restoreWindowPlace() { m_window.move(m_windowPlace); }

// --- preview, OK, Cancel ------------------------------------------------------------

bool TForm2::Preview() {
    if (m_previousRow >= 1 && m_previousRow <= elementCount() && !readBack(m_previousRow)) return false;
    RunState& run = m_window.runState();
    const bool repaintOnChange = run.RepaintOnOutputChange;
    run.RepaintOnOutputChange = false;
    m_window.UpdateOutputs();
    if (m_deferredPaint) m_window.requestRepaint();
    else m_window.paintNow();
    run.RepaintOnOutputChange = repaintOnChange;
    refreshIOWindow();
    m_changed = true;
    m_window.options().Caption = m_titleEdit->text();
    m_window.applyCaption();
    return true;
}

void TForm2::Button1Click() {
    if (m_role == Role::Standalone) {
        if (m_changed &&
            Dialogs::instance().messageBox(
                this, QStringLiteral("Bestätigung"),
                QStringLiteral("Die aktuellen Daten wurden noch nicht gespeichert! Programm dennoch beenden?"),
                MessageIcon::Question, MessageButtons::YesNo, MessageButton::No) != MessageButton::Yes)
            return;
        removeBackup();
        saveLayout();
        m_closing = true;
        hide();
        m_window.hide();
        QApplication::quit();
        return;
    }
    const int row = m_elTable->currentRow() + 1;
    if (row >= 1 && row <= elementCount() && !readBack(row)) return;
    if (!storeControls()) return;
    m_closing = true;
    accept();
    WindowOptions& options = m_window.options();
    if (options.CenterWindow) {
        const QRect s = m_window.screenGeometry();
        const QRect f = m_window.frameGeometry();
        m_window.move(s.left() + (s.width() - f.width()) / 2, s.top() + (s.height() - f.height()) / 2);
    } else {
        restoreWindowPlace();
    }
    removeBackup();
    saveLayout();
}

void TForm2::Button7Click() {
    restoreWindowPlace();
    m_window.options().BackgroundColor = m_windowColor;
    m_window.applyBackground();
    if (!m_backupFile.isEmpty()) {
        LoadConfiguration(m_backupFile, m_window);
        LoadControls();
        m_previousRow = 0; // the elements read back are new: nothing to read from the grid
        FillGrids();
    }
    removeBackup();
    m_closing = true;
    reject();
}

void TForm2::Button4Click() {
    const int row = m_elTable->currentRow() + 1;
    if (row >= 1 && row <= elementCount() && !readBack(row)) return;
    QString name;
    if (!Dialogs::instance().saveFileName(this, QStringLiteral("QEV-Datei speichern"),
                                          QStringLiteral("QEV-Konfigurationsdateien (*.qev)|*.qev"), name,
                                          QStringLiteral("qev")))
        return;
    if (!storeControls()) return;
    if (SaveConfiguration(name, m_window)) {
        m_changed = false;
    } else {
        Dialogs::instance().showError(this, QStringLiteral("Fehler beim Speichern der Datei!"));
        m_changed = true;
    }
}

void TForm2::Button2Click() {
    QString name;
    if (!Dialogs::instance().openFileName(this, QStringLiteral("QEV-Datei öffnen"),
                                          QStringLiteral("QEV-Konfigurationsdateien (*.qev)|*.qev"), name,
                                          QStringLiteral("qev")))
        return;
    if (!LoadConfiguration(name, m_window))
        Dialogs::instance().showError(this, QStringLiteral("Fehler beim Öffnen der Datei!"));
    m_titleEdit->setText(m_window.options().Caption);
    LoadControls();
    m_previousRow = 0;
    FillGrids();
    Preview();
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    // Closing the frame is OK; it stays open when OK does not go through.
    event->ignore();
    Button1Click();
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The dialog opens with the element list under the keyboard; queued, as
    // showing hands the focus to the first child after this.
    if (m_firstShow) {
        QTimer::singleShot(0, this, [this] { m_elTable->setFocus(); });
        m_elementForm->show();
        if (m_showIOForm) showIOWindow();
    }
    m_firstShow = false;
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    // Escape would cancel a host dialog behind the user's back; Cancel is a button.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TForm2::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);

    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !m_closing &&
        !m_errorShown)
        Preview();
}

// --- ConfigDialogLink -----------------------------------------------------------------

void TForm2::selectElementRow(int row, bool fromWindow) {
    const bool before = m_multiUpdate;
    if (fromWindow) m_multiUpdate = true;
    if (row - 1 == m_elTable->currentRow())
        SelectElementRow(row, 0);
    else
        m_elTable->setCurrentCell(row - 1, 0);
    m_multiUpdate = before;
}

bool TForm2::lockButtonDown() const { return m_lockButton->isChecked(); }

void TForm2::setStatusPanelText(const QString& text) { m_panels[1]->setText(text); }

QString TForm2::captionText() const { return m_titleEdit->text(); }

void TForm2::elementGridKeyDown(int virtualKey) {
    if (virtualKey == VirtualKey::Delete) DeleteButtonClick();
    if (virtualKey == VirtualKey::F1) ShowHelp();
}

void TForm2::refreshPropertyGrid(TGraph* element) {
    const int row = m_elTable->currentRow() + 1;
    if (element && elementAtRow(row) == element) {
        m_filling = true;
        element->PropsToGrid(*m_elGrid, *m_propGrid, row);
        m_filling = false;
    }
}

QString TForm2::helpFileName() const { return m_helpFileEdit->text(); }

void TForm2::setClientSizeFields(int width, int height) {
    const QSignalBlocker b7(m_upDown7);
    const QSignalBlocker b8(m_upDown8);
    m_upDown7->setValue(width);
    m_upDown8->setValue(height);
}

void TForm2::showConfigurationDialog() {
    showNormal();
    raise();
    activateWindow();
}

} // namespace ovanto
