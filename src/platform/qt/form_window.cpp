#include "platform/qt/form_window.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <algorithm>
#include <QTimer>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

#include "platform/qt/control_views.h"
#include "platform/qt/convert.h"
#include "platform/qt/qt_desktop.h"

namespace rg::qt {

using ui::ControlKind;

namespace {

// Escape acts as the close box: it asks the form (see the Close event in
// FormWindow::eventFilter), and the window goes only when the form unloads.
class DialogWindow : public QDialog {
 public:
  void reject() override { close(); }
};

// A status-bar panel: it asks for the room of its whole text, which it gets
// where the bar has it to spare; a text too long for the room it gets is
// shortened in the middle with "…" (a path keeps its start and its file name),
// and the whole text is its tooltip. It never gets less than its least width,
// so a long path cannot push the other panels away.
class PanelLabel : public QLabel {
 public:
  void set_full_text(const QString& text) {
    full_ = text;
    setToolTip(text);
    fit();
    updateGeometry();
  }
  QSize minimumSizeHint() const override { return {minimumWidth(), QLabel::minimumSizeHint().height()}; }
  QSize sizeHint() const override {
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const int whole = fm.horizontalAdvance(full_) + spare(fm) + 2 * frameWidth() + m.left() + m.right();
    return {std::max(minimumWidth(), whole), QLabel::sizeHint().height()};
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QLabel::resizeEvent(e);
    fit();
  }

 private:
  // What the text leaves free beside it, so that it never touches the frame.
  static int spare(const QFontMetrics& fm) { return fm.horizontalAdvance(QLatin1Char('x')) + 2; }
  void fit() {
    const QFontMetrics fm(font());
    const int room = contentsRect().width() - spare(fm);
    const QString shown = fm.horizontalAdvance(full_) <= room ? full_ : fm.elidedText(full_, Qt::ElideMiddle, room);
    if (shown != text()) setText(shown);
  }
  QString full_;
};

// The status bar, whose panels' texts never make the window wider.
class PanelBar : public QStatusBar {
 public:
  QSize sizeHint() const override { return {minimumSizeHint().width(), QStatusBar::sizeHint().height()}; }
};

// The code a typed key has for the program's key handlers, or -1 for keys that
// are not typed characters (arrows, function keys, Tab, Delete).
int key_code(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Backspace:
      return ui::kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ui::kKeyEnter;
    case Qt::Key_Escape:
      return ui::kKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return -1;
    default:
      break;
  }
  const QList<uint> chars = e->text().toUcs4();
  if (chars.size() != 1 || chars[0] == 127) return -1;
  return static_cast<int>(chars[0]);
}

Qt::Key qt_key(int code) {
  switch (code) {
    case ui::kKeyBackspace:
      return Qt::Key_Backspace;
    case ui::kKeyEnter:
      return Qt::Key_Return;
    case ui::kKeyEscape:
      return Qt::Key_Escape;
    default:
      if (code >= 'a' && code <= 'z') return static_cast<Qt::Key>(code - 'a' + 'A');
      if (code >= 32 && code < 127) return static_cast<Qt::Key>(code);
      return Qt::Key_unknown;
  }
}

}  // namespace

