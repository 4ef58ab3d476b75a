#include "archive/devicehistory.h"

#include "archive/archive.h"

QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure) {
  QList<DeviceTest> tests;
  for (const Archive::ReportBytes& r : archive.testReportsOf(device, failure))
    if (r.bytes.size() == TTestRec::Size) tests.append({r.id, r.tested, testRecFromBytes(r.bytes.constData())});
  return tests;
}
