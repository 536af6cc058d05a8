#include "elements/display/value_table.h"

#include "elements/core/element_registry.h"
#include "elements/core/format_pattern.h"
#include "elements/display/child_controls.h"
#include "elements/display/text_geometry.h"
#include "platform/clock.h"
#include "platform/colors.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace ovanto {
namespace {

constexpr PropertyDef kTableRows[] = {
    {.caption = "x", .gridDefault = "20", .axis = Axis::X},
    {.caption = "y", .gridDefault = "100", .axis = Axis::Y, .initial = "150"},
    {.caption = "w", .gridDefault = "100", .initial = "200"},
    {.caption = "h", .gridDefault = "80", .initial = "120"},
    rows::Float("Input", "1"),
    rows::Plain("Group", "-1"),
    rows::Text("Caption", "Caption"),
    rows::Plain("ColumnWidth", "60"),
    rows::Plain("RowHeight", "15"),
    rows::Text("Format", "%8.3f"),
    rows::Text("Font", "COURIER NEW"),
    rows::Plain("FontSize", "8"),
    rows::Plain("TimeMode", "1"),
    rows::Number("OutputInterval", "0"),
    rows::Plain("TimeColumnWidth", "60"),
    rows::Text("TimeFormat", "%6.2f"),
};
static_assert(RowsMatch<TTableGraph>(kTableRows));
constexpr ElementSchema kTable{.keyword = "TABLE", .rows = kTableRows};

// Widths and heights a user types are kept to what a header can take.
constexpr int kLargestSection = 1 << 16;
int section(int size) { return std::clamp(size, 0, kLargestSection); }

} // namespace

// --- the grid --------------------------------------------------------------------------

TableLogModel::TableLogModel() : m_captions(1), m_rows(kNewRows - 1, QStringList(1)) {}

int TableLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TableLogModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns(); }

QVariant TableLogModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell(index.row() + 1, index.column());
}

QVariant TableLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return cell(0, section);
}

void TableLogModel::setCaptions(const QStringList& captions) {
    if (captions == m_captions) return;
    beginResetModel();
    m_captions = captions;
    for (QStringList& row : m_rows) row.resize(captions.size());
    endResetModel();
}

QString TableLogModel::cell(int row, int column) const {
    if (column < 0 || column >= columns()) return {};
    if (row == 0) return m_captions[column];
    if (row < 1 || row >= gridRows()) return {};
    return m_rows[static_cast<std::size_t>(row - 1)][column];
}

