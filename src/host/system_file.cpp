#include "host/system_file.h"

#include "elements/core/record.h"
#include "elements/core/tgraph.h"
#include "host/block_window.h"
#include "host/config_lines.h"
#include "host/config_rows.h"
#include "host/simulation_cycle.h"
#include "host/stored_geometry.h"
#include "host/window_manager.h"
#include "platform/module.h"
#include "platform/text_codec_1252.h"

#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <unistd.h>
#include <vector>

namespace ovanto {
namespace {

constexpr int kExternalIOs = 200;

// The section ended before the row that was asked for.
struct SectionEnd {};

class SectionReader {
public:
    explicit SectionReader(int fd) : m_lines(fd) {}

    QByteArray line() {
        QByteArray l;
        if (!m_lines.next(l)) throw SectionEnd{};
        return l;
    }
    QString text() { return DecodeWindows1252(line()); }
    int integer() { return LenientInt(line()); }
    bool flag() { return LenientFlag(line()); }
    long double number() { return LenientFloat(line()); }
    int strictInt() { return StrictInt(line()); }

private:
    DescriptorLineReader m_lines;
};

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC; // nothing taken and no reason given
        if (n <= 0) return false;
        p += n;
        left -= n;
    }
    return true;
}

// The manager window's rectangle as stored: right and bottom are exclusive edges.
struct StoredRect {
    long long left = 0, top = 0, right = 0, bottom = 0;
};

// Reads the rows in order, applying each as it comes.
void readRows(SectionReader& in, BlockWindow& window, StoredRect& managerRect) {
    BlockConfiguration& config = window.configuration();
    WindowOptions& options = window.options();
    SignalTable& table = window.signalTable();

    const int version = in.strictInt();
    SetRecordVersion(version);
    const QString caption = in.text();
    const int recordCount = in.integer();
    std::vector<QByteArray> pendingRecords;
    for (int i = 0; i < recordCount; ++i) pendingRecords.push_back(in.line());

    const int left = in.integer();
    const int top = in.integer();
    const int width = in.integer();
    const int height = in.integer();
    window.setFrameGeometry(StoredWindowRect(left, top, width, height));
    options.Caption = caption;
    window.applyCaption();
    const int state = in.integer();
    window.setWindowState(state >= 0 && state <= 2 ? static_cast<WindowState>(state) : WindowState::Normal);
    const int border = in.integer();
    if (border >= 0 && border <= 5) options.Border = static_cast<BorderStyle>(border);
    window.applyBorderStyle();

    // Counts beyond 50 still have their lines in the file; only 50 are kept.
    const int inputLines = ReadInputRows(in, config, version);
    options.BackgroundColor = in.integer();
    window.applyBackground();

    // Records become elements only now, after the settings they may depend on.
    bool dropped = false;
    for (std::size_t i = 0; i < pendingRecords.size(); ++i) {
        if (!pendingRecords[i].contains('\t')) continue;
        if (TGraph* element = ReadRecordLine(window.elementContext(), pendingRecords[i],
                                             QStringLiteral("system file"), static_cast<int>(i) + 1, dropped))
            element->UpdateOutput();
    }

    ReadCounterRows(in, config, version);
    if (version > 99) ReadOutputRows(in, config);
    if (version > 170) config.RefreshInterval = in.integer();
    if (version > 267) config.StaticContent = in.flag();
    if (version > 287) {
        options.HelpMenu = in.flag();
        window.applyHelpMenu();
        options.HelpFile = in.text();
        options.CenterWindow = in.flag();
        if (options.CenterWindow) {
            const QRect frame = window.frameGeometry();
            const QRect screen = window.screenGeometry();
            window.setFrameGeometry(StoredWindowRect((0LL + screen.width() - frame.width()) / 2,
                                                     (0LL + screen.height() - frame.height()) / 2, frame.width(),
                                                     frame.height()));
        }
        if (version > 359) {
            options.AlwaysMaximized = in.flag();
            if (options.AlwaysMaximized) window.setWindowState(WindowState::Maximized);
        }
        if (version > 303) options.Expanded = in.flag();
    }
    if (version > 297)
        for (int k = 0; k < inputLines; ++k) {
            const long double value = in.number();
            if (k < kMaxInputs) table[1 + k] = value;
        }
    if (version > 298)
        for (int j = 0; j < kConstantCount; ++j) {
            table[signal_pos::kFirstConstant + j] = in.number();
            config.ConstantComments[static_cast<std::size_t>(j)] = in.text();
        }
    ReadControlRows(in, config, version);
    if (version > 341) {
        if (config.VisibleBeforeSimulation)
            window.showWindow();
        else
            window.hideWindow();
    }
    if (version > 343) options.ActivateOnKeyMessage = in.flag();
    if (version > 344) config.AlwaysOnTop = in.flag();
    if (version > 345) {
        options.WindowManager = in.flag();
        in.line(); // manager window present: the rectangle below says enough
        managerRect.left = in.integer();
        managerRect.top = in.integer();
        managerRect.right = in.integer();
        managerRect.bottom = in.integer();
        WindowManager::instance().SetQEVManFormState(static_cast<uint8_t>(in.integer() & 0x7F));
    }
    if (version > 386) options.PixelFormat = in.strictInt();
    if (version > 431) {
        const int count = in.strictInt();
        config.SaveExternalIOs = count > 0;
        for (int k = 0; k < count; ++k) {
            const long double value = in.number();
            if (k < kExternalIOs) table[signal_pos::kFirstExternal + k] = value;
        }
    }
}

} // namespace

