// A scripted run: the configuration runs as a host would drive it, with steps,
// clicks and keys in between, then the picture and the requested signals.

#include "commands.h"
#include "user_input.h"
#include "window_loader.h"

#include "elements/core/formula/parse_float.h"
#include "elements/core/formula/variable_names.h"
#include "host/block_configuration.h"
#include "host/host_abi.h"
#include "host/simulation_cycle.h"
#include "window/tform1.h"

#include <QApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace ovanto;

constexpr const char* kUsage =
    "usage: qevtool simulate FILE [--size WxH] [--set NAME=VALUE ...] [--dt SECONDS] [--do ACTION ...] "
    "[-o OUT.png] [--print NAMES] [--full-paints]\n"
    "  ACTION: step[:N] set:NAME=VALUE click:X,Y press:X,Y move:X,Y release:X,Y rclick:X,Y\n"
    "          key:CODE keydown:CODE keyup:CODE type:TEXT frame:PATH";

// Steps are bounded so a typing slip cannot keep the tool busy for hours.
constexpr long long kMaxSteps = 10'000'000;

int fail(const std::string& message) {
    std::fprintf(stderr, "qevtool simulate: %s\n", message.c_str());
    return 2;
}

struct Assignment {
    int position = 0;
    long double value = 0;
};

std::optional<Assignment> parseAssignment(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return std::nullopt;
    Assignment a;
    a.position = LookupVariable(text.substr(0, equals));
    if (a.position == 0 || !TryParseFloat(text.substr(equals + 1), a.value)) return std::nullopt;
    return a;
}

std::optional<QPoint> parsePoint(const std::string& text) {
    const std::size_t comma = text.find(',');
    int x = 0, y = 0;
    if (comma == std::string::npos || !TryParseInt(text.substr(0, comma), x) || !TryParseInt(text.substr(comma + 1), y))
        return std::nullopt;
    return QPoint(x, y);
}

// A plain decimal number, never with an exponent.
std::string plainDecimal(long double value) {
    std::array<char, 512> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value), std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : std::string("nan");
}

struct Action {
    std::string verb;
    std::string argument;
};

constexpr const char* kVerbs[] = {"step", "set", "click", "press", "move", "release", "rclick",
                                  "key", "keydown", "keyup", "type", "frame"};

bool isAction(const char* text) {
    const std::string s = text;
    const std::string verb = s.substr(0, s.find(':'));
    for (const char* v : kVerbs)
        if (verb == v) return true;
    return false;
}

// The host's side of a run: its input array and the step clock.
class HostRun {
public:
    HostRun(TForm1& form, long double dt) : m_form(form), m_dt(dt) {}

    // An input the block has configured goes through the host's array, so every
    // step scales and limits it; any other name is written into the table.
    void set(const Assignment& a) {
        const int inputs = std::clamp(m_form.configuration().InputCount, 0, kMaxInputs);
        if (a.position >= 1 && a.position <= inputs)
            abi::writeExtended(m_inputs.data(), static_cast<std::size_t>(a.position - 1), a.value);
        else
            m_form.signalTable()[a.position] = a.value;
    }
    void start() { InitSimulation(m_form, m_dt, m_inputs.data(), m_outputs.data()); }
    void step() {
        ++m_steps;
        SimulateStep(m_form, m_dt * static_cast<long double>(m_steps), m_inputs.data(), m_outputs.data());
        QApplication::processEvents();
    }
    void end() { EndSimulation(m_form); }

private:
    TForm1& m_form;
    long double m_dt;
    long long m_steps = 0;
    std::array<unsigned char, kMaxInputs * abi::kExtendedSize> m_inputs{};
    std::array<unsigned char, kMaxOutputs * abi::kExtendedSize> m_outputs{};
};

