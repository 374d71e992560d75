// Writes the two report templates that ship beside the program:
//
//   rg_make_templates <output folder>
//
// LD_204.xlsr, the agency's inlet computation form (one block of rows per inlet
// from row 5 down, landscape), and INLET_REPORT.xlsr, the one-page report of one
// inlet. The program fills a copy of each; every cell it fills is laid out here
// with its format, beside its label. Rows and columns below are counted from 1,
// as the report writers count them.

#include <xlsxwriter.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/workbook/replace_file.h"

namespace fs = std::filesystem;

namespace {

void check(lxw_error error, const char* what) {
  if (error != LXW_NO_ERROR) throw std::runtime_error(std::string(what) + ": " + lxw_strerror(error));
}

// A sheet addressed from 1, as the writers address it.
struct Sheet {
  lxw_worksheet* ws;

  void text(int row, int col, const std::string& text, lxw_format* format) {
    check(worksheet_write_string(ws, row - 1, col - 1, text.c_str(), format), "write");
  }
  void blank(int row, int col, lxw_format* format) {
    check(worksheet_write_blank(ws, row - 1, col - 1, format), "write");
  }
  // A merged range shows its top-left cell, the one a writer fills.
  void merge(int row, int col, int last_col, const std::string& text, lxw_format* format) {
    if (last_col == col) return this->text(row, col, text, format);
    check(worksheet_merge_range(ws, row - 1, col - 1, row - 1, last_col - 1, text.c_str(), format), "merge");
  }
  void width(int first, int last, double width, lxw_format* format = nullptr) {
    check(worksheet_set_column(ws, first - 1, last - 1, width, format), "column");
  }
  void height(int row, double height) { check(worksheet_set_row(ws, row - 1, height, nullptr), "row"); }
};

struct Formats {
  lxw_workbook* wb;
  lxw_format* make(void (*setup)(lxw_format*)) {
    lxw_format* format = workbook_add_format(wb);
    format_set_font_name(format, "Arial");
    format_set_font_size(format, 9);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    setup(format);
    return format;
  }
};

lxw_workbook* new_workbook(const fs::path& file, std::string title) {
  lxw_workbook* wb = workbook_new(file.c_str());
  if (!wb) throw std::runtime_error("cannot create " + file.string());
  // A fixed date keeps the templates identical from one build to the next.
  std::string company = "DOVI";
  lxw_doc_properties properties{};
  properties.title = title.data();  // copied by the library
  properties.company = company.data();
  properties.created = 1704067200;  // 2024-01-01
  check(workbook_set_properties(wb, &properties), "properties");
  return wb;
}

// ---------------------------------------------------------------------------------
// Form LD 204: rows 1 and 2 hold the project header, rows 3 and 4 the column
// headings; an inlet's rows begin at row 5.

struct Column {
  const char* heading;
  const char* unit;  // English / metric
  double width;
  const char* number_format;  // "" for General
};

const std::vector<Column> ld204_columns = {
    {"INLET NO.", "", 8, ""},                          // 1
    {"INLET STD.", "", 8, ""},                         // 2
    {"LENGTH L", "ft / m", 8, ""},                     // 3
    {"STATION / OFFSET", "ft / m", 15, ""},            // 4
    {"DRAINAGE AREA A", "ac / ha", 8, ""},             // 5
    {"RUNOFF COEF. C", "", 7, ""},                     // 6
    {"C x A", "ac / ha", 7, "0.000"},                  // 7
    {"\xCE\xA3 CA", "ac / ha", 7, "0.000"},            // 8
    {"INTENSITY I", "in/hr / mm/hr", 8, "0.000"},      // 9
    {"Q", "cfs / cms", 7, "0.000"},                    // 10
    {"CARRY-OVER Q", "cfs / cms", 8, "0.000"},         // 11
    {"TOTAL Q", "cfs / cms", 7, ""},                   // 12
    {"LONG. SLOPE S", "ft/ft / m/m", 8, ""},           // 13
    {"CROSS SLOPE Sx", "ft/ft / m/m", 8, ""},          // 14
    {"SPREAD T", "ft / m", 7, ""},                     // 15
    {"GUTTER WIDTH W", "ft / m", 7, ""},               // 16
    {"W/T", "", 7, "0.000"},                           // 17
    {"GUTTER SLOPE Sw", "ft/ft / m/m", 8, ""},         // 18
    {"Sw/Sx", "", 7, "0.000"},                         // 19
    {"Eo", "", 7, ""},                                 // 20
    {"DEPR. a", "in / mm", 7, ""},                     // 21
    {"S'w", "ft/ft / m/m", 7, ""},                     // 22
    {"Se", "ft/ft / m/m", 7, ""},                      // 23
    {"LT", "ft / m", 7, ""},                           // 24
    {"L", "ft / m", 7, ""},                            // 25
    {"L/LT", "", 7, ""},                               // 26
    {"EFF. E", "", 7, ""},                             // 27
    {"Qi", "cfs / cms", 7, ""},                        // 28
    {"Qb", "cfs / cms", 7, ""},                        // 29
    {"DEPTH AT CURB", "in / mm\nditch: ft / mm", 10, "0.000"},  // 30
    {"d", "ft / m", 7, ""},                            // 31
    {"h", "ft / m", 7, ""},                            // 32
    {"d/h", "", 7, ""},                                // 33
    {"DEPTH AT INLET", "in / mm", 8, ""},              // 34
    {"SPREAD AT INLET", "ft / m", 8, ""},              // 35
    {"REMARKS", "", 20, ""},                           // 36
};

void write_ld204(const fs::path& file) {
  lxw_workbook* wb = new_workbook(file, "Form LD 204");
  Formats f{wb};
  lxw_format* title = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_font_size(x, 14);
  });
  lxw_format* label = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_align(x, LXW_ALIGN_RIGHT);
  });
  lxw_format* value = f.make([](lxw_format* x) {
    format_set_bottom(x, LXW_BORDER_THIN);
    format_set_font_size(x, 10);
  });
  lxw_format* heading = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_border(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_CENTER);
    format_set_text_wrap(x);
    format_set_bg_color(x, 0xD9D9D9);
  });
  lxw_format* unit = f.make([](lxw_format* x) {
    format_set_italic(x);
    format_set_font_size(x, 8);
    format_set_border(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_CENTER);
    format_set_text_wrap(x);
  });

  lxw_worksheet* ws = workbook_add_worksheet(wb, "LD 204");
  Sheet s{ws};
  // The inlet rows take their look from the columns, however many inlets follow.
  for (int col = 1; col <= static_cast<int>(ld204_columns.size()); ++col) {
    const Column& c = ld204_columns[col - 1];
    lxw_format* data = workbook_add_format(wb);
    format_set_font_name(data, "Arial");
    format_set_font_size(data, 9);
    format_set_left(data, LXW_BORDER_THIN);
    format_set_right(data, LXW_BORDER_THIN);
    format_set_align(data, col == 4 || col == 36 ? LXW_ALIGN_LEFT : LXW_ALIGN_CENTER);
    if (*c.number_format) format_set_num_format(data, c.number_format);
    s.width(col, col, c.width, data);
    s.text(3, col, c.heading, heading);
    s.text(4, col, c.unit, unit);
  }

  // Header: road at (1,3), project at (1,12), designer at (1,28), units at (2,34).
  s.merge(1, 1, 2, "ROADWAY:", label);
  s.merge(1, 3, 9, "", value);
  s.merge(1, 10, 11, "PROJECT:", label);
  s.merge(1, 12, 24, "", value);
  s.merge(1, 25, 27, "DESIGNED BY:", label);
  s.merge(1, 28, 36, "", value);
  s.merge(2, 1, 31, "DOVI  FORM LD 204   STORM DRAIN INLET DESIGN COMPUTATIONS", title);
  s.merge(2, 32, 33, "UNITS:", label);
  s.merge(2, 34, 36, "", value);
  s.height(1, 18);
  s.height(2, 22);
  s.height(3, 36);
  s.height(4, 22);

  worksheet_set_landscape(ws);
  worksheet_set_paper(ws, 3);  // Tabloid, 11 x 17 in
  worksheet_set_margins(ws, 0.4, 0.4, 0.5, 0.6);
  worksheet_fit_to_pages(ws, 1, 0);
  check(worksheet_repeat_rows(ws, 0, 3), "repeat rows");
  check(worksheet_print_area(ws, 0, 0, LXW_ROW_MAX - 1, 35), "print area");  // columns A:AJ
  check(worksheet_set_footer(ws, "&LForm LD 204&RPage &P of &N"), "footer");
  worksheet_freeze_panes(ws, 4, 0);
  check(workbook_close(wb), "close");
}

