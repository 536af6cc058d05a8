#include "elements/core/family_settings.h"

#include "elements/core/number_text.h"
#include "platform/settings_store.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ovanto {
namespace {

const QString kKey = QStringLiteral("Software\\Halvoran\\Tarvik 98\\General Settings");

TEST(FamilySettings, StoredValuesReplaceDefaultsAndDriveFloatToText) {
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    store.writeInteger(kKey, QStringLiteral("Default Float Precision"), 5);
    store.writeInteger(kKey, QStringLiteral("default float notation"), 2);
    store.writeString(kKey, QStringLiteral("Default Grid Mode"), QStringLiteral("kaputt"));
    store.writeString(kKey, QStringLiteral("Default User"), QStringLiteral("Jörg"));
    store.writeInteger(kKey, QStringLiteral("Default Color 15"), 255);
    store.writeInteger(QStringLiteral("Software\\Halvoran\\Tarvik 98"), QStringLiteral("Default Float Width"),
                       3);

    const FamilySettings s = LoadFamilySettings(store);
    EXPECT_EQ(s.defaultFloatWidth, 16); // written to the parent key
    EXPECT_EQ(s.defaultFloatPrecision, 5);
    EXPECT_EQ(s.defaultFloatNotation, 2);
    EXPECT_EQ(s.defaultGridMode, 0);
    EXPECT_EQ(s.defaultUser, QStringLiteral("Jörg"));
    EXPECT_EQ(s.defaultColors[15], 255);
    EXPECT_EQ(s.defaultColors[14], 0xFFFF00);

    SettingsStore::setCurrent(&store);
    ReloadFamilySettings();
    EXPECT_EQ(FloatToText(2), QStringLiteral("2.00000")); // notation 2, precision 5
    SetFamilySettings(FamilySettings());
    EXPECT_EQ(FloatToText(2), QStringLiteral("2"));
    SettingsStore::setCurrent(nullptr);
}

} // namespace
} // namespace ovanto
