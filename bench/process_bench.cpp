// One paint of 100 plant symbols of each kind against 100 "RECT"s of the same
// boxes, and the cost of "FILLCOLOR" flooding a 200 x 200 region against a
// plain scanline fill of the same region. The window keeps what did not change
// between paints, so the cases named full/... force whole paints: they measure
// the drawing, the others only the check that nothing changed.
//
//   process_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "kind_paint.h"

#include "qt_benchmark_main.h"

#include <QImage>

#include <vector>

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
void FloodRegion(benchmark::State& state, bool withFill, bool fullPaints) {
    ovanto::TForm1 form;
    form.setFullPaints(fullPaints);
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

// The anchor: a plain span-by-span scanline fill of the 198 x 198 inside of a
// framed box, refilled with alternating colours so that every pass does the work.
void PlainScanlineFill(benchmark::State& state) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    for (int x = 100; x < 300; ++x) image.setPixel(x, 100, 0xFF000000u), image.setPixel(x, 299, 0xFF000000u);
    for (int y = 100; y < 300; ++y) image.setPixel(100, y, 0xFF000000u), image.setPixel(299, y, 0xFF000000u);
    struct Seed {
        int x, y;
    };
    std::vector<Seed> seeds;
    QRgb from = 0xFFFFFFFFu, to = 0xFF00FF00u;
    for (auto _ : state) {
        seeds.assign(1, {200, 200});
        while (!seeds.empty()) {
            const Seed s = seeds.back();
            seeds.pop_back();
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(s.y));
            if (row[s.x] != from) continue;
            int l = s.x, r = s.x;
            while (l > 0 && row[l - 1] == from) --l;
            while (r < image.width() - 1 && row[r + 1] == from) ++r;
            std::fill(row + l, row + r + 1, to);
            for (const int ny : {s.y - 1, s.y + 1}) {
                if (ny < 0 || ny >= image.height()) continue;
                const auto* next = reinterpret_cast<const QRgb*>(image.constScanLine(ny));
                for (int x = l; x <= r; ++x)
                    if (next[x] == from && (x == l || next[x - 1] != from)) seeds.push_back({x, ny});
            }
        }
        std::swap(from, to);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    benchmark::RegisterBenchmark("FILLCOLOR_200x200/1", [](benchmark::State& s) { FloodRegion(s, true, false); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("RECT_200x200_alone/1", [](benchmark::State& s) { FloodRegion(s, false, false); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("full/FILLCOLOR_200x200/1", [](benchmark::State& s) { FloodRegion(s, true, true); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("full/RECT_200x200_alone/1", [](benchmark::State& s) { FloodRegion(s, false, true); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("plain_scanline_fill_200x200/1", PlainScanlineFill)->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
