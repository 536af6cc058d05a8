// The control elements: their arithmetic without widgets, then the elements
// with real Qt controls on a plain widget.

#include "elements/core/record.h"
#include "elements/display/shape_scene.h"
#include "elements/operating/control_geometry.h"
#include "elements/operating/control_widgets.h"
#include "elements/operating/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <stdexcept>
#include <limits>

namespace ovanto::testing {
namespace {

TEST(ControlArithmetic, SpinStepsGoToTheNextMultiple) {
    struct Case {
        long double v, increment, up, down;
    };
    const Case cases[] = {
        {0.25L, 0.1L, 0.3L, 0.2L},
        {0.3L, 0.1L, 0.4L, 0.2L},
        {0.2L, 0.1L, 0.3L, 0.1L},
        {0, 0.1L, 0.1L, -0.1L},
        {1, 0.5L, 1.5L, 0.5L},
        // Below zero the mirror image, not a skipped multiple.
        {-0.25L, 0.1L, -0.2L, -0.3L},
        {-0.3L, 0.1L, -0.2L, -0.4L},
        {-0.2L, 0.1L, -0.1L, -0.3L},
        {-0.05L, 0.1L, 0, -0.1L},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(static_cast<double>(SpinUp(c.v, c.increment).value_or(99)), static_cast<double>(c.up), 1e-12)
            << static_cast<double>(c.v);
        EXPECT_NEAR(static_cast<double>(SpinDown(c.v, c.increment).value_or(99)), static_cast<double>(c.down), 1e-12)
            << static_cast<double>(c.v);
    }
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    for (long double increment : {0.0L, nan, std::numeric_limits<long double>::infinity()}) {
        EXPECT_FALSE(SpinUp(1, increment).has_value());
        EXPECT_FALSE(SpinDown(1, increment).has_value());
    }
    EXPECT_FALSE(SpinUp(nan, 0.1L).has_value());
}

TEST(ControlArithmetic, EditTextIsANumberLimitedWhenEitherLimitIsSet) {
    struct Case {
        const char* text;
        long double min, max, value;
        bool number, limited;
    };
    const Case cases[] = {
        {"2,5", 0, 0, 2.5L, true, false},
        {" 7 ", 0, 0, 7, true, false},
        {"15", 0, 0, 15, true, false},
        {"15", 0, 10, 10, true, true},
        {"-3", 0, 10, 0, true, true},
        {"5", -1, 0, 0, true, true},
        {"abc", 0, 10, 0, false, false},
        {"", 0, 0, 0, false, false},
        {"1E99999", 0, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        const EditReading r = ReadEditText(QString::fromLatin1(c.text), c.min, c.max);
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.number, c.number) << c.text;
        EXPECT_EQ(r.limited, c.limited) << c.text;
    }
}

TEST(ControlArithmetic, UpDownLimitsRoundHalfToEvenOrFallBackToOne) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        long double bound, increment;
        int limit;
    };
    const Case cases[] = {
        {-1, 0.1L, -10}, {1, 0.1L, 10},  {2.5L, 1, 2},     {3.5L, 1, 4},      {-2.5L, 1, -2},
        {1, 0, 1},       {nan, 1, 1},    {1, nan, 1},      {1e12L, 1, 1},     {1e6L, 1, 32767},
        {-1e6L, 1, -32768},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpDownLimit(c.bound, c.increment), c.limit)
            << static_cast<double>(c.bound) << " / " << static_cast<double>(c.increment);
}

TEST(ControlArithmetic, TrackValueHasTheVerticalMaximumOnTop) {
    struct Case {
        int position;
        bool vertical;
        long double value;
    };
    const Case cases[] = {{0, false, -2}, {100, false, 8}, {25, false, 0.5L}, {0, true, 8}, {100, true, -2}, {25, true, 5.5L}};
    for (const Case& c : cases)
        EXPECT_NEAR(static_cast<double>(TrackValue(c.position, -2, 8, c.vertical)), static_cast<double>(c.value), 1e-12)
            << c.position << (c.vertical ? " vertical" : "");
    EXPECT_EQ(TrackPosition(-5), 0);
    EXPECT_EQ(TrackPosition(1LL << 40), 100);
}

