#pragma once
// The project's inlets as one snapshot of the INLET table, read once per load of
// the list: the grid, the count and both reports show the same rows, and an
// inlet is found again by the row it was read from, never by its number or
// its place in another view.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rg::reports {

// Column names (upper case) and their places in a row.
class FieldIndex {
 public:
  explicit FieldIndex(std::vector<std::string> names);
  // The place of the column, or -1 when the table has none of that name.
  int find(std::string_view name) const;
  std::size_t size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;
  std::vector<int> order_;  // places sorted by name, for the look-up
};

// One INLET row as texts: Null and a missing column read as "", as a report
// shows them.
class InletRecord {
 public:
  InletRecord(std::shared_ptr<const FieldIndex> index, std::vector<std::string> values, std::int64_t row_id = 0);
  // A record of the named fields only, the rest empty.
  InletRecord(std::initializer_list<std::pair<std::string_view, std::string_view>> fields);

  const std::string& text(std::string_view field) const;
  const std::string& number() const { return text("INLET_NUMBER"); }
  // The INLET row it was read from (SQLite's rowid), which tells apart rows the
  // number cannot: one stored without a number, one numbered ""; 0 for a
  // record not read from the table.
  std::int64_t row_id() const { return row_id_; }

 private:
  std::shared_ptr<const FieldIndex> index_;
  std::vector<std::string> values_;
  std::int64_t row_id_ = 0;
};

// Every INLET row in INLET_NUMBER order.
class InletTable {
 public:
  InletTable() = default;
  explicit InletTable(std::vector<InletRecord> rows) : rows_(std::move(rows)) {}

  bool empty() const { return rows_.empty(); }
  std::size_t size() const { return rows_.size(); }
  const InletRecord& operator[](std::size_t i) const { return rows_[i]; }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  std::vector<InletRecord> rows_;
};

}  // namespace rg::reports
