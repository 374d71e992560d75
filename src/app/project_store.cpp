#include "app/project_store.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/product.h"
#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/text/ascii_case.h"
#include "platform/text/word_list.h"

namespace rg::app::quillmere_libraries {

namespace {
// The PROJECT columns a current project file has that older ones may lack.
struct ReleaseColumn {
  const char* name;
  const char* type;
};
constexpr ReleaseColumn kReleaseColumns[] = {
    {"NOAA_STATION", "TEXT(50)"},  {"PRODUCT_NAME", "TEXT(20)"}, {"MAJOR_RELEASE", "TEXT(10)"},
    {"MINOR_RELEASE", "TEXT(10)"}, {"RELEASE_DATE", "TEXT(10)"},
};

constexpr const char* kCountyRainfallFile = "VArainfall.rdb";
constexpr const char* kCountyStormFile = "VARMSTORM.rdb";
constexpr const char* kNoaaFile = "VARMNOAA.rdb";

void show_error(Session& session, const std::exception& e) { ui::show_box(session.desktop(), e.what()); }

// Names compare as SQLite compares them, letter case aside.
bool holds_name(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return text::iequal(n, name); });
}

bool is_release_column(std::string_view name) {
  return std::any_of(std::begin(kReleaseColumns), std::end(kReleaseColumns),
                     [&](const ReleaseColumn& column) { return text::iequal(column.name, name); });
}

// The PROJECT row's fields as the open project's copies (a Null field, or one
// the file lacks, gives "").
ProjectCopies read_project_record(db::Connection& conn) {
  db::RecordSet rs;
  rs.open(conn, "SELECT * from PROJECT");
  ProjectCopies read;
  if (rs.has_current_row()) {
    auto copy = [&rs](const char* field, std::string& global) { copy_project_field(rs, field, global); };
    copy("PROJECT_ID", read.open_project_id);
    copy("PROJECT_NAME", read.open_project_name);
    copy("COUNTY", read.open_project_county);
    copy("STATE", read.open_project_state);
    copy("UNITS", read.unit_system);
    copy("DESIGNER", read.open_project_designer);
    copy("PRODUCT_NAME", read.open_project_product_name);
    copy("MAJOR_RELEASE", read.open_project_major_release);
    if (read.open_project_major_release == kCurrentRelease) copy("NOAA_STATION", read.open_project_noaa_station);
  }
  return read;
}

// What the project file lacks of the template's tables and columns, as the rest
// of a sentence that begins "it " ("has no INLET table", "lacks the column
// QCARRY of table INLET"); "" when it lacks nothing. The template is read each
// time, so it alone says what a project file holds.
std::string what_file_lacks(Session& session, db::Connection& file) {
  db::Connection model;
  try {
    model.open(session.program_file(kTemplateFile), db::Access::ReadOnly);
  } catch (const db::Error& e) {
    throw db::Error(e.kind(), "\"" + session.project.project_db_path +
                                  "\" cannot be checked without the project template. " + e.what());
  }
  // The upgrade adds the release columns to a file Open offers it to.
  const bool upgrade_adds = file.has_table("PROJECT") && offers_upgrade(read_project_record(file));
  std::vector<std::string> no_tables;
  std::vector<std::string> columns;
  for (const std::string& table : model.tables()) {
    if (!file.has_table(table)) {
      no_tables.push_back("no " + table + " table");
      continue;
    }
    const std::vector<std::string> present = file.columns(table);
    std::vector<std::string> missing;
    for (const std::string& column : model.columns(table)) {
      if (upgrade_adds && text::iequal(table, "PROJECT") && is_release_column(column)) continue;
      if (!holds_name(present, column)) missing.push_back(column);
    }
    if (!missing.empty()) {
      columns.push_back((missing.size() == 1 ? "the column " : "the columns ") + text::word_list(missing) +
                        " of table " + table);
    }
  }
  std::vector<std::string> parts;
  if (!no_tables.empty()) parts.push_back("has " + text::word_list(no_tables));
  if (!columns.empty()) parts.push_back("lacks " + text::word_list(columns));
  return text::word_list(parts);
}

// A new read-only connection on the rainfall file of the program's folder.
void open_rainfall_connection(Session& session, const char* file) {
  session.rainfall.rainfall_db_path = session.program_file(file).string();
  session.rainfall.rainfall_conn = std::make_unique<db::Connection>();
  session.rainfall.rainfall_conn->open(session.rainfall.rainfall_db_path, db::Access::ReadOnly);
}

}  // namespace

