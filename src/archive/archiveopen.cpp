// Opening this computer's archive file: creating a new one whole, refusing what
// is no archive, bringing an older schema up to date, and reading a newer or
// unwritable one without writing anything beside it.

#include "archive/archive.h"
#include "archive/archivedialect.h"
#include "archive/searchcolumns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

using namespace archivesql;

namespace {
// Marks a SQLite file as this program's archive ("K5AR").
constexpr qint64 kApplicationId = 0x4B354152;
const char kSqliteHeader[] = "SQLite format 3";  // with its NUL, the first 16 bytes of every database file

// How a connection reaches the file: to read and write; to read a file that
// another program may be writing (its journal already beside it); or to read a
// file that nothing writes, touching nothing beside it (a folder this account
// may not write, where SQLite could not even make its shared-memory index).
enum class Access { ReadWrite, ReadOnly, Immutable };

QString newConnectionName() {
  static std::atomic<int> connections = 0;
  return QStringLiteral("archive-%1").arg(++connections);
}

QSqlDatabase connectTo(const QString& name, const QString& path, Access access) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000");
  if (access == Access::ReadWrite) {
    db.setDatabaseName(path);
  } else {
    options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(access == Access::Immutable ? QStringLiteral("immutable=1") : QStringLiteral("mode=ro"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
  }
  db.setConnectOptions(options);
  db.open();
  return db;
}

void disconnect(const QString& name) {
  QSqlDatabase::database(name, false).close();
  QSqlDatabase::removeDatabase(name);
}

std::optional<qint64> pragma(QSqlDatabase& db, const QString& name, QString* error) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next()) {
    *error = errorOf(query);
    return std::nullopt;
  }
  return query.value(0).toLongLong();
}

QString newerSchema(int version, int known) {
  return QStringLiteral("It was written by a newer version of the program (schema %1; this version knows %2), "
                        "so this version reads it and changes nothing in it.")
      .arg(version)
      .arg(known);
}

// After the statements of migration 3: a capture's device I.D. trimmed as
// every other kind's is, and the I.D.s outside the Latin alphabet folded (the
// statements folded the rest).
bool refreshDeviceColumns(QSqlDatabase& db) {
  QSqlQuery read(db);
  read.setForwardOnly(true);
  if (!read.exec(QStringLiteral("SELECT id, kind, bytes, device FROM record WHERE kind = 3 OR device GLOB '*[^ -~]*'")))
    return false;
  QList<std::pair<qint64, QString>> devices;
  while (read.next()) {
    const ArchiveKind kind = ArchiveKind(read.value(1).toInt());
    devices.append({read.value(0).toLongLong(), kind == ArchiveKind::Capture
                                                    ? searchColumns(kind, read.value(2).toByteArray()).device
                                                    : read.value(3).toString()});
  }
  if (read.lastError().isValid()) return false;
  QSqlQuery update(db);
  update.prepare(QStringLiteral("UPDATE record SET device = ?, device_folded = ? WHERE id = ?"));
  for (const auto& [id, device] : std::as_const(devices)) {
    update.addBindValue(textValue(device));
    update.addBindValue(textValue(foldedText(device)));
    update.addBindValue(id);
    if (!update.exec()) return false;
  }
  return true;
}

// After the statements of migration 6: the folded I.D. of each device listed.
bool foldDetailDevices(QSqlDatabase& db) {
  QSqlQuery read(db);
  read.setForwardOnly(true);
  if (!read.exec(QStringLiteral("SELECT device FROM device_detail"))) return false;
  QStringList devices;
  while (read.next()) devices << read.value(0).toString();
  if (read.lastError().isValid()) return false;
  QSqlQuery update(db);
  update.prepare(QStringLiteral("UPDATE device_detail SET device_folded = ? WHERE device = ?"));
  for (const QString& device : std::as_const(devices)) {
    update.addBindValue(textValue(foldedText(device)));
    update.addBindValue(textValue(device));
    if (!update.exec()) return false;
  }
  return true;
}

// What a migration needs of the program's own code, after its statements, in
// its transaction.
bool runCodeOf(const QString& migration, QSqlDatabase& db) {
  if (migration.startsWith(QLatin1String("0003-"))) return refreshDeviceColumns(db);
  if (migration.startsWith(QLatin1String("0006-"))) return foldDetailDevices(db);
  return true;
}

// Brings the schema from the version it has to the one this program knows, in
// one transaction. The version is read again under the write lock: another
// program opening the same archive at the same moment may have done it. The
// version it had, or none with `error`.
std::optional<int> migrate(QSqlDatabase& db, QString* error) {
  const QStringList migrations = migrationFiles(ArchiveBackend::Local);
  const int known = int(migrations.size());
  int current = 0;
  const bool migrated = inTransaction(
      db, ArchiveBackend::Local,
      [&](QSqlQuery& query) {
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) return false;
        current = query.value(0).toInt();
        query.finish();
        if (current >= known) return true;  // brought up to date meanwhile, or newer: never migrated down
        for (int v = current; v < known; ++v) {
          for (const QString& statement : statementsOf(ArchiveBackend::Local, migrations[v]))
            if (!query.exec(statement)) return false;
          if (!runCodeOf(migrations[v], db)) {
            *error = QStringLiteral("its records' search columns could not be brought up to date");
            return false;
          }
        }
        return query.exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId)) &&
               query.exec(QStringLiteral("PRAGMA user_version=%1").arg(known));
      },
      error);
  return migrated ? std::optional<int>(current) : std::nullopt;
}

