#include "hydrology/procedures.h"

#include <string>

#include "app/session.h"
#include "hydrology/area_dialog.h"
#include "hydrology/formulas.h"
#include "hydrology/rainfall_store.h"
#include "hydrology/tc_dialog.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {

namespace {

hyd::InletFormPort& form(app::Session& session) { return session.services.inlet_boxes(); }

Units units(const app::Session& session) { return units_of(session.project.unit_system); }

RainfallSource source(const app::Session& session) {
  return rainfall_source(session.project.shared_project, session.project.open_project_major_release);
}

// Nothing worked out from an intensity that is not there.
void clear_discharges(hyd::FlowWrites& out, bool sump) {
  out.discharge[0] = "";
  if (sump) out.discharge[1] = "";
  out.qtotal = "";
}

}  // namespace

RainfallLookup look_up_coefficients(const app::Session& session, std::string_view storm_frequency) {
  const RainfallSource from = source(session);
  const std::string& name = from == RainfallSource::Station ? session.project.open_project_noaa_station
                                                            : session.project.open_project_county;
  const auto& conn = session.rainfall.rainfall_conn;
  if (conn && conn->is_open()) return look_up_rainfall(*conn, from, name, storm_frequency);
  RainfallLookup none;
  none.problem = LookupProblem::DatabaseError;
  none.database_error = "No rainfall database is open: the rainfall intensity cannot be computed.";
  return none;
}

std::optional<RainfallCoefficients> get_rainfall_coefficients(app::Session& session, int return_period) {
  const RainfallLookup found =
      look_up_coefficients(session, return_period > 0 ? std::to_string(return_period) : std::string());
  if (found.ok()) return found.coefficients;
  ui::show_box(session.desktop(), found.message());
  hyd::FlowWrites out;
  out.intensity = "";
  clear_discharges(out, form(session).flow_data().sump);
  form(session).write_flow(out);
  return std::nullopt;
}

void compute_intensity(app::Session& session, const std::optional<RainfallCoefficients>& coefficients) {
  auto& f = form(session);
  std::string tc = f.flow_data().tc;
  if (tc.empty()) {
    tc = "5.0";
    f.write_flow({.tc = tc});
  }
  // No coefficients: the failed look-up has said why.
  if (!coefficients) {
    f.write_flow({.intensity = ""});
    return;
  }
  const Intensity i = rainfall_intensity(*coefficients, text::parse_number(tc), units(session));
  if (!i.ok()) {
    ui::show_box(session.desktop(), std::string(i.message()), ui::Buttons::OK, ui::Icon::Exclamation);
    f.write_flow({.intensity = ""});
    return;
  }
  f.write_flow({.intensity = text::format_number(i.value, session.number_format)});
}

void compute_discharge(app::Session& session) {
  auto& f = form(session);
  hyd::FlowData in = f.flow_data();
  // Empty totals and carry-overs become "0.0" first, as the form stores them.
  hyd::FlowWrites zeros;
  for (std::size_t side = 0; side < 2; ++side) {
    if (in.total_ca[side].empty()) zeros.total_ca[side] = in.total_ca[side] = "0.0";
    if (in.carryover[side].empty()) zeros.carryover[side] = in.carryover[side] = "0.0";
  }
  f.write_flow(zeros);
  hyd::FlowWrites out;
  // No intensity (a failed look-up, none typed): no discharge either.
  if (text::trim(in.intensity).empty()) {
    clear_discharges(out, in.sump);
    f.write_flow(out);
    return;
  }
  using text::parse_number;
  const DischargeInputs d{parse_number(in.total_ca[0]),  parse_number(in.total_ca[1]),
                          parse_number(in.intensity),    parse_number(in.cf),
                          parse_number(in.carryover[0]), parse_number(in.carryover[1]),
                          in.sump};
  const Discharge q = compute_discharge(d, units(session));
  if (!q.ok()) {
    ui::show_box(session.desktop(), q.message(), ui::Buttons::OK, ui::Icon::Exclamation);
    clear_discharges(out, in.sump);
    f.write_flow(out);
    return;
  }
  const std::string& pattern = session.number_format;
  out.discharge[0] = text::format_number(q.q1, pattern);
  if (in.sump) out.discharge[1] = text::format_number(q.q2, pattern);
  out.qtotal = text::format_number(q.total, pattern);
  f.write_flow(out);
}

void wire_services(app::Session& session) {
  auto& s = session.services;
  s.tc_dialog = [&session] {
    auto& dialog = session.form<FrmTc>();
    return session.desktop().show_modal(dialog) && dialog.taken();
  };
  s.area_dialog = [&session]() -> ui::Form& {
    if (session.project.shared_project) return session.form<FrmArea>();
    return session.form<FrmAreaV2>();
  };
  s.compute_intensity = [&session](int n) {
    const auto coefficients = get_rainfall_coefficients(session, n);
    if (coefficients) compute_intensity(session, coefficients);
    return coefficients.has_value();
  };
  s.compute_discharge = [&session] { compute_discharge(session); };
}

}  // namespace rg::hydrology
