#pragma once
// What a recorded report cell shows, for the writers' tests.

#include <cstdio>
#include <string>

#include "platform/workbook/recording_sheet.h"

namespace rg::test {

// The cell as a spreadsheet shows it under General: a text as written, a
// number with its fixed decimals or in its shortest form; "-" when never written.
inline std::string shown(const workbook::RecordingSheet& sheet, int row, int col) {
  const auto* cell = sheet.find(row, col);
  if (cell == nullptr) return "-";
  if (cell->kind == workbook::RecordingSheet::Kind::Number && cell->decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", *cell->decimals, cell->number);
    return text;
  }
  return sheet.text(row, col);
}

}  // namespace rg::test
