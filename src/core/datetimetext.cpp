#include "core/datetimetext.h"

#include <QLocale>

namespace {
const QDate kZeroDate(1899, 12, 30);

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
}  // namespace

CivilDateTime civilDateTime(const DateTimeBytes& b) {
  const QDate date(2000 + b.year, b.month, b.day);
  const QTime time(b.hour, b.minute, b.second);
  if (!date.isValid() || !time.isValid()) return {kZeroDate, QTime(0, 0)};
  return {date, time};
}

QString dateText(const CivilDateTime& dt) {
  return QLocale().monthName(dt.date.month(), QLocale::ShortFormat) + QLatin1Char(' ') + twoDigits(dt.date.day()) +
         QStringLiteral(", ") + QString::number(dt.date.year()).rightJustified(4, QLatin1Char('0'));
}

QString timeText12(const CivilDateTime& dt) {
  const int hour = dt.time.hour();
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  return twoDigits(hour12) + QLatin1Char(':') + twoDigits(dt.time.minute()) + QLatin1Char(':') +
         twoDigits(dt.time.second()) + (hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

QString dateTimeText(const CivilDateTime& dt) { return dateText(dt) + QLatin1Char(' ') + timeText12(dt); }

QString dateTimeText(const DateTimeBytes& bytes) { return dateTimeText(civilDateTime(bytes)); }

QString packedDateTimeText(const quint8 packed[6]) {
  return dateTimeText(DateTimeBytes{packed[3], packed[4], packed[5], packed[2], packed[1], packed[0]});
}

double dateTimeValue(const DateTimeBytes& bytes) {
  const CivilDateTime dt = civilDateTime(bytes);
  return double(kZeroDate.daysTo(dt.date)) + dt.time.msecsSinceStartOfDay() / 86400000.0;
}
