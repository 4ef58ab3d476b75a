#pragma once
#include <QStringList>

struct DeviceLink;
class QTextStream;

// The commands of kalyx5pc-cli. Each returns the process exit status:
// 0 on success, 1 when the transfer or a file failed (its message is on standard error).
int runInfoCommand(DeviceLink& link, QTextStream& out);

struct ReportsRequest {
  QString textFolder, csvFile, mupFile, pdfFile;
  bool anyExport() const { return !textFolder.isEmpty() || !csvFile.isEmpty() || !mupFile.isEmpty() || !pdfFile.isEmpty(); }
};
int runReportsCommand(DeviceLink& link, const ReportsRequest& request, QTextStream& out);
