#include "platform/qt/control_views.h"

// What every adapter does, and the adapter for each kind; the families of
// kinds have a file each (text, list, button and container views).

#include <QApplication>
#include <QGridLayout>
#include <QPalette>
#include <algorithm>

#include "platform/qt/control_views_internal.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

using ui::Property;

void ControlView::set_widget(QWidget* w) {
  widget_ = w;
  w->setObjectName(to_q(control_.name()));
}

void ControlView::add_child(ControlView& child) {
  if (grid_ == nullptr) return;
  const ui::Place& p = child.control().place();
  grid_->addWidget(child.widget(), p.row, p.col, p.row_span, p.col_span);
}

void ControlView::apply(Property p) {
  QWidget* w = widget();
  if (w == nullptr) return;
  switch (p) {
    case Property::Enabled:
      w->setEnabled(control_.enabled());
      break;
    case Property::Visible:
      w->setVisible(control_.visible());
      break;
    case Property::ToolTip:
      w->setToolTip(to_q(control_.tooltip()));
      break;
    case Property::BackColor: {
      const ui::Color c = control_.shown_back_color();
      QPalette pal = w->palette();
      if (edits_text() || control_.kind() == ui::ControlKind::ListBox ||
          control_.kind() == ui::ControlKind::ComboBox || control_.kind() == ui::ControlKind::Grid) {
        pal.setColor(QPalette::Base, to_qcolor(c));
      } else {
        const bool plain = c == ui::kButtonFace;
        pal.setColor(QPalette::Window, plain ? QApplication::palette().color(QPalette::Window) : to_qcolor(c));
        w->setAutoFillBackground(!plain);
      }
      w->setPalette(pal);
      break;
    }
    default:
      break;
  }
}

void ControlView::apply_all() {
  FormWindow::Sync sync(window_);
  for (Property p : {Property::Caption, Property::Items, Property::Text, Property::ListIndex, Property::Value,
                     Property::Selection, Property::Locked, Property::Enabled, Property::BackColor,
                     Property::ToolTip, Property::CurrentTab, Property::Drawing, Property::Cells,
                     Property::Visible}) {
    apply(p);
  }
  show_tab_stop();
}

void ControlView::show_tab_stop() {
  QWidget* w = widget();
  if (w == nullptr || !ui::can_have_focus(control_.kind())) return;
  if (!tab_policy_) tab_policy_ = w->focusPolicy();
  if (control_.acts_in_place()) {
    // A click leaves the focus where it is (see Control::acts_in_place).
    w->setFocusPolicy(control_.tab_stop() ? Qt::TabFocus : Qt::NoFocus);
    return;
  }
  w->setFocusPolicy(control_.tab_stop() ? *tab_policy_ : Qt::ClickFocus);
}

int chars_width(const QWidget* w, int chars) {
  const QFontMetrics fm(w->font());
  return chars * std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('x')));
}

std::unique_ptr<ControlView> make_view(ui::Control& control, FormWindow& window) {
  switch (control.kind()) {
    case ui::ControlKind::Label:
      return make_label_view(control, window);
    case ui::ControlKind::TextBox:
      return make_text_box_view(control, window);
    case ui::ControlKind::ComboBox:
      return make_combo_view(control, window);
    case ui::ControlKind::ListBox:
      return make_list_view(control, window);
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
    case ui::ControlKind::CommandButton:
      return make_button_view(control, window);
    case ui::ControlKind::Frame:
      return make_frame_view(control, window);
    case ui::ControlKind::Picture:
      return make_picture_view(control, window);
    case ui::ControlKind::TabControl:
      return make_tab_control_view(control, window);
    case ui::ControlKind::TabPage:
      return make_tab_page_view(control, window);
    case ui::ControlKind::Grid:
      return make_grid_view(control, window);
  }
  return nullptr;
}

}  // namespace rg::qt
