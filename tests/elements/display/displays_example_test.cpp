#include "elements/core/record.h"
#include "shape_scene.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

namespace ovanto::testing {
namespace {

const QString kExample = QStringLiteral(OVANTO_SOURCE_DIR "/examples/displays.lst");

TEST(DisplaysExample, HoldsEveryKindAndEachOneDraws) {
    QFile file(kExample);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.front().trimmed(), "435");
    ShapeScene scene(440, 350);
    scene.window.table[54] = 1.3L;
    QSet<QString> kinds;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        TGraph* e = ReadRecord(scene.window, QString::fromLatin1(lines[i].trimmed()));
        ASSERT_NE(e, nullptr) << lines[i].constData();
        kinds.insert(e->Keyword());
        if (e->Keyword() == QLatin1String("SEPARATOR")) continue;
        const int before = scene.count(kWhite);
        scene.draw(*e);
        EXPECT_LT(scene.count(kWhite), before) << e->Comment().toStdString();
    }
    for (const char* kind : {"NUMBER", "LCD", "7SEG", "LCDTEXT", "LED", "RECTLED", "PHOTOSENSOR", "TIME", "DATE"})
        EXPECT_TRUE(kinds.contains(QLatin1String(kind))) << kind;
}

TEST(DisplaysExample, LampsFollowTheirFormulasInASimulatedRun) {
    QTemporaryDir dir;
    const QString early = dir.filePath("early.png"), late = dir.filePath("late.png");
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), {"simulate", kExample, "--size", "440x350", "--dt", "0.1", "--do",
                                              "step:5", "frame:" + early, "step:8", "frame:" + late});
    ASSERT_TRUE(tool.waitForFinished(120000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage at05(early), at13(late);
    ASSERT_FALSE(at05.isNull());
    ASSERT_FALSE(at13.isNull());
    // "Lampe": SIN(3t) >= 0; "Lampe rot": FRAC(t) >= 0.5.
    EXPECT_EQ(at05.pixelColor(25, 255), QColor(0, 255, 0));
    EXPECT_EQ(at13.pixelColor(25, 255), QColor(128, 128, 128));
    EXPECT_EQ(at05.pixelColor(50, 255), QColor(255, 0, 0));
    EXPECT_EQ(at13.pixelColor(50, 255), QColor(128, 128, 128));
}

} // namespace
} // namespace ovanto::testing
