#include "elements/core/text_grid.h"

#include <algorithm>

namespace ovanto {

TextGrid::~TextGrid() = default;

MemoryGrid::MemoryGrid(int columns, int rows) : m_columns(std::max(columns, 0)) { setRowCount(rows); }

QString MemoryGrid::cell(int column, int row) const {
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount()) return {};
    return m_rows[row][column];
}

void MemoryGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || column >= m_columns || row < 0) return;
    if (row >= rowCount()) setRowCount(row + 1);
    m_rows[row][column] = text;
}

void MemoryGrid::setRowCount(int rows) {
    const int old = rowCount();
    m_rows.resize(std::max(rows, 0));
    for (int r = old; r < rowCount(); ++r) {
        QStringList blank;
        for (int c = 0; c < m_columns; ++c) blank.append(QString());
        m_rows[r] = blank;
    }
}

} // namespace ovanto
