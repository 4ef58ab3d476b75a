#pragma once
#include "archive/archive.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// What differs between this computer's archive (SQLite) and the department's
// (PostgreSQL), kept in one place, and the helpers both use. Internal to the
// archive target.
namespace archivesql {

// The bounds on the department's server: a connection (PostgreSQL's
// connect_timeout), a statement (the server's statement_timeout), and, kept by
// this computer, a read or a batch of records sent, beyond which the link is
// cut (ServerDeadline).
constexpr int kConnectBoundSeconds = 5;
constexpr int kStatementBoundSeconds = 30;
constexpr std::chrono::seconds kReadBound{45};
constexpr std::chrono::seconds kBatchBound{60};

// The migration files of a backend, in the order they apply: the schema's
// version is the number of them applied.
QStringList migrationFiles(ArchiveBackend backend);
// The statements of a migration file, "--" comments taken out (the files hold
// no "--" inside a text). A statement ends with the line that ends in ';'
// outside a $$-quoted function body.
QStringList statementsOf(ArchiveBackend backend, const QString& file);

// Runs statements in one transaction (SQLite's immediate one, so that a writer
// waits for another program's write instead of failing half way); false with
// the error when any fails.
bool inTransaction(QSqlDatabase& db, ArchiveBackend backend, const std::function<bool(QSqlQuery&)>& work,
                   QString* error);

// A WHERE condition on a device I.D. holding a text in any letter case, with
// the pattern to bind for it (the text's own % and _ taken as they are):
// through the folded column where the archive has it.
QString deviceContains(ArchiveBackend backend, bool folded);
QString containing(QString text, bool folded);
// A text with its letter case folded, in every script, as the archive keeps
// the device I.D. for its filter.
QString foldedText(const QString& text);

// The device list's query, one row a device of any kind of record: device,
// dut_type, tests (its test reports), last, verdict of the latest test, in the
// order `order` gives ("last DESC, device"); `condition` (a deviceContains(),
// or empty) binds the pattern.
// With `withListed`, the devices the user listed and never tested too (an
// archive of schema 6 or later): the condition's value is then bound twice.
QString devicesQuery(ArchiveBackend backend, const QString& condition, const QString& order, bool withListed = false);

QString errorOf(const QSqlQuery& query);
// Whether the server refused the rows for what they hold (a text its
// database's encoding cannot hold, a fingerprint not of its bytes, a check of
// the archive's) rather than for the link, a login or a right: SQLSTATE classes
// 22 (data) and 23 (integrity).
bool refusedForContent(const QSqlError& error);
// The database's own words for a failure, on one line, without the driver's
// additions (PostgreSQL's "ERROR:" prefix, the statement's position, the code).
QString serverMessage(const QSqlError& error);

// The columns recordAt() reads, in its order.
QString recordColumns();
// The record on the query's row; none for a kind this program does not know,
// which is never read.
std::optional<ArchivedRecord> recordAt(const QSqlQuery& query);
// A test's date and time as the archive writes it ("yyyy-MM-ddTHH:mm:ss").
QString testedText(const QDateTime& tested);
QDateTime testedAt(const QString& text);
// A text column's value: an empty text, never NULL (which a null QString would bind as).
QString textValue(const QString& value);

}  // namespace archivesql
