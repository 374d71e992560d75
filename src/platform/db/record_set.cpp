#include "platform/db/record_set.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "platform/db/sqlite_link.h"
#include "platform/text/ascii_case.h"

namespace rg::db {

namespace {

using text::iequal;

// The equality Find uses: keys such as inlet numbers match whatever their
// letter case, as the project files' keys do.
bool same_value(const Value& field, const Value& wanted) {
  if (field.is_null() || wanted.is_null()) return field.is_null() && wanted.is_null();
  const auto a = field.number();
  const auto b = wanted.number();
  if (a && b) return *a == *b;
  return iequal(field.text(), wanted.text());
}

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool starts_with_word(std::string_view text, std::string_view word) {
  if (text.size() < word.size() || !iequal(text.substr(0, word.size()), word)) return false;
  if (text.size() == word.size()) return true;
  const char next = text[word.size()];
  return !(std::isalnum(static_cast<unsigned char>(next)) || next == '_');
}

// "SELECT rowid, ..." made from "SELECT ...", so each row brings the key its
// writes go through; nothing when the text is not a plain SELECT.
std::optional<std::string> with_rowid(std::string_view sql) {
  std::size_t i = 0;
  while (i < sql.size() && is_blank(sql[i])) ++i;
  if (!starts_with_word(sql.substr(i), "select")) return std::nullopt;
  const std::size_t after = i + 6;
  std::size_t j = after;
  while (j < sql.size() && is_blank(sql[j])) ++j;
  const std::string_view rest = sql.substr(j);
  if (starts_with_word(rest, "distinct") || starts_with_word(rest, "all")) return std::nullopt;
  return std::string(sql.substr(0, after)) + " rowid," + std::string(sql.substr(after));
}

struct Row {
  std::int64_t rowid = 0;
  std::vector<Value> values;
};

constexpr const char* kConflict =
    "The record could not be saved: it was changed or deleted by someone else since it was read.";

}  // namespace

struct RecordSet::State {
  std::shared_ptr<detail::Handle> handle;
  std::string sql;
  std::vector<Value> parameters;
  Mode mode = Mode::ReadOnly;
  bool open = false;

  std::vector<std::string> names;
  std::vector<std::string> origins;  // table column behind each field; "" when computed
  std::vector<std::string> key_names;
  std::vector<bool> keys;  // by field: one of the key fields
  std::string table;
  std::vector<Row> rows;
  std::ptrdiff_t pos = 0;  // rows.size() is EOF

  EditMode edit = EditMode::None;
  std::vector<Value> original;  // the edited row as read
  std::vector<bool> changed;
  std::ptrdiff_t before_add = 0;

  std::vector<std::pair<ListenerId, Listener>> moved;
  std::vector<std::pair<ListenerId, Listener>> will_change;
  ListenerId next_listener = 1;
  bool add_changed = false;  // the pending new row has had its first change

  [[noreturn]] void fail(ErrorKind kind, const std::string& description) const {
    detail::raise(handle ? handle->last_error : nullptr, kind, description);
  }

  std::ptrdiff_t size() const { return static_cast<std::ptrdiff_t>(rows.size()); }
  const Row& row(std::ptrdiff_t i) const { return rows[static_cast<std::size_t>(i)]; }
  Row& row(std::ptrdiff_t i) { return rows[static_cast<std::size_t>(i)]; }

  bool on_row() const { return open && pos < size(); }

  void require_open() const {
    if (!open) fail(ErrorKind::NotOpen, "The record set is not open.");
  }
  void require_updatable() const {
    if (mode != Mode::Updatable) fail(ErrorKind::ReadOnly, "The record set is read-only.");
  }
  [[noreturn]] void no_current_record() const {
    fail(ErrorKind::NoCurrentRecord, "There is no current record: the record set is empty or at its end.");
  }
  void require_row() const {
    if (!on_row()) no_current_record();
  }
  void require_connection() const {
    if (!handle || !handle->is_open()) detail::raise_not_open(handle ? handle->last_error : nullptr);
  }
  int field(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (iequal(names[i], name)) return static_cast<int>(i);
    }
    fail(ErrorKind::UnknownField, "The record set has no field named " + std::string(name) + ".");
  }
  void check_index(int index) const {
    if (index < 0 || index >= static_cast<int>(names.size())) {
      fail(ErrorKind::UnknownField, "The record set has no field number " + std::to_string(index) + ".");
    }
  }

