#pragma once
// The inlet list, the hub of the Design loop: the project's inlets in a grid,
// from which they are added, viewed and edited (in the inlet design form),
// deleted and renumbered, and from which both reports are written.
//
// The loop's protocol: leaving the list (Exit, its menu entry, the close box)
// ends the Design loop; Refresh reloads the window, which ends the current
// showing without ending the loop, so the loop shows the list again.

#include <optional>
#include <string>

#include "app/services.h"
#include "platform/ui/desktop.h"
#include "platform/ui/form.h"
#include "reports/inlet_records.h"

namespace rg::app {
class Session;
enum class OpenMode;
}  // namespace rg::app

namespace rg::reports {

// Offers the inlet list to the shell's Design loop, and its refresh to the
// inlet design form's Save.
void wire_services(app::Session& session);

class FrmInletFlex : public ui::Form {
 public:
  explicit FrmInletFlex(app::Session& session);

  void cmdflexaddinlet_Click();
  void cmdflexviewinlet_Click();
  void cmdflexveditinlet_Click();
  void cmdflexmodinlet_Click();
  void cmdflexrefreshinlet_Click();
  void cmdflexdeleteinlet_Click();
  void cmdflexexit_Click();
  void mnuflexld204_Click();
  void mnuflex_inlet_report_Click();

  // Reads the inlets again into the grid and the count, keeping the window
  // (the inlet design form's Save, beneath which the list stays loaded).
  // db::Error when they cannot be read.
  void requery();

  // The snapshot of the INLET table the grid, the count and the reports show.
  const InletTable& inlets() const { return inlets_; }

  // Outlives the showings.
  bool flex_reloading = false;
  // The open project's row selected again after a reload: each project starts
  // on its first row.
  int& flex_current_row;

 protected:
  void design() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  void open_inlet(app::OpenMode mode);
  void delete_flexinlet();
  void modify_flexinlet_number();
  // The row of the grid's current row, the one every action takes; nothing on
  // the header row.
  std::optional<app::InletRow> chosen_row() const;
  // Fills the grid and the count from the snapshot.
  void show_inlets();
  ui::FileDialog& file_dialog();

  app::Session& session_;
  InletTable inlets_;
  // The save dialog of the reports when the shell offers none.
  ui::FileDialog own_dialog_;
};

// The renumber dialog: the current number, and the new one it accepts after
// its checks (into handover.new_inlet_number; "" changes nothing).
class FrmInletModify : public ui::Form {
 public:
  explicit FrmInletModify(app::Session& session);

  void cmdmodaccept_Click();
  void cmdmodcancel_Click();

 protected:
  void design() override;
  void Form_Load() override;

 private:
  app::Session& session_;
};

}  // namespace rg::reports
