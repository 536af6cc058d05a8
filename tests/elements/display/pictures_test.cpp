#include "example_list.h"
#include "shape_scene.h"

#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/display/pictures.h"
#include "platform/picture_library.h"
#include "platform/preset_pictures.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;

// A scene whose user picture store holds 9001 (red) and 9002 (green), 10 x 10.
struct PictureScene : ShapeScene {
    QTemporaryDir dir;
    PictureLibrary pictures;

    explicit PictureScene(int width = 100, int height = 100)
        : ShapeScene(width, height), pictures(dir.filePath(QStringLiteral("builtin")), {dir.path()}) {
        save(9001, Qt::red);
        save(9002, Qt::green);
        pictures.rescan();
        window.library = &pictures;
    }
    void save(int id, Qt::GlobalColor color) {
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(color);
        picture.save(dir.filePath(QString::number(id) + QStringLiteral(".bmp")), "BMP");
    }
};

// --- picture sources --------------------------------------------------------------------------

TEST(PictureSource, FileNumberOrHatchedRectangle) {
    struct Case {
        const char* name;
        TColor centre;
    };
    const Case cases[] = {{"9001", kRed}, {"C:\\pics\\9002", kGreen}, {"no such picture", kWhite}, {"70000", kWhite}};
    for (const Case& c : cases) {
        PictureScene scene;
        TGraph& e = scene.add("STATEBMP", {{"x", "10"}, {"y", "40"}, {"w", "30"}, {"h", "30"}, {"OffBMPFile or ID", c.name}});
        scene.draw(e);
        EXPECT_EQ(scene.at(26, 25), c.centre) << c.name; // off the hatch lines
        // The hatched frame of a failure, the untouched outside of a picture.
        EXPECT_EQ(scene.at(10, 12), c.centre == kWhite ? kBlack : kWhite) << c.name;
    }
}

TEST(PictureSource, FoundFileWinsOverTheNumber) {
    PictureScene scene;
    scene.window.foundFile = scene.pictures.filePath(PictureStore::User, 9002);
    TGraph& e = scene.add("BITMAP", {{"x", "0"}, {"y", "10"}, {"w", "10"}, {"h", "10"}, {"File or Id", "9001"}});
    scene.draw(e);
    EXPECT_EQ(scene.at(5, 5), kGreen);
}

// A file read once is not read again while it is unchanged, but a changed file shows at the
// next draw outside a run; during a run a picture keeps its name and so its pixels.
TEST(PictureSource, AChangedFileShowsOutsideARunOnly) {
    PictureScene scene;
    const QString path = scene.dir.filePath(QStringLiteral("photo.bmp"));
    int generation = 0;
    const auto paint = [&](Qt::GlobalColor color) {
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(color);
        ASSERT_TRUE(picture.save(path, "BMP"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        // Two saves within one clock tick would look alike; the tests move the time on.
        file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(++generation), QFileDevice::FileModificationTime);
    };
    scene.window.foundFile = path;
    TGraph& e = scene.add("BITMAP", {{"x", "0"}, {"y", "10"}, {"w", "10"}, {"h", "10"}, {"File or Id", "photo.bmp"}});
    struct Step {
        Qt::GlobalColor file;
        bool running;
        TColor shown;
    };
    const Step steps[] = {{Qt::red, false, kRed}, {Qt::green, false, kGreen}, {Qt::red, true, kGreen}, {Qt::red, false, kRed}};
    for (const Step& s : steps) {
        paint(s.file);
        scene.window.running = s.running;
        scene.draw(e);
        EXPECT_EQ(scene.at(5, 5), s.shown) << s.running;
    }
}

// --- BITMAP ------------------------------------------------------------------------------------

TEST(BitmapGraph, StretchesUnlessTheSizeMatchesAndReportsMissingNamesOnLoad) {
    PictureScene scene;
    TGraph& e = scene.add("BITMAP", {{"x", "20"}, {"y", "60"}, {"w", "40"}, {"h", "20"}, {"File or Id", "9001"}});
    scene.draw(e);
    EXPECT_EQ(scene.at(21, 41), kRed);
    EXPECT_EQ(scene.at(59, 59), kRed);
    EXPECT_EQ(scene.at(60, 59), kWhite);

    for (const char* name : {"9001", "missing.bmp"}) {
        TGraph& loaded = scene.add("BITMAP");
        QString record = QStringLiteral("0\t0\t0\t-1\t0\t1\t\t1\t2\t3\t4\t0\t") + QLatin1String(name);
        loaded.LoadFromString(record);
    }
    EXPECT_EQ(scene.window.scriptedDialogs.messages(),
              QStringList{QStringLiteral("Datei bzw. Bitmap missing.bmp kann nicht geöffnet werden!")});
}

// --- BMPSEQ ------------------------------------------------------------------------------------

TEST(BMPSequenceGraph, FrameOfTheBand) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        long double v, min, max;
        int count, frame;
    };
    const Case cases[] = {
        {0.25L, 0, 1, 4, 1}, {0.26L, 0, 1, 4, 2}, {0.9L, 0, 1, 4, 4}, {-5, 0, 1, 4, 1}, {0.9L, 0, 1, 1, 1},
        {nan, 0, 1, 4, 1},   {0.26L, 0, 1, 20, 6}, {0.5L, 0, 1, 1000000000, 1}, {1e-9L, 0, 1, 1000000000, 1},
        {3, 2, 2, 4, 4},     {2, 2, 2, 4, 1},      {0.9L, 1, 0, 4, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SequenceFrameOf(c.v, c.min, c.max, c.count), c.frame) << double(c.v) << " " << c.count;
}

