#pragma once
// The gutter-flow steps the computations on a grade share, the splash-over
// table of the grate types, and the grate and curb-opening efficiencies.
// Internal to this library: values are checked Reals.

#include <span>
#include <string_view>

#include "hydraulics/checked.h"

namespace rg::hyd {

// Share of the gutter flow over width X of spread T: 1 / (1 + r / ((1 + r/(T/X - 1))^2.67 - 1)), r = Sw/Sx.
Real frontal_flow_ratio(Real T, Real X, Real Sw, Real Sx);
// The same with r worked out once by a caller that repeats it.
Real frontal_flow_ratio(Real T, Real X, Real r);

// S'w: the gutter depression, and a local depression of width Wa and depth a
// (in or mm, hence ulf), spread over the wider of W and Wa.
Real depressed_gutter_slope(Real W, Real Sw, Real Sx, Real Wa, Real a, Real ulf);

// Se = Sx + S'w Eo.
Real equivalent_cross_slope(Real Sx, Real Spw, Real Eo);

// LT = Kc Q^0.42 S^0.3 (1 / (n Se))^0.6.
Real length_for_total_interception(Real Kc, Real Q, Real S, Real n, Real Se);

// Depth at the curb, in in or mm.
Real depth_at_curb(Real T, Real W, Real Sx, Real Sw, Real ulf);

// Flow area of the gutter section.
Real gutter_flow_area(Real T, Real W, Real Sx, Real Sw);

// One row of the splash-over table: velocities in ft/s against grate lengths in ft.
struct SplashOver {
  std::string_view english_name;
  std::string_view metric_name;
  double vmax;            // top of the linear fit's range
  double a0, a1;          // Vo = a0 + a1 L, for 4.5 < L < 10
  double c2, c1, c0;      // Vo = c2 L^2 + c1 L + c0, for 0 < L <= 4.5
};

std::span<const SplashOver> splash_over_table();

// The row either of whose names is the grate-type text; the degree sign counts
// the same in UTF-8 and as the single Windows-1252 byte older records hold.
const SplashOver* find_grate_type(std::string_view text);

// Rf for a grate of length L (ft or m) at gutter velocity V (ft/s or m/s).
Real frontal_efficiency(std::string_view grate_type, Real L, Real V, bool english);

// Rs = 1 / (1 + Ks V^1.8 / (Sx L^2.3)).
Real side_flow_efficiency(Real Ks, Real V, Real Sx, Real L);

// E = Rf Eo + Rs (1 - Eo), at most 1.
Real grate_efficiency(Real Rf, Real Eo, Real Rs);

// Efficiency of a curb opening of length L against the length LT for total interception.
Real curb_opening_efficiency(Real L, Real LT);

}  // namespace rg::hyd
