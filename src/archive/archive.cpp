#include "archive/archive.h"

#include "archive/archivedialect.h"
#include "archive/archivekind.h"
#include "archive/departmentserver.h"
#include "archive/searchcolumns.h"
#include "archive/serverdeadline.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QHash>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

using namespace archivesql;

namespace {
// The order records arrived in, the same on this computer's archive and on the
// department's (whose own numbering follows when each computer sent them): by
// download, then by the place in it. Exports from either are byte for byte the same:
// texts compare by their bytes, as this computer's archive compares them, and
// not by the server's language rules.
QString arrivalOrder(ArchiveBackend backend) {
  return backend == ArchiveBackend::Department
             ? QStringLiteral("downloaded COLLATE \"C\", analyzer COLLATE \"C\", number, digest")
             : QStringLiteral("downloaded, analyzer, number, digest");
}
}  // namespace


QString ArchiveFailure::message() const {
  const QString where = department ? QStringLiteral("The department's archive ") + path
                                   : QStringLiteral("The archive ") + QDir::toNativeSeparators(path);
  switch (kind) {
    case Kind::Missing: return QStringLiteral("There is no archive at %1.").arg(QDir::toNativeSeparators(path));
    case Kind::ReadOnly: return where + QStringLiteral(" is open for reading only.\n") + reason;
    case Kind::Unusable: break;
  }
  return where + QStringLiteral(" cannot be used.\n") + reason;
}

Archive::Archive(QString path, QString connection, bool readOnly, ArchiveBackend backend)
    : path_(std::move(path)),
      connection_(std::move(connection)),
      readOnly_(readOnly),
      backend_(backend),
      readBound_(kReadBound),
      batchBound_(kBatchBound) {}

ArchiveFailure Archive::failed(const QString& reason) const {
  return {path_, reason, backend_ == ArchiveBackend::Department};
}

std::unique_ptr<ServerDeadline> Archive::watch(std::chrono::milliseconds bound) const {
  if (backend_ != ArchiveBackend::Department) return nullptr;
  return std::make_unique<ServerDeadline>(database(), bound, cancel_);
}

void Archive::saidOfCut(const ServerDeadline* bound, ArchiveFailure* failure) const {
  if (!bound || !bound->cut()) return;
  lost_ = true;  // opened again at the next use
  timedOut_ = true;
  if (bound->cancelled())
    *failure = failed(QStringLiteral("The program is closing: what was not sent stays queued on this computer."));
  else
    *failure = failed(QStringLiteral("The server did not answer within %1 s; it may be busy, stopped, or cut off "
                                     "from this computer.\n%2")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(bound->bound()).count())
                          .arg(departmentAdvice(QString(), path_)));
}

bool Archive::readWhole(const QSqlQuery& query, ArchiveFailure* failure) const {
  // A row that cannot be read (a damaged page, a lost connection) ends next()
  // as the last row does: only the error tells the two apart.
  if (!query.lastError().isValid()) return true;
  if (backend_ != ArchiveBackend::Department) {
    *failure = failed(QStringLiteral("It could not be read to its end (%1), so nothing of that read is shown.")
                          .arg(query.lastError().databaseText()));
    return false;
  }
  const QString said = serverMessage(query.lastError());
  *failure = failed(QStringLiteral("It could not be read to its end (%1), so nothing of that read is shown.\n%2")
                        .arg(said, departmentAdvice(said, path_)));
  return false;
}

ArchiveFailure Archive::queryFailed(const QSqlQuery& query) const {
  if (backend_ != ArchiveBackend::Department) return failed(errorOf(query));
  // The server's words and what to do about them.
  const QString said = serverMessage(query.lastError());
  return failed(said + QLatin1Char('\n') + departmentAdvice(said, path_));
}

Archive::~Archive() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase Archive::database() const { return QSqlDatabase::database(connection_, false); }

int Archive::knownSchemaVersion() { return int(migrationFiles(ArchiveBackend::Local).size()); }

