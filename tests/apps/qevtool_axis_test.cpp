#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString RunAxis(const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(QStringLiteral(QEVTOOL_PATH), QStringList{"axis"} + arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    if (exitCode) *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(QevtoolAxis, PrintsTheChosenAxis) {
    struct Case {
        QStringList arguments;
        QStringList lines;
    } cases[] = {
        {{"0", "120000"}, {"low 0\n", "high 120000\n", "exponent 3\n", "labels 0 20 40 60 80 100 120\n"}},
        {{"0", "0"}, {"low -1\n", "high 1\n"}},
        {{"5", "5"}, {"exponent 0\n", "labels 4.7 4.8 4.9 5.0 5.1 5.2 5.3\n"}},
        {{"0", "600", "--time-mode", "1"}, {"step 120\n"}},
        {{"1", "5", "--log"}, {"scale linear\n"}},
        {{"1", "1000", "--log"}, {"scale logarithmic\n", "labels 1e0 1e1 1e2 1e3\n"}},
        {{"0.3", "0.9", "--tight"}, {"low 0.300000012\n", "high 0.899999976\n", "labels 0.3 0.4 0.5 0.6 0.7 0.8 0.9\n"}},
        {{"0", "1", "--intervals", "2"}, {"step 0.5\n"}},
    };
    for (const Case& c : cases) {
        const QString out = RunAxis(c.arguments);
        for (const QString& line : c.lines) EXPECT_TRUE(out.contains(line)) << out.toStdString() << line.toStdString();
    }
    int code = 0;
    RunAxis({"1"}, &code);
    EXPECT_EQ(code, 2);
    RunAxis({"0", "1", "--pixels", "-3"}, &code);
    EXPECT_EQ(code, 2);
}

} // namespace
