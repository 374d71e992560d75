#pragma once
// What both report writers share: how a stored text lands in a cell, the few
// numbers they compute, and the project values a report shows.

#include <optional>
#include <string>
#include <string_view>

namespace rg::workbook {
class Sheet;
}

namespace rg::reports {

// The open project as a report shows it.
struct ReportProject {
  std::string name;
  std::string designer;
  std::string county;
  std::string state;
  std::string unit_system;  // "ENGLISH" is English, any other text metric
  std::string major_release;
  std::string noaa_station;
};

// A stored text as the reports show it. A text that reads as a number and is
// shown back exactly by a number with its own count of decimals ("0.500",
// "-12", "3.25") becomes that number; anything else ("007", "+2", "1E5", ".5",
// more digits than a double keeps, "=A1") stays a text cell, so nothing the
// designer typed is changed.
void put_text(workbook::Sheet& sheet, int row, int col, std::string_view text);

// A number the writer works out, as the pattern ("#0.000", "0.00") shows it: a
// number cell with the pattern's decimals, however many digits it has. A value
// that is not finite leaves the cell empty. Returns the number as shown.
std::optional<double> put_number(workbook::Sheet& sheet, int row, int col, double value, std::string_view pattern);

// The number of a stored text, or nothing when it is not one.
std::optional<double> number_of(std::string_view text);
// As number_of, but an empty text counts as 0 (a cell left empty).
std::optional<double> number_or_zero(std::string_view text);

// a / b, or nothing when either is missing or b is 0.
std::optional<double> ratio(std::optional<double> a, std::optional<double> b);

// The total depression at the inlet: the local depression plus the drop of the
// gutter across its width, LOCALDEP + k (GUTXSLOPE - PAVXSLOPE) GUTWIDTH, with
// k taking feet to inches (12) or metres to millimetres (1000) by the unit
// system. Nothing when a field is not a number.
std::optional<double> total_depression(std::string_view localdep, std::string_view gutxslope,
                                       std::string_view pavxslope, std::string_view gutwidth,
                                       std::string_view unit_system);

// Inches per foot in an English project, millimetres per metre in any other.
double small_units_per_length(std::string_view unit_system);

// " ft" or " m" after a spread, by the unit system.
const char* spread_unit(std::string_view unit_system);

inline constexpr std::string_view kDitch = "Grate Inlet in a Ditch";
inline constexpr std::string_view kCurb = "Curb Inlet";
inline constexpr std::string_view kGrate = "Grate Inlet";
inline constexpr std::string_view kCombination = "Combination Curb and Grate Inlet";
inline constexpr std::string_view kSlotted = "Slotted Inlet";
inline constexpr std::string_view kSag = "SUMP";
inline constexpr std::string_view kGrade = "CONTINUOUS GRADE";

}  // namespace rg::reports
