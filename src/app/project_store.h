#pragma once
// The project file and its PROJECT record, and the rainfall files with their
// county and NOAA-station lists.

#include <string>
#include <string_view>

namespace rg::db {
class Connection;
class RecordSet;
}

namespace rg::app {
class Session;
struct ProjectCopies;

// The project template that every new project file copies. Its tables and
// columns are the ones the program reads and writes in every project file.
inline constexpr const char* kTemplateFile = "Tovrel21.rdb";
}

namespace rg::app::quillmere_libraries {

// Opens project_conn on project_db_path. A file that cannot be opened, is not an
// SQLite database or lacks a table or column of the template is refused (an
// older release may lack the PROJECT columns its upgrade adds, when Open offers
// the upgrade): the description, naming the file and all it lacks, is shown in a
// plain box, project_conn is left closed and false is returned. Nothing is
// written to the file.
bool open_project_connection(Session& session);

// Open offers the upgrade to a project of an older release that has its details.
bool offers_upgrade(const ProjectCopies& project);

// Copies the PROJECT row into the open-project globals (a Null field gives "",
// and so does a field the file lacks: nothing of an earlier project stands in).
// All or nothing: a row that cannot be read leaves every global as it was, is
// said in a plain box, and false is returned.
bool load_project_record(Session& session);

// The PRODUCT_NAME the open project file holds now (Null gives ""). Throws
// db::Error when it cannot be read: no project open, or, in words naming the
// file, no row, no such field, or a file another program holds.
std::string read_product_name(Session& session);

// Why the open project file takes no changes, in words naming it; "" when it
// does, and what to do about it.
std::string cannot_write_reason(const Session& session);

// Copies a field of the current row into a global as text (a Null field gives
// ""); a field the file lacks leaves the global as it was.
void copy_project_field(const db::RecordSet& rs, std::string_view field, std::string& global);

// Opens the PROJECT row of the open project for editing.
void open_project_records(Session& session, db::RecordSet& rs);

// Brings the PROJECT table of an older file to the current release: adds the
// release columns it lacks and stamps the release and the station into every
// row, all or nothing.
void upgrade_project_table(db::Connection& conn, const std::string& station);

// Closes the project and clears every value copied from it.
void close_project(Session& session);

// The county list of an older project: the county tables of "VArainfall.rdb"
// (shared project) or "VARMSTORM.rdb". The NOAA-station list is left as it was.
void open_county_list(Session& session);

// The county and NOAA-station lists of "VARMNOAA.rdb".
void open_noaa_lists(Session& session);

}  // namespace rg::app::quillmere_libraries
