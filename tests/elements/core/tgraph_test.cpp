#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/functions.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "fake_element_context.h"
#include "test_element.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

class TGraphTest : public ::testing::Test {
protected:
    FakeElementContext window;

    TTestGraph& add() {
        return static_cast<TTestGraph&>(*window.elements.append(std::make_unique<TTestGraph>(window)));
    }
    void TearDown() override { validationState() = ValidationState{}; }
};

TEST_F(TGraphTest, VisibilityChannels) {
    TTestGraph& e = add();
    for (const char* always : {"-1", "0", "57", "100", "151"}) {
        e.setText(TGraph::kCIn, QString::fromLatin1(always));
        window.table[1] = 3;
        EXPECT_TRUE(e.IsVisible()) << always;
    }
    e.setText(TGraph::kCIn, "5");
    window.table[5] = 0;
    EXPECT_TRUE(e.IsVisible());
    window.table[5] = 0.5L;
    EXPECT_FALSE(e.IsVisible());
    window.table[5] = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_FALSE(e.IsVisible());

    e.setText(TGraph::kCIn, "101");
    e.setText(TGraph::kCInMin, "1");
    e.setText(TGraph::kCInMax, "2");
    window.table[57] = 1.5L;
    EXPECT_TRUE(e.IsVisible());
    window.table[57] = 2.5L;
    EXPECT_FALSE(e.IsVisible());

    e.setText(TGraph::kCIn, "I1");
    EXPECT_THROW(e.IsVisible(), ConversionError);
}

TEST_F(TGraphTest, SignalsAndChannelValues) {
    TTestGraph& e = add();
    window.table[1] = 11;
    window.table[56] = 200;
    window.table[57] = 7;
    EXPECT_EQ(e.GetSignal(1), 11);
    EXPECT_EQ(e.GetSignal(101), 7);
    EXPECT_EQ(e.GetSignal(100), 200);
    EXPECT_EQ(e.GetSignal(57), 0);
    EXPECT_EQ(e.ChannelValue(QStringLiteral("200")), TGraph::kNoChannel);
    EXPECT_EQ(e.ChannelValue(QStringLiteral("0")), TGraph::kNoChannel);
    EXPECT_EQ(e.ChannelValue(QStringLiteral("101")), 7);
    EXPECT_EQ(e.ChannelValue(QStringLiteral("I1*2")), 22);
}

// The look is kept while the signals it was computed from stay; each case
// names a text and the signal whose change must show in the fingerprint.
TEST_F(TGraphTest, LookFingerprintFollowsEverySignalItReads) {
    struct Case {
        int property;
        const char* text;
        int signal;
        bool changes;
    };
    const Case cases[] = {
        {TTestGraph::kX, "I3+1", 3, true},
        {TTestGraph::kX, "I3+1", 10, false},
        {TTestGraph::kW, "I4", 7, true}, // the value 7 names channel I7
        {TGraph::kCIn, "5", 5, true},
        {TGraph::kCIn, "101", 57, true},
        {TGraph::kCIn, "I2+3", 2, true},
        {TTestGraph::kArrow, "8", 8, true},
        {TTestGraph::kCaption, "9", 9, true},
        {TTestGraph::kCaption, "Kessel 9", 9, false},
    };
    for (const Case& c : cases) {
        FakeElementContext w;
        TTestGraph e(w);
        w.table[4] = 7;
        e.setText(c.property, c.text);
        const std::uint64_t before = e.lookFingerprint().value();
        EXPECT_EQ(e.lookFingerprint().value(), before) << c.text;
        w.table[c.signal] += 1.5L;
        EXPECT_EQ(e.lookFingerprint().value() != before, c.changes) << c.text << " / signal " << c.signal;
        w.table[c.signal] -= 1.5L;
        EXPECT_EQ(e.lookFingerprint().value(), before) << c.text;
    }

    // A registered function may read more than its argument: never kept.
    static int calls = 0;
    RegisterFunction("LOOKTICKER", [](long double) -> long double { return ++calls; });
    TTestGraph& ticking = add();
    ticking.setText(TTestGraph::kX, "LOOKTICKER(1)");
    EXPECT_NE(ticking.lookFingerprint().value(), ticking.lookFingerprint().value());
}

