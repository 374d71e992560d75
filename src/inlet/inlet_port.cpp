// The design form's side of hyd::InletFormPort: the one place that maps what
// other code reads and writes (named boxes, the flow data, a picked grate) onto
// the form's controls. Every write is a code write: the box's Change handling
// and the binding to the row run as for any other.

#include <array>

#include "app/session.h"
#include "hydraulics/controls.h"
#include "hydraulics/dispatch.h"
#include "inlet/inlet_form.h"
#include "inlet/unit_settings.h"

namespace rg::inlet {

namespace {

ui::Icon icon_of(hyd::MessageIcon icon) {
  switch (icon) {
    case hyd::MessageIcon::exclamation:
      return ui::Icon::Exclamation;
    case hyd::MessageIcon::information:
      return ui::Icon::Information;
    default:
      return ui::Icon::None;
  }
}

// The boxes of a pair, side 1 then side 2.
using Sides = std::array<hyd::Box, 2>;
constexpr Sides kAreaStr = {"areabufstr1", "areabufstr2"};
constexpr Sides kCStr = {"cbufstr1", "cbufstr2"};
constexpr Sides kTotalArea = {"totalarea1", "totalarea2"};
constexpr Sides kTotalCA = {"totalca1", "totalca2"};
constexpr Sides kCarryover = {hyd::controls::carryover1, hyd::controls::carryover2};
constexpr Sides kDischarge = {hyd::controls::discharge1, hyd::controls::discharge2};
constexpr hyd::Box kComputedTc = "Check_ComputeTc";

}  // namespace

std::string FrmInletMain::text(hyd::Box box) { return control(box.name()).text(); }

void FrmInletMain::set_text(hyd::Box box, std::string_view text) { control(box.name()).set_text(std::string(text)); }

void FrmInletMain::set_enabled(hyd::Box box, bool enabled) { control(box.name()).set_enabled(enabled); }

void FrmInletMain::set_back_color(hyd::Box box, std::uint32_t color) { control(box.name()).set_back_color(color); }

void FrmInletMain::show_message(std::string_view text, hyd::MessageIcon icon, std::string_view title) {
  ui::show_box(session_.desktop(), std::string(text), ui::Buttons::OK, icon_of(icon), std::string(title));
}

void FrmInletMain::clear_results() {
  quillmere_libraries::clear_results(*this);
  mark_unsolved();
}

void FrmInletMain::format_results() { quillmere_libraries::format_results(*this, session_); }

std::string FrmInletMain::unit_system() { return session_.project.unit_system; }

hyd::UnitCoefficients& FrmInletMain::unit_coefficients() { return session_.unit_coefficients; }

hyd::FlowData FrmInletMain::flow_data() {
  hyd::FlowData f;
  f.storm_frequency = text("storm_frequency");
  f.cf = text("Cf");
  f.tc = text("Tc");
  f.tc_str = text("TcStr");
  f.tc_option_str = text("Tcoptionstr");
  f.tc_computed = control(kComputedTc.name()).value();
  for (std::size_t side = 0; side < 2; ++side) {
    f.area_str[side] = text(kAreaStr[side]);
    f.c_str[side] = text(kCStr[side]);
    f.total_area[side] = text(kTotalArea[side]);
    f.total_ca[side] = text(kTotalCA[side]);
    f.carryover[side] = text(kCarryover[side]);
    f.discharge[side] = text(kDischarge[side]);
  }
  f.intensity = text("Intensity");
  f.qtotal = text(hyd::controls::QTotal);
  f.sump = text("inlet_location") == hyd::sump;
  return f;
}

void FrmInletMain::write_flow(const hyd::FlowWrites& w) {
  auto put = [this](hyd::Box box, const std::optional<std::string>& value) {
    if (value) set_text(box, *value);
  };
  auto put_sides = [&put](const Sides& boxes, const std::array<std::optional<std::string>, 2>& values) {
    for (std::size_t side = 0; side < 2; ++side) put(boxes[side], values[side]);
  };
  put("Tc", w.tc);
  put("TcStr", w.tc_str);
  put("Tcoptionstr", w.tc_option_str);
  if (w.tc_computed) control(kComputedTc.name()).set_value(*w.tc_computed);
  put_sides(kAreaStr, w.area_str);
  put_sides(kCStr, w.c_str);
  put_sides(kTotalArea, w.total_area);
  put_sides(kTotalCA, w.total_ca);
  put_sides(kCarryover, w.carryover);
  put("Intensity", w.intensity);
  put_sides(kDischarge, w.discharge);
  put(hyd::controls::QTotal, w.qtotal);
}

void FrmInletMain::write_grate_opening(const GrateOpening& grate) {
  set_text(hyd::controls::txtArea, grate.area);
  set_text(hyd::controls::txtPeri, grate.perimeter);
}

}  // namespace rg::inlet
