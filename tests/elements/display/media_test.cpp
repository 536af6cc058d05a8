#include "shape_scene.h"

#include "../../platform/metafile_writer.h"

#include <QFile>
#include <QTemporaryDir>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;

QString Written(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// --- WMF ---------------------------------------------------------------------------------------

TEST(WMFGraph, StretchesTheMetafileOrHatchesTheRectangle) {
    QTemporaryDir dir;
    const QByteArray red = WmfWriter(0, 0, 10, 10).pen(5, 0, 0).select(0).brush(0, 0x0000FF).select(1)
                               .rectangle(0, 0, 5, 10).bytes();
    const QString good = Written(dir, "red.wmf", red);
    const QString broken = Written(dir, "broken.wmf", "GIF89a");
    struct Case {
        QString file;
        TColor inside, rightHalf, frame;
    };
    const Case cases[] = {
        {good, kRed, kWhite, kRed}, {broken, kWhite, kWhite, kBlack}, {QStringLiteral("*.WMF"), kWhite, kWhite, kBlack}};
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.foundFile = c.file.contains(QLatin1Char('*')) ? QString() : c.file;
        TGraph& e = scene.add("WMF", {{"x", "20"}, {"y", "80"}, {"w", "60"}, {"h", "40"}});
        e.setText(ShapeScene::property(e, "File"), c.file);
        scene.draw(e);
        EXPECT_EQ(scene.at(33, 61), c.inside) << c.file.toStdString();
        EXPECT_EQ(scene.at(70, 61), c.rightHalf) << c.file.toStdString();
        EXPECT_EQ(scene.at(20, 40), c.frame) << c.file.toStdString();
        EXPECT_EQ(scene.at(19, 60), kWhite) << c.file.toStdString();
    }
}

TEST(WMFGraph, ReportsAFileItCannotFindWhenRead) {
    ShapeScene scene;
    TGraph& e = scene.add("WMF");
    QString record = QStringLiteral("0\t0\t1\t-1\t0\t1\t\t1\t2\t3\t4\t0\tplant.wmf");
    e.LoadFromString(record);
    EXPECT_EQ(scene.window.scriptedDialogs.messages(),
              QStringList{QStringLiteral("Datei plant.wmf kann nicht geöffnet werden!")});
}

} // namespace
} // namespace ovanto::testing
