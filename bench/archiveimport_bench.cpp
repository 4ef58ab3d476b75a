// An import of 10,000 test reports into an archive of 1,000,000: the archive's
// store (digest, columns read by the subsystems' code, kept once) against plain
// prepared inserts of rows computed beforehand, in one transaction, in the same
// table, in the same run.

#include "archivebench.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

namespace {
constexpr int kImport = 10000;

double programRound(Archive& archive) {
  const QList<QByteArray> reports = freshReports(kImport);
  QElapsedTimer clock;
  clock.start();
  ArchiveFailure failure;
  const auto stored =
      archive.store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), reports, &failure);
  if (!stored || stored->added != kImport) noteFailure(QStringLiteral("the import stored ") + failure.message());
  return clock.nsecsElapsed() / 1e6;
}

double bareRound(Archive& archive) {
  const QList<QByteArray> reports = freshReports(kImport);
  QList<QByteArray> digests;
  for (const QByteArray& r : reports) digests << QCryptographicHash::hash(r, QCryptographicHash::Sha256);
  const QString when = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
  QElapsedTimer clock;
  clock.start();
  QSqlDatabase db = archive.database();
  QSqlQuery query(db);
  query.exec(QStringLiteral("BEGIN IMMEDIATE"));
  query.prepare(QStringLiteral("INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, tested, dut_type, "
                               "verdict, autoseq, title, number) VALUES (1, 'A1234567', ?, ?, ?, ?, "
                               "'2025-01-01T09:00:00', 1, 1, 1, 'Manual', ?)"));
  for (int i = 0; i < reports.size(); ++i) {
    query.addBindValue(digests[i]);
    query.addBindValue(reports[i]);
    query.addBindValue(when);
    query.addBindValue(QStringLiteral("BARE-%1").arg(i));
    query.addBindValue(i + 1);
    if (!query.exec()) noteFailure(QStringLiteral("a plain insert failed"));
  }
  query.exec(QStringLiteral("COMMIT"));
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<Archive> archive = openLargeArchive();
  if (!archive) return benchExitCode();
  constexpr int kRounds = 3;
  std::printf("archive import of %d reports into %d: store vs plain prepared inserts in one transaction, "
              "median of %d rounds\n", kImport, kLargeReports, kRounds);
  const Medians m = alternate(kRounds, [&] { return programRound(*archive); }, [&] { return bareRound(*archive); });
  printRow(QStringLiteral("%1 reports").arg(kImport), m);
  // The large archive is kept for the next run as it was made.
  QSqlQuery(QStringLiteral("DELETE FROM record WHERE device LIKE 'NEW-%' OR device LIKE 'BARE-%'"), archive->database());
  printRatio(m);
  return benchExitCode();
}
