// The nine computations and input set-ups, each found by its inlet type and
// location texts: results worked by hand from the formulas, the ways they stop
// short, and random inputs that every computation must survive.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "hydraulics/dispatch.h"
#include "platform/text/number_text.h"
#include "support/fake_inlet_form.h"

namespace rg::hyd {
namespace {

using test::FakeInletForm;

constexpr const char* curb = "Curb Inlet";
constexpr const char* grate = "Grate Inlet";
constexpr const char* combo = "Combination Curb and Grate Inlet";
constexpr const char* slot = "Slotted Inlet";
constexpr const char* ditch = "Grate Inlet in a Ditch";
constexpr const char* grade = "CONTINUOUS GRADE";
constexpr const char* sump = "SUMP";
constexpr const char* en = "ENGLISH";
constexpr const char* si = "METRIC";
constexpr const char* invalid_input = "No results computed.  Invalid input.";

// "box=text, box=text", in order.
std::vector<std::pair<std::string, std::string>> pairs(const std::string& list) {
  std::vector<std::pair<std::string, std::string>> out;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    item = text::trim(item);
    const std::size_t eq = item.find('=');
    if (!item.empty()) out.emplace_back(item.substr(0, eq), eq == std::string::npos ? "" : item.substr(eq + 1));
  }
  return out;
}

// The form's default inputs of a new inlet, flows and list choices added.
const std::string english_inputs =
    "allowable_spread=8.0, txtS=0.010, txtn=0.015, txtW=2.000, txtSx=0.0208, txtSw=0.0833, txtWa=2.000, txta=2.000,"
    "cboLength=2.000, cboLCOUG=2.000, txtWg=2.000, txtzl=3.000, txtzr=3.000, txthco=4.000, txtPeri=6.000,"
    "txtArea=4.000, txtslotw=4.000, txtAngle=0.00, cboType=P-1-7/8, cboThroat=Vertical, cboCurb=With Curb,"
    "cboClog=0, QTotal=3, discharge1=1.5, carryover1=0.0, discharge2=1.5, carryover2=0.0";
const std::string metric_inputs =
    "allowable_spread=3.0, txtS=0.0100, txtn=0.015, txtW=0.6000, txtSx=0.0200, txtSw=0.0833, txtWa=0.6000,"
    "txta=50.0000, cboLength=0.6000, cboLCOUG=0.6000, txtWg=0.6000, txtzl=3.000, txtzr=3.000, txthco=200.0000,"
    "txtPeri=2.0000, txtArea=1.2000, txtslotw=100.0000, txtAngle=0.00, cboType=P-50, cboThroat=Vertical,"
    "cboCurb=With Curb, cboClog=0, QTotal=0.1, discharge1=0.05, carryover1=0.0, discharge2=0.05, carryover2=0.0";

// An inlet in a project of the given unit system (only "ENGLISH" is English),
// the defaults of that system changed by `changes`.
struct Inlet {
  const char* type;
  const char* location;
  const char* units;
  std::string changes = {};
};

// Runs the inlet's computation on a fresh form.
Outcome run(FakeInletForm& form, const Inlet& inlet) {
  const bool english = std::string(inlet.units) == "ENGLISH";
  for (const auto& [box, text] : pairs(english ? english_inputs : metric_inputs)) form.boxes[box] = text;
  for (const auto& [box, text] : pairs(inlet.changes)) form.boxes[box] = text;
  const InletKind* kind = find_inlet_kind(inlet.type, inlet.location);
  if (kind == nullptr) ADD_FAILURE() << "no computation";
  return kind == nullptr ? Outcome::refused : kind->compute(form);
}

// A run of an inlet's computation and what it leaves: the result boxes txtBox
// written, in order ("Box=number" within 1e-4, "Box=text", or "Box" when only
// the writing counts), and the plain boxes shown ("title|text"). Done: nothing
// else written, the results formatted once at the very end. Failed: the boxes
// written before the exclamation box stay, nothing formatted. Refused: a plain
// box, after which a refusal for invalid input empties every result box.
struct Case {
  Inlet inlet;
  std::string written;
  std::vector<std::string> messages = {};
  Outcome outcome = Outcome::done;
};
const std::vector<std::string> refused_invalid = {std::string("|") + invalid_input};
constexpr auto failed = Outcome::failed;
constexpr auto refused = Outcome::refused;

void expect_run(const Case& c) {
  SCOPED_TRACE(std::string(c.inlet.type) + " / " + c.inlet.location + " / " + c.inlet.units + ": " + c.inlet.changes);
  FakeInletForm form(c.inlet.units);
  EXPECT_EQ(run(form, c.inlet), c.outcome);
  std::vector<std::string> messages, order;
  for (const auto& e : form.of("message")) {
    messages.push_back((e.icon == MessageIcon::exclamation ? "!" : "") + e.title + "|" + e.text);
  }
  auto expected = c.messages;
  if (c.outcome == failed) expected.push_back(std::string("!|") + invalid_input);
  EXPECT_EQ(messages, expected);
  const bool clears = c.outcome == refused && c.messages == refused_invalid;
  EXPECT_EQ(form.of("clear").size(), clears ? 1u : 0u);
  EXPECT_EQ(form.of("format").size(), c.outcome == Outcome::done ? 1u : 0u);
  EXPECT_EQ(form.log.back().what, c.outcome == Outcome::done ? "format" : clears ? "clear" : "message");
  if (clears) return;
  for (const auto& [name, want] : pairs(c.written)) {
    const std::string box = "txt" + name;
    order.push_back(box);
    const auto number = text::parse_number(want);
    if (!number) {
      EXPECT_TRUE(want.empty() || form.shown(box) == want) << box << " holds '" << form.shown(box) << "'";
      continue;
    }
    const auto shown = text::parse_number(form.shown(box));
    ASSERT_TRUE(shown.has_value()) << box << " holds '" << form.shown(box) << "'";
    EXPECT_NEAR(*shown, *number, 1e-4) << box;
  }
  EXPECT_EQ(form.written(), order);
}

// The gutter results of the default inputs: T 9.3152 > W, a composite gutter
// with a local depression.
const std::string english_gutter =
    "Spread=9.31525, WT=0.2147, Eo=0.60767, Spw=0.14583, Se=0.10942, lti=11.2055, Depth=3.82509, V=2.91986,";
const std::string metric_gutter =
    "Spread=3.15308, WT=0.19029, Eo=0.55459, Spw=0.14663, Se=0.10132, lti=3.82954, Depth=101.04152, V=0.90242,";
// One ft3/s on a plain pavement of 0.02, S 0.02: T = 6.19456.
const std::string pavement = "QTotal=1, txtS=0.02, txtW=0, txtSx=0.02, txtSw=0.02, cboLength=5,";

TEST(GradeComputations, WriteTheHandWorkedResultsInOrderOrStopShort) {
  const std::string eight = "Spread, WT, Eo, Spw, Se, lti, Depth, V";
  const Case cases[] = {
      // Vo 8.10 > V so Rf = 1.
      {{grate, grade, en}, english_gutter + "E=0.64309, Qi=1.92928, Qc=1.07072"},
      // Fast flow on a short Reticuline grate: Vo 4.150, Rf 0.7343.
      {{grate, grade, en, "txtS=0.08, txtWa=0, txta=0, cboType=Reticuline"},
       "Spread=5.34738, WT=0.37401, Eo=0.86239, Spw=0.0625, Se=0.0747, lti=26.29209, Depth=2.83471, V=7.10256,"
       "E=0.63593, Qi=1.90778, Qc=1.09222"},
      // No gutter: triangular on Sx, W takes the grate width, Eo = 1 - (1 - W/T)^2.67.
      {{grate, grade, en, "QTotal=2, txtS=0.02, txtW=0, txtSx=0.02, txtSw=0.02, txtWa=0, txta=0, cboLength=3,"
                          "cboType=P-1-1/8"},
       "Spread=8.03075, WT=0.24904, Eo=0.53453, Spw=0, Se=0.02, lti=32.25671, Depth=1.92738, V=3.10112, E=0.6177,"
       "Qi=1.23541, Qc=0.76459"},
      {{grate, grade, si}, metric_gutter + "E=0.59127, Qi=0.05913, Qc=0.04087"},
      // y 0.9024 ft; Sx = 1/3 from the side slopes; DSBH = (10 / (3 * 2 * 5))^0.67.
      {{ditch, grade, en, "QTotal=10, txtS=0.005, txtn=0.03, cboLength=3"},
       "Depth=10.82831, Eo=0.42489, FA=4.24748, V=2.35434, WP=7.70702, HydRad=0.55112, Rf=1, Rs=0.8562, E=0.9173,"
       "Qi=9.17297, Qc=0.82703, DSBH=0.47899"},
      // A grate narrower than the bottom sees the side flow on Sx = 0.01.
      {{ditch, grade, en, "QTotal=10, txtS=0.005, txtn=0.03, txtW=3, txtzl=0, txtzr=0, cboLength=3"},
       "Depth=14.81084, Eo=0.66667, FA=3.70271, V=2.70072, WP=5.46847, HydRad=0.6771, Rf=1, Rs=0.12243, E=0.70748,"
       "Qi=7.07478, Qc=2.92522, DSBH=0.47899"},
      // Any unit system but exactly "ENGLISH" is metric.
      {{ditch, grade, "english", "QTotal=0.3, txtS=0.005, txtn=0.03, cboLength=0.9"},
       "Depth=283.70838, Eo=0.41347, FA=0.4117, V=0.72869, WP=2.39433, HydRad=0.17195, Rf=1, Rs=0.84814, E=0.91093,"
       "Qi=0.27328, Qc=0.02672, DSBH=0.15224"},
      // Shallow flow in a V-ditch under a wide grate of no known type: Eo 1.1737,
      // Rf 0, Rs 0.7477 make E -0.130, which counts as 0.
      {{ditch, grade, en, "QTotal=2, txtn=0.03, txtW=0, cboType=Grating"},
       "Depth=6.81614, Eo=1.17368, FA=0.96791, V=2.0663, WP=3.59242, HydRad=0.26943, Rf=0, Rs=0.7477, E=0, Qi=0,"
       "Qc=2, DSBH=0.18921"},
      // Lc = 4 < LT: Ec = 1 - (1 - 4/11.2055)^1.8; the grate takes nothing.
      {{combo, grade, en}, english_gutter + "Qic=1.645, E=0.54833, Qig=0, Qi=1.645, Qc=1.355"},
      {{combo, grade, en, "txtWa=0, txta=0"},
       "Spread=9.31525, WT=0.2147, Eo=0.60767, Spw=0.0625, Se=0.05878, lti=16.26864, Depth=3.82509, V=2.91986,"
       "Qic=1.19481, E=0.39827, Qig=0, Qi=1.19481, Qc=1.80519"},
      {{combo, grade, si}, metric_gutter + "Qic=0.04917, E=0.4917, Qig=0, Qi=0.04917, Qc=0.05083"},
      {{curb, grade, en, "cboLength=5"}, english_gutter + "E=0.65484, Qi=1.96452, Qc=1.03548"},
      // No gutter and no depression: Eo = 0, Se = Sx.
      {{curb, grade, en, pavement + "txtWa=0, txta=0"},
       "Spread=6.19456, WT=0, Eo=0, Spw=0, Se=0.02, lti=24.10946, Depth=1.48669, V=2.60603, E=0.34187, Qi=0.34187,"
       "Qc=0.65813"},
      // No gutter but a depression: W takes Wa, S'w = a / (12 Wa).
      {{slot, grade, en, pavement},
       "Spread=6.19456, WT=0.32286, Eo=0.64689, Spw=0.08333, Se=0.07391, lti=11.00503, Depth=1.48669, V=2.60603,"
       "E=0.6639, Qi=0.6639, Qc=0.3361"},
      {{slot, grade, si, "cboLength=1.5"}, metric_gutter + "E=0.59128, Qi=0.05913, Qc=0.04087"},
      // Stopped short.
      // Rs divides by the grate length.
      {{grate, grade, en, "cboLength=0"}, eight, {}, failed},
      // The spread solver gives 0 for a level gutter, and W/T cannot be worked out.
      {{grate, grade, en, "txtS=0"}, "Spread", {}, failed},
      // W and Wg both 0: Eo divides by W.
      {{grate, grade, en, "txtW=0, txtWg=0"}, "Spread, WT", {}, failed},
      {{curb, grade, en, "cboLength=x"}, eight, {}, failed},
      // W = 0 with a depression wider than the spread: T/Wa - 1 < 0 to the power 2.67.
      {{curb, grade, en, "QTotal=1, txtW=0, txtWa=20"}, "Spread", {}, failed},
      // W = 0, Sw > Sx, no depression: (Sw - Sx) W / W is 0/0.
      {{slot, grade, en, "txtW=0, txtWa=0, txta=0"}, "Spread, WT, Eo", {}, failed},
      // The ditch solver turns down a level ditch instead of running forever.
      {{ditch, grade, en, "txtS=0"}, "", {}, failed},
      {{ditch, grade, en, "cboLength=0"}, "Depth, Eo, FA, V, WP, HydRad, Rf", {}, failed},
      {{ditch, grade, en, "txtW=0, txtzl=0, txtzr=0"}, "", {"|Data Input Error"}, refused},
      // Gutters the combination inlet turns down: Sw < Sx, S or n of 0, Sx < 0.
      {{combo, grade, en, "txtSw=0.01"}, "", refused_invalid, refused},
      {{combo, grade, en, "txtS=0"}, "", refused_invalid, refused},
      {{combo, grade, en, "txtn=0"}, "", refused_invalid, refused},
      {{combo, grade, en, "txtSx=-0.02"}, "", refused_invalid, refused},
  };
  for (const Case& c : cases) expect_run(c);
}

// The total flow and the two side flows, each half of it.
std::string flow(const std::string& total, const std::string& side) {
  return "QTotal=" + total + ", discharge1=" + side + ", discharge2=" + side + ",";
}
const std::string curb_opening = "cboLength=5, cboThroat=";
const std::string slotted = "txtWa=0, txta=0, txtslotw=1.75, cboLength=";
const std::string plain_gutter = "cboCurb=Without Curb, txtWa=0, txta=0, txtArea=8,";
const std::string orifice_curb = "GutterSpread=10.61816, ResFlo=Orifice Flow, Spread=";

TEST(SagComputations, WriteTheHandWorkedResultsInOrderOrStopShort) {
  // Side flows of 0.3 stay within the 2 ft gutter (T1 = 1.84 ft), so only the
  // spread at the inlet divides by Sx.
  const std::string flat = flow("0.6", "0.3") + "txtSx=0";
  const Case cases[] = {
      // dw 0.2842 <= h 0.3333: weir; the spread follows dw / Sx; Lw = 5 + 1.8 * 2.
      {{curb, sump, en, flow("3", "1.5") + curb_opening + "Vertical"},
       "GutterSpread=6.56729, ResFlo=Weir Flow, Spread=13.6645, EPeri=8.6, Depth=3.41066, di=5.41066, Qi=3"},
      // Orifice with Tc = (do - a) / Sx + Wa = 32.351 > 26.285.
      {{curb, sump, en, flow("8", "4") + curb_opening + "Vertical"},
       orifice_curb + "32.35115, EPeri=8.6, Depth=8.07485, di=10.07485, Qi=8"},
      // Horizontal: head do + h/2, Tc = 0.79797 / 0.0208 + 2.
      {{curb, sump, en, flow("8", "4") + curb_opening + "Horizontal"},
       orifice_curb + "40.36397, EPeri=8.6, Depth=10.07485, di=12.07485, Qi=8"},
      // Inclined at 30 degrees: head do + (h/2) sin 30.
      {{curb, sump, en, flow("8", "4") + curb_opening + "Inclined, txtAngle=30"},
       orifice_curb + "36.35756, EPeri=8.6, Depth=9.07485, di=11.07485, Qi=8"},
      // A throat of no known kind: Tc = Wa - a / Sx < 0, so the weir spread stands.
      {{curb, sump, en, flow("8", "4") + curb_opening + "vertical"},
       orifice_curb + "26.28541, EPeri=8.6, Depth=6.56084, di=8.56084, Qi=8"},
      // All flow from side 2: the spread comes from Q2, the depths from QTotal.
      {{curb, sump, en, flow("3", "0") + curb_opening + "Vertical, discharge2=2, carryover2=1"},
       "GutterSpread=9.31525, ResFlo=Weir Flow, Spread=13.6645, EPeri=8.6, Depth=3.41066, di=5.41066, Qi=3"},
      {{curb, sump, si, "QTotal=0.15, discharge1=0.1, discharge2=0.05, cboLength=1.5"},
       "GutterSpread=3.15308, ResFlo=Weir Flow, Spread=6.46002, EPeri=2.58, Depth=129.20031, di=179.20031,"
       "Qi=0.15"},
      // Half clogged against the curb: Pe = ((6 - 4)/2 + 4) * 0.5; depth at the inlet Wg Sw + d + a.
      {{grate, sump, en, "cboClog=50"},
       "GutterSpread=6.56729, ResFlo=Weir Flow, Spread=26.09937, RA=2, RP=2.5, Depth=6.5144, di=10.5136, Qi=3"},
      // Without a depression: d + (Sw - Sx) W.
      {{grate, sump, en, "cboCurb=Without Curb, txtWa=0, txta=0"},
       "GutterSpread=6.56729, ResFlo=Weir Flow, Spread=14.55939, RA=4, RP=6, Depth=3.63402, di=5.13402, Qi=3"},
      // No gutter, with a depression: d + a.
      {{grate, sump, en, "cboCurb=Without Curb, txtW=0"},
       "GutterSpread=8.0109, ResFlo=Weir Flow, Spread=14.55939, RA=4, RP=6, Depth=3.63402, di=5.63402, Qi=3"},
      // A negative gutter width: the solver's box, then "Input Error." and no depth
      // at the inlet, and the run goes on.
      {{grate, sump, en, "cboCurb=Without Curb, txtW=-1"},
       "GutterSpread=0, ResFlo=Weir Flow, Spread=14.55939, RA=4, RP=6, Depth=3.63402, di=0, Qi=3",
       {"|You must enter valid data", "Error|Input Error."}},
      // The fixed 17-inch switch: a little more flow gives a shallower depth.
      {{grate, sump, en, flow("30", "15") + plain_gutter},
       "GutterSpread=18.41991, ResFlo=Weir Flow, Spread=67.5839, RA=8, RP=6, Depth=16.86894, di=18.36894, Qi=30"},
      {{grate, sump, en, flow("30.5", "15.25") + plain_gutter},
       "GutterSpread=18.54143, ResFlo=Orifice Flow, Spread=24.20253, RA=8, RP=6, Depth=6.04095, di=7.54095,"
       "Qi=30.5"},
      // Metric switch at 432 mm: a weir depth of 430 mm is still weir flow, one of 440 mm orifice flow.
      {{grate, sump, si, "QTotal=0.9362, discharge1=0.5, discharge2=0.4362, cboCurb=Without Curb"},
       "GutterSpread=6.15751, ResFlo=Weir Flow, Spread=21.50001, RA=1.2, RP=2, Depth=430.00026, di=529.98026,"
       "Qi=0.9362"},
      {{grate, sump, si, "QTotal=0.969, discharge1=0.5, discharge2=0.469, cboCurb=Without Curb"},
       "GutterSpread=6.15751, ResFlo=Orifice Flow, Spread=3.70174, RA=1.2, RP=2, Depth=74.03489, di=174.01489,"
       "Qi=0.969"},
      // The grate's weir depth 0.3028 stays below h: no orifice solver.
      {{combo, sump, en, flow("3", "1.5") + "cboLength=4"},
       "GutterSpread=6.56729, ResFlo=Weir Flow, Spread=14.55939, RA=4, RP=6, EPeri=7.6, Depth=3.63402, di=7.13402,"
       "Qi=3"},
      // dw 0.8855 > h: the solver gives 0.702, and dw governs while the regime reads orifice.
      {{combo, sump, en, flow("15", "7.5") + "cboLength=4, txtArea=2"},
       "GutterSpread=13.90368, ResFlo=Orifice Flow, Spread=42.5742, RA=2, RP=6, EPeri=7.6, Depth=10.62652,"
       "di=14.12652, Qi=15"},
      // A negative open area leaves the solver without a depth: it says so, and the weir depth governs.
      {{combo, sump, en, flow("15", "7.5") + "cboLength=4, txtArea=-2"},
       "GutterSpread=13.90368, ResFlo=Orifice Flow, Spread=42.5742, RA=-2, RP=6, EPeri=7.6, Depth=10.62652,"
       "di=14.12652, Qi=15",
       {"|No results computed.  Check your input for discharge."}},
      // Fully clogged grate: the curb opening alone, dw 0.3996 against do 0.3117.
      {{combo, sump, en, flow("5", "2.5") + "cboLength=5, cboClog=100"},
       "GutterSpread=8.54385, ResFlo=Orifice Flow, Spread=19.21174, RA=0, RP=0, EPeri=8.6, Depth=4.79525,"
       "di=8.29525, Qi=5"},
      // A grate without perimeter also leaves the opening alone; here its orifice
      // depth governs while the regime reads weir.
      {{combo, sump, en, flow("1", "0.5") + "cboLength=0.5, txtPeri=0"},
       "GutterSpread=2.89493, ResFlo=Weir Flow, Spread=59.9437, RA=4, RP=0, EPeri=4.1, Depth=14.96195, di=18.46195,"
       "Qi=1"},
      // Metric grate weir coefficient 1.6; the solver gives 0.161 m.
      {{combo, sump, si, flow("0.5", "0.25") + "cboLength=1.2, txthco=100, txtArea=0.3"},
       "GutterSpread=4.66326, ResFlo=Orifice Flow, Spread=14.50407, RA=0.3, RP=2, EPeri=2.28, Depth=290.08135,"
       "di=378.06135, Qi=0.5"},
      {{slot, sump, en, flow("1", "0.5") + slotted + "20"},
       "GutterSpread=2.89493, Depth=2.22257, ResFlo=Weir Flow, Spread=3.55673, Elength=20, di=2.38776, Qi=1"},
      // dw 0.2444 within the band: the mean of dw and do 0.1028, below dw.
      {{slot, sump, en, flow("3", "1.5") + slotted + "10"},
       "GutterSpread=6.56729, Depth=3.1392, ResFlo=Transition flow, Spread=8.34674, Elength=10, di=3.58335, Qi=3"},
      {{slot, sump, en, flow("8", "4") + slotted + "10"},
       "GutterSpread=10.61816, Depth=4.15029, ResFlo=Orifice Flow, Spread=35.14609, Elength=10, di=10.27246, Qi=8"},
      // Half clogged: Le = 10; the depression adds a to the depth at the inlet.
      {{slot, sump, en, flow("3", "1.5") + slotted + "20, cboClog=50, txtWa=2, txta=2"},
       "GutterSpread=6.56729, Depth=3.1392, ResFlo=Transition flow, Spread=8.34674, Elength=10, di=5.58335, Qi=3"},
      {{slot, sump, si, flow("0.05", "0.025") + "txtWa=0, txta=0, txtslotw=45, cboLength=6"},
       "GutterSpread=1.50059, Depth=67.99172, ResFlo=Weir Flow, Spread=1.63941, Elength=6, di=70.76829, Qi=0.05"},
      // The deeper of dw 0.6299 and do 0.5541.
      {{ditch, sump, en, "QTotal=6, txtPeri=8, txtArea=3, cboClog=50"},
       "ResFlo=Weir Flow, di=7.55935, RA=1.5, RP=4, Qi=6"},
      {{ditch, sump, en, "QTotal=20, txtPeri=6, txtArea=2, cboClog=50, discharge1=99"},
       "ResFlo=Orifice Flow, di=166.24385, RA=1, RP=3, Qi=20"},
      {{ditch, sump, si, "QTotal=0.2, cboClog=50"}, "ResFlo=Weir Flow, di=243.92181, RA=0.6, RP=1, Qi=0.2"},
      // Stopped short.
      {{curb, sump, en, "txthco=0"}, "GutterSpread", {}, failed},
      {{curb, sump, en, flat}, "GutterSpread, ResFlo", {}, failed},
      {{curb, sump, en, "carryover2="}, "", {}, failed},
      // A level gutter or n = 0 leaves no approach spread to show.
      {{curb, sump, en, "txtS=0"}, "", {}, failed},
      {{grate, sump, en, "txtn=0"}, "", {}, failed},
      // A fully clogged grate has no perimeter to divide by.
      {{grate, sump, en, "cboClog=100"}, "GutterSpread", {}, failed},
      {{grate, sump, en, flat}, "GutterSpread, ResFlo", {}, failed},
      {{combo, sump, en, "txtWg="}, "", {}, failed},
      {{combo, sump, en, "cboClog=150"}, "GutterSpread", {}, failed},
      {{combo, sump, en, "cboClog=100, cboLength=0"}, "GutterSpread", {}, failed},
      {{combo, sump, en, flat}, "GutterSpread, ResFlo", {}, failed},
      // Read late: the spread and the depth at the curb are already written.
      {{slot, sump, en, "cboClog=100"}, "GutterSpread, Depth", {}, failed},
      {{slot, sump, en, "txtslotw=0"}, "GutterSpread, Depth", {}, failed},
      {{slot, sump, en, flat}, "GutterSpread, Depth, ResFlo", {}, failed},
      {{ditch, sump, en, "cboClog=100"}, "", {}, failed},
      {{ditch, sump, en, "txtPeri=0"}, "", {}, failed},
      // An impossible grate or gutter is turned down, a negative Sx (no spread) included.
      {{grate, sump, en, "txtPeri=0"}, "", refused_invalid, refused},
      {{grate, sump, en, "txtArea=-1"}, "", refused_invalid, refused},
      {{grate, sump, en, "txtWg=0"}, "", refused_invalid, refused},
      {{grate, sump, en, "txtSx=-0.01"}, "", refused_invalid, refused},
      {{grate, sump, en, "txtSw=0.01"}, "", refused_invalid, refused},
  };
  for (const Case& c : cases) expect_run(c);
}

// Each kind's set-up leaves every input its computation reads enabled, in the
// window colour and with its text; what it greys it also empties, but for the
// slope a ditch in a sag keeps.
TEST(InputSetup, LeavesWhatTheComputationReadsAndGreysAndEmptiesTheRest) {
  for (const InletKind& kind : inlet_kinds()) {
    SCOPED_TRACE(std::string(kind.inlet_type) + " / " + std::string(kind.inlet_location));
    FakeInletForm form;
    for (const auto& [box, text] : pairs(english_inputs)) form.boxes[box] = text;
    kind.setup_inputs(form);
    EXPECT_EQ(kind.compute(form), Outcome::done);
    for (const auto input : controls::geometry_inputs) {
      const std::string name(input);
      const bool on = form.enabled.at(name);
      EXPECT_TRUE(on || !form.read.contains(name)) << name << " is read but greyed";
      EXPECT_EQ(form.colors.at(name), on ? color_window_background : color_button_face) << name;
      const bool kept = kind.inlet_type == ditch && kind.inlet_location == sump && name == "txtS";
      EXPECT_EQ(form.shown(name).empty(), !on && !kept) << name;
    }
  }
}

// Random inputs, zeros, negatives, huge values and texts that are no numbers:
// every computation ends, and writes nothing but finite numbers and regime texts.
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
  const std::vector<std::vector<std::string>> lists = {
      {"cboType", "P-1-7/8", "P-50", "Reticuline", "30\xC2\xB0 Tilt Bar", "Curved Vane", "none", ""},
      {"cboThroat", "Vertical", "Horizontal", "Inclined", "", "vertical"},
      {"cboCurb", "With Curb", "Without Curb", ""},
      {"cboClog", "0", "25", "50", "75", "100", "150", "-50", "x"}};
  const auto& results = controls::result_boxes;