bool WriteSystemSection(int fd, BlockWindow& window) {
    const BlockConfiguration& config = window.configuration();
    const WindowOptions& options = window.options();
    const SignalTable& table = window.signalTable();
    ConfigLineWriter out;

    out.integer(Module::recordVersion());
    out.text(options.Caption);
    out.integer(window.elementCount());
    for (int i = 0; i < window.elementCount(); ++i)
        out.text(WriteRecord(*window.elementAt(i)), DescriptorLineReader::kMaxLine);

    const QRect frame = window.frameGeometry();
    out.integer(frame.left());
    out.integer(frame.top());
    out.integer(frame.width());
    out.integer(frame.height());
    out.integer(static_cast<int>(window.windowState()));
    out.integer(static_cast<int>(options.Border));

    WriteInputRows(out, config);
    out.integer(options.BackgroundColor);
    WriteCounterRows(out, config);
    WriteOutputRows(out, config);
    WriteWindowRows(out, config, options);
    const int inputs = std::clamp(config.InputCount, 0, kMaxInputs);
    for (int k = 0; k < inputs; ++k) out.number(table[1 + k]);
    for (int j = 0; j < kConstantCount; ++j) {
        out.number(table[signal_pos::kFirstConstant + j]);
        out.text(config.ConstantComments[static_cast<std::size_t>(j)]);
    }
    WriteControlRows(out, config, options);

    WindowManager& manager = WindowManager::instance();
    out.flag(options.WindowManager);
    QWidget* managerWindow = manager.GetQEVManForm();
    out.flag(managerWindow != nullptr);
    // The client rectangle, as the reader applies it: a frame stored and applied
    // as a client grew the window by its frame at every save. Right and bottom
    // are exclusive edges (left + width).
    const QRect r = managerWindow ? managerWindow->geometry() : QRect();
    out.integer(managerWindow ? r.left() : 0);
    out.integer(managerWindow ? r.top() : 0);
    out.integer(managerWindow ? r.left() + r.width() : 0);
    out.integer(managerWindow ? r.top() + r.height() : 0);
    out.integer(manager.GetQEVManFormState() & 0x7F);
    out.integer(options.PixelFormat);
    out.integer(config.SaveExternalIOs ? kExternalIOs : 0);
    if (config.SaveExternalIOs)
        for (int k = 0; k < kExternalIOs; ++k) out.number(table[signal_pos::kFirstExternal + k]);

    return writeAll(fd, out.bytes());
}

bool ReadSystemSection(int fd, BlockWindow& window) {
    RecordVersionScope versionScope;
    SectionReader in(fd);
    StoredRect managerRect;
    bool complete = true;
    bool failed = false;
    try {
        readRows(in, window, managerRect);
    } catch (const SectionEnd&) {
        // The end of the file ends the reading; rows not reached keep their defaults.
        complete = false;
    } catch (const std::exception&) {
        complete = false;
        failed = true;
    }

    if (!failed) {
        WindowManager& manager = WindowManager::instance();
        QWidget* self = window.widget();
        manager.AddQEVForm(self);
        if (window.options().WindowManager) {
            manager.InitQEVManager(window.hostWindowHandle());
            if (managerRect.right != managerRect.left) {
                if (QWidget* managerWindow = manager.GetQEVManForm())
                    managerWindow->setGeometry(StoredWindowRect(managerRect.left, managerRect.top,
                                                                managerRect.right - managerRect.left,
                                                                managerRect.bottom - managerRect.top));
            }
            manager.AddQEVFormMan(self);
            manager.SetQEVFormCaption(self);
        }
    }
    UpdateOutputsWithoutRepaint(window);
    return complete;
}

} // namespace ovanto
