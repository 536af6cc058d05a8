#pragma once

#include <stdexcept>
#include <string>

namespace ovanto {

// Raised by the number parser, the validators, strict integer fields and the
// checked formatter. The message is UTF-8 and may be shown to the user as is.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ovanto
