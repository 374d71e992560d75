#pragma once
// Every failure of the record layer arrives as an rg::db::Error: a description a
// user can read in a message box, and a kind for the few callers that must tell
// one failure from another (the upgrade passes over a column that exists already).

#include <stdexcept>
#include <string>

namespace rg::db {

enum class ErrorKind {
  General,          // any other failure; the description is the database's own
  FileNotFound,     // the file to open does not exist
  NotADatabase,     // the file exists but is not an SQLite database, or a damaged one
  ReadOnly,         // a write to a file that cannot be written, or through a read-only set
  Locked,           // another program holds the file longer than the busy wait
  ColumnExists,     // ALTER TABLE ... ADD of a column the table has already
  Constraint,       // a unique index, NOT NULL or CHECK refused the row
  NotOpen,          // the connection or record set is not open
  NoCurrentRecord,  // at EOF, or an empty set
  Conflict,         // the row was changed or deleted by another writer since it was read
  UnknownField,     // no field of that name or number, in a record set or a table
  UnknownTable,     // the statement names a table the file lacks
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& description)
      : std::runtime_error(description), kind_(kind) {}

  ErrorKind kind() const noexcept { return kind_; }
  std::string description() const { return what(); }

 private:
  ErrorKind kind_;
};

}  // namespace rg::db
