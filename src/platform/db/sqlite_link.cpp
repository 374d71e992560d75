#include "platform/db/sqlite_link.h"

#include <sqlite3.h>

namespace rg::db::detail {

void Handle::close() noexcept {
  if (db) sqlite3_close_v2(db);
  db = nullptr;
}

bool Handle::read_only() const { return db && sqlite3_db_readonly(db, "main") == 1; }

void raise(const std::shared_ptr<std::string>& last_error, ErrorKind kind,
           const std::string& description) {
  if (last_error) *last_error = description;
  throw Error(kind, description);
}

void raise(const Handle& h, ErrorKind kind, const std::string& description) {
  raise(h.last_error, kind, description);
}

void raise_sqlite(const Handle& h, int rc) {
  const std::string message = h.db ? sqlite3_errmsg(h.db) : sqlite3_errstr(rc);
  switch (rc & 0xff) {
    case SQLITE_READONLY:
      raise(h, ErrorKind::ReadOnly,
            "The database \"" + h.path + "\" is open for reading only; it cannot be changed.");
    case SQLITE_CONSTRAINT:
      raise(h, ErrorKind::Constraint, message);
    case SQLITE_NOTADB:
      raise(h, ErrorKind::NotADatabase, "The file \"" + h.path + "\" is not a database.");
    default:
      break;
  }
  constexpr std::string_view duplicate = "duplicate column name: ";
  if (message.starts_with(duplicate)) {
    raise(h, ErrorKind::ColumnExists,
          "The column " + message.substr(duplicate.size()) + " already exists in the table.");
  }
  raise(h, ErrorKind::General, message);
}

void raise_not_open(const std::shared_ptr<std::string>& last_error) {
  raise(last_error, ErrorKind::NotOpen, "The database connection is not open.");
}

std::string quote_name(std::string_view name) {
  std::string q = "\"";
  for (char c : name) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + '"';
}

Statement::Statement(const Handle& h, std::string_view sql) : h_(h) {
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(h.db, sql.data(), static_cast<int>(sql.size()), &s_, &tail);
  if (rc != SQLITE_OK) raise_sqlite(h, rc);
  if (!s_) raise(h, ErrorKind::General, "The SQL text holds no statement.");
  // What follows the first statement may only be blanks or comments.
  const std::string_view rest(tail, sql.data() + sql.size() - tail);
  sqlite3_stmt* next = nullptr;
  rc = sqlite3_prepare_v2(h.db, rest.data(), static_cast<int>(rest.size()), &next, nullptr);
  if (next || rc != SQLITE_OK) {
    sqlite3_finalize(next);
    sqlite3_finalize(s_);
    s_ = nullptr;
    raise(h, ErrorKind::General, "The SQL text holds more than one statement.");
  }
}

Statement::~Statement() { sqlite3_finalize(s_); }

void Statement::bind(const std::vector<Value>& parameters) {
  const int wanted = sqlite3_bind_parameter_count(s_);
  if (wanted != static_cast<int>(parameters.size())) {
    raise(h_, ErrorKind::General,
          "The statement takes " + std::to_string(wanted) + " parameters, but " +
              std::to_string(parameters.size()) + " were given.");
  }
  for (int i = 0; i < wanted; ++i) {
    const Value& v = parameters[static_cast<std::size_t>(i)];
    int rc = SQLITE_OK;
    switch (v.type()) {
      case Value::Type::Null: rc = sqlite3_bind_null(s_, i + 1); break;
      case Value::Type::Integer: rc = sqlite3_bind_int64(s_, i + 1, *v.integer()); break;
      case Value::Type::Real: rc = sqlite3_bind_double(s_, i + 1, *v.number()); break;
      case Value::Type::Text: {
        const std::string t = v.text();
        rc = sqlite3_bind_text64(s_, i + 1, t.data(), t.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
      }
    }
    if (rc != SQLITE_OK) raise_sqlite(h_, rc);
  }
}

bool Statement::step() {
  const int rc = sqlite3_step(s_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  raise_sqlite(h_, rc);
}

int Statement::column_count() const { return sqlite3_column_count(s_); }

Value Statement::column(int i) const {
  switch (sqlite3_column_type(s_, i)) {
    case SQLITE_INTEGER: return Value(static_cast<long long>(sqlite3_column_int64(s_, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(s_, i));
    case SQLITE_NULL: return Value();
    case SQLITE_BLOB: {
      const auto* p = static_cast<const char*>(sqlite3_column_blob(s_, i));
      return Value(std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s_, i))));
    }
    default: {
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s_, i));
      return Value(std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s_, i))));
    }
  }
}

}  // namespace rg::db::detail
