#include "elements/core/formula/functions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace ovanto {
namespace {

constexpr std::size_t kMaxFunctionName = 80;
constexpr std::uint64_t kDefaultSeed = 0x2545F4914F6CDD1DULL;

struct Entry {
    std::string name;
    FormulaFunction routine;
};

std::uint64_t g_randomState = kDefaultSeed;

// splitmix64: small, deterministic, good enough for animation noise.
std::uint64_t nextRandom() noexcept {
    std::uint64_t z = (g_randomState += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

long double stepOf(long double x) { return x >= 0.0L ? 1.0L : 0.0L; }
long double degreesOf(long double x) { return x * 180.0L / std::numbers::pi_v<long double>; }
long double radiansOf(long double x) { return x * std::numbers::pi_v<long double> / 180.0L; }
long double roundOf(long double x) { return std::nearbyint(x); }

long double randomOf(long double x) {
    const long double n = std::nearbyint(x);
    if (!(n > 0.0L) || std::isinf(n)) return 0.0L;
    // 63 random bits keep u * n below n even when n exceeds 2^64.
    const long double u = std::ldexp(static_cast<long double>(nextRandom() >> 1), -63);
    return std::floor(u * n);
}

struct Registry {
    std::vector<Entry> entries = {
        {"DEG", degreesOf}, {"RAD", radiansOf}, {"RANDOM", randomOf}, {"ROUND", roundOf}, {"STEP", stepOf},
    };
    static void noteLength(std::size_t length) {
        if (length < 64) formula_detail::g_registeredLengths |= std::uint64_t{1} << length;
    }
};

Registry& registry() {
    static Registry r;
    return r;
}


bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

auto findEntry(std::vector<Entry>& entries, std::string_view name) {
    return std::lower_bound(entries.begin(), entries.end(), name,
                            [](const Entry& e, std::string_view n) { return std::string_view(e.name) < n; });
}

} // namespace

void RegisterFunction(std::string_view name, FormulaFunction routine) {
    if (routine == nullptr || name.empty() || name.size() > kMaxFunctionName) return;
    if (!std::all_of(name.begin(), name.end(), isLetter)) return;
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), upper);
    Registry& r = registry();
    auto it = findEntry(r.entries, key);
    Registry::noteLength(key.size());
    if (it != r.entries.end() && it->name == key) it->routine = routine;
    else r.entries.insert(it, Entry{std::move(key), routine});
    ++formula_detail::g_registryGeneration;
}

// A scan comparing lengths first beats a binary search of string compares
// for the handful of functions there are.
FormulaFunction formula_detail::findRegistered(std::string_view upperName) noexcept {
    for (const Entry& e : registry().entries)
        if (e.name.size() == upperName.size() && std::equal(upperName.begin(), upperName.end(), e.name.begin()))
            return e.routine;
    return nullptr;
}

bool IsPureFunction(FormulaFunction routine) noexcept {
    return routine == stepOf || routine == degreesOf || routine == radiansOf || routine == roundOf;
}

void SeedRandom(std::uint64_t seed) noexcept { g_randomState = seed; }

} // namespace ovanto
