#include "shape_scene.h"

#include "../../platform/avi_writer.h"
#include "../../platform/metafile_writer.h"

#include "elements/display/pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <limits>

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

// --- AVI ---------------------------------------------------------------------------------------

// Three frames of 4 x 2: red, green, blue.
QByteArray ThreeFrames() {
    const QList<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    return AviWriter(4, 2, 8, 0, palette)
        .frame(QByteArray(8, '\0'))
        .frame(QByteArray(8, '\1'))
        .frame(QByteArray(8, '\2'))
        .bytes();
}

TEST(AVIGraph, FrameInputPicksTheFrame) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    QTemporaryDir dir;
    const QString clip = Written(dir, "clip.avi", ThreeFrames());
    struct Case {
        const char* frameInput;
        long double value;
        int shown;
    };
    const Case cases[] = {{"2", 2, 1}, {"2", 2.5L, 1}, {"2", 3, 2}, {"2", 99, 2}, {"2", -4, 0},
                          {"2", nan, 0}, {"77", 3, 0},  {"100", 3, 0}, {"101", 3, 2}};
    for (const Case& c : cases) {
        ShapeScene scene;
        scene.window.foundFile = clip;
        scene.window.table[2] = c.value;
        scene.window.table[101 - 44] = c.value; // channel 101 is output 1
        auto& e = static_cast<TAVIGraph&>(scene.add("AVI", {{"FrIn", c.frameInput}}));
        e.setText(TAVIGraph::kFile, QStringLiteral("clip.avi"));
        scene.draw(e);
        EXPECT_EQ(e.shownFrame(), c.shown) << c.frameInput << " " << double(c.value);
        EXPECT_FALSE(e.playing());
    }
}

TEST(AVIGraph, PlaysItsRoundsWhenActRisesAndStopsWhenItFalls) {
    QTemporaryDir dir;
    ShapeScene scene;
    scene.window.foundFile = Written(dir, "clip.avi", ThreeFrames());
    auto& e = static_cast<TAVIGraph&>(scene.add("AVI", {{"Act", "I1"}, {"Rep", "1"}}));
    e.setText(TAVIGraph::kFile, QStringLiteral("clip.avi"));
    scene.window.table[1] = 1;
    scene.draw(e);
    EXPECT_TRUE(e.playing());
    for (int k = 0; k < 3; ++k) e.advance();
    EXPECT_FALSE(e.playing());
    EXPECT_EQ(e.shownFrame(), 2);
    scene.draw(e); // the round is done; a repaint does not start it again
    EXPECT_FALSE(e.playing());
    scene.window.table[1] = 0;
    scene.draw(e);
    scene.window.table[1] = 1;
    scene.draw(e);
    EXPECT_TRUE(e.playing());
    EXPECT_EQ(e.shownFrame(), 0);
}

TEST(AVIGraph, ReportsAClipItCannotShowOncePerFailure) {
    QTemporaryDir dir;
    ShapeScene scene;
    const QString path = dir.filePath(QStringLiteral("noisy.avi"));
    scene.window.foundFile = path;
    TGraph& e = scene.add("AVI");
    e.setText(TAVIGraph::kFile, QStringLiteral("noisy.avi"));
    const QByteArray noisy = AviWriter(4, 2, 8, 0, {qRgb(1, 2, 3)}).withAudio().frame(QByteArray(8, '\0')).bytes();
    const QString message = QStringLiteral("AVI-File noisy.avi kann nicht angezeigt werden (File enthält vermutlich Tondaten).");
    const auto write = [&](const QByteArray& bytes) { Written(dir, "noisy.avi", bytes); };
    write(noisy);
    scene.draw(e);
    scene.draw(e);
    EXPECT_EQ(scene.window.scriptedDialogs.messages(), QStringList{message});
    write(ThreeFrames());
    scene.draw(e);
    write(noisy + QByteArray(2, '\0'));
    scene.draw(e);
    EXPECT_EQ(scene.window.scriptedDialogs.messages(), (QStringList{message, message}));
}

// The control sits with its lower-left corner on (x, y) and shows the frame.
TEST(AVIGraph, ControlOnTheWindowShowsTheFrame) {
    QTemporaryDir dir;
    QWidget parent;
    parent.resize(100, 100);
    struct Context : FakeElementContext {
        QWidget* widget = nullptr;
        QWidget* controlParent() override { return widget; }
    } window;
    window.widget = &parent;
    window.foundFile = Written(dir, "clip.avi", ThreeFrames());
    window.table[2] = 2;
    RegisterAllElements();
    TGraph* e = CreateElement(window, QStringLiteral("AVI"));
    e->setText(TAVIGraph::kFile, QStringLiteral("clip.avi"));
    e->setText(TAVIGraph::kFrIn, QStringLiteral("2"));
    e->setText(TAVIGraph::kX, QStringLiteral("30"));
    e->setText(TAVIGraph::kY, QStringLiteral("50"));
    QImage image(100, 100, QImage::Format_RGB32);
    Canvas canvas(image);
    e->Draw(canvas);
    const QList<QWidget*> children = parent.findChildren<QWidget*>();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children.front()->geometry(), QRect(30, 48, 4, 2));
    EXPECT_EQ(children.front()->grab().toImage().pixel(1, 1), qRgb(0, 255, 0));
    Rect bounds;
    e->GetBounds(bounds);
    EXPECT_EQ(bounds, (Rect{30, 48, 34, 50}));
}

} // namespace
} // namespace ovanto::testing
