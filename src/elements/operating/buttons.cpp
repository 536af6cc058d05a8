#include "elements/core/element_registry.h"
#include "elements/display/child_controls.h"
#include "elements/display/message_log.h"
#include "elements/display/plots.h"
#include "elements/display/shape_geometry.h"
#include "elements/operating/operating.h"
#include "elements/operating/operating_geometry.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/host_window.h"
#include "platform/line_printer.h"
#include "platform/printer.h"
#include "platform/shell.h"
#include "platform/small_dialogs.h"
#include "platform/text_codec_1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QProcess>
#include <QWidget>

#include <chrono>
#include <thread>

namespace ovanto {
namespace {

// Pictures, their position and the font size came with record version 220,
// groups with 273, passwords with 376, the run switch with 390.
constexpr int kPictureVersion = 219;
constexpr int kGroupVersion = 272;
constexpr int kPasswordVersion = 375;
constexpr int kSimEnabledVersion = 389;

constexpr PropertyDef Above(PropertyDef def, int version) {
    def.readAboveVersion = version;
    return def;
}

constexpr PropertyDef kSwitchRows[] = {
    rows::Text("Caption", "Caption"),
    rows::X("x", "40"),
    rows::Y("y", "50"),
    rows::Int("w", "80"),
    rows::Int("h", "25"),
    rows::Float("OnValue", "5.0"),
    rows::Int("Output", "1"),
    Above(rows::Text("BMPFile or Id", "*.BMP"), kPictureVersion),
    rows::Plain("BMPPosition (0/1)", "0", kPictureVersion),
    rows::Plain("FontSize", "8", kPictureVersion),
    rows::Plain("Group", "-1", kGroupVersion),
    Above(rows::Text("Password", ""), kPasswordVersion),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TSwitchGraph>(kSwitchRows));
constexpr ElementSchema kSwitch{.keyword = "SWITCH", .rows = kSwitchRows};
// Per property its grid row; 0 hides the line type behind "Output".
constexpr int kSwitchGrid[] = {1, 2, 0, 4, 5, 6, 12, 7, 8, 9, 10, 11, 3, 14, 15, 13, 16, 17, 18};
static_assert(std::size(kSwitchGrid) == TSwitchGraph::kPropertyEnd);

constexpr PropertyDef kButtonRows[] = {
    rows::Text("Caption", "Caption"),
    rows::X("x", "40"),
    rows::Y("y", "50"),
    rows::Int("w", "80"),
    rows::Int("h", "25"),
    rows::Float("OnValue", "5.0"),
    rows::Int("Output", "1"),
    Above(rows::Text("BMPFile or Id", "*.BMP"), kPictureVersion),
    rows::Plain("BMPPosition (0/1)", "0", kPictureVersion),
    rows::Plain("FontSize", "8", kPictureVersion),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TButtonGraph>(kButtonRows));
constexpr ElementSchema kButton{.keyword = "BUTTON", .rows = kButtonRows};
constexpr int kButtonGrid[] = {1, 2, 0, 4, 5, 6, 12, 7, 8, 9, 10, 11, 3, 14, 15, 13, 16};
static_assert(std::size(kButtonGrid) == TButtonGraph::kPropertyEnd);

constexpr PropertyDef kDlgButtonRows[] = {
    rows::Text("Caption", "Caption"),
    rows::X("x", "40"),
    rows::Y("y", "50"),
    rows::Int("w", "80"),
    rows::Int("h", "25"),
    rows::Text("BMPFile or Id", "*.BMP"),
    rows::Plain("BMPPosition (0/1)", "0"),
    rows::Plain("FontSize", "8"),
    rows::Text("DisplayedFile", "*.*"),
    rows::Plain("SimEnabled (0/1)", "1", kSimEnabledVersion),
};
static_assert(RowsMatch<TDlgButtonGraph>(kDlgButtonRows));
constexpr ElementSchema kDlgButton{.keyword = "DLGBUTTON", .rows = kDlgButtonRows};
constexpr int kDlgButtonGrid[] = {1, 2, 3, 4, 5, 6, 11, 7, 8, 9, 10, 13, 14, 12, 15, 16};
static_assert(std::size(kDlgButtonGrid) == TDlgButtonGraph::kPropertyEnd);

constexpr PropertyDef kBmpButtonRows[] = {
    rows::X("x", "40"),
    rows::Y("y", "50"),
    rows::Int("w", "80"),
    rows::Int("h", "25"),
    rows::Text("Values", "0.0#5.0"),
    rows::Int("Output", "1"),
    rows::Plain("BMPCount", "2"),
    rows::Text("BMPFile[1] or Id", "*.BMP"),
    rows::Text("BMPFile[2] or Id", "*.BMP"),
    rows::Text("BMPFile[3] or Id", "*.BMP"),
    rows::Text("BMPFile[4] or Id", "*.BMP"),
    rows::Text("BMPFile[5] or Id", "*.BMP"),
    rows::Text("BMPFile[6] or Id", "*.BMP"),
    rows::Text("BMPFile[7] or Id", "*.BMP"),
    rows::Text("BMPFile[8] or Id", "*.BMP"),
    rows::Text("BMPFile[9] or Id", "*.BMP"),
    rows::Text("BMPFile[10] or Id", "*.BMP"),
    rows::Plain("Transparent (0/1)", "0"),
    rows::Plain("SimEnabled (0/1)", "1"),
};
static_assert(RowsMatch<TBMPButtonGraph>(kBmpButtonRows));
constexpr ElementSchema kBmpButton{.keyword = "BMPBUTTON", .rows = kBmpButtonRows};
constexpr int kBmpButtonGrid[] = {1,  2,  0,  4,  5,  6,  7,  8,  9,  10, 11, 3, 12,
                                  13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
static_assert(std::size(kBmpButtonGrid) == TBMPButtonGraph::kPropertyEnd);

constexpr const char* kButtonFace = "12632256";

// What the save dialog of a message list offers.
const QString kTextFilter = QStringLiteral("Textdateien (*.txt)|*.txt");

// The host reads these as its start, pause, stop, single-step and reset commands.
void SendHostCommand(QWidget* host, int message) {
    QEvent event(static_cast<QEvent::Type>(message));
    QCoreApplication::sendEvent(host, &event);
}

// A pressed face stays long enough for a person to see it; nobody looks headless.
void PauseForEye() {
    if (!isHeadlessPlatform()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// The program and its arguments of a command line, quotes kept together, never through a shell.
QStringList SplitCommandLine(const QString& line) { return QProcess::splitCommand(line); }

} // namespace

// --- SWITCH ---------------------------------------------------------------------------------

TSwitchGraph::TSwitchGraph(ElementContext& window)
    : TOperatingGraph(window, kSwitch, kSwitchGrid,
                      {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled, .stateAfter = kOutput},
                      kButtonFace) {
    m_quiet = true;
    UpdateOutput();
    m_quiet = false;
}

void TSwitchGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const bool on = stateOn();
        drawButton(canvas, *outlineBox(), on, CaptionPart(text(kCaption), on), kBMPFile, kBMPPosition, kFontSize);
    });
}

// In a group only the selected switch writes, so the members can share one output.
void TSwitchGraph::UpdateOutput() {
    if (!stateOn() && intValue(kGroup) >= 0) {
        repaintIfAsked();
        return;
    }
    writeOutput(stateOn(), kOnValue);
}

bool TSwitchGraph::passwordGiven() const {
    if (window().designMode()) return true;
    const PasswordPair pair = SplitPassword(text(kPassword));
    const QString& wanted = stateOn() ? pair.off : pair.on;
    if (wanted.isEmpty()) return true;
    QString typed;
    return SmallDialogs::instance().askPassword(window().controlParent(), typed) && typed == wanted;
}

void TSwitchGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (!operatedAt(x, y)) return;
    const bool on = stateOn();
    const int group = intValue(kGroup);
    // A member of a group is switched off only by another member: no password to ask for.
    if (on && group >= 0) return;
    if (!passwordGiven()) return;
    if (!on && group >= 0) {
        ElementList& list = window().elementList();
        for (int i = 0; i < list.count(); ++i) {
            auto* other = dynamic_cast<TSwitchGraph*>(list.at(i));
            if (!other || other == this || other->intValue(kGroup) != group) continue;
            other->setState(false);
        }
    }
    setState(!on);
    UpdateOutput();
}