void TableLogModel::setCell(int row, int column, const QString& text) {
    if (row < 1 || row >= gridRows() || column < 0 || column >= columns()) return;
    m_rows[static_cast<std::size_t>(row - 1)][column] = text;
    const QModelIndex at = index(row - 1, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void TableLogModel::appendRow() {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_rows.emplace_back(columns());
    endInsertRows();
}

void TableLogModel::clearLog() {
    beginResetModel();
    m_rows.assign(1, QStringList(columns()));
    endResetModel();
}

// --- TABLE -----------------------------------------------------------------------------

TTableGraph::TTableGraph(ElementContext& window)
    : TControlGraph(window, kTable), m_model(std::make_unique<TableLogModel>()) {
    QWidget* parent = window.controlParent();
    if (parent) {
        m_view = new QTableView(parent);
        m_view->verticalHeader()->hide();
        m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        m_view->setModel(m_model.get());
        ForwardMouseToWindow(m_view, window);
    }
    placeControl();
}

TTableGraph::~TTableGraph() { delete m_view.data(); }

std::optional<Rect> TTableGraph::outlineBox() const {
    return TextCell(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
}

TTableGraph* TTableGraph::head() const { return static_cast<TTableGraph*>(GroupHead(window(), *this, kGroup)); }

void TTableGraph::shapeGrid() {
    QStringList captions;
    m_widths.clear();
    if (intValue(kTimeMode) != 0) {
        captions << QStringLiteral("  t");
        m_widths.push_back(section(intValue(kTimeColumnWidth)));
    }
    const int group = intValue(kGroup);
    for (const auto& e : window().elementList()) {
        if (group == -1 && e.get() != this) continue;
        if (e->Keyword() != Keyword() || e->intValue(kGroup) != group) continue;
        captions << e->text(kCaption);
        m_widths.push_back(section(e->intValue(kColumnWidth)));
    }
    // Not yet in the list: a column of its own.
    if (captions.size() < TableColumnCount(1, intValue(kTimeMode))) {
        captions << text(kCaption);
        m_widths.push_back(section(intValue(kColumnWidth)));
    }
    m_model->setCaptions(captions);
}

void TTableGraph::style() {
    const QString fontName = text(kFont);
    const int fontSize = intValue(kFontSize);
    if (fontName != m_fontName || fontSize != m_fontSize) {
        m_fontName = fontName;
        m_fontSize = fontSize;
        const QFont font = ControlFont(fontName, fontSize);
        m_view->setFont(font);
        m_view->horizontalHeader()->setFont(font);
    }
    const int rowHeight = section(intValue(kRowHeight));
    if (rowHeight != m_rowHeight) {
        m_rowHeight = rowHeight;
        m_view->verticalHeader()->setMinimumSectionSize(std::min(rowHeight, 1));
        m_view->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
    for (int c = 0; c < static_cast<int>(m_widths.size()); ++c)
        if (m_view->columnWidth(c) != m_widths[static_cast<std::size_t>(c)])
            m_view->setColumnWidth(c, m_widths[static_cast<std::size_t>(c)]);
    const int background = evaluateInt(kRGBFill);
    if (background != m_background) {
        m_background = background;
        QPalette palette = m_view->palette();
        palette.setColor(QPalette::Base, background < 0 ? QColor(Qt::white) : toQColor(background));
        m_view->setPalette(palette);
    }
}

void TTableGraph::placeControl() {
    TTableGraph* const first = head();
    guarded([&] {
        if (first == this) shapeGrid();
        if (!m_view) return;
        bool visible = false;
        guarded([&] { visible = IsVisible(); });
        PlaceControl(m_view, evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH),
                     visible && first == this);
        if (first == this) style();
    });
}

void TTableGraph::UpdateOutput() {
    placeControl();
    TGraph* const first = GroupHead(window(), *this, kGroup);
    if (first != this && !window().simulationRunning()) first->UpdateOutput();
    if (window().repaintOnOutputChange()) window().paintNow();
}

void TTableGraph::DragMove(int x, int y) {
    TControlGraph::DragMove(x, y);
    if (m_view && isPressed() && window().designMode()) m_view->hide();
}

void TTableGraph::MouseUp(int x, int y) {
    TControlGraph::MouseUp(x, y);
    UpdateOutput();
}

void TTableGraph::SetBounds(const Rect& r) {
    TControlGraph::SetBounds(r);
    if (!isPressed()) UpdateOutput();
}

void TTableGraph::Init() {
    m_model->clearLog();
    m_lastRowTime = 0;
}

void TTableGraph::UpdateInputs(long double t) {
    guarded([&] {
        const long double v = ChannelValue(kInput);
        if (v == kNoChannel) return;
        const GroupPlace place = GroupOf(window(), *this, kGroup);
        auto* const first = static_cast<TTableGraph*>(place.head);
        if (!TableRowDue(first->number(kOutputInterval), t, m_lastRowTime)) return;
        TableLogModel& cells = *first->m_model;
        if (first == this) {
            const int last = cells.gridRows() - 1;
            switch (TimeStampFor(intValue(kTimeMode))) {
            case TimeStamp::None:
                break;
            case TimeStamp::Simulation:
                guarded([&] { cells.setCell(last, 0, FormatValue(text(kTimeFormat), t)); });
                break;
            case TimeStamp::TimeOfDay:
                cells.setCell(last, 0, window().clock().localTime().toString(QStringLiteral("HH:mm:ss")));
                break;
            case TimeStamp::DateAndTime:
                cells.setCell(last, 0, window().clock().localTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
                break;
            }
            cells.appendRow();
        }
        m_lastRowTime = t;
        cells.setCell(cells.gridRows() - 2, TableValueColumn(place.member, first->intValue(kTimeMode)),
                      FormatValue(text(kFormat), v));
    });
}

void RegisterValueTable() { RegisterElementClass<TTableGraph>(kTable); }

} // namespace ovanto
