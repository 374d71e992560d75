#include "hydrology/tc_dialog.h"

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/input_helpers.h"
#include "app/session.h"
#include "hydraulics/coefficients.h"
#include "hydrology/procedures.h"
#include "hydrology/tc_strings.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

using ui::ControlKind;
using ui::ControlSpec;

namespace {

constexpr int kBoxChars = 10;
constexpr int kListChars = 20;
// Red 192, green 192, blue 255.
constexpr ui::Color kLightBlue = 0xC0C0FF;

struct ListValue {
  const char* item;
  const char* value;  // what choosing the item writes into the list's target box
};

// Manning's n of the overland surface: the upper end of the item's range.
constexpr ListValue kLandUse[] = {
    {"Dense Growth (0.4 - 0.5)", "0.50"},
    {"Pasture (0.3 - 0.4)", "0.40"},
    {"Lawns (0.2 - 0.3)", "0.30"},
    {"Bluegrass Sod (0.2 - 0.5)", "0.50"},
    {"Short Grass Prairie (0.1 - 0.2)", "0.20"},
    {"Sparce Vegetation (0.05 - 0.13)", "0.13"},
    {"Bare Clay-Loam Soil (Eroded) - (0.01 - 0.03)", "0.03"},
    {"(Concr/Asphalt) - very shallow depths (> 1/4'') (0.1 - 0.15)", "0.15"},
    {"(Concr/Asphalt) -small depths (1/4'' to several inches) (0.05 - 0.10)", "0.10"},
};

// The runoff coefficient of Seeley's method.
constexpr ListValue kSoil[] = {
    {"Paved", "0.90"},
    {"Bare Soil", "0.47"},
    {"Poor Grass Surface", "0.35"},
    {"Average Grass Surface", "0.27"},
    {"Dense Grass", "0.21"},
};

// Kept with the other texts only; nothing depends on it.
const std::vector<std::string> kSurfaceTypes = {
    "Natural basin with well defined channel",     "Overland flow on bare earth",
    "Mowed grass roadside channel",                "Overland flow (grass surfaces)",
    "Overland flow (concrete or asphalt surfaces)", "Concrete channels"};

template <std::size_t N>
std::vector<std::string> items_of(const ListValue (&list)[N]) {
  std::vector<std::string> items;
  for (const auto& v : list) items.emplace_back(v.item);
  return items;
}

// Inside a segment's frame: the label in column 0, the box in columns 1-2
// (the check box and the time share them), the unit in column 3.
void input_row(std::vector<ControlSpec>& t, const std::string& frame, int row, std::string caption,
               std::string box, std::string unit = {}, std::string unit_caption = {}) {
  t.push_back({.container = frame, .row = row, .caption = std::move(caption)});
  t.push_back({.name = std::move(box), .kind = ControlKind::TextBox, .container = frame, .row = row, .col = 1,
               .col_span = 2, .width_chars = kBoxChars});
  if (!unit.empty()) {
    t.push_back({.name = std::move(unit), .container = frame, .row = row, .col = 3, .caption = std::move(unit_caption)});
  }
}

void list_row(std::vector<ControlSpec>& t, const std::string& frame, int row, std::string caption, std::string name,
              std::vector<std::string> items, std::string label_name = {}) {
  t.push_back({.name = std::move(label_name), .container = frame, .row = row, .caption = std::move(caption)});
  t.push_back({.name = std::move(name), .kind = ControlKind::ComboBox, .container = frame, .row = row, .col = 1,
               .col_span = 3, .width_chars = kListChars, .items = std::move(items)});
}

// The check box that includes the segment, its time and "min".
void time_row(std::vector<ControlSpec>& t, const std::string& frame, int row, int n) {
  const std::string k = std::to_string(n);
  t.push_back({.container = frame, .row = row, .caption = "TIME OF CONCENTRATION"});
  t.push_back({.name = "txtTc" + k, .kind = ControlKind::TextBox, .container = frame, .row = row, .col = 2,
               .width_chars = kBoxChars});
  t.push_back({.container = frame, .row = row, .col = 3, .caption = "min"});
  t.push_back({.name = "CheckTc" + k, .kind = ControlKind::CheckBox, .container = frame, .row = row, .col = 1});
}

// In tab order: Seeley, Kirpich, kinematic wave, gutter flow, the buttons.
std::vector<ControlSpec> make_table() {
  std::vector<ControlSpec> t;
  t.push_back({.name = "Frame0", .kind = ControlKind::Frame, .caption = "COMPUTING TIME OF CONCENTRATION"});
  // Two columns of frames, each over three grid columns, so that the buttons
  // beside the total take one grid column each.
  auto frame = [&t](std::string name, int row, int col, std::string caption) {
    t.push_back({.name = std::move(name), .kind = ControlKind::Frame, .container = "Frame0", .row = row,
                 .col = col, .col_span = 3, .caption = std::move(caption)});
  };

  frame("Frame4", 0, 0, "Overland Flow (E.E. Seeley - DOVI Modified)");
  input_row(t, "Frame4", 0, "FLOW DISTANCE", "flow_distance3", "lblft9", "ft - (Max 200')");
  input_row(t, "Frame4", 1, "UPPER ELEVATION", "upper_elevation3", "lblft8", "ft");
  input_row(t, "Frame4", 2, "LOWER ELEVATION", "lower_elevation3", "lblft7", "ft");
  input_row(t, "Frame4", 3, "SLOPE", "slope3", "slopeftpft2", "ft/ft");
  list_row(t, "Frame4", 4, "SOIL TYPE", "soil_type", items_of(kSoil));
  input_row(t, "Frame4", 5, "RATIONAL C VALUE", "rational_C_value");
  time_row(t, "Frame4", 6, 3);

  frame("Frame5", 0, 3, "Channel Flow (Kirpich - DOVI Modified)");
  input_row(t, "Frame5", 0, "HEIGHT OF MOST REMOTE POINT ABOVE OUTLET", "txtoutlet_height", "lblft10", "ft");
  input_row(t, "Frame5", 1, "MAX. LENGTH OF TRAVEL", "txttravel_length", "lblft11", "ft");
  // The note over two lines, so that the frame stays as narrow as its fellows.
  t.push_back({.container = "Frame5", .row = 2, .col_span = 4, .caption = "Kirpich Method is limited to"});
  t.push_back({.container = "Frame5", .row = 3, .col_span = 4,
               .caption = "\"Defined swales, ditches and other natural channels only\""});
  time_row(t, "Frame5", 4, 4);
  list_row(t, "Frame5", 5, "SURFACE TYPE", "surface_type", kSurfaceTypes, "lblsurface_type");
  t.push_back({.name = "lblsurface_factor", .container = "Frame5", .row = 6, .caption = "SURFACE FACTOR"});
  t.push_back({.name = "txtsurface_factor", .kind = ControlKind::TextBox, .container = "Frame5", .row = 6, .col = 1,
               .col_span = 2, .width_chars = kBoxChars});

  frame("Frame1", 1, 0, "Overland Flow (Kinematic Wave Formulation)");
  input_row(t, "Frame1", 0, "FLOW DISTANCE", "flow_distance1", "lblft0", "ft");
  input_row(t, "Frame1", 1, "UPPER ELEVATION", "upper_elevation1", "lblft1", "ft");
  input_row(t, "Frame1", 2, "LOWER ELEVATION", "lower_elevation1", "lblft2", "ft");
  input_row(t, "Frame1", 3, "SLOPE", "slope1", "slopeftpft0", "ft/ft");
  list_row(t, "Frame1", 4, "LAND USE TYPE", "landuse_type", items_of(kLandUse));
  input_row(t, "Frame1", 5, "MANNINGS", "fn");
  time_row(t, "Frame1", 6, 1);

  frame("Frame3", 1, 3, "Gutter Flow");
  input_row(t, "Frame3", 0, "FLOW DISTANCE", "flow_distance2", "lblft3", "ft");
  input_row(t, "Frame3", 1, "UPPER ELEVATION", "upper_elevation2", "lblft4", "ft");
  input_row(t, "Frame3", 2, "LOWER ELEVATION", "lower_elevation2", "lblft5", "ft");
  input_row(t, "Frame3", 3, "SLOPE", "slope2", "slopeftpft1", "ft/ft");
  input_row(t, "Frame3", 4, "MANNINGS - n", "gn");
  input_row(t, "Frame3", 5, "TRIANGULAR DEPTH OF FLOW", "tgd_flow", "lblft6", "ft");
  time_row(t, "Frame3", 6, 2);

  frame("Frame2", 2, 0, "Total Tc");
  t.push_back({.name = "computedTc", .kind = ControlKind::TextBox, .container = "Frame2", .width_chars = kBoxChars});
  t.push_back({.container = "Frame2", .col = 1, .caption = "min"});
  t.push_back({.name = "cmdsaveTc", .kind = ControlKind::CommandButton, .container = "Frame0", .row = 2, .col = 3,
               .caption = "SAVE Tc"});
  t.push_back({.name = "cmdcancelTc", .kind = ControlKind::CommandButton, .container = "Frame0", .row = 2, .col = 4,
               .caption = "CANCEL", .cancel_button = true});
  return t;
}

const std::vector<ControlSpec>& tc_table() {
  static const std::vector<ControlSpec> table = make_table();
  return table;
}

// The boxes the user types into, with the key filter and select-all, what
// leaving each one does, and the segment whose input it is.
enum class Leave { NumberFormat, ThreeDecimals, Nothing, KinematicWaveDistance, SeeleyDistance, LowerElevation };
struct Input {
  const char* name;
  Leave leave;
  int segment;
};
constexpr Input kInputs[] = {
    {"flow_distance1", Leave::KinematicWaveDistance, 1}, {"upper_elevation1", Leave::NumberFormat, 1},
    {"lower_elevation1", Leave::LowerElevation, 1},      {"fn", Leave::ThreeDecimals, 1},
    {"flow_distance2", Leave::NumberFormat, 2},          {"upper_elevation2", Leave::NumberFormat, 2},
    {"lower_elevation2", Leave::LowerElevation, 2},      {"gn", Leave::ThreeDecimals, 2},
    {"tgd_flow", Leave::NumberFormat, 2},                {"flow_distance3", Leave::SeeleyDistance, 3},
    {"upper_elevation3", Leave::NumberFormat, 3},        {"lower_elevation3", Leave::LowerElevation, 3},
    {"rational_C_value", Leave::Nothing, 3},             {"txtoutlet_height", Leave::NumberFormat, 4},
    {"txttravel_length", Leave::NumberFormat, 4},
};

// The design texts the boxes open with.
struct Default {
  const char* name;
  const char* text;
};
constexpr Default kDefaults[] = {
    {"slope2", "0.0"},  {"fn", "0.5"},  {"gn", "0.016"},  {"rational_C_value", "0.9"},
    {"txtsurface_factor", "1.0"},  {"txtTc1", "0.0"},  {"txtTc2", "0.0"},  {"txtTc3", "0.0"},  {"txtTc4", "0.0"},
    {"computedTc", "0.0"},
};

std::string k(int n) { return std::to_string(n); }

}  // namespace

