#include "editor/editing_ops.h"
#include "editor/element_clipboard.h"
#include "editor/io_control_window.h"
#include "editor/palette_icons.h"
#include "editor/palette_table.h"

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "window/tform1.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace ovanto {
namespace {

// "ABCDE" with the selected letters in lower case, moved, and back to text.
std::string moved(const std::string& list, bool up) {
    std::vector<bool> selected;
    std::string letters;
    for (char c : list) {
        selected.push_back(std::islower(static_cast<unsigned char>(c)) != 0);
        letters += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (const auto& [from, to] : up ? MoveSelectedUp(selected) : MoveSelectedDown(selected))
        std::swap(letters[static_cast<std::size_t>(from)], letters[static_cast<std::size_t>(to)]);
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (selected[i]) letters[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(letters[i])));
    return letters;
}

TEST(EditingOps, SelectedElementsMoveAsABlock) {
    const struct {
        const char* before;
        bool up;
        const char* after;
    } cases[] = {
        {"AbcD", true, "bcAD"},  {"AbcD", false, "ADbc"}, {"aBC", true, "aBC"},   {"ABc", false, "ABc"},
        {"abC", true, "abC"},    {"Abc", false, "Abc"},   {"aBcD", true, "acBD"},  {"aBcD", false, "BaDc"},
        {"", true, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(moved(c.before, c.up), c.after) << c.before << (c.up ? " up" : " down");
}

TEST(EditingOps, DropTargetsOfTheElementGrid) {
    const struct {
        int from, dropRow, count, target;
    } cases[] = {
        {0, 3, 3, 1},  // element 1 onto element 3: between the former 2 and 3
        {2, 1, 3, 0},  // the last one to the front
        {0, 4, 3, 2},  // the empty row after the last element: the end
        {1, 2, 3, 1},  // onto itself
        {0, 5, 3, -1}, // below the empty row
        {0, 0, 3, -1}, // the heading
        {3, 1, 3, -1}, // no such source
    };
    for (const auto& c : cases) EXPECT_EQ(DropTargetIndex(c.from, c.dropRow, c.count), c.target) << c.from << "->" << c.dropRow;
}

TEST(EditingOps, SearchIsCaseBlindAndWraps) {
    const QStringList comments = {QStringLiteral("Pumpe"), QStringLiteral("TANK LINKS"), QStringLiteral(""),
                                  QStringLiteral("Tank rechts")};
    const struct {
        const char* text;
        int after, found;
    } cases[] = {{"tank", -1, 1}, {"tank", 1, 3}, {"tank", 3, 1}, {"PUMPE", 0, 0}, {"", -1, -1}, {"Ventil", -1, -1}};
    for (const auto& c : cases) EXPECT_EQ(FindComment(comments, QString::fromLatin1(c.text), c.after), c.found) << c.text;
}

TEST(EditingOps, ArrowRepeatSpeedsUpToTenTicksASecond) {
    std::vector<int> intervals{kFirstMoveInterval};
    while (intervals.size() < 7) intervals.push_back(NextMoveInterval(intervals.back()));
    EXPECT_EQ(intervals, (std::vector<int>{500, 400, 300, 200, 100, 100, 100}));
    EXPECT_EQ(ShiftedBounds({10, 20, 30, 40}, MoveDirection::Up, 10), (Rect{10, 10, 30, 30}));
    EXPECT_EQ(ShiftedBounds({10, 20, 30, 40}, MoveDirection::Left, 1), (Rect{9, 20, 29, 40}));
    EXPECT_EQ(DragScrollDirection(9, 200), 1);
    EXPECT_EQ(DragScrollDirection(100, 200), 0);
    EXPECT_EQ(DragScrollDirection(190, 200), -1);
}

TEST(EditingOps, TypedTestValues) {
    const struct {
        const char* text;
        double step;
        const char* stepped; // nullptr: the cell stays
    } cases[] = {{"2", 100, "102"}, {"0,5", 0.1, "0.6"}, {" 1.5 ", -1, "0.5"}, {"0.1", 0.2, "0.3"},
                 {"abc", 1, nullptr}, {"", 1, nullptr}, {"inf", 1, nullptr}, {"nan", 1, nullptr}, {"1e400", 1, nullptr}};
    for (const auto& c : cases) {
        const std::optional<QString> got = SteppedIOValue(QString::fromLatin1(c.text), c.step);
        if (c.stepped) EXPECT_EQ(got.value_or(QStringLiteral("(none)")), QString::fromLatin1(c.stepped)) << c.text;
        else EXPECT_FALSE(got.has_value()) << c.text;
    }
}

class ClipboardFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("QEV.TMP"));
};

TEST_F(ClipboardFileTest, ReadsWhatIsThereAndCountsTheRest) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool readable;
        int version, records, skipped;
    } cases[] = {
        {"empty", "", false, 0, 0, 0},
        {"version only", "435\r\n", true, 435, 0, 0},
        {"no version", "RECT\t1\t2\r\n", false, 0, 0, 0},
        {"negative version", "-3\r\nRECT\t1\r\n", false, 0, 0, 0},
        {"records", "435\r\nRECT\t1\t2\r\nCIRCLE\t3\r\n", true, 435, 2, 0},
        {"unix lines, no end", "440\nRECT\t1\nCIRCLE\t3", true, 440, 2, 0},
        {"broken lines", "435\r\ngarbage\r\n\tno keyword\r\n\r\nRECT\t1\r\n", true, 435, 1, 3},
    };
    for (const auto& c : cases) {
        const ClipboardContent got = ReadElementClipboard(write(c.bytes));
        EXPECT_TRUE(got.exists) << c.name;
        EXPECT_EQ(got.readable, c.readable) << c.name;
        if (!c.readable) continue;
        EXPECT_EQ(got.version, c.version) << c.name;
        EXPECT_EQ(got.records.size(), c.records) << c.name;
        EXPECT_EQ(got.skippedLines, c.skipped) << c.name;
    }
    EXPECT_FALSE(ReadElementClipboard(dir.filePath(QStringLiteral("none"))).exists);
}

