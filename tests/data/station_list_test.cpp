// The program's one list of NOAA stations, which the upgrade dialog offers and
// from which the rainfall file is built.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "app/noaa_stations.h"

namespace {

TEST(NoaaStationList, Has176DistinctNamesInAlphabeticalOrderIgnoringCase) {
  const auto& names = rg::app::noaa_station_names();
  ASSERT_EQ(names.size(), 176u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  auto lower = [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); };
  for (std::size_t i = 1; i < names.size(); ++i) {
    EXPECT_TRUE(std::lexicographical_compare(names[i - 1].begin(), names[i - 1].end(), names[i].begin(),
                                             names[i].end(), lower))
        << '"' << names[i - 1] << "\" before \"" << names[i] << '"';
  }
  // Capitals do not lead: "MC Gaheysville 3 S" stands between "Mathews" and "Meadows".
  const auto mc = std::find(names.begin(), names.end(), "MC Gaheysville 3 S");
  ASSERT_NE(mc, names.end());
  EXPECT_EQ(*(mc - 1) + "|" + *(mc + 1), "Mathews 2 ENE|Meadows of Dan 5 SW");
}

TEST(NoaaStationList, KeepsNamesExactlyWithTheirBlanksAndQuote) {
  const auto& names = rg::app::noaa_station_names();
  auto listed = [&](const std::string& name) { return std::count(names.begin(), names.end(), name) == 1; };
  for (const char* name : {"Blacksburg  ", "Newport  2 NNW", "Stuart's Draft", "Culpeper ", "Danville ", "Floyd ",
                           "Lexington ", "Montebello "}) {
    EXPECT_TRUE(listed(name)) << '"' << name << '"';
  }
  for (const char* name : {"Blacksburg", "Blacksburg ", "Newport 2 NNW", "Culpeper", "Danville", "Floyd",
                           "Lexington", "Montebello"}) {
    EXPECT_FALSE(listed(name)) << '"' << name << '"';
  }
  // Only those six end in a blank.
  EXPECT_EQ(std::count_if(names.begin(), names.end(), [](const std::string& n) { return n.back() == ' '; }), 6);
}

}  // namespace