// Asked first, as the query that merges them in reads every device before its
// first row, where the list alone streams its rows in order.
bool Archive::listsDevices() const {
  if (backend_ != ArchiveBackend::Local || schemaVersion() < 6) return false;
  QSqlQuery untested(QStringLiteral("SELECT 1 FROM device_detail AS listed WHERE NOT EXISTS (SELECT 1 FROM record "
                                    "WHERE record.device = listed.device AND +record.kind IN (1, 2, 3)) LIMIT 1"),
                     database());
  // Where the check itself fails, the list is read the complete way: a device is never left out unseen.
  return untested.next() || untested.lastError().isValid();
}

int Archive::schemaVersion() const {
  QSqlQuery query(backend_ == ArchiveBackend::Department ? QStringLiteral("SELECT version FROM archive_schema")
                                                         : QStringLiteral("PRAGMA user_version"),
                  database());
  return query.next() ? query.value(0).toInt() : -1;
}

std::optional<Archive::Stored> Archive::store(ArchiveKind kind, const QString& analyzerId, const QDateTime& downloaded,
                                              const QList<QByteArray>& records, ArchiveFailure* failure) {
  if (readOnly_) {
    *failure = failed(QStringLiteral("It is open for reading only."));
    return std::nullopt;
  }
  QSqlDatabase db = database();
  Stored stored;
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery& queue) {
        // Each new record waits to be sent to the department's archive.
        queue.prepare(QStringLiteral("INSERT INTO outbox (record) VALUES (?)"));
        // A record already kept (its kind, analyzer and bytes; a capture by its
        // bytes alone, whatever was known of the analyzer) is not kept again.
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, device_folded, tested, dut_type, "
            "verdict, autoseq, title, number) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"));
        // A capture kept before its analyzer was known learns it now.
        QSqlQuery learn(db);
        learn.prepare(QStringLiteral("UPDATE record SET analyzer = ? WHERE kind = ? AND digest = ? AND analyzer = ''"));
        const QString when = downloaded.toUTC().toString(Qt::ISODate);
        for (qsizetype i = 0; i < records.size(); ++i) {
          const QByteArray& bytes = records[i];
          const SearchColumns columns = searchColumns(kind, bytes);
          const bool report = kind == ArchiveKind::TestReport;
          const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
          insert.addBindValue(int(kind));
          insert.addBindValue(textValue(analyzerId));
          insert.addBindValue(digest);
          insert.addBindValue(bytes);
          insert.addBindValue(when);
          insert.addBindValue(textValue(columns.device));
          insert.addBindValue(textValue(foldedText(columns.device)));
          insert.addBindValue(columns.tested.isValid() ? QVariant(testedText(columns.tested)) : QVariant());
          insert.addBindValue(report ? QVariant(columns.dutType) : QVariant());
          insert.addBindValue(report ? QVariant(columns.passed ? 1 : 0) : QVariant());
          insert.addBindValue(report ? QVariant(columns.autoSeq) : QVariant());
          insert.addBindValue(textValue(columns.title));
          insert.addBindValue(int(i + 1));
          if (!insert.exec()) {
            error = errorOf(insert);
            return false;
          }
          if (insert.numRowsAffected() == 0) {
            ++stored.known;
            if (kind != ArchiveKind::Capture || analyzerId.isEmpty()) continue;
            learn.addBindValue(analyzerId);
            learn.addBindValue(int(kind));
            learn.addBindValue(digest);
            if (!learn.exec()) {
              error = errorOf(learn);
              return false;
            }
            continue;
          }
          ++stored.added;
          queue.addBindValue(insert.lastInsertId());
          if (!queue.exec()) {
            error = errorOf(queue);
            return false;
          }
        }
        return true;
      },
      &error);
  if (!done) {
    *failure = failed(error);
    return std::nullopt;
  }
  return stored;
}

QList<ArchivedRecord> Archive::records(const ArchiveFilter& filter, ArchiveFailure* failure, ArchiveOrder order) const {
  return readAgainIfLost(failure, [&] { return recordsOnce(filter, failure, order); });
}

