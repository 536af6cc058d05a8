#include "commands.h"

#include "chart/kxgraphic.h"
#include "elements/core/formula/parse_float.h"
#include "platform/canvas.h"

#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int axisUsage() {
    std::fputs("usage: qevtool axis MIN MAX [--log] [--tight] [--time-mode N] [--intervals N] [--pixels N]\n", stderr);
    return 2;
}

bool readInt(const char* text, int low, int high, int& value) {
    long double v = 0;
    if (!ovanto::TryParseFloat(text, v) || !(v >= low && v <= high)) return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

// The x axis that the automatic scaling chooses over MIN..MAX on an axis of
// --pixels pixels with the default 12-point labels.
int runAxisCommand(int argc, char** argv) {
    if (argc < 2) return axisUsage();
    long double low = 0;
    long double high = 0;
    if (!ovanto::TryParseFloat(argv[0], low) || !ovanto::TryParseFloat(argv[1], high)) {
        std::fprintf(stderr, "qevtool axis: \"%s %s\" are not two numbers\n", argv[0], argv[1]);
        return 2;
    }
    bool log = false;
    bool tight = false;
    int timeMode = 0;
    int intervals = 10;
    int pixels = 400;
    for (int i = 2; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--log") == 0) log = true;
        else if (std::strcmp(argv[i], "--tight") == 0) tight = true;
        else if (std::strcmp(argv[i], "--time-mode") == 0 && hasValue && readInt(argv[i + 1], 0, 2, timeMode)) ++i;
        else if (std::strcmp(argv[i], "--intervals") == 0 && hasValue && readInt(argv[i + 1], 1, 200, intervals)) ++i;
        else if (std::strcmp(argv[i], "--pixels") == 0 && hasValue && readInt(argv[i + 1], 1, 100000, pixels)) ++i;
        else return axisUsage();
    }

    QImage image(1, 1, QImage::Format_RGB32);
    ovanto::Canvas canvas(image);
    ovanto::TKXGraphic chart(canvas, QRect(0, 0, pixels, pixels));
    chart.SetPlotArea(false, 0, 0, 1, 1);
    chart.SetLog(ovanto::TKXGraphic::AxisId::X, log);
    chart.SetTight(ovanto::TKXGraphic::AxisId::X, tight);
    chart.SetMaxIntervals(ovanto::TKXGraphic::AxisId::X, intervals);
    chart.SetTimeMode(timeMode);
    // as a recorded series with these extremes would be scaled
    const ovanto::chart::DataRange range =
        ovanto::chart::SpreadRange({static_cast<double>(low), static_cast<double>(high)});
    chart.AutoScaleXRange(range.min, range.max);
    const ovanto::chart::AxisScale& a = chart.xAxis();

    std::vector<float> majors;
    std::string labels;
    for (const ovanto::chart::Tick& t : ovanto::chart::AxisTicks(a, 1, 1.0f / static_cast<float>(pixels)))
        if (t.level == 2) majors.push_back(t.value);
    const ovanto::chart::LabelFormat format = ovanto::chart::ChooseLabelFormat(a.low, a.high, majors);
    for (float v : majors) {
        if (!labels.empty()) labels += ' ';
        labels += a.log ? "1e" + std::to_string(static_cast<int>(std::lround(std::log10(v))))
                        : ovanto::chart::FormatLabel(v, format);
    }

    std::printf("scale %s\n", a.log ? "logarithmic" : "linear");
    std::printf("low %.9g\nhigh %.9g\nstep %.9g\n", static_cast<double>(a.low), static_cast<double>(a.high),
                static_cast<double>(a.step));
    std::printf("first tick %.9g\nlast tick %.9g\n", static_cast<double>(a.firstTick), static_cast<double>(a.lastTick));
    std::printf("subdivisions %d\nmedium interval %d\n", a.subdivisions, a.medium);
    std::printf("exponent %d\ndecimals %d\nlabels %s\n", format.exponent, format.decimals, labels.c_str());
    return 0;
}
