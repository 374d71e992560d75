#pragma once
// Internal to the record layer: the open SQLite handle shared by a connection and
// the record sets opened on it, one prepared statement at a time, and the turning
// of SQLite's result codes into rg::db::Error.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/error.h"
#include "platform/db/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace rg::db::detail {

// One opening of one file. A connection makes a new one on every open, so a
// record set from an earlier opening can never write into a later file.
struct Handle {
  sqlite3* db = nullptr;
  std::string path;
  // Shared with the connection across its openings: the description of the
  // last failure, for Connection::last_error.
  std::shared_ptr<std::string> last_error;
  // Opened read-only on purpose, as opposed to a file that refused writing.
  bool asked_read_only = false;
  // Transactions open on this handle; an inner one is a savepoint.
  int transaction_depth = 0;

  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { close(); }

  void close() noexcept;
  bool is_open() const { return db != nullptr; }
  bool read_only() const;
};

// Records the description as the last error, then throws.
[[noreturn]] void raise(const std::shared_ptr<std::string>& last_error, ErrorKind kind,
                        const std::string& description);
[[noreturn]] void raise(const Handle& h, ErrorKind kind, const std::string& description);
// Throws the failure SQLite just reported on this handle, in words naming the
// file, and the field or table where the statement's text tells them.
[[noreturn]] void raise_sqlite(const Handle& h, int rc, std::string_view sql = {});

// Why a write to this handle's file cannot be done.
std::string cannot_write(const Handle& h);

// Throws NotOpen for a connection that is not open.
[[noreturn]] void raise_not_open(const std::shared_ptr<std::string>& last_error);

// "name" with its double quotes doubled, for table and column names.
std::string quote_name(std::string_view name);

// A single prepared statement; more than one statement in the text is refused,
// so nothing after a ';' is silently ignored.
class Statement {
 public:
  Statement(const Handle& h, std::string_view sql);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  void bind(const std::vector<Value>& parameters);
  bool step();  // true while a row is there
  int column_count() const;
  Value column(int i) const;
  sqlite3_stmt* get() const { return s_; }

 private:
  const Handle& h_;
  sqlite3_stmt* s_ = nullptr;
};

}  // namespace rg::db::detail
