#include "host/animation_file.h"

#include "elements/core/number_text.h"
#include "platform/injectable.h"
#include "platform/scripted_dialogs.h"
#include "recording_window_manager.h"
#include "sample_configuration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovanto::testing {
namespace {

using Strings = std::vector<std::string>;

class AnimationFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingWindowManager manager;
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> dialogsOverride{dialogs};

    QString path(const char* name = "anlage.qev") const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray read(const QString& p) const {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& p, const QByteArray& bytes) const {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // A saved default window whose lines a test can change.
    QList<QByteArray> defaultLines() {
        FakeBlockWindow w;
        EXPECT_TRUE(SaveConfiguration(path("default.qev"), w));
        QList<QByteArray> lines = read(path("default.qev")).split('\n');
        lines.pop_back();
        for (QByteArray& l : lines) l.chop(1);
        return lines;
    }
    static qsizetype firstConstantLine(const QList<QByteArray>& lines) {
        const QByteArray zero = FloatToFileText(0).toLatin1() + ' ';
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i] == zero) return i;
        return -1;
    }
    static QByteArray join(const QList<QByteArray>& lines, const char* end = "\r\n") {
        QByteArray out;
        for (const QByteArray& l : lines) out += l + end;
        return out;
    }
};

TEST_F(AnimationFile, RoundTripCarriesTheConfigurationButNotThePlacement) {
    FakeBlockWindow source, target;
    fillSample(source);
    ASSERT_TRUE(SaveConfiguration(path(), source));
    target.frame = QRect(7, 8, 10, 10);
    ASSERT_TRUE(LoadConfiguration(path(), target));
    expectSameConfiguration(source, target, Carried{false, false});
    EXPECT_EQ(target.frame, QRect(7, 8, 400, 300)) << "the size is stored, the position is not";
    EXPECT_EQ(target.context.table[127], 0.0L);

    const QByteArray bytes = read(path());
    EXPECT_TRUE(bytes.startsWith("435\r\nKessel S\xFC" "d \x96 \xDC" "bersicht\r\n2\r\nSEPARATOR\t"));
    EXPECT_TRUE(bytes.endsWith("\r\n0\r\n1\r\n1\r\n6\r\n1\r\n")) << "key, on top, manager, pixels, external";
    EXPECT_TRUE(bytes.contains("\r\n-4.00000000000000E+0000 \r\n-2.50000000000000E+0000 Sollwert 1\r\n"));
}

TEST_F(AnimationFile, LfOnlyFilesReadLikeCrLfOnes) {
    FakeBlockWindow source, target;
    fillSample(source);
    ASSERT_TRUE(SaveConfiguration(path(), source));
    QByteArray bytes = read(path());
    write(path("lf.qev"), bytes.replace("\r\n", "\n"));
    ASSERT_TRUE(LoadConfiguration(path("lf.qev"), target));
    expectSameConfiguration(source, target, Carried{false, false});
}

TEST_F(AnimationFile, ConstantLinesSplitAtTheBlankAfterTheNumber) {
    struct Case {
        QByteArray line;
        long double value;
        QString comment;
    };
    const Case cases[] = {
        {" 2.50000000000000E+0000 Sollwert", 2.5L, "Sollwert"},
        {"2.5 Sollwert", 2.5L, "Sollwert"},
        {"-1 Soll wert", -1.0L, "Soll wert"},
        {"3", 3.0L, ""},
        {"4  zwei", 4.0L, " zwei"},
        {"5 Stra\xDF" "e", 5.0L, QStringLiteral("Straße")},
    };
    QList<QByteArray> lines = defaultLines();
    const qsizetype first = firstConstantLine(lines);
    ASSERT_GT(first, 0);
    for (qsizetype j = 0; j < static_cast<qsizetype>(std::size(cases)); ++j) lines[first + j] = cases[j].line;
    write(path(), join(lines));
    FakeBlockWindow target;
    ASSERT_TRUE(LoadConfiguration(path(), target));
    for (std::size_t j = 0; j < std::size(cases); ++j) {
        EXPECT_EQ(target.context.table[107 + static_cast<int>(j)], cases[j].value) << j;
        EXPECT_EQ(target.config.ConstantComments[j], cases[j].comment) << j;
    }
}

TEST_F(AnimationFile, ExternalValuesAfterTheLastRowAreReadUntilTheEnd) {
    QList<QByteArray> lines = defaultLines();
    lines.back() = "3";
    lines += {"1.5", "junk"};
    write(path(), join(lines));
    FakeBlockWindow target;
    EXPECT_TRUE(LoadConfiguration(path(), target));
    EXPECT_TRUE(target.config.SaveExternalIOs);
    EXPECT_EQ(target.context.table[127], 1.5L);
    EXPECT_EQ(target.context.table[128], 0.0L);
}

