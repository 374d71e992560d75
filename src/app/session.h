#pragma once
// The program's module-level state in one object: the open project and its
// connection, the rainfall connection and lists, the shell's flags, the values
// forms hand to each other, and the forms themselves (one instance each, created
// on first use). Tests make a fresh Session per case.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>

#include "platform/ui/desktop.h"
#include "platform/ui/form.h"

namespace rg::db {
class Connection;
class RecordSet;
}  // namespace rg::db

namespace rg::app {

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
  // session and is loaded and unloaded as it is shown and closed.
  template <class F>
  F& form() {
    auto& slot = forms_[std::type_index(typeid(F))];
    if (!slot) slot = std::make_unique<F>(*this);
    return static_cast<F&>(*slot);
  }

  // --- The open project ---------------------------------------------------
  std::string project_db_path;
  std::unique_ptr<db::Connection> project_conn;
  std::string open_project_id;
  std::string open_project_name;  // "" means that no project (details) is open
  std::string open_project_county;
  std::string open_project_state;
  std::string open_project_designer;
  std::string unit_system;
  std::string open_project_product_name;
  std::string open_project_major_release;
  std::string open_project_noaa_station;
  bool project_editing = false;
  // The project's path holds the marker "qmp".
  bool shared_project = false;
  std::string last_dir;
  bool design_loop_done = false;

  // --- Rainfall data ------------------------------------------------------
  std::string rainfall_db_path;
  std::unique_ptr<db::Connection> rainfall_conn;
  std::unique_ptr<db::RecordSet> county_rs;
  std::unique_ptr<db::RecordSet> station_rs;

  // --- Shared by the forms ------------------------------------------------
  std::string number_format = "0.000";

 private:
  ui::Desktop& desktop_;
  std::filesystem::path program_dir_;
  std::unordered_map<std::type_index, std::unique_ptr<ui::Form>> forms_;
};

}  // namespace rg::app
