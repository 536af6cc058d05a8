#include "elements/display/message_log.h"

#include "elements/core/element_registry.h"
#include "elements/core/format_pattern.h"
#include "elements/core/number_text.h"
#include "elements/display/child_controls.h"
#include "elements/display/text_geometry.h"
#include "platform/clock.h"
#include "platform/colors.h"
#include "platform/line_printer.h"
#include "platform/sound.h"

#include <QFile>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ovanto {
namespace {

constexpr PropertyDef kMsgListRows[] = {
    {.caption = "x", .gridDefault = "20", .axis = Axis::X},
    {.caption = "y", .gridDefault = "100", .axis = Axis::Y, .initial = "150"},
    {.caption = "w", .gridDefault = "100", .initial = "200"},
    {.caption = "h", .gridDefault = "80", .initial = "120"},
    rows::Float("Input", "1"),
    rows::Plain("Group", "-1"),
    rows::Text("Font", "COURIER NEW"),
    rows::Plain("FontSize", "8"),
    rows::Plain("TimeMode", "1"),
    rows::Text("MsgText", "Message"),
    rows::Number("Threshold", "0.0"),
    rows::Plain("MsgMode (0/1)", "0"),
    rows::Plain("MsgColor", "0"),
    rows::Plain("MsgBeep (0/1)", "0"),
    rows::Float("PrintOnline (0/1)", "0"),
    rows::Text("SaveOnlineFile", ""),
};
static_assert(RowsMatch<TMsgListGraph>(kMsgListRows));
constexpr ElementSchema kMsgList{.keyword = "MSGLIST", .rows = kMsgListRows};



} // namespace

// --- the lines -------------------------------------------------------------------------

int MessageLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant MessageLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Line& line = m_lines[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return line.text;
    if (role == Qt::ForegroundRole) return toQColor(line.color);
    return {};
}

void MessageLogModel::append(const QString& text, int color) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_lines.push_back({text, color});
    endInsertRows();
}

void MessageLogModel::clear() {
    if (m_lines.empty()) return;
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

// --- the list box ----------------------------------------------------------------------

MessageListBox::MessageListBox(const MessageLogModel& lines, QWidget* parent)
    : QAbstractScrollArea(parent), m_lines(lines) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    connect(&lines, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int) {
        updateRange();
        const int top = firstVisibleRow();
        if (first >= top && first <= top + visibleRows()) viewport()->update();
    });
    connect(&lines, &QAbstractItemModel::modelReset, this, [this] {
        m_current = -1;
        updateRange();
        viewport()->update();
    });
}

void MessageListBox::setItemHeight(int height) {
    m_itemHeight = std::max(1, height);
    updateRange();
    viewport()->update();
}

int MessageListBox::firstVisibleRow() const { return verticalScrollBar()->value(); }

int MessageListBox::visibleRows() const { return std::max(1, viewport()->height() / m_itemHeight); }

void MessageListBox::updateRange() {
    const int count = static_cast<int>(m_lines.lines().size());
    verticalScrollBar()->setPageStep(visibleRows());
    verticalScrollBar()->setRange(0, std::max(0, count - visibleRows()));
}

void MessageListBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateRange();
}

void MessageListBox::mousePressEvent(QMouseEvent* event) {
    const int row = firstVisibleRow() + static_cast<int>(event->position().y()) / m_itemHeight;
    if (row >= 0 && row < static_cast<int>(m_lines.lines().size()) && row != m_current) {
        m_current = row;
        viewport()->update();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

// Each line in its own colour: as text normally, as background when selected.
void MessageListBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    painter.setFont(font());
    const auto& lines = m_lines.lines();
    const int first = firstVisibleRow();
    const int last = std::min(static_cast<int>(lines.size()), first + visibleRows() + 1);
    for (int row = first; row < last; ++row) {
        const MessageLogModel::Line& line = lines[static_cast<std::size_t>(row)];
        const QRect box(0, (row - first) * m_itemHeight, viewport()->width(), m_itemHeight);
        const QColor color = toQColor(line.color);
        if (row == m_current) painter.fillRect(box, color);
        painter.setPen(row == m_current ? palette().color(QPalette::HighlightedText) : color);
        painter.drawText(box.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs, line.text);
    }
}

// --- MSGLIST ---------------------------------------------------------------------------

TMsgListGraph::TMsgListGraph(ElementContext& window)
    : TControlGraph(window, kMsgList), m_model(std::make_unique<MessageLogModel>()) {
    QWidget* parent = window.controlParent();
    if (!parent) return;
    m_view = new MessageListBox(*m_model, parent);
    ForwardMouseToWindow(m_view, window);
    placeControl();
}

TMsgListGraph::~TMsgListGraph() {
    closeOutputs();
    delete m_view.data();
}

std::optional<Rect> TMsgListGraph::outlineBox() const {
    return TextCell(evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH));
}

