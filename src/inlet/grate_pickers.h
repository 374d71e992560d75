#pragma once
// Stand-in until the grate pickers land.

#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::inlet {

void show_grate_picker(ui::Form& frminletmain, app::Session& session);

}  // namespace rg::inlet
