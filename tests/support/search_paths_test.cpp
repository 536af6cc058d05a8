#include "support/search_paths.h"

#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace ovanto {
namespace {

const QString kOwnKey = QStringLiteral("Software\\Halvoran\\QEV\\Search Paths");
const QString kHostKey = QStringLiteral("Software\\Halvoran\\Tarvik 98\\VELOR\\Search Paths");

class SearchPathsTest : public testing::Test {
protected:
    QTemporaryDir config;
    QTemporaryDir files;
    SettingsStore store{config.path()};

    void SetUp() override { SettingsStore::setCurrent(&store); }
    void TearDown() override {
        LoadSearchPaths(store, QStringLiteral("Software\\Halvoran"), QStringLiteral("Unused"));
        SettingsStore::setCurrent(nullptr);
    }

    // Creates files/<relative> and returns its absolute path.
    QString makeFile(const QString& relative) {
        const QString path = files.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    void setOwnPaths(const std::vector<std::pair<const char*, QString>>& values) {
        for (const auto& [name, directory] : values) store.writeString(kOwnKey, QString::fromLatin1(name), directory);
        LoadSearchPaths(QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
    }
};

TEST_F(SearchPathsTest, OnlyNumberedPathsUpToTheValueCountAreTaken) {
    const struct {
        std::vector<std::pair<const char*, QString>> values;
        QStringList expected;
    } cases[] = {
        {{{"Path 1", "/a"}, {"Path 2", "/b"}, {"Comment", "/c"}}, {"/a", "/b"}},
        {{{"Path 1", "/a"}, {"Path 3", "/c"}}, {"/a"}},
        {{{"Path 1", ""}, {"Path 2", "/b"}}, {"/b"}},
        {{{"Path 2", "/b"}, {"Path 1", "/a"}}, {"/a", "/b"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        QTemporaryDir caseConfig;
        SettingsStore caseStore(caseConfig.path());
        for (const auto& [name, directory] : c.values)
            caseStore.writeString(kOwnKey, QString::fromLatin1(name), directory);
        LoadSearchPaths(caseStore, QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
        EXPECT_EQ(SearchPaths(), c.expected) << c.expected.join(QLatin1Char(';')).toStdString();
    }
}

TEST_F(SearchPathsTest, HostPathsFirstThenTheLibrarysOwn) {
    store.writeString(kHostKey, QStringLiteral("Path 1"), QStringLiteral("/host"));
    store.writeString(kOwnKey, QStringLiteral("Path 1"), QStringLiteral("/own"));
    InitSearchPaths();
    InitSearchPaths();
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/host")});
    LoadSearchPaths(QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/own")});
    FiniSearchPaths();
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/own")});
    FiniSearchPaths();
    // After the last tear-down the next use starts from the host's paths again.
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/host")});
}

TEST_F(SearchPathsTest, MissingKeysAreCreatedAndGiveAnEmptyList) {
    LoadSearchPaths(QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
    EXPECT_TRUE(SearchPaths().isEmpty());
    EXPECT_TRUE(QFile::exists(config.filePath(QStringLiteral("Halvoran.ini"))));
}

TEST_F(SearchPathsTest, FindFileResolvesBareNamesInOrder) {
    const QString first = makeFile(QStringLiteral("one/tank.bmp"));
    const QString second = makeFile(QStringLiteral("two/tank.bmp"));
    makeFile(QStringLiteral("two/pump.wav"));
    QDir(files.path()).mkpath(QStringLiteral("one/valve.bmp"));
    setOwnPaths({{"Path 1", files.filePath(QStringLiteral("missing"))},
                 {"Path 2", files.filePath(QStringLiteral("one")) + QLatin1Char('\\')},
                 {"Path 3", files.filePath(QStringLiteral("two")) + QLatin1Char('/')}});

    const struct {
        QString given;
        bool found;
        QString expected;
    } cases[] = {
        {QStringLiteral("C:\\Bilder\\tank.bmp"), true, files.filePath(QStringLiteral("one/tank.bmp"))},
        {QStringLiteral("/elsewhere/pump.wav"), true, files.filePath(QStringLiteral("two/pump.wav"))},
        {QStringLiteral("pump.wav"), true, files.filePath(QStringLiteral("two/pump.wav"))},
        {second, true, second},
        {first, true, first},
        {QStringLiteral("C:\\Bilder\\*.bmp"), false, QStringLiteral("C:\\Bilder\\*.bmp")},
        {QStringLiteral("valve.bmp"), false, QStringLiteral("valve.bmp")},
        {QStringLiteral("C:\\Bilder\\"), false, QStringLiteral("C:\\Bilder\\")},
        {QString(), false, QString()},
    };
    for (const auto& c : cases) {
        QString name = c.given;
        EXPECT_EQ(FindFile(name), c.found) << c.given.toStdString();
        EXPECT_EQ(name, c.expected) << c.given.toStdString();
    }

    // A "*" is never resolved, not even when such a file exists.
    QString star = makeFile(QStringLiteral("one/a*b.bmp"));
    EXPECT_FALSE(FindFile(star));
}

} // namespace
} // namespace ovanto
