#include "testreportpictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QPixmap canvas(int w, int h) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap verdict(const QColor& fill, const char* text) {
  QPixmap pixmap = canvas(40, 16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(fill.darker(130));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(0.5, 1.5, 39, 13), 3, 3);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 1, 40, 14), Qt::AlignCenter, QString::fromLatin1(text));
  return pixmap;
}

QPixmap cancelCross(const QColor& circle, const QColor& cross) {
  QPixmap pixmap = canvas(16, 16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(circle);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(cross, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
  p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
  return pixmap;
}

}  // namespace

QPixmap passPicture() { return verdict(QColor(40, 150, 60), "PASS"); }
QPixmap failPicture() { return verdict(QColor(200, 40, 40), "FAIL"); }

QPixmap searchPicture() {
  QPixmap pixmap = canvas(16, 16);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(80, 80, 80), 1.8));
  p.drawEllipse(QRectF(2, 2, 8, 8));
  p.setPen(QPen(QColor(80, 80, 80), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
  return pixmap;
}

QPixmap searchCancelActivePicture() { return cancelCross(QColor(200, 60, 60), Qt::white); }
QPixmap searchCancelInactivePicture() { return cancelCross(QColor(190, 190, 190), Qt::white); }
