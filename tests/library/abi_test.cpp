#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// The block library driven by a plain C++ host in a process of its own, so the
// library has to bring its own application object.
TEST(BlockAbi, PlainHostDrivesTheExports) {
    const QString dir = QCoreApplication::applicationDirPath();
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    host.setProcessEnvironment(env);
    host.start(dir + "/abi_host", {dir + "/libovanto.so"});
    ASSERT_TRUE(host.waitForFinished(60000));
    const QString output = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(host.exitCode(), 0) << output.toStdString() << host.readAllStandardError().toStdString();
    EXPECT_TRUE(output.contains(" passed, 0 failed")) << output.toStdString();
}

} // namespace
