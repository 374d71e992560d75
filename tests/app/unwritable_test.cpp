// Project files that can be read but not written, and files another program holds.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "shell_fixture.h"

using namespace rg;
using namespace rg::test;

namespace {

// Another program's hold on a file: "EXCLUSIVE" keeps readers out, "IMMEDIATE"
// only writers. Let go when the holder ends.
class Holder {
 public:
  Holder(const fs::path& f, const char* kind) {
    sqlite3_open_v2(f.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    EXPECT_EQ(sqlite3_exec(db_, (std::string("BEGIN ") + kind).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  }
  ~Holder() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace

class UnwritableTest : public ShellTest {
 protected:
  // A current project, opened; then its connection reopened for reading only, as
  // the system gives a file that cannot be written (running as root ignores the
  // file's mode).
  fs::path open_unwritable(const std::string& name) {
    const auto f = open_current(name);
    session->project.project_conn->open(f, db::Access::ReadOnly);
    desktop.clear_record();
    return f;
  }
};

TEST_F(UnwritableTest, TheDetailsAreShownAndSaveRefusesWithTheReason) {
  const auto f = open_unwritable("readonly.rvg");
  const std::string before = file_bytes(f);
  const app::ProjectCopies copies = session->project;
  desktop.expect_box_containing("\"readonly.rvg\" is read-only");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    EXPECT_EQ(desktop.boxes().size(), 1u) << "said once, as the dialog opens";
    EXPECT_EQ(dlg.control("project_name").text() + "|" + dlg.control("noaa_station").text(),
              "Route 29 Widening|Charlottesville");
    EXPECT_EQ(locked(dlg), "project_id units county noaa_station cancel") << "edit mode";
    dlg.control("designer").user_edit_text("A. Engineer");
    desktop.expect_box_containing("not saved. The project database \"readonly.rvg\" is read-only");
    dlg.menu("mnuprojsave").user_click();
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(dlg.control("designer").text(), "A. Engineer");
    discard(dlg);
  });
  click("mnuupdateProj");
  EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), copies);
  EXPECT_EQ(file_bytes(f), before);
  design();  // still a project of this program
}

// Each waits the few seconds a held file is given before it is reported.
TEST_F(UnwritableTest, AHeldFileIsWaitedForThenSaidToBeInUse) {
  const auto f = make_current("held.rvg");
  {
    Holder other(f, "EXCLUSIVE");
    desktop.expect_box_containing("another program");
    open_file(f);
    EXPECT_EQ(window(), kClosed);
  }
  open(f);
  const app::ProjectCopies copies = session->project;
  {
    // Its details cannot be read now: nothing of the project is lost and no
    // dialog stays.
    Holder other(f, "EXCLUSIVE");
    desktop.expect_box_containing("another program");
    click("mnuupdateProj");
    EXPECT_EQ(desktop.modal_forms(), std::vector<std::string>{"frmProjectNOAA"});
    EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), copies);
  }
  desktop.expect_modal("frmProjectNOAA", [this, &f](ui::Form& dlg) {
    dlg.control("designer").user_edit_text("A. Engineer");
    {
      Holder other(f, "IMMEDIATE");
      desktop.expect_box_containing("another program");
      dlg.menu("mnuprojsave").user_click();
    }
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(session->project.open_project_designer, "J. Doe");
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  });
  click("mnuupdateProj");
  EXPECT_EQ(query_rows(f, "SELECT DESIGNER FROM PROJECT"), std::vector<std::string>{"A. Engineer"});
  design();
}

TEST_F(UnwritableTest, AProductCheckThatCannotBeMadeRefusesAndSaysWhy) {
  // An older file of no shared path whose PROJECT table has no PRODUCT_NAME.
  const auto f = make_older("older.rvg", true);
  open_declining_upgrade(f);
  desktop.expect_box_containing("PRODUCT_NAME");
  click("mnuInlet");
  const std::string& said = desktop.boxes().back().text;
  EXPECT_TRUE(said.starts_with("Ravelgrit could not check")) << said;
  EXPECT_NE(said.find("answer Yes to the conversion"), std::string::npos) << said;
  EXPECT_TRUE(desktop.modal_forms().empty());
}
