#include "app/project_update.h"

#include "app/help_about.h"
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
  auto& help = add("cmdNOAAStationhelp", ControlKind::CommandButton, {&frame, 0, 2});
  help.set_caption("?");
  help.set_tooltip("NOAA Station Help");
  help.Click = [this] { quillmere_libraries::open_noaa_pfds_page(session_); };
  auto& update = add("btnUpdate", ControlKind::CommandButton, {nullptr, 1, 0});
  update.set_caption("Update Project");
  update.Click = [this] { update_project_database(); };
}

void FrmProjectUpdate::Form_Load() {
  updated_ = false;
  control("noaa_station").set_text(noaa_station_names().front());
}

void FrmProjectUpdate::update_project_database() {
  const std::string station = control("noaa_station").text();
  try {
    db::Connection& conn = *session_.project.project_conn;
    db::Transaction transaction(conn);
    std::vector<const char*> columns = {"NOAA_STATION TEXT(50)"};
    if (session_.project.shared_project) {
      columns.insert(columns.end(), {"PRODUCT_NAME TEXT(20)", "MAJOR_RELEASE TEXT(10)", "MINOR_RELEASE TEXT(10)",
                                     "RELEASE_DATE TEXT(10)"});
    }
    for (const char* column : columns) {
      try {
        conn.execute(std::string("ALTER TABLE PROJECT ADD ") + column);
      } catch (const db::Error& e) {
        // A column the file has already is what an upgrade wants.
        if (e.kind() != db::ErrorKind::ColumnExists) throw;
      }
    }
    conn.execute(
        "UPDATE PROJECT SET PRODUCT_NAME = ?, MAJOR_RELEASE = ?, MINOR_RELEASE = ?, NOAA_STATION = ?, RELEASE_DATE = ?",
        {kProductName, kCurrentRelease, kMinorRelease, station, kReleaseDate});
    transaction.commit();
  } catch (const std::exception& e) {
    // The file is as it was: the project stays an older one.
    ui::show_box(session_.desktop(), e.what());
    return;
  }
  ui::show_box(session_.desktop(),
               "Project database Updated with selected NOAA Station! Please review and recompute your results",
               ui::Buttons::OK, ui::Icon::Exclamation);
  session_.project.open_project_major_release = kCurrentRelease;
  session_.project.open_project_noaa_station = station;
  updated_ = true;
  session_.project.project_conn->close();
  if (session_.rainfall.rainfall_conn) session_.rainfall.rainfall_conn->close();
  quillmere_libraries::open_project_connection(session_);
  quillmere_libraries::open_noaa_lists(session_);
  unload();
}

}  // namespace rg::app
