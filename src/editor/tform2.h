#pragma once

#include "editor/desktop_layout.h"
#include "editor/editing_ops.h"
#include "editor/table_grid.h"
#include "window/config_dialog_link.h"

#include <QDialog>
#include <QPersistentModelIndex>
#include <QPointer>

#include <array>
#include <memory>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;

namespace ovanto {

class RealEdit;
class TElementForm;
class TForm1;
class TGraph;
class TQEVIOForm;

// "QEV-Konfigurierung": the editor of one animation window. Modal over the
// window for a host, the main editor of the stand-alone program.
class TForm2 final : public QDialog, public ConfigDialogLink {
    Q_OBJECT

public:
    enum class Role { Host, Standalone };

    TForm2(TForm1& window, Role role);
    ~TForm2() override;

    // --- grids ------------------------------------------------------------------
    void FillGrids();
    // False when reading back the previous element failed (the selection stays).
    bool SelectElementRow(int row, int column = 0);
    void UpdateValueEditor(int elementRow, int propertyRow);
    // Reads the grids back into the previous element and repaints the window.
    bool Preview();

    // --- buttons ------------------------------------------------------------------
    void Button1Click(); // OK / "Schließen"
    void Button7Click(); // Cancel
    void Button4Click(); // "QEV-Datei speichern"
    void Button2Click(); // "QEV-Datei öffnen"
    void DeleteButtonClick();
    void DeleteAllButtonClick(); // "Komplett löschen"
    void UpButtonClick();
    void DownButtonClick();
    void CopyButtonClick();
    void PasteButtonClick();
    void SearchButtonClick();
    // One step of the arrow buttons: 1 pixel, 10 with Shift.
    void MoveSelection(MoveDirection direction);
    void MoveTimerTimer();
    void ScrollTimerTimer();
    // Inserts the element of a palette tag before grid row `row` (elements + 1 appends).
    bool InsertElement(int tag, int row);
    // A palette click: the element page, append, the new row under the keyboard.
    void PaletteButtonClick(int tag);
    // What a drop on the element grid does; false when refused. Exactly one of
    // tag (palette) and sourceRow (the grid itself) is set, the other -1.
    bool DropOnElementGrid(int tag, int sourceRow, int dropRow);
    void ShowHelp(); // F1
    void ColorButtonClick();
    void FontButtonClick();
    void FileButtonClick();
    void AVIFileButtonClick();
    void FarbeButtonClick(); // "&Farbe..."

