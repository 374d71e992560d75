#include "platform/db/binding.h"

namespace rg::db {

Binding::~Binding() { clear(); }

void Binding::attach(RecordSet& rs, std::vector<std::pair<ui::Control*, std::string>> fields) {
  clear();
  // Every field is checked before anything is tied, so a failure leaves nothing attached.
  for (const auto& [control, field] : fields) {
    if (!rs.field_index(field)) {
      throw Error(ErrorKind::UnknownField, "The record set has no field named " + field + ".");
    }
  }
  rs_ = &rs;
  listener_ = rs.on_move_complete([this](Reason) { fill(); });
  fields_ = std::move(fields);
  for (auto& [control, field] : fields_) {
    control->DataEdited = [this, f = field](ui::Control& c) { edited(c, f); };
  }
  fill();
}

void Binding::clear() {
  for (auto& [control, field] : fields_) control->DataEdited = nullptr;
  fields_.clear();
  if (rs_ != nullptr) rs_->remove_listener(listener_);
  rs_ = nullptr;
}

void Binding::fill() {
  if (rs_ == nullptr) return;
  filling_ = true;
  const bool on_row = rs_->is_open() && rs_->has_current_row();
  for (auto& [control, field] : fields_) {
    const Value v = on_row ? rs_->value(field) : Value();
    if (control->kind() == ui::ControlKind::CheckBox) {
      control->fill_value(static_cast<int>(v.integer().value_or(0)));
    } else {
      control->fill_text(v.text());
    }
  }
  filling_ = false;
}

void Binding::edited(ui::Control& control, const std::string& field) {
  if (filling_ || rs_ == nullptr || !rs_->is_open() || !rs_->has_current_row()) return;
  if (control.kind() == ui::ControlKind::CheckBox) {
    rs_->set_value(field, Value(control.value()));
    return;
  }
  // A box left empty over a Null field is no change.
  const Value& held = rs_->value(field);
  if (held.text() == control.text()) return;
  rs_->set_value(field, Value(control.text()));
}

void fill_list(ui::Control& combo, RecordSet* row_source, std::string_view field) {
  std::vector<std::string> items;
  if (row_source != nullptr && row_source->is_open() && row_source->record_count() > 0) {
    row_source->move_first();
    while (!row_source->eof()) {
      items.push_back(row_source->value(field).text());
      row_source->move_next();
    }
    row_source->move_first();
  }
  combo.set_items(std::move(items));
}

}  // namespace rg::db
