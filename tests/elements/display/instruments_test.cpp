#include "elements/core/family_settings.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/core/validators.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/display/instrument_geometry.h"
#include "elements/display/progress_bar.h"
#include "elements/display/thermometer.h"
#include "shape_scene.h"
#include "window/tform1.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace ovanto::testing {
namespace {

constexpr TColor kRed = 255;
constexpr TColor kGreen = 65280;
constexpr TColor kBlue = 16711680;
constexpr TColor kLightGrey = 12632256;
constexpr TColor kDarkGrey = 8421504;

// The smallest box around the pixels that are not white, or nothing.
std::optional<Rect> paintedBox(const QImage& image) {
    std::optional<Rect> box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
            if (!box) box = Rect{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x), box->top = std::min(box->top, y);
            box->right = std::max(box->right, x + 1), box->bottom = std::max(box->bottom, y + 1);
        }
    return box;
}

TEST(InstrumentRecords, DefaultsAndConstructorValuesInRecordOrder) {
    const std::pair<const char*, const char*> defaults[] = {
        {"ANADISP", "ANADISP\t5242880\t12648447\t2\t-1\t0\t0\t\t100\t150\t100\t60\t1\t-1\t1\t-10000\tCaption\tU\t2\t1\t60\t1"},
        {"THMETER", "THMETER\t16777215\t16711680\t1\t-1\t0\t0\t\t40\t150\t20\t100\t0\t100\t1\t1\t6\t8\t1\tCaption"},
        {"VBARGRAPH", "VBARGRAPH\t16777215\t65280\t1\t-1\t0\t0\t\t40\t140\t16\t100\t0.0\t1.0\t0\t1\t65535\t255\t0.5\t0.75"
                      "\t6\t8\t1\tCaption\t0"},
        {"HBARGRAPH", "HBARGRAPH\t16777215\t65280\t1\t-1\t0\t0\t\t40\t140\t100\t16\t0.0\t1.0\t1\t1\t65535\t255\t0.5\t0.75"
                      "\t6\t8\t0\tCaption\t0"},
        {"HBAR", "HBAR\t16777215\t8421376\t1\t-1\t0\t0\t\t40\t40\t100\t16\t0.0\t1.0\t1"},
        {"VSCALE", "VSCALE\t0\t16777215\t1\t-1\t0\t0\t\t40\t140\t6\t100\t0\t1\t6\t4\t8\t0"},
        {"VMEASURE", "VMEASURE\t0\t16777215\t1\t-1\t0\t0\t\t50\t100\t25\t50\txx\t0000\t6\t25\t0"},
        {"PROGRESSBAR", "PROGRESSBAR\t0\t16777215\t1\t-1\t0\t0\t\t50\t80\t150\t16\t0\t1\t1"},
    };
    ShapeScene scene;
    for (const auto& [keyword, record] : defaults) EXPECT_EQ(WriteRecord(scene.add(keyword)), record);
}

TEST(InstrumentRecords, ZeroLineOptionOnlyAbove380) {
    const QString record = "VBARGRAPH\t0\t0\t1\t-1\t0\t0\t\t1\t2\t3\t4\t-1\t1\t2\t5\t0\t0\t0.5\t0.7\t3\t8\t1\tC\t1";
    for (const auto& [version, expected] : {std::pair{380, "0"}, std::pair{381, "1"}}) {
        SetRecordVersion(version);
        ShapeScene scene;
        const TGraph* e = ReadRecord(scene.window, record);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(ShapeScene::get(*e, "ShowZeroLine (0/1)"), expected) << version;
        EXPECT_EQ(ShapeScene::get(*e, "Input"), "5");
    }
    SetRecordVersion(435);
}

