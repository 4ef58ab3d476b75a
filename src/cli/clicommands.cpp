#include "cli/clicommands.h"

#include "analyzer/systeminfo.h"
#include "cli/outputfolder.h"
#include "cli/pdfprinter.h"
#include "core/usermessages.h"
#include "demo/connectioncheck.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "testreport/reportexport.h"
#include "testreport/reportrender.h"
#include "testreport/testrecord.h"

#include <QTextStream>

int runInfoCommand(DeviceLink& link, QTextStream& out) {
  if (openDevice(link) != 0) return 1;
  HeadlessProgressHost host(link.messages);
  TransferProgress& progress = host.beginProgress(QStringLiteral("Downloading system information..."), 1,
                                                  kTransferTimeoutMs);
  QByteArray block(kSystemInfoSize, '\0');
  if (getSystemInfo(link, block.data(), progress) != 0) return 1;
  closeDevice(link);
  const SystemInfo info(block);
  out << "Analyzer I.D.: " << info.analyzerId() << '\n'
      << "Test reports: " << info.count(kTestReportRecords) << '\n'
      << "Wave records: " << info.count(kWaveRecords) << '\n'
      << "Autosequences: " << info.count(kAutoSeqRecords) << '\n';
  return 0;
}

int runDiagnoseCommand(const LinkOptions& options, AnalyzerDriver& driver, QTextStream& out) {
  int problems = 0;
  for (const LinkFinding& finding : checkConnection(options, driver)) {
    out << findingLine(finding) << '\n';
    problems += finding.kind == LinkFinding::Kind::Problem;
  }
  return problems == 0 ? 0 : 1;
}

namespace {
// Writes what Save To Text, Save To CSV, Save To MUP and Print to a PDF file
// write, stopping at the first file that fails.
int writeExports(const QList<ShownReport>& shown, const ReportsRequest& request, UserMessages& messages) {
  const auto failed = [&messages](const std::optional<SaveFailure>& failure) {
    if (failure) messages.show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
    return failure.has_value();
  };
  if (!request.textFolder.isEmpty() &&
      (!makeOutputFolder(request.textFolder, messages) || failed(saveTextFiles(shown, request.textFolder))))
    return 1;
  // Every file named goes into its folder, made where it is not there yet.
  for (const QString& file : {request.csvFile, request.mupFile, request.pdfFile})
    if (!makeFolderOf(file, messages)) return 1;
  if (!request.csvFile.isEmpty() && failed(saveCsv(shown, request.csvFile))) return 1;
  if (!request.mupFile.isEmpty() && failed(saveMup(shown, request.mupFile))) return 1;
  if (!request.pdfFile.isEmpty()) {
    QList<QStringList> documents;
    for (const ShownReport& report : shown) documents.append(report.lines);
    if (failed(request.printer->printLines(request.pdfFile, documents))) return 1;
  }
  return 0;
}
}  // namespace

int runReportsCommand(DeviceLink& link, const ReportsRequest& request, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  SystemInfo systemInfo;
  QList<TTestRec> records;
  const bool ok = runDownload(link, host, kTestReportRecords, swapTestRec,
                              [&](const SystemInfo& info, const QList<QByteArray>& blocks) {
                                systemInfo = info;
                                for (const QByteArray& block : blocks) records.append(testRecFromBytes(block.constData()));
                              });
  if (!ok) return 1;
  QList<ShownReport> shown;
  for (int i = 0; i < records.size(); ++i) shown.append({records[i], i, renderTestReport(records[i], i, systemInfo.analyzerId())});
  return printOrExportReports(shown, request, link.messages, out);
}

int printOrExportReports(const QList<ShownReport>& shown, const ReportsRequest& request, UserMessages& messages,
                         QTextStream& out) {
  if (!request.anyExport()) {
    for (const ShownReport& report : shown)
      for (const QString& line : report.lines) out << line << '\n';
    return 0;
  }
  return writeExports(shown, request, messages);
}
