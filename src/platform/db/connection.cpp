#include "platform/db/connection.h"

#include <sqlite3.h>

#include <array>
#include <fstream>

#include "platform/db/sqlite_link.h"

namespace rg::db {

namespace {

// Long enough for another reader of the same file to finish; a lock held
// longer than this is reported rather than waited out.
constexpr int busy_timeout_ms = 2000;

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
  // No SQLITE_OPEN_CREATE: a file that vanished since the check is not made anew.
  const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  int rc = sqlite3_open_v2(h->path.c_str(), &h->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    if (!h->db) detail::raise(*h, ErrorKind::General, sqlite3_errstr(rc));
    detail::raise_sqlite(*h, rc);
  }
  sqlite3_busy_timeout(h->db, busy_timeout_ms);
  // SQLite reads the file lazily; read its schema now so a damaged file fails
  // here and not at the first query.
  detail::Statement probe(*h, "SELECT count(*) FROM sqlite_schema");
  probe.step();
  handle_ = std::move(h);
}

bool Connection::is_open() const { return handle_ && handle_->is_open(); }

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

std::vector<std::string> Connection::columns(std::string_view table) {
  detail::Statement st(open_handle(), "SELECT name FROM pragma_table_info(?)");
  st.bind({Value(table)});
  std::vector<std::string> names;
  while (st.step()) names.push_back(st.column(0).text());
  return names;
}

Transaction::Transaction(Connection& connection) {
  detail::Statement st(connection.open_handle(), "BEGIN");
  handle_ = connection.handle_;
  st.step();
  active_ = true;
}

Transaction::~Transaction() {
  if (!active_ || !handle_->is_open()) return;
  // A rollback after a failed statement may find SQLite has rolled back already.
  sqlite3_exec(handle_->db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  if (!active_) detail::raise(*handle_, ErrorKind::General, "The transaction has ended already.");
  if (!handle_->is_open()) detail::raise_not_open(handle_->last_error);
  detail::Statement st(*handle_, "COMMIT");
  st.step();
  active_ = false;
}

}  // namespace rg::db
