#include "platform/ui/form.h"

#include <stdexcept>

namespace rg::ui {

// --- Menu -------------------------------------------------------------------

Menu::Menu(Form& form, std::string name, std::string caption, std::string shortcut)
    : form_(form), name_(std::move(name)), caption_(std::move(caption)), shortcut_(std::move(shortcut)) {}

void Menu::notify() {
  if (auto* o = form_.observer()) o->menu_changed(*this);
}

void Menu::set_enabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  notify();
}

void Menu::set_visible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  notify();
}

Menu& Menu::add(std::string name, std::string caption, std::string shortcut) {
  entries_.push_back(std::make_unique<Menu>(form_, std::move(name), std::move(caption), std::move(shortcut)));
  return *entries_.back();
}

void Menu::add_separator() {
  auto sep = std::make_unique<Menu>(form_, "", "-");
  sep->separator_ = true;
  entries_.push_back(std::move(sep));
}

void Menu::user_click() {
  if (!enabled_ || !visible_ || separator_) return;
  Form::EventScope scope(form_);
  if (Click) Click();
}

// --- StatusBar ------------------------------------------------------------------

void StatusBar::add_panel(PanelStyle style, int min_chars) {
  panels_.push_back(Panel{style, {}, min_chars});
}

const StatusBar::Panel& StatusBar::panel(int number) const {
  if (number < 1 || number > panel_count()) throw std::out_of_range("no status panel " + std::to_string(number));
  return panels_[static_cast<std::size_t>(number - 1)];
}

void StatusBar::set_panel_text(int number, std::string text) {
  if (number < 1 || number > panel_count()) throw std::out_of_range("no status panel " + std::to_string(number));
  panels_[static_cast<std::size_t>(number - 1)].text = std::move(text);
  if (auto* o = form_.observer()) o->status_changed(number);
}

// --- Form --------------------------------------------------------------------

Form::Form(std::string name, std::string caption, FormKind kind)
    : name_(std::move(name)), caption_(caption), design_caption_(std::move(caption)), kind_(kind) {}

Form::~Form() = default;

void Form::set_caption(std::string caption) {
  caption_ = std::move(caption);
  if (observer_) observer_->form_changed();
}

void Form::set_pointer(MousePointer p) {
  pointer_ = p;
  if (observer_) observer_->form_changed();
}

Control& Form::add(std::string name, ControlKind kind, Place place) {
  Showing& s = *showing_;
  if (s.by_name.count(name) != 0) throw std::logic_error(name_ + ": two controls named " + name);
  s.controls.push_back(std::make_unique<Control>(*this, name, kind, place));
  Control& c = *s.controls.back();
  s.by_name.emplace(std::move(name), &c);
  return c;
}

Control& Form::add_label(std::string caption, Place place) {
  Control& label = add("Label" + std::to_string(++showing_->label_count) + "_", ControlKind::Label, place);
  label.set_caption(std::move(caption));
  return label;
}

void Form::add_controls(std::span<const ControlSpec> table) {
  for (const ControlSpec& spec : table) {
    const Place place{spec.container.empty() ? nullptr : &control(spec.container), spec.row, spec.col,
                      spec.row_span, spec.col_span};
    Control& c = spec.name.empty() && spec.kind == ControlKind::Label ? add_label(spec.caption, place)
                                                                      : add(spec.name, spec.kind, place);
    if (!spec.caption.empty()) c.set_caption(spec.caption);
    if (spec.width_chars > 0) c.set_width_chars(spec.width_chars);
    if (!spec.items.empty()) c.set_items(spec.items);
    c.set_default(spec.default_button);
    c.set_cancel(spec.cancel_button);
    c.set_shows_value(spec.shows_value);
  }
}

namespace {
Control* first_pressable(const std::vector<std::unique_ptr<Control>>& controls, bool (Control::*marked)() const) {
  for (const auto& c : controls) {
    if ((c.get()->*marked)() && c->can_take_focus()) return c.get();
  }
  return nullptr;
}
}  // namespace

Control* Form::default_button() const { return first_pressable(showing_->controls, &Control::is_default); }
Control* Form::cancel_button() const { return first_pressable(showing_->controls, &Control::is_cancel); }

Control& Form::control(std::string_view name) const {
  Control* c = find(name);
  if (c == nullptr) throw std::out_of_range(name_ + ": no control " + std::string(name));
  return *c;
}

Control* Form::find(std::string_view name) const {
  const auto it = showing_->by_name.find(name);
  return it == showing_->by_name.end() ? nullptr : it->second;
}

std::vector<Control*> Form::children(const Control* parent) const {
  std::vector<Control*> out;
  for (const auto& c : showing_->controls) {
    if (c->parent() == parent) out.push_back(c.get());
  }
  return out;
}

Menu& Form::add_menu(std::string name, std::string caption) {
  auto& menus = showing_->menus;
  menus.push_back(std::make_unique<Menu>(*this, std::move(name), std::move(caption)));
  return *menus.back();
}

