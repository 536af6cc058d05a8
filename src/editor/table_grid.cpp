#include "editor/table_grid.h"

#include <QTableWidget>

#include <algorithm>

namespace ovanto {

QString TableGrid::cell(int column, int row) const {
    if (column < 0 || column >= m_table.columnCount()) return {};
    if (row == 0) {
        const QTableWidgetItem* header = m_table.horizontalHeaderItem(column);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* item = m_table.item(row - 1, column);
    return item ? item->text() : QString();
}

void TableGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || column >= m_table.columnCount() || row < 0) return;
    if (row == 0) {
        m_table.setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        return;
    }
    if (row > m_table.rowCount()) m_table.setRowCount(row);
    if (QTableWidgetItem* item = m_table.item(row - 1, column)) {
        if (item->text() != text) item->setText(text);
        return;
    }
    m_table.setItem(row - 1, column, new QTableWidgetItem(text));
}

int TableGrid::rowCount() const { return m_table.rowCount() + 1; }

void TableGrid::setRowCount(int rows) { m_table.setRowCount(std::max(0, rows - 1)); }

} // namespace ovanto
