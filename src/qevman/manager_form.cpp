#include "qevman/manager_form.h"

#include "qevman/qevman.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace ovanto::qevman {

TManagerForm::TManagerForm(QWidget* owner) : QWidget(owner, Qt::Tool), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("QEVManForm"));
    setWindowTitle(QString::fromUtf8(kQevManCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_list);
    resize(200, 240);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { ListDblClick(item); });
}

void TManagerForm::setEntries(const std::vector<QPointer<QWidget>>& windows) {
    m_windows.clear();
    m_list->clear();
    for (const QPointer<QWidget>& w : windows) {
        if (!w)
            continue;
        m_windows.push_back(w);
        m_list->addItem(w->windowTitle());
    }
}

void TManagerForm::ListDblClick(QListWidgetItem* item) {
    const int row = m_list->row(item);
    if (row >= 0 && static_cast<std::size_t>(row) < m_windows.size() && m_windows[static_cast<std::size_t>(row)])
        bringToFront(m_windows[static_cast<std::size_t>(row)]);
}

void bringToFront(QWidget* window) {
    window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace ovanto::qevman
