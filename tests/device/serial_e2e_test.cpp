// End to end: the simulator served on a pseudo-terminal, the serial backend and
// the real transport, and the command-line program on the same terminal.
#include "headlessprogress.h"
#include "recordingmessages.h"
#include "serialdriver.h"
#include "testrecord.h"
#include "transfers.h"
#include "transport.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {
class SimulatorProcess {
 public:
  SimulatorProcess() {
    process_.start(QStringLiteral(KALYX_BINARY_DIR "/tools/kalyx5-simulator/kalyx5-simulator"), {});
    if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000))
      path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  }
  ~SimulatorProcess() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  const QString& path() const { return path_; }

 private:
  QProcess process_;
  QString path_;
};
}  // namespace

TEST(SerialEndToEnd, DownloadsTestReportsFromTheSimulatorOnAPseudoTerminal) {
  SimulatorProcess simulator;
  ASSERT_TRUE(simulator.path().startsWith("/dev/")) << simulator.path().toStdString();
  SerialDriver driver(simulator.path());
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  QList<QByteArray> records;
  QByteArray info;
  ASSERT_TRUE(runDownload(link, host, testReportDownload(swapTestRec),
                          [&](const QByteArray& i, const QList<QByteArray>& r) { info = i, records = r; }));
  EXPECT_EQ(info.mid(12, 8), "A1234567");
  ASSERT_EQ(records.size(), 12);
  EXPECT_EQ(deviceIdText(testRecFromBytes(records[2].constData())), "ICU-DEFIB-07");
  EXPECT_TRUE(messages.shown.isEmpty());

  // The same terminal serves a second transfer after the link was closed.
  ASSERT_TRUE(runDownload(link, host, testReportDownload(swapTestRec), [&](const QByteArray&, const QList<QByteArray>& r) {
    records = r;
  }));
  EXPECT_EQ(records.size(), 12);
}

TEST(SerialEndToEnd, CommandLineInfoOverThePort) {
  SimulatorProcess simulator;
  ASSERT_FALSE(simulator.path().isEmpty());
  QProcess cli;
  cli.start(QStringLiteral(KALYX_BINARY_DIR "/src/cli/kalyx5pc-cli"), {"--port", simulator.path(), "info"});
  ASSERT_TRUE(cli.waitForFinished(20000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  EXPECT_EQ(QString::fromLocal8Bit(cli.readAllStandardOutput()),
            "Analyzer I.D.: A1234567\nTest reports: 12\nWave records: 5\nAutosequences: 12\n");
}

TEST(SerialEndToEnd, APortThatDoesNotExistIsNotDetected) {
  SerialDriver driver(QStringLiteral("/dev/kalyx-no-such-port"));
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  EXPECT_EQ(openDevice(link), -1);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].caption, "Error");
}
