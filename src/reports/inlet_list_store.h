#pragma once
// The SQL of the inlet list and the checks around deleting and renumbering an
// inlet. Every value is bound; each change runs in one transaction, so a step
// that fails leaves the project as it was. Inlet numbers compare without regard
// to letter case through the INLET columns' own NOCASE collation.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/services.h"
#include "reports/inlet_records.h"

namespace rg::db {
class Connection;
}
namespace rg::app {
class Session;
}

namespace rg::reports::store {

// Every INLET row, in INLET_NUMBER order; db::Error when the table cannot be read.
InletTable load_inlets(db::Connection& conn);

// Each acts on the row chosen while it still holds the number shown (a row
// stored without one holds "").

// The row as stored now; nothing when it no longer holds that number.
std::optional<InletRecord> load_inlet(db::Connection& conn, const app::InletRow& row);

// Deletes the row; the number of rows deleted, 0 when it no longer holds the number.
std::int64_t delete_inlet(db::Connection& conn, const app::InletRow& row);

// Gives the row a new number and rewrites every PREINLET1 and PREINLET2 that
// named the old one; the number of inlets renumbered, 0 when the row no longer
// holds the number. A new number another inlet holds already (letter case
// aside) throws and changes nothing.
std::int64_t renumber_inlet(db::Connection& conn, const app::InletRow& row, std::string_view new_number);

// Asks the inlet design form's search whether an inlet holds the value in the
// field ("INLET_NUMBER", "PREINLET1", "PREINLET2"). A search that cannot be made
// has said why in a box (or, when no search is offered, does so here): the
// caller refuses what it was about to do.
app::InletSearch search_inlets(app::Session& session, std::string_view value, std::string_view field);

// The number typed for a renumber as it is kept: without blanks at either end.
std::string new_number_text(std::string_view typed);

}  // namespace rg::reports::store