void removeWithJournals(const QString& file) {
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(file + QLatin1String(suffix));
}

// A new archive is made whole under a name of its own in the same folder and
// only then put in place, so that no program ever finds an archive half made
// (or an empty file) under its name. Where another program put one there
// meanwhile, that one stands.
bool createArchive(const QString& path, ArchiveFailure* failure) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {  // a folder named for it is made, as for every output
    *failure = {path, QStringLiteral("Its folder cannot be made.")};
    return false;
  }
  const QString made = path + QStringLiteral(".new-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
  const QString name = newConnectionName();
  QString error;
  {
    QSqlDatabase db = connectTo(name, made, Access::ReadWrite);
    if (!db.isOpen()) error = db.lastError().text();
    else if (migrate(db, &error) && !QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL")))
      error = QStringLiteral("its journal could not be set up");
  }
  disconnect(name);  // the last connection: the journal goes with it
  if (error.isEmpty() && !QFile::rename(made, path) && !QFileInfo::exists(path))
    error = QStringLiteral("it could not be put in place");
  removeWithJournals(made);
  if (error.isEmpty()) return true;
  *failure = {path, QStringLiteral("A new archive could not be made: %1").arg(error)};
  return false;
}

// The file's first bytes: an empty file or one that is no SQLite database is
// refused before SQLite sees it, which could take it for an empty database and
// write over it.
bool looksLikeADatabase(const QString& path, ArchiveFailure* failure) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *failure = {path, file.errorString()};
    return false;
  }
  if (file.size() == 0) {
    *failure = {path, QStringLiteral("It is damaged: the file is empty (0 bytes). It is left as it is.")};
    return false;
  }
  if (file.read(16) != QByteArray(kSqliteHeader, 16)) {
    *failure = {path, QStringLiteral("It is not an archive: not a database file.")};
    return false;
  }
  return true;
}
}  // namespace

std::unique_ptr<Archive> Archive::open(const QString& path, ArchiveFailure* failure, Opening opening) {
  if (!QFileInfo::exists(path)) {
    if (opening != Opening::CreateOrUpdate) {
      *failure = {path, QString(), false, ArchiveFailure::Kind::Missing};
      return nullptr;
    }
    if (!createArchive(path, failure)) return nullptr;
  }
  if (!looksLikeADatabase(path, failure)) return nullptr;

  const bool writable = QFileInfo(path).isWritable() && QFileInfo(QFileInfo(path).absolutePath()).isWritable();
  const Access access = writable                                ? Access::ReadWrite
                        : QFileInfo::exists(path + QStringLiteral("-wal")) ? Access::ReadOnly
                                                                            : Access::Immutable;
  const QString name = newConnectionName();
  std::unique_ptr<Archive> archive(new Archive(path, name, !writable));
  QSqlDatabase db = connectTo(name, path, access);
  if (!db.isOpen()) {
    *failure = {path, db.lastError().text()};
    return nullptr;
  }
  QString error;
  // The three are read in one snapshot: another program bringing the archive
  // up to date meanwhile must not be seen half way.
  QSqlQuery(QStringLiteral("BEGIN"), db).finish();
  const std::optional<qint64> appId = pragma(db, QStringLiteral("application_id"), &error);
  const std::optional<qint64> version = pragma(db, QStringLiteral("user_version"), &error);
  const std::optional<qint64> objects = pragma(db, QStringLiteral("schema_version"), &error);
  QSqlQuery(QStringLiteral("COMMIT"), db).finish();
  if (!appId || !version || !objects) {
    *failure = {path, error};
    return nullptr;
  }
  if (*appId != kApplicationId) {
    *failure = {path, *objects == 0 ? QStringLiteral("It is not an archive: an empty database.")
                                    : QStringLiteral("It is not an archive of this program: another program's database.")};
    return nullptr;
  }
  const int known = knownSchemaVersion();
  const auto readOnlyBecause = [&](const QString& reason) {
    if (!reason.isEmpty()) *failure = {path, reason, false, ArchiveFailure::Kind::ReadOnly};
    archive->readOnly_ = true;
    // Read through a connection that may write, so that its journal goes when it
    // closes, but that refuses every change.
    if (access == Access::ReadWrite) QSqlQuery(QStringLiteral("PRAGMA query_only=1"), db).finish();
    return std::move(archive);
  };
  if (*version > known) return readOnlyBecause(newerSchema(int(*version), known));
  if (opening == Opening::ReadOnly) return readOnlyBecause(QString());  // as it is, whatever its version
  if (!writable) {
    if (*version < known) {
      *failure = {path, QStringLiteral("It was written by an older version of the program and cannot be brought up "
                                       "to date here: this account may not write it or its folder.")};
      return nullptr;
    }
    return readOnlyBecause(QStringLiteral("This account may not write it or its folder, so it is only read."));
  }

  QSqlQuery(QStringLiteral("PRAGMA journal_mode=WAL"), db).finish();
  if (*version < known) {
    const std::optional<int> before = migrate(db, &error);
    if (!before) {
      *failure = {path, QStringLiteral("Its schema could not be brought up to date: %1").arg(error)};
      return nullptr;
    }
    if (*before > known) return readOnlyBecause(newerSchema(*before, known));
  }
  return archive;
}
