#pragma once
// A control of a form: a text box, a list, a button, a label, a frame... The
// program's handlers read and write its properties; the front end shows them and
// passes the user's input back through the user_* operations.
//
// Event rules every form relies on:
// - A text written by code raises Change when it differs from the old text.
// - A list item selected by code (list_index) raises Click; so does setting the
//   value of a check box or option button by code.
// - Focus events (GotFocus, Validate, LostFocus) run only when the user moves the
//   focus (see Form::user_move_focus and Form::send_tab).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/drawing.h"

namespace rg::ui {

class Form;

using Color = std::uint32_t;
// The two system colours the program paints its boxes with.
inline constexpr Color kWindowBackground = 0x80000005;
inline constexpr Color kButtonFace = 0x8000000F;

enum class ControlKind {
  Label,
  TextBox,
  ComboBox,       // a drop-down list with an editable text
  ListBox,
  CheckBox,
  OptionButton,
  CommandButton,
  Frame,          // a captioned group box; holds other controls
  Picture,        // a drawing; may hold other controls
  TabControl,     // holds TabPage controls, one per tab
  TabPage,        // holds the controls of one tab
  Grid,           // rows and columns of texts under one fixed header row
};

// Whether a control of this kind can ever have the focus (labels, frames,
// pictures and tab pages cannot).
bool can_have_focus(ControlKind kind);

// Which property changed, for the front end.
enum class Property {
  Text,
  Caption,
  Enabled,
  Visible,
  Locked,
  BackColor,
  Items,
  ItemAdded,  // one item appended to the list
  ListIndex,
  Value,
  Selection,
  CurrentTab,
  Drawing,
  ToolTip,
  Cells,        // the whole grid
  CellText,     // one cell's text
  ColWidth,
  CurrentCell,
  TopRow,
};

// Where a control goes: a cell of its container's grid. The container is the form
// itself (parent null), a Frame, a Picture or a TabPage.
struct Place {
  class Control* parent = nullptr;
  int row = 0;
  int col = 0;
  int row_span = 1;
  int col_span = 1;
};

// Key codes the handlers look at.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

class Control {
 public:
  Control(Form& form, std::string name, ControlKind kind, Place place);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  Form& form() const { return form_; }
  const Place& place() const { return place_; }
  Control* parent() const { return place_.parent; }

  // --- Properties -------------------------------------------------------
  const std::string& text() const { return text_; }
  // Code write: raises Change when the text differs.
  void set_text(std::string text);
  // Fills the text without raising Change (used when a record fills its bound
  // controls).
  void fill_text(std::string text);

  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption);

  bool enabled() const { return enabled_; }
  void set_enabled(bool on);
  bool visible() const { return visible_; }
  void set_visible(bool on);
  bool locked() const { return locked_; }
  void set_locked(bool on);
  Color back_color() const { return back_color_; }
  void set_back_color(Color c);
  // Whether the user can type into the control now: a text box or a list with
  // a text, not locked, enabled inside enabled containers.
  bool takes_typing() const;
  // The colour the control shows: a box that takes no typing shows the button
  // face where it would show the window background; a colour of its own stays.
  Color shown_back_color() const;
  const std::string& tooltip() const { return tooltip_; }
  void set_tooltip(std::string tip);

  // A locked box is no stop for Tab, whatever its setting.
  bool tab_stop() const { return tab_stop_ && !(locked_ && takes_text()); }
  void set_tab_stop(bool on) { tab_stop_ = on; }

  // Command buttons of a dialog: Enter that no control's handler takes presses
  // the default button, Escape the cancel button (see Form::default_button).
  bool is_default() const { return default_; }
  void set_default(bool on) { default_ = on; }
  bool is_cancel() const { return cancel_; }
  void set_cancel(bool on) { cancel_ = on; }
  // A click on a cancel button acts where the focus is: the dialog is
  // abandoned, so the box being edited is neither left nor validated for it.
  bool acts_in_place() const { return cancel_ && kind_ == ControlKind::CommandButton; }

  // Selection within the text (text boxes and the edit part of combo boxes).
  int sel_start() const { return sel_start_; }
  int sel_length() const { return sel_length_; }
  std::string sel_text() const;
  void set_selection(int start, int length);

