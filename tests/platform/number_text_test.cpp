#include "platform/text/ascii_case.h"
#include "platform/text/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace rg::text;

constexpr double kInf = std::numeric_limits<double>::infinity(), kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ParseNumber, AcceptsPlainDecimalsAroundBlanksAndNothingElse) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"2", 2.0},    {" 2 ", 2.0},     {"\t0.015", 0.015}, {"1.5", 1.5},    {".5", 0.5},
               {"5.", 5.0},   {"-0.25", -0.25}, {"+3", 3.0},        {"1E-05", 1e-5}, {"2.5e3", 2500.0},
               {"007", 7.0},  {"0.0000", 0.0}, {"2.5\n", 2.5}, {"0.0833\r\n", 0.0833}};
  for (const auto& c : cases) EXPECT_EQ(parse_number(c.text), c.value) << c.text;
  for (const char* text : {"", " ", ".", "-", "+", "1,5", "abc", "1.2.3", "1e", "e5", "2 3",
                           "0x10", "1e999", "nan", "inf", "1.5cfs", "--1"}) {
    EXPECT_FALSE(parse_number(text).has_value()) << '"' << text << '"';
  }
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheDecimalDigits) {
  struct Case {
    double value;
    const char* pattern;
    std::string text;
  } cases[] = {
      // printf would give 0.062; 1.0005 and 2.675 are a shade less in binary.
      {0.0625, "0.000", "0.063"},  {2.675, "0.00", "2.68"},      {1.0005, "0.000", "1.001"},
      {-0.0625, "0.000", "-0.063"}, {2.0, "#0.000", "2.000"},   {0.01, "0.0000", "0.0100"},
      {174.62720000000002, "0.0000", "174.6272"},              {9.99951, "0.000", "10.000"},
      {0.0004, "0.000", "0.000"},  {0.0005, "0.000", "0.001"},   {-0.0001, "0.000", "0.000"},
      {12345.678, "0.0", "12345.7"}, {2.5, "0", "3"},           {-2.5, "#0", "-3"},
      {1.0e-20, "0.000", "0.000"}, {0.5, "#0.000", "0.500"},     {1e20, "0.000", "100000000000000000000.000"},
      {1.5e300, "0.0", "15" + std::string(299, '0') + ".0"},
      {kInf, "0.000", ""}, {-kInf, "0.0", ""}, {kNaN, "0", ""},  // no text for a value that is not finite
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_number(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
  }
}

TEST(FormatText, FormatsNumbersAndLeavesOtherTextAlone) {
  for (const auto& [text, shown] : {std::pair{" 2 ", "2.000"}, {"0.0625", "0.063"}, {"Weir Flow", "Weir Flow"}, {"", ""}})
    EXPECT_EQ(format_text(text, "#0.000"), shown) << text;
}

TEST(PlainText, FifteenDigitsWhereTheyReadBackElseSixteenElseSeventeen) {
  // The general notation of 15, 16 or 17 significant digits, whichever is the
  // first to read back: no trailing zeros, an exponent "E+xx" (two digits at
  // least) below 1E-04 or from 10 to the power of the digit count up.
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0"}, {-0.0, "0"}, {3.0, "3"}, {-2.26, "-2.26"}, {0.1, "0.1"}, {8.6, "8.6"}, {0.0001, "0.0001"},
      {1e-5, "1E-05"}, {-1.2e-5, "-1.2E-05"}, {1.5e300, "1.5E+300"}, {1e-300, "1E-300"}, {100.0, "100"},
      {123456789012345.0, "123456789012345"},      // 15 digits, fixed
      {1e15, "1E+15"},                             // 1 digit, but past 15
      {9007199254740992.0, "9007199254740992"},    // 2^53: 16 digits, fixed
      {1e16, "1E+16"},
      {18014398509481984.0, "18014398509481984"},  // 2^54: no 16 digits read back
      {1.0 / 3.0, "0.3333333333333333"}, {0.1 + 0.2, "0.30000000000000004"},
      {1.234567890123456e-7, "1.234567890123456E-07"},  // no 15 digits come within its ulp
      // Below the normal range 15 digits read back though fewer would.
      {4.9406564584124654e-324, "4.94065645841247E-324"},
      {kInf, ""}, {-kInf, ""}, {kNaN, ""},  // no text for a value that is not finite
  };
  for (const auto& c : cases) EXPECT_EQ(plain_text(c.value), c.text) << c.text;
}

TEST(DecimalText, FifteenDigitsNeverAnExponent) {
  struct Case {
    double value;
    std::string text;
  } cases[] = {{0.8 * 1.5, "1.2"},   {0.0001 * 0.05, "0.000005"}, {2.125, "2.125"}, {0.0, "0"},
               {1.0 / 3.0, "0.333333333333333"}, {1234567.0, "1234567"},     {-0.25, "-0.25"},
               {0.9 * 1e308, "9" + std::string(307, '0')}, {kInf, ""}, {-kInf, ""}, {kNaN, ""}};
  for (const auto& c : cases) EXPECT_EQ(decimal_text(c.value), c.text);
}

// Inlet numbers compare as the database's NOCASE columns do: whatever the
// locale, only A-Z pair with a-z.
TEST(AsciiCase, PairsOnlyTheAsciiLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {{"A-1b", "a-1B", true}, {"", "", true},   {"a1", "a10", false},
               {"[", "{", false},      {"@", "`", false}, {"\xC3\x89", "\xC3\xA9", false}};  // É, é
  for (const auto& c : cases) EXPECT_EQ(iequal(c.a, c.b), c.same) << c.a << " / " << c.b;
}
