#pragma once

#include <QString>

namespace ovanto {

// At most this much of a text file is read: a file never makes us allocate without bound.
inline constexpr qint64 kMaxTextFileBytes = 4 << 20;

// A text file as UTF-8, or Windows-1252 when it is not valid UTF-8; empty
// when it cannot be read. Longer files are cut at maxBytes.
QString ReadTextFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

} // namespace ovanto
