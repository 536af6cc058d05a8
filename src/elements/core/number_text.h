#pragma once

#include <QString>

namespace ovanto {

// A number as people and element records see it, in the notation, width and
// precision of the family settings: notation 0 general ("g"), 1 scientific
// ("e"), 2 fixed ("f"); any other notation gives an empty text. With trim the
// blanks of the field width are removed.
QString FloatToText(long double value, bool trim = true);
QString FloatToText(long double value, bool trim, int notation, int width, int precision);

// The 23-character float form of configuration files: sign position (blank or
// "-"), one digit, ".", 14 digits, "E", exponent sign, 4 exponent digits,
// e.g. " 1.00000000000000E+0000". NaN and infinities are written " NAN",
// " INF" and "-INF", which a decimal number reader refuses.
QString FloatToFileText(long double value);

} // namespace ovanto