  // Listeners may be added or removed while an event runs: they are called from
  // a copy.
  void moved_by(Reason r) const {
    const auto listeners = moved;
    for (const auto& l : listeners) l.second(r);
  }
  void changing_by(Reason r) const {
    const auto listeners = will_change;
    for (const auto& l : listeners) l.second(r);
  }

  void load();
  // " AND column IS ?" for each field a write requires to still hold what was
  // read (the changed ones of a pending edit, and the keys), binding its value
  // from `as_read`.
  std::string checks(const std::vector<Value>& as_read, std::vector<Value>& bound) const {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!keys[i] && !(edit == EditMode::InProgress && changed[i])) continue;
      text += " AND " + detail::quote_name(origins[i]) + " IS ?";
      bound.push_back(as_read[i]);
    }
    return text;
  }
  void check_keys();
  void send();
  void send_pending() {
    if (edit != EditMode::None) send();
  }
  void walk_to(std::ptrdiff_t to, Reason r) {
    pos = to;
    moved_by(r);
  }
};

void RecordSet::State::load() {
  require_connection();
  const bool updatable = mode == Mode::Updatable;
  const std::string not_single = "Only a SELECT over a single table can be opened for changes: " + sql;
  std::string text = sql;
  if (updatable) {
    auto keyed = with_rowid(sql);
    if (!keyed) fail(ErrorKind::General, not_single);
    text = *keyed;
  }
  std::optional<detail::Statement> keyed;
  try {
    keyed.emplace(*handle, text);
  } catch (const Error&) {
    if (!updatable) throw;
    // The query's own fault, or else the rowid it cannot carry (a join, a view).
    detail::Statement plain(*handle, sql);
    fail(ErrorKind::General, not_single);
  }
  detail::Statement& st = *keyed;
  if (!sqlite3_stmt_readonly(st.get())) fail(ErrorKind::General, "A record set needs a query, not: " + sql);
  st.bind(parameters);

  const int first = updatable ? 1 : 0;
  std::vector<std::string> new_names;
  std::vector<std::string> new_origins;
  std::string new_table;
  for (int i = first; i < st.column_count(); ++i) new_names.emplace_back(sqlite3_column_name(st.get(), i));
  if (updatable) {
    const auto table_of = [&](int i) -> const char* {
      const char* t = sqlite3_column_table_name(st.get(), i);
      const char* d = sqlite3_column_database_name(st.get(), i);
      return (t && d && std::strcmp(d, "main") == 0) ? t : nullptr;
    };
    if (!table_of(0)) fail(ErrorKind::General, not_single);
    new_table = table_of(0);
    for (int i = first; i < st.column_count(); ++i) {
      const char* t = sqlite3_column_table_name(st.get(), i);
      if (!t) {
        new_origins.emplace_back();
        continue;
      }
      if (!table_of(i) || new_table != t) fail(ErrorKind::General, not_single);
      new_origins.emplace_back(sqlite3_column_origin_name(st.get(), i));
    }
  }
  std::vector<bool> new_keys(new_names.size(), false);
  for (const std::string& key : updatable ? key_names : std::vector<std::string>{}) {
    std::size_t i = 0;
    while (i < new_names.size() && !iequal(new_names[i], key)) ++i;
    if (i == new_names.size()) fail(ErrorKind::UnknownField, "The record set has no field named " + key + ".");
    if (new_origins[i].empty()) fail(ErrorKind::General, "The key field " + key + " is computed by the query.");
    new_keys[i] = true;
  }

  std::vector<Row> new_rows;
  while (st.step()) {
    Row r;
    if (updatable) r.rowid = st.column(0).integer().value_or(0);
    for (int i = first; i < st.column_count(); ++i) r.values.push_back(st.column(i));
    new_rows.push_back(std::move(r));
  }

  names = std::move(new_names);
  origins = std::move(new_origins);
  keys = std::move(new_keys);
  table = std::move(new_table);
  rows = std::move(new_rows);
  edit = EditMode::None;
  pos = 0;  // the first row, or EOF when there is none
}

