// The rainfall databases: their tables and columns are what the look-ups name, and
// every row must give intensities a designer can trust.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/noaa_stations.h"
#include "sqlite_file.h"

namespace rg::data_test {
namespace {

double real(const Cell& cell) {
  if (const auto* d = std::get_if<double>(&cell)) return *d;
  if (const auto* i = std::get_if<long long>(&cell)) return static_cast<double>(*i);
  ADD_FAILURE() << "a coefficient is not a number";
  return std::nan("");
}

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

const std::vector<RainfallTable> rainfall_tables{
    {"VARMNOAA.rdb", "STORMDATA", "NOAA_STATION", {2, 5, 10, 25, 50, 100}, "BDE", storm_formula},
    {"VARMSTORM.rdb", "STORMDATA", "COUNTY_NAME", {2, 5, 10, 25, 50, 100}, "BDE", storm_formula},
    {"VArainfall.rdb", "VARAINFALL", "COUNTY_NAME", {2, 10, 25, 50, 100}, "AB", county_formula},
};

std::vector<std::string> coefficient_columns(const RainfallTable& t) {
  std::vector<std::string> names;
  for (int n : t.years) {
    for (char letter : t.letters) names.push_back("YEAR" + std::to_string(n) + letter);
  }
  return names;
}

// A place's coefficients, by return period.
struct PlaceRow {
  std::string name;
  std::vector<std::vector<double>> by_period;
};

std::vector<PlaceRow> read_rows(const RainfallTable& t) {
  SqliteFile db(program_file(t.file));
  std::string sql = std::string("SELECT ") + t.key;
  for (const auto& c : coefficient_columns(t)) sql += ", " + c;
  sql += std::string(" FROM ") + t.table;
  std::vector<PlaceRow> rows;
  for (const auto& row : db.query(sql)) {
    PlaceRow place{std::get<std::string>(row.at(0)), {}};
    std::size_t column = 1;
    for (std::size_t p = 0; p < t.years.size(); ++p) {
      std::vector<double> coefficients;
      for (std::size_t k = 0; k < t.letters.size(); ++k) coefficients.push_back(real(row.at(column++)));
      place.by_period.push_back(coefficients);
    }
    rows.push_back(std::move(place));
  }
  return rows;
}

// The coefficients the query selects for one named place; empty when it has no row.
std::vector<double> coefficients_of(const char* file, const std::string& sql, const std::string& name) {
  SqliteFile db(program_file(file));
  const auto rows = db.query(sql, {name});
  std::vector<double> out;
  if (rows.size() == 1) {
    for (const auto& cell : rows[0]) out.push_back(real(cell));
  }
  return out;
}

// The intensities that every place must reach, at 5 and at 60 minutes, for the
// return periods that bound the range (in/hr, with a little tolerance).
struct Band {
  int years;
  double minutes;
  double low;
  double high;
};
constexpr Band bands[] = {
    {2, 5, 4.5, 6.0},  {10, 5, 6.0, 7.5},  {100, 5, 8.0, 10.5},
    {2, 60, 1.3, 1.9}, {10, 60, 2.0, 2.8}, {100, 60, 3.0, 4.5},
};
constexpr double band_tolerance = 0.05;

TEST(RainfallData, TablesHaveTheColumnsTheLookUpsName) {
  for (const auto& t : rainfall_tables) {
    SqliteFile db(program_file(t.file));
    std::vector<std::string> expected;
    if (std::string(t.table) == "VARAINFALL") expected.push_back("COUNTY_NO");
    expected.push_back(t.key);
    for (const auto& c : coefficient_columns(t)) expected.push_back(c);
    EXPECT_EQ(db.columns(t.table), expected) << t.file;
  }
  SqliteFile noaa(program_file("VARMNOAA.rdb"));
  EXPECT_EQ(noaa.columns("VACOUNTY"), std::vector<std::string>{"COUNTY_NAME"});
}

TEST(RainfallData, EveryRowGivesIntensitiesThatRiseWithReturnPeriodAndFallWithTc) {
  for (const auto& t : rainfall_tables) {
    const auto rows = read_rows(t);
    ASSERT_FALSE(rows.empty()) << t.file;
    for (const auto& place : rows) {
      const std::string where = std::string(t.file) + " \"" + place.name + "\"";
      for (const auto& coefficients : place.by_period) {
        for (double c : coefficients) EXPECT_GT(c, 0.0) << where;
      }
      for (int tc = 5; tc <= 180; ++tc) {
        for (std::size_t p = 0; p < t.years.size(); ++p) {
          const double i = t.intensity(place.by_period[p], tc);
          if (p > 0) {
            EXPECT_GT(i, t.intensity(place.by_period[p - 1], tc))
                << where << ", " << t.years[p] << " years, Tc " << tc;
          }
          if (tc > 5) {
            EXPECT_LT(i, t.intensity(place.by_period[p], tc - 1))
                << where << ", " << t.years[p] << " years, Tc " << tc;
          }
        }
      }
    }
  }
}

TEST(RainfallData, EveryRowFallsInTheRegionalRanges) {
  for (const auto& t : rainfall_tables) {
    for (const auto& place : read_rows(t)) {
      for (const auto& band : bands) {
        const auto p = std::find(t.years.begin(), t.years.end(), band.years) - t.years.begin();
        const double i = t.intensity(place.by_period.at(static_cast<std::size_t>(p)), band.minutes);
        EXPECT_GE(i, band.low - band_tolerance)
            << t.file << " \"" << place.name << "\" " << band.years << " years, " << band.minutes << " min";
        EXPECT_LE(i, band.high + band_tolerance)
            << t.file << " \"" << place.name << "\" " << band.years << " years, " << band.minutes << " min";
      }
    }
  }
}

TEST(RainfallData, TheCoastRainsHarderThanTheMountains) {
  struct Pair {
    const char* file;
    const char* sql;
    const char* coast;
    const char* mountains;
  };
  const Pair pairs[] = {
      {"VARMNOAA.rdb", "SELECT YEAR10B, YEAR10D, YEAR10E FROM STORMDATA WHERE NOAA_STATION = ?",
       "Norfolk WSO Airport", "Big Stone Gap"},
      {"VARMSTORM.rdb", "SELECT YEAR10B, YEAR10D, YEAR10E FROM STORMDATA WHERE COUNTY_NAME = ?",
       "Isle of Wight", "Highland"},
  };
  for (const auto& pair : pairs) {
    const auto coast = coefficients_of(pair.file, pair.sql, pair.coast);
    const auto mountains = coefficients_of(pair.file, pair.sql, pair.mountains);
    ASSERT_EQ(coast.size(), 3u) << pair.coast;
    ASSERT_EQ(mountains.size(), 3u) << pair.mountains;
    EXPECT_GT(storm_formula(coast, 60.0), storm_formula(mountains, 60.0) + 0.2) << pair.file;
  }
}

// Worked by hand from the model in data/rainfall_model.md (the note shows the steps).
TEST(RainfallData, WorkedRowsMatchTheModel) {
  const auto richmond = coefficients_of(
      "VARMNOAA.rdb", "SELECT YEAR10B, YEAR10D, YEAR10E FROM STORMDATA WHERE NOAA_STATION = ?",
      "Richmond WSO Airport");
  ASSERT_EQ(richmond.size(), 3u);
  EXPECT_NEAR(richmond[0], 41.996, 1e-9);
  EXPECT_NEAR(richmond[1], 10.0, 1e-9);
  EXPECT_NEAR(richmond[2], 0.6589, 1e-9);

  const auto henrico = coefficients_of(
      "VArainfall.rdb", "SELECT YEAR10A, YEAR10B FROM VARAINFALL WHERE COUNTY_NAME = ?", "Henrico");
  ASSERT_EQ(henrico.size(), 2u);
  EXPECT_NEAR(henrico[0], 219.45, 1e-9);
  EXPECT_NEAR(henrico[1], 26.198, 1e-9);
}

TEST(RainfallData, CountyListsAgreeAcrossTheFiles) {
  SqliteFile noaa(program_file("VARMNOAA.rdb"));
  const auto counties = noaa.texts("SELECT COUNTY_NAME FROM VACOUNTY ORDER BY COUNTY_NAME");
  EXPECT_EQ(counties.size(), 95u);
  EXPECT_EQ(std::set<std::string>(counties.begin(), counties.end()).size(), 95u);
  EXPECT_EQ(counties.front(), "Accomack");  // the details dialog's default county
  EXPECT_EQ(counties.back(), "York");
  for (const char* county : {"Isle of Wight", "King and Queen", "Prince William", "Charles City"}) {
    EXPECT_EQ(std::count(counties.begin(), counties.end(), county), 1) << county;
  }

  SqliteFile storm(program_file("VARMSTORM.rdb"));
  EXPECT_EQ(storm.texts("SELECT COUNTY_NAME FROM STORMDATA ORDER BY COUNTY_NAME"), counties);

  SqliteFile older(program_file("VArainfall.rdb"));
  EXPECT_EQ(older.texts("SELECT COUNTY_NAME FROM VARAINFALL ORDER BY COUNTY_NAME"), counties);
  // Numbered 1 to 95 in alphabetical order.
  const auto numbered = older.query("SELECT COUNTY_NO, COUNTY_NAME FROM VARAINFALL ORDER BY COUNTY_NO");
  ASSERT_EQ(numbered.size(), counties.size());
  for (std::size_t i = 0; i < numbered.size(); ++i) {
    EXPECT_EQ(std::get<long long>(numbered[i][0]), static_cast<long long>(i + 1));
    EXPECT_EQ(std::get<std::string>(numbered[i][1]), counties[i]);
  }
}

TEST(RainfallData, StationTableHoldsExactlyTheProgramsStationList) {
  SqliteFile noaa(program_file("VARMNOAA.rdb"));
  const auto& names = rg::app::noaa_station_names();
  // Byte for byte, so a trimmed name would differ; and in the upgrade dialog's
  // order under the query the station box runs, letter case ignored.
  EXPECT_EQ(noaa.texts("select NOAA_STATION from STORMDATA Order by NOAA_STATION"), names);
}

}  // namespace
}  // namespace rg::data_test
