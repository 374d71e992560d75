#include "app/project_details.h"

#include "app/help_about.h"
#include "app/input_helpers.h"
#include "app/listed_name_box.h"
#include "app/main_window.h"
#include "app/project_store.h"
#include "app/session.h"
#include "platform/db/binding.h"
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
constexpr int kBoxChars = 30;

// Each detail is a caption in the frame's first column and its box beside it.
const ui::ControlSpec kDetails[] = {
    {.name = "Frame1", .kind = ControlKind::Frame, .caption = "Project Details"},
    {.container = "Frame1", .row = 0, .caption = "PROJECT ID"},
    {.name = "project_id", .kind = ControlKind::TextBox, .container = "Frame1", .row = 0, .col = 1,
     .width_chars = kBoxChars, .field = "PROJECT_ID"},
    {.container = "Frame1", .row = 1, .caption = "PROJECT NAME"},
    {.name = "project_name", .kind = ControlKind::TextBox, .container = "Frame1", .row = 1, .col = 1,
     .width_chars = kBoxChars, .field = "PROJECT_NAME"},
    {.container = "Frame1", .row = 2, .caption = "DESCRIPTION"},
    {.name = "description", .kind = ControlKind::TextBox, .container = "Frame1", .row = 2, .col = 1,
     .width_chars = kBoxChars, .field = "DESCRIPTION"},
    {.container = "Frame1", .row = 3, .caption = "LOCATION"},
    {.name = "location", .kind = ControlKind::TextBox, .container = "Frame1", .row = 3, .col = 1,
     .width_chars = kBoxChars, .field = "LOCATION"},
    {.container = "Frame1", .row = 4, .caption = "COUNTY"},
    {.name = "county", .kind = ControlKind::ComboBox, .container = "Frame1", .row = 4, .col = 1,
     .width_chars = kBoxChars, .field = "COUNTY"},
    {.container = "Frame1", .row = 5, .caption = "STATE"},
    {.name = "state", .kind = ControlKind::TextBox, .container = "Frame1", .row = 5, .col = 1,
     .width_chars = kBoxChars, .field = "STATE"},
    {.container = "Frame1", .row = 6, .caption = "UNITS"},
    {.name = "units", .kind = ControlKind::ComboBox, .container = "Frame1", .row = 6, .col = 1,
     .width_chars = kBoxChars, .items = {"ENGLISH", "METRIC"}, .field = "UNITS"},
    {.container = "Frame1", .row = 7, .caption = "DESIGNED BY"},
    {.name = "designer", .kind = ControlKind::TextBox, .container = "Frame1", .row = 7, .col = 1,
     .width_chars = kBoxChars, .field = "DESIGNER"},
};

// What the dialog of a current project has beyond the older one's.
const ui::ControlSpec kNoaaDetails[] = {
    {.container = "Frame1", .row = 8, .caption = "NOAA STATION"},
    {.name = "noaa_station", .kind = ControlKind::ComboBox, .container = "Frame1", .row = 8, .col = 1,
     .width_chars = kBoxChars, .field = "NOAA_STATION"},
    {.name = "cmdNOAAStationhelp", .kind = ControlKind::CommandButton, .container = "Frame1", .row = 8, .col = 2,
     .caption = "?"},
    // Never shown: it only carries the release into the new row. Beside the ID,
    // so that its place costs no row of the frame.
    {.name = "major_release", .kind = ControlKind::TextBox, .container = "Frame1", .row = 0, .col = 2,
     .width_chars = 3, .field = "MAJOR_RELEASE"},
};
}  // namespace

// The binding is declared after the row set and the controls it points at
// outlive both, so everything lets go in a safe order.
struct FrmProjectDetails::Showing : ui::ShowingBase {
  Showing(FrmProjectDetails& form, quillmere_libraries::BoundFields bound)
      : project_id(form.control("project_id")),
        project_name(form.control("project_name")),
        county(form.control("county")),
        state(form.control("state")),
        units(form.control("units")),
        designer(form.control("designer")),
        noaa_station(form.find("noaa_station")),
        major_release(form.find("major_release")),
        fields(std::move(bound)) {
    quillmereprojrs.on_will_change_record([&form](db::Reason r) { form.quillmereprojrs_WillChangeRecord(r); });
  }
  ui::Control& project_id;
  ui::Control& project_name;
  ui::Control& county;
  ui::Control& state;
  ui::Control& units;
  ui::Control& designer;
  ui::Control* noaa_station;   // null on the older project's dialog
  ui::Control* major_release;  // null on the older project's dialog
  quillmere_libraries::BoundFields fields;
  db::RecordSet quillmereprojrs;
  db::Binding binding;
};

FrmProjectDetails::FrmProjectDetails(Session& session, std::string name, bool noaa)
    : ui::Form(std::move(name), "Project"), session_(session), noaa_(noaa) {}

FrmProjectDetails::Showing& FrmProjectDetails::shown() const { return showing<Showing>(); }

