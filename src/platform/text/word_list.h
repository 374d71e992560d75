#pragma once
// Names listed as a sentence says them: "A", "A and B", "A, B and C".

#include <string>
#include <vector>

namespace rg::text {

inline std::string word_list(const std::vector<std::string>& items) {
  std::string s;
  for (std::size_t i = 0; i < items.size(); ++i) {
    s += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
  }
  return s;
}

}  // namespace rg::text