  int runs = 0;
  int outcomes[3] = {0, 0, 0};
  for (const InletKind& kind : inlet_kinds()) {
    for (const char* units : {"ENGLISH", "METRIC"}) {
      for (int i = 0; i < 2000; ++i, ++runs) {
        FakeInletForm form(units);
        for (const auto box : controls::geometry_inputs) form.boxes[std::string(box)] = number();
        for (const char* box : {"QTotal", "discharge1", "carryover1", "discharge2", "carryover2", "allowable_spread"}) {
          form.boxes[box] = number();
        }
        for (const auto& list : lists) form.boxes[list[0]] = list[1 + pick(list.size() - 1)];
        const Outcome outcome = kind.compute(form);
        SCOPED_TRACE(std::string(kind.inlet_type) + " / " + std::string(kind.inlet_location) + " / " +
                     units + " #" + std::to_string(i));
        for (const auto& e : form.of("text")) {
          ASSERT_NE(std::find(results.begin(), results.end(), std::string_view(e.box)), results.end()) << e.box;
          if (e.text == "Weir Flow" || e.text == "Orifice Flow" || e.text == "Transition flow") continue;
          // A number, hence finite: "NaN" and "Infinity" are not numbers.
          ASSERT_TRUE(text::parse_number(e.text).has_value()) << e.box << " = '" << e.text << "'";
        }
        int exclamations = 0;
        for (const auto& e : form.of("message")) exclamations += e.icon == MessageIcon::exclamation;
        const std::string last = form.log.empty() ? "" : form.log.back().what;
        // Done: formatted once at the end; failed: one exclamation box at the
        // end; refused: a plain box, or nothing.
        ASSERT_EQ(form.of("format").size(), outcome == Outcome::done ? 1u : 0u);
        ASSERT_EQ(exclamations, outcome == Outcome::failed ? 1 : 0);
        ASSERT_TRUE(outcome != Outcome::done || last == "format");
        ASSERT_TRUE(outcome != Outcome::failed || form.log.back().icon == MessageIcon::exclamation);
        // In a sag all the flow is intercepted; nothing is left to bypass.
        ASSERT_TRUE(kind.inlet_location != "SUMP" || form.text("txtQc").empty()) << form.text("txtQc");
        ++outcomes[static_cast<int>(outcome)];
      }
    }
  }
  // The draw reaches every ending often enough to mean something.
  for (const int n : outcomes) EXPECT_GT(n, runs / 50);
}

}  // namespace
}  // namespace rg::hyd