void TSwitchGraph::DescribeOutput(QString& s) const {
    s = Keyword() + QStringLiteral(" (OUTPUT = ") + text(kOutput) + QStringLiteral(", VALUE = ") +
        QString::number(stateOn() ? 1 : 0) + QStringLiteral(")\n\r");
}

// --- BUTTON ---------------------------------------------------------------------------------

TButtonGraph::TButtonGraph(ElementContext& window)
    : TOperatingGraph(
          window, kButton, kButtonGrid,
          {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled, .stateAfter = kOutput},
          kButtonFace) {
    m_quiet = true;
    UpdateOutput();
    m_quiet = false;
}

void TButtonGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        // The commands that carry a window name or a command line after "#" never show it.
        const QString output = text(kOutput);
        const bool second =
            window().expanded() && output != QLatin1String("-9") && output != QLatin1String("-16");
        drawButton(canvas, *outlineBox(), stateOn(), CaptionPart(text(kCaption), second), kBMPFile, kBMPPosition,
                   kFontSize);
    });
}

void TButtonGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (!operatedAt(x, y)) return;
    setState(!stateOn());
    m_commandDone = false;
    UpdateOutput();
}

void TButtonGraph::MouseUp(int x, int y) {
    TGraph::MouseUp(x, y);
    if (!stateOn()) return;
    setState(false);
    UpdateOutput();
}

