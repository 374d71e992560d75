// The identification tab: the inlet's number, kind, location and standard, and
// where it stands on the road.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "hydraulics/dispatch.h"
#include "inlet/grate_pickers.h"
#include "inlet/tab_context.h"
#include "inlet/unit_settings.h"
#include "platform/text/number_text.h"

namespace rg::inlet {

namespace {

// The standard inlets offered for each kind, on a grade and in a sag.
struct Subtypes {
  std::string_view kind;
  std::vector<std::string_view> grade;
  std::vector<std::string_view> sag;
};

const std::vector<Subtypes>& subtype_table() {
  static const std::vector<Subtypes> table = {
      {"Curb Inlet",
       {"DI-3A", "DI-3AA", "DI-3B", "DI-3BB", "DI-3D", "DI-3DD", "DI-3E", "DI-3EE", "DI-4A", "DI-4AA", "DI-4B",
        "DI-4BB", "DI-4D", "DI-4DD", "DI-4E", "DI-4EE"},
       {"DI-3A", "DI-3AA", "DI-3C", "DI-3CC", "DI-3D", "DI-3DD", "DI-3F", "DI-3FF", "DI-4A", "DI-4AA", "DI-4C",
        "DI-4CC", "DI-4D", "DI-4DD", "DI-4F", "DI-4FF"}},
      {"Grate Inlet", {"DI-1", "DI-1A", "DI-9"}, {"DI-1", "DI-1A", "DI-9"}},
      {"Combination Curb and Grate Inlet",
       {"DI-2A", "DI-2AA", "DI-2B", "DI-2BB", "DI-2D", "DI-2DD", "DI-2E", "DI-2EE", "DI-10G", "DI-10H", "DI-10J",
        "DI-10K", "DI-14A", "DI-14B", "DI-14D", "DI-14E"},
       {"DI-2A", "DI-2AA", "DI-2C", "DI-2CC", "DI-2D", "DI-2DD", "DI-2F", "DI-2FF", "DI-10G", "DI-10I", "DI-10J",
        "DI-10L", "DI-14A", "DI-14C", "DI-14D", "DI-14F"}},
      {"Slotted Inlet", {"DI-13"}, {"DI-13"}},
      {"Grate Inlet in a Ditch",
       {"DI-5", "DI-7", "DI-7A", "DI-7B", "DI-12", "DI-12A", "DI-12B", "DI-12C"},
       {"DI-5", "DI-7", "DI-7A", "DI-7B", "DI-12", "DI-12A", "DI-12B", "DI-12C"}},
  };
  return table;
}

std::vector<std::string> inlet_subtypes(std::string_view kind, std::string_view location) {
  const bool grade = location == hyd::continuous_grade;
  std::vector<std::string> items;
  for (const auto& row : subtype_table()) {
    if (row.kind != kind || (!grade && location != hyd::sump)) continue;
    for (auto name : grade ? row.grade : row.sag) items.emplace_back(name);
  }
  return items;
}

}  // namespace

struct FrmInletMain::IdentificationTab : TabContext {
  void inlet_location_Click() {
    auto& location = c("inlet_location");
    {
      CodeScope scope(s.code_depth);
      quillmere_libraries::reset_geometry_inputs(f, session);
    }
    if (location.text() == hyd::continuous_grade) {
      c("areabufstr2").set_text("");
      c("cbufstr2").set_text("");
      c("totalarea2").set_text("0.0");
      c("totalca2").set_text("0.0");
      c("preinlet2").set_text("");
      c("carryover2").set_text("0.0");
    }
    flows_for_location();
    // The geometry has been reset for this location already.
    s.remembered_kind = location.text();
    f.fill_inlet_subtype_list();
    after_kind_or_location(location);
  }

  void inlet_type_Click() {
    flows_for_location();
    after_kind_or_location(c("inlet_type"));
  }

