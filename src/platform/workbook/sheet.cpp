#include "platform/workbook/sheet.h"

#include <charconv>
#include <cmath>

namespace rg::workbook {

namespace {
constexpr int max_row = 1048576;
constexpr int max_col = 16384;

// The length of the well-formed UTF-8 sequence at text[i], 0 when it is malformed.
std::size_t sequence_length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length <= 1) return length;
  if (i + length > text.size()) return 0;
  char32_t cp = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}
}  // namespace

void check_cell(int row, int col) {
  if (row < 1 || row > max_row || col < 1 || col > max_col) {
    throw Error("The cell (" + std::to_string(row) + ", " + std::to_string(col) +
                ") lies outside a worksheet.");
  }
}

void check_number(double value) {
  if (!std::isfinite(value)) throw Error("A cell cannot hold an infinite or undefined number.");
}

void check_decimals(int decimals) {
  if (decimals < 0 || decimals > 30) {
    throw Error("A cell cannot show " + std::to_string(decimals) + " decimals.");
  }
}

std::string number_text(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string cell_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t length = sequence_length(text, i)) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

double date_serial(std::chrono::year_month_day day) {
  using namespace std::chrono;
  if (!day.ok()) throw Error("A cell cannot hold a date that does not exist.");
  return static_cast<double>((sys_days(day) - sys_days(year(1899) / December / 30)).count());
}

}  // namespace rg::workbook
