// How the boxes of the inlet design form behave while the user works in them:
// the identification tab, the flow data with the previous inlets, and the
// inlet details.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "app/input_helpers.h"
#include "app/session.h"
#include "hydraulics/dispatch.h"
#include "inlet/grate_pickers.h"
#include "inlet/inlet_form.h"
#include "inlet/inlet_form_showing.h"
#include "inlet/inlet_store.h"
#include "inlet/unit_settings.h"
#include "platform/db/connection.h"
#include "platform/text/ascii_case.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

namespace helpers = app::quillmere_libraries;
using ui::Buttons;
using ui::Control;
using ui::Icon;
using ui::show_box;

namespace {

constexpr const char* kNotInList = "Value not present in the list... Please enter a valid value..";

// The standard inlets offered for each kind, on a grade and in a sag.
struct Subtypes {
  std::string_view kind;
  std::vector<std::string_view> grade;
  std::vector<std::string_view> sag;
};

const std::vector<Subtypes>& subtype_table() {
  static const std::vector<Subtypes> table = {
      {"Curb Inlet",
       {"DI-3A", "DI-3AA", "DI-3B", "DI-3BB", "DI-3D", "DI-3DD", "DI-3E", "DI-3EE", "DI-4A", "DI-4AA", "DI-4B",
        "DI-4BB", "DI-4D", "DI-4DD", "DI-4E", "DI-4EE"},
       {"DI-3A", "DI-3AA", "DI-3C", "DI-3CC", "DI-3D", "DI-3DD", "DI-3F", "DI-3FF", "DI-4A", "DI-4AA", "DI-4C",
        "DI-4CC", "DI-4D", "DI-4DD", "DI-4F", "DI-4FF"}},
      {"Grate Inlet", {"DI-1", "DI-1A", "DI-9"}, {"DI-1", "DI-1A", "DI-9"}},
      {"Combination Curb and Grate Inlet",
       {"DI-2A", "DI-2AA", "DI-2B", "DI-2BB", "DI-2D", "DI-2DD", "DI-2E", "DI-2EE", "DI-10G", "DI-10H", "DI-10J",
        "DI-10K", "DI-14A", "DI-14B", "DI-14D", "DI-14E"},
       {"DI-2A", "DI-2AA", "DI-2C", "DI-2CC", "DI-2D", "DI-2DD", "DI-2F", "DI-2FF", "DI-10G", "DI-10I", "DI-10J",
        "DI-10L", "DI-14A", "DI-14C", "DI-14D", "DI-14F"}},
      {"Slotted Inlet", {"DI-13"}, {"DI-13"}},
      {"Grate Inlet in a Ditch",
       {"DI-5", "DI-7", "DI-7A", "DI-7B", "DI-12", "DI-12A", "DI-12B", "DI-12C"},
       {"DI-5", "DI-7", "DI-7A", "DI-7B", "DI-12", "DI-12A", "DI-12B", "DI-12C"}},
  };
  return table;
}

std::vector<std::string> inlet_subtypes(std::string_view kind, std::string_view location) {
  const bool grade = location == hyd::continuous_grade;
  std::vector<std::string> items;
  for (const auto& row : subtype_table()) {
    if (row.kind != kind || (!grade && location != hyd::sump)) continue;
    for (auto name : grade ? row.grade : row.sag) items.emplace_back(name);
  }
  return items;
}

int item_index(const Control& list, const std::string& text) {
  for (int i = 0; i < list.list_count(); ++i) {
    if (list.item(i) == text) return i;
  }
  return -1;
}

// A sum of box texts, or nothing when one of them is not a number.
std::optional<double> sum_of(const std::vector<const Control*>& boxes) {
  double sum = 0;
  for (const Control* b : boxes) {
    const auto v = text::parse_number(b->text());
    if (!v) return std::nullopt;
    sum += *v;
  }
  return sum;
}

}  // namespace

// The handlers, with the form's private state at hand.
struct TabRules {
  FrmInletMain& f;
  app::Session& session;
  FrmInletMain::Showing& s;

  Control& c(std::string_view name) { return f.control(name); }
  bool code() const { return s.code_depth > 0; }
  void format(Control& box, std::string_view pattern) { box.set_text(text::format_text(box.text(), pattern)); }
  void clear_results() { f.clear_results(); }

