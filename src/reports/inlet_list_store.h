#pragma once
// The SQL of the inlet list and the checks around deleting and renumbering an
// inlet. Every value is bound; each change runs in one transaction, so a step
// that fails leaves the project as it was. Inlet numbers compare without regard
// to letter case through the INLET columns' own NOCASE collation.

#include <cstdint>
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

// Both act on the row the inlet was read from, while it still holds the
// inlet's number (a row stored without one holds ""); 0 when it no longer does.

// Deletes the inlet's row; the number of rows deleted.
std::int64_t delete_inlet(db::Connection& conn, const InletRecord& inlet);

// Gives the inlet a new number and rewrites every PREINLET1 and PREINLET2 that
// named the old one; the number of inlets renumbered. A new number another
// inlet holds already (letter case aside) throws and changes nothing.
std::int64_t renumber_inlet(db::Connection& conn, const InletRecord& inlet, std::string_view new_number);

// Asks the inlet design form's search whether an inlet holds the value in the
// field ("INLET_NUMBER", "PREINLET1", "PREINLET2"). A search that cannot be made
// has said why in a box (or, when no search is offered, does so here): the
// caller refuses what it was about to do.
app::InletSearch search_inlets(app::Session& session, std::string_view value, std::string_view field);

// The number typed for a renumber as it is kept: without blanks at either end.
std::string new_number_text(std::string_view typed);

}  // namespace rg::reports::store
