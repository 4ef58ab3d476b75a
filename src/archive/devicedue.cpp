#include "archive/devicedue.h"

#include "archive/archive.h"
#include "core/settingsfile.h"

#include <algorithm>

DuePolicy duePolicy(const SettingsFile& settings) {
  const DuePolicy defaults;
  const auto read = [&settings](const char* key, int low, int high, int fallback) {
    const int value = settings.readInteger(QStringLiteral("Archive"), QLatin1String(key), fallback);
    return value >= low && value <= high ? value : fallback;
  };
  return {read("IntervalDefibrillator", 1, 120, defaults.defibrillatorMonths),
          read("IntervalAED", 1, 120, defaults.aedMonths), read("DueWithinDays", 0, 3660, defaults.dueWithinDays)};
}

std::optional<QDate> DeviceDue::firstForecast() const {
  std::optional<QDate> first;
  for (const Forecast& f : forecasts)
    if (f.reaches && (!first || *f.reaches < *first)) first = f.reaches;
  return first;
}

bool DeviceDue::forecastMarked() const {
  return std::any_of(forecasts.begin(), forecasts.end(),
                     [this](const Forecast& f) { return forecastMarks(f, due.next, intervalMonths); });
}

std::optional<QList<DeviceDue>> devicesDue(const Archive& archive, const DuePolicy& policy, const QDate& today,
                                           ArchiveFailure* failure) {
  QList<DeviceDue> devices;
  QList<DeviceTest> tests;
  const auto close = [&] {
    if (tests.isEmpty()) return;
    DeviceDue& d = devices.last();
    const DeviceTest& latest = tests.last();  // in test order
    d.type = dutTypeName(latest.record);
    d.lastTest = latest.tested.date();
    d.lastPassed = testRecPassed(latest.record);
    d.intervalMonths = policy.monthsFor(d.type);
    d.due = dueDate(d.lastTest, d.intervalMonths, today, policy.dueWithinDays);
    QList<HistoryPoint> points = historyPoints(tests);
    d.nearLimit = nearLimitWarnings(points);
    d.forecasts = forecasts(points);
    tests.clear();
  };
  const bool whole = archive.eachTestReport(
      [&](const QString& device, const Archive::ReportBytes& report) {
        if (devices.isEmpty() || devices.last().device != device) {
          close();
          devices.append({device});
        }
        if (report.bytes.size() == TTestRec::Size)
          tests.append({report.id, report.tested, testRecFromBytes(report.bytes.constData())});
        return true;
      },
      failure);
  if (!whole) return std::nullopt;
  close();
  // A device whose reports were all damaged has no test to be due from.
  for (DeviceDue& d : devices)
    if (!d.lastTest.isValid()) d.due = dueDate(std::nullopt, policy.defibrillatorMonths, today, policy.dueWithinDays);
  std::stable_sort(devices.begin(), devices.end(), [](const DeviceDue& a, const DeviceDue& b) {
    return a.due.next != b.due.next ? a.due.next < b.due.next : a.device < b.device;
  });
  return devices;
}
