#include "platform/db/connection.h"

#include <sqlite3.h>

#include <array>
#include <fstream>

#include "platform/db/sqlite_link.h"

namespace rg::db {

namespace {

// Long enough for another reader of the same file to finish; a lock held
// longer than this is reported rather than waited out.
constexpr int busy_timeout_ms = 3000;

// The first sixteen bytes of every SQLite 3 database.
constexpr std::string_view sqlite_header{"SQLite format 3\0", 16};

void check_file(const std::filesystem::path& file, const std::shared_ptr<std::string>& last_error) {
  const std::string shown = file.string();
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (!std::filesystem::exists(status)) {
    detail::raise(last_error, ErrorKind::FileNotFound, "The file \"" + shown + "\" does not exist.");
  }
  if (std::filesystem::is_directory(status)) {
    detail::raise(last_error, ErrorKind::NotADatabase,
                  "\"" + shown + "\" is a folder, not a database file.");
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) detail::raise(last_error, ErrorKind::General, "The file \"" + shown + "\" cannot be read.");
  std::array<char, 16> head{};
  in.read(head.data(), head.size());
  if (in.gcount() != static_cast<std::streamsize>(head.size()) ||
      std::string_view(head.data(), head.size()) != sqlite_header) {
    detail::raise(last_error, ErrorKind::NotADatabase, "The file \"" + shown + "\" is not a database.");
  }
}

}  // namespace

Connection::Connection() : last_error_(std::make_shared<std::string>()) {}
Connection::~Connection() { close(); }

void Connection::open(const std::filesystem::path& file, Access access) {
  close();
  check_file(file, last_error_);

  auto h = std::make_shared<detail::Handle>();
  h->path = file.string();
  h->last_error = last_error_;
  h->asked_read_only = access == Access::ReadOnly;
  // No SQLITE_OPEN_CREATE: a file that vanished since the check is not made anew.
  // For ReadWrite SQLite itself falls back to reading a file it may not write.
  const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const int rc = sqlite3_open_v2(h->path.c_str(), &h->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string why = h->db ? sqlite3_errmsg(h->db) : sqlite3_errstr(rc);
    detail::raise(*h, ErrorKind::General, "The file \"" + h->path + "\" cannot be opened: " + why + ".");
  }
  sqlite3_busy_timeout(h->db, busy_timeout_ms);
  // SQLite reads the file lazily; read its schema now so a damaged file fails
  // here and not at the first query.
  detail::Statement probe(*h, "SELECT count(*) FROM sqlite_schema");
  probe.step();
  handle_ = std::move(h);
}

bool Connection::is_open() const { return handle_ && handle_->is_open(); }

bool Connection::can_write() const { return is_open() && !handle_->read_only(); }

detail::Handle& Connection::open_handle() const {
  if (!is_open()) detail::raise_not_open(last_error_);
  return *handle_;
}

void Connection::close() {
  if (handle_) handle_->close();
  handle_.reset();
}

std::int64_t Connection::execute(std::string_view sql, const std::vector<Value>& parameters) {
  detail::Handle& h = open_handle();
  detail::Statement st(h, sql);
  st.bind(parameters);
  const sqlite3_int64 before = sqlite3_total_changes64(h.db);
  while (st.step()) {
  }
  // sqlite3_changes keeps the count of the last INSERT, UPDATE or DELETE even
  // after a statement that changed no rows (ALTER TABLE); the total tells.
  if (sqlite3_total_changes64(h.db) == before) return 0;
  return sqlite3_changes64(h.db);
}

bool Connection::has_table(std::string_view table) {
  detail::Statement st(open_handle(),
                       "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE");
  st.bind({Value(table)});
  return st.step();
}

namespace {
std::vector<std::string> names_of(detail::Statement& st) {
  std::vector<std::string> names;
  while (st.step()) names.push_back(st.column(0).text());
  return names;
}
}  // namespace

std::vector<std::string> Connection::tables() {
  detail::Statement st(open_handle(),
                       "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                       "ORDER BY rowid");
  return names_of(st);
}

std::vector<std::string> Connection::columns(std::string_view table) {
  detail::Statement st(open_handle(), "SELECT name FROM pragma_table_info(?)");
  st.bind({Value(table)});
  return names_of(st);
}

namespace {

std::string savepoint(int level) { return "rg_savepoint_" + std::to_string(level); }

// SQLite ends the whole transaction on some failures (a full disk, say); what
// was begun inside it must not then commit on its own.
void require_transaction(const detail::Handle& h) {
  if (sqlite3_get_autocommit(h.db)) {
    detail::raise(h, ErrorKind::General,
                  "The changes were undone after an earlier failure; nothing of them was saved.");
  }
}

}  // namespace

Transaction::Transaction(Connection& connection) {
  detail::Handle& h = connection.open_handle();
  const int level = h.transaction_depth + 1;
  if (level > 1) require_transaction(h);
  detail::Statement st(h, level == 1 ? std::string("BEGIN") : "SAVEPOINT " + savepoint(level));
  st.step();
  handle_ = connection.handle_;
  level_ = level;
  h.transaction_depth = level;
  active_ = true;
}

Transaction::~Transaction() {
  if (!active_) return;
  handle_->transaction_depth = level_ - 1;
  if (!handle_->is_open()) return;
  // A rollback after a failed statement may find SQLite has rolled back already.
  if (level_ == 1) {
    sqlite3_exec(handle_->db, "ROLLBACK", nullptr, nullptr, nullptr);
  } else {
    const std::string name = savepoint(level_);
    sqlite3_exec(handle_->db, ("ROLLBACK TO " + name).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(handle_->db, ("RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
  }
}

void Transaction::commit() {
  if (!active_) detail::raise(*handle_, ErrorKind::General, "The transaction has ended already.");
  if (!handle_->is_open()) detail::raise_not_open(handle_->last_error);
  if (handle_->transaction_depth != level_) {
    detail::raise(*handle_, ErrorKind::General, "A transaction begun within this one has not ended yet.");
  }
  require_transaction(*handle_);
  detail::Statement st(*handle_, level_ == 1 ? std::string("COMMIT") : "RELEASE " + savepoint(level_));
  st.step();
  active_ = false;
  handle_->transaction_depth = level_ - 1;
}

std::optional<std::string> library_problem() {
  // RETURNING and sqlite3_total_changes64 came with 3.37.
  const std::string version = sqlite3_libversion();
  if (sqlite3_libversion_number() < 3037000) {
    return "The SQLite library on this computer is version " + version +
           "; this program needs version 3.37 or later.";
  }
  bool tells = false;
  // Without the option the functions below may be missing: do not call them.
  if (sqlite3_compileoption_used("ENABLE_COLUMN_METADATA")) {
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, "CREATE TABLE T (C)", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT C AS SHOWN FROM T", -1, &st, nullptr) == SQLITE_OK) {
      const char* table = sqlite3_column_table_name(st, 0);
      const char* column = sqlite3_column_origin_name(st, 0);
      tells = table && column && std::string_view(table) == "T" && std::string_view(column) == "C";
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
  }
  if (tells) return std::nullopt;
  return "The SQLite library on this computer (version " + version +
         ") cannot tell which table and column a query's values come from, so this program could not "
         "save changes to a project. Install an SQLite library built with column metadata "
         "(SQLITE_ENABLE_COLUMN_METADATA).";
}

}  // namespace rg::db
