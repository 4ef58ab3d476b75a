#include "archive/devicehistory.h"

#include "archive/archive.h"

QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure) {
  QList<DeviceTest> tests;
  for (const Archive::ReportBytes& r : archive.testReportsOf(device, failure))
    if (r.bytes.size() == TTestRec::Size) tests.append({r.id, r.tested, testRecFromBytes(r.bytes.constData())});
  return tests;
}

bool eachDeviceTests(const Archive& archive,
                     const std::function<bool(const QString& device, const QList<DeviceTest>& tests)>& each,
                     ArchiveFailure* failure) {
  std::optional<QString> device;
  QList<DeviceTest> tests;
  const bool whole = archive.eachTestReport(
      [&](const QString& next, const Archive::ReportBytes& report) {
        if (device && *device != next) {
          if (!each(*device, tests)) return false;
          tests.clear();
        }
        device = next;
        if (report.bytes.size() == TTestRec::Size)  // a damaged row is never read past its end
          tests.append({report.id, report.tested, testRecFromBytes(report.bytes.constData())});
        return true;
      },
      failure);
  return whole && (!device || each(*device, tests));
}
