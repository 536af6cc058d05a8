#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int Count(const QImage& image, const QRect& r, QRgb color) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

TEST(QevtoolPlots, TheExampleRecordsItsCurvesAndTheAnalysisButtonNeverBlocks) {
    QTemporaryDir dir;
    const QString early = dir.filePath("early.png"), late = dir.filePath("late.png");
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH),
               {"simulate", OVANTO_SOURCE_DIR "/examples/plots.lst", "--size", "500x360", "--dt", "0.1", "--do",
                "step:30", "frame:" + early, "step:100", "click:440,328", "step", "frame:" + late, "--print", "I54"});
    ASSERT_TRUE(tool.waitForFinished(120000)) << "the analysis dialog blocked a headless run";
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(tool.readAllStandardOutput(), "I54 13.1\n");

    const QImage a(early), b(late);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    const QRect group(20, 20, 280, 150), circle(310, 20, 170, 150), recorder(20, 190, 370, 140);
    const struct {
        const char* name;
        QRect area;
        QRgb color;
    } curves[] = {{"sine", group, qRgb(255, 0, 0)},      {"ramp", group, qRgb(0, 0, 255)},
                  {"step", group, qRgb(0, 128, 0)},      {"circle", circle, qRgb(128, 0, 0)},
                  {"recorder", recorder, qRgb(128, 0, 128)}};
    for (const auto& c : curves) {
        EXPECT_GT(Count(a, c.area, c.color), 20) << c.name << " after 3 s";
        EXPECT_GT(Count(b, c.area, c.color), 20) << c.name << " after the analysis";
    }
}

} // namespace
