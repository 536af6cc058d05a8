// Painted steps of an 800 x 600 window of 200 mixed elements, repainting only
// what changed against full paints of the same steps, in the same run: five
// elements change per step, nothing changes, everything changes.
//
//   incremental_paint_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "elements/core/element_registry.h"
#include "elements/core/tgraph.h"
#include "window/tform1.h"

#include <benchmark/benchmark.h>

#include "qt_benchmark_main.h"

#include <array>
#include <memory>
#include <random>

namespace {

using namespace ovanto;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kElements = 200;
// e1..e200: one external signal per element drives its colour.
constexpr int kFirstExternal = 127;

constexpr std::array kKinds{"RECT", "RRECT", "ELLIPSE", "CIRCLE", "TRIANG", "LINE2", "TANK", "LED",
                            "NUMBER", "HBAR", "VBAR", "VALVE", "HPIPE", "LABEL", "SHADRECT", "ANADISP"};

// Every position row moves with the element's offset; x also follows I2, which
// only the everything-changes case varies.
std::unique_ptr<TForm1> makeWindow(bool fullPaints) {
    auto form = std::make_unique<TForm1>();
    form->setClientSize(QSize(kWidth, kHeight));
    form->setFullPaints(fullPaints);
    std::mt19937 random(20261209);
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < kElements; ++i) {
        TGraph* e = CreateElement(*form, QString::fromLatin1(kKinds[static_cast<std::size_t>(i) % kKinds.size()]));
        const int ox = uniform(0, kWidth - 160), oy = uniform(0, kHeight - 160);
        for (int p = TGraph::kFirstClassProperty; p < e->propertyCount(); ++p) {
            const Axis axis = e->propertyDef(p).axis;
            if (axis == Axis::None) continue;
            const long long at = e->text(p).toLongLong() + (axis == Axis::X ? ox : oy);
            e->setText(p, axis == Axis::X ? QStringLiteral("%1+I2").arg(at) : QString::number(at));
        }
        e->setText(TGraph::kRGBFill, QStringLiteral("%1+E%2*4096").arg(uniform(0, 0xFFF)).arg(i + 1));
    }
    (void)form->renderToImage();
    return form;
}

enum class Change { Five, None, All };

void paintSteps(benchmark::State& state, Change change, bool fullPaints) {
    const std::unique_ptr<TForm1> form = makeWindow(fullPaints);
    SignalTable& table = form->signalTable();
    long long step = 0;
    for (auto _ : state) {
        ++step;
        if (change == Change::Five)
            for (int k = 0; k < 5; ++k) table[kFirstExternal + static_cast<int>((step * 5 + k) * 37 % kElements)] = static_cast<long double>(step % 50);
        if (change == Change::All) {
            table[2] = static_cast<long double>(step % 3);
            for (int k = 0; k < kElements; ++k) table[kFirstExternal + k] = static_cast<long double>((step + k) % 50);
        }
        benchmark::DoNotOptimize(form->renderToImage().constBits());
    }
    state.counters["partial"] = static_cast<double>(form->damageTracker().partialPaints());
}

void FiveChangedIncremental(benchmark::State& s) { paintSteps(s, Change::Five, false); }
void FiveChangedFull(benchmark::State& s) { paintSteps(s, Change::Five, true); }
void NothingChangedIncremental(benchmark::State& s) { paintSteps(s, Change::None, false); }
void NothingChangedFull(benchmark::State& s) { paintSteps(s, Change::None, true); }
void AllChangedIncremental(benchmark::State& s) { paintSteps(s, Change::All, false); }
void AllChangedFull(benchmark::State& s) { paintSteps(s, Change::All, true); }

BENCHMARK(FiveChangedIncremental)->Unit(benchmark::kMicrosecond);
BENCHMARK(FiveChangedFull)->Unit(benchmark::kMicrosecond);
BENCHMARK(NothingChangedIncremental)->Unit(benchmark::kMicrosecond);
BENCHMARK(NothingChangedFull)->Unit(benchmark::kMicrosecond);
BENCHMARK(AllChangedIncremental)->Unit(benchmark::kMicrosecond);
BENCHMARK(AllChangedFull)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
