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
  if (by_name_.count(name) != 0) throw std::logic_error(name_ + ": two controls named " + name);
  controls_.push_back(std::make_unique<Control>(*this, name, kind, place));
  Control& c = *controls_.back();
  by_name_.emplace(std::move(name), &c);
  return c;
}

Control& Form::add_label(std::string caption, Place place) {
  Control& label = add("Label" + std::to_string(++label_count_) + "_", ControlKind::Label, place);
  label.set_caption(std::move(caption));
  return label;
}

Control& Form::control(std::string_view name) const {
  Control* c = find(name);
  if (c == nullptr) throw std::out_of_range(name_ + ": no control " + std::string(name));
  return *c;
}

Control* Form::find(std::string_view name) const {
  const auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

std::vector<Control*> Form::children(const Control* parent) const {
  std::vector<Control*> out;
  for (const auto& c : controls_) {
    if (c->parent() == parent) out.push_back(c.get());
  }
  return out;
}

Menu& Form::add_menu(std::string name, std::string caption) {
  menus_.push_back(std::make_unique<Menu>(*this, std::move(name), std::move(caption)));
  return *menus_.back();
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
  Menu* m = find_menu(menus_, name);
  if (m == nullptr) throw std::out_of_range(name_ + ": no menu " + std::string(name));
  return *m;
}

StatusBar& Form::add_status_bar() {
  status_bar_ = std::make_unique<StatusBar>(*this);
  return *status_bar_;
}

void Form::load() {
  if (state_ == State::Loaded || state_ == State::Loading) return;
  if (state_ == State::Unloaded) {
    // The controls of the last showing are gone; the window is built anew.
    controls_.clear();
    by_name_.clear();
    menus_.clear();
    status_bar_.reset();
    label_count_ = 0;
    caption_ = design_caption_;
    pointer_ = MousePointer::Default;
  }
  if (controls_.empty() && menus_.empty()) design();
  state_ = State::Loading;
  Form_Load();
  // Form_Load may have unloaded the form already.
  if (state_ == State::Loading) state_ = State::Loaded;
}

bool Form::unload(UnloadMode mode) {
  if (state_ != State::Loaded && state_ != State::Loading) return state_ == State::Unloaded;
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  state_ = State::Unloaded;
  ++unload_count_;
  active_ = nullptr;
  release_controls();
  FormObserver* observer = observer_;
  observer_ = nullptr;
  if (observer) observer->unloaded();
  return true;
}

Control* Form::next_tab_stop(Control* from) const {
  const auto n = controls_.size();
  if (n == 0) return nullptr;
  std::size_t start = 0;
  if (from != nullptr) {
    for (std::size_t i = 0; i < n; ++i) {
      if (controls_[i].get() == from) {
        start = i + 1;
        break;
      }
    }
  }
  for (std::size_t k = 0; k < n; ++k) {
    Control* c = controls_[(start + k) % n].get();
    if (c->tab_stop() && c->can_take_focus()) return c;
  }
  return nullptr;
}

bool Form::user_move_focus(Control& to) {
  if (&to == active_) return true;
  if (!to.can_take_focus()) return false;
  Control* from = active_;
  if (from != nullptr && from->Validate) {
    bool cancel = false;
    from->Validate(cancel);
    if (cancel) {
      // The focus stays where it was; the front end puts it back.
      if (observer_) observer_->focus_changed(active_);
      return false;
    }
  }
  if (from != nullptr && from->LostFocus) from->LostFocus();
  active_ = &to;
  if (observer_) observer_->focus_changed(active_);
  if (to.GotFocus) to.GotFocus();
  return true;
}

bool Form::send_tab() {
  Control* next = next_tab_stop(active_);
  if (next == nullptr) return false;
  return user_move_focus(*next);
}

void Form::set_focus(Control& to) {
  if (!to.can_take_focus()) throw std::runtime_error("Invalid procedure call: " + to.name() + " cannot take the focus");
  active_ = &to;
  if (observer_) observer_->focus_changed(active_);
}

}  // namespace rg::ui
