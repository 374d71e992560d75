#include "inlet/inlet_form.h"

#include <algorithm>

#include "app/help_about.h"
#include "app/session.h"
#include "hydraulics/controls.h"
#include "hydraulics/dispatch.h"
#include "inlet/inlet_form_showing.h"
#include "inlet/inlet_layout.h"
#include "inlet/inlet_store.h"
#include "inlet/unit_settings.h"
#include "platform/db/connection.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

using ui::Buttons;
using ui::ControlKind;
using ui::Icon;
using ui::show_box;

namespace {

constexpr const char* kNotSolved = "Data has changed! Please 'Solve' Inlet Analysis before saving";
constexpr const char* kNoResults =
    "The last Solve computed no results from these inputs! Please correct the inputs and 'Solve' Inlet Analysis "
    "again before saving";
constexpr const char* kInvalidInput = "No results computed.  Invalid input.";
constexpr const char* kCheckDischarge = "No results computed.  Check your input for discharge.";
constexpr const char* kSolved = "Solved! Please check and Save your results";
constexpr const char* kView = "VIEW";
constexpr const char* kAdd = "ADD";
constexpr const char* kEdit = "EDIT";

constexpr const char* kInputFrames[] = {"Project_Details_Frame", "Input_Details_Frame", "Flow_Data_Frame",
                                        "CG_frame"};

bool is_result_box(std::string_view name) {
  const auto& results = hyd::controls::result_boxes;
  return std::find(results.begin(), results.end(), name) != results.end();
}

}  // namespace

void wire_services(app::Session& session) {
  session.services.inlet_design = [&session]() -> ui::Form& { return session.form<FrmInletMain>(); };
  session.services.inlet_boxes = [&session]() -> hyd::InletFormPort& { return session.form<FrmInletMain>(); };
  session.services.search_inlets = [&session](std::string_view value, std::string_view field) {
    return store::search_inlets(session, value, field);
  };
}

FrmInletMain::FrmInletMain(app::Session& session) : ui::Form("frminletmain", "Ravelgrit"), session_(session) {}

FrmInletMain::~FrmInletMain() = default;

FrmInletMain::Showing& FrmInletMain::shown() const { return showing<Showing>(); }

void FrmInletMain::design() {
  const auto table = inlet_form_table();
  add_controls(table);
  auto& s = emplace_showing<Showing>();
  s.fields = app::quillmere_libraries::wire_declared_controls(session_, *this, table);
  for (const auto& [control, field] : s.fields) {
    if (!is_result_box(control->name())) s.inputs.push_back(control);
  }
  s.adoInletRS.on_will_change_record([this](db::Reason r) {
    if (r == db::Reason::AddNew || r == db::Reason::FirstChange) mark_unsolved();
  });

  // What the form shows but nobody types: the results (locked rather than
  // disabled, so that they stay readable), the project's name and
  // ID, the totals and copies the form works out, the stored strings.
  for (auto name : hyd::controls::result_boxes) {
    auto& box = control(name);
    box.set_locked(true);
    box.set_back_color(ui::kButtonFace);
    box.set_tab_stop(false);
  }
  // The project's name and ID are shown, never typed: Tab passes over them.
  for (const char* name : {"txtProject", "project_id"}) control(name).set_tab_stop(false);
  for (const char* name : {"txtProject", "project_id", "QTotal", "Cf", "Tc", "Intensity", "carryover1",
                           "carryover2", "totalarea1", "totalarea2", "totalca1", "totalca2"}) {
    auto& box = control(name);
    box.set_locked(true);
    box.set_back_color(ui::kButtonFace);
  }
  control("fraStored").set_visible(false);
  control("screenmode").set_caption(kView);

  for (int index = 1; index <= 14; ++index) {
    const auto name = toolbar_button(index);
    if (name.empty()) continue;
    auto& button = control(name);
    button.set_tab_stop(false);
    button.Click = [this, index] { Toolbar1_ButtonClick(index); };
  }
  control("SSTab1").TabClick = [this](int previous) { SSTab1_Click(previous); };
  control("cmdsolve").Click = [this] { cmdsolve_Click(); };

  auto& file = add_menu("mnuFile", "&File");
  file.add("mnuAddinlet", "&Add New Inlet").Click = [this] { mnuAddinlet_Click(); };
  file.add("mnuEditinlet", "&Edit Inlet").Click = [this] { mnuEditinlet_Click(); };
  file.add("mnuSaveinlet", "&Save Inlet").Click = [this] { mnuSaveinlet_Click(); };
  file.add_separator();
  file.add("mnuExitinlet", "Exit").Click = [this] { mnuExitinlet_Click(); };
  auto& help = add_menu("mnuHelp", "&Help");
  help.add("mnuHellpInlethelp", "Help on Inlet", "F1").Click = [this] {
    app::quillmere_libraries::show_help(session_);
  };
  help.add_separator();
  help.add("mnuAboutinlet", "&About Quillmere").Click = [this] {
    session_.desktop().show_modal(session_.form<app::FrmAbout>());
  };
  auto& bar = add_status_bar();
  bar.add_panel(ui::StatusBar::PanelStyle::Text, 40);
  bar.add_panel(ui::StatusBar::PanelStyle::Text, 40);
  bar.add_panel(ui::StatusBar::PanelStyle::Text, 16);

  wire_identification_tab();
  wire_flow_data_tab();
  wire_details_tab();
}