TEST(InstrumentGrid, InputShowsInRowThreeWhileTheRecordKeepsLType) {
    struct Case {
        const char* keyword;
        const char* row1Caption;
        const char* row1;
        const char* row2;
    };
    const Case cases[] = {{"THMETER", "RGBBack", "16777215", "16711680"},
                          {"VBARGRAPH", "RGBBack", "16777215", "32768"}, // the grid's, not the new element's 65280
                          {"HBAR", "RGBBack", "16777215", "8421376"},
                          {"PROGRESSBAR", "RGBStroke", "0", "16777215"}};
    for (const Case& c : cases) {
        ShapeScene scene;
        TGraph& e = scene.add(c.keyword);
        MemoryGrid elements(2, 2), props(2);
        e.InitPropGrid(elements, props, 1, true);
        EXPECT_EQ(props.cell(0, 1), c.row1Caption);
        EXPECT_EQ(props.cell(1, 1), c.row1);
        EXPECT_EQ(props.cell(1, 2), c.row2) << c.keyword;
        EXPECT_EQ(props.cell(0, 3), "Input");
        EXPECT_EQ(props.cell(1, 3), "1");
        e.PropsToGrid(elements, props, 1);
        props.setCell(1, 3, "i5*2");
        e.GridToProps(elements, props, 1);
        EXPECT_EQ(ShapeScene::get(e, "Input"), "I5*2");
        EXPECT_EQ(WriteRecord(e).split('\t')[3], "1") << c.keyword;
        props.setCell(1, 3, "abc(");
        EXPECT_THROW(e.GridToProps(elements, props, 1), ConversionError);
        EXPECT_EQ(validationState().propertyRow, 3);
    }
}

TEST(InstrumentDrawing, EverythingPaintedLiesInsideTheBounds) {
    struct Case {
        const char* keyword;
        Props props;
    };
    const Case cases[] = {
        {"ANADISP", {}},
        {"ANADISP", {{"BorderType", "4"}, {"BorderWidth", "5"}, {"ScaleHeight [%]", "140"}, {"Input", "9"}}},
        {"ANADISP", {{"h", "30"}, {"RedValue", "0.5"}, {"Caption", "Ein breiter Titel"}}},
        {"THMETER", {{"ScaleAlign (0=none)", "2"}, {"Caption", "%6.2f Grad"}, {"Input", "1E300"}}},
        {"THMETER", {{"Ticks", "1000000000"}, {"FontSize", "14"}}},
        {"VBARGRAPH", {{"Min", "-1000"}, {"Max", "1000"}, {"SymmMode (0-2)", "1"}, {"Input", "-999"}}},
        {"VBARGRAPH", {{"ScaleAlign (0=none)", "2"}, {"Ticks", "100000"}}},
        {"HBARGRAPH", {{"ScaleAlign (0=none)", "1"}, {"Min", "-12345"}, {"Max", "99999"}}},
        {"VSCALE", {{"ScaleAlign (0-3)", "1"}, {"SmallTicks", "1000000000"}}},
        {"VSCALE", {{"Min", "-1E-7"}, {"Max", "5E7"}}},
        {"HSCALE", {{"w", "150"}, {"h", "8"}}},
        {"HSCALE", {{"w", "150"}, {"h", "8"}, {"ScaleAlign (0-3)", "1"}}},
        {"HBAR", {{"Input", "0.5"}}},
        {"VBAR", {{"Input", "5"}}},
        {"VMEASURE", {{"Mode (0-7)", "4"}, {"LabelHeight", "70"}, {"w", "3"}}},
        {"HMEASURE", {{"Mode (0-7)", "5"}, {"LabelWidth", "80"}}},
    };
    for (const Case& c : cases) {
        ShapeScene scene(300, 260);
        TGraph& e = scene.add(c.keyword, c.props);
        e.setText(ShapeScene::property(e, "x"), "120");
        e.setText(ShapeScene::property(e, "y"), "170");
        scene.window.table[1] = 0.7L;
        scene.draw(e);
        Rect bounds;
        e.GetBounds(bounds);
        const std::optional<Rect> painted = paintedBox(scene.image);
        ASSERT_TRUE(painted) << c.keyword;
        EXPECT_TRUE(bounds.containsRect(*painted))
            << c.keyword << " painted " << painted->left << "," << painted->top << "," << painted->right << ","
            << painted->bottom << " bounds " << bounds.left << "," << bounds.top << "," << bounds.right << ","
            << bounds.bottom;
    }
}

TEST(InstrumentDrawing, BarsFillInsideTheBevelAndShowNoChannelAsMin) {
    struct Case {
        const char* input;
        int lastFilledColumn; // -1: nothing filled
    };
    // HBAR 100 wide from x = 10: the fill runs from x + 2 to x + length, short of the bevel at x + w - 2.
    const Case cases[] = {{"0", -1}, {"57", -1}, {"-3", -1}, {"0.5", 10 + 47}, {"1.0", 10 + 97}, {"7.0", 10 + 97}};
    for (const Case& c : cases) {
        ShapeScene scene(130, 40);
        scene.draw(scene.add("HBAR", {{"x", "10"}, {"y", "30"}, {"Input", c.input}, {"RGBFill", "255"}}));
        int last = -1;
        for (int x = 0; x < 130; ++x)
            if (scene.at(x, 22) == kRed) last = x;
        EXPECT_EQ(last, c.lastFilledColumn) << c.input;
        EXPECT_NE(scene.at(50, 28), kRed) << "the light bevel line stays visible";
    }
}

