#pragma once
// Form LD 204: the project header, then one block of rows per inlet in the
// list's order from row 5 down: identification, the drainage sub-areas and
// totals of each side, and the columns of an inlet on a grade or in a sag.
//
// Each cell stands alone: a value that cannot be read or computed for an inlet
// leaves that cell as the template has it, and never carries another inlet's
// value.

#include "reports/inlet_records.h"
#include "reports/report_cells.h"

namespace rg::workbook {
class Sheet;
}

namespace rg::reports {

inline constexpr int kLd204FirstRow = 5;

void write_ld204(workbook::Sheet& sheet, const InletTable& inlets, const ReportProject& project);

}  // namespace rg::reports