// --- Modes ------------------------------------------------------------------------

const std::string& FrmInletMain::screenmode() const { return control("screenmode").caption(); }

void FrmInletMain::enable_input_frames() {
  for (const char* f : kInputFrames) control(f).set_enabled(true);
}

void FrmInletMain::disable_input_frames() {
  for (const char* f : kInputFrames) control(f).set_enabled(false);
}

void FrmInletMain::press(int index, bool on) { shown().pressed.at(static_cast<std::size_t>(index)) = on; }

bool FrmInletMain::toolbar_pressed(int index) const {
  return shown().pressed.at(static_cast<std::size_t>(index));
}

void FrmInletMain::menus_for_editing(bool editing) {
  menu("mnuAddinlet").set_enabled(!editing);
  menu("mnuEditinlet").set_enabled(!editing);
  menu("mnuSaveinlet").set_enabled(editing);
}

void FrmInletMain::status_panel2(std::string_view separator) {
  status_bar()->set_panel_text(
      2, control("inlet_type").text() + std::string(separator) + control("inlet_location").text());
}

void FrmInletMain::Form_Load() {
  mark_unsolved();
  adding_ = editing_ = false;
  set_pointer(ui::MousePointer::Hourglass);
  const auto& handover = session_.handover;
  const bool add = handover.inlet_open_mode == app::OpenMode::add;
  try {
    control("txtProject").set_text(session_.project.open_project_name);
    session_.number_format = "0.000";
    control("input_discharge").set_value(1);
    session_.handover.area_row_count = session_.project.shared_project ? 24 : 15;
    CodeScope code(shown().code_depth);
    clear_results();
    control("SSTab1").set_current_tab(0);
    quillmere_libraries::fill_input_lists(*this, session_);
    quillmere_libraries::initial_unit_settings(*this, session_);
    // Only the list's Add adds: a stored inlet, one without a number too,
    // opens as itself.
    if (!add) shown().opened = handover.inlet_to_open;
    get_inlet_records(add ? nullptr : &shown().opened);
    attach_inlet_datasource();
    get_discharge_carryover("newquery");
  } catch (const std::exception& e) {
    set_pointer(ui::MousePointer::Default);
    show_box(session_.desktop(), e.what(), Buttons::OK, Icon::Exclamation, {}, true);
    unload();
    return;
  }
  set_pointer(ui::MousePointer::Default);

  control("screenmode").set_caption(kView);
  control("Check_ComputeTc").set_value(control("TcStr").text().empty() ? 0 : 1);
  menus_for_editing(false);
  control("lblStatus").set_caption(control("Inlet_Number").text());
  control("Inlet_Number").set_enabled(false);
  control("SSTab1").set_current_tab(0);
  disable_input_frames();
  mark_solved();
  if (add) {
    adding_ = true;
    enter_add_mode();
  } else if (handover.inlet_open_mode == app::OpenMode::edit) {
    enter_edit_mode();
  }

  auto& project = session_.project;
  status_bar()->set_panel_text(
      1, project.open_project_state + " - " + project.open_project_county + ": " + project.open_project_name);
  status_panel2(" - --");
  status_bar()->set_panel_text(3, "UNITS: " + project.unit_system);
}

void FrmInletMain::enter_add_mode() {
  control("screenmode").set_caption(kAdd);
  control("SSTab1").set_current_tab(0);
  enable_input_frames();
  control("Inlet_Number").set_enabled(true);
  control("lblStatus").set_caption("");
  menus_for_editing(true);
  menu("mnuExitinlet").set_enabled(true);
  remembered_road_ = control("RoadWay").text();
  adding_ = true;
  press(1, true);
  try {
    inletAdd();
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
  }
  mark_unsolved();
}

