#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ovanto {
namespace {

const QString kKey = QStringLiteral("Software\\Halvoran\\Tarvik 98\\General Settings");
const QString kPaths = QStringLiteral("Software\\Halvoran\\QEV\\Search Paths");

TEST(SettingsStore, ValuesRoundTripThroughTheFile) {
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    EXPECT_EQ(store.readInteger(kKey, QStringLiteral("Default Float Width"), 16), 16);
    for (const QString& text :
         {QStringLiteral("C:\\Bilder, alt"), QStringLiteral("Größe \"1\""), QStringLiteral(" a=b ; c ")}) {
        ASSERT_TRUE(store.writeString(kKey, QStringLiteral("Default User"), text));
        EXPECT_EQ(SettingsStore(dir.path()).readString(kKey, QStringLiteral("Default User")), text);
    }
    const struct {
        const char* stored;
        int expected;
    } integers[] = {{" 42 ", 42}, {"-7", -7}, {"4x", 3}, {"", 3}, {"99999999999", 3}};
    for (const auto& c : integers) {
        store.writeString(kKey, QStringLiteral("Value"), QString::fromLatin1(c.stored));
        EXPECT_EQ(store.readInteger(kKey, QStringLiteral("Value"), 3), c.expected) << c.stored;
    }
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Halvoran.ini"))));
}

TEST(SettingsStore, KeysBehaveLikeRegistryKeys) {
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    store.writeString(kPaths, QStringLiteral("Path 1"), QStringLiteral("/a"));
    store.writeString(QStringLiteral("software\\HALVORAN\\qev\\search paths"), QStringLiteral("path 1"),
                      QStringLiteral("/b"));
    store.writeString(QStringLiteral("Software\\Halvoran\\QEV"), QStringLiteral("Layout"),
                      QStringLiteral("1"));
    EXPECT_EQ(store.valueNames(kPaths), QStringList{QStringLiteral("Path 1")});
    EXPECT_EQ(store.readString(kPaths, QStringLiteral("PATH 1")), QStringLiteral("/b"));
    EXPECT_EQ(store.valueNames(QStringLiteral("Software\\Halvoran\\QEV")),
              QStringList{QStringLiteral("Layout")});
    EXPECT_EQ(store.subkeyNames(QStringLiteral("Software\\Halvoran\\QEV")),
              QStringList{QStringLiteral("Search Paths")});

    for (const char* key : {"", "Software", "\\\\", "Software\\..\\x"}) {
        EXPECT_FALSE(store.writeString(QString::fromLatin1(key), QStringLiteral("v"), QStringLiteral("1")))
            << key;
        EXPECT_FALSE(store.createKey(QString::fromLatin1(key))) << key;
    }
    for (const char* name : {"", "a\\b", "a/b"})
        EXPECT_FALSE(store.writeString(kKey, QString::fromLatin1(name), QStringLiteral("1"))) << name;
}

TEST(SettingsStore, HandWrittenFilesAreRead) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Halvoran.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[QEV]\nSearch%20Paths\\Path%201=/home/a, b\nSearch%20Paths\\Path%202=\n");
    file.close();
    const SettingsStore store(dir.path());
    EXPECT_EQ(store.valueNames(kPaths).size(), 2);
    EXPECT_EQ(store.readString(kPaths, QStringLiteral("Path 1")), QStringLiteral("/home/a, b"));
    EXPECT_EQ(store.readString(kPaths, QStringLiteral("Path 2"), QStringLiteral("d")), QString());
}

} // namespace
} // namespace ovanto