void RecordSet::State::send() {
  require_connection();
  changing_by(Reason::Update);
  Row& r = row(pos);

  std::string returning = " RETURNING rowid";
  for (const std::string& o : origins) returning += ", " + (o.empty() ? std::string("NULL") : detail::quote_name(o));

  std::string text;
  std::vector<Value> bound;
  if (edit == EditMode::Add) {
    std::string columns;
    std::string marks;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!changed[i]) continue;
      columns += (columns.empty() ? "" : ", ") + detail::quote_name(origins[i]);
      marks += marks.empty() ? "?" : ", ?";
      bound.push_back(r.values[i]);
    }
    text = "INSERT INTO " + detail::quote_name(table) +
           (columns.empty() ? std::string(" DEFAULT VALUES") : " (" + columns + ") VALUES (" + marks + ")");
  } else {
    // Optimistic locking: the row is written only if the changed fields and
    // the keys still hold what was read.
    std::string sets;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!changed[i]) continue;
      sets += (sets.empty() ? "" : ", ") + detail::quote_name(origins[i]) + " = ?";
      bound.push_back(r.values[i]);
    }
    bound.emplace_back(static_cast<long long>(r.rowid));
    text = "UPDATE " + detail::quote_name(table) + " SET " + sets + " WHERE rowid = ?" + checks(original, bound);
  }

  detail::Statement st(*handle, text + returning);
  st.bind(bound);
  if (!st.step()) fail(ErrorKind::Conflict, kConflict);
  Row stored;
  stored.rowid = st.column(0).integer().value_or(0);
  for (int i = 1; i < st.column_count(); ++i) stored.values.push_back(st.column(i));
  while (st.step()) {
  }
  r.rowid = stored.rowid;
  r.values = std::move(stored.values);
  edit = EditMode::None;
}

// Nothing to write, but the row must still be the one read: a caller that
// saves it would otherwise go on as if it were.
void RecordSet::State::check_keys() {
  if (mode != Mode::Updatable || !on_row() || std::find(keys.begin(), keys.end(), true) == keys.end()) return;
  require_connection();
  const Row& r = row(pos);
  std::vector<Value> bound{Value(static_cast<long long>(r.rowid))};
  const std::string text = "SELECT 1 FROM " + detail::quote_name(table) + " WHERE rowid = ?" + checks(r.values, bound);
  detail::Statement st(*handle, text);
  st.bind(bound);
  if (!st.step()) fail(ErrorKind::Conflict, kConflict);
}

RecordSet::RecordSet() : s_(std::make_unique<State>()) {}
RecordSet::~RecordSet() = default;

void RecordSet::open(Connection& connection, std::string_view sql, std::vector<Value> parameters,
                     Mode mode, std::vector<std::string> key_fields) {
  close();
  connection.open_handle();
  s_->handle = connection.handle_;
  s_->sql = std::string(sql);
  s_->parameters = std::move(parameters);
  s_->mode = mode;
  s_->key_names = std::move(key_fields);
  try {
    s_->load();
  } catch (...) {
    s_->handle.reset();
    throw;
  }
  s_->open = true;
  s_->moved_by(Reason::Move);
}

bool RecordSet::is_open() const { return s_->open; }

void RecordSet::close() {
  State& s = *s_;
  s.open = false;
  s.handle.reset();
  s.rows.clear();
  s.names.clear();
  s.origins.clear();
  s.keys.clear();
  s.table.clear();
  s.edit = EditMode::None;
  s.pos = 0;
}

void RecordSet::requery() {
  s_->require_open();
  s_->send_pending();
  s_->load();
  s_->moved_by(Reason::Requery);
}

bool RecordSet::eof() const {
  s_->require_open();
  return s_->pos >= s_->size();
}

bool RecordSet::has_current_row() const { return s_->on_row(); }

std::int64_t RecordSet::record_count() const {
  s_->require_open();
  return s_->size();
}

void RecordSet::move_first() {
  s_->require_open();
  s_->send_pending();
  if (s_->rows.empty()) s_->no_current_record();
  s_->walk_to(0, Reason::MoveFirst);
}

void RecordSet::move_last() {
  s_->require_open();
  s_->send_pending();
  if (s_->rows.empty()) s_->no_current_record();
  s_->walk_to(s_->size() - 1, Reason::MoveLast);
}

void RecordSet::move_next() {
  if (eof()) s_->no_current_record();
  s_->send_pending();
  s_->walk_to(s_->pos + 1, Reason::MoveNext);
}

