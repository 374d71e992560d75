#include "reports/ld204_writer.h"

#include <optional>
#include <string>
#include <vector>

#include "hydraulics/coefficients.h"
#include "hydrology/land_use.h"
#include "platform/text/number_text.h"
#include "platform/workbook/sheet.h"

namespace rg::reports {

namespace {

using Number = std::optional<double>;

// The depth d and the curb height h (in ft or m, whatever the unit system), and d/h.
constexpr std::string_view kDepthPattern = "0.000";

class Ld204 {
 public:
  Ld204(workbook::Sheet& sheet, const ReportProject& project)
      : sheet_(sheet), project_(project), nf_(hyd::number_format_for(project.unit_system)) {}

  void header(const InletRecord& first) {
    put_text(sheet_, 1, 3, first.text("ROADWAY"));
    put_text(sheet_, 1, 12, project_.name);
    put_text(sheet_, 1, 28, project_.designer);
    put_text(sheet_, 2, 34, project_.unit_system);
  }

  // Writes the inlet's block from row r; returns the first row of the next block.
  int inlet(const InletRecord& in, int r) {
    in_ = &in;
    const bool sag = field("INLET_LOCATION") == kSag;
    const bool ditch = field("INLET_TYPE") == kDitch;
    text(r, 1, "INLET_NUMBER");
    text(r, 2, "INLET_SUBTYPE");
    text(r, 4, "STATION");
    sheet_.set_text(r + 1, 4, field("OFFSET") + "'" + field("OFFSET_LOCATION"));
    // L is the stored length; column 3 shows the combined length of a
    // combination inlet on a grade instead, and the length over LT divides that.
    const Number length = number_or_zero(field("INLETLENGTH"));
    Number shown_length = length;
    const Number upstream = field("INLET_LOCATION") == kGrade && field("INLET_TYPE") == kCombination
                                ? number_or_zero(field("OPENLEN_GRATE"))
                                : Number{};
    if (upstream && length) {
      formatted(r, 3, shown_length = *upstream + *length, nf_);
    } else {
      text(r, 3, "INLETLENGTH");
    }

    int cursor = sub_areas(r, "AREABUFSTR1", "CBUFSTR1", sag ? "Back/Lt." : "");
    const int t1 = cursor;
    side_totals(t1, "TOTALCA1", "DISCHARGE1", "CARRYOVER1");
    if (!sag) {
      grade_columns(t1, ditch, length, shown_length);
      return t1 + 2;
    }
    sheet_.set_text(t1, 36, "Back/Lt.");
    cursor = sub_areas(t1 + 1, "AREABUFSTR2", "CBUFSTR2", "Ahead/Rt.");
    const int t2 = cursor;
    side_totals(t2, "TOTALCA2", "DISCHARGE2", "CARRYOVER2");
    sheet_.set_text(t2, 36, "Ahead/Rt.");
    const int s = t2 + 1;
    // The side-2 totals add what the summary row holds in their columns; an
    // empty row adds nothing and the totals keep their stored decimals.
    for (const auto& [col, name] : {std::pair{8, "TOTALCA2"}, std::pair{10, "DISCHARGE2"}, std::pair{11, "CARRYOVER2"}}) {
      const Number held = number_or_zero(sheet_.text(s, col));
      if (const Number v = number_of(field(name)); v && held && *held != 0) sheet_.set_number(t2, col, *v + *held);
    }
    sag_columns(t1, t2, s, ditch, length);
    return s + 1;
  }

 private:
  const std::string& field(std::string_view name) const { return in_->text(name); }
  void text(int row, int col, std::string_view name) { put_text(sheet_, row, col, field(name)); }
  void formatted(int row, int col, Number v, std::string_view pattern) {
    if (v) put_number(sheet_, row, col, *v, pattern);
  }

  // One row per non-empty area field from `row`; returns the row after them. A
  // C the stored text lacks is not the land-use table's default: the row shows
  // its area only.
  int sub_areas(int row, std::string_view areas_field, std::string_view cs_field, std::string_view mark) {
    const auto [areas, cs] = hydrology::stored_area_rows(field(areas_field), field(cs_field));
    for (std::size_t i = 0; i < areas.size(); ++i) {
      const std::string& area = areas[i];
      if (area.empty()) continue;
      put_text(sheet_, row, 5, area);
      if (i < cs.size()) {
        put_text(sheet_, row, 6, cs[i]);
        const Number a = number_of(area), c = number_of(cs[i]);
        if (a && c) formatted(row, 7, *a * *c, nf_);
      }
      if (!mark.empty()) sheet_.set_text(row, 36, mark);
      ++row;
    }
    return row;
  }

  // The side's totals as stored, in their own decimals; a text that is no
  // number leaves its cell as the template has it.
  void side_totals(int row, std::string_view ca, std::string_view discharge, std::string_view carryover) {
    int col = 8;
    for (std::string_view name : {ca, std::string_view("INTENSITY"), discharge, carryover}) {
      if (number_of(field(name))) text(row, col, name);
      ++col;
    }
  }

