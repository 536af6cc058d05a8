#include "elements/core/family_settings.h"

#include "platform/settings_store.h"

#include <optional>

namespace ovanto {
namespace {

// The sixteen standard colours as 0x00BBGGRR.
constexpr std::array<int, 16> kStandardColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

std::optional<FamilySettings>& current() {
    static std::optional<FamilySettings> settings;
    return settings;
}

} // namespace

FamilySettings::FamilySettings() : defaultColors(kStandardColors) {
}

FamilySettings LoadFamilySettings(const SettingsStore& store) {
    const QString key = SettingsStore::joinKey(QString::fromLatin1(kFamilySettingsKey),
                                               QString::fromLatin1(kFamilySettingsSubkey));
    FamilySettings s;
    const auto readInt = [&](const char* name, int& field) {
        field = store.readInteger(key, QString::fromLatin1(name), field);
    };
    const auto readText = [&](const char* name, QString& field) {
        field = store.readString(key, QString::fromLatin1(name), field);
    };
    readInt("Default Float Width", s.defaultFloatWidth);
    readInt("Default Float Precision", s.defaultFloatPrecision);
    readInt("Default Float Notation", s.defaultFloatNotation);
    readInt("Default Grid Mode", s.defaultGridMode);
    readInt("Auto Info Open", s.autoInfoOpen);
    readInt("Auto Info Save", s.autoInfoSave);
    readInt("Create Bak Files", s.createBakFiles);
    readInt("Tooltip Help", s.tooltipHelp);
    readText("Default User", s.defaultUser);
    readText("Default Department", s.defaultDepartment);
    readText("Temp Path", s.tempPath);
    readInt("Default Line Width", s.defaultLineWidth);
    for (size_t i = 0; i < s.defaultColors.size(); ++i)
        s.defaultColors[i] =
            store.readInteger(key, QStringLiteral("Default Color %1").arg(i), s.defaultColors[i]);
    return s;
}

const FamilySettings& CurrentFamilySettings() {
    if (!current()) ReloadFamilySettings();
    return *current();
}

void SetFamilySettings(const FamilySettings& settings) {
    current() = settings;
}

void ReloadFamilySettings() {
    current() = LoadFamilySettings(SettingsStore::current());
}

} // namespace ovanto
