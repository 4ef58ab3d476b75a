#pragma once
#include "archive/devicedue.h"

#include <QDateTime>
#include <QStringList>

// The worklist for a round: the devices due within a period (the overdue ones
// too), grouped by location, each with its last test and verdict, its marks,
// its next due date and a box to tick; and the same devices as rows of a table.

// The devices due by `today` + `withinDays` (all without), by location (in any
// letter case; those without one last), then next due date, then device I.D.
QList<DeviceDue> worklistDevices(const QList<DeviceDue>& devices, std::optional<int> withinDays, const QDate& today);

// Which devices a worklist holds, for its header: "due within 30 days (by Jan
// 08, 2027), overdue included".
QString worklistPeriod(int withinDays, const QDate& today);

// The printout's fixed-width lines: a header with the period and the time
// printed, then each location's devices under its name, a "[ ]" before each.
QStringList worklistLines(const QList<DeviceDue>& devices, const QString& period, const QDateTime& printed);

// The table's columns and a device's row: device, type, location, last test,
// next due, status, near limit, forecast (dates YYYY-MM-DD, the first
// forecast's month YYYY-MM).
QStringList dueColumns();
QStringList dueRow(const DeviceDue& device);
// The rows as CSV under the column names: fields quoted where they hold a
// separator, a quote or a line end; lines end in CR LF.
QByteArray dueCsv(const QList<DeviceDue>& devices);
