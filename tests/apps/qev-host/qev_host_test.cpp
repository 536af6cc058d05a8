#include "host/host_abi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

// qev-host and the stub library land beside the test executable.
QString binPath(const char* name) { return QCoreApplication::applicationDirPath() + '/' + QLatin1String(name); }

struct HostRun {
    int exitCode = -1;
    QString out;
    QString err;
    QStringList log; // the stub's call log
};

class QevHost : public testing::Test {
protected:
    HostRun run(QStringList arguments, const QString& library = binPath("libovanto_stub.so")) {
        const QString logPath = dir.filePath(QStringLiteral("calls.log"));
        QFile::remove(logPath);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OVANTO_STUB_LOG"), logPath);
        env.insert(extraEnv);
        p.setProcessEnvironment(env);
        if (childSetup)
            p.setChildProcessModifier(childSetup);
        p.start(binPath("qev-host"), QStringList{"--library", library, "--headless"} + arguments);
        HostRun r;
        if (!p.waitForFinished(60000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        QFile log(logPath);
        if (log.open(QIODevice::ReadOnly))
            r.log = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
        return r;
    }

    QString write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QStringList steps(const HostRun& r) { return r.log.filter(QRegularExpression("^SimulateDLL ")); }

    QTemporaryDir dir;
    QProcessEnvironment extraEnv;
    std::function<void()> childSetup;
};

const QByteArray kHostLines = "VELOR-SYSTEM 1\r\nStepSize=0.25\r\nEndTime=0\r\nInputs=plant\r\nCsv=\r\n"
                              "Interpolation=linear\r\nControl=auto\r\n";

TEST_F(QevHost, LibraryWithoutExportsNamesEveryMissingOne) {
    const HostRun r = run({"--steps", "1"}, binPath("libqevman.so"));
    EXPECT_EQ(r.exitCode, 2);
    for (const char* name : ovanto::abi::kExportNames)
        EXPECT_TRUE(r.err.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(r.err.contains(QLatin1String("22 export(s)")));

    const HostRun missing = run({"--steps", "1"}, dir.filePath(QStringLiteral("nothing.so")));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(QLatin1String("cannot load block library")));
}

TEST_F(QevHost, HeadlessRunCallsTheCycleInOrderAndWritesFrames) {
    const QString frames = dir.filePath(QStringLiteral("frames"));
    const HostRun r = run({"--steps", "3", "--frames", frames});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList expected = {"InitUserDLL host=0", "InitSimulationDLL2 0.1", "SimulateDLL 0 30 0 0",
                                  "EndSimulationDLL2", "DisposeUserDLL"};
    ASSERT_EQ(r.log.size(), 7) << r.log.join('|').toStdString();
    EXPECT_EQ(r.log[0], expected[0]);
    EXPECT_EQ(r.log[1], expected[1]);
    EXPECT_EQ(r.log[2], expected[2]); // the first step is inside InitSimulationDLL2, at t = 0 with the plant's start level
    EXPECT_TRUE(r.log[3].startsWith("SimulateDLL 0.1 "));
    EXPECT_TRUE(r.log[4].startsWith("SimulateDLL 0.2 "));
    EXPECT_EQ(r.log[5], expected[3]);
    EXPECT_EQ(r.log[6], expected[4]);
    for (const char* name : {"frame_0000.png", "frame_0001.png", "frame_0002.png"}) {
        const QImage frame(QDir(frames).filePath(QLatin1String(name)));
        EXPECT_FALSE(frame.isNull()) << name;
    }
    EXPECT_FALSE(QFile::exists(QDir(frames).filePath(QStringLiteral("frame_0003.png"))));
}

TEST_F(QevHost, SystemFileRoundTripKeepsEveryBlockSection) {
    const QByteArray blocks = "Blocks=2\r\nBLOCK 1\r\nSTUB-SECTION\r\nalpha\r\nBLOCK 2\r\nSTUB-SECTION\r\nbeta \r\x01x\r\n";
    const QString in = write("in.vsys", kHostLines + blocks);
    const QString out = dir.filePath(QStringLiteral("out.vsys"));
    const HostRun r = run({"--steps", "0", "--save", out, in});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList reads = {"ReadFromFile alpha", "ReadFromFile beta \r\x01x"};
    EXPECT_EQ(r.log.filter("ReadFromFile"), reads + reads) << "read, then read back before the file is replaced";
    EXPECT_EQ(read(out), kHostLines + blocks);
    EXPECT_FALSE(QFile::exists(out + ".tmp"));
    EXPECT_EQ(r.log.filter("DisposeUserDLL").size(), 4);
}

// Saving over a file whose sections were not read to their ends would drop
// what was left unread. Saving through a link replaces the link's target.
TEST_F(QevHost, UncleanSectionsWarnAndAreSavedOverOnlyByForce) {
    const QByteArray alpha = "BLOCK 1\r\nSTUB-SECTION\r\nalpha\r\n";
    const QByteArray beta = "BLOCK 2\r\nSTUB-SECTION\r\nbeta\r\n";
    const std::pair<QByteArray, QByteArray> cases[] = {{"Blocks=1\r\n" + alpha, "Zusatz\r\n"},
                                                       {"Blocks=2\r\n" + alpha, "Zusatz\r\n" + beta}};
    const QString link = dir.filePath(QStringLiteral("verweis.vsys"));
    ASSERT_TRUE(QFile::link(QStringLiteral("ziel.vsys"), link));
    for (const auto& [head, tail] : cases) {
        const QString file = write("ziel.vsys", kHostLines + head + tail);
        const HostRun refused = run({"--steps", "0", "--save", link, link});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QLatin1String("block 1: its section did not read cleanly")))
            << refused.err.toStdString();
        EXPECT_EQ(read(file), kHostLines + head + tail);

        const HostRun forced = run({"--steps", "0", "--force", "--save", link, link});
        EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
        EXPECT_EQ(read(file + ".bak"), kHostLines + head + tail);
        EXPECT_EQ(read(file), kHostLines + head + tail.mid(8));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
    }
}

