#pragma once

#include "elements/core/element_context.h"
#include "elements/core/tgraph.h"
#include "host/block_window.h"
#include "window/config_dialog_link.h"
#include "window/damage_tracker.h"
#include "window/frame_recorder.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace ovanto {

class Canvas;
class TForm1;

// The client area of the animation window: shows the off-screen picture and
// hands mouse events to the window. Child controls of elements live here.
class PaintBox1 final : public QWidget {
public:
    explicit PaintBox1(TForm1& form);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TForm1& m_form;
};

// The animation window: one per block instance. It owns the element list, the
// signal table and the block configuration, paints off-screen and routes input.
class TForm1 final : public QWidget, public ElementContext, public BlockWindow {
    // Hosts and tools find animation windows by their class name.
    Q_OBJECT

public:
    static constexpr int kDefaultOuterWidth = 273;
    static constexpr int kDefaultOuterHeight = 238;
    static constexpr int kPauseInterval = 500;
    static constexpr int kGridStep = 25;
    static constexpr int kGridBrushColor = 12632256;

    explicit TForm1(QWidget* owner = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // --- element list ------------------------------------------------------
    TGraph* addElement(std::unique_ptr<TGraph> element);
    void removeElement(int index);
    void clearElements() override;

    // --- modes and flags ---------------------------------------------------
    void setDesignMode(bool on);
    bool designGrid() const { return m_designGrid; }
    void setDesignGrid(bool on);

    ConfigDialogLink* configDialog() const { return m_dialog; }
    void setConfigDialog(ConfigDialogLink* dialog) { m_dialog = dialog; }

    void addFrameRecorder(FrameRecorder* recorder);
    void removeFrameRecorder(FrameRecorder* recorder);

    void setHostWindowHandle(std::uintptr_t handle) { m_hostWindowHandle = handle; }

    // Every paint redraws the whole picture instead of only what changed:
    // for comparison, and a way out should a kind misreport its look. Not stored.
    bool fullPaints() const { return m_fullPaints; }
    void setFullPaints(bool on);
    // How the last paints went, for tests and benchmarks.
    const DamageTracker& damageTracker() const { return m_damage; }

    // Paints off-screen whether or not the window shows and returns the picture.
    QImage renderToImage();
    // The same picture with the child controls drawn over it, as a user sees
    // the client area; no frame is recorded.
    QImage grabClientArea();
    const QImage& offscreenImage() const { return m_image; }
    QSize clientSize() const;
    void setClientSize(const QSize& size);
    PaintBox1* paintBox() const { return m_paintBox; }
    QMenu* popupMenu() const { return m_popup; }
    QMenuBar* helpMenuBar() const { return m_menuBar; }
    QTimer& pauseTimer() { return m_pauseTimer; }

    // --- event handlers under their own names --------------------------------
    void FormCreate();
    void FormDestroy();
    void PaintBox1Paint();
    void FormResize();
    void FormActivate();
    void FormDeactivate();
    void FormMouseDown(Qt::MouseButton button, int x, int y, const QPoint& globalPos);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    void PauseTimerTimer();
    void Hilfe1Click();
    void Konfigurierungsdialog1Click();
    void Elementfenster1Click();
    void IOKontrollfenster1Click();
    void Alleanzeigen1Click();
    void handleSizeChange(int code);

    // --- ElementContext -------------------------------------------------------
    SignalTable& signalTable() override { return m_signals; }
    bool designMode() const override { return m_designMode; }
    bool simulationRunning() const override { return m_runState.SimulationRunning; }
    bool pauseElapsed() const override { return m_pauseElapsed; }
    // Clears the pause-elapsed flag and runs the pause timer once.
    void startPauseTimer() override;
    bool soundMuted() const override { return m_soundMuted; }
    void setSoundMuted(bool muted) override { m_soundMuted = muted; }
    int backgroundColor() const override { return m_options.BackgroundColor; }
    double stepSize() const override { return static_cast<double>(m_runState.StepSize); }
    bool grabFlag() const override { return m_grab; }
    void setGrabFlag(bool grabbed) override { m_grab = grabbed; }
    bool repaintOnOutputChange() const override { return m_runState.RepaintOnOutputChange; }
    void paintNow() override { PaintBox1Paint(); }
    void requestRepaint() override;
    ElementList& elementList() override { return m_elements; }
    const ElementList& elementList() const override { return m_elements; }
    void selectElementRow(int row) override;
    bool lockButtonDown() const override;
    void setStatusText(const QString& text) override;
    void refreshPropertyGrid(TGraph* element) override;
    bool expanded() const override { return m_options.Expanded; }
    void requestSizeChange(TGraph* sender, int code) override;
    PictureLibrary* pictureLibrary() override { return m_pictures.get(); }
    QString findFile(const QString& name) override;
    Clock& clock() override;
    KeyState& keyState() override;
    Sound& sound() override;
    Shell& shell() override;
    Dialogs& dialogs() override;
    QWidget* controlParent() override;
    void printWindow() override;
    void copyWindowToClipboard() override;
    void showHelp() override { Hilfe1Click(); }
    void showManagedWindow(const QString& name) override;
    void activateForKey() override;

    // --- BlockWindow ----------------------------------------------------------
    BlockConfiguration& configuration() override { return m_configuration; }
    WindowOptions& options() override { return m_options; }
    RunState& runState() override { return m_runState; }
    ElementContext& elementContext() override { return *this; }
    int elementCount() const override { return m_elements.count(); }
    TGraph* elementAt(int index) const override { return m_elements.at(index); }
    void Init() override;
    void UpdateInputs(long double t) override;
    void UpdateOutputs() override;
    void invalidate() override;
    QWidget* widget() override { return this; }
    bool isWindowVisible() const override { return isVisible(); }
    void showWindow() override;
    void hideWindow() override;
    bool isMinimized() const override { return QWidget::isMinimized(); }
    void restoreWindow() override;
    void raiseWithoutActivating() override;
    QRect frameGeometry() const override { return QWidget::frameGeometry(); }
    void setFrameGeometry(const QRect& r) override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    void applyBorderStyle() override;
    void applyCaption() override;
    void applyBackground() override;
    void applyHelpMenu() override;
    QRect screenGeometry() const override;
    std::uintptr_t hostWindowHandle() const override { return m_hostWindowHandle; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class PaintBox1;

    // Steps 1..5 of a paint: the picture in m_image, not yet on the screen.
    void renderOffscreen();
    void paintEverything(const WindowLook& look, bool track);
    // False when an element changed the list while drawing.
    bool paintDamagedAreas();
    static void drawElement(Canvas& canvas, TGraph& element);
    void drawDesignGrid(Canvas& canvas, int clientWidth, int clientHeight);
    void applyPixelFormat();
    // Steps 7 and 8: what follows the copy to the screen.
    void afterBlit();
    void layoutChildren();
    void storeClientSize();
    // The selection rectangle as a focus rectangle, XOR-drawn on the picture.
    void toggleBandRect();
    void finishBand();
    bool ownsKeyTarget(QObject* target) const;
    void setWindowActiveSignal(long double value);

    ElementList m_elements;
    SignalTable m_signals;
    BlockConfiguration m_configuration;
    WindowOptions m_options;
    RunState m_runState;

    QImage m_image;
    DamageTracker m_damage;
    std::vector<TGraph*> m_paintOrder;
    bool m_fullPaints = false;
    std::unique_ptr<PictureLibrary> m_pictures;
    std::vector<FrameRecorder*> m_frameRecorders;
    ConfigDialogLink* m_dialog = nullptr;
    std::uintptr_t m_hostWindowHandle = 0;

    PaintBox1* m_paintBox = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QAction* m_helpAction = nullptr;
    QMenu* m_popup = nullptr;
    QTimer m_pauseTimer;

    bool m_designMode = false;
    bool m_designGrid = true;
    bool m_soundMuted = false;
    bool m_pauseElapsed = true;
    bool m_grab = false;
    // Set while PaintBox1Paint hands its finished picture to the screen.
    bool m_blitOnly = false;
    bool m_firstShow = true;

    // Selection rectangle: right == kBandUnmoved until the mouse moves.
    static constexpr int kBandUnmoved = 99999;
    bool m_bandActive = false;
    bool m_bandDrawn = false;
    int m_bandLeft = 0;
    int m_bandTop = 0;
    int m_bandRight = 0;
    int m_bandBottom = 0;

    TGraph* m_sizeChangeSender = nullptr;

    // The key event being previewed: the filter sees it again on its way up to the parents.
    const QEvent* m_previewedKey = nullptr;
    QPointer<QObject> m_previewedTarget;
};

} // namespace ovanto