TEST(InstrumentDrawing, MeterNeedleStopsAndRedZone) {
    const MeterLayout m = MeterLayoutFor(100, 150, 100, 60, 60, false);
    struct Case {
        const char* input;
        long double angle;
    };
    // Integer texts name channels: "0" names none and shows MinValue.
    const Case cases[] = {{"0", m.a0}, {"-1", m.a0}, {"-7.0", m.a0 - 0.1L}, {"7.0", m.a0 + m.sweep + 0.1L}, {"0.0", m.a0 + m.sweep / 2}};
    for (const Case& c : cases) {
        ShapeScene scene(220, 200);
        scene.draw(scene.add("ANADISP", {{"Input", c.input}, {"BorderType", "0"}, {"ShowScale (0/1)", "0"}}));
        // A point on the needle, which starts 5 pixels above the pivot, a little inside its tip.
        const QPoint tip = MeterPoint(m, c.angle, static_cast<long double>(m.needle));
        const QPointF start(static_cast<double>(m.cx), static_cast<double>(m.cy - 5));
        const QPoint p = (start + 0.85 * (QPointF(tip) - start)).toPoint();
        EXPECT_EQ(scene.at(p.x(), p.y()), kBlack) << c.input;
    }
    struct Zone {
        const char* red;
        bool drawn;
    };
    for (const Zone z : {Zone{"-10000", false}, Zone{"-1", false}, Zone{"1", false}, Zone{"0.5", true}}) {
        ShapeScene scene(220, 200);
        scene.draw(scene.add("ANADISP", {{"RedValue", z.red}}));
        EXPECT_EQ(scene.count(kRed) > 0, z.drawn) << z.red;
    }
    // An empty range keeps the housing and scale but shows no needle.
    ShapeScene empty(220, 200);
    empty.draw(empty.add("ANADISP", {{"MinValue", "1"}, {"MaxValue", "1"}, {"BorderType", "0"}}));
    EXPECT_EQ(empty.count(kBlack), 0);
    EXPECT_GT(empty.count(5242880), 0);
}

TEST(InstrumentDrawing, ThermometerMercuryShadingAndItsCache) {
    ShapeScene scene(100, 200);
    auto& t = static_cast<TThMeterGraph&>(scene.add("THMETER", {{"Input", "1000.0"}, {"ScaleAlign (0=none)", "0"}}));
    scene.draw(t);
    // Mercury above the scale: up to the row below the tube's top outline (y - h + 1 = 51).
    EXPECT_EQ(scene.at(50, 52), kBlue);
    EXPECT_GT(scene.count(kLightGrey) + scene.count(kDarkGrey), 20);
    scene.draw(t);
    EXPECT_EQ(t.shadingWalks(), 1);
    t.setText(TThMeterGraph::kX, "41");
    scene.draw(t);
    EXPECT_EQ(t.shadingWalks(), 2);

    // Partly outside: no shading, and the mercury fills the tube to its walls.
    ShapeScene outside(100, 200);
    TGraph& o = outside.add("THMETER", {{"x", "-3"}, {"Input", "50.0"}});
    outside.draw(o);
    EXPECT_EQ(outside.count(kLightGrey) + outside.count(kDarkGrey), 0);
    EXPECT_EQ(outside.at(-3 + 5 + 1, 120), kBlue);
}

TEST(InstrumentDrawing, CaptionPatternsThatDoNotFitLeaveOnlyTheCaptionOut) {
    const auto captionPixels = [](const char* caption) {
        ShapeScene scene(120, 170);
        scene.draw(scene.add("VBARGRAPH", {{"Caption", caption}, {"ScaleAlign (0=none)", "0"}, {"Input", "0.3"}}));
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x) n += scene.at(x, y) != kWhite;
        return std::pair{n, scene.count(65280)};
    };
    const auto [plain, plainBar] = captionPixels("Caption");
    const auto [value, valueBar] = captionPixels("%5.1f m");
    const auto [wrong, wrongBar] = captionPixels("%d m");
    const auto [star, starBar] = captionPixels("%*d");
    EXPECT_GT(plain, 0);
    EXPECT_GT(value, 0);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(star, 0);
    EXPECT_GT(wrongBar, 0);
    EXPECT_EQ(wrongBar, plainBar);
}

