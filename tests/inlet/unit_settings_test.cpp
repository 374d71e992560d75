// The inlet design form's unit defaults, lists and result boxes, on a stand-in
// form that declares only the controls they reach by name.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"
#include "hydraulics/controls.h"
#include "inlet/unit_settings.h"
#include "platform/ui/scripted_desktop.h"

using namespace rg;
namespace c = hyd::controls;
namespace lib = inlet::quillmere_libraries;

namespace {

// The controls the procedures touch, each list counting its Click.
class StandInForm : public ui::Form {
 public:
  StandInForm() : ui::Form("frminletmain", "Ravelgrit", ui::FormKind::MainWindow) {}
  std::map<std::string, int> clicks;

 protected:
  void design() override {
    using K = ui::ControlKind;
    auto& tabs = add("SSTab1", K::TabControl);
    for (int i = 0; i < 4; ++i) add("tab" + std::to_string(i), K::TabPage, {&tabs});
    for (const char* box : {"allowable_spread", "areabufstr1", "areabufstr2", "cbufstr1", "cbufstr2", "TcStr",
                            "Tcoptionstr", "Cf", "Tc"}) {
      add(box, K::TextBox);
    }
    for (const char* check :
         {"Check_ComputeTc", "input_dischargecheck", "compute_dischargecheck", "input_Icheck", "compute_Icheck"}) {
      add(check, K::CheckBox);
    }
    for (c::Name box : c::geometry_inputs) add(std::string(box), is_list(box) ? K::ComboBox : K::TextBox);
    for (const char* list : {"offset_location", "inlet_type", "inlet_subtype", "inlet_location", "storm_frequency"}) {
      add(list, K::ComboBox);
    }
    for (c::Name box : c::result_boxes) add(std::string(box), K::TextBox);
    for (const auto& group : inlet::unit_label_groups) {
      for (int i = 0; i < group.count; ++i) add(inlet::element_name(group, i), K::Label);
    }
    for (const auto& control : controls()) {
      if (control->kind() == K::ComboBox) {
        ui::Control* list = control.get();
        list->Click = [this, list] { ++clicks[list->name()]; };
      }
    }
  }

