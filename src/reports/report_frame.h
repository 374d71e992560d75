#pragma once
// The frame both report workbooks share: refuse an empty list, ask for the
// workbook's name, fill a copy of the template, save it, and open it with the
// user's spreadsheet program. A report that cannot be written says why, and a
// workbook already there is replaced whole or not at all.

#include <optional>

#include "app/services.h"
#include "reports/inlet_records.h"
#include "reports/report_cells.h"

namespace rg::app {
class Session;
}
namespace rg::ui {
class Form;
class FileDialog;
}

namespace rg::reports {

enum class ReportKind { Ld204, InletReport };

inline constexpr const char* kLd204Template = "LD_204.xlsr";
inline constexpr const char* kInletReportTemplate = "INLET_REPORT.xlsr";

// The open project's values for a report.
ReportProject report_project(const app::Session& session);

// Runs the report from the list window `list` (whose pointer shows the wait),
// asking for the name in `dialog`. Form LD 204 covers every inlet of the
// snapshot; the Inlet Report the chosen row, as it is stored when it is
// written, refused when it no longer holds the number shown.
void make_report(app::Session& session, ui::Form& list, ui::FileDialog& dialog, ReportKind kind,
                 const InletTable& inlets, const std::optional<app::InletRow>& chosen = std::nullopt);

}  // namespace rg::reports
