#include "window/window_fixture.h"

#include "elements/core/element_registry.h"
#include "platform/scripted_dialogs.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/xdg_tree.h"
#include "window/size_change_event.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace ovanto {
namespace {

using namespace ovanto::testing;

TEST(WindowCreation, StartsWithTheDefaultLookAndTools) {
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), "Ovanto");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.size(), QSize(273, 238)); // offscreen windows have no frame
    EXPECT_EQ(form.x(), form.screenGeometry().right() + 1 - 273);
    EXPECT_FALSE(form.helpMenuBar()->isVisibleTo(&form));
    ASSERT_EQ(form.helpMenuBar()->actions().size(), 1);
    EXPECT_EQ(form.helpMenuBar()->actions()[0]->text(), "Hilfe");
    QStringList items;
    for (const QAction* a : form.popupMenu()->actions()) items << a->text();
    EXPECT_EQ(items, (QStringList{"Konfigurierungsdialog", "Elementfenster", "I/O-Kontrollfenster", "Alle anzeigen"}));
    EXPECT_EQ(form.pauseTimer().interval(), 500);
    EXPECT_FALSE(form.pauseTimer().isActive());
    EXPECT_TRUE(form.pauseElapsed());
    EXPECT_TRUE(form.designGrid());
    EXPECT_FALSE(form.designMode());
    EXPECT_EQ(form.options().BackgroundColor, 16777215);
    EXPECT_EQ(form.configuration().RefreshInterval, 1);
    EXPECT_EQ(form.signalTable()[57], 0.0L);

    form.options().HelpMenu = true;
    form.applyHelpMenu();
    EXPECT_TRUE(form.helpMenuBar()->isVisibleTo(&form));
    EXPECT_LT(form.clientSize().height(), form.height());
}

TEST(WindowCreation, PauseTimerRunsOnceAndRaisesTheFlag) {
    TForm1 form;
    form.startPauseTimer();
    EXPECT_FALSE(form.pauseElapsed());
    EXPECT_TRUE(form.pauseTimer().isActive());
    form.PauseTimerTimer();
    EXPECT_TRUE(form.pauseElapsed());
    EXPECT_FALSE(form.pauseTimer().isActive());
}

TEST(WindowCreation, RemovingAndClearingElementsFreesThem) {
    TForm1 form;
    addFilled(form, 1, 20);
    FilledGraph* second = addFilled(form, 2, 20);
    addFilled(form, 3, 20);
    form.removeElement(0);
    form.removeElement(7); // outside the list: nothing
    EXPECT_EQ(form.elementCount(), 2);
    EXPECT_EQ(form.elementAt(0), second);
    EXPECT_EQ(form.indexOf(second), 0);
    EXPECT_EQ(form.elementAt(5), nullptr);
    form.UpdateOutputs();
    EXPECT_EQ(second->outputs, 1);
    form.clearElements();
    EXPECT_EQ(form.elementCount(), 0);
}

// --- mouse ---------------------------------------------------------------------

class WindowMouse : public ::testing::Test {
protected:
    void SetUp() override {
        form.setConfigDialog(&dialog);
        form.setDesignMode(true);
        form.setClientSize(QSize(300, 200));
        form.show();
    }
    QWidget* box() { return form.paintBox(); }

    RecordingDialogLink dialog;
    TForm1 form;
};

TEST_F(WindowMouse, RubberBandSelectsTheElementsInsideAndMakesTheLastCurrent) {
    FilledGraph* a = addFilled(form, 30, 40);  // bounds 30,30 - 50,40
    FilledGraph* b = addFilled(form, 80, 60);  // 80,50 - 100,60
    FilledGraph* c = addFilled(form, 200, 60); // outside the band
    a->setCurrent(true);
    c->setSelected(true);

    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_FALSE(dialog.rows.empty());
    EXPECT_EQ(dialog.rows.back(), std::make_pair(4, false)); // the empty row after the list
    QTest::mouseMove(box(), QPoint(20, 20));
    QTest::mouseMove(box(), QPoint(150, 90));
    // The focus rectangle is on the picture while the band is open.
    const auto bandEdgeShows = [&] {
        for (int y = 51; y < 60; ++y)
            for (int x = 148; x <= 150; ++x)
                if (form.offscreenImage().pixel(x, y) != qRgb(255, 255, 255)) return true;
        return false;
    };
    EXPECT_TRUE(bandEdgeShows());
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(150, 90));

    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(b->isSelected());
    EXPECT_FALSE(c->isSelected());
    EXPECT_FALSE(a->isCurrent());
    EXPECT_TRUE(b->isCurrent());
    EXPECT_EQ(dialog.rows.back(), std::make_pair(2, true));
    EXPECT_EQ(dialog.status.back(), "150, 90");
    EXPECT_FALSE(bandEdgeShows());
}

