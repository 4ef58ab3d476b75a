#include "archive/devicedue.h"

#include "archive/archive.h"
#include "archive/devicehistory.h"
#include "core/settingsfile.h"
#include "testreport/testrecord.h"

#include <QHash>
#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Archive");
}  // namespace

int DuePolicy::monthsFor(int dutType) const {
  switch (dutType) {
    case testrec::DutAed: return aedMonths;
    case testrec::DutDefibrillator:
    case -1: return defibrillatorMonths;
    default: return pacemakerMonths;
  }
}

DuePolicy duePolicy(const SettingsFile& settings) {
  const DuePolicy defaults;
  const auto read = [&settings](const char* key, int low, int high, int fallback) {
    const int value = settings.readInteger(kSection, QLatin1String(key), fallback);
    return value >= low && value <= high ? value : fallback;
  };
  return {read("IntervalDefibrillator", 1, 120, defaults.defibrillatorMonths),
          read("IntervalAED", 1, 120, defaults.aedMonths), read("IntervalPacemaker", 1, 120, defaults.pacemakerMonths),
          read("DueWithinDays", 0, 3660, defaults.dueWithinDays)};
}

namespace {
bool writePolicy(SettingsFile& settings, const DuePolicy& policy) {
  return settings.writeInteger(kSection, QStringLiteral("IntervalDefibrillator"), policy.defibrillatorMonths) &&
         settings.writeInteger(kSection, QStringLiteral("IntervalAED"), policy.aedMonths) &&
         settings.writeInteger(kSection, QStringLiteral("IntervalPacemaker"), policy.pacemakerMonths) &&
         settings.writeInteger(kSection, QStringLiteral("DueWithinDays"), policy.dueWithinDays);
}
}  // namespace

// Each key is its own write: one that fails puts back those written before it,
// so that the policy is never left half changed where the file can be written.
bool keepDuePolicy(SettingsFile& settings, const DuePolicy& policy) {
  const DuePolicy before = duePolicy(settings);
  if (writePolicy(settings, policy)) return true;
  writePolicy(settings, before);
  return false;
}

std::optional<QDate> DeviceDue::firstForecast() const {
  std::optional<QDate> first;
  for (const Forecast& f : forecasts)
    if (f.reaches && (!first || *f.reaches < *first)) first = f.reaches;
  return first;
}

std::optional<QList<DeviceDue>> devicesDue(const Archive& archive, const DuePolicy& policy, const QDate& today,
                                           ArchiveFailure* failure, const std::atomic<bool>* stop) {
  const std::optional<QList<Archive::DeviceDetail>> details = archive.deviceDetails(failure);
  if (!details) return std::nullopt;
  QHash<QString, Archive::DeviceDetail> detailOf;
  for (const Archive::DeviceDetail& d : *details) detailOf.insert(d.device, d);
  QList<DeviceDue> devices;
  const bool whole = eachDeviceTests(
      archive,
      [&](const QString& device, const QList<DeviceTest>& tests) {
        if (stop && *stop) return false;
        DeviceDue& d = devices.emplace_back();
        d.device = device;
        const Archive::DeviceDetail detail = detailOf.take(device);
        d.location = detail.location;
        if (tests.isEmpty()) {  // its reports were all damaged: no test to be due from
          d.intervalMonths = detail.intervalMonths.value_or(policy.defibrillatorMonths);
          d.due = dueDate(std::nullopt, d.intervalMonths, today, policy.dueWithinDays);
          return true;
        }
        const DeviceTest& latest = tests.last();  // in test order
        d.type = dutTypeName(latest.record);
        d.lastTest = latest.tested.date();
        d.lastPassed = testRecPassed(latest.record);
        d.intervalMonths = detail.intervalMonths.value_or(policy.monthsFor(latest.record.u8(testrec::DutTypeByte)));
        d.due = dueDate(d.lastTest, d.intervalMonths, today, policy.dueWithinDays);
        QList<HistoryPoint> points = historyPoints(tests);
        d.nearLimit = nearLimitWarnings(points);
        d.forecasts = forecasts(points);
        return true;
      },
      failure);
  if (!whole) return std::nullopt;
  // Devices the user listed that were never tested: due at once.
  for (const Archive::DeviceDetail& d : std::as_const(detailOf)) {
    DeviceDue never;
    never.device = d.device;
    never.location = d.location;
    never.intervalMonths = d.intervalMonths.value_or(policy.defibrillatorMonths);
    never.due = dueDate(std::nullopt, never.intervalMonths, today, policy.dueWithinDays);
    devices.append(never);
  }
  std::stable_sort(devices.begin(), devices.end(), [](const DeviceDue& a, const DeviceDue& b) {
    return a.due.next != b.due.next ? a.due.next < b.due.next : a.device < b.device;
  });
  return devices;
}
