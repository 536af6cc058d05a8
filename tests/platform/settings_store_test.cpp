#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ovanto {
namespace {

const QString kKey = QStringLiteral("Software\\Halvoran\\Tarvik 98\\General Settings");

class SettingsStoreTest : public testing::Test {
protected:
    QTemporaryDir dir;
    SettingsStore store{dir.path()};

    void writeFile(const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(SettingsStoreTest, ValuesRoundTripAndMissingOnesGiveDefaults) {
    EXPECT_EQ(store.readInteger(kKey, QStringLiteral("Default Float Width"), 16), 16);
    EXPECT_EQ(store.readString(kKey, QStringLiteral("Default User"), QStringLiteral("x")), QStringLiteral("x"));

    const QString texts[] = {QStringLiteral("C:\\Bilder, alt"), QStringLiteral("Größe \"1\""), QStringLiteral(" a=b ; c ")};
    for (const QString& text : texts) {
        ASSERT_TRUE(store.writeString(kKey, QStringLiteral("Default User"), text));
        EXPECT_EQ(SettingsStore(dir.path()).readString(kKey, QStringLiteral("Default User")), text);
    }
    ASSERT_TRUE(store.writeInteger(kKey, QStringLiteral("Default Float Width"), -12));
    EXPECT_EQ(SettingsStore(dir.path()).readInteger(kKey, QStringLiteral("Default Float Width"), 16), -12);

    // Everything below Software\Halvoran lives in one file.
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Halvoran.ini"))));
}

TEST_F(SettingsStoreTest, IntegersThatDoNotParseGiveTheDefault) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{" 42 ", 42}, {"-7", -7}, {"4x", 3}, {"", 3}, {"99999999999", 3}, {"0x10", 3}};
    for (const auto& c : cases) {
        store.writeString(kKey, QStringLiteral("Value"), QString::fromLatin1(c.stored));
        EXPECT_EQ(store.readInteger(kKey, QStringLiteral("Value"), 3), c.expected) << c.stored;
    }
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToCase) {
    store.writeString(QStringLiteral("Software\\Halvoran\\QEV\\Search Paths"), QStringLiteral("Path 1"), QStringLiteral("/a"));
    const QString otherCase = QStringLiteral("software\\HALVORAN\\qev\\search paths");
    EXPECT_EQ(store.readString(otherCase, QStringLiteral("PATH 1")), QStringLiteral("/a"));
    store.writeString(otherCase, QStringLiteral("path 1"), QStringLiteral("/b"));
    EXPECT_EQ(store.valueNames(QStringLiteral("Software\\Halvoran\\QEV\\Search Paths")), QStringList{QStringLiteral("Path 1")});
    EXPECT_EQ(store.readString(QStringLiteral("Software\\Halvoran\\QEV\\Search Paths"), QStringLiteral("Path 1")),
              QStringLiteral("/b"));
}

TEST_F(SettingsStoreTest, ValueNamesAndSubkeysAreKeptApart) {
    const QString key = QStringLiteral("Software\\Halvoran\\Tarvik 98\\VELOR");
    store.writeString(key, QStringLiteral("Last"), QStringLiteral("1"));
    store.writeString(SettingsStore::joinKey(key, QStringLiteral("Search Paths")), QStringLiteral("Path 1"), QStringLiteral("/x"));
    EXPECT_EQ(store.valueNames(key), QStringList{QStringLiteral("Last")});
    EXPECT_EQ(store.subkeyNames(key), QStringList{QStringLiteral("Search Paths")});
    EXPECT_TRUE(store.valueNames(QStringLiteral("Software\\Halvoran\\Nowhere")).isEmpty());
}

TEST_F(SettingsStoreTest, HandWrittenFilesAreRead) {
    writeFile(QStringLiteral("Halvoran.ini"), "[QEV]\nSearch%20Paths\\Path%201=/home/a, b\nSearch%20Paths\\Path%202=\n");
    const QString key = QStringLiteral("Software\\Halvoran\\QEV\\Search Paths");
    EXPECT_EQ(store.valueNames(key).size(), 2);
    EXPECT_EQ(store.readString(key, QStringLiteral("Path 1")), QStringLiteral("/home/a, b"));
    EXPECT_TRUE(store.hasValue(key, QStringLiteral("Path 2")));
    EXPECT_EQ(store.readString(key, QStringLiteral("Path 2"), QStringLiteral("d")), QString());
}

TEST_F(SettingsStoreTest, UnusableKeysAndNamesAreRefused) {
    for (const char* key : {"", "Software", "\\\\", "Software\\..\\x"}) {
        EXPECT_FALSE(store.writeString(QString::fromLatin1(key), QStringLiteral("v"), QStringLiteral("1"))) << key;
        EXPECT_FALSE(store.createKey(QString::fromLatin1(key))) << key;
    }
    for (const char* name : {"", "a\\b", "a/b"})
        EXPECT_FALSE(store.writeString(kKey, QString::fromLatin1(name), QStringLiteral("1"))) << name;
    EXPECT_TRUE(store.valueNames(kKey).isEmpty());
}

TEST_F(SettingsStoreTest, CreateKeyAndTheProcessWideStore) {
    EXPECT_TRUE(store.createKey(QStringLiteral("Software\\Halvoran\\QEV")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Halvoran.ini"))));
    EXPECT_TRUE(store.valueNames(QStringLiteral("Software\\Halvoran\\QEV")).isEmpty());

    const QString defaultRoot = SettingsStore::current().rootDirectory();
    EXPECT_FALSE(defaultRoot.isEmpty());
    SettingsStore::setCurrent(&store);
    EXPECT_EQ(&SettingsStore::current(), &store);
    SettingsStore::setCurrent(nullptr);
    EXPECT_EQ(SettingsStore::current().rootDirectory(), defaultRoot);
}

} // namespace
} // namespace ovanto