// ---------------------------------------------------------------------------------
// The Inlet Report: one page, columns A to J. Labels stand left of the cells
// the program fills: header (rows 1 to 5), identification (8 to 11), flow data
// (15 to 20), gutter and inlet data (24 to 31) and results (34 to 43).
//
// A label names its units as "{English|metric}". Such a label is a formula on
// the UNITS cell (J1) that the program fills, so one template shows the units
// of either system; the spreadsheet program works it out when it opens the
// report. The program's own rule decides: exactly "ENGLISH" is English, any
// other text (an empty cell too, as in the template itself) metric, so the
// comparison is EXACT, not "=", which ignores case.

// The formula and its result for the template's empty UNITS cell
// ("OFFSET ({ft|m}):" gives ="OFFSET ("&IF(EXACT($J$1,"ENGLISH"),"ft","m")&"):"
// and "OFFSET (m):").
std::pair<std::string, std::string> unit_label(const std::string& text) {
  std::string formula = "=\"", metric;
  std::size_t at = 0;
  for (std::size_t open; (open = text.find('{', at)) != std::string::npos; at = text.find('}', open) + 1) {
    const std::size_t bar = text.find('|', open), close = text.find('}', open);
    const std::string before = text.substr(at, open - at), units_metric = text.substr(bar + 1, close - bar - 1);
    formula += before + "\"&IF(EXACT($J$1,\"ENGLISH\"),\"" + text.substr(open + 1, bar - open - 1) + "\",\"" +
               units_metric + "\")&\"";
    metric += before + units_metric;
  }
  return {formula + text.substr(at) + "\"", metric + text.substr(at)};
}

