#pragma once

#include <QAbstractSpinBox>
#include <QWidget>

class QToolButton;

namespace ovanto {

class Dialogs;

// An edit field with up and down buttons for real numbers: the value is the
// last text that read as a number inside the range, the buttons and cursor
// keys go to the next multiple of the increment, and a value outside the
// range is refused.
class RealSpinBox final : public QAbstractSpinBox {
    Q_OBJECT
public:
    RealSpinBox(Dialogs& dialogs, QWidget* parent);

    void setRules(long double increment, long double min, long double max, const QString& pattern, bool noBlanks);
    long double value() const { return m_value; }
    // Puts text into the field; a valid one becomes the value. No change signal.
    void setValueText(const QString& text);
    QString formatted() const;
    QLineEdit* field() const { return lineEdit(); }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The user changed the text or stepped.
    void changed();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void edited(const QString& text);

    Dialogs& m_dialogs;
    long double m_value = 0;
    long double m_increment = 0.1L;
    long double m_min = 0;
    long double m_max = 1e30L;
    QString m_pattern = QStringLiteral("%7.3g");
    bool m_noBlanks = true;
    bool m_warning = false;
};

// Two arrow buttons that move an integer position inside a range.
class UpDownControl final : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent);

    void setRange(int low, int high);
    void setPosition(int position);
    int position() const { return m_position; }
    void setHorizontal(bool horizontal);
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void positionChanged(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    void layoutButtons();

    QToolButton* m_up;
    QToolButton* m_down;
    int m_low = -10;
    int m_high = 10;
    int m_position = 0;
    bool m_horizontal = false;
};

} // namespace ovanto
