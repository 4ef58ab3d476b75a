// The queue of records that wait for the department's archive, and the
// department's archive taking what a computer sends.

#include "archive/archive.h"
#include "archive/archivedialect.h"
#include "archive/departmentserver.h"
#include "archive/searchcolumns.h"
#include "archive/serverdeadline.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <tuple>

using namespace archivesql;

namespace {
// Rows a single insert statement sends to the server: one round trip each.
constexpr int kRowsPerInsert = 100;

QString insertOf(int rows) {
  QStringList values;
  const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (int i = 0; i < rows; ++i) values << row;
  return QStringLiteral(
             "INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, device_folded, tested, dut_type, verdict, "
             "autoseq, title, number, sent_by, sent_from) VALUES ") +
         values.join(QStringLiteral(", ")) + QStringLiteral(" ON CONFLICT (kind, analyzer, digest) DO NOTHING");
}

// A record to send with its identity's digest.
struct Sending {
  const ArchivedRecord* record;
  QByteArray digest;
};

// The records in the order of their identity: two computers sending the same
// records at once then take the server's locks in one order, never crosswise.
QList<Sending> inIdentityOrder(const QList<ArchivedRecord>& records) {
  QList<Sending> sending;
  for (const ArchivedRecord& r : records)
    sending.append({&r, QCryptographicHash::hash(r.bytes, QCryptographicHash::Sha256)});
  std::sort(sending.begin(), sending.end(), [](const Sending& a, const Sending& b) {
    return std::tie(a.record->kind, a.record->analyzer, a.digest) < std::tie(b.record->kind, b.record->analyzer, b.digest);
  });
  return sending;
}

void bindRecord(QSqlQuery& insert, const Sending& sending, const Sender& sender) {
  const ArchivedRecord& r = *sending.record;
  const SearchColumns columns = searchColumns(r.kind, r.bytes);
  const bool report = r.kind == ArchiveKind::TestReport;
  insert.addBindValue(int(r.kind));
  insert.addBindValue(textValue(r.analyzer));
  insert.addBindValue(sending.digest);
  insert.addBindValue(r.bytes);
  insert.addBindValue(r.downloaded.toUTC().toString(Qt::ISODate));
  insert.addBindValue(textValue(columns.device));
  insert.addBindValue(textValue(foldedText(columns.device)));
  insert.addBindValue(columns.tested.isValid() ? QVariant(testedText(columns.tested)) : QVariant(QMetaType::fromType<QString>()));
  insert.addBindValue(report ? QVariant(columns.dutType) : QVariant(QMetaType::fromType<int>()));
  insert.addBindValue(report ? QVariant(columns.passed ? 1 : 0) : QVariant(QMetaType::fromType<int>()));
  insert.addBindValue(report ? QVariant(columns.autoSeq) : QVariant(QMetaType::fromType<int>()));
  insert.addBindValue(textValue(columns.title));
  insert.addBindValue(r.number);
  insert.addBindValue(textValue(sender.user));
  insert.addBindValue(textValue(sender.computer));
}
}  // namespace

QList<Archive::Queued> Archive::queued(int limit, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.setForwardOnly(true);
  // A record deleted here after it was queued is sent from the copy its entry keeps.
  query.prepare(QStringLiteral(
      "SELECT coalesce(record.id, 0), coalesce(record.kind, outbox.kind), coalesce(record.analyzer, outbox.analyzer), "
      "coalesce(record.downloaded, outbox.downloaded), coalesce(record.bytes, outbox.bytes), record.device, "
      "record.tested, record.title, record.verdict, coalesce(record.number, outbox.number), outbox.entry "
      "FROM outbox LEFT JOIN record ON record.id = outbox.record WHERE outbox.refused IS NULL "
      "AND coalesce(record.kind, outbox.kind) IN (1, 2, 3) ORDER BY outbox.entry LIMIT ?"));
  query.addBindValue(limit);
  QList<Queued> found;
  if (!query.exec()) {
    *failure = failed(errorOf(query));
    return found;
  }
  while (query.next())
    if (std::optional<ArchivedRecord> r = recordAt(query)) found.append({query.value(10).toLongLong(), *r});
  if (!readWhole(query, failure)) found.clear();
  return found;
}

std::optional<int> Archive::queuedCount(ArchiveFailure* failure) const {
  QSqlQuery query(database());
  if (!query.exec(QStringLiteral("SELECT count(*) FROM outbox WHERE refused IS NULL")) || !query.next()) {
    *failure = failed(errorOf(query));
    return std::nullopt;
  }
  return query.value(0).toInt();
}

