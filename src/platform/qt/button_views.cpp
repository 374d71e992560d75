// The adapters of labels and buttons: a caption and a click.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

#include "platform/qt/control_views_internal.h"
#include "platform/qt/convert.h"
#include "platform/qt/fitted_label.h"
#include "platform/qt/form_window.h"

namespace rg::qt {

using ui::Property;

namespace {

// A label shows its caption whole, up to the longest the program writes: a
// longer one is a text from data (a number the user typed), shortened to that
// length, and down to a few characters where the window lacks the room. A
// label the program gives a width keeps that room whatever it shows.
class CaptionLabel : public FittedLabel {
 public:
  explicit CaptionLabel(int chars) : chars_(chars) {}
  QSize sizeHint() const override { return {room(kLongestText), QLabel::sizeHint().height()}; }
  QSize minimumSizeHint() const override {
    const bool caption = chars_ > 0 || whole_width() <= room_for(kLongestText);
    return {caption ? room(kLongestText) : room_for(kLeast), QLabel::minimumSizeHint().height()};
  }

 private:
  static constexpr int kLeast = 12;
  int room_for(int chars) const { return width_for(chars_width(this, chars)); }
  // The whole text's room, up to `chars` characters; a given width always.
  int room(int chars) const { return chars_ > 0 ? room_for(chars_) : std::min(whole_width(), room_for(chars)); }
  int chars_;
};

class LabelView : public ControlView {
 public:
  LabelView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    label_ = new CaptionLabel(c.width_chars());
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    set_widget(label_);
  }
  void apply(Property p) override {
    if (p == Property::Caption) label_->set_full_text(without_access_marks(to_q(control_.caption())));
    if (p == Property::ToolTip) {
      label_->set_own_tooltip(to_q(control_.tooltip()));
      return;
    }
    ControlView::apply(p);
  }

 private:
  CaptionLabel* label_;
};

// A push button whose caption keeps a character's room from either edge, as
// dialog buttons do; the style's own hint may let it touch them.
class CaptionButton : public QPushButton {
 public:
  QSize sizeHint() const override {
    QSize s = QPushButton::sizeHint();
    const QFontMetrics fm(font());
    const int caption = fm.size(Qt::TextShowMnemonic, text()).width();
    const int edge = fm.averageCharWidth() + style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
    s.setWidth(std::max(s.width(), caption + 2 * edge));
    return s;
  }
  QSize minimumSizeHint() const override { return sizeHint(); }
};

// Command buttons, check boxes and option buttons: a caption, a click, and for
// the latter two a value.
class ButtonView : public ControlView {
 public:
  ButtonView(ui::Control& c, FormWindow& w) : ControlView(c, w) {
    switch (c.kind()) {
      case ui::ControlKind::CheckBox:
        button_ = new QCheckBox;
        break;
      case ui::ControlKind::OptionButton: {
        auto* option = new QRadioButton;
        // The model keeps the option buttons of a container exclusive.
        option->setAutoExclusive(false);
        button_ = option;
        break;
      }
      default: {
        auto* push = new CaptionButton;
        // Enter belongs to the program's key handlers; the form window presses
        // the default button for an Enter they leave, and the button shows it.
        push->setAutoDefault(false);
        push->setDefault(c.is_default());
        // A button keeps the width its caption needs, as dialog buttons do.
        QSizePolicy sp = push->sizePolicy();
        sp.setHorizontalPolicy(QSizePolicy::Fixed);
        push->setSizePolicy(sp);
        button_ = push;
        break;
      }
    }
    set_widget(button_);
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] {
      if (!window_.syncing()) window_.user_clicked(control_);
    });
  }
  void apply(Property p) override {
    switch (p) {
      case Property::Caption:
        button_->setText(to_q(control_.caption()));
        break;
      case Property::Value: {
        FormWindow::Sync sync(window_);
        const int v = control_.value();
        if (auto* check = qobject_cast<QCheckBox*>(button_)) {
          if (v == 2) check->setTristate(true);
          check->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        } else if (button_->isCheckable()) {
          button_->setChecked(v == 1);
        }
        break;
      }
      default:
        ControlView::apply(p);
    }
  }

 private:
  QAbstractButton* button_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlView> make_label_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<LabelView>(control, window);
}

std::unique_ptr<ControlView> make_button_view(ui::Control& control, FormWindow& window) {
  return std::make_unique<ButtonView>(control, window);
}

}  // namespace rg::qt
