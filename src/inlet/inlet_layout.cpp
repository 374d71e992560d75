#include "inlet/inlet_layout.h"

#include <array>
#include <string>
#include <vector>

namespace rg::inlet {

namespace {

using K = ui::ControlKind;
using Spec = ui::ControlSpec;

constexpr int kBox = 10;   // a number box, in characters
constexpr int kWide = 32;  // a name or a list of kinds
constexpr int kNumber = 16;  // an inlet number shown in a caption

Spec frame(std::string name, std::string in, int row, int col, std::string caption, int row_span = 1,
           int col_span = 1) {
  return {.name = std::move(name), .kind = K::Frame, .container = std::move(in), .row = row, .col = col,
          .row_span = row_span, .col_span = col_span, .caption = std::move(caption)};
}
Spec label(std::string in, int row, int col, std::string caption, std::string name = {}, int col_span = 1) {
  return {.name = std::move(name), .kind = K::Label, .container = std::move(in), .row = row, .col = col,
          .col_span = col_span, .caption = std::move(caption)};
}
// A unit label of a group whose captions follow the project's unit system. It
// names no box: a list after it on its row (the offset's side) is named by the
// row's caption.
Spec unit(const std::string& group, int index, std::string in, int row, int col, std::string caption) {
  Spec u = label(std::move(in), row, col, std::move(caption), group + "(" + std::to_string(index) + ")");
  u.shows_value = true;
  return u;
}
Spec box(std::string name, std::string in, int row, int col, std::string field, bool number = false,
         int width = kBox, int col_span = 1) {
  return {.name = std::move(name), .kind = K::TextBox, .container = std::move(in), .row = row, .col = col,
          .col_span = col_span, .width_chars = width, .field = std::move(field), .number_box = number};
}
Spec list(std::string name, std::string in, int row, int col, std::string field, int width = kBox,
          int col_span = 1) {
  return {.name = std::move(name), .kind = K::ComboBox, .container = std::move(in), .row = row, .col = col,
          .col_span = col_span, .width_chars = width, .field = std::move(field)};
}
Spec button(std::string name, std::string in, int row, int col, std::string caption, int col_span = 1) {
  return {.name = std::move(name), .kind = K::CommandButton, .container = std::move(in), .row = row, .col = col,
          .col_span = col_span, .caption = std::move(caption)};
}
Spec option(std::string name, std::string in, int row, int col, std::string caption) {
  return {.name = std::move(name), .kind = K::OptionButton, .container = std::move(in), .row = row, .col = col,
          .caption = std::move(caption)};
}
Spec check(std::string name, std::string in, int row, int col, std::string field = {}) {
  return {.name = std::move(name), .kind = K::CheckBox, .container = std::move(in), .row = row, .col = col,
          .field = std::move(field)};
}

constexpr std::array<std::string_view, 15> kToolbar = {
    "", "Toolbar1_1", "", "Toolbar1_3", "", "Toolbar1_5", "", "", "Toolbar1_8", "", "", "Toolbar1_11", "", "",
    "Toolbar1_14"};

std::vector<Spec> make_table() {
  std::vector<Spec> t;
  auto add = [&t](std::initializer_list<Spec> rows) { t.insert(t.end(), rows.begin(), rows.end()); };

  // The toolbar and the mode line above the tabs.
  add({frame("fraToolbar", "", 0, 0, ""),
       button("Toolbar1_1", "fraToolbar", 0, 0, "Add"), button("Toolbar1_3", "fraToolbar", 0, 1, "Edit"),
       button("Toolbar1_5", "fraToolbar", 0, 2, "Save"), button("Toolbar1_8", "fraToolbar", 0, 3, "Solve"),
       // Exit is the form's way out: Escape presses it, and a click on it
       // leaves the box being edited unjudged (the question comes first).
       {.name = "Toolbar1_11", .kind = K::CommandButton, .container = "fraToolbar", .col = 4, .caption = "Exit",
        .cancel_button = true},
       button("Toolbar1_14", "fraToolbar", 0, 5, "Help"),
       label("fraToolbar", 0, 6, "SCREEN MODE:"), label("fraToolbar", 0, 7, "VIEW", "screenmode"),
       label("fraToolbar", 0, 8, "Current Inlet Number:"),
       // The number shown keeps its room: a longer one is shortened, and the
       // window stays as it is while numbers come and go.
       {.name = "lblStatus", .kind = K::Label, .container = "fraToolbar", .col = 9, .width_chars = kNumber},
       {.name = "SSTab1", .kind = K::TabControl, .row = 1},
       {.name = "Tab0", .kind = K::TabPage, .container = "SSTab1", .col = 0, .caption = "INLET DATA"},
       {.name = "Tab1", .kind = K::TabPage, .container = "SSTab1", .col = 1, .caption = "FLOW DATA"},
       {.name = "Tab2", .kind = K::TabPage, .container = "SSTab1", .col = 2, .caption = "INLET CHARACTERISTICS"},
       {.name = "Tab3", .kind = K::TabPage, .container = "SSTab1", .col = 3, .caption = "RESULTS"}});

  // Tab 0: identification.
  const std::string pd = "Project_Details_Frame";
  const std::string id = "Input_Details_Frame";
  add({frame(pd, "Tab0", 0, 0, "Project Details"),
       label(pd, 0, 0, "PROJECT NAME"), box("txtProject", pd, 0, 1, "", false, kWide),
       box("project_id", pd, 0, 2, "PROJECT_ID"),
       label(pd, 1, 0, "NAME OF ROAD"), box("RoadWay", pd, 1, 1, "ROADWAY", false, kWide, 2),
       frame(id, "Tab0", 1, 0, "Inlet Details"),
       label(id, 0, 0, "INLET NUMBER"), box("Inlet_Number", id, 0, 1, "INLET_NUMBER"),
       label(id, 1, 0, "INLET TYPE"), list("inlet_type", id, 1, 1, "INLET_TYPE", kWide, 3),
       label(id, 2, 0, "INLET LOCATION"), list("inlet_location", id, 2, 1, "INLET_LOCATION", kWide, 3),
       label(id, 3, 0, "DOVI STANDARD"), list("inlet_subtype", id, 3, 1, "INLET_SUBTYPE"),
       label(id, 4, 0, "STATION"), box("Station", id, 4, 1, "STATION"),
       label(id, 5, 0, "OFFSET"), box("offset", id, 5, 1, "OFFSET"), unit("ftm", 0, id, 5, 2, "ft"),
       list("offset_location", id, 5, 3, "OFFSET_LOCATION"),
       label(id, 6, 0, "RIM EL/GUTTER FLOW LINE EL."), box("TopElevation", id, 6, 1, "TOP_ELEVATION"),
       unit("ftm", 1, id, 6, 2, "ft"),
       label(id, 7, 0, "ALLOWABLE SPREAD"), box("allowable_spread", id, 7, 1, "ALLOWABLE_SPREAD"),
       unit("ftm", 2, id, 7, 2, "ft")});

  // Tab 1: flow data.
  const std::string fd = "Flow_Data_Frame";
  const std::string cf = "compute_frame";
  add({frame(fd, "Tab1", 0, 0, ""),
       frame("fraDischarge", fd, 0, 0, "DISCHARGE"),
       option("compute_discharge", "fraDischarge", 0, 0, "Compute Discharge Using Rational Method"),
       option("input_discharge", "fraDischarge", 1, 0, "Input Peak Discharge"),
       frame("Frame9", fd, 0, 1, "TOTAL DISCHARGE"),
       box("QTotal", "Frame9", 0, 0, "TOTAL_DISCHARGE"), unit("cfscms", 0, "Frame9", 0, 1, "cfs"),
       frame(cf, fd, 3, 0, "COMPUTE DISCHARGE", 1, 2),
       label(cf, 0, 0, "STORM FREQ."), list("storm_frequency", cf, 0, 1, "STORM_FREQUENCY"),
       label(cf, 0, 2, "ABSORPTION COEFF (Cf)", "lblcf"), box("Cf", cf, 0, 3, "CF"),
       frame("fraIntensity", cf, 1, 0, "RAINFALL INTENSITY", 1, 4),
       option("compute_I", "fraIntensity", 0, 0, "COMPUTE"), option("input_I", "fraIntensity", 0, 1, "INPUT"),
       box("inputInt", "fraIntensity", 0, 2, "INPUTINT"), label("fraIntensity", 0, 3, "in/hr", "inputintunit"),
       frame("computeTc_frame", cf, 2, 0, "COMPUTE RAINFALL INTENSITY", 1, 4),
       label("computeTc_frame", 0, 0, "INPUT Tc"), box("ITc", "computeTc_frame", 0, 1, "ITC"),
       label("computeTc_frame", 0, 2, "min"), button("cmdcomputeTc", "computeTc_frame", 0, 3, "COMPUTE Tc"),
       label(cf, 3, 0, "TIME OF CONCENTRATION", "lblTc"), box("Tc", cf, 3, 1, "TC"),
       label(cf, 3, 2, "min", "tcunit"),
       label(cf, 4, 0, "RAINFALL INTENSITY", "lblIntensity"), box("Intensity", cf, 4, 1, "INTENSITY"),
       unit("inmm", 0, cf, 4, 2, "in/hr"),
       frame("compute1_frame", cf, 5, 0, "", 1, 2),
       label("compute1_frame", 0, 0, "DRAINAGE AREA"), box("totalarea1", "compute1_frame", 0, 1, "TOTALAREA1"),
       unit("acha", 0, "compute1_frame", 0, 2, "Ac."),
       label("compute1_frame", 1, 0, "SUM OF C*A"), box("totalca1", "compute1_frame", 1, 1, "TOTALCA1"),
       button("cmdinputArea1", "compute1_frame", 2, 0, "COMPUTE", 3),
       frame("compute2_frame", cf, 5, 2, "RIGHT", 1, 2),
       label("compute2_frame", 0, 0, "DRAINAGE AREA"), box("totalarea2", "compute2_frame", 0, 1, "TOTALAREA2"),
       unit("acha", 1, "compute2_frame", 0, 2, "Ac."),
       label("compute2_frame", 1, 0, "SUM OF C*A"), box("totalca2", "compute2_frame", 1, 1, "TOTALCA2"),
       button("cmdinputArea2", "compute2_frame", 2, 0, "COMPUTE-RIGHT", 3),
       button("cmdComputeDsicharge", cf, 6, 0, "Compute Discharge", 2),
       frame("discharge1_frame", fd, 1, 0, "Discharge"),
       box("discharge1", "discharge1_frame", 0, 0, "DISCHARGE1"), unit("cfscms", 1, "discharge1_frame", 0, 1, "cfs"),
       frame("discharge2_frame", fd, 1, 1, "Right Discharge"),
       box("discharge2", "discharge2_frame", 0, 0, "DISCHARGE2"), unit("cfscms", 2, "discharge2_frame", 0, 1, "cfs"),
       frame("carryover_frame1", fd, 2, 0, ""),
       label("carryover_frame1", 0, 0, "PREVIOUS INLET"), list("preinlet1", "carryover_frame1", 0, 1, "PREINLET1"),
       label("carryover_frame1", 1, 0, "CARRYOVER "), box("carryover1", "carryover_frame1", 1, 1, "CARRYOVER1"),
       unit("cfscms", 3, "carryover_frame1", 1, 2, "cfs"),
       frame("carryover_frame2", fd, 2, 1, "RIGHT"),
       label("carryover_frame2", 0, 0, "PREVIOUS INLET"), list("preinlet2", "carryover_frame2", 0, 1, "PREINLET2"),
       label("carryover_frame2", 1, 0, "CARRYOVER "), box("carryover2", "carryover_frame2", 1, 1, "CARRYOVER2"),
       unit("cfscms", 4, "carryover_frame2", 1, 2, "cfs"),
       // The stored state behind the options and the dialogs' strings: never shown.
       frame("fraStored", fd, 4, 0, "", 1, 2),
       check("compute_dischargecheck", "fraStored", 0, 0, "COMPUTE_DISCHARGE"),
       check("input_dischargecheck", "fraStored", 0, 1, "INPUT_DISCHARGE"),
       check("compute_Icheck", "fraStored", 0, 2, "COMPUTE_I"), check("input_Icheck", "fraStored", 0, 3, "INPUT_I"),
       check("Check_ComputeTc", "fraStored", 0, 4),
       box("areabufstr1", "fraStored", 1, 0, "AREABUFSTR1"), box("areabufstr2", "fraStored", 1, 1, "AREABUFSTR2"),
       box("cbufstr1", "fraStored", 1, 2, "CBUFSTR1"), box("cbufstr2", "fraStored", 1, 3, "CBUFSTR2"),
       box("TcStr", "fraStored", 2, 0, "TCSTR"), box("Tcoptionstr", "fraStored", 2, 1, "TCOPTIONSTR"),
       box("IA", "fraStored", 2, 2, "IA"), box("IB", "fraStored", 2, 3, "IB"),
       // The unit groups have more elements than the form has boxes to label.
       unit("ftm", 18, "fraStored", 3, 0, "ft"), unit("ftpftmpm", 5, "fraStored", 3, 1, "ft/ft"),
       unit("ftpftmpm", 6, "fraStored", 3, 2, "ft/ft")});

  // Tab 2: inlet details, the gutter and its inlet on the left, the grate and
  // the curb opening on the right.
  const std::string cg = "CG_frame";
  add({frame(cg, "Tab2", 0, 0, "Inlet Data"),
       label(cg, 0, 0, "GUTTER LONGITUDINAL SLOPE", "lbl_GLS"), box("txtS", cg, 0, 1, "LONGSLOPE"),
       unit("ftpftmpm", 0, cg, 0, 2, "ft/ft"),
       label(cg, 1, 0, "MANNINGS"), box("txtn", cg, 1, 1, "MANNINGS"),
       label(cg, 2, 0, "GUTTER WIDTH", "lbl_GUW"), box("txtW", cg, 2, 1, "GUTWIDTH"), unit("ftm", 3, cg, 2, 2, "ft"),
       label(cg, 3, 0, "PAVEMENT CROSS SLOPE"), box("txtSx", cg, 3, 1, "PAVXSLOPE"),
       unit("ftpftmpm", 1, cg, 3, 2, "ft/ft"),
       label(cg, 4, 0, "GUTTER CROSS SLOPE", "lbl_GCS"), box("txtSw", cg, 4, 1, "GUTXSLOPE"),
       unit("ftpftmpm", 2, cg, 4, 2, "ft/ft"),
       label(cg, 5, 0, "WIDTH OF LOCAL DEPRESSION"), box("txtWa", cg, 5, 1, "LOCDEPWIDTH", true),
       unit("ftm", 4, cg, 5, 2, "ft"),
       label(cg, 6, 0, "AMOUNT OF LOCAL DEPRESSION"), box("txta", cg, 6, 1, "LOCALDEP", true),
       unit("inmm", 1, cg, 6, 2, "in"),
       label(cg, 7, 0, "INLET LENGTH", "lbl_IL"), box("cboLength", cg, 7, 1, "INLETLENGTH", true),
       unit("ftm", 5, cg, 7, 2, "ft"),
       label(cg, 8, 0, "OPENING LEN. UPSTREAM OF GRATE"), box("cboLCOUG", cg, 8, 1, "OPENLEN_GRATE", true),
       unit("ftm", 6, cg, 8, 2, "ft"),
       label(cg, 9, 0, "GRATE WIDTH"), box("txtWg", cg, 9, 1, "GRATEWIDTH", true), unit("ftm", 7, cg, 9, 2, "ft"),
       label(cg, 10, 0, "DITCH LEFT SIDE SLOPE RATIO"), box("txtzl", cg, 10, 1, "LSCOPERATIO", true),
       label(cg, 11, 0, "DITCH RIGHT SIDE SLOPE RATIO"), box("txtzr", cg, 11, 1, "RSCOPERATIO", true),
       label(cg, 0, 3, "GRATE TYPE"), list("cboType", cg, 0, 4, "GRATETYPE", 16, 2),
       label(cg, 1, 3, "% OF GRATE CLOGGED"), list("cboClog", cg, 1, 4, "GRATEPERCLOG"),
       label(cg, 2, 3, "GRATE OPENING PERIMETER"), box("txtPeri", cg, 2, 4, "GRATEPERI", true),
       unit("ftm", 8, cg, 2, 5, "ft"),
       label(cg, 3, 3, "GRATE OPENING AREA"), box("txtArea", cg, 3, 4, "GRATEAREA", true),
       unit("sfsm", 0, cg, 3, 5, "sf"),
       button("grate_help", cg, 4, 4, "DOVI GRATE TYPES...", 2),
       label(cg, 5, 3, "CURB OPTION"), list("cboCurb", cg, 5, 4, "CURBOPTION", 16, 2),
       label(cg, 6, 3, "HEIGHT OF CURB OPENING"), box("txthco", cg, 6, 4, "HEIGHTOFCURB", true),
       unit("inmm", 2, cg, 6, 5, "in"),
       label(cg, 7, 3, "THROAT TYPE"), list("cboThroat", cg, 7, 4, "THROATYPE", 16, 2),
       label(cg, 8, 3, "THROAT ANGLE"), box("txtAngle", cg, 8, 4, "THROATANGLE"), label(cg, 8, 5, "deg"),
       label(cg, 9, 3, "SLOT WIDTH"), box("txtslotw", cg, 9, 4, "SLOTWIDTH", true),
       unit("inmm", 3, cg, 9, 5, "in"),
       button("cmdsolve", cg, 11, 4, "SOLVE", 2)});

  // Tab 3: results, the flows on the right.
  const std::string rf = "Results_Frame";
  add({frame(rf, "Tab3", 0, 0, "Inlet Analysis Results"),
       label(rf, 0, 0, "SPREAD"), box("txtSpread", rf, 0, 1, "OPENSPREAD"), unit("ftm", 9, rf, 0, 2, "ft"),
       label(rf, 1, 0, "GUTTER SPREAD"), box("txtGutterSpread", rf, 1, 1, "GUTTERSPREAD"),
       unit("ftm", 10, rf, 1, 2, "ft"),
       label(rf, 2, 0, "GUTTER WIDTH / SPREAD (W/T)"), box("txtWT", rf, 2, 1, "WT"),
       label(rf, 3, 0, "GUTTER FLOW RATIO", "rlblflowratio"), box("txtEo", rf, 3, 1, "FLOWRATIO"),
       label(rf, 4, 0, "DEPRESSED SECTION CROSS SLOPE"), box("txtSpw", rf, 4, 1, "DEPXSLOPE"),
       unit("ftpftmpm", 3, rf, 4, 2, "ft/ft"),
       label(rf, 5, 0, "EQUIVALENT CROSS SLOPE"), box("txtSe", rf, 5, 1, "COMPXSLOPE"),
       unit("ftpftmpm", 4, rf, 5, 2, "ft/ft"),
       label(rf, 6, 0, "DEPTH AT CURB", "rlbldepth"), box("txtDepth", rf, 6, 1, "CURBDEPTH"),
       unit("inmm", 4, rf, 6, 2, "in"),
       label(rf, 7, 0, "VELOCITY"), box("txtV", rf, 7, 1, "FLOWVEL"), label(rf, 7, 2, "ft/sec", "ftpsecmpsec"),
       label(rf, 8, 0, "FRONTAL FLOW EFFICIENCY"), box("txtRf", rf, 8, 1, "FFLOWEFF"),
       label(rf, 9, 0, "SIDE FLOW EFFICIENCY"), box("txtRs", rf, 9, 1, "SFLOWEFF"),
       label(rf, 10, 0, "EFFICIENCY"), box("txtE", rf, 10, 1, "EFFICIENCY"),
       label(rf, 11, 0, "LENGTH FOR TOTAL INTERCEPTION"), box("txtlti", rf, 11, 1, "INTLEN"),
       unit("ftm", 11, rf, 11, 2, "ft"),
       label(rf, 12, 0, "FLOW TYPE"), box("txtResFlo", rf, 12, 1, "INLETPERF", false, 16),
       label(rf, 0, 3, "INTERCEPTED FLOW"), box("txtQi", rf, 0, 4, "QINT"), unit("cfscms", 5, rf, 0, 5, "cfs"),
       label(rf, 1, 3, "CARRYOVER FLOW"), box("txtQc", rf, 1, 4, "QCARRY"), unit("cfscms", 6, rf, 1, 5, "cfs"),
       label(rf, 2, 3, "INTERCEPTED BY CURB"), box("txtQic", rf, 2, 4, "QINTCURB"),
       unit("cfscms", 7, rf, 2, 5, "cfs"),
       label(rf, 3, 3, "INTERCEPTED BY GRATE"), box("txtQig", rf, 3, 4, "QINTGRATE"),
       unit("cfscms", 8, rf, 3, 5, "cfs"),
       label(rf, 4, 3, "DEPTH AT INLET"), box("txtdi", rf, 4, 4, "DEPTHATINLET"), unit("inmm", 5, rf, 4, 5, "in"),
       label(rf, 5, 3, "CURB OPENING WEIR LENGTH"), box("txtEPeri", rf, 5, 4, "EFFPERI"),
       unit("ftm", 12, rf, 5, 5, "ft"),
       label(rf, 6, 3, "EFFECTIVE GRATE PERIMETER"), box("txtRP", rf, 6, 4, "RPERI"), unit("ftm", 13, rf, 6, 5, "ft"),
       label(rf, 7, 3, "EFFECTIVE GRATE AREA"), box("txtRA", rf, 7, 4, "RAREA"), unit("sfsm", 1, rf, 7, 5, "sf"),
       label(rf, 8, 3, "EFFECTIVE SLOT LENGTH"), box("txtElength", rf, 8, 4, "EFFLEN"),
       unit("ftm", 14, rf, 8, 5, "ft"),
       label(rf, 9, 3, "FLOW AREA"), box("txtFA", rf, 9, 4, "FLOWAREA"), unit("sfsm", 2, rf, 9, 5, "sf"),
       label(rf, 10, 3, "WETTED PERIMETER"), box("txtWP", rf, 10, 4, "WETPERI"), unit("ftm", 15, rf, 10, 5, "ft"),
       label(rf, 11, 3, "HYDRAULIC RADIUS"), box("txtHydRad", rf, 11, 4, "HYDRAD"),
       unit("ftm", 16, rf, 11, 5, "ft"),
       label(rf, 12, 3, "DITCH BERM HEIGHT"), box("txtDSBH", rf, 12, 4, "DSBH"), unit("ftm", 17, rf, 12, 5, "ft")});
  return t;
}

}  // namespace

std::span<const ui::ControlSpec> inlet_form_table() {
  static const std::vector<Spec> table = make_table();
  return table;
}

std::string_view toolbar_button(int index) {
  return index >= 0 && index < static_cast<int>(kToolbar.size()) ? kToolbar[static_cast<std::size_t>(index)]
                                                                   : std::string_view{};
}

}  // namespace rg::inlet
