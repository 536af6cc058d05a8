#include "editor/io_control_window.h"

#include "elements/core/formula/signal_table.h"
#include "host/block_configuration.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace ovanto {
namespace {

constexpr int kInputColumn = 1;
constexpr int kOutputColumn = 2;
constexpr int kIOPairs = 50;

} // namespace

std::optional<long double> ParseIOValue(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return static_cast<long double>(v);
}

QString IOValueText(long double value) {
    // 15 digits: what a step adds comes back without binary noise.
    return QString::number(static_cast<double>(value), 'g', 15);
}

std::optional<QString> SteppedIOValue(const QString& text, double step) {
    const std::optional<long double> v = ParseIOValue(text);
    if (!v) return std::nullopt;
    return IOValueText(*v + static_cast<long double>(step));
}

TQEVIOForm::TQEVIOForm(QWidget* owner, SignalTable& table, const BlockConfiguration& config,
                       std::function<void()> applied)
    : QWidget(owner, Qt::Tool), m_signals(table), m_config(config), m_applied(std::move(applied)) {
    setObjectName(QStringLiteral("TQEVIOForm"));
    setWindowTitle(QStringLiteral("Ein-/Ausgänge"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_grid = new QTableWidget(kRows, 5, this);
    m_grid->setObjectName(QStringLiteral("IOStringGrid"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Nr."), QStringLiteral("Eingang"), QStringLiteral("Ausgang"),
                                       QStringLiteral("Name Eingang"), QStringLiteral("Name Ausgang")});
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(16);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int widths[] = {30, 79, 79, 155, 155};
    for (int c = 0; c < 5; ++c) m_grid->setColumnWidth(c, widths[c]);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    // The width comes in two fixed steps; the name columns are there or not.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_filling = true;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (c == kInputColumn) flags |= Qt::ItemIsSelectable | Qt::ItemIsEditable;
            item->setFlags(flags);
            if (r >= kIOPairs) item->setForeground(QColor(0, 0, 255));
            m_grid->setItem(r, c, item);
        }
        m_grid->item(r, 0)->setText(r < kIOPairs ? QString::number(r + 1) : QStringLiteral("E%1").arg(r - kIOPairs + 1));
    }
    m_filling = false;
    column->addWidget(m_grid, 1);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(1);
    auto* steps = new QGridLayout;
    steps->setSpacing(0);
    for (int k = 0; k < static_cast<int>(kSteps.size()); ++k) {
        const double step = kSteps[static_cast<std::size_t>(k)];
        auto* b = new QPushButton((step > 0 ? QStringLiteral("+") : QString()) + QString::number(step), panel);
        b->setFixedSize(32, 19);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        m_stepButtons[static_cast<std::size_t>(k)] = b;
        steps->addWidget(b, k % 2, k / 2);
        connect(b, &QPushButton::clicked, this, [this, k] { StepButtonClick(k); });
    }
    row->addLayout(steps);
    m_widthButton = new QPushButton(QStringLiteral(">>"), panel);
    m_widthButton->setFixedSize(38, 39);
    m_widthButton->setAutoDefault(false);
    m_widthButton->setFocusPolicy(Qt::NoFocus);
    connect(m_widthButton, &QPushButton::clicked, this, [this] { WidthButtonClick(); });
    row->addWidget(m_widthButton);
    row->addStretch(1);
    column->addWidget(panel);

    connect(m_grid, &QTableWidget::cellChanged, this, [this](int, int c) {
        if (!m_filling && c == kInputColumn) ApplyInputs();
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int, int c) {
        if (!m_filling && c == kInputColumn) ApplyInputs();
    });
    m_grid->installEventFilter(this);

    setFixedWidth(kNarrowWidth);
    resize(kNarrowWidth, 251);
    RefreshInputs();
    RefreshOutputs();
}

int TQEVIOForm::signalOfRow(int row, bool output) const {
    if (row >= kIOPairs) return signal_pos::kFirstExternal + row - kIOPairs;
    return (output ? signal_pos::kFirstOutput : signal_pos::kFirstInput) + row;
}

void TQEVIOForm::setCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = m_grid->item(row, column);
    if (item->text() != text) item->setText(text);
}

void TQEVIOForm::RefreshInputs() {
    m_filling = true;
    for (int r = 0; r < kRows; ++r) {
        setCell(r, kInputColumn, IOValueText(m_signals[signalOfRow(r, false)]));
        if (r < kIOPairs) setCell(r, 3, m_config.InputNames[static_cast<std::size_t>(r)]);
    }
    m_filling = false;
}

void TQEVIOForm::RefreshOutputs() {
    m_filling = true;
    for (int r = 0; r < kRows; ++r) {
        setCell(r, kOutputColumn, IOValueText(m_signals[signalOfRow(r, true)]));
        if (r < kIOPairs) setCell(r, 4, m_config.OutputNames[static_cast<std::size_t>(r)]);
    }
    m_filling = false;
}

void TQEVIOForm::ApplyInputs() {
    for (int r = 0; r < kRows; ++r)
        if (const std::optional<long double> v = ParseIOValue(m_grid->item(r, kInputColumn)->text()))
            m_signals[signalOfRow(r, false)] = *v;
    if (m_applied) m_applied();
}

void TQEVIOForm::StepButtonClick(int index) {
    const int r = m_grid->currentRow();
    if (r < 0 || r >= kRows || index < 0 || index >= static_cast<int>(kSteps.size())) return;
    QTableWidgetItem* item = m_grid->item(r, kInputColumn);
    const std::optional<QString> next = SteppedIOValue(item->text(), kSteps[static_cast<std::size_t>(index)]);
    if (!next) return;
    m_filling = true;
    item->setText(*next);
    m_filling = false;
    ApplyInputs();
}

void TQEVIOForm::WidthButtonClick() {
    m_wide = !m_wide;
    m_widthButton->setText(m_wide ? QStringLiteral("<<") : QStringLiteral(">>"));
    setFixedWidth(m_wide ? kWideWidth : kNarrowWidth);
    RefreshInputs();
    RefreshOutputs();
}

void TQEVIOForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

bool TQEVIOForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyRelease && !m_filling) ApplyInputs();
    return QWidget::eventFilter(watched, event);
}

} // namespace ovanto
