#pragma once
// One adapter per kind of control: it makes the Qt widget, shows every property
// of the model, and hands the user's input to the form window, which passes it
// back through the model.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/control.h"

class QGridLayout;

namespace rg::qt {

class FormWindow;

class ControlView {
 public:
  ControlView(ui::Control& control, FormWindow& window) : control_(control), window_(window) {}
  virtual ~ControlView() = default;
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  ui::Control& control() const { return control_; }
  // The widget placed in the container's grid.
  QWidget* widget() const { return widget_; }
  // Every widget that can take the focus or the keys on the control's behalf.
  virtual std::vector<QWidget*> input_widgets() const { return {widget_}; }
  // Containers: puts a child's widget where its place says.
  virtual void add_child(ControlView& child);
  // Shows one property of the model.
  virtual void apply(ui::Property p);
  void apply_all();
  // Whether Tab stops here follows the model (a box locked by the program is
  // passed over); a click still gives the focus.
  void show_tab_stop();

  // The user's caret and selection in the model (a KeyPress handler reads
  // SelText), for the kinds that edit a text.
  virtual void copy_selection_to_model() {}
  // The widget whose clicks place the caret in a text, or null.
  virtual QWidget* text_editor() const { return nullptr; }
  // Whether Enter that survives KeyPress goes on to the widget (a line break).
  virtual bool takes_enter() const { return false; }
  // Whether typed keys edit a text here.
  virtual bool edits_text() const { return false; }
  // Whether the user may drop down or scroll the list now (a locked combo
  // may not).
  virtual bool accepts_pointer_input() const { return true; }
  // Whether this event, about to reach one of the input widgets, would show
  // another tab of a tab control.
  virtual bool turns_tab(const QObject* /*watched*/, const QEvent* /*event*/) const { return false; }

 protected:
  void set_widget(QWidget* w);
  QGridLayout* grid_ = nullptr;  // containers only
  ui::Control& control_;
  FormWindow& window_;

 private:
  QPointer<QWidget> widget_;
  std::optional<Qt::FocusPolicy> tab_policy_;  // the widget's own, for a tab stop
};

// The adapter for the control's kind.
std::unique_ptr<ControlView> make_view(ui::Control& control, FormWindow& window);

}  // namespace rg::qt