 private:
  static bool is_list(c::Name box) {
    return box == c::cboType || box == c::cboThroat || box == c::cboClog || box == c::cboCurb;
  }
};

class UnitSettings : public ::testing::Test {
 protected:
  // A loaded form with its lists filled, in a project of the unit system.
  void open(const std::string& units, bool shared = false) {
    session = std::make_unique<app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.unit_system = units;
    session->project.shared_project = shared;
    form.clicks.clear();
    form.load();
    lib::fill_input_lists(form, *session);
  }
  std::string text(std::string_view name) const { return form.control(name).text(); }
  std::string caption(std::string_view name) const { return form.control(name).caption(); }

  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;
  StandInForm form;
};

using Texts = std::map<std::string, std::string>;

struct UnitCase {
  std::string units;
  Texts texts;     // boxes and lists after the settings
  Texts captions;  // unit labels
  std::string number_format;
  std::vector<float> coefficients;  // Ku, Ks, Kc, k, Cw, unit length factor
};

const UnitCase unit_cases[] = {
    {"ENGLISH",
     {{"allowable_spread", "8.0"}, {"txtS", "0.010"}, {"txta", "2.000"}, {"txthco", "4.000"}, {"txtPeri", "6.000"},
      {"txtAngle", "0.00"}, {"Tc", "5.0"}, {"Cf", "1.0"}, {"TcStr", ""}, {"cboType", "P-1-7/8"},
      {"inlet_type", "Curb Inlet"}, {"inlet_location", "CONTINUOUS GRADE"}, {"storm_frequency", "2"}},
     {{"ftm(18)", "ft"}, {"ftpftmpm(6)", "ft/ft"}, {"cfscms(8)", "cfs"}, {"inmm(0)", "in/hr"}, {"inmm(5)", "in"},
      {"sfsm(2)", "sf"}, {"acha(1)", "Ac."}, {"ftpsecmpsec", "ft/sec"}, {"inputintunit", "in/hr"}},
     "#0.000",
     {0.56f, 0.15f, 0.6f, 1.486f, 2.3f, 12.0f}},
    // Anything but "ENGLISH" is metric.
    {"",
     {{"allowable_spread", "3.0"}, {"txtS", "0.0100"}, {"txta", "50.0000"}, {"txthco", "200.0000"},
      {"txtPeri", "2.0000"}, {"txtAngle", "0.00"}, {"cboType", "P-50"}, {"offset_location", "RIGHT"}},
     {{"ftm(0)", "m"}, {"ftpftmpm(0)", "m/m"}, {"cfscms(0)", "cms"}, {"inmm(0)", "mm/hr"}, {"inmm(1)", "mm"},
      {"sfsm(0)", "sm"}, {"acha(0)", "Ha"}, {"ftpsecmpsec", "m/sec"}, {"inputintunit", "mm/hr"}},
     "#0.0000",
     {0.376f, 0.0828f, 0.817f, 1.0f, 1.66f, 1000.0f}},
};

TEST_F(UnitSettings, ANewInletStartsInTheProjectsUnits) {
  for (const UnitCase& k : unit_cases) {
    SCOPED_TRACE("units \"" + k.units + "\"");
    open(k.units);
    session->unit_coefficients.gravity = 99.0f;
    session->handover.area1_selected = session->handover.area2_selected = true;
    form.control("SSTab1").set_current_tab(3);
    form.control("compute_Icheck").set_value(1);
    form.control("TcStr").set_text("5;10");

    lib::initial_unit_settings(form, *session);

    for (const auto& [box, expected] : k.texts) EXPECT_EQ(text(box), expected) << box;
    for (const auto& [label, expected] : k.captions) EXPECT_EQ(caption(label), expected) << label;
    EXPECT_EQ(session->number_format, k.number_format);
    const hyd::UnitCoefficients& u = session->unit_coefficients;
    EXPECT_EQ((std::vector<float>{u.gutter_flow_coefficient, u.side_flow_coefficient, u.curb_length_coefficient,
                                  u.manning_unit_factor, u.weir_coefficient, u.unit_length_factor}),
              k.coefficients);
    EXPECT_EQ(u.gravity, 99.0f) << "left to the computations in a sag";
    EXPECT_FALSE(form.control("txtAngle").enabled());
    // An entered discharge and intensity.
    EXPECT_EQ(form.control("input_dischargecheck").value() + 2 * form.control("input_Icheck").value(), 3);
    EXPECT_EQ(form.control("compute_dischargecheck").value() + form.control("compute_Icheck").value(), 0);
    EXPECT_EQ(form.control("SSTab1").current_tab(), 0);
    EXPECT_FALSE(session->handover.area1_selected || session->handover.area2_selected);
    // Each list's first item is picked as a user picks it.
    EXPECT_EQ(form.clicks["inlet_subtype"], 2);
    EXPECT_EQ(form.clicks["cboType"], 1);
    form.unload();
  }
}

TEST_F(UnitSettings, ListsByUnitSystemAndProjectKind) {
  open("METRIC", true);
  EXPECT_EQ(form.control("storm_frequency").items(), (std::vector<std::string>{"2", "10", "25", "50", "100"}));
  EXPECT_EQ(form.control("cboType").items(),
            (std::vector<std::string>{"P-50", "P-30", "Curved Vane", "30\u00B0- 85 Tilt Bar",
                                      "45\u00B0- 85 Tilt Bar", "P-50x100", "Reticuline"}));
  form.unload();
  open("ENGLISH", false);
  EXPECT_EQ(form.control("storm_frequency").items(),
            (std::vector<std::string>{"2", "5", "10", "25", "50", "100"}));
  EXPECT_EQ(form.control("cboType").item(3), "30\u00B0 Tilt Bar");
  EXPECT_EQ(form.control("cboClog").items(), (std::vector<std::string>{"0", "25", "50", "75", "100"}));
}

TEST_F(UnitSettings, AResetRestoresTheGeometryButNotTheSpread) {
  const std::map<std::string, std::pair<std::string, std::string>> reset = {
      {"ENGLISH", {"0.0100", "2.000"}}, {"METRIC", {"0.01000", "0.6000"}}};
  for (const auto& [units, expected] : reset) {
    SCOPED_TRACE(units);
    open(units);
    lib::initial_unit_settings(form, *session);
    form.control("allowable_spread").set_text("6.5");
    form.control("txtS").set_text("0.05");
    form.control("cboLength").set_text("9.000");
    form.control("cboType").set_list_index(4);
    form.control("txtAngle").set_enabled(true);
    form.control("txtAngle").set_text("45.00");

    lib::reset_geometry_inputs(form, *session);

    EXPECT_EQ(text("allowable_spread"), "6.5");
    EXPECT_EQ(text("txtS") + " " + text("cboLength"), expected.first + " " + expected.second);
    EXPECT_EQ(form.control("cboType").list_index(), 0);
    EXPECT_EQ(text("txtAngle"), "0.00");
    EXPECT_FALSE(form.control("txtAngle").enabled());
    form.unload();
  }
}

TEST_F(UnitSettings, DisablingKeepsTheInputsAndClearingEmptiesTheResults) {
  open("ENGLISH");
  lib::initial_unit_settings(form, *session);
  for (c::Name box : c::result_boxes) form.control(box).set_text("1.5");
  lib::disable_geometry_inputs(form);
  lib::clear_results(form);
  for (c::Name box : c::geometry_inputs) {
    EXPECT_FALSE(form.control(box).enabled()) << box;
    EXPECT_EQ(form.control(box).back_color(), 0x8000000Fu) << box;
  }
  EXPECT_EQ(text("txtW") + text("cboType"), "2.000P-1-7/8");
  int emptied = 0;
  for (c::Name box : c::result_boxes) emptied += text(box).empty() ? 1 : 0;
  EXPECT_EQ(emptied, 26);
}

TEST_F(UnitSettings, FormattingUsesEachBoxsPattern) {
  open("ENGLISH");
  session->number_format = "#0.000";
  for (c::Name box : c::result_boxes) form.control(box).set_text("0.12345");
  lib::format_results(form, *session);
  // The cross slopes and efficiencies keep four decimals, the flow regime its
  // text, every other box number_format's three.
  const std::map<std::string, std::string> four = {
      {"txtSpw", "0.1235"}, {"txtSe", "0.1235"}, {"txtRf", "0.1235"}, {"txtRs", "0.1235"}, {"txtResFlo", "0.12345"}};
  for (c::Name box : c::result_boxes) {
    const auto it = four.find(std::string(box));
    EXPECT_EQ(text(box), it == four.end() ? "0.123" : it->second) << box;
  }
}

TEST_F(UnitSettings, FormattingRoundsHalvesAwayAndLeavesNonNumbers) {
  struct Case {
    std::string number_format;
    std::string box, before, after;
  };
  const Case cases[] = {
      {"#0.000", "txtSpread", "1.0005", "1.001"},
      {"#0.000", "txtQc", "-1.0005", "-1.001"},
      {"#0.000", "txtE", "0.5", "0.500"},
      {"#0.000", "txtV", "", ""},
      {"#0.000", "txtDepth", "abc", "abc"},
      {"#0.000", "txtResFlo", "Weir Flow", "Weir Flow"},
      {"#0.000", "txtGutterSpread", "12", "12.000"},
      {"#0.000", "txtSe", "0.06255", "0.0626"},
      {"#0.0000", "txtSpread", "2.67545", "2.6755"},
      {"#0.0000", "txtQi", "0.04", "0.0400"},
      {"#0.0000", "txtRf", "1", "1.0000"},
  };
  open("ENGLISH");
  for (const Case& k : cases) {
    SCOPED_TRACE(k.box + " " + k.before + " with " + k.number_format);
    session->number_format = k.number_format;
    form.control(k.box).set_text(k.before);
    lib::format_results(form, *session);
    EXPECT_EQ(text(k.box), k.after);
  }
}

}  // namespace