FormWindow::FormWindow(ui::Form& form, QtDesktop& desktop) : form_(form), desktop_(desktop) {
  root_ = new QWidget;
  root_grid_ = new QGridLayout(root_);
  build_controls();

  switch (form_.kind()) {
    case ui::FormKind::MainWindow: {
      auto* main = new QMainWindow;
      // The main window's backdrop reaches its edges.
      root_grid_->setContentsMargins(0, 0, 0, 0);
      main->setCentralWidget(root_);
      if (!form_.menus().empty()) {
        menu_bar_ = main->menuBar();
        build_menus(menu_bar_);
      }
      if (form_.status_bar() != nullptr) {
        auto* bar = new PanelBar;
        main->setStatusBar(bar);
        build_status_bar(bar);
      }
      window_ = main;
      break;
    }
    case ui::FormKind::Dialog: {
      auto* dialog = new DialogWindow;
      const int margin = dialog->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
      root_grid_->setContentsMargins(margin + 4, margin + 4, margin + 4, margin + 4);
      auto* outer = new QVBoxLayout(dialog);
      outer->setContentsMargins(0, 0, 0, 0);
      outer->setSpacing(0);
      if (!form_.menus().empty()) {
        menu_bar_ = new QMenuBar;
        build_menus(menu_bar_);
        outer->setMenuBar(menu_bar_);
      }
      outer->addWidget(root_);
      if (form_.status_bar() != nullptr) {
        auto* bar = new PanelBar;
        bar->setSizeGripEnabled(false);
        build_status_bar(bar);
        outer->addWidget(bar);
      }
      // A dialog is never smaller than what it shows needs; beyond that its
      // size follows what it shows (see fit_to_contents).
      outer->setSizeConstraint(QLayout::SetMinimumSize);
      window_ = dialog;
      break;
    }
    case ui::FormKind::Splash: {
      auto* splash = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
      auto* outer = new QVBoxLayout(splash);
      outer->setContentsMargins(0, 0, 0, 0);
      auto* frame = new QFrame;
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
      frame->setLineWidth(2);
      auto* inner = new QVBoxLayout(frame);
      inner->setContentsMargins(0, 0, 0, 0);
      inner->addWidget(root_);
      outer->addWidget(frame);
      outer->setSizeConstraint(QLayout::SetFixedSize);
      window_ = splash;
      break;
    }
  }
  window_->setObjectName(to_q(form_.name()));
  window_->installEventFilter(this);
  form_changed();
  form_.set_observer(this);
  show_focus(form_.active_control());
}

FormWindow::~FormWindow() {
  // Nothing the widgets signal while they go is the user's doing.
  ++sync_depth_;
  if (!closed_ && form_.observer() == this) form_.set_observer(nullptr);
  closed_ = true;
  delete window_.data();
}

// --- Building ---------------------------------------------------------------------

void FormWindow::build_controls() {
  for (const auto& c : form_.controls()) {
    auto view = make_view(*c, *this);
    view_by_control_[c.get()] = view.get();
    for (QWidget* w : view->input_widgets()) {
      control_by_widget_[w] = c.get();
      w->installEventFilter(this);
    }
    views_.push_back(std::move(view));
  }
  for (const auto& view : views_) {
    ui::Control& c = view->control();
    ControlView* container = view_of(c.parent());
    bool placed = false;
    if (container != nullptr) {
      QWidget* before = view->widget()->parentWidget();
      container->add_child(*view);
      placed = view->widget()->parentWidget() != before;
    }
    if (!placed) {
      const ui::Place& p = c.place();
      // A dialog's own command buttons stand at the right of their place.
      const bool command = form_.kind() == ui::FormKind::Dialog && c.kind() == ControlKind::CommandButton;
      root_grid_->addWidget(view->widget(), p.row, p.col, p.row_span, p.col_span,
                            command ? Qt::AlignRight : Qt::Alignment());
    }
    ControlView* holder = placed ? container : nullptr;
    auto* grid = holder == nullptr ? root_grid_ : qobject_cast<QGridLayout*>(holder->widget()->layout());
    if (grid != nullptr) {
      GridContents& contents = grids_[grid];
      contents.children.push_back(&c);
      contents.rows = std::max(contents.rows, c.place().row + c.place().row_span);
      contents.cols = std::max(contents.cols, c.place().col + c.place().col_span);
      grid_of_[&c] = grid;
    }
  }
  for (const auto& [grid, contents] : grids_) set_stretch(grid);
  for (const auto& view : views_) view->apply_all();
}

