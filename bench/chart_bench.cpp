// The plot family: 100 empty plots against 100 RECTs, one paint of a y(t)
// group with 3 x 10,000 samples against the same three polylines drawn
// straight with QPainter, and the cost of recording one sample.

#include "elements/core/record.h"
#include "elements/display/plots.h"
#include "kind_paint.h"
#include "platform/canvas.h"
#include "qt_benchmark_main.h"
#include "window/tform1.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <memory>

namespace {

using ovanto::bench::Box;

const ovanto::bench::KindCase kCases[] = {
    {"YTPLOT",
     [](const Box& b) {
         return QStringLiteral("YTPLOT\t255\t-1\t1\t-1\t0\t0\t\t%1\t%2\t%3\t%4\tI1\t-1\t1\t1\t1\t0\t0\t10\t0\t1\t1\tt\ty\t0\t0\t0")
             .arg(b.x, b.y)
             .arg(b.width)
             .arg(b.height);
     }},
    {"XYPLOT",
     [](const Box& b) {
         return QStringLiteral("XYPLOT\t255\t-1\t1\t-1\t0\t0\t\t%1\t%2\t%3\t%4\tI1\tI2\t-1\t1\t1\t0\t1\t0\t1\t1\tx\ty\t0\t0")
             .arg(b.x, b.y)
             .arg(b.width)
             .arg(b.height);
     }},
};

constexpr int kSamples = 10000;

// Three plots of one group on a 400 x 200 rectangle, each with kSamples samples.
struct Group {
    ovanto::TForm1 form;
    std::vector<ovanto::TGraph*> plots;
    Group() {
        ovanto::SetRecordVersion(435);
        const char* inputs[] = {"1", "2", "3"};
        for (const char* input : inputs)
            ovanto::ReadRecord(form, QStringLiteral("YTPLOT\t255\t-1\t1\t-1\t0\t0\t\t0\t200\t400\t200\t%1\t1\t1\t1\t1\t0\t0\t10\t0\t1\t1\tt\ty\t0\t0\t0")
                                         .arg(QLatin1String(input)));
        for (int i = 0; i < form.elementCount(); ++i) {
            plots.push_back(form.elementAt(i));
            plots.back()->Init();
        }
    }
    void record(int n) {
        for (int i = 0; i < n; ++i) {
            const double t = i * 0.01;
            form.signalTable()[1] = std::sin(t);
            form.signalTable()[2] = t / 100;
            form.signalTable()[3] = std::floor(t / 20);
            for (ovanto::TGraph* p : plots) p->UpdateInputs(t);
        }
    }
};

void BM_YtGroupPaint(benchmark::State& state) {
    Group g;
    g.record(kSamples);
    QImage image(400, 200, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        ovanto::Canvas canvas(image);
        for (ovanto::TGraph* p : g.plots) p->Draw(canvas);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The same three curves mapped into the same plot area and drawn as they are.
void BM_QPainterPolylines(benchmark::State& state) {
    Group g;
    g.record(kSamples);
    QImage image(400, 200, QImage::Format_RGB32);
    const QRectF area(60, 40, 320, 160);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::red, 1));
        for (ovanto::TGraph* p : g.plots) {
            const auto& plot = static_cast<const ovanto::TPlotGraph&>(*p);
            QPolygonF line(static_cast<int>(plot.xs().size()));
            for (size_t i = 0; i < plot.xs().size(); ++i)
                line[static_cast<int>(i)] = QPointF(area.left() + plot.xs()[i] * area.width() / 100.0,
                                                    area.bottom() - (plot.ys()[i] + 1) * area.height() / 6.0);
            painter.drawPolyline(line);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One sample for each of the three plots per iteration; the lists restart every 2^20 steps.
void BM_RecordStep(benchmark::State& state) {
    Group g;
    long long step = 0;
    for (auto _ : state) {
        const double t = static_cast<double>(step) * 0.01;
        g.form.signalTable()[1] = t;
        for (ovanto::TGraph* p : g.plots) p->UpdateInputs(t);
        if ((++step & ((1 << 20) - 1)) == 0)
            for (ovanto::TGraph* p : g.plots) p->Init();
    }
    state.SetItemsProcessed(state.iterations() * 3);
}

} // namespace

BENCHMARK(BM_YtGroupPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QPainterPolylines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordStep);

int main(int argc, char** argv) {
    ovanto::bench::RegisterKindPaints(kCases);
    return RunQtBenchmarks(argc, argv);
}
