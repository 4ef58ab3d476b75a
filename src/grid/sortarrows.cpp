#include "grid/sortarrows.h"

#include <QPainter>
#include <QPolygonF>

namespace {
QPixmap arrow(bool up) {
  QPixmap pixmap(10, 10);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 90, 90));
  const QPolygonF triangle = up ? QPolygonF({QPointF(5, 2), QPointF(9.5, 8), QPointF(0.5, 8)})
                                : QPolygonF({QPointF(0.5, 2), QPointF(9.5, 2), QPointF(5, 8)});
  p.drawPolygon(triangle);
  return pixmap;
}
}  // namespace

QPixmap sortUpPicture() {
  static const QPixmap picture = arrow(true);
  return picture;
}

QPixmap sortDownPicture() {
  static const QPixmap picture = arrow(false);
  return picture;
}
