#include "qevman/qevman.h"
#include "host/window_manager.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

QListWidget* managerList() {
    QWidget* m = GetQEVManForm();
    return m ? m->findChild<QListWidget*>() : nullptr;
}

QStringList listedCaptions() {
    QStringList out;
    if (QListWidget* list = managerList())
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
    return out;
}

// Each case starts without a manager window and with the default state.
class QevMan : public testing::Test {
protected:
    void SetUp() override {
        delete GetQEVManForm();
        SetQEVManFormState(0);
    }
    void TearDown() override { delete GetQEVManForm(); }

    std::unique_ptr<QWidget> window(const char* caption) {
        auto w = std::make_unique<QWidget>();
        w->setWindowTitle(QString::fromUtf8(caption));
        return w;
    }
};

TEST_F(QevMan, RegistersOnceAndForgetsRemovedAndDestroyedWindows) {
    auto a = window("A");
    auto b = window("B");
    const int32_t base = AddQEVForm(a.get()) - 1;
    EXPECT_EQ(AddQEVForm(a.get()), base + 1);
    EXPECT_EQ(AddQEVForm(b.get()), base + 2);
    EXPECT_EQ(AddQEVForm(nullptr), base + 2);
    RemoveQEVForm(a.get());
    EXPECT_EQ(AddQEVForm(nullptr), base + 1);
    b.reset(); // destroyed without RemoveQEVForm
    EXPECT_EQ(AddQEVForm(nullptr), base);
    RemoveQEVForm(a.get());
}

TEST_F(QevMan, ManagerListFollowsRegistrationsCaptionsAndDestruction) {
    auto a = window("Anlage");
    auto b = window("Kessel");
    AddQEVFormMan(a.get()); // before the manager exists: listed once it does
    EXPECT_EQ(GetQEVManForm(), nullptr);
    InitQEVManager(0);
    ASSERT_NE(GetQEVManForm(), nullptr);
    EXPECT_EQ(GetQEVManForm()->windowTitle(), QStringLiteral("Ovanto-Fenster"));
    QWidget* first = GetQEVManForm();
    InitQEVManager(0);
    EXPECT_EQ(GetQEVManForm(), first);

    AddQEVFormMan(b.get());
    AddQEVFormMan(b.get());
    EXPECT_EQ(listedCaptions(), (QStringList{"Anlage", "Kessel"}));
    b->setWindowTitle(QStringLiteral("Kessel 2"));
    SetQEVFormCaption(b.get());
    EXPECT_EQ(listedCaptions(), (QStringList{"Anlage", "Kessel 2"}));
    RemoveQEVFormMan(a.get());
    EXPECT_EQ(listedCaptions(), (QStringList{"Kessel 2"}));
    b.reset();
    EXPECT_TRUE(listedCaptions().isEmpty());
    // Entries whose window died must not be reachable from the list any more.
    auto c = window("C");
    AddQEVFormMan(c.get());
    EXPECT_EQ(listedCaptions(), (QStringList{"C"}));
    RemoveQEVFormMan(c.get());
}

TEST_F(QevMan, DoubleClickBringsTheListedWindowBack) {
    auto a = window("Pumpe");
    a->showMinimized();
    AddQEVFormMan(a.get());
    InitQEVManager(0);
    QListWidget* list = managerList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(a->isMinimized());
    RemoveQEVFormMan(a.get());
}

TEST_F(QevMan, StateStoredBeforeCreationAppliesAndReadsBack) {
    struct Case {
        uint8_t set;
        int32_t expected;
    };
    const Case cases[] = {{0, 0}, {kQevManHidden, kQevManHidden}, {kQevManMinimized, kQevManMinimized},
                          {0x80 | kQevManHidden, kQevManHidden}};
    for (const Case& c : cases) {
        delete GetQEVManForm();
        SetQEVManFormState(c.set);
        EXPECT_EQ(GetQEVManFormState(), c.expected) << int(c.set);
        InitQEVManager(0);
        EXPECT_EQ(GetQEVManFormState(), c.expected) << int(c.set);
        QCoreApplication::processEvents();
        EXPECT_EQ(GetQEVManFormState(), c.expected) << int(c.set);
        EXPECT_EQ(GetQEVManForm()->isVisible(), (c.expected & kQevManHidden) == 0) << int(c.set);
    }
    SetQEVManFormState(0);
    HideQEVManForm();
    EXPECT_EQ(GetQEVManFormState(), kQevManHidden);
    ShowQEVManForm();
    EXPECT_EQ(GetQEVManFormState(), 0);
}

TEST_F(QevMan, WindowPositionNeedsAManagerWindow) {
    EXPECT_EQ(SetQEVManWindowPos_(10, 20), 0);
    InitQEVManager(0);
    EXPECT_EQ(SetQEVManWindowPos_(30, 40), 1);
    EXPECT_EQ(GetQEVManForm()->pos(), QPoint(30, 40));
}

TEST_F(QevMan, ShowFormByCaptionShowsOnlyTheNamedWindow) {
    auto a = window("Behälter");
    auto b = window("Ventil");
    AddQEVForm(a.get());
    AddQEVForm(b.get());
    ShowQEVForm("Ventil");
    EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(a->isVisible());
    ShowQEVForm("Behälter"); // UTF-8 caption
    EXPECT_TRUE(a->isVisible());
    b->hide();
    ShowQEVForm("Unbekannt");
    ShowQEVForm(nullptr);
    EXPECT_FALSE(b->isVisible());
    RemoveQEVForm(a.get());
    RemoveQEVForm(b.get());
}

TEST_F(QevMan, DefaultWindowManagerIsTheSharedLibrary) {
    auto a = window("X");
    ovanto::WindowManager& wm = ovanto::WindowManager::instance();
    const int32_t n = wm.AddQEVForm(a.get());
    EXPECT_EQ(AddQEVForm(a.get()), n);
    wm.InitQEVManager(0);
    EXPECT_EQ(wm.GetQEVManForm(), GetQEVManForm());
    wm.RemoveQEVForm(a.get());
    EXPECT_EQ(AddQEVForm(nullptr), n - 1);
}

} // namespace
