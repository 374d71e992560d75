#include "hydraulics/gutter_flow.h"

#include <array>
#include <string>

namespace rg::hyd {

Real frontal_flow_ratio(Real T, Real X, Real r) {
  return 1 / (1 + r / (pow(1 + r / (T / X - 1), 2.67) - 1));
}

Real frontal_flow_ratio(Real T, Real X, Real Sw, Real Sx) { return frontal_flow_ratio(T, X, Sw / Sx); }

Real depressed_gutter_slope(Real W, Real Sw, Real Sx, Real Wa, Real a, Real ulf) {
  if (Wa == 0 || a == 0) return Sw > Sx ? Sw - Sx : Real(0.0);
  if (Wa <= 0 || a <= 0) return 0.0;
  if (W > 0 && Sw > Sx) return ((Sw - Sx) * W + a / ulf) / (Wa < W ? W : Wa);
  if (W == 0 || Sw == Sx) return a / ulf / Wa;
  return 0.0;
}

Real equivalent_cross_slope(Real Sx, Real Spw, Real Eo) { return Sx + Spw * Eo; }

Real length_for_total_interception(Real Kc, Real Q, Real S, Real n, Real Se) {
  return Kc * pow(Q, 0.42) * pow(S, 0.3) * pow(1 / (n * Se), 0.6);
}

Real depth_at_curb(Real T, Real W, Real Sx, Real Sw, Real ulf) {
  return T > W ? (Sx * T + (Sw - Sx) * W) * ulf : Sw * T * ulf;
}

Real gutter_flow_area(Real T, Real W, Real Sx, Real Sw) {
  return T > W ? Sx * (T * T) / 2 + (Sw - Sx) * (W * W) / 2 : Sw * (T * T) / 2;
}

namespace {

#define RG_DEG "\xC2\xB0"  // the degree sign in UTF-8

// P-1-7/8 keeps a0 = 13.315 although its two fits then jump at 4.5 ft: stored
// results were computed with it.
constexpr std::array<SplashOver, 7> splash_over_rows = {{
    {"P-1-7/8", "P-50", 23.93, 13.315, 1.2593, -0.2667, 3.3, 2.56667},
    {"P-1-1/8", "P-30", 21.31, 5.2286, 1.20029, -0.13333, 2.3, 2.33333},
    {"Curved Vane", "Curved Vane", 21.31, 4.1476, 1.2214, -0.19167, 2.675, 1.366667},
    {"30" RG_DEG " Tilt Bar", "30" RG_DEG "- 85 Tilt Bar", 20.08, 2.2048, 1.3771, -0.075, 1.975, 0.8},
    {"45" RG_DEG " Tilt Bar", "45" RG_DEG "- 85 Tilt Bar", 19.59, 3.9288, 0.9329, -0.15833, 2.225,
     1.183333},
    {"P-1-7/8-4", "P-50x100", 19.51, 3.4786, 1.0029, -0.11667, 2.1, 0.916667},
    {"Reticuline", "Reticuline", 19.53, 2.4333, 1.24, -0.10833, 2.125, 0.33333},
}};

#undef RG_DEG

// A degree sign stored as the lone Windows-1252 byte becomes its UTF-8 form.
std::string with_utf8_degree_sign(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool lone_degree = c == '\xB0' && (i == 0 || text[i - 1] != '\xC2');
    if (lone_degree) out.push_back('\xC2');
    out.push_back(c);
  }
  return out;
}

}  // namespace

std::span<const SplashOver> splash_over_table() { return splash_over_rows; }

const SplashOver* find_grate_type(std::string_view text) {
  const std::string name = with_utf8_degree_sign(text);
  for (const SplashOver& row : splash_over_rows) {
    if (name == row.english_name || name == row.metric_name) return &row;
  }
  return nullptr;
}

Real frontal_efficiency(std::string_view grate_type, Real L, Real V, bool english) {
  // The fits work in ft and ft/s.
  const Real Lf = english ? L : L / 0.3048;
  const Real Vf = english ? V : V / 0.3048;
  const SplashOver* row = find_grate_type(grate_type);
  if (row == nullptr) return 0.0;
  Real Rf = 0.0;
  if (Lf >= 10) {
    Rf = 1.0;
  } else if (Lf > 4.5) {
    Rf = Vf >= row->vmax ? Real(0.0) : 1 - 0.09 * (Vf - (row->a0 + row->a1 * Lf));
  } else if (Lf > 0) {
    // At exactly 4.5 ft the quadratic fit still holds, the one that joins the chart.
    Rf = 1 - 0.09 * (Vf - (row->c2 * Lf * Lf + row->c1 * Lf + row->c0));
  }
  if (Rf > 1) return 1.0;
  if (Rf < 0) return 0.0;
  return Rf;
}

Real side_flow_efficiency(Real Ks, Real V, Real Sx, Real L) {
  return 1 / (1 + Ks * pow(V, 1.8) / (Sx * pow(L, 2.3)));
}

Real grate_efficiency(Real Rf, Real Eo, Real Rs) {
  const Real E = Rf * Eo + Rs * (1 - Eo);
  return E > 1 ? Real(1.0) : E;
}

Real curb_opening_efficiency(Real L, Real LT) {
  return L > LT ? Real(1.0) : 1 - pow(1 - L / LT, 1.8);
}

}  // namespace rg::hyd
