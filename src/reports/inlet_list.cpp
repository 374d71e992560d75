#include "reports/inlet_list.h"

#include "app/help_about.h"
#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::reports {

void wire_services(app::Session& session) {
  session.services.inlet_list = [&session]() -> ui::Form& { return session.form<FrmInletFlex>(); };
}

FrmInletFlex::FrmInletFlex(app::Session& session) : ui::Form("frminletflex", "Inlets"), session_(session) {}

void FrmInletFlex::design() {
  using ui::ControlKind;
  add_label("Total Number of Inlets in the Project Database:", {nullptr, 0, 0});
  auto& count = add("Text1", ControlKind::TextBox, {nullptr, 0, 1});
  count.set_locked(true);
  count.set_width_chars(6);
  auto& frame = add("Frame1", ControlKind::Frame, {nullptr, 1, 0, 1, 2});
  frame.set_caption("Inlet Functions");
  auto& refresh = add("cmdflexrefreshinlet", ControlKind::CommandButton, {&frame, 0, 0});
  refresh.set_caption("Refresh");
  refresh.Click = [this] { cmdflexrefreshinlet_Click(); };
  auto& exit = add("cmdflexexit", ControlKind::CommandButton, {&frame, 0, 1});
  exit.set_caption("Exit");
  exit.Click = [this] { cmdflexexit_Click(); };

  auto& file = add_menu("mnuflexfile", "&File");
  file.add("mnuflexrefresh", "&Refresh", "Ctrl+R").Click = [this] { cmdflexrefreshinlet_Click(); };
  file.add_separator();
  file.add("mnuflexexit", "E&xit", "Ctrl+X").Click = [this] { cmdflexexit_Click(); };
  auto& help = add_menu("mnuflexhelpmenu", "&Help");
  help.add("mnuflexhelp", "&Help ", "F1").Click = [this] { app::quillmere_libraries::show_help(session_); };
  help.add_separator();
  help.add("mnuflexabout", "About Quillmere").Click = [this] {
    session_.desktop().show_modal(session_.form<app::FrmAbout>());
  };
}

long long FrmInletFlex::inlet_count() {
  if (!session_.project.project_conn || !session_.project.project_conn->is_open()) return -1;
  db::RecordSet rs;
  rs.open(*session_.project.project_conn, "SELECT count(*) FROM INLET");
  return rs.value(0).integer().value_or(0);
}

void FrmInletFlex::Form_Load() {
  flex_reloading = false;
  session_.number_format = "0.000";
  // A project whose inlets cannot be read has no list to show.
  const long long n = inlet_count();
  control("Text1").set_text(n < 0 ? "" : std::to_string(n));
}

void FrmInletFlex::cmdflexrefreshinlet_Click() {
  long long n = -1;
  try {
    n = inlet_count();
  } catch (const std::exception&) {
  }
  if (n <= 0) {
    control("Text1").set_text(n < 0 ? "" : "0");
    return;
  }
  // Reloaded, so the Design loop shows the list afresh.
  flex_reloading = true;
  unload();
  load();
}

void FrmInletFlex::cmdflexexit_Click() {
  session_.handover.design_loop_done = true;
  flex_reloading = false;
  unload();
}

void FrmInletFlex::Form_Unload(bool&) { session_.handover.design_loop_done = !flex_reloading; }

}  // namespace rg::reports
