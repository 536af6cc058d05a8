#include "editor/tform2.h"

#include "editor/editor_entry.h"

#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "host/animation_file.h"
#include "host/recording_window_manager.h"
#include "platform/key_state.h"
#include "platform/scripted_dialogs.h"
#include "platform/settings_store.h"
#include "window/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace ovanto {
namespace {

class HeldKeys final : public KeyState {
public:
    std::set<int> down;
    bool isDown(int key) const override { return down.count(key) > 0; }
};

// A window with a few real elements and every service answered by a double.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterAllElements();
        SettingsStore::setCurrent(&m_store);
        Dialogs::install(&dialogs);
        KeyState::install(&keys);
        for (const char* keyword : {"RECT", "CIRCLE", "SEPARATOR"}) CreateElement(window, QString::fromLatin1(keyword));
    }
    void TearDown() override {
        KeyState::install(nullptr);
        Dialogs::install(nullptr);
        SettingsStore::setCurrent(nullptr);
    }

    QByteArray savedBytes() {
        const QString path = m_dir.filePath(QStringLiteral("now.qev"));
        EXPECT_TRUE(SaveConfiguration(path, window));
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void selectRow(TForm2& dialog, int row) { dialog.elementGrid()->setCurrentCell(row - 1, 0); }
    void setValue(TForm2& dialog, int propertyRow, const QString& text) {
        dialog.propertyGrid()->setCurrentCell(propertyRow - 1, 1);
        dialog.propertyGrid()->item(propertyRow - 1, 1)->setText(text);
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.filePath(QStringLiteral("config"))};
    testing::RecordingWindowManager manager;
    ScriptedDialogs dialogs;
    HeldKeys keys;
    TForm1 window;
};

TEST_F(EditorTest, CancelRestoresTheConfigurationOfTheOpening) {
    const QByteArray before = savedBytes();
    {
        TForm2 dialog(window, TForm2::Role::Host);
        selectRow(dialog, 1);
        setValue(dialog, 7, QStringLiteral("I1*3")); // x of the RECT
        dialog.titleEdit()->setText(QStringLiteral("Anders"));
        CreateElement(window, QStringLiteral("ELLIPSE"));
        window.removeElement(1);
        window.configuration().InputCount = 7;
        window.options().BackgroundColor = 255;
        ASSERT_NE(savedBytes(), before);
        const QString backup = dialog.backupFileName();
        EXPECT_TRUE(QFile::exists(backup));
        dialog.Button7Click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(QFile::exists(backup));
    }
    EXPECT_EQ(savedBytes(), before);
}

TEST_F(EditorTest, RefusedValueBlocksLeavingTheElementAndComesBackSelected) {
    TForm2 dialog(window, TForm2::Role::Host);
    selectRow(dialog, 1);
    const QString xBefore = window.elementAt(0)->text(6);
    {
        // Both cells reach the element in one read-back: y is valid, w does not compile.
        const QSignalBlocker quiet(dialog.propertyGrid());
        setValue(dialog, 8, QStringLiteral("77"));
        setValue(dialog, 9, QStringLiteral("(I1+"));
    }
    selectRow(dialog, 2);
    QApplication::processEvents();
    const QStringList shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("Element-Zeile 1 (RECT)")));
    EXPECT_TRUE(shown.first().endsWith(QStringLiteral("Ausdruck kann nicht interpretiert werden ((I1+)")));
    // Nothing of the element was taken, the bad text stays for mending.
    EXPECT_EQ(window.elementAt(0)->text(6), xBefore);
    EXPECT_NE(window.elementAt(0)->text(7), QStringLiteral("77"));
    EXPECT_EQ(dialog.elementGrid()->currentRow(), 0);
    EXPECT_EQ(dialog.propertyGrid()->currentRow(), 8);
    EXPECT_EQ(dialog.propertyGrid()->item(8, 1)->text(), QStringLiteral("(I1+"));
    EXPECT_TRUE(window.elementAt(0)->isCurrent());

    setValue(dialog, 9, QStringLiteral("25"));
    selectRow(dialog, 2);
    EXPECT_EQ(window.elementAt(0)->text(7), QStringLiteral("77"));
    EXPECT_EQ(dialog.previousRow(), 2);
    EXPECT_TRUE(window.elementAt(1)->isCurrent());
}

