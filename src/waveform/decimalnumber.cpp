#include "waveform/decimalnumber.h"

#include <QLocale>
#include <cmath>

QChar systemDecimalPoint() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 ? point.front() : QLatin1Char('.');
}

QString generalNumberText(double value, QChar decimalPoint) {
  QString text = QString::number(value, 'g', 15);
  if (decimalPoint != QLatin1Char('.')) text.replace(QLatin1Char('.'), decimalPoint);
  return text;
}

bool readGeneralNumber(const QString& text, QChar decimalPoint, double* value) {
  QString plain = text;
  plain.replace(decimalPoint, QLatin1Char('.'));
  bool ok = false;
  *value = plain.toDouble(&ok);
  return ok && std::isfinite(*value);
}
