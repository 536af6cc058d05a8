// One paint of 100 picture elements of each kind against 100 "RECT"s of the
// same boxes, and a 100 x 100 "BITMAP" against a plain drawImage of its picture.
//
//   pictures_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "kind_paint.h"

#include "../tests/platform/avi_writer.h"
#include "../tests/platform/metafile_writer.h"

#include "elements/core/element_registry.h"
#include "platform/canvas.h"
#include "platform/metafile.h"

#include "qt_benchmark_main.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace {

using ovanto::bench::Box;
using ovanto::bench::KindCase;

QString head(const char* keyword) { return QStringLiteral("%1\t0\t12632256+I3\t1\t-1\t0\t0\t\t").arg(QLatin1String(keyword)); }

QString at(const Box& b) { return b.x + QLatin1Char('\t') + b.y; }

// 200 records over a 0..1000 frame: pen and brush, then rectangles, ellipses, quadrangles and lines in turn.
QByteArray TwoHundredRecords() {
    ovanto::testing::WmfWriter w(0, 0, 1000, 1000);
    w.pen(0, 10, 0x202020).select(0).brush(0, 0x3070E0).select(1);
    for (int k = 0; k < 196; ++k) {
        const int x = (k * 37) % 900, y = (k * 53) % 900;
        switch (k % 4) {
        case 0: w.rectangle(x, y, x + 100, y + 80); break;
        case 1: w.ellipse(x, y, x + 90, y + 90); break;
        case 2: w.polygon({x, y, x + 100, y + 20, x + 80, y + 100, x + 10, y + 70}); break;
        default: w.record(0x0214, {y, x}).record(0x0213, {y + 90, x + 100}), ++k; break;
        }
    }
    return w.bytes();
}

// Media files the cases name, written once for the whole run.
struct MediaFiles {
    QTemporaryDir dir;
    QString metafile = dir.filePath(QStringLiteral("plant.wmf"));
    QString clip = dir.filePath(QStringLiteral("clip.avi"));
    MediaFiles() {
        QFile m(metafile);
        if (m.open(QIODevice::WriteOnly)) m.write(TwoHundredRecords());
        QList<QRgb> palette;
        for (int k = 0; k < 256; ++k) palette.push_back(qRgb(k, 255 - k, 128));
        ovanto::testing::AviWriter avi(60, 45, 8, 0, palette);
        for (int f = 0; f < 8; ++f) avi.frame(QByteArray(60 * 45, static_cast<char>(f * 30)));
        QFile c(clip);
        if (c.open(QIODevice::WriteOnly)) c.write(avi.bytes());
    }
};
const MediaFiles& Media() {
    static const MediaFiles files;
    return files;
}

const KindCase kCases[] = {
    {"BITMAP", [](const Box& b) { return head("BITMAP") + at(b) + "\t60\t45\t0\t120"; }},
    {"WMF", [](const Box& b) { return head("WMF") + at(b) + "\t60\t45\t0\t" + Media().metafile; }},
    {"AVI", [](const Box& b) { return head("AVI") + at(b) + "\tI1\t0\t" + Media().clip + "\t2"; }},
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

// Outside a run the picture is looked up every paint; the file is not read again while unchanged.
void BitmapElementOutsideRun(benchmark::State& state) {
    Photo photo;
    ovanto::TForm1 form;
    ovanto::SetRecordVersion(435);
    ovanto::TGraph* e = ovanto::ReadRecord(
        form, QStringLiteral("BITMAP\t0\t0\t0\t-1\t0\t0\t\t10+I1\t110+I2\t100\t100\t0\t") + photo.path);
    QImage target(800, 600, QImage::Format_RGB32);
    target.fill(Qt::white);
    for (auto _ : state) {
        ovanto::Canvas canvas(target);
        e->Draw(canvas);
        benchmark::DoNotOptimize(target.constBits());
    }
}

// The 200-record metafile parsed once, played into 300 x 300.
void CachedMetafile(benchmark::State& state) {
    const std::optional<ovanto::Metafile> m = ovanto::Metafile::parse(TwoHundredRecords());
    QImage target(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        ovanto::Canvas canvas(target);
        ovanto::PlayMetafile(canvas, *m, 10, 10, 310, 310);
        benchmark::DoNotOptimize(target.constBits());
    }
}

// The same 196 shapes straight on the canvas, with the pen and brush set once.
void StraightPrimitives(benchmark::State& state) {
    QImage target(400, 400, QImage::Format_RGB32);
    const auto px = [](int v) { return 10 + v * 3 / 10; };
    for (auto _ : state) {
        ovanto::Canvas canvas(target);
        canvas.setPenWidth(3);
        canvas.setPenColor(0x202020);
        canvas.setBrushColor(0x3070E0);
        for (int k = 0; k < 196; ++k) {
            const int x = (k * 37) % 900, y = (k * 53) % 900;
            switch (k % 4) {
            case 0: canvas.rectangle(px(x), px(y), px(x + 100), px(y + 80)); break;
            case 1: canvas.ellipse(px(x), px(y), px(x + 90), px(y + 90)); break;
            case 2: {
                const QPoint q[] = {{px(x), px(y)}, {px(x + 100), px(y + 20)}, {px(x + 80), px(y + 100)}, {px(x + 10), px(y + 70)}};
                canvas.polygon(q);
                break;
            }
            default:
                canvas.moveTo(px(x), px(y));
                canvas.lineTo(px(x + 100), px(y + 90));
                ++k;
                break;
            }
        }
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
    benchmark::RegisterBenchmark("BITMAP_100x100_outside_run/1", BitmapElementOutsideRun)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("drawImage_100x100/1", PlainDrawImage)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("WMF_200_records_cached/1", CachedMetafile)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("primitives_200_straight/1", StraightPrimitives)->Unit(benchmark::kMicrosecond);
    return RunQtBenchmarks(argc, argv);
}
