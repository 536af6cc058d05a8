#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ovanto {

// The freedesktop base directories that the association lookup reads.
struct XdgDirectories {
    QString configHome;
    QStringList configDirs;
    QString dataHome;
    QStringList dataDirs;
    // XDG_CURRENT_DESKTOP in lower case, for "<desktop>-mimeapps.list".
    QStringList currentDesktops;

    static XdgDirectories fromEnvironment();
};

// A program as a desktop entry describes it. `arguments` may still hold the
// field codes (%f, %U, ...) that expandExecArguments fills in.
struct ProgramCommand {
    QString program;
    QStringList arguments;
    QString workingDirectory;
    QString desktopFile;

    bool operator==(const ProgramCommand&) const = default;
};

// Splits an Exec value as written in a desktop file: first the string
// escapes (\s \n \t \r \\), then the quoting rules (double quotes, inside them
// \" \` \$ \\). Returns nullopt for an unterminated quote.
std::optional<QStringList> splitExecLine(const QString& exec);

// Puts `files` in place of the file field codes: a lone %f %F %u %U becomes
// one argument per file; inside a longer argument they become the files
// joined by blanks. %i %c %k and the deprecated codes are dropped, %% is a
// percent sign. Without any file code the files are appended, so the program
// still receives the document.
QStringList expandExecArguments(const QStringList& arguments, const QStringList& files);

// Which program opens a file type: mimeapps.list [Default Applications] and
// [Added Associations] minus [Removed Associations] in the configuration and
// data directories, then mimeinfo.cache.
class DesktopAssociations {
public:
    explicit DesktopAssociations(XdgDirectories directories = XdgDirectories::fromEnvironment());

    std::optional<ProgramCommand> programForMimeType(const QString& mimeType) const;
    // `extension` with or without the leading dot (".htm", "tar.gz").
    std::optional<ProgramCommand> programForExtension(const QString& extension) const;
    // By the file's name and, when it exists, its contents.
    std::optional<ProgramCommand> programForFile(const QString& path) const;
    // The command of an installed, valid desktop entry ("firefox.desktop").
    std::optional<ProgramCommand> desktopEntry(const QString& desktopId) const;

    const XdgDirectories& directories() const { return m_directories; }

private:
    QStringList mimeAppsLists() const;
    QStringList applicationDirs() const;
    QString desktopFilePath(const QString& desktopId) const;

    XdgDirectories m_directories;
};

} // namespace ovanto
