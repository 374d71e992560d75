#include "platform/qt/convert.h"

#include <QApplication>
#include <QPalette>

namespace rg::qt {

QColor to_qcolor(ui::Color c) {
  if (c == ui::kWindowBackground) return QApplication::palette().color(QPalette::Base);
  if (c == ui::kButtonFace) return QApplication::palette().color(QPalette::Button);
  return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

QString without_access_marks(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

}  // namespace rg::qt
