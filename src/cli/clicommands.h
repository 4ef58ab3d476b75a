#pragma once
#include "testreport/reportexport.h"

#include <QStringList>

class AnalyzerDriver;
struct DeviceLink;
struct LinkOptions;
class QTextStream;
class UserMessages;

// The commands of kalyx5pc-cli. Each returns the process exit status:
// 0 on success, 1 when the transfer or a file failed (its message is on standard error).
int runInfoCommand(DeviceLink& link, QTextStream& out);
// Prints the connection check, one finding a line; non-zero when a problem was found.
int runDiagnoseCommand(const LinkOptions& options, AnalyzerDriver& driver, QTextStream& out);

class PdfPrinter;

struct ReportsRequest {
  QString textFolder, csvFile, mupFile, pdfFile;
  PdfPrinter* printer = nullptr;  // given when pdfFile is
  bool anyExport() const { return !textFolder.isEmpty() || !csvFile.isEmpty() || !mupFile.isEmpty() || !pdfFile.isEmpty(); }
};
int runReportsCommand(DeviceLink& link, const ReportsRequest& request, QTextStream& out);
// Prints the reports' text lines, or writes the exports the request asks for.
int printOrExportReports(const QList<ShownReport>& shown, const ReportsRequest& request, UserMessages& messages,
                         QTextStream& out);