namespace {
Menu* find_menu(const std::vector<std::unique_ptr<Menu>>& menus, std::string_view name) {
  for (const auto& m : menus) {
    if (m->name() == name) return m.get();
    if (Menu* found = find_menu(m->entries(), name)) return found;
  }
  return nullptr;
}
}  // namespace

Menu& Form::menu(std::string_view name) const {
  Menu* m = find_menu(showing_->menus, name);
  if (m == nullptr) throw std::out_of_range(name_ + ": no menu " + std::string(name));
  return *m;
}

StatusBar& Form::add_status_bar() {
  showing_->status_bar = std::make_unique<StatusBar>(*this);
  return *showing_->status_bar;
}

Form::EventScope::~EventScope() {
  // The last handler has returned: nothing on the stack refers to a showing
  // that ended meanwhile.
  if (--form_.event_depth_ == 0) form_.retired_.clear();
}

void Form::release_showing() {
  active_ = nullptr;
  if (event_depth_ > 0) retired_.push_back(std::move(showing_));
  showing_ = std::make_unique<Showing>();
}

void Form::load() {
  if (state_ == State::Loaded || state_ == State::Loading) return;
  EventScope scope(*this);
  const State before = state_;
  if (before == State::Unloaded) {
    caption_ = design_caption_;
    pointer_ = MousePointer::Default;
  }
  state_ = State::Loading;
  try {
    if (showing_->controls.empty() && showing_->menus.empty()) design();
    Form_Load();
  } catch (...) {
    // Form_Load may have unloaded the form before it threw; else nothing of
    // this showing is kept.
    if (state_ == State::Loading) {
      state_ = before;
      release_showing();
    }
    throw;
  }
  // Form_Load may have unloaded the form already.
  if (state_ == State::Loading) state_ = State::Loaded;
}

bool Form::unload(UnloadMode mode) {
  if (state_ != State::Loaded && state_ != State::Loading) return state_ == State::Unloaded;
  EventScope scope(*this);
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  state_ = State::Unloaded;
  ++unload_count_;
  release_showing();
  FormObserver* observer = observer_;
  observer_ = nullptr;
  if (observer) observer->unloaded();
  return true;
}

int Form::offer_key(int key_ascii) {
  EventScope scope(*this);
  if (KeyPress) KeyPress(key_ascii);
  return key_ascii;
}

Control* Form::next_tab_stop(Control* from, bool backward) const {
  const auto& controls = showing_->controls;
  const auto n = controls.size();
  if (n == 0) return nullptr;
  // Where the search starts: past `from`, or at the first (last) control.
  std::size_t at = backward ? n - 1 : 0;
  for (std::size_t i = 0; i < n && from != nullptr; ++i) {
    if (controls[i].get() == from) {
      at = backward ? i + n - 1 : i + 1;
      break;
    }
  }
  for (std::size_t k = 0; k < n; ++k) {
    Control* c = controls[(backward ? at + n - k : at + k) % n].get();
    if (c->tab_stop() && c->can_take_focus()) return c;
  }
  return nullptr;
}

bool Form::user_move_focus(Control& to, bool by_keys) {
  if (&to == active_) return true;
  if (!to.can_take_focus() || stepping_ != nullptr) return false;
  EventScope scope(*this);
  // A handler that unloads the form ends the move.
  const int unloads = unload_count_;
  Control* from = active_;
  if (from != nullptr && from->Validate) {
    bool cancel = false;
    from->Validate(cancel);
    if (unload_count_ != unloads) return false;
    if (cancel) {
      // The focus stays where it was; the front end puts it back.
      if (observer_) observer_->focus_changed(active_);
      return false;
    }
  }
  const int placed = focus_placements_;
  if (from != nullptr && from->LostFocus) from->LostFocus();
  if (unload_count_ != unloads) return false;
  // A LostFocus that put the focus somewhere else itself (a refusal sending
  // the user back to a list) has the last word.
  if (focus_placements_ != placed && active_ != &to) {
    if (observer_) observer_->focus_changed(active_);
    return false;
  }
  active_ = &to;
  to.held_ = to.text_;
  if (by_keys && (to.kind() == ControlKind::TextBox || to.kind() == ControlKind::ComboBox)) {
    to.set_selection(0, static_cast<int>(to.text().size()));
  }
  if (observer_) observer_->focus_changed(active_);
  if (to.GotFocus) to.GotFocus();
  return true;
}

void Form::user_press(Control& c) {
  EventScope scope(*this);
  if (c.acts_in_place() || user_move_focus(c)) c.user_click();
}

bool Form::send_tab(bool backward) {
  if (stepping_ != nullptr) return false;
  EventScope scope(*this);
  Control* next = next_tab_stop(active_, backward);
  if (next == nullptr) return false;
  return user_move_focus(*next, true);
}

void Form::set_focus(Control& to) {
  if (!to.can_take_focus()) throw std::runtime_error("Invalid procedure call: " + to.name() + " cannot take the focus");
  if (stepping_ != nullptr) return;
  ++focus_placements_;
  active_ = &to;
  if (observer_) observer_->focus_changed(active_);
}

}  // namespace rg::ui
