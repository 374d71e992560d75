#pragma once
// Every statement the inlet design subsystem runs against the INLET table. Values
// always travel as bound parameters; inlet numbers (and the previous-inlet
// columns that name them) compare without regard to letter case, as the
// table's NOCASE columns and unique index say. Failures arrive as db::Error.

#include <optional>
#include <string>
#include <string_view>

namespace rg::db {
class Connection;
class RecordSet;
}  // namespace rg::db

#include "app/services.h"

namespace rg::app {
class Session;
}

namespace rg::inlet::store {

// The rows the design form adds to: every inlet in number order. Updatable.
void open_inlet_records(db::RecordSet& rs, db::Connection& conn);

// The row the design form views or edits: the one chosen, while it holds the
// number shown; false (the set closed) when it is gone or holds another.
// Updatable, its number a key: a write to a row another copy renumbered
// meanwhile is a conflict, as one to a row it changed.
bool open_inlet_row(db::RecordSet& rs, db::Connection& conn, const app::InletRow& row);

// Number, previous inlets and bypass flow of every inlet in number order: the
// rows of the previous-inlet lists and of the carry-over look-up. Read-only.
void open_carryover(db::RecordSet& rs, db::Connection& conn);

// Whether an inlet of this number is stored.
bool inlet_exists(db::Connection& conn, std::string_view inlet_number);

// The first inlet, in number order, that names `inlet_number` as its previous
// inlet on either side; an inlet numbered `except` does not count. An empty
// number names no inlet.
std::optional<std::string> inlet_naming_previous(db::Connection& conn, std::string_view inlet_number,
                                                 std::string_view except = {});

// The stored bypass flow (QCARRY) of the inlet among the carry-over rows: its
// text, "" when it is Null, nothing when the rows hold no such inlet. The set is
// left on its first row.
std::optional<std::string> stored_carryover(db::RecordSet& carryover_rs, std::string_view inlet_number);

// The search other subsystems ask of the design form: whether a row holds the
// value in the field. "INLET_NUMBER" tests the number; "PREINLET1" and
// "PREINLET2" both search both sides and give the first referring inlet;
// another field finds nothing. Failed when the search could not be carried
// out: the reason has been shown in a plain box and the caller refuses.
app::InletSearch search_inlets(app::Session& session, std::string_view value, std::string_view field);

}  // namespace rg::inlet::store
