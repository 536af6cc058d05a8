#include "host/animation_file.h"

#include "elements/core/number_text.h"
#include "elements/core/record.h"
#include "host/block_window.h"
#include "host/config_lines.h"
#include "host/config_rows.h"
#include "host/simulation_cycle.h"
#include "host/stored_geometry.h"
#include "host/window_manager.h"
#include "platform/dialogs.h"
#include "platform/module.h"
#include "platform/text_codec_1252.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <stdexcept>

namespace ovanto {
namespace {

constexpr int kExternalIOs = 200;

struct FileEnd : std::runtime_error {
    FileEnd() : std::runtime_error("unexpected end of file") {}
};

// Every number in an animation file is converted strictly: a bad one ends the read.
class FileReader {
public:
    explicit FileReader(QByteArray bytes) : m_lines(std::move(bytes)) {}

    bool tryLine(QByteArray& line) { return m_lines.next(line); }
    QByteArray line() {
        QByteArray l;
        if (!m_lines.next(l)) throw FileEnd{};
        return l;
    }
    QString text() { return DecodeWindows1252(line()); }
    int integer() { return StrictInt(line()); }
    bool flag() { return StrictFlag(line()); }
    long double number() { return StrictFloat(line()); }

private:
    BufferLineReader m_lines;
};

// "value comment": the number up to the first blank after it, the comment
// after that one blank (the positive float form starts with a blank of its own).
void splitConstantLine(const QByteArray& line, long double& value, QString& comment) {
    qsizetype start = 0;
    while (start < line.size() && line[start] == ' ') ++start;
    const qsizetype blank = line.indexOf(' ', start);
    value = StrictFloat(blank < 0 ? line.mid(start) : line.mid(start, blank - start));
    comment = blank < 0 ? QString() : DecodeWindows1252(line.mid(blank + 1));
}

bool isSizeable(BorderStyle style) { return style == BorderStyle::Sizeable || style == BorderStyle::SizeToolWindow; }

void readRows(FileReader& in, BlockWindow& window, const QString& path, bool& dropped) {
    BlockConfiguration& config = window.configuration();
    WindowOptions& options = window.options();
    SignalTable& table = window.signalTable();

    const int version = in.integer();
    SetRecordVersion(version);
    options.Caption = in.text();
    window.applyCaption();
    const int recordCount = in.integer();
    for (int i = 0; i < recordCount; ++i) {
        const QByteArray record = in.line();
        if (record.contains('\t')) ReadRecordLine(window.elementContext(), record, path, i + 1, dropped);
    }

    options.Border = in.integer() == 1 ? BorderStyle::Single : BorderStyle::Sizeable;
    window.applyBorderStyle();

    ReadInputRows(in, config, version);
    options.BackgroundColor = in.integer();
    window.applyBackground();

    ReadCounterRows(in, config, version);
    if (version > 93) {
        const int border = in.integer();
        const int width = in.integer();
        const int height = in.integer();
        if (border >= 0 && border <= 5) options.Border = static_cast<BorderStyle>(border);
        window.applyBorderStyle();
        const QPoint at = window.frameGeometry().topLeft();
        window.setFrameGeometry(StoredWindowRect(at.x(), at.y(), width, height));
    }
    if (version > 99) ReadOutputRows(in, config);
    if (version > 170) config.RefreshInterval = in.integer();
    if (version > 267) config.StaticContent = in.flag();
    // Help entry, centring and maximising are only stored; the dialog applies them.
    if (version > 287) {
        options.HelpMenu = in.flag();
        options.HelpFile = in.text();
        options.CenterWindow = in.flag();
        if (version > 359) options.AlwaysMaximized = in.flag();
        if (version > 303) options.Expanded = in.flag();
    }
    if (version > 298)
        for (int j = 0; j < kConstantCount; ++j)
            splitConstantLine(in.line(), table[signal_pos::kFirstConstant + j],
                              config.ConstantComments[static_cast<std::size_t>(j)]);
    ReadControlRows(in, config, version);
    if (version > 343) options.ActivateOnKeyMessage = in.flag();
    if (version > 344) config.AlwaysOnTop = in.flag();
    if (version > 345) options.WindowManager = in.flag();
    if (version > 386) options.PixelFormat = in.integer();
    if (version > 431) {
        // Files of this program end here; a count above 0 may bring values.
        const int count = in.integer();
        config.SaveExternalIOs = count > 0;
        QByteArray line;
        for (int k = 0; k < count && in.tryLine(line); ++k)
            if (k < kExternalIOs) table[signal_pos::kFirstExternal + k] = LenientFloat(line);
    }
}

} // namespace

bool LoadConfiguration(const QString& path, BlockWindow& window, bool* readToEnd) {
    if (readToEnd) *readToEnd = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = file.readAll();
    const bool readable = file.error() == QFileDevice::NoError;
    file.close();
    if (!readable) return false;

    window.clearElements();
    RecordVersionScope versionScope;
    FileReader in(std::move(bytes));
    bool dropped = false;
    try {
        readRows(in, window, path, dropped);
    } catch (const std::exception&) {
        return false;
    }
    if (readToEnd) *readToEnd = true;
    return !dropped;
}

bool SaveConfiguration(const QString& path, BlockWindow& window) {
    const BlockConfiguration& config = window.configuration();
    const WindowOptions& options = window.options();
    const SignalTable& table = window.signalTable();
    ConfigLineWriter out;

    out.integer(Module::recordVersion());
    out.text(options.Caption);
    out.integer(window.elementCount());
    for (int i = 0; i < window.elementCount(); ++i) out.text(WriteRecord(*window.elementAt(i)));
    out.flag(!isSizeable(options.Border));

    WriteInputRows(out, config);
    out.integer(options.BackgroundColor);
    WriteCounterRows(out, config);
    const QRect frame = window.frameGeometry();
    out.integer(static_cast<int>(options.Border));
    out.integer(frame.width());
    out.integer(frame.height());
    WriteOutputRows(out, config);
    WriteWindowRows(out, config, options);
    for (int j = 0; j < kConstantCount; ++j)
        out.text(FloatToFileText(table[signal_pos::kFirstConstant + j]) + QLatin1Char(' ') +
                 config.ConstantComments[static_cast<std::size_t>(j)]);
    WriteControlRows(out, config, options);
    out.flag(options.WindowManager);
    out.integer(options.PixelFormat);
    out.flag(config.SaveExternalIOs);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(out.bytes()) != out.bytes().size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void LoadQEVFile(BlockWindow& window, const QString& path) {
    bool readToEnd = false;
    if (!LoadConfiguration(path, window, &readToEnd))
        Dialogs::instance().showError(window.widget(), QStringLiteral("Fehler beim Öffnen der Datei!"));
    if (readToEnd) {
        WindowManager& manager = WindowManager::instance();
        QWidget* self = window.widget();
        manager.AddQEVForm(self);
        if (window.options().WindowManager) {
            manager.InitQEVManager(window.hostWindowHandle());
            manager.AddQEVFormMan(self);
            manager.SetQEVFormCaption(self);
        }
    }
    UpdateOutputsWithoutRepaint(window);
    window.paintNow();
}

} // namespace ovanto
