#pragma once
// The boxes of the inlet design form that code outside the form reaches by
// name: the computations and input set-ups, and the form's adapter that maps
// the flow data of the hydrology procedures and dialogs (port.h) onto its boxes.
// A Box is made from a name at compile time, and a name missing from
// `box_names` fails to build; a test of the form checks that it has a control
// of every name listed.

#include <algorithm>
#include <array>
#include <string_view>

namespace rg::hyd {

inline constexpr std::array<std::string_view, 69> box_names = {
    // Flow data.
    "QTotal", "discharge1", "carryover1", "discharge2", "carryover2", "allowable_spread",
    "storm_frequency", "Cf", "Tc", "TcStr", "Tcoptionstr", "Check_ComputeTc",
    "areabufstr1", "areabufstr2", "cbufstr1", "cbufstr2", "totalarea1", "totalarea2",
    "totalca1", "totalca2", "Intensity", "inlet_location",
    // Inlet details.
    "txtS", "txtn", "txtW", "txtSx", "txtSw", "txtWa",
    "txta", "txtWg", "txtzl", "txtzr", "cboLength", "cboLCOUG",
    "cboType", "txthco", "cboThroat", "txtAngle", "txtPeri", "txtArea",
    "cboClog", "cboCurb", "txtslotw",
    // Results.
    "txtSpread", "txtWT", "txtEo", "txtSpw", "txtSe", "txtlti",
    "txtE", "txtV", "txtDepth", "txtQi", "txtQc", "txtQic",
    "txtQig", "txtFA", "txtWP", "txtHydRad", "txtRf", "txtRs",
    "txtDSBH", "txtEPeri", "txtdi", "txtResFlo", "txtRP", "txtRA",
    "txtElength", "txtGutterSpread",
};

class Box {
 public:
  // Implicit, so that a listed name can stand where a box is asked for.
  consteval Box(const char* name) : name_(name) {
    // Not a constant expression, so a name that is not listed fails to build.
    if (std::find(box_names.begin(), box_names.end(), name_) == box_names.end()) throw "not a listed box";
  }
  constexpr std::string_view name() const { return name_; }
  constexpr operator std::string_view() const { return name_; }
  friend constexpr bool operator==(Box, Box) = default;

 private:
  std::string_view name_;
};

namespace controls {

// A text that names something (a list item, a caption); boxes are Box.
using Name = std::string_view;

// Flow data.
inline constexpr Box QTotal = "QTotal";
inline constexpr Box discharge1 = "discharge1";
inline constexpr Box carryover1 = "carryover1";
inline constexpr Box discharge2 = "discharge2";
inline constexpr Box carryover2 = "carryover2";
inline constexpr Box allowable_spread = "allowable_spread";

// Inlet details, in the order of the details tab.
inline constexpr Box txtS = "txtS";
inline constexpr Box txtn = "txtn";
inline constexpr Box txtW = "txtW";
inline constexpr Box txtSx = "txtSx";
inline constexpr Box txtSw = "txtSw";
inline constexpr Box txtWa = "txtWa";
inline constexpr Box txta = "txta";
inline constexpr Box txtWg = "txtWg";
inline constexpr Box txtzl = "txtzl";
inline constexpr Box txtzr = "txtzr";
inline constexpr Box cboLength = "cboLength";
inline constexpr Box cboLCOUG = "cboLCOUG";
inline constexpr Box cboType = "cboType";
inline constexpr Box txthco = "txthco";
inline constexpr Box cboThroat = "cboThroat";
inline constexpr Box txtAngle = "txtAngle";
inline constexpr Box txtPeri = "txtPeri";
inline constexpr Box txtArea = "txtArea";
inline constexpr Box cboClog = "cboClog";
inline constexpr Box cboCurb = "cboCurb";
inline constexpr Box txtslotw = "txtslotw";

inline constexpr std::array<Box, 21> geometry_inputs = {
    txtS,    txtn,     txtW,    txtSx,     txtSw,    txtWa,   txta,
    txtWg,   txtzl,    txtzr,   cboLength, cboLCOUG, cboType, txthco,
    cboThroat, txtAngle, txtPeri, txtArea,  cboClog,  cboCurb, txtslotw};

// Results.
inline constexpr Box txtSpread = "txtSpread";
inline constexpr Box txtWT = "txtWT";
inline constexpr Box txtEo = "txtEo";
inline constexpr Box txtSpw = "txtSpw";
inline constexpr Box txtSe = "txtSe";
inline constexpr Box txtlti = "txtlti";
inline constexpr Box txtE = "txtE";
inline constexpr Box txtV = "txtV";
inline constexpr Box txtDepth = "txtDepth";
inline constexpr Box txtQi = "txtQi";
inline constexpr Box txtQc = "txtQc";
inline constexpr Box txtQic = "txtQic";
inline constexpr Box txtQig = "txtQig";
inline constexpr Box txtFA = "txtFA";
inline constexpr Box txtWP = "txtWP";
inline constexpr Box txtHydRad = "txtHydRad";
inline constexpr Box txtRf = "txtRf";
inline constexpr Box txtRs = "txtRs";
inline constexpr Box txtDSBH = "txtDSBH";
inline constexpr Box txtEPeri = "txtEPeri";
inline constexpr Box txtdi = "txtdi";
inline constexpr Box txtResFlo = "txtResFlo";
inline constexpr Box txtRP = "txtRP";
inline constexpr Box txtRA = "txtRA";
inline constexpr Box txtElength = "txtElength";
inline constexpr Box txtGutterSpread = "txtGutterSpread";

// The 26 result boxes in the order clear_results empties them.
inline constexpr std::array<Box, 26> result_boxes = {
    txtSpread, txtWT,  txtEo,     txtSpw,  txtSe,   txtlti,    txtE,
    txtV,      txtDepth, txtQi,   txtQc,   txtQic,  txtQig,    txtFA,
    txtWP,     txtHydRad, txtRf,  txtRs,   txtDSBH, txtEPeri,  txtdi,
    txtResFlo, txtRP,  txtRA,     txtElength, txtGutterSpread};

}  // namespace controls

}  // namespace rg::hyd