TEST(InstrumentDrawing, ScaleWithOneTickIsOnlyItsAxis) {
    ShapeScene one(120, 170), six(120, 170);
    one.draw(one.add("VSCALE", {{"Ticks", "1"}, {"RGBStroke", "255"}}));
    six.draw(six.add("VSCALE", {{"Ticks", "6"}, {"RGBStroke", "255"}}));
    const std::optional<Rect> axis = paintedBox(one.image);
    ASSERT_TRUE(axis);
    EXPECT_LE(axis->right - axis->left, 2);                 // the doubled pen
    EXPECT_NEAR(axis->bottom - axis->top, 100 - 4 + 1, 1); // y - h + 2 to y - 2 and the round caps of the 2-pixel pen
    EXPECT_GT(six.count(kRed), one.count(kRed) + 6 * 5); // ticks and labels
}

// --- the progress bar on a real window -------------------------------------------------------

struct MouseRecorder : QWidget {
    std::vector<std::pair<QEvent::Type, QPoint>> events;
    void mousePressEvent(QMouseEvent* e) override { events.emplace_back(e->type(), e->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent* e) override { events.emplace_back(e->type(), e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* e) override { events.emplace_back(e->type(), e->position().toPoint()); }
};

struct WindowWithControls : FakeElementContext {
    QWidget* parent = nullptr;
    QWidget* controlParent() override { return parent; }
};

TEST(InstrumentProgressBar, PlacedClampedAndRemovedWithItsElement) {
    MouseRecorder parent;
    WindowWithControls window;
    window.parent = &parent;
    RegisterAllElements();
    auto* e = static_cast<TProgressBarGraph*>(CreateElement(window, "PROGRESSBAR"));
    ASSERT_NE(e->control(), nullptr);
    EXPECT_EQ(parent.findChild<QProgressBar*>(), e->control());
    EXPECT_EQ(e->control()->frameGeometry(), QRect(50, 64, 150, 16));
    struct Case {
        const char* input;
        int value;
    };
    // "2" names input 2, which holds 0.25; "57" names no channel and shows Min.
    window.table[2] = 0.25L;
    const Case cases[] = {{"1.5", 100}, {"-0.5", 0}, {"0.333", 33}, {"2", 25}, {"57", 0}};
    for (const Case& c : cases) {
        e->setText(TProgressBarGraph::kInput, c.input);
        e->UpdateOutput();
        EXPECT_EQ(e->control()->value(), c.value) << c.input;
    }
    e->setText(TProgressBarGraph::kMax, "0");
    e->setText(TProgressBarGraph::kInput, "0.7");
    e->UpdateOutput();
    EXPECT_EQ(e->control()->value(), 0) << "an empty range leaves the bar where it was";
    e->setText(TGraph::kCIn, "3");
    window.table[3] = 1;
    e->UpdateOutput();
    EXPECT_FALSE(e->control()->isVisibleTo(&parent));

    QPointer<QProgressBar> bar = e->control();
    window.elements.clear();
    EXPECT_TRUE(bar.isNull());
}

TEST(InstrumentProgressBar, MouseReachesTheWindowMovesOnlyInDesignMode) {
    MouseRecorder parent;
    WindowWithControls window;
    window.parent = &parent;
    RegisterAllElements();
    auto* e = static_cast<TProgressBarGraph*>(CreateElement(window, "PROGRESSBAR"));
    QProgressBar* bar = e->control();
    const auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, QPointF(3, 4), QPointF(3, 4), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &event);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseMove);
    window.design = true;
    send(QEvent::MouseMove);
    send(QEvent::MouseButtonRelease);
    const std::vector<std::pair<QEvent::Type, QPoint>> expected = {
        {QEvent::MouseButtonPress, {53, 68}}, {QEvent::MouseMove, {53, 68}}, {QEvent::MouseButtonRelease, {53, 68}}};
    EXPECT_EQ(parent.events, expected);
}

// The bar paints itself: a window paint with nothing changed repaints none of it.
TEST(InstrumentProgressBar, AnUnchangedBarLeavesNothingToRepaint) {
    TForm1 form;
    form.setClientSize(QSize(300, 200));
    CreateElement(form, "PROGRESSBAR");
    for (int i = 0; i < 4; ++i) CreateElement(form, "RECT");
    form.renderToImage();
    form.renderToImage();
    EXPECT_TRUE(form.damageTracker().valid());
    EXPECT_TRUE(form.damageTracker().areas().empty());
}

