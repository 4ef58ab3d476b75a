#include "grid/sortarrows.h"

#include <QPainter>
#include <QPolygonF>

void drawSortArrow(QPainter& painter, const QPoint& topLeft, bool up) {
  const QPolygonF triangle = up ? QPolygonF({QPointF(5, 2), QPointF(9.5, 8), QPointF(0.5, 8)})
                                : QPolygonF({QPointF(0.5, 2), QPointF(9.5, 2), QPointF(5, 8)});
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(90, 90, 90));
  painter.drawPolygon(triangle.translated(topLeft));
  painter.restore();
}
