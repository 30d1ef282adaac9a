// Number reading and writing shared by every part of the calculator.
// None of these functions looks at the process locale: a Qt program under a
// Russian locale switches strtod and printf to the decimal comma, while the
// field texts, files and listings follow their own fixed rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ign {

// The leading-number rule: blanks, tabs and line feeds are ignored wherever
// they stand; then a sign, digits with at most one full stop and an exponent
// (E or D) are read up to the first other character; &H and &O read unsigned
// hexadecimal and octal digits. No number gives 0. A magnitude too large for a
// double gives an infinity of the number's sign, so callers can refuse it.
double leadingNumber(std::string_view text);

// Whether `c` is a printable character the leading-number rule reads as part
// of no number: neither a digit, a sign, the full stop or a blank it skips,
// nor an exponent letter, & or a digit or letter of &H and &O. A listing
// whose decimal separator is such a character reads back unambiguously.
bool isNumberBreak(char c);

// Nearest integer, halves to even (periods, timer constants).
double roundHalfEven(double value);
// Nearest integer, halves away from zero (the "0" pattern, table bytes).
double roundHalfAway(double value);
// Halves to even, as a 32-bit integer; nothing when the value is not finite or
// does not fit.
std::optional<std::int32_t> toInt32HalfEven(double value);

// The patterns "0", "0.0" and "0.00" (and up to four digits for data files):
// `decimals` fraction digits, rounding the exact binary value halves away from
// zero. A result that rounds to zero has no minus sign.
std::string formatFixed(double value, int decimals, char decimalSeparator);
// The same, appended to `out`.
void appendFixed(std::string& out, double value, int decimals, char decimalSeparator);

// The general number format: at most 15 significant digits, no trailing zeros
// or separator, exponent form only where plain form cannot show the value.
std::string formatGeneral(double value, char decimalSeparator);

// The short decimal form of a single-precision value: 7 significant digits,
// a blank in place of the sign for zero and positive values, no 0 before the
// point (" 21.7", " .5", "-2"). Always the full stop.
std::string formatShort(float value);

// Upper-case hexadecimal without leading zeros.
std::string hexUpper(std::uint32_t value);

}  // namespace ign
