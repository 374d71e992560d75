#pragma once
// One worksheet as the report writers see it: cells addressed (row, column), both
// counted from 1, written as text, number or date and read back as text. The
// writers only know this interface, so their logic runs against a RecordingSheet
// in tests and against a real .xlsx sheet in the program.

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rg::workbook {

// Every failure of the workbook layer: a sentence a user can read in a message
// box, naming the file concerned.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& description) : std::runtime_error(description) {}
  std::string description() const { return what(); }
};

class Sheet {
 public:
  virtual ~Sheet() = default;

  // A text is always stored as text: "=1+2" is no formula and "007" no number.
  // An empty text leaves the cell without a value (its formatting stays).
  virtual void set_text(int row, int col, std::string_view text) = 0;
  // A number shown in the cell's own format. Not-a-number and infinities are
  // refused (Error): no spreadsheet cell can hold them.
  virtual void set_number(int row, int col, double value) = 0;
  // A number shown with exactly `decimals` (0 to 30) decimals; the cell keeps
  // its font, borders, fill and alignment.
  virtual void set_fixed(int row, int col, double value, int decimals) = 0;
  // A date value (a day serial), shown in the cell's own date format.
  virtual void set_date(int row, int col, std::chrono::year_month_day day) = 0;

  // What the cell holds, as text: a text as written, a number or a date serial in
  // its shortest exact form ("15", "0.32", "45000"), "" for an empty cell.
  virtual std::string text(int row, int col) const = 0;
};

// The checks and conversions both sheets share, so they read back alike.
void check_cell(int row, int col);                   // throws Error outside the sheet
void check_number(double value);                     // throws Error when not finite
void check_decimals(int decimals);                   // throws Error outside 0..30
std::string number_text(double value);               // shortest text reading back exactly
std::string cell_text(std::string_view text);        // malformed UTF-8 replaced by U+FFFD
double date_serial(std::chrono::year_month_day day);  // days since 1899-12-30

}  // namespace rg::workbook
