#pragma once
// What the adapters of the control kinds share among the files that define
// them, one family a file; the rest of the program sees control_views.h only.

#include <QFontMetrics>
#include <QSize>
#include <QStyle>
#include <QWidget>
#include <memory>

#include "platform/qt/control_views.h"

namespace rg::qt {

// The width of `chars` average characters of the widget's font.
int chars_width(const QWidget* w, int chars);

// The longest text the program writes into a caption or a list item, in
// average characters (a list of surfaces has items of 70): a text from data
// longer than that is shortened rather than widen its window.
constexpr int kLongestText = 72;

// A widget whose preferred width follows the control's width hint.
template <class W>
class Hinted : public W {
 public:
  explicit Hinted(int chars, int extra = 0) : chars_(chars), extra_(extra) {}
  QSize sizeHint() const override {
    QSize s = W::sizeHint();
    if (chars_ > 0) {
      s.setWidth(chars_width(this, chars_) + 2 * this->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8 +
                 extra_);
    }
    return s;
  }
  QSize minimumSizeHint() const override {
    QSize s = W::minimumSizeHint();
    if (chars_ > 0) s.setWidth(sizeHint().width());
    return s;
  }

 private:
  int chars_;
  int extra_;
};

// The adapter of each kind, which make_view picks.
std::unique_ptr<ControlView> make_label_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_button_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_frame_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_picture_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_tab_control_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_tab_page_view(ui::Control& control, FormWindow& window);
// A one-line or a multi-line box, as the control asks.
std::unique_ptr<ControlView> make_text_box_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_combo_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_list_view(ui::Control& control, FormWindow& window);
std::unique_ptr<ControlView> make_grid_view(ui::Control& control, FormWindow& window);

}  // namespace rg::qt
