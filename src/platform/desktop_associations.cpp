#include "platform/desktop_associations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>

#include <map>

namespace ovanto {

namespace {

using Group = std::map<QString, QString>;
using KeyFile = std::map<QString, Group>;

// The freedesktop key-file format: [Group] headers, key=value lines, # comments.
KeyFile readKeyFile(const QString& path) {
    KeyFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    Group* group = nullptr;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = &result[line.mid(1, line.size() - 2)];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (group == nullptr || equals <= 0) continue;
        // The first occurrence of a key counts.
        group->try_emplace(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return result;
}

QString valueOf(const KeyFile& keyFile, const QString& group, const QString& key) {
    const auto groupIt = keyFile.find(group);
    if (groupIt == keyFile.end()) return {};
    const auto it = groupIt->second.find(key);
    return it == groupIt->second.end() ? QString() : it->second;
}

QStringList listValue(const KeyFile& keyFile, const QString& group, const QString& key) {
    QStringList items;
    for (const QString& item : valueOf(keyFile, group, key).split(QLatin1Char(';'))) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty()) items << trimmed;
    }
    return items;
}

// One list for all spellings of a type, the canonical name first.
QStringList listValue(const KeyFile& keyFile, const QString& group, const QStringList& mimeNames) {
    QStringList items;
    for (const QString& name : mimeNames) items << listValue(keyFile, group, name);
    return items;
}

QString unescapeString(const QString& value) {
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            result += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's': result += QLatin1Char(' '); break;
        case 'n': result += QLatin1Char('\n'); break;
        case 't': result += QLatin1Char('\t'); break;
        case 'r': result += QLatin1Char('\r'); break;
        case '\\': result += QLatin1Char('\\'); break;
        default:
            // Not a string escape: leave it for the quoting rules.
            result += c;
            result += next;
        }
    }
    return result;
}

bool isFileCode(QChar code) {
    return code == QLatin1Char('f') || code == QLatin1Char('F') || code == QLatin1Char('u') ||
           code == QLatin1Char('U');
}

bool programExists(const QString& program) {
    if (QDir::isAbsolutePath(program)) return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString absoluteEnvironmentPath(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? value : fallback;
}

QStringList absoluteEnvironmentPaths(const char* name, const QStringList& fallback) {
    QStringList paths;
    for (const QString& path : qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(path)) paths << path;
    return paths.isEmpty() ? fallback : paths;
}

// Desktop ids "vendor-app.desktop" may live in a subdirectory "vendor/app.desktop".
QString findInDirectory(const QString& dir, const QString& rest) {
    const QString direct = dir + QLatin1Char('/') + rest;
    if (QFileInfo(direct).isFile()) return direct;
    for (qsizetype dash = rest.indexOf(QLatin1Char('-')); dash > 0; dash = rest.indexOf(QLatin1Char('-'), dash + 1)) {
        const QString sub = dir + QLatin1Char('/') + rest.left(dash);
        if (!QFileInfo(sub).isDir()) continue;
        const QString found = findInDirectory(sub, rest.mid(dash + 1));
        if (!found.isEmpty()) return found;
    }
    return {};
}

QStringList mimeNamesOf(const QString& mimeType) {
    QStringList names{mimeType};
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    if (type.isValid()) {
        if (!names.contains(type.name())) names << type.name();
        for (const QString& alias : type.aliases())
            if (!names.contains(alias)) names << alias;
    }
    return names;
}

} // namespace