  // The gutter columns 13 to 23 shared by both locations; `spread` is the
  // field of column 15.
  void gutter_columns(int row, std::string_view spread) {
    text(row, 13, "LONGSLOPE");
    text(row, 16, "GUTWIDTH");
    text(row, 14, "PAVXSLOPE");
    text(row, 15, spread);
    formatted(row, 17, ratio(number_of(field("GUTWIDTH")), number_of(field(spread))), nf_);
    text(row, 18, "GUTXSLOPE");
    formatted(row, 19, ratio(number_of(field("GUTXSLOPE")), number_of(field("PAVXSLOPE"))), nf_);
    text(row, 20, "FLOWRATIO");
    formatted(row, 21,
              total_depression(field("LOCALDEP"), field("GUTXSLOPE"), field("PAVXSLOPE"), field("GUTWIDTH"),
                               project_.unit_system),
              "0.00");
    text(row, 22, "DEPXSLOPE");
    text(row, 23, "COMPXSLOPE");
  }

  void grade_columns(int t, bool ditch, Number length, Number shown_length) {
    text(t, 12, "TOTAL_DISCHARGE");
    text(t, 13, "LONGSLOPE");
    if (ditch) {
      text(t, 16, "GRATEWIDTH");
    } else {
      gutter_columns(t, "OPENSPREAD");
      text(t, 24, "INTLEN");
      if (field("INTLEN").empty()) {
        sheet_.set_text(t, 26, "");
      } else {
        formatted(t, 26, ratio(shown_length, number_of(field("INTLEN"))), nf_);
      }
    }
    formatted(t, 25, length, nf_);
    text(t, 27, "EFFICIENCY");
    text(t, 28, "QINT");
    text(t, 29, "QCARRY");
    // A ditch's depth of water is shown in feet in an English project.
    const bool english = hyd::is_english(project_.unit_system);
    const Number depth_ft = ditch && english ? ratio(number_of(field("CURBDEPTH")), 12.0) : Number{};
    if (depth_ft) {
      formatted(t, 30, depth_ft, nf_);
    } else {
      text(t, 30, "CURBDEPTH");
    }

    if (!ditch) {
      spread_remark(t, {number_or_zero(field("OPENSPREAD"))});
    } else {
      sheet_.set_text(t, 36, "BHt.=" + text::format_text(field("DSBH"), nf_) + (english ? "'" : "M"));
    }
  }

  void sag_columns(int t1, int t2, int s, bool ditch, Number length) {
    text(s, 12, "TOTAL_DISCHARGE");
    text(s, 13, "LONGSLOPE");
    text(s, 16, "GRATEWIDTH");
    formatted(s, 25, length, nf_);
    text(s, 28, "QINT");
    text(s, 30, "CURBDEPTH");

    // The larger side; equal flows keep side 1, flows that are not numbers side 2.
    const Number d1 = number_of(field("DISCHARGE1")), c1 = number_of(field("CARRYOVER1"));
    const Number d2 = number_of(field("DISCHARGE2")), c2 = number_of(field("CARRYOVER2"));
    const int larger = d1 && c1 && d2 && c2 && !(*d2 + *c2 > *d1 + *c1) ? t1 : t2;
    if (!ditch) gutter_columns(larger, "GUTTERSPREAD");

    const std::string& type = field("INLET_TYPE");
    // A slotted inlet has no curb height, whatever its record still holds.
    Number h;
    if (type == kCurb || type == kCombination) {
      if (const Number stored = number_of(field("HEIGHTOFCURB"))) {
        h = put_number(sheet_, s, 32, *stored / small_units_per_length(project_.unit_system), kDepthPattern);
      }
    } else {
      sheet_.set_text(s, 32, "");
    }
    Number d;
    const Number allowable = number_of(field("ALLOWABLE_SPREAD"));
    if (const Number sx = number_of(field("PAVXSLOPE")); allowable && sx) {
      d = put_number(sheet_, s, 31, *allowable * *sx, kDepthPattern);
    }
    // d/h from the numbers as shown; with either missing it stays empty.
    formatted(s, 33, ratio(d, h), kDepthPattern);
    text(s, 34, "DEPTHATINLET");
    text(s, 35, "OPENSPREAD");
    text(s, 36, "INLETPERF");
    const Number larger_spread = ditch ? Number{0.0} : number_or_zero(field("GUTTERSPREAD"));
    spread_remark(s, {larger_spread, number_or_zero(field("OPENSPREAD"))});
  }

  // "T > allowable" in column 36 when any of the spreads exceeds the allowable
  // spread; nothing when one of them is not a number.
  void spread_remark(int row, std::initializer_list<Number> spreads) {
    const Number allowable = number_of(field("ALLOWABLE_SPREAD"));
    if (!allowable) return;
    bool over = false;
    for (const Number& spread : spreads) {
      if (!spread) return;
      over = over || *spread > *allowable;
    }
    if (over) sheet_.set_text(row, 36, "T > " + field("ALLOWABLE_SPREAD") + spread_unit(project_.unit_system));
  }

  workbook::Sheet& sheet_;
  const ReportProject& project_;
  const std::string_view nf_;
  const InletRecord* in_ = nullptr;
};

}  // namespace

void write_ld204(workbook::Sheet& sheet, const InletTable& inlets, const ReportProject& project) {
  if (inlets.empty()) return;
  Ld204 form(sheet, project);
  form.header(inlets[0]);
  int row = kLd204FirstRow;
  for (const InletRecord& inlet : inlets) row = form.inlet(inlet, row);
}

}  // namespace rg::reports
