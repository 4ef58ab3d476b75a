#include "archive/archive.h"

#include "archive/archivedialect.h"
#include "archive/archivekind.h"
#include "archive/searchcolumns.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

using namespace archivesql;

namespace {
// Marks a SQLite file as this program's archive ("K5AR").
constexpr qint64 kApplicationId = 0x4B354152;
const char kSqliteHeader[] = "SQLite format 3";  // with its NUL, the first 16 bytes of every database file

QString newerSchema(int version, int known) {
  return QStringLiteral("It was made by a newer version of the program (schema %1; this version knows %2). "
                        "It is open for reading only.")
      .arg(version)
      .arg(known);
}

std::optional<qint64> pragma(QSqlDatabase& db, const QString& name, QString* error) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next()) {
    *error = errorOf(query);
    return std::nullopt;
  }
  return query.value(0).toLongLong();
}

}  // namespace

QString ArchiveFailure::message() const {
  if (department) return QStringLiteral("The department's archive %1 cannot be used.\n%2").arg(path, reason);
  return QStringLiteral("The archive %1 cannot be used.\n%2").arg(QDir::toNativeSeparators(path), reason);
}

Archive::Archive(QString path, QString connection, bool readOnly, ArchiveBackend backend)
    : path_(std::move(path)), connection_(std::move(connection)), readOnly_(readOnly), backend_(backend) {}

ArchiveFailure Archive::failed(const QString& reason) const {
  return {path_, reason, backend_ == ArchiveBackend::Department};
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

int Archive::schemaVersion() const {
  QSqlDatabase db = database();
  if (backend_ == ArchiveBackend::Department) {
    QSqlQuery query(QStringLiteral("SELECT version FROM archive_schema"), db);
    return query.next() ? query.value(0).toInt() : -1;
  }
  QString error;
  return int(pragma(db, QStringLiteral("user_version"), &error).value_or(-1));
}

std::unique_ptr<Archive> Archive::open(const QString& path, ArchiveFailure* failure) {
  // A file that is not an SQLite database is never handed to SQLite, which
  // could take it for an empty one and write over it.
  QFile file(path);
  if (file.exists()) {
    if (!file.open(QIODevice::ReadOnly)) {
      *failure = {path, file.errorString()};
      return nullptr;
    }
    const QByteArray header = file.read(16);
    if (file.size() > 0 && header != QByteArray(kSqliteHeader, 16)) {
      *failure = {path, QStringLiteral("It is not an archive: not a database file.")};
      return nullptr;
    }
  }
  // The folder holds the journal beside the file, so it must be writable too.
  const bool writable = QFileInfo(QFileInfo(path).absolutePath()).isWritable() &&
                        (!file.exists() || QFileInfo(path).isWritable());
  static std::atomic<int> connections = 0;
  auto openAs = [&path](bool readOnly) {
    const QString name = QStringLiteral("archive-%1").arg(++connections);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000") +
                         (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    db.open();
    return std::unique_ptr<Archive>(new Archive(path, name, readOnly));
  };

  std::unique_ptr<Archive> archive = openAs(!writable);
  QSqlDatabase db = archive->database();
  if (!db.isOpen()) {
    *failure = {path, db.lastError().text()};
    return nullptr;
  }
  QString error;
  // The three are read in one snapshot: another program creating the same new
  // archive meanwhile must not be seen half way (tables made, mark not yet read).
  QSqlQuery(QStringLiteral("BEGIN"), db).finish();
  const std::optional<qint64> appId = pragma(db, QStringLiteral("application_id"), &error);
  const std::optional<qint64> version = pragma(db, QStringLiteral("user_version"), &error);
  const std::optional<qint64> objects =
      pragma(db, QStringLiteral("schema_version"), &error);  // 0 while nothing was ever created
  QSqlQuery(QStringLiteral("COMMIT"), db).finish();
  if (!appId || !version || !objects) {
    *failure = {path, error};
    return nullptr;
  }
  const bool empty = *appId == 0 && *version == 0 && *objects == 0;
  if (!empty && *appId != kApplicationId) {
    *failure = {path, QStringLiteral("It is not an archive of this program: another program's database.")};
    return nullptr;
  }
  const int known = knownSchemaVersion();
  if (*version > known) {
    *failure = {path, newerSchema(int(*version), known)};
    db = QSqlDatabase();
    archive = openAs(true);
    return archive->database().isOpen() ? std::move(archive) : nullptr;
  }
  if (archive->readOnly()) {
    *failure = {path, QStringLiteral("The file cannot be written. It is open for reading only.")};
    return *version == known ? std::move(archive) : nullptr;
  }

  QSqlQuery(QStringLiteral("PRAGMA journal_mode=WAL"), db).finish();
  if (*version < known) {
    // The version is read again under the write lock: another program opening
    // the same new archive at the same moment may have brought it up to date.
    const QStringList migrations = migrationFiles(ArchiveBackend::Local);
    int current = 0;
    const bool migrated = inTransaction(
        db, ArchiveBackend::Local,
        [&](QSqlQuery& query) {
          if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) return false;
          current = query.value(0).toInt();
          query.finish();
          if (current >= known) return true;  // brought up to date meanwhile, or newer: never migrated down
          for (int v = current; v < known; ++v)
            for (const QString& statement : statementsOf(ArchiveBackend::Local, migrations[v]))
              if (!query.exec(statement)) return false;
          return query.exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId)) &&
                 query.exec(QStringLiteral("PRAGMA user_version=%1").arg(known));
        },
        &error);
    if (!migrated) {
      *failure = {path, QStringLiteral("Its schema could not be brought up to date: %1").arg(error)};
      return nullptr;
    }
    if (current > known) {
      *failure = {path, newerSchema(current, known)};
      db = QSqlDatabase();
      archive = openAs(true);
      return archive->database().isOpen() ? std::move(archive) : nullptr;
    }
  }
  return archive;
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
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, tested, dut_type, "
            "verdict, autoseq, title, number) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
            "ON CONFLICT (kind, analyzer, digest) DO NOTHING"));
        const QString when = downloaded.toUTC().toString(Qt::ISODate);
        for (qsizetype i = 0; i < records.size(); ++i) {
          const QByteArray& bytes = records[i];
          const SearchColumns columns = searchColumns(kind, bytes);
          const bool report = kind == ArchiveKind::TestReport;
          insert.addBindValue(int(kind));
          insert.addBindValue(textValue(analyzerId));
          insert.addBindValue(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
          insert.addBindValue(bytes);
          insert.addBindValue(when);
          insert.addBindValue(textValue(columns.device));
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
  QStringList where;
  QVariantList values;
  if (filter.wholeDevice) {
    // With the kinds named, one device's rows come from the index that leads with the kind.
    if (!filter.kind) where << QStringLiteral("kind IN (1, 2, 3)");
    where << QStringLiteral("device = ?");
    values << filter.device;
  } else if (!filter.device.isEmpty()) {
    where << deviceContains(backend_);
    values << containing(filter.device);
  }
  if (!filter.analyzer.isEmpty()) where << QStringLiteral("analyzer = ?"), values << filter.analyzer;
  if (filter.since.isValid()) where << QStringLiteral("tested >= ?"), values << filter.since.toString(Qt::ISODate);
  if (filter.until.isValid())
    where << QStringLiteral("tested < ?"), values << filter.until.addDays(1).toString(Qt::ISODate);
  if (filter.failedOnly)
    where << QStringLiteral("kind = ? AND verdict = 0"), values << int(ArchiveKind::TestReport);
  if (filter.kind) where << QStringLiteral("kind = ?"), values << int(*filter.kind);

  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT ") + recordColumns() + QStringLiteral(" FROM record") +
                (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))) +
                (order == ArchiveOrder::ByArrival ? QStringLiteral(" ORDER BY id") : QStringLiteral(" ORDER BY tested, id")));
  for (const QVariant& value : values) query.addBindValue(value);
  QList<ArchivedRecord> found;
  if (!query.exec()) {
    *failure = failed(errorOf(query));
    return found;
  }
  while (query.next())
    if (std::optional<ArchivedRecord> r = recordAt(query)) found << *r;
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
        // A record deleted before it was sent is not sent.
        for (const QString& statement : {QStringLiteral("DELETE FROM outbox WHERE record = ?"),
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
    *failure = failed(errorOf(query));
    return lines;
  }
  while (query.next()) lines << query.value(0).toString();
  return lines;
}

