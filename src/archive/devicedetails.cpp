// What the user keeps about each device: its location, test interval and note.
#include "archive/archive.h"
#include "archive/archivedialect.h"

#include "archive/serverdeadline.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

using namespace archivesql;

std::optional<QList<Archive::DeviceDetail>> Archive::deviceDetails(ArchiveFailure* failure) const {
  // An archive from before device details (opened for reading only, never
  // migrated) has none; the department's keeps them from its schema 4.
  if (backend_ == ArchiveBackend::Department ? schema_ < 4 : schemaVersion() < 5) return QList<DeviceDetail>();
  std::optional<QList<DeviceDetail>> result = readAgainIfLost(failure, [&]() -> std::optional<QList<DeviceDetail>> {
    if (!reconnectIfLost(failure)) return std::nullopt;
    const std::unique_ptr<ServerDeadline> bound = watch(readBound_);
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT device, location, interval_months, note FROM device_detail ORDER BY device"))) {
      *failure = queryFailed(query);
      saidOfCut(bound.get(), failure);
      return std::nullopt;
    }
    QList<DeviceDetail> details;
    while (query.next())
      details.append({query.value(0).toString(), query.value(1).toString(),
                      query.value(2).isNull() ? std::nullopt : std::optional(query.value(2).toInt()),
                      query.value(3).toString()});
    if (!readWhole(query, failure)) {
      saidOfCut(bound.get(), failure);
      return std::nullopt;
    }
    return details;
  });
  return result;
}

std::optional<Archive::DetailsKept> Archive::keepDeviceDetails(const QList<DeviceDetail>& details,
                                                               ArchiveFailure* failure,
                                                               const QList<DeviceDetail>* editedFrom) {
  if (readOnly_ || backend_ == ArchiveBackend::Department) {
    *failure = failed(QStringLiteral("It is open for reading only."));
    return std::nullopt;
  }
  QSqlDatabase db = database();
  DetailsKept kept;
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery&) {
        QSqlQuery old(db), keep(db), queue(db);
        old.prepare(QStringLiteral("SELECT location, interval_months, note FROM device_detail WHERE device = ?"));
        keep.prepare(QStringLiteral("INSERT OR REPLACE INTO device_detail (device, location, interval_months, note, "
                                    "device_folded) VALUES (?, ?, ?, ?, ?)"));
        // Each change waits for the department's archive, as the user made it.
        queue.prepare(QStringLiteral("INSERT INTO detail_outbox (change_id, device, location, interval_months, note, "
                                     "changed) VALUES (?, ?, ?, ?, ?, ?)"));
        const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
        for (qsizetype i = 0; i < details.size(); ++i) {
          DeviceDetail d = details[i];
          old.addBindValue(d.device);
          if (!old.exec()) return error = errorOf(old), false;
          const bool known = old.next();
          const DeviceDetail current{d.device, old.value(0).toString(),
                                     old.value(1).isNull() ? std::nullopt : std::optional(old.value(1).toInt()),
                                     old.value(2).toString()};
          old.finish();
          // Only what the user changed goes onto the details as they are now
          // (a colleague's change may have come back since the edit began).
          if (editedFrom && known && i < editedFrom->size()) {
            const DeviceDetail& from = (*editedFrom)[i];
            if (d.location == from.location) d.location = current.location;
            if (d.intervalMonths == from.intervalMonths) d.intervalMonths = current.intervalMonths;
            if (d.note == from.note) d.note = current.note;
          }
          const bool same = known && current.location == d.location && current.note == d.note &&
                            current.intervalMonths == d.intervalMonths;
          // As it was; or nothing at all of a device not listed (a dialog left blank).
          const bool blank = d.location.isEmpty() && !d.intervalMonths && d.note.isEmpty();
          if (same || (!known && blank)) continue;
          ++(known ? kept.changed : kept.added);
          const QVariant interval = d.intervalMonths ? QVariant(*d.intervalMonths) : QVariant(QMetaType::fromType<int>());
          for (const QVariant& value : {QVariant(d.device), QVariant(d.location), interval, QVariant(d.note),
                                        QVariant(textValue(foldedText(d.device)))})
            keep.addBindValue(value);
          if (!keep.exec()) return error = errorOf(keep), false;
          for (const QVariant& value : {QVariant(QUuid::createUuid().toString(QUuid::WithoutBraces)),
                                        QVariant(textValue(d.device)), QVariant(textValue(d.location)), interval,
                                        QVariant(textValue(d.note)), QVariant(now)})
            queue.addBindValue(value);
          if (!queue.exec()) return error = errorOf(queue), false;
        }
        return true;
      },
      &error);
  if (!done) {
    *failure = failed(error);
    return std::nullopt;
  }
  return kept;
}

std::optional<int> Archive::adoptDepartmentDetails(const QList<DeviceDetail>& details, ArchiveFailure* failure) {
  if (readOnly_ || backend_ == ArchiveBackend::Department) {
    *failure = failed(QStringLiteral("It is open for reading only."));
    return std::nullopt;
  }
  QSqlDatabase db = database();
  int adopted = 0;
  QString error;
  const bool done = inTransaction(
      db, backend_,
      [&](QSqlQuery&) {
        // Only of a device this computer knows by its details or its test
        // reports (a colleague's device, or one with waveforms only, is not
        // listed here as never tested), where it differs, and where no change
        // made here waits or was set aside.
        QSqlQuery adopt(db);
        adopt.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO device_detail (device, location, interval_months, note, device_folded) "
            "SELECT ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM detail_outbox WHERE device = ?) "
            "AND NOT EXISTS (SELECT 1 FROM device_detail WHERE device = ? AND location = ? "
            "AND interval_months IS ? AND note = ?) AND (EXISTS (SELECT 1 FROM device_detail WHERE device = ?) "
            "OR EXISTS (SELECT 1 FROM record WHERE kind = 1 AND device = ?))"));
        for (const DeviceDetail& d : details) {
          const QVariant device(textValue(d.device)), location(textValue(d.location)), note(textValue(d.note));
          const QVariant interval = d.intervalMonths ? QVariant(*d.intervalMonths) : QVariant(QMetaType::fromType<int>());
          for (const QVariant& value : {device, location, interval, note, QVariant(textValue(foldedText(d.device))),
                                        device, device, location, interval, note, device, device})
            adopt.addBindValue(value);
          if (!adopt.exec()) return error = errorOf(adopt), false;
          adopted += adopt.numRowsAffected() > 0;
        }
        return true;
      },
      &error);
  if (!done) {
    *failure = failed(error);
    return std::nullopt;
  }
  return adopted;
}
