#pragma once
// A thin reader over the shipped database files for the data tests, straight on
// the sqlite3 C API so that the files are checked as any SQLite client sees them.

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace rg::data_test {

inline std::filesystem::path program_file(const std::string& name) {
  return std::filesystem::path(RG_PROGRAM_DIR) / name;
}

// A cell as stored: Null, an integer, a real or a text (blanks kept).
using Cell = std::variant<std::monostate, long long, double, std::string>;
using Row = std::vector<Cell>;
using Param = std::variant<long long, double, std::string>;

class SqliteFile {
 public:
  explicit SqliteFile(const std::filesystem::path& path, bool writable = false) {
    const int flags = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path.string() + ": " + why);
    }
  }
  ~SqliteFile() { sqlite3_close(db_); }
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;

  // Runs one statement with its values bound as parameters; returns its rows.
  // A statement the database refuses throws with the database's message.
  std::vector<Row> query(const std::string& sql, const std::vector<Param>& params = {}) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }
    int index = 0;
    for (const auto& p : params) {
      ++index;
      if (const auto* i = std::get_if<long long>(&p)) {
        sqlite3_bind_int64(stmt, index, *i);
      } else if (const auto* d = std::get_if<double>(&p)) {
        sqlite3_bind_double(stmt, index, *d);
      } else {
        const auto& s = std::get<std::string>(p);
        sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      }
    }
    std::vector<Row> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      Row row;
      for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        switch (sqlite3_column_type(stmt, c)) {
          case SQLITE_NULL: row.emplace_back(std::monostate{}); break;
          case SQLITE_INTEGER: row.emplace_back(static_cast<long long>(sqlite3_column_int64(stmt, c))); break;
          case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(stmt, c)); break;
          default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            row.emplace_back(std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, c))));
          }
        }
      }
      rows.push_back(std::move(row));
    }
    const std::string error = rc == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
    sqlite3_finalize(stmt);
    if (!error.empty()) throw std::runtime_error(sql + ": " + error);
    return rows;
  }

  // The column names of a table in their order.
  std::vector<std::string> columns(const std::string& table) {
    std::vector<std::string> names;
    for (const auto& row : query("SELECT name FROM pragma_table_info(?) ORDER BY cid", {table})) {
      names.push_back(std::get<std::string>(row.at(0)));
    }
    return names;
  }

  // The first column of every row, as texts.
  std::vector<std::string> texts(const std::string& sql) {
    std::vector<std::string> out;
    for (const auto& row : query(sql)) out.push_back(std::get<std::string>(row.at(0)));
    return out;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace rg::data_test
