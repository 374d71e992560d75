// The adapters of the kinds that hold other controls: frames, pictures, tab
// controls and their pages.

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include "platform/qt/control_views_internal.h"
#include "platform/qt/convert.h"
#include "platform/qt/form_window.h"
#include "platform/qt/picture_widget.h"

namespace rg::qt {

using ui::Property;

namespace {

class FrameView : public ControlView {
 public:
  FrameView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    box_ = new QGroupBox;
    grid_ = new QGridLayout(box_);
    set_widget(box_);
  }
  void apply(Property p) override {
    if (p == Property::Caption) box_->setTitle(to_q(control_.caption()));
    ControlView::apply(p);
  }

 private:
  QGroupBox* box_;
};

class PictureView : public ControlView {
 public:
  PictureView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    picture_ = new PictureWidget;
    set_widget(picture_);
  }
  void add_child(ControlView& child) override {
    if (grid_ == nullptr) grid_ = new QGridLayout(picture_);
    ControlView::add_child(child);
  }
  void apply(Property p) override {
    if (p == Property::Drawing) picture_->set_drawing(control_.drawing());
    ControlView::apply(p);
  }

 private:
  PictureWidget* picture_;
};

class TabControlView : public ControlView {
 public:
  TabControlView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    tabs_ = new QTabWidget;
    set_widget(tabs_);
    QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this](int index) {
      if (!window_.syncing() && index >= 0) window_.user_chose_tab(control_, index);
    });
  }
  std::vector<QWidget*> input_widgets() const override { return {tabs_, tabs_->tabBar()}; }
  bool turns_tab(const QObject* watched, const QEvent* event) const override {
    const QTabBar* bar = tabs_->tabBar();
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        if (watched != bar) return false;
        const int tab = bar->tabAt(static_cast<const QMouseEvent*>(event)->position().toPoint());
        return tab >= 0 && tab != bar->currentIndex();
      }
      case QEvent::Wheel:
        return watched == bar;
      case QEvent::KeyPress: {
        // The keys that turn the tabs from anywhere inside the control.
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int k = key->key();
        return (key->modifiers() & Qt::ControlModifier) != 0 &&
               (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_PageUp || k == Qt::Key_PageDown);
      }
      default:
        return false;
    }
  }
  void add_child(ControlView& child) override {
    if (child.control().kind() != ui::ControlKind::TabPage) return;
    FormWindow::Sync sync(window_);
    tabs_->addTab(child.widget(), to_q(child.control().caption()));
  }
  void apply(Property p) override {
    if (p == Property::CurrentTab && tabs_->currentIndex() != control_.current_tab()) {
      FormWindow::Sync sync(window_);
      tabs_->setCurrentIndex(control_.current_tab());
    }
    ControlView::apply(p);
  }

 private:
  QTabWidget* tabs_;
};

class TabPageView : public ControlView {
 public:
  TabPageView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    page_ = new QWidget;
    grid_ = new QGridLayout(page_);
    set_widget(page_);
  }
  void apply(Property p) override {
    QTabWidget* tabs = control_.parent() == nullptr
                           ? nullptr
                           : qobject_cast<QTabWidget*>(window_.widget(*control_.parent()));
    const int index = tabs == nullptr ? -1 : tabs->indexOf(page_);
    if (index < 0) {
      if (p == Property::BackColor) ControlView::apply(p);
      return;
    }
    FormWindow::Sync sync(window_);
    switch (p) {
      case Property::Caption:
        tabs->setTabText(index, to_q(control_.caption()));
        break;
      case Property::Visible:
        tabs->setTabVisible(index, control_.visible());
        break;
      case Property::Enabled:
        tabs->setTabEnabled(index, control_.enabled());
        break;
      case Property::ToolTip:
        tabs->setTabToolTip(index, to_q(control_.tooltip()));
        break;
      case Property::BackColor:
        ControlView::apply(p);
        break;
      default:
        break;
    }
  }

 private:
  QWidget* page_;
};

}  // namespace

std::unique_ptr<ControlView> make_frame_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<FrameView>(control, window);
}

std::unique_ptr<ControlView> make_picture_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<PictureView>(control, window);
}

std::unique_ptr<ControlView> make_tab_control_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<TabControlView>(control, window);
}

std::unique_ptr<ControlView> make_tab_page_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<TabPageView>(control, window);
}

}  // namespace rg::qt
