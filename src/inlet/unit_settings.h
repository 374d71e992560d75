#pragma once
// The inlet design form's unit defaults, fixed lists and result boxes: the first
// state of an inlet in the project's unit system, the vocabularies its lists
// offer, the geometry defaults its kind and location changes restore, and the
// emptying and formatting of the results. The procedures reach the form's
// controls by name; the form is passed in, never created behind the caller's back.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/controls.h"

namespace rg::ui {
class Form;
}
namespace rg::app {
class Session;
}

namespace rg::inlet {

using hyd::controls::Name;

// --- Vocabularies ----------------------------------------------------------------
inline constexpr std::array<Name, 5> InletType = {"Curb Inlet", "Grate Inlet", "Combination Curb and Grate Inlet",
                                                  "Slotted Inlet", "Grate Inlet in a Ditch"};
inline constexpr std::array<Name, 2> InletLocation = {"CONTINUOUS GRADE", "SUMP"};
inline constexpr std::array<Name, 2> OffsetSide = {"RIGHT", "LEFT"};
inline constexpr std::array<Name, 6> StormFrequency = {"2", "5", "10", "25", "50", "100"};
inline constexpr std::array<Name, 3> ThroatType = {"Vertical", "Horizontal", "Inclined"};
inline constexpr std::array<Name, 2> CurbOption = {"With Curb", "Without Curb"};
// Percent of the grate clogged.
inline constexpr std::array<Name, 5> CloggingPercent = {"0", "25", "50", "75", "100"};
// The standard inlets the subtype list offers before the kind and location refill it.
inline constexpr std::array<Name, 4> InitialInletSubtype = {"DI-3A", "DI-3B", "DI-4A", "DI-4B"};

// The storm return periods a project may use: a shared project has no 5-year storm.
std::vector<Name> storm_frequencies(bool shared_project);
// The grate types by the names of the unit system (the splash-over table's order).
std::vector<Name> grate_type_names(std::string_view unit_system);

// --- Unit captions ---------------------------------------------------------------
// A group of unit labels beside the boxes. A group of one is one label named as
// the group; a larger group is a control array whose elements are named
// "group(i)", i from 0 (see element_name).
struct UnitLabelGroup {
  Name group;
  int count;
  Name english;
  Name metric;
};
inline constexpr std::array<UnitLabelGroup, 8> unit_label_groups = {{
    {"ftm", 19, "ft", "m"},
    {"ftpftmpm", 7, "ft/ft", "m/m"},
    {"cfscms", 9, "cfs", "cms"},
    {"inmm", 6, "in", "mm"},
    {"sfsm", 3, "sf", "sm"},
    {"acha", 2, "Ac.", "Ha"},
    {"ftpsecmpsec", 1, "ft/sec", "m/sec"},
    {"inputintunit", 1, "in/hr", "mm/hr"},
}};
// Element 0 of "inmm" labels an intensity, not a depth.
inline constexpr UnitLabelGroup intensity_label = {"inmm(0)", 1, "in/hr", "mm/hr"};

// The control name of element `index` of a group ("inmm(0)"); a group of one is
// its own name.
std::string element_name(const UnitLabelGroup& group, int index);
// The caption a label shows in the unit system.
Name unit_caption(const UnitLabelGroup& group, int index, std::string_view unit_system);

// --- Default inputs --------------------------------------------------------------
// A geometry input's first text in each unit system, and the text the kind and
// location changes put back (the same slope may be written differently).
struct GeometryDefault {
  Name box;
  Name english;
  Name metric;
  Name reset_english;
  Name reset_metric;
};
inline constexpr std::array<GeometryDefault, 16> geometry_defaults = {{
    {"txtS", "0.010", "0.0100", "0.0100", "0.01000"},
    {"txtn", "0.015", "0.015", "0.015", "0.015"},
    {"txtW", "2.000", "0.6000", "2.000", "0.6000"},
    {"txtSx", "0.0208", "0.0200", "0.0208", "0.0200"},
    {"txtSw", "0.0833", "0.0833", "0.0833", "0.0833"},
    {"txtWa", "2.000", "0.6000", "2.000", "0.6000"},
    {"txta", "2.000", "50.0000", "2.000", "50.0000"},
    {"cboLength", "2.000", "0.6000", "2.000", "0.6000"},
    {"cboLCOUG", "2.000", "0.6000", "2.000", "0.6000"},
    {"txtWg", "2.000", "0.6000", "2.000", "0.6000"},
    {"txtzl", "3.000", "3.000", "3.000", "3.000"},
    {"txtzr", "3.000", "3.000", "3.000", "3.000"},
    {"txthco", "4.000", "200.0000", "4.000", "200.0000"},
    {"txtPeri", "6.000", "2.0000", "6.000", "2.0000"},
    {"txtArea", "4.000", "1.2000", "4.000", "1.2000"},
    {"txtslotw", "4.000", "100.0000", "4.000", "100.0000"},
}};
// The throat angle starts at zero and unavailable until the throat is inclined.
inline constexpr Name throat_angle_default = "0.00";

// The allowable spread a new inlet starts with, and the one a box left blank
// takes: the unit system's own.
Name allowable_spread_default(std::string_view unit_system);

// --- Result boxes ----------------------------------------------------------------
// How a result box is written: with the session's number_format, with four
// decimals (cross slopes and efficiencies), or as it stands (the flow regime).
enum class ResultFormat { number_format, four_decimals, as_is };
struct ResultBox {
  Name box;
  ResultFormat format;
};
extern const std::array<ResultBox, 26> result_box_formats;

namespace quillmere_libraries {

// The first state of an inlet in the open project's unit system: the first
// tab, the default inputs, the unit captions, number_format and the unit
// coefficients, then the first item of each list (whose Click handling runs as
// for a pick). Called when the form loads and when an inlet is added; the flow
// data a new inlet starts with are the flow-data tab's own.
void initial_unit_settings(ui::Form& frminletmain, app::Session& session);

// Appends the fixed lists' items (the form's load, once: nothing is emptied).
void fill_input_lists(ui::Form& frminletmain, app::Session& session);

// The geometry inputs back to their defaults, the allowable spread untouched.
void reset_geometry_inputs(ui::Form& frminletmain, app::Session& session);

// Every geometry input unavailable and painted button-face; texts kept.
void disable_geometry_inputs(ui::Form& frminletmain);

// Empties the 26 result boxes.
void clear_results(ui::Form& frminletmain);

// Formats the result boxes with their patterns; empty and non-number texts stay.
void format_results(ui::Form& frminletmain, const app::Session& session);

}  // namespace quillmere_libraries

}  // namespace rg::inlet
