#pragma once

#include <cstdint>
#include <string_view>

namespace ovanto {

using FormulaFunction = long double (*)(long double);

namespace formula_detail {
inline unsigned g_registryGeneration = 0;
// Bit n set: some registered name has n letters (names of 64 letters and
// more are always searched). Most names in formulas are variables and skip
// the search. Starts with the lengths of Step, Deg, Rad, Round and Random,
// constant so that it holds before any static initialiser runs.
inline std::uint64_t g_registeredLengths = 0x78;
FormulaFunction findRegistered(std::string_view upperName) noexcept;
} // namespace formula_detail

// Adds a single-argument function that formulas call by name. The name is
// upper-cased; names that are empty, longer than 80 characters or hold
// anything but letters could never be written in a formula and are ignored.
// Registering a name again replaces its routine. Step, Deg, Rad, Round and
// Random are there from the start.
void RegisterFunction(std::string_view name, FormulaFunction routine);

// The routine registered under an upper-case name, or nullptr.
inline FormulaFunction FindFunction(std::string_view upperName) noexcept {
    if (upperName.size() < 64 && !(formula_detail::g_registeredLengths >> upperName.size() & 1U)) return nullptr;
    return formula_detail::findRegistered(upperName);
}

// Changes whenever the registry changes, so cached programs know to recompile.
inline unsigned FunctionRegistryGeneration() noexcept { return formula_detail::g_registryGeneration; }

// True for the built-in functions whose result depends on their argument
// alone; Random and anything registered later may not.
bool IsPureFunction(FormulaFunction routine) noexcept;

// Random draws from one process-wide generator; tests reseed it.
void SeedRandom(std::uint64_t seed) noexcept;

} // namespace ovanto
