#include "archive/worklist.h"

#include "core/datetimetext.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace {
// The column widths of the printout (its lines fit a landscape page).
constexpr int kTick = 4, kDevice = 20, kType = 14, kDate = 13, kVerdict = 7, kStatus = 13, kNear = 11;

QString dateOrBlank(const QDate& date) { return date.isValid() ? dateText(CivilDateTime{date, {}}) : QString(); }

// The earliest month a value is expected to reach its limit before the test after next.
QString markedForecast(const DeviceDue& d) {
  const QList<Forecast> marking = markingForecasts(d.forecasts, d.due.next, d.intervalMonths);
  return marking.isEmpty() ? QString() : QLocale::c().toString(*marking.first().reaches, QStringLiteral("MMM yyyy"));
}

QString line(const QStringList& cells) {
  static const int widths[] = {kTick, kDevice, kType, kDate, kVerdict, kDate, kStatus, kNear};
  QString text;
  for (int i = 0; i < cells.size(); ++i)
    text += i < int(std::size(widths)) ? cells[i].leftJustified(widths[i] - 1) + QLatin1Char(' ') : cells[i];
  return text.trimmed().isEmpty() ? QString() : QString(text).remove(QRegularExpression(QStringLiteral("\\s+$")));
}

QString csvField(const QString& field) {
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
      !field.contains(QLatin1Char('\r')))
    return field;
  return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}
}  // namespace

QList<DeviceDue> worklistDevices(const QList<DeviceDue>& devices, std::optional<int> withinDays, const QDate& today) {
  QList<DeviceDue> due;
  for (const DeviceDue& d : devices)
    if (!withinDays || d.due.next <= today.addDays(*withinDays)) due << d;
  std::stable_sort(due.begin(), due.end(), [](const DeviceDue& a, const DeviceDue& b) {
    if (a.location.isEmpty() != b.location.isEmpty()) return b.location.isEmpty();
    const int place = QString::compare(a.location, b.location, Qt::CaseInsensitive);
    if (place != 0) return place < 0;
    return a.due.next != b.due.next ? a.due.next < b.due.next : a.device < b.device;
  });
  return due;
}

QString worklistPeriod(int withinDays, const QDate& today) {
  return QStringLiteral("due within %1 days (by %2), overdue included").arg(withinDays).arg(dateOrBlank(today.addDays(withinDays)));
}

QStringList worklistLines(const QList<DeviceDue>& devices, const QString& period, const QDateTime& printed) {
  QStringList lines{QStringLiteral("WORKLIST: devices %1").arg(period),
                    QStringLiteral("Printed: ") + dateTimeText(CivilDateTime{printed.date(), printed.time()}),
                    QStringLiteral("%1 device(s)").arg(devices.size())};
  QString place;
  for (int i = 0; i < devices.size(); ++i) {
    const DeviceDue& d = devices[i];
    if (i == 0 || QString::compare(d.location, place, Qt::CaseInsensitive) != 0) {
      place = d.location;
      lines << QString() << (place.isEmpty() ? QStringLiteral("(No location)") : QStringLiteral("Location: ") + place);
      lines << line({QString(), QStringLiteral("Device ID"), QStringLiteral("Type"), QStringLiteral("Last Test"),
                     QStringLiteral("Result"), QStringLiteral("Next Due"), QStringLiteral("Status"),
                     QStringLiteral("Near Limit"), QStringLiteral("Forecast")});
    }
    const QString verdict = d.lastTest.isValid() ? (d.lastPassed ? QStringLiteral("PASS") : QStringLiteral("FAIL")) : QString();
    lines << line({QStringLiteral("[ ]"), d.device.isEmpty() ? QStringLiteral("(no I.D.)") : d.device, d.type,
                   dateOrBlank(d.lastTest), verdict, dateOrBlank(d.due.next), dueStatusText(d.due.status),
                   d.nearLimit.isEmpty() ? QString() : QStringLiteral("Near limit"), markedForecast(d)});
  }
  if (devices.isEmpty()) lines << QString() << QStringLiteral("No device is due.");
  return lines;
}

QStringList dueColumns() {
  return {QStringLiteral("device"),    QStringLiteral("type"),     QStringLiteral("location"),
          QStringLiteral("last test"), QStringLiteral("next due"), QStringLiteral("status"),
          QStringLiteral("near limit"), QStringLiteral("forecast")};
}

QStringList dueRow(const DeviceDue& d) {
  const std::optional<QDate> forecast = d.firstForecast();
  return {d.device,
          d.type,
          d.location,
          d.lastTest.isValid() ? d.lastTest.toString(Qt::ISODate) : QString(),
          d.due.next.toString(Qt::ISODate),
          dueStatusText(d.due.status),
          d.nearLimit.isEmpty() ? QString() : QStringLiteral("near limit"),
          forecast ? forecast->toString(QStringLiteral("yyyy-MM")) : QString()};
}

QByteArray dueCsv(const QList<DeviceDue>& devices) {
  QString csv;
  QList<QStringList> rows{dueColumns()};
  for (const DeviceDue& d : devices) rows << dueRow(d);
  for (const QStringList& row : rows) {
    QStringList fields;
    for (const QString& field : row) fields << csvField(field);
    csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  }
  return csv.toUtf8();
}
