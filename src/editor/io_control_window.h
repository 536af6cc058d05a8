#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;

namespace ovanto {

struct BlockConfiguration;
struct SignalTable;

// A typed test value: decimal point "." or ","; nullopt for anything else,
// infinities and NaN included.
std::optional<long double> ParseIOValue(const QString& text);
QString IOValueText(long double value);
// The cell text after a step button, nullopt when the cell holds no number.
std::optional<QString> SteppedIOValue(const QString& text, double step);

// "Ein-/Ausgänge": test values for the inputs and external signals while the
// configuration dialog is open. Closing only hides it.
class TQEVIOForm final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 250; // 50 inputs/outputs, then E1..E200
    static constexpr int kNarrowWidth = 208;
    static constexpr int kWideWidth = 528;
    static constexpr std::array<double, 10> kSteps = {0.01, -0.01, 0.1, -0.1, 1, -1, 10, -10, 100, -100};

    // applied runs after new values went into the table (the dialog's Preview).
    TQEVIOForm(QWidget* owner, SignalTable& table, const BlockConfiguration& config, std::function<void()> applied);

    void RefreshInputs();
    void RefreshOutputs();
    void ApplyInputs();
    // Adds kSteps[index] to the current "Eingang" cell.
    void StepButtonClick(int index);
    void WidthButtonClick();

    QTableWidget* grid() const { return m_grid; }
    QPushButton* widthButton() const { return m_widthButton; }
    QPushButton* stepButton(int index) const { return m_stepButtons[static_cast<std::size_t>(index)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCell(int row, int column, const QString& text);
    int signalOfRow(int row, bool output) const; // row 0-based

    SignalTable& m_signals;
    const BlockConfiguration& m_config;
    std::function<void()> m_applied;
    QTableWidget* m_grid = nullptr;
    std::array<QPushButton*, 10> m_stepButtons{};
    QPushButton* m_widthButton = nullptr;
    bool m_filling = false;
    bool m_wide = false;
};

} // namespace ovanto