void FrmProjectDetails::design() {
  add_controls(kDetails);
  auto bound = quillmere_libraries::wire_declared_controls(session_, *this, kDetails);
  if (noaa_) {
    add_controls(kNoaaDetails);
    auto more = quillmere_libraries::wire_declared_controls(session_, *this, kNoaaDetails);
    bound.insert(bound.end(), more.begin(), more.end());
  }
  auto& s = emplace_showing<Showing>(*this, std::move(bound));
  // Completed as the user types, and a beginning left after a deletion when
  // the box is left.
  s.units.Change = [this, &units = s.units] { quillmere_libraries::validate_combo_entry(session_, units); };
  s.units.Validate = [this, &units = s.units](bool& cancel) {
    cancel = quillmere_libraries::validate_combo_entry(session_, units) != 0;
  };
  s.county.LostFocus = [&county = s.county] { complete_listed_name(county, kCountyNames); };
  if (noaa_) {
    s.noaa_station->LostFocus = [&station = *s.noaa_station] { complete_listed_name(station, kStationNames); };
    auto& help = control("cmdNOAAStationhelp");
    help.set_tooltip("NOAA Station Help");
    help.Click = [this] { quillmere_libraries::open_noaa_pfds_page(session_); };
    s.major_release->set_visible(false);
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
  Showing& s = shown();
  try {
    db::fill_list(s.county, session_.rainfall.county_rs.get(), "COUNTY_NAME");
    if (noaa_) db::fill_list(*s.noaa_station, session_.rainfall.station_rs.get(), "NOAA_STATION");
    s.units.set_list_index(0);
    s.state.set_text("VA");
    // The rainfall data are this state's alone: the box shows it and takes no typing.
    s.state.set_back_color(ui::kButtonFace);
    s.state.set_locked(true);

    get_project_records();
    attach_project_datasource();
    dirty_ = false;

    if (session_.project.project_editing || records().record_count() >= 1) {
      menu("mnuprojcancel").set_enabled(true);
      std::vector<ui::Control*> locked = {&s.project_id, &s.units};
      // A stored county or station the list lacks serves no rainfall look-up: it is chosen again.
      if (holds_listed_name(s.county, kCountyNames)) locked.push_back(&s.county);
      if (noaa_ && holds_listed_name(*s.noaa_station, kStationNames)) locked.push_back(s.noaa_station);
      for (ui::Control* c : locked) {
        c->set_enabled(false);
        c->set_back_color(ui::kButtonFace);
      }
      session_.project.unit_system = s.units.text();
    } else {
      menu("mnuprojcancel").set_enabled(false);
      for (ui::Control* c : {&s.project_id, &s.units}) {
        c->set_enabled(true);
        c->set_back_color(ui::kWindowBackground);
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
  db::RecordSet& rs = shown().quillmereprojrs;
  if (!rs.is_open()) throw db::Error(db::ErrorKind::NotOpen, "The project details are not loaded.");
  return rs;
}

void FrmProjectDetails::get_project_records() {
  db::RecordSet& rs = shown().quillmereprojrs;
  quillmere_libraries::open_project_records(session_, rs);
  // All or nothing: a load that fails leaves the open project's values as they
  // were. A field the file lacks keeps its value; the product name is the row's.
  ProjectCopies read = session_.project;
  read.open_project_product_name = "";
  if (rs.has_current_row()) {
    auto copy = [&rs](const char* field, std::string& global) {
      quillmere_libraries::copy_project_field(rs, field, global);
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
  static_cast<ProjectCopies&>(session_.project) = read;
}

void FrmProjectDetails::attach_project_datasource() {
  Showing& s = shown();
  s.binding.attach(records(), s.fields);
}

void FrmProjectDetails::addnewproject() {
  try {
    records().add_new();
    Showing& s = shown();
    s.state.set_text("VA");
    s.units.set_text("ENGLISH");
    if (noaa_) {
      s.noaa_station->set_text(kDefaultStation);
      s.county.set_text(kDefaultCounty);
      s.major_release->set_text(kCurrentRelease);
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
  const Showing& s = shown();
  session_.project.unit_system = s.units.text();
  session_.project.open_project_name = s.project_name.text();
  session_.project.open_project_county = s.county.text();
  session_.project.open_project_state = s.state.text();
  session_.project.open_project_id = s.project_id.text();
  session_.project.open_project_designer = s.designer.text();
  if (noaa_) {
    session_.project.open_project_noaa_station = s.noaa_station->text();
    session_.project.open_project_major_release = s.major_release->text();
  }
}

void FrmProjectDetails::mnuprojsave_Click() {
  ui::Desktop& desktop = session_.desktop();
  const Showing& s = shown();
  // Never a partial word stored, though the box still has the focus.
  if (quillmere_libraries::validate_combo_entry(session_, s.units) != 0) return;
  if (s.county.text().empty()) {
    show_box(desktop, "County Name is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (s.project_id.text().empty()) {
    show_box(desktop, "Project ID is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (s.units.text().empty()) {
    show_box(desktop, "Units is a Required Field!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (!check_listed_name(session_, s.county, kCountyNames)) return;
  if (noaa_ && !check_listed_name(session_, *s.noaa_station, kStationNames)) return;
  if (const std::string reason = quillmere_libraries::cannot_write_reason(session_); !reason.empty()) {
    show_box(desktop, "The project details are not saved. " + reason, Buttons::OK, Icon::Exclamation);
    return;
  }
  try {
    if (noaa_) {
      records().set_value("NOAA_STATION", s.noaa_station->text());
      records().set_value("COUNTY", s.county.text());
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

// Every edit of a bound box is in the row already: nothing needs the focused
// box left (and judged or completed) before its changes are dropped.
void FrmProjectDetails::mnuprojcancel_Click() {
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

void FrmProjectDetails::Form_Unload(bool& cancel) {
  try {
    if (!dirty_) return;
    if (show_box(session_.desktop(), "Exit without saving? ", Buttons::YesNo, Icon::Exclamation, {}, false,
                 ui::Answer::No) == ui::Answer::Yes) {
      mnuprojcancel_Click();
    } else {
      cancel = true;
    }
  } catch (const std::exception& e) {
    show_box(session_.desktop(), e.what());
  }
}

}  // namespace rg::app