  // A number box refuses a text that is not a number when it is left, blanks
  // alone included; an empty box is the box's own rules' business.
  void refuse_non_number(Control& box, bool& cancel) {
    if (!box.text().empty() && !text::is_number(box.text())) helpers::validate_number_box(session, box, cancel);
  }
  void number_entry(Control& box, bool key_filter = true) {
    box.GotFocus = [&box] { helpers::select_all_text(box); };
    if (key_filter) box.KeyPress = [&box](int& key) { helpers::numeric_keypress(box, key); };
    box.Validate = [this, &box](bool& cancel) { refuse_non_number(box, cancel); };
  }

  // A list whose text must begin one of its items. A typed text is completed
  // to its item and then runs the rules a choice from the list runs.
  void choice_list(Control& list, std::function<void()> on_choice) {
    list.Click = [this, &list, on_choice] {
      s.ruled_text[&list] = list.text();
      on_choice();
    };
    auto got = list.GotFocus;
    list.GotFocus = [this, &list, got] {
      s.ruled_text[&list] = list.text();
      if (got) got();
    };
    list.Validate = [this, &list](bool& cancel) {
      if (helpers::validate_combo_entry(session, list) != 0) {
        cancel = true;
        return;
      }
      const int index = item_index(list, list.text());
      if (index >= 0 && list.text() != s.ruled_text[&list]) {
        CodeScope scope(s.code_depth);
        list.set_list_index(index);
      }
    };
  }
  // A Click handler's Tab: the focus moves on only after the user's own choice.
  void tab_after_user_choice(Control& list) {
    if (!code() && f.active_control() == &list) f.send_tab();
  }

  // --- Identification ------------------------------------------------------------

  void inlet_location_Click() {
    auto& location = c("inlet_location");
    {
      CodeScope scope(s.code_depth);
      quillmere_libraries::reset_geometry_inputs(f, session);
    }
    if (location.text() == hyd::continuous_grade) {
      c("areabufstr2").set_text("");
      c("cbufstr2").set_text("");
      c("totalarea2").set_text("0.0");
      c("totalca2").set_text("0.0");
      c("preinlet2").set_text("");
      c("carryover2").set_text("0.0");
      f.discharge1_LostFocus();
    } else if (location.text() == hyd::sump) {
      c("txtS").set_text("0.001");
    }
    // The geometry has been reset for this location already.
    s.remembered_kind = location.text();
    f.fill_inlet_subtype_list();
    after_kind_or_location(location);
  }

  void inlet_type_Click() {
    const auto& location = c("inlet_location").text();
    if (location == hyd::continuous_grade) {
      f.discharge1_LostFocus();
    } else if (location == hyd::sump) {
      c("txtS").set_text("0.001");
    }
    after_kind_or_location(c("inlet_type"));
  }

  void after_kind_or_location(Control& list) {
    // A standard of another kind or location would reach the agency's form.
    auto& standard = c("inlet_subtype");
    const auto offered = inlet_subtypes(c("inlet_type").text(), c("inlet_location").text());
    if (std::find(offered.begin(), offered.end(), standard.text()) == offered.end()) standard.set_text("");
    quillmere_libraries::disable_geometry_inputs(f);
    f.status_panel2(" - -- ");
    tab_after_user_choice(list);
  }

  void kind_or_location_LostFocus(Control& list) {
    if (list.text() == s.remembered_kind) return;
    s.remembered_kind = list.text();
    if (&list == &c("inlet_location")) f.fill_inlet_subtype_list();
    CodeScope scope(s.code_depth);
    quillmere_libraries::reset_geometry_inputs(f, session);
  }

  void apply_offset_side_sign() {
    auto& offset = c("offset");
    if (offset.text().empty()) return;
    auto x = text::parse_number(offset.text());
    if (!x) return;  // refused when the box was left
    const auto& side = c("offset_location").text();
    if ((side == "LEFT" && *x > 0) || (side == "RIGHT" && *x < 0)) *x = -*x;
    offset.set_text(text::format_number(*x, session.number_format));
  }

