#include "reports/report_cells.h"

#include <cctype>

#include "hydraulics/coefficients.h"
#include "platform/text/number_text.h"
#include "platform/workbook/sheet.h"

namespace rg::reports {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one inner point, an optional leading minus, no leading
// zero before another digit: the decimals it has, or nothing.
std::optional<int> plain_decimals(std::string_view t) {
  std::size_t i = t.starts_with('-') ? 1 : 0;
  const std::size_t int_start = i;
  while (i < t.size() && is_digit(t[i])) ++i;
  const std::size_t int_digits = i - int_start;
  if (int_digits == 0 || (int_digits > 1 && t[int_start] == '0')) return std::nullopt;
  int decimals = 0;
  if (i < t.size()) {
    if (t[i] != '.') return std::nullopt;
    ++i;
    while (i < t.size() && is_digit(t[i])) ++i, ++decimals;
    if (decimals == 0 || i != t.size()) return std::nullopt;
  }
  // A double keeps 15 significant digits exactly.
  std::size_t significant = 0;
  bool leading = true;
  for (char c : t) {
    if (!is_digit(c) || (leading && c == '0')) continue;
    leading = false;
    ++significant;
  }
  if (significant > 15) return std::nullopt;
  return decimals;
}

}  // namespace

void put_text(workbook::Sheet& sheet, int row, int col, std::string_view text) {
  if (const auto decimals = plain_decimals(text)) {
    const double value = *text::parse_number(text);
    // Minus zero would show without its sign.
    if (!(value == 0 && text.starts_with('-'))) return sheet.set_fixed(row, col, value, *decimals);
  }
  sheet.set_text(row, col, text);
}

std::optional<double> put_number(workbook::Sheet& sheet, int row, int col, double value, std::string_view pattern) {
  const std::string shown = text::format_number(value, pattern);
  const std::optional<double> number = text::parse_number(shown);
  if (!number) {
    sheet.set_text(row, col, "");
    return std::nullopt;
  }
  const std::size_t point = shown.find('.');
  sheet.set_fixed(row, col, *number, point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1));
  return number;
}

std::optional<double> number_of(std::string_view text) { return text::parse_number(text); }

std::optional<double> number_or_zero(std::string_view text) {
  return text.empty() ? std::optional<double>(0.0) : number_of(text);
}

std::optional<double> ratio(std::optional<double> a, std::optional<double> b) {
  if (!a || !b || *b == 0) return std::nullopt;
  return *a / *b;
}

std::optional<double> total_depression(std::string_view localdep, std::string_view gutxslope,
                                       std::string_view pavxslope, std::string_view gutwidth,
                                       std::string_view unit_system) {
  const auto a = number_of(localdep), sw = number_of(gutxslope), sx = number_of(pavxslope), w = number_of(gutwidth);
  if (!a || !sw || !sx || !w) return std::nullopt;
  return *a + small_units_per_length(unit_system) * (*sw - *sx) * *w;
}

double small_units_per_length(std::string_view unit_system) {
  return hyd::unit_length_values.pick(hyd::is_english(unit_system));
}

const char* spread_unit(std::string_view unit_system) { return hyd::is_english(unit_system) ? " ft" : " m"; }

}  // namespace rg::reports
