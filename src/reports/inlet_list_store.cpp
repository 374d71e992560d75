#include "reports/inlet_list_store.h"

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/text/number_text.h"

namespace rg::reports::store {

namespace {
// The rows the query selects; its first column is the row's key, beside the
// fields rather than among them.
InletTable read_inlets(db::Connection& conn, std::string_view sql, std::vector<db::Value> parameters = {}) {
  db::RecordSet rs;
  rs.open(conn, sql, std::move(parameters));
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

db::Value row_of(const app::InletRow& row) { return db::Value(static_cast<long long>(row.row_id)); }
}  // namespace

InletTable load_inlets(db::Connection& conn) {
  return read_inlets(conn, "SELECT rowid, * FROM INLET ORDER BY INLET_NUMBER");
}

std::optional<InletRecord> load_inlet(db::Connection& conn, const app::InletRow& row) {
  const InletTable rows = read_inlets(conn, "SELECT rowid, * FROM INLET WHERE rowid = ?", {row_of(row)});
  if (rows.empty() || !row.held_by(rows[0].number())) return std::nullopt;
  return rows[0];
}

std::int64_t delete_inlet(db::Connection& conn, const app::InletRow& row) {
  db::Transaction transaction(conn);
  if (!load_inlet(conn, row)) return 0;
  const auto deleted = conn.execute("DELETE FROM INLET WHERE rowid = ?", {row_of(row)});
  transaction.commit();
  return deleted;
}

std::int64_t renumber_inlet(db::Connection& conn, const app::InletRow& row, std::string_view new_number) {
  db::Transaction transaction(conn);
  db::RecordSet taken;
  taken.open(conn, "SELECT count(*) FROM INLET WHERE INLET_NUMBER = ?", {new_number});
  if (taken.value(0).integer().value_or(0) > 0) {
    throw std::runtime_error("Inlet " + std::string(new_number) + " exists already; no inlet was renumbered.");
  }
  if (!load_inlet(conn, row)) return 0;
  const auto renumbered = conn.execute("UPDATE INLET SET INLET_NUMBER = ? WHERE rowid = ?",
                                       {new_number, row_of(row)});
  // An inlet without a number is no inlet's previous one: an empty
  // previous-inlet field names none.
  if (!row.number.empty()) {
    for (const char* column : {"PREINLET1", "PREINLET2"}) {
      conn.execute(std::string("UPDATE INLET SET ") + column + " = ? WHERE " + column + " = ?",
                   {new_number, row.number});
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
