#pragma once
// frmTc, the time-of-concentration dialog: up to four flow segments (overland
// flow by the kinematic wave or by Seeley, gutter flow, channel flow by
// Kirpich), each included by its check box; SAVE Tc hands the total to the
// inlet design form's Tc with the inputs as TcStr and Tcoptionstr, and has the
// intensity and the discharge recomputed. Below 5 minutes the 5-minute default
// is used. It reopens as TcStr and Tcoptionstr left it.
//
// Save computes the included segments again from the inputs as they stand
// before it sums them, so the stored Tc always matches the stored inputs.

#include <string>

#include "hydraulics/port.h"
#include "hydrology/formulas.h"
#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::hydrology {

class FrmTc : public ui::Form {
 public:
  explicit FrmTc(app::Session& session);

  // Fills the dialog from the inlet design form's TcStr and Tcoptionstr; each
  // included segment is computed again.
  void decode_Tcstr();
  // Whether the last showing handed its Tc over (SAVE Tc), not left without.
  bool taken() const { return taken_; }

 protected:
  void design() override;
  void Form_Load() override;

 private:
  ui::Control& check(int method) const;
  ui::Control& time(int method) const;
  // Computes segment 1 to 4 into its boxes; a refusal is shown and unchecks
  // the segment, or, quiet, empties its time. False when refused.
  bool compute_method(int method, bool quiet = false);
  // computedTc := the sum of the four times; a time that is no number is
  // refused as its segment's data error (the segment is switched off). The
  // total stays empty while an included segment's time is.
  bool sum_total_tc();
  // After an input of an included segment changed: its time and the total
  // from the inputs as they now stand, or both empty until the inputs give a
  // time, so the total shown is the one SAVE Tc hands over.
  void refresh_segment(int method);
  void CheckTc_Click(int method);
  void leave_flow_distance(ui::Control& box, TcMethod method);
  void leave_lower_elevation(int method);
  // TcStr and Tcoptionstr from the inputs and the included segments.
  void encode_Tcstr(hyd::FlowWrites& out) const;
  void cmdsaveTc_Click();

  app::Session& session_;
  Units units_ = Units::English;
  bool taken_ = false;
};

}  // namespace rg::hydrology
