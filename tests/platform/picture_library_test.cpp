#include "platform/picture_library.h"

#include "canvas_probe.h"

#include <QDir>
#include <QFile>
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
        ASSERT_TRUE(m_root.isValid());
        for (const char* name : {"builtin", "user1", "user2"}) ASSERT_TRUE(QDir(m_root.path()).mkdir(name));
    }

    QString dir(const char* name) const { return m_root.filePath(QString::fromLatin1(name)); }

    // Each file is one pixel whose colour says which file answered.
    void put(const char* directory, const char* file, TColor color) const {
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(toQRgb(color));
        const QString path = dir(directory) + QLatin1Char('/') + QString::fromLatin1(file);
        const QByteArray format = QFileInfo(path).suffix().toUpper().toLatin1();
        ASSERT_TRUE(image.save(path, format == "PNG" ? "PNG" : "BMP")) << path.toStdString();
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
        {5, PictureStore::BuiltIn, kRed},  // built-in wins over the user store
        {7, PictureStore::User, kGreen},   // the first user directory wins
        {9, PictureStore::User, kRed},     // the second one is searched too
        {11, PictureStore::User, kGreen},  // .bmp before .png
        {3, PictureStore::None, kInvalidColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(pictures.storeOf(c.id), c.store);
        EXPECT_EQ(pictures.contains(c.id), c.store != PictureStore::None);
        const Picture picture = pictures.load(c.id);
        EXPECT_EQ(picture.isEmpty(), c.store == PictureStore::None);
        EXPECT_EQ(picture.pixel(0, 0), c.color);
    }
    EXPECT_TRUE(pictures.contains(PictureStore::User, 5));
    EXPECT_EQ(pictures.load(PictureStore::User, 5).pixel(0, 0), kBlue);
    EXPECT_FALSE(pictures.contains(PictureStore::BuiltIn, 7));
    EXPECT_TRUE(pictures.load(PictureStore::BuiltIn, 7).isEmpty());
    EXPECT_EQ(pictures.filePath(PictureStore::User, 7), dir("user1") + QStringLiteral("/7.bmp"));
}

TEST_F(PictureLibraryTest, OnlyNumberedPicturesCount) {
    put("builtin", "12.bmp", kRed);
    put("builtin", "0012.png", kRed);
    put("builtin", "1a.bmp", kRed);
    put("builtin", "abc.bmp", kRed);
    put("builtin", "0.bmp", kRed);
    put("builtin", "70000.bmp", kRed);
    put("builtin", "65535.BMP", kRed);
    put("builtin", "4.jpg.bmp", kRed);
    QFile text(dir("builtin") + QStringLiteral("/3.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    const PictureLibrary pictures = library();
    EXPECT_EQ(pictures.ids(PictureStore::BuiltIn), (std::vector<int>{12, 65535}));
    EXPECT_TRUE(pictures.ids(PictureStore::User).empty());
    EXPECT_TRUE(pictures.ids(PictureStore::None).empty());
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

    // A caller's changes stay with its copy.
    Picture copy = pictures.load(1);
    copy.setPixel(0, 0, kGreen);
    EXPECT_EQ(pictures.load(1).pixel(0, 0), kBlue);
}

TEST_F(PictureLibraryTest, MissingDirectoriesAreEmptyStores) {
    const PictureLibrary pictures(dir("nowhere"), {QString(), dir("nowhere/either")});
    EXPECT_FALSE(pictures.contains(1));
    EXPECT_TRUE(pictures.ids(PictureStore::BuiltIn).empty());
}

TEST(PictureLibraryDefaults, StoresLieBesideTheBinaryAndInTheDataDirectory) {
    EXPECT_TRUE(PictureLibrary::defaultBuiltInDirectory().endsWith(QStringLiteral("/QEVBMPLIB")));
    const QStringList user = PictureLibrary::defaultUserDirectories();
    ASSERT_EQ(user.size(), 2);
    EXPECT_EQ(QFileInfo(user[0]).dir().absolutePath(), QFileInfo(PictureLibrary::defaultBuiltInDirectory()).dir().absolutePath());
    EXPECT_TRUE(user[0].endsWith(QStringLiteral("/QEVUSERBMPLIB")));
    EXPECT_TRUE(user[1].startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    EXPECT_TRUE(user[1].endsWith(QStringLiteral("/ovanto/QEVUSERBMPLIB")));
}

} // namespace
} // namespace ovanto
