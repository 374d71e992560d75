#include "platform/ui/control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text/number_text.h"
#include "platform/ui/form.h"

namespace rg::ui {

Control::Control(Form& form, std::string name, ControlKind kind, Place place)
    : form_(form), name_(std::move(name)), kind_(kind), place_(place) {
  switch (kind_) {
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::Picture:
    case ControlKind::TabPage:
      tab_stop_ = false;
      back_color_ = kButtonFace;
      break;
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TabControl:
      back_color_ = kButtonFace;
      break;
    default:
      break;
  }
}

void Control::notify(Property p) {
  if (auto* o = form_.observer()) o->control_changed(*this, p);
}

void Control::raise(const std::function<void()>& handler) {
  if (!handler) return;
  Form::EventScope scope(form_);
  handler();
}

void Control::set_text(std::string text) {
  Form::EventScope scope(form_);
  hold(text);
  if (text == text_) return;
  fill_text(std::move(text));
  if (DataEdited) DataEdited(*this);
  raise(Change);
}

void Control::fill_text(std::string text) {
  hold(text);
  if (text == text_) return;
  text_ = std::move(text);
  sel_start_ = std::min(sel_start_, static_cast<int>(text_.size()));
  sel_length_ = std::min(sel_length_, static_cast<int>(text_.size()) - sel_start_);
  if (kind_ == ControlKind::ComboBox || kind_ == ControlKind::ListBox) {
    // The list shows the item the text names, without an event.
    const auto it = std::find(items_.begin(), items_.end(), text_);
    const int index = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    if (index != list_index_) {
      list_index_ = index;
      notify(Property::ListIndex);
    }
  }
  notify(Property::Text);
}

void Control::show_held_text() {
  const std::string held = held_;
  set_text(held);
  set_selection(0, static_cast<int>(text_.size()));
}

void Control::set_caption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notify(Property::Caption);
}

void Control::set_enabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  notify(Property::Enabled);
}

void Control::set_visible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  notify(Property::Visible);
}

void Control::set_locked(bool on) {
  if (on == locked_) return;
  locked_ = on;
  notify(Property::Locked);
}

void Control::set_back_color(Color c) {
  if (c == back_color_) return;
  back_color_ = c;
  notify(Property::BackColor);
}

bool Control::enabled_within() const {
  for (const Control* c = this; c != nullptr; c = c->place_.parent) {
    if (!c->enabled_) return false;
  }
  return true;
}

bool Control::takes_typing() const { return takes_text() && !locked_ && enabled_within(); }

Color Control::shown_back_color() const {
  return back_color_ == kWindowBackground && takes_text() && !takes_typing() ? kButtonFace : back_color_;
}

void Control::set_tooltip(std::string tip) {
  tooltip_ = std::move(tip);
  notify(Property::ToolTip);
}

std::string Control::sel_text() const {
  const auto n = static_cast<int>(text_.size());
  const int start = std::clamp(sel_start_, 0, n);
  const int len = std::clamp(sel_length_, 0, n - start);
  return text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(len));
}

void Control::set_selection(int start, int length) {
  const auto n = static_cast<int>(text_.size());
  sel_start_ = std::clamp(start, 0, n);
  sel_length_ = std::clamp(length, 0, n - sel_start_);
  notify(Property::Selection);
}

const std::string& Control::item(int i) const {
  if (i < 0 || i >= list_count()) throw std::out_of_range(name_ + ": no list item " + std::to_string(i));
  return items_[static_cast<std::size_t>(i)];
}

void Control::add_item(std::string item) {
  items_.push_back(std::move(item));
  // Only the new item: filling a shown list item by item stays linear.
  notify(Property::ItemAdded);
}

void Control::set_items(std::vector<std::string> items) {
  items_ = std::move(items);
  list_index_ = -1;
  notify(Property::Items);
}

void Control::clear_items() {
  items_.clear();
  list_index_ = -1;
  notify(Property::Items);
}

