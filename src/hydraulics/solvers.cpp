#include "hydraulics/solvers.h"

#include "hydraulics/checked.h"
#include "hydraulics/gutter_flow.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {

// The depths of the sag march: 0.002, then each the one before plus 0.001, the
// last bits of every sum included, up to max_sag_depth. Every block-th depth is
// kept; the others are walked to from the mark before them by the same additions.
class SagGrid {
 public:
  static constexpr int block = 64;

  SagGrid() {
    double d = 0.001;
    for (;;) {
      d = d + 0.001;
      if (d > max_sag_depth) break;
      if (count_ % block == 0) marks_.push_back(d);
      ++count_;
    }
  }

  int count() const { return count_; }
  double mark(int j) const { return marks_[static_cast<std::size_t>(j)]; }
  double depth(int k) const {
    double d;
    walk(k, k + 1, &d);
    return d;
  }

  // The depths of steps first .. last - 1, all in one block, into out.
  void walk(int first, int last, double* out) const {
    double d = mark(first / block);
    for (int k = first / block * block; k < first; ++k) d = d + 0.001;
    for (int k = first; k < last; ++k) {
      out[k - first] = d;
      d = d + 0.001;
    }
  }

 private:
  std::vector<double> marks_;
  int count_ = 0;
};

const SagGrid& sag_grid() {
  static const SagGrid grid;
  return grid;
}

// First index in (below, above) at which at(index) holds, or above; at does
// not hold at below, and must not turn false again once true.
template <class At>
int halve(int below, int above, At at) {
  while (above - below > 1) {
    const int mid = below + (above - below) / 2;
    if (at(mid)) {
      above = mid;
    } else {
      below = mid;
    }
  }
  return above;
}

// The same over [lo, hi), galloping from lo first: cheap when the index is near lo.
template <class At>
int gallop(int lo, int hi, At at) {
  int below = lo - 1;  // the last index known not to hold
  int probe = lo;
  for (int gap = 1; probe < hi && !at(probe); gap *= 2) {
    below = probe;
    probe = below + gap;
  }
  return halve(below, probe < hi ? probe : hi, at);
}

// First step in [lo, hi) of the grid whose depth satisfies holds, or hi; holds
// must not turn false again once true over those steps. The marks narrow it to
// one block, the block's depths are walked out and halved.
template <class Holds>
int first_step_holding(int lo, int hi, Holds holds) {
  if (lo >= hi) return hi;
  const SagGrid& grid = sag_grid();
  constexpr int B = SagGrid::block;
  const int j0 = (lo + B - 1) / B;  // marks within [lo, hi)
  const int j1 = (hi - 1) / B;
  int from = lo;
  int to = hi;
  if (j0 <= j1) {
    const int j = gallop(j0, j1 + 1, [&](int m) { return holds(grid.mark(m)); });
    if (j <= j1) {
      from = std::max(lo, (j - 1) * B + 1);
      to = j * B;  // holds there
    } else {
      from = j1 * B + 1;
    }
  }
  if (from >= to) return to;
  double depths[B];
  grid.walk(from, to, depths);
  return from + halve(-1, to - from, [&](int i) { return holds(depths[i]); });
}

enum class SagStep { short_of_flow, carries_flow, fails };

struct SagOrifice {
  double Q;
  double Ae;
  Real gg;
  double hco;
  double L;
  int throat;
  Real drop;  // what the head on the curb opening lies below the depth

  // The curb opening's head at depth d; not positive, the curb opening takes nothing.
  Real curb_head(Real d) const {
    switch (throat) {
      case 1:
      case 2: return d - drop;
      case 3: return d;
      default: return 0.0;  // no curb term for a throat of no known kind
    }
  }

  SagStep at(double depth) const {
    try {
      const Real d = depth;
      const Real di = curb_head(d);
      const Real Qcalc = di <= 0 ? 0.67 * Real(Ae) * sqrt(2 * gg * d)
                                 : 0.67 * (Ae * sqrt(2 * gg * d) + Real(hco) * L * sqrt(2 * gg * di));
      return Q - Qcalc <= 0.001 ? SagStep::carries_flow : SagStep::short_of_flow;
    } catch (const Fault&) {
      return SagStep::fails;
    }
  }

  // With no negative factor, every product, sum and root in the flow is a
  // rounded operation on terms that do not shrink as the depth grows, so the flow
  // does not shrink either, and an overflow (the one failure left) stays once
  // it happens: over the steps, the march's end test never turns false again.
  // That holds while the curb term stays off, and again once it is on; across
  // the switch the flow is grouped differently and may round a hair lower.
  bool only_rises() const {
    const double curb = hco * L;
    return std::isfinite(Q) && std::isfinite(Ae) && Ae >= 0 && gg >= 0 &&
           (throat < 1 || throat > 3 || (std::isfinite(curb) && curb >= 0));
  }
};

// The answer at the step where the march ends.
Solution end_of_march(SagStep step, double d) {
  if (step == SagStep::carries_flow) return {d};
  if (step == SagStep::fails) return {0.0, SolverNote::arithmetic_failure};
  return {0.0, SolverNote::no_convergence};
}

}  // namespace

Solution combination_sag_depth(double Q, double Ae, float g, double hco, double h, double L,
                               int throat, double angle) {
  if (!(Q > 0)) return {0.0, SolverNote::discharge_not_positive};
  try {
    Real drop = 0.0;
    if (throat == 1) drop = Real(h) / 2;
    if (throat == 2) drop = Real(h) / 2 * sin(angle);
    // The first depth is always tried, so a failure here is the first step's.
    const SagOrifice orifice{Q, Ae, static_cast<double>(g), hco, L, throat, drop};
    if (!orifice.only_rises()) {
      // The depth grows by repeated addition of 0.001, not as a multiple of it:
      // the grid's depths are those sums, last bits included.
      double d = 0.001;
      for (;;) {
        d = d + 0.001;
        if (d > max_sag_depth) return {0.0, SolverNote::no_convergence};
        const SagStep step = orifice.at(d);
        if (step != SagStep::short_of_flow) return end_of_march(step, d);
      }
    }
    const SagGrid& grid = sag_grid();
    const auto ends = [&](double d) { return orifice.at(d) != SagStep::short_of_flow; };
    // The steps before the curb opening takes water, then the rest.
    const int on = first_step_holding(0, grid.count(), [&](double d) { return orifice.curb_head(d) > 0; });
    int k = first_step_holding(0, on, ends);
    if (k == on) k = first_step_holding(on, grid.count(), ends);
    if (k == grid.count()) return {0.0, SolverNote::no_convergence};
    const double d = grid.depth(k);
    return end_of_march(orifice.at(d), d);
  } catch (const Fault&) {
    return {0.0, SolverNote::arithmetic_failure};
  }
}

}  // namespace rg::hyd::Common_Libraries
