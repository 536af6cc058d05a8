#include "platform/shell.h"

#include <QProcess>
#include <QStandardPaths>

namespace ovanto {

bool startDetachedProcess(const StartRequest& request) {
    return QProcess::startDetached(request.program, request.arguments, request.workingDirectory);
}

Shell::Shell() : Shell(DesktopAssociations(), startDetachedProcess) {}

Shell::Shell(DesktopAssociations associations, ProcessStarter starter)
    : m_associations(std::move(associations)), m_starter(std::move(starter)) {}

bool Shell::startProgram(const QString& program, const QStringList& arguments, const QString& workingDirectory) {
    if (program.isEmpty() || !m_starter) return false;
    return m_starter(StartRequest{program, arguments, workingDirectory});
}

bool Shell::openDocument(const QString& path) {
    if (path.isEmpty()) return false;
    if (const auto command = m_associations.programForFile(path)) return startCommand(*command, {path});
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && startProgram(opener, {path});
}

std::optional<ProgramCommand> Shell::programForExtension(const QString& extension) const {
    return m_associations.programForExtension(extension);
}

bool Shell::startCommand(const ProgramCommand& command, const QStringList& parameters) {
    return startProgram(command.program, expandExecArguments(command.arguments, parameters),
                        command.workingDirectory);
}

Shell& Shell::instance() {
    if (Shell* shell = installed()) return *shell;
    static Shell systemShell;
    return systemShell;
}

} // namespace ovanto
