#pragma once
#include "maintenance/inventorycsv.h"

#include <optional>

class Archive;
struct ArchiveFailure;

// What importing a department's inventory did: devices added and changed, and
// the lines refused (each with its reason).
struct DeviceImport {
  int added = 0;
  int changed = 0;
  QList<InventoryRefusal> refused;
};

// Keeps the details of every device the inventory lists, all or none; none,
// with `failure`, when the archive could not keep them.
std::optional<DeviceImport> importInventory(Archive& archive, const Inventory& inventory, ArchiveFailure* failure);

// "3 devices added, 1 changed, 2 lines refused." and a line for each refusal
// ("Line 4: ..."), the first `shown` of them.
QString importSummary(const DeviceImport& import, int shown);
