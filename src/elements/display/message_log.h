#pragma once

#include "elements/core/tgraph.h"

#include <QAbstractListModel>
#include <QPointer>

#include <memory>
#include <vector>

class QFile;
#include <QAbstractScrollArea>

namespace ovanto {

// The lines of a message log, each with its colour.
class MessageLogModel final : public QAbstractListModel {
public:
    struct Line {
        QString text;
        int color = 0;
    };

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void append(const QString& text, int color);
    void clear();
    const std::vector<Line>& lines() const { return m_lines; }

private:
    std::vector<Line> m_lines;
};

// The list box of a message log: draws only the lines in view, so a line
// costs the same with ten lines or a million; a new line repaints (later,
// once per event-loop pass) only when it comes into view.
class MessageListBox final : public QAbstractScrollArea {
public:
    MessageListBox(const MessageLogModel& lines, QWidget* parent);

    void setItemHeight(int height);
    int itemHeight() const { return m_itemHeight; }
    // -1 when no line is selected.
    int currentRow() const { return m_current; }
    int firstVisibleRow() const;
    int visibleRows() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateRange();

    const MessageLogModel& m_lines;
    int m_itemHeight = 14;
    int m_current = -1;
};

// An event log: whenever its input crosses the threshold, a line goes into
// the list box of its group's head, and online to the printer and a file.
class TMsgListGraph final : public TControlGraph {
public:
    enum {
        kX = kFirstClassProperty,
        kY,
        kW,
        kH,
        kInput,
        kGroup,
        kFont,
        kFontSize,
        kTimeMode,
        kMsgText,
        kThreshold,
        kMsgMode,
        kMsgColor,
        kMsgBeep,
        kPrintOnline,
        kSaveOnlineFile,
        kPropertyEnd
    };

    explicit TMsgListGraph(ElementContext& window);
    ~TMsgListGraph() override;

    void UpdateOutput() override;
    void DragMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void SetBounds(const Rect& r) override;
    void Init() override;
    void UpdateInputs(long double t) override;
    void SimulationStart() override;
    void SimulationEnd() override;

    // The lines this element's list box holds (a head's: its whole group's).
    const MessageLogModel& log() const { return *m_model; }
    // Nothing without a window to put it on.
    MessageListBox* control() const { return m_view; }
    bool printing() const { return m_printing; }
    bool writingFile() const { return m_file != nullptr; }

    // Places its list and logs while it is drawn.
    LookTraits lookTraits() const override { return {.alwaysDraw = true}; }

protected:
    std::optional<Rect> outlineBox() const override;

private:
    TMsgListGraph* head() const;
    // Places and styles the control (a head's also shaped), without a repaint.
    void placeControl();
    QString prefix() const;
    // Into the list box, onto the printer and into the file, at once.
    void append(const QString& line, int color);
    void closeOutputs();
    void style();

    std::unique_ptr<MessageLogModel> m_model;
    QPointer<MessageListBox> m_view;
    long double m_previous = -1e10L;
    std::unique_ptr<QFile> m_file;
    bool m_printing = false;
    QString m_fontName;
    int m_fontSize = -1;
    int m_background = -1;
};

void RegisterMessageLog();

} // namespace ovanto
