// The control example run as a host would: the user types, clicks and
// drags on the Qt controls between steps, and the outputs follow.

#include "apps/qevtool_simulate_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kExample = QStringLiteral(OVANTO_SOURCE_DIR "/examples/controls.lst");

QString simulate(const QString& file, const QStringList& actions, const QString& print) {
    return ovanto::testing::SimulateAndPrint(file, "480x320", actions, print);
}

TEST(ControlsExample, OperatedControlsWriteTheirOutputs) {
    struct Case {
        QStringList actions;
        const char* print;
        const char* expected;
    };
    const Case cases[] = {
        // The saved states: text 5, spin 0.5, unticked, second item, first item, 25 %, the vertical bar at Min.
        {{"step"}, "O1,O2,O3,O4,O5,O6,O7,O8,O9,O10", "O1 5 O2 0.5 O3 0 O4 1 O5 10 O6 0 O7 25 O8 20 O9 0 O10 3"},
        // The set point takes what was typed only on Enter, limited to 10.
        {{"step", "click:55,30", "key:35", "key:8", "type:7", "step"}, "O1", "O1 5"},
        {{"step", "click:55,30", "key:35", "key:8", "type:7", "key:13"}, "O1", "O1 7"},
        {{"step", "click:55,30", "key:35", "key:8", "type:12", "key:13"}, "O1", "O1 10"},
        // The spin edit steps by its increment with the cursor keys.
        {{"click:40,68", "key:38", "key:38"}, "O2", "O2 1"},
        {{"click:40,68", "key:40", "key:40", "key:40"}, "O2", "O2 -0.25"},
        {{"click:20,105"}, "O3", "O3 2"},
        {{"click:20,105", "click:20,105"}, "O3", "O3 0"},
        {{"click:150,75"}, "O5", "O5 20"},
        // A click beside the slider moves it a page.
        {{"click:225,230"}, "O7", "O7 35"},
        // Max grows to 80 at t = 2; a page up from the bottom is then 26.
        {{"step:40", "click:275,185"}, "O8", "O8 26"},
        {{"click:275,185"}, "O8", "O8 20"},
        {{"click:340,228", "click:340,228"}, "O9", "O9 0.2"},
        {{"click:340,252"}, "O9", "O9 -0.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simulate(kExample, c.actions, c.print), c.expected) << c.actions.join(' ').toStdString();
}

// A button with output -150 hands the edit field with update mode 150 its text.
TEST(ControlsExample, ButtonTakesOverTheEditText) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("takeover.lst"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("435\r\n"
              "EDIT\t0\t16777215\t1\t-1\t0\t0\t\t3\t10\t40\t90\t21\t1\tMS Sans Serif\t8\t0\t0\t150\t1\r\n"
              "BUTTON\t0\t12632256\t1\t-1\t0\t0\t\tOK\t110\t40\t60\t25\t1\t-150\t0\t*.BMP\t0\t8\t1\r\n"
              "BUTTON\t0\t12632256\t1\t-1\t0\t0\t\tNein\t180\t40\t60\t25\t1\t-151\t0\t*.BMP\t0\t8\t1\r\n");
    out.close();
    struct Case {
        QStringList actions;
        const char* expected;
    };
    const Case cases[] = {
        {{"step", "click:55,30", "key:35", "key:8", "type:42", "key:13", "step"}, "O1 3"},
        {{"step", "click:55,30", "key:35", "key:8", "type:42", "click:200,30", "step"}, "O1 3"},
        {{"step", "click:55,30", "key:35", "key:8", "type:42", "click:140,30", "step"}, "O1 42"},
    };
    for (const Case& c : cases) EXPECT_EQ(simulate(file, c.actions, "O1"), c.expected) << c.actions.join(' ').toStdString();
}

} // namespace