// A label cell, merged over its columns; one that names units is a formula.
void label(Sheet& s, int row, int col, int last_col, const std::string& text, lxw_format* format) {
  if (text.find('{') == std::string::npos) return s.merge(row, col, last_col, text, format);
  s.merge(row, col, last_col, "", format);
  const auto [formula, shown] = unit_label(text);
  check(worksheet_write_formula_str(s.ws, row - 1, col - 1, formula.c_str(), format, shown.c_str()), "formula");
}

struct Field {
  int row, col;          // the cell the program fills
  int label_col;         // where its label begins (it ends left of the cell)
  const char* label;
  int last_col;          // the filled cell may spread over columns to this one
};

const std::vector<Field> report_fields = {
    // header
    {1, 10, 8, "UNITS:", 10},
    {2, 10, 8, "DATE:", 10},
    {3, 2, 1, "PROJECT:", 6},
    {3, 10, 8, "DESIGNED BY:", 10},
    {4, 2, 1, "COUNTY:", 4},
    {4, 7, 6, "STATE:", 7},
    // identification
    {8, 2, 1, "INLET NO.:", 2},
    {8, 4, 3, "ROADWAY:", 6},
    {8, 9, 7, "STATION:", 10},
    {9, 2, 1, "INLET TYPE:", 3},
    {9, 5, 4, "LOCATION:", 6},
    {9, 9, 7, "OFFSET ({ft|m}):", 10},
    {10, 2, 1, "LENGTH ({ft|m}):", 2},
    {10, 9, 7, "OFFSET SIDE:", 10},
    {11, 2, 1, "STANDARD:", 2},
    {11, 5, 3, "ALLOWABLE SPREAD ({ft|m}):", 5},
    {11, 9, 7, "TOP ELEVATION ({ft|m}):", 10},
    // flow data, single values
    {15, 9, 7, "Storm Frequency (yr)", 10},
    {16, 9, 7, "Time of Concentration (min)", 10},
    {17, 9, 7, "Rainfall Intensity I ({in/hr|mm/hr})", 10},
    {18, 9, 7, "Carry-over into Side 1 ({cfs|cms})", 10},
    {19, 9, 7, "Carry-over into Side 2 ({cfs|cms})", 10},
    {20, 9, 7, "Total Discharge Q ({cfs|cms})", 10},
    // gutter, ditch and inlet data
    {24, 3, 1, "Longitudinal Slope S ({ft/ft|m/m})", 3},
    {24, 9, 7, "Total Depression a ({in|mm})", 10},
    {25, 3, 1, "Pavement Cross Slope Sx ({ft/ft|m/m})", 3},
    {25, 9, 7, "Width of Local Depression ({ft|m})", 10},
    {26, 3, 1, "Gutter Width W / Ditch Bottom Width ({ft|m})", 3},
    {26, 9, 7, "Manning's n", 10},
    {27, 3, 1, "Gutter Cross Slope Sw ({ft/ft|m/m}) / Ditch Right Side Slope (H:V)", 3},
    {27, 9, 7, "Grate Length ({ft|m})", 10},
    {28, 3, 1, "Curb Opening Height / Slot Width ({in|mm}) / Ditch Left Side Slope (H:V)", 3},
    {28, 6, 4, "Curb Option", 6},
    {28, 9, 7, "Grate Width ({ft|m})", 10},
    {29, 3, 1, "Grate Type", 3},
    {29, 9, 7, "Curb Opening Upstream of Grate / Grate Perimeter ({ft|m})", 10},
    {30, 3, 1, "Throat Type", 3},
    {30, 9, 7, "Grate Open Area ({sf|sm})", 10},
    {31, 3, 1, "Throat Angle (degrees)", 3},
    {31, 9, 7, "Grate Clogging (%)", 10},
    // results
    {34, 3, 1, "Depressed Gutter Cross Slope S'w ({ft/ft|m/m})", 3},
    {34, 9, 7, "Gutter Spread ({ft|m})", 10},
    {35, 3, 1, "Ratio W/T", 3},
    {35, 9, 7, "Depth at Curb / Depth of Water ({in|mm})", 10},
    {36, 3, 1, "Equivalent Cross Slope Se ({ft/ft|m/m})", 3},
    {36, 9, 7, "Frontal Flow Ratio Eo", 10},
    {37, 3, 1, "Flow Velocity V ({ft/sec|m/sec})", 3},
    {37, 9, 7, "Spread T / Spread at Opening ({ft|m})", 10},
    {38, 3, 1, "Interception Efficiency E", 3},
    {38, 9, 7, "Depth at Inlet ({in|mm})", 10},
    {39, 3, 1, "Frontal Flow Efficiency Rf", 3},
    {39, 9, 7, "Intercepted Flow Qi ({cfs|cms})", 10},
    {40, 3, 1, "Side Flow Efficiency Rs", 3},
    {40, 9, 7, "Bypass Flow Qb ({cfs|cms})", 10},
    {41, 3, 1, "Flow Regime", 5},
    {41, 9, 7, "Flow Intercepted by Curb Opening ({cfs|cms})", 10},
    {42, 3, 1, "Length for Total Interception LT ({ft|m})", 3},
    {42, 9, 7, "Flow Intercepted by Grate ({cfs|cms})", 10},
    {43, 9, 7, "Downstream Berm Height ({ft|m})", 10},
};

