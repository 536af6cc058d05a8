#include "commands.h"

#include "elements/core/formula/evaluate.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/parse_float.h"
#include "elements/core/formula/variable_names.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <string_view>

namespace {

// QCoreApplication adopts the environment's locale; the value is printed
// with "." whatever it says.
void printValue(long double value) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = c ? uselocale(c) : static_cast<locale_t>(nullptr);
    std::printf("%.18Lg\n", value);
    if (c) {
        uselocale(previous);
        freelocale(c);
    }
}

} // namespace

int runEvalCommand(int argc, char** argv) {
    using namespace ovanto;
    if (argc < 1) {
        std::fputs("usage: qevtool eval FORMULA [NAME=VALUE ...]\n", stderr);
        return 2;
    }
    const std::string_view formula = argv[0];
    SignalTable table;
    for (int k = 1; k < argc; ++k) {
        const std::string_view assignment = argv[k];
        const std::size_t equals = assignment.find('=');
        const std::string_view name = assignment.substr(0, equals);
        const int position = equals == std::string_view::npos ? 0 : LookupVariable(name);
        if (position == 0) {
            std::fprintf(stderr, "qevtool eval: unknown signal '%.*s'\n", static_cast<int>(name.size()), name.data());
            return 2;
        }
        long double value = 0.0L;
        if (!TryParseFloat(assignment.substr(equals + 1), value)) {
            std::fprintf(stderr, "qevtool eval: bad value in '%s'\n", argv[k]);
            return 2;
        }
        table[position] = value;
    }

    long double number = 0.0L;
    const bool plain = TryParseFloat(formula, number);
    const long double value = Evaluate(formula, table);
    printValue(value);
    if (!plain && LastFormulaError() != 0) {
        std::fprintf(stderr, "error %d\n", LastFormulaError());
        return 1;
    }
    return 0;
}
