#include "hydrology/fields.h"

namespace rg::hydrology::detail {

std::string join_fields(std::span<const std::string> fields) {
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) joined += ',';
    for (char c : fields[i]) {
      if (c != ',') joined += c;
    }
  }
  return joined;
}

std::vector<std::string> split_fields(std::string_view text, std::size_t limit) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  while (limit == 0 || parts.size() + 1 < limit) {
    const auto comma = text.find(',', start);
    if (comma == std::string_view::npos) break;
    parts.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

}  // namespace rg::hydrology::detail
