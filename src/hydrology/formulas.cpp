#include "hydrology/formulas.h"

#include <cmath>

namespace rg::hydrology {

Units units_of(std::string_view unit_system) {
  return unit_system == "ENGLISH" ? Units::English : Units::Metric;
}

// ---------------------------------------------------------------- intensity

namespace {

// Rainfall coefficients give in/hr; a metric project shows mm/hr.
constexpr double mm_per_inch = 25.4;

Intensity intensity_refused(IntensityProblem p) { return {p, 0.0}; }

}  // namespace

std::string_view Intensity::message() const {
  switch (problem) {
    case IntensityProblem::None: return "";
    case IntensityProblem::TcNotANumber:
      return "The time of concentration holds no number: the rainfall intensity cannot be computed.";
    case IntensityProblem::TcNegative:
      return "The time of concentration cannot be negative: the rainfall intensity cannot be computed.";
    case IntensityProblem::NotComputable:
      return "The rainfall coefficients give no intensity for this time of concentration.";
  }
  return "";
}

Intensity rainfall_intensity(const RainfallCoefficients& c, Number tc_minutes, Units units) {
  if (!tc_minutes) return intensity_refused(IntensityProblem::TcNotANumber);
  const double tc = *tc_minutes;
  if (tc < 0.0) return intensity_refused(IntensityProblem::TcNegative);
  // Both curves need a positive denominator: a zero one divides by zero, a
  // negative one has no real fractional power and means no rainfall.
  const bool county = c.formula == RainfallCoefficients::Formula::County;
  const double base = tc + (county ? c.b : c.d);
  if (!(base > 0.0)) return intensity_refused(IntensityProblem::NotComputable);
  double i = county ? c.a / base : c.b / std::pow(base, c.e);
  if (units == Units::Metric) i *= mm_per_inch;
  // A zero intensity would give a zero discharge that looks like a result.
  if (!std::isfinite(i) || !(i > 0.0)) return intensity_refused(IntensityProblem::NotComputable);
  return {IntensityProblem::None, i};
}

// ---------------------------------------------------------------- discharge

std::string Discharge::message() const {
  switch (overflowed) {
    case DischargeResult::None: break;
    case DischargeResult::Q1:
      return "The discharge of side 1 is too large to be a number: check C x A and the intensity.";
    case DischargeResult::Q2:
      return "The discharge of side 2 is too large to be a number: check C x A and the intensity.";
    case DischargeResult::Total:
      return "The total discharge is too large to be a number: check the discharges and the carry-overs.";
  }
  const char* what = "";
  switch (refused) {
    case DischargeInput::None: return "";
    case DischargeInput::TotalCa1: what = "The total C x A of side 1"; break;
    case DischargeInput::TotalCa2: what = "The total C x A of side 2"; break;
    case DischargeInput::Intensity: what = "The rainfall intensity"; break;
    case DischargeInput::Cf: what = "The frequency factor Cf"; break;
    case DischargeInput::Carryover1: what = "The carry-over of side 1"; break;
    case DischargeInput::Carryover2: what = "The carry-over of side 2"; break;
  }
  return std::string(what) + (negative ? " is negative" : " holds no number") +
         ": the discharge cannot be computed.";
}

double rational_discharge(double total_ca, double intensity, double cf, Units units) {
  const double k = units == Units::Metric ? 360.0 : 1.0;
  return total_ca * intensity * cf / k;
}

Discharge compute_discharge(const DischargeInputs& in, Units units) {
  struct Checked {
    DischargeInput name;
    const Number& value;
    bool counts;
  };
  const Checked inputs[] = {
      {DischargeInput::TotalCa1, in.total_ca1, true},   {DischargeInput::TotalCa2, in.total_ca2, in.sump},
      {DischargeInput::Intensity, in.intensity, true},  {DischargeInput::Cf, in.cf, true},
      {DischargeInput::Carryover1, in.carryover1, true}, {DischargeInput::Carryover2, in.carryover2, in.sump},
  };
  Discharge out;
  for (const auto& input : inputs) {
    if (!input.counts) continue;
    if (!input.value || *input.value < 0.0) {
      out.refused = input.name;
      out.negative = input.value.has_value();
      return out;
    }
  }
  out.q1 = rational_discharge(*in.total_ca1, *in.intensity, *in.cf, units);
  out.total = out.q1 + *in.carryover1;
  if (in.sump) {
    out.q2 = rational_discharge(*in.total_ca2, *in.intensity, *in.cf, units);
    out.total += out.q2 + *in.carryover2;
  }
  if (!std::isfinite(out.q1)) {
    out.overflowed = DischargeResult::Q1;
  } else if (!std::isfinite(out.q2)) {
    out.overflowed = DischargeResult::Q2;
  } else if (!std::isfinite(out.total)) {
    out.overflowed = DischargeResult::Total;
  }
  return out;
}

// ------------------------------------------------- time of concentration

namespace {

TcSegment tc_refused(TcProblem p, std::optional<double> slope = std::nullopt) {
  TcSegment out;
  out.problem = p;
  out.slope = slope;
  switch (p) {
    case TcProblem::None:
    case TcProblem::LengthOverLimit: break;
    case TcProblem::FlowDistanceZero: out.message = "Compute Error!  Flow Distance is zero"; break;
    case TcProblem::UpperNotAbove:
      out.message = "Compute Error!  Upper Elevation is lower than Lower Elevation";
      break;
    case TcProblem::DataValueZero: out.message = "Compute Error!  Data Value is zero"; break;
    case TcProblem::DataError: out.message = "Data Error! May be Divide By Zero Error"; break;
  }
  out.titled_error = p == TcProblem::FlowDistanceZero || p == TcProblem::UpperNotAbove ||
                     p == TcProblem::DataValueZero;
  return out;
}

TcSegment tc_computed(double minutes, std::optional<double> slope) {
  if (!std::isfinite(minutes)) return tc_refused(TcProblem::DataError, slope);
  TcSegment out;
  out.slope = slope;
  out.minutes = minutes;
  return out;
}

// The frame the three methods on a slope share: the inputs are numbers, the flow
// distance is not zero (nor negative, nor past the method's limit), the upper
// elevation lies above the lower one. Gives the refusal, or the slope.
struct Frame {
  std::optional<TcSegment> refusal;
  double slope = 0.0;
};

Frame slope_frame(TcMethod method, const SlopeSegment& s, Number coefficient, Units units) {
  if (!s.length || !s.upper || !s.lower || !coefficient || *s.length < 0.0) {
    return {tc_refused(TcProblem::DataError)};
  }
  const double length = *s.length;
  if (length == 0.0) return {tc_refused(TcProblem::FlowDistanceZero)};
  if (const auto limit = length_limit(method, units); limit && length > limit->max) {
    TcSegment refused = tc_refused(TcProblem::LengthOverLimit);
    refused.message = limit->message;
    return {refused};
  }
  if (!(*s.upper > *s.lower)) return {tc_refused(TcProblem::UpperNotAbove)};
  const double slope = (*s.upper - *s.lower) / length;
  if (!std::isfinite(slope)) return {tc_refused(TcProblem::DataError)};
  return {std::nullopt, slope};
}

}  // namespace

TcSegment kinematic_wave_time(const SlopeSegment& s, Number n, Units units) {
  const auto frame = slope_frame(TcMethod::KinematicWave, s, n, units);
  if (frame.refusal) return *frame.refusal;
  // A zero n would give a time of 0 for any segment.
  if (!(*n > 0.0)) return tc_refused(TcProblem::DataError, frame.slope);
  const bool metric = units == Units::Metric;
  const double k = metric ? 6.943 : 0.933;
  const double i = metric ? 101.6 : 4.0;
  return tc_computed(k / std::pow(i, 0.4) * std::pow(*s.length * *n / std::sqrt(frame.slope), 0.6),
                     frame.slope);
}

TcSegment gutter_flow_time(const SlopeSegment& s, Number n, Number depth, Units units) {
  // The depth is read with the other inputs, before any test or slope.
  if (!depth) return tc_refused(TcProblem::DataError);
  const auto frame = slope_frame(TcMethod::GutterFlow, s, n, units);
  if (frame.refusal) return *frame.refusal;
  if (!(*n > 0.0) || !(*depth > 0.0)) return tc_refused(TcProblem::DataError, frame.slope);
  const double k = units == Units::Metric ? 1.0 : 1.486;
  const double velocity = k / *n * std::pow(*depth, 2.0 / 3.0) * std::sqrt(frame.slope);
  return tc_computed(*s.length / velocity / 60.0, frame.slope);
}

TcSegment seeley_time(const SlopeSegment& s, Number c, Units units) {
  const auto frame = slope_frame(TcMethod::Seeley, s, c, units);
  if (frame.refusal) return *frame.refusal;
  // A runoff coefficient lies above 0 and at most 1.
  if (!(*c > 0.0) || *c > 1.0) return tc_refused(TcProblem::DataError, frame.slope);
  const double a = units == Units::English ? 0.225 : 0.37056;
  return tc_computed(a * std::pow(*s.length, 0.42) * std::pow(frame.slope, -0.19) / *c, frame.slope);
}

TcSegment kirpich_time(Number height, Number travel_length, Units units) {
  if (!height || !travel_length) return tc_refused(TcProblem::DataError);
  if (*height == 0.0 || *travel_length == 0.0) return tc_refused(TcProblem::DataValueZero);
  if (*height < 0.0 || *travel_length < 0.0) return tc_refused(TcProblem::DataError);
  const double b = units == Units::English ? 0.00948 : 0.02311;
  const double surface_factor = 1.0;
  return tc_computed(b * std::pow(*height, -0.38) * std::pow(*travel_length, 1.13) * surface_factor,
                     std::nullopt);
}

std::optional<LengthLimit> length_limit(TcMethod method, Units units) {
  const bool metric = units == Units::Metric;
  switch (method) {
    case TcMethod::KinematicWave:
      if (metric) return LengthLimit{90.0, "Length Cannot Exceed 90 Meters for this method!!", "90"};
      return LengthLimit{300.0, "Length Cannot Exceed 300 ft. for this method!!", "300"};
    case TcMethod::Seeley:
      // 61 m is the metric equivalent of 200 ft.
      if (metric) return LengthLimit{61.0, "Maximum Flow Distance must be less than  61 m!", "61.0"};
      return LengthLimit{200.0, "Maximum Flow Distance must be less than  200 ft!", "200.0"};
    case TcMethod::GutterFlow:
    case TcMethod::Kirpich: break;
  }
  return std::nullopt;
}

TcTotal total_tc(const std::array<Number, 4>& segment_minutes) {
  TcTotal out;
  for (int i = 0; i < 4; ++i) {
    const Number& t = segment_minutes[static_cast<std::size_t>(i)];
    if (!t || *t < 0.0) return {i, false, 0.0};
    out.minutes += *t;
  }
  if (!std::isfinite(out.minutes)) return {std::nullopt, true, 0.0};
  return out;
}

}  // namespace rg::hydrology