void Control::set_list_index(int index) {
  Form::EventScope scope(form_);
  if (index < 0) {
    list_index_ = -1;
    notify(Property::ListIndex);
    return;
  }
  const std::string& chosen = item(index);
  list_index_ = index;
  // A choice holds, even one a handler makes while the user types.
  held_ = chosen;
  const bool changed = chosen != text_;
  if (changed) {
    text_ = chosen;
    notify(Property::Text);
  }
  notify(Property::ListIndex);
  if (changed && DataEdited) DataEdited(*this);
  raise(Click);
}

void Control::set_value(int v) {
  Form::EventScope scope(form_);
  if (kind_ == ControlKind::OptionButton) {
    v = v != 0 ? 1 : 0;
    if (v == value_) return;
    value_ = v;
    notify(Property::Value);
    if (DataEdited) DataEdited(*this);
    if (v == 1) {
      for (Control* other : form_.children(place_.parent)) {
        if (other != this && other->kind_ == ControlKind::OptionButton && other->value_ != 0) {
          other->value_ = 0;
          other->notify(Property::Value);
        }
      }
      raise(Click);
    }
    return;
  }
  if (v == value_) return;
  value_ = v;
  notify(Property::Value);
  if (DataEdited) DataEdited(*this);
  raise(Click);
}

void Control::fill_value(int v) {
  if (v == value_) return;
  value_ = v;
  notify(Property::Value);
}

void Control::set_current_tab(int tab) {
  Form::EventScope scope(form_);
  if (tab == current_tab_) return;
  const int previous = current_tab_;
  current_tab_ = tab;
  notify(Property::CurrentTab);
  if (TabClick) TabClick(previous);
}

std::vector<Control*> Control::pages() const {
  std::vector<Control*> out;
  for (Control* c : form_.children(this)) {
    if (c->kind_ == ControlKind::TabPage) out.push_back(c);
  }
  return out;
}

void Control::set_drawing(Drawing d) {
  drawing_ = std::move(d);
  notify(Property::Drawing);
}

void Control::set_grid(std::vector<std::vector<std::string>> cells) {
  const std::size_t cols = cells.empty() ? 0 : cells.front().size();
  for (auto& r : cells) r.resize(cols);
  cells_ = std::move(cells);
  col_widths_.resize(cols, 0);
  row_ = rows() > 1 ? 1 : 0;
  col_ = 0;
  top_row_ = 0;
  notify(Property::Cells);
}

void Control::check_cell(int row, int col) const {
  if (row < 0 || row >= rows() || col < 0 || col >= cols()) {
    throw std::out_of_range(name_ + ": no cell " + std::to_string(row) + "," + std::to_string(col));
  }
}

