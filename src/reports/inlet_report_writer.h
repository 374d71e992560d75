#pragma once
// The Inlet Report of one inlet: project header, identification, flow data,
// the gutter or ditch data and inlet details of its kind, and its results, each
// as stored. Only the total depression and the combined length of a combination
// inlet on a grade are computed.

#include <chrono>

#include "reports/inlet_records.h"
#include "reports/report_cells.h"

namespace rg::workbook {
class Sheet;
}

namespace rg::reports {

void write_inlet_report(workbook::Sheet& sheet, const InletRecord& inlet, const ReportProject& project,
                        std::chrono::year_month_day today);

}  // namespace rg::reports