// Extra room goes to the boxes and pictures, not to the labels beside them,
// nor to a box in one column that the program gave a width (a count does not
// stretch across the window; it fills its column when a neighbour makes that
// wider). A hidden control takes no room, so its row or column stretches no
// more.
void FormWindow::set_stretch(QGridLayout* grid) {
  const GridContents& contents = grids_[grid];
  for (int r = 0; r <= contents.rows; ++r) grid->setRowStretch(r, 0);
  for (int c = 0; c <= contents.cols; ++c) grid->setColumnStretch(c, 0);
  bool row_stretch = false;
  bool col_stretch = false;
  int spanned_col = -1;  // the last column of a wide control over several
  for (const ui::Control* c : contents.children) {
    if (!c->visible()) continue;
    const ui::Place& p = c->place();
    const ControlKind k = c->kind();
    const bool sized = ((k == ControlKind::TextBox && !c->multiline()) || k == ControlKind::ComboBox) &&
                       c->width_chars() > 0 && p.col_span == 1;
    const bool wide = (k == ControlKind::TextBox || k == ControlKind::ComboBox || k == ControlKind::ListBox ||
                       k == ControlKind::Picture || k == ControlKind::TabControl || k == ControlKind::Grid) &&
                      !sized;
    const bool tall = k == ControlKind::Picture || k == ControlKind::ListBox || k == ControlKind::TabControl ||
                      k == ControlKind::Grid || (k == ControlKind::TextBox && c->multiline());
    if (wide && p.col_span == 1) grid->setColumnStretch(p.col, 1);
    if (tall && p.row_span == 1) grid->setRowStretch(p.row, 1);
    if (wide && p.col_span > 1) spanned_col = std::max(spanned_col, p.col + p.col_span - 1);
    row_stretch = row_stretch || (tall && p.row_span == 1);
    col_stretch = col_stretch || (wide && p.col_span == 1);
  }
  // Without such a row or column, a control over several columns (the list
  // under a count) takes the room; failing that the controls stay together at
  // the top left and the spare room (a tab page taller than its fellows) stays
  // below and beside them.
  if (!row_stretch) grid->setRowStretch(contents.rows, 1);
  if (!col_stretch) grid->setColumnStretch(spanned_col >= 0 ? spanned_col : contents.cols, 1);
}

void FormWindow::build_menus(QMenuBar* bar) {
  for (const auto& m : form_.menus()) {
    ui::Menu* menu = m.get();
    if (menu->entries().empty()) {
      bind(bar->addAction(to_q(menu->caption())), *menu);
    } else {
      QMenu* qmenu = bar->addMenu(to_q(menu->caption()));
      build_menu_entries(qmenu, *menu);
      bind(qmenu->menuAction(), *menu);
    }
  }
}

void FormWindow::build_menu_entries(QMenu* qmenu, ui::Menu& menu) {
  for (const auto& e : menu.entries()) {
    ui::Menu* entry = e.get();
    if (entry->separator()) {
      bind(qmenu->addSeparator(), *entry);
    } else if (!entry->entries().empty()) {
      QMenu* sub = qmenu->addMenu(to_q(entry->caption()));
      build_menu_entries(sub, *entry);
      bind(sub->menuAction(), *entry);
    } else {
      QAction* action = qmenu->addAction(to_q(entry->caption()));
      if (!entry->shortcut().empty()) {
        action->setShortcut(QKeySequence::fromString(to_q(entry->shortcut()), QKeySequence::PortableText));
      }
      bind(action, *entry);
    }
  }
}

void FormWindow::bind(QAction* action, ui::Menu& menu) {
  action->setObjectName(to_q(menu.name()));
  actions_[&menu] = action;
  if (action->menu() == nullptr && !menu.separator()) {
    connect(action, &QAction::triggered, this, [this, &menu] { run([&menu] { menu.user_click(); }); });
  }
  menu_changed(menu);
}

