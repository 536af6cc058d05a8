#pragma once

#include "elements/core/element_context.h"
#include "elements/core/record.h"
#include "platform/text_codec_1252.h"

#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace ovanto::testing {

// Reads examples/<name> into the window: the record version on the first line,
// then one record per line, UTF-8 or Windows-1252. Every record must create an element.
inline void LoadExampleList(ElementContext& window, const char* name) {
    QFile file(QStringLiteral(OVANTO_SOURCE_DIR "/examples/") + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = DecodeWindows1252(bytes);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    bool versionRead = false;
    const int version = lines.front().trimmed().toInt(&versionRead);
    ASSERT_TRUE(versionRead) << name;
    RecordVersionScope scope;
    SetRecordVersion(version);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        ASSERT_NE(ReadRecord(window, lines[i]), nullptr) << name << ":" << i + 1;
    }
}

} // namespace ovanto::testing
