#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace rg::text {

namespace {

// What a copied spreadsheet cell carries around its text counts as blank too.
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

struct Pattern {
  int int_digits = 1;  // '0' placeholders before the decimal point
  int decimals = 0;    // placeholders after it
};

Pattern parse_pattern(std::string_view pattern) {
  Pattern p;
  p.int_digits = 0;
  const auto dot = pattern.find('.');
  const std::string_view head = pattern.substr(0, dot);
  for (char c : head) {
    if (c == '0') ++p.int_digits;
  }
  if (dot != std::string_view::npos) {
    for (char c : pattern.substr(dot + 1)) {
      if (c == '0' || c == '#') ++p.decimals;
    }
  }
  return p;
}

// Adds one to a string of decimal digits, growing it on a carry out.
void increment(std::string& digits) {
  for (auto i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

// A finite nonzero value's significant decimal digits (no trailing zeros
// once shortest) and the power of ten of the first one.
struct Decimal {
  char digits[20];
  int digit_count = 0;
  int exponent = 0;
};

// Reads the scientific text to_chars wrote: [-]d[.ddd]e(+|-)xx.
Decimal read_scientific(const char* first, const char* last) {
  Decimal d;
  const char* c = first;
  if (*c == '-') ++c;
  for (; c != last && *c != 'e'; ++c) {
    if (is_digit(*c)) d.digits[d.digit_count++] = *c;
  }
  ++c;  // 'e'
  if (c != last && *c == '+') ++c;
  std::from_chars(c, last, d.exponent);
  return d;
}

// The fewest digits that read back to v.
Decimal shortest_decimal(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  return read_scientific(buf, r.ptr);
}

// v rounded to the given number of significant digits (at most 17).
Decimal rounded_decimal(double v, int significant) {
  char buf[40];
  const auto r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
  return read_scientific(buf, r.ptr);
}

Decimal without_trailing_zeros(Decimal d) {
  while (d.digit_count > 1 && d.digits[d.digit_count - 1] == '0') --d.digit_count;
  return d;
}

// Below the normal range a double holds fewer digits than 15, and the text is
// the value rounded to 15 significant digits as long as that reads back.
Decimal subnormal_decimal(double v) {
  for (int significant = 15;; ++significant) {
    char buf[40];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
    double back = 0.0;
    std::from_chars(buf, r.ptr, back, std::chars_format::scientific);
    if (back == v || significant == 17) return without_trailing_zeros(read_scientific(buf, r.ptr));
  }
}

bool is_power_of_two(double v) {
  int exponent = 0;
  return std::fabs(std::frexp(v, &exponent)) == 0.5;
}

// Written as "d.dddE+xx", at least two exponent digits.
std::string scientific_text(bool negative, const Decimal& d) {
  std::string out;
  if (negative) out.push_back('-');
  out.push_back(d.digits[0]);
  if (d.digit_count > 1) {
    out.push_back('.');
    out.append(d.digits + 1, static_cast<std::size_t>(d.digit_count - 1));
  }
  out.push_back('E');
  out.push_back(d.exponent < 0 ? '-' : '+');
  const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
  if (magnitude < 10) out.push_back('0');
  char exp[8];
  const auto r = std::to_chars(exp, exp + sizeof exp, magnitude);
  out.append(exp, r.ptr);
  return out;
}

// Written with a decimal point where needed, no exponent, no trailing zeros.
std::string fixed_text(bool negative, const Decimal& d) {
  std::string out;
  if (negative) out.push_back('-');
  const std::string_view digits(d.digits, static_cast<std::size_t>(d.digit_count));
  if (d.exponent < 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out.append(digits);
    return out;
  }
  const auto int_len = static_cast<std::size_t>(d.exponent + 1);
  if (digits.size() <= int_len) {
    out.append(digits);
    out.append(int_len - digits.size(), '0');
  } else {
    out.append(digits.substr(0, int_len));
    out.push_back('.');
    out.append(digits.substr(int_len));
  }
  return out;
}

}  // namespace

namespace {

std::string_view trimmed(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string trim(std::string_view s) { return std::string(trimmed(s)); }

std::string one_line(std::string_view s) {
  std::string out;
  bool joined = false;  // inside a run of tabs and line ends
  for (char c : trimmed(s)) {
    if (c != ' ' && is_blank(c)) {
      if (!joined) out += ' ';
      joined = true;
      continue;
    }
    joined = false;
    out += c;
  }
  return out;
}

std::string quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) out += is_blank(c) ? ' ' : c;
  return out + "\"";
}

std::optional<double> parse_number(std::string_view s) {
  const std::string_view t = trimmed(s);
  std::size_t i = 0;
  const std::size_t n = t.size();
  bool negative = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    negative = t[i] == '-';
    ++i;
  }
  const std::size_t body = i;
  std::size_t mantissa_digits = 0;
  while (i < n && is_digit(t[i])) {
    ++i;
    ++mantissa_digits;
  }
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && is_digit(t[i])) {
      ++i;
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (t[j] == '+' || t[j] == '-')) ++j;
    const std::size_t exp_start = j;
    while (j < n && is_digit(t[j])) ++j;
    if (j == exp_start) return std::nullopt;
    i = j;
  }
  if (i != n) return std::nullopt;

  double value = 0.0;
  const char* first = t.data() + body;
  const char* last = t.data() + n;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