// Runs one action; an empty result is success, otherwise the error.
std::string perform(const Action& a, TForm1& form, HostRun& run, UserInput& input) {
    const std::string& arg = a.argument;
    if (a.verb == "step") {
        long long n = 1;
        if (!arg.empty()) {
            int parsed = 0;
            if (!TryParseInt(arg, parsed) || parsed < 0) return "bad step count: " + arg;
            n = parsed;
        }
        if (n > kMaxSteps) return "at most 10000000 steps: " + arg;
        for (long long k = 0; k < n; ++k) run.step();
        return {};
    }
    if (a.verb == "set") {
        const std::optional<Assignment> assignment = parseAssignment(arg);
        if (!assignment) return "bad set, expected NAME=VALUE: " + arg;
        run.set(*assignment);
        return {};
    }
    if (a.verb == "type") {
        input.type(QString::fromLocal8Bit(arg.c_str()));
        return {};
    }
    if (a.verb == "frame") {
        if (arg.empty() || !SaveClientPicture(form, QString::fromLocal8Bit(arg.c_str()))) return "cannot write " + arg;
        return {};
    }
    if (a.verb == "key" || a.verb == "keydown" || a.verb == "keyup") {
        int code = 0;
        if (!TryParseInt(arg, code) || code <= 0 || code > 255) return "bad key code: " + arg;
        bool known = true;
        if (a.verb != "keyup") known = input.keyDown(code);
        if (known && a.verb != "keydown") known = input.keyUp(code);
        return known ? std::string() : "no key gives the code " + arg;
    }
    const std::optional<QPoint> point = parsePoint(arg);
    if (!point) return "bad point, expected X,Y: " + arg;
    if (a.verb == "click") {
        input.press(*point, Qt::LeftButton);
        input.release(*point, Qt::LeftButton);
    } else if (a.verb == "rclick") {
        input.press(*point, Qt::RightButton);
        input.release(*point, Qt::RightButton);
    } else if (a.verb == "press") {
        input.press(*point, Qt::LeftButton);
    } else if (a.verb == "release") {
        input.release(*point, Qt::LeftButton);
    } else {
        input.move(*point);
    }
    return {};
}

} // namespace

int runSimulateCommand(int argc, char** argv) {
    const char* file = nullptr;
    const char* output = nullptr;
    QSize size;
    long double dt = 0.1L;
    std::vector<Assignment> sets;
    std::vector<Action> actions;
    QStringList printed;
    bool fullPaints = false;

    for (int k = 0; k < argc; ++k) {
        const char* arg = argv[k];
        const bool hasValue = k + 1 < argc;
        if (std::strcmp(arg, "-o") == 0 && hasValue) {
            output = argv[++k];
        } else if (std::strcmp(arg, "--full-paints") == 0) {
            fullPaints = true;
        } else if (std::strcmp(arg, "--size") == 0 && hasValue) {
            if (!ParseSize(argv[++k], size)) return fail(std::string("bad size, expected WxH: ") + argv[k]);
        } else if (std::strcmp(arg, "--set") == 0 && hasValue) {
            const std::optional<Assignment> a = parseAssignment(argv[++k]);
            if (!a) return fail(std::string("bad --set, expected NAME=VALUE: ") + argv[k]);
            sets.push_back(*a);
        } else if (std::strcmp(arg, "--dt") == 0 && hasValue) {
            if (!TryParseFloat(argv[++k], dt) || !(dt > 0)) return fail(std::string("bad step size: ") + argv[k]);
        } else if (std::strcmp(arg, "--do") == 0 && hasValue) {
            // One --do may carry several actions.
            if (!isAction(argv[k + 1])) return fail(std::string("unknown action: ") + argv[k + 1]);
            while (k + 1 < argc && isAction(argv[k + 1])) {
                const std::string s = argv[++k];
                const std::size_t colon = s.find(':');
                actions.push_back({s.substr(0, colon), colon == std::string::npos ? std::string() : s.substr(colon + 1)});
            }
        } else if (std::strcmp(arg, "--print") == 0 && hasValue) {
            for (const QString& name : QString::fromLocal8Bit(argv[++k]).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (LookupVariable(name.trimmed().toStdString()) == 0)
                    return fail("unknown signal name: " + name.toStdString());
                printed << name.trimmed();
            }
        } else if (arg[0] != '-' && !file) {
            file = arg;
        } else {
            return fail(std::string("unexpected argument: ") + arg + "\n" + kUsage);
        }
    }
    if (!file) return fail(kUsage);

    TForm1 form;
    form.setFullPaints(fullPaints);
    QString error;
    const QString path = QString::fromLocal8Bit(file);
    if (!LoadIntoWindow(form, path, error)) return fail(error.toStdString());
    const bool animationFile = path.endsWith(QStringLiteral(".qev"), Qt::CaseInsensitive);
    form.setClientSize(size.isValid() ? size : animationFile ? form.clientSize() : QSize(300, 300));
    form.show();
    QApplication::processEvents();

    HostRun run(form, dt);
    for (const Assignment& a : sets) run.set(a);
    run.start();
    UserInput input(form);
    for (const Action& a : actions) {
        const std::string problem = perform(a, form, run, input);
        if (!problem.empty()) {
            run.end();
            return fail(problem);
        }
    }
    if (output && !SaveClientPicture(form, QString::fromLocal8Bit(output)))
        return fail(std::string("cannot write ") + output);
    for (const QString& name : printed)
        std::printf("%s %s\n", qPrintable(name),
                    plainDecimal(form.signalTable()[LookupVariable(name.toStdString())]).c_str());
    run.end();
    return 0;
}
