#pragma once
// The land-use tables of the drainage-area dialog and the two texts that keep
// one side's rows with the inlet: AREABUFSTR (one area per row) and CBUFSTR (one
// runoff coefficient per row), each a field per row joined by ",". The Form LD
// 204 writer reads the texts with the same decoder.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rg::hydrology {

// 15 rows in projects of the current kind, 24 in shared ones.
enum class LandUseTable { Rows15, Rows24 };

LandUseTable land_use_table(bool shared_project);

struct LandUseRow {
  std::string_view heading;    // the group heading the row stands under, "" for none
  std::string_view label;
  std::string_view default_c;  // the design text of the row's C box
  std::string_view c_range;    // "lo - hi", the caption the dialog reads the bounds from
};

std::span<const LandUseRow> land_use_rows(LandUseTable table);

// Leaving a C box: the C text brought into the row's range. An empty text, one
// that is no number and one below the range become the lower bound, one above
// it the upper bound; both bounds are allowed values.
struct RunoffC {
  double c = 0.0;    // the value the row's C x A and the totals use
  std::string text;  // the box's text, "0.00"
};
RunoffC clamp_runoff_c(std::string_view c_text, std::string_view c_range);

// One side's rows as the dialog shows them: area texts ("" for none) and C texts.
struct AreaRows {
  std::vector<std::string> areas;
  std::vector<std::string> cs;
};

// No area, the default C of every row.
AreaRows default_area_rows(LandUseTable table);

struct AreaStrings {
  std::string areabufstr;
  std::string cbufstr;
};

// Both texts joined by ","; a "," inside a text is dropped.
AreaStrings encode_area_rows(const AreaRows& rows);

// The rows a side's texts hold. An empty AREABUFSTR means no saved rows: the
// defaults, no mismatch. A text whose field count differs from the table's row
// count fills the rows it has fields for (the rest keep their defaults, extra
// fields are dropped) and the mismatch is reported.
struct DecodedAreaRows {
  AreaRows rows;
  std::size_t row_count = 0;    // the table's
  std::size_t stored_rows = 0;  // the mismatching text's field count, else row_count
  bool mended_cs = false;       // set by mend_area_rows
  bool dropped_areas = false;   // set by mend_area_rows
  bool matches() const { return stored_rows == row_count; }
  // What a form shows when the texts do not match the table or were mended;
  // "" when neither.
  std::string message() const;
};
DecodedAreaRows decode_area_rows(LandUseTable table, std::string_view areabufstr, std::string_view cbufstr);

// Every row a side's texts hold, whatever table they were saved under: the
// reports show each stored sub-area, the dialog only the rows of its table.
AreaRows stored_area_rows(std::string_view areabufstr, std::string_view cbufstr);

// Stored rows made fit to show and compute, as the dialog's boxes make typed
// ones when they are left: a C outside its row's range (or no number) becomes
// the bound, shown "0.00"; an area that is negative or no number is dropped.
// What is shown is then what C x A and the totals use.
void mend_area_rows(LandUseTable table, DecodedAreaRows& stored);

}  // namespace rg::hydrology
