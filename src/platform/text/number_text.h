#pragma once
// The number rules every form and computation share: what counts as a number in
// a box, how a computed number is written before formatting, and the display
// patterns ("0.000", "#0.0000", ...) with their rounding.
//
// No formatter writes a value that is not finite: each gives "" for it, so no
// box ever shows "Infinity" or "NaN". The step that meets such a value says
// what overflowed.

#include <optional>
#include <string>
#include <string_view>

namespace rg::text {

// White space at either end removed: blanks, tabs and line ends.
std::string trim(std::string_view s);

// A text as a one-line box takes it when pasted: white space around it
// dropped (a copied spreadsheet cell ends with a line end), and each run of
// tabs and line ends inside it one blank.
std::string one_line(std::string_view s);

// A text as a message quotes it: between double quotes, on one line (each
// line end or tab inside shows as a blank).
std::string quoted(std::string_view s);

// Locale-free: optional sign, digits with at most one decimal point, optional
// exponent; white space around it is allowed. "", ".", "-", "1,5" and "abc" are not
// numbers. Values too large for a double are not numbers either.
std::optional<double> parse_number(std::string_view s);
bool is_number(std::string_view s);

// The plain text of a computed value, as a computation writes it into a box
// before the results are formatted: up to 15 significant digits where that reads
// back exactly, otherwise as many as needed to read back to the same double.
std::string plain_text(double v);

// The shortest text of a value rounded to 15 significant digits, never with an
// exponent: 0.8 x 1.5 gives "1.2", 0.0001 x 0.05 "0.000005", 1E+20 a 1 and
// twenty zeros.
std::string decimal_text(double v);

// Formats with a display pattern such as "0.000", "#0.000", "0.0000", "#0.0000",
// "0.00", "0.0" or "0". Rounding is half away from zero on the decimal digits of
// the value as shown to 15 significant digits, so 0.0625 gives "0.063" and 2.675
// gives "2.68" with "0.00".
std::string format_number(double v, std::string_view pattern);

// Formats a box's text: a number is formatted with the pattern, any other text
// comes back unchanged.
std::string format_text(std::string_view text, std::string_view pattern);

}  // namespace rg::text
