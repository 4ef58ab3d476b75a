#include "core/datetimetext.h"

#include <gtest/gtest.h>

namespace {
DateTimeBytes at(int day, int month, int year, int hour, int minute, int second) {
  return DateTimeBytes{quint8(day), quint8(month), quint8(year), quint8(hour), quint8(minute), quint8(second)};
}
}  // namespace

TEST(DateTimeText, FormatsTheAnalyzersBytesOnTheTwelveHourClock) {
  EXPECT_EQ(dateTimeText(at(5, 3, 14, 13, 7, 9)), "Mar 05, 2014 01:07:09 PM");
  EXPECT_EQ(dateTimeText(at(31, 12, 9, 0, 0, 0)), "Dec 31, 2009 12:00:00 AM");  // midnight is 12 AM
  EXPECT_EQ(dateTimeText(at(1, 7, 20, 12, 0, 0)), "Jul 01, 2020 12:00:00 PM");  // noon is 12 PM
  EXPECT_EQ(dateTimeText(at(1, 7, 20, 11, 59, 59)), "Jul 01, 2020 11:59:59 AM");
  EXPECT_EQ(dateTimeText(at(1, 1, 255, 23, 0, 0)), "Jan 01, 2255 11:00:00 PM");  // year byte 255
}

TEST(DateTimeText, InvalidDateOrTimeGivesTheZeroDateTime) {
  const QString zero = QStringLiteral("Dec 30, 1899 12:00:00 AM");
  EXPECT_EQ(dateTimeText(at(30, 2, 13, 10, 0, 0)), zero);  // 30 February
  EXPECT_EQ(dateTimeText(at(31, 4, 13, 10, 0, 0)), zero);  // 31 April
  EXPECT_EQ(dateTimeText(at(5, 0, 13, 10, 0, 0)), zero);
  EXPECT_EQ(dateTimeText(at(5, 13, 13, 10, 0, 0)), zero);
  EXPECT_EQ(dateTimeText(at(0, 1, 13, 10, 0, 0)), zero);
  EXPECT_EQ(dateTimeText(at(5, 3, 13, 24, 0, 0)), zero);   // hour 24
  EXPECT_EQ(dateTimeText(at(5, 3, 13, 10, 60, 0)), zero);
  EXPECT_EQ(dateTimeText(at(5, 3, 13, 10, 0, 60)), zero);
  EXPECT_EQ(dateTimeValue(at(30, 2, 13, 10, 0, 0)), 0.0);
  EXPECT_EQ(dateTimeText(at(29, 2, 12, 10, 0, 0)), "Feb 29, 2012 10:00:00 AM");  // a leap day is valid
}

TEST(DateTimeText, PackedOrderIsSecondFirst) {
  const quint8 packed[6] = {9, 5, 14, 5, 3, 13};
  EXPECT_EQ(packedDateTimeText(packed), "Mar 05, 2013 02:05:09 PM");
}

TEST(DateTimeText, ValueCountsDaysSinceTheZeroDateWithTheTimeAsFraction) {
  EXPECT_DOUBLE_EQ(dateTimeValue(at(1, 1, 0, 0, 0, 0)), 36526.0);  // 1 January 2000
  EXPECT_DOUBLE_EQ(dateTimeValue(at(1, 1, 0, 18, 0, 0)), 36526.75);
  EXPECT_LT(dateTimeValue(at(1, 1, 0, 23, 59, 59)), dateTimeValue(at(2, 1, 0, 0, 0, 0)));
}