TEST_F(EditorTest, EmptyListLeavesOnlyHeadingsAndDisabledListButtons) {
    window.clearElements();
    TForm2 dialog(window, TForm2::Role::Host);
    EXPECT_EQ(dialog.elementGrid()->rowCount(), 49);
    EXPECT_EQ(dialog.elementGrid()->horizontalHeaderItem(0)->text(), QStringLiteral("Elementtyp"));
    for (QPushButton* b : {dialog.deleteButton(), dialog.copyButton(), dialog.upButton(), dialog.downButton()})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    for (int r = 0; r < dialog.propertyGrid()->rowCount(); ++r) {
        const QTableWidgetItem* item = dialog.propertyGrid()->item(r, 1);
        EXPECT_TRUE(!item || item->text().isEmpty());
    }
}

TEST_F(EditorTest, EmptyRowClearsThePropertiesAndHidesTheButtons) {
    TForm2 dialog(window, TForm2::Role::Host);
    dialog.show();
    selectRow(dialog, 3); // the separator
    dialog.propertyGrid()->setCurrentCell(0, 1);
    EXPECT_TRUE(dialog.colorButton()->isVisible()) << "stroke colour of a separator";
    EXPECT_EQ(dialog.propertyGrid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    selectRow(dialog, 4);
    EXPECT_TRUE(dialog.propertyGrid()->item(0, 1)->text().isEmpty());
    for (QToolButton* b : {dialog.colorButton(), dialog.fontButton(), dialog.fileButton(), dialog.aviFileButton()})
        EXPECT_FALSE(b->isVisible());
    EXPECT_FALSE(dialog.deleteButton()->isEnabled());
}

TEST_F(EditorTest, CellInkTellsNumberFormulaAndBrokenText) {
    TForm2 dialog(window, TForm2::Role::Host);
    selectRow(dialog, 1);
    dialog.propertyGrid()->setCurrentCell(0, 1);
    const std::pair<const char*, QColor> cases[] = {
        {"1,5", QColor(0, 0, 0)}, {"I1*2", QColor(0, 128, 0)}, {"(I1*2", QColor(0, 0, 255)}};
    for (const auto& [text, ink] : cases) {
        dialog.propertyGrid()->item(9, 1)->setText(QString::fromLatin1(text));
        EXPECT_EQ(dialog.propertyTextColor(10), ink) << text;
    }
}

TEST_F(EditorTest, ShiftAndCtrlClicksKeepTheWindowsFlagsInStep) {
    TForm2 dialog(window, TForm2::Role::Host);
    selectRow(dialog, 1);
    keys.down = {VirtualKey::Shift};
    selectRow(dialog, 3);
    keys.down.clear();
    EXPECT_TRUE(window.elementAt(0)->isSelected());
    EXPECT_TRUE(window.elementAt(1)->isSelected());
    EXPECT_TRUE(window.elementAt(2)->isCurrent());
    EXPECT_FALSE(window.elementAt(0)->isCurrent());
    EXPECT_TRUE(dialog.upButton()->isEnabled() == false);

    // A click in the window selects the row but leaves the window's flags.
    window.elementAt(1)->setSelected(false);
    dialog.selectElementRow(2, true);
    EXPECT_EQ(dialog.elementGrid()->currentRow(), 1);
    EXPECT_TRUE(window.elementAt(1)->isCurrent());
    EXPECT_FALSE(window.elementAt(1)->isSelected());
}

TEST_F(EditorTest, ColourButtonWritesTheChoiceAndCancelWritesNothing) {
    TForm2 dialog(window, TForm2::Role::Host);
    selectRow(dialog, 1);
    dialog.propertyGrid()->setCurrentCell(1, 1);
    dialog.propertyGrid()->item(1, 1)->setText(QStringLiteral("255+I1"));
    dialogs.answerColor(std::nullopt);
    dialogs.answerColor(65280);
    dialog.ColorButtonClick();
    EXPECT_EQ(dialog.propertyGrid()->item(1, 1)->text(), QStringLiteral("255+I1"));
    dialog.ColorButtonClick();
    ASSERT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.calls()[1].color, 255) << "preset with the evaluated cell";
    EXPECT_EQ(window.elementAt(0)->text(TGraph::kRGBFill), QStringLiteral("65280"));
    EXPECT_TRUE(dialog.changed());
}

