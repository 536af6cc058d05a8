#pragma once

#include <cstddef>
#include <string_view>

namespace ovanto::formula_detail {

// The plain decimal number `text` (no blanks) with its decimal separator at
// `separator` ("." is always one; npos: no other). `ok` tells success.
long double parseDecimal(std::string_view text, std::size_t separator, bool& ok) noexcept;

} // namespace ovanto::formula_detail