TEST(BMPSequenceGraph, CyclesByTimeOnlyDuringARunAndWhileItsSwitchIsOn) {
    struct Case {
        const char* input;
        long double i3;
        bool running;
        std::vector<int> frames; // after paints at +50, +51, +101, +1 ms
    };
    const Case cases[] = {
        {"0", 0, true, {1, 2, 3, 3}}, {"0", 0, false, {1, 1, 1, 1}}, {"-3", 2, true, {1, 1, 1, 1}},
        {"-3", 3, true, {1, 2, 3, 3}}, {"7000", 9, true, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        PictureScene scene;
        scene.window.running = c.running;
        scene.window.table[3] = c.i3;
        auto& e = static_cast<TBMPSequenceGraph&>(
            scene.add("BMPSEQ", {{"Input", c.input}, {"BMPCount", "3"}, {"Delay", "100"}}));
        e.Init();
        std::vector<int> frames;
        for (const unsigned step : {50u, 51u, 101u, 1u}) {
            scene.window.manualClock.advance(step);
            scene.draw(e);
            frames.push_back(e.frame());
        }
        EXPECT_EQ(frames, c.frames) << c.input;
    }
}

TEST(BMPSequenceGraph, ChannelPicksTheFramePicture) {
    PictureScene scene;
    TGraph& e = scene.add("BMPSEQ", {{"Input", "2"}, {"BMPCount", "2"}, {"BMPFile[1] or Id", "9001"},
                                     {"BMPFile[2] or Id", "9002"}, {"Transparent (0/1)", "0"}});
    scene.window.table[2] = 0.7L;
    scene.draw(e); // box 40..120 x 25..50: picture at 75..85 x 32..42
    EXPECT_EQ(scene.at(80, 37), kGreen);
    EXPECT_EQ(scene.at(74, 37), kWhite);
    scene.window.table[2] = 0.2L;
    scene.draw(e);
    EXPECT_EQ(scene.at(80, 37), kRed);
}

TEST(BMPSequenceGraph, GridShowsTheChannelInRowThreeAndTheRecordAfterTheSize) {
    PictureScene scene;
    TGraph& e = scene.add("BMPSEQ", {{"Input", "-3"}});
    MemoryGrid elements(2), props(2);
    e.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.rowCount(), 27);
    EXPECT_EQ(props.cell(0, 3), QStringLiteral("Input"));
    EXPECT_EQ(props.cell(0, 11), QStringLiteral("BMPCount"));
    EXPECT_EQ(props.cell(0, 25), QStringLiteral("Delay"));
    e.PropsToGrid(elements, props, 1);
    EXPECT_EQ(props.cell(1, 3), QStringLiteral("-3"));
    EXPECT_TRUE(WriteRecord(e).contains(QStringLiteral("\t40\t50\t80\t25\t-3\t2\t*.BMP")));
}

TEST(BMPSequenceGraph, PresetsMakeSequencesOfTheirOwnSizeFromDrawnFrames) {
    PictureScene scene;
    EXPECT_EQ(MakeSequencePreset(scene.window, 99), nullptr);
    ASSERT_EQ(SequencePresets().size(), 21u);
    for (const SequencePreset& preset : SequencePresets()) {
        const auto e = MakeSequencePreset(scene.window, preset.tag);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->text(TBMPSequenceGraph::kY), QString::number(preset.h + 10));
        QImage previous;
        for (int i = 0; i < preset.count; ++i) {
            const int id = e->text(TBMPSequenceGraph::kFirst + i).toInt();
            const Picture p = scene.pictures.load(id);
            ASSERT_FALSE(p.isEmpty()) << id;
            EXPECT_EQ(p.width(), preset.w) << id;
            EXPECT_EQ(p.height(), preset.h) << id;
            // A cycle moves: consecutive frames differ (the repeated last drop excepted).
            if (i > 0 && id != e->text(TBMPSequenceGraph::kFirst + i - 1).toInt()) {
                EXPECT_NE(p.image(), previous) << id;
            }
            previous = p.image();
        }
    }
}

