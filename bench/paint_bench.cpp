// One full paint of an 800 x 600 animation window holding 200 shapes whose
// positions and colours are formulas over the inputs, against the same
// primitives drawn straight with QPainter into a QImage.
//
//   paint_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "elements/core/record.h"
#include "window/tform1.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <benchmark/benchmark.h>

#include "qt_benchmark_main.h"

#include <array>
#include <random>
#include <vector>

namespace {

using namespace ovanto;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

enum class Shape { Rect, Ellipse, Line, Triangle, Circle };

// Where a shape sits and how its formulas read: x = x0 + I1 * dx, y = y0 + I2 * dy,
// fill = base + I3 * 256.
struct Placement {
    Shape shape;
    int x0, y0, w, h, dx, dy, base;
};

std::vector<Placement> makeLayout() {
    std::mt19937 random(20261208);
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::vector<Placement> layout;
    const std::array<std::pair<Shape, int>, 5> mix{
        {{Shape::Rect, 60}, {Shape::Ellipse, 50}, {Shape::Line, 40}, {Shape::Triangle, 30}, {Shape::Circle, 20}}};
    for (const auto& [shape, count] : mix)
        for (int i = 0; i < count; ++i)
            layout.push_back({shape, uniform(0, kWidth - 130), uniform(0, kHeight - 100), uniform(8, 120),
                              uniform(8, 90), uniform(-3, 3), uniform(-3, 3), uniform(0, 0xFFFF)});
    return layout;
}

// The basic shape of a placement as an element record: every coordinate and
// the fill a formula over the inputs.
QString recordFor(const Placement& p) {
    const QString x = QStringLiteral("%1+I1*%2").arg(p.x0).arg(p.dx);
    const auto y = [&](int offset) { return QStringLiteral("%1+I2*%2").arg(p.y0 + offset).arg(p.dy); };
    const auto xAt = [&](int offset) { return QStringLiteral("%1+I1*%2").arg(p.x0 + offset).arg(p.dx); };
    const QString common = QStringLiteral("I3\t%1+I3*256\t%2\t-1\t0\t0\t\t").arg(p.base).arg(p.shape == Shape::Line ? 2 : 1);
    const QString w = QString::number(p.w), h = QString::number(p.h);
    switch (p.shape) {
    case Shape::Rect:
        return "RECT\t" + common + QStringList{x, y(p.h), w, h, "0"}.join('\t');
    case Shape::Ellipse:
        return "ELLIPSE\t" + common + QStringList{x, y(p.h), w, h, "0"}.join('\t');
    case Shape::Line:
        return "LINE2\t" + common + QStringList{x, y(0), xAt(p.w), y(p.h), "0", "0"}.join('\t');
    case Shape::Triangle:
        return "TRIANG\t" + common + QStringList{x, y(p.h), xAt(p.w / 2), y(0), xAt(p.w), y(p.h), "0"}.join('\t');
    case Shape::Circle:
        return "CIRCLE\t" + common + QStringList{xAt(p.w / 2), y(p.w / 2), QString::number(p.w / 2), "0"}.join('\t');
    }
    return {};
}

void fill(TForm1& form) {
    SetRecordVersion(435);
    for (const Placement& p : makeLayout()) ReadRecord(form, recordFor(p));
}

constexpr long double kInputs[3] = {4, 7, 3};

void setInputs(SignalTable& table) {
    for (int i = 0; i < 3; ++i) table[i + 1] = kInputs[i];
}

QColor qcolor(long long c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

void BM_WindowPaint(benchmark::State& state) {
    TForm1 form;
    fill(form);
    if (form.elementCount() != 200) state.SkipWithError("the shape records did not load");
    form.setClientSize(QSize(kWidth, kHeight));
    form.show();
    setInputs(form.signalTable());
    for (auto _ : state) {
        form.PaintBox1Paint();
        benchmark::DoNotOptimize(form.offscreenImage().constBits());
    }
}
BENCHMARK(BM_WindowPaint)->Unit(benchmark::kMicrosecond);

// The same without the copy to the screen.
void BM_WindowRenderOffscreen(benchmark::State& state) {
    TForm1 form;
    fill(form);
    form.setClientSize(QSize(kWidth, kHeight));
    setInputs(form.signalTable());
    for (auto _ : state) benchmark::DoNotOptimize(form.renderToImage().constBits());
}
BENCHMARK(BM_WindowRenderOffscreen)->Unit(benchmark::kMicrosecond);

void BM_QPainterDirect(benchmark::State& state) {
    const std::vector<Placement> layout = makeLayout();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        for (const Placement& p : layout) {
            const int x = p.x0 + int(kInputs[0]) * p.dx, y = p.y0 + int(kInputs[1]) * p.dy;
            const long long fill = p.base + static_cast<long long>(kInputs[2]) * 256;
            painter.setPen(QPen(qcolor(static_cast<long long>(kInputs[2])), p.shape == Shape::Line ? 2 : 1));
            painter.setBrush(qcolor(fill));
            switch (p.shape) {
            case Shape::Rect:
                painter.drawRect(x, y, p.w - 1, p.h - 1);
                break;
            case Shape::Ellipse:
                painter.drawEllipse(x, y, p.w - 1, p.h - 1);
                break;
            case Shape::Circle:
                painter.drawEllipse(x, y, p.w - 1, p.w - 1);
                break;
            case Shape::Line:
                painter.drawLine(x, y, x + p.w, y + p.h);
                break;
            case Shape::Triangle: {
                const QPoint corners[3] = {QPoint(x, y + p.h), QPoint(x + p.w / 2, y), QPoint(x + p.w, y + p.h)};
                painter.drawPolygon(corners, 3);
                break;
            }
            }
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterDirect)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
