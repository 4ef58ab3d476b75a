// The queue of changes to device details that wait for the department's
// archive, and the department's archive taking what a computer sends: every
// change is kept there with who made it, and a device's details are its latest.

#include "archive/archive.h"
#include "archive/archivedialect.h"
#include "archive/departmentserver.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace archivesql;

namespace {
QVariant intervalValue(const std::optional<int>& months) {
  return months ? QVariant(*months) : QVariant(QMetaType::fromType<int>());
}

// Deletes or updates the queue's entries one by one, in one transaction.
bool eachEntry(QSqlDatabase& db, const QString& statement, const QVariantList& before, const QList<qint64>& entries,
               QString* error) {
  return inTransaction(
      db, ArchiveBackend::Local,
      [&](QSqlQuery& query) {
        query.prepare(statement);
        for (qint64 entry : entries) {
          for (const QVariant& value : before) query.addBindValue(value);
          query.addBindValue(entry);
          if (!query.exec()) return false;
        }
        return true;
      },
      error);
}
}  // namespace

QList<Archive::DetailChange> Archive::queuedDetails(int limit, ArchiveFailure* failure) const {
  QSqlQuery query(database());
  query.setForwardOnly(true);
  query.prepare(QStringLiteral("SELECT entry, change_id, changed, device, location, interval_months, note "
                               "FROM detail_outbox WHERE refused IS NULL ORDER BY entry LIMIT ?"));
  query.addBindValue(limit);
  QList<DetailChange> found;
  if (!query.exec()) {
    *failure = failed(errorOf(query));
    return found;
  }
  while (query.next())
    found.append({query.value(0).toLongLong(), query.value(1).toString(),
                  QDateTime::fromString(query.value(2).toString(), Qt::ISODateWithMs),
                  {query.value(3).toString(), query.value(4).toString(),
                   query.value(5).isNull() ? std::nullopt : std::optional(query.value(5).toInt()),
                   query.value(6).toString()}});
  if (!readWhole(query, failure)) found.clear();
  return found;
}

std::optional<int> Archive::queuedDetailCount(ArchiveFailure* failure) const {
  QSqlQuery query(database());
  if (!query.exec(QStringLiteral("SELECT count(*) FROM detail_outbox WHERE refused IS NULL")) || !query.next()) {
    *failure = failed(errorOf(query));
    return std::nullopt;
  }
  return query.value(0).toInt();
}

bool Archive::unqueueDetails(const QList<qint64>& entries, ArchiveFailure* failure) {
  QSqlDatabase db = database();
  QString error;
  if (eachEntry(db, QStringLiteral("DELETE FROM detail_outbox WHERE entry = ?"), {}, entries, &error)) return true;
  *failure = failed(error);
  return false;
}

bool Archive::setDetailAside(qint64 entry, const QString& reason, ArchiveFailure* failure) {
  QSqlDatabase db = database();
  QString error;
  if (eachEntry(db, QStringLiteral("UPDATE detail_outbox SET refused = ? WHERE entry = ?"),
                {reason.isEmpty() ? QStringLiteral("refused") : reason}, {entry}, &error))
    return true;
  *failure = failed(error);
  return false;
}

QList<Archive::SetAside> Archive::setAsideDetails(ArchiveFailure* failure) const {
  return setAsideIn(QStringLiteral("SELECT entry, device, refused FROM detail_outbox WHERE refused IS NOT NULL "
                                   "ORDER BY entry"),
                    failure);
}

std::optional<Archive::Stored> Archive::receiveDetails(const QList<DetailChange>& changes, const Sender& sender,
                                                       ArchiveFailure* failure) {
  if (!canReceive(failure)) return std::nullopt;
  QSqlQuery insert(database());  // outlives the transaction, as a failed statement must
  return receiveInOneTransaction(
      QStringLiteral("changes"),
      [&](Stored& stored, QSqlError& error) {
        insert.prepare(QStringLiteral(
            "INSERT INTO device_detail_change (change_id, device, location, interval_months, note, changed, "
            "changed_by, changed_from) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (change_id) DO NOTHING"));
        for (const DetailChange& c : changes) {
          for (const QVariant& value :
               {QVariant(textValue(c.changeId)), QVariant(textValue(c.detail.device)),
                QVariant(textValue(c.detail.location)), intervalValue(c.detail.intervalMonths),
                QVariant(textValue(c.detail.note)), QVariant(c.changed.toUTC().toString(Qt::ISODateWithMs)),
                QVariant(textValue(sender.user)), QVariant(textValue(sender.computer))})
            insert.addBindValue(value);
          if (!insert.exec()) return error = insert.lastError(), false;
          ++(insert.numRowsAffected() > 0 ? stored.added : stored.known);
        }
        return true;
      },
      failure);
}
