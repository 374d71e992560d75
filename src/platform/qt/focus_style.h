#pragma once
// The program's look: the style Qt picks, with a mark on the control that has
// the keyboard focus wherever that style leaves it unclear.

#include <QProxyStyle>

namespace rg::qt {

class FocusStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// Puts the focus marks over the application's style, once.
void mark_focus();

}  // namespace rg::qt
