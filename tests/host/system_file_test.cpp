#include "host/system_file.h"

#include "host/config_lines.h"
#include "qevman/qevman.h"
#include "recording_window_manager.h"
#include "sample_configuration.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace ovanto::testing {
namespace {

using Calls = std::vector<std::string>;
using Lines = QList<QByteArray>;

// An anonymous file standing in for the host's system file.
struct HostFile {
    std::FILE* file = std::tmpfile();
    ~HostFile() { std::fclose(file); }
    int fd() const { return fileno(file); }
    QByteArray rest() const {
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd(), buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        return all;
    }
};

QByteArray written(FakeBlockWindow& w) {
    HostFile f;
    EXPECT_TRUE(WriteSystemSection(f.fd(), w));
    ::lseek(f.fd(), 0, SEEK_SET);
    return f.rest();
}

// Reads `bytes`; with a host line after them, that line must be left unread.
bool readSection(const QByteArray& bytes, FakeBlockWindow& w, bool hostLine = true) {
    HostFile f;
    const QByteArray all = hostLine ? bytes + "HOST\r\n" : bytes;
    [[maybe_unused]] auto n = ::write(f.fd(), all.constData(), static_cast<size_t>(all.size()));
    ::lseek(f.fd(), 0, SEEK_SET);
    const bool complete = ReadSystemSection(f.fd(), w);
    if (hostLine) {
        EXPECT_EQ(f.rest(), "HOST\r\n");
    }
    return complete;
}

QByteArray crlf(const Lines& lines) { return lines.join("\r\n") + "\r\n"; }
Lines split(const QByteArray& bytes) {
    Lines lines = bytes.chopped(1).split('\n');
    for (QByteArray& line : lines) line.chop(1);
    return lines;
}

TEST(DescriptorLines, OnlyCrLfEndsALineAndTheReaderStopsAfterIt) {
    HostFile f;
    const QByteArray text = "a\rb\nc\r\r\n" + QByteArray(1200, 'x') + "\r\nlast\r\nrest\r\n";
    ASSERT_EQ(::write(f.fd(), text.constData(), static_cast<size_t>(text.size())), text.size());
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], text.constData(), static_cast<size_t>(text.size())), text.size());
    ::close(pipeEnds[1]);
    ::lseek(f.fd(), 0, SEEK_SET);
    for (int fd : {f.fd(), pipeEnds[0]}) {
        {
            DescriptorLineReader reader(fd);
            QByteArray a, b, c;
            ASSERT_TRUE(reader.next(a) && reader.next(b) && reader.next(c));
            EXPECT_EQ(a, "a\rb\nc\r");
            EXPECT_EQ(b, QByteArray(1000, 'x'));
            EXPECT_EQ(c, "last");
        }
        char rest[16] = {};
        EXPECT_EQ(::read(fd, rest, sizeof rest), 6);
        EXPECT_STREQ(rest, "rest\r\n");
    }
    ::close(pipeEnds[0]);
    ASSERT_EQ(::write(f.fd(), "x\r", 2), 2);
    ::lseek(f.fd(), -2, SEEK_END);
    DescriptorLineReader tail(f.fd());
    QByteArray line;
    EXPECT_TRUE(tail.next(line));
    EXPECT_EQ(line, "x\r") << "the end of the file ends a line";
    EXPECT_FALSE(tail.next(line));
}

TEST(SystemSection, RoundTripCarriesEveryFieldAndRegistersInOrder) {
    RecordingWindowManager manager;
    manager.hasManagerWindow = true;
    manager.managerWindow.setGeometry(40, 60, 200, 150);
    manager.state = 0x85;
    FakeBlockWindow source, target, newer;
    fillSample(source);
    const QByteArray bytes = written(source);
    manager.managerWindow.setGeometry(0, 0, 10, 10);
    EXPECT_TRUE(readSection(bytes, target));
    EXPECT_EQ(written(target), bytes);
    EXPECT_TRUE(bytes.startsWith("435\r\nKessel S\xFC" "d \x96 \xDC" "bersicht\r\n2\r\nSEPARATOR\t"));
    EXPECT_TRUE(bytes.contains("\r\n1\r\n1\r\n40\r\n60\r\n240\r\n210\r\n5\r\n6\r\n200\r\n 0.0000")) << "manager row";
    EXPECT_EQ(manager.calls, (Calls{"SetQEVManFormState:5", "AddQEVForm", "InitQEVManager", "AddQEVFormMan",
                                    "SetQEVFormCaption"}));
    EXPECT_EQ(manager.managerWindow.geometry(), QRect(40, 60, 200, 150));
    EXPECT_FALSE(target.visible) << "visible before simulation is off";
    EXPECT_EQ(target.repaintFlagAtUpdateOutputs, std::vector<bool>{false});
    EXPECT_TRUE(readSection("9999" + bytes.mid(3), newer)) << "higher versions read like this one";
    EXPECT_EQ(written(newer), bytes);
}