void FrmInletMain::enter_edit_mode() {
  enable_input_frames();
  control("screenmode").set_caption(kEdit);
  control("lblStatus").set_caption(control("Inlet_Number").text());
  editing_ = true;
  adding_ = false;
  control("Inlet_Number").set_enabled(takes_number());
  menus_for_editing(true);
  control("SSTab1").set_current_tab(0);
  press(3, true);
  refresh_carryover();
  mark_unsolved();
}

void FrmInletMain::mnuAddinlet_Click() {
  clear_inlet_datasource();
  if (reopen_inlet_records(nullptr)) enter_add_mode();
}

void FrmInletMain::mnuEditinlet_Click() {
  // The row shown, not whichever holds its number.
  if (reopen_inlet_records(&shown().opened)) enter_edit_mode();
}

void FrmInletMain::mnuSaveinlet_Click() {
  if (!commit_focused()) return;
  control("SSTab1").set_current_tab(3);
  if (!inlet_number_gate(takes_number())) return;
  if (!solved()) {
    // Solving again without a change would only say the same.
    show_box(session_.desktop(), last_solve_was(SolveOutcome::no_results) ? kNoResults : kNotSolved);
    return;
  }
  if (!inletUpdate()) return;
  // The row is stored: a list that cannot show it is told, and Save goes on.
  try {
    if (session_.services.refresh_inlet_list) session_.services.refresh_inlet_list();
  } catch (const std::exception&) {
    show_box(session_.desktop(), "Data Update Error!", Buttons::OK, Icon::Exclamation);
  }
  menus_for_editing(false);
  control("lblStatus").set_caption(control("Inlet_Number").text());
  control("Inlet_Number").set_enabled(false);
  adding_ = editing_ = false;
  show_box(session_.desktop(), "Record Saved", Buttons::OK, Icon::Information);
  if (screenmode() == kEdit) {
    const auto next = store::search_inlets(session_, control("Inlet_Number").text(), "PREINLET1");
    if (next.found_any()) {
      show_box(session_.desktop(),
               "Current Inlet has Carryover Discharge to Inlet Number - " + next.found + "\r\n" +
                   "Please review the design, solve & save the results for Inlet - " + next.found,
               Buttons::OK, Icon::Information);
    }
  }
  control("screenmode").set_caption(kView);
  for (int i : {5, 3, 1}) press(i, false);
  // The record set is closed: nothing typed from now on could be kept.
  disable_input_frames();
}

void FrmInletMain::mnuExitinlet_Click() { unload(); }

// Whatever the box being edited holds is about to be thrown away or kept as
// typed: it is not judged before the question, nor after it.
void FrmInletMain::Form_Unload(bool& cancel) {
  if (screenmode() != kView || editing_ || adding_) {
    // Enter keeps what was typed.
    if (show_box(session_.desktop(), "Exit without Saving?", Buttons::YesNo, Icon::Information, "Ravelgrit", false,
                 ui::Answer::No) != ui::Answer::Yes) {
      cancel = true;
      return;
    }
    try {
      inletCancel();
    } catch (const std::exception& e) {
      show_box(session_.desktop(), e.what());
    }
    adding_ = editing_ = false;
  }
}

bool FrmInletMain::commit_focused() {
  ui::Control* focused = active_control();
  if (focused == nullptr || focused->kind() == ControlKind::CommandButton ||
      focused->kind() == ControlKind::TabControl) {
    return true;
  }
  if (!focused->can_take_focus()) return true;
  send_tab();
  // A box that refused its text keeps the focus.
  return active_control() != focused;
}

void FrmInletMain::Toolbar1_ButtonClick(int index) {
  const bool viewing = screenmode() == kView;
  switch (index) {
    case 1:
      if (viewing) mnuAddinlet_Click();
      break;
    case 3:
      if (viewing) mnuEditinlet_Click();
      break;
    case 5:
      if (viewing) break;
      press(5, true);
      mnuSaveinlet_Click();
      break;
    case 8: {
      if (viewing) break;
      press(8, true);
      if (!commit_focused()) break;
      auto& tabs = control("SSTab1");
      tabs.set_current_tab(2);
      if (control("cmdsolve").can_take_focus()) set_focus(control("cmdsolve"));
      SSTab1_Click(0);
      cmdsolve_Click();
      press(8, false);
      break;
    }
    case 11:
      press(14, false);
      press(11, true);
      for (int i : {8, 5, 3, 1}) press(i, false);
      mnuExitinlet_Click();
      if (is_loaded()) press(11, false);
      break;
    case 14:
      press(14, true);
      app::quillmere_libraries::show_help(session_);
      press(14, false);
      break;
    default:
      break;
  }
}