TMsgListGraph* TMsgListGraph::head() const {
    return static_cast<TMsgListGraph*>(GroupHead(window(), *this, kGroup));
}

void TMsgListGraph::placeControl() {
    TMsgListGraph* const first = head();
    if (m_view) {
        guarded([&] {
            bool visible = false;
            guarded([&] { visible = IsVisible(); });
            PlaceControl(m_view, evaluateInt(kX), evaluateInt(kY), evaluateInt(kW), evaluateInt(kH),
                         visible && first == this);
            if (first == this) style();
        });
    }
}

void TMsgListGraph::UpdateOutput() {
    placeControl();
    TGraph* const first = GroupHead(window(), *this, kGroup);
    if (first != this && !window().simulationRunning()) first->UpdateOutput();
    if (window().repaintOnOutputChange()) window().paintNow();
}

void TMsgListGraph::style() {
    const QString fontName = text(kFont);
    const int fontSize = intValue(kFontSize);
    if (fontName != m_fontName || fontSize != m_fontSize) {
        m_fontName = fontName;
        m_fontSize = fontSize;
        const QFont font = ControlFont(fontName, fontSize);
        m_view->setFont(font);
        m_view->setItemHeight(static_cast<int>(std::lround(QFontMetrics(font).height() * 1.05)));
    }
    const int background = evaluateInt(kRGBFill);
    if (background != m_background) {
        m_background = background;
        QPalette palette = m_view->palette();
        palette.setColor(QPalette::Base, background < 0 ? QColor(Qt::white) : toQColor(background));
        m_view->setPalette(palette);
    }
}

void TMsgListGraph::DragMove(int x, int y) {
    TControlGraph::DragMove(x, y);
    if (m_view && isPressed() && window().designMode()) m_view->hide();
}

void TMsgListGraph::MouseUp(int x, int y) {
    TControlGraph::MouseUp(x, y);
    UpdateOutput();
}

void TMsgListGraph::SetBounds(const Rect& r) {
    TControlGraph::SetBounds(r);
    if (!isPressed()) UpdateOutput();
}

void TMsgListGraph::Init() {
    m_previous = MessageStartValue(intValue(kMsgMode));
    m_model->clear();
}

QString TMsgListGraph::prefix() const {
    const QString gap = QStringLiteral("  \t");
    switch (TimeStampFor(intValue(kTimeMode))) {
    case TimeStamp::None:
        return {};
    case TimeStamp::Simulation:
        return QStringLiteral("T = ") + FloatToText(GetSignal(54)) + gap;
    case TimeStamp::TimeOfDay:
        return window().clock().localTime().toString(QStringLiteral("HH:mm:ss")) + gap;
    case TimeStamp::DateAndTime:
        return window().clock().localTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) + gap;
    }
    return {};
}

void TMsgListGraph::UpdateInputs(long double) {
    guarded([&] {
        const long double v = ChannelValue(kInput);
        if (v == kNoChannel) return;
        const long double previous = std::exchange(m_previous, v);
        if (!MessageCrossing(intValue(kMsgMode), previous, v, number(kThreshold))) return;
        // A pattern that does not fit the value loses its line, nothing more.
        const QString line = prefix() + FormatValue(text(kMsgText), v);
        head()->append(line, intValue(kMsgColor));
        if (intValue(kMsgBeep) == 1) window().sound().beep();
    });
}

void TMsgListGraph::append(const QString& line, int color) {
    m_model->append(line, color);
    guarded([&] {
        if (m_printing) LinePrinter::instance().writeLine(line);
    });
    if (m_file) {
        // Flushed with every line, so a host that dies mid-run leaves the log up to here.
        m_file->write(line.toUtf8() + '\n');
        m_file->flush();
    }
}

void TMsgListGraph::SimulationStart() {
    closeOutputs();
    if (head() != this) return;
    guarded([&] {
        if (evaluate(kPrintOnline) == 1) m_printing = LinePrinter::instance().open();
    });
    const QString name = text(kSaveOnlineFile).trimmed();
    if (name.isEmpty()) return;
    auto file = std::make_unique<QFile>(name);
    if (file->open(QIODevice::WriteOnly | QIODevice::Truncate)) m_file = std::move(file);
}

void TMsgListGraph::SimulationEnd() { closeOutputs(); }

void TMsgListGraph::closeOutputs() {
    if (m_printing) LinePrinter::instance().close();
    m_printing = false;
    m_file.reset();
}

void RegisterMessageLog() { RegisterElementClass<TMsgListGraph>(kMsgList); }

} // namespace ovanto
