#include "hydrology/area_dialog.h"

#include <cmath>
#include <vector>

#include "app/input_helpers.h"
#include "app/session.h"
#include "hydraulics/coefficients.h"
#include "hydrology/formulas.h"
#include "hydrology/procedures.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

using ui::ControlKind;
using ui::ControlSpec;

namespace {

// Red 192, green 192, blue 255.
constexpr ui::Color kLightBlue = 0xC0C0FF;
// More rows than this are shown side by side in two columns, so that the
// dialog fits the screen.
constexpr std::size_t kRowsPerColumn = 15;

std::string k(std::size_t i) { return std::to_string(i); }

// The rows in one frame, or in two side by side, under a header: label, area,
// C range, C, C x A; a group heading takes a line of its own above the group's
// first row in the frame.
std::vector<ControlSpec> make_table(LandUseTable table) {
  const auto rows = land_use_rows(table);
  const std::size_t columns = rows.size() > kRowsPerColumn ? 2 : 1;
  const std::size_t per_column = (rows.size() + columns - 1) / columns;
  std::vector<ControlSpec> t;
  for (std::size_t g = 0; g < columns; ++g) {
    const std::string suffix = g == 0 ? "" : "_" + k(g);
    const std::string frame = "Frame1" + suffix;
    t.push_back({.name = frame, .kind = ControlKind::Frame, .col = static_cast<int>(g)});
    t.push_back({.container = frame, .caption = "TYPE OF DRAINAGE AREA"});
    t.push_back({.name = "Area_Frame" + suffix, .container = frame, .col = 1, .caption = "A (Acres)"});
    t.push_back({.container = frame, .col = 2, .caption = "C - Range"});
    t.push_back({.container = frame, .col = 3, .caption = "C"});
    t.push_back({.container = frame, .col = 4, .caption = "C * A"});
    int line = 1;
    for (std::size_t i = g * per_column; i < std::min(rows.size(), (g + 1) * per_column); ++i) {
      const LandUseRow& r = rows[i];
      const bool starts_group = i == g * per_column || rows[i - 1].heading != r.heading;
      if (!r.heading.empty() && starts_group) {
        t.push_back({.container = frame, .row = line++, .caption = std::string(r.heading)});
      }
      t.push_back({.container = frame, .row = line, .caption = std::string(r.label)});
      t.push_back({.name = "Area" + k(i), .kind = ControlKind::TextBox, .container = frame, .row = line, .col = 1,
                   .width_chars = 9});
      // Between the land use and the C box: the C is named by its land use.
      t.push_back({.name = "Crange" + k(i), .container = frame, .row = line, .col = 2,
                   .caption = std::string(r.c_range), .shows_value = true});
      t.push_back({.name = "Cval" + k(i), .kind = ControlKind::TextBox, .container = frame, .row = line, .col = 3,
                   .width_chars = 5});
      t.push_back({.name = "CA" + k(i), .kind = ControlKind::TextBox, .container = frame, .row = line, .col = 4,
                   .width_chars = 9});
      ++line;
    }
  }
  t.push_back({.name = "Frame2", .kind = ControlKind::Frame, .row = 1, .col_span = static_cast<int>(columns)});
  t.push_back({.container = "Frame2", .caption = "Total Area"});
  t.push_back({.name = "TAREA", .kind = ControlKind::TextBox, .container = "Frame2", .col = 1, .width_chars = 12});
  t.push_back({.name = "TAunit", .container = "Frame2", .col = 2, .caption = "Ac."});
  t.push_back({.container = "Frame2", .col = 3, .caption = "Total C * A"});
  t.push_back({.name = "TCA", .kind = ControlKind::TextBox, .container = "Frame2", .col = 4, .width_chars = 12});
  t.push_back({.name = "cmdcomputearea", .kind = ControlKind::CommandButton, .container = "Frame2", .row = 1,
               .col = 1, .caption = "COMPUTE"});
  t.push_back({.name = "cmdsavearea", .kind = ControlKind::CommandButton, .container = "Frame2", .row = 1,
               .col = 3, .caption = "SAVE"});
  t.push_back({.name = "cmdcancelarea", .kind = ControlKind::CommandButton, .container = "Frame2", .row = 1,
               .col = 4, .caption = "CANCEL", .cancel_button = true});
  return t;
}

}  // namespace

