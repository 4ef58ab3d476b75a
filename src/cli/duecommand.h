#pragma once
#include <QString>
#include <optional>

class Archive;
class QTextStream;
class UserMessages;
struct DuePolicy;

// Which devices `archive due` lists: all with their status, those due within
// a number of days (the overdue ones too), or the overdue ones only.
struct DueRequest {
  std::optional<int> withinDays;
  bool overdueOnly = false;
  QString location;  // kept: the devices whose location holds it, in any letter case
  QString csvPath;  // where to write the rows as CSV instead of printing them
};

// Prints the devices' due dates as tab-separated rows under a header, or
// writes them as CSV: device, type, location, last test, next due, status,
// near limit, forecast (dates YYYY-MM-DD, the forecast's month YYYY-MM).
int runArchiveDue(const Archive& archive, const DuePolicy& policy, const DueRequest& request, UserMessages& messages,
                  QTextStream& out);

// Reads a department's inventory file into the archive's device details: how
// many devices were added and changed, and each line refused with its reason.
// Nothing changes when the file cannot be read. Status 1 when a line was refused.
int runArchiveDevicesImport(Archive& archive, const QString& file, UserMessages& messages, QTextStream& out);
