// archive due on 1,000,000 reports of 20,000 devices: every device's due date,
// near-limit mark and forecasts, against the bare read of the same rows (each
// test report's device, date and bytes, in device order) in the same run; and
// the forecasts of all the devices on their own.

#include "archive/devicedue.h"
#include "archive/devicehistory.h"
#include "archivebench.h"
#include "benchsupport.h"
#include "maintenance/forecast.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <cstdio>

namespace {
double dueRound(const Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  ArchiveFailure failure;
  const std::optional<QList<DeviceDue>> devices = devicesDue(archive, DuePolicy{}, QDate::currentDate(), &failure);
  if (!devices || devices->size() != kLargeDevices) noteFailure(QStringLiteral("the due list is not whole"));
  return double(clock.nsecsElapsed()) / 1e6;
}

double bareRound(const Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  QSqlQuery query(archive.database());
  query.setForwardOnly(true);
  qint64 bytes = 0;
  if (!query.exec(QStringLiteral("SELECT device, id, tested, bytes FROM record WHERE +kind = 1 ORDER BY device, tested")))
    noteFailure(QStringLiteral("the bare read failed"));
  while (query.next()) bytes += query.value(0).toString().size() + query.value(3).toByteArray().size();
  if (bytes == 0) noteFailure(QStringLiteral("the bare read read nothing"));
  return double(clock.nsecsElapsed()) / 1e6;
}

// The forecasts alone: every device's history read first, its forecasts timed.
double forecastMs(const Archive& archive) {
  qint64 nanoseconds = 0;
  int devices = 0;
  ArchiveFailure failure;
  eachDeviceTests(
      archive,
      [&](const QString&, const QList<DeviceTest>& tests) {
        const QList<HistoryPoint> points = historyPoints(tests);
        QElapsedTimer clock;
        clock.start();
        const QList<Forecast> found = forecasts(points);
        nanoseconds += clock.nsecsElapsed();
        devices += !found.isEmpty();
        return true;
      },
      &failure);
  std::printf("forecasts of %d devices: %.0f ms (aim: under 1 s)\n", devices, double(nanoseconds) / 1e6);
  return double(nanoseconds) / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<Archive> archive = openLargeArchive();
  if (!archive) return benchExitCode();
  constexpr int kRounds = 3;
  std::printf("archive due on %d reports of %d devices vs the bare read of the same rows, median of %d rounds\n",
              kLargeReports, kLargeDevices, kRounds);
  forecastMs(*archive);
  const Medians m = alternate(kRounds, [&] { return dueRound(*archive); }, [&] { return bareRound(*archive); });
  printRow(QStringLiteral("%1 devices").arg(kLargeDevices), m);
  printRatio(m);
  return benchExitCode();
}
