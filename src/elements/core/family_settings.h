#pragma once

#include <QString>
#include <array>

namespace ovanto {

class SettingsStore;

// Settings shared by the programs of the product family, kept below
// "Software\Halvoran\Tarvik 98" in the subkey "General Settings".
struct FamilySettings {
    int defaultFloatWidth = 16;
    int defaultFloatPrecision = 12;
    int defaultFloatNotation = 0; // 0 general, 1 scientific, 2 fixed
    int defaultGridMode = 0;

    // Read with the others for the sibling programs; nothing here uses them.
    int autoInfoOpen = 0;
    int autoInfoSave = 0;
    int createBakFiles = 0;
    int tooltipHelp = 1;
    QString defaultUser;
    QString defaultDepartment;
    QString tempPath;
    int defaultLineWidth = 1;
    std::array<int, 16> defaultColors{};

    FamilySettings();
};

inline constexpr const char* kFamilySettingsKey = "Software\\Halvoran\\Tarvik 98";
inline constexpr const char* kFamilySettingsSubkey = "General Settings";

// Reads every value; a missing key or value keeps the default.
FamilySettings LoadFamilySettings(const SettingsStore& store);

// The process-wide settings. Loaded from SettingsStore::current() on first
// use unless SetFamilySettings came first.
const FamilySettings& CurrentFamilySettings();
void SetFamilySettings(const FamilySettings& settings);
// Re-reads the process-wide settings from SettingsStore::current().
void ReloadFamilySettings();

} // namespace ovanto