    // --- state for tests and the host ----------------------------------------------
    bool changed() const { return m_changed; }
    int previousRow() const { return m_previousRow; }
    QString backupFileName() const { return m_backupFile; }
    TForm1& window() const { return m_window; }
    QTableWidget* elementGrid() const { return m_elTable; }
    QTableWidget* propertyGrid() const { return m_propTable; }
    QTabWidget* pages() const { return m_pages; }
    QToolButton* colorButton() const { return m_colorButton; }
    QToolButton* fontButton() const { return m_fontButton; }
    QToolButton* fileButton() const { return m_fileButton; }
    QToolButton* aviFileButton() const { return m_aviFileButton; }
    QSpinBox* valueSpinner() const { return m_upDown3; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* copyButton() const { return m_copyButton; }
    QPushButton* upButton() const { return m_upButton; }
    QPushButton* downButton() const { return m_downButton; }
    QPushButton* deleteAllButton() const { return m_deleteAllButton; }
    QPushButton* pasteButton() const { return m_pasteButton; }
    QToolButton* moveButton(MoveDirection d) const { return m_moveButtons[static_cast<std::size_t>(d) - 1]; }
    QLineEdit* searchEdit() const { return m_searchEdit; }
    QTimer* moveTimer() const { return m_moveTimer; }
    QTimer* scrollTimer() const { return m_scrollTimer; }
    int scrollDirection() const { return m_scrollDirection; }
    TElementForm* elementPalette() const { return m_elementForm; }
    TQEVIOForm* ioWindow() const { return m_ioForm; }
    QString clipboardFileName() const { return m_clipboardFile; }
    void setClipboardFileName(const QString& path) { m_clipboardFile = path; }
    QLineEdit* incrementEdit(int k) const { return m_incrementEdits[static_cast<std::size_t>(k)]; }
    QLineEdit* titleEdit() const { return m_titleEdit; }
    QCheckBox* centerWindowCheck() const { return m_centerWindowCB; }
    QStatusBar* statusBar() const { return m_statusBar; }
    // The text colour a value cell is drawn in.
    QColor propertyTextColor(int propertyRow) const;

    // --- ConfigDialogLink -------------------------------------------------------------
    void selectElementRow(int row, bool fromWindow) override;
    bool lockButtonDown() const override;
    void setStatusPanelText(const QString& text) override;
    QString captionText() const override;
    void elementGridKeyDown(int virtualKey) override;
    void refreshPropertyGrid(TGraph* element) override;
    void refreshIOWindow() override;
    QString helpFileName() const override;
    void setClientSizeFields(int width, int height) override;
    void showConfigurationDialog() override;
    void raiseElementPalette() override;
    void showIOWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ElementGridDelegate;
    friend class PropertyGridDelegate;

    // tform2_pages.cpp
    QWidget* createIOPage();
    QWidget* createCounterPage();
    QWidget* createConstantsPage();
    QWidget* createWindowPage();
    QWidget* createExternalPage();
    void LoadControls();
    void UpDown2Changed();
    void UpDown5Changed();
    void applyInputEdits();
    // OK steps 2..9 apart from the increments; false when an increment is refused.
    bool storeControls();

    // tform2_grids.cpp
    QWidget* createElementPage();
    void ElStringGridSelectCell(int row, int column);
    void PropStringGridSelectCell(int row, int column);
    void propertyCellEdited(int row, int column);
    void elementCellEdited(int row, int column);
    // GridToProps of the element in the given grid row; the element is left
    // untouched when a value is refused.
    bool readBack(int row);
    void showValidationError(const QString& message, bool reselect);
    void reselectErrorCells();
    int elementCount() const;
    TGraph* elementAtRow(int row) const;
    int currentPropertyRow() const;
    // A cell whose text does not fit shows all of it for a while.
    void showFullTextHint(QTableWidget& table, const QPoint& at);
    static constexpr int kHintMilliseconds = 2500;

    // tform2_editing.cpp
    void createEditingControls(QWidget* page, QBoxLayout* under);
    void createToolWindows();
    // Reads back the element of the grid's current row; false after a reported error.
    bool readBackCurrent();
    // After a list change: grids refilled, `row` current, the window repainted.
    void refillAndSelect(int row);
    bool elementGridDragEvent(QEvent* event);
    void selectAfterMultiUpdate(int row);

    void createToolBar(QWidget* bar);
    void createBackup();
    void removeBackup();
    void restoreLayout();
    void saveLayout();
    void restoreWindowPlace();
    void stepSpinner(int value);

    TForm1& m_window;
    Role m_role;

    QTabWidget* m_pages = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 3> m_panels{};

    QToolButton* m_button1 = nullptr; // OK
    QToolButton* m_button7 = nullptr; // Cancel
    QToolButton* m_button6 = nullptr; // preview
    QToolButton* m_lockButton = nullptr;
    QToolButton* m_gridButton = nullptr;
    QToolButton* m_soundOnButton = nullptr;

    // page "Blockein-/ausgänge"
    QSpinBox* m_upDown1 = nullptr;
    QSpinBox* m_upDown4 = nullptr;
    QSpinBox* m_upDown2 = nullptr;
    QSpinBox* m_upDown5 = nullptr;
    QLineEdit* m_inNameEdit = nullptr;
    QLineEdit* m_outNameEdit = nullptr;
    RealEdit* m_factorEdit = nullptr;
    RealEdit* m_offsetEdit = nullptr;
    RealEdit* m_minEdit = nullptr;
    RealEdit* m_maxEdit = nullptr;
    // page "Zähler"
    std::array<RealEdit*, 3> m_cycleEdits{};
    std::array<QLineEdit*, 3> m_incrementEdits{};
    // page "Konstanten"
    std::array<RealEdit*, 20> m_constEdits{};
    std::array<QLineEdit*, 20> m_commentEdits{};
    // page "Visualisierungsfenster"
    QLineEdit* m_titleEdit = nullptr;
    QRadioButton* m_rb1 = nullptr;
    QRadioButton* m_rb2 = nullptr;
    QRadioButton* m_rb3 = nullptr;
    QCheckBox* m_centerWindowCB = nullptr;
    QCheckBox* m_alwaysMaxWindowCB = nullptr;
    QCheckBox* m_onTopCB = nullptr;
    QCheckBox* m_qevManCB = nullptr;
    QSpinBox* m_upDown7 = nullptr;
    QSpinBox* m_upDown8 = nullptr;
    QComboBox* m_pfComboBox = nullptr;
    QCheckBox* m_helpMenuCB = nullptr;
    QLineEdit* m_helpFileEdit = nullptr;
    QCheckBox* m_visCtrlCB = nullptr;
    QSpinBox* m_upDown9 = nullptr;
    QCheckBox* m_preSimVisCB = nullptr;
    QCheckBox* m_postSimVisCB = nullptr;
    QCheckBox* m_actCtrlCB = nullptr;
    QSpinBox* m_upDown11 = nullptr;
    QCheckBox* m_formActivateCB = nullptr;
    QSpinBox* m_upDown12 = nullptr;
    QCheckBox* m_staticCB = nullptr;
    QCheckBox* m_refreshCtrlCB = nullptr;
    QSpinBox* m_upDown10 = nullptr;
    QSpinBox* m_upDown6 = nullptr;
    QCheckBox* m_keyActivateCB = nullptr;
    // page "Externe I/Os"
    QCheckBox* m_externIOCB = nullptr;

    // page "Grafik- und Bedienelemente"
    QTableWidget* m_elTable = nullptr;
    QTableWidget* m_propTable = nullptr;
    std::unique_ptr<TableGrid> m_elGrid;
    std::unique_ptr<TableGrid> m_propGrid;
    QToolButton* m_colorButton = nullptr;
    QToolButton* m_fontButton = nullptr;
    QToolButton* m_fileButton = nullptr;
    QToolButton* m_aviFileButton = nullptr;
    QSpinBox* m_upDown3 = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_upButton = nullptr;
    QPushButton* m_downButton = nullptr;
    QPushButton* m_deleteAllButton = nullptr;
    QPushButton* m_pasteButton = nullptr;
    std::array<QToolButton*, 4> m_moveButtons{};
    QLineEdit* m_searchEdit = nullptr;
    QTimer* m_moveTimer = nullptr;
    QTimer* m_scrollTimer = nullptr;
    MoveDirection m_moveDirection = MoveDirection::Up;
    int m_scrollDirection = 0;
    int m_dragSourceRow = 0;
    QPoint m_pressPoint;
    TElementForm* m_elementForm = nullptr;
    TQEVIOForm* m_ioForm = nullptr;
    QToolButton* m_ioButton = nullptr;
    bool m_showIOForm = false;
    // Palette clicks come faster than paints: the window paints once the clicks stop.
    bool m_deferredPaint = false;

    int m_previousRow = 1;
    bool m_changed = false;
    bool m_multiUpdate = false;
    bool m_errorShown = false;
    bool m_filling = false;      // grid cells change without the user
    bool m_keepProperties = false; // the error row comes back with the text that was refused
    bool m_closing = false;
    bool m_firstShow = true;
    QPoint m_windowPlace;
    int m_windowColor = 0;
    QString m_backupFile;
    QString m_clipboardFile;
    QPointer<QWidget> m_previouslyActive;
    QPersistentModelIndex m_hintCell;
};

} // namespace ovanto
