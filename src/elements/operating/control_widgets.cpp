#include "elements/operating/control_widgets.h"

#include "elements/core/number_text.h"
#include "elements/operating/control_geometry.h"
#include "platform/dialogs.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace ovanto {

RealSpinBox::RealSpinBox(Dialogs& dialogs, QWidget* parent) : QAbstractSpinBox(parent), m_dialogs(dialogs) {
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textEdited, this, &RealSpinBox::edited);
}

void RealSpinBox::setRules(long double increment, long double min, long double max, const QString& pattern,
                           bool noBlanks) {
    m_increment = increment;
    m_min = min;
    m_max = max;
    m_pattern = pattern;
    m_noBlanks = noBlanks;
}

QString RealSpinBox::formatted() const { return SpinText(m_pattern, m_value, m_noBlanks); }

void RealSpinBox::setValueText(const QString& text) {
    long double v = 0;
    if (CheckSpinText(text, m_min, m_max, v) == SpinRefusal::None) m_value = v;
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void RealSpinBox::edited(const QString& text) {
    long double v = 0;
    if (CheckSpinText(text, m_min, m_max, v) == SpinRefusal::None) m_value = v;
    emit changed();
}

void RealSpinBox::stepBy(int steps) {
    // One step per call is what buttons and keys give; a wheel may ask for more.
    for (int n = std::min(std::abs(steps), 100); n > 0; --n) {
        const std::optional<long double> next = steps > 0 ? SpinUp(m_value, m_increment) : SpinDown(m_value, m_increment);
        if (!next || !SpinInRange(*next, m_min, m_max)) break;
        m_value = *next;
    }
    lineEdit()->setText(formatted());
    emit changed();
}

// Any text may be typed; a wrong one is refused when the field is left.
QValidator::State RealSpinBox::validate(QString&, int&) const { return QValidator::Acceptable; }

void RealSpinBox::focusOutEvent(QFocusEvent* event) {
    long double v = 0;
    const SpinRefusal refusal = CheckSpinText(lineEdit()->text(), m_min, m_max, v);
    if (refusal == SpinRefusal::None || m_warning) {
        QAbstractSpinBox::focusOutEvent(event);
        return;
    }
    lineEdit()->setText(formatted());
    const QString message = refusal == SpinRefusal::NotANumber ? QStringLiteral("Falsches Zahlenformat")
                            : refusal == SpinRefusal::TooLarge ? QStringLiteral("Zahlenwert zu groß")
                                                               : QStringLiteral("Zahlenwert zu klein");
    m_warning = true;
    m_dialogs.messageBox(this, QStringLiteral("Fehler"), message, MessageIcon::Warning, MessageButtons::Ok,
                         MessageButton::Ok);
    m_warning = false;
    setFocus(Qt::OtherFocusReason);
    emit changed();
}

void RealSpinBox::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    const QString head = QStringLiteral("Zulässiger Wertebereich:\n");
    const QString text = m_min == 0 && m_max == 0
                             ? head + QStringLiteral("keine Einschränkungen")
                             : head + QStringLiteral("von: ") + FloatToText(m_min) + QStringLiteral("\nbis: ") +
                                   FloatToText(m_max);
    m_dialogs.messageBox(this, QStringLiteral("Zulässiger Wertebereich"), text, MessageIcon::Warning,
                         MessageButtons::Ok, MessageButton::Ok);
}

// --- up-down ---------------------------------------------------------------------------

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    setHorizontal(false);
}

void UpDownControl::setRange(int low, int high) {
    m_low = low;
    m_high = high;
}

void UpDownControl::setPosition(int position) { m_position = position; }

// A range given upside down counts the other way, as the arrows then say.
void UpDownControl::step(int delta) {
    const int lo = std::min(m_low, m_high), hi = std::max(m_low, m_high);
    if (m_low > m_high) delta = -delta;
    const int next = std::clamp(m_position + delta, lo, hi);
    if (next == m_position) return;
    m_position = next;
    emit positionChanged(m_position);
}

void UpDownControl::setHorizontal(bool horizontal) {
    if (horizontal == m_horizontal && m_up->arrowType() != Qt::NoArrow) return;
    m_horizontal = horizontal;
    m_up->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    m_down->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
    layoutButtons();
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void UpDownControl::layoutButtons() {
    const int w = width(), h = height();
    if (m_horizontal) {
        m_down->setGeometry(0, 0, w / 2, h);
        m_up->setGeometry(w / 2, 0, w - w / 2, h);
    } else {
        m_up->setGeometry(0, 0, w, h / 2);
        m_down->setGeometry(0, h / 2, w, h - h / 2);
    }
}

} // namespace ovanto
