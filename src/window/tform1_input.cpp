#include "window/tform1.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/tgraph.h"
#include "platform/dialogs.h"
#include "platform/help_viewers.h"
#include "platform/key_state.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "support/search_paths.h"
#include "window/size_change_event.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace ovanto {

// --- mouse ------------------------------------------------------------------------

void TForm1::FormMouseDown(Qt::MouseButton button, int x, int y, const QPoint& globalPos) {
    if (button == Qt::LeftButton) {
        m_grab = false;
        for (int i = elementCount() - 1; i >= 0; --i)
            if (TGraph* element = elementAt(i)) element->MouseDown(x, y);
        if (m_designMode) {
            if (!m_grab) {
                if (m_dialog) m_dialog->selectElementRow(elementCount() + 1, false);
                m_bandActive = true;
                // A band left on the picture is not erased: the next paint starts afresh.
                if (m_bandDrawn) m_damage.invalidate();
                m_bandDrawn = false;
                m_bandLeft = x;
                m_bandTop = y;
                m_bandRight = kBandUnmoved;
                m_bandBottom = y;
            }
            PaintBox1Paint();
        }
    } else if (button == Qt::RightButton && m_designMode) {
        m_popup->popup(globalPos);
    }
}

void TForm1::FormMouseMove(int x, int y) {
    if (!m_designMode) {
        for (int i = 0; i < elementCount(); ++i) elementAt(i)->MouseMove(x, y);
        return;
    }
    if (m_dialog) m_dialog->setStatusPanelText(QStringLiteral("%1, %2").arg(x).arg(y));
    if (!lockButtonDown())
        for (int i = 0; i < elementCount(); ++i) elementAt(i)->DragMove(x, y);
    if (!m_bandActive) return;
    if (m_bandRight == kBandUnmoved) {
        m_bandRight = m_bandLeft;
        m_bandBottom = m_bandTop;
        return;
    }
    if (m_bandDrawn) toggleBandRect();
    m_bandRight = x;
    m_bandBottom = y;
    toggleBandRect();
    m_blitOnly = true;
    m_paintBox->repaint();
    m_blitOnly = false;
}

void TForm1::FormMouseUp(int x, int y) {
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->MouseUp(x, y);
    m_grab = false;
    if (m_bandActive) finishBand();
}

void TForm1::finishBand() {
    m_bandActive = false;
    if (m_bandDrawn) toggleBandRect();
    Rect band{m_bandLeft, m_bandTop, m_bandRight, m_bandBottom};
    if (m_bandRight == kBandUnmoved) band = Rect{};
    band = band.normalized();
    int last = -1;
    for (int i = 0; i < elementCount(); ++i) {
        TGraph* element = elementAt(i);
        element->setCurrent(false);
        Rect bounds;
        element->GetBounds(bounds);
        const bool inside = band.containsRect(bounds);
        element->setSelected(inside);
        if (inside) last = i;
    }
    if (last >= 0) {
        elementAt(last)->setCurrent(true);
        if (m_dialog) m_dialog->selectElementRow(last + 1, true);
    }
    PaintBox1Paint();
}

// --- keys ---------------------------------------------------------------------------

void TForm1::FormKeyDown(int key) {
    if (m_designMode) {
        if (key == VirtualKey::Delete || key == VirtualKey::F1) {
            if (m_dialog) m_dialog->elementGridKeyDown(key);
        } else {
            setWindowTitle(QStringLiteral("Tastencode: ") + QString::number(key));
        }
    }
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->KeyDown(key);
}

void TForm1::FormKeyUp(int key) {
    if (m_designMode) setWindowTitle(m_dialog ? m_dialog->captionText() : m_options.Caption);
    for (int i = 0; i < elementCount(); ++i) elementAt(i)->KeyUp(key);
}

bool TForm1::ownsKeyTarget(QObject* target) const {
    if (!target || !target->isWidgetType()) return false;
    const QWidget* w = static_cast<QWidget*>(target);
    return w == this || isAncestorOf(w);
}