TEST_F(ClipboardFileTest, RoundTripKeepsRecordsOnTheirLinesAndTooManyAreCut) {
    ASSERT_TRUE(WriteElementClipboard(path, 435, {QStringLiteral("LABEL\tÄrger\r\nzwei"), QStringLiteral("RECT\t1")}));
    ClipboardContent got = ReadElementClipboard(path);
    ASSERT_EQ(got.records.size(), 2);
    EXPECT_EQ(got.records[0], QStringLiteral("LABEL\tÄrger zwei"));

    QByteArray many = "435\n";
    for (int i = 0; i < kMaxClipboardRecords + 5; ++i) many += "RECT\t1\n";
    got = ReadElementClipboard(write(many));
    EXPECT_EQ(got.records.size(), kMaxClipboardRecords);
    EXPECT_EQ(got.skippedLines, 5);
}

TEST_F(ClipboardFileTest, AFailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(WriteElementClipboard(path, 435, {QStringLiteral("RECT\t1")}));
    EXPECT_FALSE(WriteElementClipboard(dir.filePath(QStringLiteral("missing/QEV.TMP")), 435, {QStringLiteral("X\t1")}));
    // A directory where the file should be cannot be replaced either.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    EXPECT_FALSE(WriteElementClipboard(dir.filePath(QStringLiteral("taken")), 435, {QStringLiteral("X\t1")}));
    EXPECT_EQ(ReadElementClipboard(path).records, QStringList{QStringLiteral("RECT\t1")});
}

TEST(Palette, EveryButtonCreatesItsKindAndHasAPicture) {
    RegisterAllElements();
    TForm1 window;
    QSet<int> tags;
    int sequences = 0;
    for (const PaletteEntry& entry : PaletteEntries()) {
        EXPECT_FALSE(tags.contains(entry.tag)) << entry.tag;
        tags.insert(entry.tag);
        EXPECT_TRUE((entry.tag >= 0 && entry.tag <= 81) || (entry.tag >= 100 && entry.tag <= 120)) << entry.tag;
        ASSERT_LT(entry.page, static_cast<int>(PalettePages().size()));
        const QString keyword = QString::fromLatin1(entry.keyword);
        EXPECT_TRUE(ElementKeywords().contains(keyword)) << entry.keyword;
        if (entry.tag >= kFirstSequenceTag) ++sequences;
        const QImage& icon = PaletteIcon(entry.tag);
        EXPECT_EQ(icon.size(), QSize(kPaletteIconSize, kPaletteIconSize)) << entry.keyword;
        if (!IsElementClassRegistered(keyword)) continue; // kinds still being built
        const std::unique_ptr<TGraph> element = MakePaletteElement(window, entry.tag);
        ASSERT_NE(element, nullptr) << entry.tag;
        EXPECT_EQ(element->Keyword(), keyword) << entry.tag;
    }
    EXPECT_EQ(tags.size(), 103);
    EXPECT_EQ(sequences, 21);
    EXPECT_EQ(MakePaletteElement(window, 99), nullptr);
    EXPECT_TRUE(PaletteIcon(99).isNull());
}

} // namespace
} // namespace ovanto
