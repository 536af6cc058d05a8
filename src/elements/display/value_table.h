#pragma once

#include "elements/core/tgraph.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

#include <QTableView>

namespace ovanto {

// The cells of a value table as a string grid: row 0 holds the captions (the
// view shows it as its header), the rows below the logged values.
class TableLogModel final : public QAbstractTableModel {
public:
    // A new table: the caption row and ten empty rows.
    static constexpr int kNewRows = 11;

    TableLogModel();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid rows, the caption row included.
    int gridRows() const { return static_cast<int>(m_rows.size()) + 1; }
    int columns() const { return static_cast<int>(m_captions.size()); }
    void setCaptions(const QStringList& captions);
    const QStringList& captions() const { return m_captions; }
    // Cells outside the grid are empty and take nothing.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void appendRow();
    // Every cell below row 0 cleared, two grid rows left.
    void clearLog();

private:
    QStringList m_captions;
    std::vector<QStringList> m_rows; // grid rows 1..
};

// A value table: each cycle (or each output interval) its input becomes a
// cell of its group head's grid, one row per cycle, one column per member.
class TTableGraph final : public TControlGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kInput,
        kGroup,
        kCaption,
        kColumnWidth,
        kRowHeight,
        kFormat,
        kFont,
        kFontSize,
        kTimeMode,
        kOutputInterval,
        kTimeColumnWidth,
        kTimeFormat,
        kPropertyEnd
    };

    explicit TTableGraph(ElementContext& window);
    ~TTableGraph() override;

    void UpdateOutput() override;
    void DragMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void SetBounds(const Rect& r) override;
    void Init() override;
    void UpdateInputs(long double t) override;

    const TableLogModel& grid() const { return *m_model; }
    QTableView* control() const { return m_view; }

    // Places its table and logs while it is drawn.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

protected:
    std::optional<Rect> outlineBox() const override;

private:
    TTableGraph* head() const;
    // Places and styles the control (a head's also shaped), without a repaint.
    void placeControl();
    // Columns and captions from the group (the head's grid only).
    void shapeGrid();
    void style();

    std::unique_ptr<TableLogModel> m_model;
    QPointer<QTableView> m_view;
    long double m_lastRowTime = 0;
    QString m_fontName;
    int m_fontSize = -1;
    int m_background = -1;
    int m_rowHeight = -1;
    std::vector<int> m_widths;
};

void RegisterValueTable();

} // namespace ovanto
