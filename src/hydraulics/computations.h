#pragma once
// The nine inlet computations and their input set-ups, one module per inlet kind
// and location. Each computation sets the unit coefficients it uses, reads its
// inputs from the form at the step that needs them, writes each result as the
// plain text of its number, and has the results formatted only when it gets
// through. Each set-up enables the inputs its computation uses and empties and
// greys the others.

#include "hydraulics/port.h"

namespace rg::hyd {

// Grate inlet on a continuous grade.
namespace GI_CG_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace GI_CG_RESULTS

// Grate inlet in a ditch on a continuous grade.
namespace TRAP_CG_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace TRAP_CG_RESULTS

// Combination curb and grate inlet on a continuous grade, rated by its curb opening.
namespace COMBO_CG_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace COMBO_CG_RESULTS

// Curb-opening and slotted inlets on a continuous grade.
namespace CISI_CG_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace CISI_CG_RESULTS

// Curb-opening inlet in a sag.
namespace CI_SU_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace CI_SU_RESULTS

// Grate inlet in a sag.
namespace GI_SU_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace GI_SU_RESULTS

// Combination curb and grate inlet in a sag.
namespace COMBO_SU_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace COMBO_SU_RESULTS

// Slotted inlet in a sag.
namespace SI_SU_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace SI_SU_RESULTS

// Grate inlet in a ditch in a sag.
namespace TRAP_SU_RESULTS {
Outcome compute(InletFormPort& form);
void setup_inputs(InletFormPort& form);
}  // namespace TRAP_SU_RESULTS

}  // namespace rg::hyd
