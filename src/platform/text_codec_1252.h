#pragma once

#include <QByteArray>
#include <QString>

namespace ovanto {

// Windows-1252, the 8-bit text of configuration files. Bytes 0x80..0x9F take
// their code page characters (the five unassigned ones stay C1 controls, so
// they round-trip); other bytes are Latin-1. Characters the code page lacks
// are written as "?".
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text);

} // namespace ovanto