FrmTc::FrmTc(app::Session& session) : ui::Form("frmTc", "TIME OF CONCENTRATION"), session_(session) {}

ui::Control& FrmTc::check(int method) const { return control("CheckTc" + k(method)); }
ui::Control& FrmTc::time(int method) const { return control("txtTc" + k(method)); }

void FrmTc::design() {
  add_controls(tc_table());
  for (const Input& in : kInputs) {
    ui::Control& box = control(in.name);
    box.set_text("0.0");
    box.GotFocus = [&box] { app::quillmere_libraries::select_all_text(box); };
    app::quillmere_libraries::filter_number_keys(session_, box);
    box.Validate = [this, &box](bool& cancel) { app::quillmere_libraries::refuse_non_number(session_, box, cancel); };
    std::function<void()> leave;
    switch (in.leave) {
      case Leave::NumberFormat:
        leave = [this, &box] { box.set_text(text::format_text(box.text(), session_.number_format)); };
        break;
      case Leave::ThreeDecimals:
        leave = [&box] { box.set_text(text::format_text(box.text(), "0.000")); };
        break;
      case Leave::Nothing:
        leave = [] {};
        break;
      case Leave::KinematicWaveDistance:
        leave = [this, &box] { leave_flow_distance(box, TcMethod::KinematicWave); };
        break;
      case Leave::SeeleyDistance:
        leave = [this, &box] { leave_flow_distance(box, TcMethod::Seeley); };
        break;
      case Leave::LowerElevation:
        leave = [this, n = in.segment] { leave_lower_elevation(n); };
        break;
    }
    box.LostFocus = [this, leave = std::move(leave), n = in.segment] {
      leave();
      refresh_segment(n);
    };
  }
  for (const Default& d : kDefaults) control(d.name).set_text(d.text);

  for (const char* disabled : {"slope1", "slope2", "slope3", "txtTc1", "txtTc2", "txtTc3", "txtTc4",
                               "txtsurface_factor"}) {
    control(disabled).set_enabled(false);
    control(disabled).set_back_color(ui::kButtonFace);
  }
  // Out of the user's reach like the segment times, but the result is shown
  // in full, not greyed.
  ui::Control& total = control("computedTc");
  total.set_locked(true);
  total.set_tab_stop(false);
  total.set_back_color(kLightBlue);
  for (const char* hidden : {"lblsurface_type", "surface_type", "lblsurface_factor", "txtsurface_factor"}) {
    control(hidden).set_visible(false);
  }

  // Each list shows its first item; choosing one fills the target box.
  auto list = [this](const char* name, const char* target, const ListValue* values, int segment) {
    ui::Control& combo = control(name);
    combo.set_text(combo.item(0));
    combo.Click = [this, &combo, &box = control(target), values, segment] {
      if (combo.list_index() < 0) return;
      box.set_text(values[combo.list_index()].value);
      refresh_segment(segment);
    };
  };
  list("landuse_type", "fn", kLandUse, 1);
  list("soil_type", "rational_C_value", kSoil, 3);
  control("surface_type").set_text(kSurfaceTypes.front());

  for (int n = 1; n <= 4; ++n) check(n).Click = [this, n] { CheckTc_Click(n); };
  control("cmdsaveTc").Click = [this] { cmdsaveTc_Click(); };
  control("cmdcancelTc").Click = [this] { unload(); };
}

