// Random inputs, zeros, negatives, huge values and texts that are no numbers:
// every computation ends, and writes nothing but finite numbers and regime texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "hydraulics/computations.h"
#include "hydraulics/controls.h"
#include "hydraulics/dispatch.h"
#include "platform/text/number_text.h"
#include "recording_form.h"

namespace rg::hyd::testing {
namespace {

class RandomInputs {
 public:
  explicit RandomInputs(unsigned seed) : rng_(seed) {}

  std::string number() {
    static const char* const special[] = {"0",     "-1",     "-0.02", "1e-300", "1e300", "1.7e308",
                                          "abc",   "",       "100",   "0.0001", "4.5",   "-1e300",
                                          "1e-9",  "2.0E+2", "  3 ",  ".5",     "10"};
    if (pick(3) == 0) return special[pick(std::size(special))];
    std::uniform_real_distribution<double> typical(pick(4) == 0 ? -10.0 : 0.0, 10.0);
    return rg::text::plain_text(typical(rng_));
  }

  std::string one_of(const std::vector<std::string>& texts) { return texts[pick(texts.size())]; }

  std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

 private:
  std::mt19937 rng_;
};

bool is_regime(const std::string& text) {
  return text == "Weir Flow" || text == "Orifice Flow" || text == "Transition flow";
}

bool mentions_non_finite(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

bool is_result_box(const std::string& control) {
  return std::find(controls::result_boxes.begin(), controls::result_boxes.end(), control) !=
         controls::result_boxes.end();
}

TEST(RandomInputs, EveryComputationEndsAndWritesOnlyFiniteNumbers) {
  RandomInputs random(20240611u);
  const std::vector<std::string> numeric = {
      "QTotal", "discharge1", "carryover1", "discharge2", "carryover2", "allowable_spread",
      "txtS",   "txtn",       "txtW",       "txtSx",      "txtSw",      "txtWa",
      "txta",   "txtWg",      "txtzl",      "txtzr",      "cboLength",  "cboLCOUG",
      "txthco", "txtAngle",   "txtPeri",    "txtArea",    "txtslotw"};
  const std::vector<std::string> grates = {"P-1-7/8", "P-50", "Reticuline", "30\xC2\xB0 Tilt Bar",
                                           "Curved Vane", "none", ""};
  const std::vector<std::string> throats = {"Vertical", "Horizontal", "Inclined", "", "vertical"};
  const std::vector<std::string> curbs = {"With Curb", "Without Curb", ""};
  const std::vector<std::string> clogs = {"0", "25", "50", "75", "100", "150", "-50", "x"};

  int runs = 0;
  int outcomes[3] = {0, 0, 0};
  for (const InletKind& kind : inlet_kinds()) {
    for (const char* units : {"ENGLISH", "METRIC"}) {
      for (int i = 0; i < 2000; ++i) {
        RecordingForm form(units);
        for (const auto& box : numeric) form.type(box, random.number());
        form.type("cboType", random.one_of(grates));
        form.type("cboThroat", random.one_of(throats));
        form.type("cboCurb", random.one_of(curbs));
        form.type("cboClog", random.one_of(clogs));

        const Outcome outcome = kind.compute(form);
        ++runs;
        const std::string where = std::string(kind.inlet_type) + " / " +
                                  std::string(kind.inlet_location) + " / " + units + " #" +
                                  std::to_string(i);

        for (const Event& e : form.events) {
          if (e.kind != Event::Kind::text) continue;
          ASSERT_TRUE(is_result_box(e.control)) << where << ": wrote " << e.control;
          ASSERT_FALSE(mentions_non_finite(e.text)) << where << ": " << e.control << " = " << e.text;
          if (is_regime(e.text)) continue;
          const auto value = rg::text::parse_number(e.text);
          ASSERT_TRUE(value.has_value()) << where << ": " << e.control << " = '" << e.text << "'";
        }

        int exclamations = 0;
        for (const Event& e : form.messages()) exclamations += e.icon == MessageIcon::exclamation;
        const int formats = form.count(Event::Kind::format_results);
        switch (outcome) {
          case Outcome::done:
            ASSERT_EQ(formats, 1) << where;
            ASSERT_EQ(form.events.back().kind, Event::Kind::format_results) << where;
            ASSERT_EQ(exclamations, 0) << where;
            break;
          case Outcome::failed:
            ASSERT_EQ(formats, 0) << where;
            ASSERT_EQ(exclamations, 1) << where;
            ASSERT_EQ(form.events.back().icon, MessageIcon::exclamation) << where;
            break;
          case Outcome::refused:
            ASSERT_EQ(formats, 0) << where;
            ASSERT_EQ(exclamations, 0) << where;
            break;
        }
        if (kind.inlet_location == "SUMP") {
          ASSERT_EQ(form.text("txtQc"), "") << where;
        }
        ++outcomes[static_cast<int>(outcome)];
      }
    }
  }
  EXPECT_EQ(runs, 10 * 2 * 2000);
  // The draw reaches every ending often enough to mean something.
  for (const int n : outcomes) EXPECT_GT(n, runs / 50);
  std::printf("done %d, refused %d, failed %d\n", outcomes[0], outcomes[1], outcomes[2]);
}

}  // namespace
}  // namespace rg::hyd::testing
