#include "cli/duecommand.h"

#include "archive/archive.h"
#include "archive/devicedue.h"
#include "archive/deviceimport.h"
#include "cli/outputfolder.h"
#include "core/savefile.h"
#include "core/usermessages.h"
#include "maintenance/inventorycsv.h"

#include <QDir>
#include <QFile>

#include <QTextStream>

namespace {
const QStringList kColumns = {QStringLiteral("device"),    QStringLiteral("type"),     QStringLiteral("location"),
                              QStringLiteral("last test"), QStringLiteral("next due"), QStringLiteral("status"),
                              QStringLiteral("near limit"), QStringLiteral("forecast")};

QStringList rowOf(const DeviceDue& d) {
  const std::optional<QDate> forecast = d.firstForecast();
  return {d.device,
          d.type,
          d.location,
          d.lastTest.isValid() ? d.lastTest.toString(Qt::ISODate) : QString(),
          d.due.next.toString(Qt::ISODate),
          dueStatusText(d.due.status),
          d.nearLimit.isEmpty() ? QString() : QStringLiteral("near limit"),
          forecast ? forecast->toString(QStringLiteral("yyyy-MM")) : QString()};
}

// A field as a spreadsheet reads it back: quoted where it holds a separator,
// a quote or a line end, its quotes doubled.
QString csvField(const QString& field) {
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
      !field.contains(QLatin1Char('\r')))
    return field;
  return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool wanted(const DeviceDue& d, const DueRequest& request, const QDate& today) {
  if (!d.location.contains(request.location, Qt::CaseInsensitive)) return false;
  if (request.overdueOnly) return d.due.status == DueStatus::Overdue;
  if (request.withinDays) return d.due.next <= today.addDays(*request.withinDays);
  return true;
}
}  // namespace

int runArchiveDue(const Archive& archive, const DuePolicy& policy, const DueRequest& request, UserMessages& messages,
                  QTextStream& out) {
  const QDate today = QDate::currentDate();  // the computer's own calendar day
  ArchiveFailure failure;
  const std::optional<QList<DeviceDue>> devices = devicesDue(archive, policy, today, &failure);
  if (!devices) {
    messages.show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error);
    return 1;
  }
  QList<QStringList> rows{kColumns};
  for (const DeviceDue& d : *devices)
    if (wanted(d, request, today)) rows << rowOf(d);
  if (request.csvPath.isEmpty()) {
    for (const QStringList& row : rows) out << row.join(QLatin1Char('\t')) << '\n';
    return 0;
  }
  QString csv;
  for (const QStringList& row : rows) {
    QStringList fields;
    for (const QString& field : row) fields << csvField(field);
    csv += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  }
  if (!makeFolderOf(request.csvPath, messages)) return 1;
  if (const std::optional<SaveFailure> failed = saveWholeFile(request.csvPath, csv.toUtf8())) {
    messages.show(failed->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
    return 1;
  }
  return 0;
}

std::optional<Inventory> readInventory(const QString& file, UserMessages& messages) {
  QFile input(file);
  const bool read = input.open(QIODevice::ReadOnly);
  const QByteArray bytes = read ? input.readAll() : QByteArray();
  if (!read || input.error() != QFileDevice::NoError) {
    messages.show(QStringLiteral("The file %1 could not be read: %2.").arg(QDir::toNativeSeparators(file), input.errorString()),
                  QStringLiteral("Import Devices"), UserMessages::Icon::Error);
    return std::nullopt;
  }
  return parseInventoryCsv(bytes);
}

int runArchiveDevicesImport(Archive& archive, const Inventory& inventory, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  const std::optional<DeviceImport> kept = importInventory(archive, inventory, &failure);
  if (!kept) {
    messages.show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error);
    return 1;
  }
  out << "devices: " << kept->added << " added, " << kept->changed << " changed, " << inventory.refused.size()
      << " refused\n";
  for (const InventoryRefusal& r : inventory.refused) out << "line " << r.line << " refused: " << r.reason << '\n';
  return inventory.refused.isEmpty() ? 0 : 1;
}
