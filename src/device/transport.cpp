#include "device/transport.h"

#include "analyzer/recordkinds.h"
#include "core/usermessages.h"
#include "device/analyzerdriver.h"
#include "device/transferprogress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstring>

namespace {

// Lets pending events run between polls. While blocks are queued, events run
// when at least a millisecond has passed since they last ran: far more often
// than a window repaints or a user can press Cancel, while a burst of queued
// blocks is not slowed by an event-loop pass (a system call) per block. Every
// poll that finds too few bytes waits for the next event instead (bytes
// arriving, the time-out, a button). A driver whose bytes arrive without an
// event of their own (the built-in simulator, the vendor's library) gets a 1 ms
// timer that keeps that wait short; the serial port's arrivals wake it by themselves.
class PollPacer {
 public:
  explicit PollPacer(const AnalyzerDriver& driver) {
    if (!driver.signalsArrivals()) wake_.start(1);
  }
  void pump() {
    // The clock is read on every 16th poll only: a burst of one-byte blocks
    // would otherwise spend a third of its time reading it.
    if (lastRun_.isValid() && ++pollsSinceClock_ < kPollsPerClockRead) return;
    pollsSinceClock_ = 0;
    if (!lastRun_.isValid() || lastRun_.nsecsElapsed() >= kEventIntervalNs) run(QEventLoop::AllEvents);
  }
  void afterPoll(int readResult) {
    if (readResult == 1)
      run(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    else
      pump();
  }

 private:
  static constexpr qint64 kEventIntervalNs = 1000000;
  static constexpr int kPollsPerClockRead = 16;
  void run(QEventLoop::ProcessEventsFlags flags) {
    QCoreApplication::processEvents(flags);
    lastRun_.start();
  }
  QTimer wake_;
  QElapsedTimer lastRun_;
  int pollsSinceClock_ = 0;
};

void showError(DeviceLink& link, const QString& text, const QString& caption, UserMessages::Icon icon) {
  link.messages.show(text, caption, icon, UserMessages::Buttons::Ok);
}

}  // namespace

int openDevice(DeviceLink& link) {
  try {
    if (link.driver.openByDescription(analyzerDescription()) == 0) return 0;
  } catch (...) {
    return -1;
  }
  showError(link, QStringLiteral("Device Not Detected.\nPlease check connection.\n\nOperation Canceled."),
            QStringLiteral("Error"), UserMessages::Icon::Error);
  return -1;
}

void closeDevice(DeviceLink& link) { link.driver.close(); }

int readDevice(DeviceLink& link, char* buffer, quint32 size) {
  quint32 waiting = 0;
  link.driver.queueStatus(&waiting);  // its own status is ignored: a failure counts as nothing queued
  if (waiting < size) return 1;
  quint32 count = 0;
  const quint32 status = link.driver.read(buffer, size, &count);
  const QString caption = QStringLiteral("Error reading from device");
  if (status != 0) {
    showError(link, QStringLiteral("Read status is: ") + QString::number(status), caption, UserMessages::Icon::Error);
    return -1;
  }
  if (count != size) {
    showError(link, QStringLiteral("Bytes read: ") + QString::number(count), caption, UserMessages::Icon::Error);
    return -1;
  }
  return 0;
}

int readBlocks(DeviceLink& link, char* buffer, int count, TransferProgress& progress, quint32 size) {
  PollPacer pacer(link.driver);
  for (int i = 0; i < count; ++i) {
    progress.restartTimeout();
    pacer.pump();
    if (progress.cancelled()) return -1;
    int r = 1;
    while (r == 1 && !progress.cancelled()) {
      r = readDevice(link, buffer + qsizetype(i) * size, size);
      pacer.afterPoll(r);
    }
    if (r != 0 || progress.cancelled()) return -1;
    progress.stepProgress();
  }
  return 0;
}

int writeDevice(DeviceLink& link, const char* buffer, quint32 size) {
  quint32 count = 0;
  const quint32 status = link.driver.write(buffer, size, &count);
  const QString caption = QStringLiteral("Error writing to device");
  if (status != 0) {
    showError(link, QStringLiteral("Write status is: ") + QString::number(status), caption, UserMessages::Icon::None);
    return -1;
  }
  if (count != size) {
    showError(link, QStringLiteral("Bytes written: ") + QString::number(count), caption, UserMessages::Icon::None);
    return -1;
  }
  return 0;
}

int writeBlocks(DeviceLink& link, const char* buffer, int count, TransferProgress& progress, quint32 size) {
  PollPacer pacer(link.driver);
  for (int i = 0; i < count; ++i) {
    progress.restartTimeout();
    pacer.pump();
    if (progress.cancelled()) return -1;
    if (writeDevice(link, buffer + qsizetype(i) * size, size) != 0) return -1;
    progress.stepProgress();
    pacer.pump();
    if (progress.cancelled()) return -1;
  }
  return 0;
}

void sendCommand(DeviceLink& link, const char* letters) {
  char frame[4] = {0, 0, 0, 0};
  for (int i = 0; i < 2 && letters[i] != '\0'; ++i) frame[i] = letters[i];
  frame[2] = 0x0D;
  // A failed write has shown its message; the transfer goes on and ends in its time-out.
  writeDevice(link, frame, 3);
}

int getSystemInfo(DeviceLink& link, char* buffer, TransferProgress& progress) {
  PollPacer pacer(link.driver);
  sendCommand(link, kSystemInfoCommand);
  progress.restartTimeout();
  progress.setProgressText(QStringLiteral("Downloading system information..."));
  pacer.pump();
  int r = 1;
  while (r == 1 && !progress.cancelled()) {
    r = readDevice(link, buffer, kSystemInfoSize);
    pacer.afterPoll(r);
  }
  if (r != 0) {
    closeDevice(link);
    return -1;
  }
  progress.restartTimeout();
  progress.stepProgress();
  pacer.pump();
  return 0;
}
