#include "hydraulics/input_setup.h"

#include <array>
#include <stdexcept>

#include "hydraulics/computations.h"
#include "hydraulics/controls.h"

namespace rg::hyd {

namespace {

// Columns, left to right:
//   txtS txtn txtW txtSx txtSw txtWa txta txtWg txtzl txtzr cboLength cboLCOUG cboType
//   txthco cboThroat txtAngle txtPeri txtArea cboClog cboCurb txtslotw
constexpr std::array<InputSetup, 9> setups = {{
    //                      S n W SxSwWaa WgzlzrL LuTyhcThAnPeArClCusw
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

std::span<const InputSetup> input_setups() { return setups; }

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
