#include "editor/editing_ops.h"
#include "editor/element_clipboard.h"
#include "editor/element_palette.h"
#include "editor/io_control_window.h"
#include "editor/tform2.h"

#include "elements/core/element_registry.h"
#include "elements/core/record.h"
#include "elements/core/tgraph.h"
#include "host/animation_file.h"
#include "host/recording_window_manager.h"
#include "platform/key_state.h"
#include "platform/module.h"
#include "platform/scripted_dialogs.h"
#include "platform/settings_store.h"
#include "window/tform1.h"

#include <QApplication>
#include <QFile>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace ovanto {
namespace {

class ShiftKey final : public KeyState {
public:
    bool held = false;
    bool isDown(int key) const override { return held && key == VirtualKey::Shift; }
};

// A window with RECT, CIRCLE, ELLIPSE, each with its own comment, and a dialog over it.
class EditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterAllElements();
        SettingsStore::setCurrent(&m_store);
        Dialogs::install(&dialogs);
        KeyState::install(&keys);
        for (const char* keyword : {"RECT", "CIRCLE", "ELLIPSE"}) {
            TGraph* e = CreateElement(window, QString::fromLatin1(keyword));
            e->setComment(QStringLiteral("Teil ") + QString::fromLatin1(keyword));
        }
        dialog = std::make_unique<TForm2>(window, TForm2::Role::Host);
        dialog->setClipboardFileName(m_dir.filePath(QStringLiteral("QEV.TMP")));
    }
    void TearDown() override {
        dialog.reset();
        KeyState::install(nullptr);
        Dialogs::install(nullptr);
        SettingsStore::setCurrent(nullptr);
    }

    QString keywords(const TForm1& w) const {
        QStringList k;
        for (int i = 0; i < w.elementCount(); ++i) k << w.elementAt(i)->Keyword();
        return k.join(QLatin1Char(' '));
    }
    QString keywords() const { return keywords(window); }
    void select(std::initializer_list<int> rows) {
        for (int i = 0; i < window.elementCount(); ++i) window.elementAt(i)->setSelected(false);
        for (int r : rows) window.elementAt(r - 1)->setSelected(true);
    }
    int currentRow() const { return dialog->elementGrid()->currentRow() + 1; }
    void writeClipboard(const QByteArray& bytes) {
        QFile f(dialog->clipboardFileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.filePath(QStringLiteral("config"))};
    testing::RecordingWindowManager manager;
    ScriptedDialogs dialogs;
    ShiftKey keys;
    TForm1 window;
    std::unique_ptr<TForm2> dialog;
};

TEST_F(EditingTest, UpAndDownMoveASelectedBlockAndFollowWithTheCurrentRow) {
    dialog->elementGrid()->setCurrentCell(1, 0);
    select({2, 3});
    dialog->UpButtonClick();
    EXPECT_EQ(keywords(), QStringLiteral("CIRCLE ELLIPSE RECT"));
    EXPECT_EQ(currentRow(), 1);
    EXPECT_TRUE(window.elementAt(0)->isSelected() && window.elementAt(1)->isSelected());
    EXPECT_FALSE(window.elementAt(2)->isSelected());
    dialog->DownButtonClick();
    EXPECT_EQ(keywords(), QStringLiteral("RECT CIRCLE ELLIPSE"));
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(dialog->elementGrid()->item(1, 0)->text(), QStringLiteral("CIRCLE"));
}

TEST_F(EditingTest, DropsOnTheElementGrid) {
    const struct {
        const char* name;
        int tag, source, dropRow;
        bool accepted;
        const char* after;
    } cases[] = {
        {"element 1 onto row 3", -1, 1, 3, true, "CIRCLE RECT ELLIPSE"},
        {"row onto the empty row", -1, 1, 4, true, "CIRCLE ELLIPSE RECT"},
        {"tank onto row 2", 42, -1, 2, true, "RECT TANK CIRCLE ELLIPSE"},
        {"circle onto the empty row", 4, -1, 4, true, "RECT CIRCLE ELLIPSE CIRCLE"},
        {"palette below the empty row", 42, -1, 5, false, "RECT CIRCLE ELLIPSE"},
        {"palette onto the heading", 42, -1, 0, false, "RECT CIRCLE ELLIPSE"},
        {"unknown tag", 99, -1, 1, false, "RECT CIRCLE ELLIPSE"},
        {"row from nowhere", -1, 7, 1, false, "RECT CIRCLE ELLIPSE"},
    };
    for (const auto& c : cases) {
        // Back to the starting list.
        window.clearElements();
        for (const char* k : {"RECT", "CIRCLE", "ELLIPSE"}) CreateElement(window, QString::fromLatin1(k));
        dialog->FillGrids();
        EXPECT_EQ(dialog->DropOnElementGrid(c.tag, c.source, c.dropRow), c.accepted) << c.name;
        EXPECT_EQ(keywords(), QString::fromLatin1(c.after)) << c.name;
        if (c.accepted) {
            const int expectedRow = c.tag >= 0 ? c.dropRow : DropTargetIndex(c.source - 1, c.dropRow, 3) + 1;
            EXPECT_EQ(currentRow(), expectedRow) << c.name;
            EXPECT_TRUE(window.elementAt(expectedRow - 1)->isCurrent()) << c.name;
        }
    }
}

