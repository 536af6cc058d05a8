// One paint of 100 text elements of a kind against 100 RECTs of the same
// boxes, and the cost of logging: message-list lines and table rows.

#include "elements/core/record.h"
#include "elements/display/message_log.h"
#include "elements/display/value_table.h"
#include "kind_paint.h"
#include "qt_benchmark_main.h"

#include <QCoreApplication>
#include <QScrollBar>

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

QString head(const char* keyword, const QString& stroke, const QString& fill) {
    return QStringLiteral("%1\t%2\t%3\t1\t-1\t0\t0\t").arg(QLatin1String(keyword), stroke, fill);
}

QString input(const Box& b) { return QStringLiteral("I1*%1/10").arg(b.index); }

const KindCase kCases[] = {
    {"LABEL", [](const Box& b) {
         return head("LABEL", QStringLiteral("0"), QStringLiteral("12632256")) +
                QStringLiteral("\t%1\t%2\t10\tARIAL\tPumpe %3\t%4\t1").arg(b.x, b.y).arg(b.index).arg(b.index % 5);
     }},
    {"INFOTEXT", [](const Box& b) {
         return head("INFOTEXT", QStringLiteral("16777215"), QStringLiteral("8388608")) +
                QStringLiteral("\t%1\t%2\t10\tTimes New Roman\t?\t*.*\tHinweis\t0\t1").arg(b.x, b.y);
     }},
    {"MESSAGE", [](const Box& b) {
         return head("MESSAGE", QStringLiteral("0"), QStringLiteral("12632256")) +
                QStringLiteral("\t%1\t%2\t%3\t10\tARIAL\tLow\tNormal\tHigh\t0\t1\t65535\t32768\t255\t%4\t1\t1")
                    .arg(b.x, b.y, input(b))
                    .arg(b.index % 5);
     }},
    // The list box and the grid paint themselves; the window paints their selection only.
    {"MSGLIST", [](const Box& b) {
         return head("MSGLIST", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t%3\t%4\t%5\t-1\tCOURIER NEW\t8\t1\tMessage\t0.0\t0\t0\t0\t0\t")
                    .arg(b.x, b.y)
                    .arg(b.width)
                    .arg(b.height)
                    .arg(input(b));
     }},
    {"TABLE", [](const Box& b) {
         return head("TABLE", QStringLiteral("0"), QStringLiteral("16777215")) +
                QStringLiteral("\t%1\t%2\t%3\t%4\t%5\t-1\tCaption\t60\t15\t%8.3f\tCOURIER NEW\t8\t1\t0\t60\t%6.2f")
                    .arg(b.x, b.y)
                    .arg(b.width)
                    .arg(b.height)
                    .arg(input(b));
     }},
};

// A window in its run state, as a simulation step sees it.
struct RunningWindow {
    ovanto::TForm1 form;
    explicit RunningWindow(const QStringList& records) {
        ovanto::SetRecordVersion(435);
        for (const QString& r : records) ovanto::ReadRecord(form, r);
        form.setClientSize(QSize(800, 600));
        form.show();
        form.runState().SimulationRunning = true;
        form.runState().RepaintOnOutputChange = false;
        form.UpdateOutputs();
        form.Init();
        // The window's first paint is no part of logging.
        QCoreApplication::processEvents();
    }
    // One host step: log, then lay out; the controls repaint once the loop runs.
    void step(long double t) {
        form.signalTable()[54] = t;
        form.UpdateInputs(t);
        form.UpdateOutputs();
    }
};

QString msgListRecord(const char* group) {
    return QStringLiteral("MSGLIST\t0\t16777215\t1\t-1\t0\t0\t\t20\t300\t300\t250\tI1\t%1\tCOURIER NEW\t8\t1\t"
                          "Grenzwert %8.3f\t0\t0\t255\t0\t0\t")
        .arg(QLatin1String(group));
}

// 1,000 logged lines: the input jumps across the threshold every second step.
void MsgListLog1000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        RunningWindow window({msgListRecord("-1")});
        state.ResumeTiming();
        for (int i = 0; i < 2000; ++i) {
            window.form.signalTable()[1] = i % 2 ? 1 : -1;
            window.step(i * 0.01L);
        }
        QCoreApplication::processEvents();
    }
    state.counters["us_per_line"] =
        benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

// 10 signals into one grouped table for 1,000 steps.
void TableLog10x1000(benchmark::State& state) {
    QStringList records;
    for (int s = 1; s <= 10; ++s)
        records << QStringLiteral("TABLE\t0\t16777215\t1\t-1\t0\t0\t\t20\t300\t700\t250\tI%1*1.5\t7\tS%1\t60\t15\t"
                                  "%8.3f\tCOURIER NEW\t8\t1\t0\t60\t%6.2f")
                       .arg(s);
    for (auto _ : state) {
        state.PauseTiming();
        RunningWindow window(records);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) window.step(i * 0.01L);
        QCoreApplication::processEvents();
    }
    state.counters["us_per_row"] =
        benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

// The list box holding 10^3 or 10^5 lines. Mode 0: one more line; 1: and the event
// loop runs (the deferred repaint); 2: and the view scrolls to it
// and repaints at once.
void MsgListAtLength(benchmark::State& state) {
    RunningWindow window({msgListRecord("-1")});
    for (int i = 0; i < 2 * state.range(1); ++i) {
        window.form.signalTable()[1] = i % 2 ? 1 : -1;
        window.step(i * 0.01L);
    }
    QCoreApplication::processEvents();
    auto* log = static_cast<ovanto::TMsgListGraph*>(window.form.elementAt(0));
    ovanto::MessageListBox* view = log->control();
    if (!view || static_cast<long>(log->log().lines().size()) != state.range(1)) state.SkipWithError("the log did not fill");
    int i = 0;
    for (auto _ : state) {
        window.form.signalTable()[1] = -1;
        window.step(++i * 0.01L);
        window.form.signalTable()[1] = 1;
        window.step(++i * 0.01L);
        if (state.range(0) >= 1) QCoreApplication::processEvents();
        if (state.range(0) >= 2 && view) {
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
            view->viewport()->repaint();
        }
    }
}

} // namespace

BENCHMARK(MsgListLog1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TableLog10x1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MsgListAtLength)->ArgsProduct({{0, 1, 2}, {1000, 100000}})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    return RunQtBenchmarks(argc, argv);
}
