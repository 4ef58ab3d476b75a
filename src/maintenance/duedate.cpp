#include "maintenance/duedate.h"

DueDate dueDate(const std::optional<QDate>& lastTest, int intervalMonths, const QDate& today, int dueWithinDays) {
  if (!lastTest || !lastTest->isValid()) return {today, DueStatus::NeverTested};
  // QDate moves to the month's last day where the day does not exist in it.
  const QDate next = lastTest->addMonths(intervalMonths);
  if (next < today) return {next, DueStatus::Overdue};
  if (next <= today.addDays(dueWithinDays)) return {next, DueStatus::Due};
  return {next, DueStatus::Ok};
}

QString dueStatusText(DueStatus status) {
  switch (status) {
    case DueStatus::Overdue: return QStringLiteral("Overdue");
    case DueStatus::Due: return QStringLiteral("Due");
    case DueStatus::Ok: return QStringLiteral("OK");
    case DueStatus::NeverTested: return QStringLiteral("Never tested");
  }
  return {};
}
