#pragma once
// One worksheet part of an .xlsx file, edited in place: cells are found or made
// in row and column order, keep their format, and take values as inline texts
// or numbers.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "platform/workbook/sheet.h"
#include "platform/workbook/styles.h"

namespace rg::workbook::detail {

class XlsxSheet : public Sheet {
 public:
  // Stored formula results are dropped at once: every formula is recalculated
  // when the workbook is opened next.
  XlsxSheet(const std::filesystem::path& file, std::string part, pugi::xml_document doc,
            const std::vector<std::string>& shared_strings, std::function<Styles&()> styles);
  XlsxSheet(const XlsxSheet&) = delete;  // keeps a place in its own row index
  XlsxSheet& operator=(const XlsxSheet&) = delete;

  void set_text(int row, int col, std::string_view text) override;
  void set_number(int row, int col, double value) override;
  void set_fixed(int row, int col, double value, int decimals) override;
  void set_date(int row, int col, std::chrono::year_month_day day) override;
  std::string text(int row, int col) const override;

  void select_tab(bool selected);
  const std::string& part() const { return part_; }
  bool changed() const { return changed_; }
  // The XML to store, with the used range brought up to date.
  std::string xml();

 private:
  struct ColumnStyle {
    int first, last, style;
  };
  struct IndexedCell {
    int col;
    pugi::xml_node node;
  };
  // A row and its cells in document order, so that a cell is found without
  // reading the addresses back from the XML.
  struct Row {
    pugi::xml_node node;
    std::vector<IndexedCell> cells;
  };
  static pugi::xml_node cell_in(const Row& row, int col);
  pugi::xml_node find_cell(int row, int col) const;
  // The row, made when the sheet has none of that number yet.
  Row& row_to_write(int row);
  pugi::xml_node new_cell(Row& row, int row_number, int col);
  // The cell emptied of its value, made when missing; it keeps its format.
  pugi::xml_node cleared_cell(int row, int col);
  void put_number(pugi::xml_node cell, double value);

  std::string part_;
  pugi::xml_document doc_;
  pugi::xml_node data_;
  std::map<int, Row> rows_;
  std::map<int, Row>::iterator last_written_ = rows_.end();
  std::vector<ColumnStyle> column_styles_;
  const std::vector<std::string>& shared_strings_;
  std::function<Styles&()> styles_;
  bool changed_ = false;
};

// "_x0041_"-style escapes of the file format, in both directions (UTF-8 text).
std::string encode_cell_text(std::string_view text);
std::string decode_cell_text(std::string_view text);
// The text of a shared string or inline string element (<si> or <is>).
std::string string_item_text(pugi::xml_node item);

}  // namespace rg::workbook::detail
