#include "archivebench.h"

#include "benchsupport.h"
#include "archive/devicehistory.h"
#include "maintenance/nearlimit.h"
#include "testreport/samplerecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

std::unique_ptr<Archive> openLargeArchive() {
  const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("archive-1m.sqlite"));
  if (!QFile::exists(path)) {
    std::printf("making the large archive (%d reports of %d devices) once: %s\n", kLargeReports, kLargeDevices,
                qPrintable(path));
    std::fflush(stdout);
    QProcess maker;
    maker.start(QStringLiteral(KALYX_ARCHIVE_MAKER),
                {path + QStringLiteral(".part"), QString::number(kLargeReports), QStringLiteral("--devices"),
                 QString::number(kLargeDevices), QStringLiteral("--per-import"), QStringLiteral("50000")});
    if (!maker.waitForFinished(-1) || maker.exitCode() != 0 ||
        !QFile::rename(path + QStringLiteral(".part"), path)) {
      noteFailure(QStringLiteral("the large archive could not be made: ") +
                  QString::fromLocal8Bit(maker.readAllStandardError()));
      return nullptr;
    }
  }
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(path, &failure);
  if (!archive) noteFailure(failure.message());
  return archive;
}

QList<QByteArray> freshReports(int count) {
  static int made = 0;
  const QList<TTestRec> samples = sampleTestRecords();
  QList<QByteArray> reports;
  for (int i = 0; i < count; ++i, ++made) {
    TTestRec rec = samples[made % samples.size()];
    rec.setText(testrec::DeviceId, testrec::DeviceIdSize, QByteArray("NEW-" + QByteArray::number(made)).constData());
    reports.append(QByteArray(rec.data(), TTestRec::Size));
  }
  return reports;
}

double residentMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}

namespace {
QString benchDevice(int i) { return QStringLiteral("DEV-%1").arg(i * 397 % kLargeDevices); }
}  // namespace

double historyRound(const Archive& archive, int devices) {
  QElapsedTimer clock;
  clock.start();
  int points = 0;
  for (int i = 0; i < devices; ++i) {
    ArchiveFailure failure;
    QList<HistoryPoint> history = historyPoints(deviceTests(archive, benchDevice(i), &failure));
    nearLimitWarnings(history);
    points += int(history.size());
  }
  if (points == 0) noteFailure(QStringLiteral("no history was read"));
  return clock.nsecsElapsed() / 1e6;
}

double bareHistoryRound(const Archive& archive, int devices) {
  QElapsedTimer clock;
  clock.start();
  qint64 bytes = 0;
  for (int i = 0; i < devices; ++i) {
    QSqlQuery query(archive.database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, tested, bytes FROM record WHERE kind = 1 AND device = ? ORDER BY tested"));
    query.addBindValue(benchDevice(i));
    query.exec();
    while (query.next()) bytes += query.value(2).toByteArray().size();
  }
  if (bytes == 0) noteFailure(QStringLiteral("the bare query read nothing"));
  return clock.nsecsElapsed() / 1e6;
}
