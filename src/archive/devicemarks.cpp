#include "archive/devicemarks.h"

#include "archive/archive.h"
#include "archive/devicehistory.h"

std::optional<QHash<QString, QList<LimitWarning>>> allNearLimitWarnings(const Archive& archive,
                                                                       const std::atomic<bool>& stop,
                                                                       ArchiveFailure* failure,
                                                                       QHash<QString, QList<Forecast>>* forecasts) {
  QHash<QString, QList<LimitWarning>> warnings;
  const bool whole = eachDeviceTests(
      archive,
      [&](const QString& device, const QList<DeviceTest>& tests) {
        if (stop) return false;
        QList<HistoryPoint> points = historyPoints(tests);
        if (tests.isEmpty()) return true;
        warnings.insert(device, nearLimitWarnings(points));
        if (forecasts) forecasts->insert(device, ::forecasts(points));
        return true;
      },
      failure);
  if (!whole) return std::nullopt;
  return warnings;
}
