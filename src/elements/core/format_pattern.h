#pragma once

#include <QString>
#include <QtGlobal>

namespace ovanto {

// The checked formatter for user-written patterns with exactly one argument.
//
// A pattern is literal text, "%%" for a percent sign, and at most one
// specifier %[-][width][.precision]type. Integer types: d (decimal; the
// precision is the minimum digit count), u (unsigned 64-bit), x (hexadecimal,
// upper-case digits). Float types: f (precision digits after the point,
// default 2), e (one digit, precision - 1 after the point, default 15,
// exponent "E" + sign + at least 3 digits), g (at most precision significant
// digits, default 15; fixed while -5 <= exponent < precision, otherwise like
// e; no trailing zeros), n (like f with "," between thousands), m (like n,
// followed by " €"). Type letters may be upper case. Width pads with blanks on
// the left, or on the right after "-". The decimal separator is always ".".
// Rounding is to nearest with ties to even on the exact binary value; a
// result that rounds to zero carries no minus sign. Infinite and NaN values
// are written "INF", "-INF" and "NAN".
//
// Throws ConversionError (German message) when the argument does not fit the
// specifier, for "*", %s, %p, %c and unknown letters, for a second specifier,
// for an incomplete specifier at the end, and for a width above
// kMaxFormatWidth or a precision above kMaxFormatPrecision. A pattern without
// a specifier is returned with "%%" collapsed and the argument unused.
QString FormatValue(const QString& pattern, long double value);
QString FormatValue(const QString& pattern, qint64 value);
// Plain int and double arguments would be ambiguous between the two above.
inline QString FormatValue(const QString& pattern, int value) {
    return FormatValue(pattern, qint64{value});
}
inline QString FormatValue(const QString& pattern, double value) {
    return FormatValue(pattern, static_cast<long double>(value));
}

inline constexpr int kMaxFormatWidth = 4096;
inline constexpr int kMaxFormatPrecision = 64;

// True when the part of pattern from its first "%" up to the first blank
// after it contains a "d": such patterns are fed the rounded value.
bool PatternTakesInteger(const QString& pattern);

// The rule of the number displays: the value goes in as an integer rounded
// half to even when PatternTakesInteger, otherwise as a float. Throws
// ConversionError also when the rounded value does not fit 64 bits.
QString FormatNumberValue(const QString& pattern, long double value);

// One float conversion with fields the caller already holds (type one of
// e f g n m, either case). Width and precision are clamped to the limits; a
// negative width aligns left, a negative precision means the type's default.
// Never throws; an unknown type gives an empty text.
QString FormatFloatField(long double value, char type, int width, int precision);

} // namespace ovanto
