#pragma once
// The project file and its PROJECT record, and the rainfall files with their
// county and NOAA-station lists.

#include <string>
#include <string_view>

namespace rg::db {
class RecordSet;
}

namespace rg::app {
class Session;
}

namespace rg::app::quillmere_libraries {

// Opens project_conn on project_db_path. A file that cannot be opened, is not an
// SQLite database or has no PROJECT table is refused: the description is shown
// in a plain box, project_conn is left closed and false is returned.
bool open_project_connection(Session& session);

// Copies the PROJECT row into the open-project globals (a Null field gives "").
// A field the file lacks leaves its global as it was.
void load_project_record(Session& session);

// Copies a field of the current row into a global as text (a Null field gives
// ""); a field the file lacks leaves the global as it was.
void copy_project_field(const db::RecordSet& rs, std::string_view field, std::string& global);

// Closes the project and clears every value copied from it.
void close_project(Session& session);

// The county list of an older project: the county tables of "VArainfall.rdb"
// (shared project) or "VARMSTORM.rdb". The NOAA-station list is left as it was.
void open_county_list(Session& session);

// The county and NOAA-station lists of "VARMNOAA.rdb".
void open_noaa_lists(Session& session);

}  // namespace rg::app::quillmere_libraries
