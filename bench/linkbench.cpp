#include "linkbench.h"

#include "analyzer/systeminfo.h"
#include "benchsupport.h"
#include "core/usermessages.h"
#include "device/headlessprogress.h"
#include "device/serialdriver.h"
#include "device/transfers.h"
#include "device/transport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <csignal>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {
class PrintedMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString&, Icon, Buttons) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    return Result::Ok;
  }
};

// Reads exactly `size` bytes with blocking reads, one system call each (the
// terminal's VTIME makes a read that waits 5 s return 0, so that a lost byte
// ends the run instead of hanging it).
bool readExactly(int fd, qsizetype size) {
  QByteArray buffer(size, '\0');
  qsizetype got = 0;
  while (got < size) {
    const ssize_t n = read(fd, buffer.data() + got, size_t(size - got));
    if (n <= 0) return false;
    got += n;
  }
  return true;
}

long contextSwitches() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_nvcsw + usage.ru_nivcsw;
}

template <class Exchange>
LinkFigures rawClient(const QString& path, Exchange exchange) {
  LinkFigures f;
  const double cpu = processCpuMs();
  const long switches = contextSwitches();
  QElapsedTimer clock;
  clock.start();
  const int fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  if (fd < 0) {
    std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), std::strerror(errno));
    return f;
  }
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 50;
  tcsetattr(fd, TCSANOW, &tio);
  f.ok = exchange(fd);
  close(fd);
  f.wallMs = double(clock.nsecsElapsed()) / 1e6;
  f.cpuMs = processCpuMs() - cpu;
  f.wakeups = contextSwitches() - switches;
  return f;
}

bool command(int fd, const char* letters) {
  const char frame[3] = {letters[0], letters[1], '\r'};
  return write(fd, frame, 3) == 3;
}

template <class Transfers>
LinkFigures programClient(const QString& path, Transfers transfers) {
  LinkFigures f;
  SerialDriver driver(path);
  PrintedMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  const double cpu = processCpuMs();
  const long switches = contextSwitches();
  QElapsedTimer clock;
  clock.start();
  f.ok = transfers(link, host);
  f.wallMs = double(clock.nsecsElapsed()) / 1e6;
  f.cpuMs = processCpuMs() - cpu;
  f.wakeups = contextSwitches() - switches;
  return f;
}
}  // namespace

Simulator::Simulator(int reports, int blockDelayMs) {
  QTemporaryDir dump;
  dump.setAutoRemove(false);
  dumpFolder_ = dump.path();
  QFile file(QDir(dumpFolder_).filePath(QStringLiteral("reports.bin")));
  if (!file.open(QIODevice::WriteOnly)) return;
  for (int i = 0; i < reports; ++i) file.write(QByteArray(kTestReportRecords.blockSize, char(i)));
  file.close();
  // Started detached, its output into a file: the measured clients' event loops
  // then watch the terminal alone, as the program's would, not a child's pipes.
  const QString pathFile = QDir(dumpFolder_).filePath(QStringLiteral("terminal.txt"));
  QProcess launcher;
  launcher.setProgram(QStringLiteral(KALYX_SIMULATOR));
  launcher.setArguments(
      {QStringLiteral("--dump"), dumpFolder_, QStringLiteral("--block-delay"), QString::number(blockDelayMs)});
  launcher.setStandardOutputFile(pathFile);
  if (!launcher.startDetached(&pid_)) return;
  QElapsedTimer clock;
  clock.start();
  while (path_.isEmpty() && clock.elapsed() < 5000) {
    QFile output(pathFile);
    if (output.open(QIODevice::ReadOnly) && output.readAll().endsWith('\n')) {
      output.seek(0);
      path_ = QString::fromLocal8Bit(output.readLine()).trimmed();
    } else {
      usleep(10000);
    }
  }
}

Simulator::~Simulator() {
  if (pid_ > 0) kill(pid_t(pid_), SIGTERM);
  QDir(dumpFolder_).removeRecursively();
}

LinkFigures rawDownload(const QString& path, int reports) {
  return rawClient(path, [reports](int fd) {
    return command(fd, "GS") && readExactly(fd, kSystemInfoSize) && command(fd, "GT") &&
           readExactly(fd, qsizetype(reports) * kTestReportRecords.blockSize);
  });
}

LinkFigures programDownload(const QString& path, int reports) {
  return programClient(path, [reports](DeviceLink& link, HeadlessProgressHost& host) {
    int got = 0;
    const bool ok = runDownload(link, host, kTestReportRecords, nullptr,
                                [&got](const SystemInfo&, const QList<QByteArray>& records) { got = int(records.size()); });
    return ok && got == reports;
  });
}

LinkFigures serialOpenClose(const QString& path) {
  LinkFigures f;
  QElapsedTimer clock;
  clock.start();
  QSerialPort port(path);
  f.ok = port.open(QIODevice::ReadWrite);
  port.close();
  f.wallMs = double(clock.nsecsElapsed()) / 1e6;
  return f;
}

LinkFigures rawCapture(const QString& path, int captures) {
  // Like the program, each capture opens and closes the terminal.
  LinkFigures total;
  total.ok = true;
  for (int i = 0; i < captures && total.ok; ++i) {
    const LinkFigures one =
        rawClient(path, [](int fd) { return command(fd, "WD") && readExactly(fd, kCaptureBlockSize); });
    total.wallMs += one.wallMs, total.cpuMs += one.cpuMs, total.ok = one.ok;
  }
  return total;
}

LinkFigures programCapture(const QString& path, int captures) {
  return programClient(path, [captures](DeviceLink& link, HeadlessProgressHost& host) {
    for (int i = 0; i < captures; ++i)
      if (!runCapture(link, host, [](const QByteArray&) {})) return false;
    return true;
  });
}