QList<ArchivedRecord> Archive::recordsOnce(const ArchiveFilter& filter, ArchiveFailure* failure,
                                           ArchiveOrder order) const {
  QStringList where;
  QVariantList values;
  if (filter.wholeDevice) {
    // With the kinds named, one device's rows come from the index that leads with the kind.
    if (!filter.kind) where << QStringLiteral("kind IN (1, 2, 3)");
    where << QStringLiteral("device = ?");
    values << filter.device;
  } else if (!filter.device.isEmpty()) {
    where << deviceContains(backend_, foldedColumn());
    values << containing(filter.device, foldedColumn());
  }
  if (!filter.analyzer.isEmpty()) where << QStringLiteral("analyzer = ?"), values << filter.analyzer;
  if (filter.since.isValid()) where << QStringLiteral("tested >= ?"), values << filter.since.toString(Qt::ISODate);
  if (filter.until.isValid())
    where << QStringLiteral("tested < ?"), values << filter.until.addDays(1).toString(Qt::ISODate);
  if (filter.failedOnly)
    where << QStringLiteral("kind = ? AND verdict = 0"), values << int(ArchiveKind::TestReport);
  if (filter.kind) where << QStringLiteral("kind = ?"), values << int(*filter.kind);

  if (!reconnectIfLost(failure)) return {};
  const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT ") + recordColumns() + QStringLiteral(" FROM record") +
                (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))) +
                (order == ArchiveOrder::ByArrival ? QStringLiteral(" ORDER BY ") + arrivalOrder(backend_)
                                                   : QStringLiteral(" ORDER BY tested, id")));
  for (const QVariant& value : values) query.addBindValue(value);
  QList<ArchivedRecord> found;
  if (!query.exec()) {
    *failure = queryFailed(query);
    saidOfCut(bound.get(), failure);
    return found;
  }
  while (query.next())
    if (std::optional<ArchivedRecord> r = recordAt(query)) found << *r;
  if (!readWhole(query, failure)) found.clear(), saidOfCut(bound.get(), failure);
  return found;
}

bool Archive::remove(const QList<qint64>& ids, ArchiveFailure* failure) {
  if (readOnly_) {
    *failure = failed(QStringLiteral("It is open for reading only."));
    return false;
  }
  QSqlDatabase db = database();
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery&) {
        QSqlQuery remove(db);
        // A record deleted here before it was sent still goes to the department's
        // archive, the audit trail: its entry keeps what sending it needs.
        for (const QString& statement :
             {QStringLiteral("UPDATE outbox SET kind = record.kind, analyzer = record.analyzer, downloaded = "
                             "record.downloaded, bytes = record.bytes, number = record.number, record = NULL "
                             "FROM record WHERE record.id = outbox.record AND outbox.record = ?"),
              QStringLiteral("DELETE FROM record WHERE id = ?")}) {
          remove.prepare(statement);
          for (qint64 id : ids) {
            remove.addBindValue(id);
            if (!remove.exec()) {
              error = errorOf(remove);
              return false;
            }
          }
        }
        return true;
      },
      &error);
  if (!done) *failure = failed(error);
  return done;
}

QStringList Archive::integrityCheck(ArchiveFailure* failure) const {
  QSqlQuery query(database());
  QStringList lines;
  if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) {
    *failure = queryFailed(query);
    return lines;
  }
  while (query.next()) lines << query.value(0).toString();
  if (!readWhole(query, failure)) lines.clear();
  return lines;
}

std::optional<int> Archive::count(ArchiveKind kind, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT count(*) FROM record WHERE kind = ?"));
  query.addBindValue(int(kind));
  if (!query.exec() || !query.next()) {
    *failure = queryFailed(query);
    return std::nullopt;
  }
  return query.value(0).toInt();
}

QSqlQuery Archive::devices(const QString& filter, DeviceColumn sortBy, bool ascending) const {
  static const char* const kOrder[] = {"device", "dut_type", "tests", "last", "verdict"};
  ArchiveFailure lost;
  reconnectIfLost(&lost);  // a failure shows as the query's own
  const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
  QSqlQuery query(database());
  const bool listed = listsDevices();
  query.prepare(devicesQuery(backend_, !filter.isEmpty() ? deviceContains(backend_, foldedColumn()) : QString(),
                             QLatin1String(kOrder[int(sortBy)]) +
                                 (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) +
                                 (sortBy == DeviceColumn::Device ? QString() : QStringLiteral(", device")),
                             listed));
  if (!filter.isEmpty())
    for (int side = 0; side < (listed ? 2 : 1); ++side) query.addBindValue(containing(filter, foldedColumn()));
  query.exec();
  return query;
}

