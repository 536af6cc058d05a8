#include "commands.h"

#include "elements/core/format_pattern.h"
#include "elements/core/formula/conversion_error.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// A decimal number with "." whatever the user's locale, the whole argument or nothing.
bool parseNumber(const char* text, long double& value) {
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    char* end = nullptr;
    value = strtold_l(text, &end, cLocale);
    if (end == text) return false;
    while (*end == ' ')
        ++end;
    return *end == '\0';
}

} // namespace

int runFormatCommand(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qevtool format PATTERN VALUE\n", stderr);
        return 2;
    }
    long double value = 0;
    if (!parseNumber(argv[1], value)) {
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