TEST(InstrumentProgressBar, WithoutAWindowThereIsNoControl) {
    ShapeScene scene;
    auto& e = static_cast<TProgressBarGraph&>(scene.add("PROGRESSBAR"));
    EXPECT_EQ(e.control(), nullptr);
    e.UpdateOutput();
    scene.draw(e);
    EXPECT_EQ(scene.count(kWhite), 100 * 100);
}

// Instruments keep parts of their look between paints; whatever changes, a
// repaint must show what a fresh element with the new values shows.
TEST(InstrumentDrawing, RepaintAfterAChangeMatchesAFreshElement) {
    struct Case {
        const char* keyword;
        Props before;
        Props after;
        long double input = 0.3L; // channel 1 after the change; 0.7 before
    };
    const Case cases[] = {
        {"ANADISP", {{"Input", "1"}}, {{"MinValue", "-5.0"}, {"MaxValue", "20.0"}}},
        {"ANADISP", {{"Input", "1"}, {"RedValue", "0.5"}}, {{"RedValue", "0.8"}, {"h", "80"}}},
        {"ANADISP", {{"Input", "1"}}, {{"ScaleHeight [%]", "90"}, {"Unit", "mbar"}}, 0.7L},
        {"ANADISP", {{"Input", "1"}}, {}},
        {"THMETER", {{"Caption", "%.2f"}}, {}},
        {"THMETER", {}, {{"Min", "-40"}, {"Max", "60"}, {"Ticks", "11"}}},
        {"THMETER", {{"ScaleAlign (0=none)", "2"}}, {{"h", "140"}, {"y", "190"}}},
        {"VBARGRAPH", {{"Caption", "%.3f"}}, {}},
        {"VBARGRAPH", {}, {{"Min", "-2"}, {"Max", "2"}, {"Ticks", "9"}}},
        {"HBARGRAPH", {{"ScaleAlign (0=none)", "1"}}, {{"Max", "50"}, {"w", "140"}}},
        {"VSCALE", {{"ScaleAlign (0-3)", "1"}}, {{"Max", "8"}, {"SmallTicks", "2"}}},
        {"VSCALE", {{"ScaleAlign (0-3)", "0"}}, {{"h", "60"}, {"y", "120"}, {"ScaleAlign (0-3)", "3"}}},
        {"HSCALE", {{"w", "150"}, {"h", "8"}}, {{"Min", "-1"}, {"SmallTicks", "1"}, {"x", "60"}}},
    };
    const auto place = [](ShapeScene& scene, TGraph& e, Props props) {
        e.setText(ShapeScene::property(e, "x"), "100");
        e.setText(ShapeScene::property(e, "y"), "170");
        for (const auto& [caption, value] : props) e.setText(ShapeScene::property(e, caption), value);
        return &scene;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        ShapeScene changed(300, 220), fresh(300, 220);
        TGraph& e = changed.add(c.keyword);
        place(changed, e, c.before);
        changed.window.table[1] = 0.7L;
        changed.draw(e);
        Rect ignored;
        e.GetBounds(ignored);
        for (const auto& [caption, value] : c.after) e.setText(ShapeScene::property(e, caption), value);
        changed.window.table[1] = c.input;
        changed.image.fill(Qt::white);
        changed.draw(e);

        TGraph& f = fresh.add(c.keyword);
        place(fresh, f, c.before);
        for (const auto& [caption, value] : c.after) f.setText(ShapeScene::property(f, caption), value);
        fresh.window.table[1] = c.input;
        fresh.draw(f);
        EXPECT_EQ(changed.image, fresh.image);
        Rect a, b;
        e.GetBounds(a);
        f.GetBounds(b);
        EXPECT_EQ(a, b);
    }
}

// The meter's labels follow the family's number notation, also when it changes between paints.
TEST(InstrumentDrawing, MeterLabelsFollowTheNumberSettings) {
    const FamilySettings saved = CurrentFamilySettings();
    ShapeScene first(220, 200), fixed(220, 200);
    TGraph& e = first.add("ANADISP");
    first.draw(e);
    FamilySettings settings = saved;
    settings.defaultFloatNotation = 2;
    settings.defaultFloatPrecision = 3;
    SetFamilySettings(settings);
    first.image.fill(Qt::white);
    first.draw(e);
    fixed.draw(fixed.add("ANADISP"));
    SetFamilySettings(saved);
    ShapeScene general(220, 200);
    general.draw(general.add("ANADISP"));
    EXPECT_EQ(first.image, fixed.image);
    EXPECT_NE(first.image, general.image);
}

} // namespace
} // namespace ovanto::testing
