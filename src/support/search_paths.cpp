#include "support/search_paths.h"

#include "platform/settings_store.h"

#include <QFileInfo>

namespace ovanto {
namespace {

struct SearchPathState {
    QStringList directories;
    bool loaded = false;
    int references = 0;
};

SearchPathState& state() {
    static SearchPathState s;
    return s;
}

void ensureLoaded() {
    if (!state().loaded)
        LoadSearchPaths(QString::fromLatin1(kHostSearchPathsKey),
                        QString::fromLatin1(kHostSearchPathsSubkey));
}

bool isExistingFile(const QString& name) {
    const QFileInfo info(name);
    return info.exists() && !info.isDir();
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

void LoadSearchPaths(const QString& rootKeyPath, const QString& subkeyName) {
    LoadSearchPaths(SettingsStore::current(), rootKeyPath, subkeyName);
}

void LoadSearchPaths(SettingsStore& store, const QString& rootKeyPath, const QString& subkeyName) {
    SearchPathState& s = state();
    s.directories.clear();
    s.loaded = true;
    const QString subkey = SettingsStore::joinKey(rootKeyPath, subkeyName);
    store.createKey(rootKeyPath);
    store.createKey(subkey);
    const QString key = SettingsStore::joinKey(subkey, QStringLiteral("Search Paths"));
    // Only "Path 1".."Path n" count, n being the number of values: a gap hides the highest paths.
    const qsizetype count = store.valueNames(key).size();
    for (qsizetype k = 1; k <= count; ++k) {
        const QString directory = store.readString(key, QStringLiteral("Path %1").arg(k));
        if (!directory.isEmpty()) s.directories.append(directory);
    }
}

bool FindFile(QString& fileName) {
    if (fileName.contains(QLatin1Char('*'))) return false;
    if (isExistingFile(fileName)) return true;
    ensureLoaded();

    qsizetype cut = fileName.size();
    while (cut > 0 && !isSeparator(fileName[cut - 1]))
        --cut;
    const QString bareName = fileName.mid(cut);
    if (bareName.isEmpty()) return false;

    for (const QString& directory : state().directories) {
        // Stored directories may end with either separator; join them with exactly one "/".
        const bool endsWithSeparator = !directory.isEmpty() && isSeparator(directory.back());
        const QString candidate =
            (endsWithSeparator ? directory.chopped(1) : directory) + QLatin1Char('/') + bareName;
        if (isExistingFile(candidate)) {
            fileName = candidate;
            return true;
        }
    }
    return false;
}

QStringList SearchPaths() {
    ensureLoaded();
    return state().directories;
}

void InitSearchPaths() {
    if (state().references++ == 0)
        LoadSearchPaths(QString::fromLatin1(kHostSearchPathsKey),
                        QString::fromLatin1(kHostSearchPathsSubkey));
}

void FiniSearchPaths() {
    SearchPathState& s = state();
    if (s.references == 0) return;
    if (--s.references == 0) {
        s.directories.clear();
        s.loaded = false;
    }
}

} // namespace ovanto
