#include "app/session.h"

#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::app {

Session::Session(ui::Desktop& desktop, std::filesystem::path program_dir)
    : desktop_(desktop), program_dir_(std::move(program_dir)) {}

Session::~Session() {
  // Forms first: their record sets lean on the connections.
  forms_.clear();
}

}  // namespace rg::app
