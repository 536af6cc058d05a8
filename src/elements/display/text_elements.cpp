#include "elements/display/text_elements.h"

#include "elements/core/element_registry.h"
#include "elements/display/display_geometry.h"
#include "elements/display/display_painting.h"
#include "elements/display/text_geometry.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/help_viewers.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "platform/small_dialogs.h"
#include "platform/sound.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace ovanto {
namespace {

// Frames came with record version 202; the click switch of the info text with 390.
constexpr int kLabelBorderVersion = 201;
constexpr int kSimEnabledVersion = 389;

constexpr PropertyDef kLabelRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("Size", "10"),
    rows::Text("Font", "ARIAL"),
    rows::Text("Caption", "Caption"),
    rows::Plain("BorderType", "0", kLabelBorderVersion),
    rows::Plain("BorderWidth", "1", kLabelBorderVersion),
};
static_assert(RowsMatch<TLabelGraph>(kLabelRows));
constexpr ElementSchema kLabel{.keyword = "LABEL", .rows = kLabelRows};

constexpr PropertyDef kInfoTextRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Int("Size", "10"),
    {.caption = "Font", .gridDefault = "ARIAL", .kind = PropKind::Text, .initial = "Times New Roman"},
    {.caption = "Caption", .gridDefault = "Info", .kind = PropKind::Text, .initial = "?"},
    rows::Text("TextFile", "*.*"),
    rows::Text("Text", "Place your info here!"),
    rows::Plain("OutputMode", "0"),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TInfoTextGraph>(kInfoTextRows));
constexpr ElementSchema kInfoText{.keyword = "INFOTEXT", .rows = kInfoTextRows};

constexpr PropertyDef kMessageRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "40"),
    rows::Float("Input", "1"),
    rows::Int("Size", "10"),
    rows::Text("Font", "ARIAL"),
    rows::Text("LowText", "Low"),
    rows::Text("MidText", "Normal"),
    rows::Text("HighText", "High"),
    rows::Number("LowThreshold", "0"),
    rows::Number("HighThreshold", "1"),
    rows::Plain("LowColor", "65535"),
    rows::Plain("MidColor", "32768"),
    rows::Plain("HighColor", "255"),
    rows::Plain("BorderType", "0"),
    rows::Plain("BorderWidth", "1"),
    rows::Plain("Centered (0/1)", "1"),
};
static_assert(RowsMatch<TMessageGraph>(kMessageRows));
constexpr ElementSchema kMessage{.keyword = "MESSAGE", .rows = kMessageRows};

constexpr int kInfoTextStroke = 16777215; // white text
constexpr int kInfoTextFill = 8388608;    // on navy
constexpr int kInfoBoxMargin = 4;
constexpr int kHintPadding = 4;
// A frame wider than this is drawn this wide: the pen must stay sane.
constexpr int kMaxBorderWidth = 1000;

bool framed(int borderType) { return borderType >= 1 && borderType <= 4; }
int borderWidth(int width) { return std::clamp(width, 0, kMaxBorderWidth); }

// The frame of the captions and messages around the grown text cell.
void DrawTextFrame(Canvas& canvas, const Rect& frame, int type, int width, int fill) {
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(width);
    if (type >= 3) canvas.setPenColor(kBlack);
    // Types 1 and 3 are outlines; 2 and 4 take the brush the base set from RGBFill.
    if (type == 1 || type == 3) canvas.setBrushStyle(BrushStyle::Clear);
    canvas.rectangle(frame.left, frame.top, frame.right, frame.bottom);
    if (type >= 3) DrawSunkenBevel(canvas, frame, type == 4 && fill == kLightGrey ? kWhite : kLightGrey);
}

} // namespace

QSize TextExtents::get(const QString& font, int size, const QString& text, Canvas* canvas) {
    for (const Entry& e : m_entries)
        if (e.size == size && e.text == text && e.font == font) return e.extent;
    const QSize extent =
        canvas ? QSize(canvas->textWidth(text), canvas->textHeight(text)) : MeasureText(font, size, text);
    // A few texts per element; anything else is an edit, after which the old ones are gone.
    if (m_entries.size() >= 4) m_entries.clear();
    m_entries.push_back({font, size, text, extent});
    return extent;
}

