// Opening and setting up the department's archive on its PostgreSQL server.

#include "archive/archive.h"
#include "archive/archivedialect.h"
#include "archive/departmentserver.h"
#include "archive/serverdeadline.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlDriver>
#include <QSqlQuery>
#include <atomic>

using namespace archivesql;

namespace {
// PQstatus's word for a connection that is lost (libpq's CONNECTION_BAD).
constexpr int kConnectionBad = 1;

ArchiveFailure failureAt(const DepartmentServer& server, const QString& message) {
  return {server.address(), message + QStringLiteral("\n") + departmentAdvice(message, server.address()), true};
}

QString silentServer(int seconds) {
  return QStringLiteral("the server did not answer within %1 s").arg(seconds);
}

// Opens a department connection and sets it up; false with the server's words.
bool openAndSetUp(QSqlDatabase& db, QString* error) {
  if (!db.open()) {
    *error = serverMessage(db.lastError());
    return false;
  }
  // The same statements run with new values again and again (a batch of rows,
  // a device's history): planned once, not at every run. A statement the server
  // takes too long over is given up by the server itself.
  // A server that lets the login in and then answers nothing is given up as a connect is.
  const ServerDeadline bound(db, std::chrono::seconds(kConnectBoundSeconds));
  QSqlQuery setup(db);
  if (setup.exec(QStringLiteral("SET plan_cache_mode = force_generic_plan")) &&
      setup.exec(QStringLiteral("SET statement_timeout = '%1s'").arg(kStatementBoundSeconds)))
    return true;
  *error = bound.cut() ? silentServer(kConnectBoundSeconds) : serverMessage(setup.lastError());
  return false;
}

// A new connection to the server, open; its name, or none with `failure` set.
std::optional<QString> connectTo(const DepartmentServer& server, ArchiveFailure* failure) {
  static std::atomic<int> connections = 0;
  const QString name = QStringLiteral("department-%1").arg(++connections);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid()) {
      *failure = {server.address(),
                  QStringLiteral("This computer lacks the PostgreSQL driver of Qt SQL (Debian's package "
                                 "libqt6sql6-psql). Install it to use the department's archive."),
                  true};
    } else {
      db.setHostName(server.host);
      db.setPort(server.port);
      db.setUserName(server.user);
      db.setDatabaseName(server.database);
      db.setConnectOptions(server.connectOptions());
      QString error;
      if (openAndSetUp(db, &error)) return name;
      *failure = failureAt(server, error);
    }
  }
  QSqlDatabase::removeDatabase(name);
  return std::nullopt;
}

// The schema version the server's archive has: 0 when it has none yet, none
// with `error` when it cannot be read.
std::optional<int> versionOn(QSqlDatabase& db, QString* error) {
  const ServerDeadline bound(db, std::chrono::seconds(kStatementBoundSeconds));
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("SELECT version FROM archive_schema"))) {
    *error = bound.cut() ? silentServer(kStatementBoundSeconds) : serverMessage(query.lastError());
    return std::nullopt;
  }
  return query.next() ? query.value(0).toInt() : 0;
}

void disconnect(const QString& name) {
  QSqlDatabase::database(name, false).close();
  QSqlDatabase::removeDatabase(name);
}
}  // namespace

bool Archive::linkLost() const {
  if (backend_ != ArchiveBackend::Department) return false;
  using StatusOf = int (*)(const void*);
  static const auto statusOf = reinterpret_cast<StatusOf>(clientLibraryFunction("PQstatus"));
  QSqlDatabase db = database();
  const void* connection = departmentConnection(db);
  return lost_ || !db.isOpen() || (statusOf && connection && statusOf(connection) == kConnectionBad);
}

bool Archive::reconnectIfLost(ArchiveFailure* failure) const {
  if (backend_ != ArchiveBackend::Department) return true;
  if (cancel_ && *cancel_) {
    *failure = failed(QStringLiteral("The program is closing: what was not sent stays queued on this computer."));
    return false;
  }
  if (!linkLost()) return true;
  // A server restarted, a link cut by a bound: opened again, as at the first use.
  QSqlDatabase db = database();
  db.close();
  QString error;
  if (openAndSetUp(db, &error)) {
    lost_ = false;
    return true;
  }
  lost_ = true;
  *failure = failed(error + QStringLiteral("\n") + departmentAdvice(error, path_));
  return false;
}

std::function<std::unique_ptr<Archive>(ArchiveFailure*)> Archive::reopener() const {
  if (backend_ == ArchiveBackend::Local)
    return [path = path_](ArchiveFailure* failure) { return open(path, failure, Opening::ReadOnly); };
  return [address = path_](ArchiveFailure* failure) -> std::unique_ptr<Archive> {
    QString error;
    const std::optional<DepartmentServer> server = DepartmentServer::parse(address, &error);
    if (!server) {
      *failure = {address, error, true};
      return nullptr;
    }
    return openDepartment(*server, failure);
  };
}

