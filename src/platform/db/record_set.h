#pragma once
// A record set: the rows of one query, read at open as a snapshot, with a cursor.
//
// Cursor. It stands on a row or at EOF, after the last row; an empty set is at
// EOF. MoveFirst and MoveLast on an empty set and MoveNext at EOF fail with
// NoCurrentRecord. Field access needs a current row.
//
// Changes (updatable sets only). An updatable set comes from a SELECT over one
// table ("SELECT * from PROJECT Order by PROJECT_ID"); the rowid of each row is
// kept hidden and every write goes through it. Changes are sent one row at a
// time, as a client cursor with optimistic locking does:
//  - Assigning a field of a fetched row starts an edit (EditMode::InProgress);
//    Update writes the changed fields only, and fails with Conflict, keeping the
//    edit, when another writer changed one of them since the row was read.
//  - The opener may name key fields: a write of a fetched row also requires
//    them to hold what was read, so a row another writer gave a new key is a
//    conflict as one whose changed fields it changed; and Update with nothing
//    changed still fails with Conflict when the row no longer holds its keys.
//  - AddNew appends a pending row at the end of the set (EditMode::Add), all
//    fields Null; Update inserts the assigned fields only, so column defaults
//    apply, then the row reads back as stored. RecordCount counts the pending
//    row. CancelUpdate drops it and returns to the row current before AddNew.
//  - Moving off a row with a pending change (any Move, Find, AddNew, Requery)
//    sends the change first, as Update does; if that fails the cursor stays and
//    the change stays pending.
//  - Close, a new open and the destructor discard a pending change unsent.
//
// Events. "Move complete" follows every move of the cursor, whatever its cause:
// open, MoveFirst/Last/Next, Find, AddNew, Requery, and CancelUpdate of a new
// row. "Will change record" comes before a row changes: AddNew (1), the first
// change of a row since it was read, appended or last sent (11), Update (3),
// CancelUpdate of an edit (4) or of a new row (5). Assigning a field of a
// fetched row the value it holds already changes nothing and raises nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/value.h"

namespace rg::db {

// Why an event was raised. The numbers are those the forms' handlers test.
enum class Reason {
  AddNew = 1,
  Update = 3,
  UndoUpdate = 4,
  UndoAddNew = 5,
  Requery = 7,
  Move = 10,  // open, Find
  FirstChange = 11,
  MoveFirst = 12,
  MoveNext = 13,
  MoveLast = 15,
};

enum class EditMode { None, InProgress, Add };

class RecordSet {
 public:
  enum class Mode { ReadOnly, Updatable };
  using Listener = std::function<void(Reason)>;

  RecordSet();
  ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  // Runs the query with its parameters and stands on the first row. A set that
  // was open is closed first; on failure the set stays closed. Updatable needs
  // a SELECT over a single table; on a file that cannot be written it still
  // opens, so its rows can be shown, and each write fails with ReadOnly. Key
  // fields (updatable sets) are fields of the query.
  void open(Connection& connection, std::string_view sql, std::vector<Value> parameters = {},
            Mode mode = Mode::ReadOnly, std::vector<std::string> key_fields = {});
  bool is_open() const;
  void close();
  // Runs the query again with the same parameters, at the first row.
  void requery();

  bool eof() const;
  // On a row whose fields can be read: not at EOF.
  bool has_current_row() const;
  std::int64_t record_count() const;

  void move_first();
  void move_last();
  void move_next();
  // From the current row forward to the first row whose field equals the value:
  // texts without regard to ASCII letter case, numbers by value, Null only Null.
  // Not found: the set is at EOF and the result is false.
  bool find(std::string_view field, const Value& value);

  // Fields are the query's columns, the hidden rowid excepted. Names compare
  // without regard to ASCII letter case.
  int field_count() const;
  const std::vector<std::string>& field_names() const;
  const std::string& field_name(int index) const;
  std::optional<int> field_index(std::string_view name) const;

  const Value& value(int index) const;
  const Value& value(std::string_view name) const;
  void set_value(int index, Value value);
  void set_value(std::string_view name, Value value);

  void add_new();
  void cancel_update();
  void update();
  EditMode edit_mode() const;
  // The table's rowid of the current row (an updatable set's), which tells
  // apart rows no field does; 0 for a new row not yet stored.
  std::int64_t row_id() const;

  // Each adds a listener; listeners run in the order they were added.
  using ListenerId = int;
  ListenerId on_move_complete(Listener listener);
  ListenerId on_will_change_record(Listener listener);
  void remove_listener(ListenerId id);

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace rg::db
