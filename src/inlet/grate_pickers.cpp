#include "inlet/grate_pickers.h"

#include <string>
#include <vector>

#include "app/session.h"
#include "hydraulics/coefficients.h"

namespace rg::inlet {

// The DOVI figures as published, odd ones included (11.24, 8.34 and 11.68 where
// the pattern of the others would give 11.25, 8.33 and 11.67).
const GratePickerTable english_grate_types = {
    "frmgratetypes",
    {"Inlet Type", "Length (Ft.)", " Grate Type", "Area (Sq. Ft.)", "Perimeter (Ft.)"},
    {
        "DI-1\t\t\t2.33\t9.00",
        "DI-5\t\tI\t6.00\t12.80",
        "DI-7\t\tI\t6.00\t12.80",
        "DI-5\t\tIII\t3.25\t12.80",
        "DI-7\t\tIII\t3.25\t12.80",
        "DI-9\t\t\t0.36\t3.66",
        "DI-12\t4\tI\t4.50\t12.50",
        "DI-12\t\tII\t3.33\t12.50",
        "DI-12\t6\tI\t6.75\t16.50",
        "DI-12\t\tII\t5.00\t16.50",
        "DI-12\t8\tI\t9.00\t20.50",
        "DI-12\t\tII\t6.67\t20.50",
        "DI-12\t10\tI\t11.24\t24.50",
        "DI-12\t\tII\t8.34\t24.50",
        "DI-12\t12\tI\t13.50\t28.50",
        "DI-12\t\tII\t10.00\t28.50",
        "DI-12\t14\tI\t15.75\t32.50",
        "DI-12\t\tII\t11.68\t32.50",
    },
};

const GratePickerTable metric_grate_types = {
    "frmMetricgratetypes",
    {"Inlet Type", "Length (M.)", " Grate Type", "Area (Sq. M.)", "Perimeter (M.)"},
    {
        "DI-1\t\t\t0.22\t2.74",
        "DI-5\t\tI\t0.56\t3.90",
        "DI-7\t\tI\t0.56\t3.90",
        "DI-5\t\tIII\t0.30\t3.90",
        "DI-7\t\tIII\t0.30\t3.90",
        "DI-9\t\t\t0.03\t1.12",
        "DI-12\t1.22\tI\t0.42\t3.81",
        "DI-12\t\tII\t0.31\t3.81",
        "DI-12\t1.83\tI\t0.63\t5.03",
        "DI-12\t\tII\t0.46\t5.03",
        "DI-12\t2.44\tI\t0.84\t6.25",
        "DI-12\t\tII\t0.62\t6.25",
        "DI-12\t3.05\tI\t1.04\t7.47",
        "DI-12\t\tII\t0.77\t7.47",
        "DI-12\t3.66\tI\t1.25\t8.69",
        "DI-12\t\tII\t0.93\t8.69",
        "DI-12\t4.27\tI\t1.46\t9.91",
        "DI-12\t\tII\t1.09\t9.91",
    },
};

namespace {

// The fields of a row, split at the tab character into at most five.
std::vector<std::string> row_fields(std::string_view row) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < 4) {
    const std::size_t tab = row.find('\t', start);
    if (tab == std::string_view::npos) break;
    fields.emplace_back(row.substr(start, tab - start));
    start = tab + 1;
  }
  fields.emplace_back(row.substr(start));
  return fields;
}

}  // namespace

GratePicker::GratePicker(app::Session& session, const GratePickerTable& table)
    : ui::Form(std::string(table.form_name), "DOVI GRATE TYPES"), session_(session), table_(table) {}

void GratePicker::design() {
  using K = ui::ControlKind;
  std::vector<ui::ControlSpec> specs = {
      {.kind = K::Label, .col_span = 5, .caption = "DOVI STANDARD GRATE DROP INLETS"},
  };
  for (int col = 0; col < 5; ++col) {
    specs.push_back({.kind = K::Label, .row = 1, .col = col, .caption = std::string(table_.headings[col])});
  }
  specs.push_back({.name = "gratetypelist",
                   .kind = K::ListBox,
                   .row = 2,
                   .col_span = 5,
                   .width_chars = 60,
                   .items = {table_.rows.begin(), table_.rows.end()}});
  specs.push_back(
      {.name = "gtselect", .kind = K::CommandButton, .row = 3, .col = 3, .caption = "Select", .default_button = true});
  specs.push_back(
      {.name = "gtcancel", .kind = K::CommandButton, .row = 3, .col = 4, .caption = "Cancel", .cancel_button = true});
  add_controls(specs);
  control("gtselect").Click = [this] { gtselect_Click(); };
  control("gtcancel").Click = [this] { gtcancel_Click(); };
}

// Each showing starts at the first row, with nothing chosen.
void GratePicker::Form_Load() {
  picked_.reset();
  control("gratetypelist").set_list_index(0);
}

void GratePicker::gtselect_Click() {
  const std::string row = control("gratetypelist").text();
  if (row.empty()) {
    ui::show_box(session_.desktop(), "Please Select an Inlet Type!", ui::Buttons::OK, ui::Icon::Information);
    return;
  }
  const std::vector<std::string> fields = row_fields(row);
  if (fields.size() == 5) picked_ = GrateOpening{fields[3], fields[4]};
  unload();
}

void GratePicker::gtcancel_Click() { unload(); }

std::optional<GrateOpening> show_grate_picker(app::Session& session) {
  GratePicker& picker = hyd::is_english(session.project.unit_system)
                            ? static_cast<GratePicker&>(session.form<FrmGrateTypes>())
                            : session.form<FrmMetricGrateTypes>();
  session.desktop().show_modal(picker);
  return picker.picked();
}

}  // namespace rg::inlet
