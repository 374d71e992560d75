#include "inlet/inlet_store.h"

#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::inlet::store {

void open_inlet_records(db::RecordSet& rs, db::Connection& conn) {
  rs.open(conn, "SELECT * FROM INLET ORDER BY INLET_NUMBER", {}, db::RecordSet::Mode::Updatable);
}

bool open_inlet_row(db::RecordSet& rs, db::Connection& conn, const app::InletRow& row) {
  rs.open(conn, "SELECT * FROM INLET WHERE rowid = ?", {db::Value(static_cast<long long>(row.row_id))},
          db::RecordSet::Mode::Updatable, {"INLET_NUMBER"});
  if (rs.has_current_row() && row.held_by(rs.value("INLET_NUMBER").text())) return true;
  rs.close();
  return false;
}

void open_carryover(db::RecordSet& rs, db::Connection& conn) {
  rs.open(conn, "SELECT INLET_NUMBER, PREINLET1, PREINLET2, QCARRY FROM INLET ORDER BY INLET_NUMBER");
}

bool inlet_exists(db::Connection& conn, std::string_view inlet_number) {
  db::RecordSet rs;
  rs.open(conn, "SELECT INLET_NUMBER FROM INLET WHERE INLET_NUMBER = ? LIMIT 1", {db::Value(inlet_number)});
  return rs.has_current_row();
}

std::optional<std::string> inlet_naming_previous(db::Connection& conn, std::string_view inlet_number,
                                                 std::string_view except) {
  // An empty previous-inlet box names no inlet.
  if (inlet_number.empty()) return std::nullopt;
  db::RecordSet rs;
  const db::Value n(inlet_number);
  rs.open(conn,
          "SELECT INLET_NUMBER FROM INLET WHERE (PREINLET1 = ? OR PREINLET2 = ?) "
          "AND (INLET_NUMBER IS NULL OR INLET_NUMBER <> ?) ORDER BY INLET_NUMBER LIMIT 1",
          {n, n, db::Value(except)});
  if (!rs.has_current_row()) return std::nullopt;
  return rs.value(0).text();
}

std::optional<std::string> stored_carryover(db::RecordSet& carryover_rs, std::string_view inlet_number) {
  if (carryover_rs.record_count() == 0) return std::nullopt;
  carryover_rs.move_first();
  std::optional<std::string> carry;
  if (carryover_rs.find("INLET_NUMBER", db::Value(inlet_number))) carry = carryover_rs.value("QCARRY").text();
  carryover_rs.move_first();
  return carry;
}

app::InletSearch search_inlets(app::Session& session, std::string_view value, std::string_view field) {
  using Outcome = app::InletSearch::Outcome;
  try {
    db::Connection& conn = session.project.connection();
    if (field == "PREINLET1" || field == "PREINLET2") {
      auto found = inlet_naming_previous(conn, value);
      if (!found) return {Outcome::NotFound, {}};
      return {Outcome::Found, std::move(*found)};
    }
    if (field == "INLET_NUMBER" && inlet_exists(conn, value)) return {Outcome::Found, {}};
    return {Outcome::NotFound, {}};
  } catch (const db::Error& e) {
    ui::show_box(session.desktop(), e.description());
    return {};
  }
}

}  // namespace rg::inlet::store
