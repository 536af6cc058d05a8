#include "host/system_file.h"

#include "host/config_lines.h"
#include "recording_window_manager.h"
#include "sample_configuration.h"
#include "section_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(DescriptorLines, OnlyCrLfEndsALineAndLongLinesAreCut) {
    SectionFile file;
    file.append("a\rb\nc\r\r\n" + QByteArray(1200, 'x') + "\r\n\r\nlast\r");
    file.rewind();
    DescriptorLineReader reader(file.fd());
    QByteArray line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "a\rb\nc\r");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, QByteArray(1000, 'x'));
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "last\r") << "the end of the file ends the line";
    EXPECT_FALSE(reader.next(line));
}

TEST(DescriptorLines, LeaveTheDescriptorAfterTheLastLineRead) {
    SectionFile file;
    file.append("a\r\nb\r\nc\r\n");
    file.rewind();
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], "a\r\nb\r\nc\r\n", 9), 9);
    ::close(pipeEnds[1]);
    for (int fd : {file.fd(), pipeEnds[0]}) {
        {
            DescriptorLineReader reader(fd);
            QByteArray line;
            ASSERT_TRUE(reader.next(line));
            ASSERT_TRUE(reader.next(line));
            EXPECT_EQ(line, "b");
        }
        char rest[16] = {};
        EXPECT_EQ(::read(fd, rest, sizeof rest), 3) << fd;
        EXPECT_STREQ(rest, "c\r\n");
    }
    ::close(pipeEnds[0]);
}

class SystemSection : public ::testing::Test {
protected:
    RecordingWindowManager manager;
    SectionFile file;

    // Writes `source`, appends a line of the host's own, and reads the section into `target`.
    bool roundTrip(FakeBlockWindow& source, FakeBlockWindow& target) {
        EXPECT_TRUE(WriteSystemSection(file.fd(), source));
        file.append("HOST\r\n");
        file.rewind();
        const bool complete = ReadSystemSection(file.fd(), target);
        EXPECT_EQ(file.rest(), "HOST\r\n") << "the reader stops right after the section";
        return complete;
    }
    bool readLines(const QList<QByteArray>& lines, FakeBlockWindow& target) {
        file.append(crlfLines(lines));
        file.rewind();
        return ReadSystemSection(file.fd(), target);
    }
};

TEST_F(SystemSection, RoundTripCarriesEveryField) {
    FakeBlockWindow source, target;
    fillSample(source);
    manager.hasManagerWindow = true;
    manager.managerWindow.setGeometry(40, 60, 200, 150);
    manager.state = 0x85; // only the low 7 bits are stored
    ASSERT_TRUE(WriteSystemSection(file.fd(), source));
    file.append("HOST\r\n");
    file.rewind();
    manager.managerWindow.setGeometry(0, 0, 10, 10);
    EXPECT_TRUE(ReadSystemSection(file.fd(), target));
    EXPECT_EQ(file.rest(), "HOST\r\n") << "the reader stops right after the section";
    expectSameConfiguration(source, target, Carried{});

    const QList<QByteArray> lines = file.lines();
    EXPECT_EQ(lines.front(), "435");
    EXPECT_EQ(lines[1], "Kessel S\xFC" "d \x96 \xDC" "bersicht");
    EXPECT_EQ(lines[lines.size() - 204], "5") << "manager state";
    EXPECT_EQ(lines[lines.size() - 203], "6") << "pixel format";
    EXPECT_EQ(lines[lines.size() - 202], "200");
    EXPECT_EQ(lines.back(), "HOST");
    EXPECT_FALSE(target.visible) << "visible before simulation is off";
    EXPECT_EQ(manager.storedState, 5);
    EXPECT_EQ(manager.calls, (Calls{"SetQEVManFormState", "AddQEVForm", "InitQEVManager", "AddQEVFormMan",
                                    "SetQEVFormCaption"}));
    EXPECT_EQ(manager.managerWindow.pos(), QPoint(40, 60));
    EXPECT_EQ(manager.managerWindow.size(), QSize(200, 150));
    EXPECT_EQ(target.repaintFlagAtUpdateOutputs, std::vector<bool>{false});
    EXPECT_TRUE(target.run.RepaintOnOutputChange);
}

TEST_F(SystemSection, CentreAndMaximiseApplyOnReading) {
    FakeBlockWindow source, target;
    source.windowOptions.CenterWindow = true;
    source.windowOptions.AlwaysMaximized = true;
    source.frame = QRect(0, 0, 301, 200);
    roundTrip(source, target);
    EXPECT_EQ(target.frame, QRect(809, 440, 301, 200));
    EXPECT_EQ(target.state, WindowState::Maximized);
    EXPECT_TRUE(target.windowOptions.CenterWindow);
    EXPECT_TRUE(target.windowOptions.AlwaysMaximized);
}

