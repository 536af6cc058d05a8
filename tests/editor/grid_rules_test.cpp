#include "editor/desktop_layout.h"
#include "editor/grid_rules.h"
#include "platform/settings_store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

struct EditCase {
    const char* keyword;
    int row;
    bool editable;
};

TEST(EditorGridRules, ValueCellsEditableInPlace) {
    const EditCase cases[] = {
        {"RECT", 11, true},       {"RECT", 12, false},     {"CIRCLE", 10, true},   {"CIRCLE", 11, false},
        {"LABEL", 9, true},       {"LABEL", 10, false},    {"LABEL", 11, true},    {"MESSAGE", 11, false},
        {"TABLE", 17, false},     {"TABLE", 40, true},     {"SOUND", 8, true},     {"SOUND", 9, false},
        {"SOUND", 11, true},      {"SOUND", 12, false},    {"SEPARATOR", 1, false}, {"HSCALE", 29, true},
        {"HSCALE", 30, false},    {"BMPSEQ", 25, true},    {"3/2-VALVE", 15, true}, {"3/2-VALVE", 16, false},
        {"NO-SUCH-KIND", 1, false},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(PropertyCellEditable(QString::fromLatin1(c.keyword), c.row), c.editable) << c.keyword << " " << c.row;
}

struct ButtonCase {
    ValueButton button;
    const char* keyword;
    int row;
    bool visible;
};

TEST(EditorGridRules, ValueEditorButtonsFollowTheRow) {
    const ButtonCase cases[] = {
        {ValueButton::Color, "SEPARATOR", 1, true},   {ValueButton::Color, "SEPARATOR", 2, true},
        {ValueButton::Color, "SEPARATOR", 3, false},  {ValueButton::Color, "HYDCYL", 12, true},
        {ValueButton::Color, "HYDCYL", 13, false},    {ValueButton::Color, "HYDCYL", 14, true},
        {ValueButton::Color, "MESSAGE", 19, true},    {ValueButton::PictureFile, "BMPBUTTON", 12, false},
        {ValueButton::PictureFile, "BMPBUTTON", 13, true}, {ValueButton::PictureFile, "BMPBUTTON", 22, true},
        {ValueButton::PictureFile, "BMPBUTTON", 23, false}, {ValueButton::PictureFile, "DLGBUTTON", 14, false},
        {ValueButton::MediaFile, "SOUND", 9, true},   {ValueButton::MediaFile, "AVI", 9, false},
        {ValueButton::Font, "SPINEDIT", 16, true},    {ValueButton::Font, "LABEL", 11, false},
    };
    for (const ButtonCase& c : cases)
        EXPECT_EQ(ValueButtonVisible(c.button, QString::fromLatin1(c.keyword), c.row, true), c.visible)
            << c.keyword << " " << c.row;
    EXPECT_FALSE(ValueButtonVisible(ValueButton::Color, QString(), 1, false)); // the empty row
}

TEST(EditorGridRules, FileDialogsAskForTheKindsFiles) {
    EXPECT_EQ(PictureFilePreset(QStringLiteral("BITMAP")).filter, "Windows-Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(PictureFilePreset(QStringLiteral("DLGBUTTON")).fileName, "*.*");
    EXPECT_EQ(PictureFilePreset(QStringLiteral("WMF")).filter, "Windows-Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(MediaFilePreset(QStringLiteral("AVI")).filter, "Video für Windows (*.avi)|*.avi");
    EXPECT_EQ(MediaFilePreset(QStringLiteral("SOUND")).fileName, "*.wav");
}

TEST(EditorGridRules, CellTextKindGivesTheInk) {
    const std::pair<const char*, CellTextKind> cases[] = {
        {"12", CellTextKind::Number},      {"1,5", CellTextKind::Number},    {"-3.25E2", CellTextKind::Number},
        {"I1*2", CellTextKind::Formula},   {"sin(i54)", CellTextKind::Formula}, {"(I1+2", CellTextKind::Broken},
        {"1,5+", CellTextKind::Broken},
    };
    for (const auto& [text, kind] : cases) EXPECT_EQ(ClassifyCellText(QString::fromLatin1(text)), kind) << text;
}

struct ClickCase {
    const char* before;
    int clicked;
    bool shift;
    bool ctrl;
    const char* after;
};

std::vector<bool> flags(const char* s) {
    std::vector<bool> v;
    for (; *s; ++s) v.push_back(*s == 'x');
    return v;
}

TEST(EditorGridRules, ClicksSelectLikeAListBox) {
    const ClickCase cases[] = {
        {"x..x.", 2, false, false, "..x.."}, // plain click: only the clicked one
        {"x....", 3, false, true, "x..x."},  // Ctrl adds
        {".x...", 3, true, false, ".xxx."},  // Shift extends from the selection before it
        {"....x", 1, true, false, ".xxxx"},  // ... or from the one after it
        {".....", 2, true, false, "..x.."},  // Shift with nothing selected
        {"xx...", -1, false, false, "....."}, // the empty row clears
        {"xx...", -1, false, true, "xx..."},
    };
    for (const ClickCase& c : cases)
        EXPECT_EQ(SelectionAfterClick(flags(c.before), c.clicked, c.shift, c.ctrl), flags(c.after))
            << c.before << " click " << c.clicked;
}

TEST(EditorGridRules, ElementGridKeepsAnEmptyRowAfterTheLast) {
    const std::pair<int, int> cases[] = {{0, 50}, {48, 50}, {49, 55}, {53, 55}, {54, 60}, {1000, 1005}};
    for (const auto& [elements, rows] : cases) EXPECT_EQ(ElementGridRowCount(elements), rows) << elements;
}

TEST(EditorGridRules, SpinnerTakesDecimalIntegersInItsRange) {
    int v = 0;
    EXPECT_TRUE(SpinnerValue(QStringLiteral("-32000"), v));
    EXPECT_EQ(v, -32000);
    for (const char* text : {"32001", "1.5", "I1", "", "0x10"}) EXPECT_FALSE(SpinnerValue(QString::fromLatin1(text), v)) << text;
}

TEST(EditorDesktopLayout, MissingValuesLeaveThingsAloneAndOkWritesThemBack) {
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    const DesktopLayout fresh = ReadDesktopLayout(store);
    EXPECT_EQ(fresh.LastLeftDlg, DesktopLayout::kUnset);
    EXPECT_EQ(fresh.LastStateIOForm, DesktopLayout::kUnset);
    EXPECT_TRUE(fresh.Sound);
    EXPECT_TRUE(fresh.Grid);
    EXPECT_FALSE(fresh.Locked);

    DesktopLayout layout;
    layout.LastLeftDlg = 12;
    layout.LastHeightDlg = 480;
    layout.Grid = false;
    layout.Locked = true;
    WriteDesktopLayout(store, layout);
    const DesktopLayout back = ReadDesktopLayout(store);
    EXPECT_EQ(back.LastLeftDlg, 12);
    EXPECT_EQ(back.LastHeightDlg, 480);
    EXPECT_FALSE(back.Grid);
    EXPECT_TRUE(back.Locked);
    EXPECT_EQ(store.readInteger(QStringLiteral("Software\\Halvoran\\QEV\\Desktop"), QStringLiteral("LastLeftDlg"), 0), 12);
}

} // namespace
} // namespace ovanto
