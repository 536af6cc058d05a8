#pragma once

#include <string_view>

namespace ovanto {

// Plain decimal numbers as property texts hold them: optional blanks around,
// optional sign, digits with at most one ".", optional exponent. A text that
// fails is tried once more with its first "," read as ".", so "1,5" is 1.5.
// Values that overflow the extended range are failures.
bool TryParseFloat(std::string_view text, long double& value) noexcept;
long double ParseFloat(std::string_view text); // throws ConversionError

// Optional blanks, optional sign and decimal digits that fit a 32-bit int.
bool TryParseInt(std::string_view text, int& value) noexcept;
int ParseInt(std::string_view text); // throws ConversionError

} // namespace ovanto
