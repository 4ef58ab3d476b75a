#pragma once
#include "archive/archive.h"
#include "archive/devicedue.h"

#include <QVariant>
#include <optional>

// What the device list shows of a device's standing: where it is kept, when it
// is next due and how that stands today, from its last test, its type and what
// the user keeps about it.
struct DueCells {
  QString location;
  DueDate due;
  int intervalMonths = 0;
  // Whether the device is followed for its tests: it has a test report, or the
  // user keeps details of it. A device with waveforms only is not.
  bool followed = true;
};

// `dutType`: the test report's device type byte; -1 without a report. Without
// a last test and without details a device is not followed.
DueCells dueCells(int dutType, const std::optional<QDate>& lastTest,
                  const std::optional<Archive::DeviceDetail>& detail, const DuePolicy& policy, const QDate& today);

// What the Status column sorts and filters by for a device not followed: after every status.
constexpr int kNotFollowed = 100;

// The Location, Next Due and Status cells: the text shown, and (SortRole) what
// they sort and filter by.
QVariant locationCell(const DueCells& cells, int role);
QVariant nextDueCell(const DueCells& cells, int role);
QVariant statusCell(const DueCells& cells, int role);
// The Forecast mark: a value expected to reach its limit before the test after
// next; "Not read" where the history could not be read, nothing until it is.
QVariant forecastCell(const std::optional<QList<Forecast>>& forecasts, const DueCells& cells, int role);
