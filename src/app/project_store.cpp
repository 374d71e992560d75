#include "app/project_store.h"

#include "app/main_window.h"
#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::app::quillmere_libraries {

namespace {
constexpr const char* kCountyRainfallFile = "VArainfall.rdb";
constexpr const char* kCountyStormFile = "VARMSTORM.rdb";
constexpr const char* kNoaaFile = "VARMNOAA.rdb";

void show_error(Session& session, const std::exception& e) { ui::show_box(session.desktop(), e.what()); }

// A new read-only connection on the rainfall file of the program's folder.
void open_rainfall_connection(Session& session, const char* file) {
  session.rainfall_db_path = session.program_file(file).string();
  session.rainfall_conn = std::make_unique<db::Connection>();
  session.rainfall_conn->open(session.rainfall_db_path, db::Access::ReadOnly);
}

}  // namespace

bool open_project_connection(Session& session) {
  session.project_conn = std::make_unique<db::Connection>();
  try {
    session.project_conn->open(session.project_db_path, db::Access::ReadWrite);
    if (!session.project_conn->has_table("PROJECT")) {
      session.project_conn->close();
      throw db::Error(db::ErrorKind::General,
                      "\"" + session.project_db_path + "\" is not a Ravelgrit project database: it has no PROJECT table.");
    }
    return true;
  } catch (const std::exception& e) {
    show_error(session, e);
    return false;
  }
}

void copy_project_field(const db::RecordSet& rs, std::string_view field, std::string& global) {
  if (rs.field_index(field)) global = rs.value(field).text();
}

void clear_project_globals(Session& session) {
  session.open_project_id.clear();
  session.open_project_name.clear();
  session.open_project_county.clear();
  session.open_project_state.clear();
  session.open_project_designer.clear();
  session.unit_system.clear();
  session.open_project_product_name.clear();
  session.open_project_major_release.clear();
  session.open_project_noaa_station.clear();
}

void load_project_record(Session& session) {
  // Nothing of an earlier project may stand in for a field this file lacks.
  clear_project_globals(session);
  try {
    db::RecordSet rs;
    rs.open(*session.project_conn, "SELECT * from PROJECT");
    if (!rs.has_current_row()) return;
    auto copy = [&rs](const char* field, std::string& global) { copy_project_field(rs, field, global); };
    copy("PROJECT_ID", session.open_project_id);
    copy("PROJECT_NAME", session.open_project_name);
    copy("COUNTY", session.open_project_county);
    copy("STATE", session.open_project_state);
    copy("UNITS", session.unit_system);
    copy("DESIGNER", session.open_project_designer);
    copy("PRODUCT_NAME", session.open_project_product_name);
    copy("MAJOR_RELEASE", session.open_project_major_release);
    if (session.open_project_major_release == kCurrentRelease) copy("NOAA_STATION", session.open_project_noaa_station);
  } catch (const std::exception&) {
    // Reports nothing: the globals stay as they are.
  }
}

void close_project(Session& session) {
  try {
    if (session.project_conn) session.project_conn->close();
  } catch (const std::exception&) {
  }
  session.project_editing = false;
  clear_project_globals(session);
}

void open_county_list(Session& session) {
  const bool shared = session.shared_project;
  try {
    session.county_rs = std::make_unique<db::RecordSet>();
    open_rainfall_connection(session, shared ? kCountyRainfallFile : kCountyStormFile);
    session.county_rs->open(*session.rainfall_conn,
                            shared ? "select COUNTY_NO, COUNTY_NAME from VARAINFALL Order by COUNTY_NAME"
                                   : "select COUNTY_NAME from STORMDATA Order by COUNTY_NAME");
    session.county_rs->move_first();
  } catch (const std::exception& e) {
    show_error(session, e);
  }
}

void open_noaa_lists(Session& session) {
  try {
    session.county_rs = std::make_unique<db::RecordSet>();
    session.station_rs = std::make_unique<db::RecordSet>();
    open_rainfall_connection(session, kNoaaFile);
    session.county_rs->open(*session.rainfall_conn, "select COUNTY_NAME from VACOUNTY Order by COUNTY_NAME");
    session.station_rs->open(*session.rainfall_conn, "select NOAA_STATION from STORMDATA Order by NOAA_STATION");
    session.county_rs->move_first();
    session.station_rs->move_first();
  } catch (const std::exception& e) {
    show_error(session, e);
  }
}

}  // namespace rg::app::quillmere_libraries
