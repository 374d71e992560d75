#include "app/main_window.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/artwork.h"
#include "app/file_choice.h"
#include "app/help_about.h"
#include "app/project_details.h"
#include "app/project_store.h"
#include "app/project_update.h"
#include "app/session.h"
#include "platform/db/error.h"

namespace rg::app {

namespace fs = std::filesystem;
using ui::Buttons;
using ui::Icon;
using ui::show_box;

void Main(Session& session) {
  ui::Desktop& desktop = session.desktop();
  auto& splash = session.form<FrmQuillmereSplash>();
  desktop.show(splash);
  desktop.refresh(splash);
  desktop.wait(3.0);
  splash.unload();
  desktop.show(session.form<FrmSoftwareMain>());
}

// --- Splash ---------------------------------------------------------------------

FrmQuillmereSplash::FrmQuillmereSplash(Session&) : ui::Form("frmQuillmereSplash", "Ravelgrit", ui::FormKind::Splash) {}

void FrmQuillmereSplash::design() {
  using ui::ControlKind;
  auto& frame = add("Frame1", ControlKind::Frame);
  add("imgLogo", ControlKind::Picture, {&frame, 0, 0, 4, 1}).set_drawing(inlet_logo());
  add("lblProductName", ControlKind::Label, {&frame, 0, 1}).set_caption("Ravelgrit");
  add("lblVersion", ControlKind::Label, {&frame, 1, 1}).set_caption(kProductVersion);
  add("lblPurpose", ControlKind::Label, {&frame, 2, 1})
      .set_caption("Hydraulic design of storm-drain inlets on roadways");
  add("lblNotice", ControlKind::Label, {&frame, 3, 1}).set_caption("Starting, please wait...");
  frame.Click = [this] { unload(); };
  KeyPress = [this](int&) { unload(); };
}

// --- Main window -------------------------------------------------------------------

FrmSoftwareMain::FrmSoftwareMain(Session& session)
    : ui::Form("frmsoftwaremain", "Ravelgrit", ui::FormKind::MainWindow), session_(session) {
  // The reports of the inlet list ask for their names in this dialog too.
  session_.services.file_dialog = [this]() -> ui::FileDialog& { return printDlg; };
}

void FrmSoftwareMain::design() {
  add("Picture1", ui::ControlKind::Picture).set_drawing(main_backdrop());

  auto& file = add_menu("mnuFile", "&File");
  file.add("mnucreateProj", "&Create New Project").Click = [this] { mnucreateProj_Click(); };
  file.add("mnuopenProj", "&Open Project").Click = [this] { mnuopenProj_Click(); };
  file.add_separator();
  auto& update = file.add("mnuupdateProj", "&Update Project Details");
  update.Click = [this] { mnuupdateProj_Click(); };
  update.set_enabled(false);
  file.add("mnucloseProj", "Close Project").Click = [this] { mnucloseProj_Click(); };
  file.add_separator();
  file.add("mnuexit", "E&xit", "Ctrl+X").Click = [this] { mnuexit_Click(); };

  add_menu("mnuDesign", "&Design").add("mnuInlet", "&Ravelgrit").Click = [this] { mnuInlet_Click(); };

  auto& help = add_menu("mnuHelp", "&Help");
  help.add("mnusubHelp", "&Help", "F1").Click = [this] { quillmere_libraries::show_help(session_); };
  help.add("mnuabout", "About Quillmere").Click = [this] {
    session_.desktop().show_modal(session_.form<FrmAbout>());
  };

  auto& status = add_status_bar();
  status.add_panel(ui::StatusBar::PanelStyle::Text, 40);
  status.add_panel(ui::StatusBar::PanelStyle::Text, 16);
  status.add_panel(ui::StatusBar::PanelStyle::Date, 10);
  status.add_panel(ui::StatusBar::PanelStyle::Time, 8);
}

void FrmSoftwareMain::Form_Load() {
  box_title = kMainBoxTitle;
  session_.handover.last_dir = "";
  session_.project.open_project_major_release = "";
  session_.project.open_project_product_name = "";
  menu("mnucloseProj").set_enabled(false);
  session_.project.shared_project = false;
}

void FrmSoftwareMain::set_project_menus(bool create_open, bool update, bool close) {
  menu("mnucreateProj").set_enabled(create_open);
  menu("mnuopenProj").set_enabled(create_open);
  menu("mnuupdateProj").set_enabled(update);
  menu("mnucloseProj").set_enabled(close);
}

void FrmSoftwareMain::set_panel(int panel, std::string text) { status_bar()->set_panel_text(panel, std::move(text)); }

void FrmSoftwareMain::show_error(const std::string& description) {
  show_box(session_.desktop(), description, Buttons::OK, Icon::Exclamation, {}, true);
}

std::string FrmSoftwareMain::initial_dir() const {
  return session_.handover.last_dir.empty() ? session_.program_dir().string() : session_.handover.last_dir;
}

namespace {

std::string folder_of(const std::string& path) { return fs::path(path).parent_path().string(); }
std::string name_of(const std::string& path) { return fs::path(path).filename().string(); }

bool holds_shared_marker(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
  return path.find("qmp") != std::string::npos;
}

}  // namespace

void FrmSoftwareMain::mnucreateProj_Click() {
  ui::Desktop& desktop = session_.desktop();
  try {
    session_.project.shared_project = false;
    session_.project.project_db_path = "";
    printDlg.FileName = "";
    const fs::path template_path = session_.program_file(kTemplateFile);
    printDlg.Filter = kProjectFilter;
    printDlg.InitDir = initial_dir();
    printDlg.DialogTitle = "Enter New Project Database File Name";
    printDlg.ShowSave(desktop);
    const auto chosen = chosen_file(printDlg.FileName, kProjectExtension);
    if (!chosen) {
      show_box(desktop, "No project database selected!", Buttons::OK, Icon::Exclamation, box_title);
      return;
    }
    session_.project.project_db_path = chosen->string();
    std::error_code ec;
    if (fs::exists(session_.project.project_db_path, ec)) {
      // One Enter must not replace a project with an empty one.
      if (show_box(desktop, "File Already Exists!   Overwrite?", Buttons::YesNo, Icon::Exclamation, {}, false,
                   ui::Answer::No) != ui::Answer::Yes) {
        return;
      }
    }
    fs::copy_file(template_path, session_.project.project_db_path, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      throw ui::Error("The project template \"" + template_path.string() + "\" could not be copied to \"" +
                      session_.project.project_db_path + "\": " + ec.message());
    }
    session_.handover.last_dir = folder_of(session_.project.project_db_path);
    const std::string shown_name = name_of(session_.project.project_db_path);
    session_.project.project_editing = false;
    set_pointer(ui::MousePointer::Hourglass);
    show_box(desktop, "New Project Database has been created.  Please Add Project Details", Buttons::OK,
             Icon::Information, box_title);
    quillmere_libraries::open_noaa_lists(session_);
    if (!quillmere_libraries::open_project_connection(session_)) {
      // Without its connection the new file cannot take details: nothing is open.
      set_pointer(ui::MousePointer::Default);
      session_.project.project_db_path = "";
      return;
    }
    desktop.show_modal(session_.form<FrmProjectNOAA>());
    set_pointer(ui::MousePointer::Default);
    set_panel(1, "Project Database - " + shown_name);
    set_project_menus(false, true, true);
  } catch (const std::exception& e) {
    show_error(e.what());
  }
}

void FrmSoftwareMain::mnuopenProj_Click() {
  ui::Desktop& desktop = session_.desktop();
  try {
    session_.project.project_db_path = "";
    printDlg.FileName = "";
    printDlg.CancelError = true;
    printDlg.Flags = ui::FileDialog::kFileMustExist;
    printDlg.DialogTitle = "Open";
    printDlg.Filter = kProjectFilter;
    printDlg.InitDir = initial_dir();
    printDlg.ShowOpen(desktop);
    session_.project.project_db_path = printDlg.FileName;
    if (session_.project.project_db_path.empty()) {
      show_box(desktop, "No project database selected!", Buttons::OK, Icon::Exclamation, box_title);
      return;
    }
    session_.handover.last_dir = folder_of(session_.project.project_db_path);
    session_.project.shared_project = holds_shared_marker(session_.project.project_db_path);
    const std::string shown_name = name_of(session_.project.project_db_path);
    const std::string panel1_before = status_bar()->panel(1).text;
    set_panel(1, "Opening Project Database.  Please wait...");
    set_pointer(ui::MousePointer::Hourglass);

    // Not a whole project file, or its details cannot be read now: nothing is
    // open, nothing of the file is kept, and the window is as before Open.
    if (!quillmere_libraries::open_project_connection(session_) ||
        !quillmere_libraries::load_project_record(session_)) {
      quillmere_libraries::close_project(session_);
      set_panel(1, panel1_before);
      set_pointer(ui::MousePointer::Default);
      return;
    }

    if (quillmere_libraries::offers_upgrade(session_.project)) {
      const auto answer = show_box(desktop,
                                   "Would you like to convert the current database version to comply with new DOVI "
                                   "Drainage Manual to include NOAA Stations?",
                                   Buttons::YesNo, Icon::Exclamation);
      if (answer == ui::Answer::Yes) {
        auto& update = session_.form<FrmProjectUpdate>();
        desktop.show_modal(update);
        // Closed without a successful upgrade: the project stays an older one and
        // is served by its county list.
        if (!update.updated()) quillmere_libraries::open_county_list(session_);
      } else {
        quillmere_libraries::open_county_list(session_);
      }
    } else {
      quillmere_libraries::open_noaa_lists(session_);
    }
    set_pointer(ui::MousePointer::Default);

    if (session_.project.open_project_name.empty()) {
      show_box(desktop, "No Project Found.  Please Add Project Details", Buttons::OK, Icon::Exclamation, box_title);
      set_pointer(ui::MousePointer::Default);
      session_.project.project_editing = false;
      desktop.show_modal(session_.form<FrmProjectNOAA>());
    } else {
      show_box(desktop, "Project Name: " + session_.project.open_project_name, Buttons::OK, Icon::Information, box_title);
    }
    set_panel(1, "Project Database - " + shown_name);
    set_panel(2, "UNITS: " + session_.project.unit_system);
    set_project_menus(false, true, true);
  } catch (const std::exception& e) {
    show_error(e.what());
  }
}

void FrmSoftwareMain::mnuupdateProj_Click() {
  ui::Desktop& desktop = session_.desktop();
  if (!session_.project.open_project_name.empty()) {
    session_.project.project_editing = true;
    menu("mnucreateProj").set_enabled(false);
    menu("mnuopenProj").set_enabled(false);
    menu("mnucloseProj").set_enabled(true);
    if (session_.project.open_project_major_release != kCurrentRelease) {
      desktop.show_modal(session_.form<FrmProject>());
    } else {
      desktop.show_modal(session_.form<FrmProjectNOAA>());
    }
    return;
  }
  show_box(desktop, "No Project Found.  Please Add Project Details", Buttons::OK, Icon::Exclamation, box_title);
  set_pointer(ui::MousePointer::Default);
  session_.project.project_editing = false;
  desktop.show_modal(session_.form<FrmProjectNOAA>());
}

void FrmSoftwareMain::mnucloseProj_Click() {
  show_box(session_.desktop(), "Current Project Is Closed!", Buttons::OK, Icon::Information);
  quillmere_libraries::close_project(session_);
  set_project_menus(true, false, false);
  set_panel(1, "");
  set_panel(2, "");
  session_.project.open_project_product_name = "";
}

void FrmSoftwareMain::mnuInlet_Click() {
  ui::Desktop& desktop = session_.desktop();
  if (session_.project.open_project_name.empty()) {
    show_box(desktop, "Please Select Current Working Project!", Buttons::OK, Icon::Exclamation, box_title);
    return;
  }
  if (!session_.project.shared_project) {
    // Asked of the file itself: only a name read from it can refuse the project
    // as another program's, and a check that could not be made refuses too.
    try {
      session_.project.open_project_product_name = quillmere_libraries::read_product_name(session_);
    } catch (const std::exception& e) {
      std::string text = "Ravelgrit could not check which program made this project database, so it cannot be "
                         "designed now.\n\n" + std::string(e.what());
      const auto* error = dynamic_cast<const db::Error*>(&e);
      if (error && error->kind() == db::ErrorKind::UnknownField) {
        text += "\n\nA project of an older release gains this field when it is converted: open it again and "
                "answer Yes to the conversion.";
      }
      show_box(desktop, text, Buttons::OK, Icon::Exclamation, box_title);
      return;
    }
    if (session_.project.open_project_product_name != kProductName) {
      show_box(desktop, "This is an Incompatible Project Database! Please use correct version of the database",
               Buttons::OK, Icon::Exclamation, box_title);
      return;
    }
  }
  session_.handover.design_loop_done = false;
  while (!session_.handover.design_loop_done) {
    // A list that cannot be shown ends the loop, which would otherwise spin
    // without the user.
    try {
      if (!desktop.show_modal(session_.services.inlet_list())) return;
    } catch (const std::exception& e) {
      show_error(e.what());
      return;
    }
  }
}

void FrmSoftwareMain::mnuexit_Click() {
  session_.handover.design_loop_done = false;
  unload();
}

}  // namespace rg::app
