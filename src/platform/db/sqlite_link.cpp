#include "platform/db/sqlite_link.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "platform/text/ascii_case.h"
#include "platform/text/word_list.h"

namespace rg::db::detail {

using text::iequal;

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

namespace {

bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// The end of the quoted text that starts at i ('...', "...", `...` or [...]);
// a doubled quote stands for itself.
std::size_t end_of_quoted(std::string_view sql, std::size_t i) {
  const char close = sql[i] == '[' ? ']' : sql[i];
  for (std::size_t j = i + 1; j < sql.size(); ++j) {
    if (sql[j] != close) continue;
    if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {
      ++j;
      continue;
    }
    return j + 1;
  }
  return sql.size();
}

// The tables a statement names (after FROM, JOIN, UPDATE, INTO or TABLE), each
// once, so a failure can say where a field is missing.
std::vector<std::string> tables_named(std::string_view sql) {
  std::vector<std::string> tables;
  bool table_next = false;
  bool in_from = false;  // in a FROM list, where a comma leads to another table
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    std::size_t j = i + 1;
    std::string name;
    if (c == '\'' ) {
      table_next = false;
      i = end_of_quoted(sql, i);
      continue;
    }
    if (c == '"' || c == '`' || c == '[') {
      j = end_of_quoted(sql, i);
      name = std::string(sql.substr(i + 1, j - i - 2));
    } else if (is_name_char(c)) {
      while (j < sql.size() && is_name_char(sql[j])) ++j;
      name = std::string(sql.substr(i, j - i));
    } else {
      if (!std::isspace(static_cast<unsigned char>(c))) table_next = c == ',' && in_from;
      if (c == '(' || c == ')' || c == ';') in_from = false;
      i = j;
      continue;
    }
    const bool quoted = !is_name_char(c);
    if (table_next && !std::any_of(tables.begin(), tables.end(), [&](const std::string& t) { return iequal(t, name); })) {
      tables.push_back(name);
    }
    table_next = false;
    if (!quoted) {
      for (std::string_view keyword : {"from", "join", "update", "into", "table"}) table_next |= iequal(name, keyword);
      for (std::string_view keyword : {"where", "group", "order", "limit", "on", "using", "having", "window",
                                       "union", "except", "intersect", "join", "returning", "set", "values"}) {
        if (iequal(name, keyword)) in_from = false;
      }
      if (iequal(name, "from")) in_from = true;
    }
    i = j;
  }
  return tables;
}

std::string in_tables(const std::vector<std::string>& tables) {
  if (tables.empty()) return "";
  return (tables.size() == 1 ? " in table " : " in the tables ") + text::word_list(tables);
}

// "T.C" as the table and the column.
std::pair<std::string, std::string> split_column(std::string_view qualified) {
  const auto dot = qualified.find('.');
  if (dot == std::string_view::npos) return {"", std::string(qualified)};
  return {std::string(qualified.substr(0, dot)), std::string(qualified.substr(dot + 1))};
}

std::optional<std::string> after(const std::string& message, std::string_view prefix) {
  if (!message.starts_with(prefix)) return std::nullopt;
  return message.substr(prefix.size());
}

}  // namespace

std::string cannot_write(const Handle& h) {
  if (h.asked_read_only) return "The file \"" + h.path + "\" is open for reading only; it cannot be changed.";
  return "The file \"" + h.path + "\" cannot be written, because the file or its folder is read-only.";
}

void raise_sqlite(const Handle& h, int rc, std::string_view sql) {
  const std::string message = h.db ? sqlite3_errmsg(h.db) : sqlite3_errstr(rc);
  const std::string file = "The file \"" + h.path + "\"";
  switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      raise(h, ErrorKind::Locked, file + " is being used by another program. Close it there and try again.");
    case SQLITE_READONLY:
      raise(h, ErrorKind::ReadOnly, cannot_write(h));
    case SQLITE_CANTOPEN:
      // Once the file is open, what cannot be opened is its journal beside it.
      if (h.is_open()) raise(h, ErrorKind::ReadOnly, cannot_write(h));
      break;
    case SQLITE_NOTADB:
      raise(h, ErrorKind::NotADatabase, file + " is not a database.");
    case SQLITE_CORRUPT:
      // A file cut short or overwritten in part: SQLite's own words name neither.
      raise(h, ErrorKind::NotADatabase, file + " is damaged: the database in it is incomplete or corrupted.");
    case SQLITE_CONSTRAINT: {
      if (const auto unique = after(message, "UNIQUE constraint failed: ")) {
        const auto [table, column] = split_column(*unique);
        raise(h, ErrorKind::Constraint, "Table " + table + " already has a record with this " + column + ".");
      }
      if (const auto not_null = after(message, "NOT NULL constraint failed: ")) {
        const auto [table, column] = split_column(*not_null);
        raise(h, ErrorKind::Constraint, "The field " + column + " of table " + table + " needs a value.");
      }
      raise(h, ErrorKind::Constraint, message);
    }
    default:
      break;
  }
  if (const auto column = after(message, "no such column: ")) {
    raise(h, ErrorKind::UnknownField,
          file + " has no field " + split_column(*column).second + in_tables(tables_named(sql)) + ".");
  }
  if (const auto table = after(message, "no such table: ")) {
    const auto [schema, name] = split_column(*table);
    raise(h, ErrorKind::UnknownTable, file + " has no table " + name + ".");
  }
  if (const auto rest = after(message, "table ")) {
    // "table T has no column named C"
    const auto at = rest->find(" has no column named ");
    if (at != std::string::npos) {
      raise(h, ErrorKind::UnknownField,
            file + " has no field " + rest->substr(at + 21) + " in table " + rest->substr(0, at) + ".");
    }
  }
  if (const auto column = after(message, "duplicate column name: ")) {
    raise(h, ErrorKind::ColumnExists, "The field " + *column + " already exists" + in_tables(tables_named(sql)) + ".");
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
  if (rc != SQLITE_OK) raise_sqlite(h, rc, sql);
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