// --- LABEL -----------------------------------------------------------------------------

TLabelGraph::TLabelGraph(ElementContext& window) : TGraph(window, kLabel) {}

std::optional<Rect> TLabelGraph::outlineBox() const {
    const QSize extent = m_extents.get(text(kFont), evaluateInt(kSize), text(kCaption), nullptr);
    const Rect cell = TextCell(evaluateInt(kX), evaluateInt(kY), extent.width(), extent.height());
    const int type = intValue(kBorderType);
    return framed(type) ? GrowBox(cell, NumberFrameMargin(type, borderWidth(intValue(kBorderWidth)))) : cell;
}

void TLabelGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const QString caption = text(kCaption), font = text(kFont);
        const int size = evaluateInt(kSize);
        UseDisplayFont(canvas, font, size);
        const QSize extent = m_extents.get(font, size, caption, &canvas);
        const Rect cell = TextCell(evaluateInt(kX), evaluateInt(kY), extent.width(), extent.height());
        const int type = intValue(kBorderType);
        if (framed(type)) {
            const int width = borderWidth(intValue(kBorderWidth));
            DrawTextFrame(canvas, GrowBox(cell, NumberFrameMargin(type, width)), type, width, evaluateInt(kRGBFill));
        }
        canvas.textOut(cell.left, cell.top, caption);
    });
}

// --- INFOTEXT --------------------------------------------------------------------------

TInfoTextGraph::TInfoTextGraph(ElementContext& window) : TGraph(window, kInfoText) {
    setText(kRGBStroke, QString::number(kInfoTextStroke));
    setText(kRGBFill, QString::number(kInfoTextFill));
}

TInfoTextGraph::~TInfoTextGraph() { delete m_hint.data(); }

std::optional<Rect> TInfoTextGraph::outlineBox() const {
    const QSize extent = m_extents.get(text(kFont), evaluateInt(kSize), text(kCaption), nullptr);
    return GrowBox(TextCell(evaluateInt(kX), evaluateInt(kY), extent.width(), extent.height()), kInfoBoxMargin);
}

void TInfoTextGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const QString caption = text(kCaption), font = text(kFont);
        const int size = evaluateInt(kSize);
        UseDisplayFont(canvas, font, size);
        const QSize extent = m_extents.get(font, size, caption, &canvas);
        const Rect cell = TextCell(evaluateInt(kX), evaluateInt(kY), extent.width(), extent.height());
        const Rect box = GrowBox(cell, kInfoBoxMargin);
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenWidth(1);
        canvas.rectangle(box.left, box.top, box.right, box.bottom);
        canvas.textOut(cell.left, cell.top, caption);
    });
}

bool TInfoTextGraph::hits(int x, int y) const {
    try {
        const std::optional<Rect> box = outlineBox();
        return box && box->contains(x, y);
    } catch (...) {
        return false;
    }
}

QString TInfoTextGraph::resolvedTextFile() const {
    const QString name = text(kTextFile);
    const QString found = window().findFile(name);
    if (!found.isEmpty()) return found;
    return QDir(Module::directory()).filePath(QFileInfo(name).fileName());
}

void TInfoTextGraph::MouseMove(int x, int y) {
    if (window().designMode() || intValue(kOutputMode) != 0 || !hits(x, y)) {
        hideHint();
        return;
    }
    showHint(x, y);
}

void TInfoTextGraph::showHint(int x, int y) {
    QWidget* parent = window().controlParent();
    const QPoint at = HintPosition(parent ? parent->mapToGlobal(QPoint(x, y)) : QPoint(x, y));
    if (!m_hint) {
        m_hint = new QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint);
        m_hint->setPalette(QToolTip::palette());
        m_hint->setAutoFillBackground(true);
        m_hint->setContentsMargins(kHintPadding, 0, kHintPadding, 0);
    }
    if (m_hint->text() != text(kText)) {
        m_hint->setText(text(kText));
        m_hint->adjustSize();
    }
    m_hint->move(at);
    m_hint->show();
    m_hintShown = true;
    m_hintAt = at;
}

