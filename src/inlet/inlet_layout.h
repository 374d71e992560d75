#pragma once
// The inlet design form as designed: every control in tab order, each caption
// beside its box, the bound fields, and which boxes are plain number boxes.

#include <span>
#include <string_view>

#include "platform/ui/form.h"

namespace rg::inlet {

std::span<const ui::ControlSpec> inlet_form_table();

// The names of the toolbar's buttons by index (1 Add ... 14 Help); "" for the
// separators between them.
std::string_view toolbar_button(int index);

}  // namespace rg::inlet