// A window with a real widget for the controls.
struct ControlWindow : FakeElementContext {
    QWidget host;
    ControlWindow() {
        RegisterAllElements();
        host.resize(400, 300);
    }
    QWidget* controlParent() override { return &host; }
    template <class Element>
    Element& add(const char* keyword, Props values = {}) {
        TGraph* e = CreateElement(*this, QString::fromLatin1(keyword));
        EXPECT_NE(e, nullptr) << keyword;
        for (const auto& [caption, value] : values) e->setText(ShapeScene::property(*e, caption), value);
        e->UpdateOutput();
        return *static_cast<Element*>(e);
    }
    long double out(int n) const { return table[56 + n]; }
    void step() {
        for (int i = 0; i < elementCount(); ++i) elementAt(i)->UpdateOutput();
    }
};

template <class Widget>
Widget* widgetOf(TWinControlGraph& e) {
    auto* w = qobject_cast<Widget*>(e.control());
    if (!w) throw std::runtime_error("no control of that class");
    return w;
}

TEST(EditGraph, TakesOverTheTextAsItsUpdateModeSays) {
    struct Case {
        const char* mode;
        const char* typed;
        bool enter;
        long double before, after;
    };
    const Case cases[] = {
        {"0", "12", false, 12, 12},
        {"1", "12", false, 0, 0},
        {"1", "12", true, 0, 12},
        // Taken over only by a button; Enter does nothing.
        {"150", "12", true, 0, 0},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        w.running = true;
        auto& edit = w.add<TEditGraph>("EDIT", {{"UpdateMode", c.mode}});
        QLineEdit* line = widgetOf<QLineEdit>(edit);
        line->clear();
        QTest::keyClicks(line, QString::fromLatin1(c.typed));
        EXPECT_EQ(w.out(1), c.before) << c.mode;
        w.step();
        if (c.enter) QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(w.out(1), c.after) << c.mode;
    }
}

