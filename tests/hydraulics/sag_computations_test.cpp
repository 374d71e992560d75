// The computations in a sag against results worked by hand, the regime
// switches, the solvers' own messages, and the ways they stop short.

#include "inlet_cases.h"

namespace rg::hyd::testing {
namespace {

constexpr const char* sump = "SUMP";
constexpr const char* en = "ENGLISH";
constexpr const char* si = "METRIC";

Inlet curb(const char* units, std::string changes) { return {"Curb Inlet", sump, units, changes}; }
Inlet grate(const char* units, std::string changes) { return {"Grate Inlet", sump, units, changes}; }
Inlet combination(const char* units, std::string changes) {
  return {"Combination Curb and Grate Inlet", sump, units, changes};
}
Inlet slot(const char* units, std::string changes) { return {"Slotted Inlet", sump, units, changes}; }
Inlet ditch(const char* units, std::string changes) { return {"Grate Inlet in a Ditch", sump, units, changes}; }

// The total flow and the two side flows, each side half the total.
std::string flow(const std::string& total, const std::string& side) {
  return "QTotal=" + total + ", discharge1=" + side + ", discharge2=" + side + ",";
}
std::string curb_opening(const std::string& total, const std::string& side, const std::string& throat) {
  return flow(total, side) + "cboLength=5, cboThroat=" + throat;
}
std::string slotted(const std::string& total, const std::string& side, const std::string& length) {
  return flow(total, side) + "txtWa=0, txta=0, txtslotw=1.75, cboLength=" + length;
}
const std::string plain_gutter = "cboCurb=Without Curb, txtWa=0, txta=0, txtArea=8,";
const std::string orifice_curb = "txtGutterSpread=10.61816, txtResFlo=Orifice Flow, txtSpread=";

struct Case {
  Inlet inlet;
  std::string expected;
  std::vector<std::string> messages = {};  // "title|text" of the plain boxes shown
};

TEST(SagComputations, WriteTheHandWorkedResultsInOrder) {
  const Case cases[] = {
      // dw 0.2842 <= h 0.3333: weir; the spread follows dw / Sx; Lw = 5 + 1.8 * 2.
      {curb(en, curb_opening("3", "1.5", "Vertical")),
       "txtGutterSpread=6.56729, txtResFlo=Weir Flow, txtSpread=13.6645, txtEPeri=8.6,"
       "txtDepth=3.41066, txtdi=5.41066, txtQi=3"},
      // Orifice, but Tc 8.97 < dw / Sx 19.21.
      {curb(en, curb_opening("5", "2.5", "Vertical")),
       "txtGutterSpread=8.54385, txtResFlo=Orifice Flow, txtSpread=19.21174, txtEPeri=8.6,"
       "txtDepth=4.79525, txtdi=6.79525, txtQi=5"},
      // Orifice with Tc = (do - a) / Sx + Wa = 32.351 > 26.285.
      {curb(en, curb_opening("8", "4", "Vertical")),
       orifice_curb + "32.35115, txtEPeri=8.6, txtDepth=8.07485, txtdi=10.07485, txtQi=8"},
      // Horizontal: head do + h/2, Tc = 0.79797 / 0.0208 + 2.
      {curb(en, curb_opening("8", "4", "Horizontal")),
       orifice_curb + "40.36397, txtEPeri=8.6, txtDepth=10.07485, txtdi=12.07485, txtQi=8"},
      // Inclined at 30 degrees: head do + (h/2) sin 30.
      {curb(en, curb_opening("8", "4", "Inclined") + ", txtAngle=30"),
       orifice_curb + "36.35756, txtEPeri=8.6, txtDepth=9.07485, txtdi=11.07485, txtQi=8"},
      // A throat of no known kind: Tc = Wa - a / Sx < 0, so the weir spread stands.
      {curb(en, curb_opening("8", "4", "vertical")),
       orifice_curb + "26.28541, txtEPeri=8.6, txtDepth=6.56084, txtdi=8.56084, txtQi=8"},
      // All flow from side 2: the spread comes from Q2, the depths from QTotal.
      {curb(en, curb_opening("3", "0", "Vertical") + ", discharge2=2, carryover2=1"),
       "txtGutterSpread=9.31525, txtResFlo=Weir Flow, txtSpread=13.6645, txtEPeri=8.6,"
       "txtDepth=3.41066, txtdi=5.41066, txtQi=3"},
      {curb(si, "QTotal=0.15, discharge1=0.1, discharge2=0.05, cboLength=1.5"),
       "txtGutterSpread=3.15308, txtResFlo=Weir Flow, txtSpread=6.46002, txtEPeri=2.58,"
       "txtDepth=129.20031, txtdi=179.20031, txtQi=0.15"},

      // Half clogged against the curb: Pe = ((6 - 4)/2 + 4) * 0.5; depth at the
      // inlet Wg Sw + d + a.
      {grate(en, "cboClog=50"),
       "txtGutterSpread=6.56729, txtResFlo=Weir Flow, txtSpread=26.09937, txtRA=2, txtRP=2.5,"
       "txtDepth=6.5144, txtdi=10.5136, txtQi=3"},
      // Without a depression: d + (Sw - Sx) W.
      {grate(en, "cboCurb=Without Curb, txtWa=0, txta=0"),
       "txtGutterSpread=6.56729, txtResFlo=Weir Flow, txtSpread=14.55939, txtRA=4, txtRP=6,"
       "txtDepth=3.63402, txtdi=5.13402, txtQi=3"},
      // No gutter, with a depression: d + a.
      {grate(en, "cboCurb=Without Curb, txtW=0"),
       "txtGutterSpread=8.0109, txtResFlo=Weir Flow, txtSpread=14.55939, txtRA=4, txtRP=6,"
       "txtDepth=3.63402, txtdi=5.63402, txtQi=3"},
      // A negative gutter width: the solver's box and "Input Error.", no depth at
      // the inlet, and the run goes on.
      {grate(en, "cboCurb=Without Curb, txtW=-1"),
       "txtGutterSpread=0, txtResFlo=Weir Flow, txtSpread=14.55939, txtRA=4, txtRP=6,"
       "txtDepth=3.63402, txtdi=0, txtQi=3",
       {"|You must enter valid data", "Error|Input Error."}},
      // The fixed 17-inch switch: a little more flow gives a shallower depth.
      {grate(en, flow("30", "15") + plain_gutter),
       "txtGutterSpread=18.41991, txtResFlo=Weir Flow, txtSpread=67.5839, txtRA=8, txtRP=6,"
       "txtDepth=16.86894, txtdi=18.36894, txtQi=30"},
      {grate(en, flow("30.5", "15.25") + plain_gutter),
       "txtGutterSpread=18.54143, txtResFlo=Orifice Flow, txtSpread=24.20253, txtRA=8, txtRP=6,"
       "txtDepth=6.04095, txtdi=7.54095, txtQi=30.5"},
      {grate(si, "cboClog=50"),
       "txtGutterSpread=2.25674, txtResFlo=Weir Flow, txtSpread=8.91526, txtRA=0.6, txtRP=0.8,"
       "txtDepth=178.30513, txtdi=278.28513, txtQi=0.1"},
      // Metric switch at 432 mm: a weir depth of 430 mm is still weir flow...
      {grate(si, "QTotal=0.9362, discharge1=0.5, discharge2=0.4362, cboCurb=Without Curb"),
       "txtGutterSpread=6.15751, txtResFlo=Weir Flow, txtSpread=21.50001, txtRA=1.2, txtRP=2,"
       "txtDepth=430.00026, txtdi=529.98026, txtQi=0.9362"},
      // ...and one of 440 mm is orifice flow.
      {grate(si, "QTotal=0.969, discharge1=0.5, discharge2=0.469, cboCurb=Without Curb"),
       "txtGutterSpread=6.15751, txtResFlo=Orifice Flow, txtSpread=3.70174, txtRA=1.2, txtRP=2,"
       "txtDepth=74.03489, txtdi=174.01489, txtQi=0.969"},

      // The grate's weir depth 0.3028 stays below h: no orifice solver.
      {combination(en, flow("3", "1.5") + "cboLength=4"),
       "txtGutterSpread=6.56729, txtResFlo=Weir Flow, txtSpread=14.55939, txtRA=4, txtRP=6,"
       "txtEPeri=7.6, txtDepth=3.63402, txtdi=7.13402, txtQi=3"},
      // dw 0.8855 > h: the solver gives 0.702, and dw governs while the regime
      // reads orifice.
      {combination(en, flow("15", "7.5") + "cboLength=4, txtArea=2"),
       "txtGutterSpread=13.90368, txtResFlo=Orifice Flow, txtSpread=42.5742, txtRA=2, txtRP=6,"
       "txtEPeri=7.6, txtDepth=10.62652, txtdi=14.12652, txtQi=15"},
      // A negative open area leaves the solver without a depth: it says so, and
      // the weir depth governs.
      {combination(en, flow("15", "7.5") + "cboLength=4, txtArea=-2"),
       "txtGutterSpread=13.90368, txtResFlo=Orifice Flow, txtSpread=42.5742, txtRA=-2, txtRP=6,"
       "txtEPeri=7.6, txtDepth=10.62652, txtdi=14.12652, txtQi=15",
       {"|No results computed.  Check your input for discharge."}},
      // Fully clogged grate: the curb opening alone, dw 0.3996 against do 0.3117.
      {combination(en, flow("5", "2.5") + "cboLength=5, cboClog=100"),
       "txtGutterSpread=8.54385, txtResFlo=Orifice Flow, txtSpread=19.21174, txtRA=0, txtRP=0,"
       "txtEPeri=8.6, txtDepth=4.79525, txtdi=8.29525, txtQi=5"},
      // A grate without perimeter also leaves the opening alone; here its orifice
      // depth governs while the regime reads weir.
      {combination(en, flow("1", "0.5") + "cboLength=0.5, txtPeri=0"),
       "txtGutterSpread=2.89493, txtResFlo=Weir Flow, txtSpread=59.9437, txtRA=4, txtRP=0,"
       "txtEPeri=4.1, txtDepth=14.96195, txtdi=18.46195, txtQi=1"},
      // Metric grate weir coefficient 1.6; the solver gives 0.161 m.
      {combination(si, flow("0.5", "0.25") + "cboLength=1.2, txthco=100, txtArea=0.3"),
       "txtGutterSpread=4.66326, txtResFlo=Orifice Flow, txtSpread=14.50407, txtRA=0.3, txtRP=2,"
       "txtEPeri=2.28, txtDepth=290.08135, txtdi=378.06135, txtQi=0.5"},

      {slot(en, slotted("1", "0.5", "20")),
       "txtGutterSpread=2.89493, txtDepth=2.22257, txtResFlo=Weir Flow, txtSpread=3.55673,"
       "txtElength=20, txtdi=2.38776, txtQi=1"},
      // dw 0.2444 within the band: the mean of dw and do 0.1028, below dw.
      {slot(en, slotted("3", "1.5", "10")),
       "txtGutterSpread=6.56729, txtDepth=3.1392, txtResFlo=Transition flow, txtSpread=8.34674,"
       "txtElength=10, txtdi=3.58335, txtQi=3"},
      {slot(en, slotted("8", "4", "10")),
       "txtGutterSpread=10.61816, txtDepth=4.15029, txtResFlo=Orifice Flow, txtSpread=35.14609,"
       "txtElength=10, txtdi=10.27246, txtQi=8"},
      // Half clogged: Le = 10; the depression adds a to the depth at the inlet.
      {slot(en, slotted("3", "1.5", "20") + ", cboClog=50, txtWa=2, txta=2"),
       "txtGutterSpread=6.56729, txtDepth=3.1392, txtResFlo=Transition flow, txtSpread=8.34674,"
       "txtElength=10, txtdi=5.58335, txtQi=3"},
      {slot(si, flow("0.05", "0.025") + "txtWa=0, txta=0, txtslotw=45, cboLength=6"),
       "txtGutterSpread=1.50059, txtDepth=67.99172, txtResFlo=Weir Flow, txtSpread=1.63941,"
       "txtElength=6, txtdi=70.76829, txtQi=0.05"},

      // The deeper of dw 0.6299 and do 0.5541.
      {ditch(en, "QTotal=6, txtPeri=8, txtArea=3, cboClog=50"),
       "txtResFlo=Weir Flow, txtdi=7.55935, txtRA=1.5, txtRP=4, txtQi=6"},
      {ditch(en, "QTotal=20, txtPeri=6, txtArea=2, cboClog=50, discharge1=99"),
       "txtResFlo=Orifice Flow, txtdi=166.24385, txtRA=1, txtRP=3, txtQi=20"},
      {ditch(si, "QTotal=0.2, cboClog=50"), "txtResFlo=Weir Flow, txtdi=243.92181, txtRA=0.6, txtRP=1, txtQi=0.2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(trace(c.inlet));
    RecordingForm form(c.inlet.units);
    EXPECT_EQ(run(form, c.inlet), Outcome::done);
    EXPECT_EQ(plain_messages(form), c.messages);
    expect_results(form, c.expected);
  }
}

TEST(SagComputations, StopShortKeepingWhatWasWritten) {
  // Side flows of 0.3 stay within the 2 ft gutter (T1 = 1.84 ft), so only the
  // spread at the inlet divides by Sx.
  const std::string flat = flow("0.6", "0.3") + "txtSx=0";
  const Stop cases[] = {
      {curb(en, "txthco=0"), Outcome::failed, "txtGutterSpread"},
      {curb(en, flat), Outcome::failed, "txtGutterSpread, txtResFlo"},
      {curb(en, "carryover2="), Outcome::failed, ""},
      // A level gutter or n = 0 leaves no approach spread to show.
      {curb(en, "txtS=0"), Outcome::failed, ""},
      {grate(en, "txtn=0"), Outcome::failed, ""},
      {combination(en, "txtS=0"), Outcome::failed, ""},
      {slot(en, "txtS=0"), Outcome::failed, ""},
      // A fully clogged grate has no perimeter to divide by.
      {grate(en, "cboClog=100"), Outcome::failed, "txtGutterSpread"},
      {grate(en, flat), Outcome::failed, "txtGutterSpread, txtResFlo"},
      // No spread on a flat pavement beyond the gutter: a failure, not a spread of 0.
      {grate(en, "txtSx=0"), Outcome::failed, ""},
      {grate(en, "cboClog=half"), Outcome::failed, ""},
      {combination(en, "txtWg="), Outcome::failed, ""},
      {combination(en, "cboClog=150"), Outcome::failed, "txtGutterSpread"},
      {combination(en, "cboClog=100, cboLength=0"), Outcome::failed, "txtGutterSpread"},
      {combination(en, flat), Outcome::failed, "txtGutterSpread, txtResFlo"},
      // Read late: the spread and the depth at the curb are already written.
      {slot(en, "cboClog=100"), Outcome::failed, "txtGutterSpread, txtDepth"},
      {slot(en, "cboLength=long"), Outcome::failed, "txtGutterSpread, txtDepth"},
      {slot(en, "txtslotw=0"), Outcome::failed, "txtGutterSpread, txtDepth"},
      {slot(en, flat), Outcome::failed, "txtGutterSpread, txtDepth, txtResFlo"},
      {ditch(en, "cboClog=100"), Outcome::failed, ""},
      {ditch(en, "txtPeri=0"), Outcome::failed, ""},
      {ditch(en, "txtWg=wide"), Outcome::failed, ""},
      // An impossible grate or gutter is turned down, a negative Sx (which leaves
      // no spread) included.
      {grate(en, "txtPeri=0"), Outcome::refused, invalid_input},
      {grate(en, "txtArea=-1"), Outcome::refused, invalid_input},
      {grate(en, "txtWg=0"), Outcome::refused, invalid_input},
      {grate(en, "txtSx=-0.01"), Outcome::refused, invalid_input},
      {grate(en, "txtSw=0.01"), Outcome::refused, invalid_input},
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
