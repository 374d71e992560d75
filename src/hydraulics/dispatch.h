#pragma once
// Which input set-up, computation and length caption belong to each pair of
// inlet type and inlet location.

#include <span>
#include <string_view>

#include "hydraulics/port.h"

namespace rg::hyd {

inline constexpr std::string_view continuous_grade = "CONTINUOUS GRADE";
inline constexpr std::string_view sump = "SUMP";

struct InletKind {
  std::string_view inlet_type;
  std::string_view inlet_location;
  void (*setup_inputs)(InletFormPort&);
  Outcome (*compute)(InletFormPort&);
  std::string_view length_caption;  // "INLET LENGTH" or "GRATE LENGTH"
};

std::span<const InletKind> inlet_kinds();

// The row whose texts equal the two exactly (case counts, no trimming); null
// when there is none.
const InletKind* find_inlet_kind(std::string_view inlet_type, std::string_view inlet_location);

}  // namespace rg::hyd
