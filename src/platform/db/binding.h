#pragma once
// Ties controls to the fields of a record set: each control shows its field of
// the current row, refilled after every move of the cursor (without Change
// events), and every edit of a control, by code or by the user, lands in the
// field at once. Check boxes hold integer fields, every other control a text.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/db/record_set.h"
#include "platform/ui/control.h"

namespace rg::db {

class Binding {
 public:
  Binding() = default;
  ~Binding();
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  // Binds the controls, in the order given, to their fields and fills them from
  // the current row. Replaces an earlier attachment. A field the set lacks
  // raises Error (UnknownField) and leaves nothing attached.
  void attach(RecordSet& rs, std::vector<std::pair<ui::Control*, std::string>> fields);
  // Lets the controls go; they keep what they show.
  void clear();
  // Fills every bound control from the current row ("" or 0 when there is none).
  void fill();
  RecordSet* record_set() const { return rs_; }

 private:
  void edited(ui::Control& control, const std::string& field);

  RecordSet* rs_ = nullptr;
  RecordSet::ListenerId listener_ = 0;
  std::vector<std::pair<ui::Control*, std::string>> fields_;
  bool filling_ = false;
};

// Fills a data-bound combo's list from one field of every row of its row source
// (the set's cursor is left at its first row). No set, or a closed one, leaves
// the list empty.
void fill_list(ui::Control& combo, RecordSet* row_source, std::string_view field);

}  // namespace rg::db
