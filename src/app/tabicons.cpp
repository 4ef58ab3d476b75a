#include "tabicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap canvas() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void drawSheet(QPainter& p) {
  p.setPen(QPen(QColor(70, 90, 120), 1.5));
  p.setBrush(QColor(250, 250, 245));
  p.drawRoundedRect(QRectF(6.5, 3.5, 19, 25), 2, 2);
}
}  // namespace

QIcon autoSeqTabIcon() {
  QPixmap pixmap = canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  drawSheet(p);
  p.setPen(QPen(QColor(30, 120, 60), 2));
  for (int i = 0; i < 4; ++i) {
    const qreal y = 9 + i * 5;
    p.drawLine(QPointF(9.5, y), QPointF(11, y + 1.5));
    p.drawLine(QPointF(11, y + 1.5), QPointF(13.5, y - 1.5));
    p.setPen(QPen(QColor(70, 90, 120), 1.5));
    p.drawLine(QPointF(15.5, y), QPointF(23, y));
    p.setPen(QPen(QColor(30, 120, 60), 2));
  }
  return QIcon(pixmap);
}

QIcon testReportTabIcon() {
  QPixmap pixmap = canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  drawSheet(p);
  p.setPen(QPen(QColor(70, 90, 120), 1.5));
  for (int i = 0; i < 5; ++i) p.drawLine(QPointF(10, 9 + i * 4), QPointF(22, 9 + i * 4));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 40, 40));
  p.drawEllipse(QPointF(21, 24), 4, 4);
  return QIcon(pixmap);
}

QIcon waveformTabIcon() {
  QPixmap pixmap = canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 90, 120), 1.5));
  p.setBrush(QColor(20, 40, 30));
  p.drawRoundedRect(QRectF(2.5, 5.5, 27, 21), 2, 2);
  QPainterPath wave;
  wave.moveTo(4, 20);
  wave.lineTo(9, 20);
  wave.lineTo(11, 9);
  wave.cubicTo(14, 10, 16, 14, 18, 16);
  wave.lineTo(19, 23);
  wave.cubicTo(21, 22, 23, 21, 24, 20);
  wave.lineTo(28, 20);
  p.setPen(QPen(QColor(80, 240, 120), 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);
  return QIcon(pixmap);
}
