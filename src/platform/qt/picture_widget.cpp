#include "platform/qt/picture_widget.h"

#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace rg::qt {

namespace {

QColor rgb(std::uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// A drawing without a size of its own still needs room on the form.
constexpr int kDefaultWidth = 160;
constexpr int kDefaultHeight = 120;

}  // namespace

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PictureWidget::set_drawing(ui::Drawing d) {
  drawing_ = std::move(d);
  updateGeometry();
  update();
}

QSize PictureWidget::sizeHint() const {
  QSize own(kDefaultWidth, kDefaultHeight);
  if (drawing_.width > 0 && drawing_.height > 0) {
    own = QSize(static_cast<int>(std::ceil(drawing_.width)), static_cast<int>(std::ceil(drawing_.height)));
  }
  if (layout() != nullptr) own = own.expandedTo(layout()->sizeHint());
  return own;
}

QSize PictureWidget::minimumSizeHint() const {
  if (layout() != nullptr) return layout()->minimumSize();
  return QSize(16, 16);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), rgb(drawing_.background));
  if (drawing_.width <= 0 || drawing_.height <= 0) return;

  const double scale = std::min(width() / drawing_.width, height() / drawing_.height);
  const double dx = (width() - drawing_.width * scale) / 2.0;
  const double dy = (height() - drawing_.height * scale) / 2.0;
  p.translate(dx, dy);
  p.scale(scale, scale);

  for (const ui::Shape& s : drawing_.shapes) {
    QPen pen(rgb(s.pen));
    pen.setWidthF(s.pen_width);
    p.setPen(pen);
    p.setBrush(s.filled ? QBrush(rgb(s.fill)) : Qt::NoBrush);
    auto pt = [&s](std::size_t i) { return QPointF(s.points[i].first, s.points[i].second); };
    switch (s.type) {
      case ui::Shape::Type::Line:
        if (s.points.size() >= 2) p.drawLine(pt(0), pt(1));
        break;
      case ui::Shape::Type::Rect:
        if (s.points.size() >= 2) p.drawRect(QRectF(pt(0), pt(1)).normalized());
        break;
      case ui::Shape::Type::Ellipse:
        if (s.points.size() >= 2) p.drawEllipse(QRectF(pt(0), pt(1)).normalized());
        break;
      case ui::Shape::Type::Polygon: {
        QPolygonF poly;
        for (std::size_t i = 0; i < s.points.size(); ++i) poly << pt(i);
        p.drawPolygon(poly);
        break;
      }
      case ui::Shape::Type::Text: {
        if (s.points.empty()) break;
        QFont f = font();
        // Text sizes are in drawing units, so the text scales with the picture.
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(s.text_size))));
        f.setBold(s.bold);
        p.setFont(f);
        const QString text = QString::fromUtf8(s.text.data(), static_cast<qsizetype>(s.text.size()));
        p.drawText(QRectF(pt(0), QSizeF(drawing_.width * 4, drawing_.height * 4)), Qt::AlignLeft | Qt::AlignTop,
                   text);
        break;
      }
    }
  }
}

}  // namespace rg::qt
