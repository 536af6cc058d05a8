#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun qevtool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), arguments);
    ToolRun r;
    if (!tool.waitForFinished(120000)) return r;
    r.exitCode = tool.exitCode();
    r.out = QString::fromUtf8(tool.readAllStandardOutput());
    r.err = QString::fromUtf8(tool.readAllStandardError());
    return r;
}

const QString kDemo = QStringLiteral(OVANTO_SOURCE_DIR "/examples/demo/demo.qev");
const QString kShapes = QStringLiteral(OVANTO_SOURCE_DIR "/examples/shapes.lst");

TEST(QevtoolSimulate, StepsSetsAndPrintsAsAHostWould) {
    // Time advances by --dt per step; names the block has not configured go straight into the table.
    ToolRun r = qevtool({"simulate", kShapes, "--dt", "0.5", "--set", "C1=2", "--do", "step:4", "set:E7=-1.25",
                     "--print", "I54,C1,E7,CW,CH"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "I54 2\nC1 2\nE7 -1.25\nCW 300\nCH 300\n");

    // The demo's input 1 is configured: the host value is scaled and limited into the table every step.
    QTemporaryDir dir;
    const QString first = dir.filePath("first.png"), last = dir.filePath("last.png");
    r = qevtool({"simulate", kDemo, "--set", "I1=60", "--do", "frame:" + first, "step:2", "set:I1=0", "step", "-o",
                 last, "--print", "I1"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "I1 0\n");
    const QImage full(first), empty(last);
    ASSERT_FALSE(full.isNull());
    EXPECT_EQ(full.size(), empty.size()) << "the file's own window size";
    EXPECT_EQ(full.pixelColor(110, 200), QColor(Qt::blue)) << "the water of a tank filled to 60 %";
    EXPECT_NE(empty.pixelColor(110, 200), QColor(Qt::blue));
}

TEST(QevtoolSimulate, RenderAndSimulateReadAnimationFilesAndRefuseBadArguments) {
    QTemporaryDir dir;
    const QString png = dir.filePath("demo.png");
    EXPECT_EQ(qevtool({"render", kDemo, "-o", png}).exitCode, 0);
    EXPECT_FALSE(QImage(png).isNull());

    const QStringList bad[] = {{"simulate"},
                               {"simulate", kShapes, "--do", "jump:3"},
                               {"simulate", kShapes, "--do", "step:x"},
                               {"simulate", kShapes, "--do", "click:4"},
                               {"simulate", kShapes, "--do", "key:999"},
                               {"simulate", kShapes, "--print", "I1,XX"},
                               {"simulate", kShapes, "--set", "Q1=3"},
                               {"simulate", kShapes, "--dt", "0"},
                               {"simulate", dir.filePath("missing.qev")}};
    for (const QStringList& arguments : bad) {
        const ToolRun r = qevtool(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("qevtool simulate: ")) << r.err.toStdString();
    }
}

} // namespace
