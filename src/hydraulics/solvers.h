#pragma once
// The shared solvers: gutter spread, normal depth in a trapezoidal ditch, and
// the depth at a combination inlet in a sag. They show no messages themselves;
// the note says which message, if any, the calling computation shows.

namespace rg::hyd {

enum class SolverNote {
  none,                    // value is the answer
  discharge_not_positive,  // Q <= 0: "Check your input for discharge."
  invalid_data,            // inputs the solver turns down
  arithmetic_failure,      // a division by zero, an overflow, a negative base to a fractional power...
  no_convergence,          // no answer within the solver's bounds
};

struct Solution {
  double value = 0.0;
  SolverNote note = SolverNote::none;
};

namespace Common_Libraries {

// Spread T (ft or m) of gutter flow Q in a composite gutter (gutter width W at
// cross slope Sw, pavement at Sx), or in a plain triangular gutter when W or Sw
// is 0. Wa is accepted and not used. A spread that would exceed 6 Tallow gives
// 6 Tallow. Notes: discharge_not_positive (Q <= 0), invalid_data (W or Sw
// negative) and arithmetic_failure, each with value 0.
Solution composite_gutter_spread(float Ku, double Q, double S, double n, double W, double Sx,
                                 double Sw, double Wa, double Tallow);

// Normal depth y (ft or m) of flow Q in a trapezoidal ditch of bottom width B and
// side slopes zl, zr (horizontal per vertical). Notes: discharge_not_positive,
// invalid_data (S or n not positive), arithmetic_failure, no_convergence.
Solution ditch_normal_depth(float k, double Q, double S, double n, double B, double zl,
                            double zr);

// Depth d at a combination inlet in a sag running as an orifice: the first depth
// on a 0.001 grid, from 0.002 up, at which the grate (open area Ae) and the curb
// opening (height hco, length L, throat code 1 horizontal, 2 inclined at angle
// radians, 3 vertical, 0 none) carry Q. Notes: discharge_not_positive,
// arithmetic_failure, no_convergence (no such depth up to max_sag_depth).
Solution combination_sag_depth(double Q, double Ae, float g, double hco, double h, double L,
                               int throat, double angle);

inline constexpr double max_sag_depth = 1000.0;

}  // namespace Common_Libraries
}  // namespace rg::hyd