  void wire_identification() {
    auto& number = c("Inlet_Number");
    number.GotFocus = [&number] { helpers::select_all_text(number); };
    number.LostFocus = [this, &number] { c("lblStatus").set_caption(number.text()); };

    auto& type = c("inlet_type");
    type.GotFocus = [this, &type] {
      f.inlet_number_gate(f.adding());
      s.remembered_kind = type.text();
    };
    choice_list(type, [this] { inlet_type_Click(); });
    type.LostFocus = [this, &type] { kind_or_location_LostFocus(type); };

    auto& location = c("inlet_location");
    location.GotFocus = [this, &location] { s.remembered_kind = location.text(); };
    choice_list(location, [this] { inlet_location_Click(); });
    location.LostFocus = [this, &location] { kind_or_location_LostFocus(location); };

    choice_list(c("offset_location"), [this] { apply_offset_side_sign(); });
    // Built afresh for the kind and location whenever the user comes to open it.
    c("inlet_subtype").GotFocus = [this] { f.fill_inlet_subtype_list(); };

    auto& offset = c("offset");
    number_entry(offset);
    offset.Validate = [this, &offset](bool& cancel) {
      if (offset.text().empty()) {
        offset.set_text("0.0");
      } else {
        helpers::validate_number_box(session, offset, cancel);
      }
    };
    offset.LostFocus = [this, &offset] {
      if (offset.text().empty()) {
        offset.set_text("0.00");
      } else {
        apply_offset_side_sign();
      }
    };
    for (const char* name : {"Station", "RoadWay"}) {
      auto& box = c(name);
      box.GotFocus = [&box] { helpers::select_all_text(box); };
    }
    c("grate_help").Click = [this] {
      if (!c("txtPeri").enabled()) return;
      if (const auto grate = show_grate_picker(session)) f.write_grate_opening(*grate);
    };
  }

  // --- Flow data -------------------------------------------------------------------

  bool hydrology() const { return static_cast<bool>(session.services.compute_discharge); }
  void compute_discharge() {
    if (session.services.compute_discharge) session.services.compute_discharge();
  }
  // A rainfall service for the storm frequency shown, which must be one of
  // the list's items; false when the service is not offered, the frequency is
  // refused or the look-up found nothing.
  bool for_storm_frequency(const std::function<bool(int return_period)>& service) {
    if (!service) return false;
    auto& frequency = c("storm_frequency");
    if (item_index(frequency, frequency.text()) < 0) {
      refuse_frequency();
      return false;
    }
    return service(std::stoi(frequency.text()));
  }
  bool rainfall_lookup() { return for_storm_frequency(session.services.look_up_rainfall); }
  // A frequency the rainfall data do not serve (an older project's "5", a typed
  // "10.0") is named, and nothing worked out for another stays on the screen.
  void refuse_frequency() {
    const auto& frequency = c("storm_frequency");
    std::string served;
    for (const auto& item : frequency.items()) served += (served.empty() ? "" : ", ") + item;
    const std::string what = frequency.text().empty()
                                 ? std::string("No storm frequency is chosen")
                                 : "The rainfall data cannot serve the storm frequency \"" + frequency.text() + "\"";
    show_box(session.desktop(),
             what + ": choose one of " + served +
                 " years. Until then the intensity and the discharge cannot be computed.",
             Buttons::OK, Icon::Exclamation);
    if (c("compute_I").value() == 1) c("Intensity").set_text("");
    c("discharge1").set_text("");
    if (c("inlet_location").text() == hyd::sump) c("discharge2").set_text("");
    c("QTotal").set_text("");
  }
  // False when the look-up was refused: then nothing is worked out from the
  // old intensity.
  bool lookup_and_intensity() { return for_storm_frequency(session.services.compute_intensity); }

  void compute_discharge_Click() {
    if (c("compute_dischargecheck").value() == 1) return;
    // The intensity option this sets is no choice of the user's.
    CodeScope scope(s.code_depth);
    c("compute_dischargecheck").set_value(1);
    c("input_dischargecheck").set_value(0);
    for (const char* b : {"discharge1", "discharge2", "QTotal"}) c(b).set_text("0.0");
    c("input_discharge").set_value(0);
    f.show_compute_discharge_layout();
    c("input_I").set_value(1);
    c("input_Icheck").set_value(1);
    c("compute_Icheck").set_value(0);
    c("inputInt").set_visible(true);
    c("inputintunit").set_visible(true);
    c("compute_I").set_value(0);
    c("computeTc_frame").set_visible(false);
    if (c("storm_frequency").text().empty()) c("storm_frequency").set_text("2");
    rainfall_lookup();
  }

