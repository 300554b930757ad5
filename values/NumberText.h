// Text forms of the typed values kept in configuration lines: how numbers are written, and how
// integers, numbers and Booleans are read back. The decimal separator is passed in, so callers
// decide whose regional settings apply.
//
// The Try readers return nothing when the text does not read; the Strict readers raise
// EConvertError with the system's message instead. Lenient reading is Try...value_or(0).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// value rounded once, half away from zero, from its exact binary value to significantDigits
// significant digits and at most 18 decimals; written with all integer digits, the separator
// and exactly 18 decimals ("2.500000000000000000", "-0.333333333300000000"). When the rounded
// value has more integer digits than significantDigits it is written as its significant digits
// without trailing zeros, the separator after the first digit when more follow, "E" and the
// exponent ("1.23456789E10", "1E20"). Zero, including a negative zero or a negative value that
// rounds to zero, has no sign. Non-finite values are written "NAN", "INF" and "-INF", texts
// that no reader takes for a number.
std::string FixedNumberText(double value, int significantDigits, char decimalSeparator);

// "True" or "False".
std::string_view BooleanText(bool value);

// Leading spaces, then "+" or "-" and decimal digits in the signed 32-bit range, or (unsigned)
// up to eight hexadecimal digits after "$", "x", "X", "0x" or "0X" taken as the 32-bit pattern.
// Nothing may follow.
std::optional<int32_t> TryReadInteger(std::string_view text);
// Optional surrounding spaces, an optional sign, digits with at most one decimal separator
// (at least one digit in all), an optional exponent "E"/"e" with an optional sign and digits.
// A value beyond the double range does not read; one too small for it reads as zero.
std::optional<double> TryReadNumber(std::string_view text, char decimalSeparator);
// A number (true when not zero), else "True" or "False" in any letter case.
std::optional<bool> TryReadBoolean(std::string_view text, char decimalSeparator);

int32_t ReadIntegerStrict(std::string_view text);
double ReadNumberStrict(std::string_view text, char decimalSeparator);
bool ReadBooleanStrict(std::string_view text, char decimalSeparator);

}  // namespace orvo
