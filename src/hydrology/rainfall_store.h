#pragma once
// The rainfall look-up: the coefficients of the project's county or NOAA station
// for one storm frequency, from the rainfall database open for the project.
// The name is bound as a parameter; the column names are built only from the
// return periods the table is known to hold.

#include <span>
#include <string>
#include <string_view>

#include "hydrology/formulas.h"

namespace rg::db {
class Connection;
}

namespace rg::hydrology {

// Which table and key the look-up reads, by the project's kind:
//  - County: VARAINFALL of VArainfall.rdb by COUNTY_NAME, I = A / (Tc + B);
//  - CountyStorm: STORMDATA of VARMSTORM.rdb by COUNTY_NAME, I = B / (Tc + D)^E;
//  - Station: STORMDATA of VARMNOAA.rdb by NOAA_STATION, I = B / (Tc + D)^E.
enum class RainfallSource { County, CountyStorm, Station };

// Release "2.1" reads the station data; older projects their county table, the
// shared ones the older county formula.
RainfallSource rainfall_source(bool shared_project, std::string_view major_release);

// The return periods (years) the source's table holds coefficients for.
std::span<const int> return_periods(RainfallSource source);

enum class LookupProblem {
  None,
  EmptyFrequency,    // no storm frequency chosen
  NotAReturnPeriod,  // a storm frequency that is no whole number of years the data know
  NoCoefficients,    // the table has none for that return period, or the row's are empty
  NoRow,             // no row for that county or station
  DatabaseError,     // the database refused the query
};

struct RainfallLookup {
  RainfallSource source = RainfallSource::Station;
  std::string name;       // the county or station asked for
  std::string frequency;  // the storm frequency as asked
  LookupProblem problem = LookupProblem::None;
  RainfallCoefficients coefficients;  // meaningful when ok()
  std::string database_error;         // the database's description, for DatabaseError
  bool ok() const { return problem == LookupProblem::None; }
  // Names what was not found, for a form to show; "" when found.
  std::string message() const;
};

// `name` is the county (County, CountyStorm) or the NOAA station (Station), as
// stored with the project; `storm_frequency` the text of the storm-frequency box.
// Names compare as the rainfall tables compare them (without regard to letter
// case, blanks kept). Never throws for a database failure: it is the outcome.
RainfallLookup look_up_rainfall(db::Connection& rainfall, RainfallSource source, std::string_view name,
                                std::string_view storm_frequency);

}  // namespace rg::hydrology
