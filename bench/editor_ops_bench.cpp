// Building a picture by hand: a paste of 1,000 elements and 1,000 palette
// clicks in a row should each stay under 100 ms.

#include "editor/element_clipboard.h"
#include "editor/tform2.h"
#include "elements/core/element_registry.h"
#include "elements/core/record.h"
#include "elements/core/tgraph.h"
#include "platform/module.h"
#include "platform/settings_store.h"
#include "qt_benchmark_main.h"
#include "window/tform1.h"

#include <QTemporaryDir>

namespace {

using namespace ovanto;

// Palette tags of cheap and dear kinds: rectangle, circle, tank, pipe, valve, line, label.
constexpr int kTags[] = {1, 4, 42, 40, 43, 0, 10};

struct OpsSetup {
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("config"))};
    TForm1 window;
    std::unique_ptr<TForm2> dialog;

    OpsSetup() {
        SettingsStore::setCurrent(&store);
        window.setClientSize(QSize(640, 480));
        window.setDesignMode(true);
        window.show(); // a hidden window skips its paint
        dialog = std::make_unique<TForm2>(window, TForm2::Role::Host);
        dialog->setClipboardFileName(dir.filePath(QStringLiteral("QEV.TMP")));
        dialog->show();
    }
    ~OpsSetup() {
        dialog.reset();
        SettingsStore::setCurrent(nullptr);
    }
    void empty() {
        window.clearElements();
        dialog->FillGrids();
    }
};

void BM_Paste1000FromClipboardFile(benchmark::State& state) {
    OpsSetup setup;
    {
        TForm1 source;
        QStringList records;
        for (int i = 0; i < 1000; ++i) {
            TGraph* e = CreateElement(source, QString::fromLatin1(ElementKeywords()[4 + i % 4].toLatin1()));
            records << WriteRecord(*e);
        }
        WriteElementClipboard(setup.dialog->clipboardFileName(), Module::recordVersion(), records);
    }
    for (auto _ : state) {
        state.PauseTiming();
        setup.empty();
        state.ResumeTiming();
        setup.dialog->PasteButtonClick();
    }
    state.counters["elements"] = setup.window.elementCount();
}
BENCHMARK(BM_Paste1000FromClipboardFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Insert1000FromPalette(benchmark::State& state) {
    OpsSetup setup;
    for (auto _ : state) {
        state.PauseTiming();
        setup.empty();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) setup.dialog->PaletteButtonClick(kTags[i % std::size(kTags)]);
    }
    state.counters["elements"] = setup.window.elementCount();
}
BENCHMARK(BM_Insert1000FromPalette)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
