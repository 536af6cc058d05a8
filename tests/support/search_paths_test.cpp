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

TEST(SearchPaths, OnlyNumberedPathsUpToTheValueCountAreTaken) {
    const struct {
        std::vector<std::pair<const char*, QString>> values;
        QStringList expected;
    } cases[] = {
        {{{"Path 1", "/a"}, {"Path 2", "/b"}, {"Comment", "/c"}}, {"/a", "/b"}},
        {{{"Path 1", "/a"}, {"Path 3", "/c"}}, {"/a"}},
        {{{"Path 2", "/b"}, {"Path 1", ""}}, {"/b"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        QTemporaryDir config;
        SettingsStore store(config.path());
        for (const auto& [name, directory] : c.values)
            store.writeString(kOwnKey, QString::fromLatin1(name), directory);
        LoadSearchPaths(store, QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
        EXPECT_EQ(SearchPaths(), c.expected) << c.expected.join(QLatin1Char(';')).toStdString();
    }
}

TEST(SearchPaths, HostPathsUntilTheLibraryLoadsItsOwn) {
    QTemporaryDir config;
    SettingsStore store(config.path());
    SettingsStore::setCurrent(&store);
    store.writeString(QStringLiteral("Software\\Halvoran\\Tarvik 98\\VELOR\\Search Paths"),
                      QStringLiteral("Path 1"), QStringLiteral("/host"));
    store.writeString(kOwnKey, QStringLiteral("Path 1"), QStringLiteral("/own"));
    InitSearchPaths();
    InitSearchPaths();
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/host")});
    LoadSearchPaths(QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));
    FiniSearchPaths();
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/own")});
    FiniSearchPaths();
    EXPECT_EQ(SearchPaths(), QStringList{QStringLiteral("/host")}); // the next use loads again
    SettingsStore::setCurrent(nullptr);
}

TEST(SearchPaths, FindFileResolvesBareNamesInOrder) {
    QTemporaryDir config, files;
    for (const char* name : {"one/tank.bmp", "two/tank.bmp", "two/pump.wav", "one/a*b.bmp"}) {
        QDir().mkpath(QFileInfo(files.filePath(QString::fromLatin1(name))).absolutePath());
        QFile(files.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    }
    QDir(files.path()).mkpath(QStringLiteral("one/valve.bmp"));
    SettingsStore store(config.path());
    store.writeString(kOwnKey, QStringLiteral("Path 1"), files.filePath(QStringLiteral("missing")));
    store.writeString(kOwnKey, QStringLiteral("Path 2"),
                      files.filePath(QStringLiteral("one")) + QLatin1Char('\\'));
    store.writeString(kOwnKey, QStringLiteral("Path 3"),
                      files.filePath(QStringLiteral("two")) + QLatin1Char('/'));
    LoadSearchPaths(store, QStringLiteral("Software\\Halvoran"), QStringLiteral("QEV"));

    const QString tank1 = files.filePath(QStringLiteral("one/tank.bmp"));
    const QString tank2 = files.filePath(QStringLiteral("two/tank.bmp"));
    const QString pump = files.filePath(QStringLiteral("two/pump.wav"));
    const QString star = files.filePath(QStringLiteral("one/a*b.bmp"));
    const struct {
        QString given;
        bool found;
        QString expected;
    } cases[] = {
        {QStringLiteral("C:\\Bilder\\tank.bmp"), true, tank1},
        {QStringLiteral("/elsewhere/pump.wav"), true, pump},
        {tank2, true, tank2},
        {star, false, star},
        {QStringLiteral("C:\\Bilder\\*.bmp"), false, QStringLiteral("C:\\Bilder\\*.bmp")},
        {QStringLiteral("valve.bmp"), false, QStringLiteral("valve.bmp")},
        {QStringLiteral("C:\\Bilder\\"), false, QStringLiteral("C:\\Bilder\\")},
    };
    for (const auto& c : cases) {
        QString name = c.given;
        EXPECT_EQ(FindFile(name), c.found) << c.given.toStdString();
        EXPECT_EQ(name, c.expected) << c.given.toStdString();
    }
}

} // namespace
} // namespace ovanto
