// The design form's INLET row: opening the rows, binding them to the boxes,
// adding, cancelling and storing a row, its number's check, and the bypass
// flows carried over from the previous inlets.

#include <exception>
#include <optional>
#include <string>

#include "app/session.h"
#include "hydraulics/dispatch.h"
#include "inlet/inlet_form.h"
#include "inlet/inlet_form_showing.h"
#include "inlet/inlet_store.h"
#include "inlet/unit_settings.h"
#include "platform/db/connection.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

using ui::Buttons;
using ui::Icon;
using ui::show_box;

void FrmInletMain::get_inlet_records(const app::InletRow* row) {
  auto& rs = shown().adoInletRS;
  db::Connection& conn = session_.project.connection();
  if (row == nullptr) return store::open_inlet_records(rs, conn);
  if (!store::open_inlet_row(rs, conn, *row)) {
    throw db::Error(db::ErrorKind::NoCurrentRecord, row->gone("it cannot be opened."));
  }
}

void FrmInletMain::attach_inlet_datasource() {
  auto& s = shown();
  s.binding.attach(s.adoInletRS, s.fields);
  // After the binding's own listener, so that the boxes show the row already.
  if (s.move_listener != 0) s.adoInletRS.remove_listener(s.move_listener);
  s.move_listener = s.adoInletRS.on_move_complete([this](db::Reason) {
    control("lblStatus").set_caption(control("Inlet_Number").text());
    status_panel2(" --- ");
  });
  const bool computed = control("compute_dischargecheck").value() == 1;
  show_flow_options();
  if (computed) offer_intensity_entry();
}

void FrmInletMain::show_flow_options() {
  if (control("compute_dischargecheck").value() == 1) {
    control("compute_discharge").set_value(1);
    if (control("input_Icheck").value() == 1) {
      control("input_I").set_value(1);
    } else {
      control("compute_I").set_value(1);
      control("Check_ComputeTc").set_value(control("TcStr").text().empty() ? 0 : 1);
    }
    control("computeTc_frame").set_visible(control("compute_I").value() == 1);
  } else if (control("input_dischargecheck").value() == 1) {
    control("input_discharge").set_value(1);
  }
}

void FrmInletMain::offer_intensity_entry() {
  const bool typed = control("input_I").value() == 1;
  control("inputInt").set_enabled(typed);
  control("inputInt").set_back_color(typed ? ui::kWindowBackground : ui::kButtonFace);
}

void FrmInletMain::clear_inlet_datasource() { shown().binding.clear(); }

bool FrmInletMain::reopen_inlet_records(const app::InletRow* row) {
  try {
    get_inlet_records(row);
    attach_inlet_datasource();
    return true;
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
    return false;
  }
}

void FrmInletMain::inletAdd() {
  auto& rs = shown().adoInletRS;
  if (rs.record_count() > 0) rs.move_last();
  rs.add_new();
  control("project_id").set_text(session_.project.open_project_id);
  control("RoadWay").set_text(remembered_road_);
  // The options as a new inlet has them, not as the inlet shown before left
  // them: the storm frequency the defaults pick would otherwise compute an
  // intensity nobody asked for.
  choose_new_inlet_options();
  CodeScope code(shown().code_depth);
  quillmere_libraries::initial_unit_settings(*this, session_);
  // Last, so that nothing the defaults' lists worked out stays: a new inlet
  // starts the same whether the list or the form adds it.
  start_new_inlet_flows();
}

void FrmInletMain::inletCancel() {
  auto& rs = shown().adoInletRS;
  if (rs.is_open() && rs.edit_mode() == db::EditMode::Add) rs.cancel_update();
}

bool FrmInletMain::inletUpdate() {
  auto& s = shown();
  try {
    const bool input_q = control("input_discharge").value() == 1;
    const bool input_i = control("input_I").value() == 1;
    s.adoInletRS.set_value("INPUT_DISCHARGE", input_q ? 1 : 0);
    s.adoInletRS.set_value("COMPUTE_DISCHARGE", input_q ? 0 : 1);
    s.adoInletRS.set_value("INPUT_I", input_i ? 1 : 0);
    s.adoInletRS.set_value("COMPUTE_I", input_i ? 0 : 1);
    s.adoInletRS.update();
    // The row as stored, a new one too: the form's Edit opens it again.
    s.opened = {s.adoInletRS.row_id(), s.adoInletRS.value("INLET_NUMBER").text()};
    get_discharge_carryover("requery");
    control("lblStatus").set_caption(control("Inlet_Number").text());
    s.adoInletRS.close();
    return true;
  } catch (const db::Error& e) {
    // Saving over another copy's change would lose it; the user needs to see it first.
    show_box(session_.desktop(),
             e.kind() == db::ErrorKind::Conflict
                 ? e.description() + "\r\nExit without saving, then open the inlet again to see the other change."
                 : e.description());
    return false;
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
    return false;
  }
}

