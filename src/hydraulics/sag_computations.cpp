// The computations in a sag, where the inlet takes all the flow: the curb
// opening, the grate, the combination, the slot and the grate in a ditch.

#include <optional>
#include <string_view>

#include "hydraulics/computation.h"
#include "hydraulics/computations.h"
#include "hydraulics/controls.h"
#include "hydraulics/solvers.h"

namespace rg::hyd {

namespace {

namespace c = controls;

constexpr std::string_view weir_flow = "Weir Flow";
constexpr std::string_view orifice_flow = "Orifice Flow";
constexpr std::string_view transition_flow = "Transition flow";

// A grate in a sag runs as a weir while the weir depth stays below 1.417 ft,
// or 432 mm in metric units.
constexpr double grate_weir_limit_ft = 1.417;
constexpr double grate_weir_limit_mm = 432.0;

// A slot runs as a weir below the lower depth, as an orifice above the upper
// one, and in transition between them (ft, or m in metric units).
constexpr double slot_weir_limit_ft = 0.2;
constexpr double slot_weir_limit_m = 0.06;
constexpr double slot_orifice_limit_ft = 0.4;
constexpr double slot_orifice_limit_m = 0.12;

constexpr double pi = 3.14159265358979;  // to 15 digits; the throat angle's results depend on it

// The approach flow every computation in a sag but the ditch's reads before it
// computes anything: the total discharge that sizes the inlet, and the gutter
// the spread is worked out in.
struct ApproachFlow {
  Real Q;   // total discharge
  Real Qs;  // the larger of the two side flows, which sets the spread
  Real S, n, W, Sx, Sw, Wa, a, Tallow;