Lines version300() {
    Lines l{"300", "Alt", "4", "SEPARATOR\t255\t0\t1\t-1\t0\t0\t" + QByteArray(1200, '='), "FOO\t1\t2", "SEPARATOR",
            "SEPARATOR\t1\t1\t1\t1\t1\t1\tB", "5", "6", "301", "200", "0", "2", "1", "Zulauf", "2", "-1", "255", "4",
            "5", "6", "1", "2", "3", "1", "Aus", "3", "0", "1", "hilfe.txt", "1", "7.5"};
    for (int j = 1; j <= 20; ++j) l << QByteArray::number(j) << "C" + QByteArray::number(j);
    return l;
}

TEST(SystemSection, Version300HasNoLimitLinesAndEndsAfterTheConstants) {
    RecordingWindowManager manager;
    FakeBlockWindow w;
    RegisterAllElements();
    EXPECT_TRUE(readSection(crlf(version300()), w));
    const BlockConfiguration& c = w.config;
    ASSERT_EQ(w.elementCount(), 2) << "FOO and the line without a TAB are skipped";
    EXPECT_EQ(w.elementAt(0)->Comment().size(), 1000 - version300()[3].indexOf('=')) << "cut to 1000 characters";
    EXPECT_EQ(w.log.front(), "background:0") << "records become elements after the colour row";
    EXPECT_EQ(c.InputFactor[0] + c.InputOffset[0], 1.0L);
    EXPECT_EQ(c.InputMin[0], -1e30L);
    EXPECT_EQ(c.InputMax[0], 1e30L);
    EXPECT_EQ(c.CounterCycle[2] + c.RefreshInterval, 9.0L);
    EXPECT_EQ(QString::fromStdString(c.CounterIncrement[2].text()) + c.OutputNames[0] + w.windowOptions.HelpFile,
              "3Aushilfe.txt");
    EXPECT_EQ(w.frame, QRect(809, 440, 301, 200)) << "centred on the screen";
    EXPECT_EQ(w.context.table[1] + w.context.table[126], 27.5L);
    EXPECT_EQ(c.ConstantComments[19], "C20");
    EXPECT_EQ(manager.calls, Calls{"AddQEVForm"});
}

TEST(SystemSection, StrictLinesStopTheReadAndKeepWhatWasRead) {
    FakeBlockWindow source;
    fillSample(source);
    const Lines lines = split(written(source));
    const qsizetype pixelFormat = lines.size() - 202;
    struct Case {
        qsizetype line;
        QByteArray junk;
        int elements;
        bool rowsAfterRecords, managerRow;
    };
    for (const Case& c : {Case{0, "4x5", 0, false, false}, Case{pixelFormat, "acht", 2, true, true},
                          Case{pixelFormat + 1, "", 2, true, true}}) {
        RecordingWindowManager manager;
        Lines damaged = lines;
        damaged[c.line] = c.junk;
        FakeBlockWindow w;
        EXPECT_FALSE(readSection(crlf(damaged), w, false)) << c.line;
        EXPECT_EQ(w.elementCount(), c.elements) << c.line;
        EXPECT_EQ(w.config.CounterCycle[0], c.rowsAfterRecords ? 5.0L : 10.0L) << c.line;
        EXPECT_FALSE(w.config.SaveExternalIOs) << c.line;
        EXPECT_EQ(manager.calls, c.managerRow ? Calls{"SetQEVManFormState:0"} : Calls{}) << "no registrations";
        EXPECT_EQ(w.repaintFlagAtUpdateOutputs.size(), 1u);
    }
}

// A record that raises costs only its own element: the rows after it are read
// and the handle ends after the section, so a save writes everything else back.
TEST(SystemSection, RecordsThatRaiseAreDroppedAndTheReadGoesOn) {
    const QByteArray broken = "SEPARATOR\t0\t0\tx\t0\t0\t0\t";
    for (const std::vector<qsizetype>& bad : {std::vector<qsizetype>{3}, std::vector<qsizetype>{3, 4}}) {
        RecordingWindowManager manager;
        FakeBlockWindow source, w;
        fillSample(source);
        Lines damaged = split(written(source));
        for (qsizetype line : bad) damaged[line] = broken;
        Lines expected = damaged;
        for (qsizetype k = bad.size() - 1; k >= 0; --k) expected.removeAt(bad[static_cast<std::size_t>(k)]);
        expected[2] = QByteArray::number(2 - bad.size());
        manager.calls.clear();
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(readSection(crlf(damaged), w)) << bad.size();
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("element 1 (SEPARATOR) dropped"), std::string::npos) << err;
        EXPECT_EQ(split(written(w)), expected) << bad.size();
        EXPECT_EQ(manager.calls.size(), 5u) << "registered after the section";
    }
}