void write_inlet_report(const fs::path& file) {
  lxw_workbook* wb = new_workbook(file, "Inlet Report");
  Formats f{wb};
  lxw_format* title = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_font_size(x, 16);
  });
  lxw_format* subtitle = f.make([](lxw_format* x) { format_set_italic(x); });
  lxw_format* header_label = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_align(x, LXW_ALIGN_RIGHT);
  });
  lxw_format* label_format = f.make([](lxw_format* x) {
    format_set_text_wrap(x);
    format_set_indent(x, 1);
  });
  lxw_format* value = f.make([](lxw_format* x) {
    format_set_bottom(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_LEFT);
    format_set_font_size(x, 10);
  });
  lxw_format* date = f.make([](lxw_format* x) {
    format_set_bottom(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_LEFT);
    format_set_font_size(x, 10);
    format_set_num_format(x, "mm/dd/yyyy");
  });
  lxw_format* section = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_font_size(x, 10);
    format_set_bg_color(x, 0xD9D9D9);
    format_set_top(x, LXW_BORDER_MEDIUM);
    format_set_bottom(x, LXW_BORDER_THIN);
  });
  lxw_format* table_heading = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_border(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_CENTER);
    format_set_text_wrap(x);
  });
  lxw_format* table_label = f.make([](lxw_format* x) {
    format_set_bold(x);
    format_set_border(x, LXW_BORDER_THIN);
  });
  lxw_format* table_value = f.make([](lxw_format* x) {
    format_set_border(x, LXW_BORDER_THIN);
    format_set_align(x, LXW_ALIGN_CENTER);
    format_set_font_size(x, 10);
  });
  lxw_format* plain = f.make([](lxw_format* x) { format_set_font_size(x, 10); });

  lxw_worksheet* ws = workbook_add_worksheet(wb, "Inlet Report");
  Sheet s{ws};
  s.width(1, 2, 13);
  s.width(3, 6, 12);
  s.width(7, 8, 14);
  s.width(9, 10, 11);

  s.merge(1, 1, 6, "INLET REPORT", title);
  s.merge(2, 1, 6, "DOVI storm drain inlet design", subtitle);
  s.text(5, 1, "", header_label);  // "NOAA STATION" when the project names one
  s.merge(5, 2, 4, "", plain);
  for (const auto& [row, text] : {std::pair{7, "INLET IDENTIFICATION"}, std::pair{13, "FLOW DATA"},
                                  std::pair{23, "GUTTER AND INLET DATA"}, std::pair{33, "RESULTS"}}) {
    s.merge(row, 1, 10, text, section);
    s.height(row, 16);
  }
  // The discharge of each side, a small table beside the single values.
  s.text(16, 1, "SIDE", table_heading);
  label(s, 16, 2, 2, "DRAINAGE AREA ({ac|ha})", table_heading);
  label(s, 16, 3, 3, "C x A ({ac|ha})", table_heading);
  label(s, 16, 4, 4, "DISCHARGE ({cfs|cms})", table_heading);
  s.height(16, 26);
  s.text(17, 1, "1  Back / Left", table_label);
  s.text(18, 1, "2  Ahead / Right", table_label);
  for (int row = 17; row <= 18; ++row) {
    for (int col = 2; col <= 4; ++col) s.blank(row, col, table_value);
  }

  for (const Field& field : report_fields) {
    const bool header = field.row <= 11;
    label(s, field.row, field.label_col, field.col - 1, field.label, header ? header_label : label_format);
    s.merge(field.row, field.col, field.last_col, "", field.row == 2 && field.col == 10 ? date : value);
  }
  // Rows whose labels take two lines.
  for (int row = 24; row <= 43; ++row) s.height(row, (row >= 26 && row <= 29) || row == 34 ? 24 : 15);

  worksheet_set_portrait(ws);
  worksheet_set_paper(ws, 1);  // Letter
  worksheet_set_margins(ws, 0.5, 0.5, 0.6, 0.6);
  worksheet_center_horizontally(ws);
  worksheet_fit_to_pages(ws, 1, 1);
  check(worksheet_print_area(ws, 0, 0, 42, 9), "print area");  // A1:J43
  check(workbook_close(wb), "close");
}

void write(const fs::path& file, void (*writer)(const fs::path&)) {
  rg::workbook::replace_file(file, writer);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rg_make_templates <output folder>\n");
    return 2;
  }
  try {
    const fs::path folder = argv[1];
    write(folder / "LD_204.xlsr", write_ld204);
    write(folder / "INLET_REPORT.xlsr", write_inlet_report);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rg_make_templates: %s\n", e.what());
    return 1;
  }
  return 0;
}