  // Lists (combo and list boxes).
  const std::vector<std::string>& items() const { return items_; }
  int list_count() const { return static_cast<int>(items_.size()); }
  const std::string& item(int i) const;
  void add_item(std::string item);
  void set_items(std::vector<std::string> items);
  void clear_items();
  int list_index() const { return list_index_; }
  // Code selection: the text becomes the item, Click is raised. -1 clears the
  // selection without an event.
  void set_list_index(int index);
  // The text a list holds: the last one that no edit of the user's put there
  // (what it showed when the user moved the focus in, what a choice, a code
  // write or the record made it). Typing and pasting leave it, so a refusal
  // can show again what the list held.
  const std::string& held_text() const { return held_; }
  // What a refusal does: shows again the text held (a code write, so a bound
  // field follows, but no choice is made), selected whole, so that the next
  // keys replace it.
  void show_held_text();
  // True for a pick-only list (no free text).
  bool pick_only() const { return pick_only_; }
  void set_pick_only(bool on) { pick_only_ = on; }
  // A list of names completes a typed beginning to its item; a list of
  // numbers (every item a number) takes only a whole item, so "5" never
  // becomes "50".
  bool completes() const;

  // Check boxes: 0 unchecked, 1 checked, 2 greyed. Option buttons: 0 or 1;
  // setting 1 clears the other option buttons of the same container.
  int value() const { return value_; }
  void set_value(int v);
  // Fills the value without raising Click (a record filling its bound check box).
  void fill_value(int v);

  // Tab control.
  int current_tab() const { return current_tab_; }
  // Code or user change of the shown tab: Click runs with the previous tab.
  void set_current_tab(int tab);
  std::vector<Control*> pages() const;

  // Pictures.
  const Drawing& drawing() const { return drawing_; }
  void set_drawing(Drawing d);

