#include "platform/qt/focus_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace rg::qt {

// A style may mark a focused button only by the outline it gives the default
// button too, so that with the focus on Cancel both buttons look alike: the
// focused one also gets the focus frame a check box gets.
void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  if (element != CE_PushButton || button == nullptr || !(option->state & State_HasFocus)) return;
  QStyleOptionFocusRect focus;
  focus.QStyleOption::operator=(*button);
  focus.rect = subElementRect(SE_PushButtonFocusRect, button, widget);
  focus.backgroundColor = option->palette.color(QPalette::Button);
  drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

// A list, a grid or a box of several lines shows the focus on its frame, as a
// one-line box does: the style marks at most the current item, which an empty
// list lacks, and a read-only box shows no caret.
void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element != PE_Frame || !(option->state & State_HasFocus) ||
      qobject_cast<const QAbstractScrollArea*>(widget) == nullptr) {
    return;
  }
  painter->save();
  painter->setPen(QPen(option->palette.color(QPalette::Highlight), 1));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
  painter->restore();
}

void mark_focus() {
  if (dynamic_cast<FocusStyle*>(QApplication::style()) != nullptr) return;
  QApplication::setStyle(new FocusStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace rg::qt
