// Times "GS" + "GT" of 50 test reports and the "WD" capture (10,306 one-byte
// blocks) through the program's transport and serial backend, against a
// minimal client that reads the same bytes from the same pseudo-terminal in the
// same run, and reports the processor time each spends.

#include "headlessprogress.h"
#include "serialdriver.h"
#include "systeminfo.h"
#include "transfers.h"
#include "transport.h"
#include "usermessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {
struct Figures {
  double wallMs = 0;
  double cpuMs = 0;
  bool ok = false;
};

double processCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

class QuietMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString&, Icon, Buttons) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    return Result::Ok;
  }
};

// The least a client can do: write the command, read until the bytes are there.
bool readExactly(int fd, qsizetype size) {
  QByteArray buffer(size, '\0');
  qsizetype got = 0;
  while (got < size) {
    pollfd pfd{fd, POLLIN, 0};
    if (poll(&pfd, 1, 5000) <= 0) return false;
    const ssize_t n = read(fd, buffer.data() + got, size_t(size - got));
    if (n <= 0) return false;
    got += n;
  }
  return true;
}

Figures minimalClient(const QString& path) {
  Figures f;
  const int fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  if (fd < 0) return f;
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  const double cpu = processCpuMs();
  QElapsedTimer clock;
  clock.start();
  f.ok = write(fd, "GS\r", 3) == 3 && readExactly(fd, kSystemInfoSize) && write(fd, "GT\r", 3) == 3 && readExactly(fd, 50 * kTestReportRecords.blockSize) &&
         write(fd, "WD\r", 3) == 3 && readExactly(fd, kCaptureBlockSize);
  f.wallMs = double(clock.nsecsElapsed()) / 1e6;
  f.cpuMs = processCpuMs() - cpu;
  close(fd);
  return f;
}

Figures transport(const QString& path) {
  Figures f;
  SerialDriver driver(path);
  QuietMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host(messages);
  int records = 0;
  const double cpu = processCpuMs();
  QElapsedTimer clock;
  clock.start();
  const bool downloaded = runDownload(link, host, kTestReportRecords, nullptr,
                                      [&records](const SystemInfo&, const QList<QByteArray>& r) { records = int(r.size()); });
  const bool captured = runCapture(link, host, [](const QByteArray&) {});
  f.wallMs = double(clock.nsecsElapsed()) / 1e6;
  f.cpuMs = processCpuMs() - cpu;
  f.ok = downloaded && captured && records == 50;
  return f;
}

void report(const char* name, const Figures& f, const Figures& base) {
  std::printf("%-26s %9.1f ms wall %9.1f ms cpu   wall %5.2fx the first line   %s\n", name, f.wallMs, f.cpuMs,
              base.wallMs > 0 ? f.wallMs / base.wallMs : 0.0, f.ok ? "ok" : "FAILED");
}
// Serves the dump on a fresh simulator and times the minimal client, then the
// transport, against it. Returns false when either failed.
bool compareOn(const QString& dumpFolder, const QStringList& extraArguments) {
  QProcess simulator;
  simulator.start(QStringLiteral(KALYX_SIMULATOR), QStringList{QStringLiteral("--dump"), dumpFolder} + extraArguments);
  if (!simulator.waitForStarted() || !simulator.waitForReadyRead(5000)) return false;
  const QString path = QString::fromLocal8Bit(simulator.readLine()).trimmed();
  const Figures base = minimalClient(path);
  const Figures program = transport(path);
  report("minimal client", base, base);
  report("transport", program, base);
  simulator.terminate();
  simulator.waitForFinished();
  return base.ok && program.ok;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dump;
  QFile reports(dump.filePath("reports.bin"));
  if (!reports.open(QIODevice::WriteOnly)) return 1;
  for (int i = 0; i < 50; ++i) reports.write(QByteArray(kTestReportRecords.blockSize, char(i)));
  reports.close();

  std::printf("kalyx5-simulator: GS + GT of 50 test reports, then WD (10,306 one-byte blocks)\n");
  const bool fast = compareOn(dump.path(), {});
  // A slow analyzer: each block 20 ms after the one before. The wait is what costs here.
  std::printf("\nthe same with each block 20 ms after the one before (an analyzer that sends slowly):\n");
  const bool slow = compareOn(dump.path(), {QStringLiteral("--block-delay"), QStringLiteral("20")});
  return fast && slow ? 0 : 1;
}
