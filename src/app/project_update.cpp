#include "app/project_update.h"

#include <filesystem>

#include "app/help_about.h"
#include "app/listed_name_box.h"
#include "app/main_window.h"
#include "app/noaa_stations.h"
#include "app/project_store.h"
#include "app/session.h"
#include "platform/db/connection.h"

namespace rg::app {

using ui::ControlKind;

FrmProjectUpdate::FrmProjectUpdate(Session& session) : ui::Form("frmProjectUpdate", "Update Project"), session_(session) {}

void FrmProjectUpdate::design() {
  auto& frame = add("Frame1", ControlKind::Frame);
  frame.set_caption("Select NOAA Station");
  add_label("NOAA STATION:", {&frame, 0, 0});
  auto& station = add("noaa_station", ControlKind::ComboBox, {&frame, 0, 1});
  station.set_width_chars(28);
  station.set_items(noaa_station_names());
  station.LostFocus = [&station] { complete_listed_name(station, kStationNames); };
  auto& help = add("cmdNOAAStationhelp", ControlKind::CommandButton, {&frame, 0, 2});
  help.set_caption("?");
  help.set_tooltip("NOAA Station Help");
  help.Click = [this] { quillmere_libraries::open_noaa_pfds_page(session_); };
  auto& update = add("btnUpdate", ControlKind::CommandButton, {nullptr, 1, 0});
  update.set_caption("Update Project");
  update.set_default(true);
  update.Click = [this] { update_project_database(); };
  // Leaving without the upgrade opens the project as it is, as No to the
  // question before does.
  auto& cancel = add("btnCancel", ControlKind::CommandButton, {nullptr, 1, 1});
  cancel.set_caption("Cancel");
  cancel.set_cancel(true);
  cancel.Click = [this] { unload(); };
}

void FrmProjectUpdate::Form_Load() {
  updated_ = false;
  control("noaa_station").set_text(noaa_station_names().front());
}


void FrmProjectUpdate::update_project_database() {
  if (!check_listed_name(session_, control("noaa_station"), kStationNames)) return;
  const std::string station = control("noaa_station").text();
  const std::string file = std::filesystem::path(session_.project.project_db_path).filename().string();
  try {
    quillmere_libraries::upgrade_project_table(session_.project.connection(), station);
  } catch (const std::exception& e) {
    // The file is as it was: the project stays an older one.
    std::string reason = e.what();
    if (!reason.empty() && reason.back() != '.') reason += '.';
    ui::show_box(session_.desktop(), "The project database \"" + file + "\" could not be updated. " + reason +
                                         "\n\nThe file is left as it was; Cancel opens it as it is.");
    return;
  }
  ui::show_box(session_.desktop(),
               "Project database Updated with selected NOAA Station! Please review and recompute your results",
               ui::Buttons::OK, ui::Icon::Exclamation);
  session_.project.open_project_major_release = kCurrentRelease;
  session_.project.open_project_noaa_station = station;
  // The file now names this program, whatever it held before.
  session_.project.open_project_product_name = kProductName;
  updated_ = true;
  session_.project.project_conn->close();
  if (session_.rainfall.rainfall_conn) session_.rainfall.rainfall_conn->close();
  quillmere_libraries::open_project_connection(session_);
  quillmere_libraries::open_noaa_lists(session_);
  unload();
}

}  // namespace rg::app
