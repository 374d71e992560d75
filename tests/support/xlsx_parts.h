#pragma once
// Reading and writing .xlsx files with libzip and pugixml directly, so tests see
// a workbook as any other reader does, beside the program's workbook layer.

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <map>
#include <string>

#include <pugixml.hpp>

namespace rg::test {

using Parts = std::map<std::string, std::string>;  // entry name -> content

inline Parts read_parts(const std::filesystem::path& file) {
  Parts parts;
  int code = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  EXPECT_NE(archive, nullptr) << file << " is no valid zip archive";
  if (!archive) return parts;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    std::string data(stat.size, '\0');
    zip_file_t* entry = zip_fopen_index(archive, i, 0);
    EXPECT_EQ(zip_fread(entry, data.data(), stat.size), static_cast<zip_int64_t>(stat.size));
    zip_fclose(entry);
    parts[stat.name] = data;
  }
  zip_close(archive);
  return parts;
}

inline void write_parts(const std::filesystem::path& file, const Parts& parts) {
  int code = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, data] : parts) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    ASSERT_GE(zip_file_add(archive, name.c_str(), source, 0), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

inline pugi::xml_document parse(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single)) << xml;
  return doc;
}

// The <c> element of a cell such as "C1" in a worksheet document.
inline pugi::xml_node find_cell(const pugi::xml_document& sheet, const std::string& ref) {
  for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
    if (pugi::xml_node cell = row.find_child_by_attribute("c", "r", ref.c_str())) return cell;
  }
  return {};
}

}  // namespace rg::test