TEST_F(EditingTest, PaletteClickSwitchesToTheElementsAndAppendsTheSelectedRow) {
    dialog->pages()->setCurrentIndex(3);
    dialog->elementPalette()->button(4)->click(); // "Kreis"
    EXPECT_EQ(dialog->pages()->currentIndex(), 0);
    EXPECT_EQ(keywords(), QStringLiteral("RECT CIRCLE ELLIPSE CIRCLE"));
    EXPECT_EQ(currentRow(), 4);
    EXPECT_TRUE(window.elementAt(3)->isCurrent());
    EXPECT_TRUE(window.elementAt(3)->isSelected());
    EXPECT_FALSE(window.elementAt(0)->isSelected());
    // Its own starting values, in the grid it owns now.
    EXPECT_EQ(dialog->propertyGrid()->item(TGraph::kFirstClassProperty, 1)->text(),
              window.elementAt(3)->text(TGraph::kFirstClassProperty));
    EXPECT_GE(dialog->elementGrid()->rowCount(), 5);
}

TEST_F(EditingTest, CopiedElementsPasteIntoAnotherInstanceSelected) {
    select({1, 2, 3});
    window.elementAt(0)->setText(TGraph::kFirstClassProperty, QStringLiteral("I1*2"));
    dialog->CopyButtonClick();

    TForm1 other;
    CreateElement(other, QStringLiteral("LINE"))->setSelected(true);
    TForm2 second(other, TForm2::Role::Host);
    second.setClipboardFileName(dialog->clipboardFileName());
    second.PasteButtonClick();
    EXPECT_EQ(keywords(other), QStringLiteral("LINE RECT CIRCLE ELLIPSE"));
    EXPECT_FALSE(other.elementAt(0)->isSelected());
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(other.elementAt(i)->isSelected());
        EXPECT_EQ(WriteRecord(*other.elementAt(i)), WriteRecord(*window.elementAt(i - 1)));
    }
    EXPECT_EQ(second.elementGrid()->currentRow() + 1, 4);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(EditingTest, PasteTakesWhatIsReadableAndReportsTheRest) {
    const QString good = WriteRecord(*window.elementAt(1));
    const struct {
        const char* name;
        QByteArray bytes; // empty: no file
        int added;
        const char* message; // nullptr: none; else a part of it
    } cases[] = {
        {"no file", {}, 0, "Keine Daten zum Einfügen vorhanden!"},
        {"version only", "435\r\n", 0, "Keine Daten zum Einfügen vorhanden!"},
        {"blank", " \r\n\r\n", 0, "Keine Daten zum Einfügen vorhanden!"},
        {"no version", "RECT\t1\r\n", 0, "Die Datei "},
        {"unknown and garbage", "435\r\nNOSUCH\t1\r\ngarbage\r\n" + good.toUtf8() + "\r\n", 1, "2 von 3 Einträgen"},
        {"newer version", "9999\r\n" + good.toUtf8() + "\r\nNOSUCH\t1\r\n", 1, "1 von 2 Einträgen konnten nicht eingefügt werden. Die Daten stammen von einer neueren"},
        {"broken integer", "435\r\nCIRCLE\tx\ty\tz\r\n" + good.toUtf8() + "\r\n", -1, nullptr},
    };
    for (const auto& c : cases) {
        QFile::remove(dialog->clipboardFileName());
        if (!c.bytes.isEmpty()) writeClipboard(c.bytes);
        const int before = window.elementCount();
        const qsizetype messagesBefore = dialogs.messages().size();
        dialog->PasteButtonClick();
        const QStringList shown = dialogs.messages().mid(messagesBefore);
        if (c.added >= 0) EXPECT_EQ(window.elementCount() - before, c.added) << c.name;
        else EXPECT_GE(window.elementCount() - before, 1) << c.name;
        if (c.message) {
            ASSERT_EQ(shown.size(), 1) << c.name;
            EXPECT_TRUE(shown.first().contains(QString::fromUtf8(c.message))) << c.name << ": " << shown.first().toStdString();
        }
        EXPECT_EQ(RecordVersion(), Module::recordVersion()) << c.name;
    }
}

