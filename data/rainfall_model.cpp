#include "rainfall_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace rg::data {
namespace {

// Key intensities (in/hr) at the two ends of the scale, by return period in the
// order of storm_return_periods.
struct Anchor {
  int years;
  KeyIntensities mountains;
  KeyIntensities coast;
};
constexpr std::array<Anchor, 6> anchors{{
    {2, {4.6, 1.35}, {5.9, 1.85}},
    {5, {5.4, 1.70}, {6.7, 2.35}},
    {10, {6.1, 2.05}, {7.4, 2.75}},
    {25, {6.9, 2.45}, {8.4, 3.35}},
    {50, {7.5, 2.78}, {9.3, 3.85}},
    {100, {8.1, 3.10}, {10.3, 4.40}},
}};

// The offset of the station and county curves (minutes). One value for every
// return period keeps the curves of one place from crossing: the longer storm's
// curve then starts higher and falls more slowly.
constexpr double storm_offset = 10.0;

// The scale runs along a line 20 degrees south of east, measured in kilometres
// from a point in the middle of the state.
constexpr double origin_latitude = 37.5;
constexpr double origin_longitude = -79.5;
constexpr double axis_degrees_south_of_east = 20.0;
constexpr double mountains_km = -300.0;  // scale 0
constexpr double coast_km = 340.0;       // scale 1

// Rounded to a number of decimals, as a published table gives its coefficients.
double rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

double between(double mountains, double coast, double at) {
  return std::exp((1.0 - at) * std::log(mountains) + at * std::log(coast));
}

}  // namespace

double coast_index(const Location& place) {
  constexpr double to_radians = std::numbers::pi / 180.0;
  const double km_east = (place.longitude - origin_longitude) * 111.32 *
                         std::cos(origin_latitude * to_radians);
  const double km_north = (place.latitude - origin_latitude) * 110.57;
  const double angle = axis_degrees_south_of_east * to_radians;
  const double along = km_east * std::cos(angle) - km_north * std::sin(angle);
  return std::clamp((along - mountains_km) / (coast_km - mountains_km), 0.0, 1.0);
}

KeyIntensities key_intensities(double coast, int years) {
  for (const auto& a : anchors) {
    if (a.years == years) {
      return {between(a.mountains.five_minutes, a.coast.five_minutes, coast),
              between(a.mountains.sixty_minutes, a.coast.sixty_minutes, coast)};
    }
  }
  throw std::invalid_argument("no rainfall for a return period of " + std::to_string(years) +
                              " years");
}

StormCurve storm_curve(const Location& place, int years) {
  const auto key = key_intensities(coast_index(place), years);
  const double d = storm_offset;
  const double e = std::log(key.five_minutes / key.sixty_minutes) / std::log((60.0 + d) / (5.0 + d));
  const double b = key.five_minutes * std::pow(5.0 + d, e);
  return {rounded(b, 3), rounded(d, 1), rounded(e, 4)};
}

CountyCurve county_curve(const Location& place, int years) {
  const auto key = key_intensities(coast_index(place), years);
  const double i5 = key.five_minutes;
  const double i60 = key.sixty_minutes;
  const double b = (60.0 * i60 - 5.0 * i5) / (i5 - i60);
  const double a = i5 * (5.0 + b);
  return {rounded(a, 2), rounded(b, 3)};
}

}  // namespace rg::data
