#pragma once

#include "elements/core/text_grid.h"

class QTableWidget;

namespace ovanto {

// A QTableWidget seen as an element or property grid: row 0 is the
// horizontal header, grid row r is table row r - 1.
class TableGrid final : public TextGrid {
public:
    explicit TableGrid(QTableWidget& table) : m_table(table) {}

    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString& text) override;
    int rowCount() const override;
    void setRowCount(int rows) override;

    QTableWidget& table() const { return m_table; }

private:
    QTableWidget& m_table;
};

} // namespace ovanto
