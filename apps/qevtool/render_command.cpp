#include "commands.h"

#include "elements/core/element_registry.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/formula/variable_names.h"
#include "elements/core/record.h"
#include "window/tform1.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace ovanto;

// Bytes 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString decodeListFile(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

bool parseSize(const char* text, QSize& size) {
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 || w > 16384 || h > 16384) return false;
    size = QSize(w, h);
    return true;
}

// A TColor as stored (decimal, 0x00BBGGRR) or "#RRGGBB".
bool parseColour(const char* text, int& colour) {
    const QString s = QString::fromUtf8(text);
    bool ok = false;
    if (s.startsWith(QLatin1Char('#')) && s.size() == 7) {
        const uint rgb = s.mid(1).toUInt(&ok, 16);
        colour = static_cast<int>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
        return ok;
    }
    colour = s.toInt(&ok);
    return ok && colour >= 0 && colour <= 0xFFFFFF;
}

int fail(const char* message, const char* detail = "") {
    std::fprintf(stderr, "qevtool render: %s%s\n", message, detail);
    return 2;
}

// Loads an element list: the record version, then one record per line.
// Returns false when the file cannot be read; bad records are reported and skipped.
bool loadElementList(TForm1& form, const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read ") + path;
        return false;
    }
    const QString text = decodeListFile(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    int version = 0;
    if (lines.isEmpty() || !TryParseInt(lines.front().toStdString(), version)) {
        error = path + QStringLiteral(": the first line must be the record version");
        return false;
    }
    const int previousVersion = RecordVersion();
    SetRecordVersion(version);
    for (qsizetype n = 1; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.trimmed().isEmpty()) continue;
        try {
            if (!ReadRecord(form, line))
                std::fprintf(stderr, "%s:%lld: skipped, unknown element '%s'\n", qPrintable(path),
                             static_cast<long long>(n + 1), qPrintable(line.section(QLatin1Char('\t'), 0, 0)));
        } catch (const ConversionError& e) {
            std::fprintf(stderr, "%s:%lld: %s\n", qPrintable(path), static_cast<long long>(n + 1), e.what());
        }
    }
    SetRecordVersion(previousVersion);
    return true;
}

} // namespace

int runRenderCommand(int argc, char** argv) {
    const char* input = nullptr;
    const char* output = nullptr;
    QSize size;
    bool design = false;
    int background = -1;
    std::vector<std::pair<int, long double>> sets;

    for (int k = 0; k < argc; ++k) {
        const char* arg = argv[k];
        const bool hasValue = k + 1 < argc;
        if (std::strcmp(arg, "-o") == 0 && hasValue) {
            output = argv[++k];
        } else if (std::strcmp(arg, "--size") == 0 && hasValue) {
            if (!parseSize(argv[++k], size)) return fail("bad size, expected WxH: ", argv[k]);
        } else if (std::strcmp(arg, "--set") == 0 && hasValue) {
            const std::string assignment = argv[++k];
            const std::size_t equals = assignment.find('=');
            const int position = equals == std::string::npos ? 0 : LookupVariable(assignment.substr(0, equals));
            long double value = 0;
            if (position == 0 || !TryParseFloat(assignment.substr(equals + 1), value))
                return fail("bad --set, expected NAME=VALUE: ", argv[k]);
            sets.emplace_back(position, value);
        } else if (std::strcmp(arg, "--design") == 0) {
            design = true;
        } else if (std::strcmp(arg, "--background") == 0 && hasValue) {
            if (!parseColour(argv[++k], background)) return fail("bad colour: ", argv[k]);
        } else if (arg[0] != '-' && !input) {
            input = arg;
        } else {
            return fail("unexpected argument: ", arg);
        }
    }
    if (!input || !output)
        return fail("usage: qevtool render FILE -o OUT.png [--size WxH] [--set NAME=VALUE ...] [--design] "
                    "[--background COLOUR]");
    const QString path = QString::fromLocal8Bit(input);
    if (QFileInfo(path).suffix().compare(QStringLiteral("qev"), Qt::CaseInsensitive) == 0)
        return fail("animation files are not readable yet: ", input);

    TForm1 form;
    QString error;
    if (!loadElementList(form, path, error)) return fail(qPrintable(error));
    if (size.isValid()) form.setClientSize(size);
    if (background >= 0) form.options().BackgroundColor = background;
    for (const auto& [position, value] : sets) form.signalTable()[position] = value;
    form.setDesignMode(design);
    form.UpdateOutputs();
    if (!form.renderToImage().save(QString::fromLocal8Bit(output), "PNG")) return fail("cannot write ", output);
    return 0;
}
