// The picture kinds driven by qevtool simulate as a host would: clicks, steps and frames.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun Simulate(const QString& workingDirectory, const QStringList& arguments) {
    QProcess tool;
    tool.setWorkingDirectory(workingDirectory);
    tool.start(QStringLiteral(QEVTOOL_PATH), QStringList{QStringLiteral("simulate")} + arguments);
    ToolRun r;
    if (!tool.waitForFinished(120000)) return r;
    r.exitCode = tool.exitCode();
    r.out = QString::fromUtf8(tool.readAllStandardOutput());
    r.err = QString::fromUtf8(tool.readAllStandardError());
    return r;
}

const QString kExamples = QStringLiteral(OVANTO_SOURCE_DIR "/examples");

TEST(PicturesSimulate, ClicksStepsAndFrames) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.png"), b = dir.filePath("b.png");
    struct Case {
        const char* what;
        QString list;
        QStringList arguments;
        QString out;
    };
    const Case cases[] = {
        {"the picture switch writes its output and a click toggles it", kExamples + "/pictures.lst",
         {"--do", "step", "--print", "O5"}, "O5 1\n"},
        {"", kExamples + "/pictures.lst", {"--do", "step", "click:395,125", "--print", "O5"}, "O5 0\n"},
        {"sequences move between frames", kExamples + "/pictures.lst",
         {"--size", "440x240", "--dt", "0.3", "--do", "step", "frame:" + a, "step:3", "frame:" + b}, ""},
    };
    for (const Case& c : cases) {
        const ToolRun r = Simulate(kExamples, QStringList{c.list} + c.arguments);
        EXPECT_EQ(r.exitCode, 0) << c.what << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.what;
    }
    const QImage first(a), later(b);
    ASSERT_FALSE(first.isNull());
    EXPECT_NE(first, later);
}

// Metafiles and clips found beside the configuration: the clip following the time shows another frame later.
TEST(PicturesSimulate, MetafilesAndClipsOfTheMediaExample) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.png"), b = dir.filePath("b.png");
    const ToolRun r = Simulate(kExamples + "/media", {kExamples + "/media.lst", "--size", "400x200", "--dt", "0.5",
                                                       "--do", "step", "frame:" + a, "step:6", "frame:" + b});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QImage first(a), later(b);
    ASSERT_FALSE(first.isNull());
    // The tank's blue and the clip's frame inside the control (320..368 x 122..170).
    EXPECT_EQ(first.pixel(40, 60), qRgb(48, 112, 224));
    const QRect clip(320, 122, 48, 48);
    EXPECT_NE(first.copy(clip), later.copy(clip));
    EXPECT_NE(first.pixel(344, 165), qRgb(255, 255, 255));
}

TEST(PicturesSimulate, GeneratorWritesNumberedFramesDuringTheRun) {
    QTemporaryDir dir;
    const QString list = dir.filePath("generator.lst");
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("435\nRECT\t0\t255\t1\t-1\t0\t0\t\t10+10*I54\t40\t20\t20\t0\n");
    f.write("BMPSEQGENERATOR\t0\t0\t1\t-1\t0\t0\t\t0\t0\t0.2\t" + dir.filePath("frame.bmp").toUtf8() + "\n");
    f.close();
    const ToolRun r = Simulate(dir.path(), {list, "--size", "100x60", "--dt", "0.1", "--do", "step:6"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList frames = QDir(dir.path()).entryList({"frame_*.bmp"}, QDir::Files, QDir::Name);
    EXPECT_EQ(frames, (QStringList{"frame_0001.bmp", "frame_0002.bmp", "frame_0003.bmp"}));
    EXPECT_NE(QImage(dir.filePath("frame_0001.bmp")), QImage(dir.filePath("frame_0003.bmp")));
}

} // namespace
