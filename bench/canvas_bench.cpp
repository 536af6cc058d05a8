// One 800 x 600 frame of 200 mixed primitives, drawn through Canvas and, for
// comparison, straight through QPainter with the same geometry and colours.
//
//   canvas_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "platform/canvas.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "qt_benchmark_main.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

using ovanto::Canvas;
using ovanto::TColor;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

enum class Kind { Rectangle, Ellipse, Polygon, ThickLine, Text };

struct Primitive {
    Kind kind;
    QRect box;
    std::vector<QPoint> points;
    TColor pen;
    TColor brush;
    QString text;
};

std::vector<Primitive> makeFrame() {
    std::mt19937 random(20240611);
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto color = [&] { return ovanto::rgbColor(uniform(0, 255), uniform(0, 255), uniform(0, 255)); };
    auto box = [&] {
        const int x = uniform(0, kWidth - 60);
        const int y = uniform(0, kHeight - 60);
        return QRect(x, y, uniform(8, 120), uniform(8, 90));
    };
    std::vector<Primitive> frame;
    auto add = [&](Kind kind, int count) {
        for (int i = 0; i < count; ++i) {
            Primitive p{kind, box(), {}, color(), color(), {}};
            if (kind == Kind::Polygon) {
                const int corners = uniform(5, 7);
                for (int k = 0; k < corners; ++k) {
                    p.points.emplace_back(p.box.x() + uniform(0, p.box.width()),
                                          p.box.y() + uniform(0, p.box.height()));
                }
            }
            if (kind == Kind::Text) p.text = QStringLiteral("Messwert %1").arg(uniform(0, 9999));
            frame.push_back(std::move(p));
        }
    };
    add(Kind::Rectangle, 100);
    add(Kind::Ellipse, 40);
    add(Kind::Polygon, 30);
    add(Kind::ThickLine, 20);
    add(Kind::Text, 10);
    std::shuffle(frame.begin(), frame.end(), random);
    return frame;
}

const std::vector<Primitive>& frame() {
    static const std::vector<Primitive> primitives = makeFrame();
    return primitives;
}

void drawWithCanvas(QImage& image) {
    Canvas c(image);
    c.setFontName(QStringLiteral("Arial"));
    c.setFontSize(10);
    for (const Primitive& p : frame()) {
        c.setPenColor(p.pen);
        switch (p.kind) {
        case Kind::Rectangle:
            c.setPenWidth(1);
            c.setBrushColor(p.brush);
            c.rectangle(p.box.left(), p.box.top(), p.box.left() + p.box.width(),
                        p.box.top() + p.box.height());
            break;
        case Kind::Ellipse:
            c.setPenWidth(1);
            c.setBrushColor(p.brush);
            c.ellipse(p.box.left(), p.box.top(), p.box.left() + p.box.width(), p.box.top() + p.box.height());
            break;
        case Kind::Polygon:
            c.setPenWidth(1);
            c.setBrushColor(p.brush);
            c.polygon(p.points);
            break;
        case Kind::ThickLine:
            c.setPenWidth(3);
            c.moveTo(p.box.left(), p.box.top());
            c.lineTo(p.box.right(), p.box.bottom());
            break;
        case Kind::Text:
            c.setFontColor(p.pen);
            c.textOut(p.box.left(), p.box.top(), p.text);
            break;
        }
    }
}

void drawWithQPainter(QImage& image, const QFont& font) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    const int ascent = painter.fontMetrics().ascent();
    for (const Primitive& p : frame()) {
        const QColor pen = ovanto::toQColor(p.pen);
        switch (p.kind) {
        case Kind::Rectangle:
            painter.setPen(pen);
            painter.setBrush(ovanto::toQColor(p.brush));
            painter.drawRect(p.box.adjusted(0, 0, -1, -1));
            break;
        case Kind::Ellipse:
            painter.setPen(pen);
            painter.setBrush(ovanto::toQColor(p.brush));
            painter.drawEllipse(p.box.adjusted(0, 0, -1, -1));
            break;
        case Kind::Polygon:
            painter.setPen(pen);
            painter.setBrush(ovanto::toQColor(p.brush));
            painter.drawPolygon(p.points.data(), static_cast<int>(p.points.size()), Qt::OddEvenFill);
            break;
        case Kind::ThickLine:
            painter.setPen(QPen(pen, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawLine(p.box.topLeft(), p.box.bottomRight());
            break;
        case Kind::Text:
            painter.setPen(pen);
            painter.drawText(QPoint(p.box.left(), p.box.top() + ascent), p.text);
            break;
        }
    }
}

void BM_CanvasFrame(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        drawWithCanvas(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_CanvasFrame)->Unit(benchmark::kMicrosecond);

void BM_QPainterFrame(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(ovanto::canvasFontPixelSize(10));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (auto _ : state) {
        image.fill(Qt::white);
        drawWithQPainter(image, font);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
