#pragma once
#include "maintenance/duedate.h"
#include "maintenance/forecast.h"
#include "maintenance/nearlimit.h"

#include <QDate>
#include <QList>
#include <QString>
#include <atomic>
#include <optional>

class Archive;
class SettingsFile;
struct ArchiveFailure;

// What decides when devices are due: the test interval of each type of device
// in months, and how many days ahead counts as due.
struct DuePolicy {
  int defibrillatorMonths = 12;
  int aedMonths = 12;
  int pacemakerMonths = 12;
  int dueWithinDays = 30;
  // By the device type a test report gives (its byte; -1: no report): an AED's,
  // a pacemaker's (a report of neither a defibrillator nor an AED: the analyzer
  // tests no other kind), else a defibrillator's.
  int monthsFor(int dutType) const;
};

// The policy the [Archive] section of the settings sets (IntervalDefibrillator,
// IntervalAED, IntervalPacemaker in months, 1 to 120; DueWithinDays, 0 to
// 3660); a value missing or out of range gives the default.
DuePolicy duePolicy(const SettingsFile& settings);
// Keeps the policy in the settings; false when the file could not be written.
bool keepDuePolicy(SettingsFile& settings, const DuePolicy& policy);

// One device's standing on a day: its last test, when it is next due, and its
// marks.
struct DeviceDue {
  QString device;
  QString type;        // "Defibrillator", "AED", or empty
  QString location;    // where the device is kept; empty where none is known
  QDate lastTest;
  bool lastPassed = false;
  DueDate due;
  int intervalMonths = 0;
  QList<LimitWarning> nearLimit;
  QList<Forecast> forecasts;  // each value's, with a date or the reason for none
  // The earliest month a value is expected to reach its limit; none without a dated forecast.
  std::optional<QDate> firstForecast() const;
};

// Every device of the archive's test reports on `today`, by next due date and
// then device I.D., read in one pass over the reports. None, with `failure`,
// when the read stops before its end: no due date is given from part of a
// history; none either once `stop` (when given) is set.
std::optional<QList<DeviceDue>> devicesDue(const Archive& archive, const DuePolicy& policy, const QDate& today,
                                           ArchiveFailure* failure, const std::atomic<bool>* stop = nullptr);
