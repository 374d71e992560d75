#include "reports/inlet_list.h"

#include <array>
#include <vector>

#include "app/help_about.h"
#include "app/session.h"
#include "platform/db/connection.h"
#include "reports/inlet_list_store.h"
#include "reports/report_frame.h"

namespace rg::reports {

using ui::Buttons;
using ui::ControlKind;
using ui::Icon;
using ui::show_box;

void wire_services(app::Session& session) {
  session.services.inlet_list = [&session]() -> ui::Form& { return session.form<FrmInletFlex>(); };
  session.services.refresh_inlet_list = [&session] {
    auto& list = session.form<FrmInletFlex>();
    if (list.is_loaded()) list.requery();
  };
}

namespace {

const ui::ControlSpec kListControls[] = {
    {.kind = ControlKind::Label, .caption = "Total Number of Inlets in the Project Database:"},
    {.name = "Text1", .kind = ControlKind::TextBox, .col = 1, .width_chars = 6},
    {.name = "inletflex", .kind = ControlKind::Grid, .row = 1, .col_span = 3},
    {.name = "Frame1", .kind = ControlKind::Frame, .row = 2, .col_span = 3, .caption = "Inlet Functions"},
    {.name = "cmdflexaddinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .caption = "Add"},
    {.name = "cmdflexviewinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 1, .caption = "View"},
    {.name = "cmdflexveditinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 2, .caption = "Edit"},
    {.name = "cmdflexmodinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 3, .caption = "Modify"},
    {.name = "cmdflexrefreshinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 4,
     .caption = "Refresh"},
    {.name = "cmdflexdeleteinlet", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 5,
     .caption = "Delete"},
    {.name = "cmdflexexit", .kind = ControlKind::CommandButton, .container = "Frame1", .col = 6, .caption = "Exit"},
};

// The grid's columns: caption and the INLET field each shows.
constexpr std::array<std::pair<const char*, const char*>, 10> kGridColumns = {{
    {"INLET_ID", "INLET_NUMBER"},
    {"STATION", "STATION"},
    {"OFFSET", "OFFSET"},
    {"TYPE", "INLET_TYPE"},
    {"LOCATION", "INLET_LOCATION"},
    {"INLET STD", "INLET_SUBTYPE"},
    {"LENGTH", "INLETLENGTH"},
    {"PRE-INLET1", "PREINLET1"},
    {"PRE-INLET2", "PREINLET2"},
    {"DISCHARGE", "TOTAL_DISCHARGE"},
}};
// 1200 twips, in average characters.
constexpr int kGridColumnChars = 12;

}  // namespace

FrmInletFlex::FrmInletFlex(app::Session& session)
    : ui::Form("frminletflex", "Ravelgrit"), flex_current_row(session.project.flex_current_row), session_(session) {}

void FrmInletFlex::design() {
  add_controls(kListControls);
  // The count is only shown: the keyboard starts on the grid.
  auto& count = control("Text1");
  count.set_locked(true);
  count.set_tab_stop(false);
  auto& grid = control("inletflex");
  std::vector<std::string> header;
  for (const auto& column : kGridColumns) header.emplace_back(column.first);
  grid.set_grid({header});
  for (int col = 0; col < static_cast<int>(kGridColumns.size()); ++col) grid.set_col_width(col, kGridColumnChars);
  grid.Click = [this, &grid] {
    if (grid.row() != 0) flex_current_row = grid.row();
  };
  grid.DblClick = [this, &grid] {
    if (grid.row() == 0) return;
    flex_current_row = grid.row();
    cmdflexviewinlet_Click();
  };
  grid.EnterCell = [this, &grid] { flex_current_row = grid.row(); };

  control("cmdflexaddinlet").Click = [this] { cmdflexaddinlet_Click(); };
  control("cmdflexviewinlet").Click = [this] { cmdflexviewinlet_Click(); };
  control("cmdflexveditinlet").Click = [this] { cmdflexveditinlet_Click(); };
  control("cmdflexmodinlet").Click = [this] { cmdflexmodinlet_Click(); };
  control("cmdflexrefreshinlet").Click = [this] { cmdflexrefreshinlet_Click(); };
  control("cmdflexdeleteinlet").Click = [this] { cmdflexdeleteinlet_Click(); };
  control("cmdflexexit").Click = [this] { cmdflexexit_Click(); };

  auto& file = add_menu("mnuflexfile", "&File");
  file.add("mnuflexaddinlet", "&Add Inlet", "Ctrl+A").Click = [this] { cmdflexaddinlet_Click(); };
  file.add("mnuflexviewinlet", "&View Inlet", "Ctrl+V").Click = [this] { cmdflexviewinlet_Click(); };
  file.add("mnuflexveditinlet", "&Edit Inlet", "Ctrl+E").Click = [this] { cmdflexveditinlet_Click(); };
  file.add("mnuflexmodifyinlet", "&Modify Inlet Number", "Ctrl+M").Click = [this] { cmdflexmodinlet_Click(); };
  file.add("mnuflexrefresh", "&Refresh", "Ctrl+R").Click = [this] { cmdflexrefreshinlet_Click(); };
  file.add("mnuflexdeleteinlet", "&Delete Inlet", "Ctrl+D").Click = [this] { cmdflexdeleteinlet_Click(); };
  file.add_separator();
  file.add("mnuflex_inlet_report", "Print Reports", "Ctrl+P").Click = [this] { mnuflex_inlet_report_Click(); };
  file.add("mnuflexld204", "Form LD 204").Click = [this] { mnuflexld204_Click(); };
  file.add_separator();
  file.add("mnuflexexit", "E&xit", "Ctrl+X").Click = [this] { cmdflexexit_Click(); };
  auto& help = add_menu("mnuflexhelpmenu", "&Help");
  help.add("mnuflexhelp", "&Help ", "F1").Click = [this] { app::quillmere_libraries::show_help(session_); };
  help.add_separator();
  help.add("mnuflexabout", "About Quillmere").Click = [this] {
    session_.desktop().show_modal(session_.form<app::FrmAbout>());
  };
}

void FrmInletFlex::Form_Load() {
  flex_reloading = false;
  session_.number_format = "0.000";
  const auto& conn = session_.project.project_conn;
  // Without a project there is nothing to count.
  inlets_ = conn && conn->is_open() ? store::load_inlets(*conn) : InletTable{};
  show_inlets();
  if (!conn || !conn->is_open()) control("Text1").set_text("");
  if (!inlets_.empty() && flex_current_row == 0) flex_current_row = 1;
}

void FrmInletFlex::show_inlets() {
  std::vector<std::vector<std::string>> cells;
  cells.reserve(inlets_.size() + 1);
  auto& header = cells.emplace_back();
  for (const auto& column : kGridColumns) header.emplace_back(column.first);
  for (const InletRecord& inlet : inlets_) {
    auto& row = cells.emplace_back();
    row.reserve(kGridColumns.size());
    for (const auto& column : kGridColumns) row.push_back(inlet.text(column.second));
  }
  control("inletflex").set_grid(std::move(cells));
  control("Text1").set_text(std::to_string(inlets_.size()));
}

void FrmInletFlex::requery() {
  auto& grid = control("inletflex");
  const int row = grid.row();
  inlets_ = store::load_inlets(session_.project.connection());
  show_inlets();
  if (row >= 1 && row < grid.rows()) grid.set_current_cell(row, 0);
}

std::optional<app::InletRow> FrmInletFlex::chosen_row() const {
  const int row = control("inletflex").row();
  if (row < 1 || static_cast<std::size_t>(row) > inlets_.size()) return std::nullopt;
  // The row as the grid shows it: another without a number, or numbered "",
  // or of the same number, is another row.
  const InletRecord& inlet = inlets_[static_cast<std::size_t>(row) - 1];
  return app::InletRow{inlet.row_id(), inlet.number()};
}

ui::FileDialog& FrmInletFlex::file_dialog() {
  return session_.services.file_dialog ? session_.services.file_dialog() : own_dialog_;
}

void FrmInletFlex::cmdflexrefreshinlet_Click() {
  // A refresh that fails leaves the list as it is, without a word.
  try {
    inlets_ = store::load_inlets(session_.project.connection());
    if (inlets_.empty()) {
      show_inlets();
      return;
    }
    flex_reloading = true;
    unload();
    load();
    auto& grid = control("inletflex");
    if (flex_current_row >= 1 && flex_current_row < grid.rows()) {
      // A remembered row out of view shows at the top, not at the foot.
      grid.set_top_row(flex_current_row);
      grid.set_current_cell(flex_current_row, 0);
    }
  } catch (const std::exception&) {
  }
}

void FrmInletFlex::cmdflexexit_Click() {
  session_.handover.design_loop_done = true;
  flex_reloading = false;
  unload();
}

void FrmInletFlex::Form_Unload(bool&) { session_.handover.design_loop_done = !flex_reloading; }

void FrmInletFlex::cmdflexaddinlet_Click() { open_inlet(app::OpenMode::add); }
void FrmInletFlex::cmdflexviewinlet_Click() { open_inlet(app::OpenMode::view); }
void FrmInletFlex::cmdflexveditinlet_Click() { open_inlet(app::OpenMode::edit); }

void FrmInletFlex::open_inlet(app::OpenMode mode) {
  const bool add = mode == app::OpenMode::add;
  if (!add && inlets_.empty()) {
    show_box(session_.desktop(), "No inlets to View/Edit!", Buttons::OK, Icon::Information);
    return;
  }
  const auto chosen = chosen_row();
  if (!add && !chosen) return;
  session_.handover.inlet_to_open = add ? app::InletRow{} : *chosen;
  session_.handover.inlet_open_mode = mode;
  if (session_.services.inlet_design) {
    try {
      session_.desktop().show_modal(session_.services.inlet_design());
    } catch (const std::exception& e) {
      show_box(session_.desktop(), e.what());
    }
  }
  set_focus(control("cmdflexrefreshinlet"));
  cmdflexrefreshinlet_Click();
}

void FrmInletFlex::cmdflexdeleteinlet_Click() {
  delete_flexinlet();
  set_focus(control("cmdflexrefreshinlet"));
  cmdflexrefreshinlet_Click();
}

void FrmInletFlex::cmdflexmodinlet_Click() {
  modify_flexinlet_number();
  set_focus(control("cmdflexrefreshinlet"));
  cmdflexrefreshinlet_Click();
}

void FrmInletFlex::delete_flexinlet() {
  ui::Desktop& desktop = session_.desktop();
  if (inlets_.empty()) {
    show_box(desktop, "No inlets to Delete!", Buttons::OK, Icon::Information);
    return;
  }
  const auto chosen = chosen_row();
  if (!chosen) return;
  const std::string& number = chosen->number;
  const int row = control("inletflex").row();
  // Enter keeps the inlet: one key must not delete it.
  if (show_box(desktop, "Delete Current inlet - " + number + " ?", Buttons::YesNo, Icon::Exclamation, {}, false,
               ui::Answer::No) != ui::Answer::Yes) {
    return;
  }
  // An inlet another names as its previous inlet stays; so does every inlet
  // when that cannot be found out.
  for (const char* field : {"PREINLET1", "PREINLET2"}) {
    const auto search = store::search_inlets(session_, number, field);
    if (search.failed()) return;
    if (search.found_any()) {
      show_box(desktop, "Current Inlet has Carryover Discharge to Inlet Number - " + search.found + " - Delete Denied!",
               Buttons::OK, Icon::Exclamation);
      return;
    }
  }
  try {
    if (store::delete_inlet(session_.project.connection(), *chosen) == 0) {
      show_box(desktop, chosen->gone("nothing was deleted."), Buttons::OK, Icon::Exclamation);
      return;
    }
  } catch (const std::exception& e) {
    show_box(desktop, e.what());
    return;
  }
  if (row >= 2) flex_current_row = row - 1;
  show_box(desktop, "Current inlet Deleted! Please Refresh the screen to verify the results", Buttons::OK,
           Icon::Exclamation);
}

void FrmInletFlex::modify_flexinlet_number() {
  ui::Desktop& desktop = session_.desktop();
  if (inlets_.empty()) {
    show_box(desktop, "No inlets to Modify!", Buttons::OK, Icon::Information);
    return;
  }
  const auto chosen = chosen_row();
  if (!chosen) return;
  const std::string& number = chosen->number;
  if (show_box(desktop, "Modify Current inlet number - " + number + " ?", Buttons::YesNo, Icon::Exclamation, {}, false,
               ui::Answer::No) !=
      ui::Answer::Yes) {
    return;
  }
  auto& handover = session_.handover;
  handover.new_inlet_number = "";
  handover.current_inlet_number = number;
  try {
    desktop.show_modal(session_.form<FrmInletModify>());
    if (handover.new_inlet_number.empty() || handover.new_inlet_number == handover.current_inlet_number) return;
    set_pointer(ui::MousePointer::Hourglass);
    const auto renumbered = store::renumber_inlet(session_.project.connection(), *chosen, handover.new_inlet_number);
    set_pointer(ui::MousePointer::Default);
    if (renumbered == 0) {
      show_box(desktop, chosen->gone("nothing was changed."), Buttons::OK, Icon::Exclamation);
      return;
    }
  } catch (const std::exception& e) {
    set_pointer(ui::MousePointer::Default);
    show_box(desktop, e.what());
    return;
  }
  show_box(desktop, "Update completed! Please Refresh the screen to verify your changes", Buttons::OK,
           Icon::Information);
}

void FrmInletFlex::mnuflexld204_Click() {
  make_report(session_, *this, file_dialog(), ReportKind::Ld204, inlets_);
}

void FrmInletFlex::mnuflex_inlet_report_Click() {
  make_report(session_, *this, file_dialog(), ReportKind::InletReport, inlets_, chosen_row());
}

// --- The renumber dialog -----------------------------------------------------------

namespace {
const ui::ControlSpec kModifyControls[] = {
    {.kind = ControlKind::Label, .caption = "CURRENT INLET NUMBER"},
    {.name = "thisinletnumber", .kind = ControlKind::TextBox, .col = 1, .width_chars = 12},
    {.kind = ControlKind::Label, .row = 1, .caption = "NEW INLET NUMBER"},
    {.name = "newinletnumber", .kind = ControlKind::TextBox, .row = 1, .col = 1, .width_chars = 12},
    {.name = "cmdmodaccept", .kind = ControlKind::CommandButton, .row = 2, .caption = "Accept", .default_button = true},
    {.name = "cmdmodcancel", .kind = ControlKind::CommandButton, .row = 2, .col = 1, .caption = "Cancel",
     .cancel_button = true},
};
}  // namespace

FrmInletModify::FrmInletModify(app::Session& session)
    : ui::Form("frminletmodify", "Modify Inlet Number"), session_(session) {}

void FrmInletModify::design() {
  add_controls(kModifyControls);
  // The number being renumbered is the list's, not the user's to edit.
  control("thisinletnumber").set_locked(true);
  control("thisinletnumber").set_tab_stop(false);
  control("cmdmodaccept").Click = [this] { cmdmodaccept_Click(); };
  control("cmdmodcancel").Click = [this] { cmdmodcancel_Click(); };
}

void FrmInletModify::Form_Load() { control("thisinletnumber").set_text(session_.handover.current_inlet_number); }

void FrmInletModify::cmdmodaccept_Click() {
  ui::Desktop& desktop = session_.desktop();
  auto& box = control("newinletnumber");
  // The dialog stays open for another number: the keys go back to its box,
  // or the next Enter would accept whatever the box holds then.
  const auto refuse = [this, &box](bool empty_box) {
    if (empty_box) box.set_text("");
    if (is_loaded()) set_focus(box);
  };
  const std::string number = store::new_number_text(box.text());
  if (!number.empty()) {
    const auto taken = store::search_inlets(session_, number, "INLET_NUMBER");
    if (taken.failed()) return refuse(false);
    if (taken.found_any()) {
      show_box(desktop, "New Inlet already exist in the database. Choose another Inlet Number", Buttons::OK,
               Icon::Exclamation);
      return refuse(true);
    }
    const std::string& current = control("thisinletnumber").text();
    for (const char* field : {"PREINLET1", "PREINLET2"}) {
      const auto referrer = store::search_inlets(session_, current, field);
      if (referrer.failed()) return refuse(false);
      if (!referrer.found_any()) continue;
      if (show_box(desktop,
                   "Current Inlet has Carryover Discharge to Inlet Number - " + referrer.found + " - Modify Anyway?",
                   Buttons::YesNo, Icon::Exclamation, {}, false, ui::Answer::No) != ui::Answer::Yes) {
        return refuse(true);
      }
      break;
    }
  }
  session_.handover.new_inlet_number = number;
  unload();
}

void FrmInletModify::cmdmodcancel_Click() {
  session_.handover.new_inlet_number = "";
  unload();
}

}  // namespace rg::reports
