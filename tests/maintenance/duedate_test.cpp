// The due date rule on hand-written dates.
#include "maintenance/duedate.h"

#include <gtest/gtest.h>

TEST(DueDate, FollowsTheCalendarAndSaysHowItStands) {
  const QDate today(2025, 6, 15);
  const struct {
    std::optional<QDate> last;
    int months;
    QDate next;
    DueStatus status;
  } cases[] = {
      {QDate(2025, 1, 31), 1, QDate(2025, 2, 28), DueStatus::Overdue},  // a month end moves to the shorter month's
      {QDate(2024, 1, 31), 1, QDate(2024, 2, 29), DueStatus::Overdue},  // a leap year's February
      {QDate(2024, 2, 29), 12, QDate(2025, 2, 28), DueStatus::Overdue},
      {QDate(2024, 6, 14), 12, QDate(2025, 6, 14), DueStatus::Overdue},  // yesterday
      {QDate(2024, 6, 15), 12, QDate(2025, 6, 15), DueStatus::Due},      // today
      {QDate(2024, 12, 15), 7, QDate(2025, 7, 15), DueStatus::Due},      // the last day of the 30
      {QDate(2024, 12, 16), 7, QDate(2025, 7, 16), DueStatus::Ok},       // the day after them
      {std::nullopt, 12, today, DueStatus::NeverTested},                 // due now
  };
  for (const auto& c : cases) {
    const DueDate due = dueDate(c.last, c.months, today, 30);
    EXPECT_EQ(due.next, c.next) << c.last.value_or(QDate()).toString(Qt::ISODate).toStdString();
    EXPECT_EQ(due.status, c.status) << c.last.value_or(QDate()).toString(Qt::ISODate).toStdString();
  }
}

TEST(DueDate, AChangedIntervalMovesTheDateAtOnce) {
  const QDate last(2025, 1, 10), today(2025, 6, 20);
  EXPECT_EQ(dueDate(last, 12, today, 30).status, DueStatus::Ok);
  EXPECT_EQ(dueDate(last, 6, today, 30).status, DueStatus::Due);
  EXPECT_EQ(dueDate(last, 3, today, 30).status, DueStatus::Overdue);
}