TEST_F(AnimationFile, OldVersionsStopAtTheirLastRow) {
    // Version 90: up to the counter increments; no border, outputs or anything later.
    write(path(), join({"90", "Alt", "0", "1", "1", "E", "2", "0", "-5", "1", "2", "3", "0.5", "I1", "1"}));
    FakeBlockWindow target;
    ASSERT_TRUE(LoadConfiguration(path(), target));
    EXPECT_EQ(target.windowOptions.Border, BorderStyle::Single);
    EXPECT_EQ(target.config.InputFactor[0], 2.0L);
    EXPECT_EQ(target.config.InputOffset[0], 0.0L);
    EXPECT_EQ(target.config.InputMin[0], -1e30L);
    EXPECT_EQ(target.config.CounterCycle[2], 3.0L);
    EXPECT_EQ(target.config.CounterIncrement[1].text(), "I1");
    EXPECT_EQ(target.config.RefreshInterval, 1);
}

TEST_F(AnimationFile, BadLinesStopTheReadAndKeepWhatWasRead) {
    FakeBlockWindow source;
    fillSample(source);
    ASSERT_TRUE(SaveConfiguration(path(), source));
    QList<QByteArray> lines = read(path()).split('\n');
    for (QByteArray& l : lines) l.chop(1);
    lines.pop_back();
    struct Case {
        const char* name;
        qsizetype line;
        QByteArray junk;
        int elements;
    };
    const Case cases[] = {
        {"input count", 6, "drei", 2},
        {"factor", 8, "", 2},
        {"record", 4, "SEPARATOR\t0\t0\tx\t0\t0\t0\t", 2},
        {"cut file", -1, {}, 2},
    };
    for (const Case& c : cases) {
        QList<QByteArray> damaged = lines;
        if (c.line >= 0)
            damaged[c.line] = c.junk;
        else
            damaged = damaged.mid(0, 30);
        write(path("bad.qev"), join(damaged));
        FakeBlockWindow target;
        EXPECT_FALSE(LoadConfiguration(path("bad.qev"), target)) << c.name;
        EXPECT_EQ(target.windowOptions.Caption, source.windowOptions.Caption) << c.name;
        EXPECT_EQ(target.elementCount(), c.elements) << c.name;
        EXPECT_EQ(target.config.RefreshInterval, 1) << c.name;
    }
}

TEST_F(AnimationFile, LoadReplacesElementsAndRegistersInOrder) {
    FakeBlockWindow source, target;
    fillSample(source);
    ASSERT_TRUE(SaveConfiguration(path(), source));
    for (int i = 0; i < 3; ++i) CreateElement(target.context, QStringLiteral("SEPARATOR"));
    target.hostHandle = 0x4711;
    LoadQEVFile(target, path());
    EXPECT_EQ(target.elementCount(), 2);
    EXPECT_EQ(manager.calls, (Strings{"AddQEVForm", "InitQEVManager", "AddQEVFormMan", "SetQEVFormCaption"}));
    EXPECT_EQ(manager.owner, 0x4711u);
    EXPECT_EQ(target.repaintFlagAtUpdateOutputs.size(), 1u);
    EXPECT_EQ(target.log.back(), "paint");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(AnimationFile, FailedLoadsReportButStillPublishAndPaint) {
    FakeBlockWindow target;
    CreateElement(target.context, QStringLiteral("SEPARATOR"));
    LoadQEVFile(target, path("fehlt.qev"));
    EXPECT_EQ(target.elementCount(), 1) << "a file that does not open changes nothing";
    write(path("bad.qev"), "435\r\nTitel\r\nzwei\r\n");
    LoadQEVFile(target, path("bad.qev"));
    EXPECT_EQ(target.elementCount(), 0);
    EXPECT_EQ(target.windowOptions.Caption, "Titel");
    EXPECT_EQ(dialogs.messages(), QStringList(2, QStringLiteral("Fehler beim Öffnen der Datei!")));
    EXPECT_TRUE(manager.calls.empty());
    EXPECT_EQ(target.repaintFlagAtUpdateOutputs.size(), 2u);
    EXPECT_EQ(target.paints, 2);
}

TEST_F(AnimationFile, FailedSavesLeaveTheOldFile) {
    FakeBlockWindow w;
    write(path(), "alt");
    EXPECT_FALSE(SaveConfiguration(dir.filePath("fehlt/anlage.qev"), w));
    EXPECT_FALSE(SaveConfiguration(dir.path(), w));
    EXPECT_EQ(read(path()), "alt");
    EXPECT_TRUE(SaveConfiguration(path(), w));
    EXPECT_TRUE(read(path()).startsWith("435\r\nOvanto\r\n0\r\n0\r\n0\r\n16777215\r\n"));
}

} // namespace
} // namespace ovanto::testing
