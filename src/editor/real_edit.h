#pragma once

#include <QLineEdit>

namespace ovanto {

// A number edit that keeps its last valid value: text that is no number or
// lies outside min..max (both 0: no range) leaves the value as it was, and
// leaving the field with such text brings the value back with a warning.
class RealEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit RealEdit(QWidget* parent = nullptr);

    void setRange(long double minValue, long double maxValue);
    long double value() const; // the last valid value, after taking the text if it is valid
    void setValue(long double value);

    // Why a text is refused; empty when it is a valid value.
    QString problem(const QString& text) const;

signals:
    // A valid value was typed.
    void valueEdited(long double value);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool take(const QString& text) const;

    long double m_min = 0.0L;
    long double m_max = 0.0L;
    mutable long double m_value = 0.0L;
    bool m_checking = false;
};

} // namespace ovanto
