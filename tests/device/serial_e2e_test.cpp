// End to end: the simulator served on a pseudo-terminal, the serial backend and
// the real transport, and the command-line program on the same terminal.
#include "analyzer/systeminfo.h"
#include "device/headlessprogress.h"
#include "device/serialdriver.h"
#include "device/transferprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "simulator/simulatordriver.h"
#include "support/memorybuilders.h"
#include "support/recordingmessages.h"
#include "support/simulatorprocess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>


TEST(SerialEndToEnd, DownloadsTestReportsFromTheSimulatorOnAPseudoTerminal) {
  SimulatorProcess simulator;
  ASSERT_TRUE(simulator.path().startsWith("/dev/")) << simulator.path().toStdString();
  SerialDriver driver(simulator.path());
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  QList<QByteArray> records;
  QString analyzerId;
  const auto keep = [&](const SystemInfo& i, const QList<QByteArray>& r) { analyzerId = i.analyzerId(), records = r; };
  ASSERT_TRUE(runDownload(link, host, kTestReportRecords, nullptr, keep));
  EXPECT_EQ(analyzerId, "A1234567");
  ASSERT_EQ(records.size(), 12);
  EXPECT_EQ(records[2].left(13), QByteArray("ICU-DEFIB-07\0", 13));  // the device I.D. the record begins with
  EXPECT_TRUE(messages.shown.isEmpty());

  // The same terminal serves a second transfer after the link was closed.
  records.clear();
  ASSERT_TRUE(runDownload(link, host, kTestReportRecords, nullptr, keep));
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

namespace {
// Downloads three test reports with a time-out of 1.5 s, while `breakLink` makes
// the receive-queue query fail after the first block has begun.
void expectAFailedQueueQueryEndsInTheTimeOut(AnalyzerDriver& driver, const std::function<void()>& breakLink) {
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  bool delivered = false;
  QTimer::singleShot(300, breakLink);
  EXPECT_FALSE(runDownload(
      link, host, kTestReportRecords, nullptr, [&](const SystemInfo&, const QList<QByteArray>&) { delivered = true; },
      1500));
  EXPECT_FALSE(delivered);
  ASSERT_EQ(messages.shown.size(), 1);  // no read error: the wait ends in the time-out
  EXPECT_EQ(messages.shown[0].text, timeoutMessageText());
  EXPECT_EQ(messages.shown[0].caption, "Communications time out");
}
}  // namespace

TEST(QueueStatusFailure, MeansNothingQueuedOnTheSimulator) {
  AnalyzerMemory memory = memoryWithRecords(0, 3, 0);
  SimulatorDriver driver(memory);
  driver.engine().setBlockDelay(200);
  expectAFailedQueueQueryEndsInTheTimeOut(driver, [&driver] { driver.queueStatusError = driverstatus::IoError; });
}

TEST(QueueStatusFailure, MeansNothingQueuedOnASerialPortWhoseAnalyzerWentAway) {
  SimulatorProcess simulator({"--block-delay", "200"});
  ASSERT_TRUE(simulator.path().startsWith("/dev/")) << simulator.path().toStdString();
  SerialDriver driver(simulator.path());
  expectAFailedQueueQueryEndsInTheTimeOut(driver, [&simulator] { simulator.kill(); });
}

namespace {
// Counts the timer events the whole application receives.
class TimerEventCount : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer) ++count;
    return false;
  }
};
}  // namespace

TEST(SerialEndToEnd, AWaitingTransferSleepsUntilBytesArriveInsteadOfWakingEveryMillisecond) {
  // Twelve reports, each 20 ms after the last: about a quarter of a second of waiting.
  SimulatorProcess simulator({QStringLiteral("--block-delay"), QStringLiteral("20")});
  ASSERT_FALSE(simulator.path().isEmpty());
  SerialDriver driver(simulator.path());
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  TimerEventCount timers;
  QCoreApplication::instance()->installEventFilter(&timers);
  int records = 0;
  const bool ok = runDownload(link, host, kTestReportRecords, nullptr,
                              [&records](const SystemInfo&, const QList<QByteArray>& r) { records = int(r.size()); });
  QCoreApplication::instance()->removeEventFilter(&timers);
  ASSERT_TRUE(ok);
  EXPECT_EQ(records, 12);
  // The port's own notifier wakes the wait; no timer needs to (a 1 ms one fired over 200 times here).
  EXPECT_LT(timers.count, 10);
}
