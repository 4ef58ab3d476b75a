#include "archive/departmentserver.h"

#include "archive/archivedialect.h"

#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {
const QStringList kSslModes = {QStringLiteral("disable"), QStringLiteral("allow"),       QStringLiteral("prefer"),
                               QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
}  // namespace

QString DepartmentServer::address() const {
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setUserName(user);
  const bool socket = host.startsWith(QLatin1Char('/'));
  if (!socket) url.setHost(host);
  if (port != 5432) url.setPort(port);
  url.setPath(QLatin1Char('/') + database);
  QUrlQuery query;
  if (socket) query.addQueryItem(QStringLiteral("host"), host);
  if (!sslMode.isEmpty()) query.addQueryItem(QStringLiteral("sslmode"), sslMode);
  url.setQuery(query);
  QString text = url.toString();
  // No server named: the local socket; the URL keeps its empty authority ("postgresql:///db").
  if (url.host().isEmpty() && !text.startsWith(QLatin1String("postgresql://")))
    text.replace(0, int(qstrlen("postgresql:")), QStringLiteral("postgresql://"));
  return text;
}

QString DepartmentServer::connectOptions() const {
  // Only fixed words and the checked sslmode go here: Qt passes these options to
  // PostgreSQL as they are, so nothing a user typed may reach them.
  QStringList options = {QStringLiteral("connect_timeout=%1").arg(archivesql::kConnectBoundSeconds),
                         QStringLiteral("application_name=kalyx5pc"),
                         QStringLiteral("keepalives=1"),      QStringLiteral("keepalives_idle=10"),
                         QStringLiteral("keepalives_interval=5"), QStringLiteral("keepalives_count=3"),
                         QStringLiteral("tcp_user_timeout=30000")};
  if (!sslMode.isEmpty()) options << QStringLiteral("sslmode=") + sslMode;
  return options.join(QLatin1Char(';'));
}

std::optional<DepartmentServer> DepartmentServer::parse(const QString& text, QString* error) {
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme();
  if (!url.isValid() || (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))) {
    *error = QStringLiteral("The address of the department's archive is not valid: it must read "
                            "postgresql://[user@]host[:port]/database[?sslmode=...], or "
                            "postgresql:///database for this computer's own server");
    return std::nullopt;
  }
  if (!url.password().isEmpty()) {
    *error = QStringLiteral("The address of the department's archive must not hold a password. Keep it in your "
                            "PostgreSQL password file (~/.pgpass, or the file PGPASSFILE names).");
    return std::nullopt;
  }
  DepartmentServer server;
  server.user = url.userName();
  server.host = url.host();
  server.port = url.port(5432);
  server.database = url.path().mid(1);
  // No host: the server on this computer, through its socket (PostgreSQL's
  // default folder, or the one the address names as ?host=/folder).
  if (server.database.isEmpty() || server.database.contains(QLatin1Char('/'))) {
    *error = QStringLiteral("%1 names no database: it must read "
                            "postgresql://[user@]host[:port]/database")
                 .arg(url.toString(QUrl::RemoveUserInfo));
    return std::nullopt;
  }
  for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
    static const QRegularExpression folder(QStringLiteral("^/[^\\s;='\"\\\\]*$"));
    if (key == QLatin1String("sslmode") && kSslModes.contains(value)) {
      server.sslMode = value;
    } else if (key == QLatin1String("host") && server.host.isEmpty() && folder.match(value).hasMatch()) {
      server.host = value;  // a socket's folder
    } else {
      *error = QStringLiteral("The address of the department's archive may set only sslmode (%1), not %2. "
                              "A root certificate is taken from ~/.postgresql/root.crt or PGSSLROOTCERT.")
                   .arg(kSslModes.join(QStringLiteral(", ")), key.left(40));
      return std::nullopt;
    }
  }
  return server;
}

bool takeSharedOption(QStringList* arguments, QString* url, QString* error) {
  QStringList rest;
  for (qsizetype i = 0; i < arguments->size(); ++i) {
    const QString& arg = (*arguments)[i];
    const bool separate = arg == QLatin1String("--shared");
    if (separate || arg.startsWith(QLatin1String("--shared="))) {
      *url = separate ? (i + 1 < arguments->size() ? (*arguments)[++i] : QString()) : arg.mid(9);
      if (url->isEmpty()) {
        *error = QStringLiteral("--shared needs the address of the department's archive");
        return false;
      }
    } else {
      rest.append(arg);
    }
  }
  *arguments = rest;
  return true;
}

