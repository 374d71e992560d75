#include "platform/qt/fitted_label.h"

#include <QFontMetrics>
#include <algorithm>

namespace rg::qt {

QString tip_lines(const QString& text) {
  constexpr qsizetype kLine = 120;
  QString out;
  QString rest = text;
  while (rest.size() > kLine) {
    const qsizetype space = rest.lastIndexOf(QLatin1Char(' '), kLine);
    const qsizetype cut = space > 0 ? space : kLine;
    out += rest.left(cut) + QLatin1Char('\n');
    rest = rest.mid(space > 0 ? cut + 1 : cut);
  }
  return out + rest;
}

void FittedLabel::set_full_text(const QString& text) {
  if (text == full_) return;
  full_ = text;
  fit();
  updateGeometry();
}

void FittedLabel::set_own_tooltip(const QString& tip) {
  own_tip_ = tip;
  fit();
}

int FittedLabel::beside_text() const {
  return width() - contentsRect().width() + 2 * margin() + std::max(indent(), 0) + spare();
}

int FittedLabel::whole_width() const { return width_for(fontMetrics().horizontalAdvance(full_)); }

void FittedLabel::resizeEvent(QResizeEvent* e) {
  QLabel::resizeEvent(e);
  fit();
}

void FittedLabel::fit() {
  const int room = width() - beside_text();
  const bool whole = whole_width() <= width();
  const QString shown = whole ? full_ : fontMetrics().elidedText(full_, Qt::ElideMiddle, std::max(room, 0));
  if (shown != text()) setText(shown);
  const QString tip = whole ? own_tip_ : tip_lines(full_);
  if (tip != toolTip()) setToolTip(tip);
}

}  // namespace rg::qt
