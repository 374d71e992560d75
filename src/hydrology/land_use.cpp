#include "hydrology/land_use.h"

#include <array>

#include "hydrology/fields.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

namespace {

constexpr std::array<LandUseRow, 15> rows15{{
    {"", "Business: Industrial and Commercial", "0.80", "0.80 - 0.90"},
    {"", "Apartments and Townhomes", "0.65", "0.65 - 0.75"},
    {"", "Schools", "0.50", "0.50 - 0.60"},
    {"RESIDENTIAL:", "- Lots 10,000 sq. ft.", "0.40", "0.40 - 0.50"},
    {"RESIDENTIAL:", "- Lots 12,000 sq. ft.", "0.40", "0.40 - 0.45"},
    {"RESIDENTIAL:", "- Lots 17,000 sq. ft.", "0.35", "0.35 - 0.45"},
    {"RESIDENTIAL:", "- Lots \u00bd acre or more", "0.30", "0.30 - 0.40"},
    {"", "Parks, Cemeteries and Unimproved Areas", "0.20", "0.20 - 0.35"},
    {"", "Paved and Roof Areas", "0.90", "0.90 - 0.95"},
    {"", "Cultivated Areas", "0.50", "0.50 - 0.70"},
    {"", "Pasture", "0.35", "0.35 - 0.45"},
    {"", "Lawns", "0.25", "0.25 - 0.35"},
    {"", "Forest", "0.20", "0.20 - 0.30"},
    {"", "Steep Grass (2:1)", "0.40", "0.40 - 0.70"},
    {"", "Shoulder and Ditch Areas", "0.35", "0.35 - 0.50"},
}};

constexpr std::array<LandUseRow, 24> rows24{{
    {"BUSINESS:", "Residential", "0.70", "0.70 - 0.95"},
    {"BUSINESS:", "Neighborhood", "0.50", "0.50 - 0.70"},
    {"RESIDENTIAL:", "Single-Famile", "0.30", "0.30 - 0.50"},
    {"RESIDENTIAL:", "Multi-Units (Detached)", "0.40", "0.40 - 0.60"},
    {"RESIDENTIAL:", "Multi-Units (Attached)", "0.60", "0.60 - 0.75"},
    {"RESIDENTIAL:", "Suburban", "0.25", "0.25 - 0.40"},
    {"RESIDENTIAL:", "Apartment Areas", "0.50", "0.50 - 0.70"},
    {"INDUSTRIAL:", "Light Areas", "0.50", "0.50 - 0.80"},
    {"INDUSTRIAL:", "Heavy Areas", "0.60", "0.60 - 0.90"},
    {"", "Parks, Cemetaries", "0.10", "0.10 - 0.25"},
    {"", "Playgrounds", "0.20", "0.20 - 0.40"},
    {"", "Railroad Yard Areas", "0.20", "0.20 - 0.40"},
    {"", "Unimproved Areas", "0.10", "0.10 - 0.30"},
    {"LAWNS:", "Sandy Soil, Flat, 2%", "0.05", "0.05 - 0.10"},
    {"LAWNS:", "Sandy Soil, Ave, 2-7%", "0.10", "0.10 - 0.15"},
    {"LAWNS:", "Sandy Soil, Steep, 7%", "0.15", "0.15 - 0.20"},
    {"LAWNS:", "Heavy Soil, Flat, 2%", "0.13", "0.13 - 0.17"},
    {"LAWNS:", "Heavy Soil, Ave, 2-7%", "0.18", "0.18 - 0.22"},
    {"LAWNS:", "Heavy Soil, Steep, 7%", "0.25", "0.25 - 0.35"},
    {"STREETS", "Asphaltic", "0.70", "0.70 - 0.95"},
    {"STREETS", "Concrete", "0.80", "0.80 - 0.95"},
    {"STREETS", "Brick", "0.70", "0.70 - 0.85"},
    {"", "Drives and Walks", "0.70", "0.70 - 0.85"},
    {"", "Roofs", "0.70", "0.70 - 0.95"},
}};

}  // namespace

LandUseTable land_use_table(bool shared_project) {
  return shared_project ? LandUseTable::Rows24 : LandUseTable::Rows15;
}

std::span<const LandUseRow> land_use_rows(LandUseTable table) {
  if (table == LandUseTable::Rows24) return rows24;
  return rows15;
}

RunoffC clamp_runoff_c(std::string_view c_text, std::string_view c_range) {
  const auto dash = c_range.find('-');
  const double lo = text::parse_number(c_range.substr(0, dash)).value_or(0.0);
  const double hi = dash == std::string_view::npos
                        ? lo
                        : text::parse_number(c_range.substr(dash + 1)).value_or(lo);
  double c = text::parse_number(c_text).value_or(lo);
  if (c < lo) {
    c = lo;
  } else if (c > hi) {
    c = hi;
  }
  return {c, text::format_number(c, "0.00")};
}

AreaRows default_area_rows(LandUseTable table) {
  AreaRows rows;
  for (const auto& row : land_use_rows(table)) {
    rows.areas.emplace_back();
    rows.cs.emplace_back(row.default_c);
  }
  return rows;
}

AreaStrings encode_area_rows(const AreaRows& rows) {
  return {detail::join_fields(rows.areas), detail::join_fields(rows.cs)};
}

DecodedAreaRows decode_area_rows(LandUseTable table, std::string_view areabufstr, std::string_view cbufstr) {
  DecodedAreaRows out{default_area_rows(table), land_use_rows(table).size(), 0};
  out.stored_rows = out.row_count;
  if (areabufstr.empty()) return out;
  const auto areas = detail::split_fields(areabufstr);
  const auto cs = detail::split_fields(cbufstr);
  for (std::size_t i = 0; i < out.row_count; ++i) {
    if (i < areas.size()) out.rows.areas[i] = areas[i];
    if (i < cs.size()) out.rows.cs[i] = cs[i];
  }
  if (areas.size() != out.row_count) {
    out.stored_rows = areas.size();
  } else if (cs.size() != out.row_count) {
    out.stored_rows = cs.size();
  }
  return out;
}

AreaRows stored_area_rows(std::string_view areabufstr, std::string_view cbufstr) {
  return {detail::split_fields(areabufstr), detail::split_fields(cbufstr)};
}

void mend_area_rows(LandUseTable table, DecodedAreaRows& stored) {
  const auto rows = land_use_rows(table);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string& c = stored.rows.cs[i];
    const RunoffC in_range = clamp_runoff_c(c, rows[i].c_range);
    if (text::parse_number(c) != in_range.c) {
      c = in_range.text;
      stored.mended_cs = true;
    }
    std::string& area = stored.rows.areas[i];
    const auto a = text::parse_number(area);
    if (!area.empty() && (!a || *a < 0.0)) {
      area.clear();
      stored.dropped_areas = true;
    }
  }
}

std::string DecodedAreaRows::message() const {
  std::string said;
  if (!matches()) {
    said = "The stored drainage areas were saved for another land-use table: they hold " +
           std::to_string(stored_rows) + " rows, this table has " + std::to_string(row_count) +
           ". The rows that fit are shown.";
  }
  if (mended_cs) said += " A stored C outside its row's range was brought to the range's bound.";
  if (dropped_areas) said += " A stored area that is negative or no number was left out.";
  if (said.empty()) return "";
  if (said.front() == ' ') said.erase(0, 1);
  return said + " Check the rows before saving.";
}

}  // namespace rg::hydrology
