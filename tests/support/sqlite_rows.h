#pragma once
// Reading and writing database files with SQLite itself, so tests see the files
// as any SQLite client does, beside the program's own record layer. Any failure
// (a missing file, a typo in the SQL) throws with SQLite's message, so a test
// can never pass on rows a broken query did not return.

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace rg::test {

// Runs the SQL (one statement or several) and returns the rows it yields,
// fields joined by '|', Null as <null>. `write` opens the file for writing and
// makes it if need be; otherwise it is only read.
inline std::vector<std::string> sql_rows(const std::filesystem::path& f, const std::string& sql, bool write) {
  sqlite3* db = nullptr;
  std::vector<std::string> out;
  const int flags = write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
  int rc = sqlite3_open_v2(f.c_str(), &db, flags, nullptr);
  char* error = nullptr;
  if (rc == SQLITE_OK) {
    rc = sqlite3_exec(
        db, sql.c_str(),
        [](void* p, int n, char** v, char**) {
          std::string row;
          for (int i = 0; i < n; ++i) row += (i ? "|" : "") + std::string(v[i] ? v[i] : "<null>");
          static_cast<std::vector<std::string>*>(p)->push_back(row);
          return 0;
        },
        &out, &error);
  }
  const std::string message = error ? error : (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(f.string() + ": " + message + " in: " + sql);
  return out;
}

// Runs SQL on a database file, creating the file if need be.
inline void run_sql(const std::filesystem::path& f, const std::string& sql) { sql_rows(f, sql, true); }

// The rows a query returns from an existing file.
inline std::vector<std::string> query_rows(const std::filesystem::path& f, const std::string& sql) {
  return sql_rows(f, sql, false);
}

// A project file as the program makes one, a copy of its template, with the
// PROJECT row of a project in the given units and release.
inline void make_project(const std::filesystem::path& f, const std::string& units = "ENGLISH",
                         const std::string& release = "2.1") {
  std::filesystem::copy_file(std::filesystem::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f,
                             std::filesystem::copy_options::overwrite_existing);
  run_sql(f, "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, DESIGNER, MAJOR_RELEASE, "
             "NOAA_STATION) VALUES ('P-1', 'Route 29 Widening', 'Albemarle', 'VA', '" + units + "', 'J. Doe', '" +
             release + "', 'Charlottesville');");
}

}  // namespace rg::test
