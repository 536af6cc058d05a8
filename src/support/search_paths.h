#pragma once

#include <QString>
#include <QStringList>

namespace ovanto {

class SettingsStore;

// The process-wide list of directories in which external files are looked
// for by their bare name when their stored path does not exist.

inline constexpr const char* kHostSearchPathsKey = "Software\\Halvoran\\Tarvik 98";
inline constexpr const char* kHostSearchPathsSubkey = "VELOR";
inline constexpr const char* kOwnSearchPathsKey = "Software\\Halvoran";
inline constexpr const char* kOwnSearchPathsSubkey = "QEV";

// Replaces the list with the values "Path 1".."Path n" of the key
// rootKeyPath\subkeyName\"Search Paths", n being the number of values there;
// missing and empty values are skipped. The root key and the subkey are
// created when missing.
void LoadSearchPaths(const QString& rootKeyPath, const QString& subkeyName);
void LoadSearchPaths(SettingsStore& store, const QString& rootKeyPath, const QString& subkeyName);

// True when fileName names an existing file as given, or when a search
// directory holds a file of its bare name (the part after the last "\" or
// "/"); then fileName becomes that path. Names with "*" are never resolved.
bool FindFile(QString& fileName);

// The current list; loaded from the host's key on first use.
QStringList SearchPaths();

// Reference-counted set-up and tear-down for library load and unload: the
// first InitSearchPaths loads the host's search paths, the last
// FiniSearchPaths empties the list (the next use loads it again).
void InitSearchPaths();
void FiniSearchPaths();

} // namespace ovanto