AreaDialog::AreaDialog(app::Session& session, std::string name, LandUseTable table)
    : ui::Form(std::move(name), "DRAINAGE AREA"), session_(session), table_(table) {}

ui::Control& AreaDialog::row_control(const char* array, std::size_t i) const { return control(array + k(i)); }

std::optional<std::size_t> AreaDialog::side() const {
  switch (session_.handover.area_side) {
    case app::AreaSide::side1: return 0;
    case app::AreaSide::side2: return 1;
    case app::AreaSide::none: break;
  }
  return std::nullopt;
}

void AreaDialog::design() {
  add_controls(make_table(table_));
  const auto rows = land_use_rows(table_);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (const char* array : {"Area", "Cval"}) {
      ui::Control& box = row_control(array, i);
      box.GotFocus = [&box] { app::quillmere_libraries::select_all_text(box); };
      app::quillmere_libraries::filter_number_keys(session_, box);
    }
    row_control("Area", i).Validate = [this, i](bool& cancel) { Area_Validate(i, cancel); };
    row_control("Cval", i).Validate = [this, i](bool& cancel) {
      app::quillmere_libraries::refuse_non_number(session_, row_control("Cval", i), cancel);
    };
    row_control("Area", i).LostFocus = [this, i] { Area_LostFocus(i); };
    row_control("Cval", i).LostFocus = [this, i] { Cval_LostFocus(i); };
    row_control("Cval", i).set_text(std::string(rows[i].default_c));
    row_control("Crange", i).set_back_color(kLightBlue);
    // Not editable, and shown in full rather than greyed.
    ui::Control& ca = row_control("CA", i);
    ca.set_locked(true);
    ca.set_tab_stop(false);
    ca.set_back_color(ui::kButtonFace);
  }
  for (const char* total : {"TAREA", "TCA"}) {
    control(total).set_text("0.0");
    control(total).set_back_color(kLightBlue);
  }
  control("cmdcomputearea").Click = [this] { compute_area_totals(); };
  control("cmdsavearea").Click = [this] { cmdsavearea_Click(); };
  control("cmdcancelarea").Click = [this] { unload(); };
}

