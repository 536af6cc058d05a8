#pragma once

#include <QString>
#include <QStringList>

namespace ovanto {

// Per-user settings addressed like registry keys below HKEY_CURRENT_USER:
// a key path such as "Software\Halvoran\Tarvik 98\General Settings" and value
// names such as "Default Float Width".
//
// On disk (QSettings INI files below rootDirectory()):
// - a leading "Software" component is dropped; the next component names the
//   file, so everything below "Software\Halvoran" lives in "Halvoran.ini";
// - the remaining components are the QSettings group, e.g. section
//   [Tarvik%2098] with keys "General%20Settings\Default%20Float%20Width";
// - "\" and "/" both separate components; empty components are ignored.
// Key and value names match without regard to case, as in the registry; a
// write reuses the spelling that is already stored. An empty key leaves no
// trace in the file: a missing key and an empty one read the same.
class SettingsStore {
public:
    // A store on the INI files in rootDirectory.
    explicit SettingsStore(QString rootDirectory);

    // The process-wide store. Unless replaced it is rooted at the XDG config
    // directory (QStandardPaths::GenericConfigLocation).
    static SettingsStore& current();
    // Replaces the process-wide store (tests point it at a temporary
    // directory); nullptr restores the default one. The caller keeps ownership.
    static void setCurrent(SettingsStore* store);

    QString rootDirectory() const { return m_root; }

    // "a\b" + "c" -> "a\b\c".
    static QString joinKey(const QString& keyPath, const QString& subkey);

    // A missing key, a missing value or a value that is not a decimal
    // integer in range gives defaultValue.
    int readInteger(const QString& keyPath, const QString& valueName, int defaultValue) const;
    QString readString(const QString& keyPath, const QString& valueName,
                       const QString& defaultValue = QString()) const;
    bool hasValue(const QString& keyPath, const QString& valueName) const;

    // Writes return false when the key path or value name is unusable or the
    // file cannot be written.
    bool writeInteger(const QString& keyPath, const QString& valueName, int value);
    bool writeString(const QString& keyPath, const QString& valueName, const QString& value);

    // Names of the values (not subkeys) of a key, sorted as QSettings keeps them.
    QStringList valueNames(const QString& keyPath) const;
    QStringList subkeyNames(const QString& keyPath) const;

    // Makes sure the key can be written: creates the directory and the INI
    // file that would hold it. False when the key path is unusable or the
    // file cannot be created.
    bool createKey(const QString& keyPath);

private:
    struct Location;
    Location locate(const QString& keyPath) const;

    QString m_root;
};

} // namespace ovanto
