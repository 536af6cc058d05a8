#include "elements/core/record.h"
#include "elements/display/shape_scene.h"
#include "elements/operating/operating.h"
#include "elements/operating/operating_geometry.h"
#include "platform/host_window.h"
#include "platform/small_dialogs.h"

#include <QApplication>
#include <QWidget>

#include <numeric>

namespace ovanto {
namespace {

using testing::ShapeScene;

// The host's main window as the button commands look for it.
class TMainForm : public QWidget {
    Q_OBJECT
};

long double sumWithout(const SignalTable& t, int position) {
    long double sum = 0;
    for (int i = 1; i <= kSignalCount; ++i)
        if (i != position) sum += t[i];
    return sum;
}

// --- pure arithmetic --------------------------------------------------------------------------

TEST(OperatingGeometry, CaptionsPasswordsValuesAndActions) {
    EXPECT_EQ(CaptionPart("Aus#Ein", false), "Aus");
    EXPECT_EQ(CaptionPart("Aus#Ein", true), "Ein");
    EXPECT_EQ(CaptionPart("Ohne", true), "Ohne");
    EXPECT_EQ(CaptionPart("a#b#c", true), "b#c");
    EXPECT_EQ(SplitPassword("Ab#cD").on, "Ab");
    EXPECT_EQ(SplitPassword("Ab#cD").off, "cD");
    EXPECT_TRUE(SplitPassword("nur").off.isEmpty());

    struct Case {
        const char* values;
        int state;
        long double expected;
    };
    for (const Case& c : {Case{"0.0#5.0", 1, 0}, {"0.0#5.0", 2, 5}, {"0.0#5.0", 3, 0}, {"##1#2", 2, 2},
                          {"1#zwei#3", 2, 0}, {"1#NAN", 2, 0}, {"1#2", 0, 0}, {"", 1, 0}})
        EXPECT_EQ(BmpButtonValue(c.values, c.state), c.expected) << c.values << " state " << c.state;

    EXPECT_EQ(NextBmpState(3, 3), 1);
    EXPECT_EQ(NextBmpState(1, 1000000000), 2);
    EXPECT_EQ(NextBmpState(10, 1000000000), 1) << "ten pictures at most";
    EXPECT_EQ(NextBmpState(7, 0), 1);

    EXPECT_EQ(ButtonActionOf(999), ButtonAction::Output);
    EXPECT_EQ(ButtonActionOf(1000), ButtonAction::Nothing);
    EXPECT_EQ(ButtonActionOf(1001), ButtonAction::SizeChange);
    EXPECT_EQ(ButtonActionOf(-1), ButtonAction::Command);
}

TEST(OperatingGeometry, PictureAndCaptionShareTheFace) {
    const Rect face{10, 20, 110, 60};
    struct Case {
        bool caption;
        int position;
        int left, top;
        Rect captionRect;
    };
    for (const Case& c : {Case{true, 0, 14, 32, {30, 20, 110, 60}}, Case{true, 1, 52, 23, {10, 39, 110, 57}},
                          Case{false, 0, 52, 32, face}}) {
        const ButtonLayout l = LayoutButton(face, 16, 16, true, c.caption, c.position, 18);
        EXPECT_EQ(l.pictureLeft, c.left) << c.position;
        EXPECT_EQ(l.pictureTop, c.top) << c.position;
        EXPECT_EQ(l.caption, c.captionRect) << c.position;
    }
}

// --- SWITCH -----------------------------------------------------------------------------------

TEST(Switch, OutputNumberSelectsTheEntry) {
    struct Case {
        const char* output;
        int position; // 0: nothing written
    };
    for (const Case& c : {Case{"0", 57}, {"1", 57}, {"50", 106}, {"51", 57}, {"75", 57}, {"-3", 57}, {"100", 126},
                          {"120", 146}, {"300", 326}, {"301", 0}, {"1E9", 0}, {"-1E30", 57}}) {
        ShapeScene s;
        TGraph& sw = s.add("SWITCH", {{"OnValue", "7"}, {"Output", c.output}});
        sw.MouseDown(50, 40);
        if (c.position) {
            EXPECT_EQ(s.window.table[c.position], 7.0L) << c.output;
        }
        EXPECT_EQ(sumWithout(s.window.table, c.position), 0.0L) << c.output;
    }
}

TEST(Switch, GroupBehavesLikeRadioButtons) {
    ShapeScene s;
    TGraph* sw[3];
    for (int i = 0; i < 3; ++i) {
        const std::string x = std::to_string(10 + 90 * i), on = std::to_string(i + 1);
        sw[i] = &s.add("SWITCH", {{"x", x.c_str()}, {"OnValue", on.c_str()}, {"Group", "1"}});
    }
    auto* second = static_cast<TSwitchGraph*>(sw[1]);
    second->MouseDown(110, 40);
    EXPECT_EQ(s.window.table[57], 2.0L);
    second->MouseDown(110, 40);
    EXPECT_TRUE(second->stateOn()) << "a member is not switched off by clicking it";
    sw[2]->MouseDown(200, 40);
    EXPECT_EQ(s.window.table[57], 3.0L);
    EXPECT_FALSE(second->stateOn());
    s.window.table[57] = 9;
    second->UpdateOutput();
    EXPECT_EQ(s.window.table[57], 9.0L) << "off members write nothing";
}

TEST(Switch, PasswordsGuardBothDirectionsCaseSensitively) {
    struct Case {
        const char* password;
        bool startOn;
        const char* typed; // nullptr: not asked
        bool expectOn;
    };
    for (const Case& c : {Case{"Geheim", false, "Geheim", true}, {"Geheim", false, "geheim", false},
                          {"Geheim", true, nullptr, false}, {"#Aus", false, nullptr, true}, {"#Aus", true, "Aus", false},
                          {"#Aus", true, "aus", true}, {"Ein#Aus", true, "Ein", true}}) {
        ShapeScene s;
        RecordingSmallDialogs dialogs;
        ScopedOverride<SmallDialogs> scope(dialogs);
        if (c.typed) dialogs.typePassword(c.typed);
        auto& sw = static_cast<TSwitchGraph&>(s.add("SWITCH", {{"Password", c.password}}));
        sw.setState(c.startOn);
        sw.MouseDown(50, 40);
        EXPECT_EQ(sw.stateOn(), c.expectOn) << c.password << " " << c.startOn;
        EXPECT_EQ(dialogs.calls().size(), c.typed ? 1u : 0u) << c.password << " " << c.startOn;
    }
}

TEST(Switch, FaceIsRaisedOffPressedOnAndGreyedWhenRefused) {
    ShapeScene s(200, 100);
    auto& sw = static_cast<TSwitchGraph&>(s.add("SWITCH", {{"Caption", ""}}));
    s.draw(sw);
    EXPECT_EQ(s.at(40, 25), kWhite);
    EXPECT_EQ(s.at(119, 49), kBlack);
    EXPECT_EQ(s.at(41, 26), 12632256);
    EXPECT_EQ(s.at(120, 50), kWhite) << "bounds exclude right and bottom";
    sw.MouseDown(41, 26);
    s.draw(sw);
    EXPECT_EQ(s.at(40, 25), kBlack);
    EXPECT_EQ(s.at(119, 49), kWhite);

    s.window.running = true;
    sw.setText(ShapeScene::property(sw, "SimEnabled (0/1)"), "0");
    sw.MouseDown(60, 40);
    EXPECT_TRUE(sw.stateOn());
    EXPECT_EQ(s.window.countingSound.beeps(), 1);
    s.image.fill(Qt::white);
    s.draw(sw);
    EXPECT_NE(s.at(60, 36), s.at(61, 36)) << "every second pixel inverted";
}

TEST(Switch, RecordFieldsAboveTheirVersionsKeepConstructorValues) {
    RecordVersionScope scope;
    const QString record = "SWITCH\t0\t12632256\t1\t-1\t0\t0\t\tA#B\t1\t2\t3\t4\t5\t6\t1\tp.bmp\t1\t10\t2\tpw\t0";
    struct Case {
        int version;
        const char* group;
        const char* password;
        const char* simEnabled;
    };
    for (const Case& c : {Case{435, "2", "pw", "0"}, {389, "2", "pw", "1"}, {375, "2", "", "1"}, {272, "-1", "", "1"}}) {
        ShapeScene s;
        SetRecordVersion(c.version);
        TGraph& sw = s.add("SWITCH");
        QString line = record.section('\t', 1);
        sw.LoadFromString(line);
        EXPECT_EQ(ShapeScene::get(sw, "Group"), c.group) << c.version;
        EXPECT_EQ(ShapeScene::get(sw, "Password"), c.password) << c.version;
        EXPECT_EQ(ShapeScene::get(sw, "SimEnabled (0/1)"), c.simEnabled) << c.version;
        EXPECT_TRUE(static_cast<TSwitchGraph&>(sw).stateOn());
    }
}

// --- BUTTON, BMPBUTTON --------------------------------------------------------------------------

TEST(Button, StartsAProgramOnlyAfterTheUserSaysYes) {
    TMainForm host;
    host.setWindowTitle("VELOR");
    ASSERT_EQ(FindHostWindow(), &host);
    std::vector<StartRequest> started;
    Shell shell(DesktopAssociations(), [&](const StartRequest& r) {
        started.push_back(r);
        return true;
    });
    ScopedOverride<Shell> scope(shell);
    for (const MessageButton answer : {MessageButton::No, MessageButton::Yes}) {
        ShapeScene s;
        s.window.scriptedDialogs.answerMessage(answer);
        TGraph& b = s.add("BUTTON", {{"Caption", "Editor#kate \"a b.txt\""}, {"Output", "-16"}});
        b.MouseDown(50, 40);
        EXPECT_FALSE(static_cast<TButtonGraph&>(b).stateOn()) << "released before asking";
    }
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, "kate");
    EXPECT_EQ(started[0].arguments, QStringList{"a b.txt"});
}

TEST(BmpButton, WrapsAtItsPictureCountAndWritesMissingEntriesAsZero) {
    ShapeScene s;
    auto& b = static_cast<TBMPButtonGraph&>(s.add("BMPBUTTON", {{"BMPCount", "3"}}));
    std::vector<long double> written;
    for (int i = 0; i < 4; ++i) {
        b.MouseDown(50, 40);
        written.push_back(s.window.table[57]);
    }
    EXPECT_EQ(written, (std::vector<long double>{5, 0, 0, 5}));
    EXPECT_EQ(b.state(), 2);
    s.draw(b);
    EXPECT_EQ(s.at(40, 25), kBlack) << "a picture that cannot be loaded is hatched";
}

// --- KEY, KEYSTATE ------------------------------------------------------------------------------

TEST(Key, TogglesOncePerPressAndALoadedOnKeyReactsToItsFirstPress) {
    ShapeScene s;
    auto& key = static_cast<TKeyGraph&>(s.add("KEY", {{"KeyCode", "32"}, {"ToggleMode (0/1)", "1"}}));
    for (int repeat = 0; repeat < 3; ++repeat) key.KeyDown(32);
    EXPECT_EQ(s.window.table[57], 5.0L);
    key.KeyUp(32);
    key.KeyDown(65);
    EXPECT_EQ(s.window.table[57], 5.0L) << "another key";
    key.KeyDown(32);
    EXPECT_EQ(s.window.table[57], 0.0L);

    QString saved;
    key.KeyUp(32);
    key.KeyDown(32);
    key.SaveToString(saved);
    TGraph& loaded = s.add("KEY");
    QString fields = saved.section('\t', 1);
    loaded.LoadFromString(fields);
    loaded.KeyDown(32);
    EXPECT_FALSE(static_cast<TKeyGraph&>(loaded).stateOn());
}

TEST(KeyState, FollowsThePolledKeyOrTogglesOnEachPress) {
    struct Case {
        const char* toggle;
        std::vector<bool> down;
        std::vector<long double> expected;
    };
    for (const Case& c : {Case{"0", {true, true, false}, {5, 5, 0}}, Case{"1", {true, true, false, true}, {5, 5, 5, 0}}}) {
        ShapeScene s;
        TGraph& k = s.add("KEYSTATE", {{"KeyCode", "65"}, {"ToggleMode (0/1)", c.toggle}});
        for (std::size_t i = 0; i < c.down.size(); ++i) {
            if (c.down[i]) s.window.keys.press(65);
            else s.window.keys.release(65);
            k.UpdateOutput();
            EXPECT_EQ(s.window.table[57], c.expected[i]) << "toggle " << c.toggle << " step " << i;
        }
    }
}

} // namespace
} // namespace ovanto

#include "operating_test.moc"
