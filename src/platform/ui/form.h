#pragma once
// A window of the program as a plain object: its controls (in tab order, the order
// of declaration), menus, status bar, caption and life cycle. Forms run headless
// in tests; the front end renders them and feeds the user's input back.

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/control.h"

namespace rg::ui {

class Form;

// A menu entry, or a menu holding entries. Captions carry the & accelerator.
class Menu {
 public:
  Menu(Form& form, std::string name, std::string caption, std::string shortcut = {});
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  // "Ctrl+X", "F1" or empty.
  const std::string& shortcut() const { return shortcut_; }
  bool separator() const { return separator_; }
  bool enabled() const { return enabled_; }
  void set_enabled(bool on);
  bool visible() const { return visible_; }
  void set_visible(bool on);

  Menu& add(std::string name, std::string caption, std::string shortcut = {});
  void add_separator();
  const std::vector<std::unique_ptr<Menu>>& entries() const { return entries_; }

  std::function<void()> Click;
  // The user chose the entry (by mouse, accelerator or shortcut): runs Click when
  // the entry is enabled.
  void user_click();

 private:
  void notify();
  Form& form_;
  std::string name_;
  std::string caption_;
  std::string shortcut_;
  bool separator_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::vector<std::unique_ptr<Menu>> entries_;
};

// Panels of a status bar: text panels the program writes, and date and time
// panels the front end keeps current by itself.
class StatusBar {
 public:
  enum class PanelStyle { Text, Date, Time };
  struct Panel {
    PanelStyle style = PanelStyle::Text;
    std::string text;
    int min_chars = 10;
  };
  explicit StatusBar(Form& form) : form_(form) {}
  void add_panel(PanelStyle style, int min_chars = 10);
  int panel_count() const { return static_cast<int>(panels_.size()); }
  // Panels are numbered from 1.
  const Panel& panel(int number) const;
  void set_panel_text(int number, std::string text);

 private:
  Form& form_;
  std::vector<Panel> panels_;
};

enum class FormKind { MainWindow, Dialog, Splash };
enum class MousePointer { Default, Hourglass };
// Why a form is asked to unload: by code (Unload), or by the user through the
// window's close box.
enum class UnloadMode { Code, CloseBox };

// What the front end hears from a form it shows.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void control_changed(Control& control, Property property) = 0;
  virtual void menu_changed(Menu& menu) = 0;
  virtual void status_changed(int panel) = 0;
  virtual void form_changed() = 0;  // caption or pointer
  virtual void focus_changed(Control* control) = 0;
  virtual void unloaded() = 0;
};

// A control declared as a row of a table: Form::add_controls builds the rows in
// order (the tab order), so a big form is its table plus the few handlers that
// are its own. `field` and `number_box` say nothing to the control layer; the
// program reads them from the same table to bind the record and attach the
// number-box handlers.
struct ControlSpec {
  std::string name{};       // "" for a label, which gets a generated name
  ControlKind kind = ControlKind::Label;
  std::string container{};  // the name of a control declared before; "" = the form
  int row = 0;
  int col = 0;
  int row_span = 1;
  int col_span = 1;
  std::string caption{};
  int width_chars = 0;
  std::vector<std::string> items{};  // list items
  std::string field{};               // the bound field; "" = none
  bool number_box = false;
  bool default_button = false;       // Enter presses it
  bool cancel_button = false;        // Escape presses it
  bool shows_value = false;          // a label showing a value: it names no box
};

// What a form keeps for one showing beside its controls (record sets,
// bindings, typed references to its controls): a form derives a struct from
// it and makes it with Form::emplace_showing, usually at the end of design().
// It is destroyed at the unload, before the controls, so what it holds may
// point at them.
struct ShowingBase {
  virtual ~ShowingBase() = default;
};