const std::string& Control::cell(int row, int col) const {
  check_cell(row, col);
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void Control::set_cell(int row, int col, std::string text) {
  check_cell(row, col);
  std::string& c = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  if (c == text) return;
  c = std::move(text);
  notify(Property::CellText);
}

int Control::col_width(int col) const {
  check_cell(0, col);
  return col_widths_[static_cast<std::size_t>(col)];
}

void Control::set_col_width(int col, int chars) {
  check_cell(0, col);
  col_widths_[static_cast<std::size_t>(col)] = std::max(0, chars);
  notify(Property::ColWidth);
}

void Control::set_current_cell(int row, int col) {
  check_cell(row, col);
  if (row == row_ && col == col_) return;
  row_ = row;
  col_ = col;
  notify(Property::CurrentCell);
  raise(EnterCell);
}

void Control::set_top_row(int row) {
  check_cell(row, 0);
  top_row_ = row;
  // Asked again after the user scrolled away, the row is judged afresh.
  notify(Property::TopRow);
}

bool Control::user_move_cell(int row, int col) {
  check_cell(row, col);
  if (!enabled_ || !visible_ || row == 0) return false;
  set_current_cell(row, col);
  return true;
}

void Control::user_click_cell(int row, int col) {
  if (user_move_cell(row, col)) raise(Click);
}

void Control::user_double_click_cell(int row, int col) {
  if (user_move_cell(row, col)) raise(DblClick);
}

namespace {
// Digits with at most one point, as a number list's items are written.
bool plain_number(std::string_view s) {
  const auto point = s.find('.');
  if (point != std::string_view::npos && s.find('.', point + 1) != std::string_view::npos) return false;
  return s.size() > (point == std::string_view::npos ? 0U : 1U) &&
         std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}
}  // namespace

bool Control::completes() const { return items_.empty() || !std::all_of(items_.begin(), items_.end(), plain_number); }

bool Control::admits(std::string_view keys) {
  if (!KeyPress) return true;
  // The box as it would be while the keys are typed; put back afterwards,
  // whatever KeyPress does, without a word to the front end.
  struct Restore {
    Control& c;
    std::string text;
    int start, length;
    ~Restore() {
      c.text_ = std::move(text);
      c.sel_start_ = start;
      c.sel_length_ = length;
    }
  } restore{*this, text_, sel_start_, sel_length_};
  for (char ch : keys) {
    const int key = static_cast<unsigned char>(ch);
    // A control key is never typed into a box: it moves on or edits.
    if (key < 32) return false;
    int passed = key;
    KeyPress(passed);
    if (passed != key) return false;
    const auto n = static_cast<int>(text_.size());
    const int start = std::clamp(sel_start_, 0, n);
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(std::clamp(sel_length_, 0, n - start)),
                  1, ch);
    sel_start_ = start + 1;
    sel_length_ = 0;
  }
  return true;
}

bool can_have_focus(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::TabControl:
    case ControlKind::Grid:
      return true;
    default:
      return false;
  }
}

bool Control::can_take_focus() const {
  if (!can_have_focus(kind_)) return false;
  for (const Control* c = this; c != nullptr; c = c->place_.parent) {
    if (!c->enabled_ || !c->visible_) return false;
    // A control on a tab page that is not shown cannot take the focus.
    if (c->kind_ == ControlKind::TabPage && c->place_.parent != nullptr) {
      const auto pages = c->place_.parent->pages();
      const auto it = std::find(pages.begin(), pages.end(), c);
      if (it - pages.begin() != c->place_.parent->current_tab_) return false;
    }
  }
  return true;
}

std::string Control::label() const {
  const Control* best = nullptr;
  for (const Control* c : form_.children(place_.parent)) {
    if (c->kind_ != ControlKind::Label || c->shows_value_ || c->caption_.empty() || c->place_.row != place_.row) {
      continue;
    }
    if (c->place_.col < place_.col && (best == nullptr || c->place_.col > best->place_.col)) best = c;
  }
  if (best != nullptr) return best->caption_;
  if (place_.parent != nullptr && !place_.parent->caption_.empty()) return place_.parent->caption_;
  return name_;
}

void Control::insert_at_selection(std::string_view s) {
  const auto n = static_cast<int>(text_.size());
  const int start = std::clamp(sel_start_, 0, n);
  const int len = std::clamp(sel_length_, 0, n - start);
  std::string next = text_;
  next.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(len), s);
  apply_user_edit(std::move(next), start + static_cast<int>(s.size()));
}

void Control::apply_user_edit(std::string edited, int caret) {
  // Only taken away: the text got shorter and nothing was put in where the
  // selection started.
  deleting_ = edited.size() < text_.size() && caret <= sel_start_;
  sel_start_ = caret;
  sel_length_ = 0;
  const std::string typed = edited;
  // What the user typed, and a handler's completion of it, is not what the
  // list holds.
  user_editing_ = true;
  struct Reset {
    bool& deleting;
    bool& editing;
    ~Reset() { deleting = editing = false; }
  } reset{deleting_, user_editing_};
  set_text(std::move(edited));
  // A Change handler that completed what the user typed (a list item from its
  // beginning) leaves the completed tail selected, so the next key replaces it
  // instead of landing inside the word.
  const auto n = typed.size();
  if (caret == static_cast<int>(n) && text_.size() > n && text_.compare(0, n, typed) == 0) {
    sel_start_ = caret;
    sel_length_ = static_cast<int>(text_.size() - n);
  }
  notify(Property::Selection);
}

