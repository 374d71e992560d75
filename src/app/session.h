#pragma once
// The program's module-level state in one object, grouped by what it belongs to:
// the open project (cleared as one value when the project closes), the rainfall
// source, the values forms hand to each other, and the display settings; plus the
// forms themselves (one instance each, created on first use) and the services one
// subsystem offers another. Each value has one owner, named where it is
// declared; what a function finds is returned, never left here for its caller
// to read back. Tests make a fresh Session per case.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>

#include "app/services.h"
#include "hydraulics/coefficients.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/ui/desktop.h"
#include "platform/ui/form.h"

namespace rg::app {

// The fields of the PROJECT row as the open project's copies of them.
struct ProjectCopies {
  std::string open_project_id;
  std::string open_project_name;  // "" means that no project (details) is open
  std::string open_project_county;
  std::string open_project_state;
  std::string open_project_designer;
  std::string unit_system;
  std::string open_project_product_name;
  std::string open_project_major_release;
  std::string open_project_noaa_station;
  friend bool operator==(const ProjectCopies&, const ProjectCopies&) = default;
};

// Everything that belongs to the open project; a closed project is a default
// one. The shell's: it opens and closes the project, and its details dialog
// edits the copies.
struct OpenProject : ProjectCopies {
  std::string project_db_path;
  std::unique_ptr<db::Connection> project_conn;
  // The way every form reaches the open project's file: db::Error (NotOpen)
  // when no project is open, never a closed or missing connection.
  db::Connection& connection() const;
  bool project_editing = false;
  // The project's path holds the marker "qmp".
  bool shared_project = false;
  // The inlet list's row selected again after a reload (0 until the list first
  // loads for this project). The inlet list's.
  int flex_current_row = 0;

  // Empties the copies of the PROJECT row, keeping the file and its connection.
  void clear_copies() { static_cast<ProjectCopies&>(*this) = ProjectCopies{}; }
};

// The rainfall file read for the county and station lists and the coefficient
// look-up. The shell's: it opens the file with the project.
struct RainfallSource {
  std::string rainfall_db_path;
  std::unique_ptr<db::Connection> rainfall_conn;
  std::unique_ptr<db::RecordSet> county_rs;
  std::unique_ptr<db::RecordSet> station_rs;
};

// How the inlet design form opens an inlet.
enum class OpenMode { add, view, edit };

// The side of an inlet whose drainage areas the area dialog edits.
enum class AreaSide { none, side1, side2 };

// Values one form leaves for another.
struct HandOver {
  // The folder of the last file chosen. The shell's file dialog's: the shell
  // empties it at start, and whoever shows that dialog opens it there and
  // leaves the folder of the file chosen.
  std::string last_dir;
  // The main window's Design loop shows the inlet list again until the list
  // sets this. The Design loop's.
  bool design_loop_done = false;
  // The inlet the inlet design form opens to view or edit, and how (add opens
  // none). The inlet list's: it sets both before it shows the form.
  InletRow inlet_to_open;
  OpenMode inlet_open_mode = OpenMode::view;
  // The inlet of the list's current row, and the number a renumber gives it.
  // The inlet list's and its renumber dialog's.
  std::string current_inlet_number;
  std::string new_inlet_number;
  // The side the area dialog edits, and the rows of the land-use table in use
  // (24 in a shared project, else 15). The inlet design form's.
  AreaSide area_side = AreaSide::none;
  int area_row_count = 15;
};

class Session {
 public:
  Session(ui::Desktop& desktop, std::filesystem::path program_dir);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  ui::Desktop& desktop() const { return desktop_; }
  // The folder that holds the program and the files it reads.
  const std::filesystem::path& program_dir() const { return program_dir_; }
  std::filesystem::path program_file(std::string_view name) const { return program_dir_ / name; }

  // The form's one instance, created on first use; it lives as long as the
  // session and is loaded and unloaded as it is shown and closed. Only forms of
  // the caller's own subsystem or below: a form above is reached through
  // `services`.
  template <class F>
  F& form() {
    auto& slot = forms_[std::type_index(typeid(F))];
    if (!slot) slot = std::make_unique<F>(*this);
    return static_cast<F&>(*slot);
  }

  OpenProject project;
  RainfallSource rainfall;
  HandOver handover;
  // The display pattern of numbers: a program-wide setting that each form and
  // dialog sets when it loads and none restores, so the last one set holds.
  std::string number_format = "0.000";
  // The unit-dependent constants of the inlet computations. The inlet design
  // form's: its unit settings and each computation set them.
  hyd::UnitCoefficients unit_coefficients;
  // What the subsystems offer each other, wired by main() (and by tests).
  Services services;

 private:
  ui::Desktop& desktop_;
  std::filesystem::path program_dir_;
  std::unordered_map<std::type_index, std::unique_ptr<ui::Form>> forms_;
};

}  // namespace rg::app