std::optional<int> Archive::count(ArchiveKind kind, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT count(*) FROM record WHERE kind = ?"));
  query.addBindValue(int(kind));
  if (!query.exec() || !query.next()) {
    *failure = failed(errorOf(query));
    return std::nullopt;
  }
  return query.value(0).toInt();
}

QSqlQuery Archive::devices(const QString& filter, DeviceColumn sortBy, bool ascending) const {
  static const char* const kOrder[] = {"device", "dut_type", "tests", "last", "verdict"};
  QSqlQuery query(database());
  query.prepare(devicesQuery(backend_, !filter.isEmpty(),
                             QLatin1String(kOrder[int(sortBy)]) +
                                 (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"))));
  query.addBindValue(int(ArchiveKind::TestReport));
  if (!filter.isEmpty()) query.addBindValue(containing(filter));
  query.exec();
  return query;
}

QList<Archive::ReportBytes> Archive::testReportsOf(const QString& device, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT id, tested, bytes FROM record WHERE kind = ? AND device = ? ORDER BY tested"));
  query.addBindValue(int(ArchiveKind::TestReport));
  query.addBindValue(device);
  QList<ReportBytes> reports;
  if (!query.exec()) {
    *failure = failed(errorOf(query));
    return reports;
  }
  while (query.next())
    reports.append({query.value(0).toLongLong(), testedAt(query.value(1).toString()), query.value(2).toByteArray()});
  return reports;
}
