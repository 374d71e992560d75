#include "platform/qt/form_window.h"

// Building the window from the form, laying it out and sizing it, and showing
// what the model says of its controls. The menus and status bar, and the user's
// input, have files of their own beside this one.

#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/control_views.h"
#include "platform/qt/convert.h"

namespace rg::qt {

using ui::ControlKind;

namespace {

// Escape acts as the close box: it asks the form (see the Close event in
// FormWindow::eventFilter), and the window goes only when the form unloads.
class DialogWindow : public QDialog {
 public:
  void reject() override { close(); }
};

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
        auto* bar = new_status_bar();
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
        auto* bar = new_status_bar();
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

void FormWindow::form_changed() {
  if (!window_) return;
  window_->setWindowTitle(to_q(form_.caption()));
  if (form_.pointer() == ui::MousePointer::Hourglass) {
    window_->setCursor(Qt::WaitCursor);
  } else {
    window_->unsetCursor();
  }
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

// The focus shows from the start, and after a click as after a key: the
// style draws its focus frame only in a window marked as keyboard-driven,
// which Qt marks only when its own Tab handling moves the focus (the form's
// Tab is the model's, which Qt does not see) and unmarks at each showing.
void FormWindow::present() {
  window_->show();
  window_->setAttribute(Qt::WA_KeyboardFocusChange);
  window_->raise();
  window_->activateWindow();
}

// A window that reaches past the screen's edge (it grew for a frame the program
// showed, or opened centred over a window near the edge) moves back inside
// rather than hiding a part of itself.
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

}  // namespace rg::qt