TEST_F(QevHost, SavesThatDoNotReadBackLeaveTheOldFile) {
    const QByteArray good = kHostLines + "Blocks=1\r\nBLOCK 1\r\nSTUB-SECTION\r\nalpha\r\n";
    const QString in = write("in.vsys", good);
    const QString out = write("out.vsys", "ALT\r\n");
    const std::pair<bool, const char*> cases[] = {
        {true, "write failed"}, {false, "block 1: the section just written does not read back"}};
    for (const auto& [diskFull, message] : cases) {
        // The disk fills up in the middle of the section, or the stub adds a line its reader leaves.
        const auto fillDisk = [limit = static_cast<rlim_t>(good.size() - 4)] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
        };
        childSetup = diskFull ? std::function<void()>(fillDisk) : nullptr;
        extraEnv.clear();
        if (!diskFull) extraEnv.insert(QStringLiteral("OVANTO_STUB_SECTION_TAIL"), QStringLiteral("Rest"));
        const HostRun r = run({"--steps", "0", "--save", out, in});
        EXPECT_EQ(r.exitCode, 1) << message;
        EXPECT_TRUE(r.err.contains(QLatin1String(message))) << r.err.toStdString();
        EXPECT_EQ(read(out), "ALT\r\n") << message;
    }
}

TEST_F(QevHost, BrokenSystemFilesFailWithTheReason) {
    const struct {
        QByteArray text;
        const char* message;
        int blocksRead;
    } cases[] = {
        {"VELOR 2\r\n", "not a system file", 0},
        {kHostLines, "ends before", 0},
        {kHostLines + "Blocks=-1\r\n", "bad block count", 0},
        {"VELOR-SYSTEM 1\r\nStepSize=0\r\nBlocks=0\r\n", "bad value for StepSize", 0},
        {kHostLines + "Blocks=2\r\nBLOCK 1\r\nSTUB-SECTION\r\na\r\nBLOCK 3\r\n", "block 2: marker line missing", 1},
    };
    for (const auto& c : cases) {
        const HostRun r = run({"--steps", "1", write("bad.vsys", c.text)});
        EXPECT_EQ(r.exitCode, 1) << c.message;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.log.filter("ReadFromFile").size(), c.blocksRead) << c.message;
        EXPECT_EQ(r.log.filter("InitUserDLL").size(), r.log.filter("DisposeUserDLL").size()) << c.message;
    }
}

TEST_F(QevHost, CsvInputsInterpolateOrHold) {
    const QString csv = write("in.csv", "t,level,flow,temp\n0,0,1,20\n1,10,1,20\n2,10,3,40\n");
    const HostRun linear = run({"--steps", "6", "--step", "0.25", "--csv", csv});
    ASSERT_EQ(linear.exitCode, 0) << linear.err.toStdString();
    EXPECT_EQ(steps(linear), (QStringList{"SimulateDLL 0 0 1 20", "SimulateDLL 0.25 2.5 1 20",
                                          "SimulateDLL 0.5 5 1 20", "SimulateDLL 0.75 7.5 1 20",
                                          "SimulateDLL 1 10 1 20", "SimulateDLL 1.25 10 1.5 25"}));
    const HostRun hold = run({"--steps", "6", "--step", "0.25", "--csv", csv, "--hold"});
    ASSERT_EQ(hold.exitCode, 0) << hold.err.toStdString();
    EXPECT_EQ(steps(hold).last(), "SimulateDLL 1.25 10 1 20");
    EXPECT_EQ(steps(hold)[3], "SimulateDLL 0.75 0 1 20");

    const HostRun bad = run({"--steps", "1", "--csv", write("bad.csv", "0,1\n1,x\n")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QLatin1String("line 2: not a number"))) << bad.err.toStdString();
}

TEST_F(QevHost, DemoSystemLoadsItsBlockSection) {
    // The stub does not understand the demo's section; the host still reads its own lines and runs.
    const HostRun r = run({"--demo", "--steps", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.log.filter("ReadFromFile").size(), 1);
    EXPECT_EQ(steps(r).size(), 2);
    EXPECT_TRUE(steps(r)[1].startsWith("SimulateDLL 0.1 "));
}

} // namespace
