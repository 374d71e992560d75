// TCSTR, TCOPTIONSTR and the area strings: what a dialog saves reads back as it
// was, and an odd stored text never shifts or loses a row in silence.

#include <gtest/gtest.h>

#include <algorithm>

#include "hydrology/land_use.h"
#include "hydrology/tc_strings.h"

namespace rg::hydrology {
namespace {

// The round trip of a saved TCSTR is checked through the Tc dialog.
TEST(TcStrings, OddStoredTexts) {
  const auto short_text = decode_tcstr("80.000,20.400");
  EXPECT_EQ(short_text.stored_fields, 2u);
  EXPECT_EQ(short_text.fields[1], "20.400");
  EXPECT_FALSE(short_text.fields[2].has_value());  // keeps its control's text
  EXPECT_EQ(decode_tcstr("").stored_fields, 0u);

  // An older record with 28 fields: the last one keeps the rest.
  const auto long_text = decode_tcstr(std::string(26, ',') + "17.564,9.9");
  EXPECT_EQ(long_text.fields[26], "17.564,9.9");

  // A typed "," never reaches the stored text.
  TcTexts texts;
  texts[4] = "Lawns, short";
  const auto encoded = encode_tcstr(texts);
  EXPECT_EQ(std::count(encoded.begin(), encoded.end(), ','), 26);
  EXPECT_EQ(decode_tcstr(encoded).fields[4], "Lawns short");
}

TEST(TcStrings, CheckBoxes) {
  EXPECT_EQ(encode_tcoptionstr({true, true, false, false}), "1,1,0,0");
  EXPECT_EQ(decode_tcoptionstr("1,0,0,1"), (TcChecks{true, false, false, true}));
  EXPECT_EQ(decode_tcoptionstr("0,1"), (TcChecks{false, true, false, false}));  // the rest unchecked
  EXPECT_EQ(decode_tcoptionstr("-1,x,2,0"), (TcChecks{true, false, true, false}));  // any non-zero integer
}

// The round trip of saved rows is checked through the drainage-area dialog.
TEST(AreaStrings, ASideWithNoAreaIsNotEmpty) {
  // 14 and 23 separators.
  for (auto table : {LandUseTable::Rows15, LandUseTable::Rows24}) {
    const auto empty = encode_area_rows(default_area_rows(table)).areabufstr;
    EXPECT_EQ(std::count(empty.begin(), empty.end(), ','), table == LandUseTable::Rows15 ? 14 : 23);
  }
}

TEST(AreaStrings, TextsOfAnotherTable) {
  // Saved under the 24-row table, read under the 15-row one.
  std::string areas = "1.000";
  for (int i = 1; i < 24; ++i) areas += "," + std::to_string(i) + ".000";
  const auto longer = decode_area_rows(LandUseTable::Rows15, areas, "");
  EXPECT_EQ(longer.stored_rows, 24u);
  EXPECT_EQ(longer.rows.areas[14], "14.000");  // the last row, not the rest of the text
  EXPECT_EQ(longer.rows.cs[14], "0.35");        // no C stored: the default
  EXPECT_NE(longer.message().find("24 rows, this table has 15"), std::string::npos);

  const auto shorter = decode_area_rows(LandUseTable::Rows24, "2.000,,1.500", "0.90,0.50,0.45");
  EXPECT_EQ(shorter.stored_rows, 3u);
  EXPECT_EQ(shorter.rows.areas[2], "1.500");
  EXPECT_EQ(shorter.rows.cs[2], "0.45");
  EXPECT_EQ(shorter.rows.cs[3], "0.40");  // row 3's default

  EXPECT_TRUE(decode_area_rows(LandUseTable::Rows24, "", "").matches());  // no saved rows
}

TEST(AreaStrings, CoefficientKeptInItsRange) {
  const struct {
    const char *typed, *range;
    double c;
    const char* shown;
  } cases[] = {{"0.99", "0.90 - 0.95", 0.95, "0.95"}, {"0.1", "0.35 - 0.50", 0.35, "0.35"},
               {"", "0.35 - 0.50", 0.35, "0.35"},     {"0.5", "0.35 - 0.50", 0.5, "0.50"},
               {"0.555", "0.50 - 0.60", 0.555, "0.56"}, {"-0.5", "0.35 - 0.50", 0.35, "0.35"},
               {".", "0.35 - 0.50", 0.35, "0.35"}};
  for (const auto& c : cases) {
    const auto mended = clamp_runoff_c(c.typed, c.range);
    EXPECT_DOUBLE_EQ(mended.c, c.c) << c.typed;
    EXPECT_EQ(mended.text, c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace rg::hydrology