  SpreadInputs spread() const { return {Qs, S, n, W, Sx, Sw, Wa, Tallow}; }
};

ApproachFlow read_approach_flow(Run& run) {
  const GutterInputs g = read_gutter_inputs(run, false);
  const Real Q1 = run.number(c::discharge1) + run.number(c::carryover1);
  const Real Q2 = run.number(c::discharge2) + run.number(c::carryover2);
  return {g.Q, Q1 >= Q2 ? Q1 : Q2, g.S, g.n, g.W, g.Sx, g.Sw, g.Wa, g.a, g.Tallow};
}

// A spread the solver could not work out fails the run rather than show as 0
// without a word.
Real write_approach_spread(Run& run, const SpreadInputs& in) {
  const std::optional<Real> T = gutter_spread(run, in);
  if (!T) throw Fault{};
  run.write(c::txtGutterSpread, *T);
  return *T;
}

// Throat codes: 1 horizontal, 2 inclined, 3 vertical, 0 anything else.
int throat_code(std::string_view throat) {
  if (throat == "Horizontal") return 1;
  if (throat == "Inclined") return 2;
  if (throat == "Vertical") return 3;
  return 0;
}

Real throat_angle(int code, Real degrees) {
  return code == 2 ? degrees * pi / 180 : Real(0.0);
}

Real weir_depth(Real Q, Real Cw, Real Lw, double exponent) {
  return pow(Q / (Cw * Lw), exponent);
}

// (Q / (Co Ao))^2 / 2g, with Co Ao worked out by the caller in the formula's order.
Real orifice_depth(Real Q, Real CoAo, Real g) { return pow(Q / CoAo, 2) / (2 * g); }

Outcome finish(Run& run, Real Q) {
  run.write(c::txtQi, Q);
  run.form().format_results();
  return Outcome::done;
}

Outcome curb_opening_in_sag(Run& run) {
  const UnitCoefficients& k = run.set_coefficients({.gutter_flow = true, .weir = &weir_curb_values,
                                                     .unit_length = true, .grate_weir = true,
                                                     .gravity = true});
  const Real ulf = widen(k.unit_length_factor);
  const Real g = widen(k.gravity);

  const ApproachFlow in = read_approach_flow(run);
  const auto& [Q, Qs, S, n, W, Sx, Sw, Wa, a, Tallow] = in;
  const Real h = run.number(c::txthco);
  const Real degrees = run.number(c::txtAngle);
  const Real L = run.number(c::cboLength);

  write_approach_spread(run, in.spread());
  // The opening height and the depression, in ft (m in metric units).
  const Real h_ft = h / ulf;
  const Real a_ft = a / ulf;
  const Real Lw = Wa == 0 ? L : L + 1.8 * Wa;
  const Real dw = weir_depth(Q, widen(k.weir_coefficient), Lw, 0.667);
  const Real d_o = orifice_depth(Q, 0.67 * h_ft * L, g);

  const int code = throat_code(run.text(c::cboThroat));
  const Real theta = throat_angle(code, degrees);
  Real di = 0.0;
  switch (code) {
    case 1: di = d_o + h_ft / 2; break;
    case 2: di = d_o + h_ft / 2 * sin(theta); break;
    case 3: di = d_o; break;
    default: break;
  }

  Real Tc = 0.0;
  if (dw <= h_ft) {
    run.write(c::txtResFlo, weir_flow);
  } else {
    run.write(c::txtResFlo, orifice_flow);
    Tc = (di - a_ft) / Sx + Wa;
  }
  Real Topen = dw / Sx;
  if (Tc > Topen) Topen = Tc;
  const Real dc = Sx * Topen;

  run.write(c::txtSpread, Topen);
  run.write(c::txtEPeri, Lw);
  run.write(c::txtDepth, dc * ulf);
  run.write(c::txtdi, (dc + a_ft) * ulf);
  return finish(run, Q);
}

Outcome grate_in_sag(Run& run) {
  const UnitCoefficients& k = run.set_coefficients(
      {.gutter_flow = true, .weir = &weir_grate_values, .unit_length = true, .gravity = true});
  const bool en = run.english();
  const Real ulf = widen(k.unit_length_factor);

  const ApproachFlow in = read_approach_flow(run);
  const auto& [Q, Qs, S, n, W, Sx, Sw, Wa, a, Tallow] = in;
  const Real P = run.number(c::txtPeri);
  const Real A = run.number(c::txtArea);
  const Real Wg = run.number(c::txtWg);
  const Real C = run.number(c::cboClog);

  // Inputs the check turns down are refused even when they left no spread.
  const std::optional<Real> T = gutter_spread(run, in.spread());
  if (T) run.write(c::txtGutterSpread, *T);
  if (!(P > 0 && A > 0 && Wg > 0 && Sx >= 0 && Sw >= Sx)) {
    run.tell(msg_invalid_input);
    run.form().clear_results();
    return Outcome::refused;
  }
  if (!T) throw Fault{};

  const Real f = 1 - C / 100;
  const Real Ae = A * f;
  // Against the curb, the grate's side there takes no water.
  const Real Pe = run.text(c::cboCurb) == "With Curb" ? ((P - 2 * Wg) / 2 + 2 * Wg) * f : P * f;
  const Real dw = weir_depth(Q, widen(k.weir_coefficient), Pe, 0.6667);
  const Real d_o = orifice_depth(Q, 0.67 * Ae, widen(k.gravity));

  const bool weir = en ? dw < grate_weir_limit_ft : dw * ulf < grate_weir_limit_mm;
  run.write(c::txtResFlo, weir ? weir_flow : orifice_flow);
  const Real d = weir ? dw : d_o;

  const Real a_ft = a / ulf;
  const bool depression = a_ft != 0 && Wa != 0;
  Real di = 0.0;
  if (W == 0 || Sw == Sx) {
    di = depression ? d + a_ft : d;
  } else if (W < 0) {
    run.tell(msg_input_error, title_error);
  } else {
    di = depression ? Wg * Sw + d + a_ft : d + (Sw - Sx) * W;
  }

  run.write(c::txtSpread, d / Sx);
  run.write(c::txtRA, Ae);
  run.write(c::txtRP, Pe);
  run.write(c::txtDepth, d * ulf);
  run.write(c::txtdi, di * ulf);
  return finish(run, Q);
}

Outcome combination_in_sag(Run& run) {
  const UnitCoefficients& k = run.set_coefficients({.gutter_flow = true, .weir = &weir_curb_values,
                                                     .unit_length = true, .grate_weir = true,
                                                     .gravity = true});
  const Real ulf = widen(k.unit_length_factor);

  const ApproachFlow in = read_approach_flow(run);
  const auto& [Q, Qs, S, n, W, Sx, Sw, Wa, a, Tallow] = in;
  const Real L = run.number(c::cboLength);
  const Real h = run.number(c::txthco);
  const Real degrees = run.number(c::txtAngle);
  const Real P = run.number(c::txtPeri);
  const Real A = run.number(c::txtArea);
  run.number(c::txtWg);  // changes no result, but must be a number
  const Real C = run.number(c::cboClog);

  write_approach_spread(run, in.spread());
  const Real h_ft = h / ulf;
  const Real x = (Sw - Sx) * W + a / ulf;  // gutter and local depression
  const int code = throat_code(run.text(c::cboThroat));
  const Real theta = throat_angle(code, degrees);

  const Real f = 1 - C / 100;
  const Real Ae = A * f;
  const Real Pe = P * f;
  const Real Lw = Wa == 0 ? L : L + 1.8 * Wa;

  Real dw = 0.0;
  Real d_o = 0.0;
  if (C != 100 && P != 0 && A != 0) {
    dw = weir_depth(Q, widen(k.grate_weir_coefficient), Pe, 0.6667);
    if (dw > h_ft) {
      const Solution depth = Common_Libraries::combination_sag_depth(
          Q.value(), Ae.value(), k.gravity, h_ft.value(), h_ft.value(), L.value(), code,
          theta.value());
      if (depth.note != SolverNote::none) run.tell(msg_check_discharge);
      d_o = depth.value;
    }
  } else {
    // A grate that cannot take water leaves the curb opening alone.
    dw = weir_depth(Q, widen(k.weir_coefficient), Lw, 0.667);
    d_o = orifice_depth(Q, 0.67 * h_ft * L, widen(k.gravity));
  }
  const Real d = dw >= d_o ? dw : d_o;
  run.write(c::txtResFlo, dw <= h_ft ? weir_flow : orifice_flow);

  run.write(c::txtSpread, d / Sx);
  run.write(c::txtRA, Ae);
  run.write(c::txtRP, Pe);
  run.write(c::txtEPeri, Lw);
  run.write(c::txtDepth, d * ulf);
  run.write(c::txtdi, (x + d) * ulf);
  return finish(run, Q);
}

Outcome slot_in_sag(Run& run) {
  const UnitCoefficients& k = run.set_coefficients(
      {.gutter_flow = true, .weir = &weir_slot_values, .unit_length = true, .gravity = true});
  const bool en = run.english();
  const Real ulf = widen(k.unit_length_factor);

  const ApproachFlow in = read_approach_flow(run);
  const auto& [Q, Qs, S, n, W, Sx, Sw, Wa, a, Tallow] = in;
  const Real w = run.number(c::txtslotw);

  const Real T = write_approach_spread(run, in.spread());
  const Real dc = T > W ? (T - W) * Sx + W * Sw : Sw * T;
  run.write(c::txtDepth, dc * ulf);
  const Real w_ft = w / ulf;

  const Real C = run.number(c::cboClog);
  const Real L = run.number(c::cboLength);
  const Real Le = L * (1 - C / 100);
  const Real dw = weir_depth(Q, widen(k.weir_coefficient), Le, 0.667);
  const Real d_o = orifice_depth(Q, 0.8 * Le * w_ft, widen(k.gravity));

  Real d = dw;
  if (dw < (en ? slot_weir_limit_ft : slot_weir_limit_m)) {
    run.write(c::txtResFlo, weir_flow);
  } else if (dw > (en ? slot_orifice_limit_ft : slot_orifice_limit_m)) {
    run.write(c::txtResFlo, orifice_flow);
    d = d_o;
  } else {
    run.write(c::txtResFlo, transition_flow);
    d = (d_o + dw) / 2;
  }

  const Real di = (Sw - Sx) * W + d + a / ulf;
  run.write(c::txtSpread, d / Sx);
  run.write(c::txtElength, Le);
  run.write(c::txtdi, di * ulf);
  return finish(run, Q);
}

Outcome grate_in_ditch_in_sag(Run& run) {
  const UnitCoefficients& k =
      run.set_coefficients({.weir = &weir_grate_values, .unit_length = true, .gravity = true});

  const Real Q = run.number(c::QTotal);
  const Real P = run.number(c::txtPeri);
  const Real A = run.number(c::txtArea);
  run.number(c::txtWg);  // changes no result, but must be a number
  const Real C = run.number(c::cboClog);

  const Real f = 1 - C / 100;
  const Real Ae = A * f;
  const Real Pe = P * f;
  const Real dw = weir_depth(Q, widen(k.weir_coefficient), Pe, 0.6667);
  const Real d_o = orifice_depth(Q, 0.67 * Ae, widen(k.gravity));
  // The deeper of the two governs.
  const bool weir = dw > d_o;
  run.write(c::txtResFlo, weir ? weir_flow : orifice_flow);
  const Real d = weir ? dw : d_o;

  run.write(c::txtdi, d * widen(k.unit_length_factor));
  run.write(c::txtRA, Ae);
  run.write(c::txtRP, Pe);
  return finish(run, Q);
}

}  // namespace

Outcome CI_SU_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, curb_opening_in_sag);
}

Outcome GI_SU_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, grate_in_sag);
}

Outcome COMBO_SU_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, combination_in_sag);
}

Outcome SI_SU_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, slot_in_sag);
}

Outcome TRAP_SU_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, grate_in_ditch_in_sag);
}

}  // namespace rg::hyd
