#pragma once
#include <QString>

// The link benchmarks' common ground: kalyx5-simulator serving a dump on a
// pseudo-terminal, the program's transport on it, and the least a client can
// do on the same terminal: write the command and read the bytes with blocking reads.

struct LinkFigures {
  double wallMs = 0;
  double cpuMs = 0;
  long wakeups = 0;  // the times the process slept and woke (context switches)
  bool ok = false;
};

// A simulator process serving `reports` test reports, each block `blockDelayMs`
// after the one before.
class Simulator {
 public:
  Simulator(int reports, int blockDelayMs);
  ~Simulator();
  // The terminal's path, or empty when the simulator did not start.
  QString path() const { return path_; }

 private:
  qint64 pid_ = 0;
  QString path_;
  QString dumpFolder_;
};

// Each opens the terminal, moves the bytes and closes it again; `ok` is false when
// fewer bytes came than asked for.
// "GS", then "GT" and `reports` blocks of 736 bytes.
LinkFigures rawDownload(const QString& path, int reports);
LinkFigures programDownload(const QString& path, int reports);
// QSerialPort opening the terminal and closing it again, nothing sent: the fixed
// cost of every transfer that the raw client does not have.
LinkFigures serialOpenClose(const QString& path);
// `captures` times "WD" and its 10,306 bytes.
LinkFigures rawCapture(const QString& path, int captures);
LinkFigures programCapture(const QString& path, int captures);
