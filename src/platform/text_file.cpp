#include "platform/text_file.h"

#include "platform/text_codec_1252.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace ovanto {

QString ReadTextFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.read(std::max<qint64>(0, maxBytes));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    // A cut inside a multi-byte character is no reason to give up UTF-8.
    if (utf8.hasError()) text = DecodeWindows1252(bytes);
    return text;
}

} // namespace ovanto
