#include "chart/yt_analyze_dialog.h"
#include "elements/core/record.h"
#include "window/tform1.h"

#include <gtest/gtest.h>

#include <vector>

namespace ovanto::testing {
namespace {

TEST(AnalysisOpener, TheButtonOpensTheGroupOfTheNearestYtPlotBeforeIt) {
    TForm1 form;
    RecordVersionScope scope;
    SetRecordVersion(435);
    const char* const records[] = {
        "YTPLOT\t255\t-1\t1\t-1\t0\t0\ta\t20\t170\t280\t150\tI54\t1\t1\t1\t1\t0\t0\t10\t0\t1\t1\tt\ty\t0\t0\t0",
        "XYPLOT\t0\t-1\t1\t-1\t0\t0\txy\t310\t170\t170\t150\t1\t2\t-1\t1\t1\t0\t1\t0\t1\t1\tx\ty\t0\t0",
        "YTPLOT\t32768\t-1\t1\t-1\t0\t0\tb\t20\t170\t280\t150\t2*I54\t1\t1\t1\t1\t0\t0\t10\t0\t1\t1\tt\ty\t0\t0\t0",
        "YTANALYZE\t0\t12632256\t1\t-1\t0\t0\tgo\tAuswerten\t400\t340\t80\t25\t0\t*.BMP\t0\t8\t0\t1\t1",
    };
    std::vector<TGraph*> e;
    for (const char* r : records) e.push_back(ReadRecord(form, QString::fromLatin1(r)));
    for (TGraph* g : e) ASSERT_NE(g, nullptr);
    for (TGraph* g : e) g->Init();
    for (int step = 0; step < 5; ++step) {
        form.signalTable()[54] = step;
        for (TGraph* g : e) g->UpdateInputs(step);
    }

    PlotView seen;
    bool saveEnabled = true, printEnabled = false;
    TYTAnalyzeDialog::setHeadlessVisitor([&](TYTAnalyzeDialog& d) {
        seen = d.view();
        saveEnabled = d.findChild<QWidget*>("SaveButton")->isEnabled();
        printEnabled = d.findChild<QWidget*>("PrintButton")->isEnabled();
    });
    e[3]->MouseDown(440, 330);
    e[3]->MouseUp(440, 330);
    TYTAnalyzeDialog::setHeadlessVisitor({});

    ASSERT_EQ(seen.curves.size(), 2u) << "the two y(t) plots of group 1, not the x/y plot";
    EXPECT_EQ(seen.curves[1].ys, (std::vector<float>{0, 2, 4, 6, 8}));
    EXPECT_EQ(seen.curves[1].pen.color, 32768);
    EXPECT_FALSE(saveEnabled);
    EXPECT_TRUE(printEnabled);
}

} // namespace
} // namespace ovanto::testing
