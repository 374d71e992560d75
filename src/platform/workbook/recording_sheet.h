#pragma once
// A sheet in memory that remembers every write: the stand-in for a workbook in
// the report writers' tests. It reads back exactly as a workbook sheet does and
// refuses what a workbook sheet refuses.

#include <map>
#include <optional>
#include <utility>

#include "platform/workbook/sheet.h"

namespace rg::workbook {

class RecordingSheet : public Sheet {
 public:
  enum class Kind { Text, Number, Date };
  struct Cell {
    Kind kind = Kind::Text;
    std::string text;              // Text: as written
    double number = 0;             // Number and Date (the day serial)
    std::optional<int> decimals;   // set_fixed only
    int writes = 0;                // how often the cell was written
  };
  using Address = std::pair<int, int>;  // (row, column)

  void set_text(int row, int col, std::string_view text) override;
  void set_number(int row, int col, double value) override;
  void set_fixed(int row, int col, double value, int decimals) override;
  void set_date(int row, int col, std::chrono::year_month_day day) override;
  std::string text(int row, int col) const override;

  // The cell as last written, or null when it never was.
  const Cell* find(int row, int col) const;
  const std::map<Address, Cell>& cells() const { return cells_; }
  void clear() { cells_.clear(); }

 private:
  Cell& write(int row, int col, Kind kind);
  std::map<Address, Cell> cells_;
};

}  // namespace rg::workbook
