#include "window/tform1.h"

#include "elements/core/tgraph.h"
#include "dialogs/small_dialogs_qt.h"
#include "elements/display/glyphs.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/key_state.h"
#include "platform/picture_library.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "support/search_paths.h"
#include "window/analysis_opener.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace ovanto {

TForm1::TForm1(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(m_options.Caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    InstallSmallDialogs();

    m_paintBox = new PaintBox1(*this);

    m_menuBar = new QMenuBar(this);
    m_helpAction = m_menuBar->addAction(QStringLiteral("Hilfe"));
    connect(m_helpAction, &QAction::triggered, this, [this] { Hilfe1Click(); });
    m_menuBar->setVisible(false);

    m_popup = new QMenu(this);
    connect(m_popup->addAction(QStringLiteral("Konfigurierungsdialog")), &QAction::triggered, this,
            [this] { Konfigurierungsdialog1Click(); });
    connect(m_popup->addAction(QStringLiteral("Elementfenster")), &QAction::triggered, this,
            [this] { Elementfenster1Click(); });
    connect(m_popup->addAction(QStringLiteral("I/O-Kontrollfenster")), &QAction::triggered, this,
            [this] { IOKontrollfenster1Click(); });
    connect(m_popup->addAction(QStringLiteral("Alle anzeigen")), &QAction::triggered, this,
            [this] { Alleanzeigen1Click(); });

    m_pauseTimer.setInterval(kPauseInterval);
    m_pauseTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, [this] { PauseTimerTimer(); });

    setAttribute(Qt::WA_AlwaysShowToolTips, true);
    qApp->installEventFilter(this);
    InstallAnalysisOpener();
    FormCreate();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TForm1::FormCreate() {
    m_image = QImage(1, 1, QImage::Format_RGB32);
    m_pictures = std::make_unique<PictureLibrary>();
    m_configuration = BlockConfiguration();
    m_signals = SignalTable();
    m_options = WindowOptions();
    m_runState = RunState();
    applyBackground();

    resize(kDefaultOuterWidth, kDefaultOuterHeight);
    const QRect screenRect = screenGeometry();
    move(screenRect.left() + screenRect.width() - kDefaultOuterWidth, screenRect.top());

    LoadSearchPaths(QString::fromLatin1(kOwnSearchPathsKey), QString::fromLatin1(kOwnSearchPathsSubkey));
    // The digit image lists are drawn once per process and shared; each
    // digit display keeps its own copies to recolour.
    PrepareDigitImageLists();
    // "DISABLE_BITMAP" and the other resource pictures join here with the
    // families that draw from them.
}

void TForm1::FormDestroy() {
    m_sizeChangeSender = nullptr;
    // Elements may still ask the window about itself while they go.
    m_elements.clear();
    m_frameRecorders.clear();
    m_pictures.reset();
}

// --- element list -------------------------------------------------------------

TGraph* TForm1::addElement(std::unique_ptr<TGraph> element) {
    m_damage.invalidate();
    return m_elements.append(std::move(element));
}

void TForm1::removeElement(int index) {
    if (m_elements.at(index) == m_sizeChangeSender) m_sizeChangeSender = nullptr;
    m_damage.invalidate();
    m_elements.remove(index);
}

void TForm1::clearElements() {
    m_sizeChangeSender = nullptr;
    m_damage.invalidate();
    m_elements.clear();
}

// Elements may add or remove elements from inside a sweep, so the index is rechecked each time.
void TForm1::Init() {
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->Init();
}

void TForm1::UpdateInputs(long double t) {
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->UpdateInputs(t);
}

void TForm1::UpdateOutputs() {
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->UpdateOutput();
}

// --- modes --------------------------------------------------------------------

void TForm1::setDesignMode(bool on) {
    if (m_designMode == on) return;
    m_designMode = on;
    if (!on) {
        m_bandActive = false;
        m_bandDrawn = false;
    }
    invalidate();
}

void TForm1::setDesignGrid(bool on) {
    if (m_designGrid == on) return;
    m_designGrid = on;
    invalidate();
}

void TForm1::startPauseTimer() {
    m_pauseElapsed = false;
    m_pauseTimer.start();
}

void TForm1::PauseTimerTimer() {
    m_pauseElapsed = true;
    m_pauseTimer.stop();
}

void TForm1::addFrameRecorder(FrameRecorder* recorder) {
    if (recorder && std::find(m_frameRecorders.begin(), m_frameRecorders.end(), recorder) == m_frameRecorders.end())
        m_frameRecorders.push_back(recorder);
}

void TForm1::removeFrameRecorder(FrameRecorder* recorder) {
    m_frameRecorders.erase(std::remove(m_frameRecorders.begin(), m_frameRecorders.end(), recorder),
                           m_frameRecorders.end());
}

// --- ElementContext -------------------------------------------------------------

void TForm1::requestRepaint() { m_paintBox->update(); }

void TForm1::selectElementRow(int row) {
    if (m_dialog) m_dialog->selectElementRow(row, true);
}

bool TForm1::lockButtonDown() const { return m_dialog && m_dialog->lockButtonDown(); }

void TForm1::setStatusText(const QString& text) {
    if (m_dialog) m_dialog->setStatusPanelText(text);
}

void TForm1::refreshPropertyGrid(TGraph* element) {
    if (m_dialog) m_dialog->refreshPropertyGrid(element);
}

QString TForm1::findFile(const QString& name) {
    QString path = name;
    return FindFile(path) ? path : QString();
}

Clock& TForm1::clock() { return Clock::instance(); }
KeyState& TForm1::keyState() { return KeyState::instance(); }
Sound& TForm1::sound() { return Sound::instance(); }
Shell& TForm1::shell() { return Shell::instance(); }
Dialogs& TForm1::dialogs() { return Dialogs::instance(); }
QWidget* TForm1::controlParent() { return m_paintBox; }

// --- BlockWindow ----------------------------------------------------------------

void TForm1::invalidate() { m_paintBox->update(); }

void TForm1::showWindow() {
    show();
    raise();
    activateWindow();
}

void TForm1::hideWindow() { hide(); }

void TForm1::restoreWindow() {
    QWidget::setWindowState(QWidget::windowState() & ~Qt::WindowMinimized);
    show();
}

void TForm1::raiseWithoutActivating() { raise(); }

void TForm1::setFrameGeometry(const QRect& r) {
    m_firstShow = false;
    const QRect frame = QWidget::frameGeometry();
    const QRect inner = geometry();
    const int dw = frame.width() - inner.width();
    const int dh = frame.height() - inner.height();
    move(r.topLeft());
    resize(std::max(0, r.width() - dw), std::max(0, r.height() - dh));
}

WindowState TForm1::windowState() const {
    const Qt::WindowStates s = QWidget::windowState();
    if (s & Qt::WindowMinimized) return WindowState::Minimized;
    if (s & Qt::WindowMaximized) return WindowState::Maximized;
    return WindowState::Normal;
}

void TForm1::setWindowState(WindowState state) {
    switch (state) {
    case WindowState::Minimized:
        showMinimized();
        break;
    case WindowState::Maximized:
        QWidget::setWindowState(Qt::WindowMaximized);
        break;
    case WindowState::Normal:
        QWidget::setWindowState(Qt::WindowNoState);
        break;
    }
}

void TForm1::applyBorderStyle() {
    Qt::WindowFlags flags = Qt::Window | Qt::WindowStaysOnTopHint;
    switch (m_options.Border) {
    case BorderStyle::None:
        flags |= Qt::FramelessWindowHint;
        break;
    case BorderStyle::Single:
        // A fixed frame has no maximise button.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        break;
    case BorderStyle::Sizeable:
        break;
    case BorderStyle::Dialog:
        flags = Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowCloseButtonHint;
        break;
    case BorderStyle::ToolWindow:
    case BorderStyle::SizeToolWindow:
        flags = Qt::Tool | Qt::WindowStaysOnTopHint;
        break;
    }
    if (flags == windowFlags()) return;
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible) show();
}

