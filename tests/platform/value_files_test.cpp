#include "platform/value_files.h"

#include "platform/scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace ovanto {
namespace {

long double readBack(const QByteArray& text) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    char* end = nullptr;
    const long double value = strtold_l(text.constData(), &end, c);
    const bool whole = end == text.constData() + text.size();
    freelocale(c);
    EXPECT_TRUE(whole) << text.constData();
    return value;
}

bool sameValue(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

const std::vector<long double> kValues = {
    0.0L, -0.0L, 1.0L, -1.0L, 0.1L, 1.0L / 3.0L, 3.14159265358979323846264338327950288L,
    123456789.123456789L, -2.5e-300L, LDBL_MAX, -LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN,
    std::nextafter(1.0L, 2.0L), std::numeric_limits<long double>::infinity(),
    -std::numeric_limits<long double>::infinity(), std::numeric_limits<long double>::quiet_NaN(),
};

class ValueFiles : public ::testing::Test {
protected:
    QString target(const char* name) const { return dir.path() + QLatin1Char('/') + QLatin1String(name); }

    static QList<QByteArray> linesOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        // Every line must end in CR LF; the lines come back without it.
        QList<QByteArray> lines = file.readAll().split('\n');
        EXPECT_TRUE(lines.takeLast().isEmpty());
        for (QByteArray& line : lines) {
            EXPECT_TRUE(line.endsWith('\r')) << line.constData();
            line.chop(1);
        }
        return lines;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> dialogsOverride{dialogs};
};

TEST_F(ValueFiles, SimFileReadsBackExactly) {
    std::vector<long double> times(kValues.size());
    for (std::size_t i = 0; i < times.size(); ++i) times[i] = 0.001L * static_cast<long double>(i);
    dialogs.answerFile(target("run.sim"));
    QString name = QStringLiteral("Plot.sim");
    ASSERT_TRUE(SaveSimFile(times, kValues, name));
    EXPECT_EQ(name, target("run.sim"));

    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].filter, QStringLiteral("Simulationsdateien (*.sim)|*.SIM"));
    EXPECT_EQ(dialogs.calls()[0].fileName, QStringLiteral("Plot.sim"));

    const QList<QByteArray> lines = linesOf(name);
    ASSERT_EQ(lines.size(), qsizetype(kValues.size()));
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const QByteArray& line = lines[qsizetype(i)];
        const QList<QByteArray> fields = line.split(' ');
        ASSERT_EQ(fields.size(), 2) << line.constData();
        EXPECT_TRUE(sameValue(readBack(fields[0]), times[i])) << line.constData();
        EXPECT_TRUE(sameValue(readBack(fields[1]), kValues[i])) << line.constData();
    }
}

TEST_F(ValueFiles, XYFileUsesThreeBlanksAndTheCommonLength) {
    dialogs.answerFile(target("curve.xy"));
    QString name;
    ASSERT_TRUE(SaveXYFile({1.5L, -2.0L, 7.0L}, {0.25L, 1e10L}, name));
    EXPECT_EQ(dialogs.calls()[0].filter, QStringLiteral("xy-Wertepaardateien (*.xy)|*.XY"));
    const QList<QByteArray> lines = linesOf(name);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "1.50000000000000000000e+00   2.50000000000000000000e-01");
    EXPECT_EQ(lines[1], "-2.00000000000000000000e+00   1.00000000000000000000e+10");
}

TEST_F(ValueFiles, CancelWritesNothing) {
    dialogs.answerFile(std::nullopt);
    QString name = target("kept.sim");
    EXPECT_FALSE(SaveSimFile({1.0L}, {2.0L}, name));
    EXPECT_EQ(name, target("kept.sim"));
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ValueFiles, WriteErrorIsReportedWithTheFileName) {
    const QString bad = target("missing-dir/run.sim");
    dialogs.answerFile(bad);
    QString name;
    EXPECT_FALSE(SaveSimFile({1.0L}, {2.0L}, name));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(bad));
    EXPECT_EQ(dialogs.calls().back().icon, MessageIcon::Error);
}

} // namespace
} // namespace ovanto