TEST(SystemSection, StoredRectanglesAreClampedToWhatAScreenCanHold) {
    FakeBlockWindow source;
    fillSample(source);
    const Lines lines = split(written(source));
    const qsizetype managerLeft = lines.size() - 207;
    const QByteArray big = "2147483647", small = "-2147483648";
    struct Case {
        QByteArray left, top, width, height;
        QRect frame;
        QByteArray managerLeft, managerRight;
        QRect manager;
    };
    const Case cases[] = {
        {"100", "50", big, big, QRect(100, 50, 4096, 4096), "10", big, QRect(10, 60, 4096, 150)},
        {small, big, small, "0", QRect(-32000, 32000, 10, 10), small, big, QRect(-32000, 60, 4096, 150)},
        {"-20", "30", "2000", "2050", QRect(-20, 30, 2000, 2050), big, small, QRect(32000, 60, 10, 150)},
    };
    for (const Case& c : cases) {
        RecordingWindowManager manager;
        manager.hasManagerWindow = true;
        Lines damaged = lines;
        damaged[5] = c.left, damaged[6] = c.top, damaged[7] = c.width, damaged[8] = c.height;
        damaged[managerLeft] = c.managerLeft, damaged[managerLeft + 1] = "60", damaged[managerLeft + 2] = c.managerRight;
        damaged[managerLeft + 3] = "210";
        FakeBlockWindow w;
        EXPECT_TRUE(readSection(crlf(damaged), w));
        EXPECT_EQ(w.frame, c.frame) << c.width.constData();
        EXPECT_EQ(manager.managerWindow.geometry(), c.manager) << c.managerRight.constData();
    }
}

// A real manager window, also minimised or hidden, comes back where it was
// saved, both when the read creates it (the first read of a process) and when
// it is already there in that state.
TEST(SystemSection, ManagerWindowKeepsItsRectangleInEveryState) {
    for (const uint8_t state : {uint8_t{0}, uint8_t(kQevManMinimized), uint8_t(kQevManHidden)})
        for (const bool created : {true, false}) {
            delete GetQEVManForm();
            SetQEVManFormState(0);
            InitQEVManager(0);
            QCoreApplication::processEvents();
            GetQEVManForm()->setGeometry(40, 60, 200, 150);
            SetQEVManFormState(state);
            QCoreApplication::processEvents();
            FakeBlockWindow source, target;
            source.windowOptions.WindowManager = true;
            const QByteArray bytes = written(source);
            if (created) {
                delete GetQEVManForm();
                SetQEVManFormState(0);
            } else {
                SetQEVManFormState(0);
                QCoreApplication::processEvents();
                GetQEVManForm()->setGeometry(0, 0, 300, 300);
                SetQEVManFormState(state);
                QCoreApplication::processEvents();
            }
            EXPECT_TRUE(readSection(bytes, target));
            QCoreApplication::processEvents();
            ASSERT_NE(GetQEVManForm(), nullptr);
            EXPECT_EQ(GetQEVManFormState(), state);
            EXPECT_EQ(written(target), bytes) << int(state) << created;
            SetQEVManFormState(0);
            QCoreApplication::processEvents();
            EXPECT_EQ(GetQEVManForm()->geometry(), QRect(40, 60, 200, 150)) << int(state) << created;
        }
    delete GetQEVManForm();
    SetQEVManFormState(0);
}

TEST(SystemSection, LenientLinesGiveZeroAndTheEndOfTheFileEndsQuietly) {
    Lines lines = version300();
    lines[9] = "breit";
    lines[26] = "";
    FakeBlockWindow w, cut;
    EXPECT_TRUE(readSection(crlf(lines), w));
    EXPECT_EQ(w.frame.width() + w.config.RefreshInterval, 10) << "the narrowest window";

    RecordingWindowManager manager;
    EXPECT_FALSE(readSection(crlf(lines.mid(0, 14)) + "Zul", cut, false));
    EXPECT_EQ(cut.config.InputNames[0], "Zul");
    EXPECT_EQ(cut.config.InputCount, 1);
    EXPECT_EQ(cut.elementCount(), 0);
    EXPECT_EQ(manager.calls, Calls{"AddQEVForm"});
    FakeBlockWindow empty;
    EXPECT_TRUE(split(written(empty)).endsWith("0")) << "no external I/Os saved";
}

} // namespace
} // namespace ovanto::testing