// Key preview: the window sees every key before the child control that has the focus.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && ownsKeyTarget(watched)) {
        // An ignored key travels up to the parents; it was previewed at its first receiver.
        const bool travelling = event == m_previewedKey && m_previewedTarget && watched != m_previewedTarget.data() &&
                                watched->isWidgetType() &&
                                static_cast<QWidget*>(watched)->isAncestorOf(
                                    static_cast<QWidget*>(m_previewedTarget.data()));
        if (!travelling) {
            m_previewedKey = event;
            m_previewedTarget = watched;
            const auto* key = static_cast<QKeyEvent*>(event);
            const int code = VirtualKeyFromQt(key->key(), key->modifiers());
            if (code != 0) {
                if (type == QEvent::KeyPress)
                    FormKeyDown(code);
                else
                    FormKeyUp(code);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- window events -------------------------------------------------------------------

bool TForm1::event(QEvent* event) {
    if (event->type() == SizeChangeEvent::kType) {
        handleSizeChange(static_cast<SizeChangeEvent*>(event)->code());
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Previewed already; the window is the last stop of a key.
        if (event == m_previewedKey) m_previewedKey = nullptr;
        event->accept();
        return true;
    case QEvent::WindowActivate:
        FormActivate();
        break;
    case QEvent::WindowDeactivate:
        FormDeactivate();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The user never destroys the window: closing minimises it.
    event->ignore();
    showMinimized();
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && m_designMode && (QWidget::windowState() & Qt::WindowMinimized)) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (!(change->oldState() & Qt::WindowMinimized)) {
            Sound::instance().beep();
            QWidget::setWindowState(change->oldState());
        }
    }
    QWidget::changeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
    FormResize();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        // The outer size counts the frame, which is known only now.
        const QRect frame = QWidget::frameGeometry();
        const int dw = frame.width() - width(), dh = frame.height() - height();
        if (dw > 0 || dh > 0) resize(kDefaultOuterWidth - dw, kDefaultOuterHeight - dh);
    }
}

void TForm1::FormResize() {
    storeClientSize();
    UpdateOutputs();
    PaintBox1Paint();
    if (m_designMode && m_dialog) {
        const QSize c = clientSize();
        m_dialog->setClientSizeFields(c.width(), c.height());
    }
}

void TForm1::setWindowActiveSignal(long double value) {
    if (!m_configuration.ActiveSignal) return;
    const int n = m_configuration.ActiveSignalOutput;
    if (n < 1 || n > kMaxOutputs) return;
    m_signals[signal_pos::kClientHeight + n] = value;
}

void TForm1::FormActivate() { setWindowActiveSignal(5.0L); }
void TForm1::FormDeactivate() { setWindowActiveSignal(0.0L); }

void TForm1::requestSizeChange(TGraph* sender, int code) {
    m_sizeChangeSender = sender;
    QCoreApplication::postEvent(this, new SizeChangeEvent(code));
}

void TForm1::handleSizeChange(int code) {
    const bool heightChange = code <= 2000;
    int delta = heightChange ? code - 1000 : code - 2000;
    if (m_options.Expanded) delta = -delta;
    if (heightChange)
        resize(width(), std::max(0, height() + delta));
    else
        resize(std::max(0, width() + delta), height());
    m_options.Expanded = !m_options.Expanded;
    if (m_sizeChangeSender && indexOf(m_sizeChangeSender) >= 0) m_sizeChangeSender->UpdateOutput();
}

// --- pop-up menu ----------------------------------------------------------------------

void TForm1::Konfigurierungsdialog1Click() {
    if (m_dialog) m_dialog->showConfigurationDialog();
}

void TForm1::Elementfenster1Click() {
    if (m_dialog) m_dialog->raiseElementPalette();
}

void TForm1::IOKontrollfenster1Click() {
    if (m_dialog) m_dialog->showIOWindow();
}

void TForm1::Alleanzeigen1Click() {
    Konfigurierungsdialog1Click();
    Elementfenster1Click();
    IOKontrollfenster1Click();
}

// --- help -------------------------------------------------------------------------------

void TForm1::Hilfe1Click() {
    QString name = m_designMode && m_dialog ? m_dialog->helpFileName() : m_options.HelpFile;
    int topic = -1;
    const qsizetype hash = name.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        const QString topicText = name.mid(hash + 1, 100);
        name.truncate(hash);
        try {
            topic = ParseInt(topicText.toStdString());
        } catch (const ConversionError& e) {
            Dialogs::instance().showError(this, QString::fromUtf8(e.what()));
            return;
        }
    }
    if (!FindFile(name)) {
        const QString bare = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
        name = QDir(Module::directory()).filePath(bare);
    }
    const QString lower = name.toLower();
    if (lower.contains(QStringLiteral(".hlp"))) {
        Shell::instance().openDocument(name);
    } else if (lower.contains(QStringLiteral(".htm"))) {
        ShowHtml(name, this);
    } else if (lower.contains(QStringLiteral(".chm"))) {
        ShowChm(name, topic, this);
    } else {
        // Plain text help fails silently.
        Shell& shell = Shell::instance();
        if (const auto command = shell.programForExtension(QStringLiteral(".txt")))
            shell.startCommand(*command, {name});
    }
}

// --- PaintBox1 mouse --------------------------------------------------------------------

void PaintBox1::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_form.FormMouseDown(event->button(), p.x(), p.y(), event->globalPosition().toPoint());
}

void PaintBox1::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_form.FormMouseMove(p.x(), p.y());
}

void PaintBox1::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_form.FormMouseUp(p.x(), p.y());
}

} // namespace ovanto