  // Grids: row 0 holds the column captions, rows 1 and on the data. Every
  // row has as many cells as the header row. The current cell is at row 1 (row
  // 0 when there is no data row) and a column.
  // Replaces the whole table at once; the current cell goes to row 1 (or 0),
  // column 0, without events. Column widths set before are kept.
  void set_grid(std::vector<std::vector<std::string>> cells);
  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cells_.empty() ? 0 : static_cast<int>(cells_.front().size()); }
  const std::string& cell(int row, int col) const;  // throws std::out_of_range
  void set_cell(int row, int col, std::string text);
  // In average characters; 0: the front end's default.
  int col_width(int col) const;
  void set_col_width(int col, int chars);
  int row() const { return row_; }
  int col() const { return col_; }
  // Code move of the current cell: raises EnterCell when it changed.
  void set_current_cell(int row, int col);
  // The row the program last asked to show at the top (0: none since the
  // table was set). Only the front end knows which rows are in view, so it
  // judges each request: a row out of view comes to the top (as far as the
  // grid scrolls), a row in view stays where it is. Ask before moving the
  // current cell there, which scrolls it into view at the nearer edge.
  int top_row() const { return top_row_; }
  void set_top_row(int row);

  // Layout hints: the width of a box in average characters (0: the front end's
  // default) and whether a text box wraps over several lines.
  int width_chars() const { return width_chars_; }
  void set_width_chars(int w) { width_chars_ = w; }
  bool multiline() const { return multiline_; }
  void set_multiline(bool on) { multiline_ = on; }

  // Whether the user could put the focus here now: a focusable kind, enabled and
  // visible, inside enabled and visible containers.
  bool can_take_focus() const;

  // The words a message names the control by: the caption of the label
  // before it in its row, else its container's caption, else its name. A
  // label that shows a value of its row (a range, a unit) names no box.
  std::string label() const;
  void set_shows_value(bool on) { shows_value_ = on; }

  // True while the Change of a user's edit runs that only took text away
  // (Backspace, Delete, a cut): a handler that completes what was typed
  // leaves such a text as the user made it.
  bool deleting() const { return deleting_; }

  // --- Events -------------------------------------------------------------
  std::function<void()> Change;
  std::function<void()> Click;
  std::function<void(int previous_tab)> TabClick;
  std::function<void()> DblClick;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void(bool& cancel)> Validate;
  std::function<void(int& key_ascii)> KeyPress;
  // Grids: the current cell changed.
  std::function<void()> EnterCell;
  // The key filter refused a paste (see user_paste), given as it was judged;
  // the box holds what it held before.
  std::function<void(const std::string& pasted)> PasteRefused;

  // Raised for the record binding whenever the text or value changes by an edit,
  // code or user alike, before Change or Click; not raised by fill_text and
  // fill_value.
  std::function<void(Control&)> DataEdited;

  // --- The user's actions (front end and scripted tests) --------------------
  // The user typed keys: each goes through KeyPress (which may change or drop
  // it), then edits the text at the selection; Enter and Tab are only offered
  // to KeyPress. The control must have the focus for this to make sense; the
  // front end ensures that, tests use Form::user_move_focus first.
  void user_type(std::string_view keys);
  // The user's edit replaced the whole text (what the front end's editor
  // holds after typed keys, Backspace, Delete or a cut, which put in nothing
  // KeyPress has not seen) and left the caret at `caret` (-1: the end): raises
  // Change when it differs. A paste goes through user_paste.
  void user_edit_text(std::string text, int caret = -1);
  // The user pasted (or dropped) a text at the selection. White space around
  // it is dropped, and in a one-line box each run of tabs and line ends
  // inside it becomes one blank, so the box holds what it shows. The key
  // filter judges the paste whole, as if its keys were typed there: when
  // KeyPress would drop or change any of them, nothing is put in and
  // PasteRefused is raised. Only what the user inserts is so judged, never a
  // text the program or a record put in the box.
  void user_paste(std::string_view pasted);
  // A click: buttons, labels, pictures and frames raise Click; a check box
  // toggles and raises Click; an option button is set and raises Click. Nothing
  // happens on a disabled control.
  void user_click();
  // A pick from the list: the text becomes the item, Click is raised.
  void user_select(int index);
  void user_select(std::string_view item);
  // The arrow keys stepped through the closed list to an item: as a pick,
  // except that the focus stays here, whatever focus move a handler asks for
  // (a Tab sent after a choice is meant for a completed pick).
  void user_step(int index);
  // The user chose a tab: as with any click, the focus moves to the tab
  // control first, and the tab stays when Validate of the box that has the
  // focus refuses. Returns whether the tab was shown.
  bool user_select_tab(int tab);
  // A click on a grid cell: the current cell moves there (EnterCell when it
  // changed), then Click. A click on the header row does nothing.
  void user_click_cell(int row, int col);
  // A double click on a grid cell: the current cell moves there, then DblClick.
  void user_double_click_cell(int row, int col);

  // Offered to KeyPress, as a key typed into the control; returns the code that
  // survives (0 when dropped). The front end calls this before it lets a typed
  // character through.
  int offer_key(int key_ascii);

 private:
  friend class Form;
  void notify(Property p);
  // A code write or the record's: what the control now holds.
  void hold(const std::string& text) {
    if (!user_editing_) held_ = text;
  }
  void raise(const std::function<void()>& handler);
  void insert_at_selection(std::string_view s);
  void apply_user_edit(std::string edited, int caret);
  void check_cell(int row, int col) const;
  bool takes_text() const { return kind_ == ControlKind::TextBox || kind_ == ControlKind::ComboBox; }
  // Whether KeyPress lets every key of `keys` through unchanged, typed one by
  // one at the selection; the box is left as it was.
  bool admits(std::string_view keys);
  bool enabled_within() const;
  // Moves the current cell for the user; false when the click does not count.
  bool user_move_cell(int row, int col);

  Form& form_;
  std::string name_;
  ControlKind kind_;
  Place place_;

  std::string text_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool locked_ = false;
  Color back_color_ = kWindowBackground;
  std::string tooltip_;
  bool tab_stop_ = true;
  bool default_ = false;
  bool cancel_ = false;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::vector<std::string> items_;
  int list_index_ = -1;
  bool pick_only_ = false;
  int value_ = 0;
  int current_tab_ = 0;
  Drawing drawing_;
  std::vector<std::vector<std::string>> cells_;
  std::vector<int> col_widths_;
  int row_ = 0;
  int col_ = 0;
  int top_row_ = 0;
  int width_chars_ = 0;
  bool multiline_ = false;
  bool shows_value_ = false;
  bool deleting_ = false;
  std::string held_;
  // While a user's edit and the Change it raises run.
  bool user_editing_ = false;
};

}  // namespace rg::ui
