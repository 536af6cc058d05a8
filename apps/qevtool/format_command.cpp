#include "commands.h"

#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"
#include "elements/core/formula/parse_float.h"

#include <QString>
#include <cstdio>

int runFormatCommand(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qevtool format PATTERN VALUE\n", stderr);
        return 2;
    }
    long double value = 0;
    if (!ovanto::TryParseFloat(argv[1], value)) {
        std::fprintf(stderr, "qevtool format: \"%s\" is not a number\n", argv[1]);
        return 1;
    }
    try {
        const QString text = ovanto::FormatNumberValue(QString::fromUtf8(argv[0]), value);
        std::fputs(text.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
    } catch (const ovanto::ConversionError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
