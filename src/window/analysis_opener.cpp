#include "window/analysis_opener.h"

#include "chart/yt_analyze_dialog.h"
#include "elements/display/plot_button.h"
#include "elements/display/plots.h"

namespace ovanto {

void InstallAnalysisOpener() {
    if (TYTAnalyzeGraph::hasOpener()) return;
    TYTAnalyzeGraph::setOpener([](TPlotGraph& master, bool save, bool print) {
        // the dialog draws a copy: steps the host runs meanwhile cannot pull the data away under it
        TYTAnalyzeDialog dialog(master.view(), master.window().controlParent());
        if (save) dialog.setSaveAction([&master](QWidget* parent) { master.SaveData(parent); });
        dialog.setPrintEnabled(print);
        dialog.Run();
    });
}

} // namespace ovanto
