#include "reports/inlet_report_writer.h"

#include <array>
#include <string>

#include "hydraulics/coefficients.h"
#include "platform/workbook/sheet.h"

namespace rg::reports {

namespace {

// The kind of an inlet: its type (any text other than the five counts as a
// gutter inlet of no particular type) on a grade or in a sag.
enum Type { Curb, Slotted, Grate, Combination, Ditch, Other };
using Kinds = unsigned;
constexpr Kinds grade(Type t) { return 1u << (2 * t); }
constexpr Kinds sag(Type t) { return 1u << (2 * t + 1); }
constexpr Kinds both(Type t) { return grade(t) | sag(t); }
constexpr Kinds kGutterG = grade(Curb) | grade(Slotted) | grade(Grate) | grade(Combination) | grade(Other);
constexpr Kinds kGutterS = sag(Curb) | sag(Slotted) | sag(Grate) | sag(Combination) | sag(Other);
constexpr Kinds kEvery = kGutterG | kGutterS | both(Ditch);
constexpr Kinds kGratesG = grade(Grate) | grade(Combination) | grade(Ditch);
constexpr Kinds kGratesS = sag(Grate) | sag(Combination) | sag(Ditch);

struct Cell {
  int row, col;
  const char* field;
  Kinds kinds;
};

// Rows 24 to 43: which field each kind shows where.
constexpr std::array kDetails = {
    Cell{24, 3, "LONGSLOPE", kEvery},
    Cell{25, 3, "PAVXSLOPE", kGutterG | kGutterS},
    Cell{25, 9, "LOCDEPWIDTH", kGutterG | kGutterS},
    Cell{26, 3, "GUTWIDTH", kEvery},
    Cell{26, 9, "MANNINGS", kGutterG | kGutterS | grade(Ditch)},
    Cell{27, 3, "GUTXSLOPE", kGutterG | kGutterS},
    Cell{27, 3, "RSCOPERATIO", grade(Ditch)},
    Cell{27, 9, "INLETLENGTH", kGratesG | kGratesS},
    Cell{28, 3, "LSCOPERATIO", grade(Ditch)},
    Cell{28, 3, "HEIGHTOFCURB", sag(Curb) | sag(Combination)},
    Cell{28, 3, "SLOTWIDTH", sag(Slotted)},
    Cell{28, 6, "CURBOPTION", sag(Grate)},
    Cell{28, 9, "GRATEWIDTH", kGratesG | kGratesS},
    Cell{29, 3, "GRATETYPE", kGratesG},
    Cell{29, 9, "OPENLEN_GRATE", grade(Combination)},
    Cell{29, 9, "GRATEPERI", kGratesS},
    Cell{30, 3, "THROATYPE", sag(Curb) | sag(Combination)},
    Cell{30, 9, "GRATEAREA", kGratesS},
    Cell{31, 3, "THROATANGLE", sag(Curb) | sag(Combination)},
    Cell{31, 9, "GRATEPERCLOG", kGratesS | sag(Slotted)},
    Cell{34, 3, "DEPXSLOPE", kGutterG},
    Cell{34, 9, "GUTTERSPREAD", kGutterS},
    Cell{35, 3, "WT", kGutterG},
    Cell{35, 9, "CURBDEPTH", kGutterG | kGutterS | grade(Ditch)},
    Cell{36, 3, "COMPXSLOPE", kGutterG},
    Cell{36, 9, "FLOWRATIO", kGutterG | grade(Ditch)},
    Cell{37, 3, "FLOWVEL", kGutterG | grade(Ditch)},
    Cell{37, 9, "OPENSPREAD", kGutterG | kGutterS},
    Cell{38, 3, "EFFICIENCY", kGutterG | grade(Ditch)},
    Cell{38, 9, "DEPTHATINLET", kGutterS | sag(Ditch)},
    Cell{39, 3, "FFLOWEFF", grade(Ditch)},
    Cell{39, 9, "QINT", kEvery},
    Cell{40, 3, "SFLOWEFF", grade(Ditch)},
    Cell{40, 9, "QCARRY", kGutterG | grade(Ditch)},
    Cell{41, 3, "INLETPERF", kGutterS | sag(Ditch)},
    Cell{41, 9, "QINTCURB", grade(Combination)},
    Cell{42, 9, "QINTGRATE", grade(Combination)},
    Cell{42, 3, "INTLEN", kGutterG},
    Cell{43, 9, "DSBH", grade(Ditch)},
};

constexpr std::array kIdentification = {
    Cell{8, 2, "INLET_NUMBER", kEvery},      Cell{8, 4, "ROADWAY", kEvery},
    Cell{8, 9, "STATION", kEvery},           Cell{9, 2, "INLET_TYPE", kEvery},
    Cell{9, 5, "INLET_LOCATION", kEvery},    Cell{9, 9, "OFFSET", kEvery},
    Cell{10, 2, "INLETLENGTH", kEvery},      Cell{10, 9, "OFFSET_LOCATION", kEvery},
    Cell{11, 2, "INLET_SUBTYPE", kEvery},    Cell{11, 5, "ALLOWABLE_SPREAD", kEvery},
    Cell{11, 9, "TOP_ELEVATION", kEvery},    Cell{15, 9, "STORM_FREQUENCY", kEvery},
    Cell{16, 9, "TC", kEvery},               Cell{17, 2, "TOTALAREA1", kEvery},
    Cell{17, 3, "TOTALCA1", kEvery},         Cell{17, 4, "DISCHARGE1", kEvery},
    Cell{17, 9, "INTENSITY", kEvery},        Cell{18, 9, "CARRYOVER1", kEvery},
    Cell{20, 9, "TOTAL_DISCHARGE", kEvery},  Cell{18, 2, "TOTALAREA2", kGutterS | sag(Ditch)},
    Cell{18, 3, "TOTALCA2", kGutterS | sag(Ditch)}, Cell{18, 4, "DISCHARGE2", kGutterS | sag(Ditch)},
    Cell{19, 9, "CARRYOVER2", kGutterS | sag(Ditch)},
};

Kinds kind_of(const InletRecord& inlet) {
  const std::string& t = inlet.text("INLET_TYPE");
  const Type type = t == kCurb ? Curb
                    : t == kSlotted ? Slotted
                    : t == kGrate ? Grate
                    : t == kCombination ? Combination
                    : t == kDitch ? Ditch
                    : Other;
  return inlet.text("INLET_LOCATION") == kSag ? sag(type) : grade(type);
}

template <std::size_t N>
void put_cells(workbook::Sheet& sheet, const InletRecord& inlet, Kinds kind, const std::array<Cell, N>& cells) {
  for (const Cell& cell : cells) {
    if (cell.kinds & kind) put_text(sheet, cell.row, cell.col, inlet.text(cell.field));
  }
}

}  // namespace

void write_inlet_report(workbook::Sheet& sheet, const InletRecord& inlet, const ReportProject& project,
                        std::chrono::year_month_day today) {
  put_text(sheet, 1, 10, project.unit_system);
  sheet.set_date(2, 10, today);
  put_text(sheet, 3, 10, project.designer);
  put_text(sheet, 3, 2, project.name);
  put_text(sheet, 4, 2, project.county);
  if (project.major_release == "2.1") {
    sheet.set_text(5, 1, "NOAA STATION");
    put_text(sheet, 5, 2, project.noaa_station);
  }
  put_text(sheet, 4, 7, project.state);

  const Kinds kind = kind_of(inlet);
  put_cells(sheet, inlet, kind, kIdentification);
  put_cells(sheet, inlet, kind, kDetails);
  if (kind & (kGutterG | kGutterS)) {
    const auto d = total_depression(inlet.text("LOCALDEP"), inlet.text("GUTXSLOPE"), inlet.text("PAVXSLOPE"),
                                    inlet.text("GUTWIDTH"), project.unit_system);
    if (d) put_number(sheet, 24, 9, *d, "0.00");
  }
  if (kind & grade(Combination)) {
    const auto grate = number_or_zero(inlet.text("INLETLENGTH"));
    const auto upstream = number_or_zero(inlet.text("OPENLEN_GRATE"));
    if (grate && upstream) {
      put_number(sheet, 10, 2, *grate + *upstream, hyd::number_format_for(project.unit_system));
    }
  }
}

}  // namespace rg::reports
