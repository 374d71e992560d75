#include "reports/report_frame.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <type_traits>

#include "app/file_choice.h"
#include "app/session.h"
#include "platform/workbook/workbook.h"
#include "reports/inlet_list_store.h"
#include "reports/inlet_report_writer.h"
#include "reports/ld204_writer.h"

namespace rg::reports {

namespace fs = std::filesystem;
using ui::Buttons;
using ui::Icon;
using ui::show_box;

namespace {

struct ReportTexts {
  const char* empty_list;
  const char* template_name;
  const char* filter;
  const char* title;
};

const ReportTexts& texts(ReportKind kind) {
  static const ReportTexts ld204{"No Inlets to Display Form LD 204!", kLd204Template,
                                 "Form LD 204 files (*.xlsx)|*.xlsx", "Enter New File Name for Form LD 204"};
  static const ReportTexts inlet{"No Inlets to display on Inlet Report!", kInletReportTemplate,
                                 "Inlet Report files (*.xlsx)|*.xlsx", "Enter New File Name for Inlet Report"};
  return kind == ReportKind::Ld204 ? ld204 : inlet;
}

std::chrono::year_month_day today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

// The name the user chose, or nothing (after the box that says so).
std::optional<fs::path> choose_target(app::Session& session, ui::FileDialog& dialog, const ReportTexts& t) {
  ui::Desktop& desktop = session.desktop();
  dialog.FileName = "";
  dialog.Filter = t.filter;
  dialog.InitDir = session.handover.last_dir.empty() ? session.program_dir().string() : session.handover.last_dir;
  dialog.DialogTitle = t.title;
  try {
    dialog.ShowSave(desktop);
  } catch (const ui::Error&) {
    dialog.FileName = "";  // Cancel with CancelError on
  }
  // The spreadsheet program that opens it next knows a workbook by its extension.
  const auto target = app::chosen_file(dialog.FileName, ".xlsx");
  if (!target) {
    show_box(desktop, "No File Name selected!", Buttons::OK, Icon::Exclamation);
    return std::nullopt;
  }
  std::error_code error;
  const bool exists = fs::exists(*target, error);
  if (error) {
    show_box(desktop, "The report cannot be saved as \"" + target->string() + "\": " + error.message() + ".",
             Buttons::OK, Icon::Exclamation);
    return std::nullopt;
  }
  if (exists && show_box(desktop, "File Already Exists!   Overwrite?", Buttons::YesNo, Icon::Exclamation, {}, false,
                         ui::Answer::No) != ui::Answer::Yes) {
    return std::nullopt;
  }
  session.handover.last_dir = target->parent_path().string();
  return target;
}

class WaitPointer {
 public:
  explicit WaitPointer(ui::Form& form) : form_(form) { form_.set_pointer(ui::MousePointer::Hourglass); }
  ~WaitPointer() { form_.set_pointer(ui::MousePointer::Default); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;

 private:
  ui::Form& form_;
};

}  // namespace

ReportProject report_project(const app::Session& session) {
  const auto& p = session.project;
  return {p.open_project_name, p.open_project_designer,      p.open_project_county,     p.open_project_state,
          p.unit_system,       p.open_project_major_release, p.open_project_noaa_station};
}

void make_report(app::Session& session, ui::Form& list, ui::FileDialog& dialog, ReportKind kind,
                 const InletTable& inlets, const std::optional<app::InletRow>& chosen) {
  ui::Desktop& desktop = session.desktop();
  const ReportTexts& t = texts(kind);
  if (inlets.empty()) {
    show_box(desktop, t.empty_list, Buttons::OK, Icon::Information);
    return;
  }
  // The chosen inlet as stored now: asked before the file name, so a row
  // another copy changed is said at once, and again after, for what is written.
  const auto chosen_now = [&]() -> InletRecord {
    const auto inlet = chosen ? store::load_inlet(session.project.connection(), *chosen) : std::nullopt;
    if (!inlet) {
      throw workbook::Error(chosen ? chosen->gone("no report was written.") : std::string("No inlet is chosen."));
    }
    return *inlet;
  };
  try {
    if (kind == ReportKind::InletReport) chosen_now();
  } catch (const std::exception& e) {
    show_box(desktop, e.what(), Buttons::OK, Icon::Exclamation);
    return;
  }
  const auto target = choose_target(session, dialog, t);
  if (!target) return;
  try {
    WaitPointer wait(list);
    const ReportProject project = report_project(session);
    const auto inlet = kind == ReportKind::InletReport ? std::optional<InletRecord>(chosen_now()) : std::nullopt;
    auto book = workbook::Workbook::open_copy(session.program_file(t.template_name), *target);
    if (inlet) {
      write_inlet_report(book.sheet(1), *inlet, project, today());
    } else {
      write_ld204(book.active_sheet(), inlets, project);
    }
    book.activate(1);
    book.save();
  } catch (const std::exception& e) {
    show_box(desktop, e.what(), Buttons::OK, Icon::Exclamation);
    return;
  }
  if (!desktop.open_document(*target)) {
    show_box(desktop,
             "The report was saved as " + target->string() + ", but no program could be found to open it.",
             Buttons::OK, Icon::Information);
  }
}

}  // namespace rg::reports
