// The computations on a continuous grade against results worked by hand, and
// the ways they stop short.

#include "inlet_cases.h"

namespace rg::hyd::testing {
namespace {

constexpr const char* grade = "CONTINUOUS GRADE";
constexpr const char* en = "ENGLISH";
constexpr const char* si = "METRIC";

Inlet grate(const char* units, std::string changes = {}) { return {"Grate Inlet", grade, units, changes}; }
Inlet ditch(const char* units, std::string changes = {}) { return {"Grate Inlet in a Ditch", grade, units, changes}; }
Inlet combination(const char* units, std::string changes = {}) {
  return {"Combination Curb and Grate Inlet", grade, units, changes};
}
Inlet curb(const char* units, std::string changes = {}) { return {"Curb Inlet", grade, units, changes}; }
Inlet slot(const char* units, std::string changes = {}) { return {"Slotted Inlet", grade, units, changes}; }

// The gutter results of the default inputs: T 9.3152 > W, a composite gutter
// with a local depression.
const std::string english_gutter =
    "txtSpread=9.31525, txtWT=0.2147, txtEo=0.60767, txtSpw=0.14583, txtSe=0.10942,"
    "txtlti=11.2055, txtDepth=3.82509, txtV=2.91986,";
const std::string metric_gutter =
    "txtSpread=3.15308, txtWT=0.19029, txtEo=0.55459, txtSpw=0.14663, txtSe=0.10132,"
    "txtlti=3.82954, txtDepth=101.04152, txtV=0.90242,";
// One ft3/s on a plain pavement of 0.02, S 0.02: T = 6.19456.
const std::string no_gutter = "QTotal=1, txtS=0.02, txtW=0, txtSx=0.02, txtSw=0.02, cboLength=5";

TEST(GradeComputations, WriteTheHandWorkedResultsInOrder) {
  const std::pair<Inlet, std::string> cases[] = {
      // Vo 8.10 > V so Rf = 1.
      {grate(en), english_gutter + "txtE=0.64309, txtQi=1.92928, txtQc=1.07072"},
      // Fast flow on a short Reticuline grate: Vo 4.150, Rf 0.7343.
      {grate(en, "txtS=0.08, txtWa=0, txta=0, cboType=Reticuline"),
       "txtSpread=5.34738, txtWT=0.37401, txtEo=0.86239, txtSpw=0.0625, txtSe=0.0747,"
       "txtlti=26.29209, txtDepth=2.83471, txtV=7.10256, txtE=0.63593, txtQi=1.90778, txtQc=1.09222"},
      // No gutter: triangular on Sx, W takes the grate width, Eo = 1 - (1 - W/T)^2.67.
      {grate(en, "QTotal=2, txtS=0.02, txtW=0, txtSx=0.02, txtSw=0.02, txtWa=0, txta=0,"
                 "cboLength=3, cboType=P-1-1/8"),
       "txtSpread=8.03075, txtWT=0.24904, txtEo=0.53453, txtSpw=0, txtSe=0.02, txtlti=32.25671,"
       "txtDepth=1.92738, txtV=3.10112, txtE=0.6177, txtQi=1.23541, txtQc=0.76459"},
      {grate(si), metric_gutter + "txtE=0.59127, txtQi=0.05913, txtQc=0.04087"},
      // y 0.9024 ft; Sx = 1/3 from the side slopes; DSBH = (10 / (3 * 2 * 5))^0.67.
      {ditch(en, "QTotal=10, txtS=0.005, txtn=0.03, cboLength=3"),
       "txtDepth=10.82831, txtEo=0.42489, txtFA=4.24748, txtV=2.35434, txtWP=7.70702,"
       "txtHydRad=0.55112, txtRf=1, txtRs=0.8562, txtE=0.9173, txtQi=9.17297, txtQc=0.82703,"
       "txtDSBH=0.47899"},
      // A grate narrower than the bottom sees the side flow on Sx = 0.01.
      {ditch(en, "QTotal=10, txtS=0.005, txtn=0.03, txtW=3, txtzl=0, txtzr=0, cboLength=3"),
       "txtDepth=14.81084, txtEo=0.66667, txtFA=3.70271, txtV=2.70072, txtWP=5.46847,"
       "txtHydRad=0.6771, txtRf=1, txtRs=0.12243, txtE=0.70748, txtQi=7.07478, txtQc=2.92522,"
       "txtDSBH=0.47899"},
      // Any unit system but exactly "ENGLISH" is metric.
      {ditch("english", "QTotal=0.3, txtS=0.005, txtn=0.03, cboLength=0.9"),
       "txtDepth=283.70838, txtEo=0.41347, txtFA=0.4117, txtV=0.72869, txtWP=2.39433,"
       "txtHydRad=0.17195, txtRf=1, txtRs=0.84814, txtE=0.91093, txtQi=0.27328, txtQc=0.02672,"
       "txtDSBH=0.15224"},
      // Shallow flow in a V-ditch under a wide grate of no known type: Eo 1.1737,
      // Rf 0, Rs 0.7477 make E -0.130, which counts as 0.
      {ditch(en, "QTotal=2, txtn=0.03, txtW=0, cboType=Grating"),
       "txtDepth=6.81614, txtEo=1.17368, txtFA=0.96791, txtV=2.0663, txtWP=3.59242,"
       "txtHydRad=0.26943, txtRf=0, txtRs=0.7477, txtE=0, txtQi=0, txtQc=2, txtDSBH=0.18921"},
      // Lc = 4 < LT: Ec = 1 - (1 - 4/11.2055)^1.8; the grate takes nothing.
      {combination(en), english_gutter + "txtQic=1.645, txtE=0.54833, txtQig=0, txtQi=1.645, txtQc=1.355"},
      {combination(en, "txtWa=0, txta=0"),
       "txtSpread=9.31525, txtWT=0.2147, txtEo=0.60767, txtSpw=0.0625, txtSe=0.05878,"
       "txtlti=16.26864, txtDepth=3.82509, txtV=2.91986, txtQic=1.19481, txtE=0.39827, txtQig=0,"
       "txtQi=1.19481, txtQc=1.80519"},
      {combination(en, "cboLength=0, cboLCOUG=0"),
       english_gutter + "txtQic=0, txtE=0, txtQig=0, txtQi=0, txtQc=3"},
      {combination(si), metric_gutter + "txtQic=0.04917, txtE=0.4917, txtQig=0, txtQi=0.04917, txtQc=0.05083"},
      {curb(en, "cboLength=5"), english_gutter + "txtE=0.65484, txtQi=1.96452, txtQc=1.03548"},
      // No gutter and no depression: Eo = 0, Se = Sx.
      {curb(en, no_gutter + ", txtWa=0, txta=0"),
       "txtSpread=6.19456, txtWT=0, txtEo=0, txtSpw=0, txtSe=0.02, txtlti=24.10946,"
       "txtDepth=1.48669, txtV=2.60603, txtE=0.34187, txtQi=0.34187, txtQc=0.65813"},
      // No gutter but a depression: W takes Wa, S'w = a / (12 Wa).
      {slot(en, no_gutter),
       "txtSpread=6.19456, txtWT=0.32286, txtEo=0.64689, txtSpw=0.08333, txtSe=0.07391,"
       "txtlti=11.00503, txtDepth=1.48669, txtV=2.60603, txtE=0.6639, txtQi=0.6639, txtQc=0.3361"},
      {slot(si, "cboLength=1.5"), metric_gutter + "txtE=0.59128, txtQi=0.05913, txtQc=0.04087"},
  };
  for (const auto& [inlet, expected] : cases) {
    SCOPED_TRACE(trace(inlet));
    RecordingForm form(inlet.units);
    EXPECT_EQ(run(form, inlet), Outcome::done);
    EXPECT_TRUE(form.of(Event::Kind::message).empty());
    expect_results(form, expected);
  }
}

TEST(GradeComputations, StopShortKeepingWhatWasWritten) {
  const std::string eight = "txtSpread, txtWT, txtEo, txtSpw, txtSe, txtlti, txtDepth, txtV";
  const Stop cases[] = {
      // Rs divides by the grate length.
      {grate(en, "cboLength=0"), Outcome::failed, eight},
      {grate(en, "cboLength=two"), Outcome::failed, eight},
      // The spread solver gives 0 for a level gutter, and W/T cannot be worked out.
      {grate(en, "txtS=0"), Outcome::failed, "txtSpread"},
      // W and Wg both 0: Eo divides by W.
      {grate(en, "txtW=0, txtWg=0"), Outcome::failed, "txtSpread, txtWT"},
      {grate(en, "txtWa="), Outcome::failed, ""},
      {combination(en, "cboLCOUG=2 ft"), Outcome::failed, eight},
      {combination(en, "txtWa=abc"), Outcome::failed, ""},
      {curb(en, "cboLength=x"), Outcome::failed, eight},
      // W = 0 with a depression wider than the spread: T/Wa - 1 < 0 to the power 2.67.
      {curb(en, "QTotal=1, txtW=0, txtWa=20"), Outcome::failed, "txtSpread"},
      // W = 0, Sw > Sx, no depression: (Sw - Sx) W / W is 0/0.
      {slot(en, "txtW=0, txtWa=0, txta=0"), Outcome::failed, "txtSpread, txtWT, txtEo"},
      // The ditch solver turns down a level ditch and n = 0 instead of running forever.
      {ditch(en, "txtS=0"), Outcome::failed, ""},
      {ditch(en, "txtn=0"), Outcome::failed, ""},
      {ditch(en, "cboLength=0"), Outcome::failed,
       "txtDepth, txtEo, txtFA, txtV, txtWP, txtHydRad, txtRf"},
      {ditch(en, "txtW=0, txtzl=0, txtzr=0"), Outcome::refused, "Data Input Error"},
      // Gutters the combination inlet turns down: Sw < Sx, S or n of 0, Sx < 0.
      {combination(en, "txtSw=0.01"), Outcome::refused, invalid_input},
      {combination(en, "txtS=0"), Outcome::refused, invalid_input},
      {combination(en, "txtn=0"), Outcome::refused, invalid_input},
      {combination(en, "txtSx=-0.02"), Outcome::refused, invalid_input},
  };
  for (const Stop& stop : cases) {
    SCOPED_TRACE(trace(stop.inlet));
    RecordingForm form(stop.inlet.units);
    EXPECT_EQ(run(form, stop.inlet), stop.outcome);
    expect_stop(form, stop);
  }
}

}  // namespace
}  // namespace rg::hyd::testing
