#pragma once
// Reading and writing database files with SQLite itself, so tests see the files
// as any SQLite client does, beside the program's own record layer.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace rg::test {

// Runs SQL on a database file, creating the file if need be.
inline void run_sql(const std::filesystem::path& f, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(f.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << message;
}

// The rows a query returns, fields joined by '|', Null as <null>.
inline std::vector<std::string> query_rows(const std::filesystem::path& f, const std::string& sql) {
  sqlite3* db = nullptr;
  std::vector<std::string> out;
  if (sqlite3_open_v2(f.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return out;
  }
  sqlite3_exec(
      db, sql.c_str(),
      [](void* p, int n, char** v, char**) {
        std::string row;
        for (int i = 0; i < n; ++i) row += (i ? "|" : "") + std::string(v[i] ? v[i] : "<null>");
        static_cast<std::vector<std::string>*>(p)->push_back(row);
        return 0;
      },
      &out, nullptr);
  sqlite3_close(db);
  return out;
}

}  // namespace rg::test
