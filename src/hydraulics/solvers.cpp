#include "hydraulics/solvers.h"

#include "hydraulics/checked.h"
#include "hydraulics/gutter_flow.h"

namespace rg::hyd::Common_Libraries {

namespace {

constexpr double tolerance = 1e-4;  // a discharge, in cfs or cms
// Bisection on doubles collapses its bracket within a few thousand passes; the
// cap only guards against a bracket that stops shrinking.
constexpr int max_bisections = 10000;

Real triangular_gutter_spread(Real Ku, Real Q, Real S, Real n, Real Sx) {
  return pow(Q * n / (Ku * pow(Sx, 1.67) * pow(S, 0.5)), 1 / 2.67);
}

// Bisection between W and 6 Tallow for a spread wider than the gutter.
Real bisect_composite_spread(Real Ku, Real Q, Real S, Real n, Real W, Real Sx, Real Sw,
                             Real Tallow) {
  const Real top = 6 * Tallow;
  // Factors that do not change from pass to pass, grouped as the formulas group them.
  const Real Qs_factor = Ku / n * pow(Sx, 1.67) * pow(S, 0.5);
  const Real r = Sw / Sx;
  Real low = W;
  Real high = top;
  Real mid = low;
  bool fell_back = false;
  for (int pass = 0; pass < max_bisections; ++pass) {
    const Real old_low = low;
    const Real old_high = high;
    fell_back = false;

    Real T = (low + high) / 2;
    mid = T;
    const Real Qs = Qs_factor * pow(T - W, 2.67);
    const Real Eo = frontal_flow_ratio(T, W, r);
    Real err = Q - Qs / (1 - Eo);

    if (err < -tolerance) high = T;
    if (err >= -tolerance && T <= W + tolerance) {
      T = triangular_gutter_spread(Ku, Q, S, n, Sx);
      err = tolerance;
      fell_back = true;
    }
    if (err > tolerance) low = T;
    if (err <= tolerance && T <= W + tolerance) {
      T = triangular_gutter_spread(Ku, Q, S, n, Sx);
      err = tolerance;
      fell_back = true;
    }
    if (T >= top) return top;
    if (abs(err) < tolerance) return T;
    // An unchanged bracket repeats this pass forever: settle on the answer the
    // bisection was heading for.
    if (low == old_low && high == old_high) break;
  }
  // Next to the gutter width the spread is about W, the midpoint; stuck under
  // the allowable-spread bound, the spread is the bound.
  const bool at_top = !fell_back && high == top && (mid == low || mid == high);
  return at_top ? top : mid;
}

}  // namespace

Solution composite_gutter_spread(float Ku, double Q, double S, double n, double W, double Sx,
                                 double Sw, double /*Wa*/, double Tallow) {
  try {
    const Real ku = static_cast<double>(Ku);
    if (Q > 0 && W > 0 && Sw > 0) {
      const Real T1 = pow(Real(Q) * n / (ku * pow(Sw, 1.67) * pow(S, 0.5)), 1 / 2.67);
      if (T1 <= W) return {T1.value()};
      return {bisect_composite_spread(ku, Q, S, n, W, Sx, Sw, Tallow).value()};
    }
    if (Q <= 0) return {0.0, SolverNote::discharge_not_positive};
    if (W == 0 || Sw == 0) return {triangular_gutter_spread(ku, Q, S, n, Sx).value()};
    return {0.0, SolverNote::invalid_data};
  } catch (const Fault&) {
    return {0.0, SolverNote::arithmetic_failure};
  }
}

Solution ditch_normal_depth(float k, double Q, double S, double n, double B, double zl,
                            double zr) {
  if (!(Q > 0)) return {0.0, SolverNote::discharge_not_positive};
  // A level or reversed ditch carries nothing at any depth, and n must divide.
  if (!(S > 0) || !(n > 0)) return {0.0, SolverNote::invalid_data};
  try {
    const Real kk = static_cast<double>(k);
    Real low = 0.0;
    Real high = Real(Q) + 100;
    for (int pass = 0; pass < max_bisections; ++pass) {
      const Real old_low = low;
      const Real old_high = high;
      const Real y = (low + high) / 2;
      const Real A = B * y + y * y * (Real(zl) + zr) / 2;
      const Real P = B + sqrt(y * zl * (y * zl) + y * y) + sqrt(y * zr * (y * zr) + y * y);
      const Real Qcalc = kk / n * A * pow(A / P, 0.6667) * pow(S, 0.5);
      const Real err = Q - Qcalc;
      if (err < -tolerance) high = y;
      if (err > tolerance) low = y;
      if (abs(err) < tolerance) return {y.value()};
      if (low == old_low && high == old_high) break;
    }
    return {0.0, SolverNote::no_convergence};
  } catch (const Fault&) {
    return {0.0, SolverNote::arithmetic_failure};
  }
}

Solution combination_sag_depth(double Q, double Ae, float g, double hco, double h, double L,
                               int throat, double angle) {
  if (!(Q > 0)) return {0.0, SolverNote::discharge_not_positive};
  try {
    const Real gg = static_cast<double>(g);
    // The depth grows by repeated addition of 0.001, not as a multiple of it:
    // the grid's depths are those sums, last bits included.
    Real d = 0.001;
    for (;;) {
      d = d + 0.001;
      if (d > max_sag_depth) return {0.0, SolverNote::no_convergence};
      Real di = 0.0;  // no curb term for a throat of no known kind
      switch (throat) {
        case 1: di = d - Real(h) / 2; break;
        case 2: di = d - Real(h) / 2 * sin(angle); break;
        case 3: di = d; break;
        default: break;
      }
      const Real Qcalc = di <= 0 ? 0.67 * Real(Ae) * sqrt(2 * gg * d)
                                 : 0.67 * (Ae * sqrt(2 * gg * d) + Real(hco) * L * sqrt(2 * gg * di));
      if (Q - Qcalc <= 0.001) return {d.value()};
    }
  } catch (const Fault&) {
    return {0.0, SolverNote::arithmetic_failure};
  }
}

}  // namespace rg::hyd::Common_Libraries
