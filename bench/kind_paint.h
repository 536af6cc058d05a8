#pragma once

// One paint of 100 elements of a kind against 100 "RECT"s of the same boxes,
// side by side in one run, kept and whole. A family's benchmark lists a record per kind:
//
//   const ovanto::bench::KindCase kCases[] = {{"TANK", [](const Box& b) { return ...; }}, ...};
//   int main(int argc, char** argv) { ovanto::bench::RegisterKindPaints(kCases); return RunQtBenchmarks(argc, argv); }
//
// Each element sits in its own 80 x 60 cell of an 800 x 600 window; the record
// gets the cell's box with x and y as formulas over I1 and I2, so every paint
// evaluates them. Report: time / 100 = microseconds per element.

#include "elements/core/record.h"
#include "window/tform1.h"

#include <QSize>
#include <QString>

#include <benchmark/benchmark.h>

#include <functional>
#include <span>
#include <string>

namespace ovanto::bench {

struct Box {
    QString x, y; // formulas: the lower left corner moved by I1 and I2
    int left, bottom, width, height;
    int index;    // 0..99
};

struct KindCase {
    const char* keyword;
    std::function<QString(const Box&)> record; // the whole record, keyword first
};

inline constexpr int kKindCount = 100;

inline Box CellBox(int i) {
    const int left = (i % 10) * 80 + 10, bottom = (i / 10) * 60 + 55;
    return {QStringLiteral("%1+I1").arg(left), QStringLiteral("%1+I2").arg(bottom), left, bottom, 60, 45, i};
}

inline QString RectRecord(const Box& b) {
    return QStringLiteral("RECT\t0\t%1+I3\t1\t-1\t0\t0\t\t%2\t%3\t%4\t%5\t0")
        .arg(0x808080 + b.index)
        .arg(b.x, b.y)
        .arg(b.width)
        .arg(b.height);
}

// With fullPaints the window draws every element at every paint, as a step
// that moves every value does; without, it keeps what did not change, which
// with constant inputs is everything, and the paint measures that check.
inline void PaintKind(benchmark::State& state, const std::function<QString(const Box&)>& record, bool fullPaints) {
    TForm1 form;
    form.setFullPaints(fullPaints);
    SetRecordVersion(435);
    for (int i = 0; i < kKindCount; ++i) ReadRecord(form, record(CellBox(i)));
    if (form.elementCount() != kKindCount) state.SkipWithError("the records did not load");
    form.setClientSize(QSize(800, 600));
    form.show();
    form.signalTable()[1] = 1;
    form.signalTable()[2] = 2;
    form.signalTable()[3] = 3;
    form.UpdateOutputs();
    for (auto _ : state) {
        form.PaintBox1Paint();
        benchmark::DoNotOptimize(form.offscreenImage().constBits());
    }
}

// Registers KIND/100 and RECT_as_KIND/100 (kept paints) and full/... (whole paints).
inline void RegisterKindPaints(std::span<const KindCase> cases) {
    for (const bool full : {false, true}) {
        const std::string prefix = full ? "full/" : "";
        for (const KindCase& c : cases) {
            benchmark::RegisterBenchmark((prefix + c.keyword + "/100").c_str(),
                                         [record = c.record, full](benchmark::State& s) { PaintKind(s, record, full); })
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark((prefix + "RECT_as_" + c.keyword + "/100").c_str(),
                                         [full](benchmark::State& s) { PaintKind(s, RectRecord, full); })
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

} // namespace ovanto::bench
