#include "hydraulics/coefficients.h"

namespace rg::hyd {

bool is_english(std::string_view unit_system) { return unit_system == "ENGLISH"; }

std::string_view number_format_for(std::string_view unit_system) {
  return is_english(unit_system) ? "#0.000" : "#0.0000";
}

void set_coefficients(UnitCoefficients& c, bool english, const CoefficientChoice& choice) {
  if (choice.gutter_flow) c.gutter_flow_coefficient = gutter_flow_values.pick(english);
  if (choice.side_flow) c.side_flow_coefficient = side_flow_values.pick(english);
  if (choice.curb_length) c.curb_length_coefficient = curb_length_values.pick(english);
  if (choice.manning_unit) c.manning_unit_factor = manning_unit_values.pick(english);
  if (choice.weir != nullptr) c.weir_coefficient = choice.weir->pick(english);
  if (choice.unit_length) c.unit_length_factor = unit_length_values.pick(english);
  if (choice.grate_weir) c.grate_weir_coefficient = grate_weir_values.pick(english);
  if (choice.gravity) c.gravity = gravity_values.pick(english);
}

void set_unit_defaults(UnitCoefficients& c, std::string_view unit_system) {
  set_coefficients(c, is_english(unit_system),
                   {.gutter_flow = true, .side_flow = true, .curb_length = true, .manning_unit = true,
                    .weir = &weir_default_values, .unit_length = true});
}

}  // namespace rg::hyd
