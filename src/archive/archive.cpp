#include "archive/archive.h"

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

namespace {
// Marks a SQLite file as this program's archive ("K5AR").
constexpr qint64 kApplicationId = 0x4B354152;
const QString kMigrations = QStringLiteral(":/archive/migrations");
const char kSqliteHeader[] = "SQLite format 3";  // with its NUL, the first 16 bytes of every database file
const QString kTestedFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QStringList migrationFiles() {
  return QDir(kMigrations).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
}

// The statements of a migration file, comments taken out.
QStringList statementsOf(const QString& file) {
  QFile f(kMigrations + QLatin1Char('/') + file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QString text;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    const qsizetype comment = line.indexOf(QStringLiteral("--"));
    text += (comment < 0 ? line : line.left(comment)) + QLatin1Char('\n');
  }
  QStringList statements;
  for (const QString& statement : text.split(QLatin1Char(';')))
    if (!statement.trimmed().isEmpty()) statements << statement.trimmed();
  return statements;
}

QString errorOf(const QSqlQuery& query) { return query.lastError().text(); }

// A test's date and time as the archive writes it ("yyyy-MM-ddTHH:mm:ss"), read
// by position, a history reads thousands of them; the analyzer's wall-clock
// time of no zone, kept as UTC so that no clock change of this computer moves it.
QDateTime testedAt(const QString& text) {
  if (text.size() != 19) return {};
  const auto number = [&text](int at, int length) { return QStringView(text).mid(at, length).toInt(); };
  return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)), QTime(number(11, 2), number(14, 2), number(17, 2)),
                   Qt::UTC);
}

QString newerSchema(int version, int known) {
  return QStringLiteral("It was made by a newer version of the program (schema %1; this version knows %2). "
                        "It is open for reading only.")
      .arg(version)
      .arg(known);
}

// A device I.D. that holds a text, any letter case: kDeviceLike with the pattern
// from containing(), which takes the text's own % and _ as they are.
const QString kDeviceLike = QStringLiteral("device LIKE ? ESCAPE '\\'");
QString containing(QString text) {
  text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
      .replace(QLatin1Char('%'), QStringLiteral("\\%"))
      .replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + text + QLatin1Char('%');
}

// A text column's value: an empty text, never NULL (which a null QString would bind as).
QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

std::optional<qint64> pragma(QSqlDatabase& db, const QString& name, QString* error) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next()) {
    *error = errorOf(query);
    return std::nullopt;
  }
  return query.value(0).toLongLong();
}

// Runs statements in one immediate transaction (a writer waits for another
// program's write instead of failing half way); false with the error when any fails.
bool inTransaction(QSqlDatabase& db, const std::function<bool(QSqlQuery&)>& work, QString* error) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    *error = errorOf(query);
    return false;
  }
  error->clear();
  if (work(query) && query.exec(QStringLiteral("COMMIT"))) return true;
  if (error->isEmpty()) *error = errorOf(query);  // the work's own cause comes first
  query.exec(QStringLiteral("ROLLBACK"));
  return false;
}
}  // namespace

QString ArchiveFailure::message() const {
  return QStringLiteral("The archive %1 cannot be used.\n%2").arg(QDir::toNativeSeparators(path), reason);
}

Archive::Archive(QString path, QString connection, bool readOnly)
    : path_(std::move(path)), connection_(std::move(connection)), readOnly_(readOnly) {}

Archive::~Archive() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase Archive::database() const { return QSqlDatabase::database(connection_, false); }

int Archive::knownSchemaVersion() { return int(migrationFiles().size()); }

int Archive::schemaVersion() const {
  QSqlDatabase db = database();
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
  static int connections = 0;
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
  const std::optional<qint64> appId = pragma(db, QStringLiteral("application_id"), &error);
  const std::optional<qint64> version = pragma(db, QStringLiteral("user_version"), &error);
  const std::optional<qint64> objects =
      pragma(db, QStringLiteral("schema_version"), &error);  // 0 while nothing was ever created
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
    const QStringList migrations = migrationFiles();
    int current = 0;
    const bool migrated = inTransaction(
        db,
        [&](QSqlQuery& query) {
          if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) return false;
          current = query.value(0).toInt();
          query.finish();
          if (current >= known) return true;  // brought up to date meanwhile, or newer: never migrated down
          for (int v = current; v < known; ++v)
            for (const QString& statement : statementsOf(migrations[v]))
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
      db,
      [&](QSqlQuery&) {
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
          insert.addBindValue(text(analyzerId));
          insert.addBindValue(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
          insert.addBindValue(bytes);
          insert.addBindValue(when);
          insert.addBindValue(text(columns.device));
          insert.addBindValue(columns.tested.isValid() ? QVariant(columns.tested.toString(kTestedFormat)) : QVariant());
          insert.addBindValue(report ? QVariant(columns.dutType) : QVariant());
          insert.addBindValue(report ? QVariant(columns.passed ? 1 : 0) : QVariant());
          insert.addBindValue(report ? QVariant(columns.autoSeq) : QVariant());
          insert.addBindValue(text(columns.title));
          insert.addBindValue(int(i + 1));
          if (!insert.exec()) {
            error = errorOf(insert);
            return false;
          }
          if (insert.numRowsAffected() > 0) ++stored.added;
          else ++stored.known;
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
    where << kDeviceLike;
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
  query.prepare(QStringLiteral("SELECT id, kind, analyzer, downloaded, bytes, device, tested, title, verdict, number "
                               "FROM record") +
                (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))) +
                (order == ArchiveOrder::ByArrival ? QStringLiteral(" ORDER BY id") : QStringLiteral(" ORDER BY tested, id")));
  for (const QVariant& value : values) query.addBindValue(value);
  QList<ArchivedRecord> found;
  if (!query.exec()) {
    *failure = failed(errorOf(query));
    return found;
  }
  while (query.next()) {
    const int kind = query.value(1).toInt();
    if (archiveRecordSize(ArchiveKind(kind)) == 0) continue;  // a kind this program does not know is never read
    ArchivedRecord r;
    r.id = query.value(0).toLongLong();
    r.kind = ArchiveKind(kind);
    r.analyzer = query.value(2).toString();
    r.downloaded = QDateTime::fromString(query.value(3).toString(), Qt::ISODate);
    r.bytes = query.value(4).toByteArray();
    r.device = query.value(5).toString();
    r.tested = testedAt(query.value(6).toString());
    r.title = query.value(7).toString();
    r.passed = query.value(8).toInt() == 1;
    r.number = query.value(9).toInt();
    found << r;
  }
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
      db,
      [&](QSqlQuery&) {
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM record WHERE id = ?"));
        for (qint64 id : ids) {
          remove.addBindValue(id);
          if (!remove.exec()) {
            error = errorOf(remove);
            return false;
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
  // The latest test's type and verdict come with max(tested): SQLite takes a
  // bare column of an aggregate query from the row that gave the max().
  static const char* const kOrder[] = {"device", "dut_type", "tests", "last", "verdict"};
  QSqlQuery query(database());
  query.prepare(QStringLiteral("SELECT device, dut_type, count(*) AS tests, max(tested) AS last, verdict FROM record "
                               "WHERE kind = ?%1 GROUP BY device ORDER BY %2 %3, device")
                    .arg(filter.isEmpty() ? QString() : QStringLiteral(" AND ") + kDeviceLike,
                         QLatin1String(kOrder[int(sortBy)]), ascending ? QStringLiteral("ASC") : QStringLiteral("DESC")));
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
