#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace ovanto::testing {

// Runs `qevtool simulate` on a file and returns its printed "NAME VALUE" pairs
// on one line, or "failed: " and the tool's error output.
inline QString SimulateAndPrint(const QString& file, const char* size, const QStringList& actions, const QString& print) {
    QStringList arguments{"simulate", file, "--size", QString::fromLatin1(size)};
    for (const QString& a : actions) arguments << "--do" << a;
    arguments << "--print" << print;
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), arguments);
    if (!tool.waitForFinished(120000) || tool.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(tool.readAllStandardError());
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed().replace('\n', ' ');
}

} // namespace ovanto::testing
