// The flow-data tab: the discharge entered or worked out from the rainfall,
// the intensity and time of concentration, and the bypass flows the previous
// inlets carry over.

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "hydraulics/dispatch.h"
#include "inlet/inlet_store.h"
#include "inlet/tab_context.h"
#include "platform/text/ascii_case.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

namespace {

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

struct FrmInletMain::FlowDataTab : TabContext {
  bool hydrology() const { return static_cast<bool>(session.services.compute_discharge); }
  void compute_discharge() {
    if (session.services.compute_discharge) session.services.compute_discharge();
  }
  // A rainfall service for the storm frequency shown, which must be one of
  // the list's items; false when the service is not offered, the frequency is
  // refused or the look-up found nothing. Either empties what the frequency
  // had worked out, so choosing it again works it out anew.
  bool for_storm_frequency(const std::function<bool(int return_period)>& service) {
    if (!service) return false;
    auto& frequency = c("storm_frequency");
    if (item_index(frequency, frequency.text()) < 0) {
      refuse_frequency();
      return false;
    }
    if (service(std::stoi(frequency.text()))) return true;
    forget_choice(frequency);
    return false;
  }
  // A frequency the rainfall data do not serve (an older project's "5" held
  // from the file, none chosen) is named, and nothing worked out for another
  // stays on the screen.
  void refuse_frequency() {
    const auto& frequency = c("storm_frequency");
    forget_choice(frequency);
    std::string served;
    for (const auto& item : frequency.items()) served += (served.empty() ? "" : ", ") + item;
    const std::string what =
        frequency.text().empty()
            ? std::string("No storm frequency is chosen")
            : "The rainfall data cannot serve the storm frequency " + text::quoted(frequency.text());
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

  enum class DischargeOption { entered, computed };

  // The options of a discharge option: the intensity always starts entered.
  // The flags go first, so that the options' own handlers find nothing to do.
  void choose_options(DischargeOption option) {
    const bool computed = option == DischargeOption::computed;
    c("compute_dischargecheck").set_value(computed ? 1 : 0);
    c("input_dischargecheck").set_value(computed ? 0 : 1);
    c("input_Icheck").set_value(1);
    c("compute_Icheck").set_value(0);
    c(computed ? "compute_discharge" : "input_discharge").set_value(1);
    c("input_I").set_value(1);
  }

  // The flow data an inlet starts with under a discharge option, the same for
  // a new inlet (an entered discharge) and for either option chosen, whatever
  // the path: no previous inlet, no drainage area, Tc 5 minutes, the
  // discharges at zero, and no intensity until one is typed (a stand-in would
  // give the areas a discharge).
  void start_flows(DischargeOption option) {
    choose_options(option);
    for (const char* b : {"preinlet1", "preinlet2", "areabufstr1", "areabufstr2", "cbufstr1", "cbufstr2", "TcStr",
                          "Tcoptionstr", "inputInt", "Intensity"}) {
      c(b).set_text("");
    }
    c("Check_ComputeTc").set_value(0);
    for (const char* b : {"carryover1", "carryover2", "totalarea1", "totalarea2", "totalca1", "totalca2",
                          "discharge1", "discharge2", "QTotal"}) {
      c(b).set_text("0.0");
    }
    c("Tc").set_text("5.0");
    c("ITc").set_text("5.0");
    if (c("storm_frequency").text().empty()) c("storm_frequency").set_text("2");
    layout(option == DischargeOption::computed);
    c("inputInt").set_visible(true);
    c("inputintunit").set_visible(true);
    c("computeTc_frame").set_visible(false);
    f.offer_intensity_entry();
  }

  // Nothing is looked up here: the entered intensity a computed discharge
  // starts with needs no rainfall data, and a failed look-up would empty the
  // starting values.
  void compute_discharge_Click() {
    if (c("compute_dischargecheck").value() == 1) return;
    // The intensity option this sets is no choice of the user's.
    CodeScope scope(s.code_depth);
    start_flows(DischargeOption::computed);
  }

  void input_discharge_Click() {
    if (c("input_dischargecheck").value() == 1) return;
    CodeScope scope(s.code_depth);
    start_flows(DischargeOption::entered);
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
    // No number stands in for an intensity not yet worked out: it is worked
    // out at once for the Tc and storm frequency shown, or stays empty, and
    // so do the discharges. The same for one not yet typed, below.
    c("inputInt").set_text("");
    c("Intensity").set_text("");
    c("inputInt").set_enabled(false);
    c("inputInt").set_back_color(ui::kButtonFace);
    if (!code()) lookup_and_intensity();
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
    c("inputInt").set_text("");
    c("inputInt").set_enabled(true);
    c("inputInt").set_back_color(ui::kWindowBackground);
    c("Intensity").set_text("");
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
    c("Intensity").set_text("");
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

  // An emptied discharge or carry-over counts as none.
  void zero_empty_flows() {
    for (const char* b : {"discharge1", "discharge2", "carryover1", "carryover2"}) {
      if (c(b).text().empty()) c(b).set_text("0.0");
    }
  }

  // On a grade the second side carries nothing.
  void discharge1_LostFocus() {
    zero_empty_flows();
    format(c("discharge1"), session.number_format);
    if (c("inlet_location").text() == hyd::sump) {
      format(c("discharge2"), session.number_format);
    } else {
      c("discharge2").set_text("0.0");
      c("carryover2").set_text("0.0");
      c("preinlet2").set_text("");
    }
    total();
  }

  void discharge2_LostFocus() {
    zero_empty_flows();
    format(c("discharge2"), session.number_format);
    total();
  }

  void wire() {
    c("compute_discharge").Click = [this] { compute_discharge_Click(); };
    c("input_discharge").Click = [this] { input_discharge_Click(); };
    c("compute_I").Click = [this] { compute_I_Click(); };
    c("input_I").Click = [this] { input_I_Click(); };
    // Until the hydrology dialogs are offered, their buttons do nothing.
    c("cmdcomputeTc").Click = [this] {
      if (!session.services.tc_dialog) return;
      // The dialog's Tc, taken, replaces the typed one, which starts again
      // from the default; a dialog left without it changes nothing.
      if (session.services.tc_dialog()) c("ITc").set_text("5.0");
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
      app::quillmere_libraries::select_all_text(itc);
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
    // A frequency is a whole item: "5" never becomes "50". A typed one that is
    // no item gives way to the frequency the list held, as in any list; one
    // held from the file that the data do not serve is refused for what it
    // is.
    frequency.Validate = [this, &frequency, list_rule = frequency.Validate](bool& cancel) {
      if (!frequency.text().empty() && item_index(frequency, frequency.text()) < 0 &&
          frequency.text() == frequency.held_text()) {
        refuse_frequency();
        frequency.set_selection(0, static_cast<int>(frequency.text().size()));
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
    q1.LostFocus = [this] { discharge1_LostFocus(); };
    auto& q2 = c("discharge2");
    number_entry(q2);
    q2.LostFocus = [this] { discharge2_LostFocus(); };

    for (int side : {1, 2}) {
      auto& list = c(side == 1 ? "preinlet1" : "preinlet2");
      list.GotFocus = [this, &list, side] { s.preinlet_text[static_cast<std::size_t>(side)] = list.text(); };
      list.LostFocus = [this, side] { check_previous_inlet(side); };
    }
    // A flow below zero can still come from a hand-made file.
    for (Control* flow : {&q1, &q2, &input_int}) no_negative_flow(*flow);
  }

  // A discharge below zero is refused on leaving, after the box's number
  // rule, so that nothing is worked out from it: the total stays.
  void no_negative_flow(Control& box) {
    box.Validate = [this, &box, number_rule = box.Validate](bool& cancel) {
      if (number_rule) number_rule(cancel);
      if (cancel) return;
      const auto v = text::parse_number(text::trim(box.text()));
      if (!v || *v >= 0) return;
      show_box(session.desktop(),
               box.label() + ": " + text::quoted(text::trim(box.text())) + " is below zero. Please enter zero or more.",
               Buttons::OK, Icon::Exclamation);
      box.set_selection(0, static_cast<int>(box.text().size()));
      cancel = true;
    };
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

  // A previous inlet named on a side: not this inlet, not the other side's,
  // not another inlet's already, and stored; its bypass flow is carried over.
  void check_previous_inlet(int side) {
    auto& list = c(side == 1 ? "preinlet1" : "preinlet2");
    auto& carry = c(side == 1 ? "carryover1" : "carryover2");
    const auto& other = c(side == 1 ? "preinlet2" : "preinlet1").text();
    const std::string held = s.preinlet_text[static_cast<std::size_t>(side)];
    auto back_to_list = [this, &list] {
      list.set_selection(0, static_cast<int>(list.text().size()));
      c("SSTab1").set_current_tab(1);
      if (list.can_take_focus()) f.set_focus(list);
    };
    list.set_text(text::trim(list.text()));
    const std::string chosen = list.text();
    // A refusal takes nothing away: the list shows again the previous inlet
    // it held, whose carry-over and total still stand, and the user is sent
    // back to it. Only a held one that is itself refused (stored so) is
    // dropped, and with it its carry-over.
    auto refuse = [&](const std::string& message, Icon icon = Icon::None) {
      const bool dropped = text::iequal(chosen, held);
      list.set_text(dropped ? std::string() : held);
      if (dropped) {
        carry.set_text("0.0");
        total();
      }
      list.set_selection(0, static_cast<int>(list.text().size()));
      show_box(session.desktop(), message, Buttons::OK, icon);
      back_to_list();
    };
    if (chosen.empty()) {
      carry.set_text("0.0");
      total();
      return;
    }
    if (text::iequal(chosen, c("Inlet_Number").text())) return refuse("Previous Inlet is same as Current Inlet");
    if (text::iequal(chosen, other)) return refuse("Previous Inlet for left side CANNOT be same as right side!");
    if (!text::iequal(chosen, held)) {
      std::optional<std::string> user;
      try {
        user = store::inlet_naming_previous(session.project.connection(), chosen, c("Inlet_Number").text());
      } catch (const std::exception& e) {
        return refuse(e.what());
      }
      if (user) {
        return refuse("This Inlet has already been used as a Previous Inlet for Inlet - " + *user +
                          " - Please choose a different value!",
                      Icon::Exclamation);
      }
    }
    switch (f.set_discharge_carryover(side)) {
      case CarryOver::taken:
        // Named as it is numbered, whatever letter case was typed, so the
        // stored link reads as the list and the reports show that inlet.
        for (const auto& item : list.items()) {
          if (text::iequal(item, chosen)) list.set_text(item);
        }
        total();
        return;
      case CarryOver::not_stored:
        // Not among the stored inlets: no bypass to take over.
        return refuse(app::quillmere_libraries::not_in_list(list, chosen));
      case CarryOver::not_a_flow:
        // The choice is undone, so the list, its carry-over and the total
        // still belong together.
        list.set_text(held);
        if (!text::iequal(chosen, held)) back_to_list();
        return;
    }
  }
};

void FrmInletMain::wire_flow_data_tab() {
  auto& s = shown();
  s.flow_data = std::make_shared<FlowDataTab>(FlowDataTab{{*this, session_, s}});
  s.flow_data->wire();
}

void FrmInletMain::choose_new_inlet_options() {
  shown().flow_data->choose_options(FlowDataTab::DischargeOption::entered);
}
void FrmInletMain::start_new_inlet_flows() { shown().flow_data->start_flows(FlowDataTab::DischargeOption::entered); }
void FrmInletMain::discharge1_LostFocus() { shown().flow_data->discharge1_LostFocus(); }
void FrmInletMain::total_discharge() { shown().flow_data->total(); }
void FrmInletMain::show_compute_discharge_layout() { shown().flow_data->layout(true); }
void FrmInletMain::show_input_discharge_layout() { shown().flow_data->layout(false); }

}  // namespace rg::inlet