void FormWindow::build_status_bar(QWidget* bar_widget) {
  auto* bar = static_cast<QStatusBar*>(bar_widget);
  ui::StatusBar* model = form_.status_bar();
  // The panels share the bar in a row of their own: a text panel gets the room
  // its text asks where the bar has that much, and what is left is shared out
  // among the text panels.
  auto* strip = new QWidget;
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(strip, 1);
  bool clock = false;
  for (int n = 1; n <= model->panel_count(); ++n) {
    const auto& panel = model->panel(n);
    auto* label = new PanelLabel;
    label->setObjectName(QStringLiteral("panel%1").arg(n));
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const QFontMetrics fm(label->font());
    int chars = panel.min_chars * fm.averageCharWidth();
    // The date and the time always show whole: their panels are as wide as the
    // widest text the clock can write.
    const QLocale locale = QLocale::system();
    if (panel.style == ui::StatusBar::PanelStyle::Date) {
      for (int month = 1; month <= 12; ++month) {
        chars = std::max(chars, fm.horizontalAdvance(locale.toString(QDate(2000, month, 28), QLocale::ShortFormat)));
      }
    } else if (panel.style == ui::StatusBar::PanelStyle::Time) {
      chars = std::max(chars, fm.horizontalAdvance(locale.toString(QTime(20, 58, 58), QLocale::ShortFormat)));
    }
    label->setMinimumWidth(chars + 2 * label->frameWidth() + fm.horizontalAdvance(QLatin1Char('x')) + 8);
    const bool text_panel = panel.style == ui::StatusBar::PanelStyle::Text;
    clock = clock || !text_panel;
    label->setSizePolicy(text_panel ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Preferred);
    row->addWidget(label);
    panels_.push_back(label);
    status_changed(n);
  }
  // The window never gets so narrow that the panels would overlap.
  int width = 2 * bar->style()->pixelMetric(QStyle::PM_SizeGripSize);
  for (QLabel* label : panels_) width += label->minimumWidth() + 8;  // and the space between panels
  if (QWidget* window = bar->window(); window != nullptr && window != bar) window->setMinimumWidth(width);
  if (clock) {
    update_clock();
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &FormWindow::update_clock);
    clock_->start(1000);
  }
}

void FormWindow::update_clock() {
  ui::StatusBar* model = form_.status_bar();
  if (model == nullptr || closed_) return;
  const QLocale locale = QLocale::system();
  for (int n = 1; n <= model->panel_count() && n <= static_cast<int>(panels_.size()); ++n) {
    QString text;
    switch (model->panel(n).style) {
      case ui::StatusBar::PanelStyle::Date:
        text = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
        break;
      case ui::StatusBar::PanelStyle::Time:
        text = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
        break;
      case ui::StatusBar::PanelStyle::Text:
        continue;
    }
    auto* label = static_cast<PanelLabel*>(panels_[static_cast<std::size_t>(n - 1)]);
    if (label->toolTip() != text) label->set_full_text(text);
  }
}

// --- Look-ups --------------------------------------------------------------------

ControlView* FormWindow::view_of(const ui::Control* control) const {
  const auto it = view_by_control_.find(control);
  return it == view_by_control_.end() ? nullptr : it->second;
}

ui::Control* FormWindow::control_of(QObject* object) const {
  const auto it = control_by_widget_.find(object);
  return it == control_by_widget_.end() ? nullptr : it->second;
}

QWidget* FormWindow::widget(std::string_view control_name) const {
  ui::Control* c = form_.find(control_name);
  return c == nullptr ? nullptr : widget(*c);
}

QWidget* FormWindow::widget(const ui::Control& control) const {
  ControlView* v = view_of(&control);
  return v == nullptr ? nullptr : v->widget();
}

QAction* FormWindow::action(std::string_view menu_name) const {
  for (const auto& [menu, action] : actions_) {
    if (!menu->separator() && menu->name() == menu_name) return action;
  }
  return nullptr;
}

QLabel* FormWindow::panel(int number) const {
  if (number < 1 || number > static_cast<int>(panels_.size())) return nullptr;
  return panels_[static_cast<std::size_t>(number - 1)];
}

// --- What the model says ---------------------------------------------------------

void FormWindow::control_changed(ui::Control& control, ui::Property property) {
  if (closed_) return;
  if (ControlView* v = view_of(&control)) {
    Sync sync(*this);
    v->apply(property);
    if (property == ui::Property::Locked) v->show_tab_stop();
  }
  if (property == ui::Property::Locked || property == ui::Property::Enabled) {
    // Whether a box takes typing shows in its colour, and a container passes
    // its state on to what it holds.
    Sync sync(*this);
    for (const auto& view : views_) {
      for (const ui::Control* c = &view->control(); c != nullptr; c = c->parent()) {
        if (c != &control) continue;
        view->apply(ui::Property::BackColor);
        break;
      }
    }
  }
  if (property == ui::Property::Visible) {
    if (const auto it = grid_of_.find(&control); it != grid_of_.end()) set_stretch(it->second);
  }
}

