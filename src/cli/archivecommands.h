#pragma once
#include "archive/archive.h"

#include <QString>

struct DepartmentServer;
class PdfPrinter;
class QTextStream;
class RecordKeeper;
class UserMessages;
struct DeviceLink;
struct ReportsRequest;

// The archive commands of kalyx5pc-cli. Each returns the process exit status:
// 0 on success, 1 when the archive, a transfer or a file failed (its message is
// on standard error).

// Downloads the test reports and wave records into the archive and says, per
// kind, how many were new: "test reports: N new, M already archived".
int runArchiveImport(DeviceLink& link, Archive& archive, QTextStream& out);
// The selected records, tab-separated under a header row: id, kind, analyzer,
// device, tested (ISO date and time), verdict, title.
int runArchiveList(const Archive& archive, const ArchiveFilter& filter, UserMessages& messages, QTextStream& out);
// The selected test reports written as the reports command writes them.
int runArchiveExport(const Archive& archive, const ArchiveFilter& filter, const ReportsRequest& request,
                     UserMessages& messages, QTextStream& out);
// One line per test entry of the device: date, test, target, measured, limit,
// verdict, and "near limit" where the value raised the device's mark.
int runArchiveHistory(const Archive& archive, const QString& device, UserMessages& messages, QTextStream& out);
// Sends the records that wait to the department's archive, those it refused
// before too: "sent to the department's archive: N new, M already there, W
// waiting", and a line for records it refused again (status 1).
int runArchiveSync(Archive& local, const DepartmentServer& server, UserMessages& messages, QTextStream& out);
// After an import, sends what waits to the department's archive named:
// "sent to the department's archive: ..."; a server that cannot be used is
// said on standard error and the records wait.
void sendAfterImport(Archive& local, const DepartmentServer& server, UserMessages& messages, QTextStream& out);
// Creates the department's archive on its server or brings its schema up to
// date; this computer's archive (at `localPath`) then sends what the server
// refused before again.
int runArchiveInit(const DepartmentServer& server, const QString& localPath, UserMessages& messages, QTextStream& out);
// Writes a backup of the archive at `path` into `target` (see backUpArchive),
// its progress on standard error: "the archive PATH is backed up in TARGET".
int runArchiveBackup(const QString& path, const QString& target, UserMessages& messages, QTextStream& out);
// The archive's integrity check and its record counts; 1 on damage.
int runArchiveCheck(const Archive& archive, UserMessages& messages, QTextStream& out);
