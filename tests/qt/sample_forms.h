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

using Kind = ui::ControlKind;

inline ui::Control* with_caption(ui::Control& c, const std::string& caption) {
  c.set_caption(caption);
  return &c;
}

class DialogProbe : public ui::Form {
 public:
  DialogProbe() : Form("frmDialogProbe", "Project") { design(); }
  ui::Menu* save;
  ui::Control *id, *name, *description, *county, *units, *rational, *table, *keep, *ok, *cancel;

 protected:
  void design() override {
    save = &add_menu("mnuFile", "&File").add("mnuSave", "&Save");
    add_menu("mnuHelp", "&Help").add("mnuHelpEntry", "&Help", "F1");
    ui::Control* details = &add("Frame1", Kind::Frame, {nullptr, 0, 0, 1, 2});
    int row = 0;
    auto box = [&](const std::string& label, const std::string& name, Kind kind, int chars) {
      add_label(label, {details, row, 0});
      ui::Control& c = add(name, kind, {details, row++, 1});
      c.set_width_chars(chars);
      return &c;
    };
    id = box("PROJECT ID", "project_id", Kind::TextBox, 12);
    name = box("PROJECT NAME", "project_name", Kind::TextBox, 36);
    description = box("DESCRIPTION", "description", Kind::TextBox, 36);
    county = box("COUNTY", "county", Kind::ComboBox, 0);
    county->set_items({"Accomack", "Albemarle", "Alleghany", "Amelia", "Isle of Wight", "King and Queen"});
    units = box("UNITS", "units", Kind::ComboBox, 0);
    units->set_pick_only(true);
    units->set_items({"ENGLISH", "METRIC"});
    ui::Control* method = &add("Frame2", Kind::Frame, {nullptr, 1, 0});
    rational = with_caption(add("optRational", Kind::OptionButton, {method, 0, 0}), "&Rational method");
    table = with_caption(add("optTable", Kind::OptionButton, {method, 1, 0}), "&Table");
    keep = with_caption(add("chkKeep", Kind::CheckBox, {nullptr, 1, 1}), "&Keep the values after saving");
    ok = with_caption(add("cmdOK", Kind::CommandButton, {nullptr, 2, 0}), "OK");
    cancel = with_caption(add("cmdCancel", Kind::CommandButton, {nullptr, 2, 1}), "Cancel");
  }
};

class TabsProbe : public ui::Form {
 public:
  TabsProbe() : Form("frmTabsProbe", "Inlet") { design(); }
  ui::Control *tabs, *results, *messages, *notes, *close_button;

 protected:
  void design() override {
    tabs = &add("SSTab1", Kind::TabControl, {nullptr, 0, 0, 1, 2});
    const char* pages[] = {"Geometry", "Flow Data", "Results"};
    for (int i = 0; i < 3; ++i) with_caption(add("Page" + std::to_string(i), Kind::TabPage, {tabs, 0, i}), pages[i]);
    results = &control("Page2");
    add_label("Inlet length (ft)", {&control("Page0"), 0, 0});
    add("txtLength", Kind::TextBox, {&control("Page0"), 0, 1});
    add_label("Drainage area (ac)", {&control("Page1"), 0, 0});
    add("txtArea", Kind::TextBox, {&control("Page1"), 0, 1});
    messages = &add("lstMessages", Kind::ListBox, {results, 0, 0});
    messages->set_items({"Spread within the allowed width", "Bypass flow 0.12 cfs"});
    notes = &add("txtNotes", Kind::TextBox, {results, 1, 0});
    notes->set_multiline(true);
    close_button = with_caption(add("cmdClose", Kind::CommandButton, {nullptr, 1, 1}), "&Close");
  }
};

// A list of inlets: a grid with a header row and one row per inlet.
class GridProbe : public ui::Form {
 public:
  GridProbe() : Form("frmGridProbe", "Ravelgrit") { design(); }
  ui::Control* grid;

 protected:
  void design() override {
    grid = &add("inletflex", Kind::Grid, {nullptr, 0, 0});
    std::vector<std::vector<std::string>> cells = {{"INLET_ID", "STATION", "OFFSET", "TYPE", "LOCATION"}};
    for (int i = 1; i <= 30; ++i) {
      const std::string n = std::to_string(i);
      cells.push_back({"IN-" + n, n + "+00", "12.000", i % 2 ? "GRATE" : "CURB", i % 3 ? "ON GRADE" : "SAG"});
    }
    grid->set_grid(std::move(cells));
  }
};

}  // namespace rg::qt::testing