TEST_F(WindowMouse, ABandDrawnBackwardsIsNormalisedAndEdgesCount) {
    FilledGraph* a = addFilled(form, 30, 40); // 30,30 - 50,40
    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseMove(box(), QPoint(45, 35));
    QTest::mouseMove(box(), QPoint(30, 30));
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(a->isCurrent());
}

TEST_F(WindowMouse, AClickOnAnEmptySpotLeavesNothingSelected) {
    FilledGraph* a = addFilled(form, 30, 40);
    a->setSelected(true);
    a->setCurrent(true);
    QTest::mouseClick(box(), Qt::LeftButton, {}, QPoint(250, 150));
    EXPECT_FALSE(a->isSelected());
    EXPECT_FALSE(a->isCurrent());
}

TEST_F(WindowMouse, AClickOnOverlappingElementsSelectsTheUpperOne) {
    FilledGraph* lower = addFilled(form, 30, 40);
    FilledGraph* upper = addFilled(form, 35, 40);
    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(40, 35));
    EXPECT_TRUE(lower->isPressed()); // lower elements still see the press
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(40, 35));
    EXPECT_FALSE(lower->isPressed());
    EXPECT_TRUE(upper->isSelected());
    EXPECT_TRUE(upper->isCurrent());
    EXPECT_FALSE(lower->isSelected());
    EXPECT_FALSE(lower->isCurrent());
    EXPECT_EQ(dialog.rows.back(), std::make_pair(2, true));
}

TEST_F(WindowMouse, DraggingMovesTheSelectionUnlessLocked) {
    FilledGraph* a = addFilled(form, 30, 40);
    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(40, 35));
    QTest::mouseMove(box(), QPoint(50, 45));
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(50, 45));
    Rect r;
    a->GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 40, 60, 50}));

    dialog.locked = true;
    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(45, 45));
    QTest::mouseMove(box(), QPoint(80, 80));
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(80, 80));
    a->GetBounds(r);
    EXPECT_EQ(r, (Rect{40, 40, 60, 50}));
}

TEST_F(WindowMouse, PopupMenuItemsReachTheDialogInOrder) {
    form.Alleanzeigen1Click();
    EXPECT_EQ(dialog.menuCalls, (QStringList{"dialog", "palette", "io"}));
}

// --- keys ----------------------------------------------------------------------

TEST(WindowKeys, DesignModeShowsTheKeyCodeUntilTheKeyIsReleased) {
    RecordingDialogLink dialog;
    TForm1 form;
    form.setConfigDialog(&dialog);
    form.setDesignMode(true);
    FilledGraph* a = addFilled(form, 1, 20);

    QTest::keyPress(&form, Qt::Key_A);
    EXPECT_EQ(form.windowTitle(), "Tastencode: 65");
    QTest::keyRelease(&form, Qt::Key_A);
    EXPECT_EQ(form.windowTitle(), "Dialog caption");

    QTest::keyClick(&form, Qt::Key_Delete);
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(dialog.gridKeys, (std::vector<int>{46, 112}));
    EXPECT_EQ(a->keysDown, (std::vector<int>{65, 46, 112}));
    EXPECT_EQ(a->keysUp, (std::vector<int>{65, 46, 112}));

    form.setConfigDialog(nullptr);
    QTest::keyClick(&form, Qt::Key_B);
    EXPECT_EQ(form.windowTitle(), "Ovanto");
}

TEST(WindowKeys, RunModeOnlyPassesKeysToElements) {
    TForm1 form;
    FilledGraph* a = addFilled(form, 1, 20);
    QTest::keyClick(&form, Qt::Key_Space);
    EXPECT_EQ(form.windowTitle(), "Ovanto");
    EXPECT_EQ(a->keysDown, std::vector<int>{32});
}

TEST(WindowKeys, KeysOfAFocusedChildControlArePreviewedExactlyOnce) {
    TForm1 form;
    FilledGraph* a = addFilled(form, 1, 20);
    auto* edit = new QLineEdit(form.controlParent());
    QTest::keyClick(edit, Qt::Key_C); // the edit takes it
    QTest::keyClick(edit, Qt::Key_F5); // the edit passes it up to the window
    EXPECT_EQ(edit->text(), "c");
    EXPECT_EQ(a->keysDown, (std::vector<int>{67, 116}));
    EXPECT_EQ(a->keysUp, (std::vector<int>{67, 116}));
}

// --- window messages and states ------------------------------------------------

TEST(WindowSize, Message2049GrowsAndShrinksAndTogglesExpanded) {
    TForm1 form;
    form.setClientSize(QSize(200, 100));
    const struct {
        int code;
        QSize after;
        bool expanded;
    } steps[] = {
        {1050, {200, 150}, true},  {1050, {200, 100}, false}, {2030, {230, 100}, true},
        {2030, {200, 100}, false}, {980, {200, 80}, true},    {980, {200, 100}, false},
    };
    for (const auto& step : steps) {
        SizeChangeEvent event(step.code);
        QApplication::sendEvent(&form, &event);
        EXPECT_EQ(form.size(), step.after) << step.code;
        EXPECT_EQ(form.expanded(), step.expanded) << step.code;
    }
}

