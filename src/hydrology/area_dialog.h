#pragma once
// The drainage-area dialog of one side of an inlet (handover.area_side): an
// area and a runoff coefficient C per land use, C kept within the row's
// range, C x A per row and the two totals. SAVE writes
// the side's AREABUFSTR and CBUFSTR, total area and total C x A into the inlet
// design form and recomputes the discharge; CANCEL writes nothing.
//
// frmareaV2 has the 15-row land-use table, trims blanks around the areas and
// shows its totals as plain number text; frmarea has the 24-row table of
// shared projects and shows its totals formatted. Stored texts written under
// the other table fill the rows they have, a stored C outside its row's range
// is brought into it, and a box says so.

#include <optional>
#include <string>

#include "hydrology/land_use.h"
#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::hydrology {

class AreaDialog : public ui::Form {
 protected:
  AreaDialog(app::Session& session, std::string name, LandUseTable table);
  void design() override;
  void Form_Load() override;

 private:
  bool trims() const { return table_ == LandUseTable::Rows15; }
  // The side the inlet design form chose (0 side 1, 1 side 2), if any.
  std::optional<std::size_t> side() const;
  ui::Control& row_control(const char* array, std::size_t i) const;
  // The row's C as the totals use it: the box's number within the row's range.
  double row_c(std::size_t i) const;
  // A negative area (pasted: no minus sign can be typed) is refused with a
  // message and keeps the focus.
  void Area_Validate(std::size_t i, bool& cancel);
  void Area_LostFocus(std::size_t i);
  void Cval_LostFocus(std::size_t i);
  // TAREA and TCA from the rows; a total too large to be a number is said and
  // both are emptied (false).
  bool compute_area_totals();
  void cmdsavearea_Click();

  app::Session& session_;
  LandUseTable table_;
};

class FrmAreaV2 : public AreaDialog {
 public:
  explicit FrmAreaV2(app::Session& session) : AreaDialog(session, "frmareaV2", LandUseTable::Rows15) {}
};

class FrmArea : public AreaDialog {
 public:
  explicit FrmArea(app::Session& session) : AreaDialog(session, "frmarea", LandUseTable::Rows24) {}
};

}  // namespace rg::hydrology
