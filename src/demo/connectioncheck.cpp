#include "demo/connectioncheck.h"

#include "analyzer/recordkinds.h"
#include "analyzer/systeminfo.h"
#include "core/usermessages.h"
#include "demo/linkoptions.h"
#include "device/analyzerdriver.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"

#include <QSerialPortInfo>

namespace {
// Keeps the link's messages for the report instead of showing them.
class KeptMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString&, Icon, Buttons buttons) override {
    texts << text;
    return buttons == Buttons::Ok ? Result::Ok : Result::Yes;
  }
  QStringList texts;
};

#ifndef Q_OS_LINUX
// Where no kernel files describe the ports (Windows), the serial ports as Qt lists them.
QList<LinkFinding> listedPorts(const QString& explicitPort) {
  QList<LinkFinding> findings;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    findings << LinkFinding{LinkFinding::Kind::Fact,
                            QStringLiteral("Port %1: USB %2:%3, \"%4\", made by %5, serial number %6")
                                .arg(info.portName())
                                .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
                                .arg(info.description(), info.manufacturer(), info.serialNumber())};
  if (!explicitPort.isEmpty())
    findings << LinkFinding{LinkFinding::Kind::Fact, QStringLiteral("The port %1 was named, so it is used.").arg(explicitPort)};
  return findings;
}
#endif

LinkFinding askAnalyzer(AnalyzerDriver& driver) {
  KeptMessages messages;
  DeviceLink link{driver, messages};
  const auto failed = [&messages] {
    // The first message names the cause; on one line, as every finding is.
    const QString why =
        messages.texts.isEmpty() ? QStringLiteral("The analyzer did not answer.") : messages.texts.first().simplified();
    return LinkFinding{LinkFinding::Kind::Problem,
                       QStringLiteral("Asking the analyzer for its I.D.: %1 Check that it is switched on and shows its "
                                      "main menu, then try again.")
                           .arg(why)};
  };
  if (openDevice(link) != 0) return failed();
  HeadlessProgressHost host(messages);
  TransferProgress& progress =
      host.beginProgress(QStringLiteral("Downloading system information..."), 1, kTransferTimeoutMs);
  QByteArray block(kSystemInfoSize, '\0');
  const bool answered = getSystemInfo(link, block.data(), progress) == 0;
  closeDevice(link);
  if (!answered) return failed();
  const SystemInfo info(block);
  return {LinkFinding::Kind::Good,
          QStringLiteral("The analyzer answered: I.D. %1, %2 test reports, %3 wave records, %4 autosequences.")
              .arg(info.analyzerId())
              .arg(info.count(kTestReportRecords))
              .arg(info.count(kWaveRecords))
              .arg(info.count(kAutoSeqRecords))};
}
}  // namespace

QList<LinkFinding> checkConnection(const LinkOptions& options, AnalyzerDriver& driver, const SystemRoots& roots) {
  QList<LinkFinding> findings;
  if (options.demo) {
    findings << LinkFinding{LinkFinding::Kind::Fact,
                            QStringLiteral("The built-in simulator stands in for the analyzer (--demo): no port is used.")};
  } else {
#ifdef Q_OS_LINUX
    QString port;
    findings << diagnoseSystem(roots, options.port, QString::fromLatin1(analyzerDescription()), &port);
#else
    Q_UNUSED(roots);
    findings << listedPorts(options.port);
#endif
  }
  findings << askAnalyzer(driver);
  return findings;
}
