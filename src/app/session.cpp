#include "app/session.h"

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/record_set.h"

namespace rg::app {

db::Connection& OpenProject::connection() const {
  if (!project_conn || !project_conn->is_open()) {
    throw db::Error(db::ErrorKind::NotOpen, "No project database is open.");
  }
  return *project_conn;
}

Session::Session(ui::Desktop& desktop, std::filesystem::path program_dir)
    : desktop_(desktop), program_dir_(std::move(program_dir)) {}

Session::~Session() {
  // Forms first: their record sets lean on the connections.
  forms_.clear();
}

}  // namespace rg::app
