#pragma once

namespace ovanto {

class SettingsStore;

// Where the editor's windows were when it was last closed with OK. A position
// or size that was never stored reads as kUnset and leaves the window alone.
struct DesktopLayout {
    static constexpr int kUnset = -9999;

    int LastLeftDlg = kUnset;
    int LastTopDlg = kUnset;
    int LastWidthDlg = kUnset;
    int LastHeightDlg = kUnset;
    int LastLeftElForm = kUnset;
    int LastTopElForm = kUnset;
    int LastLeftIOForm = kUnset;
    int LastTopIOForm = kUnset;
    int LastHeightIOForm = kUnset;
    int LastStateIOForm = kUnset;
    int LastActiveElPage = 0;
    bool Locked = false;
    bool Sound = true;
    bool Grid = true;
};

DesktopLayout ReadDesktopLayout(const SettingsStore& store);
void WriteDesktopLayout(SettingsStore& store, const DesktopLayout& layout);

} // namespace ovanto
