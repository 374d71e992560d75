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
  rs.open(conn, "SELECT * FROM INLET ORDER BY INLET_NUMBER");
  auto index = std::make_shared<const FieldIndex>(rs.field_names());
  const int fields = rs.field_count();
  std::vector<InletRecord> rows;
  rows.reserve(static_cast<std::size_t>(rs.record_count()));
  for (; !rs.eof(); rs.move_next()) {
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(fields));
    for (int i = 0; i < fields; ++i) values.push_back(rs.value(i).text());
    rows.emplace_back(index, std::move(values));
  }
  return InletTable(std::move(rows));
}

std::int64_t delete_inlet(db::Connection& conn, std::string_view number) {
  db::Transaction transaction(conn);
  const auto deleted = conn.execute("DELETE FROM INLET WHERE INLET_NUMBER = ?", {number});
  transaction.commit();
  return deleted;
}

std::int64_t renumber_inlet(db::Connection& conn, std::string_view old_number, std::string_view new_number) {
  db::Transaction transaction(conn);
  db::RecordSet taken;
  taken.open(conn, "SELECT count(*) FROM INLET WHERE INLET_NUMBER = ?", {new_number});
  if (taken.value(0).integer().value_or(0) > 0) {
    throw std::runtime_error("Inlet " + std::string(new_number) + " exists already; no inlet was renumbered.");
  }
  const auto renumbered = conn.execute(
      "UPDATE INLET SET INLET_NUMBER = ? WHERE INLET_NUMBER = ?", {new_number, old_number});
  if (renumbered == 0) return 0;
  for (const char* column : {"PREINLET1", "PREINLET2"}) {
    conn.execute(std::string("UPDATE INLET SET ") + column + " = ? WHERE " + column + " = ?",
                 {new_number, old_number});
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