// Kept values answer only inside the period the window opened, only after a
// fingerprint of formulas that read signals alone, and never across an edit.
TEST_F(TGraphTest, KeptValuesLastOnePeriod) {
    TTestGraph& e = add();
    e.setText(TTestGraph::kX, "I3*2");
    window.table[3] = 5;
    e.keepValuesThisPeriod();
    window.table[3] = 6;
    EXPECT_EQ(e.evaluate(TTestGraph::kX), 12) << "nothing kept without a fingerprint";

    e.lookFingerprint();
    e.keepValuesThisPeriod();
    window.table[3] = 7; // written while the period is open (by a drawing neighbour)
    EXPECT_EQ(e.evaluate(TTestGraph::kX), 12);
    e.setText(TTestGraph::kX, "I3*3");
    EXPECT_EQ(e.evaluate(TTestGraph::kX), 21) << "an edit ends what was kept";
    EndKeptValuesPeriod();
    e.setText(TTestGraph::kX, "I3*2");
    EXPECT_EQ(e.evaluate(TTestGraph::kX), 14);
}

TEST_F(TGraphTest, RecordRoundTripAndVersionThreshold) {
    TTestGraph& e = add();
    e.setText(TTestGraph::kArrow, "3");
    e.setText(TTestGraph::kOnValue, "2.5");
    e.setText(TTestGraph::kCaption, QString::fromUtf8("Füllstand %5.1f"));
    e.setComment("");
    const QString record = WriteRecord(e);
    EXPECT_EQ(record, QString::fromUtf8("LINE\t0\t16777215\t1\t-1\t0\t0\t\t30\t40\t20\t3\t2.5\tFüllstand %5.1f"));

    TTestGraph& back = add();
    QString fields = record.mid(5);
    SetRecordVersion(303);
    back.LoadFromString(fields);
    EXPECT_EQ(WriteRecord(back), record);

    // A record written before the arrow existed: the field is absent and stays at its default.
    TTestGraph& old = add();
    QString oldFields = QStringLiteral("0\t16777215\t1\t-1\t0\t0\t\t31\t41\t21\t2.5\tX");
    SetRecordVersion(302);
    old.LoadFromString(oldFields);
    EXPECT_EQ(old.intValue(TTestGraph::kArrow), 0);
    EXPECT_EQ(old.number(TTestGraph::kOnValue), 2.5L);
    EXPECT_EQ(old.text(TTestGraph::kCaption), "X");
    SetRecordVersion(435);
}

TEST_F(TGraphTest, ShortAndBadRecords) {
    TTestGraph& e = add();
    // A record that ends early repeats its last field for every further read.
    QString fields = QStringLiteral("255\t-1\t3");
    e.LoadFromString(fields);
    EXPECT_EQ(e.lineType(), 3);
    EXPECT_EQ(e.Comment(), "3");
    EXPECT_EQ(e.text(TTestGraph::kX), "3");
    EXPECT_EQ(e.text(TTestGraph::kCaption), "3");
    QString badType = QStringLiteral("0\t0\tthick\t-1\t0\t0\tc");
    EXPECT_THROW(e.LoadFromString(badType), ConversionError);
    QString wide = QStringLiteral("0\t0\t70000\t-1\t0\t0\tc\t1\t2\t3\t0\t1\tz");
    e.LoadFromString(wide);
    EXPECT_EQ(e.lineType(), static_cast<int16_t>(70000));
}

