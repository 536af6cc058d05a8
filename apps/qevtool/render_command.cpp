#include "commands.h"
#include "window_loader.h"

#include "elements/core/formula/parse_float.h"
#include "elements/core/formula/variable_names.h"
#include "window/tform1.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace ovanto;

// A TColor as stored (decimal, 0x00BBGGRR) or "#RRGGBB".
bool parseColour(const char* text, int& colour) {
    const QString s = QString::fromUtf8(text);
    bool ok = false;
    if (s.startsWith(QLatin1Char('#')) && s.size() == 7) {
        const uint rgb = s.mid(1).toUInt(&ok, 16);
        colour = static_cast<int>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
        return ok;
    }
    colour = s.toInt(&ok);
    return ok && colour >= 0 && colour <= 0xFFFFFF;
}

int fail(const char* message, const char* detail = "") {
    std::fprintf(stderr, "qevtool render: %s%s\n", message, detail);
    return 2;
}

} // namespace

int runRenderCommand(int argc, char** argv) {
    const char* input = nullptr;
    const char* output = nullptr;
    QSize size;
    bool design = false;
    int background = -1;
    std::vector<std::pair<int, long double>> sets;

    for (int k = 0; k < argc; ++k) {
        const char* arg = argv[k];
        const bool hasValue = k + 1 < argc;
        if (std::strcmp(arg, "-o") == 0 && hasValue) {
            output = argv[++k];
        } else if (std::strcmp(arg, "--size") == 0 && hasValue) {
            if (!ParseSize(argv[++k], size)) return fail("bad size, expected WxH: ", argv[k]);
        } else if (std::strcmp(arg, "--set") == 0 && hasValue) {
            const std::string assignment = argv[++k];
            const std::size_t equals = assignment.find('=');
            const int position = equals == std::string::npos ? 0 : LookupVariable(assignment.substr(0, equals));
            long double value = 0;
            if (position == 0 || !TryParseFloat(assignment.substr(equals + 1), value))
                return fail("bad --set, expected NAME=VALUE: ", argv[k]);
            sets.emplace_back(position, value);
        } else if (std::strcmp(arg, "--design") == 0) {
            design = true;
        } else if (std::strcmp(arg, "--background") == 0 && hasValue) {
            if (!parseColour(argv[++k], background)) return fail("bad colour: ", argv[k]);
        } else if (arg[0] != '-' && !input) {
            input = arg;
        } else {
            return fail("unexpected argument: ", arg);
        }
    }
    if (!input || !output)
        return fail("usage: qevtool render FILE -o OUT.png [--size WxH] [--set NAME=VALUE ...] [--design] "
                    "[--background COLOUR]");
    TForm1 form;
    QString error;
    if (!LoadIntoWindow(form, QString::fromLocal8Bit(input), error)) return fail(qPrintable(error));
    if (size.isValid()) form.setClientSize(size);
    if (background >= 0) form.options().BackgroundColor = background;
    for (const auto& [position, value] : sets) form.signalTable()[position] = value;
    form.setDesignMode(design);
    form.UpdateOutputs();
    if (!SaveClientPicture(form, QString::fromLocal8Bit(output))) return fail("cannot write ", output);
    return 0;
}
