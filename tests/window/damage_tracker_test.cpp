#include "elements/core/element_registry.h"
#include "window/window_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace ovanto {
namespace {

using namespace ovanto::testing;

constexpr int kRed = 0x0000FF;

// Two filled boxes; each case changes something after a first paint and says
// how the next paint must go.
TEST(DamageTracker, RepaintsOnlyWhatChangedAndAllWhenTheWindowChanged) {
    struct Case {
        const char* what;
        std::function<void(TForm1&, FilledGraph&)> change;
        bool partial;
        std::vector<QRect> areas;
    };
    const std::vector<Case> cases{
        {"nothing", [](TForm1&, FilledGraph&) {}, true, {}},
        {"a colour", [](TForm1&, FilledGraph& e) { e.setText(TGraph::kRGBFill, "I1*2"); }, true, {QRect(10, 30, 20, 10)}},
        {"a formula's input", [](TForm1& f, FilledGraph&) { f.signalTable()[2] = 7; }, true, {QRect(10, 30, 20, 10)}},
        {"a move far away", [](TForm1&, FilledGraph& e) { e.setText(TTestGraph::kX, "100"); }, true,
         {QRect(10, 30, 20, 10), QRect(100, 30, 20, 10)}},
        {"a move onto itself", [](TForm1&, FilledGraph& e) { e.setText(TTestGraph::kX, "15"); }, true, {QRect(10, 30, 25, 10)}},
        {"the selection outside design mode", [](TForm1&, FilledGraph& e) { e.setSelected(true); }, true, {QRect(10, 30, 20, 10)}},
        {"the background", [](TForm1& f, FilledGraph&) { f.options().BackgroundColor = kRed; }, false, {}},
        {"design mode", [](TForm1& f, FilledGraph&) { f.setDesignMode(true); }, false, {}},
        {"the size", [](TForm1& f, FilledGraph&) { f.setClientSize(QSize(150, 90)); }, false, {}},
        {"the list", [](TForm1& f, FilledGraph&) { addFilled(f, 60, 60); }, false, {}},
        {"full paints asked for", [](TForm1& f, FilledGraph&) { f.setFullPaints(true); }, false, {}},
        {"a reduced pixel format", [](TForm1& f, FilledGraph&) { f.options().PixelFormat = 6; }, false, {}},
        {"the run state", [](TForm1& f, FilledGraph&) { f.runState().SimulationRunning = true; }, false, {}},
    };
    // Without look state, an element whose signals stayed is not asked again.
    for (const bool stateless : {false, true})
        for (const Case& c : cases) {
            TForm1 form;
            form.setClientSize(QSize(160, 100));
            FilledGraph* changing = addFilled(form, 10, 40, 20, 12345);
            changing->setText(TGraph::kRGBFill, "I2");
            if (stateless) changing->markWithoutLookState();
            addFilled(form, 60, 90, 30, 54321);
            // The second paint is the first to know which signals the looks read.
            (void)form.renderToImage();
            (void)form.renderToImage();
            const long long before = form.damageTracker().partialPaints();
            c.change(form, *changing);
            const QImage picture = form.renderToImage();
            EXPECT_EQ(form.damageTracker().partialPaints() - before, c.partial ? 1 : 0) << c.what;
            if (c.partial) {
                EXPECT_EQ(form.damageTracker().areas(), c.areas) << c.what;
            }
            form.setFullPaints(true);
            EXPECT_EQ(form.renderToImage(), picture) << c.what;
        }
}

// What reads back its pixels is repainted whole, and a fill that may run
// anywhere turns any damage into a full paint.
TEST(DamageTracker, ReadBackKindsWidenTheDamage) {
    struct Case {
        const char* keyword;
        bool partial;
        int areas;
    };
    for (const Case c : {Case{"LED", true, 1}, Case{"FILLCOLOR", false, 0}}) {
        TForm1 form;
        form.setClientSize(QSize(160, 100));
        TGraph* kind = CreateElement(form, QString::fromLatin1(c.keyword));
        kind->setText(TGraph::kFirstClassProperty, "30");     // x
        kind->setText(TGraph::kFirstClassProperty + 1, "40"); // y
        FilledGraph* corner = addFilled(form, 20, 35, 15);     // meets the element's box at one corner
        (void)form.renderToImage();
        const long long before = form.damageTracker().partialPaints();
        corner->setText(TGraph::kRGBFill, "255");
        (void)form.renderToImage();
        EXPECT_EQ(form.damageTracker().partialPaints() - before, c.partial ? 1 : 0) << c.keyword;
        if (!c.partial) continue;
        ASSERT_EQ(static_cast<int>(form.damageTracker().areas().size()), c.areas) << c.keyword;
        Rect box;
        kind->GetBounds(box);
        EXPECT_TRUE(form.damageTracker().areas()[0].contains(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top)))
            << c.keyword;
    }
}

// While everything changes at every step the tracking steps aside for a
// while; once the picture settles, partial paints come back.
TEST(DamageTracker, BacksOffWhileEverythingChanges) {
    TForm1 form;
    form.setClientSize(QSize(160, 100));
    for (int k = 0; k < 4; ++k) addFilled(form, 10 + 35 * k, 40)->setText(TGraph::kRGBFill, "I1");
    bool backedOff = false;
    for (int step = 0; step < 12; ++step) {
        form.signalTable()[1] = step;
        (void)form.renderToImage();
        backedOff = backedOff || form.damageTracker().backingOff();
    }
    EXPECT_TRUE(backedOff);
    EXPECT_EQ(form.damageTracker().partialPaints(), 0);
    for (int settled = 0; settled < DamageTracker::kMaxBackOff + 2; ++settled) (void)form.renderToImage();
    EXPECT_FALSE(form.damageTracker().backingOff());
    EXPECT_GT(form.damageTracker().partialPaints(), 0);
}

} // namespace
} // namespace ovanto
