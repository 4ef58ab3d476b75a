#include "archive/devicemarks.h"

#include "archive/archive.h"
#include "archive/archivedialect.h"


std::optional<QHash<QString, QList<LimitWarning>>> allNearLimitWarnings(const Archive& archive,
                                                                       const std::atomic<bool>& stop,
                                                                       ArchiveFailure* failure) {
  QHash<QString, QList<LimitWarning>> warnings;
  QString device;
  QList<DeviceTest> tests;
  const auto close = [&] {
    if (tests.isEmpty()) return;
    QList<HistoryPoint> points = historyPoints(tests);
    warnings.insert(device, nearLimitWarnings(points));
    tests.clear();
  };
  const bool whole = archive.eachTestReport(
      [&](const QString& next, const Archive::ReportBytes& report) {
        if (stop) return false;
        if (next != device) close(), device = next;
        if (report.bytes.size() == TTestRec::Size)
          tests.append({report.id, report.tested, testRecFromBytes(report.bytes.constData())});
        return true;
      },
      failure);
  if (!whole) return std::nullopt;
  close();
  return warnings;
}
