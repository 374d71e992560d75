#include "hydraulics/coefficients.h"

namespace rg::hyd {

bool is_english(std::string_view unit_system) { return unit_system == "ENGLISH"; }

void set_unit_defaults(UnitCoefficients& c, std::string_view unit_system) {
  const bool en = is_english(unit_system);
  c.gutter_flow_coefficient = gutter_flow_values.pick(en);
  c.side_flow_coefficient = side_flow_values.pick(en);
  c.curb_length_coefficient = curb_length_values.pick(en);
  c.manning_unit_factor = manning_unit_values.pick(en);
  c.weir_coefficient = weir_default_values.pick(en);
  c.unit_length_factor = unit_length_values.pick(en);
}

}  // namespace rg::hyd
