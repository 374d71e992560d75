#include "platform/workbook/xlsx_sheet.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/workbook/package.h"

namespace rg::workbook::detail {

namespace {

// "AB12" -> (12, 28); false when the text is no cell reference.
bool parse_ref(std::string_view ref, int& row, int& col) {
  std::size_t i = 0;
  col = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && col <= 16384) col = col * 26 + (ref[i++] - 'A' + 1);
  row = 0;
  const std::size_t digits = i;
  while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9' && row <= 1048576) row = row * 10 + (ref[i++] - '0');
  return digits > 0 && i > digits && i == ref.size() && col >= 1 && row >= 1;
}

std::string ref(int row, int col) {
  std::string text;
  for (; col > 0; col = (col - 1) / 26) text += static_cast<char>('A' + (col - 1) % 26);
  std::reverse(text.begin(), text.end());
  char digits[16];
  return text.append(digits, std::to_chars(digits, digits + sizeof digits, row).ptr);
}

void put_code_point(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool escape_at(std::string_view text, std::size_t i, char32_t* cp = nullptr) {
  if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') return false;
  char32_t value = 0;
  for (std::size_t k = i + 2; k < i + 6; ++k) {
    const char c = text[k];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  if (cp) *cp = value;
  return true;
}

}  // namespace

std::string encode_cell_text(std::string_view text) {
  std::string out;
  const auto escape = [&](unsigned code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "_x%04X_", code);
    out += buffer;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // Characters XML cannot carry, and an underscore that would read as an escape.
    if (c < 0x20 && c != '\t' && c != '\n') {
      escape(c);
    } else if (escape_at(text, i)) {
      escape('_');
    } else if (text.substr(i, 3) == "\xEF\xBF\xBE" || text.substr(i, 3) == "\xEF\xBF\xBF") {
      escape(text[i + 2] == '\xBE' ? 0xFFFE : 0xFFFF);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string decode_cell_text(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    if (escape_at(text, i, &cp)) {
      put_code_point(out, cp);
      i += 7;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string string_item_text(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node part : item.children()) {
    const std::string_view name = part.name();
    if (name == "t") text += part.child_value();
    if (name == "r") text += part.child("t").child_value();  // runs of rich text; phonetic hints are no text
  }
  return decode_cell_text(text);
}

XlsxSheet::XlsxSheet(const std::filesystem::path& file, std::string part, pugi::xml_document doc,
                     const std::vector<std::string>& shared_strings, std::function<Styles&()> styles)
    : part_(std::move(part)), doc_(std::move(doc)), shared_strings_(shared_strings), styles_(std::move(styles)) {
  const pugi::xml_node sheet = doc_.child("worksheet");
  data_ = sheet.child("sheetData");
  if (!data_) {
    throw Error("The workbook \"" + file.string() + "\" is damaged: its sheet " + part_ + " has no cells.");
  }
  // Rows and cells may leave out their address, which then follows the one before.
  int row = 0;
  for (pugi::xml_node row_node : data_.children("row")) {
    row = row_node.attribute("r").as_int(row + 1);
    if (!row_node.attribute("r")) row_node.append_attribute("r").set_value(row);
    Row& indexed = rows_[row] = Row{row_node, {}};
    int col = 0;
    for (pugi::xml_node cell : row_node.children("c")) {
      int cell_row = 0, cell_col = 0;
      if (parse_ref(cell.attribute("r").value(), cell_row, cell_col)) {
        col = cell_col;
      } else {
        ++col;
        if (!cell.attribute("r")) cell.append_attribute("r");
        cell.attribute("r").set_value(ref(row, col).c_str());
      }
      indexed.cells.push_back({col, cell});
      if (cell.child("f") && (cell.child("v") || cell.attribute("t"))) {
        cell.remove_child("v");
        cell.remove_attribute("t");
        changed_ = true;
      }
    }
  }
  for (pugi::xml_node col_node : sheet.child("cols").children("col")) {
    if (const int style = col_node.attribute("style").as_int(0)) {
      column_styles_.push_back({col_node.attribute("min").as_int(), col_node.attribute("max").as_int(), style});
    }
  }
}

pugi::xml_node XlsxSheet::cell_in(const Row& row, int col) {
  for (const IndexedCell& cell : row.cells) {
    if (cell.col == col) return cell.node;
  }
  return {};
}

pugi::xml_node XlsxSheet::find_cell(int row, int col) const {
  const auto it = rows_.find(row);
  return it == rows_.end() ? pugi::xml_node() : cell_in(it->second, col);
}

XlsxSheet::Row& XlsxSheet::row_to_write(int row) {
  // Writes go down the sheet a row at a time: the row written last comes first.
  if (last_written_ != rows_.end() && last_written_->first == row) return last_written_->second;
  auto it = rows_.lower_bound(row);
  if (it == rows_.end() || it->first != row) {
    pugi::xml_node row_node =
        it == rows_.end() ? data_.append_child("row") : data_.insert_child_before("row", it->second.node);
    row_node.append_attribute("r").set_value(row);
    it = rows_.emplace_hint(it, row, Row{row_node, {}});
  }
  last_written_ = it;
  return it->second;
}

pugi::xml_node XlsxSheet::new_cell(Row& row, int row_number, int col) {
  const auto after = std::ranges::find_if(row.cells, [&](const IndexedCell& cell) { return cell.col > col; });
  pugi::xml_node cell =
      after != row.cells.end() ? row.node.insert_child_before("c", after->node) : row.node.append_child("c");
  row.cells.insert(after, {col, cell});
  cell.append_attribute("r").set_value(ref(row_number, col).c_str());
  // A new cell looks as the empty one did: the row's format, else the column's.
  int style = 0;
  if (row.node.attribute("customFormat").as_bool()) {
    style = row.node.attribute("s").as_int();
  } else {
    for (const ColumnStyle& columns : column_styles_) {
      if (col >= columns.first && col <= columns.last) style = columns.style;
    }
  }
  if (style != 0) cell.append_attribute("s").set_value(style);
  row.node.remove_attribute("spans");  // a hint that may no longer hold
  return cell;
}

pugi::xml_node XlsxSheet::cleared_cell(int row, int col) {
  check_cell(row, col);
  changed_ = true;
  Row& indexed = row_to_write(row);
  pugi::xml_node cell = cell_in(indexed, col);
  if (!cell) return new_cell(indexed, row, col);
  while (cell.first_child()) cell.remove_child(cell.first_child());
  for (const char* name : {"t", "cm", "vm"}) cell.remove_attribute(name);
  return cell;
}

void XlsxSheet::put_number(pugi::xml_node cell, double value) {
  cell.append_child("v").text().set(number_text(value).c_str());
}

void XlsxSheet::set_text(int row, int col, std::string_view text) {
  check_cell(row, col);
  if (text.empty() && !find_cell(row, col)) return;
  pugi::xml_node cell = cleared_cell(row, col);
  if (text.empty()) return;
  cell.append_attribute("t").set_value("inlineStr");
  pugi::xml_node node = cell.append_child("is").append_child("t");
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
  if (blank(text.front()) || blank(text.back())) node.append_attribute("xml:space").set_value("preserve");
  node.text().set(encode_cell_text(cell_text(text)).c_str());
}

void XlsxSheet::set_number(int row, int col, double value) {
  check_number(value);
  put_number(cleared_cell(row, col), value);
}

void XlsxSheet::set_fixed(int row, int col, double value, int decimals) {
  check_number(value);
  check_decimals(decimals);
  pugi::xml_node cell = cleared_cell(row, col);
  const int style = styles_().fixed(cell.attribute("s").as_int(0), decimals);
  if (!cell.attribute("s")) cell.append_attribute("s");
  cell.attribute("s").set_value(style);
  put_number(cell, value);
}

void XlsxSheet::set_date(int row, int col, std::chrono::year_month_day day) {
  const double serial = date_serial(day);
  put_number(cleared_cell(row, col), serial);
}

std::string XlsxSheet::text(int row, int col) const {
  check_cell(row, col);
  const pugi::xml_node cell = find_cell(row, col);
  const std::string_view type = cell.attribute("t").value();
  if (type == "inlineStr") return string_item_text(cell.child("is"));
  const std::string_view value = cell.child_value("v");
  if (type == "s") {
    const auto index = cell.child("v").text().as_ullong(shared_strings_.size());
    return index < shared_strings_.size() ? shared_strings_[index] : "";
  }
  if (type == "b") return value == "1" ? "TRUE" : "FALSE";
  if (type == "str") return decode_cell_text(value);
  return std::string(value);
}

void XlsxSheet::select_tab(bool selected) {
  pugi::xml_node view = doc_.child("worksheet").child("sheetViews").child("sheetView");
  if (!view || view.attribute("tabSelected").as_bool() == selected) return;
  if (selected) {
    if (!view.attribute("tabSelected")) view.append_attribute("tabSelected");
    view.attribute("tabSelected").set_value(1);
  } else {
    view.remove_attribute("tabSelected");
  }
  changed_ = true;
}

std::string XlsxSheet::xml() {
  int first_row = 0, last_row = 0, first_col = 0, last_col = 0;
  for (const auto& [row, indexed] : rows_) {
    for (const IndexedCell& cell : indexed.cells) {
      const int col = cell.col;
      if (first_row == 0) first_row = row, first_col = col, last_col = col;
      last_row = row;
      first_col = std::min(first_col, col);
      last_col = std::max(last_col, col);
    }
  }
  if (pugi::xml_node dimension = doc_.child("worksheet").child("dimension")) {
    const std::string range = first_row == 0 ? "A1" : ref(first_row, first_col) + ":" + ref(last_row, last_col);
    dimension.attribute("ref").set_value(range.c_str());
  }
  return xml_text(doc_);
}

}  // namespace rg::workbook::detail
