#include "hydraulics/dispatch.h"

#include <array>

#include "hydraulics/computations.h"

namespace rg::hyd {

namespace {

constexpr std::string_view inlet_length = "INLET LENGTH";
constexpr std::string_view grate_length = "GRATE LENGTH";

constexpr std::string_view curb = "Curb Inlet";
constexpr std::string_view grate = "Grate Inlet";
constexpr std::string_view combination = "Combination Curb and Grate Inlet";
constexpr std::string_view slotted = "Slotted Inlet";
constexpr std::string_view ditch = "Grate Inlet in a Ditch";

constexpr std::array<InletKind, 10> kinds = {{
    {curb, continuous_grade, CISI_CG_RESULTS::setup_inputs, CISI_CG_RESULTS::compute, inlet_length},
    {curb, sump, CI_SU_RESULTS::setup_inputs, CI_SU_RESULTS::compute, inlet_length},
    {grate, continuous_grade, GI_CG_RESULTS::setup_inputs, GI_CG_RESULTS::compute, grate_length},
    {grate, sump, GI_SU_RESULTS::setup_inputs, GI_SU_RESULTS::compute, grate_length},
    {combination, continuous_grade, COMBO_CG_RESULTS::setup_inputs, COMBO_CG_RESULTS::compute,
     grate_length},
    {combination, sump, COMBO_SU_RESULTS::setup_inputs, COMBO_SU_RESULTS::compute, inlet_length},
    {slotted, continuous_grade, CISI_CG_RESULTS::setup_inputs, CISI_CG_RESULTS::compute,
     inlet_length},
    {slotted, sump, SI_SU_RESULTS::setup_inputs, SI_SU_RESULTS::compute, inlet_length},
    {ditch, continuous_grade, TRAP_CG_RESULTS::setup_inputs, TRAP_CG_RESULTS::compute,
     grate_length},
    {ditch, sump, TRAP_SU_RESULTS::setup_inputs, TRAP_SU_RESULTS::compute, grate_length},
}};

}  // namespace

std::span<const InletKind> inlet_kinds() { return kinds; }

const InletKind* find_inlet_kind(std::string_view inlet_type, std::string_view inlet_location) {
  for (const InletKind& kind : kinds) {
    if (kind.inlet_type == inlet_type && kind.inlet_location == inlet_location) return &kind;
  }
  return nullptr;
}

}  // namespace rg::hyd
