#include "platform/workbook/styles.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/workbook/package.h"
#include "platform/workbook/sheet.h"

namespace rg::workbook::detail {

namespace {

void set_count(pugi::xml_node list, const char* child) {
  const auto children = list.children(child);
  const auto count = std::distance(children.begin(), children.end());
  if (!list.attribute("count")) list.append_attribute("count");
  list.attribute("count").set_value(static_cast<long long>(count));
}

// Two formats are the same when their XML is.
std::string xml_of(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return out.str();
}

}  // namespace

Styles::Styles(pugi::xml_document doc, std::filesystem::path file) : doc_(std::move(doc)), file_(std::move(file)) {}

int Styles::number_format(const std::string& code) {
  // The built-in formats "0" and "0.00" need no entry of their own.
  if (code == "0") return 1;
  if (code == "0.00") return 2;
  pugi::xml_node sheet = doc_.child("styleSheet");
  pugi::xml_node formats = sheet.child("numFmts");
  int last = 163;  // the workbook's own formats are numbered from 164
  for (pugi::xml_node format : formats.children("numFmt")) {
    if (code == format.attribute("formatCode").value()) return format.attribute("numFmtId").as_int();
    last = std::max(last, format.attribute("numFmtId").as_int());
  }
  if (!formats) formats = sheet.prepend_child("numFmts");
  pugi::xml_node format = formats.append_child("numFmt");
  format.append_attribute("numFmtId").set_value(last + 1);
  format.append_attribute("formatCode").set_value(code.c_str());
  set_count(formats, "numFmt");
  changed_ = true;
  return last + 1;
}

int Styles::fixed(int base, int decimals) {
  check_decimals(decimals);
  if (const auto it = made_.find({base, decimals}); it != made_.end()) return it->second;
  pugi::xml_node list = doc_.child("styleSheet").child("cellXfs");
  std::vector<pugi::xml_node> formats;
  for (pugi::xml_node xf : list.children("xf")) formats.push_back(xf);
  if (formats.empty()) {
    throw Error("The workbook \"" + file_.string() + "\" is damaged: it has no cell formats.");
  }
  if (base < 0 || base >= static_cast<int>(formats.size())) base = 0;

  pugi::xml_document scratch;
  pugi::xml_node wanted = scratch.append_copy(formats[base]);
  const std::string code = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
  const int format_id = number_format(code);
  for (const char* name : {"numFmtId", "applyNumberFormat"}) {
    if (!wanted.attribute(name)) wanted.append_attribute(name);
  }
  wanted.attribute("numFmtId").set_value(format_id);
  wanted.attribute("applyNumberFormat").set_value(1);

  const std::string text = xml_of(wanted);
  int index = 0;
  while (index < static_cast<int>(formats.size()) && xml_of(formats[index]) != text) ++index;
  if (index == static_cast<int>(formats.size())) {
    list.append_copy(wanted);
    set_count(list, "xf");
    changed_ = true;
  }
  made_[{base, decimals}] = index;
  return index;
}

}  // namespace rg::workbook::detail
