// Property evaluation, the hottest code of a step: our engine compiling every
// call, our cached programs, and muparser both ways for comparison.
#include "elements/core/formula/evaluate.h"
#include "elements/core/formula/signal_table.h"
#include "elements/core/formula/variable_names.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>

#ifdef OVANTO_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

struct Formula {
    const char* ours;
    const char* muparser; // same formula in muparser's spelling of the built-ins
};

constexpr std::array<Formula, 6> kFormulas = {{
    {"120", "120"},
    {"I1*2+30", "I1*2+30"},
    {"50+40*SIN(I54)", "50+40*sin(I54)"},
    {"C1*CW/2", "C1*CW/2"},
    {"STEP(I3-0.5)*255", "STEP(I3-0.5)*255"},
    {"(I1+I2)/2-ABS(O1)", "(I1+I2)/2-abs(O1)"},
}};

const char* const kNames[] = {"I1", "I2", "I3", "I54", "O1", "C1", "CW"};

ovanto::SignalTable makeSignals() {
    ovanto::SignalTable table;
    for (const char* name : kNames) {
        const int pos = ovanto::LookupVariable(name);
        table[pos] = 0.37L * pos + 1.25L;
    }
    return table;
}

void label(benchmark::State& state) { state.SetLabel(kFormulas[static_cast<std::size_t>(state.range(0))].ours); }

void BM_EvaluateUncached(benchmark::State& state) {
    const ovanto::SignalTable table = makeSignals();
    const std::string text = kFormulas[static_cast<std::size_t>(state.range(0))].ours;
    for (auto _ : state) benchmark::DoNotOptimize(ovanto::Evaluate(text, table));
    label(state);
}

void BM_PropertyTextCached(benchmark::State& state) {
    const ovanto::SignalTable table = makeSignals();
    const ovanto::PropertyText text(kFormulas[static_cast<std::size_t>(state.range(0))].ours);
    for (auto _ : state) benchmark::DoNotOptimize(text.evaluate(table));
    label(state);
}

#ifdef OVANTO_HAVE_MUPARSER
double stepOf(double x) { return x >= 0.0 ? 1.0 : 0.0; }

struct MuparserSetup {
    std::array<double, std::size(kNames)> values{};
    mu::Parser parser;

    explicit MuparserSetup(const char* formula) {
        const ovanto::SignalTable table = makeSignals();
        for (std::size_t k = 0; k < std::size(kNames); ++k) {
            values[k] = static_cast<double>(table[ovanto::LookupVariable(kNames[k])]);
            parser.DefineVar(kNames[k], &values[k]);
        }
        parser.DefineFun("STEP", stepOf);
        parser.SetExpr(formula);
    }
};

void BM_MuparserParseEveryTime(benchmark::State& state) {
    const char* formula = kFormulas[static_cast<std::size_t>(state.range(0))].muparser;
    MuparserSetup mu(formula);
    for (auto _ : state) {
        mu.parser.SetExpr(formula);
        benchmark::DoNotOptimize(mu.parser.Eval());
    }
    label(state);
}

void BM_MuparserBytecode(benchmark::State& state) {
    MuparserSetup mu(kFormulas[static_cast<std::size_t>(state.range(0))].muparser);
    benchmark::DoNotOptimize(mu.parser.Eval());
    for (auto _ : state) benchmark::DoNotOptimize(mu.parser.Eval());
    label(state);
}

BENCHMARK(BM_MuparserParseEveryTime)->DenseRange(0, kFormulas.size() - 1);
BENCHMARK(BM_MuparserBytecode)->DenseRange(0, kFormulas.size() - 1);
#endif

// The same value from both engines, or the comparison means nothing.
void BM_CheckSameValues(benchmark::State& state) {
    const ovanto::SignalTable table = makeSignals();
    double worst = 0.0;
    for (auto _ : state) {
        for (const Formula& f : kFormulas) {
            const double ours = static_cast<double>(ovanto::Evaluate(f.ours, table));
#ifdef OVANTO_HAVE_MUPARSER
            MuparserSetup mu(f.muparser);
            const double theirs = mu.parser.Eval();
            worst = std::fmax(worst, std::fabs(ours - theirs));
#else
            worst = std::fmax(worst, std::fabs(ours - ours));
#endif
        }
    }
    state.counters["max_difference"] = worst;
}

BENCHMARK(BM_EvaluateUncached)->DenseRange(0, kFormulas.size() - 1);
BENCHMARK(BM_PropertyTextCached)->DenseRange(0, kFormulas.size() - 1);
BENCHMARK(BM_CheckSameValues)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
