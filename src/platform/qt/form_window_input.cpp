// The user's input to a form window: clicks, edits, picks, focus moves and
// keys, each passed through the model, which may refuse it.

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <exception>

#include "platform/qt/control_views.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_desktop.h"

namespace rg::qt {

namespace {

// The code a typed key has for the program's key handlers, or -1 for keys that
// are not typed characters (arrows, function keys, Tab, Delete, shortcuts).
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
  // With Control held a key is a command of the editor (paste, undo), never
  // a typed character; AltGr, which some keyboards give as Control with Alt,
  // types one.
  const auto mods = e->modifiers();
  if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) != 0 && (mods & Qt::AltModifier) == 0) return -1;
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

void FormWindow::focus_changed(ui::Control* control) { show_focus(control); }

void FormWindow::show_focus(ui::Control* control) {
  // A widget the user cannot see (on another tab) never takes the keys.
  if (control == nullptr || closed_ || !control->can_take_focus()) return;
  ControlView* v = view_of(control);
  if (v == nullptr || v->widget() == nullptr || v->widget()->hasFocus()) return;
  Sync sync(*this);
  v->widget()->setFocus(Qt::OtherFocusReason);
}

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

bool FormWindow::reach(ui::Control& control, bool by_keys) {
  if (form_.active_control() == &control) return true;
  if (moving_focus_) return false;
  moving_focus_ = true;
  bool moved = false;
  run([&] { moved = form_.user_move_focus(control, by_keys); });
  moving_focus_ = false;
  return moved && !closed_;
}

// Only where the focus can go first (Validate of the box that has it may
// refuse); a label or a frame takes its click without the focus, and a
// cancel button acts where the focus is.
void FormWindow::act(ui::Control& control, ui::Property shown, const std::function<void()>& call) {
  if (closed_) return;
  if (!ui::can_have_focus(control.kind()) || control.acts_in_place() || reach(control)) run(call);
  control_changed(control, shown);
}

void FormWindow::user_clicked(ui::Control& control) {
  act(control, ui::Property::Value, [&control] { control.user_click(); });
}

void FormWindow::user_edited(ui::Control& control, const std::string& text, int caret) {
  act(control, ui::Property::Text, [&] { control.user_edit_text(text, caret); });
  if (closed_) return;
  if (ControlView* v = view_of(&control)) v->copy_selection_to_model();
}

void FormWindow::user_pasted(ui::Control& control, int start, int length, const std::string& text) {
  // The model decides what lands; the widget then shows the model's text.
  act(control, ui::Property::Text, [&] {
    control.set_selection(start, length);
    control.user_paste(text);
  });
}

void FormWindow::user_picked(ui::Control& control, int index) {
  act(control, ui::Property::ListIndex, [&] { control.user_select(index); });
}

void FormWindow::user_stepped(ui::Control& control, int index) {
  act(control, ui::Property::ListIndex, [&] { control.user_step(index); });
}

void FormWindow::user_chose_tab(ui::Control& control, int index) {
  act(control, ui::Property::CurrentTab, [&] { control.user_select_tab(index); });
}

void FormWindow::user_moved_caret(ui::Control& control, int start, int length) {
  if (closed_) return;
  if (control.sel_start() != start || control.sel_length() != length) control.set_selection(start, length);
}

void FormWindow::user_clicked_cell(ui::Control& control, int row, int col, bool twice) {
  act(control, ui::Property::CurrentCell,
      [&] { twice ? control.user_double_click_cell(row, col) : control.user_click_cell(row, col); });
}

void FormWindow::user_moved_cell(ui::Control& control, int row, int col) {
  act(control, ui::Property::CurrentCell, [&] { control.set_current_cell(row, col); });
}

bool FormWindow::focus_entered(ui::Control& control, bool by_keys) {
  if (form_.active_control() == &control || moving_focus_) return false;
  if (syncing()) {
    // The focus moved as a side effect of the program's own change (the box
    // that had it became disabled or hidden): the model follows, without events.
    if (control.can_take_focus()) run([&] { form_.set_focus(control); });
    return false;
  }
  if (reach(control, by_keys) || closed_) return false;
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
  // What a typed key (or Backspace, or Enter that breaks a line) puts in has
  // passed KeyPress; any other edit, a paste above all, is judged as a paste.
  if (key >= 32 || key == ui::kKeyBackspace || key == ui::kKeyEnter) typing_ = &control;
  if (key == code) return false;
  // A handler changed the key: the widget gets the changed one instead.
  const char32_t ch = static_cast<char32_t>(key);
  QKeyEvent changed(QEvent::KeyPress, qt_key(key), Qt::NoModifier, QString::fromUcs4(&ch, 1));
  resending_key_ = true;
  QCoreApplication::sendEvent(watched, &changed);
  resending_key_ = false;
  typing_ = nullptr;
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
  // A typed key's edit is made while the widget takes that key; the user's
  // next act (a key, the mouse, a menu, a drop) begins another edit.
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::InputMethod:
      if (!resending_key_) typing_ = nullptr;
      break;
    default:
      break;
  }
  ControlView* v = view_of(control);
  // Another tab shows only once the focus could leave the box that has it.
  if (v != nullptr && v->turns_tab(watched, event) && !reach(*control)) return true;
  switch (event->type()) {
    case QEvent::FocusIn: {
      const bool by_mouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
      const bool had_handler = static_cast<bool>(control->GotFocus);
      if (focus_entered(*control, !by_mouse)) return true;
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
