#include "analyzer/numberformat.h"

namespace {
QString withPoint(QString text, int d) {
  if (d > 0) text.insert(text.size() - d, QLatin1Char('.'));
  return text;
}
}  // namespace

QString fixedPoint(qint64 v, int w, int d) {
  QString text = QString::number(v < 0 ? -v : v);
  while (text.size() < w || text.size() <= d) text.prepend(text.size() <= d ? QLatin1Char('0') : QLatin1Char(' '));
  text = withPoint(text, d);
  if (v < 0) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == QLatin1Char(' ')) ++first;
    if (first > 0) text[first - 1] = QLatin1Char('-');
    else text.prepend(QLatin1Char('-'));
  }
  return text;
}

QString signedFixedPoint(qint64 v, int w, int d) {
  QString text = QString::number(v);
  if (v > 0) text.prepend(QLatin1Char('+'));
  while (text.size() < w + 1) {
    if (text.size() <= d) text.insert(1, QLatin1Char('0'));
    else text.prepend(QLatin1Char(' '));
  }
  return withPoint(text, d);
}

QString rightAligned(qint64 v) { return QString::number(v).rightJustified(4, QLatin1Char(' ')); }

QString plain(qint64 v) { return QString::number(v); }

QString padded(const QString& t, int width) { return t.leftJustified(width, QLatin1Char(' ')); }
