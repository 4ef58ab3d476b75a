#include "toolicons.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QPixmap canvas(int w, int h) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A toolbar picture on a 24 × 24 canvas.
template <class Draw>
QIcon toolIcon(Draw draw) {
  QPixmap pixmap = canvas(24, 24);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return QIcon(pixmap);
}

void sheet(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(70, 90, 120), 1.2));
  p.setBrush(QColor(252, 252, 248));
  p.drawRect(r);
  p.setPen(QPen(QColor(120, 130, 150), 1));
  for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}
}  // namespace

QIcon openIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 30), 1.2));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(2.5, 7.5, 19, 13));
    p.setBrush(QColor(250, 220, 120));
    QPainterPath flap;
    flap.moveTo(2.5, 20.5), flap.lineTo(6.5, 11.5), flap.lineTo(22.5, 11.5), flap.lineTo(19.5, 20.5);
    flap.closeSubpath();
    p.drawPath(flap);
  });
}

QIcon downloadIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(220, 220, 220));
    p.drawRoundedRect(QRectF(3.5, 15.5, 17, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 110, 200));
    p.drawPolygon(QPolygonF({QPointF(9, 2), QPointF(15, 2), QPointF(15, 8), QPointF(19, 8), QPointF(12, 15),
                             QPointF(5, 8), QPointF(9, 8)}));
  });
}

QIcon selectAllIcon() {
  return toolIcon([](QPainter& p) {
    for (int i = 0; i < 4; ++i) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(50, 120, 210));
      p.drawRect(QRectF(3, 3 + i * 5, 18, 4));
    }
  });
}

QIcon viewIcon() {
  return toolIcon([](QPainter& p) {
    sheet(p, QRectF(3.5, 2.5, 13, 17));
    p.setPen(QPen(QColor(60, 60, 60), 1.8));
    p.setBrush(QColor(200, 230, 255, 160));
    p.drawEllipse(QRectF(11, 11, 8, 8));
    p.drawLine(QPointF(18, 18), QPointF(22, 22));
  });
}

QIcon saveIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(40, 60, 110), 1.2));
    p.setBrush(QColor(70, 100, 170));
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.drawRect(QRectF(5.5, 13.5, 13, 8));
  });
}

QIcon saveCsvIcon() {
  return toolIcon([](QPainter& p) {
    sheet(p, QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(QColor(30, 130, 60), 1.2));
    p.drawLine(QPointF(9, 3), QPointF(9, 21));
    p.drawLine(QPointF(15, 3), QPointF(15, 21));
  });
}

QIcon printIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 15.5, 11, 6));
  });
}

QIcon captureIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(20, 40, 30));
    p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 2, 2);
    p.setPen(QPen(QColor(80, 220, 120), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4, 14), QPointF(8, 14), QPointF(10, 7), QPointF(13, 17), QPointF(15, 12),
                              QPointF(20, 12)}));
  });
}

namespace {
// A magnifier with something drawn in its glass.
template <class Inside>
QIcon magnifierIcon(Inside inside) {
  return toolIcon([&inside](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.setBrush(QColor(215, 235, 255));
    p.drawEllipse(QRectF(2.5, 2.5, 13, 13));
    p.setPen(QPen(QColor(30, 90, 170), 1.8));
    inside(p);
  });
}
}  // namespace

QIcon zoomInIcon() {
  return magnifierIcon([](QPainter& p) {
    p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9));
    p.drawLine(QPointF(9, 5.5), QPointF(9, 12.5));
  });
}

QIcon zoomOutIcon() {
  return magnifierIcon([](QPainter& p) { p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9)); });
}

QIcon zoomRectIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(30, 90, 170), 1.4, Qt::DashLine));
    p.setBrush(QColor(215, 235, 255, 120));
    p.drawRect(QRectF(3.5, 5.5, 17, 13));
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.drawLine(QPointF(20.5, 18.5), QPointF(23, 22));
  });
}

QIcon undoZoomIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(30, 90, 170), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5, 15, 14), 90 * 16, 250 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 170));
    p.drawPolygon(QPolygonF({QPointF(12, 1.5), QPointF(12, 9.5), QPointF(6.5, 5.5)}));
  });
}

QIcon dataPointsIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 160), 1.2));
    p.drawPolyline(QPolygonF({QPointF(2, 18), QPointF(7, 8), QPointF(12, 14), QPointF(17, 5), QPointF(22, 12)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    for (QPointF c : {QPointF(7, 8), QPointF(12, 14), QPointF(17, 5)}) p.drawEllipse(c, 2.2, 2.2);
  });
}

QIcon newIcon() {
  return toolIcon([](QPainter& p) {
    sheet(p, QRectF(4.5, 2.5, 14, 19));
    p.setPen(QPen(QColor(230, 170, 20), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 2), QPointF(17, 9));
    p.drawLine(QPointF(13.5, 5.5), QPointF(20.5, 5.5));
  });
}

QIcon copyIcon() {
  return toolIcon([](QPainter& p) {
    sheet(p, QRectF(2.5, 2.5, 12, 15));
    sheet(p, QRectF(9.5, 6.5, 12, 15));
  });
}

QIcon deleteIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(200, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
  });
}

QIcon uploadIcon() {
  return toolIcon([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(220, 220, 220));
    p.drawRoundedRect(QRectF(3.5, 15.5, 17, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 80));
    p.drawPolygon(QPolygonF({QPointF(12, 1), QPointF(19, 8), QPointF(15, 8), QPointF(15, 14), QPointF(9, 14),
                             QPointF(9, 8), QPointF(5, 8)}));
  });
}
