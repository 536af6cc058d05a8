// The editor must keep up with the user: each of these should stay within one 60 Hz frame.

#include "editor/tform2.h"
#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "host/window_manager.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "qt_benchmark_main.h"
#include "window/tform1.h"

#include <QTableWidget>
#include <QTemporaryDir>

namespace {

using namespace ovanto;

const char* const kKinds[] = {"RECT", "CIRCLE", "LINE", "ELLIPSE", "TANK", "HPIPE", "VALVE", "SEPARATOR"};

// A window with n elements spread over its client area, and an editor over it.
struct EditorSetup {
    QTemporaryDir settings;
    SettingsStore store{settings.path()};
    TForm1 window;
    std::unique_ptr<TForm2> dialog;

    explicit EditorSetup(int n) {
        SettingsStore::setCurrent(&store);
        window.setClientSize(QSize(640, 480));
        for (int i = 0; i < n; ++i) {
            TGraph* e = CreateElement(window, QString::fromLatin1(kKinds[i % std::size(kKinds)]));
            if (e && e->propertyCount() > TGraph::kFirstClassProperty + 1) {
                e->setText(TGraph::kFirstClassProperty, QString::number(20 + (i * 37) % 560));
                e->setText(TGraph::kFirstClassProperty + 1, QString::number(40 + (i * 53) % 400));
            }
        }
        window.setDesignMode(true);
        window.show(); // a hidden window skips its paint
        dialog = std::make_unique<TForm2>(window, TForm2::Role::Host);
        dialog->show();
    }
    ~EditorSetup() {
        dialog.reset();
        SettingsStore::setCurrent(nullptr);
    }
};

void BM_FillGrids1000(benchmark::State& state) {
    EditorSetup setup(1000);
    for (auto _ : state) setup.dialog->FillGrids();
}
BENCHMARK(BM_FillGrids1000)->Unit(benchmark::kMillisecond);

void BM_SelectRowWithPreview200(benchmark::State& state) {
    EditorSetup setup(200);
    int row = 0;
    for (auto _ : state) {
        row = row % 200 + 1;
        setup.dialog->elementGrid()->setCurrentCell(row - 1, 0); // property grid refill and preview paint
    }
}
BENCHMARK(BM_SelectRowWithPreview200)->Unit(benchmark::kMillisecond);

void BM_ApplyCellWithPreview200(benchmark::State& state) {
    EditorSetup setup(200);
    setup.dialog->elementGrid()->setCurrentCell(99, 0);
    QTableWidget* grid = setup.dialog->propertyGrid();
    grid->setCurrentCell(TGraph::kFirstClassProperty, 1);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 500;
        grid->item(TGraph::kFirstClassProperty, 1)->setText(QString::number(x)); // read back and repaint
    }
}
BENCHMARK(BM_ApplyCellWithPreview200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
