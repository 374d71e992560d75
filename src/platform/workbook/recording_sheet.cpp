#include "platform/workbook/recording_sheet.h"

namespace rg::workbook {

RecordingSheet::Cell& RecordingSheet::write(int row, int col, Kind kind) {
  check_cell(row, col);
  Cell& cell = cells_[{row, col}];
  const int writes = cell.writes;
  cell = Cell{};
  cell.kind = kind;
  cell.writes = writes + 1;
  return cell;
}

void RecordingSheet::set_text(int row, int col, std::string_view text) {
  write(row, col, Kind::Text).text = cell_text(text);
}

void RecordingSheet::set_number(int row, int col, double value) {
  check_number(value);
  write(row, col, Kind::Number).number = value;
}

void RecordingSheet::set_fixed(int row, int col, double value, int decimals) {
  check_number(value);
  check_decimals(decimals);
  Cell& cell = write(row, col, Kind::Number);
  cell.number = value;
  cell.decimals = decimals;
}

void RecordingSheet::set_date(int row, int col, std::chrono::year_month_day day) {
  const double serial = date_serial(day);
  write(row, col, Kind::Date).number = serial;
}

std::string RecordingSheet::text(int row, int col) const {
  check_cell(row, col);
  const Cell* cell = find(row, col);
  if (!cell) return "";
  return cell->kind == Kind::Text ? cell->text : number_text(cell->number);
}

const RecordingSheet::Cell* RecordingSheet::find(int row, int col) const {
  const auto it = cells_.find({row, col});
  return it == cells_.end() ? nullptr : &it->second;
}

}  // namespace rg::workbook
