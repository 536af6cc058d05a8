#include "editor/real_edit.h"

#include "editor/grid_rules.h"
#include "elements/core/formula/parse_float.h"
#include "platform/dialogs.h"

#include <QTimer>

#include <cmath>

namespace ovanto {

RealEdit::RealEdit(QWidget* parent) : QLineEdit(parent) {
    setText(FormatRealEdit(0.0L));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (take(text)) emit valueEdited(m_value);
    });
}

void RealEdit::setRange(long double minValue, long double maxValue) {
    m_min = minValue;
    m_max = maxValue;
}

QString RealEdit::problem(const QString& text) const {
    long double v = 0.0L;
    // An overflow to infinity is no number a setting can hold.
    if (!TryParseFloat(text.trimmed().toStdString(), v) || !std::isfinite(static_cast<double>(v)))
        return QStringLiteral("Falsches Zahlenformat");
    if (m_min != 0.0L || m_max != 0.0L) {
        if (v > m_max) return QStringLiteral("Zahlenwert zu groß");
        if (v < m_min) return QStringLiteral("Zahlenwert zu klein");
    }
    return {};
}

bool RealEdit::take(const QString& text) const {
    if (!problem(text).isEmpty()) return false;
    long double v = 0.0L;
    TryParseFloat(text.trimmed().toStdString(), v);
    m_value = v;
    return true;
}

long double RealEdit::value() const {
    take(text());
    return m_value;
}

void RealEdit::setValue(long double value) {
    m_value = value;
    setText(FormatRealEdit(value));
}

void RealEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isReadOnly() || m_checking) return;
    const QString why = problem(text());
    if (why.isEmpty()) return;
    setText(FormatRealEdit(m_value));
    // The box would steal the focus again while this one is still leaving.
    m_checking = true;
    QTimer::singleShot(0, this, [this, why] {
        setFocus();
        Dialogs::instance().messageBox(this, QStringLiteral("Fehler"), why, MessageIcon::Warning, MessageButtons::Ok,
                                       MessageButton::Ok);
        m_checking = false;
    });
}

} // namespace ovanto
