#include "platform/help_viewers.h"

#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QFileInfo>

namespace ovanto {

namespace {

bool startForExtension(const QString& extension, const QStringList& parameters, const QString& failure,
                       QWidget* parent) {
    Shell& shell = Shell::instance();
    const std::optional<ProgramCommand> command = shell.programForExtension(extension);
    if (command && shell.startCommand(*command, parameters)) return true;
    Dialogs::instance().showError(parent, failure);
    return false;
}

} // namespace

bool ShowHtml(const QString& document, QWidget* parent) {
    return startForExtension(QStringLiteral(".htm"), {document}, QStringLiteral("HTML-Browser nicht gefunden!"),
                             parent);
}

bool ShowChm(const QString& file, int topic, QWidget* parent) {
    const QStringList parameters =
        topic >= 0 ? QStringList{QStringLiteral("-mapid"), QString::number(topic), file} : QStringList{file};
    return startForExtension(QStringLiteral(".chm"), parameters,
                             QStringLiteral("Anzeigeprogramm für CHM-Dateien nicht gefunden!"), parent);
}

bool OpenWithProgram(const QString& file, QWidget* parent) {
    return startForExtension(openWithExtension(file), {file},
                             QStringLiteral("Anzeigeprogramm Datei ") + file + QStringLiteral(" nicht gefunden!"),
                             parent);
}

QString openWithExtension(const QString& file) {
    // From the bare name: a dot in a directory name is not an extension.
    const QString name = QFileInfo(file).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0) return {};
    return name.mid(dot, 10);
}

} // namespace ovanto