void AreaDialog::Form_Load() {
  const bool metric = units_of(session_.project.unit_system) == Units::Metric;
  session_.number_format = std::string(hyd::number_format_for(session_.project.unit_system));
  if (metric) {
    for (const auto& c : controls()) {
      if (c->name().starts_with("Area_Frame")) c->set_caption("A (Hectares)");
    }
    control("TAunit").set_caption("Ha");
  }
  const std::size_t count = land_use_rows(table_).size();
  if (const auto s = side()) {
    const hyd::FlowData flow = session_.services.inlet_boxes().flow_data();
    const std::string& areas = flow.area_str[*s];
    if (!areas.empty()) {
      DecodedAreaRows stored = decode_area_rows(table_, areas, flow.c_str[*s]);
      mend_area_rows(table_, stored);
      for (std::size_t i = 0; i < count; ++i) {
        row_control("Area", i).set_text(stored.rows.areas[i]);
        row_control("Cval", i).set_text(stored.rows.cs[i]);
      }
      if (const std::string said = stored.message(); !said.empty()) {
        ui::show_box(session_.desktop(), said, ui::Buttons::OK, ui::Icon::Exclamation);
      }
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& area = row_control("Area", i).text();
    if (area.empty()) continue;
    const auto a = text::parse_number(area);
    row_control("CA", i).set_text(a ? text::decimal_text(row_c(i) * *a) : "");
  }
  compute_area_totals();
  app::quillmere_libraries::select_all_text(row_control("Area", 0));
}

double AreaDialog::row_c(std::size_t i) const {
  return clamp_runoff_c(row_control("Cval", i).text(), row_control("Crange", i).caption()).c;
}

void AreaDialog::Area_Validate(std::size_t i, bool& cancel) {
  ui::Control& area = row_control("Area", i);
  // White space alone is no area: the row is cleared when left.
  if (text::trim(area.text()).empty()) return;
  const auto a = text::parse_number(area.text());
  if (!a || *a >= 0.0) {
    // Any other text that is no number is refused too, named by its land use.
    app::quillmere_libraries::refuse_non_number(session_, area, cancel);
    return;
  }
  ui::show_box(session_.desktop(),
               "The area of \"" + std::string(land_use_rows(table_)[i].label) + "\" cannot be negative.",
               ui::Buttons::OK, ui::Icon::Exclamation);
  area.set_selection(0, static_cast<int>(area.text().size()));
  cancel = true;
}

void AreaDialog::Area_LostFocus(std::size_t i) {
  ui::Control& area = row_control("Area", i);
  area.set_selection(0, 0);
  if (trims()) area.set_text(text::trim(area.text()));
  const auto a = text::parse_number(area.text());
  // White space alone clears the row like an area of 0.
  if (!a || *a == 0.0) {
    area.set_text("");
    row_control("CA", i).set_text("");
  } else {
    area.set_text(text::format_number(*a, session_.number_format));
    row_control("CA", i).set_text(text::decimal_text(row_c(i) * text::parse_number(area.text()).value_or(0.0)));
  }
  compute_area_totals();
}

void AreaDialog::Cval_LostFocus(std::size_t i) {
  ui::Control& cval = row_control("Cval", i);
  const RunoffC c = clamp_runoff_c(cval.text(), row_control("Crange", i).caption());
  if (!text::is_number(cval.text())) {
    // An emptied C is no choice of the user's: the bound it becomes is said.
    ui::show_box(session_.desktop(),
                 "The C of \"" + std::string(land_use_rows(table_)[i].label) + "\" is not a number; it is taken as " +
                     c.text + ", the low end of its range.",
                 ui::Buttons::OK, ui::Icon::Information);
  }
  // The totals read the box: until it is shown rounded it holds the C they use.
  if (text::parse_number(cval.text()) != c.c) cval.set_text(text::decimal_text(c.c));
  const std::string& area = row_control("Area", i).text();
  if (!area.empty()) {
    if (const auto a = text::parse_number(area)) row_control("CA", i).set_text(text::decimal_text(c.c * *a));
  }
  compute_area_totals();
  cval.set_text(c.text);
}

bool AreaDialog::compute_area_totals() {
  double sum_a = 0.0;
  double sum_ca = 0.0;
  const std::size_t count = land_use_rows(table_).size();
  for (std::size_t i = 0; i < count; ++i) {
    ui::Control& area = row_control("Area", i);
    if (trims()) area.set_text(text::trim(area.text()));
    if (area.text().empty()) continue;
    // A box not yet left (no number, or a refused negative) counts for nothing.
    const auto a = text::parse_number(area.text());
    if (!a || *a < 0.0) continue;
    sum_a += *a;
    sum_ca += row_c(i) * *a;
  }
  const char* overflowed = !std::isfinite(sum_a)    ? "The total area"
                           : !std::isfinite(sum_ca) ? "The total C x A"
                                                    : nullptr;
  if (overflowed != nullptr) {
    ui::show_box(session_.desktop(), std::string(overflowed) + " is too large to be a number: check the areas.",
                 ui::Buttons::OK, ui::Icon::Exclamation);
    control("TCA").set_text("");
    control("TAREA").set_text("");
    return false;
  }
  auto show = [this](double v) {
    return trims() ? text::decimal_text(v) : text::format_number(v, session_.number_format);
  };
  control("TCA").set_text(show(sum_ca));
  control("TAREA").set_text(show(sum_a));
  return true;
}

void AreaDialog::cmdsavearea_Click() {
  // Totals that cannot be computed are never handed over.
  if (!compute_area_totals()) return;
  if (const auto s = side()) {
    AreaRows rows;
    const std::size_t count = land_use_rows(table_).size();
    for (std::size_t i = 0; i < count; ++i) {
      rows.areas.push_back(row_control("Area", i).text());
      rows.cs.push_back(row_control("Cval", i).text());
    }
    const AreaStrings stored = encode_area_rows(rows);
    const std::string& pattern = session_.number_format;
    hyd::FlowWrites out;
    out.area_str[*s] = stored.areabufstr;
    out.c_str[*s] = stored.cbufstr;
    out.total_area[*s] = text::format_text(control("TAREA").text(), pattern);
    out.total_ca[*s] = text::format_text(control("TCA").text(), pattern);
    session_.services.inlet_boxes().write_flow(out);
    compute_discharge(session_);
  }
  unload();
}

}  // namespace rg::hydrology
