#pragma once
// A session of the program on the scripted desktop, wired as main() wires it,
// with its data files, a scratch folder for project files, project databases of
// the current and of older releases, and the user's usual steps (create, open,
// close, the Design loop) as one call each, every one checking the boxes it meets.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/session.h"
#include "hydrology/procedures.h"
#include "inlet/inlet_form.h"
#include "platform/db/connection.h"
#include "platform/ui/scripted_desktop.h"
#include "reports/inlet_list.h"
#include "support/scratch_dir.h"
#include "support/sqlite_rows.h"

namespace rg::test {

namespace fs = std::filesystem;
using ui::Answer;
using Script = std::function<void(ui::Form&)>;

// The details dialog's fields that take no input, and "cancel" when its Cancel
// is offered: "" in add mode.
inline std::string locked(ui::Form& dlg) {
  std::string out;
  for (const char* name : {"project_id", "project_name", "units", "county", "noaa_station"}) {
    if (const auto* c = dlg.find(name); c && !c->enabled()) out += std::string(name) + " ";
  }
  return out + (dlg.menu("mnuprojcancel").enabled() ? "cancel" : "");
}

inline constexpr const char* kConvertQuestion =
    "Would you like to convert the current database version to comply with new DOVI Drainage Manual to include "
    "NOAA Stations?";
// window() with no project open.
inline constexpr const char* kClosed = "[][] closed";

class ShellTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    start(RG_PROGRAM_DIR);
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
    session.reset();
    ScratchTest::TearDown();
  }

  // A fresh session whose program folder is the given one, with its main window
  // loaded and shown.
  void start(const fs::path& program_dir) {
    session = std::make_unique<app::Session>(desktop, program_dir);
    reports::wire_services(*session);
    hydrology::wire_services(*session);
    inlet::wire_services(*session);
    desktop.show(main());
    desktop.clear_record();
  }

  app::FrmSoftwareMain& main() { return session->form<app::FrmSoftwareMain>(); }
  void click(const char* menu) { main().menu(menu).user_click(); }

  // What the main window shows of the project: its two panels, and which of
  // Create, Open, Update and Close it offers ("open" and "closed" as they should be).
  std::string window() {
    std::string offered;
    for (const char* m : {"mnucreateProj", "mnuopenProj", "mnuupdateProj", "mnucloseProj"}) {
      offered += main().menu(m).enabled() ? '1' : '0';
    }
    const auto panel = [this](int n) { return "[" + main().status_bar()->panel(n).text + "]"; };
    return panel(1) + panel(2) + " " + (offered == "1100" ? "closed" : offered == "0011" ? "open" : offered);
  }

  // The rainfall file that serves the project and the lists open on it.
  std::string lists() {
    const auto& r = session->rainfall;
    auto filled = [](const auto& rs) { return rs && rs->record_count() > 0; };
    return fs::path(r.rainfall_db_path).filename().string() + (filled(r.county_rs) ? " counties" : "") +
           (filled(r.station_rs) ? " stations" : "");
  }

  fs::path path(const std::string& name) const { return dir / name; }

  // A database of an older release: the template without NOAA_STATION, and for
  // a shared project without the four release columns either.
  fs::path make_older(const std::string& name, bool shared_kind) {
    const fs::path f = path(name);
    fs::copy_file(program_file("Tovrel21.rdb"), f);
    std::string drop = "ALTER TABLE PROJECT DROP COLUMN NOAA_STATION;";
    for (const char* column : {"PRODUCT_NAME", "MAJOR_RELEASE", "MINOR_RELEASE", "RELEASE_DATE"}) {
      if (shared_kind) drop += std::string("ALTER TABLE PROJECT DROP COLUMN ") + column + ";";
    }
    run_sql(f, drop + "INSERT INTO PROJECT VALUES ('P-7', 'Old Project', 'd', 'l', 'Albemarle', 'VA', 'ENGLISH', "
                      "'Designer'" + (shared_kind ? "" : ", 'RAVELGRIT', '1.0', '0.0', 'MAY 2009'") + ");");
    return f;
  }

  // A current project file with details, made from the template.
  fs::path make_current(const std::string& name, const std::string& units = "ENGLISH") {
    make_project(path(name), units);
    return path(name);
  }

  // File > Create, answered with this file; the script works the details dialog.
  void create(const std::string& name, Script script) {
    desktop.expect_file(path(name).string());
    desktop.expect_box("New Project Database has been created.  Please Add Project Details");
    desktop.expect_modal("frmProjectNOAA", std::move(script));
    click("mnucreateProj");
  }

  // File > Open, answered with this file; a file that has details says its name.
  void open_file(const fs::path& f) { desktop.expect_file(f.string()); click("mnuopenProj"); }
  void open(const fs::path& f, const std::string& name = "Route 29 Widening") {
    desktop.expect_box("Project Name: " + name);
    open_file(f);
  }
  fs::path open_current(const std::string& name) {
    open(make_current(name));
    return path(name);
  }
  // The details dialog saved, as its Save says.
  void save_details(ui::Form& dlg) {
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  }
  // Opens a file of an older release, declining its upgrade, or accepting it
  // when a script works the upgrade dialog.
  void open_older(const fs::path& f, Script upgrade = {}) {
    desktop.expect_box(kConvertQuestion, upgrade ? Answer::Yes : Answer::No);
    if (!upgrade) return open(f, "Old Project");
    desktop.expect_modal("frmProjectUpdate", std::move(upgrade));
    open_file(f);
  }

  // File > Close: nothing of the project is left, not even the list's row.
  void close() {
    desktop.expect_box("Current Project Is Closed!");
    click("mnucloseProj");
    EXPECT_EQ(window(), kClosed);
    EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), app::ProjectCopies{});
    EXPECT_FALSE(session->project.project_conn);
    EXPECT_FALSE(session->project.project_editing);
    EXPECT_EQ(session->project.flex_current_row, 0);
  }

  // The Design loop from the main window's menu, one script per showing of the
  // list (queued by showing(), or given here): each showing ends when the list
  // reloads (after Add, Edit, Delete, Modify) or closes, and the loop shows it
  // again until it closes.
  using ListScript = std::function<void(reports::FrmInletFlex&)>;
  void showing(ListScript script) { showings_.push_back(std::move(script)); }
  void design_loop(std::vector<ListScript> showings = {}) {
    for (auto& s : showings) showing(std::move(s));
    if (!showings_.empty()) queue_showing(0);
    click("mnuInlet");
    showings_.clear();
  }

  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;

 private:
  void queue_showing(std::size_t i) {
    desktop.expect_modal("frminletflex", [this, i](ui::Form& f) {
      showings_[i](static_cast<reports::FrmInletFlex&>(f));
      if (i + 1 < showings_.size()) queue_showing(i + 1);
    });
  }
  std::vector<ListScript> showings_;
};

}  // namespace rg::test
