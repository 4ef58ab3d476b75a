#pragma once
#include <QString>
#include <optional>

class Archive;
class PdfPrinter;
class QTextStream;
class UserMessages;
struct DuePolicy;
struct Inventory;

// Which devices `archive due` lists: all with their status, those due within
// a number of days (the overdue ones too), or the overdue ones only.
struct DueRequest {
  std::optional<int> withinDays;
  bool overdueOnly = false;
  QString location;  // kept: the devices whose location holds it, in any letter case
  QString csvPath;  // where to write the rows as CSV instead of printing them
  QString pdfPath;  // where to print them as the worklist instead
  PdfPrinter* printer = nullptr;  // given when pdfPath is
};

// Prints the devices' due dates as tab-separated rows under a header, or
// writes them as CSV: device, type, location, last test, next due, status,
// near limit, forecast (dates YYYY-MM-DD, the forecast's month YYYY-MM); or
// prints them as the worklist for a round, as a PDF file.
int runArchiveDue(const Archive& archive, const DuePolicy& policy, const DueRequest& request, UserMessages& messages,
                  QTextStream& out);

// A department's inventory file, read whole; none, after saying why, when it
// cannot be read.
std::optional<Inventory> readInventory(const QString& file, UserMessages& messages);
// Keeps the inventory's devices in the archive's device details: how many
// devices were added and changed, and each line refused with its reason.
// Status 1 when a line was refused.
int runArchiveDevicesImport(Archive& archive, const Inventory& inventory, UserMessages& messages, QTextStream& out);