void FrmTc::Form_Load() {
  taken_ = false;
  units_ = units_of(session_.project.unit_system);
  session_.number_format = std::string(hyd::number_format_for(session_.project.unit_system));
  if (units_ == Units::Metric) {
    for (int i = 0; i <= 11; ++i) control("lblft" + k(i)).set_caption("m");
    for (int i = 0; i <= 2; ++i) control("slopeftpft" + k(i)).set_caption("m/m");
  }
  if (!session_.services.inlet_boxes().flow_data().tc_str.empty()) decode_Tcstr();
  app::quillmere_libraries::select_all_text(control("flow_distance3"));
}

void FrmTc::decode_Tcstr() {
  const hyd::FlowData flow = session_.services.inlet_boxes().flow_data();
  const DecodedTcstr stored = decode_tcstr(flow.tc_str);
  for (std::size_t i = 0; i < tc_field_count; ++i) {
    if (stored.fields[i]) control(tc_string_controls[i]).set_text(*stored.fields[i]);
  }
  const TcChecks checks = decode_tcoptionstr(flow.tc_option_str);
  for (int n = 1; n <= 4; ++n) {
    if (checks[static_cast<std::size_t>(n - 1)]) check(n).set_value(1);
  }
}

void FrmTc::encode_Tcstr(hyd::FlowWrites& out) const {
  TcTexts texts;
  for (std::size_t i = 0; i < tc_field_count; ++i) texts[i] = control(tc_string_controls[i]).text();
  TcChecks checks{};
  for (int n = 1; n <= 4; ++n) checks[static_cast<std::size_t>(n - 1)] = check(n).value() == 1;
  out.tc_str = encode_tcstr(texts);
  out.tc_option_str = encode_tcoptionstr(checks);
}