int Control::offer_key(int key_ascii) {
  Form::EventScope scope(form_);
  if (KeyPress) KeyPress(key_ascii);
  if (key_ascii != 0 && form_.KeyPress) form_.KeyPress(key_ascii);
  return key_ascii;
}

void Control::user_type(std::string_view keys) {
  Form::EventScope scope(form_);
  const int unloads = form_.unload_count();
  for (char ch : keys) {
    // Keys typed after a handler unloaded the form reach nothing.
    if (form_.unload_count() != unloads) return;
    const int key = offer_key(static_cast<unsigned char>(ch));
    if (key == 0 || !enabled_ || locked_) continue;
    if (key == kKeyEnter || key == kKeyTab) continue;
    if (kind_ != ControlKind::TextBox && kind_ != ControlKind::ComboBox) continue;
    if (key == kKeyBackspace) {
      if (sel_length_ > 0) {
        insert_at_selection("");
      } else if (sel_start_ > 0) {
        sel_start_ -= 1;
        sel_length_ = 1;
        insert_at_selection("");
      }
      continue;
    }
    if (key < 32) continue;
    insert_at_selection(std::string(1, static_cast<char>(key)));
  }
}

void Control::user_edit_text(std::string text, int caret) {
  Form::EventScope scope(form_);
  if (!enabled_ || locked_) return;
  if (caret < 0) caret = static_cast<int>(text.size());
  apply_user_edit(std::move(text), caret);
}

void Control::user_paste(std::string_view pasted) {
  Form::EventScope scope(form_);
  if (!takes_typing() || pick_only_) return;
  const std::string clean = multiline_ ? text::trim(pasted) : text::one_line(pasted);
  if (!admits(clean)) {
    // The front end's editor may show the paste already: it shows the box's
    // own text again before the refusal is said.
    notify(Property::Text);
    if (PasteRefused) PasteRefused(clean);
    return;
  }
  insert_at_selection(clean);
}

void Control::user_click() {
  Form::EventScope scope(form_);
  if (!enabled_ || !visible_) return;
  switch (kind_) {
    case ControlKind::CheckBox:
      set_value(value_ == 1 ? 0 : 1);
      return;
    case ControlKind::OptionButton:
      if (value_ == 1) {
        raise(Click);
      } else {
        set_value(1);
      }
      return;
    default:
      raise(Click);
  }
}

void Control::user_select(int index) {
  Form::EventScope scope(form_);
  if (!enabled_ || locked_) return;
  set_list_index(index);
}

void Control::user_step(int index) {
  Form::EventScope scope(form_);
  const int unloads = form_.unload_count();
  {
    Form::StepScope step(form_, *this);
    user_select(index);
  }
  // The item shows whole, as on the desktop's own lists, so typing replaces it.
  if (form_.unload_count() == unloads) set_selection(0, static_cast<int>(text_.size()));
}

void Control::user_select(std::string_view chosen) {
  const auto it = std::find(items_.begin(), items_.end(), chosen);
  if (it == items_.end()) throw std::invalid_argument(name_ + ": no item \"" + std::string(chosen) + "\"");
  user_select(static_cast<int>(it - items_.begin()));
}

bool Control::user_select_tab(int tab) {
  Form::EventScope scope(form_);
  if (!enabled_ || !form_.user_move_focus(*this)) return false;
  set_current_tab(tab);
  return current_tab_ == tab;
}

}  // namespace rg::ui
