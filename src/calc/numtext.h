#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers travel as text. These are the program's three rules for turning a
// field's text into a number and back. None of them depends on the C
// library's locale; the decimal separator of the user's regional settings is
// passed in.
namespace calc {

// Strict reading: a decimal number written with the given decimal separator,
// an optional sign, and spaces around it. Digits and at most one separator;
// no thousands separators, no exponent, no "inf" or "nan". Returns nothing
// for an empty or non-numeric text.
std::optional<double> strictRead(std::string_view text, std::string_view decimalSeparator);

// Leading-number reading: spaces skipped, an optional sign, then digits with a
// full stop as the only decimal point, whatever the regional settings.
// Reading stops at the first other character; no leading number reads as 0.
double leadingNumber(std::string_view text);

// General decimal text: at most 15 significant digits, trailing zeros dropped,
// no thousands separators, no leading space, a minus sign for negatives, and
// the given decimal separator. Very large and very small magnitudes take the
// exponent form (1E+15, 1E-05). A value that is not finite gives "".
std::string generalText(double value, std::string_view decimalSeparator);

} // namespace calc