class Form {
 public:
  Form(std::string name, std::string caption, FormKind kind = FormKind::Dialog);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  FormKind kind() const { return kind_; }
  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption);
  MousePointer pointer() const { return pointer_; }
  void set_pointer(MousePointer p);

  // --- Controls, in tab order ----------------------------------------------
  Control& add(std::string name, ControlKind kind, Place place = {});
  // A label is a control too; most are not named in the program, so they get a
  // generated name.
  Control& add_label(std::string caption, Place place);
  Control& control(std::string_view name) const;  // throws std::out_of_range
  Control* find(std::string_view name) const;
  // Builds the rows in order; a container is found by name among the controls
  // built so far (std::out_of_range when there is none).
  void add_controls(std::span<const ControlSpec> table);
  const std::vector<std::unique_ptr<Control>>& controls() const { return showing_->controls; }
  std::vector<Control*> children(const Control* parent) const;
  // The button Enter presses (Escape: the cancel button): the first one so
  // marked that the user could press now; null when there is none.
  Control* default_button() const;
  Control* cancel_button() const;

  // --- Menus and status bar ---------------------------------------------------
  Menu& add_menu(std::string name, std::string caption);
  const std::vector<std::unique_ptr<Menu>>& menus() const { return showing_->menus; }
  Menu& menu(std::string_view name) const;  // searches all levels; throws
  StatusBar* status_bar() { return showing_->status_bar.get(); }
  StatusBar& add_status_bar();

  // --- Life cycle -------------------------------------------------------------
  // A form object lives as long as the program (its members are the form's
  // module-level state). What belongs to one showing (controls, menus, status
  // bar, the ShowingBase state) lives from a load to the unload: loading builds
  // it afresh (design, when the form has none) and runs Form_Load; loading a
  // loaded form does nothing. Loading is all or nothing: when design() or
  // Form_Load throws, what was built is released, the form stays unloaded (the
  // next load designs afresh) and the exception reaches the caller.
  bool is_loaded() const { return state_ == State::Loaded; }
  bool was_unloaded() const { return state_ == State::Unloaded; }
  // How many times the form has unloaded: a showing ends when it unloads, even
  // if the form is loaded again at once (a window that reloads itself).
  int unload_count() const { return unload_count_; }
  void load();
  // Asks Form_QueryUnload and Form_Unload; either may refuse. Returns true when
  // the form is unloaded. The front end showing it is let go, and the showing's
  // controls, menus and state are released: at once, or, when a handler of the
  // form is running, when the outermost one returns (see EventScope), so a
  // handler may unload (and load again) the form whose control it belongs to.
  bool unload(UnloadMode mode = UnloadMode::Code);

  // The current showing's state (see emplace_showing), found by its type;
  // std::logic_error when the showing has none.
  template <class S>
  S& showing() const {
    auto* state = dynamic_cast<S*>(showing_->state.get());
    if (state == nullptr) throw std::logic_error(name_ + ": not loaded");
    return *state;
  }

  // Every entry point that runs the form's handlers (the user_* operations,
  // code writes that raise events, focus moves, load and unload) holds one for
  // its whole length: while any is held, a showing that unloads is kept, and
  // the outermost one releases it. A front end that calls a handler directly
  // holds one too.
  class EventScope {
   public:
    explicit EventScope(Form& form) : form_(form) { ++form_.event_depth_; }
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    Form& form_;
  };

  // Held while the arrow keys step a list to an item (Control::user_step):
  // the handlers run as for a pick, but the focus stays on the list.
  class StepScope {
   public:
    StepScope(Form& form, Control& list) : form_(form), before_(form.stepping_) { form_.stepping_ = &list; }
    ~StepScope() { form_.stepping_ = before_; }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

   private:
    Form& form_;
    Control* before_;
  };

  // --- Focus -----------------------------------------------------------------
  Control* active_control() const { return active_; }
  // The user moves the focus to a control: Validate of the control that has it
  // may refuse (the focus stays, false is returned); otherwise its LostFocus and
  // the new control's GotFocus run, unless LostFocus put the focus elsewhere
  // itself (set_focus), where it then stays (false is returned). The keys (Tab,
  // a window's first focus as it opens) bring the focus with the whole text of
  // a box or list selected, so typing or a paste replaces it; a click leaves
  // the caret where it lands, and a refused move touches nothing.
  bool user_move_focus(Control& to, bool by_keys = false);
  // A mouse click on a control that can have the focus: the focus moves there
  // first, and the click is lost when the box left refuses; a control that
  // acts in place (a cancel button) is clicked where the focus is.
  void user_press(Control& c);
  // A Tab keystroke sent to the window: a user move to the next control in tab
  // order that can take the focus (with Shift, the one before). A text box or
  // list reached so has its whole text selected before its GotFocus runs.
  bool send_tab(bool backward = false);
  // Code SetFocus: moves the focus without focus events.
  void set_focus(Control& to);
  // While a list is stepped, none of the three moves the focus away from it.

  // The front end that shows the form, if any.
  void set_observer(FormObserver* observer) { observer_ = observer; }
  FormObserver* observer() const { return observer_; }

  // The form's keyboard handler (with KeyPreview), for forms that close on a key.
  std::function<void(int& key_ascii)> KeyPress;
  // A key typed while no control has the focus: offered to KeyPress; returns
  // the code that survives.
  int offer_key(int key_ascii);

 protected:
  // Creates the controls, menus and status bar as the window was designed.
  virtual void design() {}
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void Form_Unload(bool& /*cancel*/) {}

  // Makes the state of the current showing (replacing any); it lives until the
  // unload.
  template <class S, class... Args>
  S& emplace_showing(Args&&... args) {
    auto state = std::make_unique<S>(std::forward<Args>(args)...);
    S& made = *state;
    showing_->state = std::move(state);
    return made;
  }

 private:
  friend class Control;
  friend class Menu;
  friend class StatusBar;
  enum class State { Created, Loading, Loaded, Unloaded };

  // Everything of one showing. The state is declared last so that it dies
  // first, while the controls it may point at still exist.
  struct Showing {
    std::vector<std::unique_ptr<Control>> controls;
    std::map<std::string, Control*, std::less<>> by_name;
    std::vector<std::unique_ptr<Menu>> menus;
    std::unique_ptr<StatusBar> status_bar;
    int label_count = 0;
    std::unique_ptr<ShowingBase> state;
  };

  Control* next_tab_stop(Control* from, bool backward) const;
  // Ends the current showing: it is released now, or kept until the outermost
  // event returns.
  void release_showing();

  std::string name_;
  std::string caption_;
  std::string design_caption_;
  FormKind kind_;
  MousePointer pointer_ = MousePointer::Default;
  std::unique_ptr<Showing> showing_ = std::make_unique<Showing>();
  std::vector<std::unique_ptr<Showing>> retired_;
  int event_depth_ = 0;
  Control* active_ = nullptr;
  State state_ = State::Created;
  FormObserver* observer_ = nullptr;
  int unload_count_ = 0;
  Control* stepping_ = nullptr;
  int focus_placements_ = 0;  // code SetFocus calls so far
};

}  // namespace rg::ui
