#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace ovanto::qevman {

// The small tool window that lists the managed windows by caption; a double
// click brings one to the front.
class TManagerForm final : public QWidget {
    Q_OBJECT
public:
    explicit TManagerForm(QWidget* owner);

    // Rebuilds the list from the windows (null entries are skipped).
    void setEntries(const std::vector<QPointer<QWidget>>& windows);
    QListWidget* list() const { return m_list; }

private:
    void ListDblClick(QListWidgetItem* item);

    QListWidget* m_list;
    std::vector<QPointer<QWidget>> m_windows;
};

// Shown normally, raised and activated: how a listed window comes to the front.
void bringToFront(QWidget* window);

} // namespace ovanto::qevman