TEST_F(SystemSection, PixelFormatAndSizeOfLinesAsWritten) {
    FakeBlockWindow source, target;
    source.windowOptions.PixelFormat = 3;
    RegisterAllElements();
    CreateElement(source.context, QStringLiteral("SEPARATOR"))->setComment(QString(1200, QLatin1Char('=')));
    EXPECT_TRUE(roundTrip(source, target));
    const QList<QByteArray> lines = file.lines();
    EXPECT_EQ(lines[3].size(), 1000) << "records are cut";
    ASSERT_EQ(target.elementCount(), 1);
    EXPECT_EQ(target.elementAt(0)->Comment(), QString(1000 - lines[3].indexOf('='), QLatin1Char('=')));
    EXPECT_EQ(lines[lines.size() - 3], "3");
    EXPECT_EQ(lines[lines.size() - 2], "0") << "no external I/Os saved";
    EXPECT_EQ(manager.calls, (Calls{"SetQEVManFormState", "AddQEVForm"})) << "manager option off";
}

TEST_F(SystemSection, HigherVersionsReadLikeThisOne) {
    FakeBlockWindow source, first, second;
    fillSample(source);
    EXPECT_TRUE(WriteSystemSection(file.fd(), source));
    QByteArray bytes = file.contents();
    ASSERT_TRUE(bytes.startsWith("435\r\n"));
    file.rewind();
    EXPECT_TRUE(ReadSystemSection(file.fd(), first));
    SectionFile newer;
    newer.append("9999" + bytes.mid(3));
    newer.rewind();
    EXPECT_TRUE(ReadSystemSection(newer.fd(), second));
    expectSameConfiguration(first, second, Carried{});
}

QList<QByteArray> version300Section() {
    QList<QByteArray> l{"300", "Alt", "2", "SEPARATOR\t255\t0\t1\t-1\t0\t0\tA", "FOO\t1\t2\t3", "5", "6", "300", "200",
                        "0", "2", "1",
                        "Zulauf", " 2.00000000000000E+0000", "-1", // no limit lines before 352
                        "255", "4", "5", "6", "1", "2", "3", "1", "Aus", "3", "0", "1", "hilfe.txt", "1", "7.5"};
    for (int j = 1; j <= 20; ++j) {
        l.push_back(QByteArray::number(j));
        l.push_back("C" + QByteArray::number(j));
    }
    return l;
}

TEST_F(SystemSection, Version300HasNoLimitsAndEndsAfterTheConstants) {
    FakeBlockWindow target;
    RegisterAllElements();
    QList<QByteArray> lines = version300Section();
    lines.push_back("HOST");
    EXPECT_TRUE(readLines(lines, target));
    EXPECT_EQ(file.rest(), "HOST\r\n");
    const BlockConfiguration& c = target.config;
    EXPECT_EQ(target.windowOptions.Caption, "Alt");
    EXPECT_EQ(target.elementCount(), 1) << "FOO is skipped";
    EXPECT_EQ(target.windowOptions.Border, BorderStyle::Sizeable);
    EXPECT_EQ(c.InputCount, 1);
    EXPECT_EQ(c.InputNames[0], "Zulauf");
    EXPECT_EQ(c.InputFactor[0], 2.0L);
    EXPECT_EQ(c.InputOffset[0], -1.0L);
    EXPECT_EQ(c.InputMin[0], -1e30L);
    EXPECT_EQ(c.InputMax[0], 1e30L);
    EXPECT_EQ(target.windowOptions.BackgroundColor, 255);
    EXPECT_EQ(c.CounterCycle[2], 6.0L);
    EXPECT_EQ(c.CounterIncrement[2].text(), "3");
    EXPECT_EQ(c.OutputCount, 1);
    EXPECT_EQ(c.OutputNames[0], "Aus");
    EXPECT_EQ(c.RefreshInterval, 3);
    EXPECT_FALSE(c.StaticContent);
    EXPECT_TRUE(target.windowOptions.HelpMenu);
    EXPECT_EQ(target.windowOptions.HelpFile, "hilfe.txt");
    EXPECT_TRUE(target.windowOptions.CenterWindow);
    EXPECT_EQ(target.frame, QRect(810, 440, 300, 200)) << "centred on the 1920 x 1080 screen";
    EXPECT_FALSE(target.windowOptions.Expanded) << "no expanded line before 304";
    EXPECT_EQ(target.context.table[1], 7.5L);
    EXPECT_EQ(target.context.table[126], 20.0L);
    EXPECT_EQ(c.ConstantComments[19], "C20");
    EXPECT_TRUE(c.VisibleBeforeSimulation);
}