bool is_number(std::string_view s) { return parse_number(s).has_value(); }

std::string plain_text(double v) {
  if (!std::isfinite(v)) return "";
  if (v == 0.0) return "0";

  Decimal d = std::fabs(v) < std::numeric_limits<double>::min() ? subnormal_decimal(v)
                                                                 : shortest_decimal(v);
  // The text reads as the value rounded to 15 significant digits if that reads
  // back, else to 16, else to 17. The shortest round-trip digits are those
  // digits, with one exception: at a power of two the gap below the value is
  // half the gap above, and the shortest 16 digits may lie above where the
  // nearest 16 do not read back; 17 digits are written then.
  if (d.digit_count == 16 && is_power_of_two(v)) {
    const Decimal nearest16 = rounded_decimal(v, 16);
    if (std::string_view(nearest16.digits, 16) != std::string_view(d.digits, 16)) {
      d = without_trailing_zeros(rounded_decimal(v, 17));
    }
  }
  const int precision = d.digit_count > 15 ? d.digit_count : 15;
  return d.exponent < -4 || d.exponent >= precision ? scientific_text(v < 0, d)
                                                    : fixed_text(v < 0, d);
}

std::string decimal_text(double v) {
  if (!std::isfinite(v)) return "";
  if (v == 0.0) return "0";
  return fixed_text(v < 0, without_trailing_zeros(rounded_decimal(v, 15)));
}

std::string format_number(double v, std::string_view pattern) {
  if (!std::isfinite(v)) return "";
  const Pattern p = parse_pattern(pattern);

  // The value as a string of 15 significant digits and its decimal exponent.
  const Decimal d = rounded_decimal(v, 15);
  const std::string digits(d.digits, static_cast<std::size_t>(d.digit_count));
  const int exponent = d.exponent;

  // Keep the digits down to the last decimal place of the pattern, rounding half
  // away from zero on the first digit dropped.
  const int keep = exponent + 1 + p.decimals;
  std::string kept;
  if (keep >= static_cast<int>(digits.size())) {
    kept = digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
  } else if (keep < 0) {
    kept = "0";
  } else {
    kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') increment(kept);
    if (kept.empty()) kept = "0";
  }
  // kept now holds the value times 10^decimals as an integer.
  const std::size_t width = static_cast<std::size_t>(p.decimals + p.int_digits);
  if (kept.size() < width) kept.insert(0, width - kept.size(), '0');
  const std::size_t int_len = kept.size() - static_cast<std::size_t>(p.decimals);

  std::string out;
  const bool all_zero = kept.find_first_not_of('0') == std::string::npos;
  if (v < 0 && !all_zero) out.push_back('-');
  out.append(kept, 0, int_len);
  if (p.decimals > 0) {
    out.push_back('.');
    out.append(kept, int_len, std::string::npos);
  }
  return out;
}

std::string format_text(std::string_view text, std::string_view pattern) {
  const auto value = parse_number(text);
  if (!value) return std::string(text);
  return format_number(*value, pattern);
}

}  // namespace rg::text
