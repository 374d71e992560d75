#pragma once
// The hydrology formulas: rainfall intensity, the rational-method discharge and
// the four segment times of the time of concentration. They know no form and no
// database: the boxes' numbers come in (std::nullopt for a box whose text is no
// number) and each result says why nothing was computed when it was not, so a
// form only shows the message and writes the texts.
//
// Every input a designer cannot mean (a negative length, n, C or area, a C above
// 1, a zero n, C or depth) is refused before any arithmetic, so no result is ever
// negative, infinite or NaN.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rg::hydrology {

enum class Units { English, Metric };

// The project's UNITS text, read as the whole program reads it: "ENGLISH" is
// English, any other text (a damaged file's "" or "SI") metric.
Units units_of(std::string_view unit_system);

// A box's number; std::nullopt when its text is not a number.
using Number = std::optional<double>;

// ---------------------------------------------------------------- intensity

// The coefficients of one place and return period, in in/hr for a Tc in minutes
// whatever the project's units. The county table's curve is I = A / (Tc + B);
// the storm-data curve (county or NOAA station) is I = B / (Tc + D)^E. B is the
// denominator offset in the first and the numerator in the second.
struct RainfallCoefficients {
  enum class Formula { County, Storm };
  Formula formula = Formula::Storm;
  double a = 0.0;
  double b = 0.0;
  double d = 0.0;
  double e = 0.0;
};

enum class IntensityProblem {
  None,
  TcNotANumber,   // the time of concentration holds no number
  TcNegative,
  NotComputable,  // Tc + offset not above 0, or the curve gives no finite positive value
};

struct Intensity {
  IntensityProblem problem = IntensityProblem::None;
  double value = 0.0;  // in/hr, or mm/hr in a metric project (x 25.4)
  bool ok() const { return problem == IntensityProblem::None; }
  // The message for a form to show; "" when computed.
  std::string_view message() const;
};

Intensity rainfall_intensity(const RainfallCoefficients& c, Number tc_minutes, Units units);

// ---------------------------------------------------------------- discharge

// The inputs of the discharge, read from the boxes as shown (the intensity with
// the decimals it is shown with). Side 2 counts only for an inlet in a sag.
struct DischargeInputs {
  Number total_ca1;
  Number total_ca2;
  Number intensity;
  Number cf;  // frequency factor
  Number carryover1;
  Number carryover2;
  bool sump = false;
};

enum class DischargeInput { None, TotalCa1, TotalCa2, Intensity, Cf, Carryover1, Carryover2 };

// The results that can grow past the largest number.
enum class DischargeResult { None, Q1, Q2, Total };

struct Discharge {
  DischargeInput refused = DischargeInput::None;  // the first input that holds no number or is negative
  bool negative = false;                          // ... and whether it was negative rather than no number
  DischargeResult overflowed = DischargeResult::None;  // the first result too large to be a number
  double q1 = 0.0;
  double q2 = 0.0;     // 0 on a continuous grade
  double total = 0.0;  // Q1 + Q2 + carry-overs (side 2's only in a sag)
  bool ok() const { return refused == DischargeInput::None && overflowed == DischargeResult::None; }
  // Names the input that stopped the computation, or the result that
  // overflowed; "" when computed.
  std::string message() const;
};

// Q = C·A x I x Cf / K, K = 1 (cfs from acres and in/hr) or 360 (cms from
// hectares and mm/hr). No cap on C x Cf.
double rational_discharge(double total_ca, double intensity, double cf, Units units);

Discharge compute_discharge(const DischargeInputs& in, Units units);

// ------------------------------------------------- time of concentration

enum class TcMethod { KinematicWave = 1, GutterFlow = 2, Seeley = 3, Kirpich = 4 };

enum class TcProblem {
  None,
  FlowDistanceZero,  // "Compute Error!  Flow Distance is zero"
  UpperNotAbove,     // "Compute Error!  Upper Elevation is lower than Lower Elevation"
  DataValueZero,     // "Compute Error!  Data Value is zero" (Kirpich)
  DataError,         // "Data Error! May be Divide By Zero Error": no number, negative, zero divisor, C above 1
  LengthOverLimit,   // the overland flow distance is beyond its method's limit
};

struct TcSegment {
  TcProblem problem = TcProblem::None;
  // The slope (U - D) / L once the refusals are passed (the three methods on a
  // slope): a form writes it formatted "0.0000" even when the time then fails.
  std::optional<double> slope;
  double minutes = 0.0;
  std::string_view message;  // "" when computed
  // Refusals carry the title "Error"; data errors and the length limit the
  // application's title.
  bool titled_error = false;
  bool ok() const { return problem == TcProblem::None; }
};

// A slope segment as the dialog holds it: flow distance and the two elevations.
struct SlopeSegment {
  Number length;
  Number upper;
  Number lower;
};

// Tc = (K / I^0.4) (L n / S^0.5)^0.6, K 0.933 / 6.943, I fixed at 4 in/hr / 101.6 mm/hr.
TcSegment kinematic_wave_time(const SlopeSegment& s, Number n, Units units);
// V = (k / n) d^(2/3) S^0.5 (k 1.486 / 1.0), Tc = L / V / 60.
TcSegment gutter_flow_time(const SlopeSegment& s, Number n, Number depth, Units units);
// Tc = a L^0.42 S^-0.19 / C, a 0.225 / 0.37056.
TcSegment seeley_time(const SlopeSegment& s, Number c, Units units);
// Tc = b H^-0.38 L^1.13 F, b 0.00948 / 0.02311, with the surface factor F fixed at 1.0.
TcSegment kirpich_time(Number height, Number travel_length, Units units);

// The limit of an overland flow distance, which the dialog applies when the box
// is left (message, then the replacement text, formatted) and which the method
// refuses beyond (a stored segment is never computed past it).
struct LengthLimit {
  double max = 0.0;  // the limit itself passes
  std::string_view message;
  std::string_view replacement;
};
// Kinematic wave 300 ft / 90 m, Seeley 200 ft / 61 m; none for the others.
std::optional<LengthLimit> length_limit(TcMethod method, Units units);

// The total of the four segment times; the first time (0 to 3) that holds no
// number or is negative stops it, and a form refuses it as the method's data
// error. A sum too large to be a number is refused as such.
struct TcTotal {
  std::optional<int> refused_segment;
  bool overflowed = false;
  double minutes = 0.0;
};
TcTotal total_tc(const std::array<Number, 4>& segment_minutes);

}  // namespace rg::hydrology
