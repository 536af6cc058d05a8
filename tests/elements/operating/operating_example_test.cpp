// The operating example run as a host would: clicks, presses and keys in
// between steps, and the block outputs they leave.

#include "apps/qevtool_simulate_run.h"

#include <gtest/gtest.h>

namespace {

const QString kExample = QStringLiteral(OVANTO_SOURCE_DIR "/examples/operating.lst");

QString simulate(const QStringList& actions, const QString& print) {
    return ovanto::testing::SimulateAndPrint(kExample, "320x240", actions, print);
}

TEST(OperatingExample, ClicksAndKeysWriteTheBlockOutputs) {
    struct Case {
        QStringList actions;
        const char* print;
        const char* expected;
    };
    const Case cases[] = {
        // The three "Stufe" switches form a group on output 1.
        {{"step", "click:150,30", "click:150,30"}, "O1", "O1 2"},
        {{"step", "click:150,30", "click:250,30", "step"}, "O1", "O1 3"},
        // The pump switch latches, the heater button writes only while held.
        {{"click:50,70", "press:180,70"}, "O2,O3", "O2 1 O3 1"},
        {{"click:50,70", "click:50,70", "click:180,70"}, "O2,O3", "O2 0 O3 0"},
        // Size command 1040: the height grows by 40, and shrinks back on the next click.
        {{"step"}, "CH", "CH 240"},
        {{"click:270,70", "step"}, "CH", "CH 280"},
        {{"click:270,70", "click:270,70", "step"}, "CH", "CH 240"},
        // Password "Ein" guards the maintenance switch; headless the query gives nothing.
        {{"click:50,105"}, "O7", "O7 0"},
        // Picture switch: 0.5, 1, then 0 again.
        {{"click:40,170", "click:40,170"}, "O4", "O4 1"},
        {{"click:40,170", "click:40,170", "click:40,170"}, "O4", "O4 0"},
        // Space toggles once however long it is held; A counts only while down.
        {{"keydown:32", "keydown:32", "keydown:32"}, "O5", "O5 5"},
        {{"key:32", "key:32"}, "O5", "O5 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(simulate(c.actions, c.print), c.expected) << c.actions.join(' ').toStdString();
}

} // namespace
