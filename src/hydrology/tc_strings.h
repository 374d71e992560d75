#pragma once
// TCSTR and TCOPTIONSTR: the time-of-concentration dialog's inputs, list texts,
// slopes and times (27 fields) and its four method check boxes, kept with the
// inlet so that the dialog reopens as it was left.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rg::hydrology {

inline constexpr std::size_t tc_field_count = 27;

// The dialog's controls whose texts TCSTR holds, in field order. A list comes
// right before the box its items fill, so on reading that box ends with its own
// stored text.
inline constexpr std::array<std::string_view, tc_field_count> tc_string_controls{
    "flow_distance1", "upper_elevation1", "lower_elevation1", "slope1",           "landuse_type",
    "fn",             "txtTc1",           "flow_distance2",   "upper_elevation2", "lower_elevation2",
    "slope2",         "gn",               "tgd_flow",         "txtTc2",           "flow_distance3",
    "upper_elevation3", "lower_elevation3", "slope3",         "soil_type",        "rational_C_value",
    "txtTc3",         "txtoutlet_height", "txttravel_length", "surface_type",     "txtsurface_factor",
    "txtTc4",         "computedTc"};

using TcTexts = std::array<std::string, tc_field_count>;

// The 27 texts joined by ","; a "," inside a text is dropped (no field can
// shift the others).
std::string encode_tcstr(const TcTexts& texts);

// Field i of the stored text, or std::nullopt where a short text has none (its
// control keeps the text it has). More than 26 separators: the 27th field
// keeps the rest of the text.
struct DecodedTcstr {
  std::array<std::optional<std::string>, tc_field_count> fields;
  std::size_t stored_fields = 0;
};
DecodedTcstr decode_tcstr(std::string_view tcstr);

// CheckTc1 to CheckTc4.
using TcChecks = std::array<bool, 4>;

// "1,0,0,1".
std::string encode_tcoptionstr(const TcChecks& checks);
// A field whose integer value is not 0 checks its box; a missing field or one
// that is no number leaves it unchecked.
TcChecks decode_tcoptionstr(std::string_view tcoptionstr);

}  // namespace rg::hydrology
