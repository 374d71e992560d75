// Stand-in until the unit defaults, lists, result boxes and grate pickers land.

#include "app/session.h"
#include "hydraulics/controls.h"
#include "inlet/grate_pickers.h"
#include "inlet/unit_settings.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

namespace {
bool english(app::Session& s) { return s.project.unit_system == "ENGLISH"; }
struct Default {
  const char* box;
  const char* english;
  const char* metric;
};
const Default kDefaults[] = {
    {"txtS", "0.010", "0.0100"},    {"txtn", "0.015", "0.015"},       {"txtW", "2.000", "0.6000"},
    {"txtSx", "0.0208", "0.0200"},  {"txtSw", "0.0833", "0.0833"},    {"txtWa", "2.000", "0.6000"},
    {"txta", "2.000", "50.0000"},   {"cboLength", "2.000", "0.6000"}, {"cboLCOUG", "2.000", "0.6000"},
    {"txtWg", "2.000", "0.6000"},   {"txtzl", "3.000", "3.000"},      {"txtzr", "3.000", "3.000"},
    {"txthco", "4.000", "200.0000"}, {"txtPeri", "6.000", "2.0000"},  {"txtArea", "4.000", "1.2000"},
    {"txtslotw", "4.000", "100.0000"}};
void first_items(ui::Form& f, std::initializer_list<const char*> lists) {
  for (const char* l : lists) f.control(l).set_list_index(0);
}
}  // namespace

void initial_unit_settings(ui::Form& f, app::Session& s) {
  for (const char* b : {"areabufstr1", "areabufstr2", "cbufstr1", "cbufstr2", "TcStr"}) f.control(b).set_text("");
  f.control("Check_ComputeTc").set_value(0);
  f.control("Tcoptionstr").set_text("");
  f.control("Cf").set_text("1.0");
  f.control("input_dischargecheck").set_value(1);
  f.control("compute_dischargecheck").set_value(0);
  f.control("input_Icheck").set_value(1);
  f.control("compute_Icheck").set_value(0);
  f.control("Tc").set_text("5.0");
  f.control("SSTab1").set_current_tab(0);
  const bool e = english(s);
  f.control("allowable_spread").set_text(e ? "8.0" : "3.0");
  for (const auto& d : kDefaults) f.control(d.box).set_text(e ? d.english : d.metric);
  s.number_format = e ? "#0.000" : "#0.0000";
  hyd::set_unit_defaults(s.unit_coefficients, s.project.unit_system);
  f.control("txtAngle").set_enabled(false);
  f.control("txtAngle").set_text("0.00");
  first_items(f, {"offset_location", "inlet_type", "inlet_subtype", "inlet_location", "storm_frequency",
                  "inlet_subtype", "cboCurb", "cboThroat", "cboClog", "cboType"});
  s.handover.area1_selected = s.handover.area2_selected = false;
}

void fill_input_lists(ui::Form& f, app::Session& s) {
  auto add = [&f](const char* list, std::initializer_list<const char*> items) {
    for (const char* i : items) f.control(list).add_item(i);
  };
  if (english(s)) {
    add("cboType", {"P-1-7/8", "P-1-1/8", "Curved Vane", "30\xC2\xB0 Tilt Bar", "45\xC2\xB0 Tilt Bar", "P-1-7/8-4",
                    "Reticuline"});
  } else {
    add("cboType", {"P-50", "P-30", "Curved Vane", "30\xC2\xB0- 85 Tilt Bar", "45\xC2\xB0- 85 Tilt Bar", "P-50x100",
                    "Reticuline"});
  }
  add("cboThroat", {"Vertical", "Horizontal", "Inclined"});
  add("cboCurb", {"With Curb", "Without Curb"});
  add("cboClog", {"0", "25", "50", "75", "100"});
  add("inlet_type", {"Curb Inlet", "Grate Inlet", "Combination Curb and Grate Inlet", "Slotted Inlet",
                     "Grate Inlet in a Ditch"});
  add("inlet_location", {"CONTINUOUS GRADE", "SUMP"});
  add("offset_location", {"RIGHT", "LEFT"});
  add("storm_frequency", {"2"});
  if (!s.project.shared_project) add("storm_frequency", {"5"});
  add("storm_frequency", {"10", "25", "50", "100"});
  add("inlet_subtype", {"DI-3A", "DI-3B", "DI-4A", "DI-4B"});
}

void reset_geometry_inputs(ui::Form& f, app::Session& s) {
  const bool e = english(s);
  for (const auto& d : kDefaults) {
    const std::string box = d.box;
    if (box == "txtS") {
      f.control(d.box).set_text(e ? "0.0100" : "0.01000");
    } else {
      f.control(d.box).set_text(e ? d.english : d.metric);
    }
  }
  first_items(f, {"cboCurb", "cboThroat", "cboClog", "cboType"});
  f.control("txtAngle").set_enabled(false);
  f.control("txtAngle").set_text("0.00");
}

void disable_geometry_inputs(ui::Form& f, app::Session&) {
  for (auto name : hyd::controls::geometry_inputs) f.control(name).set_enabled(false);
  for (auto name : hyd::controls::geometry_inputs) f.control(name).set_back_color(ui::kButtonFace);
}

void clear_results(ui::Form& f, app::Session&) {
  for (auto name : hyd::controls::result_boxes) f.control(name).set_text("");
}

void format_results(ui::Form& f, app::Session& s) {
  for (auto name : hyd::controls::result_boxes) {
    if (name == hyd::controls::txtResFlo) continue;
    const bool four = name == "txtSpw" || name == "txtSe" || name == "txtRf" || name == "txtRs";
    auto& c = f.control(name);
    c.set_text(text::format_text(c.text(), four ? "0.0000" : s.number_format));
  }
}

void show_grate_picker(ui::Form&, app::Session&) {}

}  // namespace rg::inlet
