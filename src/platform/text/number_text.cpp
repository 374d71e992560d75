#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rg::text {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
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

}  // namespace

std::string trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::optional<double> parse_number(std::string_view s) {
  const std::string t = trim(s);
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
  if (v == 0.0) return "0";
  if (!std::isfinite(v)) return std::isnan(v) ? "NaN" : (v > 0 ? "Infinity" : "-Infinity");
  char buf[64];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  std::string s(buf);
  const auto e = s.find('e');
  if (e != std::string::npos) s[e] = 'E';
  return s;
}

std::string format_number(double v, std::string_view pattern) {
  if (!std::isfinite(v)) return plain_text(v);
  const Pattern p = parse_pattern(pattern);

  // The value as a string of 15 significant digits and its decimal exponent.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
  std::string digits;
  const char* c = buf;
  for (; *c != 'e'; ++c) {
    if (is_digit(*c)) digits.push_back(*c);
  }
  const int exponent = std::atoi(c + 1);

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
