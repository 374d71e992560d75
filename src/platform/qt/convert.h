#pragma once
// Texts cross between the model (UTF-8 std::string, byte offsets) and Qt
// (QString, UTF-16 offsets) here and nowhere else.

#include <QColor>
#include <algorithm>
#include <QString>
#include <string>

#include "platform/ui/control.h"

namespace rg::qt {

inline QString to_q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string to_std(const QString& s) { return s.toUtf8().toStdString(); }

// A byte offset into a UTF-8 text as an offset into the same text in a QString.
inline int qt_offset(const std::string& text, int byte_offset) {
  const auto n = std::clamp(byte_offset, 0, static_cast<int>(text.size()));
  return static_cast<int>(QString::fromUtf8(text.data(), n).size());
}
// The reverse: a QString offset as a byte offset into the UTF-8 text.
inline int byte_offset(const QString& text, int qt_offset) {
  return static_cast<int>(text.left(qt_offset).toUtf8().size());
}

// 0xRRGGBB as a colour; the two system colours resolve against the palette.
QColor to_qcolor(ui::Color c);

// Captions mark their access key with "&" ("&&" is a plain "&"); labels show the
// caption without the marks.
QString without_access_marks(const QString& caption);

}  // namespace rg::qt