// --- STATEBMP ----------------------------------------------------------------------------------

TEST(StateBMPGraph, OnFromOnValueUpOffForAnInvalidChannel) {
    struct Case {
        const char* input;
        long double i1;
        TColor shown;
    };
    const Case cases[] = {{"1", 5, kRed}, {"1", 4.99L, kGreen}, {"80", 100, kGreen}, {"I1*2", 3, kRed}};
    for (const Case& c : cases) {
        PictureScene scene;
        scene.window.table[1] = c.i1;
        TGraph& e = scene.add("STATEBMP", {{"Input", c.input}, {"OnBMPFile or ID", "9001"}, {"OffBMPFile or ID", "9002"}});
        scene.draw(e);
        EXPECT_EQ(scene.at(80, 37), c.shown) << c.input;
    }
}

// --- DYNBMP ------------------------------------------------------------------------------------

TEST(DynBMPGraph, OutputNumbersMapOntoTheSignalTable) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        long double number;
        int position;
    };
    const Case cases[] = {{3, 59},   {0, 57},   {77, 57},  {120, 146}, {2.5L, 58}, {3.5L, 60},
                          {50, 106}, {300, 326}, {301, 0}, {1e30L, 0}, {nan, 57},  {-4, 57}};
    for (const Case& c : cases) EXPECT_EQ(OutputPositionOf(c.number), c.position) << double(c.number);
}

TEST(DynBMPGraph, ClicksToggleOrHoldAndWriteTheOutput) {
    struct Case {
        const char* mode;
        const char* simEnabled;
        bool running;
        long double afterDown, afterUp;
        int beeps;
    };
    const Case cases[] = {
        {"0", "1", true, 5, 5, 0}, {"1", "1", true, 5, 0, 0}, {"0", "0", true, 0, 0, 1}, {"0", "0", false, 5, 5, 0},
    };
    for (const Case& c : cases) {
        PictureScene scene;
        scene.window.running = c.running;
        TGraph& e = scene.add("DYNBMP", {{"Output", "3"}, {"Mode (0/1)", c.mode}, {"SimEnabled (0/1)", c.simEnabled}});
        e.MouseDown(50, 40);
        EXPECT_EQ(scene.window.table[59], c.afterDown) << c.mode << c.simEnabled;
        e.MouseUp(50, 40);
        EXPECT_EQ(scene.window.table[59], c.afterUp) << c.mode << c.simEnabled;
        EXPECT_EQ(scene.window.countingSound.beeps(), c.beeps);
        e.MouseDown(200, 40); // outside
        EXPECT_EQ(scene.window.table[59], c.afterUp);
    }
}

TEST(DynBMPGraph, RecordKeepsTheStateAndReadsLateFieldsAboveTheirVersions) {
    PictureScene scene;
    const QString record = QStringLiteral("DYNBMP\t0\t0\t1\t-1\t0\t1\t\t40\t50\t80\t25\t7\t3\t1\ton\toff\t1\t1\t0");
    struct Case {
        int version;
        const char* transparent;
        const char* mode;
        const char* simEnabled;
    };
    const Case cases[] = {{295, "0", "0", "1"}, {317, "1", "0", "1"}, {389, "1", "1", "1"}, {435, "1", "1", "0"}};
    for (const Case& c : cases) {
        RecordVersionScope scope;
        SetRecordVersion(c.version);
        TGraph* e = ReadRecord(scene.window, record);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(ShapeScene::get(*e, "Transparent (0/1)"), c.transparent) << c.version;
        EXPECT_EQ(ShapeScene::get(*e, "Mode (0/1)"), c.mode) << c.version;
        EXPECT_EQ(ShapeScene::get(*e, "SimEnabled (0/1)"), c.simEnabled) << c.version;
        EXPECT_EQ(ShapeScene::get(*e, "OnBMPFile or Id"), QStringLiteral("on"));
        QString described;
        e->DescribeOutput(described);
        EXPECT_EQ(described, QStringLiteral("DYNBMP (OUTPUT = 3, VALUE = 1)\n\r"));
    }
}

} // namespace
} // namespace ovanto::testing

namespace ovanto::testing {
namespace {

// --- SOUND -------------------------------------------------------------------------------------

TEST(SoundGraph, LoopsWhileVisibleAndUnmutedWithoutRestartingAndStopsOtherwise) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("pump.wav"));
    QFile(wav).open(QIODevice::WriteOnly);
    PictureScene scene;
    scene.window.foundFile = wav;
    TGraph& e = scene.add("SOUND", {{"File", "pump.wav"}});
    for (int i = 0; i < 3; ++i) scene.draw(e);
    EXPECT_EQ(scene.window.countingSound.looping(), wav);
    EXPECT_EQ(scene.window.countingSound.loopStarts(), 1);
    scene.window.muted = true;
    scene.draw(e);
    EXPECT_TRUE(scene.window.countingSound.looping().isEmpty());
    EXPECT_EQ(scene.window.countingSound.beeps(), 0);
}

