#pragma once
// The unit-dependent constants shared by the inlet computations. They are
// single-precision values and enter the formulas widened to double, so 0.56
// counts as 0.5600000024.

#include <string_view>

namespace rg::hyd {

struct UnitCoefficients {
  float gutter_flow_coefficient = 0.0f;  // Ku
  float side_flow_coefficient = 0.0f;    // Ks
  float curb_length_coefficient = 0.0f;  // Kc
  float manning_unit_factor = 0.0f;      // k
  float weir_coefficient = 0.0f;         // Cw, by inlet kind
  float unit_length_factor = 0.0f;       // in per ft or mm per m
  float grate_weir_coefficient = 0.0f;
  float gravity = 0.0f;
};

// English values only for exactly "ENGLISH"; any other text means metric.
bool is_english(std::string_view unit_system);

// The pattern of lengths, discharges and the like as the design form shows
// them, and the reports the numbers they work out: three decimals in English,
// four in metric.
std::string_view number_format_for(std::string_view unit_system);

// An English value and its metric counterpart.
struct UnitPair {
  float english;
  float metric;
  float pick(bool english_units) const { return english_units ? english : metric; }
};

inline constexpr UnitPair gutter_flow_values{0.56f, 0.376f};
inline constexpr UnitPair side_flow_values{0.15f, 0.0828f};
inline constexpr UnitPair curb_length_values{0.6f, 0.817f};
inline constexpr UnitPair manning_unit_values{1.486f, 1.0f};
inline constexpr UnitPair unit_length_values{12.0f, 1000.0f};
inline constexpr UnitPair grate_weir_values{3.0f, 1.6f};
inline constexpr UnitPair gravity_values{32.16f, 9.81f};

// The values weir_coefficient takes, by what the weir is.
inline constexpr UnitPair weir_default_values{2.3f, 1.66f};
inline constexpr UnitPair weir_grate_values{3.0f, 1.66f};  // a grate, the berm in a ditch
inline constexpr UnitPair weir_curb_values{2.3f, 1.25f};   // a curb opening in a sag
inline constexpr UnitPair weir_slot_values{2.48f, 1.4f};

// Which coefficients a setter writes, each with its value for the unit system;
// weir_coefficient takes *weir when it is given. The others keep what they hold.
struct CoefficientChoice {
  bool gutter_flow = false;
  bool side_flow = false;
  bool curb_length = false;
  bool manning_unit = false;
  const UnitPair* weir = nullptr;
  bool unit_length = false;
  bool grate_weir = false;
  bool gravity = false;
};

void set_coefficients(UnitCoefficients& c, bool english, const CoefficientChoice& choice);

// The six coefficients the inlet design form sets when it loads and when an
// inlet is added; grate_weir_coefficient and gravity are left alone.
void set_unit_defaults(UnitCoefficients& c, std::string_view unit_system);

}  // namespace rg::hyd
