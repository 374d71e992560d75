#pragma once
// Stand-in until the unit defaults, lists and result boxes land: the same calls.

#include "platform/ui/form.h"

namespace rg::app {
class Session;
}

namespace rg::inlet {

void initial_unit_settings(ui::Form& frminletmain, app::Session& session);
void fill_input_lists(ui::Form& frminletmain, app::Session& session);
void reset_geometry_inputs(ui::Form& frminletmain, app::Session& session);
void disable_geometry_inputs(ui::Form& frminletmain, app::Session& session);
void clear_results(ui::Form& frminletmain, app::Session& session);
void format_results(ui::Form& frminletmain, app::Session& session);

}  // namespace rg::inlet
