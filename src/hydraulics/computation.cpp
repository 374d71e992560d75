#include "hydraulics/computation.h"

#include <cmath>

#include "hydraulics/controls.h"
#include "platform/text/number_text.h"

namespace rg::hyd {

Run::Run(InletFormPort& form) : form_(form), english_(is_english(form.unit_system())) {}

UnitCoefficients& Run::set_coefficients(const CoefficientChoice& choice) {
  UnitCoefficients& k = form_.unit_coefficients();
  rg::hyd::set_coefficients(k, english_, choice);
  return k;
}

Real Run::number(Box control) {
  const auto value = rg::text::parse_number(form_.text(control));
  if (!value) throw Fault{};
  return *value;
}

std::string Run::text(Box control) { return form_.text(control); }

void Run::write(Box control, Real value) {
  if (!std::isfinite(value.value())) throw Fault{};
  form_.set_text(control, rg::text::plain_text(value.value()));
}

void Run::write(Box control, std::string_view text) {
  form_.set_text(control, text);
}

void Run::tell(std::string_view message, std::string_view title) {
  form_.show_message(message, MessageIcon::none, title);
}

void Run::tell_solver_note(SolverNote note) {
  switch (note) {
    case SolverNote::discharge_not_positive: tell(msg_check_discharge); break;
    case SolverNote::invalid_data: tell(msg_enter_valid_data); break;
    default: break;
  }
}

GutterInputs read_gutter_inputs(Run& run, bool with_grate_width) {
  namespace c = controls;
  GutterInputs in;
  in.Q = run.number(c::QTotal);
  in.S = run.number(c::txtS);
  in.n = run.number(c::txtn);
  in.W = run.number(c::txtW);
  in.Sx = run.number(c::txtSx);
  in.Sw = run.number(c::txtSw);
  in.Wa = run.number(c::txtWa);
  in.a = run.number(c::txta);
  if (with_grate_width) in.Wg = run.number(c::txtWg);
  in.Tallow = run.number(c::allowable_spread);
  return in;
}

std::optional<Real> gutter_spread(Run& run, const SpreadInputs& in) {
  const Solution s = Common_Libraries::composite_gutter_spread(
      run.coefficients().gutter_flow_coefficient, in.Q.value(), in.S.value(), in.n.value(),
      in.W.value(), in.Sx.value(), in.Sw.value(), in.Wa.value(), in.Tallow.value());
  run.tell_solver_note(s.note);
  // Only n = 0 gives a spread of 0 without a note, and that is no spread either.
  const bool uncomputable = s.note == SolverNote::arithmetic_failure ||
                            (s.note == SolverNote::none && s.value == 0.0);
  if (uncomputable) return std::nullopt;
  return s.value;
}

Outcome run_computation(InletFormPort& form, Outcome (*steps)(Run&)) {
  Run run(form);
  try {
    return steps(run);
  } catch (const Fault&) {
    form.show_message(msg_invalid_input, MessageIcon::exclamation, {});
    return Outcome::failed;
  }
}

}  // namespace rg::hyd
