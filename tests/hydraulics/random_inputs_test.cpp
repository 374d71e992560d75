// Random inputs, zeros, negatives, huge values and texts that are no numbers:
// every computation ends, and writes nothing but finite numbers and regime texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "hydraulics/dispatch.h"
#include "recording_form.h"

namespace rg::hyd::testing {
namespace {

TEST(RandomInputs, EveryComputationEndsAndWritesOnlyFiniteNumbers) {
  std::mt19937 rng(20240611u);
  const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const auto one_of = [&](const std::vector<std::string>& texts) { return texts[pick(texts.size())]; };
  const std::vector<std::string> special = {"0", "-1", "-0.02", "1e-300", "1e300", "1.7e308", "abc", "",
                                            "100", "0.0001", "4.5", "-1e300", "1e-9", "2.0E+2", "  3 ", ".5", "10"};
  const auto number = [&] {
    if (pick(3) == 0) return one_of(special);
    return text::plain_text(std::uniform_real_distribution<double>(pick(4) == 0 ? -10.0 : 0.0, 10.0)(rng));
  };
  const std::vector<std::string> numeric = {
      "QTotal", "discharge1", "carryover1", "discharge2", "carryover2", "allowable_spread", "txtS", "txtn",
      "txtW", "txtSx", "txtSw", "txtWa", "txta", "txtWg", "txtzl", "txtzr", "cboLength", "cboLCOUG",
      "txthco", "txtAngle", "txtPeri", "txtArea", "txtslotw"};
  const std::vector<std::string> grates = {"P-1-7/8", "P-50", "Reticuline", "30\xC2\xB0 Tilt Bar", "Curved Vane", "none", ""};
  const std::vector<std::string> throats = {"Vertical", "Horizontal", "Inclined", "", "vertical"};
  const std::vector<std::string> curbs = {"With Curb", "Without Curb", ""};
  const std::vector<std::string> clogs = {"0", "25", "50", "75", "100", "150", "-50", "x"};
  const auto& results = controls::result_boxes;

  int runs = 0;
  int outcomes[3] = {0, 0, 0};
  for (const InletKind& kind : inlet_kinds()) {
    for (const char* units : {"ENGLISH", "METRIC"}) {
      for (int i = 0; i < 2000; ++i) {
        RecordingForm form(units);
        for (const auto& box : numeric) form.type(box, number());
        form.type("cboType", one_of(grates));
        form.type("cboThroat", one_of(throats));
        form.type("cboCurb", one_of(curbs));
        form.type("cboClog", one_of(clogs));

        const Outcome outcome = kind.compute(form);
        ++runs;
        SCOPED_TRACE(std::string(kind.inlet_type) + " / " + std::string(kind.inlet_location) + " / " +
                     units + " #" + std::to_string(i));
        for (const Event& e : form.of(Event::Kind::text)) {
          ASSERT_NE(std::find(results.begin(), results.end(), std::string_view(e.control)), results.end()) << e.control;
          if (e.text == "Weir Flow" || e.text == "Orifice Flow" || e.text == "Transition flow") continue;
          // A number, hence finite: "NaN" and "Infinity" are not numbers.
          ASSERT_TRUE(text::parse_number(e.text).has_value()) << e.control << " = '" << e.text << "'";
        }
        int exclamations = 0;
        for (const Event& e : form.of(Event::Kind::message)) exclamations += e.icon == MessageIcon::exclamation;
        const std::size_t formats = form.of(Event::Kind::format_results).size();
        const Event::Kind last = form.events.empty() ? Event::Kind::text : form.events.back().kind;
        switch (outcome) {
          case Outcome::done:
            ASSERT_EQ(formats, 1u);
            ASSERT_EQ(last, Event::Kind::format_results);
            ASSERT_EQ(exclamations, 0);
            break;
          case Outcome::failed:
            ASSERT_EQ(formats, 0u);
            ASSERT_EQ(exclamations, 1);
            ASSERT_EQ(form.events.back().icon, MessageIcon::exclamation);
            break;
          case Outcome::refused:
            ASSERT_EQ(formats, 0u);
            ASSERT_EQ(exclamations, 0);
            break;
        }
        // In a sag all the flow is intercepted; nothing is left to bypass.
        if (kind.inlet_location == "SUMP") {
          ASSERT_EQ(form.text("txtQc"), "");
        }
        ++outcomes[static_cast<int>(outcome)];
      }
    }
  }
  // The draw reaches every ending often enough to mean something.
  for (const int n : outcomes) EXPECT_GT(n, runs / 50);
}

}  // namespace
}  // namespace rg::hyd::testing
