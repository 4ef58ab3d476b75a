#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// The department's database server that holds the shared archive, named by a
// URL: postgresql://[user@]host[:port]/database[?sslmode=...], or for a server
// on this computer reached through its socket postgresql:///database (the
// default socket folder) or postgresql:///database?host=/var/run/postgresql. The URL never
// holds a password: the login uses PostgreSQL's own means (the password file,
// PGPASSFILE, peer or Kerberos authentication, TLS by sslmode; the root
// certificate is PostgreSQL's own, ~/.postgresql/root.crt or PGSSLROOTCERT).
struct DepartmentServer {
  QString user;      // empty: PostgreSQL's default (PGUSER, or the login name)
  QString host;      // a name or address; a socket's folder (from "/"); empty: the default socket
  int port = 5432;
  QString database;
  QString sslMode;   // empty: PostgreSQL's default

  // The URL again, as the program shows and stores it.
  QString address() const;
  // The connection options for Qt's PostgreSQL driver: a server that does not
  // answer, or stops answering, is given up within seconds (the records wait).
  QString connectOptions() const;

  // The server a URL names; none, with `error` saying why, for a URL that is
  // not a PostgreSQL address, lacks a host or database, or holds a password or
  // any setting but sslmode. The error never repeats the URL (it may hold a password).
  static std::optional<DepartmentServer> parse(const QString& url, QString* error);
};

// Takes --shared URL (also --shared=URL) out of the arguments; false, with
// `error` set, when it names no URL.
bool takeSharedOption(QStringList* arguments, QString* url, QString* error);

// The lines the programs' --help shows for the option.
QString sharedOptionHelp();

// What a user can do about a failure to reach or use the department's archive,
// from the server's own message: a sentence to put after it.
QString departmentAdvice(const QString& serverMessage, const QString& address);

// Who sends records to the department's archive: the account's name as the
// system knows it (the environment only where the system tells none) and the
// computer's name.
struct Sender {
  QString user;
  QString computer;
  static Sender current();
};
