#pragma once
// Forms built like the program's own windows, for the front end's tests: a main
// window with menus, a status bar and a backdrop picture; a dialog with a frame
// of labelled boxes, lists, option buttons, a check box and buttons; a form with
// a tab control. Like the program's forms they build their controls in design(),
// afresh at each load after an unload; their control pointers follow.

#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace rg::qt::testing {

inline ui::Drawing inlet_logo() {
  using ui::Shape;
  ui::Drawing d;
  d.width = 640;
  d.height = 400;
  d.background = 0xE8EEF4;
  auto shape = [&d](Shape::Type t, std::vector<std::pair<double, double>> pts, std::uint32_t fill, bool filled) {
    Shape s;
    s.type = t;
    s.points = std::move(pts);
    s.fill = fill;
    s.filled = filled;
    s.pen = 0x33475B;
    s.pen_width = 2;
    d.shapes.push_back(s);
  };
  shape(Shape::Type::Polygon, {{0, 250}, {640, 220}, {640, 400}, {0, 400}}, 0x8C8C8C, true);  // roadway
  shape(Shape::Type::Rect, {{260, 232}, {380, 262}}, 0x2F2F2F, true);                          // grate
  for (int x = 270; x < 380; x += 14) shape(Shape::Type::Line, {{double(x), 234}, {double(x), 260}}, 0, false);
  Shape title;
  title.type = Shape::Type::Text;
  title.points = {{40, 60}};
  title.text = "Ravelgrit";
  title.text_size = 56;
  title.bold = true;
  title.pen = 0x1F3A5F;
  d.shapes.push_back(title);
  return d;
}

class MainProbe : public ui::Form {
 public:
  MainProbe() : Form("frmMainProbe", "Ravelgrit", ui::FormKind::MainWindow) { design(); }
  ui::Control* picture;
  ui::Menu *create, *open, *update, *close, *exit, *inlet, *help_entry, *about;

 protected:
  void design() override {
    picture = &add("Picture1", ui::ControlKind::Picture);
    picture->set_drawing(inlet_logo());
    ui::Menu& file = add_menu("mnuFile", "&File");
    create = &file.add("mnucreateProj", "&Create New Project");
    open = &file.add("mnuopenProj", "&Open Project");
    file.add_separator();
    update = &file.add("mnuupdateProj", "&Update Project Details");
    close = &file.add("mnucloseProj", "Close Project");
    file.add_separator();
    exit = &file.add("mnuexit", "E&xit", "Ctrl+X");
    ui::Menu& design = add_menu("mnuDesign", "&Design");
    inlet = &design.add("mnuInlet", "&Ravelgrit");
    ui::Menu& help = add_menu("mnuHelp", "&Help");
    help_entry = &help.add("mnusubHelp", "&Help", "F1");
    about = &help.add("mnuabout", "&About");
    ui::StatusBar& bar = add_status_bar();
    bar.add_panel(ui::StatusBar::PanelStyle::Text, 40);
    bar.add_panel(ui::StatusBar::PanelStyle::Text, 18);
    bar.add_panel(ui::StatusBar::PanelStyle::Date, 10);
    bar.add_panel(ui::StatusBar::PanelStyle::Time, 8);
    update->set_enabled(false);
    close->set_enabled(false);
  }
};

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

}  // namespace rg::qt::testing