void FormWindow::menu_changed(ui::Menu& menu) {
  const auto it = actions_.find(&menu);
  if (it == actions_.end()) return;
  it->second->setEnabled(menu.enabled());
  it->second->setVisible(menu.visible());
}

void FormWindow::status_changed(int number) {
  ui::StatusBar* model = form_.status_bar();
  QLabel* label = panel(number);
  if (model == nullptr || label == nullptr) return;
  if (model->panel(number).style == ui::StatusBar::PanelStyle::Text) {
    static_cast<PanelLabel*>(label)->set_full_text(to_q(model->panel(number).text));
  }
}

void FormWindow::form_changed() {
  if (!window_) return;
  window_->setWindowTitle(to_q(form_.caption()));
  if (form_.pointer() == ui::MousePointer::Hourglass) {
    window_->setCursor(Qt::WaitCursor);
  } else {
    window_->unsetCursor();
  }
}

void FormWindow::focus_changed(ui::Control* control) { show_focus(control); }

void FormWindow::show_focus(ui::Control* control) {
  // A widget the user cannot see (on another tab) never takes the keys.
  if (control == nullptr || closed_ || !control->can_take_focus()) return;
  ControlView* v = view_of(control);
  if (v == nullptr || v->widget() == nullptr || v->widget()->hasFocus()) return;
  Sync sync(*this);
  v->widget()->setFocus(Qt::OtherFocusReason);
}

// A dialog takes the size that what it shows now asks for (its layout only
// insists on the least room), within the screen: it grows for a frame the
// program shows and shrinks again when the frame hides (the next inlet shows
// less). A size the user gave the window is the least it keeps.
void FormWindow::fit_to_contents() {
  // The layout sets the window's least size first: the old one would keep it
  // from shrinking.
  if (QLayout* layout = window_->layout()) layout->activate();
  // A size neither given here nor forced by the least size is the user's.
  if (window_->isVisible() && window_->size() != fitted_.expandedTo(window_->minimumSize())) {
    user_size_ = window_->size();
  }
  QSize want = window_->sizeHint().expandedTo(user_size_);
  if (QScreen* screen = window_->screen()) want = want.boundedTo(screen->availableGeometry().size());
  want = want.expandedTo(window_->minimumSizeHint());
  fitted_ = want;
  if (want != window_->size()) window_->resize(want);
}

// A window that grew (a frame the program showed) moves back inside the screen
// rather than hiding its lower part below the edge.
void FormWindow::keep_on_screen() {
  QScreen* screen = window_->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = window_->frameGeometry();
  if (area.contains(frame)) return;
  QPoint corner = frame.topLeft();
  corner.setX(std::max(area.left(), std::min(corner.x(), area.right() + 1 - frame.width())));
  corner.setY(std::max(area.top(), std::min(corner.y(), area.bottom() + 1 - frame.height())));
  if (corner != frame.topLeft()) window_->move(corner);
}

void FormWindow::unloaded() {
  if (closed_) return;
  closed_ = true;
  form_.set_observer(nullptr);
  if (clock_ != nullptr) clock_->stop();
  if (window_) window_->hide();
  if (on_unloaded) on_unloaded(*this);
}

// --- What the user does -------------------------------------------------------------

void FormWindow::run(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    ui::show_box(desktop_, e.what());
  } catch (...) {
    // Whatever else a handler lets through (the hydraulics' fault type) must
    // not end the program either.
    ui::show_box(desktop_, "An unexpected error occurred.");
  }
}

bool FormWindow::reach(ui::Control& control) {
  if (form_.active_control() == &control) return true;
  if (moving_focus_) return false;
  moving_focus_ = true;
  bool moved = false;
  run([&] { moved = form_.user_move_focus(control); });
  moving_focus_ = false;
  return moved && !closed_;
}

