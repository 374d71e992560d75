#pragma once
// Paints a ui::Drawing scaled into the widget, keeping its proportions; child
// controls of the picture lie on top through the picture's own grid.

#include <QWidget>

#include "platform/ui/drawing.h"

namespace rg::qt {

class PictureWidget : public QWidget {
 public:
  explicit PictureWidget(QWidget* parent = nullptr);
  void set_drawing(ui::Drawing d);
  const ui::Drawing& drawing() const { return drawing_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::Drawing drawing_;
};

}  // namespace rg::qt