TEST_F(EditingTest, ACopyThatCannotBeWrittenIsReportedAndTheOldDataStays) {
    select({1});
    dialog->CopyButtonClick();
    const ClipboardContent before = ReadElementClipboard(dialog->clipboardFileName());
    ASSERT_EQ(before.records.size(), 1);
    dialog->setClipboardFileName(m_dir.filePath(QStringLiteral("missing/QEV.TMP")));
    select({2, 3});
    dialog->CopyButtonClick();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(ReadElementClipboard(m_dir.filePath(QStringLiteral("QEV.TMP"))).records, before.records);
}

TEST_F(EditingTest, ArrowsMoveSelectedElementsButNotFormulaPositionedOnes) {
    dialog->elementGrid()->setCurrentCell(0, 0);
    select({1, 2});
    window.elementAt(1)->setText(TGraph::kFirstClassProperty, QStringLiteral("I1+5"));
    Rect rect0, circle0, ellipse0;
    window.elementAt(0)->GetBounds(rect0);
    window.elementAt(1)->GetBounds(circle0);
    window.elementAt(2)->GetBounds(ellipse0);
    dialog->MoveSelection(MoveDirection::Right);
    keys.held = true;
    dialog->MoveSelection(MoveDirection::Down);
    Rect rect1, circle1, ellipse1;
    window.elementAt(0)->GetBounds(rect1);
    window.elementAt(1)->GetBounds(circle1);
    window.elementAt(2)->GetBounds(ellipse1);
    EXPECT_EQ(rect1, rect0.translated(1, 10));
    EXPECT_EQ(circle1, circle0);
    EXPECT_EQ(ellipse1, ellipse0);
    // The current element's grid shows where it went, and reading it back keeps it there.
    EXPECT_EQ(dialog->propertyGrid()->item(TGraph::kFirstClassProperty, 1)->text(),
              window.elementAt(0)->text(TGraph::kFirstClassProperty));
    dialog->Preview();
    Rect again;
    window.elementAt(0)->GetBounds(again);
    EXPECT_EQ(again, rect1);
}

TEST_F(EditingTest, HoldingAnArrowStartsTheRepeatAndReleasingStopsIt) {
    QToolButton* right = dialog->moveButton(MoveDirection::Right);
    emit right->pressed();
    EXPECT_TRUE(dialog->moveTimer()->isActive());
    EXPECT_EQ(dialog->moveTimer()->interval(), 500);
    for (int expected : {400, 300, 200, 100, 100}) {
        dialog->MoveTimerTimer();
        EXPECT_EQ(dialog->moveTimer()->interval(), expected);
    }
    emit right->released();
    EXPECT_FALSE(dialog->moveTimer()->isActive());
}

TEST_F(EditingTest, SearchFindsCommentsCaseBlindAndSaysWhenNothingMatches) {
    dialog->elementGrid()->setCurrentCell(0, 0);
    dialog->searchEdit()->setText(QStringLiteral("teil e"));
    dialog->SearchButtonClick();
    EXPECT_EQ(currentRow(), 3);
    dialog->searchEdit()->setText(QStringLiteral("teil"));
    dialog->SearchButtonClick();
    EXPECT_EQ(currentRow(), 1); // from the next row on, round to the first
    dialog->searchEdit()->setText(QStringLiteral("Ventil"));
    dialog->SearchButtonClick();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Zeichenfolge wurde nicht gefunden!")});
    EXPECT_EQ(currentRow(), 1);
}

TEST_F(EditingTest, DeleteAllAsksFirst) {
    dialogs.answerMessage(MessageButton::No);
    dialog->DeleteAllButtonClick();
    EXPECT_EQ(window.elementCount(), 3);
    dialogs.answerMessage(MessageButton::Yes);
    dialog->DeleteAllButtonClick();
    EXPECT_EQ(window.elementCount(), 0);
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Sind Sie sicher?"), QStringLiteral("Sind Sie sicher?")}));
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
}

TEST_F(EditingTest, AFailedSaveKeepsTheOldFileAndTheChangedFlag) {
    const QString path = m_dir.filePath(QStringLiteral("kept.qev"));
    ASSERT_TRUE(SaveConfiguration(path, window));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    CreateElement(window, QStringLiteral("LINE"));
    // The file is now a directory's name: the new text cannot take its place.
    const QString blocked = m_dir.filePath(QStringLiteral("blocked.qev"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("blocked.qev")));
    dialogs.answerFile(blocked);
    dialog->Button4Click();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Fehler beim Speichern der Datei!")});
    EXPECT_TRUE(dialog->changed());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), before);
}

