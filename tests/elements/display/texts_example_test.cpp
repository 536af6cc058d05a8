#include "example_list.h"
#include "shape_scene.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

namespace ovanto::testing {
namespace {

const QString kExample = QStringLiteral(OVANTO_SOURCE_DIR "/examples/texts.lst");

QString simulate(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), arguments);
    if (!tool.waitForFinished(120000)) return QStringLiteral("(timeout)");
    return tool.exitCode() == 0 ? QString() : QString::fromUtf8(tool.readAllStandardError());
}

int countIn(const QImage& image, const QRect& area, const QColor& color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == color;
    return n;
}

TEST(TextsExample, HoldsEveryKind) {
    FakeElementContext window;
    LoadExampleList(window, "texts.lst");
    QSet<QString> kinds;
    for (const auto& e : window.elements) kinds.insert(e->Keyword());
    for (const char* kind : {"LABEL", "INFOTEXT", "MESSAGE", "MSGLIST", "TABLE"})
        EXPECT_TRUE(kinds.contains(QLatin1String(kind))) << kind;
}

TEST(TextsExample, StatusTextFollowsItsThresholdsInASimulatedRun) {
    QTemporaryDir dir;
    const QString early = dir.filePath("early.png"), late = dir.filePath("late.png");
    ASSERT_EQ(simulate({"simulate", kExample, "--size", "520x320", "--dt", "0.1", "--do", "step:6", "frame:" + early,
                        "step:35", "frame:" + late}),
              QString());
    const QImage at05(early), at40(late);
    ASSERT_FALSE(at05.isNull());
    ASSERT_FALSE(at40.isNull());
    // "Kesselzustand": 3 SIN(t) above 1 is "zu heiß" in red, below -1 "zu kalt" in blue.
    const QRect status(14, 110, 120, 36);
    EXPECT_GT(countIn(at05, status, QColor(255, 0, 0)), 10);
    EXPECT_EQ(countIn(at05, status, QColor(0, 0, 255)), 0);
    EXPECT_GT(countIn(at40, status, QColor(0, 0, 255)), 10);
    EXPECT_EQ(countIn(at40, status, QColor(255, 0, 0)), 0);
}

TEST(TextsExample, HostRunLeavesTheOnlineLogOnDisk) {
    QTemporaryDir dir;
    const QString list = dir.filePath("log.lst"), log = dir.filePath("online.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("435\r\nMSGLIST\t0\t16777215\t1\t-1\t0\t0\tLog\t20\t150\t200\t120\tSIN(I54)\t-1\tCOURIER NEW\t8\t0\t"
                "up %.2f\t0.5\t0\t0\t0\t0\t" +
                log + "\r\n")
                   .toUtf8());
    file.close();
    ASSERT_EQ(simulate({"simulate", list, "--dt", "0.1", "--do", "step:40"}), QString());
    QFile written(log);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    // Rising through 0.5 once in four seconds, at t = 0.6.
    EXPECT_EQ(written.readAll(), QByteArray("up 0.56\n"));
}

} // namespace
} // namespace ovanto::testing