void TButtonGraph::UpdateOutput() {
    int n = 0;
    try {
        n = evaluateInt(kOutput);
    } catch (...) {
        repaintIfAsked();
        return;
    }
    const bool pressed = stateOn();
    switch (ButtonActionOf(n)) {
    case ButtonAction::Output:
        writeOutput(pressed, kOnValue);
        return;
    case ButtonAction::Nothing:
        break;
    case ButtonAction::SizeChange:
        repaintIfAsked();
        if (!pressed) return;
        PauseForEye();
        setState(false);
        window().requestSizeChange(this, n);
        return;
    case ButtonAction::Command:
        if (pressed && !window().designMode() && !m_commandDone) {
            m_commandDone = true;
            runCommand(n);
        }
        break;
    }
    repaintIfAsked();
}

void TButtonGraph::showReleased() {
    window().paintNow();
    PauseForEye();
    setState(false);
    window().paintNow();
}

TGraph* TButtonGraph::nearestTarget(std::initializer_list<const char*> keywords) const {
    const ElementList& list = window().elementList();
    for (int row = list.indexOf(this) - 1; row >= 0; --row) {
        TGraph* e = list.at(row);
        for (const char* keyword : keywords)
            if (e->Keyword() == QLatin1String(keyword)) return e;
    }
    return nullptr;
}

void TButtonGraph::runCommand(int code) {
    QWidget* const parent = window().controlParent();
    if (code >= -16) {
        QWidget* host = FindHostWindow();
        if (!host) return;
        switch (code) {
        case -1: SendHostCommand(host, 32522); break;
        case -2: SendHostCommand(host, 32523); break;
        case -3: SendHostCommand(host, 32524); break;
        case -4:
            // At most one single step per pause interval.
            if (window().pauseElapsed()) {
                SendHostCommand(host, 32525);
                window().startPauseTimer();
            }
            break;
        case -5: SendHostCommand(host, 32526); break;
        case -6:
            if (window().simulationRunning()) SendHostCommand(host, 32524);
            QMetaObject::invokeMethod(host, [host] { host->close(); }, Qt::QueuedConnection);
            break;
        case -7:
            showReleased();
            window().printWindow();
            break;
        case -8: window().copyWindowToClipboard(); break;
        case -9: window().showManagedWindow(CaptionPart(text(kCaption), true)); break;
        case -10:
        case -11:
        case -12:
        case -13: {
            const bool timePlot = code >= -11;
            auto* plot = dynamic_cast<TPlotGraph*>(nearestTarget({timePlot ? "YTPLOT" : "XYPLOT"}));
            if (plot && plot->master()) {
                if (code % 2 == 0) plot->master()->SaveData(parent);
                else plot->master()->PrintPlot(parent);
            }
            break;
        }
        case -14:
        case -15: {
            auto* log = dynamic_cast<TMsgListGraph*>(nearestTarget({"MSGLIST"}));
            if (log) {
                if (TGraph* head = GroupHead(window(), *log, TMsgListGraph::kGroup))
                    log = static_cast<TMsgListGraph*>(head);
            }
            if (!log) break;
            if (code == -14) {
                QString name;
                if (!window().dialogs().saveFileName(parent, {}, kTextFilter, name, QStringLiteral("txt"))) break;
                QFile file(name);
                if (!file.open(QIODevice::WriteOnly)) break;
                for (const auto& line : log->log().lines()) file.write(EncodeWindows1252(line.text + QStringLiteral("\r\n")));
            } else if (Printer::instance().setup(parent)) {
                LinePrinter& printer = LinePrinter::instance();
                if (printer.open()) {
                    for (const auto& line : log->log().lines()) printer.writeLine(line.text);
                    printer.close();
                }
            }
            break;
        }
        case -16: {
            showReleased();
            const QStringList words = SplitCommandLine(CaptionPart(text(kCaption), true));
            if (words.isEmpty()) break;
            // A configuration file must not start a program unseen.
            const MessageButton answer = window().dialogs().messageBox(
                parent, QStringLiteral("Programm starten"),
                QStringLiteral("Programm ") + words.join(QLatin1Char(' ')) + QStringLiteral(" starten?"),
                MessageIcon::Question, MessageButtons::YesNo, MessageButton::No);
            if (answer == MessageButton::Yes) window().shell().startProgram(words.first(), words.mid(1));
            break;
        }
        default: break;
        }
        // The dialogs of these commands swallow the mouse release.
        if (code <= -10 && code >= -15 && stateOn()) setState(false);
        return;
    }
    if (code == -99) {
        window().showHelp();
        if (stateOn()) setState(false);
        return;
    }
    if (code <= -100 && code >= -199) {
        ElementList& list = window().elementList();
        for (int i = 0; i < list.count(); ++i) {
            auto* edit = dynamic_cast<EditTakeover*>(list.at(i));
            if (edit && list.at(i)->Keyword() == QLatin1String("EDIT") && edit->updateMode() == -code)
                edit->takeOverText();
        }
    }
}

