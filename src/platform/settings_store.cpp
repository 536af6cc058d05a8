#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace ovanto {

struct SettingsStore::Location {
    bool valid = false;
    QString file;
    QStringList groups;
};

namespace {

SettingsStore* g_current = nullptr;

QStringList splitKeyPath(const QString& keyPath) {
    QString normalized = keyPath;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// A value name holding a separator would silently become a subkey in QSettings.
bool usableValueName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QString matchIgnoringCase(const QStringList& existing, const QString& name) {
    for (const QString& candidate : existing)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) return candidate;
    return name;
}

// Leaves settings inside the group, reusing stored spellings of each component.
void enterGroups(QSettings& settings, const QStringList& groups) {
    for (const QString& group : groups)
        settings.beginGroup(matchIgnoringCase(settings.childGroups(), group));
}

QString storedText(const QVariant& value) {
    // An unquoted value with commas comes back from an INI file as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

SettingsStore::SettingsStore(QString rootDirectory) : m_root(std::move(rootDirectory)) {
}

SettingsStore& SettingsStore::current() {
    if (g_current != nullptr) return *g_current;
    static SettingsStore defaultStore(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return defaultStore;
}

void SettingsStore::setCurrent(SettingsStore* store) {
    g_current = store;
}

QString SettingsStore::joinKey(const QString& keyPath, const QString& subkey) {
    if (keyPath.isEmpty()) return subkey;
    if (subkey.isEmpty()) return keyPath;
    return keyPath + QLatin1Char('\\') + subkey;
}

SettingsStore::Location SettingsStore::locate(const QString& keyPath) const {
    Location location;
    QStringList components = splitKeyPath(keyPath);
    if (!components.isEmpty() &&
        components.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        components.removeFirst();
    if (components.isEmpty() || m_root.isEmpty()) return location;
    const QString fileKey = components.takeFirst();
    if (fileKey == QLatin1String(".") || fileKey == QLatin1String("..")) return location;

    QString fileName = fileKey + QStringLiteral(".ini");
    const QStringList existing = QDir(m_root).entryList({QStringLiteral("*.ini")}, QDir::Files);
    fileName = matchIgnoringCase(existing, fileName);

    location.valid = true;
    location.file = m_root + QLatin1Char('/') + fileName;
    location.groups = components;
    return location;
}

bool SettingsStore::hasValue(const QString& keyPath, const QString& valueName) const {
    const Location location = locate(keyPath);
    if (!location.valid || !usableValueName(valueName) || !QFile::exists(location.file)) return false;
    QSettings settings(location.file, QSettings::IniFormat);
    enterGroups(settings, location.groups);
    return settings.contains(matchIgnoringCase(settings.childKeys(), valueName));
}

QString SettingsStore::readString(const QString& keyPath, const QString& valueName,
                                  const QString& defaultValue) const {
    const Location location = locate(keyPath);
    if (!location.valid || !usableValueName(valueName) || !QFile::exists(location.file)) return defaultValue;
    QSettings settings(location.file, QSettings::IniFormat);
    enterGroups(settings, location.groups);
    const QString name = matchIgnoringCase(settings.childKeys(), valueName);
    if (!settings.contains(name)) return defaultValue;
    return storedText(settings.value(name));
}

int SettingsStore::readInteger(const QString& keyPath, const QString& valueName, int defaultValue) const {
    if (!hasValue(keyPath, valueName)) return defaultValue;
    bool ok = false;
    const int value = readString(keyPath, valueName).trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool SettingsStore::writeString(const QString& keyPath, const QString& valueName, const QString& value) {
    const Location location = locate(keyPath);
    if (!location.valid || !usableValueName(valueName)) return false;
    if (!QDir().mkpath(m_root)) return false;
    QSettings settings(location.file, QSettings::IniFormat);
    enterGroups(settings, location.groups);
    settings.setValue(matchIgnoringCase(settings.childKeys(), valueName), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool SettingsStore::writeInteger(const QString& keyPath, const QString& valueName, int value) {
    return writeString(keyPath, valueName, QString::number(value));
}

QStringList SettingsStore::valueNames(const QString& keyPath) const {
    const Location location = locate(keyPath);
    if (!location.valid || !QFile::exists(location.file)) return {};
    QSettings settings(location.file, QSettings::IniFormat);
    enterGroups(settings, location.groups);
    return settings.childKeys();
}

QStringList SettingsStore::subkeyNames(const QString& keyPath) const {
    const Location location = locate(keyPath);
    if (!location.valid || !QFile::exists(location.file)) return {};
    QSettings settings(location.file, QSettings::IniFormat);
    enterGroups(settings, location.groups);
    return settings.childGroups();
}

bool SettingsStore::createKey(const QString& keyPath) {
    const Location location = locate(keyPath);
    if (!location.valid || !QDir().mkpath(m_root)) return false;
    QFile file(location.file);
    if (file.exists()) return true;
    return file.open(QIODevice::WriteOnly);
}

} // namespace ovanto