TEST(SoundGraph, MissingFileBeepsAndReportsOnLoadUnlessItIsThePlaceholder) {
    struct Case {
        const char* name;
        int beeps;
        int messages;
    };
    const Case cases[] = {{"gone.wav", 1, 1}, {"*.WAV", 0, 0}};
    for (const Case& c : cases) {
        PictureScene scene;
        TGraph& e = scene.add("SOUND");
        QString record = QStringLiteral("0\t0\t1\t-1\t0\t1\t\t40\t40\t") + QLatin1String(c.name);
        e.LoadFromString(record);
        scene.draw(e);
        EXPECT_EQ(scene.window.countingSound.beeps(), c.beeps) << c.name;
        EXPECT_EQ(scene.window.scriptedDialogs.messages().size(), c.messages) << c.name;
    }
}

TEST(SoundGraph, OldRecordsHoldOnlyTheFile) {
    PictureScene scene;
    RecordVersionScope scope;
    SetRecordVersion(382);
    TGraph* e = ReadRecord(scene.window, QStringLiteral("SOUND\t0\t0\t1\t-1\t0\t1\t\t*.WAV"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(ShapeScene::get(*e, "x"), QStringLiteral("40"));
    EXPECT_EQ(ShapeScene::get(*e, "File"), QStringLiteral("*.WAV"));
}

// --- BMPSEQGENERATOR ---------------------------------------------------------------------------

TEST(BMPSeqGeneratorGraph, WritesTheNextFreeNumberOncePerInterval) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("frame.bmp"));
    for (const int n : {1, 2}) QFile(GeneratedFrameName(base, n)).open(QIODevice::WriteOnly);
    EXPECT_TRUE(GeneratedFrameName(base, 3).endsWith(QStringLiteral("frame_0003.bmp")));
    EXPECT_TRUE(GeneratedFrameName(QStringLiteral("dir.x/clip"), 12345).endsWith(QStringLiteral("clip_12345")));

    PictureScene scene; // steps of 0.1
    auto& e = static_cast<TBMPSeqGeneratorGraph&>(scene.add("BMPSEQGENERATOR", {{"OutputInterval", "0.25"}}));
    e.setText(TBMPSeqGeneratorGraph::kFilenameBase, base);
    e.Init();
    for (int i = 0; i < 3; ++i) e.AfterRepaint(scene.image);
    EXPECT_TRUE(QFileInfo::exists(GeneratedFrameName(base, 3)));
    EXPECT_FALSE(QFileInfo::exists(GeneratedFrameName(base, 4)));
    for (int i = 0; i < 3; ++i) e.AfterRepaint(scene.image);
    EXPECT_TRUE(QFileInfo::exists(GeneratedFrameName(base, 4)));

    for (const char* ignored : {"*.bmp", ""}) {
        e.setText(TBMPSeqGeneratorGraph::kFilenameBase, ignored);
        for (int i = 0; i < 6; ++i) e.AfterRepaint(scene.image);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}

} // namespace
} // namespace ovanto::testing

namespace ovanto::testing {
namespace {

// examples/pictures.lst: every picture kind, read without a message, moving while a run goes on.
TEST(PicturesExample, EveryKindIsThereAndTheSequencesMove) {
    PictureScene scene(440, 240);
    LoadExampleList(scene.window, "pictures.lst");
    EXPECT_TRUE(scene.window.scriptedDialogs.messages().isEmpty());
    QSet<QString> kinds;
    for (const auto& e : scene.window.elements) kinds.insert(e->Keyword());
    for (const char* k : {"BITMAP", "BMPSEQ", "STATEBMP", "DYNBMP", "SOUND", "BMPSEQGENERATOR"})
        EXPECT_TRUE(kinds.contains(QString::fromLatin1(k))) << k;

    scene.window.running = true;
    const auto frame = [&](long double t) {
        scene.window.table[54] = t;
        scene.window.manualClock.advance(300);
        scene.image.fill(Qt::white);
        Canvas canvas(scene.image);
        for (const auto& e : scene.window.elements) e->Draw(canvas);
        return scene.image.copy();
    };
    const QImage a = frame(0.1L), b = frame(0.4L);
    EXPECT_NE(a, b);
    // The hatched rectangle of a missing picture shows nowhere.
    EXPECT_LT(scene.count(kBlack), 2000);
}

} // namespace
} // namespace ovanto::testing
