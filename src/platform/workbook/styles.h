#pragma once
// The workbook's cell formats (styles.xml): a cell written with a fixed number
// of decimals keeps its own format in every other respect.

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include <pugixml.hpp>

namespace rg::workbook::detail {

class Styles {
 public:
  Styles(pugi::xml_document doc, std::filesystem::path file);

  // The index of a cell format equal to format `base` but for showing exactly
  // `decimals` decimals; added to the workbook when it has none such yet.
  int fixed(int base, int decimals);

  bool changed() const { return changed_; }
  const pugi::xml_document& document() const { return doc_; }

 private:
  int number_format(const std::string& code);

  pugi::xml_document doc_;
  std::filesystem::path file_;
  std::map<std::pair<int, int>, int> made_;
  bool changed_ = false;
};

}  // namespace rg::workbook::detail