TEST_F(EditingTest, ABrokenFileIsReportedAndWhatWasReadStays) {
    const QString path = m_dir.filePath(QStringLiteral("broken.qev"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("435\r\nKaputt\r\n2\r\n" + WriteRecord(*window.elementAt(1)).toUtf8() + "\r\n");
    f.close();
    dialogs.answerFile(path);
    dialog->Button2Click();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Fehler beim Öffnen der Datei!")});
    EXPECT_EQ(keywords(), QStringLiteral("CIRCLE"));
    EXPECT_EQ(dialog->titleEdit()->text(), QStringLiteral("Kaputt"));
    EXPECT_EQ(dialog->elementGrid()->item(0, 0)->text(), QStringLiteral("CIRCLE"));
}

TEST_F(EditingTest, IOWindowSetsInputsAndStepsAndWidens) {
    TQEVIOForm& io = *dialog->ioWindow();
    dialog->showIOWindow();
    ASSERT_TRUE(io.isVisible());
    QTableWidget& grid = *io.grid();
    grid.item(2, 1)->setText(QStringLiteral("0,5")); // input 3
    EXPECT_EQ(window.signalTable()[3], 0.5L);
    grid.item(50 + 6, 1)->setText(QStringLiteral("7")); // E7
    EXPECT_EQ(window.signalTable()[signal_pos::kFirstExternal + 6], 7.0L);
    grid.item(0, 1)->setText(QStringLiteral("2"));
    grid.setCurrentCell(0, 1);
    io.StepButtonClick(8); // +100
    EXPECT_EQ(grid.item(0, 1)->text(), QStringLiteral("102"));
    EXPECT_EQ(window.signalTable()[1], 102.0L);
    grid.item(1, 1)->setText(QStringLiteral("abc"));
    grid.setCurrentCell(1, 1);
    io.StepButtonClick(4);
    EXPECT_EQ(grid.item(1, 1)->text(), QStringLiteral("abc"));
    // Outputs written by the picture show up after the next preview.
    window.signalTable()[signal_pos::kFirstOutput + 1] = 4.25L;
    dialog->Preview();
    EXPECT_EQ(grid.item(1, 2)->text(), QStringLiteral("4.25"));

    io.WidthButtonClick();
    EXPECT_EQ(io.width(), TQEVIOForm::kWideWidth);
    EXPECT_EQ(io.widthButton()->text(), QStringLiteral("<<"));
    io.WidthButtonClick();
    EXPECT_EQ(io.width(), TQEVIOForm::kNarrowWidth);
    io.close();
    EXPECT_FALSE(io.isVisible());
    dialog->showIOWindow();
    EXPECT_TRUE(io.isVisible());
}

TEST_F(EditingTest, DragsOverTheGridAreJudgedByTheRowUnderTheCursorAndScrollNearTheEdges) {
    dialog->resize(700, 500);
    dialog->show();
    QTableWidget& grid = *dialog->elementGrid();
    QWidget& viewport = *grid.viewport();
    // Outside a real drag the application drops these events, so they go to the dialog's filter.
    QObject& dialogFilter = *dialog;
    const auto deliver = [&](QEvent& e) { dialogFilter.eventFilter(&viewport, &e); };
    QMimeData tank;
    tank.setData(QString::fromLatin1(kPaletteTagMime), "42");
    const auto rowMiddle = [&](int row) { return QPoint(20, grid.rowViewportPosition(row - 1) + grid.rowHeight(row - 1) / 2); };
    const auto move = [&](QPoint at) {
        QDragMoveEvent e(at, Qt::CopyAction, &tank, Qt::LeftButton, Qt::NoModifier);
        deliver(e);
        return e.isAccepted();
    };
    EXPECT_TRUE(move(rowMiddle(2)));
    EXPECT_TRUE(move(rowMiddle(4)));  // the empty row after the last element
    EXPECT_FALSE(move(rowMiddle(6))); // further down: no place in the list
    EXPECT_FALSE(dialog->scrollTimer()->isActive());
    EXPECT_TRUE(move(QPoint(20, 3)));
    EXPECT_TRUE(dialog->scrollTimer()->isActive());
    EXPECT_EQ(dialog->scrollDirection(), 1);
    EXPECT_EQ(dialog->scrollTimer()->interval(), 100);
    move(QPoint(20, viewport.height() - 2));
    EXPECT_EQ(dialog->scrollDirection(), -1);
    QDragLeaveEvent leave;
    deliver(leave);
    EXPECT_FALSE(dialog->scrollTimer()->isActive());

    QDropEvent outside(rowMiddle(6), Qt::CopyAction, &tank, Qt::LeftButton, Qt::NoModifier);
    deliver(outside);
    EXPECT_EQ(keywords(), QStringLiteral("RECT CIRCLE ELLIPSE"));
    QDropEvent onto(rowMiddle(2), Qt::CopyAction, &tank, Qt::LeftButton, Qt::NoModifier);
    deliver(onto);
    EXPECT_EQ(keywords(), QStringLiteral("RECT TANK CIRCLE ELLIPSE"));
}

} // namespace
} // namespace ovanto
