// Scripted runs of the plant-symbol and instrument examples: what moves with the
// simulated time, and what moves with the paints.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

int runTool(const QStringList& arguments, QString* out = nullptr) {
    QProcess tool;
    tool.start(QStringLiteral(QEVTOOL_PATH), arguments);
    if (!tool.waitForFinished(120000)) return -1;
    if (out) *out = QString::fromUtf8(tool.readAllStandardOutput());
    return tool.exitCode();
}

int countIn(const QImage& image, QRect area, const std::function<bool(QColor)>& wanted) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool isBlack(QColor c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; }
bool isLiquid(QColor c) { return c.blue() > c.red() + 60; }

// One step of --dt seconds puts the formulas at t = dt: pi/2 makes every sine 1, 3 pi/2 makes it -1.
TEST(QevtoolFamilies, LevelsAndNeedlesFollowTheSimulatedTime) {
    struct Run {
        const char* file;
        const char* dt;
        QRect probe;
        std::function<bool(QColor)> ink;
        int atLeast, atMost;
    };
    const QRect flowNeedleLeft(55, 88, 26, 22), flowNeedleRight(100, 88, 26, 22);
    const QRect tankMiddle(25, 60, 20, 70);
    const Run runs[] = {
        // "Durchfluss" at 95 of 100: the needle points up to the right, nothing on the left.
        {"instruments.lst", "1.5708", flowNeedleRight, isBlack, 15, 400},
        {"instruments.lst", "1.5708", flowNeedleLeft, isBlack, 0, 3},
        {"instruments.lst", "4.7124", flowNeedleLeft, isBlack, 15, 400},
        {"instruments.lst", "4.7124", flowNeedleRight, isBlack, 0, 3},
        // The stirred tank at 90 % and at 10 %.
        {"process.lst", "1.5708", tankMiddle, isLiquid, 1000, 1400},
        {"process.lst", "4.7124", tankMiddle, isLiquid, 0, 20},
    };
    QTemporaryDir dir;
    for (const Run& r : runs) {
        SCOPED_TRACE(std::string(r.file) + " dt " + r.dt);
        const QString png = dir.filePath("frame.png");
        QString out;
        ASSERT_EQ(runTool({"simulate", OVANTO_SOURCE_DIR "/examples/" + QLatin1String(r.file), "--size", "640x490",
                           "--dt", r.dt, "--do", "step", "-o", png, "--print", "I54"},
                          &out),
                  0);
        EXPECT_EQ(out, "I54 " + QLatin1String(r.dt) + "\n");
        const int n = countIn(QImage(png), r.probe, r.ink);
        EXPECT_GE(n, r.atLeast);
        EXPECT_LE(n, r.atMost);
    }
}

// A tank's pattern moves one pixel to the right per step of its phase: on every
// paint with a negative "Delay" (two steps and a frame are three paints), never
// while the "Delay" has not passed.
TEST(QevtoolFamilies, PatternPhasesStepWithThePaintsAndTheDelay) {
    struct Run {
        const char* delay;
        int shift;
    };
    const Run runs[] = {{"-1", 3}, {"100000", 0}};
    QTemporaryDir dir;
    for (const Run& r : runs) {
        SCOPED_TRACE(r.delay);
        const QString list = dir.filePath("tank.lst");
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // A full tank of 80 x 100 with the dotted pattern 1, "Move" 1.
        file.write(QStringLiteral("435\nTANK\t0\t16760445\t1\t-1\t0\t0\tT\t20\t120\t80\t100\t100\t1\t%1\t0\t16777215\t1\t0\n")
                       .arg(QLatin1String(r.delay))
                       .toLatin1());
        file.close();
        const QString a = dir.filePath("a.png"), b = dir.filePath("b.png");
        ASSERT_EQ(runTool({"simulate", list, "--size", "140x140", "--do", "step", "frame:" + a, "step:2", "frame:" + b}), 0);
        const QImage first(a), second(b);
        ASSERT_FALSE(first.isNull());
        int dots = 0, moved = 0;
        for (int y = 25; y < 115; ++y) {
            for (int x = 30; x < 90; ++x) {
                if (!isBlack(first.pixelColor(x, y))) continue;
                ++dots;
                moved += isBlack(second.pixelColor(x + r.shift, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(dots, 100);
        EXPECT_EQ(moved, dots);
    }
}

} // namespace
