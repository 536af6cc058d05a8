#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace ovanto {

// The cells of a two-dimensional text grid, as the element and property
// grids of the configuration dialog hold them. Column first, like the grids.
class TextGrid {
public:
    virtual ~TextGrid();
    virtual QString cell(int column, int row) const = 0;
    virtual void setCell(int column, int row, const QString& text) = 0;
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
};

// A grid in memory, for tests and tools. Reading outside gives an empty
// text; writing below the last row adds rows, other writes outside are lost.
class MemoryGrid final : public TextGrid {
public:
    explicit MemoryGrid(int columns, int rows = 0);

    int columnCount() const { return m_columns; }
    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString& text) override;
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    void setRowCount(int rows) override;

private:
    int m_columns;
    QVector<QStringList> m_rows;
};

} // namespace ovanto
