#include "host/system_file.h"

#include "host/config_lines.h"
#include "qevman/qevman.h"
#include "recording_window_manager.h"
#include "sample_configuration.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <tuple>
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

// A record that raises costs only its own element: the rest is read and the
// handle ends after the section. Rectangles from the file are clamped.
TEST(SystemSection, DamagedLinesAreRepairedAndTheReadGoesOn) {
    RecordingWindowManager manager;
    manager.hasManagerWindow = true;
    manager.managerWindow.setGeometry(40, 60, 200, 150);
    FakeBlockWindow source;
    fillSample(source);
    const Lines lines = split(written(source));
    const qsizetype m = lines.size() - 207; // manager window left, top, right, bottom
    const QByteArray big = "2147483647", gone = "(gone)";
    using Changes = std::map<qsizetype, QByteArray>;
    const std::tuple<Changes, Changes, std::string> cases[] = {
        {{{4, "SEPARATOR\t0\t0\tx\t0\t0\t0\t"}}, {{2, "1"}, {4, gone}}, "element 2 (SEPARATOR) dropped"},
        {{{5, big}, {6, "-" + big}, {7, big}, {8, "0"}}, {{5, "32000"}, {6, "-32000"}, {7, "4096"}, {8, "10"}}, ""},
        {{{m, "-" + big}, {m + 2, big}, {m + 3, "0"}}, {{m, "-32000"}, {m + 2, "-27904"}, {m + 3, "70"}}, ""},
    };
    for (const auto& [damage, repaired, report] : cases) {
        Lines damaged = lines, expected = lines;
        for (const auto& [k, v] : damage) damaged[k] = v;
        for (const auto& [k, v] : repaired) expected[k] = v;
        expected.removeAll(gone);
        FakeBlockWindow w;
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(readSection(crlf(damaged), w));
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(report), std::string::npos) << report;
        EXPECT_EQ(split(written(w)), expected);
    }
}

// A real manager window, also minimised or hidden, comes back where it was
// saved when the read creates it, as the first read of a process does.
TEST(SystemSection, ManagerWindowKeepsItsRectangleInEveryState) {
    for (const uint8_t state : {uint8_t{0}, uint8_t(kQevManMinimized), uint8_t(kQevManHidden)}) {
        delete GetQEVManForm();
        SetQEVManFormState(0);
        InitQEVManager(0);
        GetQEVManForm()->setGeometry(40, 60, 200, 150);
        SetQEVManFormState(state);
        QCoreApplication::processEvents();
        FakeBlockWindow source, target;
        source.windowOptions.WindowManager = true;
        const QByteArray bytes = written(source);
        delete GetQEVManForm();
        EXPECT_TRUE(readSection(bytes, target));
        QCoreApplication::processEvents();
        EXPECT_EQ(written(target), bytes) << int(state);
        SetQEVManFormState(0);
        QCoreApplication::processEvents();
        EXPECT_EQ(GetQEVManForm()->geometry(), QRect(40, 60, 200, 150)) << int(state);
    }
    delete GetQEVManForm();
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
