// The rainfall look-up against the files the program ships with.

#include <gtest/gtest.h>

#include <filesystem>

#include "hydrology/rainfall_store.h"
#include "platform/db/connection.h"

namespace rg::hydrology {
namespace {

struct Rainfall : ::testing::Test {
  db::Connection noaa, storm, county;
  void SetUp() override {
    for (auto [c, file] : {std::pair{&noaa, "VARMNOAA.rdb"}, {&storm, "VARMSTORM.rdb"}, {&county, "VArainfall.rdb"}}) {
      c->open(std::filesystem::path(RG_PROGRAM_DIR) / file, db::Access::ReadOnly);
    }
  }
};

// Which file serves which kind of project is checked by the shell's tests of
// opening each kind.
// The worked rows of the rainfall model (data/rainfall_model.md) are checked
// through the intensities they give, with the look-up on opened projects.
TEST_F(Rainfall, EveryReturnPeriodAndAQuotedName) {
  const struct {
    db::Connection& file;
    RainfallSource source;
    const char* name;
  } places[] = {{noaa, RainfallSource::Station, "Stuart's Draft"},
                {storm, RainfallSource::CountyStorm, "King and Queen"},
                {county, RainfallSource::County, "Accomack"}};
  for (const auto& p : places) {
    for (int years : return_periods(p.source)) {
      const auto found = look_up_rainfall(p.file, p.source, p.name, std::to_string(years));
      EXPECT_TRUE(found.ok()) << p.name << " " << years << ": " << found.message();
      // Each curve gives a usable 5-minute intensity (2 to 12 in/hr).
      const auto i = rainfall_intensity(found.coefficients, 5.0, Units::English);
      EXPECT_TRUE(i.ok() && i.value > 2.0 && i.value < 12.0) << p.name << " " << years;
    }
  }
}

TEST_F(Rainfall, WhatWasNotFoundIsNamed) {
  const struct {
    db::Connection& file;
    RainfallSource source;
    const char* name;
    const char* frequency;
    LookupProblem problem;
    const char* message;
  } cases[] = {
      {noaa, RainfallSource::Station, "Atlantis", "10", LookupProblem::NoRow,
       "The rainfall data hold no row for the NOAA station \"Atlantis\": the rainfall intensity cannot be computed."},
      {noaa, RainfallSource::Station, "Culpeper", "10", LookupProblem::NoRow, nullptr},  // stored "Culpeper "
      {county, RainfallSource::County, "Henrico", "5", LookupProblem::NoCoefficients,
       "The rainfall data hold no coefficients of the 5-year storm for the county \"Henrico\": the rainfall "
       "intensity cannot be computed."},
      {noaa, RainfallSource::Station, "Stuart's Draft", "", LookupProblem::EmptyFrequency,
       "No storm frequency is chosen: the rainfall intensity cannot be computed."},
      {noaa, RainfallSource::Station, "Stuart's Draft", "7", LookupProblem::NotAReturnPeriod, nullptr},
      {noaa, RainfallSource::Station, "Stuart's Draft", "2.5", LookupProblem::NotAReturnPeriod, nullptr},
      // The wrong file for the project: the database's own description.
      {noaa, RainfallSource::County, "Henrico", "10", LookupProblem::DatabaseError, nullptr},
  };
  for (const auto& c : cases) {
    const auto found = look_up_rainfall(c.file, c.source, c.name, c.frequency);
    EXPECT_EQ(found.problem, c.problem) << c.name << " " << c.frequency;
    if (c.message) {
      EXPECT_EQ(found.message(), c.message);
    }
    EXPECT_FALSE(found.message().empty());
  }
}

}  // namespace
}  // namespace rg::hydrology