  void input_discharge_Click() {
    if (c("input_dischargecheck").value() == 1) return;
    CodeScope scope(s.code_depth);
    c("compute_dischargecheck").set_value(0);
    c("input_dischargecheck").set_value(1);
    c("preinlet1").set_text("");
    c("preinlet2").set_text("");
    c("carryover1").set_text("0.0");
    c("carryover_frame1").set_caption("");
    for (const char* b : {"carryover2", "totalarea1", "totalarea2", "totalca1", "totalca2"}) c(b).set_text("0.0");
    c("Tc").set_text("5.0");
    c("ITc").set_text("5.0");
    c("input_I").set_value(1);
    c("input_Icheck").set_value(1);
    c("compute_Icheck").set_value(0);
    c("inputInt").set_text("0.0");
    c("Intensity").set_text("0.0");
    for (const char* b : {"areabufstr1", "areabufstr2", "cbufstr1", "cbufstr2", "TcStr"}) c(b).set_text("");
    c("Check_ComputeTc").set_value(0);
    for (const char* b : {"discharge1", "discharge2", "QTotal"}) c(b).set_text("0.0");
    f.show_input_discharge_layout();
  }

  void compute_I_Click() {
    if (c("compute_Icheck").value() == 1) return;
    c("input_Icheck").set_value(0);
    c("compute_Icheck").set_value(1);
    c("computeTc_frame").set_visible(true);
    c("Check_ComputeTc").set_value(0);
    c("ITc").set_text("5.0");
    c("Tc").set_text("5.0");
    c("TcStr").set_text("");
    c("inputInt").set_text("0.0");
    c("Intensity").set_text("0.0");
    c("inputInt").set_enabled(false);
    c("inputInt").set_back_color(ui::kButtonFace);
    discharge_after_intensity_choice();
  }
  // The user's choice of an intensity option leaves no discharge worked out
  // from the intensity it replaced.
  void discharge_after_intensity_choice() {
    if (!code()) compute_discharge();
  }

  void input_I_Click() {
    if (c("input_Icheck").value() == 1) return;
    c("input_Icheck").set_value(1);
    c("compute_Icheck").set_value(0);
    c("inputInt").set_text("0.0");
    c("inputInt").set_enabled(true);
    c("inputInt").set_back_color(ui::kWindowBackground);
    c("Intensity").set_text("0.0");
    c("inputintunit").set_visible(true);
    c("ITc").set_text("5.0");
    c("Tc").set_text("5.0");
    c("Check_ComputeTc").set_value(0);
    c("TcStr").set_text("");
    c("computeTc_frame").set_visible(false);
    discharge_after_intensity_choice();
  }

  void ITc_LostFocus() {
    auto& itc = c("ITc");
    if (!s.itc_edited) return;
    s.itc_edited = false;
    if (c("Check_ComputeTc").value() == 1) {
      if (show_box(session.desktop(), "Do you want to clear Computed Tc Values? Y/N", Buttons::YesNo, Icon::None, {},
                   false, ui::Answer::No) != ui::Answer::Yes) {
        // The computed time stays, and so does everything worked out from it.
        itc.set_text(s.itc_text);
        return;
      }
    }
    c("Check_ComputeTc").set_value(0);
    c("TcStr").set_text("");
    c("Intensity").set_text("0.0");
    format(itc, session.number_format);
    const auto v = text::parse_number(itc.text());
    if (!v || *v < 5.0) itc.set_text("5.0");
    c("Tc").set_text(itc.text());
    if (lookup_and_intensity()) compute_discharge();
  }

  void storm_frequency_Click() {
    const auto& t = c("storm_frequency").text();
    c("Cf").set_text(t == "25" ? "1.1" : t == "50" ? "1.2" : t == "100" ? "1.25" : "1.0");
    if (c("compute_I").value() == 1 && !lookup_and_intensity()) return;
    compute_discharge();
  }

  // Side 1 (and side 2 in a sag) with carry-over: the design discharge.
  void total() {
    const bool sag = c("inlet_location").text() == hyd::sump;
    std::vector<const Control*> parts = {&c("discharge1"), &c("carryover1")};
    if (sag) parts.insert(parts.end(), {&c("discharge2"), &c("carryover2")});
    const auto sum = sum_of(parts);
    if (sum && !std::isfinite(*sum)) {
      c("QTotal").set_text("");
      show_box(session.desktop(),
               "The total discharge is too large to be worked out: the sum of the discharges and carry-overs "
               "overflows.",
               Buttons::OK, Icon::Exclamation);
      return;
    }
    c("QTotal").set_text(sum ? text::format_number(*sum, session.number_format) : std::string());
  }

