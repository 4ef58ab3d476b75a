// Any file a user may give as a department's inventory: every line is taken
// or refused, a row taken holds a device I.D. and an interval in range, and
// nothing is read outside the bytes.
#include "maintenance/inventorycsv.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Inventory inventory = parseInventoryCsv(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  for (const InventoryRow& row : inventory.rows) {
    if (row.device.isEmpty() || row.line < 1) std::abort();
    if (row.intervalMonths && (*row.intervalMonths < 1 || *row.intervalMonths > kInventoryMaxMonths)) std::abort();
  }
  for (const InventoryRefusal& refusal : inventory.refused)
    if (refusal.reason.isEmpty() || refusal.line < 1) std::abort();
  return 0;
}
