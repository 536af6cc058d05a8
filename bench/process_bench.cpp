// One paint of 100 plant symbols of each kind against 100 "RECT"s of the same
// boxes, and the cost of "FILLCOLOR" flooding a 200 x 200 region.
//
//   process_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "kind_paint.h"

#include "qt_benchmark_main.h"

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

// The keyword, the common fields with a fill that follows I3, and the class fields.
QString head(const char* keyword, const QString& fill = QStringLiteral("12632256+I3")) {
    return QStringLiteral("%1\t0\t%2\t1\t-1\t0\t0\t\t").arg(QLatin1String(keyword), fill);
}

QString at(const Box& b) { return b.x + QLatin1Char('\t') + b.y; }

const KindCase kCases[] = {
    {"TANK", [](const Box& b) { return head("TANK") + at(b) + "\t60\t45\t50+I3\t0\t30\t2\t16777215\t1\t1"; }},
    {"HPIPE", [](const Box& b) { return head("HPIPE") + at(b) + "\t60\t8\tI3\t0\t0\t1\t1\t50\t255"; }},
    {"VPIPE", [](const Box& b) { return head("VPIPE") + at(b) + "\t8\t45\tI3\t0\t0\t1\t1\t50\t255"; }},
    {"VALVE", [](const Box& b) { return head("VALVE") + at(b) + "\t60\t25\tI3\t5\t0\t16777215\t8\t1"; }},
    {"VALVE3", [](const Box& b) { return head("VALVE3") + at(b) + "\t45\t45\tI3\t5\t0\t16777215\t4\t1\t1"; }},
    {"3/2-VALVE", [](const Box& b) { return head("3/2-VALVE") + at(b) + "\t60\t27\t5.0\tI3\t0"; }},
    {"5/2-VALVE", [](const Box& b) { return head("5/2-VALVE") + at(b) + "\t60\t27\t5.0\tI3\t1"; }},
    {"HYDCYL", [](const Box& b) { return head("HYDCYL") + at(b) + "\t20\t40\t50+I3\t8421504\t0\t0\t11"; }},
    // The first one floods the white window; the others find their colour there already.
    {"FILLCOLOR", [](const Box& b) { return head("FILLCOLOR") + at(b) + "\tI3\t5\t0\t1"; }},
    {"PUMP", [](const Box& b) { return head("PUMP") + at(b) + "\t40\tI3\t5\t65280\t255\t0"; }},
    {"MOTOR", [](const Box& b) { return head("MOTOR") + at(b) + "\t40\tI3\t65280\t255\t1\t50"; }},
    {"MOTOR_M", [](const Box& b) { return head("MOTOR") + at(b) + "\t40\tI3\t65280\t255\t0\t50"; }},
    {"BELT", [](const Box& b) { return head("BELT") + at(b) + "\t50\t12\tI3\t1\t0.1*I3\t0\t3\t50\t1\t1"; }},
    {"BELT2", [](const Box& b) { return head("BELT2") + at(b) + "\t60\t45\tI3\t0\t50"; }},
    {"ROLL", [](const Box& b) { return head("ROLL") + at(b) + "\t10\t45\t0.1*I3\tI3\t0\t50\t2"; }},
    {"HROLLBELT", [](const Box& b) { return head("HROLLBELT") + at(b) + "\t8\t45\t5\tI3\t0\t50\t0"; }},
    {"VROLLBELT", [](const Box& b) { return head("VROLLBELT") + at(b) + "\t8\t50\t3\tI3\t0\t50\t0"; }},
    {"SPRING", [](const Box& b) { return head("SPRING") + at(b) + "\t20\t40+I3\t0\t7\t4"; }},
    {"HEATING", [](const Box& b) { return head("HEATING", QStringLiteral("5263440")) + at(b) + "\t30\t45\tI3\t5\t0"; }},
};

// A white 200 x 200 box, and optionally a FILLCOLOR that floods its 198 x 198 inside on every paint.
void FloodRegion(benchmark::State& state, bool withFill) {
    ovanto::TForm1 form;
    ovanto::SetRecordVersion(435);
    ovanto::ReadRecord(form, QStringLiteral("RECT\t0\t16777215\t1\t-1\t0\t0\t\t100+I1\t300+I2\t200\t200\t0"));
    if (withFill) ovanto::ReadRecord(form, QStringLiteral("FILLCOLOR\t32768\t128\t1\t-1\t0\t0\t\t150\t250\tI3\t5\t0\t1"));
    form.setClientSize(QSize(800, 600));
    form.show();
    form.signalTable()[3] = 3;
    form.UpdateOutputs();
    for (auto _ : state) {
        form.PaintBox1Paint();
        benchmark::DoNotOptimize(form.offscreenImage().constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    benchmark::RegisterBenchmark("FILLCOLOR_200x200/1", [](benchmark::State& s) { FloodRegion(s, true); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("RECT_200x200_alone/1", [](benchmark::State& s) { FloodRegion(s, false); })
        ->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
