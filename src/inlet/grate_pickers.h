#pragma once
// The grate-type pickers: a modal list of the DOVI standard grate drop inlets
// whose Select gives the chosen grate's opening area and perimeter, for the
// inlet design form's txtArea and txtPeri. One dialog, shown with the English
// or the metric table.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::inlet {

// What one picker shows: its form name, the five column headings and the rows,
// each five fields (inlet type, length, grate, area, perimeter) joined by tabs.
struct GratePickerTable {
  std::string_view form_name;
  std::array<std::string_view, 5> headings;
  std::array<std::string_view, 18> rows;
};

// A grate's opening as the picker's row prints it.
struct GrateOpening {
  std::string area;
  std::string perimeter;
  friend bool operator==(const GrateOpening&, const GrateOpening&) = default;
};

extern const GratePickerTable english_grate_types;
extern const GratePickerTable metric_grate_types;

class GratePicker : public ui::Form {
 public:
  GratePicker(app::Session& session, const GratePickerTable& table);

  // Handlers.
  void gtselect_Click();
  void gtcancel_Click();

  // The grate Select chose in the last showing; nothing after Cancel.
  const std::optional<GrateOpening>& picked() const { return picked_; }

 protected:
  void design() override;
  void Form_Load() override;

 private:
  app::Session& session_;
  const GratePickerTable& table_;
  std::optional<GrateOpening> picked_;
};

// The two dialogs, one instance each in the session.
class FrmGrateTypes : public GratePicker {
 public:
  explicit FrmGrateTypes(app::Session& session) : GratePicker(session, english_grate_types) {}
};
class FrmMetricGrateTypes : public GratePicker {
 public:
  explicit FrmMetricGrateTypes(app::Session& session) : GratePicker(session, metric_grate_types) {}
};

// Shows the picker of the open project's unit system modally (frmgratetypes for
// "ENGLISH", frmMetricgratetypes otherwise); the grate chosen, when it has closed.
std::optional<GrateOpening> show_grate_picker(app::Session& session);

}  // namespace rg::inlet
