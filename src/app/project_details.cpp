#include "app/project_details.h"

#include "app/help_about.h"
#include "app/input_helpers.h"
#include "app/main_window.h"
#include "app/project_store.h"
#include "app/session.h"
#include "platform/db/connection.h"

namespace rg::app {

using ui::Buttons;
using ui::ControlKind;
using ui::Icon;
using ui::show_box;

namespace {
// The station and county a new project starts with.
constexpr const char* kDefaultStation = "Abingdon 3 S";
constexpr const char* kDefaultCounty = "Accomack";
}  // namespace

FrmProjectDetails::FrmProjectDetails(Session& session, std::string name, bool noaa)
    : ui::Form(std::move(name), "Project"), session_(session), noaa_(noaa) {}

void FrmProjectDetails::design() {
  auto& frame = add("Frame1", ControlKind::Frame);
  frame.set_caption("Project Details");
  int row = 0;
  auto box = [&](const char* name, const char* label, ControlKind kind = ControlKind::TextBox) -> ui::Control& {
    add_label(label, {&frame, row, 0});
    auto& c = add(name, kind, {&frame, row, 1});
    c.set_width_chars(30);
    ++row;
    return c;
  };
  box("project_id", "PROJECT ID");
  box("project_name", "PROJECT NAME");
  box("description", "DESCRIPTION");
  box("location", "LOCATION");
  box("county", "COUNTY", ControlKind::ComboBox);
  box("state", "STATE");
  auto& units = box("units", "UNITS", ControlKind::ComboBox);
  units.Change = [this, &units] { quillmere_libraries::validate_combo_entry(session_, units); };
  box("designer", "DESIGNED BY");
  if (noaa_) {
    box("noaa_station", "NOAA STATION", ControlKind::ComboBox);
    auto& help = add("cmdNOAAStationhelp", ControlKind::CommandButton, {&frame, row - 1, 2});
    help.set_caption("?");
    help.set_tooltip("NOAA Station Help");
    help.Click = [this] { quillmere_libraries::open_noaa_pfds_page(session_); };
    // Never shown: it only carries the release into the new row. Beside the ID,
    // so that its place costs no row of the frame.
    auto& release = add("major_release", ControlKind::TextBox, {&frame, 0, 2});
    release.set_width_chars(3);
    release.set_visible(false);
  }

  auto& file = add_menu("mnuprojfile", "&File");
  file.add("mnuprojsave", "&Save").Click = [this] { mnuprojsave_Click(); };
  file.add("mnuprojcancel", "&Cancel").Click = [this] { mnuprojcancel_Click(); };
  file.add("mnuprojexit", "&Exit").Click = [this] { unload(); };
  auto& help = add_menu("mnuprojhelp", "&Help");
  help.add("mnuprojsubhelp", "&Help", "F1").Click = [this] { quillmere_libraries::show_help(session_); };
  help.add("mnuprojabout", "&About Quillmere").Click = [this] {
    session_.desktop().show_modal(session_.form<FrmAbout>());
  };
}

void FrmProjectDetails::Form_Load() {
  try {
    db::fill_list(control("county"), session_.rainfall.county_rs.get(), "COUNTY_NAME");
    if (noaa_) db::fill_list(control("noaa_station"), session_.rainfall.station_rs.get(), "NOAA_STATION");
    auto& units = control("units");
    units.add_item("ENGLISH");
    units.add_item("METRIC");
    units.set_list_index(0);
    auto& state = control("state");
    state.set_text("VA");
    state.set_back_color(ui::kButtonFace);

    get_project_records();
    attach_project_datasource();
    dirty_ = false;

    if (session_.project.project_editing || records().record_count() >= 1) {
      menu("mnuprojcancel").set_enabled(true);
      std::vector<const char*> locked = {"project_id", "units", "county"};
      if (noaa_) locked.push_back("noaa_station");
      for (const char* name : locked) {
        auto& c = control(name);
        c.set_enabled(false);
        c.set_back_color(ui::kButtonFace);
      }
      session_.project.unit_system = units.text();
    } else {
      menu("mnuprojcancel").set_enabled(false);
      for (const char* name : {"project_id", "units"}) {
        auto& c = control(name);
        c.set_enabled(true);
        c.set_back_color(ui::kWindowBackground);
      }
      addnewproject();
    }
  } catch (const std::exception& e) {
    // Nothing to show: the dialog does not stay as if for a new project.
    show_box(session_.desktop(), e.what());
    unload();
    return;
  }
  // Said once; Save gives the same reason when it is tried.
  if (const std::string reason = quillmere_libraries::cannot_write_reason(session_); !reason.empty()) {
    show_box(session_.desktop(), "The project details are shown, but changes to them cannot be saved. " + reason,
             Buttons::OK, Icon::Exclamation);
  }
}

db::RecordSet& FrmProjectDetails::records() {
  if (!quillmereprojrs) throw db::Error(db::ErrorKind::NotOpen, "The project details are not loaded.");
  return *quillmereprojrs;
}

void FrmProjectDetails::get_project_records() {
  if (!session_.project.project_conn) throw db::Error(db::ErrorKind::NotOpen, "No project database is open.");
  auto rs = std::make_unique<db::RecordSet>();
  rs->on_will_change_record([this](db::Reason r) { quillmereprojrs_WillChangeRecord(r); });
  rs->open(*session_.project.project_conn, "SELECT * from PROJECT Order by PROJECT_ID", {},
           db::RecordSet::Mode::Updatable);
  // All or nothing: a load that fails leaves the open project's values as they
  // were. A field the file lacks keeps its value; the product name is the row's.
  ProjectCopies read = session_.project;
  read.open_project_product_name = "";
  if (rs->has_current_row()) {
    auto copy = [&rs](const char* field, std::string& global) {
      quillmere_libraries::copy_project_field(*rs, field, global);
    };
    copy("PROJECT_ID", read.open_project_id);
    copy("PROJECT_NAME", read.open_project_name);
    copy("COUNTY", read.open_project_county);
    if (noaa_) copy("NOAA_STATION", read.open_project_noaa_station);
    copy("STATE", read.open_project_state);
    copy("UNITS", read.unit_system);
    copy("DESIGNER", read.open_project_designer);
    copy("MAJOR_RELEASE", read.open_project_major_release);
    copy("PRODUCT_NAME", read.open_project_product_name);
  }
  quillmereprojrs = std::move(rs);
  static_cast<ProjectCopies&>(session_.project) = read;
}

void FrmProjectDetails::attach_project_datasource() {
  std::vector<std::pair<ui::Control*, std::string>> fields = {
      {&control("project_id"), "PROJECT_ID"}, {&control("project_name"), "PROJECT_NAME"},
      {&control("description"), "DESCRIPTION"}, {&control("location"), "LOCATION"},
      {&control("county"), "COUNTY"},         {&control("state"), "STATE"},
      {&control("units"), "UNITS"},           {&control("designer"), "DESIGNER"},
  };
  if (noaa_) {
    fields.push_back({&control("noaa_station"), "NOAA_STATION"});
    fields.push_back({&control("major_release"), "MAJOR_RELEASE"});
  }
  binding_.attach(records(), std::move(fields));
}

void FrmProjectDetails::addnewproject() {
  try {
    records().add_new();
    control("state").set_text("VA");
    control("units").set_text("ENGLISH");
    if (noaa_) {
      control("noaa_station").set_text(kDefaultStation);
      control("county").set_text(kDefaultCounty);
      control("major_release").set_text(kCurrentRelease);
    }
    session_.project.open_project_product_name = kProductName;
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
  }
}

void FrmProjectDetails::quillmereprojrs_WillChangeRecord(db::Reason reason) {
  if (reason == db::Reason::FirstChange) dirty_ = true;
}

void FrmProjectDetails::copy_boxes_to_globals() {
  session_.project.unit_system = control("units").text();
  session_.project.open_project_name = control("project_name").text();
  session_.project.open_project_county = control("county").text();
  session_.project.open_project_state = control("state").text();
  session_.project.open_project_id = control("project_id").text();
  session_.project.open_project_designer = control("designer").text();
  if (noaa_) {
    session_.project.open_project_noaa_station = control("noaa_station").text();
    session_.project.open_project_major_release = control("major_release").text();
  }
}

void FrmProjectDetails::mnuprojsave_Click() {
  ui::Desktop& desktop = session_.desktop();
  if (control("county").text().empty()) {
    show_box(desktop, "County Name is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (control("project_id").text().empty()) {
    show_box(desktop, "Project ID is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (control("units").text().empty()) {
    show_box(desktop, "Units is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (const std::string reason = quillmere_libraries::cannot_write_reason(session_); !reason.empty()) {
    show_box(desktop, "The project details are not saved. " + reason, Buttons::OK, Icon::Exclamation);
    return;
  }
  try {
    if (noaa_) {
      records().set_value("NOAA_STATION", control("noaa_station").text());
      records().set_value("COUNTY", control("county").text());
    }
    if (records().edit_mode() != db::EditMode::None) records().update();
    // Only a stored row reaches the globals.
    copy_boxes_to_globals();
    if (auto* status = session_.form<FrmSoftwareMain>().status_bar()) {
      status->set_panel_text(2, "UNITS: " + session_.project.unit_system);
    }
    dirty_ = false;
    show_box(desktop, "Project Details are Saved!", Buttons::OK, Icon::Information);
    session_.project.project_editing = true;
    unload();
  } catch (const std::exception& e) {
    show_box(desktop, e.what());
  }
}

void FrmProjectDetails::mnuprojcancel_Click() {
  send_tab();
  try {
    records().cancel_update();
  } catch (const std::exception&) {
  }
  try {
    records().requery();
    records().move_first();
  } catch (const std::exception&) {
  }
  show_box(session_.desktop(), "Update Cancelled");
  dirty_ = false;
}

void FrmProjectDetails::release_controls() {
  binding_.clear();
  quillmereprojrs.reset();
}

void FrmProjectDetails::Form_Unload(bool& cancel) {
  try {
    send_tab();
    if (!dirty_) return;
    if (show_box(session_.desktop(), "Exit without saving? ", Buttons::YesNo, Icon::Exclamation) == ui::Answer::Yes) {
      mnuprojcancel_Click();
    } else {
      cancel = true;
    }
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
  }
}

}  // namespace rg::app