void FormWindow::user_clicked(ui::Control& control) {
  if (closed_) return;
  // A click on a control the focus cannot reach (Validate of the box that has
  // it refuses) does nothing.
  if (!ui::can_have_focus(control.kind()) || reach(control)) run([&control] { control.user_click(); });
  control_changed(control, ui::Property::Value);
}

void FormWindow::user_edited(ui::Control& control, const std::string& text, int caret) {
  if (closed_) return;
  if (reach(control)) run([&] { control.user_edit_text(text, caret); });
  if (closed_) return;
  control_changed(control, ui::Property::Text);
  if (ControlView* v = view_of(&control)) v->copy_selection_to_model();
}

void FormWindow::user_picked(ui::Control& control, int index) {
  if (closed_) return;
  if (reach(control)) run([&] { control.user_select(index); });
  control_changed(control, ui::Property::ListIndex);
}

void FormWindow::user_chose_tab(ui::Control& control, int index) {
  if (closed_) return;
  if (reach(control)) run([&] { control.user_select_tab(index); });
  control_changed(control, ui::Property::CurrentTab);
}

void FormWindow::user_moved_caret(ui::Control& control, int start, int length) {
  if (closed_) return;
  if (control.sel_start() != start || control.sel_length() != length) control.set_selection(start, length);
}

void FormWindow::user_clicked_cell(ui::Control& control, int row, int col, bool twice) {
  if (closed_) return;
  if (reach(control)) {
    run([&] { twice ? control.user_double_click_cell(row, col) : control.user_click_cell(row, col); });
  }
  control_changed(control, ui::Property::CurrentCell);
}

void FormWindow::user_moved_cell(ui::Control& control, int row, int col) {
  if (closed_) return;
  if (reach(control)) run([&] { control.set_current_cell(row, col); });
  control_changed(control, ui::Property::CurrentCell);
}

bool FormWindow::focus_entered(ui::Control& control) {
  if (form_.active_control() == &control || moving_focus_) return false;
  if (syncing()) {
    // The focus moved as a side effect of the program's own change (the box
    // that had it became disabled or hidden): the model follows, without events.
    if (control.can_take_focus()) run([&] { form_.set_focus(control); });
    return false;
  }
  if (reach(control) || closed_) return false;
  // Refused: the focus goes back to the control that keeps it, and the mouse
  // press that asked for the move does not reach the refused control.
  refused_ = &control;
  QTimer::singleShot(0, this, [this] { refused_ = nullptr; });
  show_focus(form_.active_control());
  return true;
}