TEST(EditGraph, LimitedTextTurnsMagentaAndAWrongOneRed) {
    struct Case {
        const char* text;
        const char* min;
        const char* max;
        long double written;
        QColor colour;
    };
    const Case cases[] = {
        {"15", "0", "10", 10, QColor(255, 0, 255)},
        {"15", "0", "0", 15, Qt::blue},
        {"2,5", "0", "10", 2.5L, Qt::blue},
        {"zwei", "0", "10", 0, Qt::red},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        auto& edit = w.add<TEditGraph>("EDIT", {{"RGBStroke", "16711680"}, {"MinValue", c.min}, {"MaxValue", c.max}});
        QLineEdit* line = widgetOf<QLineEdit>(edit);
        line->clear();
        QTest::keyClicks(line, QString::fromLatin1(c.text));
        EXPECT_EQ(w.out(1), c.written) << c.text;
        EXPECT_EQ(line->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(line->palette().color(QPalette::Text), c.colour) << c.text;
    }
}

TEST(SpinEditGraph, ArrowsStepAndRefuseLeavingTheRange) {
    struct Case {
        const char* start;
        const char* max;
        Qt::Key key;
        int presses;
        long double written;
    };
    const Case cases[] = {
        {"0.25", "1", Qt::Key_Up, 1, 0.3L},
        {"0.25", "1", Qt::Key_Down, 1, 0.2L},
        {"0.3", "1", Qt::Key_Down, 1, 0.2L},
        {"0.9", "1", Qt::Key_Up, 3, 1},
        // Below the minimum 0: refused, not clamped.
        {"0.5", "0.5", Qt::Key_Up, 1, 0.5L},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        auto& spin = w.add<TSpinEditGraph>("SPINEDIT", {{"MaxValue", c.max}});
        auto* box = widgetOf<RealSpinBox>(spin);
        box->field()->setText(QString());
        QTest::keyClicks(box->field(), QString::fromLatin1(c.start));
        for (int i = 0; i < c.presses; ++i) QTest::keyClick(box, c.key);
        EXPECT_NEAR(static_cast<double>(w.out(1)), static_cast<double>(c.written), 1e-12) << c.start;
    }
}

TEST(SpinEditGraph, WrongTextIsRefusedWithItsMessageWhenLeft) {
    struct Case {
        const char* typed;
        const char* message;
    };
    const Case cases[] = {{"abc", "Falsches Zahlenformat"}, {"7", "Zahlenwert zu groß"}, {"-1", "Zahlenwert zu klein"}};
    for (const Case& c : cases) {
        ControlWindow w;
        auto& spin = w.add<TSpinEditGraph>("SPINEDIT", {{"MaxValue", "5"}});
        auto* box = widgetOf<RealSpinBox>(spin);
        QTest::keyClicks(box->field(), QStringLiteral("2"));
        box->field()->selectAll();
        QTest::keyClicks(box->field(), QString::fromLatin1(c.typed));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
        EXPECT_EQ(w.scriptedDialogs.messages(), QStringList{QString::fromUtf8(c.message)}) << c.typed;
        EXPECT_EQ(w.out(1), 2) << c.typed;
        EXPECT_EQ(spin.valueText(), QStringLiteral("2")) << c.typed;
    }
}

TEST(ChoiceGraph, SelectedItemWritesItsValueOrZero) {
    struct Case {
        const char* keyword;
        const char* values;
        int pick;
        long double written;
    };
    const Case cases[] = {
        {"COMBOBOX", "0.0#5.0", 1, 5},
        {"COMBOBOX", "0.0#5.0", 2, 0},
        {"LISTBOX", "1#x#3", 1, 0},
        {"LISTBOX", "1##2,5", 1, 2.5L},
        {"RADIOGROUP", "7#8#9", 2, 9},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        auto& e = w.add<TChoiceGraph>(c.keyword, {{"Values", c.values}});
        if (auto* combo = qobject_cast<QComboBox*>(e.control())) {
            combo->setCurrentIndex(c.pick);
            emit combo->activated(c.pick);
        } else if (auto* list = qobject_cast<QListWidget*>(e.control())) {
            list->setCurrentRow(c.pick);
        } else {
            QList<QRadioButton*> buttons = widgetOf<QWidget>(e)->findChildren<QRadioButton*>();
            ASSERT_EQ(buttons.size(), 3);
            buttons[c.pick]->click();
        }
        EXPECT_EQ(e.selectedIndex(), c.pick) << c.keyword;
        EXPECT_EQ(w.out(1), c.written) << c.keyword << " " << c.values;
    }
}

TEST(ChoiceGraph, StepsLeaveTheUsersListAlone) {
    ControlWindow w;
    auto& e = w.add<TChoiceGraph>("LISTBOX", {{"Items", "A#B#C#D#E#F#G#H#I#J#K"}, {"h", "40"}});
    auto* list = widgetOf<QListWidget>(e);
    QListWidgetItem* first = list->item(0);
    list->setCurrentRow(4);
    const QRect placed = list->geometry();
    for (int i = 0; i < 5; ++i) w.step();
    EXPECT_EQ(list->item(0), first);
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_EQ(list->geometry(), placed);
    // A new item text replaces them.
    e.setText(ShapeScene::property(e, "Items"), "X#Y");
    w.step();
    EXPECT_EQ(list->count(), 2);
}

TEST(TrackGraphs, StartOnMinAndWriteThePosition) {
    struct Case {
        const char* keyword;
        int moveTo;
        long double start, moved;
    };
    const Case cases[] = {
        {"TRACKBAR", 30, -2, 1},
        // The vertical bar starts at the bottom, on Min; the top is Max.
        {"VTRACKBAR", 0, -2, 8},
        {"VTRACKBAR", 30, -2, 5},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        auto& bar = w.add<TTrackbarGraph>(c.keyword, {{"Min", "-2"}, {"Max", "8"}});
        EXPECT_NEAR(static_cast<double>(w.out(1)), static_cast<double>(c.start), 1e-12) << c.keyword;
        widgetOf<QSlider>(bar)->setValue(c.moveTo);
        EXPECT_NEAR(static_cast<double>(w.out(1)), static_cast<double>(c.moved), 1e-12) << c.keyword;
    }
}

TEST(UpDownGraph, ArrowsMoveInsideTheRoundedRange) {
    struct Case {
        const char* min;
        const char* max;
        const char* increment;
        int ups, downs;
        long double written;
    };
    const Case cases[] = {
        {"-1", "1", "0.1", 3, 0, 0.3L},
        {"-1", "1", "0.1", 15, 0, 1},
        {"-1", "1", "0.1", 0, 15, -1},
        // Increment 0: both limits fall back to 1, and 0 x 1 is written.
        {"-1", "1", "0", 0, 3, 0},
        // A limit beyond any position falls back to 1 as well.
        {"-1E12", "3", "1", 0, 3, 1},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        auto& e = w.add<TUpDownGraph>("UPDOWN", {{"Min", c.min}, {"Max", c.max}, {"Increment", c.increment}});
        auto* arrows = widgetOf<UpDownControl>(e);
        for (int i = 0; i < c.ups; ++i) arrows->upButton()->click();
        for (int i = 0; i < c.downs; ++i) arrows->downButton()->click();
        EXPECT_NEAR(static_cast<double>(w.out(1)), static_cast<double>(c.written), 1e-12) << c.min << " " << c.increment;
    }
    ControlWindow w;
    auto& e = w.add<TUpDownGraph>("UPDOWN");
    widgetOf<UpDownControl>(e)->upButton()->click();
    EXPECT_EQ(widgetOf<QWidget>(e)->toolTip(), QStringLiteral("0.1"));
    w.running = true;
    w.step();
    EXPECT_TRUE(widgetOf<QWidget>(e)->toolTip().isEmpty());
}

TEST(WinControls, StateComesBackFromTheRecordIntoTheControl) {
    ControlWindow w;
    auto& box = w.add<TCheckboxGraph>("CHECKBOX", {{"OnValue", "4"}});
    widgetOf<QCheckBox>(box)->click();
    auto& list = w.add<TChoiceGraph>("COMBOBOX", {{"Output", "2"}});
    emit widgetOf<QComboBox>(list)->activated(2);
    auto& bar = w.add<TTrackbarGraph>("TRACKBAR", {{"Output", "3"}});
    widgetOf<QSlider>(bar)->setValue(40);
    auto& edit = w.add<TEditGraph>("EDIT", {{"Output", "4"}});
    QTest::keyClicks(widgetOf<QLineEdit>(edit), QStringLiteral("5"));

    ControlWindow copy;
    for (int i = 0; i < w.elementCount(); ++i) ReadRecord(copy, WriteRecord(*w.elementAt(i)));
    copy.step();
    EXPECT_EQ(copy.out(1), 4);
    EXPECT_EQ(copy.out(2), 10);
    EXPECT_NEAR(static_cast<double>(copy.out(3)), 0.4, 1e-12);
    EXPECT_EQ(copy.out(4), 5);
    EXPECT_TRUE(widgetOf<QCheckBox>(*static_cast<TWinControlGraph*>(copy.elementAt(0)))->isChecked());
    EXPECT_EQ(widgetOf<QComboBox>(*static_cast<TWinControlGraph*>(copy.elementAt(1)))->currentIndex(), 2);
    EXPECT_EQ(widgetOf<QSlider>(*static_cast<TWinControlGraph*>(copy.elementAt(2)))->value(), 40);
    EXPECT_EQ(widgetOf<QLineEdit>(*static_cast<TWinControlGraph*>(copy.elementAt(3)))->text(), QStringLiteral("05"));
}

TEST(WinControls, RunSwitchDisablesTheControlOnlyDuringTheRun) {
    for (const char* enabled : {"0", "1"}) {
        ControlWindow w;
        auto& e = w.add<TWinControlGraph>("TRACKBAR", {{"SimEnabled (0/1)", enabled}});
        e.SimulationStart();
        EXPECT_EQ(widgetOf<QWidget>(e)->isEnabled(), enabled[0] == '1');
        e.SimulationEnd();
        EXPECT_TRUE(widgetOf<QWidget>(e)->isEnabled());
    }
}

// Old files stop before the fields their version did not know yet.
TEST(WinControls, OldRecordsKeepTheDefaultsOfLaterFields) {
    struct Case {
        int version;
        const char* record;
        const char* caption;
        const char* expected;
    };
    const Case cases[] = {
        {348, "EDIT\t0\t0\t1\t-1\t0\t0\t\t3\t10\t40\t90\t21\t2", "Font", "MS Sans Serif"},
        {349, "EDIT\t0\t0\t1\t-1\t0\t0\t\t3\t10\t40\t90\t21\t2\tArial\t9", "Font", "Arial"},
        {357, "EDIT\t0\t0\t1\t-1\t0\t0\t\t3\t10\t40\t90\t21\t2\tArial\t9", "MaxValue", "0"},
        {358, "EDIT\t0\t0\t1\t-1\t0\t0\t\t3\t10\t40\t90\t21\t2\tArial\t9\t0\t7\t1", "MaxValue", "7"},
        {379, "TRACKBAR\t0\t0\t1\t-1\t0\t0\t\t50\t50\t100\t40\t0\t1\t2\t30", "TickMode (0-2)", "0"},
        {380, "TRACKBAR\t0\t0\t1\t-1\t0\t0\t\t50\t50\t100\t40\t0\t1\t2\t30\t2", "TickMode (0-2)", "2"},
        {389, "UPDOWN\t0\t0\t1\t-1\t0\t0\t\t50\t60\t20\t40\t-1\t1\t2\t3\t0.5\t1", "SimEnabled (0/1)", "1"},
        {390, "UPDOWN\t0\t0\t1\t-1\t0\t0\t\t50\t60\t20\t40\t-1\t1\t2\t3\t0.5\t1\t0", "SimEnabled (0/1)", "0"},
    };
    for (const Case& c : cases) {
        ControlWindow w;
        TGraph* e = nullptr;
        {
            const RecordVersionScope scope;
            SetRecordVersion(c.version);
            e = ReadRecord(w, QString::fromLatin1(c.record));
        }
        ASSERT_NE(e, nullptr) << c.record;
        EXPECT_EQ(ShapeScene::get(*e, c.caption), QString::fromLatin1(c.expected)) << c.version << " " << c.record;
        EXPECT_EQ(ShapeScene::get(*e, "Output"), QStringLiteral("2")) << c.record;
    }
}

TEST(WinControls, RemovingAFocusedEditReportsNothing) {
    ControlWindow w;
    auto& edit = w.add<TEditGraph>("EDIT", {{"UpdateMode", "1"}});
    QLineEdit* line = widgetOf<QLineEdit>(edit);
    w.host.show();
    QApplication::setActiveWindow(&w.host);
    line->setFocus();
    QTest::keyClicks(line, QStringLiteral("7"));
    w.elementList().remove(0);
    EXPECT_EQ(w.out(1), 0);
}

TEST(WinControls, ControlSitsAboveItsBottomEdgeInsideItsBounds) {
    ControlWindow w;
    auto& e = w.add<TWinControlGraph>("EDIT", {{"x", "30"}, {"y", "80"}, {"w", "50"}, {"h", "20"}});
    EXPECT_EQ(widgetOf<QWidget>(e)->geometry(), QRect(30, 60, 50, 20));
    EXPECT_TRUE(widgetOf<QWidget>(e)->isVisibleTo(&w.host));
    Rect r;
    e.GetBounds(r);
    EXPECT_EQ(r, (Rect{25, 55, 85, 85}));
    e.setText(TGraph::kCIn, "1");
    w.table[1] = 5;
    w.step();
    EXPECT_FALSE(widgetOf<QWidget>(e)->isVisibleTo(&w.host));
}

} // namespace
} // namespace ovanto::testing