// --- Tabs and Solve ------------------------------------------------------------

void FrmInletMain::SSTab1_Click(int) {
  enable_input_frames();
  switch (control("SSTab1").current_tab()) {
    case 1:
      if (control("compute_dischargecheck").value() == 1) {
        show_compute_discharge_layout();
      } else if (control("input_dischargecheck").value() == 1) {
        show_input_discharge_layout();
      }
      show_flow_options();
      break;
    case 2: {
      control("lbl_GLS").set_caption("GUTTER LONGITUDINAL SLOPE");
      control("lbl_GUW").set_caption("GUTTER WIDTH");
      control("lbl_GCS").set_caption("GUTTER CROSS SLOPE");
      control("lbl_IL").set_caption("INLET LENGTH");
      const auto* kind = hyd::find_inlet_kind(control("inlet_type").text(), control("inlet_location").text());
      if (kind == nullptr) break;
      {
        CodeScope code(shown().code_depth);
        kind->setup_inputs(*this);
      }
      if (kind->inlet_type == "Grate Inlet in a Ditch" && kind->inlet_location == hyd::continuous_grade) {
        control("lbl_GLS").set_caption("DITCH LONGITUDINAL SLOPE");
        control("lbl_GUW").set_caption("BOTTOM WIDTH OF DITCH");
        control("lbl_GCS").set_caption("DITCH CROSS SLOPE");
      }
      control("lbl_IL").set_caption(std::string(kind->length_caption));
      break;
    }
    case 3: {
      const bool ditch_on_grade = control("inlet_location").text() == hyd::continuous_grade &&
                                  control("inlet_type").text() == "Grate Inlet in a Ditch";
      control("rlbldepth").set_caption(ditch_on_grade ? "DEPTH OF WATER" : "DEPTH AT CURB");
      control("rlblflowratio").set_caption(ditch_on_grade ? "DITCH FLOW RATIO" : "GUTTER FLOW RATIO");
      break;
    }
    default:
      break;
  }
  if (screenmode() == kView) disable_input_frames();
}

void FrmInletMain::cmdsolve_Click() {
  clear_results();
  const auto q = text::parse_number(control("QTotal").text());
  if (!q || *q <= 0) {
    mark_solve(SolveOutcome::no_results);
    if (!q) {
      show_box(session_.desktop(), kInvalidInput, Buttons::OK, Icon::Exclamation);
    } else {
      show_box(session_.desktop(), kCheckDischarge, Buttons::OK, Icon::Exclamation, "Errur");
    }
    return;
  }
  const bool done = solve_inlet();
  mark_solve(done ? SolveOutcome::solved : SolveOutcome::no_results);
  control("SSTab1").set_current_tab(3);
  if (done) show_box(session_.desktop(), kSolved, Buttons::OK, Icon::Information);
}

bool FrmInletMain::solve_inlet() {
  const auto* kind = hyd::find_inlet_kind(control("inlet_type").text(), control("inlet_location").text());
  if (kind == nullptr) {
    show_box(session_.desktop(), kInvalidInput, Buttons::OK, Icon::Exclamation);
    return false;
  }
  return kind->compute(*this) == hyd::Outcome::done;
}

// --- The solved flag ------------------------------------------------------------

std::vector<std::string> FrmInletMain::inputs_now() const {
  std::vector<std::string> texts;
  const auto& inputs = shown().inputs;
  texts.reserve(inputs.size());
  for (const ui::Control* c : inputs) {
    texts.push_back(c->kind() == ControlKind::CheckBox ? std::to_string(c->value()) : c->text());
  }
  return texts;
}

void FrmInletMain::mark_solve(SolveOutcome outcome) {
  last_solve_ = outcome;
  solve_inputs_ = inputs_now();
}

bool FrmInletMain::last_solve_was(SolveOutcome outcome) const {
  return last_solve_ == outcome && is_loaded() && inputs_now() == solve_inputs_;
}

bool FrmInletMain::solved() const { return last_solve_was(SolveOutcome::solved); }

}  // namespace rg::inlet