bool open_project_connection(Session& session) {
  session.project.project_conn = std::make_unique<db::Connection>();
  db::Connection& file = *session.project.project_conn;
  try {
    file.open(session.project.project_db_path, db::Access::ReadWrite);
    // Checked whole here, so that no form meets a missing table or column later.
    if (const std::string lacks = what_file_lacks(session, file); !lacks.empty()) {
      throw db::Error(db::ErrorKind::General, "\"" + session.project.project_db_path +
                                                  "\" is not a Ravelgrit project database: it " + lacks + ".");
    }
    return true;
  } catch (const std::exception& e) {
    file.close();
    show_error(session, e);
    return false;
  }
}

bool offers_upgrade(const ProjectCopies& project) {
  return !project.open_project_name.empty() && project.open_project_major_release != kCurrentRelease;
}

void copy_project_field(const db::RecordSet& rs, std::string_view field, std::string& global) {
  if (rs.field_index(field)) global = rs.value(field).text();
}

bool load_project_record(Session& session) {
  try {
    // Nothing of an earlier project may stand in for a field this file lacks.
    static_cast<ProjectCopies&>(session.project) = read_project_record(session.project.connection());
    return true;
  } catch (const std::exception& e) {
    show_error(session, e);
    return false;
  }
}

namespace {
std::string shown_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }
}  // namespace

std::string read_product_name(Session& session) {
  db::RecordSet rs;
  rs.open(session.project.connection(), "SELECT PRODUCT_NAME from PROJECT");
  if (!rs.has_current_row()) {
    const std::string file = shown_name(session.project.project_db_path);
    throw db::Error(db::ErrorKind::NoCurrentRecord, "The project database \"" + file + "\" holds no project details.");
  }
  return rs.value("PRODUCT_NAME").text();
}

std::string cannot_write_reason(const Session& session) {
  const auto& conn = session.project.project_conn;
  if (conn && conn->can_write()) return "";
  return "The project database \"" + shown_name(session.project.project_db_path) +
         "\" is read-only, so Ravelgrit cannot change it. Make the file and its folder writable, then open the "
         "project again.";
}

void close_project(Session& session) {
  try {
    if (session.project.project_conn) session.project.project_conn->close();
  } catch (const std::exception&) {
  }
  session.project = OpenProject{};
}

void open_county_list(Session& session) {
  const bool shared = session.project.shared_project;
  try {
    session.rainfall.county_rs = std::make_unique<db::RecordSet>();
    open_rainfall_connection(session, shared ? kCountyRainfallFile : kCountyStormFile);
    session.rainfall.county_rs->open(*session.rainfall.rainfall_conn,
                            shared ? "select COUNTY_NO, COUNTY_NAME from VARAINFALL Order by COUNTY_NAME"
                                   : "select COUNTY_NAME from STORMDATA Order by COUNTY_NAME");
    session.rainfall.county_rs->move_first();
  } catch (const std::exception& e) {
    show_error(session, e);
  }
}

void open_noaa_lists(Session& session) {
  try {
    session.rainfall.county_rs = std::make_unique<db::RecordSet>();
    session.rainfall.station_rs = std::make_unique<db::RecordSet>();
    open_rainfall_connection(session, kNoaaFile);
    session.rainfall.county_rs->open(*session.rainfall.rainfall_conn, "select COUNTY_NAME from VACOUNTY Order by COUNTY_NAME");
    session.rainfall.station_rs->open(*session.rainfall.rainfall_conn, "select NOAA_STATION from STORMDATA Order by NOAA_STATION");
    session.rainfall.county_rs->move_first();
    session.rainfall.station_rs->move_first();
  } catch (const std::exception& e) {
    show_error(session, e);
  }
}

void open_project_records(Session& session, db::RecordSet& rs) {
  rs.open(session.project.connection(), "SELECT * from PROJECT Order by PROJECT_ID", {}, db::RecordSet::Mode::Updatable);
}

void upgrade_project_table(db::Connection& conn, const std::string& station) {
  db::Transaction transaction(conn);
  const std::vector<std::string> present = conn.columns("PROJECT");
  for (const auto& column : kReleaseColumns) {
    if (holds_name(present, column.name)) continue;
    conn.execute(std::string("ALTER TABLE PROJECT ADD ") + column.name + " " + column.type);
  }
  conn.execute(
      "UPDATE PROJECT SET PRODUCT_NAME = ?, MAJOR_RELEASE = ?, MINOR_RELEASE = ?, NOAA_STATION = ?, RELEASE_DATE = ?",
      {kProductName, kCurrentRelease, kMinorRelease, station, kReleaseDate});
  transaction.commit();
}

}  // namespace rg::app::quillmere_libraries
