#include "clicommands.h"

#include "headlessprogress.h"
#include "reportrender.h"
#include "testrecord.h"
#include "transfers.h"
#include "transport.h"
#include "usermessages.h"

#include <QTextStream>

int runInfoCommand(DeviceLink& link, QTextStream& out) {
  if (openDevice(link) != 0) return 1;
  HeadlessProgressHost host(link.messages);
  TransferProgress& progress = host.beginProgress(QStringLiteral("Downloading system information..."), 1,
                                                  kTransferTimeoutMs);
  QByteArray info(kSystemInfoSize, '\0');
  if (getSystemInfo(link, info.data(), progress) != 0) return 1;
  closeDevice(link);
  const auto count = [&info](int byte) { return int(quint8(info[byte])); };
  out << "Analyzer I.D.: " << analyzerIdText(info) << '\n'
      << "Test reports: " << count(34) << '\n'
      << "Wave records: " << count(35) << '\n'
      << "Autosequences: " << count(36) << '\n';
  return 0;
}

int runReportsCommand(DeviceLink& link, const ReportsRequest& request, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  QByteArray systemInfo;
  QList<TTestRec> records;
  const bool ok = runDownload(link, host, testReportDownload(swapTestRec),
                              [&](const QByteArray& info, const QList<QByteArray>& blocks) {
                                systemInfo = info;
                                for (const QByteArray& block : blocks) records.append(testRecFromBytes(block.constData()));
                              });
  if (!ok) return 1;
  Q_UNUSED(request);
  for (int i = 0; i < records.size(); ++i)
    for (const QString& line : renderTestReport(records[i], i, &systemInfo)) out << line << '\n';
  return 0;
}