void FrmInletMain::get_discharge_carryover(std::string_view qureymode) {
  auto& s = shown();
  if (qureymode == "requery" && s.carryoverRS.is_open()) {
    s.carryoverRS.requery();
  } else {
    store::open_carryover(s.carryoverRS, session_.project.connection());
  }
  db::fill_list(control("preinlet1"), &s.carryoverRS, "INLET_NUMBER");
  db::fill_list(control("preinlet2"), &s.carryoverRS, "INLET_NUMBER");
}

FrmInletMain::CarryOver FrmInletMain::set_discharge_carryover(int carryoverfld) {
  const bool one = carryoverfld == 1;
  const std::string& previous = control(one ? "preinlet1" : "preinlet2").text();
  const auto carry = store::stored_carryover(shown().carryoverRS, previous);
  if (!carry) return CarryOver::not_stored;
  auto& box = control(one ? "carryover1" : "carryover2");
  const auto flow = carry->empty() ? std::optional<double>(0.0) : text::parse_number(*carry);
  if (!flow || *flow < 0) {
    const bool sag = control("inlet_location").text() == hyd::sump;
    show_box(session_.desktop(),
             (sag ? one ? "LEFT " : "RIGHT " : "") + text::trim(box.label()) + ": Previous Inlet - " + previous +
                 " has " + text::quoted(*carry) + " stored as its bypass flow, which is " +
                 (flow ? "below zero" : "not a number") +
                 ". It is not carried over: the carryover and the total discharge stay as they were. Please solve "
                 "and save Inlet - " + previous + " again.",
             Buttons::OK, Icon::Exclamation);
    return CarryOver::not_a_flow;
  }
  box.set_text(carry->empty() ? "0.0" : *carry);
  return CarryOver::taken;
}

void FrmInletMain::refresh_carryover() {
  std::string changes;
  const int sides = control("inlet_location").text() == hyd::sump ? 2 : 1;
  try {
    for (int side = 1; side <= sides; ++side) {
      const auto& previous = control(side == 1 ? "preinlet1" : "preinlet2").text();
      auto& carry = control(side == 1 ? "carryover1" : "carryover2");
      const std::string saved = carry.text();
      if (previous.empty() || set_discharge_carryover(side) != CarryOver::taken || carry.text() == saved) continue;
      changes += "The carryover from Previous Inlet - " + previous + " has changed from " +
                 (saved.empty() ? "0.0" : saved) + " to " + carry.text() + ".\r\n";
    }
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
  }
  if (changes.empty()) return;
  total_discharge();
  show_box(session_.desktop(),
           changes + "Please review the design, solve & save the results for Inlet - " +
               control("Inlet_Number").text(),
           Buttons::OK, Icon::Information);
}

FrmInletMain::NumberCheck FrmInletMain::check_inlet_number(bool check_unique) {
  const std::string number = text::trim(control("Inlet_Number").text());
  if (number.empty()) return NumberCheck::blank;
  if (!check_unique) return NumberCheck::accepted;
  const auto exists = store::search_inlets(session_, number, "INLET_NUMBER");
  if (exists.failed()) return NumberCheck::unchecked;
  return exists.found_any() ? NumberCheck::stored : NumberCheck::accepted;
}

bool FrmInletMain::takes_number() const { return adding_ || (editing_ && shown().opened.number.empty()); }

void FrmInletMain::show_number_in_header() {
  const bool accepted = check_inlet_number(takes_number()) == NumberCheck::accepted;
  control("lblStatus").set_caption(accepted ? text::trim(control("Inlet_Number").text()) : std::string());
}

bool FrmInletMain::inlet_number_gate(bool check_unique) {
  auto& number = control("Inlet_Number");
  // Blanks around a number would let a stored number pass as a new one.
  if (const auto trimmed = text::trim(number.text()); trimmed != number.text()) number.set_text(trimmed);
  const NumberCheck check = check_inlet_number(check_unique);
  if (check == NumberCheck::accepted) return true;
  if (check == NumberCheck::blank) {
    show_box(session_.desktop(), "Inlet number can't be blank.  Please enter a valid unique Inlet Number", Buttons::OK,
             Icon::Exclamation);
  } else if (check == NumberCheck::stored) {
    show_box(session_.desktop(),
             number.text() + " already exists in the database! Please enter a valid unique Inlet Number", Buttons::OK,
             Icon::Exclamation);
  }
  control("SSTab1").set_current_tab(0);
  if (number.can_take_focus()) set_focus(number);
  if (check == NumberCheck::stored) number.set_text("");
  // The header names no refused number.
  control("lblStatus").set_caption("");
  return false;
}

}  // namespace rg::inlet
