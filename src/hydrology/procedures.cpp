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

app::InletBoxes& boxes(app::Session& session) { return session.services.inlet_boxes(); }

Units units(const app::Session& session) { return units_of(session.project.unit_system); }

RainfallSource source(const app::Session& session) {
  return rainfall_source(session.project.shared_project, session.project.open_project_major_release);
}

bool sump(app::Session& session) { return boxes(session).text("inlet_location") == "SUMP"; }

void clear_discharges(app::Session& session) {
  auto& b = boxes(session);
  b.set_text("discharge1", "");
  if (sump(session)) b.set_text("discharge2", "");
  b.set_text("QTotal", "");
}

}  // namespace

bool get_rainfall_coefficients(app::Session& session, int return_period) {
  auto& r = session.rainfall;
  r.rain_coef_A = r.rain_coef_B = r.rain_coef_D = r.rain_coef_E = 0;
  const RainfallSource from = source(session);
  const std::string& name = from == RainfallSource::Station ? session.project.open_project_noaa_station
                                                            : session.project.open_project_county;
  RainfallLookup found;
  if (r.rainfall_conn && r.rainfall_conn->is_open()) {
    found = look_up_rainfall(*r.rainfall_conn, from, name, return_period > 0 ? std::to_string(return_period) : "");
  } else {
    found.problem = LookupProblem::DatabaseError;
    found.database_error = "No rainfall database is open: the rainfall intensity cannot be computed.";
  }
  if (!found.ok()) {
    ui::show_box(session.desktop(), found.message());
    boxes(session).set_text("Intensity", "");
    clear_discharges(session);
    return false;
  }
  const auto& c = found.coefficients;
  r.rain_coef_A = c.a;
  r.rain_coef_B = c.b;
  r.rain_coef_D = c.d;
  r.rain_coef_E = c.e;
  return true;
}

void compute_intensity(app::Session& session) {
  auto& b = boxes(session);
  if (b.text("Tc").empty()) b.set_text("Tc", "5.0");
  const auto& r = session.rainfall;
  // No coefficients: the failed look-up has said why.
  if (r.rain_coef_A == 0 && r.rain_coef_B == 0 && r.rain_coef_D == 0 && r.rain_coef_E == 0) {
    b.set_text("Intensity", "");
    return;
  }
  RainfallCoefficients c;
  c.formula = source(session) == RainfallSource::County ? RainfallCoefficients::Formula::County
                                                        : RainfallCoefficients::Formula::Storm;
  c.a = r.rain_coef_A;
  c.b = r.rain_coef_B;
  c.d = r.rain_coef_D;
  c.e = r.rain_coef_E;
  const Intensity i = rainfall_intensity(c, text::parse_number(b.text("Tc")), units(session));
  if (!i.ok()) {
    ui::show_box(session.desktop(), std::string(i.message()), ui::Buttons::OK, ui::Icon::Exclamation);
    b.set_text("Intensity", "");
    return;
  }
  b.set_text("Intensity", text::format_number(i.value, session.number_format));
}

void compute_discharge(app::Session& session) {
  auto& b = boxes(session);
  for (const char* name : {"totalca1", "totalca2", "carryover1", "carryover2"}) {
    if (b.text(name).empty()) b.set_text(name, "0.0");
  }
  // No intensity (a failed look-up, none typed): no discharge either.
  if (text::trim(b.text("Intensity")).empty()) {
    clear_discharges(session);
    return;
  }
  auto number = [&b](const char* name) { return text::parse_number(b.text(name)); };
  DischargeInputs in{number("totalca1"), number("totalca2"),   number("Intensity"),   number("Cf"),
                     number("carryover1"), number("carryover2"), sump(session)};
  const Discharge q = compute_discharge(in, units(session));
  if (!q.ok()) {
    ui::show_box(session.desktop(), q.message(), ui::Buttons::OK, ui::Icon::Exclamation);
    clear_discharges(session);
    return;
  }
  const std::string& pattern = session.number_format;
  b.set_text("discharge1", text::format_number(q.q1, pattern));
  if (in.sump) b.set_text("discharge2", text::format_number(q.q2, pattern));
  b.set_text("QTotal", text::format_number(q.total, pattern));
}

void wire_services(app::Session& session) {
  auto& s = session.services;
  s.tc_dialog = [&session]() -> ui::Form& { return session.form<FrmTc>(); };
  s.area_dialog = [&session]() -> ui::Form& {
    if (session.project.shared_project) return session.form<FrmArea>();
    return session.form<FrmAreaV2>();
  };
  s.get_rainfall_coefficients = [&session](int n) { return get_rainfall_coefficients(session, n); };
  s.compute_intensity = [&session] { compute_intensity(session); };
  s.compute_discharge = [&session] { compute_discharge(session); };
}

}  // namespace rg::hydrology