  // What the location asks of the flows: on a grade the second side carries
  // nothing; in a sag the longitudinal slope is the nominal 0.001.
  void flows_for_location() {
    const auto& location = c("inlet_location").text();
    if (location == hyd::continuous_grade) {
      f.discharge1_LostFocus();
    } else if (location == hyd::sump) {
      c("txtS").set_text("0.001");
    }
  }

  void after_kind_or_location(Control& list) {
    // A standard of another kind or location would reach the agency's form.
    auto& standard = c("inlet_subtype");
    const auto offered = inlet_subtypes(c("inlet_type").text(), c("inlet_location").text());
    if (std::find(offered.begin(), offered.end(), standard.text()) == offered.end()) standard.set_text("");
    quillmere_libraries::disable_geometry_inputs(f);
    f.status_panel2(" - -- ");
    tab_after_user_choice(list);
  }

  void kind_or_location_LostFocus(Control& list) {
    if (list.text() == s.remembered_kind) return;
    s.remembered_kind = list.text();
    if (&list == &c("inlet_location")) f.fill_inlet_subtype_list();
    CodeScope scope(s.code_depth);
    quillmere_libraries::reset_geometry_inputs(f, session);
  }

  void apply_offset_side_sign() {
    auto& offset = c("offset");
    if (offset.text().empty()) return;
    auto x = text::parse_number(offset.text());
    if (!x) return;  // refused when the box was left
    const auto& side = c("offset_location").text();
    if ((side == "LEFT" && *x > 0) || (side == "RIGHT" && *x < 0)) *x = -*x;
    offset.set_text(text::format_number(*x, session.number_format));
  }

  void wire() {
    auto& number = c("Inlet_Number");
    number.GotFocus = [&number] { app::quillmere_libraries::select_all_text(number); };
    number.LostFocus = [this] { f.show_number_in_header(); };

    auto& type = c("inlet_type");
    type.GotFocus = [this, &type] {
      f.inlet_number_gate(f.takes_number());
      s.remembered_kind = type.text();
    };
    choice_list(type, [this] { inlet_type_Click(); });
    type.LostFocus = [this, &type] { kind_or_location_LostFocus(type); };

    auto& location = c("inlet_location");
    location.GotFocus = [this, &location] { s.remembered_kind = location.text(); };
    choice_list(location, [this] { inlet_location_Click(); });
    location.LostFocus = [this, &location] { kind_or_location_LostFocus(location); };

    choice_list(c("offset_location"), [this] { apply_offset_side_sign(); });
    // Built afresh for the kind and location whenever the user comes to open it.
    c("inlet_subtype").GotFocus = [this] { f.fill_inlet_subtype_list(); };

    auto& offset = c("offset");
    number_entry(offset);
    offset.Validate = [this, &offset](bool& cancel) {
      if (offset.text().empty()) {
        offset.set_text("0.0");
      } else {
        app::quillmere_libraries::validate_number_box(session, offset, cancel);
      }
    };
    offset.LostFocus = [this, &offset] {
      if (offset.text().empty()) {
        offset.set_text("0.00");
      } else {
        apply_offset_side_sign();
      }
    };
    for (const char* name : {"Station", "RoadWay"}) {
      auto& box = c(name);
      box.GotFocus = [&box] { app::quillmere_libraries::select_all_text(box); };
    }
    c("grate_help").Click = [this] {
      if (!c("txtPeri").enabled()) return;
      if (const auto grate = show_grate_picker(session)) f.write_grate_opening(*grate);
    };
  }
};

void FrmInletMain::wire_identification_tab() {
  auto& s = shown();
  s.identification = std::make_shared<IdentificationTab>(IdentificationTab{{*this, session_, s}});
  s.identification->wire();
}

void FrmInletMain::fill_inlet_subtype_list() {
  control("inlet_subtype").set_items(inlet_subtypes(control("inlet_type").text(), control("inlet_location").text()));
}

}  // namespace rg::inlet