  void discharge2_LostFocus() {
    for (const char* b : {"discharge1", "discharge2", "carryover1", "carryover2"}) {
      if (c(b).text().empty()) c(b).set_text("0.0");
    }
    format(c("discharge2"), session.number_format);
    total();
  }

  void wire_flow_data() {
    c("compute_discharge").Click = [this] { compute_discharge_Click(); };
    c("input_discharge").Click = [this] { input_discharge_Click(); };
    c("compute_I").Click = [this] { compute_I_Click(); };
    c("input_I").Click = [this] { input_I_Click(); };
    // Until the hydrology dialogs are offered, their buttons do nothing.
    c("cmdcomputeTc").Click = [this] {
      if (!session.services.tc_dialog) return;
      c("ITc").set_text("5.0");
      session.desktop().show_modal(session.services.tc_dialog());
      if (lookup_and_intensity()) compute_discharge();
    };
    c("cmdComputeDsicharge").Click = [this] {
      if (!hydrology()) return;
      if (c("compute_Icheck").value() == 1 && !lookup_and_intensity()) return;
      compute_discharge();
    };
    for (int side : {1, 2}) {
      c(side == 1 ? "cmdinputArea1" : "cmdinputArea2").Click = [this, side] {
        if (!session.services.area_dialog) return;
        if (side == 1 && !f.commit_focused()) return;
        session.handover.area_side = side == 1 ? app::AreaSide::side1 : app::AreaSide::side2;
        session.desktop().show_modal(session.services.area_dialog());
      };
    }

    auto& itc = c("ITc");
    number_entry(itc);
    itc.GotFocus = [this, &itc] {
      s.itc_edited = false;
      s.itc_text = itc.text();
      helpers::select_all_text(itc);
    };
    itc.Change = [this] { s.itc_edited = true; };
    itc.LostFocus = [this] { ITc_LostFocus(); };

    auto& tc = c("Tc");
    tc.LostFocus = [&tc] {
      const auto v = text::parse_number(tc.text());
      if (!v || *v < 5.0) tc.set_text("5.0");
    };

    auto& frequency = c("storm_frequency");
    choice_list(frequency, [this] { storm_frequency_Click(); });
    frequency.Validate = [this, &frequency, list_rule = frequency.Validate](bool& cancel) {
      const auto& t = frequency.text();
      const auto& items = frequency.items();
      if (!t.empty() && std::none_of(items.begin(), items.end(), [&t](const std::string& item) {
            return item.starts_with(t);
          })) {
        refuse_frequency();
        cancel = true;
        return;
      }
      list_rule(cancel);
    };

    auto& input_int = c("inputInt");
    number_entry(input_int);
    input_int.LostFocus = [this, &input_int] {
      format(input_int, session.number_format);
      c("Intensity").set_text(input_int.text());
      compute_discharge();
    };

    auto& q1 = c("discharge1");
    number_entry(q1);
    q1.LostFocus = [this] { f.discharge1_LostFocus(); };
    auto& q2 = c("discharge2");
    number_entry(q2, false);
    q2.LostFocus = [this] { discharge2_LostFocus(); };

    for (int side : {1, 2}) {
      auto& list = c(side == 1 ? "preinlet1" : "preinlet2");
      list.GotFocus = [this, &list, side] { s.preinlet_text[static_cast<std::size_t>(side)] = list.text(); };
      list.LostFocus = [this, side] { check_previous_inlet(side); };
    }
  }

  // Computed or entered discharge, on a grade or in a sag.
  void layout(bool computed) {
    for (const char* name : {"compute_frame", "lblTc", "lblIntensity", "lblcf", "Tc", "Cf", "Intensity", "tcunit",
                             "inmm(0)"}) {
      c(name).set_visible(computed);
    }
    const bool sag = c("inlet_location").text() == hyd::sump;
    if (computed) {
      c("compute1_frame").set_visible(true);
      c("compute1_frame").set_caption(sag ? "LEFT" : "");
      c("compute2_frame").set_visible(sag);
      c("cmdinputArea1").set_caption(sag ? "COMPUTE-LEFT" : "COMPUTE");
    }
    c("cmdinputArea1").set_visible(true);
    c("cmdinputArea2").set_visible(sag);
    auto& frame1 = c("discharge1_frame");
    frame1.set_visible(true);
    frame1.set_enabled(!computed);
    frame1.set_caption(sag ? "Left Discharge" : "Discharge");
    c("discharge2_frame").set_visible(sag);
    c("discharge2_frame").set_enabled(!computed);
    const ui::Color face = computed ? ui::kButtonFace : ui::kWindowBackground;
    c("discharge1").set_back_color(face);
    if (sag) c("discharge2").set_back_color(face);
    c("carryover_frame1").set_visible(true);
    c("carryover_frame1").set_caption(sag ? "LEFT" : "");
    c("carryover_frame2").set_visible(sag);
    c("carryover_frame2").set_caption("RIGHT");
  }