bool Archive::unqueue(const QList<qint64>& entries, ArchiveFailure* failure) {
  QSqlDatabase db = database();
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery& remove) {
        remove.prepare(QStringLiteral("DELETE FROM outbox WHERE entry = ?"));
        for (qint64 entry : entries) {
          remove.addBindValue(entry);
          if (!remove.exec()) return false;
        }
        return true;
      },
      &error);
  if (!done) *failure = failed(error);
  return done;
}

bool Archive::setAside(qint64 entry, const QString& reason, ArchiveFailure* failure) {
  QSqlQuery query(database());
  query.prepare(QStringLiteral("UPDATE outbox SET refused = ? WHERE entry = ?"));
  query.addBindValue(reason.isEmpty() ? QStringLiteral("refused") : reason);
  query.addBindValue(entry);
  if (query.exec()) return true;
  *failure = failed(errorOf(query));
  return false;
}

std::optional<int> Archive::queueRefusedAgain(ArchiveFailure* failure) {
  QSqlDatabase db = database();
  int again = 0;
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&again](QSqlQuery& query) {
        for (const char* queue : {"outbox", "detail_outbox"}) {
          if (!query.exec(QStringLiteral("UPDATE %1 SET refused = NULL WHERE refused IS NOT NULL").arg(QLatin1String(queue))))
            return false;
          again += query.numRowsAffected();
        }
        return true;
      },
      &error);
  if (done) return again;
  *failure = failed(error);
  return std::nullopt;
}

QList<Archive::SetAside> Archive::setAsideIn(const QString& statement, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.setForwardOnly(true);
  QList<SetAside> found;
  if (!query.exec(statement)) {
    *failure = failed(errorOf(query));
    return found;
  }
  while (query.next()) found.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString()});
  if (!readWhole(query, failure)) found.clear();
  return found;
}

QList<Archive::SetAside> Archive::setAsideRecords(ArchiveFailure* failure) const {
  return setAsideIn(QStringLiteral("SELECT outbox.entry, coalesce(record.device, ''), outbox.refused FROM outbox "
                                   "LEFT JOIN record ON record.id = outbox.record WHERE outbox.refused IS NOT NULL "
                                   "ORDER BY outbox.entry"),
                    failure);
}

bool Archive::canReceive(ArchiveFailure* failure) {
  if (backend_ != ArchiveBackend::Department || !receiving_) {
    *failure = failed(QStringLiteral("Records cannot be sent to it."));
    return false;
  }
  return reconnectIfLost(failure);
}

std::optional<Archive::Stored> Archive::receiveInOneTransaction(
    const QString& waiting, const std::function<bool(Stored& stored, QSqlError& error)>& send, ArchiveFailure* failure) {
  const std::unique_ptr<ServerDeadline> bound = watch(batchBound_);
  QSqlDatabase db = database();
  Stored stored;
  QSqlError failedStatement;
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery&) {
        if (send(stored, failedStatement)) return true;
        error = serverMessage(failedStatement);
        return false;
      },
      &error);
  if (done) return stored;
  const bool refused = refusedForContent(failedStatement);
  *failure = failed(refused ? error
                            : error + QStringLiteral("\n") + departmentAdvice(error, path_) +
                                  QStringLiteral(" The %1 wait on this computer.").arg(waiting));
  failure->refused = refused;
  saidOfCut(bound.get(), failure);
  return std::nullopt;
}

std::optional<Archive::Stored> Archive::receive(const QList<ArchivedRecord>& records, const Sender& sender,
                                                ArchiveFailure* failure) {
  if (!canReceive(failure)) return std::nullopt;
  QSqlDatabase db = database();
  const QList<Sending> sending = inIdentityOrder(records);
  // The statements outlive the transaction: one that failed is let go only
  // after the rollback, never into the transaction the failure aborted.
  QSqlQuery full(db), part(db);
  return receiveInOneTransaction(
      QStringLiteral("records"),
      [&](Stored& stored, QSqlError& error) {
        // Full statements of many rows each, prepared once; the rest in one more.
        full.prepare(insertOf(kRowsPerInsert));
        for (qsizetype from = 0; from < sending.size(); from += kRowsPerInsert) {
          const int rows = int(std::min<qsizetype>(kRowsPerInsert, sending.size() - from));
          QSqlQuery& insert = rows == kRowsPerInsert ? full : part;
          if (rows != kRowsPerInsert) part.prepare(insertOf(rows));
          for (int i = 0; i < rows; ++i) bindRecord(insert, sending[from + i], sender);
          if (!insert.exec()) return error = insert.lastError(), false;
          stored.added += insert.numRowsAffected();
          stored.known += rows - insert.numRowsAffected();
        }
        return true;
      },
      failure);
}
