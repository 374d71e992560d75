#pragma once
// Forms built like the program's own windows, for the front end's tests: a
// dialog with menus, a frame of labelled boxes, lists, option buttons, a check
// box and buttons; a form with a tab control; a list of inlets in a grid. Like
// the program's forms they build their controls in design(), afresh at each
// load after an unload; their control pointers follow.

#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace rg::qt::testing {

class DialogProbe : public ui::Form {
 public:
  DialogProbe() : Form("frmDialogProbe", "Project") { design(); }
  ui::Menu* save;
  ui::Control *details, *id, *name, *description, *county, *units, *station, *station_help;
  ui::Control *method, *rational, *table, *keep, *buttons, *ok, *cancel;

 protected:
  void design() override {
    ui::Menu& file = add_menu("mnuFile", "&File");
    save = &file.add("mnuSave", "&Save");
    file.add("mnuExit", "&Exit");
    ui::Menu& help = add_menu("mnuHelp", "&Help");
    help.add("mnuHelpEntry", "&Help", "F1");

    details = &add("Frame1", ui::ControlKind::Frame, {nullptr, 0, 0, 1, 2});
    details->set_caption("Project Details");
    int row = 0;
    auto box = [&](const std::string& label, const std::string& name, ui::ControlKind kind, int chars) {
      add_label(label, {details, row, 0});
      ui::Control& c = add(name, kind, {details, row, 1});
      c.set_width_chars(chars);
      ++row;
      return &c;
    };
    id = box("PROJECT ID", "project_id", ui::ControlKind::TextBox, 12);
    name = box("PROJECT NAME", "project_name", ui::ControlKind::TextBox, 36);
    description = box("DESCRIPTION", "description", ui::ControlKind::TextBox, 36);
    county = box("COUNTY", "county", ui::ControlKind::ComboBox, 0);
    county->set_items({"Accomack", "Albemarle", "Alleghany", "Amelia", "Isle of Wight", "King and Queen"});
    units = box("UNITS", "units", ui::ControlKind::ComboBox, 0);
    units->set_pick_only(true);
    units->set_items({"ENGLISH", "METRIC"});
    units->set_list_index(0);
    station = box("NOAA STATION", "noaa_station", ui::ControlKind::ComboBox, 0);
    station->set_items({"Abingdon 3 S", "Newport  2 NNW", "Stuart's Draft", "Blacksburg  "});
    station_help = &add("cmdStationHelp", ui::ControlKind::CommandButton, {details, row - 1, 2});
    station_help->set_caption("?");
    station_help->set_tooltip("Station Help");

    method = &add("Frame2", ui::ControlKind::Frame, {nullptr, 1, 0});
    method->set_caption("Method");
    rational = &add("optRational", ui::ControlKind::OptionButton, {method, 0, 0});
    rational->set_caption("&Rational method");
    table = &add("optTable", ui::ControlKind::OptionButton, {method, 1, 0});
    table->set_caption("&Table");
    keep = &add("chkKeep", ui::ControlKind::CheckBox, {nullptr, 1, 1});
    keep->set_caption("&Keep the values after saving");

    buttons = &add("Frame3", ui::ControlKind::Frame, {nullptr, 2, 0, 1, 2});
    ok = &add("cmdOK", ui::ControlKind::CommandButton, {buttons, 0, 1});
    ok->set_caption("OK");
    cancel = &add("cmdCancel", ui::ControlKind::CommandButton, {buttons, 0, 2});
    cancel->set_caption("Cancel");
  }
};

class TabsProbe : public ui::Form {
 public:
  TabsProbe() : Form("frmTabsProbe", "Inlet") { design(); }
  ui::Control *tabs, *geometry, *flow, *results, *length, *width, *runoff, *area, *messages, *notes, *close_button;

 protected:
  void design() override {
    tabs = &add("SSTab1", ui::ControlKind::TabControl, {nullptr, 0, 0, 1, 2});
    geometry = &add("Page0", ui::ControlKind::TabPage, {tabs, 0, 0});
    geometry->set_caption("Geometry");
    flow = &add("Page1", ui::ControlKind::TabPage, {tabs, 0, 1});
    flow->set_caption("Flow Data");
    results = &add("Page2", ui::ControlKind::TabPage, {tabs, 0, 2});
    results->set_caption("Results");
    add_label("Inlet length (ft)", {geometry, 0, 0});
    length = &add("txtLength", ui::ControlKind::TextBox, {geometry, 0, 1});
    length->set_width_chars(10);
    add_label("Gutter width (ft)", {geometry, 1, 0});
    width = &add("txtWidth", ui::ControlKind::TextBox, {geometry, 1, 1});
    width->set_width_chars(10);
    add_label("Runoff coefficient", {flow, 0, 0});
    runoff = &add("txtRunoff", ui::ControlKind::TextBox, {flow, 0, 1});
    add_label("Drainage area (ac)", {flow, 1, 0});
    area = &add("txtArea", ui::ControlKind::TextBox, {flow, 1, 1});
    messages = &add("lstMessages", ui::ControlKind::ListBox, {results, 0, 0});
    messages->set_items({"Spread within the allowed width", "Bypass flow 0.12 cfs"});
    notes = &add("txtNotes", ui::ControlKind::TextBox, {results, 1, 0});
    notes->set_multiline(true);
    notes->set_width_chars(40);
    close_button = &add("cmdClose", ui::ControlKind::CommandButton, {nullptr, 1, 1});
    close_button->set_caption("&Close");
  }
};

// A list of inlets: a count, a grid with a header row and one row per inlet,
// and a button.
class GridProbe : public ui::Form {
 public:
  explicit GridProbe(int inlets = 30) : Form("frmGridProbe", "Ravelgrit"), inlets_(inlets) { design(); }
  ui::Control *count, *grid, *refresh;

 protected:
  void design() override {
    add_label("Total Number of Inlets in the Project Database:", {nullptr, 0, 0});
    count = &add("Text1", ui::ControlKind::TextBox, {nullptr, 0, 1});
    count->set_width_chars(6);
    count->set_text(std::to_string(inlets_));
    grid = &add("inletflex", ui::ControlKind::Grid, {nullptr, 1, 0, 1, 3});
    std::vector<std::vector<std::string>> cells = {{"INLET_ID", "STATION", "OFFSET", "TYPE", "LOCATION", "INLET STD",
                                                    "LENGTH", "PRE-INLET1", "PRE-INLET2", "DISCHARGE"}};
    for (int i = 1; i <= inlets_; ++i) {
      const std::string n = std::to_string(i);
      cells.push_back({"IN-" + n, n + "+00", "12.000", i % 2 ? "GRATE" : "CURB", i % 3 ? "ON GRADE" : "SAG",
                       "DI-3B", "6.000", i > 1 ? "IN-" + std::to_string(i - 1) : "", "", "1.25" + n});
    }
    grid->set_grid(std::move(cells));
    for (int c = 0; c < grid->cols(); ++c) grid->set_col_width(c, 11);
    refresh = &add("cmdflexrefreshinlet", ui::ControlKind::CommandButton, {nullptr, 2, 2});
    refresh->set_caption("Refresh");
  }

 private:
  int inlets_;
};

}  // namespace rg::qt::testing
