#include "archive/archivedialect.h"

#include "archive/archivekind.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace archivesql {
namespace {
QString migrationFolder(ArchiveBackend backend) {
  return backend == ArchiveBackend::Local ? QStringLiteral(":/archive/migrations")
                                          : QStringLiteral(":/archive/migrations/postgresql");
}
}  // namespace

QStringList migrationFiles(ArchiveBackend backend) {
  return QDir(migrationFolder(backend)).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
}

QStringList statementsOf(ArchiveBackend backend, const QString& file) {
  QFile f(migrationFolder(backend) + QLatin1Char('/') + file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList statements;
  QString statement;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    const qsizetype comment = line.indexOf(QStringLiteral("--"));
    const QString code = (comment < 0 ? line : line.left(comment)).trimmed();
    if (code.isEmpty()) continue;
    statement += code + QLatin1Char('\n');
    // Inside a $$-quoted function body a ';' ends the body's own statements.
    const bool inBody = statement.count(QStringLiteral("$$")) % 2 == 1;
    if (!inBody && code.endsWith(QLatin1Char(';'))) {
      statement.chop(2);  // the ';' and the line end
      statements << statement;
      statement.clear();
    }
  }
  if (!statement.trimmed().isEmpty()) statements << statement.trimmed();
  return statements;
}

bool refusedForContent(const QSqlError& error) {
  const QString state = error.nativeErrorCode();
  return state.startsWith(QLatin1String("22")) || state.startsWith(QLatin1String("23"));
}

QString errorOf(const QSqlQuery& query) { return query.lastError().text(); }

QString serverMessage(const QSqlError& error) {
  // The server's own words (databaseText), else the driver's, without their
  // prefixes ("FATAL:  ", "ERROR:  ", "QPSQL: ") and on one line.
  QString text = error.databaseText().trimmed();
  if (text.isEmpty()) text = error.driverText().trimmed();
  QStringList lines;
  // libpq puts where it connected before the server's words: "connection to
  // server at "db", port 5432 failed: FATAL:  ...".
  static const QRegularExpression kWhere(QStringLiteral("connection to server (at|on socket) .*? failed: *"));
  static const QRegularExpression kSeverity(QStringLiteral("\\b(ERROR|FATAL|QPSQL): *"));
  for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    line.remove(kWhere).remove(kSeverity);
    line = line.trimmed();
    if (line.startsWith(QLatin1String("LINE ")) || line.startsWith(QLatin1Char('^')) || line.isEmpty()) continue;
    lines << line;
  }
  if (lines.isEmpty()) return error.text().trimmed();
  // Qt's words for a query it could not send mean the connection is gone.
  if (lines.size() == 1 && lines.first().startsWith(QLatin1String("Unable to ")))
    return QStringLiteral("no connection to the server");
  return lines.join(QLatin1Char(' '));
}

QString recordColumns() {
  return QStringLiteral("record.id, kind, analyzer, downloaded, bytes, device, tested, title, verdict, number");
}

std::optional<ArchivedRecord> recordAt(const QSqlQuery& query) {
  const int kind = query.value(1).toInt();
  if (archiveRecordSize(ArchiveKind(kind)) == 0) return std::nullopt;
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
  return r;
}

QString testedText(const QDateTime& tested) { return tested.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")); }

// Read by position: a history reads thousands of them. The analyzer's
// wall-clock time of no zone, kept as UTC so that no clock change of this
// computer moves it.
QDateTime testedAt(const QString& text) {
  if (text.size() != 19) return {};
  const auto number = [&text](int at, int length) { return QStringView(text).mid(at, length).toInt(); };
  return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)), QTime(number(11, 2), number(14, 2), number(17, 2)),
                   Qt::UTC);
}

QString textValue(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

bool inTransaction(QSqlDatabase& db, ArchiveBackend backend, const std::function<bool(QSqlQuery&)>& work,
                   QString* error) {
  QSqlQuery query(db);
  if (!query.exec(backend == ArchiveBackend::Local ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"))) {
    *error = errorOf(query);
    return false;
  }
  error->clear();
  if (work(query) && query.exec(QStringLiteral("COMMIT"))) return true;
  if (error->isEmpty()) *error = errorOf(query);  // the work's own cause comes first
  query.exec(QStringLiteral("ROLLBACK"));
  return false;
}

QString deviceContains(ArchiveBackend backend, bool folded) {
  if (folded) return QStringLiteral("device_folded LIKE ? ESCAPE '\\'");
  // A department's archive set up before the folded column: PostgreSQL's ILIKE.
  return backend == ArchiveBackend::Local ? QStringLiteral("device LIKE ? ESCAPE '\\'")
                                          : QStringLiteral("device ILIKE ? ESCAPE '\\'");
}

QString containing(QString text, bool folded) {
  if (folded) text = foldedText(text);
  text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
      .replace(QLatin1Char('%'), QStringLiteral("\\%"))
      .replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + text + QLatin1Char('%');
}

QString foldedText(const QString& text) { return text.toCaseFolded(); }

QString devicesQuery(ArchiveBackend backend, const QString& condition, const QString& order, bool withListed) {
  const QString where = condition.isEmpty() ? QString() : QStringLiteral(" AND ") + condition;
  if (backend == ArchiveBackend::Local) {
    // One row a device, of whatever kind its records are, read in device order
    // from the index that leads with the device (the + keeps SQLite from
    // choosing the one that leads with the kind): sorted by device, the first
    // rows come before the last device is read. The latest test report (else
    // the latest waveform) gives the last test: reports sort above waveforms
    // by their leading 1. SQLite takes the bare columns of an aggregate query
    // from the row that gave the max().
    // The devices the user listed and never tested follow, merged into the
    // same order (each side comes in it: SQLite merges, it does not sort).
    return QStringLiteral(
               "SELECT device, CASE WHEN kind = 1 THEN dut_type END AS dut_type, sum(kind = 1) AS tests, "
               "nullif(substr(max((kind = 1) || coalesce(tested, '')), 2), '') AS last, "
               "CASE WHEN kind = 1 THEN verdict END AS verdict FROM record "
               "WHERE +kind IN (1, 2, 3)%1 GROUP BY device %2ORDER BY %3")
        .arg(where,
             withListed ? QStringLiteral("UNION ALL SELECT device, NULL, 0, NULL, NULL FROM device_detail AS listed "
                                         "WHERE NOT EXISTS (SELECT 1 FROM record WHERE record.device = listed.device "
                                         "AND +record.kind IN (1, 2, 3))%1 ")
                                  .arg(where)
                        : QString(),
             order);
  }
  return QStringLiteral("SELECT device, dut_type, tests, last, verdict FROM ("
                        "SELECT DISTINCT ON (device) device, CASE WHEN kind = 1 THEN dut_type END AS dut_type, "
                        "count(*) FILTER (WHERE kind = 1) OVER (PARTITION BY device) AS tests, tested AS last, "
                        "CASE WHEN kind = 1 THEN verdict END AS verdict FROM record WHERE kind IN (1, 2, 3)%1 "
                        "ORDER BY device, (kind = 1) DESC, tested DESC NULLS LAST) AS latest ORDER BY %2")
      .arg(where, order);
}

}  // namespace archivesql
