#pragma once
// The window that shows one ui::Form: a QMainWindow, a QDialog or a frameless
// splash, holding a widget per control laid out in the grids the form declares,
// its menus and status bar. It keeps the widgets current as the model changes
// (ui::FormObserver) and passes the user's input back through the model, never
// around it.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/ui/form.h"

class QAction;
class QEventLoop;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTimer;

namespace rg::qt {

class ControlView;
class QtDesktop;

class FormWindow : public QObject, public ui::FormObserver {
 public:
  // Builds the window from the form's current state and starts observing it.
  // The form must outlive the window; the controls need to live only until the
  // form unloads (after that the window touches none of them).
  FormWindow(ui::Form& form, QtDesktop& desktop);
  ~FormWindow() override;

  ui::Form& form() const { return form_; }
  // The top-level widget (a QMainWindow, a QDialog or the splash's QWidget).
  QWidget* window() const { return window_; }
  // The widget of a control (by the control's name), or null. For a combo box
  // it is the QComboBox, for a tab page the page widget inside the QTabWidget.
  QWidget* widget(std::string_view control_name) const;
  QWidget* widget(const ui::Control& control) const;
  QMenuBar* menu_bar() const { return menu_bar_; }
  // A status-bar panel, numbered from 1, or null.
  QLabel* panel(int number) const;
  // Whether the form has unloaded (the window is hidden and waits to be deleted).
  bool closed() const { return closed_; }

  // --- ui::FormObserver ---------------------------------------------------
  void control_changed(ui::Control& control, ui::Property property) override;
  void menu_changed(ui::Menu& menu) override;
  void status_changed(int panel) override;
  void form_changed() override;
  void focus_changed(ui::Control* control) override;
  void unloaded() override;

  // --- For the control views ---------------------------------------------
  // True while the window writes the model's state into widgets: the widgets'
  // signals are then not the user's doing.
  bool syncing() const { return sync_depth_ > 0; }
  class Sync {
   public:
    explicit Sync(FormWindow& w) : w_(w) { ++w_.sync_depth_; }
    ~Sync() { --w_.sync_depth_; }
    Sync(const Sync&) = delete;
    Sync& operator=(const Sync&) = delete;

   private:
    FormWindow& w_;
  };
  // The user's input. Each refuses what the model refuses and then shows the
  // model's state again.
  void user_clicked(ui::Control& control);
  void user_edited(ui::Control& control, const std::string& text, int caret);
  // Text the user put in a box other than by typed keys (a paste from the
  // keys, the menu or the mouse, a drop, an undo): it replaced `length` bytes
  // from `start`, and the box's key filter judges it as a paste.
  void user_pasted(ui::Control& control, int start, int length, const std::string& text);
  // Whether the edit the control's editor is making comes from a key typed
  // into it, which its KeyPress has already seen.
  bool typing(const ui::Control& control) const { return typing_ == &control; }
  void user_picked(ui::Control& control, int index);
  // The arrow keys (or the wheel) stepped a closed list to an item.
  void user_stepped(ui::Control& control, int index);
  void user_chose_tab(ui::Control& control, int index);
  void user_moved_caret(ui::Control& control, int start, int length);
  // A grid cell clicked (or double-clicked), or reached by the keys.
  void user_clicked_cell(ui::Control& control, int row, int col, bool twice);
  void user_moved_cell(ui::Control& control, int row, int col);
  // Runs a call into the program; an error it lets through is shown in a box
  // instead of tearing down the event loop.
  void run(const std::function<void()>& call);

  // --- For the desktop ----------------------------------------------------
  // Shows the window in front, with the keys, and where the focus is.
  void present();
  // Sizes a dialog to what it shows, within the screen.
  void fit_to_contents();
  // Moves the window back inside its screen where it reaches past an edge.
  void keep_on_screen();
  // Called once when the form has unloaded.
  std::function<void(FormWindow&)> on_unloaded;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ControlView* view_of(const ui::Control* control) const;
  ui::Control* control_of(QObject* object) const;
  void build_controls();
  void build_menus(QMenuBar* bar);
  void build_menu_entries(QMenu* qmenu, ui::Menu& menu);
  // Ties a Qt action to its menu entry: state, name and the user's choice.
  void bind(QAction* action, ui::Menu& menu);
  // The bar the panels go in, placed before they are built.
  static QStatusBar* new_status_bar();
  void build_status_bar(QStatusBar* bar);
  void update_clock();
  void set_stretch(QGridLayout* grid);
  // Passes the user's act on a control to the model, then shows the property
  // it touches as the model has it.
  void act(ui::Control& control, ui::Property shown, const std::function<void()>& call);
  bool key_pressed(ui::Control& control, QObject* watched, QKeyEvent* event);
  // The widget took the focus; `by_keys` when no click gave it (the window's
  // first focus as it opens, a shortcut).
  bool focus_entered(ui::Control& control, bool by_keys);
  // Moves the model's focus to the control as the user would; false when
  // refused.
  bool reach(ui::Control& control, bool by_keys = false);
  void show_focus(ui::Control* control);

  ui::Form& form_;
  QtDesktop& desktop_;
  QPointer<QWidget> window_;
  QWidget* root_ = nullptr;
  QGridLayout* root_grid_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  std::vector<std::unique_ptr<ControlView>> views_;
  // What each grid holds, for the stretch that follows what is shown.
  struct GridContents {
    std::vector<const ui::Control*> children;
    int rows = 0;  // one past the last row (and column) a control takes
    int cols = 0;
  };
  std::map<QGridLayout*, GridContents> grids_;
  std::map<const ui::Control*, QGridLayout*> grid_of_;
  std::map<const ui::Control*, ControlView*> view_by_control_;
  std::map<const QObject*, ui::Control*> control_by_widget_;
  std::map<const ui::Menu*, QAction*> actions_;
  std::vector<QLabel*> panels_;
  QTimer* clock_ = nullptr;
  // The size fit_to_contents last gave the window, and the one the user gave
  // it (empty until then).
  QSize fitted_;
  QSize user_size_{0, 0};
  int sync_depth_ = 0;
  bool moving_focus_ = false;
  bool resending_key_ = false;
  // The control a typed key is being passed to, while its widget takes it.
  ui::Control* typing_ = nullptr;
  bool closed_ = false;
  // The control whose focus move Validate just refused: the mouse press that
  // asked for it must not act on it.
  ui::Control* refused_ = nullptr;
  // The text box a click has just focused, whose GotFocus selected its text:
  // that click (press, drag and release) leaves the selection alone.
  ui::Control* keep_selection_ = nullptr;
  ui::Control* swallowing_click_ = nullptr;
};

}  // namespace rg::qt
