#include "window/tform1.h"

#include "elements/core/tgraph.h"
#include "elements/display/pictures.h"
#include "platform/canvas.h"
#include "window/damage_tracker.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace ovanto {

namespace {

// The sixteen colours a 4-bit picture keeps.
QList<QRgb> sixteenColours() {
    static const QList<QRgb> table{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return table;
}

} // namespace

void TForm1::renderOffscreen() {
    const QSize size = clientSize();
    // The selection rectangle comes off first: what is kept of the last paint must be the bare picture.
    const bool bandShown = m_bandDrawn;
    if (bandShown) toggleBandRect();
    // Step 1: resized, never re-created while the size stays.
    if (m_image.size() != size || m_image.format() != QImage::Format_RGB32) {
        m_image = QImage(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
        m_damage.invalidate();
    }
    // Step 3 first: the elements' looks may follow the client size.
    m_signals[signal_pos::kClientWidth] = size.width();
    m_signals[signal_pos::kClientHeight] = size.height();

    m_paintOrder.clear();
    for (int i = 0; i < elementCount(); ++i) m_paintOrder.push_back(elementAt(i));
    const WindowLook look{m_image.size(),          m_options.BackgroundColor, m_designMode,
                          m_designGrid,            m_runState.SimulationRunning, m_pauseElapsed,
                          m_options.Expanded,      m_soundMuted};
    // A reduced pixel format is applied to the whole picture, so nothing of it can be kept.
    const bool mayKeep = !m_fullPaints && m_options.PixelFormat == 0 && !size.isEmpty();
    const bool track = mayKeep && m_damage.tracksThisPaint();
    bool partial = track && m_damage.planPartial(m_paintOrder, look, m_signals);
    if (partial) {
        partial = paintDamagedAreas() && m_damage.finishPartial(m_signals);
        if (!partial) m_damage.invalidate();
    }
    // A full paint evaluates afresh.
    EndKeptValuesPeriod();
    if (!partial) {
        // A plan that just began backing off needs no places: the paints to come tell the tracker nothing.
        const bool record = track && !m_damage.backingOff();
        paintEverything(look, record);
        if (!record) m_damage.invalidate();
    }
    applyPixelFormat();
    // Frame generators write what was just painted.
    if (m_runState.SimulationRunning)
        for (int i = 0; i < elementCount(); ++i)
            if (auto* generator = dynamic_cast<TBMPSeqGeneratorGraph*>(elementAt(i))) generator->AfterRepaint(m_image);
    // A selection rectangle on screen survives a repaint underneath it.
    if (m_bandActive && bandShown) toggleBandRect();
}

// Steps 2, 4 and 5 over the whole picture; when tracking, the tracker learns every element's look and place.
void TForm1::paintEverything(const WindowLook& look, bool track) {
    Canvas canvas(m_image);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(m_options.BackgroundColor);
    canvas.fillRect(0, 0, m_image.width(), m_image.height());
    if (track) m_damage.beginFull(m_paintOrder, look);
    for (int i = 0; i < elementCount(); ++i) {
        const bool known = track && i < static_cast<int>(m_paintOrder.size()) &&
                           m_paintOrder[static_cast<std::size_t>(i)] == elementAt(i);
        if (known) m_damage.recordLook(i);
        drawElement(canvas, *elementAt(i));
        if (known) m_damage.recordPlace(i);
    }
    // An element that changed the list while drawing leaves nothing to compare with.
    if (track && elementCount() != static_cast<int>(m_paintOrder.size())) m_damage.invalidate();
    if (m_designMode && m_designGrid) drawDesignGrid(canvas, clientSize().width(), clientSize().height());
}

// The same steps inside each damaged area only, with every element that meets it.
bool TForm1::paintDamagedAreas() {
    // Nothing changed: nothing to draw, and no painter to open.
    if (m_damage.areas().empty()) return true;
    Canvas canvas(m_image);
    const QSize size = clientSize();
    const std::vector<QRect>& areas = m_damage.areas();
    for (std::size_t k = 0; k < areas.size(); ++k) {
        const QRect& area = areas[k];
        canvas.setBaseClip(area);
        canvas.setBrushStyle(BrushStyle::Solid);
        canvas.setBrushColor(m_options.BackgroundColor);
        canvas.fillRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        for (const int i : m_damage.drawnInto(k)) {
            // An element that changed the list while drawing leaves nothing to compare with.
            if (i >= elementCount() || elementAt(i) != m_paintOrder[static_cast<std::size_t>(i)]) return false;
            drawElement(canvas, *elementAt(i));
        }
        if (m_designMode && m_designGrid) drawDesignGrid(canvas, size.width(), size.height());
    }
    canvas.clearBaseClip();
    if (elementCount() != static_cast<int>(m_paintOrder.size())) return false;
    for (int i = 0; i < elementCount(); ++i)
        if (elementAt(i) != m_paintOrder[static_cast<std::size_t>(i)]) return false;
    return true;
}

// One broken element never stops the paint.
void TForm1::drawElement(Canvas& canvas, TGraph& element) {
    CanvasStateSaver saver(canvas);
    try {
        element.Draw(canvas);
    } catch (...) {
    }
}

void TForm1::setFullPaints(bool on) {
    m_fullPaints = on;
    m_damage.invalidate();
}

void TForm1::drawDesignGrid(Canvas& canvas, int clientWidth, int clientHeight) {
    CanvasStateSaver saver(canvas);
    canvas.setFont(CanvasFont{QStringLiteral("Small Fonts"), 6, kBlack, {}});
    canvas.setPen(CanvasPen{kBlack, 1, PenStyle::Solid, PenMode::Copy});
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(kGridBrushColor);
    canvas.setTextOpaque(false);

    const QString widthText = QString::number(clientWidth);
    const QString heightText = QString::number(clientHeight);
    const int b = std::max({canvas.textHeight(QStringLiteral("9")), canvas.textWidth(widthText),
                            canvas.textWidth(heightText)});
    const int textHeight = canvas.textHeight(QStringLiteral("9"));

    canvas.rectangle(b + 2, -1, clientWidth, b + 2);
    canvas.rectangle(-1, b + 1, b + 3, clientHeight);
    canvas.rectangle(-1, -1, b + 3, b + 2);

    for (int x = kGridStep; x <= clientWidth; x += kGridStep)
        for (int y = kGridStep; y <= clientHeight; y += kGridStep) canvas.setPixel(x, y, kBlack);

    for (int x = kGridStep; x <= clientWidth; x += kGridStep) {
        const bool labelled = x % (4 * kGridStep) == 0;
        canvas.moveTo(x, 0);
        canvas.lineTo(x, labelled ? 10 : 3);
        if (labelled) canvas.textOut(x + 2, 10 - textHeight, QString::number(x));
    }
    for (int y = kGridStep; y <= clientHeight; y += kGridStep) {
        const bool labelled = y % (4 * kGridStep) == 0;
        canvas.moveTo(0, y);
        canvas.lineTo(labelled ? 10 : 3, y);
        if (labelled) canvas.textOut(0, y - textHeight, QString::number(y));
    }
}

// The picture is drawn in 32 bits and passed through the chosen depth, so it
// shows what that depth can hold.
void TForm1::applyPixelFormat() {
    QImage reduced;
    switch (m_options.PixelFormat) {
    case 1:
        reduced = m_image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        break;
    case 2:
        reduced = m_image.convertToFormat(QImage::Format_Indexed8, sixteenColours(), Qt::ThresholdDither);
        break;
    case 3:
        reduced = m_image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        break;
    case 4:
        reduced = m_image.convertToFormat(QImage::Format_RGB555);
        break;
    case 5:
        reduced = m_image.convertToFormat(QImage::Format_RGB16);
        break;
    case 6:
        reduced = m_image.convertToFormat(QImage::Format_RGB888);
        break;
    default:
        return;
    }
    m_image = reduced.convertToFormat(QImage::Format_RGB32);
}

void TForm1::PaintBox1Paint() {
    if (!isVisible() || QWidget::isMinimized()) return;
    renderOffscreen();
    // Step 6: the finished picture reaches the screen in one copy.
    m_blitOnly = true;
    // Opaque child controls lie above the picture anyway; repainting them with it would cost more than the picture.
    QRegion region(m_paintBox->rect());
    for (QObject* child : m_paintBox->children())
        if (auto* control = qobject_cast<QWidget*>(child); control && control->isVisible() && control->autoFillBackground())
            region -= control->geometry();
    m_paintBox->repaint(region);
    m_blitOnly = false;
    afterBlit();
}

QImage TForm1::renderToImage() {
    layoutChildren();
    renderOffscreen();
    return m_image;
}

QImage TForm1::grabClientArea() {
    layoutChildren();
    renderOffscreen();
    m_blitOnly = true;
    QImage picture = m_paintBox->grab().toImage();
    m_blitOnly = false;
    return picture.convertToFormat(QImage::Format_RGB32);
}

void TForm1::afterBlit() {
    // Step 7.
    if (m_runState.SimulationRunning)
        for (FrameRecorder* recorder : std::vector<FrameRecorder*>(m_frameRecorders))
            recorder->recordFrame(m_image, m_runState.StepSize);
    // Step 8.
    if (m_designMode && m_dialog) m_dialog->refreshIOWindow();
}

void TForm1::toggleBandRect() {
    Canvas canvas(m_image);
    const int l = std::min(m_bandLeft, m_bandRight), r = std::max(m_bandLeft, m_bandRight);
    const int t = std::min(m_bandTop, m_bandBottom), b = std::max(m_bandTop, m_bandBottom);
    canvas.drawFocusRect(l, t, r, b);
    m_bandDrawn = !m_bandDrawn;
}

// --- PaintBox1 --------------------------------------------------------------------

PaintBox1::PaintBox1(TForm1& form) : QWidget(&form), m_form(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void PaintBox1::paintEvent(QPaintEvent*) {
    const bool asked = !m_form.m_blitOnly;
    if (asked) m_form.renderOffscreen();
    QPainter painter(this);
    painter.drawImage(0, 0, m_form.m_image);
    painter.end();
    if (asked) m_form.afterBlit();
}

} // namespace ovanto