TEST_F(SystemSection, ReadingOrderCreatesRecordsAfterTheColourAndPublishesEach) {
    struct OrderWindow : FakeBlockWindow {
        int elementsAtColour = -1;
        void applyBackground() override { elementsAtColour = elementCount(); }
    } target;
    RegisterAllElements();
    EXPECT_TRUE(readLines(version300Section(), target));
    EXPECT_EQ(target.elementsAtColour, 0);
    EXPECT_EQ(target.elementCount(), 1);
}

TEST_F(SystemSection, StrictLinesStopTheReadAndKeepWhatWasRead) {
    FakeBlockWindow source;
    fillSample(source);
    ASSERT_TRUE(WriteSystemSection(file.fd(), source));
    const QList<QByteArray> written = file.lines();
    const qsizetype pixelFormatLine = written.size() - 202;

    struct Case {
        const char* name;
        qsizetype line;
        QByteArray junk;
        int elements;      // elements created before the stop
        bool countersRead; // rows after the records reached
        bool externalRead;
    };
    const Case cases[] = {
        {"version", 0, "4x5", 0, false, false},
        {"record", 4, "SEPARATOR\t0\t0\tdick\t-1\t0\t0\t", 2, false, false},
        {"pixel format", pixelFormatLine, "acht", 2, true, false},
        {"external count", pixelFormatLine + 1, "", 2, true, false},
    };
    for (const Case& c : cases) {
        RecordingWindowManager calls;
        QList<QByteArray> lines = written;
        lines[c.line] = c.junk;
        SectionFile damaged;
        damaged.append(crlfLines(lines));
        damaged.rewind();
        FakeBlockWindow target;
        EXPECT_FALSE(ReadSystemSection(damaged.fd(), target)) << c.name;
        EXPECT_EQ(target.elementCount(), c.elements) << c.name;
        EXPECT_EQ(target.config.CounterCycle[0], c.countersRead ? 5.0L : 10.0L) << c.name;
        EXPECT_EQ(target.config.SaveExternalIOs, c.externalRead) << c.name;
        EXPECT_EQ(target.context.table[128], 0.0L) << c.name;
        EXPECT_EQ(calls.calls, c.countersRead ? Calls{"SetQEVManFormState"} : Calls{}) << "no registrations";
        EXPECT_EQ(target.repaintFlagAtUpdateOutputs.size(), 1u) << c.name;
    }
}

TEST_F(SystemSection, LenientLinesReadJunkAsZeroAndTheEndOfFileEndsQuietly) {
    QList<QByteArray> lines = version300Section();
    lines[7] = "breit"; // width
    lines[24] = "";     // refresh interval
    FakeBlockWindow target;
    RegisterAllElements();
    EXPECT_TRUE(readLines(lines, target));
    EXPECT_EQ(target.frame.size(), QSize(0, 200));
    EXPECT_EQ(target.config.RefreshInterval, 0);

    manager.calls.clear();
    SectionFile cut;
    cut.append(crlfLines(version300Section().mid(0, 12)) + "Zul");
    cut.rewind();
    FakeBlockWindow partial;
    EXPECT_FALSE(ReadSystemSection(cut.fd(), partial));
    EXPECT_EQ(partial.config.InputNames[0], "Zul");
    EXPECT_EQ(partial.config.InputCount, 1);
    EXPECT_EQ(partial.elementCount(), 0) << "records wait for the colour row";
    EXPECT_EQ(manager.calls, Calls{"AddQEVForm"});
}

TEST_F(SystemSection, ExternalValuesAreReadUpToTwoHundred) {
    QList<QByteArray> lines{"435", "X", "0", "0", "0", "10", "10", "0", "2", "0", "16777215"};
    const QList<QByteArray> tail{"10", "10", "10", "1", "1", "1", "0", "1", "0", "0", "", "0", "0", "0"};
    lines += tail;
    for (int j = 0; j < 40; ++j) lines.push_back(j % 2 ? "" : "0");
    lines += {"1", "0", "1", "0", "1", "0", "1", "0", "1", "1", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0",
              "202"};
    for (int k = 1; k <= 202; ++k) lines.push_back(QByteArray::number(k));
    lines.push_back("HOST");
    FakeBlockWindow target;
    EXPECT_TRUE(readLines(lines, target));
    EXPECT_TRUE(target.config.SaveExternalIOs);
    EXPECT_EQ(target.context.table[127], 1.0L);
    EXPECT_EQ(target.context.table[326], 200.0L);
    EXPECT_EQ(file.rest(), "HOST\r\n") << "values past 200 are read and dropped";
}

} // namespace
} // namespace ovanto::testing
