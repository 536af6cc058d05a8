// The block through its exports, as a host drives it: one simulation step of
// a 200-element window with a paint, the same step with static content (no
// paint), and loading and writing a 10,000-element configuration. The paint
// alone of the same window runs beside them as the yardstick.
//
//   host_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "elements/core/record.h"
#include "host/animation_file.h"
#include "host/host_abi.h"
#include "window/tform1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "qt_benchmark_main.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace ovanto;

struct Exports {
    abi::InitUserDLLFn initUser = nullptr;
    abi::DisposeUserDLLFn dispose = nullptr;
    abi::LoadQEVFileFn load = nullptr;
    abi::InitSimulationDLL2Fn initSim = nullptr;
    abi::SimulateDLLFn simulate = nullptr;
    abi::EndSimulationDLL2Fn endSim = nullptr;
    abi::WriteToFileFn write = nullptr;
};

template <class Fn>
void resolve(void* library, const char* name, Fn& fn) {
    void* symbol = dlsym(library, name);
    std::memcpy(&fn, &symbol, sizeof fn);
}

const Exports& exports() {
    static const Exports e = [] {
        Exports x;
        const QByteArray path = (QCoreApplication::applicationDirPath() + "/libovanto.so").toLocal8Bit();
        void* library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library) return x;
        resolve(library, "InitUserDLL", x.initUser);
        resolve(library, "DisposeUserDLL", x.dispose);
        resolve(library, "LoadQEVFile", x.load);
        resolve(library, "InitSimulationDLL2", x.initSim);
        resolve(library, "SimulateDLL", x.simulate);
        resolve(library, "EndSimulationDLL2", x.endSim);
        resolve(library, "WriteToFile", x.write);
        return x;
    }();
    return e;
}

// A window of formula-driven shapes, kinds and places drawn at random (fixed seed).
QString shapeRecord(std::mt19937& random) {
    auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int x = uniform(0, 680), y = uniform(90, 590), w = uniform(8, 110), h = uniform(8, 80);
    const QString common = QStringLiteral("I3\t%1+I3*256\t1\t-1\t0\t0\t\t").arg(uniform(0, 0xFFFF));
    const QString px = QStringLiteral("%1+I1*%2").arg(x).arg(uniform(-3, 3));
    const QString py = QStringLiteral("%1+I2*%2").arg(y).arg(uniform(-3, 3));
    static const char* kinds[] = {"RECT", "ELLIPSE", "RRECT", "CIRCLE", "TRIANG"};
    const QString kind = QString::fromLatin1(kinds[uniform(0, 4)]);
    if (kind == "CIRCLE") return kind + "\t" + common + QStringList{px, py, QString::number(w / 2), "0"}.join('\t');
    if (kind == "TRIANG")
        return kind + "\t" + common +
               QStringList{px, py, QString::number(x + w), QString::number(y), QString::number(x + w / 2),
                           QString::number(y - h), "0"}
                   .join('\t');
    return kind + "\t" + common + QStringList{px, py, QString::number(w), QString::number(h), "0"}.join('\t');
}

QString writeConfiguration(const QTemporaryDir& dir, const QString& name, int elements, bool staticContent) {
    TForm1 form;
    std::mt19937 random(20261208);
    SetRecordVersion(435);
    for (int i = 0; i < elements; ++i) ReadRecord(form, shapeRecord(random));
    form.configuration().InputCount = 3;
    form.configuration().StaticContent = staticContent;
    form.options().Border = BorderStyle::Single;
    const QString path = dir.filePath(name);
    SaveConfiguration(path, form);
    return path;
}

struct Fixture {
    QTemporaryDir dir;
    QString painted, staticWindow, large;
    Fixture()
        : painted(writeConfiguration(dir, "painted.qev", 200, false)),
          staticWindow(writeConfiguration(dir, "static.qev", 200, true)),
          large(writeConfiguration(dir, "large.qev", 10000, false)) {}
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

struct Block {
    std::vector<unsigned char> record = std::vector<unsigned char>(8192, 0);
    unsigned char inputs[50 * abi::kExtendedSize] = {};
    unsigned char outputs[50 * abi::kExtendedSize] = {};

    explicit Block(const QString& file) {
        exports().initUser(record.data());
        exports().load(record.data(), file.toLocal8Bit().constData());
        for (int i = 0; i < 3; ++i) abi::writeExtended(inputs, static_cast<std::size_t>(i), 3.0L + i);
    }
    ~Block() { exports().dispose(record.data()); }
};

void runSteps(benchmark::State& state, const QString& file) {
    if (!exports().simulate) {
        state.SkipWithError("libovanto.so not found beside the benchmark");
        return;
    }
    Block block(file);
    exports().initSim(0.01L, block.record.data(), block.inputs, block.outputs);
    long double t = 0;
    for (auto _ : state) {
        t += 0.01L;
        exports().simulate(t, block.record.data(), block.inputs, block.outputs);
    }
    exports().endSim(block.record.data());
}

void BM_StepWithPaint(benchmark::State& state) { runSteps(state, fixture().painted); }
BENCHMARK(BM_StepWithPaint)->Unit(benchmark::kMicrosecond);

void BM_StepStaticContent(benchmark::State& state) { runSteps(state, fixture().staticWindow); }
BENCHMARK(BM_StepStaticContent)->Unit(benchmark::kMicrosecond);

// The yardstick: the paint alone of the same 200-element window.
void BM_PaintAlone(benchmark::State& state) {
    TForm1 form;
    LoadConfiguration(fixture().painted, form);
    for (int i = 1; i <= 3; ++i) form.signalTable()[i] = 2.0L + i;
    form.show();
    for (auto _ : state) form.PaintBox1Paint();
}
BENCHMARK(BM_PaintAlone)->Unit(benchmark::kMicrosecond);

void BM_Load10000(benchmark::State& state) {
    if (!exports().load) {
        state.SkipWithError("libovanto.so not found beside the benchmark");
        return;
    }
    Block block(fixture().painted);
    const QByteArray path = fixture().large.toLocal8Bit();
    for (auto _ : state) exports().load(block.record.data(), path.constData());
}
BENCHMARK(BM_Load10000)->Unit(benchmark::kMillisecond);

void BM_Write10000(benchmark::State& state) {
    if (!exports().write) {
        state.SkipWithError("libovanto.so not found beside the benchmark");
        return;
    }
    Block block(fixture().large);
    const QByteArray path = QString(fixture().dir.filePath("section.sys")).toLocal8Bit();
    for (auto _ : state) {
        const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        exports().write(fd, block.record.data());
        close(fd);
    }
}
BENCHMARK(BM_Write10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