void TForm1::applyCaption() { setWindowTitle(m_options.Caption); }

void TForm1::applyBackground() {
    const int c = m_options.BackgroundColor;
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    setPalette(p);
    invalidate();
}

void TForm1::applyHelpMenu() {
    m_menuBar->setVisible(m_options.HelpMenu);
    layoutChildren();
    invalidate();
}

QRect TForm1::screenGeometry() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

// --- geometry -------------------------------------------------------------------

QSize TForm1::clientSize() const {
    const int menu = m_menuBar->isVisibleTo(this) ? m_menuBar->sizeHint().height() : 0;
    return {width(), std::max(0, height() - menu)};
}

void TForm1::setClientSize(const QSize& size) {
    m_firstShow = false;
    const int menu = m_menuBar->isVisibleTo(this) ? m_menuBar->sizeHint().height() : 0;
    resize(size.width(), size.height() + menu);
    layoutChildren();
}

void TForm1::layoutChildren() {
    const int menu = m_menuBar->isVisibleTo(this) ? m_menuBar->sizeHint().height() : 0;
    if (menu > 0) m_menuBar->setGeometry(0, 0, width(), menu);
    m_paintBox->setGeometry(0, menu, width(), std::max(0, height() - menu));
}

void TForm1::storeClientSize() {
    const QSize c = clientSize();
    m_signals[signal_pos::kClientWidth] = c.width();
    m_signals[signal_pos::kClientHeight] = c.height();
}

} // namespace ovanto
