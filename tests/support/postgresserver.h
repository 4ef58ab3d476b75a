#pragma once
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <unistd.h>

// A real PostgreSQL server of the test's own: initdb into a temporary folder,
// started on a loopback port with its socket in that folder, stopped and
// removed at the end. Run by the user "postgres" when the tests run as root
// (the server refuses root). Its database "department" holds the roles that
// the department's administrator creates from packaging/department-archive.sql,
// and logins with passwords: kalyx5pc_owner, two senders (tech1, tech2) and a
// reader (viewer); their passwords are in the password file passFile().
class PostgresServer {
 public:
  PostgresServer() {
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (versions.isEmpty()) {
      error_ = QStringLiteral("no PostgreSQL server is installed in /usr/lib/postgresql (scripts/deps installs it)");
      return;
    }
    // PostgreSQL 15, Debian 12's; another installed version only where it is missing.
    bin_ = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.contains("15") ? "15" : versions.last());
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    if (getuid() == 0 && !run(QStringLiteral("/bin/chown"), {QStringLiteral("-R"), QStringLiteral("postgres"), dir_.path()}, false))
      return;
    if (!run(bin_ + QStringLiteral("initdb"),
             {"-D", data(), "-U", "k5admin", "-E", "UTF8", "--no-locale", "--no-sync", "--auth-local=trust",
              "--auth-host=scram-sha-256"}))
      return;
    for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
      port_ = 20000 + int(QRandomGenerator::global()->bounded(40000));
      running_ = start();
    }
    if (!running_) return;
    QFile roles(QStringLiteral(KALYX_TEST_DATA "/../../packaging/department-archive.sql"));
    if (!roles.open(QIODevice::ReadOnly)) {
      error_ = QStringLiteral("cannot read ") + roles.fileName();
      return;
    }
    ready_ = sql(QStringLiteral("CREATE DATABASE department"), QStringLiteral("postgres")) &&
             sql(QString::fromUtf8(roles.readAll())) &&
             sql(QStringLiteral("ALTER ROLE kalyx5pc_owner PASSWORD 'owner-pw';"
                                "CREATE ROLE tech1 LOGIN PASSWORD 'tech1-pw' IN ROLE kalyx5pc_send;"
                                "CREATE ROLE tech2 LOGIN PASSWORD 'tech2-pw' IN ROLE kalyx5pc_send;"
                                "CREATE ROLE viewer LOGIN PASSWORD 'viewer-pw' IN ROLE kalyx5pc_read;"));
    writePassFile({{"kalyx5pc_owner", "owner-pw"}, {"tech1", "tech1-pw"}, {"tech2", "tech2-pw"}, {"viewer", "viewer-pw"}});
  }
  ~PostgresServer() {
    if (running_) stop();
  }
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  bool ready() const { return ready_; }
  const QString& error() const { return error_; }
  int port() const { return port_; }
  QString url(const QString& role, const QString& query = {}) const {
    return QStringLiteral("postgresql://%1@127.0.0.1:%2/department%3").arg(role).arg(port_).arg(query);
  }
  QString passFile() const { return dir_.filePath(QStringLiteral("pgpass")); }
  // The folder of the server's socket, where the administrator "k5admin" logs in without a password.
  QString socketDir() const { return dir_.path(); }

  // Writes the password file with these logins and passwords (mode 0600, as libpq asks).
  void writePassFile(const QList<QPair<QString, QString>>& logins) const {
    QFile file(passFile());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const auto& [role, password] : logins)
      file.write(QStringLiteral("127.0.0.1:%1:*:%2:%3\n").arg(port_).arg(role, password).toUtf8());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    qputenv("PGPASSFILE", passFile().toLocal8Bit());
  }

  bool start() {
    running_ = run(bin_ + QStringLiteral("pg_ctl"),
                   {"-D", data(), "-l", dir_.filePath(QStringLiteral("server.log")), "-w", "-t", "30", "-o",
                    QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c ssl=off")
                        .arg(port_)
                        .arg(dir_.path()),
                    "start"});
    return running_;
  }
  // Stops the server as an administrator's fast shutdown does: clients are cut off.
  bool stop() {
    running_ = !run(bin_ + QStringLiteral("pg_ctl"), {"-D", data(), "-m", "fast", "-w", "stop"});
    return !running_;
  }

  // Stops every process of the server where it is, or lets them go on: a server
  // that holds its connections and answers nothing, as a stopped or cut-off one.
  bool pause(bool paused) {
    QFile pidFile(dir_.filePath(QStringLiteral("data/postmaster.pid")));
    if (!pidFile.open(QIODevice::ReadOnly)) return false;
    const QByteArray pid = pidFile.readLine().trimmed();
    const char* signal = paused ? "-STOP" : "-CONT";
    return run(QStringLiteral("/usr/bin/pkill"), {signal, "-P", QString::fromLatin1(pid)}, false) &&
           run(QStringLiteral("/bin/kill"), {signal, QString::fromLatin1(pid)}, false);
  }

  // Runs statements as the administrator in a database; its output in `out`.
  bool sql(const QString& statements, const QString& database = QStringLiteral("department"), QString* out = nullptr) {
    return run(bin_ + QStringLiteral("psql"),
               {"-h", dir_.path(), "-p", QString::number(port_), "-U", "k5admin", "-d", database, "-X", "-q", "-A",
                "-t", "-v", "ON_ERROR_STOP=1", "-c", statements},
               true, out);
  }
  // One number that a query gives; -1 when it fails.
  qint64 number(const QString& query) {
    QString out;
    return sql(query, QStringLiteral("department"), &out) ? out.trimmed().toLongLong() : -1;
  }

 private:
  QString data() const { return dir_.filePath(QStringLiteral("data")); }

  bool run(const QString& program, const QStringList& args, bool asServer = true, QString* out = nullptr) {
    QProcess p;
    // The server and its tools refuse to run as root.
    if (asServer && getuid() == 0)
      p.start(QStringLiteral("runuser"), QStringList{"-u", "postgres", "--", program} + args);
    else
      p.start(program, args);
    const bool ran = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    if (!ran)
      error_ = QStringLiteral("%1 %2 failed: %3%4")
                   .arg(program, args.join(' '), QString::fromUtf8(p.readAllStandardError()), p.errorString());
    return ran;
  }

  QTemporaryDir dir_;
  QString bin_;
  int port_ = 0;
  bool running_ = false;
  bool ready_ = false;
  QString error_;
};

// A server that cannot start fails the test: CI must run these tests (the
// test includes gtest).
#define KALYX_REQUIRE_POSTGRES(server) ASSERT_TRUE((server).ready()) << (server).error().toStdString()
