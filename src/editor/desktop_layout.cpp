#include "editor/desktop_layout.h"

#include "platform/settings_store.h"

namespace ovanto {
namespace {

const QString kKey = QStringLiteral("Software\\Halvoran\\QEV\\Desktop");

struct IntSlot {
    const char* name;
    int DesktopLayout::*field;
};

constexpr IntSlot kIntSlots[] = {
    {"LastLeftDlg", &DesktopLayout::LastLeftDlg},       {"LastTopDlg", &DesktopLayout::LastTopDlg},
    {"LastWidthDlg", &DesktopLayout::LastWidthDlg},     {"LastHeightDlg", &DesktopLayout::LastHeightDlg},
    {"LastLeftElForm", &DesktopLayout::LastLeftElForm}, {"LastTopElForm", &DesktopLayout::LastTopElForm},
    {"LastLeftIOForm", &DesktopLayout::LastLeftIOForm}, {"LastTopIOForm", &DesktopLayout::LastTopIOForm},
    {"LastHeightIOForm", &DesktopLayout::LastHeightIOForm}, {"LastStateIOForm", &DesktopLayout::LastStateIOForm},
};

struct BoolSlot {
    const char* name;
    bool DesktopLayout::*field;
};

constexpr BoolSlot kBoolSlots[] = {
    {"Locked", &DesktopLayout::Locked}, {"Sound", &DesktopLayout::Sound}, {"Grid", &DesktopLayout::Grid}};

} // namespace

DesktopLayout ReadDesktopLayout(const SettingsStore& store) {
    DesktopLayout layout;
    for (const IntSlot& slot : kIntSlots)
        layout.*slot.field = store.readInteger(kKey, QLatin1String(slot.name), DesktopLayout::kUnset);
    layout.LastActiveElPage = store.readInteger(kKey, QStringLiteral("LastActiveElPage"), 0);
    for (const BoolSlot& slot : kBoolSlots)
        layout.*slot.field = store.readInteger(kKey, QLatin1String(slot.name), layout.*slot.field ? 1 : 0) != 0;
    return layout;
}

void WriteDesktopLayout(SettingsStore& store, const DesktopLayout& layout) {
    for (const IntSlot& slot : kIntSlots) store.writeInteger(kKey, QLatin1String(slot.name), layout.*slot.field);
    store.writeInteger(kKey, QStringLiteral("LastActiveElPage"), layout.LastActiveElPage);
    for (const BoolSlot& slot : kBoolSlots) store.writeInteger(kKey, QLatin1String(slot.name), layout.*slot.field ? 1 : 0);
}

} // namespace ovanto