TEST_F(EditorTest, SpinnerStepsIntegerCellsOnly) {
    TForm2 dialog(window, TForm2::Role::Host);
    selectRow(dialog, 1);
    dialog.propertyGrid()->setCurrentCell(8, 1); // w
    ASSERT_TRUE(dialog.valueSpinner()->isEnabled());
    dialog.valueSpinner()->stepBy(3);
    EXPECT_EQ(window.elementAt(0)->text(8), QString::number(dialog.valueSpinner()->value()));
    dialog.propertyGrid()->item(8, 1)->setText(QStringLiteral("I1+1"));
    dialog.propertyGrid()->setCurrentCell(7, 1);
    dialog.propertyGrid()->setCurrentCell(8, 1);
    EXPECT_FALSE(dialog.valueSpinner()->isEnabled());
}

TEST_F(EditorTest, OkRefusesABadIncrementAndStaysOpen) {
    TForm2 dialog(window, TForm2::Role::Host);
    dialog.show();
    dialog.incrementEdit(1)->setText(QStringLiteral("I1+*"));
    dialog.Button1Click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Ausdruck kann nicht interpretiert werden!")});
    EXPECT_TRUE(QFile::exists(dialog.backupFileName()));
    dialog.incrementEdit(1)->setText(QStringLiteral("2*I1"));
    dialog.Button1Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(window.configuration().CounterIncrement[1].text(), "2*I1");
}

TEST_F(EditorTest, OkPutsTheWindowBackOrInTheMiddle) {
    for (bool centre : {false, true}) {
        window.move(40, 50);
        TForm2 dialog(window, TForm2::Role::Host);
        EXPECT_NE(window.pos(), QPoint(40, 50)) << "moved aside while editing";
        dialog.centerWindowCheck()->setChecked(centre);
        dialog.Button1Click();
        const QRect s = window.screenGeometry();
        const QPoint expected = centre ? QPoint((s.width() - window.frameGeometry().width()) / 2,
                                                (s.height() - window.frameGeometry().height()) / 2)
                                       : QPoint(40, 50);
        EXPECT_EQ(window.pos(), expected) << centre;
    }
}

TEST_F(EditorTest, LayoutComesBackAndMissingLayoutUsesTheBottomLeft) {
    {
        TForm2 dialog(window, TForm2::Role::Host);
        const QRect s = window.screenGeometry();
        EXPECT_EQ(dialog.pos(), QPoint(0, s.height() - dialog.height() - 30));
        dialog.move(33, 44);
        dialog.resize(700, 560);
        dialog.Button1Click();
    }
    TForm2 again(window, TForm2::Role::Host);
    EXPECT_EQ(again.pos(), QPoint(33, 44));
    EXPECT_EQ(again.size(), QSize(700, 560));
}

TEST_F(EditorTest, StandaloneCloseAsksWhileChangesAreUnsaved) {
    TForm2 dialog(window, TForm2::Role::Standalone);
    dialog.show();
    selectRow(dialog, 2);
    ASSERT_TRUE(dialog.changed());
    dialogs.answerMessage(MessageButton::No);
    dialog.Button1Click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0],
              QStringLiteral("Die aktuellen Daten wurden noch nicht gespeichert! Programm dennoch beenden?"));

    dialogs.answerFile(m_dir.filePath(QStringLiteral("saved.qev")));
    dialog.Button4Click();
    EXPECT_FALSE(dialog.changed());
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("saved.qev"))));
}

TEST_F(EditorTest, HostDialogKeepsTheWindowInDesignModeUntilItCloses) {
    window.show();
    window.configuration().InputCount = 2;
    bool seenOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TForm2*>(window.configDialog() ? dynamic_cast<QObject*>(window.configDialog()) : nullptr);
        ASSERT_NE(dialog, nullptr);
        seenOpen = window.designMode() && dialog->isVisible();
        dialog->findChild<QSpinBox*>(QStringLiteral("IntegerEdit1"))->setValue(5);
        dialog->Button1Click();
    });
    RunConfigurationDialog(window);
    EXPECT_TRUE(seenOpen);
    EXPECT_FALSE(window.designMode());
    EXPECT_EQ(window.configDialog(), nullptr);
    EXPECT_EQ(window.configuration().InputCount, 5);
}

} // namespace
} // namespace ovanto