bool FrmTc::compute_method(int method, bool quiet) {
  auto number = [this](const std::string& name) { return text::parse_number(control(name).text()); };
  auto segment = [&](int n) {
    return SlopeSegment{number("flow_distance" + k(n)), number("upper_elevation" + k(n)),
                        number("lower_elevation" + k(n))};
  };
  TcSegment t;
  switch (method) {
    case 1: t = kinematic_wave_time(segment(1), number("fn"), units_); break;
    case 2: t = gutter_flow_time(segment(2), number("gn"), number("tgd_flow"), units_); break;
    case 3: t = seeley_time(segment(3), number("rational_C_value"), units_); break;
    default:
      // The surface factor stays 1.0, whatever a stored text said.
      control("txtsurface_factor").set_text("1.0");
      t = kirpich_time(number("txtoutlet_height"), number("txttravel_length"), units_);
      break;
  }
  if (t.slope) control("slope" + k(method)).set_text(text::format_number(*t.slope, "0.0000"));
  if (!t.ok() && quiet) {
    time(method).set_text("");
    return false;
  }
  if (!t.ok()) {
    ui::show_box(session_.desktop(), std::string(t.message), ui::Buttons::OK, ui::Icon::Exclamation,
                 t.titled_error ? "Error" : "");
    check(method).set_value(0);
    return false;
  }
  time(method).set_text(text::format_number(t.minutes, session_.number_format));
  return true;
}

