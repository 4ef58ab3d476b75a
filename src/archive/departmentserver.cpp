#include "archive/departmentserver.h"

#include <QSysInfo>
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
  url.setHost(host);
  if (port != 5432) url.setPort(port);
  url.setPath(QLatin1Char('/') + database);
  QUrlQuery query;
  if (!sslMode.isEmpty()) query.addQueryItem(QStringLiteral("sslmode"), sslMode);
  if (!sslRootCert.isEmpty()) query.addQueryItem(QStringLiteral("sslrootcert"), sslRootCert);
  url.setQuery(query);
  return url.toString();
}

QString DepartmentServer::connectOptions() const {
  // A server that does not answer is given up after a few seconds: the records wait.
  QStringList options = {QStringLiteral("connect_timeout=5"), QStringLiteral("application_name=kalyx5pc")};
  if (!sslMode.isEmpty()) options << QStringLiteral("sslmode=") + sslMode;
  if (!sslRootCert.isEmpty()) options << QStringLiteral("sslrootcert=") + sslRootCert;
  return options.join(QLatin1Char(';'));
}

std::optional<DepartmentServer> DepartmentServer::parse(const QString& text, QString* error) {
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme();
  if (!url.isValid() || (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))) {
    *error = QStringLiteral("%1 is not the address of a department's archive: it must read "
                            "postgresql://[user@]host[:port]/database[?sslmode=...]")
                 .arg(text);
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
  if (server.host.isEmpty() || server.database.isEmpty() || server.database.contains(QLatin1Char('/'))) {
    *error = QStringLiteral("%1 names no server or no database: it must read "
                            "postgresql://[user@]host[:port]/database")
                 .arg(text);
    return std::nullopt;
  }
  for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
    if (key == QLatin1String("sslmode") && kSslModes.contains(value)) {
      server.sslMode = value;
    } else if (key == QLatin1String("sslrootcert") && !value.isEmpty()) {
      server.sslRootCert = value;
    } else {
      *error = QStringLiteral("%1: the address may say only sslmode (%2) and sslrootcert, not %3=%4")
                   .arg(text, kSslModes.join(QStringLiteral(", ")), key, value);
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
  if (says("password authentication failed") || says("no password supplied") || says("authentication failed") ||
      says("no pg_hba.conf entry"))
    return QStringLiteral("Check your login in the address and your PostgreSQL password file (~/.pgpass, or "
                          "PGPASSFILE), or ask the department's database administrator for a login.");
  if (says("database") && says("does not exist"))
    return QStringLiteral("Check the database's name in the address, or ask the department's database "
                          "administrator to create it.");
  if (says("permission denied for schema"))
    return QStringLiteral("Setting the archive up needs the role that owns it (kalyx5pc_owner): ask the "
                          "department's database administrator.");
  if (says("permission denied"))
    return QStringLiteral("Your login may only read the department's archive: ask the department's database "
                          "administrator for the role that sends records (kalyx5pc_send).");
  if (says("SSL") || says("certificate"))
    return QStringLiteral("The server and the address do not agree on a secure (TLS) connection: check sslmode "
                          "in the address with the department's database administrator.");
  if (says("archive_schema") && says("does not exist"))
    return QStringLiteral("The department's archive is not set up on this database: run "
                          "kalyx5pc-cli archive init --shared %1 with a login that may create tables.")
        .arg(address);
  return QStringLiteral("Check the server's name and port in the address, and that this computer is on the "
                        "department's network.");
}

Sender Sender::current() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");  // Windows
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  return {user, QSysInfo::machineHostName()};
}