  // --- Previous inlets ------------------------------------------------------------

  void check_previous_inlet(int side) {
    auto& list = c(side == 1 ? "preinlet1" : "preinlet2");
    auto& carry = c(side == 1 ? "carryover1" : "carryover2");
    const auto& other = c(side == 1 ? "preinlet2" : "preinlet1").text();
    auto refuse = [this, &list] {
      c("SSTab1").set_current_tab(1);
      if (list.can_take_focus()) f.set_focus(list);
    };
    list.set_text(text::trim(list.text()));
    const std::string chosen = list.text();
    if (chosen.empty()) {
      carry.set_text("0.0");
      total();
      return;
    }
    if (text::iequal(chosen, c("Inlet_Number").text())) {
      list.set_text("");
      show_box(session.desktop(), "Previous Inlet is same as Current Inlet");
      return refuse();
    }
    if (text::iequal(chosen, other)) {
      list.set_text("");
      show_box(session.desktop(), "Previous Inlet for left side CANNOT be same as right side!");
      return refuse();
    }
    if (!text::iequal(chosen, s.preinlet_text[static_cast<std::size_t>(side)])) {
      std::optional<std::string> user;
      try {
        user = store::inlet_naming_previous(session.project.connection(), chosen, c("Inlet_Number").text());
      } catch (const std::exception& e) {
        show_box(session.desktop(), e.what());
        return refuse();
      }
      if (user) {
        show_box(session.desktop(),
                 "This Inlet has already been used as a Previous Inlet for Inlet - " + *user +
                     " - Please choose a different value!",
                 Buttons::OK, Icon::Exclamation);
        list.set_text("");
        carry.set_text("0.0");
        total();
        return refuse();
      }
    }
    if (!f.set_discharge_carryover(side)) {
      // Not among the stored inlets: no bypass to take over.
      carry.set_text("0.0");
      total();
      show_box(session.desktop(), kNotInList);
      list.set_text("");
      return refuse();
    }
    total();
  }

  // --- Inlet details ------------------------------------------------------------------

  void clogging_Validate(Control& clog, bool& cancel) {
    const std::string t = text::trim(clog.text());
    if (t == ".") {
      clog.set_text("0");
      clog.set_selection(0, 1);
      return;
    }
    if (t.empty()) {
      session.desktop().beep();
      clear_results();
      return;
    }
    const auto v = text::parse_number(t);
    if (!v) {
      helpers::validate_number_box(session, clog, cancel);
      return;
    }
    clog.set_text(text::format_number(*v, "#0"));
    const auto& kind = c("inlet_type").text();
    if (*v == 0) {
      session.desktop().beep();
    } else if (*v > 99 && (kind == "Grate Inlet" || kind == "Slotted Inlet" || kind == "Grate Inlet in a Ditch")) {
      show_box(session.desktop(), "Clogged cannot be 100%! Please enter new value.", Buttons::OK, Icon::Exclamation);
      cancel = true;
      clog.set_text("0");
    }
    clear_results();
  }

  void throat_Click() {
    clear_results();
    auto& angle = c("txtAngle");
    const auto& throat = c("cboThroat").text();
    if (throat != "Vertical" && throat != "Horizontal" && throat != "Inclined") return;
    angle.set_enabled(throat == "Inclined");
    angle.set_text(throat == "Vertical" ? "0.00" : "90.00");
  }

