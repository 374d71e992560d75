#pragma once
// Control names of the inlet design form that the computations and set-ups use.

#include <array>
#include <string_view>

namespace rg::hyd::controls {

using Name = std::string_view;

// Flow data.
inline constexpr Name QTotal = "QTotal";
inline constexpr Name discharge1 = "discharge1";
inline constexpr Name carryover1 = "carryover1";
inline constexpr Name discharge2 = "discharge2";
inline constexpr Name carryover2 = "carryover2";
inline constexpr Name allowable_spread = "allowable_spread";

// Inlet details, in the order of the details tab.
inline constexpr Name txtS = "txtS";
inline constexpr Name txtn = "txtn";
inline constexpr Name txtW = "txtW";
inline constexpr Name txtSx = "txtSx";
inline constexpr Name txtSw = "txtSw";
inline constexpr Name txtWa = "txtWa";
inline constexpr Name txta = "txta";
inline constexpr Name txtWg = "txtWg";
inline constexpr Name txtzl = "txtzl";
inline constexpr Name txtzr = "txtzr";
inline constexpr Name cboLength = "cboLength";
inline constexpr Name cboLCOUG = "cboLCOUG";
inline constexpr Name cboType = "cboType";
inline constexpr Name txthco = "txthco";
inline constexpr Name cboThroat = "cboThroat";
inline constexpr Name txtAngle = "txtAngle";
inline constexpr Name txtPeri = "txtPeri";
inline constexpr Name txtArea = "txtArea";
inline constexpr Name cboClog = "cboClog";
inline constexpr Name cboCurb = "cboCurb";
inline constexpr Name txtslotw = "txtslotw";

inline constexpr std::array<Name, 21> geometry_inputs = {
    txtS,    txtn,     txtW,    txtSx,     txtSw,    txtWa,   txta,
    txtWg,   txtzl,    txtzr,   cboLength, cboLCOUG, cboType, txthco,
    cboThroat, txtAngle, txtPeri, txtArea,  cboClog,  cboCurb, txtslotw};

// Results.
inline constexpr Name txtSpread = "txtSpread";
inline constexpr Name txtWT = "txtWT";
inline constexpr Name txtEo = "txtEo";
inline constexpr Name txtSpw = "txtSpw";
inline constexpr Name txtSe = "txtSe";
inline constexpr Name txtlti = "txtlti";
inline constexpr Name txtE = "txtE";
inline constexpr Name txtV = "txtV";
inline constexpr Name txtDepth = "txtDepth";
inline constexpr Name txtQi = "txtQi";
inline constexpr Name txtQc = "txtQc";
inline constexpr Name txtQic = "txtQic";
inline constexpr Name txtQig = "txtQig";
inline constexpr Name txtFA = "txtFA";
inline constexpr Name txtWP = "txtWP";
inline constexpr Name txtHydRad = "txtHydRad";
inline constexpr Name txtRf = "txtRf";
inline constexpr Name txtRs = "txtRs";
inline constexpr Name txtDSBH = "txtDSBH";
inline constexpr Name txtEPeri = "txtEPeri";
inline constexpr Name txtdi = "txtdi";
inline constexpr Name txtResFlo = "txtResFlo";
inline constexpr Name txtRP = "txtRP";
inline constexpr Name txtRA = "txtRA";
inline constexpr Name txtElength = "txtElength";
inline constexpr Name txtGutterSpread = "txtGutterSpread";

// The 26 result boxes in the order clear_results empties them.
inline constexpr std::array<Name, 26> result_boxes = {
    txtSpread, txtWT,  txtEo,     txtSpw,  txtSe,   txtlti,    txtE,
    txtV,      txtDepth, txtQi,   txtQc,   txtQic,  txtQig,    txtFA,
    txtWP,     txtHydRad, txtRf,  txtRs,   txtDSBH, txtEPeri,  txtdi,
    txtResFlo, txtRP,  txtRA,     txtElength, txtGutterSpread};

}  // namespace rg::hyd::controls
