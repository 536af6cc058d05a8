#pragma once

#include <string_view>

namespace ovanto {

// The 326 names a formula can read: I1..I54, CW, CH, O1..O50, C1..C20, E1..E200.
// Returns the signal table position (1..326), or 0 when the name is unknown.
// Matching ignores case; names are at most four characters long.
int LookupVariable(std::string_view name) noexcept;

// The canonical upper-case name of a position (1..326), empty otherwise.
std::string_view VariableName(int position) noexcept;

} // namespace ovanto
