#pragma once

#include "platform/desktop_associations.h"
#include "platform/injectable.h"

#include <functional>

namespace ovanto {

struct StartRequest {
    QString program;
    QStringList arguments;
    QString workingDirectory;

    bool operator==(const StartRequest&) const = default;
};

// Starts a process and reports whether it started.
using ProcessStarter = std::function<bool(const StartRequest&)>;

// The real start: detached, arguments passed as they are, never through a shell.
bool startDetachedProcess(const StartRequest& request);

// Starting programs and opening documents with the program the desktop
// associates with their type.
class Shell : public Injectable<Shell> {
public:
    Shell();
    Shell(DesktopAssociations associations, ProcessStarter starter);
    virtual ~Shell() = default;

    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory = {});
    // With the associated program, or xdg-open when the type has none.
    virtual bool openDocument(const QString& path);
    virtual std::optional<ProgramCommand> programForExtension(const QString& extension) const;

    // Starts `command` with `parameters` in place of its file field codes.
    bool startCommand(const ProgramCommand& command, const QStringList& parameters);

    const DesktopAssociations& associations() const { return m_associations; }

    static Shell& instance();

private:
    DesktopAssociations m_associations;
    ProcessStarter m_starter;
};

} // namespace ovanto
