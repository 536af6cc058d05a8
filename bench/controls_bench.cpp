// One paint of 100 control elements of a kind against 100 RECTs of the same
// boxes (the controls paint themselves, so this is the element's share of a
// window paint), and steps of a window with 100 controls: outputs written,
// controls brought up to date, window painted.

#include "elements/core/record.h"
#include "host/simulation_cycle.h"
#include "kind_paint.h"
#include "qt_benchmark_main.h"

#include <QCoreApplication>

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

QString head(const char* keyword, const Box& b) {
    return QStringLiteral("%1\t0\t16777215-I3\t1\t-1\t0\t0\t\t").arg(QLatin1String(keyword)) +
           QStringLiteral("%1\t%2\t%3\t%4").arg(b.x, b.y).arg(b.width).arg(b.height);
}
QString output(const Box& b) { return QString::number(b.index % 50 + 1); }

QString editRecord(const Box& b) {
    return QStringLiteral("EDIT\t0\t16777215-I3\t1\t-1\t0\t0\t\t%1\t").arg(b.index) +
           QStringLiteral("%1\t%2\t%3\t%4\t").arg(b.x, b.y).arg(b.width).arg(b.height) + output(b) +
           QStringLiteral("\tMS Sans Serif\t8\t0\t100\t0\t1");
}
QString spinRecord(const Box& b) {
    return QStringLiteral("SPINEDIT\t0\t16777215-I3\t1\t-1\t0\t0\t\t%1\t").arg(b.index) +
           QStringLiteral("%1\t%2\t%3\t%4\t").arg(b.x, b.y).arg(b.width).arg(b.height) + output(b) +
           QStringLiteral("\t0.5\t%6.2f\t0\t100\t1\tMS Sans Serif\t8\t1");
}
QString checkRecord(const Box& b) {
    return QStringLiteral("CHECKBOX\t0\t16777215-I3\t1\t-1\t0\t0\t\tWahl %1\t").arg(b.index) +
           QStringLiteral("%1\t%2\t%3\t%4\t5*I1\t").arg(b.x, b.y).arg(b.width).arg(b.height) + output(b) +
           QStringLiteral("\t%1\tMS Sans Serif\t8\t1").arg(b.index % 2);
}
QString itemsRecord(const char* keyword, const Box& b) {
    return head(keyword, b) + QStringLiteral("\tA#B#C#D\t0#1#2#3\t") + output(b) +
           QStringLiteral("\t%1\tMS Sans Serif\t8\t1").arg(b.index % 4);
}
QString radioRecord(const Box& b) {
    return head("RADIOGROUP", b) + QStringLiteral("\tA#B#C#D\t0#1#2#3\t") + output(b) +
           QStringLiteral("\t%1\tWahl\t2\tMS Sans Serif\t8\t1").arg(b.index % 4);
}
QString trackRecord(const char* keyword, const Box& b) {
    return head(keyword, b) + QStringLiteral("\t0\t10*I1\t") + output(b) + QStringLiteral("\t%1\t0\t1").arg(b.index);
}
QString upDownRecord(const Box& b) {
    return head("UPDOWN", b) + QStringLiteral("\t-10\t10\t") + output(b) + QStringLiteral("\t%1\t0.5*I1\t%2\t1")
                                                                               .arg(b.index % 20 - 10)
                                                                               .arg(b.index % 2);
}

const KindCase kCases[] = {
    {"EDIT", editRecord},
    {"SPINEDIT", spinRecord},
    {"CHECKBOX", checkRecord},
    {"COMBOBOX", [](const Box& b) { return itemsRecord("COMBOBOX", b); }},
    {"LISTBOX", [](const Box& b) { return itemsRecord("LISTBOX", b); }},
    {"RADIOGROUP", radioRecord},
    {"TRACKBAR", [](const Box& b) { return trackRecord("TRACKBAR", b); }},
    {"VTRACKBAR", [](const Box& b) { return trackRecord("VTRACKBAR", b); }},
    {"UPDOWN", upDownRecord},
};

// Every kind in turn; a step writes the outputs and brings each control up to date, then paints.
void StepHundredControls(benchmark::State& state) {
    ovanto::TForm1 form;
    ovanto::SetRecordVersion(435);
    for (int i = 0; i < ovanto::bench::kKindCount; ++i) {
        const KindCase& kind = kCases[static_cast<std::size_t>(i) % std::size(kCases)];
        ovanto::ReadRecord(form, kind.record(ovanto::bench::CellBox(i)));
    }
    if (form.elementCount() != ovanto::bench::kKindCount) state.SkipWithError("the records did not load");
    form.setClientSize(QSize(800, 600));
    form.show();
    form.signalTable()[1] = 1;
    form.signalTable()[2] = 2;
    form.UpdateOutputs();
    QCoreApplication::processEvents();
    long long steps = 0;
    for (auto _ : state) {
        // Argument 1: the written values, ranges and tool tips follow I1; the boxes stay where they are.
        if (state.range(0) == 1) form.signalTable()[1] = static_cast<long double>(steps % 7);
        ovanto::UpdateOutputsWithoutRepaint(form);
        form.PaintBox1Paint();
        ++steps;
    }
    state.SetItemsProcessed(steps);
}

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    benchmark::RegisterBenchmark("Step/100controls", StepHundredControls)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
