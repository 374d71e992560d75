#pragma once
// A connection to one SQLite database file.
//
// Opening never creates a file and never changes one: a missing file, a folder,
// or a file that is not an SQLite database (an empty file included) fails at once
// with a clear description, and the connection is then not open. Every value
// reaches SQL as a bound parameter, never spliced into the text.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/error.h"
#include "platform/db/value.h"

namespace rg::db {

namespace detail { struct Handle; }

enum class Access { ReadOnly, ReadWrite };

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Closes what was open, then opens the file. On failure throws Error
  // (FileNotFound, NotADatabase, Locked, ...) and the connection stays closed.
  // A file that cannot be written opens for ReadWrite all the same, read-only,
  // so it can be shown; can_write() tells, and each write fails with ReadOnly.
  // A file another program holds is waited for a few seconds, then Locked.
  void open(const std::filesystem::path& file, Access access);
  bool is_open() const;
  // Open, and the file accepts writes.
  bool can_write() const;
  // Record sets opened on this connection keep their rows but can no longer
  // write. Closing a closed connection does nothing.
  void close();

  // Runs one statement with its parameters bound in order (the '?' marks);
  // returns the number of rows it inserted, changed or deleted (0 for anything
  // else, ALTER TABLE included).
  std::int64_t execute(std::string_view sql, const std::vector<Value>& parameters = {});

  // Table names compare without regard to letter case, as SQLite's do.
  bool has_table(std::string_view table);
  // The file's own tables (not SQLite's) in the order they were made.
  std::vector<std::string> tables();
  // The table's columns in table order; empty when there is no such table.
  std::vector<std::string> columns(std::string_view table);

  // The description of the last failure of this connection or of a record set
  // opened on it; "" until something fails.
  const std::string& last_error() const { return *last_error_; }

 private:
  friend class RecordSet;
  friend class Transaction;

  // The open handle; throws NotOpen when there is none.
  detail::Handle& open_handle() const;

  std::shared_ptr<detail::Handle> handle_;
  std::shared_ptr<std::string> last_error_;
};

// Begins a transaction on the connection; unless commit() is called, the
// destructor rolls it back, so an operation that fails half-way leaves nothing.
// Transactions nest: one begun while another is open on the connection is a
// savepoint within it, whose commit keeps its changes for the outer one to
// commit or roll back, and whose rollback undoes only its own part. Inner ones
// end before outer ones.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();

 private:
  std::shared_ptr<detail::Handle> handle_;
  int level_ = 0;  // 1 for the outermost
  bool active_ = false;
};

// Why this computer's SQLite library cannot serve the program (too old, or
// unable to tell which table and column a query's result comes from, which
// record sets need to write), in words for the user; nothing when it can.
std::optional<std::string> library_problem();

}  // namespace rg::db
