#include "support/linkfixture.h"

#include "analyzer/recordkinds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {
class TransportTest : public LinkFixture {
 protected:
  void open() { ASSERT_EQ(openDevice(link), 0); }
};
}  // namespace

TEST_F(TransportTest, NoAnalyzerShowsOnlyTheNotDetectedMessage) {
  driver.attached = false;
  EXPECT_EQ(openDevice(link), -1);
  expectOnlyMessage("Device Not Detected.\nPlease check connection.\n\nOperation Canceled.", "Error",
                    UserMessages::Icon::Error);
  EXPECT_EQ(driver.opens, 0);
}

TEST_F(TransportTest, AnExceptionInTheOpenCallFailsWithoutAMessage) {
  driver.throwOnOpen = true;
  EXPECT_EQ(openDevice(link), -1);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(TransportTest, ReadDeviceTakesABlockOnlyWhenItIsComplete) {
  open();
  driver.engine().setTrailingBytes("EXTRA");
  sendCommand(link, "GS");
  char buffer[37] = {};
  driver.engine().setStallAfter(20);
  EXPECT_EQ(readDevice(link, buffer, 37), 1);  // 20 of 37 queued: nothing is read
  EXPECT_EQ(driver.bytesRead, 0);
  driver.engine().setStallAfter(-1);
  EXPECT_EQ(readDevice(link, buffer, 37), 0);
  EXPECT_EQ(QByteArray(buffer + 12, 13), "TEST-ANALYZER");
  quint32 waiting = 0;
  driver.queueStatus(&waiting);
  EXPECT_EQ(waiting, 5u);  // the rest stays queued
}

TEST_F(TransportTest, ReadAndWriteFailuresShowTheirStatusOrCount) {
  open();
  sendCommand(link, "GS");
  char buffer[37] = {};
  driver.readStatusError = 4;
  EXPECT_EQ(readDevice(link, buffer, 37), -1);
  driver.readStatusError = 0;
  driver.shortReadCount = 10;
  EXPECT_EQ(readDevice(link, buffer, 37), -1);
  driver.writeStatusError = 4;
  EXPECT_EQ(writeDevice(link, "PA\r", 3), -1);
  driver.writeStatusError = 0;
  driver.shortWriteCount = 1;
  EXPECT_EQ(writeDevice(link, "PA\r", 3), -1);

  ASSERT_EQ(messages.shown.size(), 4);
  EXPECT_EQ(messages.shown[0].text, "Read status is: 4");
  EXPECT_EQ(messages.shown[0].caption, "Error reading from device");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  EXPECT_EQ(messages.shown[1].text, "Bytes read: 10");
  EXPECT_EQ(messages.shown[1].icon, UserMessages::Icon::Error);
  EXPECT_EQ(messages.shown[2].text, "Write status is: 4");
  EXPECT_EQ(messages.shown[2].caption, "Error writing to device");
  EXPECT_EQ(messages.shown[2].icon, UserMessages::Icon::None);
  EXPECT_EQ(messages.shown[3].text, "Bytes written: 1");
  EXPECT_EQ(messages.shown[3].icon, UserMessages::Icon::None);
}

TEST_F(TransportTest, SendCommandWritesTwoLettersAndACarriageReturn) {
  open();
  sendCommand(link, "GTX");
  sendCommand(link, "W");
  EXPECT_EQ(driver.bytesWritten, 6);
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GT", QByteArray("W\0", 2)}));  // at most two letters
}

TEST_F(TransportTest, StallTimesOutCountedFromTheStartOfTheBlock) {
  open();
  HeadlessProgress progress(messages, "x", 10, 150);
  driver.engine().setBlockDelay(100);  // each block 100 ms after the last: never a time-out of 150 ms
  sendCommand(link, "GT");
  QByteArray buffer(3 * 736, '\0');
  EXPECT_EQ(readBlocks(link, buffer.data(), 3, progress, 736), 0);
  EXPECT_EQ(progress.position(), 3);
  EXPECT_TRUE(messages.shown.isEmpty());
  progress.finishProgress();

  // Now the analyzer stops in the middle of the second block.
  driver.engine().setBlockDelay(0);
  driver.engine().setStallAfter(driver.engine().bytesSent() + 736 + 300);
  sendCommand(link, "GT");
  HeadlessProgress second(messages, "x", 10, 150);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(readBlocks(link, buffer.data(), 3, second, 736), -1);
  EXPECT_GE(clock.elapsed(), 150);
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(second.position(), 1);
  expectOnlyMessage(timeoutMessageText(), "Communications time out", UserMessages::Icon::Warning);
}

TEST_F(TransportTest, AFailingQueueStatusCountsAsNothingQueuedAndTimesOut) {
  open();
  HeadlessProgress progress(messages, "x", 10, 100);
  driver.queueStatusError = 4;
  sendCommand(link, "GS");
  char buffer[37];
  EXPECT_EQ(getSystemInfo(link, buffer, progress), -1);
  EXPECT_EQ(driver.bytesRead, 0);
  expectOnlyMessage(timeoutMessageText(), "Communications time out", UserMessages::Icon::Warning);
  EXPECT_EQ(driver.closes, 1);  // the failed system information closed the link
}

TEST_F(TransportTest, TimeoutMessageHasItsFiveBlanksAndLineBreak) {
  EXPECT_EQ(timeoutMessageText(),
            "Communications has timed out.     \r\nPlease note this version software only works with Kalyx 5 "
            "firmware V2.0 and above.");
}

TEST_F(TransportTest, NoTimeoutWhenTheIntervalIsZero) {
  HeadlessProgress progress(messages, "x", 10, 0);
  EXPECT_FALSE(progress.timerRunning());
  progress.restartTimeout();
  EXPECT_FALSE(progress.timerRunning());
  HeadlessProgress timed(messages, "x", 10, 5000);
  EXPECT_TRUE(timed.timerRunning());  // the clock runs from construction
}

namespace {
// A simulated analyzer whose driver takes 100 µs to hand over each block, as a
// slow library call would, while every byte is already queued.
class SlowReadDriver : public SimulatorDriver {
 public:
  using SimulatorDriver::SimulatorDriver;
  quint32 read(char* buffer, quint32 size, quint32* count) override {
    QElapsedTimer busy;
    busy.start();
    while (busy.nsecsElapsed() < 100000) {
    }
    return SimulatorDriver::read(buffer, size, count);
  }
};
}  // namespace

TEST(TransportEvents, PendingEventsRunWhileABurstOfQueuedBlocksIsRead) {
  SlowReadDriver driver(memoryWithRecords(3, 3, 3));
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  ASSERT_EQ(openDevice(link), 0);
  HeadlessProgress progress(messages, "x", kCaptureBlockSize, 5000);
  QTimer ticker;
  int ticks = 0;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(2);
  sendCommand(link, "WD");
  QByteArray block(kCaptureBlockSize, '\0');
  QElapsedTimer clock;
  clock.start();
  // 10,306 one-byte blocks at 100 µs each: about a second in which the queue is never empty.
  ASSERT_EQ(readBlocks(link, block.data(), kCaptureBlockSize, progress, 1), 0);
  const qint64 ms = clock.elapsed();
  // A 2 ms timer gets its turn throughout, not only when the loop has to wait.
  EXPECT_GE(ticks, ms / 2 / 4) << ticks << " ticks in " << ms << " ms";
  EXPECT_EQ(progress.position(), kCaptureBlockSize);
}

TEST(TransportEvents, ARestartedTimeOutFiresAFullIntervalAfterTheRestart) {
  RecordingMessages messages;
  HeadlessProgress progress(messages, "x", 1, 100);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 60) QCoreApplication::processEvents();
  progress.restartTimeout();
  QElapsedTimer sinceRestart;
  sinceRestart.start();
  // The timer still runs for the first interval, finds the restart and waits out the rest.
  while (!progress.cancelled() && sinceRestart.elapsed() < 1000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_TRUE(progress.cancelled());
  EXPECT_GE(sinceRestart.elapsed(), 100);
  EXPECT_LT(sinceRestart.elapsed(), 400);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].caption, "Communications time out");
}
