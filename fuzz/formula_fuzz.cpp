// Any bytes as a property text: compiling and running must stay defined,
// yield a finite value (0 after an error) and agree with the cached path.
#include "elements/core/formula/evaluate.h"
#include "elements/core/formula/formula.h"
#include "elements/core/formula/functions.h"
#include "elements/core/formula/parse_float.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

ovanto::SignalTable hostileSignals() {
    ovanto::SignalTable table;
    const long double values[] = {0.0L, -0.0L, 1.0L, -1.0L, 0.5L, 1e300L, -1e4000L,
                                  std::numeric_limits<long double>::max(),
                                  std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN(), 3.0L, 255.0L};
    for (int pos = 1; pos <= ovanto::kSignalCount; ++pos)
        table[pos] = values[static_cast<std::size_t>(pos) % std::size(values)];
    return table;
}

void check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ovanto::SignalTable table = hostileSignals();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    long double number = 0.0L;
    if (ovanto::TryParseFloat(text, number)) check(std::isfinite(number));
    int integer = 0;
    (void)ovanto::TryParseInt(text, integer);

    ovanto::CompiledFormula program;
    if (ovanto::CompileFormula(text, program)) {
        ovanto::SeedRandom(size);
        long double value = 1.0L;
        const bool ok = ovanto::RunFormula(program, table, true, value);
        check(std::isfinite(value));
        check(ok || value == 0.0L);
        const ovanto::CompiledFormula copy = program;
        ovanto::SeedRandom(size);
        long double again = 1.0L;
        ovanto::RunFormula(copy, table, false, again);
        check(ok ? std::memcmp(&value, &again, 10) == 0 : again == 0.0L);
    } else {
        check(program.empty());
        check(ovanto::LastFormulaError() != 0);
    }

    ovanto::SeedRandom(size);
    const long double plain = ovanto::Evaluate(text, table);
    const int plainError = ovanto::LastFormulaError();
    check(std::isfinite(plain));
    ovanto::SeedRandom(size);
    const ovanto::PropertyText cached{std::string(text)};
    const long double fast = cached.evaluate(table);
    check(std::memcmp(&plain, &fast, 10) == 0);
    check(ovanto::LastFormulaError() == plainError);
    return 0;
}
