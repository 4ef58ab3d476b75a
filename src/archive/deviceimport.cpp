#include "archive/deviceimport.h"

#include "archive/archive.h"

std::optional<DeviceImport> importInventory(Archive& archive, const Inventory& inventory, ArchiveFailure* failure) {
  QList<Archive::DeviceDetail> details;
  for (const InventoryRow& row : inventory.rows) details.append({row.device, row.location, row.intervalMonths, row.note});
  const std::optional<Archive::DetailsKept> kept = archive.keepDeviceDetails(details, failure);
  if (!kept) return std::nullopt;
  return DeviceImport{kept->added, kept->changed, inventory.refused};
}

QString importSummary(const DeviceImport& import, int shown) {
  const auto count = [](int n, const char* one, const char* many) {
    return n == 1 ? QStringLiteral("1 ") + QLatin1String(one) : QStringLiteral("%1 ").arg(n) + QLatin1String(many);
  };
  QStringList lines{count(import.added, "device added", "devices added") + QStringLiteral(", %1 changed, ").arg(import.changed) +
                    count(int(import.refused.size()), "line refused.", "lines refused.")};
  for (int i = 0; i < import.refused.size() && i < shown; ++i)
    lines << QStringLiteral("Line %1: %2").arg(import.refused[i].line).arg(import.refused[i].reason);
  if (import.refused.size() > shown) lines << QStringLiteral("... and %1 more.").arg(import.refused.size() - shown);
  return lines.join(QLatin1Char('\n'));
}
