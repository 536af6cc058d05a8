#include "host/animation_file.h"

#include "platform/injectable.h"
#include "platform/scripted_dialogs.h"
#include "recording_window_manager.h"
#include "sample_configuration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

using Lines = QList<QByteArray>;

class AnimationFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingWindowManager manager;
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> dialogsOverride{dialogs};
    const QString file = dir.filePath(QStringLiteral("anlage.qev"));

    QByteArray saved(FakeBlockWindow& w) {
        EXPECT_TRUE(SaveConfiguration(file, w));
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static Lines lines(const QByteArray& bytes) {
        Lines l = bytes.chopped(1).split('\n');
        for (QByteArray& line : l) line.chop(1);
        return l;
    }
    static QByteArray crlf(const Lines& l) { return l.join("\r\n") + "\r\n"; }
};

TEST_F(AnimationFile, RoundTripWithCrLfOrLfLinesCarriesTheConfigurationButNotThePlacement) {
    FakeBlockWindow source, target, lfOnly;
    fillSample(source);
    const QByteArray bytes = saved(source);
    target.frame = QRect(7, 8, 10, 10);
    ASSERT_TRUE(LoadConfiguration(file, target));
    EXPECT_EQ(target.frame, QRect(7, 8, 400, 300)) << "the size is stored, the position is not";
    EXPECT_EQ(target.context.table[127] + target.context.table[1], 0.0L) << "nor the current values";
    EXPECT_EQ(saved(target), bytes);
    EXPECT_TRUE(bytes.startsWith("435\r\nKessel S\xFC" "d \x96 \xDC" "bersicht\r\n2\r\nSEPARATOR\t"));
    EXPECT_TRUE(bytes.contains("\r\n-4.00000000000000E+0000 \r\n-2.50000000000000E+0000 Sollwert 1\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n0\r\n1\r\n1\r\n6\r\n1\r\n")) << "key, on top, manager, pixels, external";
    put(QByteArray(bytes).replace("\r\n", "\n"));
    ASSERT_TRUE(LoadConfiguration(file, lfOnly));
    EXPECT_EQ(saved(lfOnly), bytes);
}

TEST_F(AnimationFile, ConstantsSplitAtTheBlankAfterTheNumberAndExternalValuesMayFollow) {
    FakeBlockWindow w;
    Lines l = lines(saved(w));
    const qsizetype first = l.indexOf(" 0.00000000000000E+0000 ");
    ASSERT_GT(first, 0);
    const std::pair<QByteArray, QString> cases[] = {{" 2.50000000000000E+0000 Sollwert", "Sollwert"},
                                                    {"2.5 Soll wert", "Soll wert"},
                                                    {"2.5", ""},
                                                    {"2.5  zwei", " zwei"},
                                                    {"2.5 Stra\xDF" "e", QStringLiteral("Straße")}};
    for (qsizetype j = 0; j < 5; ++j) l[first + j] = cases[j].first;
    l.back() = "3";
    l << "1.5" << "junk";
    put(crlf(l));
    ASSERT_TRUE(LoadConfiguration(file, w));
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(w.context.table[107 + j], 2.5L) << j;
        EXPECT_EQ(w.config.ConstantComments[static_cast<std::size_t>(j)], cases[j].second) << j;
    }
    EXPECT_TRUE(w.config.SaveExternalIOs);
    EXPECT_EQ(w.context.table[127] + w.context.table[128], 1.5L);
}

