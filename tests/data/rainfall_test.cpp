// The rainfall databases: every row gives intensities a designer can trust, the
// rows follow the model, and the files list the same places as the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/noaa_stations.h"
#include "support/sqlite_rows.h"

namespace rg::test {
namespace {

std::filesystem::path program_file(const char* name) { return std::filesystem::path(RG_PROGRAM_DIR) / name; }

// One rainfall table: where it lies, its key column, its return periods and how
// its coefficients make an intensity (in/hr) for a Tc in minutes.
struct RainfallTable {
  const char* file;
  const char* table;
  const char* key;
  std::vector<int> years;
  std::string letters;  // coefficient letters in column order
  double (*intensity)(const std::vector<double>& coefficients, double tc);
};

double storm_formula(const std::vector<double>& c, double tc) { return c[0] / std::pow(tc + c[1], c[2]); }
double county_formula(const std::vector<double>& c, double tc) { return c[0] / (tc + c[1]); }

const RainfallTable kNoaa{"VARMNOAA.rdb", "STORMDATA", "NOAA_STATION", {2, 5, 10, 25, 50, 100}, "BDE", storm_formula};
const RainfallTable kStorm{"VARMSTORM.rdb", "STORMDATA", "COUNTY_NAME", {2, 5, 10, 25, 50, 100}, "BDE", storm_formula};
const RainfallTable kCounty{"VArainfall.rdb", "VARAINFALL", "COUNTY_NAME", {2, 10, 25, 50, 100}, "AB", county_formula};

// A place's coefficients, by return period.
struct Place {
  std::string name;
  std::vector<std::vector<double>> by_period;
  const std::vector<double>& of(const RainfallTable& t, int years) const {
    return by_period.at(static_cast<std::size_t>(std::find(t.years.begin(), t.years.end(), years) - t.years.begin()));
  }
};

std::vector<Place> read_places(const RainfallTable& t) {
  std::string sql = std::string("SELECT ") + t.key;
  for (int n : t.years) {
    for (char letter : t.letters) sql += ", YEAR" + std::to_string(n) + letter;
  }
  std::vector<Place> places;
  for (const auto& row : query_rows(program_file(t.file), sql + " FROM " + t.table)) {
    std::istringstream cells(row);
    Place place;
    std::getline(cells, place.name, '|');
    for (std::size_t p = 0; p < t.years.size(); ++p) {
      std::vector<double> coefficients;
      for (std::string cell; coefficients.size() < t.letters.size() && std::getline(cells, cell, '|');) {
        std::size_t used = 0;
        coefficients.push_back(std::stod(cell, &used));  // Null or a text fails here
        EXPECT_EQ(used, cell.size()) << place.name << ": \"" << cell << "\" is not a number";
      }
      place.by_period.push_back(coefficients);
    }
    places.push_back(std::move(place));
  }
  return places;
}

// The intensities that every place must reach, at 5 and at 60 minutes, for the
// return periods that bound the range (in/hr, with a little tolerance); and
// intensities that rise with the return period at every Tc (with positive
// coefficients both curves fall with Tc).
TEST(RainfallData, EveryRowGivesIntensitiesInTheRegionalRangesThatRiseWithReturnPeriod) {
  const struct {
    int years;
    double minutes, low, high;
  } bands[] = {
      {2, 5, 4.5, 6.0},  {10, 5, 6.0, 7.5},  {100, 5, 8.0, 10.5},
      {2, 60, 1.3, 1.9}, {10, 60, 2.0, 2.8}, {100, 60, 3.0, 4.5},
  };
  for (const auto* t : {&kNoaa, &kStorm, &kCounty}) {
    const auto places = read_places(*t);
    ASSERT_FALSE(places.empty()) << t->file;
    for (const auto& place : places) {
      SCOPED_TRACE(std::string(t->file) + " \"" + place.name + "\"");
      for (const auto& coefficients : place.by_period) {
        for (double c : coefficients) EXPECT_GT(c, 0.0);
      }
      for (const auto& band : bands) {
        const double i = t->intensity(place.of(*t, band.years), band.minutes);
        EXPECT_GE(i, band.low - 0.05) << band.years << " years, " << band.minutes << " min";
        EXPECT_LE(i, band.high + 0.05) << band.years << " years, " << band.minutes << " min";
      }
      for (int tc = 5; tc <= 180; ++tc) {
        for (std::size_t p = 1; p < t->years.size(); ++p) {
          EXPECT_GT(t->intensity(place.by_period[p], tc), t->intensity(place.by_period[p - 1], tc))
              << t->years[p] << " years, Tc " << tc;
        }
      }
    }
  }
}

// Worked by hand from the model in data/rainfall_model.md (the note shows the
// steps), as stored.
TEST(RainfallData, WorkedRowsMatchTheModel) {
  EXPECT_EQ(query_rows(program_file("VARMNOAA.rdb"), "SELECT YEAR10B, YEAR10D, YEAR10E FROM STORMDATA "
                                                     "WHERE NOAA_STATION = 'Richmond WSO Airport'"),
            std::vector<std::string>{"41.996|10.0|0.6589"});
  EXPECT_EQ(query_rows(program_file("VArainfall.rdb"),
                       "SELECT YEAR10A, YEAR10B FROM VARAINFALL WHERE COUNTY_NAME = 'Henrico'"),
            std::vector<std::string>{"219.45|26.198"});
}

TEST(RainfallData, TheFilesListTheSamePlacesAsTheProgram) {
  const auto counties = query_rows(program_file("VARMNOAA.rdb"), "SELECT COUNTY_NAME FROM VACOUNTY ORDER BY COUNTY_NAME");
  EXPECT_EQ(counties.front(), "Accomack");  // the details dialog's default county
  EXPECT_EQ(query_rows(program_file("VARMSTORM.rdb"), "SELECT COUNTY_NAME FROM STORMDATA ORDER BY COUNTY_NAME"),
            counties);
  // Numbered from 1 in alphabetical order.
  const auto numbered =
      query_rows(program_file("VArainfall.rdb"), "SELECT COUNTY_NO, COUNTY_NAME FROM VARAINFALL ORDER BY COUNTY_NO");
  ASSERT_EQ(numbered.size(), counties.size());
  for (std::size_t i = 0; i < numbered.size(); ++i) EXPECT_EQ(numbered[i], std::to_string(i + 1) + "|" + counties[i]);
  // The stations byte for byte, so a trimmed name would differ, and in the
  // upgrade dialog's order under the query the station box runs, letter case
  // ignored. Stored projects name them with their blanks and quote.
  const auto& stations = rg::app::noaa_station_names();
  EXPECT_EQ(query_rows(program_file("VARMNOAA.rdb"), "select NOAA_STATION from STORMDATA Order by NOAA_STATION"),
            stations);
  for (const char* name : {"Blacksburg  ", "Culpeper ", "Stuart's Draft"}) {
    EXPECT_EQ(std::count(stations.begin(), stations.end(), name), 1) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace rg::test
