#pragma once
#include <QDate>
#include <QString>
#include <optional>

// When a device is next due for its test, and how that stands on a day.
enum class DueStatus { Overdue, Due, Ok, NeverTested };

struct DueDate {
  QDate next;  // a device never tested is due on the day asked about
  DueStatus status = DueStatus::NeverTested;
};

// The due date rule: the last test's date plus the interval in calendar months
// (a test on Jan 31 with 1 month is due on the last day of February). Overdue
// when that day is before `today`; Due when it falls within `dueWithinDays` of
// it (today included); OK after that. Days are calendar days: the caller gives
// the local dates.
DueDate dueDate(const std::optional<QDate>& lastTest, int intervalMonths, const QDate& today, int dueWithinDays);

// "Overdue", "Due", "OK", "Never tested".
QString dueStatusText(DueStatus status);
