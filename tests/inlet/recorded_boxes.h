#pragma once
// The inlet design form's boxes as a recorder of what a dialog writes into them.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/services.h"

namespace rg::test {

class RecordedBoxes : public app::InletBoxes {
 public:
  using Writes = std::vector<std::pair<std::string, std::string>>;
  Writes writes;
  std::string text(std::string_view) override { return {}; }
  void set_text(std::string_view control, std::string_view text) override { writes.emplace_back(control, text); }
  int value(std::string_view) override { return 0; }
  void set_value(std::string_view, int) override {}
};

}  // namespace rg::test
