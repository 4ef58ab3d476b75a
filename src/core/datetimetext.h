#pragma once
#include <QDate>
#include <QString>
#include <QTime>

// A test's date and time as the analyzer stores them: one byte each, year − 2000.
struct DateTimeBytes {
  quint8 day = 0, month = 0, year = 0;
  quint8 hour = 0, minute = 0, second = 0;
};

// A calendar date and time of day. An invalid date or time in the bytes gives
// the zero date-time, 30 December 1899 at midnight; that is not an error.
struct CivilDateTime {
  QDate date;
  QTime time;
};
CivilDateTime civilDateTime(const DateTimeBytes& bytes);

// "mmm dd, yyyy hh:mm:ss AM/PM", month abbreviated in the user's locale.
QString dateTimeText(const DateTimeBytes& bytes);
// The same from the analyzer's packed order: second, minute, hour, day, month, year − 2000.
QString packedDateTimeText(const quint8 packed[6]);
// Days since 30 December 1899, the time of day as the fraction; the key of date columns.
double dateTimeValue(const DateTimeBytes& bytes);

QString dateText(const CivilDateTime& dt);      // "mmm dd, yyyy"
QString timeText12(const CivilDateTime& dt);    // "hh:mm:ss AM/PM"
QString dateTimeText(const CivilDateTime& dt);  // both, separated by a blank
