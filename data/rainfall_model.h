#pragma once
// The regional model that gives the shipped rainfall tables their coefficients
// (rainfall_model.md tells the model and its numbers). Every place is set on a
// scale from the western mountains (0) to the south-eastern coast (1); the 5- and
// 60-minute intensities of each return period run between the two ends of that
// scale, and the curve coefficients are fitted through those two intensities.

#include <array>

namespace rg::data {

// Return periods (years) of the station and county storm tables, and of the older
// county table, which has no 5-year storm.
inline constexpr std::array<int, 6> storm_return_periods{2, 5, 10, 25, 50, 100};
inline constexpr std::array<int, 5> county_return_periods{2, 10, 25, 50, 100};

// Decimal degrees, west negative.
struct Location {
  double latitude = 0.0;
  double longitude = 0.0;
};

// The place on the mountains-to-coast scale, 0 to 1.
double coast_index(const Location& place);

// Intensities (in/hr) of a 5- and a 60-minute storm.
struct KeyIntensities {
  double five_minutes = 0.0;
  double sixty_minutes = 0.0;
};
// Throws std::invalid_argument for a return period the model does not know.
KeyIntensities key_intensities(double coast, int years);

// I = b / (Tc + d)^e, rounded as stored (b to 0.001, d to 0.1, e to 0.0001).
struct StormCurve {
  double b = 0.0;
  double d = 0.0;
  double e = 0.0;
};
StormCurve storm_curve(const Location& place, int years);

// I = a / (Tc + b), rounded as stored (a to 0.01, b to 0.001).
struct CountyCurve {
  double a = 0.0;
  double b = 0.0;
};
CountyCurve county_curve(const Location& place, int years);

}  // namespace rg::data