XdgDirectories XdgDirectories::fromEnvironment() {
    const QString home = QDir::homePath();
    XdgDirectories dirs;
    dirs.configHome = absoluteEnvironmentPath("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    dirs.configDirs = absoluteEnvironmentPaths("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    dirs.dataHome = absoluteEnvironmentPath("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    dirs.dataDirs = absoluteEnvironmentPaths("XDG_DATA_DIRS",
                                             {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        dirs.currentDesktops << desktop.toLower();
    return dirs;
}

std::optional<QStringList> splitExecLine(const QString& exec) {
    const QString text = unescapeString(exec);
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < text.size() &&
                       QStringLiteral("\"`$\\").contains(text[i + 1])) {
                word += text[++i];
            } else {
                word += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return std::nullopt;
    if (inWord) words << word;
    return words;
}

QStringList expandExecArguments(const QStringList& arguments, const QStringList& files) {
    QStringList result;
    bool filesUsed = false;
    for (const QString& argument : arguments) {
        if (argument.size() == 2 && argument[0] == QLatin1Char('%') && isFileCode(argument[1])) {
            result << files;
            filesUsed = true;
            continue;
        }
        QString expanded;
        bool hadCode = false;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != QLatin1Char('%') || i + 1 >= argument.size()) {
                expanded += argument[i];
                continue;
            }
            const QChar code = argument[++i];
            if (code == QLatin1Char('%')) {
                expanded += code;
            } else {
                hadCode = true;
                if (isFileCode(code)) {
                    expanded += files.join(QLatin1Char(' '));
                    filesUsed = true;
                }
            }
        }
        // An argument that held nothing but dropped codes disappears.
        if (hadCode && expanded.isEmpty()) continue;
        result << expanded;
    }
    if (!filesUsed) result << files;
    return result;
}

DesktopAssociations::DesktopAssociations(XdgDirectories directories) : m_directories(std::move(directories)) {}

QStringList DesktopAssociations::mimeAppsLists() const {
    QStringList dirs;
    dirs << m_directories.configHome << m_directories.configDirs;
    dirs << m_directories.dataHome + QStringLiteral("/applications");
    for (const QString& dir : m_directories.dataDirs) dirs << dir + QStringLiteral("/applications");
    QStringList lists;
    for (const QString& dir : dirs) {
        if (dir.isEmpty()) continue;
        for (const QString& desktop : m_directories.currentDesktops)
            lists << dir + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list");
        lists << dir + QStringLiteral("/mimeapps.list");
    }
    return lists;
}

QStringList DesktopAssociations::applicationDirs() const {
    QStringList dirs;
    if (!m_directories.dataHome.isEmpty()) dirs << m_directories.dataHome + QStringLiteral("/applications");
    for (const QString& dir : m_directories.dataDirs)
        if (!dir.isEmpty()) dirs << dir + QStringLiteral("/applications");
    return dirs;
}

QString DesktopAssociations::desktopFilePath(const QString& desktopId) const {
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/'))) return {};
    for (const QString& dir : applicationDirs()) {
        const QString found = findInDirectory(dir, desktopId);
        if (!found.isEmpty()) return found;
    }
    return {};
}

std::optional<ProgramCommand> DesktopAssociations::desktopEntry(const QString& desktopId) const {
    const QString path = desktopFilePath(desktopId);
    if (path.isEmpty()) return std::nullopt;
    const KeyFile keyFile = readKeyFile(path);
    const QString group = QStringLiteral("Desktop Entry");
    auto value = [&](const char* key) { return valueOf(keyFile, group, QString::fromLatin1(key)); };
    if (value("Hidden") == QLatin1String("true")) return std::nullopt;
    const QString type = value("Type");
    if (!type.isEmpty() && type != QLatin1String("Application")) return std::nullopt;
    const QString tryExec = unescapeString(value("TryExec"));
    if (!tryExec.isEmpty() && !programExists(tryExec)) return std::nullopt;
    const std::optional<QStringList> words = splitExecLine(value("Exec"));
    if (!words || words->isEmpty()) return std::nullopt;
    ProgramCommand command;
    command.program = words->first();
    command.arguments = words->mid(1);
    command.workingDirectory = unescapeString(value("Path"));
    command.desktopFile = path;
    return command;
}

std::optional<ProgramCommand> DesktopAssociations::programForMimeType(const QString& mimeType) const {
    if (mimeType.isEmpty()) return std::nullopt;
    const QStringList names = mimeNamesOf(mimeType);
    std::vector<KeyFile> lists;
    for (const QString& path : mimeAppsLists())
        if (QFileInfo(path).isFile()) lists.push_back(readKeyFile(path));

    // A removal hides what the same or a less important list names.
    const QStringList groups{QStringLiteral("Default Applications"), QStringLiteral("Added Associations")};
    QSet<QString> removed;
    for (const QString& group : groups) {
        removed.clear();
        for (const KeyFile& list : lists) {
            for (const QString& id : listValue(list, QStringLiteral("Removed Associations"), names))
                removed.insert(id);
            for (const QString& id : listValue(list, group, names))
                if (!removed.contains(id))
                    if (auto command = desktopEntry(id)) return command;
        }
    }

    for (const QString& dir : applicationDirs()) {
        const KeyFile cache = readKeyFile(dir + QStringLiteral("/mimeinfo.cache"));
        for (const QString& id : listValue(cache, QStringLiteral("MIME Cache"), names))
            if (!removed.contains(id))
                if (auto command = desktopEntry(id)) return command;
    }
    return std::nullopt;
}

std::optional<ProgramCommand> DesktopAssociations::programForExtension(const QString& extension) const {
    QString suffix = extension.trimmed();
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    if (suffix.isEmpty()) return std::nullopt;
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QStringLiteral("file.") + suffix);
    for (const QMimeType& type : types)
        if (auto command = programForMimeType(type.name())) return command;
    return std::nullopt;
}

std::optional<ProgramCommand> DesktopAssociations::programForFile(const QString& path) const {
    const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(path);
    if (type.isValid() && !type.isDefault())
        if (auto command = programForMimeType(type.name())) return command;
    for (const QMimeType& candidate : database.mimeTypesForFileName(QFileInfo(path).fileName()))
        if (candidate != type)
            if (auto command = programForMimeType(candidate.name())) return command;
    return std::nullopt;
}

} // namespace ovanto
