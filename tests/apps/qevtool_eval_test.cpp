#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct EvalCase {
    QStringList arguments;
    QString out;
    QString err;
    int exitCode;
};

TEST(QevtoolEval, PrintsValuesErrorsAndExitCodes) {
    const EvalCase cases[] = {
        {{"i1*2+o1", "i1=2.5", "o1=1"}, "6\n", "", 0},
        {{"120"}, "120\n", "", 0},
        {{"1,5"}, "1.5\n", "", 0},
        {{"0.1"}, "0.1\n", "", 0},
        {{"E200/4", "e200=1"}, "0.25\n", "", 0},
        {{"PI"}, "3.14159265358979324\n", "", 0},
        {{"1/0"}, "0\n", "error 200\n", 1},
        {{"(I1"}, "0\n", "error 405\n", 1},
        {{""}, "0\n", "error 401\n", 1},
        {{"I1", "X9=1"}, "", "qevtool eval: unknown signal 'X9'\n", 2},
        {{"I1", "I1"}, "", "qevtool eval: unknown signal 'I1'\n", 2},
        {{"I1", "I1=abc"}, "", "qevtool eval: bad value in 'I1=abc'\n", 2},
        {{}, "", "usage: qevtool eval FORMULA [NAME=VALUE ...]\n", 2},
    };
    for (const EvalCase& c : cases) {
        QProcess process;
        process.start(QStringLiteral(QEVTOOL_PATH), QStringList{"eval"} + c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString joined = c.arguments.join(' ');
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), c.out) << joined.toStdString();
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), c.err) << joined.toStdString();
        EXPECT_EQ(process.exitCode(), c.exitCode) << joined.toStdString();
    }
}

} // namespace
