// Sending 10,000 queued records to the department's archive (read from this
// computer's archive, sent in batches, taken out of the queue) against the same
// rows, ready in memory, sent by one prepared, batched insert, in the same run.

#include "archive/departmentsync.h"
#include "benchsupport.h"
#include "departmentbench.h"
#include "archive/searchcolumns.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>

namespace {
constexpr int kRecords = 10000;
constexpr int kRounds = 5;
constexpr int kRowsPerInsert = 100;

// A computer's archive with 10,000 queued reports of its own (numbers from `from`).
std::unique_ptr<Archive> queuedArchive(const QString& path, int from) {
  QProcess maker;
  maker.start(QStringLiteral(KALYX_ARCHIVE_MAKER), {path, QString::number(kRecords), QStringLiteral("--from"),
                                                    QString::number(from)});
  if (!maker.waitForFinished(-1) || maker.exitCode() != 0) return nullptr;
  ArchiveFailure failure;
  return Archive::open(path, &failure);
}

// The bare insert: each statement 100 rows of bound values, prepared once, all
// in one transaction.
double bareRound(QSqlDatabase& db, const QList<ArchivedRecord>& rows) {
  QStringList values;
  for (int i = 0; i < kRowsPerInsert; ++i) values << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  QList<QVariantList> bound;
  for (const ArchivedRecord& r : rows) {
    const SearchColumns c = searchColumns(r.kind, r.bytes);
    bound.append({int(r.kind), r.analyzer, QCryptographicHash::hash(r.bytes, QCryptographicHash::Sha256), r.bytes,
                  r.downloaded.toString(Qt::ISODate), c.device, c.tested.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")),
                  c.dutType, c.passed ? 1 : 0, c.autoSeq, c.title, r.number, QStringLiteral("bench"),
                  QStringLiteral("bench")});
  }
  QElapsedTimer clock;
  clock.start();
  db.transaction();
  QSqlQuery insert(db);
  insert.prepare(QStringLiteral("INSERT INTO baseline (kind, analyzer, digest, bytes, downloaded, device, tested, "
                                "dut_type, verdict, autoseq, title, number, sent_by, sent_from) VALUES ") +
                 values.join(QStringLiteral(", ")) + QStringLiteral(" ON CONFLICT (kind, analyzer, digest) DO NOTHING"));
  for (qsizetype from = 0; from + kRowsPerInsert <= bound.size(); from += kRowsPerInsert) {
    for (qsizetype i = from; i < from + kRowsPerInsert; ++i)
      for (const QVariant& v : bound[i]) insert.addBindValue(v);
    if (!insert.exec()) noteFailure(QStringLiteral("the bare insert failed"));
  }
  db.commit();
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  DepartmentBench bench;
  if (!bench.ready()) return benchExitCode();
  QSqlQuery(QStringLiteral("CREATE TABLE baseline (LIKE record INCLUDING DEFAULTS INCLUDING INDEXES)"), bench.admin);
  QTemporaryDir dir;
  ArchiveFailure failure;
  std::unique_ptr<Archive> department = Archive::openDepartment(bench.sender, &failure);
  if (!department) {
    noteFailure(failure.message());
    return benchExitCode();
  }
  std::printf("sending %d queued reports to the department's archive vs one prepared, batched insert of the same "
              "rows, median of %d rounds\n", kRecords, kRounds);
  int pushes = 0, inserts = 0;  // each round sends records of its own
  const Medians m = alternate(
      kRounds,
      [&] {
        const int round = pushes++;
        std::unique_ptr<Archive> local = queuedArchive(dir.filePath(QStringLiteral("p%1.sqlite").arg(round)), round * kRecords);
        QElapsedTimer clock;
        clock.start();
        const auto sent = sendQueued(*local, *department, {QStringLiteral("bench"), QStringLiteral("bench")}, &failure);
        const double ms = clock.nsecsElapsed() / 1e6;
        if (!sent || sent->sent != kRecords)
          noteFailure(QStringLiteral("the push sent %1 of %2 records: ").arg(sent ? sent->sent : -1).arg(kRecords) + failure.message());
        return ms;
      },
      [&] {
        const int round = inserts++;
        std::unique_ptr<Archive> local = queuedArchive(dir.filePath(QStringLiteral("b%1.sqlite").arg(round)), round * kRecords);
        ArchiveFailure reading;
        QList<ArchivedRecord> rows;
        for (const Archive::Queued& q : local->queued(kRecords, &reading)) rows << q.record;
        return bareRound(bench.admin, rows);
      });
  printRow(QStringLiteral("%1 reports").arg(kRecords), m);
  printRatio(m);
  return benchExitCode();
}
