#pragma once

#include <QSize>
#include <QString>

namespace ovanto {
class TForm1;
}

// Reads FILE into the window: an animation file (.qev) through the
// persistence code, or an element list (the record version on the first line,
// then one record per line, UTF-8 or Windows-1252). Bad records are reported
// on stderr and skipped. False with a message when the file is unusable.
bool LoadIntoWindow(ovanto::TForm1& form, const QString& path, QString& error);

// "WxH" with both sides in 1..16384.
bool ParseSize(const char* text, QSize& size);

// What a user sees in the client area: the off-screen picture with the
// window's child controls drawn over it.
bool SaveClientPicture(ovanto::TForm1& form, const QString& path);
