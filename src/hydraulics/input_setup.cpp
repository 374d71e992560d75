// The input set-ups of the nine inlet kinds as one table driving one procedure.

#include <array>
#include <stdexcept>
#include <string_view>

#include "hydraulics/computations.h"
#include "hydraulics/controls.h"

namespace rg::hyd {

namespace {

// One character per input of controls::geometry_inputs, in that order:
// 'U' used (enabled, window colour, text kept), '-' not used (disabled,
// emptied, button-face colour), 'K' greyed with its text kept.
struct InputSetup {
  std::string_view module;
  std::string_view states;
  bool empties_lcoug_last;  // one set-up empties cboLCOUG after the others
};

// Columns, left to right:
//   txtS txtn txtW txtSx txtSw txtWa txta txtWg txtzl txtzr cboLength cboLCOUG cboType
//   txthco cboThroat txtAngle txtPeri txtArea cboClog cboCurb txtslotw
constexpr std::array<InputSetup, 9> setups = {{
    {"CISI_CG_RESULTS",    "UUUUUUU---U----------", false},
    {"GI_CG_RESULTS",      "UUUUUUUU--U-U--------", false},
    {"COMBO_CG_RESULTS",   "UUUUUUUU--UUU--------", false},
    {"TRAP_CG_RESULTS",    "UUU----UUUU-U--------", false},
    {"CI_SU_RESULTS",      "UUUUUUU---U--UUU-----", false},
    {"GI_SU_RESULTS",      "UUUUUUUU--U-----UUUU-", false},
    {"COMBO_SU_RESULTS",   "UUUUUUUU--U--UUUUUU--", true},
    {"SI_SU_RESULTS",      "UUUUUUU---U-------U-U", false},
    {"TRAP_SU_RESULTS",    "K------U--U-----UUU--", false},
}};

static_assert([] {
  for (const InputSetup& s : setups) {
    if (s.states.size() != controls::geometry_inputs.size()) return false;
  }
  return true;
}());

// Three passes over the inputs: Enabled, then Text, then BackColor.
void apply_input_setup(InletFormPort& form, const InputSetup& setup) {
  const auto& inputs = controls::geometry_inputs;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    form.set_enabled(inputs[i], setup.states[i] == 'U');
  }
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const bool deferred = setup.empties_lcoug_last && inputs[i] == controls::cboLCOUG;
    if (setup.states[i] == '-' && !deferred) form.set_text(inputs[i], "");
  }
  if (setup.empties_lcoug_last) form.set_text(controls::cboLCOUG, "");
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    form.set_back_color(inputs[i],
                        setup.states[i] == 'U' ? color_window_background : color_button_face);
  }
}

const InputSetup& setup_of(std::string_view module) {
  for (const InputSetup& s : setups) {
    if (s.module == module) return s;
  }
  throw std::logic_error("no input set-up for this module");
}

void setup(InletFormPort& form, std::string_view module) {
  apply_input_setup(form, setup_of(module));
}

}  // namespace

void CISI_CG_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "CISI_CG_RESULTS"); }
void GI_CG_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "GI_CG_RESULTS"); }
void COMBO_CG_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "COMBO_CG_RESULTS"); }
void TRAP_CG_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "TRAP_CG_RESULTS"); }
void CI_SU_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "CI_SU_RESULTS"); }
void GI_SU_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "GI_SU_RESULTS"); }
void COMBO_SU_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "COMBO_SU_RESULTS"); }
void SI_SU_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "SI_SU_RESULTS"); }
void TRAP_SU_RESULTS::setup_inputs(InletFormPort& form) { setup(form, "TRAP_SU_RESULTS"); }

}  // namespace rg::hyd
