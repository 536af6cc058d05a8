#include "editor/element_clipboard.h"

#include "platform/text_codec_1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace ovanto {
namespace {

// A clipboard file far beyond anything a person copies is not read at all.
constexpr qint64 kMaxClipboardBytes = 64 * 1024 * 1024;

} // namespace

QString ElementClipboardPath() { return QDir(QDir::tempPath()).filePath(QStringLiteral("QEV.TMP")); }

bool WriteElementClipboard(const QString& path, int recordVersion, const QStringList& records) {
    QByteArray bytes = QByteArray::number(recordVersion) + "\r\n";
    for (const QString& record : records) {
        QString line = record;
        line.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        bytes += EncodeWindows1252(line) + "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

ClipboardContent ReadElementClipboard(const QString& path) {
    ClipboardContent content;
    QFile file(path);
    if (!file.exists()) return content;
    content.exists = true;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxClipboardBytes) return content;
    const QByteArray bytes = file.read(kMaxClipboardBytes);
    content.empty = bytes.trimmed().isEmpty();
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    if (lines.isEmpty()) return content;
    bool ok = false;
    content.version = lines.first().trimmed().toInt(&ok);
    if (!ok || content.version < 0) return content;
    content.readable = true;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.isEmpty() && i == lines.size() - 1) break; // the end of the last line
        if (!line.contains('\t') || line.startsWith('\t') || content.records.size() >= kMaxClipboardRecords) {
            ++content.skippedLines;
            continue;
        }
        content.records << DecodeWindows1252(line);
    }
    return content;
}

} // namespace ovanto
