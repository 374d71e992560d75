// The computations on a continuous grade: the grate inlet, the grate in a ditch,
// the combination inlet and the curb-opening and slotted inlets.

#include "hydraulics/computation.h"
#include "hydraulics/computations.h"
#include "hydraulics/controls.h"
#include "hydraulics/gutter_flow.h"
#include "hydraulics/solvers.h"

namespace rg::hyd {

namespace {

namespace c = controls;

struct GutterFlow {
  Real T;   // spread
  Real W;   // the width the gutter steps work with
  Real Eo;  // frontal-flow ratio
  Real LT;  // length for total interception
  Real V;   // gutter velocity
};

// A spread the solver could not work out is written as 0, which the next step
// cannot divide by.
Real write_spread(Run& run, const GutterInputs& in) {
  const Real T =
      gutter_spread(run, {in.Q, in.S, in.n, in.W, in.Sx, in.Sw, in.Wa, in.Tallow}).value_or(0.0);
  run.write(c::txtSpread, T);
  return T;
}

// From the depressed-gutter slope to the gutter velocity, once T, W and Eo are known.
void write_slopes_to_velocity(Run& run, const GutterInputs& in, GutterFlow& g, Real Spw) {
  const UnitCoefficients& k = run.coefficients();
  const Real ulf = widen(k.unit_length_factor);
  run.write(c::txtSpw, Spw);
  const Real Se = equivalent_cross_slope(in.Sx, Spw, g.Eo);
  run.write(c::txtSe, Se);
  g.LT = length_for_total_interception(widen(k.curb_length_coefficient), in.Q, in.S,
                                       in.n, Se);
  run.write(c::txtlti, g.LT);
  run.write(c::txtDepth, depth_at_curb(g.T, g.W, in.Sx, in.Sw, ulf));
  g.V = in.Q / gutter_flow_area(g.T, g.W, in.Sx, in.Sw);
  run.write(c::txtV, g.V);
}

// The gutter-flow steps of a grate, the grate width standing in for a gutter width of 0.
GutterFlow grate_gutter_flow(Run& run, const GutterInputs& in) {
  GutterFlow g;
  g.T = write_spread(run, in);
  g.W = in.W == 0 ? in.Wg : in.W;
  run.write(c::txtWT, g.W / g.T);
  g.Eo = g.W < g.T ? frontal_flow_ratio(g.T, g.W, in.Sw, in.Sx) : Real(1.0);
  run.write(c::txtEo, g.Eo);
  const Real ulf = widen(run.coefficients().unit_length_factor);
  write_slopes_to_velocity(run, in, g, depressed_gutter_slope(g.W, in.Sw, in.Sx, in.Wa, in.a, ulf));
  return g;
}

void write_intercepted_and_bypass(Run& run, Real Q, Real Qi) {
  run.write(c::txtQi, Qi);
  run.write(c::txtQc, Q - Qi);
}

Outcome finish(Run& run) {
  run.form().format_results();
  return Outcome::done;
}

Outcome grate_on_grade(Run& run) {
  const UnitCoefficients& k = run.set_coefficients(
      {.gutter_flow = true, .side_flow = true, .curb_length = true, .unit_length = true});
  const bool en = run.english();

  const GutterInputs in = read_gutter_inputs(run, true);
  const GutterFlow g = grate_gutter_flow(run, in);
  const Real L = run.number(c::cboLength);
  const Real Rf = frontal_efficiency(run.text(c::cboType), L, g.V, en);
  const Real Rs =
      side_flow_efficiency(widen(k.side_flow_coefficient), g.V, in.Sx, L);
  const Real E = grate_efficiency(Rf, g.Eo, Rs);
  run.write(c::txtE, E);
  write_intercepted_and_bypass(run, in.Q, E * in.Q);
  return finish(run);
}

Outcome grate_in_ditch_on_grade(Run& run) {
  const UnitCoefficients& k =
      run.set_coefficients({.gutter_flow = true, .side_flow = true, .manning_unit = true,
                            .weir = &weir_grate_values, .unit_length = true});
  const bool en = run.english();
  const Real ulf = widen(k.unit_length_factor);

  const Real Q = run.number(c::QTotal);
  const Real S = run.number(c::txtS);
  const Real n = run.number(c::txtn);
  const Real B = run.number(c::txtW);
  const Real zl = run.number(c::txtzl);
  const Real zr = run.number(c::txtzr);
  const Real Wg = run.number(c::txtWg);

  if (B == 0 && zl == 0 && zr == 0) {
    run.tell(msg_data_input_error);
    return Outcome::refused;
  }

  const Solution depth = Common_Libraries::ditch_normal_depth(
      k.manning_unit_factor, Q.value(), S.value(), n.value(), B.value(), zl.value(), zr.value());
  if (depth.note == SolverNote::discharge_not_positive) {
    run.tell_solver_note(depth.note);
  } else if (depth.note != SolverNote::none) {
    throw Fault{};
  }
  const Real y = depth.value;
  run.write(c::txtDepth, y * ulf);

  const Real Eo = Wg / (B + (zl + zr) * y / 2);
  run.write(c::txtEo, Eo);
  const Real A = B * y + zl * (y * y) / 2 + zr * (y * y) / 2;
  run.write(c::txtFA, A);
  const Real V = Q / A;
  run.write(c::txtV, V);
  const Real P = sqrt(y * zl * (y * zl) + y * y) + B + sqrt(y * zr * (y * zr) + y * y);
  run.write(c::txtWP, P);
  run.write(c::txtHydRad, A / P);

  const Real L = run.number(c::cboLength);
  const Real Rf = frontal_efficiency(run.text(c::cboType), L, V, en);
  run.write(c::txtRf, Rf);

  // The slope the side flow runs down: flat bottom beside a narrow grate, else
  // the mean side slope, or nearly vertical where a side is.
  Real Sx = 0.99;
  if (Wg < B) {
    Sx = 0.01;
  } else if (zl != 0 && zr != 0) {
    Sx = 1 / ((zl + zr) / 2);
  }
  const Real Rs = side_flow_efficiency(widen(k.side_flow_coefficient), V, Sx, L);
  run.write(c::txtRs, Rs);

  // A grate wider than the flow makes Eo exceed 1, which can drive E below 0; an
  // inlet never intercepts less than nothing.
  Real E = grate_efficiency(Rf, Eo, Rs);
  if (E < 0) E = 0.0;
  run.write(c::txtE, E);
  write_intercepted_and_bypass(run, Q, E * Q);

  const Real Cw = widen(k.weir_coefficient);
  run.write(c::txtDSBH, pow(Q / (Cw * 2 * (L + Wg)), 0.67));
  return finish(run);
}

Outcome combination_on_grade(Run& run) {
  run.set_coefficients(
      {.gutter_flow = true, .side_flow = true, .curb_length = true, .unit_length = true});

  const GutterInputs in = read_gutter_inputs(run, true);
  if (!(in.S > 0 && in.n > 0 && in.Sx >= 0 && in.Sw >= in.Sx)) {
    run.tell(msg_invalid_input);
    run.form().clear_results();
    return Outcome::refused;
  }
  const GutterFlow g = grate_gutter_flow(run, in);

  // Rated as a curb opening over the grate and the opening upstream of it; the
  // grate itself is credited with nothing.
  const Real L = run.number(c::cboLength);
  const Real Lu = run.number(c::cboLCOUG);
  const Real Ec = curb_opening_efficiency(L + Lu, g.LT);
  const Real Qic = Ec * in.Q;
  run.write(c::txtQic, Qic);
  run.write(c::txtE, Ec > 1 ? Real(1.0) : Ec);
  const Real Qig = 0.0;
  run.write(c::txtQig, Qig);
  write_intercepted_and_bypass(run, in.Q, Qic + Qig);
  return finish(run);
}

Outcome curb_or_slot_on_grade(Run& run) {
  const UnitCoefficients& k =
      run.set_coefficients({.gutter_flow = true, .curb_length = true, .unit_length = true});
  const Real ulf = widen(k.unit_length_factor);

  const GutterInputs in = read_gutter_inputs(run, false);
  GutterFlow g;
  g.T = write_spread(run, in);

  // Without a gutter the local depression, if any, takes the gutter's place.
  const bool depression = in.Wa != 0 && in.a != 0;
  g.W = in.W;
  if (g.W == 0) {
    if (depression) {
      g.W = in.Wa;
      g.Eo = frontal_flow_ratio(g.T, g.W, in.Sw, in.Sx);
    } else {
      g.Eo = 0.0;
    }
  } else if (g.W > 0 && g.W < g.T) {
    g.Eo = in.Sw == in.Sx && !depression ? Real(0.0) : frontal_flow_ratio(g.T, g.W, in.Sw, in.Sx);
  } else {
    g.Eo = 1.0;
  }
  run.write(c::txtWT, g.W / g.T);
  run.write(c::txtEo, g.Eo);

  Real Spw = 0.0;
  if (depression) {
    Spw = depressed_gutter_slope(g.W, in.Sw, in.Sx, in.Wa, in.a, ulf);
  } else if (in.Sw > in.Sx) {
    // W / W stays on purpose: a gutter slope without a gutter width (W of 0)
    // must take the failure path rather than pass as a slope of Sw - Sx.
    Spw = (in.Sw - in.Sx) * g.W / g.W;
  }
  write_slopes_to_velocity(run, in, g, Spw);

  const Real L = run.number(c::cboLength);
  const Real E = curb_opening_efficiency(L, g.LT);
  run.write(c::txtE, E);
  write_intercepted_and_bypass(run, in.Q, E * in.Q);
  return finish(run);
}

}  // namespace

Outcome GI_CG_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, grate_on_grade);
}

Outcome TRAP_CG_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, grate_in_ditch_on_grade);
}

Outcome COMBO_CG_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, combination_on_grade);
}

Outcome CISI_CG_RESULTS::compute(InletFormPort& form) {
  return run_computation(form, curb_or_slot_on_grade);
}

}  // namespace rg::hyd
