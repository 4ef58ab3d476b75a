#include "cli/duecommand.h"

#include "archive/archive.h"
#include "archive/devicedue.h"
#include "archive/deviceimport.h"
#include "archive/worklist.h"
#include "cli/pdfprinter.h"
#include "cli/outputfolder.h"
#include "core/savefile.h"
#include "core/usermessages.h"
#include "maintenance/inventorycsv.h"

#include <QDir>
#include <QFile>

#include <QTextStream>

namespace {
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
  QList<DeviceDue> listed;
  for (const DeviceDue& d : *devices)
    if (wanted(d, request, today)) listed << d;
  if (!request.pdfPath.isEmpty()) {
    // The worklist for a round: by location, a box to tick before each device.
    const QString period = request.withinDays ? worklistPeriod(*request.withinDays, today)
                           : request.overdueOnly ? QStringLiteral("overdue")
                                                 : QStringLiteral("of the archive, due or not");
    if (!makeFolderOf(request.pdfPath, messages)) return 1;
    const QStringList lines = worklistLines(worklistDevices(listed, std::nullopt, today), period, QDateTime::currentDateTime());
    if (const std::optional<SaveFailure> failed = request.printer->printWorklist(request.pdfPath, lines)) {
      messages.show(failed->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
      return 1;
    }
    return 0;
  }
  if (request.csvPath.isEmpty()) {
    out << dueColumns().join(QLatin1Char('\t')) << '\n';
    for (const DeviceDue& d : listed) out << dueRow(d).join(QLatin1Char('\t')) << '\n';
    return 0;
  }
  if (!makeFolderOf(request.csvPath, messages)) return 1;
  if (const std::optional<SaveFailure> failed = saveWholeFile(request.csvPath, dueCsv(listed))) {
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
