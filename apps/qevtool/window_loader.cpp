#include "window_loader.h"

#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/record.h"
#include "host/animation_file.h"
#include "platform/text_codec_1252.h"
#include "window/tform1.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

namespace {

using namespace ovanto;

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString decodeListFile(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeWindows1252(bytes) : text;
}

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
    RecordVersionScope scope;
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
    return true;
}

} // namespace

bool LoadIntoWindow(TForm1& form, const QString& path, QString& error) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("qev"), Qt::CaseInsensitive) != 0)
        return loadElementList(form, path, error);
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("cannot read ") + path;
        return false;
    }
    // A damaged file is still shown as far as it could be read, as a block would.
    if (!LoadConfiguration(path, form))
        std::fprintf(stderr, "%s: the file could not be read completely\n", qPrintable(path));
    return true;
}

bool ParseSize(const char* text, QSize& size) {
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 || w > 16384 || h > 16384) return false;
    size = QSize(w, h);
    return true;
}

bool SaveClientPicture(TForm1& form, const QString& path) { return form.grabClientArea().save(path, "PNG"); }
