// One paint of 100 picture elements of each kind against 100 "RECT"s of the
// same boxes, and a 100 x 100 "BITMAP" against a plain drawImage of its picture.
//
//   pictures_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "kind_paint.h"

#include "elements/core/element_registry.h"
#include "platform/canvas.h"

#include "qt_benchmark_main.h"

#include <QPainter>
#include <QTemporaryDir>

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

QString head(const char* keyword) { return QStringLiteral("%1\t0\t12632256+I3\t1\t-1\t0\t0\t\t").arg(QLatin1String(keyword)); }

QString at(const Box& b) { return b.x + QLatin1Char('\t') + b.y; }

const KindCase kCases[] = {
    {"BITMAP", [](const Box& b) { return head("BITMAP") + at(b) + "\t60\t45\t0\t120"; }},
    {"BMPSEQ", [](const Box& b) {
         return head("BMPSEQ") + at(b) +
                "\t60\t45\t3\t8\t170\t171\t172\t173\t174\t175\t176\t177\t*.BMP\t*.BMP\t1\t0\t10\t0";
     }},
    {"STATEBMP", [](const Box& b) { return head("STATEBMP") + at(b) + "\t60\t45\t5\tI3*2\t320\t321\t1"; }},
    {"DYNBMP", [](const Box& b) { return head("DYNBMP") + at(b) + "\t60\t45\t5\t3\t1\t360\t361\t1\t0\t1"; }},
    {"SOUND", [](const Box& b) { return head("SOUND") + at(b) + "\t*.WAV"; }},
    {"BMPSEQGENERATOR", [](const Box& b) { return head("BMPSEQGENERATOR") + at(b) + "\t0.1\t*.bmp"; }},
};

// A 100 x 100 picture in a file, drawn unscaled by a "BITMAP" or by QPainter.
struct Photo {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("photo.bmp"));
    QImage image{100, 100, QImage::Format_RGB32};
    Photo() {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) image.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
        image.save(path, "BMP");
    }
};

void BitmapElement(benchmark::State& state) {
    Photo photo;
    ovanto::TForm1 form;
    ovanto::SetRecordVersion(435);
    ovanto::TGraph* e = ovanto::ReadRecord(
        form, QStringLiteral("BITMAP\t0\t0\t0\t-1\t0\t0\t\t10+I1\t110+I2\t100\t100\t0\t") + photo.path);
    QImage target(800, 600, QImage::Format_RGB32);
    target.fill(Qt::white);
    form.runState().SimulationRunning = true; // during a run the picture is not read again
    for (auto _ : state) {
        ovanto::Canvas canvas(target);
        e->Draw(canvas);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void PlainDrawImage(benchmark::State& state) {
    Photo photo;
    QImage target(800, 600, QImage::Format_RGB32);
    target.fill(Qt::white);
    const QImage picture(photo.path);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(10, 10, picture);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    ovanto::RegisterAllElements();
    ovanto::bench::RegisterKindPaints(kCases);
    benchmark::RegisterBenchmark("BITMAP_100x100/1", BitmapElement)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("drawImage_100x100/1", PlainDrawImage)->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