// --- DLGBUTTON ------------------------------------------------------------------------------

TDlgButtonGraph::TDlgButtonGraph(ElementContext& window)
    : TOperatingGraph(window, kDlgButton, kDlgButtonGrid,
                      {.x = kX, .y = kY, .w = kW, .h = kH, .simEnabled = kSimEnabled, .stateAfter = kH},
                      kButtonFace) {}

void TDlgButtonGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        drawButton(canvas, *outlineBox(), stateOn(), CaptionPart(text(kCaption), true), kBMPFile, kBMPPosition,
                   kFontSize);
    });
}

void TDlgButtonGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (!operatedAt(x, y)) return;
    setState(!stateOn());
    UpdateOutput();
}

void TDlgButtonGraph::MouseUp(int x, int y) {
    TGraph::MouseUp(x, y);
    if (!stateOn()) return;
    setState(false);
    UpdateOutput();
}

void TDlgButtonGraph::UpdateOutput() {
    if (stateOn() && !window().designMode()) {
        window().paintNow();
        setState(false);
        QString name = text(kDisplayedFile);
        QString resolved = window().findFile(name);
        if (resolved.isEmpty()) resolved = PictureFallbackPath(window(), name);
        setText(kDisplayedFile, resolved);
        const QString suffix = QFileInfo(resolved).suffix().toUpper();
        QWidget* parent = window().controlParent();
        if (!QFileInfo(resolved).isFile() || (suffix != QLatin1String("BMP") && suffix != QLatin1String("TXT"))) {
            window().dialogs().messageBox(parent, {},
                                          QStringLiteral("Datei ") + resolved +
                                              QStringLiteral(" kann nicht angezeigt werden!"),
                                          MessageIcon::Information, MessageButtons::Ok, MessageButton::Ok);
        } else if (suffix == QLatin1String("TXT")) {
            SmallDialogs::instance().showTextFile(parent, resolved);
        } else {
            SmallDialogs::instance().showPictureFile(parent, resolved);
        }
    }
    repaintIfAsked();
}

// --- BMPBUTTON ------------------------------------------------------------------------------

TBMPButtonGraph::TBMPButtonGraph(ElementContext& window)
    : TOperatingGraph(window, kBmpButton, kBmpButtonGrid,
                      {.x = kX, .y = kY, .w = kW, .h = kH, .output = kOutput, .simEnabled = kSimEnabled},
                      kButtonFace) {
    m_quiet = true;
    UpdateOutput();
    m_quiet = false;
}

void TBMPButtonGraph::Draw(Canvas& canvas) {
    drawIfVisible(canvas, [&] {
        const Rect r = *outlineBox();
        const int fill = evaluateInt(kRGBFill);
        if (fill != -1) {
            CanvasStateSaver saver(canvas);
            canvas.setBrush({fill, BrushStyle::Solid, {}});
            canvas.fillRect(r.left, r.top, r.right, r.bottom);
        }
        const int state = m_state > BmpButtonCount(intValue(kBMPCount)) ? 1 : m_state;
        const auto index = static_cast<std::size_t>(state - 1);
        DrawCentredPicture(canvas, window(), m_pictures[index], text(kBMPFile1 + state - 1),
                           intValue(kTransparent) == 1, r);
    });
}

void TBMPButtonGraph::UpdateOutput() {
    if (const int position = outputPosition()) signalTable()[position] = BmpButtonValue(text(kValues), m_state);
    repaintIfAsked();
}

void TBMPButtonGraph::MouseDown(int x, int y) {
    TGraph::MouseDown(x, y);
    if (!operatedAt(x, y)) return;
    m_state = NextBmpState(m_state, intValue(kBMPCount));
    UpdateOutput();
}

void TBMPButtonGraph::DescribeOutput(QString& s) const {
    s = Keyword() + QStringLiteral(" (OUTPUT = ") + text(kOutput) + QStringLiteral(", VALUE = ") +
        QString::number(m_state) + QStringLiteral(")\n\r");
}

void RegisterButtons() {
    RegisterElementClass<TSwitchGraph>(kSwitch);
    RegisterElementClass<TButtonGraph>(kButton);
    RegisterElementClass<TDlgButtonGraph>(kDlgButton);
    RegisterElementClass<TBMPButtonGraph>(kBmpButton);
}

} // namespace ovanto