TEST_F(AnimationFile, OldVersionsEndEarlyAndBadLinesStopWithWhatWasRead) {
    FakeBlockWindow old;
    put(crlf({"90", "Alt", "0", "1", "1", "E", "2", "0", "-5", "1", "2", "3", "0.5", "I1", "1"}));
    ASSERT_TRUE(LoadConfiguration(file, old));
    EXPECT_EQ(old.windowOptions.Border, BorderStyle::Single);
    EXPECT_EQ(old.config.InputMin[0], -1e30L);
    EXPECT_EQ(old.config.CounterIncrement[1].text(), "I1");

    FakeBlockWindow source;
    fillSample(source);
    const Lines good = lines(saved(source));
    const std::pair<qsizetype, QByteArray> cases[] = {{6, "drei"}, {8, ""}, {-1, {}}};
    for (const auto& [line, junk] : cases) {
        Lines damaged = line < 0 ? good.mid(0, 30) : good;
        if (line >= 0) damaged[line] = junk;
        put(crlf(damaged));
        FakeBlockWindow w;
        EXPECT_FALSE(LoadConfiguration(file, w)) << line;
        EXPECT_EQ(w.windowOptions.Caption, source.windowOptions.Caption) << line;
        EXPECT_EQ(w.elementCount(), 2) << line;
        EXPECT_EQ(w.config.RefreshInterval, 1) << line;
    }
}

// Broken records cost only their elements: one message, the rest of the file
// read (sizes clamped), the window registered.
TEST_F(AnimationFile, RecordsThatRaiseAreDroppedAndTheRestIsRead) {
    FakeBlockWindow source, w;
    fillSample(source);
    Lines l = lines(saved(source));
    l[3] = l[4] = "SEPARATOR\t0\t0\tx\t0\t0\t0\t";
    const qsizetype width = l.indexOf("400");
    l[width] = l[width + 1] = "2147483647";
    put(crlf(l));
    ::testing::internal::CaptureStderr();
    LoadQEVFile(w, file);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("element 2 (SEPARATOR) dropped"), std::string::npos);
    EXPECT_EQ(w.elementCount(), 0);
    EXPECT_EQ(w.frame.size(), QSize(4096, 4096));
    EXPECT_TRUE(w.config.SaveExternalIOs) << "the last row";
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Fehler beim Öffnen der Datei!")});
    EXPECT_EQ(manager.calls.size(), 4u);
}

TEST_F(AnimationFile, LoadQevFileReplacesElementsAndReportsFailures) {
    FakeBlockWindow source, w;
    fillSample(source);
    saved(source);
    for (int i = 0; i < 3; ++i) CreateElement(w.context, QStringLiteral("SEPARATOR"));
    w.hostHandle = 0x4711;
    LoadQEVFile(w, file);
    EXPECT_EQ(w.elementCount(), 2);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"AddQEVForm", "InitQEVManager", "AddQEVFormMan",
                                                       "SetQEVFormCaption"}));
    EXPECT_EQ(manager.owner, 0x4711u);
    EXPECT_EQ(w.log.back(), "paint");

    manager.calls.clear();
    LoadQEVFile(w, dir.filePath(QStringLiteral("fehlt.qev")));
    EXPECT_EQ(w.elementCount(), 2) << "a file that does not open changes nothing";
    put("435\r\nTitel\r\nzwei\r\n");
    LoadQEVFile(w, file);
    EXPECT_EQ(w.elementCount(), 0);
    EXPECT_EQ(w.windowOptions.Caption, "Titel");
    EXPECT_EQ(dialogs.messages(), QStringList(2, QStringLiteral("Fehler beim Öffnen der Datei!")));
    EXPECT_TRUE(manager.calls.empty());
    EXPECT_EQ(w.repaintFlagAtUpdateOutputs, std::vector<bool>(3, false));
    EXPECT_EQ(w.paints, 3);
}

TEST_F(AnimationFile, FailedSavesLeaveTheOldFile) {
    FakeBlockWindow w;
    put("alt");
    EXPECT_FALSE(SaveConfiguration(dir.filePath(QStringLiteral("fehlt/anlage.qev")), w));
    EXPECT_FALSE(SaveConfiguration(dir.path(), w));
    EXPECT_TRUE(saved(w).startsWith("435\r\nOvanto\r\n0\r\n0\r\n0\r\n16777215\r\n"));
}

} // namespace
} // namespace ovanto::testing
