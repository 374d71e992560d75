#include "reports/inlet_records.h"

#include <algorithm>
#include <numeric>

namespace rg::reports {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upper(c);
  return out;
}

const std::string kEmpty;

}  // namespace

FieldIndex::FieldIndex(std::vector<std::string> names) : names_(std::move(names)), order_(names_.size()) {
  for (auto& name : names_) name = upper(name);
  std::iota(order_.begin(), order_.end(), 0);
  std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) { return names_[a] < names_[b]; });
}

int FieldIndex::find(std::string_view name) const {
  const std::string key = upper(name);
  auto it = std::lower_bound(order_.begin(), order_.end(), key,
                             [this](int place, const std::string& k) { return names_[place] < k; });
  return it != order_.end() && names_[*it] == key ? *it : -1;
}

InletRecord::InletRecord(std::shared_ptr<const FieldIndex> index, std::vector<std::string> values,
                         std::int64_t row_id)
    : index_(std::move(index)), values_(std::move(values)), row_id_(row_id) {
  values_.resize(index_->size());
}

InletRecord::InletRecord(std::initializer_list<std::pair<std::string_view, std::string_view>> fields) {
  std::vector<std::string> names;
  for (const auto& field : fields) {
    names.emplace_back(field.first);
    values_.emplace_back(field.second);
  }
  index_ = std::make_shared<FieldIndex>(std::move(names));
}

const std::string& InletRecord::text(std::string_view field) const {
  const int place = index_->find(field);
  return place < 0 ? kEmpty : values_[place];
}

}  // namespace rg::reports
