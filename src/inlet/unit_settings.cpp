#include "inlet/unit_settings.h"

#include "app/session.h"
#include "hydraulics/coefficients.h"
#include "hydraulics/gutter_flow.h"
#include "platform/text/number_text.h"
#include "platform/ui/form.h"

namespace rg::inlet {

namespace c = hyd::controls;

std::vector<Name> storm_frequencies(bool shared_project) {
  std::vector<Name> items;
  for (Name f : StormFrequency) {
    if (!(shared_project && f == "5")) items.push_back(f);
  }
  return items;
}

std::vector<Name> grate_type_names(std::string_view unit_system) {
  const bool english = hyd::is_english(unit_system);
  std::vector<Name> names;
  for (const hyd::SplashOver& row : hyd::splash_over_table()) {
    names.push_back(english ? row.english_name : row.metric_name);
  }
  return names;
}

std::string element_name(const UnitLabelGroup& group, int index) {
  if (group.count == 1) return std::string(group.group);
  return std::string(group.group) + "(" + std::to_string(index) + ")";
}

Name unit_caption(const UnitLabelGroup& group, int index, std::string_view unit_system) {
  if (group.group == "inmm" && index == 0) return unit_caption(intensity_label, 0, unit_system);
  return hyd::is_english(unit_system) ? group.english : group.metric;
}

Name allowable_spread_default(std::string_view unit_system) {
  return hyd::is_english(unit_system) ? "8.0" : "3.0";
}

const std::array<ResultBox, 26> result_box_formats = {{
    {c::txtSpread, ResultFormat::number_format},
    {c::txtGutterSpread, ResultFormat::number_format},
    {c::txtWT, ResultFormat::number_format},
    {c::txtEo, ResultFormat::number_format},
    {c::txtSpw, ResultFormat::four_decimals},
    {c::txtSe, ResultFormat::four_decimals},
    {c::txtlti, ResultFormat::number_format},
    {c::txtE, ResultFormat::number_format},
    {c::txtV, ResultFormat::number_format},
    {c::txtDepth, ResultFormat::number_format},
    {c::txtQi, ResultFormat::number_format},
    {c::txtQc, ResultFormat::number_format},
    {c::txtQic, ResultFormat::number_format},
    {c::txtQig, ResultFormat::number_format},
    {c::txtFA, ResultFormat::number_format},
    {c::txtWP, ResultFormat::number_format},
    {c::txtHydRad, ResultFormat::number_format},
    {c::txtRf, ResultFormat::four_decimals},
    {c::txtRs, ResultFormat::four_decimals},
    {c::txtDSBH, ResultFormat::number_format},
    {c::txtEPeri, ResultFormat::number_format},
    {c::txtdi, ResultFormat::number_format},
    {c::txtRA, ResultFormat::number_format},
    {c::txtRP, ResultFormat::number_format},
    {c::txtElength, ResultFormat::number_format},
    {c::txtResFlo, ResultFormat::as_is},
}};

namespace quillmere_libraries {

namespace {

void set_text(ui::Form& form, Name box, std::string_view text) { form.control(box).set_text(std::string(text)); }

void append_items(ui::Form& form, Name list, const auto& items) {
  ui::Control& control = form.control(list);
  for (Name item : items) control.add_item(std::string(item));
}

// A code pick of the first item, whose Click runs as for the user's. A list the
// kind and location left empty has nothing to pick.
void select_first(ui::Form& form, Name list) {
  ui::Control& control = form.control(list);
  if (control.list_count() > 0) control.set_list_index(0);
}

// The throat angle applies only to an inclined throat.
void reset_throat_angle(ui::Form& form) {
  ui::Control& angle = form.control(c::txtAngle);
  angle.set_enabled(false);
  angle.set_text(text::format_number(0, "#0.00"));
}

}  // namespace

void initial_unit_settings(ui::Form& frminletmain, app::Session& session) {
  ui::Form& f = frminletmain;
  const std::string& units = session.project.unit_system;
  const bool english = hyd::is_english(units);

  set_text(f, "Cf", "1.0");

  f.control("SSTab1").set_current_tab(0);

  set_text(f, c::allowable_spread, allowable_spread_default(units));
  for (const GeometryDefault& d : geometry_defaults) set_text(f, d.box, english ? d.english : d.metric);
  session.number_format = std::string(hyd::number_format_for(units));
  hyd::set_unit_defaults(session.unit_coefficients, units);
  for (const UnitLabelGroup& group : unit_label_groups) {
    for (int i = 0; i < group.count; ++i) {
      f.control(element_name(group, i)).set_caption(std::string(unit_caption(group, i, units)));
    }
  }

  reset_throat_angle(f);

  for (Name list : {"offset_location", "inlet_type", "inlet_subtype", "inlet_location", "storm_frequency",
                    "inlet_subtype", "cboCurb", "cboThroat", "cboClog", "cboType"}) {
    select_first(f, list);
  }

  session.handover.area_side = app::AreaSide::none;
}

void fill_input_lists(ui::Form& frminletmain, app::Session& session) {
  ui::Form& f = frminletmain;
  append_items(f, c::cboType, grate_type_names(session.project.unit_system));
  append_items(f, c::cboThroat, ThroatType);
  append_items(f, c::cboCurb, CurbOption);
  append_items(f, c::cboClog, CloggingPercent);
  append_items(f, "inlet_type", InletType);
  append_items(f, "inlet_location", InletLocation);
  append_items(f, "offset_location", OffsetSide);
  append_items(f, "storm_frequency", storm_frequencies(session.project.shared_project));
  append_items(f, "inlet_subtype", InitialInletSubtype);
}

void reset_geometry_inputs(ui::Form& frminletmain, app::Session& session) {
  ui::Form& f = frminletmain;
  const bool english = hyd::is_english(session.project.unit_system);
  for (const GeometryDefault& d : geometry_defaults) {
    set_text(f, d.box, english ? d.reset_english : d.reset_metric);
  }
  for (Name list : {c::cboCurb, c::cboThroat, c::cboClog, c::cboType}) select_first(f, list);
  reset_throat_angle(f);
}

void disable_geometry_inputs(ui::Form& frminletmain) {
  for (Name box : c::geometry_inputs) frminletmain.control(box).set_enabled(false);
  for (Name box : c::geometry_inputs) frminletmain.control(box).set_back_color(ui::kButtonFace);
}

void clear_results(ui::Form& frminletmain) {
  for (Name box : c::result_boxes) set_text(frminletmain, box, "");
}

void format_results(ui::Form& frminletmain, const app::Session& session) {
  for (const ResultBox& r : result_box_formats) {
    if (r.format == ResultFormat::as_is) continue;
    ui::Control& box = frminletmain.control(r.box);
    const std::string_view pattern =
        r.format == ResultFormat::four_decimals ? std::string_view("0.0000") : std::string_view(session.number_format);
    box.set_text(text::format_text(box.text(), pattern));
  }
}

}  // namespace quillmere_libraries

}  // namespace rg::inlet