QString sharedOptionHelp() {
  return QStringLiteral(
      "  --shared URL    the department's archive: postgresql://[user@]host[:port]/database\n"
      "                  [?sslmode=...]; by default the one in the settings ([Archive] SHARED)\n");
}

QString departmentAdvice(const QString& serverMessage, const QString& address) {
  const auto says = [&serverMessage](const char* text) { return serverMessage.contains(QLatin1String(text)); };
  if (says("did not answer within"))
    return QStringLiteral("Check that the server runs and that this computer is on the department's network; "
                          "the server may also be very busy. The records wait on this computer.");
  if (says("timeout expired"))
    return QStringLiteral("The server did not answer within %1 seconds: check that it runs, its name and port in "
                          "the address, and that this computer is on the department's network.")
        .arg(archivesql::kConnectBoundSeconds);
  if (says("root certificate file"))
    return QStringLiteral("The address asks the server to prove who it is (sslmode verify-ca or verify-full), and "
                          "this computer lacks the department's root certificate: get it from the department's "
                          "database administrator and put it in ~/.postgresql/root.crt (on Windows "
                          "%APPDATA%\\postgresql\\root.crt), or name it with PGSSLROOTCERT.");
  if (says("statement timeout"))
    return QStringLiteral("The server took too long over it (more than %1 seconds); it may be very busy. The "
                          "records wait on this computer; try again later.")
        .arg(archivesql::kStatementBoundSeconds);
  if (says("SSL SYSCALL") || says("SSL connection has been closed") || says("closed the connection unexpectedly") ||
      says("no connection to the server") || says("connection to the server was lost"))
    return QStringLiteral("The connection to the server was lost on the way (the network, or the server "
                          "restarting): it is opened again at the next use; the records wait on this computer.");
  if (says("SSL") || says("certificate") || says("encryption"))
    return QStringLiteral("The server and the address do not agree on a secure (TLS) connection: check sslmode "
                          "in the address with the department's database administrator.");
  if (says("password authentication failed") || says("no password supplied") || says("authentication failed") ||
      says("no pg_hba.conf entry"))
    return QStringLiteral("Check your login in the address and your PostgreSQL password file (~/.pgpass, or "
                          "PGPASSFILE), or ask the department's database administrator for a login.");
  if (says("is not permitted to log in") || (says("role") && says("does not exist")))
    return QStringLiteral("The server does not let this login in: check your login in the address, or ask the "
                          "department's database administrator for one.");
  if (says("database") && says("does not exist"))
    return QStringLiteral("Check the database's name in the address, or ask the department's database "
                          "administrator to create it.");
  if (says("permission denied for schema"))
    return QStringLiteral("Setting the archive up needs the role that owns it (kalyx5pc_owner): ask the "
                          "department's database administrator.");
  if (says("permission denied for table archive_schema"))
    return QStringLiteral("Your login has no rights on the department's archive: ask the department's database "
                          "administrator to make it a member of kalyx5pc_send (or kalyx5pc_read to read only).");
  if (says("permission denied for table record"))
    return QStringLiteral("Your login may only read the department's archive: ask the department's database "
                          "administrator for the role that sends records (kalyx5pc_send).");
  if (says("permission denied"))
    return QStringLiteral("Your login lacks a right on the department's archive: ask the department's database "
                          "administrator to make it a member of kalyx5pc_send.");
  if (says("archive_schema") && says("does not exist"))
    return QStringLiteral("The department's archive is not set up on this database: run "
                          "kalyx5pc-cli archive init --shared %1 with a login that may create tables.")
        .arg(address);
  return QStringLiteral("Check the server's name and port in the address, and that this computer is on the "
                        "department's network.");
}

namespace {
// The account this program runs as, from the system: cron and services set no USER.
QString systemAccountName() {
#ifdef Q_OS_WIN
  wchar_t name[257];
  DWORD size = 257;
  return GetUserNameW(name, &size) ? QString::fromWCharArray(name) : QString();
#else
  const passwd* account = getpwuid(geteuid());
  return account && account->pw_name ? QString::fromLocal8Bit(account->pw_name) : QString();
#endif
}
}  // namespace

Sender Sender::current() {
  QString user = systemAccountName();
  if (user.isEmpty()) user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");  // Windows
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  return {user, QSysInfo::machineHostName()};
}
