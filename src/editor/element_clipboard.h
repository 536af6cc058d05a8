#pragma once

#include <QString>
#include <QStringList>

namespace ovanto {

// "QEV.TMP": the record version on the first line, then one element record a
// line. It outlives the dialog and the process, so elements travel between
// block instances and host runs.
QString ElementClipboardPath();

// Replaces the file in one step; false when it could not be written, and then
// the elements copied before stay pasteable.
bool WriteElementClipboard(const QString& path, int recordVersion, const QStringList& records);

struct ClipboardContent {
    bool exists = false;
    bool empty = false;     // nothing but white space
    bool readable = false;  // a first line that is a version number
    int version = 0;
    QStringList records;    // lines with a keyword and a TAB
    int skippedLines = 0;   // lines that cannot be a record, and records past the limit
};

// At most this many records are taken from one file.
constexpr int kMaxClipboardRecords = 20000;

ClipboardContent ReadElementClipboard(const QString& path);

} // namespace ovanto