int Archive::knownDepartmentSchemaVersion() { return int(migrationFiles(ArchiveBackend::Department).size()); }

std::unique_ptr<Archive> Archive::openDepartment(const DepartmentServer& server, ArchiveFailure* failure) {
  const std::optional<QString> name = connectTo(server, failure);
  if (!name) return nullptr;
  std::unique_ptr<Archive> archive(new Archive(server.address(), *name, true, ArchiveBackend::Department));
  QSqlDatabase db = archive->database();
  QString error;
  const std::optional<int> version = versionOn(db, &error);
  const int known = knownDepartmentSchemaVersion();
  // A database without the archive's table of versions holds no archive yet;
  // any other failure to read it (no rights, a lost connection) says its own cause.
  const bool none = version ? *version == 0 : error.contains(QLatin1String("\"archive_schema\" does not exist"));
  if (none) {
    *failure = {server.address(),
                QStringLiteral("It holds no archive yet.\n") +
                    departmentAdvice(QStringLiteral("archive_schema does not exist"), server.address()),
                true};
    return nullptr;
  }
  if (!version) {
    *failure = failureAt(server, error);
    return nullptr;
  }
  archive->receiving_ = *version == known;
  archive->schema_ = *version;
  if (*version > known)
    *failure = {server.address(),
                QStringLiteral("It was made by a newer version of the program (schema %1; this version knows %2). "
                               "It is read as far as this version can; nothing is sent to it.")
                    .arg(*version)
                    .arg(known),
                true, ArchiveFailure::Kind::ReadOnly};
  else if (*version < known)
    *failure = {server.address(),
                QStringLiteral("Its schema is older than this program's (schema %1; this version knows %2): nothing "
                               "is sent to it until it is brought up to date with kalyx5pc-cli archive init --shared %3.")
                    .arg(*version)
                    .arg(known)
                    .arg(server.address()),
                true, ArchiveFailure::Kind::ReadOnly};
  return archive;
}

std::optional<int> Archive::initDepartment(const DepartmentServer& server, ArchiveFailure* failure) {
  const std::optional<QString> name = connectTo(server, failure);
  if (!name) return std::nullopt;
  std::optional<int> result;
  {
    QSqlDatabase db = QSqlDatabase::database(*name, false);
    const int known = knownDepartmentSchemaVersion();
    QString error;
    const ServerDeadline checks(db, std::chrono::seconds(kStatementBoundSeconds));
    std::optional<int> version = versionOn(db, &error);
    QSqlQuery encoding(QStringLiteral("SELECT pg_encoding_to_char(encoding) FROM pg_database "
                                      "WHERE datname = current_database()"),
                       db);
    const QString texts = encoding.next() ? encoding.value(0).toString() : QString();
    if (checks.cut()) {
      *failure = failureAt(server, silentServer(kStatementBoundSeconds));
    } else if (texts != QLatin1String("UTF8")) {
      // Not every text an analyzer holds (a device I.D. with "€") could be kept in it.
      *failure = {server.address(),
                  QStringLiteral("Its database keeps texts in %1, not UTF8, so it could not hold every device I.D. "
                                 "an analyzer gives. Ask the department's database administrator to create the "
                                 "database with ENCODING 'UTF8' (as the README shows).")
                      .arg(texts.isEmpty() ? QStringLiteral("an encoding that cannot be read") : texts),
                  true};
    } else if (version && *version >= known) {  // up to date, or newer: never migrated down
      result = version;
    } else {
      // The version is read again under a lock: two programs setting up the
      // same server at once migrate it once.
      const bool migrated = inTransaction(
          db, ArchiveBackend::Department,
          [&](QSqlQuery& query) {
            const auto run = [&](const QString& statement) {
              if (query.exec(statement)) return true;
              error = serverMessage(query.lastError());
              return false;
            };
            // Only the owner writes the version: the rights a department gives
            // on new tables (to send records) never reach it.
            if (!run(QStringLiteral("CREATE TABLE IF NOT EXISTS archive_schema (version integer NOT NULL)")) ||
                !run(QStringLiteral("LOCK TABLE archive_schema IN EXCLUSIVE MODE")) ||
                !run(QStringLiteral("SELECT version FROM archive_schema")))
              return false;
            const int current = query.next() ? query.value(0).toInt() : -1;
            if (current < 0 && !run(QStringLiteral("INSERT INTO archive_schema (version) VALUES (0)"))) return false;
            const QStringList migrations = migrationFiles(ArchiveBackend::Department);
            for (int v = std::max(current, 0); v < known; ++v)
              for (const QString& statement : statementsOf(ArchiveBackend::Department, migrations[v]))
                if (!run(statement)) return false;
            version = std::max(current, known);
            return current >= known || run(QStringLiteral("UPDATE archive_schema SET version = %1").arg(known));
          },
          &error);
      if (migrated) result = version;
      else *failure = failureAt(server, error);
    }
  }
  disconnect(*name);
  return result;
}
