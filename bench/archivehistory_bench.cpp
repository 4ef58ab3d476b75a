// One device's history among 1,000,000 reports: its tests read, their energy
// and charge time points and the near-limit rule, against the bare indexed
// query of the same rows, in the same run.

#include "archive/devicehistory.h"
#include "archivebench.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

namespace {
constexpr int kDevices = 50;  // histories read in one round, each of another device

QString device(int i) { return QStringLiteral("DEV-%1").arg(i * 397 % kLargeDevices); }

double programRound(const Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  int points = 0;
  for (int i = 0; i < kDevices; ++i) {
    ArchiveFailure failure;
    QList<HistoryPoint> history = historyPoints(deviceTests(archive, device(i), &failure));
    nearLimitWarnings(history);
    points += int(history.size());
  }
  if (points == 0) noteFailure(QStringLiteral("no history was read"));
  return clock.nsecsElapsed() / 1e6;
}

double bareRound(const Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  qint64 bytes = 0;
  for (int i = 0; i < kDevices; ++i) {
    QSqlQuery query(archive.database());
    query.prepare(QStringLiteral("SELECT id, tested, bytes FROM record WHERE device = ? AND kind = 1 ORDER BY tested"));
    query.addBindValue(device(i));
    query.exec();
    while (query.next()) bytes += query.value(2).toByteArray().size();
  }
  if (bytes == 0) noteFailure(QStringLiteral("the bare query read nothing"));
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<Archive> archive = openLargeArchive();
  if (!archive) return benchExitCode();
  constexpr int kRounds = 9;
  std::printf("history of %d devices among %d reports: the history and its near-limit rule vs the bare indexed "
              "query, median of %d rounds\n", kDevices, kLargeReports, kRounds);
  const Medians m = alternate(kRounds, [&] { return programRound(*archive); }, [&] { return bareRound(*archive); });
  printRow(QStringLiteral("%1 devices").arg(kDevices), m);
  printRatio(m);
  return benchExitCode();
}
