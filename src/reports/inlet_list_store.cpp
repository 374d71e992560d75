#include "reports/inlet_list_store.h"

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/text/number_text.h"

namespace rg::reports::store {

InletTable load_inlets(db::Connection& conn) {
  db::RecordSet rs;
  // The row's key comes first, beside the fields rather than among them.
  rs.open(conn, "SELECT rowid, * FROM INLET ORDER BY INLET_NUMBER");
  const auto& names = rs.field_names();
  auto index = std::make_shared<const FieldIndex>(std::vector<std::string>(names.begin() + 1, names.end()));
  const int fields = rs.field_count();
  std::vector<InletRecord> rows;
  rows.reserve(static_cast<std::size_t>(rs.record_count()));
  for (; !rs.eof(); rs.move_next()) {
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(fields - 1));
    for (int i = 1; i < fields; ++i) values.push_back(rs.value(i).text());
    rows.emplace_back(index, std::move(values), rs.value(0).integer().value_or(0));
  }
  return InletTable(std::move(rows));
}

namespace {
db::Value row_of(const InletRecord& inlet) { return db::Value(static_cast<long long>(inlet.row_id())); }

// Whether the inlet's row is still there with the number the inlet was read
// with, read as the snapshot reads it.
bool still_holds(db::Connection& conn, const InletRecord& inlet) {
  db::RecordSet rs;
  rs.open(conn, "SELECT INLET_NUMBER FROM INLET WHERE rowid = ?", {row_of(inlet)});
  return rs.has_current_row() && rs.value(0).text() == inlet.number();
}
}  // namespace

std::int64_t delete_inlet(db::Connection& conn, const InletRecord& inlet) {
  db::Transaction transaction(conn);
  if (!still_holds(conn, inlet)) return 0;
  const auto deleted =
      conn.execute("DELETE FROM INLET WHERE rowid = ?", {row_of(inlet)});
  transaction.commit();
  return deleted;
}

std::int64_t renumber_inlet(db::Connection& conn, const InletRecord& inlet, std::string_view new_number) {
  db::Transaction transaction(conn);
  db::RecordSet taken;
  taken.open(conn, "SELECT count(*) FROM INLET WHERE INLET_NUMBER = ?", {new_number});
  if (taken.value(0).integer().value_or(0) > 0) {
    throw std::runtime_error("Inlet " + std::string(new_number) + " exists already; no inlet was renumbered.");
  }
  if (!still_holds(conn, inlet)) return 0;
  const auto renumbered = conn.execute("UPDATE INLET SET INLET_NUMBER = ? WHERE rowid = ?",
                                       {new_number, row_of(inlet)});
  // An inlet without a number is no inlet's previous one: an empty
  // previous-inlet field names none.
  if (!inlet.number().empty()) {
    for (const char* column : {"PREINLET1", "PREINLET2"}) {
      conn.execute(std::string("UPDATE INLET SET ") + column + " = ? WHERE " + column + " = ?",
                   {new_number, inlet.number()});
    }
  }
  transaction.commit();
  return renumbered;
}

app::InletSearch search_inlets(app::Session& session, std::string_view value, std::string_view field) {
  if (!session.services.search_inlets) {
    ui::show_box(session.desktop(), "The inlets cannot be searched, so nothing was changed.", ui::Buttons::OK,
                 ui::Icon::Exclamation);
    return {};
  }
  return session.services.search_inlets(value, field);
}

std::string new_number_text(std::string_view typed) { return text::trim(typed); }

}  // namespace rg::reports::store