QList<DeviceRow> Archive::deviceRows(ArchiveFailure* failure) const {
  QList<DeviceRow> rows = readAgainIfLost(failure, [&] {
    QList<DeviceRow> rows;
    if (!reconnectIfLost(failure)) return rows;
    const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(devicesQuery(backend_, QString(), QStringLiteral("device ASC"), listsDevices()))) {
      *failure = queryFailed(query);
      saidOfCut(bound.get(), failure);
      return rows;
    }
    while (query.next()) {
      DeviceRow row;
      row.device = query.value(0).toString();
      row.dutType = query.value(1).isNull() ? -1 : query.value(1).toInt();
      row.tests = query.value(2).toInt();
      row.last = testedAt(query.value(3).toString());
      row.verdict = query.value(4).isNull() ? -1 : query.value(4).toInt();
      rows.append(row);
    }
    if (!readWhole(query, failure)) rows.clear(), saidOfCut(bound.get(), failure);
    return rows;
  });
  if (!failure->reason.isEmpty()) return {};
  const std::optional<QList<DeviceDetail>> details = deviceDetails(failure);
  if (!details) return {};
  QHash<QString, const DeviceDetail*> detailOf;
  for (const DeviceDetail& d : *details) detailOf.insert(d.device, &d);
  for (DeviceRow& row : rows)
    if (const DeviceDetail* d = detailOf.take(row.device)) {
      row.detailed = true;
      row.location = d->location;
      row.intervalMonths = d->intervalMonths;
    }
  for (const DeviceDetail& d : *details)
    if (detailOf.contains(d.device)) rows.append({d.device, -1, 0, {}, -1, true, d.location, d.intervalMonths});
  return rows;
}

bool Archive::eachTestReport(const std::function<bool(const QString& device, const ReportBytes& report)>& row,
                             ArchiveFailure* failure) const {
  bool handedOn = false;
  const auto readOnce = [&] {
    if (!reconnectIfLost(failure)) return false;
    const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
    QSqlQuery query(database());
    query.setForwardOnly(true);
    // In the order of the index that leads with the device (the + keeps SQLite
    // from the one that leads with the kind, and from sorting every report).
    if (!query.exec(QStringLiteral("SELECT device, id, tested, bytes FROM record WHERE +kind = 1 "
                                   "ORDER BY device, kind, tested"))) {
      *failure = queryFailed(query);
      saidOfCut(bound.get(), failure);
      return false;
    }
    while (query.next()) {
      if (bound) bound->renew();
      handedOn = true;
      if (!row(query.value(0).toString(),
               {query.value(1).toLongLong(), testedAt(query.value(2).toString()), query.value(3).toByteArray()}))
        return false;
    }
    if (readWhole(query, failure)) return true;
    saidOfCut(bound.get(), failure);
    return false;
  };
  timedOut_ = false;
  if (readOnce()) return true;
  // Read again on a link opened afresh only where nothing was handed on yet.
  if (handedOn || backend_ != ArchiveBackend::Department || failure->reason.isEmpty() || timedOut_ ||
      (cancel_ && *cancel_) || !linkLost())
    return false;
  *failure = {};
  return readOnce();
}

QList<Archive::ReportBytes> Archive::testReportsOf(const QString& device, ArchiveFailure* failure) const {
  return readAgainIfLost(failure, [&] { return testReportsOnce(device, failure); });
}

QList<Archive::ReportBytes> Archive::testReportsOnce(const QString& device, ArchiveFailure* failure) const {
  if (!reconnectIfLost(failure)) return {};
  const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT id, tested, bytes FROM record WHERE kind = ? AND device = ? ORDER BY tested"));
  query.addBindValue(int(ArchiveKind::TestReport));
  query.addBindValue(device);
  QList<ReportBytes> reports;
  if (!query.exec()) {
    *failure = queryFailed(query);
    saidOfCut(bound.get(), failure);
    return reports;
  }
  while (query.next())
    reports.append({query.value(0).toLongLong(), testedAt(query.value(1).toString()), query.value(2).toByteArray()});
  if (!readWhole(query, failure)) reports.clear(), saidOfCut(bound.get(), failure);
  return reports;
}
