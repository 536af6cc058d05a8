#include "platform/picture_library.h"

#include "canvas_probe.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace ovanto {
namespace {

using namespace test;

class PictureLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"builtin", "user1", "user2"})
            ASSERT_TRUE(QDir(m_root.path()).mkdir(name));
    }

    QString dir(const char* name) const { return m_root.filePath(QString::fromLatin1(name)); }

    // One pixel whose colour tells which file answered.
    void put(const char* directory, const char* file, TColor color) const {
        const QString path = dir(directory) + QLatin1Char('/') + QString::fromLatin1(file);
        const bool png = QFileInfo(path).suffix().toLower() == QLatin1String("png");
        ASSERT_TRUE(filledImage(color, 1, 1).save(path, png ? "PNG" : "BMP")) << path.toStdString();
    }

    PictureLibrary library() const { return PictureLibrary(dir("builtin"), {dir("user1"), dir("user2")}); }

    QTemporaryDir m_root;
};

TEST_F(PictureLibraryTest, BuiltInStoreAnswersBeforeTheUserStore) {
    put("builtin", "5.bmp", kRed);
    put("user1", "5.png", kBlue);
    put("user1", "7.bmp", kGreen);
    put("user2", "7.png", kBlue);
    put("user2", "9.png", kRed);
    put("user1", "11.png", kBlue);
    put("user1", "11.bmp", kGreen);
    PictureLibrary pictures = library();
    struct Case {
        int id;
        PictureStore store;
        TColor color;
    };
    const std::vector<Case> cases = {
        {5, PictureStore::BuiltIn, kRed}, // built-in before user
        {7, PictureStore::User, kGreen},  // first user directory before the second
        {9, PictureStore::User, kRed},          {11, PictureStore::User, kGreen}, // .bmp before .png
        {3, PictureStore::None, kInvalidColor},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pictures.storeOf(c.id), c.store) << c.id;
        EXPECT_EQ(pictures.contains(c.id), c.store != PictureStore::None) << c.id;
        EXPECT_EQ(pictures.load(c.id).pixel(0, 0), c.color) << c.id;
    }
    EXPECT_EQ(pictures.load(PictureStore::User, 5).pixel(0, 0), kBlue);
    EXPECT_TRUE(pictures.load(PictureStore::BuiltIn, 7).isEmpty());
    EXPECT_EQ(pictures.filePath(PictureStore::User, 7), dir("user1") + QStringLiteral("/7.bmp"));
}

TEST_F(PictureLibraryTest, OnlyNumberedPicturesCount) {
    for (const char* file :
         {"12.bmp", "0012.png", "1a.bmp", "abc.bmp", "0.bmp", "70000.bmp", "65535.BMP", "4.jpg.bmp"}) {
        put("builtin", file, kRed);
    }
    QFile text(dir("builtin") + QStringLiteral("/3.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    const PictureLibrary pictures = library();
    EXPECT_EQ(pictures.ids(PictureStore::BuiltIn), (std::vector<int>{12, 65535}));
    EXPECT_TRUE(pictures.ids(PictureStore::User).empty());
    EXPECT_FALSE(PictureLibrary(dir("nowhere"), {QString()}).contains(12));
}

TEST_F(PictureLibraryTest, LoadedPicturesAreKeptUntilRescan) {
    put("builtin", "1.bmp", kRed);
    PictureLibrary pictures = library();
    EXPECT_EQ(pictures.load(1).pixel(0, 0), kRed);
    put("builtin", "1.bmp", kBlue);
    put("user1", "2.bmp", kGreen);
    EXPECT_EQ(pictures.load(1).pixel(0, 0), kRed);
    EXPECT_FALSE(pictures.contains(2));
    pictures.rescan();
    EXPECT_EQ(pictures.load(1).pixel(0, 0), kBlue);
    EXPECT_TRUE(pictures.contains(2));
    Picture copy = pictures.load(1); // a caller's changes stay with its copy
    copy.setPixel(0, 0, kGreen);
    EXPECT_EQ(pictures.load(1).pixel(0, 0), kBlue);
}

TEST(PictureLibraryDefaults, StoresLieBesideTheBinaryAndInTheDataDirectory) {
    const QString builtIn = PictureLibrary::defaultBuiltInDirectory();
    const QStringList user = PictureLibrary::defaultUserDirectories();
    ASSERT_EQ(user.size(), 2);
    EXPECT_TRUE(builtIn.endsWith(QStringLiteral("/QEVBMPLIB")));
    EXPECT_EQ(user[0], QFileInfo(builtIn).path() + QStringLiteral("/QEVUSERBMPLIB"));
    EXPECT_EQ(user[1], qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/ovanto/QEVUSERBMPLIB"));
}

} // namespace
} // namespace ovanto
