#include "archive/devicemarks.h"

#include "archive/archive.h"
#include "archive/archivedialect.h"

#include <QSqlQuery>
#include <QVariant>

std::optional<QHash<QString, QList<LimitWarning>>> allNearLimitWarnings(const Archive& archive,
                                                                       const std::atomic<bool>& stop,
                                                                       ArchiveFailure* failure) {
  QSqlQuery query(archive.database());
  query.setForwardOnly(true);
  // In the order of the index that leads with the device (the + keeps SQLite
  // from the one that leads with the kind, and from sorting every report).
  if (!query.exec(QStringLiteral("SELECT device, id, tested, bytes FROM record WHERE +kind = 1 "
                                 "ORDER BY device, kind, tested"))) {
    archive.readWhole(query, failure);
    return std::nullopt;
  }
  QHash<QString, QList<LimitWarning>> warnings;
  QString device;
  QList<DeviceTest> tests;
  const auto close = [&] {
    if (tests.isEmpty()) return;
    QList<HistoryPoint> points = historyPoints(tests);
    warnings.insert(device, nearLimitWarnings(points));
    tests.clear();
  };
  while (query.next()) {
    if (stop) return std::nullopt;
    const QString next = query.value(0).toString();
    if (next != device) close(), device = next;
    const QByteArray bytes = query.value(3).toByteArray();
    if (bytes.size() == TTestRec::Size)
      tests.append({query.value(1).toLongLong(), archivesql::testedAt(query.value(2).toString()),
                    testRecFromBytes(bytes.constData())});
  }
  if (!archive.readWhole(query, failure)) return std::nullopt;
  close();
  return warnings;
}
