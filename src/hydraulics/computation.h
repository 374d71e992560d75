#pragma once
// What every computation does with the form: reading numbers, writing results,
// showing messages, and ending on a run-time failure. Internal to this library.

#include <optional>
#include <string>
#include <string_view>

#include "hydraulics/checked.h"
#include "hydraulics/port.h"
#include "hydraulics/solvers.h"

namespace rg::hyd {

inline constexpr std::string_view msg_invalid_input = "No results computed.  Invalid input.";
inline constexpr std::string_view msg_check_discharge =
    "No results computed.  Check your input for discharge.";
inline constexpr std::string_view msg_enter_valid_data = "You must enter valid data";
inline constexpr std::string_view msg_data_input_error = "Data Input Error";
inline constexpr std::string_view msg_input_error = "Input Error.";
inline constexpr std::string_view title_error = "Error";

// A single-precision coefficient as it enters a formula.
inline Real widen(float v) { return static_cast<double>(v); }

// One run of a computation against the form.
class Run {
 public:
  explicit Run(InletFormPort& form);

  InletFormPort& form() { return form_; }
  bool english() const { return english_; }
  UnitCoefficients& coefficients() { return form_.unit_coefficients(); }

  // Sets the coefficients the computation uses, before it reads any input.
  UnitCoefficients& set_coefficients(const CoefficientChoice& choice);

  // The box's text as a number; a text that is not one fails the run.
  Real number(Box control);
  std::string text(Box control);

  void write(Box control, Real value);
  void write(Box control, std::string_view text);

  // A plain box: OK only, no icon.
  void tell(std::string_view message, std::string_view title = {});

  // The solvers' own plain messages.
  void tell_solver_note(SolverNote note);

 private:
  InletFormPort& form_;
  bool english_;
};

// The discharge and the gutter it runs in, as every computation but the
// ditches' reads them first.
struct GutterInputs {
  Real Q, S, n, W, Sx, Sw, Wa, a, Wg, Tallow;
};

// QTotal to allowable_spread, in the order of the form; the grate width only for
// inlets with a grate.
GutterInputs read_gutter_inputs(Run& run, bool with_grate_width);

// The inputs of the gutter spread.
struct SpreadInputs {
  Real Q, S, n, W, Sx, Sw, Wa, Tallow;
};

// The gutter spread, after the solver's own message if it has one; none when the
// solver could not work one out (a level gutter, n of 0, ...).
std::optional<Real> gutter_spread(Run& run, const SpreadInputs& in);

// Runs a computation's steps; a run-time failure ends it with the exclamation
// box, keeping what was written and leaving the rest as Solve left it.
Outcome run_computation(InletFormPort& form, Outcome (*steps)(Run&));

}  // namespace rg::hyd
