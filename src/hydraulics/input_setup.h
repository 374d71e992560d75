#pragma once
// The input set-ups of the nine inlet kinds as one table: for each, the state of
// every input of the details tab.

#include <span>
#include <string_view>

#include "hydraulics/port.h"

namespace rg::hyd {

// One character per input of controls::geometry_inputs, in that order:
// 'U' used (enabled, window colour, text kept), '-' not used (disabled,
// emptied, button-face colour), 'K' greyed with its text kept.
struct InputSetup {
  std::string_view module;
  std::string_view states;
  bool empties_lcoug_last;  // one set-up empties cboLCOUG after the others
};

std::span<const InputSetup> input_setups();

// Three passes over the inputs: Enabled, then Text, then BackColor.
void apply_input_setup(InletFormPort& form, const InputSetup& setup);

}  // namespace rg::hyd
