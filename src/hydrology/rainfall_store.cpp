#include "hydrology/rainfall_store.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/record_set.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

namespace {

constexpr std::array<int, 6> storm_years{2, 5, 10, 25, 50, 100};
constexpr std::array<int, 5> county_years{2, 10, 25, 50, 100};

// The whole number of years a storm-frequency text holds, if it is one of the
// periods any table knows.
std::optional<int> known_years(std::string_view frequency) {
  const auto value = text::parse_number(frequency);
  if (!value || std::trunc(*value) != *value) return std::nullopt;
  const auto found = std::find(storm_years.begin(), storm_years.end(), *value);
  if (found == storm_years.end()) return std::nullopt;
  return *found;
}

}  // namespace

RainfallSource rainfall_source(bool shared_project, std::string_view major_release) {
  if (major_release == "2.1") return RainfallSource::Station;
  return shared_project ? RainfallSource::County : RainfallSource::CountyStorm;
}

std::span<const int> return_periods(RainfallSource source) {
  if (source == RainfallSource::County) return county_years;
  return storm_years;
}

RainfallLookup look_up_rainfall(db::Connection& rainfall, RainfallSource source, std::string_view name,
                                std::string_view storm_frequency) {
  RainfallLookup out;
  out.source = source;
  out.name = name;
  out.frequency = storm_frequency;
  if (text::trim(storm_frequency).empty()) {
    out.problem = LookupProblem::EmptyFrequency;
    return out;
  }
  const auto years = known_years(storm_frequency);
  if (!years) {
    out.problem = LookupProblem::NotAReturnPeriod;
    return out;
  }
  const auto periods = return_periods(source);
  if (std::find(periods.begin(), periods.end(), *years) == periods.end()) {
    out.problem = LookupProblem::NoCoefficients;
    return out;
  }

  // Only a whitelisted number reaches the column names; the name is a parameter.
  const std::string p = "YEAR" + std::to_string(*years);
  const bool county = source == RainfallSource::County;
  const std::string sql =
      county ? "select " + p + "A, " + p + "B from VARAINFALL where COUNTY_NAME = ?"
             : "select " + p + "B, " + p + "D, " + p + "E from STORMDATA where " +
                   (source == RainfallSource::Station ? "NOAA_STATION" : "COUNTY_NAME") + " = ?";
  try {
    db::RecordSet rs;
    rs.open(rainfall, sql, {db::Value(name)});
    if (!rs.has_current_row()) {
      out.problem = LookupProblem::NoRow;
      return out;
    }
    std::array<double, 3> v{};
    for (int i = 0; i < rs.field_count(); ++i) {
      const auto number = rs.value(i).number();
      if (!number) {
        out.problem = LookupProblem::NoCoefficients;
        return out;
      }
      v[static_cast<std::size_t>(i)] = *number;
    }
    auto& c = out.coefficients;
    if (county) {
      c.formula = RainfallCoefficients::Formula::County;
      c.a = v[0];
      c.b = v[1];
    } else {
      c.formula = RainfallCoefficients::Formula::Storm;
      c.b = v[0];
      c.d = v[1];
      c.e = v[2];
    }
  } catch (const db::Error& e) {
    out.problem = LookupProblem::DatabaseError;
    out.database_error = e.description();
  }
  return out;
}

std::string RainfallLookup::message() const {
  const std::string place =
      (source == RainfallSource::Station ? "the NOAA station \"" : "the county \"") + name + "\"";
  const std::string consequence = ": the rainfall intensity cannot be computed.";
  switch (problem) {
    case LookupProblem::None: return "";
    case LookupProblem::EmptyFrequency: return "No storm frequency is chosen" + consequence;
    case LookupProblem::NotAReturnPeriod:
      return "The storm frequency \"" + frequency + "\" is not a return period of the rainfall data" +
             consequence;
    case LookupProblem::NoCoefficients:
      return "The rainfall data hold no coefficients of the " + text::trim(frequency) + "-year storm for " +
             place + consequence;
    case LookupProblem::NoRow: return "The rainfall data hold no row for " + place + consequence;
    case LookupProblem::DatabaseError: return database_error;
  }
  return "";
}

}  // namespace rg::hydrology
