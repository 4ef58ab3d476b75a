#pragma once
#include <QString>
#include <memory>

class QProcess;

// The link benchmarks' common ground: kalyx5-simulator serving a dump on a
// pseudo-terminal, the program's transport on it, and the least a client can
// do on the same terminal: write the command and read the bytes with blocking reads.

struct LinkFigures {
  double wallMs = 0;
  double cpuMs = 0;
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
  std::unique_ptr<QProcess> process_;
  QString path_;
  QString dumpFolder_;
};

// Each opens the terminal, moves the bytes and closes it again; `ok` is false when
// fewer bytes came than asked for.
// "GS", then "GT" and `reports` blocks of 736 bytes.
LinkFigures rawDownload(const QString& path, int reports);
LinkFigures programDownload(const QString& path, int reports);
// `captures` times "WD" and its 10,306 bytes.
LinkFigures rawCapture(const QString& path, int captures);
LinkFigures programCapture(const QString& path, int captures);