void TInfoTextGraph::hideHint() {
    if (!m_hintShown) return;
    if (m_hint) m_hint->hide();
    m_hintShown = false;
}

void TInfoTextGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (window().designMode() || intValue(kOutputMode) == 0 || !hits(x, y)) return;
    if (window().simulationRunning() && intValue(kSimEnabled) != 1) {
        window().sound().beep();
        return;
    }
    openInformation();
}

void TInfoTextGraph::openInformation() {
    QWidget* parent = window().controlParent();
    if (intValue(kOutputMode) == 1) {
        const QString shown = text(kText);
        SmallDialogs::instance().showMemo(parent, shown.isEmpty() ? ReadTextFile(resolvedTextFile()) : shown);
        return;
    }
    // The file's own program, started directly: the name never passes a shell.
    const QString file = resolvedTextFile();
    Shell& shell = window().shell();
    const std::optional<ProgramCommand> command = shell.programForExtension(openWithExtension(file));
    if (command && shell.startCommand(*command, {file})) return;
    window().dialogs().showError(parent, QStringLiteral("Anzeigeprogramm Datei ") + file +
                                             QStringLiteral(" nicht gefunden!"));
}

// --- MESSAGE ---------------------------------------------------------------------------

TMessageGraph::TMessageGraph(ElementContext& window) : TGraph(window, kMessage) {}

TMessageGraph::Shown TMessageGraph::shown() const {
    switch (MessageStateFor(ChannelValue(kInput), number(kLowThreshold), number(kHighThreshold))) {
    case MessageState::NoChannel:
        return {QStringLiteral("***"), kBlack};
    case MessageState::Low:
        return {text(kLowText), intValue(kLowColor)};
    case MessageState::Mid:
        return {text(kMidText), intValue(kMidColor)};
    case MessageState::High:
        break;
    }
    return {text(kHighText), intValue(kHighColor)};
}

namespace {

// The frame's text cell: as wide as the widest of the three texts (and the
// shown one, so "***" never sticks out), as high as the shown text.
struct MessageLayout {
    Rect cell;
    int textLeft;
};

MessageLayout LayOutMessage(int x, int y, int widest, QSize current, bool centered) {
    widest = std::max(widest, current.width());
    return {TextCell(x, y, widest, current.height()),
            centered ? CenteredTextLeft(x, widest, current.width()) : x};
}

} // namespace

Rect TMessageGraph::textCell(Canvas* canvas, const Shown& now, int& textLeft) const {
    const QString font = text(kFont);
    const int size = evaluateInt(kSize);
    int widest = 0;
    for (int p : {kLowText, kMidText, kHighText})
        widest = std::max(widest, m_extents.get(font, size, text(p), canvas).width());
    const MessageLayout layout = LayOutMessage(evaluateInt(kX), evaluateInt(kY), widest,
                                               m_extents.get(font, size, now.text, canvas), intValue(kCentered) == 1);
    textLeft = layout.textLeft;
    return layout.cell;
}

std::optional<Rect> TMessageGraph::outlineBox() const {
    int textLeft = 0;
    const Rect cell = textCell(nullptr, shown(), textLeft);
    const int type = intValue(kBorderType);
    return framed(type) ? GrowBox(cell, NumberFrameMargin(type, borderWidth(intValue(kBorderWidth)))) : cell;
}

void TMessageGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Shown now = shown();
        UseDisplayFont(canvas, text(kFont), evaluateInt(kSize));
        int textLeft = 0;
        const Rect cell = textCell(&canvas, now, textLeft);
        const int type = intValue(kBorderType);
        if (framed(type)) {
            const int width = borderWidth(intValue(kBorderWidth));
            DrawTextFrame(canvas, GrowBox(cell, NumberFrameMargin(type, width)), type, width, evaluateInt(kRGBFill));
        }
        canvas.setFontColor(now.color);
        canvas.textOut(textLeft, cell.top, now.text);
    });
}

void RegisterTextElements() {
    RegisterElementClass<TLabelGraph>(kLabel);
    RegisterElementClass<TInfoTextGraph>(kInfoText);
    RegisterElementClass<TMessageGraph>(kMessage);
}

} // namespace ovanto