TEST_F(TGraphTest, GridProtocol) {
    TTestGraph& e = add();
    MemoryGrid elementGrid(2, 3);
    MemoryGrid propGrid(2, 1);
    e.InitPropGrid(elementGrid, propGrid, 1, true);
    ASSERT_EQ(propGrid.rowCount(), 13);
    EXPECT_EQ(propGrid.cell(0, 1), "RGBStroke");
    EXPECT_EQ(propGrid.cell(0, 6), "CInMax");
    EXPECT_EQ(propGrid.cell(0, 10), "Arrow (0=none)");
    EXPECT_EQ(propGrid.cell(1, 2), "16777215");
    EXPECT_EQ(elementGrid.cell(0, 1), "LINE");

    propGrid.setCell(1, 1, "i1*255");
    propGrid.setCell(1, 7, "35");
    elementGrid.setCell(1, 1, "mein Kommentar");
    e.GridToProps(elementGrid, propGrid, 1);
    EXPECT_EQ(e.text(TGraph::kRGBStroke), "I1*255");
    EXPECT_EQ(e.Comment(), "mein Kommentar");

    propGrid.setCell(1, 1, "abc");
    try {
        e.GridToProps(elementGrid, propGrid, 1);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).endsWith("Ausdruck kann nicht interpretiert werden (abc)"));
        EXPECT_EQ(validationState().elementRow, 1);
        EXPECT_EQ(validationState().propertyRow, 1);
    }
    propGrid.setCell(1, 1, "0");
    propGrid.setCell(1, 3, "abc");
    try {
        e.GridToProps(elementGrid, propGrid, 1);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).endsWith("Fehlerhafter Integer-Parameter (abc)"));
        EXPECT_EQ(validationState().propertyRow, 3);
    }
}

TEST_F(TGraphTest, ClickSelectsTopmostAndModifiersExtend) {
    window.design = true;
    TTestGraph& lower = add();
    TTestGraph& upper = add();
    TTestGraph& apart = add();
    apart.setText(TTestGraph::kX, "200");

    auto click = [&](int x, int y) {
        window.grab = false;
        for (int i = window.elementCount() - 1; i >= 0; --i) window.elementAt(i)->MouseDown(x, y);
        for (int i = 0; i < window.elementCount(); ++i) window.elementAt(i)->MouseUp(x, y);
    };
    click(35, 35);
    EXPECT_TRUE(upper.isSelected());
    EXPECT_TRUE(upper.isCurrent());
    EXPECT_FALSE(lower.isSelected());
    EXPECT_EQ(window.selectedRows.back(), 2);

    window.keys.press(VirtualKey::Shift);
    click(205, 35);
    window.keys.release(VirtualKey::Shift);
    EXPECT_TRUE(upper.isSelected());
    EXPECT_TRUE(apart.isSelected());

    // A plain click on a selected element keeps the group for dragging.
    click(35, 35);
    EXPECT_TRUE(apart.isSelected());

    click(205, 35);
    window.keys.press(VirtualKey::Control);
    click(35, 35);
    window.keys.release(VirtualKey::Control);
    EXPECT_TRUE(apart.isSelected());

    // A pending validation error blocks selection.
    validationState().elementRow = 1;
    window.grab = false;
    lower.MouseDown(35, 35);
    EXPECT_FALSE(lower.isPressed());
}

TEST_F(TGraphTest, DraggingMovesOnlyIntegerPositions) {
    window.design = true;
    TTestGraph& fixed = add();
    TTestGraph& follows = add();
    follows.setText(TTestGraph::kX, "I1+30");
    follows.setText(TTestGraph::kY, "80");
    fixed.setSelected(true);
    fixed.setCurrent(true);
    follows.setSelected(true);
    window.grab = true;
    for (TGraph* e : {static_cast<TGraph*>(&fixed), static_cast<TGraph*>(&follows)}) e->MouseDown(35, 35);
    window.grab = true;
    for (TGraph* e : {static_cast<TGraph*>(&fixed), static_cast<TGraph*>(&follows)}) e->DragMove(45, 30);
    EXPECT_EQ(fixed.text(TTestGraph::kX), "40");
    EXPECT_EQ(fixed.text(TTestGraph::kY), "35");
    EXPECT_EQ(follows.text(TTestGraph::kX), "I1+30");
    EXPECT_FALSE(follows.CanMove());
    EXPECT_EQ(window.refreshedGrids.size(), 1u);

    window.lockDown = true;
    fixed.DragMove(60, 30);
    EXPECT_EQ(fixed.text(TTestGraph::kX), "40");
}

TEST_F(TGraphTest, ControlGraphDependsOnBoundChannel) {
    static constexpr ElementSchema kSwitch{.keyword = "SWITCH", .rows = TTestGraph::kRows};
    TControlGraph control(window, kSwitch);
    EXPECT_FALSE(control.DependsOnInputs());
    control.setText(TGraph::kCIn, "3");
    EXPECT_TRUE(control.DependsOnInputs());
}

} // namespace
} // namespace ovanto::testing
