#include "archive/duecells.h"

#include "archive/devicemodel.h"
#include "core/datetimetext.h"

#include <limits>

DueCells dueCells(int dutType, const std::optional<QDate>& lastTest,
                  const std::optional<Archive::DeviceDetail>& detail, const DuePolicy& policy, const QDate& today) {
  DueCells cells;
  if (detail) cells.location = detail->location;
  cells.intervalMonths = detail && detail->intervalMonths ? *detail->intervalMonths : policy.monthsFor(dutType);
  cells.due = dueDate(lastTest, cells.intervalMonths, today, policy.dueWithinDays);
  cells.followed = lastTest.has_value() || detail.has_value();
  return cells;
}

QVariant locationCell(const DueCells& cells, int role) {
  if (role == TArchiveDeviceModel::SortRole) return cells.location.toCaseFolded();
  return role == Qt::DisplayRole ? QVariant(cells.location) : QVariant();
}

QVariant nextDueCell(const DueCells& cells, int role) {
  if (role == TArchiveDeviceModel::SortRole) return cells.followed ? cells.due.next.toJulianDay() : std::numeric_limits<qint64>::max();
  if (!cells.followed) return {};
  if (role == Qt::ToolTipRole)
    return QStringLiteral("Every %1 month(s) from the last test").arg(cells.intervalMonths);
  return role == Qt::DisplayRole ? QVariant(dateText(CivilDateTime{cells.due.next, {}})) : QVariant();
}

QVariant statusCell(const DueCells& cells, int role) {
  if (role == TArchiveDeviceModel::SortRole) return cells.followed ? int(cells.due.status) : kNotFollowed;
  if (!cells.followed) return {};
  return role == Qt::DisplayRole ? QVariant(dueStatusText(cells.due.status)) : QVariant();
}

QVariant forecastCell(const std::optional<QList<Forecast>>& forecasts, const DueCells& cells, int role) {
  QStringList marking;
  if (forecasts)
    for (const Forecast& f : markingForecasts(*forecasts, cells.due.next, cells.intervalMonths)) marking << f.text();
  if (role == TArchiveDeviceModel::SortRole) return forecasts ? int(!marking.isEmpty()) : -1;
  if (!forecasts) return role == Qt::DisplayRole ? QStringLiteral("Not read") : QStringLiteral("Its history could not be read.");
  if (marking.isEmpty()) return {};
  if (role == Qt::DisplayRole) return QStringLiteral("\u25C6 Forecast");
  if (role == Qt::ToolTipRole)
    return QStringLiteral("Likely to reach its limit before the test after next:\n") + marking.join(QLatin1Char('\n'));
  return {};
}