TEST(WindowSize, TheSenderPublishesItsOutputAfterTheChangeUnlessItWasRemoved) {
    TForm1 form;
    form.setClientSize(QSize(200, 100));
    form.show();
    FilledGraph* sender = addFilled(form, 1, 20);
    form.requestSizeChange(sender, 1040);
    QApplication::sendPostedEvents(&form);
    EXPECT_EQ(form.height(), 140);
    EXPECT_EQ(sender->outputs, 2); // the resize publishes every output, then the sender again

    form.requestSizeChange(sender, 1040);
    form.removeElement(0);
    QApplication::sendPostedEvents(&form);
    EXPECT_EQ(form.height(), 100);
}

TEST(WindowSize, ResizeStoresTheClientSizeAndFillsTheDialogFields) {
    RecordingDialogLink dialog;
    TForm1 form;
    form.setConfigDialog(&dialog);
    form.setDesignMode(true);
    form.show();
    form.resize(320, 210);
    EXPECT_EQ(form.signalTable()[55], 320.0L);
    EXPECT_EQ(form.signalTable()[56], 210.0L);
    EXPECT_EQ(dialog.clientFields, QSize(320, 210));
    EXPECT_GT(dialog.ioRefreshes, 0);
}

TEST(WindowStates, ClosingMinimisesAndDesignModeRefusesToMinimiseWithABeep) {
    CountingSound sound;
    ScopedOverride<Sound> soundOverride(sound);
    TForm1 form;
    form.show();
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isMinimized());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(sound.beeps(), 0);

    form.restoreWindow();
    EXPECT_FALSE(form.isMinimized());
    form.setDesignMode(true);
    form.showMinimized();
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(sound.beeps(), 1);
    EXPECT_FALSE(form.close());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(sound.beeps(), 2);
}

TEST(WindowStates, ActivationWritesTheWindowActiveSignalWhenEnabled) {
    TForm1 form;
    QEvent activate(QEvent::WindowActivate), deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&form, &activate);
    for (int i = 57; i <= 106; ++i) EXPECT_EQ(form.signalTable()[i], 0.0L);

    form.configuration().ActiveSignal = true;
    form.configuration().ActiveSignalOutput = 3;
    QApplication::sendEvent(&form, &activate);
    EXPECT_EQ(form.signalTable()[59], 5.0L);
    QApplication::sendEvent(&form, &deactivate);
    EXPECT_EQ(form.signalTable()[59], 0.0L);

    form.configuration().ActiveSignalOutput = 51; // outside the outputs: ignored
    QApplication::sendEvent(&form, &activate);
    EXPECT_EQ(form.signalTable()[107], 0.0L);
}

// --- help ----------------------------------------------------------------------

class WindowHelp : public ::testing::Test {
protected:
    void SetUp() override {
        shellDouble = std::make_unique<Shell>(DesktopAssociations(tree.directories()), [this](const StartRequest& r) {
            requests.push_back(r);
            return true;
        });
        shellOverride = std::make_unique<ScopedOverride<Shell>>(*shellDouble);
        tree.application("data/applications/chm.desktop", "chmviewer %f");
        tree.write("data/applications/mimeinfo.cache", "[MIME Cache]\napplication/vnd.ms-htmlhelp=chm.desktop\n");
        helpFile = tree.write("docs/manual.chm", "x");
    }

    XdgTree tree;
    ScriptedDialogs dialogs;
    ScopedOverride<Dialogs> dialogsOverride{dialogs};
    std::vector<StartRequest> requests;
    std::unique_ptr<Shell> shellDouble;
    std::unique_ptr<ScopedOverride<Shell>> shellOverride;
    QString helpFile;
    TForm1 form;
};

TEST_F(WindowHelp, AChmTopicAfterTheHashOpensTheViewerAtThatTopic) {
    form.options().HelpFile = helpFile + "#12";
    form.Hilfe1Click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].program, "chmviewer");
    EXPECT_EQ(requests[0].arguments, (QStringList{"-mapid", "12", helpFile}));
}

TEST_F(WindowHelp, DesignModeTakesTheNameFromTheDialogAndReportsBadTopicsAndMissingBrowsers) {
    RecordingDialogLink dialog;
    dialog.helpFile = helpFile + "#x12";
    form.setConfigDialog(&dialog);
    form.setDesignMode(true);
    form.Hilfe1Click();
    dialog.helpFile = "index.htm";
    form.Hilfe1Click();
    dialog.helpFile = "notes.txt"; // no program for text: silent
    form.Hilfe1Click();
    EXPECT_TRUE(requests.empty());
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].contains("x12"));
    EXPECT_EQ(dialogs.messages()[1], "HTML-Browser nicht gefunden!");
}

} // namespace
} // namespace ovanto