  void wire_details() {
    // Boxes written with a fixed pattern when left.
    const std::array<std::pair<const char*, const char*>, 4> fixed = {
        {{"txtS", "0.0000"}, {"txtn", "0.000"}, {"txtSx", "0.0000"}, {"txtSw", "0.0000"}}};
    for (const auto& [name, pattern] : fixed) {
      auto& box = c(name);
      number_entry(box);
      box.LostFocus = [this, &box, p = pattern] { format(box, p); };
    }
    for (const char* name : {"TopElevation", "txtW", "allowable_spread", "txtAngle"}) number_entry(c(name));
    auto& top = c("TopElevation");
    top.LostFocus = [this, &top] { format(top, session.number_format); };
    auto& spread = c("allowable_spread");
    // Blanks alone count as empty: the box takes its default.
    spread.Validate = [this, &spread](bool& cancel) {
      if (text::trim(spread.text()).empty()) {
        spread.set_text("");
      } else {
        refuse_non_number(spread, cancel);
      }
    };
    spread.LostFocus = [this, &spread] {
      if (spread.text().empty()) spread.set_text(std::string(allowable_spread_default(f.unit_system())));
      format(spread, "0.0");
    };
    // The number boxes of the table are checked and formatted when left.
    for (const char* name : {"txtWa", "txta", "txtWg", "txtzl", "txtzr", "txthco", "txtPeri", "txtArea",
                             "txtslotw"}) {
      auto& box = c(name);
      box.LostFocus = [this, &box] { format(box, session.number_format); };
    }
    auto& length = c("cboLength");
    length.Change = [this] { clear_results(); };
    auto& upstream = c("cboLCOUG");
    for (Control* box : {&length, &upstream}) {
      box->LostFocus = [this, box] {
        format(*box, session.number_format);
        clear_results();
      };
    }

    auto& w = c("txtW");
    w.LostFocus = [this, &w] {
      const auto width = text::parse_number(w.text());
      if (!width) return;
      auto& sw = c("txtSw");
      const bool no_gutter = *width == 0;
      if (no_gutter) sw.set_text(c("txtSx").text());
      sw.set_locked(no_gutter);
      sw.set_back_color(no_gutter ? ui::kButtonFace : ui::kWindowBackground);
      format(w, session.number_format);
    };
    auto& sx = c("txtSx");
    sx.LostFocus = [this, &sx] {
      const auto width = text::parse_number(c("txtW").text());
      if (!width) {
        show_box(session.desktop(), "error in Pavement Cross slope Data!", Buttons::OK, Icon::Exclamation);
        return;
      }
      if (*width == 0) c("txtSw").set_text(sx.text());
      format(sx, "0.0000");
    };

    auto& angle = c("txtAngle");
    angle.GotFocus = [this, &angle] {
      const auto& throat = c("cboThroat").text();
      if (throat == "Vertical" || throat == "Horizontal") {
        angle.set_enabled(false);
      } else if (throat == "Inclined") {
        angle.set_enabled(true);
        helpers::select_all_text(angle);
      }
    };

    auto& clog = c("cboClog");
    clog.KeyPress = [&clog](int& key) { helpers::numeric_keypress(clog, key); };
    clog.Click = [this] { clear_results(); };
    clog.Validate = [this, &clog](bool& cancel) { clogging_Validate(clog, cancel); };
    choice_list(c("cboType"), [this] { clear_results(); });
    choice_list(c("cboCurb"), [this] { clear_results(); });
    choice_list(c("cboThroat"), [this] { throat_Click(); });
  }
};

void FrmInletMain::wire_tab_rules() {
  auto& s = shown();
  s.rules = std::make_shared<TabRules>(TabRules{*this, session_, s});
  s.rules->wire_identification();
  s.rules->wire_flow_data();
  s.rules->wire_details();
}

void FrmInletMain::fill_inlet_subtype_list() {
  control("inlet_subtype").set_items(inlet_subtypes(control("inlet_type").text(), control("inlet_location").text()));
}

void FrmInletMain::discharge1_LostFocus() {
  for (const char* b : {"discharge1", "discharge2", "carryover1", "carryover2"}) {
    if (control(b).text().empty()) control(b).set_text("0.0");
  }
  auto& q1 = control("discharge1");
  q1.set_text(text::format_text(q1.text(), session_.number_format));
  if (control("inlet_location").text() == hyd::sump) {
    auto& q2 = control("discharge2");
    q2.set_text(text::format_text(q2.text(), session_.number_format));
  } else {
    control("discharge2").set_text("0.0");
    control("carryover2").set_text("0.0");
    control("preinlet2").set_text("");
  }
  total_discharge();
}

void FrmInletMain::total_discharge() { shown().rules->total(); }

void FrmInletMain::show_compute_discharge_layout() { shown().rules->layout(true); }
void FrmInletMain::show_input_discharge_layout() { shown().rules->layout(false); }

}  // namespace rg::inlet