bool RecordSet::find(std::string_view field, const Value& value) {
  s_->require_open();
  const int f = s_->field(field);
  s_->send_pending();
  for (std::ptrdiff_t i = s_->pos; i < s_->size(); ++i) {
    if (same_value(s_->row(i).values[static_cast<std::size_t>(f)], value)) {
      s_->walk_to(i, Reason::Move);
      return true;
    }
  }
  s_->walk_to(s_->size(), Reason::Move);
  return false;
}

int RecordSet::field_count() const {
  s_->require_open();
  return static_cast<int>(s_->names.size());
}

const std::vector<std::string>& RecordSet::field_names() const {
  s_->require_open();
  return s_->names;
}

const std::string& RecordSet::field_name(int index) const {
  s_->require_open();
  s_->check_index(index);
  return s_->names[static_cast<std::size_t>(index)];
}

std::optional<int> RecordSet::field_index(std::string_view name) const {
  s_->require_open();
  for (std::size_t i = 0; i < s_->names.size(); ++i) {
    if (iequal(s_->names[i], name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

const Value& RecordSet::value(int index) const {
  s_->require_open();
  s_->check_index(index);
  s_->require_row();
  return s_->row(s_->pos).values[static_cast<std::size_t>(index)];
}

const Value& RecordSet::value(std::string_view name) const {
  s_->require_open();
  return value(s_->field(name));
}

void RecordSet::set_value(int index, Value value) {
  State& s = *s_;
  s.require_open();
  s.require_updatable();
  s.check_index(index);
  s.require_row();
  const auto i = static_cast<std::size_t>(index);
  if (s.origins[i].empty()) {
    s.fail(ErrorKind::General, "The field " + s.names[i] + " is computed by the query and cannot be changed.");
  }
  Row& r = s.row(s.pos);
  if (s.edit != EditMode::Add && r.values[i] == value) return;
  if (s.edit == EditMode::Add && !s.add_changed) {
    s.add_changed = true;
    s.changing_by(Reason::FirstChange);
  }
  if (s.edit == EditMode::None) {
    s.changing_by(Reason::FirstChange);
    s.original = r.values;
    s.changed.assign(s.names.size(), false);
    s.edit = EditMode::InProgress;
  }
  r.values[i] = std::move(value);
  s.changed[i] = true;
}

void RecordSet::set_value(std::string_view name, Value value) {
  s_->require_open();
  set_value(s_->field(name), std::move(value));
}

void RecordSet::add_new() {
  State& s = *s_;
  s.require_open();
  s.require_updatable();
  s.send_pending();
  s.changing_by(Reason::AddNew);
  s.add_changed = false;
  s.rows.push_back(Row{0, std::vector<Value>(s.names.size())});
  s.before_add = s.pos;
  s.edit = EditMode::Add;
  s.changed.assign(s.names.size(), false);
  s.walk_to(s.size() - 1, Reason::AddNew);
}

void RecordSet::cancel_update() {
  State& s = *s_;
  s.require_open();
  if (s.edit == EditMode::Add) {
    s.changing_by(Reason::UndoAddNew);
    s.rows.pop_back();  // the pending row is always the last
    s.edit = EditMode::None;
    s.walk_to(s.before_add, Reason::UndoAddNew);
  } else if (s.edit == EditMode::InProgress) {
    s.changing_by(Reason::UndoUpdate);
    s.row(s.pos).values = s.original;
    s.edit = EditMode::None;
  }
}

void RecordSet::update() {
  s_->require_open();
  if (s_->edit == EditMode::None) return s_->check_keys();
  s_->send();
}

EditMode RecordSet::edit_mode() const { return s_->edit; }

std::int64_t RecordSet::row_id() const {
  s_->require_open();
  s_->require_row();
  return s_->row(s_->pos).rowid;
}

RecordSet::ListenerId RecordSet::on_move_complete(Listener listener) {
  const ListenerId id = s_->next_listener++;
  s_->moved.emplace_back(id, std::move(listener));
  return id;
}

RecordSet::ListenerId RecordSet::on_will_change_record(Listener listener) {
  const ListenerId id = s_->next_listener++;
  s_->will_change.emplace_back(id, std::move(listener));
  return id;
}

void RecordSet::remove_listener(ListenerId id) {
  std::erase_if(s_->moved, [id](const auto& l) { return l.first == id; });
  std::erase_if(s_->will_change, [id](const auto& l) { return l.first == id; });
}

}  // namespace rg::db