bool FormWindow::key_pressed(ui::Control& control, QObject* watched, QKeyEvent* event) {
  if (resending_key_) return false;
  // A key the focused control left alone goes on to its containers: it is
  // not theirs to offer to a handler.
  if (ui::Control* focused = control_of(QApplication::focusWidget()); focused != nullptr && focused != &control) {
    return false;
  }
  const bool tab = (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
                   (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
  const int code = key_code(event);
  if (code < 0 && !tab) return false;
  // Typed keys land where the caret shows: the model's focus comes here first,
  // or the key is dropped and the caret goes back to the box that keeps it.
  if (form_.active_control() != &control && !reach(control)) {
    if (!closed_) show_focus(form_.active_control());
    return true;
  }
  // Tab goes along the form's own tab order, as the program's sent Tab does.
  if (tab) {
    const bool backward = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) != 0;
    if (!moving_focus_) {
      moving_focus_ = true;
      run([&] { form_.send_tab(backward); });
      moving_focus_ = false;
    }
    return true;
  }
  ControlView* v = view_of(&control);
  if (v != nullptr) v->copy_selection_to_model();
  int key = code;
  run([&] { key = control.offer_key(code); });
  if (closed_ || key == 0) return true;
  // Enter on a focused command button presses it, as on any dialog; on a
  // grid's row it does what a double click does.
  if (key == ui::kKeyEnter && control.kind() == ui::ControlKind::CommandButton) {
    user_clicked(control);
    return true;
  }
  if (key == ui::kKeyEnter && control.kind() == ui::ControlKind::Grid) {
    if (control.row() >= 1) user_clicked_cell(control, control.row(), control.col(), true);
    return true;
  }
  // Enter that no handler took, except where it breaks a line, presses the
  // default button as a click would: the box is left first, and its
  // Validate may keep the focus there.
  if (key == ui::kKeyEnter && (v == nullptr || !v->takes_enter())) {
    if (ui::Control* button = form_.default_button()) user_clicked(*button);
    return true;
  }
  // Escape abandons: the cancel button's Click runs where the focus is, so an
  // unfinished box cannot hold the user in the dialog.
  if (key == ui::kKeyEscape) {
    if (ui::Control* button = form_.cancel_button()) {
      run([button] { button->user_click(); });
      return true;
    }
  }
  if (key == code) return false;
  // A handler changed the key: the widget gets the changed one instead.
  const char32_t ch = static_cast<char32_t>(key);
  QKeyEvent changed(QEvent::KeyPress, qt_key(key), Qt::NoModifier, QString::fromUcs4(&ch, 1));
  resending_key_ = true;
  QCoreApplication::sendEvent(watched, &changed);
  resending_key_ = false;
  return true;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (closed_) return false;
  if (watched == window_) {
    if (event->type() == QEvent::Close) {
      // The close box asks the form; the window stays unless it unloads.
      event->ignore();
      run([this] { form_.unload(ui::UnloadMode::CloseBox); });
      return true;
    }
    if (event->type() == QEvent::LayoutRequest && form_.kind() == ui::FormKind::Dialog && window_->isVisible()) {
      fit_to_contents();
    }
    if (event->type() == QEvent::Resize && window_->isVisible()) keep_on_screen();
    if (event->type() == QEvent::KeyPress && form_.KeyPress && control_of(QApplication::focusWidget()) == nullptr) {
      int code = key_code(static_cast<QKeyEvent*>(event));
      if (code > 0) run([&] { form_.KeyPress(code); });
    }
    return false;
  }
  ui::Control* control = control_of(watched);
  if (control == nullptr) return false;
  ControlView* v = view_of(control);
  // Another tab shows only once the focus could leave the box that has it.
  if (v != nullptr && v->turns_tab(watched, event) && !reach(*control)) return true;
  switch (event->type()) {
    case QEvent::FocusIn: {
      const bool by_mouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
      const bool had_handler = static_cast<bool>(control->GotFocus);
      if (focus_entered(*control)) return true;
      // The click that gave the focus keeps what GotFocus selected, as on the
      // desktop the program was made for; a later click places the caret.
      if (by_mouse && had_handler && form_.active_control() == control && control->sel_length() > 0) {
        keep_selection_ = control;
        QTimer::singleShot(0, this, [this] { keep_selection_ = nullptr; });
      }
      return false;
    }
    case QEvent::KeyPress:
      return key_pressed(*control, watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
      if (keep_selection_ == control && v != nullptr && watched == v->text_editor()) {
        keep_selection_ = nullptr;
        swallowing_click_ = control;
        return true;
      }
      [[fallthrough]];
    case QEvent::MouseButtonDblClick:
      if (refused_ == control) return true;
      [[fallthrough]];
    case QEvent::Wheel:
      // A locked list neither drops down nor scrolls; its text can still be
      // selected and copied.
      return v != nullptr && watched == v->widget() && !v->accepts_pointer_input();
    case QEvent::MouseMove:
      return swallowing_click_ == control;
    case QEvent::MouseButtonRelease: {
      if (swallowing_click_ == control) {
        swallowing_click_ = nullptr;
        return true;
      }
      if (ui::can_have_focus(control->kind())) return false;
      const auto* me = static_cast<QMouseEvent*>(event);
      const auto* w = static_cast<QWidget*>(watched);
      if (me->button() == Qt::LeftButton && w->rect().contains(me->position().toPoint())) user_clicked(*control);
      // Handled here: a frame around the clicked label must not see it too.
      return true;
    }
    default:
      return false;
  }
}

}  // namespace rg::qt
