#pragma once
// The parts of an .xlsx file (a zip of XML parts) in memory, in their original
// order, and the XML and relationship handling every part shares.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace rg::workbook::detail {

struct Part {
  std::string name;  // zip entry name, without a leading "/"
  std::string data;
};

class Package {
 public:
  // Errors: the file is missing or not a zip archive.
  static Package read(const std::filesystem::path& file);
  // Errors name `shown_as`, the file the user knows (`file` may be a temporary one).
  void write(const std::filesystem::path& file, const std::filesystem::path& shown_as) const;

  Part* find(std::string_view name);
  void remove(std::string_view name);

 private:
  std::vector<Part> parts_;
};

// An XML part parsed so that writing it back changes nothing but what was edited.
pugi::xml_document parse_xml(const Part& part, const std::filesystem::path& file);
std::string xml_text(const pugi::xml_document& doc);

// The part a relationship of `source` points at: targets are relative to the
// source's folder unless they start with "/".
std::string resolve_target(std::string_view source, std::string_view target);
// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" -> "_rels/.rels"
std::string rels_name(std::string_view source);
// The relationship type's last word: ".../officeDocument" -> "officeDocument"
std::string_view type_word(std::string_view type);
// The local part of an element or attribute name ("r:id" -> "id").
std::string_view local_name(std::string_view name);

}  // namespace rg::workbook::detail
