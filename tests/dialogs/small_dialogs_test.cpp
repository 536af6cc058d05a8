#include "dialogs/bmp_show_dialog.h"
#include "dialogs/memo_dialog.h"
#include "dialogs/qev_bmp_lib_dialog.h"
#include "dialogs/qev_info_dialog.h"
#include "dialogs/qev_password_dialog.h"
#include "dialogs/small_dialogs_qt.h"
#include "dialogs/txt_show_dialog.h"
#include "dialogs/view_bmp_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ovanto {
namespace {

QImage solid(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

TEST(LibraryThumbnail, FitsSmallPicturesCentredAndSqueezesLargeOnes) {
    struct Case {
        int w, h, size;
        QPoint probe;
        bool picture; // the probe shows the picture, not the white square
    };
    const Case cases[] = {
        {20, 20, 50, {15, 15}, true},  {20, 20, 50, {14, 14}, false}, {20, 20, 50, {34, 34}, true},
        {20, 20, 50, {35, 35}, false}, {200, 100, 50, {0, 0}, true},  {200, 100, 50, {49, 49}, true},
        {25, 25, 25, {0, 24}, true},   {10, 60, 25, {0, 12}, true},
    };
    for (const Case& c : cases) {
        const QImage thumb = LibraryThumbnail(Picture(solid(c.w, c.h, qRgb(255, 0, 0))), c.size, false);
        ASSERT_EQ(thumb.size(), QSize(c.size, c.size));
        EXPECT_EQ(thumb.pixel(c.probe) == qRgb(255, 0, 0), c.picture) << c.w << "x" << c.h << " in " << c.size;
    }
}

TEST(LibraryThumbnail, TransparencyCutsTheBottomLeftColour) {
    QImage image = solid(50, 50, qRgb(0, 0, 255));
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 40; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
    const QImage thumb = LibraryThumbnail(Picture(image), 50, true);
    EXPECT_EQ(qAlpha(thumb.pixel(0, 49)), 0);
    EXPECT_EQ(qAlpha(thumb.pixel(5, 5)), 0);
    EXPECT_EQ(thumb.pixel(25, 25), qRgb(255, 0, 0));
    // A small picture's margin goes with its background.
    const QImage small = LibraryThumbnail(Picture(solid(10, 10, qRgb(255, 0, 255))), 50, true);
    EXPECT_EQ(qAlpha(small.pixel(2, 2)), 0);
}

TEST(LibraryViewer, ListsTheStoresPicturesAndSkipsGapsAndHighIds) {
    QTemporaryDir user;
    for (int id : {1, 2, 10, 10000}) solid(8, 4 + id % 7, qRgb(0, 128, 0)).save(user.filePath(QString::number(id) + ".bmp"));
    QFile broken(user.filePath("5.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    QTemporaryDir builtIn;
    PictureLibrary library(builtIn.path(), {user.path()});
    TQEVBMPLibDialog viewer(library);
    viewer.LibraryBox->setCurrentIndex(1); // fills the list
    QStringList captions;
    for (int i = 0; i < viewer.ListView1->count(); ++i) captions << viewer.ListView1->item(i)->text();
    EXPECT_EQ(captions, (QStringList{"ID: 1 (8x5)", "ID: 2 (8x6)", "ID: 10 (8x7)"}));
    viewer.SizeBox->setCurrentIndex(2);
    EXPECT_EQ(viewer.ListView1->iconSize(), QSize(100, 100));
    // Headless, the full-size view answers at once.
    viewer.ShowEntry(viewer.ListView1->item(2));
}

TEST(PasswordDialog, ShowsAnAsteriskForEveryCharacter) {
    TQEVPasswordDialog dialog;
    QTest::keyClicks(dialog.Edit1, "geheim");
    EXPECT_EQ(dialog.password(), QStringLiteral("geheim"));
    EXPECT_EQ(dialog.Edit1->displayText(), QStringLiteral("******"));
}

TEST(SmallDialogs, HeadlessTheyAnswerWithTheDefaultButton) {
    QtSmallDialogs dialogs;
    QString password = QStringLiteral("old");
    EXPECT_TRUE(dialogs.askPassword(nullptr, password));
    EXPECT_TRUE(password.isEmpty());
    dialogs.showMemo(nullptr, QStringLiteral("x"));
    dialogs.showTextFile(nullptr, QStringLiteral("/no/such/file.txt"));
    dialogs.showPictureFile(nullptr, QStringLiteral("/no/such/file.bmp"));
}

// Every dialog at its size, nothing of it outside or squeezed below its
// smallest readable size. With OVANTO_DIALOG_SHOTS set, each is saved there as PNG.
TEST(SmallDialogs, EveryDialogHasItsCaptionAndSizeAndNothingClipped) {
    QTemporaryDir dir;
    const QString textFile = dir.filePath("notes.txt");
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Zeile 1\nZeile 2 mit Umlauten: \xc3\xa4\xc3\xb6\xc3\xbc\n");
    text.close();
    const QString pictureFile = dir.filePath("tank.bmp");
    solid(120, 80, qRgb(0, 0, 160)).save(pictureFile);
    PictureLibrary library(dir.path(), {dir.path()});

    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        QString caption;
        QSize size;
    };
    const Case cases[] = {
        {"library", [&] { return std::make_unique<TQEVBMPLibDialog>(library); }, "Bitmap Library", {817, 471}},
        {"view", [&] { return std::make_unique<TViewBMPDialog>("ID: 3 (120x80)", Picture::fromFile(pictureFile)); },
         "Bitmap ID: 3 (120x80)", {534, 353}},
        {"info", [] { return std::make_unique<TQEVInfoDialog>(); }, "Info", {280, 196}},
        {"memo", [] { return std::make_unique<TMemoDialog>("Wartung jeden Montag."); }, "Info", {460, 288}},
        {"text", [&] { return std::make_unique<TTXTShowDialog>(textFile); }, textFile, {420, 321}},
        {"picture", [&] { return std::make_unique<TBMPShowDialog>(pictureFile); }, pictureFile, {120, 80 + 41}},
        {"password", [] { return std::make_unique<TQEVPasswordDialog>(); }, "Passwortschutz", {219, 82}},
    };
    const QString shots = qEnvironmentVariable("OVANTO_DIALOG_SHOTS");
    for (const Case& c : cases) {
        std::unique_ptr<QDialog> dialog = c.make();
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog->windowTitle(), c.caption) << c.name;
        EXPECT_EQ(dialog->size(), c.size) << c.name;
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->isVisible() || child->isWindow()) continue;
            const QRect inDialog(child->mapTo(dialog.get(), QPoint(0, 0)), child->size());
            EXPECT_TRUE(dialog->rect().contains(inDialog)) << c.name << " " << child->metaObject()->className();
            if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child) ||
                qobject_cast<QComboBox*>(child)) {
                EXPECT_GE(child->width(), child->minimumSizeHint().width())
                    << c.name << " " << child->metaObject()->className();
            }
        }
        if (!shots.isEmpty()) dialog->grab().save(QDir(shots).filePath(QString::fromLatin1(c.name) + ".png"));
    }
}

} // namespace
} // namespace ovanto