bool FrmTc::sum_total_tc() {
  ui::Control& shown = control("computedTc");
  std::array<Number, 4> times;
  for (int n = 1; n <= 4; ++n) {
    // An included segment waiting for inputs it can be computed from.
    if (check(n).value() == 1 && time(n).text().empty()) {
      shown.set_text("");
      return false;
    }
    times[static_cast<std::size_t>(n - 1)] = text::parse_number(time(n).text());
  }
  const TcTotal total = total_tc(times);
  if (total.overflowed) {
    ui::show_box(session_.desktop(), "The total time of concentration is too large to be a number: check the times.",
                 ui::Buttons::OK, ui::Icon::Exclamation);
    shown.set_text("");
    return false;
  }
  if (total.refused_segment) {
    const int n = *total.refused_segment + 1;
    ui::show_box(session_.desktop(), "Data Error! May be Divide By Zero Error", ui::Buttons::OK,
                 ui::Icon::Exclamation);
    time(n).set_text("0.0");
    if (check(n).value() != 0) {
      check(n).set_value(0);  // sums again
    } else {
      sum_total_tc();
    }
    return false;
  }
  shown.set_text(text::format_number(total.minutes, session_.number_format));
  return true;
}

void FrmTc::refresh_segment(int method) {
  if (check(method).value() != 1) return;
  compute_method(method, true);
  sum_total_tc();
}

void FrmTc::CheckTc_Click(int method) {
  if (check(method).value() == 0) {
    time(method).set_text("0.0");
  } else {
    compute_method(method);
  }
  sum_total_tc();
}

void FrmTc::leave_flow_distance(ui::Control& box, TcMethod method) {
  if (box.text().empty()) box.set_text("0.0");
  if (const auto limit = length_limit(method, units_)) {
    const auto length = text::parse_number(box.text());
    if (length && *length > limit->max) {
      ui::show_box(session_.desktop(), std::string(limit->message), ui::Buttons::OK, ui::Icon::Exclamation);
      box.set_text(std::string(limit->replacement));
    }
  }
  box.set_text(text::format_text(box.text(), session_.number_format));
}

void FrmTc::leave_lower_elevation(int method) {
  ui::Control& lower = control("lower_elevation" + k(method));
  lower.set_text(text::format_text(lower.text(), session_.number_format));
  const auto upper = text::parse_number(control("upper_elevation" + k(method)).text());
  const auto down = text::parse_number(lower.text());
  const auto length = text::parse_number(control("flow_distance" + k(method)).text());
  const bool computable = upper && down && length && *length != 0.0;
  const double slope = computable ? (*upper - *down) / *length : 0.0;
  if (!computable || !std::isfinite(slope)) {
    ui::show_box(session_.desktop(), "Divide by Zero Error! Check Flow Data again", ui::Buttons::OK,
                 ui::Icon::Exclamation);
    return;
  }
  control("slope" + k(method)).set_text(text::format_number(slope, "0.0000"));
}

void FrmTc::cmdsaveTc_Click() {
  ui::Desktop& desktop = session_.desktop();
  if (check(1).value() == 1 && check(3).value() == 1) {
    ui::show_box(desktop, "Please choose either Sealy or Kinematic Wave method, not both!", ui::Buttons::OK,
                 ui::Icon::Exclamation);
    return;
  }
  // The included segments from the inputs as they stand, so that the stored
  // Tc is the one the stored inputs give.
  for (int n = 1; n <= 4; ++n) {
    if (check(n).value() == 1 && !compute_method(n)) return;
  }
  if (!sum_total_tc()) return;
  const double total = text::parse_number(control("computedTc").text()).value_or(0.0);
  hyd::InletFormPort& form = session_.services.inlet_boxes();
  if (total <= 5.0) {
    if (ui::show_box(desktop, "Computed Tc < 5 min, Default 5 Min will be used", ui::Buttons::OKCancel,
                     ui::Icon::Exclamation, {}, false, ui::Answer::Cancel) != ui::Answer::OK) {
      return;
    }
    form.write_flow({.tc = "5.0", .tc_str = "", .tc_option_str = "", .tc_computed = 0});
    taken_ = true;
    unload();
    return;
  }
  form.write_flow({.tc = control("computedTc").text()});
  // The coefficients of the storm frequency the form shows. A look-up that
  // fails only leaves the intensity empty here: the form looks them up again
  // when the dialog has closed and says then what is missing.
  const RainfallLookup rainfall = look_up_coefficients(session_, form.flow_data().storm_frequency);
  compute_intensity(session_, rainfall.ok() ? std::optional(rainfall.coefficients) : std::nullopt);
  compute_discharge(session_);
  hyd::FlowWrites stored{.tc_computed = 1};
  encode_Tcstr(stored);
  form.write_flow(stored);
  taken_ = true;
  unload();
}

}  // namespace rg::hydrology
