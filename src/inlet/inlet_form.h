#pragma once
// The inlet design form: one INLET row on four tabs (identification, flow data,
// inlet details, results), its record modes, carry-over between inlets and
// Solve. The form is the row while it is edited: every box is bound to its
// field, and whoever writes a box (the user, the grate pickers, the hydrology
// dialogs and the computations through hyd::InletFormPort) writes the row.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/services.h"
#include "hydraulics/port.h"
#include "inlet/grate_pickers.h"
#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::inlet {

// Offers the form, its boxes and search_inlets to the other subsystems.
void wire_services(app::Session& session);

class FrmInletMain : public ui::Form, public hyd::InletFormPort {
 public:
  explicit FrmInletMain(app::Session& session);
  ~FrmInletMain() override;

  // --- Record operations -------------------------------------------------------
  // The row chosen (db::Error when it is gone or holds another number), or,
  // with none, every inlet to add one to.
  void get_inlet_records(const app::InletRow* row);
  void attach_inlet_datasource();
  void clear_inlet_datasource();
  void inletAdd();
  void inletCancel();
  // False (after the error's own box) when the row did not reach the database.
  bool inletUpdate();
  void get_discharge_carryover(std::string_view qureymode);
  // The stored bypass of the side's previous inlet fills the side's carry-over
  // box when that inlet is stored and its bypass is a flow (none stored is
  // zero). A bypass stored as no flow (below zero, or not a number: a
  // hand-made file) is said, naming the box, and not taken: the box keeps its
  // text.
  enum class CarryOver { taken, not_stored, not_a_flow };
  CarryOver set_discharge_carryover(int carryoverfld);

  // --- Modes, menus and toolbar ---------------------------------------------------
  void enable_input_frames();
  void disable_input_frames();
  void enter_add_mode();
  void enter_edit_mode();
  void mnuAddinlet_Click();
  void mnuEditinlet_Click();
  void mnuSaveinlet_Click();
  void mnuExitinlet_Click();
  // Toolbar buttons by index: 1 Add, 3 Edit, 5 Save, 8 Solve, 11 Exit, 14 Help.
  void Toolbar1_ButtonClick(int index);
  bool toolbar_pressed(int index) const;

  // --- Tabs and Solve ---------------------------------------------------------
  void SSTab1_Click(int previous_tab);
  void cmdsolve_Click();

  // --- State a user (and a test) can see --------------------------------------
  // "VIEW", "ADD" or "EDIT".
  const std::string& screenmode() const;
  // The shown results belong to the shown inputs.
  bool solved() const;
  bool adding() const { return adding_; }
  bool editing() const { return editing_; }
  // The number box is the user's: a new inlet's, or that of a stored inlet
  // without a number, which takes its first number here (a number an inlet
  // has is changed only by renumbering it in the inlet list).
  bool takes_number() const;

  // --- hyd::InletFormPort, in inlet_port.cpp ------------------------------------
  std::string text(hyd::Box box) override;
  void set_text(hyd::Box box, std::string_view text) override;
  void set_enabled(hyd::Box box, bool enabled) override;
  void set_back_color(hyd::Box box, std::uint32_t color) override;
  void show_message(std::string_view text, hyd::MessageIcon icon, std::string_view title) override;
  void clear_results() override;
  void format_results() override;
  std::string unit_system() override;
  hyd::UnitCoefficients& unit_coefficients() override;
  hyd::FlowData flow_data() override;
  void write_flow(const hyd::FlowWrites& writes) override;
  // A grate picked from the pickers, written as code writes.
  void write_grate_opening(const GrateOpening& grate);

 protected:
  void design() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  struct Showing;
  Showing& shown() const;
  // The handlers of each tab's boxes, on a context they share.
  struct TabContext;
  struct IdentificationTab;
  struct FlowDataTab;
  struct DetailsTab;

  // The focused box commits its text (a Tab), unless the focus is on a button;
  // false when the box refused its text and kept the focus.
  bool commit_focused();
  // The discharge and intensity options as the row's flags have them.
  void show_flow_options();
  // The rows get_inlet_records opens, bound to the boxes; false after the error's box.
  bool reopen_inlet_records(const app::InletRow* row);
  // The entered intensity open to typing only when it is the inlet's: the
  // options' handlers leave it as it was when the stored flags are set already.
  void offer_intensity_entry();
  // An inlet opened to edit takes its previous inlets' bypass flows as they are
  // stored now, and says which changed since it was saved.
  void refresh_carryover();
  void press(int index, bool on);
  // Add and Edit while a row is only shown, Save while one is added or edited.
  void menus_for_editing(bool editing);
  void status_panel2(std::string_view separator);
  // What the last Solve gave, and for which inputs.
  enum class SolveOutcome { none, solved, no_results };
  void mark_solve(SolveOutcome outcome);
  void mark_solved() { mark_solve(SolveOutcome::solved); }
  void mark_unsolved() { last_solve_ = SolveOutcome::none; }
  // The last Solve, for the inputs as they are now.
  bool last_solve_was(SolveOutcome outcome) const;
  std::vector<std::string> inputs_now() const;
  // The number gate of an inlet being added; false after its refusal.
  bool inlet_number_gate(bool check_unique);
  // Whether the number shown may name the inlet: not blank and, when
  // `check_unique`, not stored; unchecked when the search failed (said).
  enum class NumberCheck { accepted, blank, stored, unchecked };
  NumberCheck check_inlet_number(bool check_unique);
  // The header shows the number only once it is one the gate lets through.
  void show_number_in_header();
  bool solve_inlet();
  // Work of the tabs and their boxes, one file a tab.
  void wire_identification_tab();
  void wire_flow_data_tab();
  void wire_details_tab();
  // A new inlet's options (an entered discharge and intensity), and its
  // starting flow data, the same as the entered-discharge option's.
  void choose_new_inlet_options();
  void start_new_inlet_flows();
  void show_compute_discharge_layout();
  void show_input_discharge_layout();
  void discharge1_LostFocus();
  // QTotal from the discharges and carry-overs the boxes hold.
  void total_discharge();
  void fill_inlet_subtype_list();

  app::Session& session_;
  SolveOutcome last_solve_ = SolveOutcome::none;
  std::vector<std::string> solve_inputs_;
  bool adding_ = false;
  bool editing_ = false;
  std::string remembered_road_;
};

}  // namespace rg::inlet
